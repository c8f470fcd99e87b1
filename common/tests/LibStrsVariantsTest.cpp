#include <gtest/gtest.h>

#include "../../env/tests/EnvFixture.h"
#include "LibStrs.h"

namespace {

const std::string GbkChinese = "\xD6\xD0\xCE\xC4";   // 中文 in code page 936
const std::string Big5Chinese = "\xA4\xA4\xA4\xE5";  // 中文 in code page 950

TEST(VariantHelpers, ChooseAndBlank) {
  EXPECT_EQ(VarChoose(true, 1, "b").AsInteger(), 1);
  EXPECT_EQ(VarChoose(false, 1, "b").AsString(), "b");
  EXPECT_TRUE(VarIsBlank(Variant()));
  EXPECT_TRUE(VarIsBlank(Null()));
  EXPECT_FALSE(VarIsBlank(""));
  EXPECT_FALSE(VarIsBlank(0));
}

TEST(VariantCodePages, AnsiToWideDecodesOnlyLegacyBytes) {
  TEnvGuard system{"KESR_CODEPAGE", "936"};
  const std::tuple<std::string, const char*, std::string> cases[] = {
      {GbkChinese, "936", "中文"},
      {Big5Chinese, "950", "中文"},
      {"中文", "950", "中文"},          // already UTF-8
      {"plain", "437", "plain"},
      {GbkChinese, "bogus", "中文"},    // unknown code page: the system's
      {"", "936", ""},
  };
  for (const auto& [bytes, codePage, text] : cases)
    EXPECT_EQ(AnsiToWideCodePage(bytes, codePage), text) << codePage;
}

TEST(VariantCodePages, ArraysConvertWideTextsByTheirShape) {
  const Variant legacy = Variant::OleStr(Big5Chinese);
  Variant nested = VarArrayOf({legacy});
  const Variant one = ConvertVarArrayCodePage(VarArrayOf({legacy, Big5Chinese, 7, nested}), "950");
  EXPECT_EQ(VarType(one[0]), varOleStr);
  EXPECT_EQ(one[0].AsString(), "中文");
  EXPECT_EQ(one[1].AsString(), Big5Chinese);  // 8-bit texts are not of the wide type
  EXPECT_EQ(one[2].AsInteger(), 7);
  EXPECT_EQ(one[3][0].AsString(), "中文");

  Variant two = VarArrayCreate({0, 1, 0, 1}, varVariant);
  two(0, 0) = legacy;
  two(1, 1) = nested;
  const Variant converted = ConvertVarArrayCodePage(two, "950");
  EXPECT_EQ(converted(0, 0).AsString(), "中文");
  EXPECT_EQ(converted(1, 1)[0].AsString(), Big5Chinese);  // not visited

  Variant three = VarArrayCreate({0, 0, 0, 0, 0, 0}, varVariant);
  three.PutElement({0, 0, 0}, legacy);
  EXPECT_EQ(ConvertVarArrayCodePage(three, "950").GetElement({0, 0, 0}).AsString(), Big5Chinese);

  EXPECT_EQ(ConvertVarArrayCodePage(legacy, "950").AsString(), "中文");
}

TEST(VariantCodePages, VarToWideCodePage) {
  const Variant text = VarToWideCodePage(GbkChinese, "936");
  EXPECT_EQ(VarType(text), varOleStr);
  EXPECT_EQ(text.AsString(), "中文");
  EXPECT_EQ(VarToWideCodePage(VarArrayOf({Variant::OleStr(GbkChinese)}), "936")[0].AsString(), "中文");
  EXPECT_TRUE(VarIsNull(VarToWideCodePage(Null(), "936")));
  EXPECT_TRUE(VarIsEmpty(VarToWideCodePage(Variant(), "936")));
  EXPECT_EQ(VarType(VarToWideCodePage(12, "936")), varInteger);
}

TEST(VariantCodePages, FailureIsLoggedAndKeepsTheValue) {
  TScratchFolder install;
  TOrvaneRegistry registry({{"ClientPath", install.Path()}});
  TFixedClock clock;
  TEnvGuard system{"KESR_CODEPAGE", "bogus"};
  const Variant result = VarToWideCodePage(GbkChinese, "bogus");
  EXPECT_EQ(result.AsString(), GbkChinese);
  const std::vector<std::string> lines = FileLines(install.Path() + "Log/Alert_libstrs_20240131.log");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("[2024/01/31 14:05:09:007] LINE[115] ", 0), 0u) << lines[0];
}

}  // namespace
