#include <gtest/gtest.h>

#include "Font.h"
#include "FontEngine.h"
#include "FontMetrics.h"

namespace {

TFontSpec FontOf(const char* name, int height, bool bold = false, bool italic = false) {
  TFontSpec s;
  s.Name = name;
  s.Height = height;
  s.Bold = bold;
  s.Italic = italic;
  return s;
}

TEST(FontEngine, LoadsTheProgramsOwnConfiguration) {
  const std::string& file = TFontEngine::Instance().ConfigFile();
  ASSERT_FALSE(file.empty());
  EXPECT_NE(file.find("fonts.conf"), std::string::npos);
}

TEST(FontEngine, ResolvesTheFaceNamesFormsUse) {
  struct Case {
    const char* Name;
    const char* Family;
  } cases[] = {
      {"宋体", "AR PL UMing CN"},        {"SimSun", "AR PL UMing CN"},         {"新宋体", "AR PL UMing CN"},
      {"黑体", "WenQuanYi Micro Hei"},   {"Arial", "Liberation Sans"},        {"Tahoma", "Liberation Sans"},
      {"MS Sans Serif", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
      {"No Such Face", "Liberation Sans"},
  };
  for (const auto& c : cases) EXPECT_EQ(TFontEngine::Instance().FamilyFor(FontOf(c.Name, -13), U'A'), c.Family) << c.Name;
}

TEST(FontEngine, CharactersMissingInAFaceFallBack) {
  TFontEngine& engine = TFontEngine::Instance();
  EXPECT_EQ(engine.FamilyFor(FontOf("Arial", -13), U'中'), "WenQuanYi Micro Hei");
  EXPECT_EQ(engine.FamilyFor(FontOf("Times New Roman", -13), U'中'), "AR PL UMing CN");
  EXPECT_EQ(engine.FamilyFor(FontOf("宋体", -13), U'K'), "AR PL UMing CN");
  // Fallback glyphs are drawn, not left out: every character gets ink.
  const TShapedText shaped = engine.Shape(FontOf("Arial", -13), "A中B");
  ASSERT_EQ(shaped.Glyphs.size(), 3u);
  for (const auto& g : shaped.Glyphs) EXPECT_GT(g.Image->Width, 0);
  EXPECT_LT(shaped.Glyphs[0].X, shaped.Glyphs[1].X);
  EXPECT_LT(shaped.Glyphs[1].X, shaped.Glyphs[2].X);
}

TEST(FontEngine, HeightMinus13IsA13PixelCharacterAt96Dpi) {
  TFontEngine& engine = TFontEngine::Instance();
  const TFontMetricsInfo song = engine.Metrics(FontOf("宋体", -13));
  EXPECT_GE(song.Height, 13);
  EXPECT_LE(song.Height, 15);
  EXPECT_EQ(song.InternalLeading, song.Height - 13);
  // Ideographs advance one em; the ink of "国" fills most of it.
  EXPECT_EQ(engine.TextWidth(FontOf("宋体", -13), "中文"), 26);
  const TShapedText guo = engine.Shape(FontOf("宋体", -13), "国");
  EXPECT_GE(guo.Glyphs[0].Image->Height, 10);
  EXPECT_LE(guo.Glyphs[0].Image->Height, 14);

  // Arial's advance widths are 0.722, 0.556, 0.222, 0.222 and 0.556 em.
  EXPECT_NEAR(engine.TextWidth(FontOf("Arial", -13), "Hello"), 30, 1);
  const TFontMetricsInfo arial = engine.Metrics(FontOf("Arial", -13));
  EXPECT_EQ(arial.Ascent, 12);
  EXPECT_EQ(arial.Descent, 3);

  // A positive height is the cell height.
  EXPECT_EQ(engine.Metrics(FontOf("Arial", 15)).Height, 15);
}

TEST(FontEngine, PointSizesFollowTheResolution) {
  TFont font;
  font.SetName("宋体");
  font.SetSize(9);
  EXPECT_EQ(FontSpecOf(font, 96).Height, -12);
  EXPECT_EQ(FontSpecOf(font, 200).Height, -25);
  TFontEngine& engine = TFontEngine::Instance();
  EXPECT_EQ(engine.TextWidth(FontSpecOf(font, 200), "中文"), 50);
}

TEST(FontEngine, BoldAndItalicAreSynthesisedWhenTheFaceHasNone) {
  TFontEngine& engine = TFontEngine::Instance();
  auto inkOf = [](const TShapedText& t) {
    long sum = 0;
    for (const auto& g : t.Glyphs)
      for (auto c : g.Image->Coverage) sum += c;
    return sum;
  };
  const TShapedText regular = engine.Shape(FontOf("宋体", -16), "中");
  const TShapedText bold = engine.Shape(FontOf("宋体", -16, true), "中");
  const TShapedText italic = engine.Shape(FontOf("宋体", -16, false, true), "中");
  EXPECT_GT(inkOf(bold), inkOf(regular) * 5 / 4);
  EXPECT_GT(bold.Width, regular.Width);
  EXPECT_GT(italic.Glyphs[0].Image->Width, regular.Glyphs[0].Image->Width);
  // Liberation has a real bold face: it is used, not thickened.
  EXPECT_NE(engine.Shape(FontOf("Arial", -16, true), "a").Glyphs[0].Image,
            engine.Shape(FontOf("Arial", -16), "a").Glyphs[0].Image);
}

TEST(FontEngine, PlugsIntoTheComponentMetrics) {
  TFont font;
  font.SetName("宋体");
  font.SetHeight(-12);
  UseFontEngineMetrics();
  EXPECT_EQ(FontMetrics().TextWidth(font, "订单"), 24);
  EXPECT_EQ(FontMetrics().TextHeight(font, "订单"), TFontEngine::Instance().Metrics(FontSpecOf(font, 96)).Height);
  SetFontMetrics(nullptr);
}

TEST(FontEngine, MalformedTextIsShownNotDropped) {
  TFontEngine& engine = TFontEngine::Instance();
  EXPECT_EQ(engine.Shape(FontOf("Arial", -13), std::string("a\xFF" "b")).Glyphs.size(), 3u);
  EXPECT_EQ(engine.TextWidth(FontOf("Arial", -13), ""), 0);
}

}  // namespace
