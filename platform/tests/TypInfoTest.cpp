#include <gtest/gtest.h>

#include "ColorIdents.h"
#include "Font.h"
#include "FontMetrics.h"
#include "TestComponents.h"
#include "TypInfo.h"

namespace {

TEST(TypInfoTest, PropertiesReportKindAndTypeName) {
  TTestControl c(nullptr);
  struct TCase {
    const char* Name;
    TTypeKind Kind;
    const char* TypeName;
  } cases[] = {
      {"Left", tkInteger, "Integer"},           {"Caption", tkString, "string"},
      {"Color", tkInteger, "TColor"},           {"Visible", tkEnumeration, "Boolean"},
      {"Align", tkEnumeration, "TTestAlign"},   {"Anchors", tkSet, "TTestAnchors"},
      {"Ratio", tkFloat, "Double"},             {"Accel", tkChar, "Char"},
      {"Font", tkClass, "TFont"},               {"Items", tkClass, "TStrings"},
      {"FocusControl", tkClass, "TTestControl"}, {"OnClick", tkMethod, "TNotifyEvent"},
      {"OnLookup", tkMethod, "TTestLookupEvent"}, {"Font.Name", tkString, "string"},
      {"Font.Style", tkSet, "TFontStyles"},     {"Font.Charset", tkInteger, "TFontCharset"},
      {"tag", tkInteger, "Integer"},
  };
  for (const TCase& t : cases) {
    const TPropInfo* info = GetPropInfo(&c, t.Name);
    ASSERT_NE(info, nullptr) << t.Name;
    EXPECT_EQ(info->Kind(), t.Kind) << t.Name;
    EXPECT_EQ(info->TypeName(), t.TypeName) << t.Name;
    EXPECT_TRUE(PropIsType(&c, t.Name, t.Kind)) << t.Name;
  }
}

TEST(TypInfoTest, ReadAndWriteEachKindByName) {
  TTestControl c(nullptr);
  SetOrdProp(&c, "Left", 12);
  EXPECT_EQ(c.Left(), 12);
  SetStrProp(&c, "CAPTION", "确定");
  EXPECT_EQ(GetStrProp(&c, "Caption"), "确定");
  SetOrdProp(&c, "Visible", 0);
  EXPECT_FALSE(c.Visible);
  EXPECT_EQ(GetEnumProp(&c, "Visible"), "False");
  SetEnumProp(&c, "Align", "taClient");
  EXPECT_EQ(c.Align, taClient);
  EXPECT_EQ(GetOrdProp(&c, "Align"), 2);
  SetSetProp(&c, "Anchors", "[tanRight, tanLeft]");
  EXPECT_EQ(c.Anchors, (TTestAnchors{tanLeft, tanRight}));
  EXPECT_EQ(GetSetProp(&c, "Anchors"), "tanLeft,tanRight");
  EXPECT_EQ(GetSetProp(&c, "Anchors", true), "[tanLeft,tanRight]");
  SetSetProp(&c, "Anchors", "[]");
  EXPECT_TRUE(c.Anchors.Empty());
  SetFloatProp(&c, "Ratio", 2.5);
  EXPECT_DOUBLE_EQ(GetFloatProp(&c, "Ratio"), 2.5);
  SetOrdProp(&c, "Accel", 'Z');
  EXPECT_EQ(c.Accel, 'Z');
  SetOrdProp(&c, "Big", std::int64_t{1} << 40);
  EXPECT_EQ(GetOrdProp(&c, "Big"), std::int64_t{1} << 40);
  EXPECT_EQ(GetObjectProp(&c, "Font"), c.Font());
  EXPECT_EQ(GetStrProp(&c, "ReadOnlyText"), "fixed");

  TTestControl other(nullptr);
  SetObjectProp(&c, "FocusControl", &other);
  EXPECT_EQ(c.FocusControl, &other);
  TTestTimer timer(nullptr);
  SetObjectProp(&c, "FocusControl", &timer);  // not a TTestControl: not taken
  EXPECT_EQ(c.FocusControl, &other);
}

TEST(TypInfoTest, NestedPathsReachSubobjects) {
  TTestControl c(nullptr);
  SetStrProp(&c, "Font.Name", "宋体");
  SetOrdProp(&c, "Font.Height", -13);
  SetSetProp(&c, "Font.Style", "fsBold,fsUnderline");
  EXPECT_EQ(c.Font()->Name(), "宋体");
  EXPECT_EQ(c.Font()->Size(), 10);
  EXPECT_EQ(c.Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(GetOrdProp(&c, "Font.Size"), 10);
  EXPECT_EQ(GetStrProp(&c, "Font.Name.Whatever"), "");
}

TEST(TypInfoTest, MissingPropertiesAndWrongKindsAreHarmless) {
  TTestControl c(nullptr);
  TObject* none = nullptr;
  for (TObject* obj : {static_cast<TObject*>(&c), none}) {
    for (const char* name : {"", "NoSuch", "Font.NoSuch", "NoSuch.Name", "Caption"}) {
      if (obj == &c && std::string(name) == "Caption") {
        // A property of another kind counts as missing for each accessor.
        EXPECT_EQ(GetOrdProp(obj, name), 0);
        SetOrdProp(obj, name, 5);
        EXPECT_EQ(GetStrProp(obj, name), "");
        continue;
      }
      EXPECT_EQ(GetPropInfo(obj, name), nullptr) << name;
      EXPECT_FALSE(IsPublishedProp(obj, name));
      EXPECT_EQ(PropType(obj, name), tkUnknown);
      EXPECT_EQ(GetOrdProp(obj, name), 0);
      EXPECT_EQ(GetStrProp(obj, name), "");
      EXPECT_EQ(GetFloatProp(obj, name), 0.0);
      EXPECT_EQ(GetObjectProp(obj, name), nullptr);
      EXPECT_FALSE(GetMethodProp(obj, name).Assigned());
      EXPECT_EQ(GetEnumProp(obj, name), "");
      SetOrdProp(obj, name, 1);
      SetStrProp(obj, name, "x");
      SetFloatProp(obj, name, 1);
      SetObjectProp(obj, name, &c);
      SetMethodProp(obj, name, TMethod{});
      SetEnumProp(obj, name, "x");
      SetSetProp(obj, name, "[x]");
    }
  }
  EXPECT_EQ(c.Caption, "");
  SetStrProp(&c, "ReadOnlyText", "changed");  // no setter: nothing happens
  EXPECT_EQ(GetStrProp(&c, "ReadOnlyText"), "fixed");
}

TEST(TypInfoTest, UnknownEnumerationAndSetNamesAreRefused) {
  TTestControl c(nullptr);
  try {
    SetEnumProp(&c, "Align", "taSideways");
    ADD_FAILURE();
  } catch (const EPropertyConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid property element: taSideways");
  }
  EXPECT_THROW(SetSetProp(&c, "Anchors", "[tanLeft, tanNowhere]"), EPropertyConvertError);
  EXPECT_EQ(c.Align, taNone);
  EXPECT_EQ(c.Anchors, (TTestAnchors{tanLeft, tanTop}));
}

TEST(TypInfoTest, PropertiesAsText) {
  TTestControl c(nullptr);
  struct TCase {
    const char* Path;
    const char* Text;
    const char* ReadBack;
  } cases[] = {
      {"Left", " 42 ", "42"},         {"Left", "$10", "16"},           {"Left", "-7", "-7"},
      {"Color", "clRed", "clRed"},    {"Color", "255", "clRed"},       {"Color", "$00FFFFFE", "16777214"},
      {"Visible", " false", "False"}, {"Align", "taTop ", "taTop"},    {"Anchors", " [tanTop,tanRight] ", "[tanTop,tanRight]"},
      {"Accel", "x", "x"},            {"Ratio", "0.5", "0.5"},         {"Caption", " 说明 ", " 说明 "},
      {"Font.Name", "黑体", "黑体"},  {"Font.Charset", "GB2312_CHARSET", "GB2312_CHARSET"},
  };
  for (const TCase& t : cases) {
    SetPropText(&c, t.Path, t.Text);
    EXPECT_EQ(GetPropText(&c, t.Path), t.ReadBack) << t.Path << " = " << t.Text;
  }
  for (const char* bad : {"abc", "1.5", "99999999999999999999", ""})
    EXPECT_THROW(SetPropText(&c, "Left", bad), EPropertyConvertError) << bad;
  EXPECT_THROW(SetPropText(&c, "Align", "taNowhere"), EPropertyConvertError);
  EXPECT_THROW(SetPropText(&c, "Ratio", "half"), EPropertyConvertError);
  EXPECT_EQ(c.Left(), -7);
  SetPropText(&c, "NoSuch", "1");  // harmless
  SetPropText(&c, "Font", "x");    // objects are not set from text
  EXPECT_EQ(GetPropText(&c, "Font"), "");
}

TEST(TypInfoTest, PropertyListPutsParentsFirst) {
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(TTestForm::StaticClass())) names.push_back(p->Name);
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names[0], "Name");
  EXPECT_EQ(names[1], "Tag");
  EXPECT_EQ(names[2], "Left");
  EXPECT_EQ(GetPropList(TFont::StaticClass()).size(), 7u);
}

TEST(TypInfoTest, ColourIdentifiersUseThePlatformValues) {
  struct TCase {
    const char* Ident;
    std::uint32_t Value;
  } cases[] = {{"clBlack", 0x000000},     {"clRed", 0x0000FF},         {"clBlue", 0xFF0000},
               {"clWhite", 0xFFFFFF},     {"clScrollBar", 0x80000000}, {"clWindow", 0x80000005},
               {"clWindowText", 0x80000008}, {"clBtnFace", 0x8000000F}, {"clInfoBk", 0x80000018},
               {"clNone", 0x1FFFFFFF},    {"clDefault", 0x20000000}};
  for (const TCase& t : cases) {
    TColor color = 0;
    ASSERT_TRUE(IdentToColor(t.Ident, color)) << t.Ident;
    EXPECT_EQ(static_cast<std::uint32_t>(color), t.Value) << t.Ident;
    EXPECT_EQ(ColorToString(color), t.Ident);
  }
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("clbtnface"), static_cast<TColor>(0x8000000F));
  EXPECT_EQ(StringToColor("$00FF0000"), 0xFF0000);
  EXPECT_EQ(StringToColor("255"), 255);
  EXPECT_THROW(StringToColor("clPlaid"), EConvertError);
}

TEST(TypInfoTest, FontSizeAndHeightAreOneValue) {
  struct TCase {
    int Height;
    int Size;
  } cases[] = {{-13, 10}, {-12, 9}, {-11, 8}, {-16, 12}, {-15, 11}};
  for (const TCase& t : cases) {
    TFont font;
    font.SetHeight(t.Height);
    EXPECT_EQ(font.Size(), t.Size) << t.Height;
    TFont back;
    back.SetSize(font.Size());
    EXPECT_EQ(back.Size(), t.Size);
  }
  TFont font;
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  int changes = 0;
  struct TCounter {
    int* Count;
    void Changed(TObject*) { ++*Count; }
  } counter{&changes};
  font.OnChange = TNotifyEvent(&counter, &TCounter::Changed);
  TFont source;
  source.SetName("宋体");
  source.SetCharset(GB2312_CHARSET);
  font.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(font.SameAs(source));
  std::string ident;
  ASSERT_TRUE(CharsetToIdent(136, ident));
  EXPECT_EQ(ident, "CHINESEBIG5_CHARSET");
}

TEST(TypInfoTest, StandInMetricsCountWideCharactersDouble) {
  TFont font;
  font.SetHeight(-12);
  const IFontMetrics& m = FontMetrics();
  EXPECT_EQ(m.TextWidth(font, "ab"), 12);
  EXPECT_EQ(m.TextWidth(font, "制表"), 24);
  EXPECT_EQ(m.TextWidth(font, "a制"), 18);
  EXPECT_EQ(m.TextHeight(font, "x"), 12);
  font.SetStyle({fsBold});
  EXPECT_EQ(m.TextWidth(font, "ab"), 14);

  struct TFixed : IFontMetrics {
    int TextWidth(const TFont&, std::string_view t) const override { return static_cast<int>(t.size()); }
    int TextHeight(const TFont&, std::string_view) const override { return 1; }
  } fixed;
  SetFontMetrics(&fixed);
  EXPECT_EQ(FontMetrics().TextWidth(font, "abc"), 3);
  SetFontMetrics(nullptr);
  EXPECT_EQ(FontMetrics().TextHeight(font, "x"), 12);
}

}  // namespace
