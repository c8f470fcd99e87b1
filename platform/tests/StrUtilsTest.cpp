#include "StrUtils.h"

#include <gtest/gtest.h>

#include <cmath>

#include "Exceptions.h"

namespace {

struct TIntCase {
  const char* Text;
  bool Valid;
  int Value;
};

TEST(StrToInt, AcceptsTheOriginalForms) {
  const TIntCase cases[] = {
      {"12", true, 12},        {" 12", true, 12},       {"12 ", false, 0},
      {"+5", true, 5},         {"-17", true, -17},      {"007", true, 7},
      {"$FF", true, 255},      {"$ff", true, 255},      {"0x1F", true, 31},
      {"x10", true, 16},       {"-$10", true, -16},     {"$FFFFFFFF", true, -1},
      {"$100000000", false, 0}, {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},                 {"2147483648", false, 0},
      {"-2147483649", false, 0}, {"", false, 0},        {" ", false, 0},
      {"-", false, 0},         {"$", false, 0},         {"1.5", false, 0},
      {"1e3", false, 0},       {"12abc", false, 0},     {"\t12", false, 0},
      {"１２", false, 0},
  };
  for (const TIntCase& c : cases) {
    int value = -999;
    EXPECT_EQ(TryStrToInt(c.Text, value), c.Valid) << "'" << c.Text << "'";
    if (c.Valid) {
      EXPECT_EQ(value, c.Value) << "'" << c.Text << "'";
    }
    EXPECT_EQ(StrToIntDef(c.Text, -999), c.Valid ? c.Value : -999) << "'" << c.Text << "'";
  }
}

TEST(StrToInt, ErrorNamesTheText) {
  try {
    StrToInt("12 x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12 x' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("9000000000"), 9000000000LL);
  EXPECT_EQ(StrToInt64Def("$FFFFFFFFFFFFFFFF", 0), -1);
}

TEST(IntToStr, WritesDecimalAndHex) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(int64_t{9000000000}), "9000000000");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{-1}, 2), "FFFFFFFFFFFFFFFF");
}

TEST(FloatToStr, ShortestGeneralFormWith15Digits) {
  const std::pair<double, const char*> cases[] = {
      {1.5, "1.5"},         {0.1, "0.1"},        {100, "100"},      {-2.5, "-2.5"},
      {0, "0"},             {-0.0, "0"},         {1e20, "1E20"},    {1e15, "1E15"},
      {1e14, "100000000000000"},                 {0.0001, "0.0001"}, {0.00001, "1E-5"},
      {1.0 / 3, "0.333333333333333"},            {2.675, "2.675"},  {0.125 * 100, "12.5"},
      {123456789012345678.0, "1.23456789012346E17"}, {-1.5e-10, "-1.5E-10"},
      {0.1 + 0.2, "0.3"},   {NAN, "NAN"},         {INFINITY, "INF"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FloatToStr(value), text) << text;
}

TEST(StrToFloat, ReadsPlainAndExponentForms) {
  const std::pair<const char*, double> valid[] = {
      {"1.5", 1.5}, {" 2.5 ", 2.5}, {"-3", -3}, {"+4", 4},   {"1e3", 1000},
      {"1E-2", 0.01}, {".5", 0.5},  {"5.", 5},  {"0012.50", 12.5},
  };
  for (const auto& [text, value] : valid) {
    double out = 0;
    EXPECT_TRUE(TryStrToFloat(text, out)) << text;
    EXPECT_DOUBLE_EQ(out, value) << text;
  }
  for (const char* text : {"", " ", "abc", "1,5", "1e", "e5", ".", "1.5x", "inf", "nan", "1e999", "--1"}) {
    double out = 7;
    EXPECT_FALSE(TryStrToFloat(text, out)) << text;
    EXPECT_EQ(out, 7) << text;
  }
  EXPECT_EQ(StrToFloatDef("bad", 0.5), 0.5);
  try {
    StrToFloat("1,5");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
  }
}

TEST(Trim, RemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a \x01"), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xE3\x80\x80中\xE3\x80\x80"), "\xE3\x80\x80中\xE3\x80\x80") << "ideographic spaces are text";
}

TEST(CaseMapping, AsciiRoutinesLeaveOtherLettersAlone) {
  EXPECT_EQ(UpperCase("café Ab"), "CAFé AB");
  EXPECT_EQ(LowerCase("ÉCOLE Ab"), "École ab");
  EXPECT_TRUE(SameText("Sys001", "SYS001"));
  EXPECT_FALSE(SameText("é", "É"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareStr("b", "a"), 0);
}

TEST(CaseMapping, AnsiRoutinesMapAllScripts) {
  const std::pair<const char*, const char*> cases[] = {
      {"café", "CAFÉ"},       {"straße", "STRAßE"}, {"αβγ ς", "ΑΒΓ Σ"},
      {"привет", "ПРИВЕТ"},   {"中文abc", "中文ABC"}, {"ÿ", "Ÿ"},
      {"\xFF" "a", "\xFF" "A"},  // an invalid byte is kept
  };
  for (const auto& [lower, upper] : cases) EXPECT_EQ(AnsiUpperCase(lower), upper) << lower;
  EXPECT_EQ(AnsiLowerCase("ΑΒΓ ПРИВЕТ ÉCOLE 中"), "αβγ привет école 中");
  EXPECT_TRUE(AnsiSameText("ÉCOLE", "école"));
  EXPECT_TRUE(AnsiSameText("<New>", "<NEW>"));
  EXPECT_FALSE(AnsiSameText("école", "ecole"));
  EXPECT_LT(AnsiCompareText("alpha", "BETA"), 0);
  EXPECT_EQ(AnsiCompareText("Ωmega", "ωMEGA"), 0);
}

TEST(Positions, OneBasedIndexesAndClipping) {
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(PosEx("b", "abcb", 3), 4);
  EXPECT_EQ(PosEx("b", "abcb", 5), 0);
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
  EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
  EXPECT_EQ(Copy("abcdef", 7, 1), "");
  EXPECT_EQ(Copy("abcdef", 2, -1), "");
  std::string s = "abcdef";
  Delete(s, 2, 2);
  EXPECT_EQ(s, "adef");
  Delete(s, 10, 2);
  Delete(s, 0, 2);
  EXPECT_EQ(s, "adef");
  Insert("XY", s, 2);
  EXPECT_EQ(s, "aXYdef");
  Insert("!", s, 100);
  EXPECT_EQ(s, "aXYdef!");
}

TEST(StringReplace, FlagsChooseAllAndCase) {
  EXPECT_EQ(StringReplace("a=b=c", "=", "$EQUAL$", rfReplaceAll), "a$EQUAL$b$EQUAL$c");
  EXPECT_EQ(StringReplace("a=b=c", "=", "-", 0), "a-b=c");
  EXPECT_EQ(StringReplace("Abc abc", "ABC", "x", rfReplaceAll | rfIgnoreCase), "x x");
  EXPECT_EQ(StringReplace("Abc abc", "ABC", "x", rfReplaceAll), "Abc abc");
  EXPECT_EQ(StringReplace("aaa", "a", "aa", rfReplaceAll), "aaaaaa");
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
}

TEST(Quoting, DoublesInnerQuotes) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
  size_t pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("'it''s' rest", pos, '\''), "it's");
  EXPECT_EQ(pos, 7u);
  pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("'open", pos, '\''), "open");
  EXPECT_EQ(pos, 5u);
  EXPECT_EQ(AnsiDequotedStr("'a''b'", '\''), "a'b");
  EXPECT_EQ(AnsiDequotedStr("'ab' c", '\''), "'ab' c");
  EXPECT_EQ(StringOfChar('0', 3), "000");
  EXPECT_EQ(StringOfChar('0', -1), "");
}

TEST(Utf8, CountsAndCutsWholeCharacters) {
  EXPECT_EQ(Utf8Length("中文ab"), 4);
  EXPECT_EQ(Utf8Length("\xE4\xB8"), 2) << "a truncated sequence counts per byte";
  EXPECT_EQ(Utf8Copy("中文字", 2, 1), "文");
  EXPECT_EQ(Utf8Copy("中文字", 2, 9), "文字");
  EXPECT_EQ(Utf8Copy("中文字", 4, 1), "");
  EXPECT_EQ(Utf8TruncateBytes("中文", 4), "中");
  EXPECT_EQ(Utf8TruncateBytes("中文", 2), "");
  size_t pos = 0;
  EXPECT_EQ(Utf8Decode("\xC0\x80", pos), U'\uFFFD') << "overlong forms are invalid";
  EXPECT_EQ(pos, 1u);
  std::string out;
  Utf8Append(out, U'\U0001F600');
  EXPECT_EQ(out, "\xF0\x9F\x98\x80");
}

}  // namespace
