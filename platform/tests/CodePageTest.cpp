#include "CodePage.h"

#include <gtest/gtest.h>

namespace {

struct TLengthCase {
  const char* Text;
  const char* CodePage;
  int Bytes;
};

TEST(LegacyByteLength, ChineseCharactersCountTwo) {
  const TLengthCase cases[] = {
      {"", "936", 0},
      {"abc", "936", 3},
      {"中文", "936", 4},
      {"ab中", "936", 4},
      {"一二三四五六七八九十", "936", 20},
      {"中文", "950", 4},
      {"銷售訂單", "950", 8},
      {"中文", "437", 2},  // no such characters: one "?" each
      {"é", "437", 1},
      {"\xF0\x9F\x98\x80", "936", 1},
  };
  for (const TLengthCase& c : cases)
    EXPECT_EQ(LegacyByteLength(c.Text, c.CodePage), c.Bytes) << c.Text << " in " << c.CodePage;
}

TEST(LegacyConversion, RoundTripsTheChineseCodePages) {
  EXPECT_EQ(Utf8ToLegacy("中文", "936"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Utf8ToLegacy("中文", "950"), "\xA4\xA4\xA4\xE5");
  EXPECT_EQ(LegacyToUtf8("\xD6\xD0\xCE\xC4", "936"), "中文");
  EXPECT_EQ(LegacyToUtf8("\xA4\xA4\xA4\xE5", "950"), "中文");
  EXPECT_EQ(LegacyToUtf8("plain", "437"), "plain");
  const std::string mixed = "单据 No.1 €";
  EXPECT_EQ(LegacyToUtf8(Utf8ToLegacy(mixed, "936"), "936"), mixed);
}

TEST(LegacyConversion, BadBytesBecomeQuestionMarks) {
  EXPECT_EQ(LegacyToUtf8("\xD6", "936"), "?") << "a cut-off double-byte character";
  EXPECT_EQ(LegacyToUtf8("a\xFF" "b", "936"), "a?b");
  EXPECT_EQ(Utf8ToLegacy("a\xFF" "b", "936"), "a?b") << "invalid UTF-8 input";
  EXPECT_EQ(Utf8ToLegacy("x\xF0\x9F\x98\x80y", "950"), "x?y");
}

TEST(LegacyConversion, UnknownCodePagesRaise) {
  for (const char* codePage : {"", "GBK", "99999"}) {
    EXPECT_THROW(Utf8ToLegacy("a", codePage), ECodePageError) << codePage;
    EXPECT_THROW(LegacyToUtf8("a", codePage), EConvertError) << codePage;
  }
}

TEST(IsValidUtf8, AcceptsOnlyWellFormedText) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("abc 中文 \xEF\xBF\xBD"));
  EXPECT_FALSE(IsValidUtf8("\xD6\xD0\xCE\xC4"));
  EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
}

TEST(DecodeText, MarksThenUtf8ThenTheNamedCodePage) {
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF中文", "950"), "中文");
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x2D\x4E", 4), "936"), "中");
  EXPECT_EQ(DecodeText(std::string("\xFE\xFF\x4E\x2D", 4), "936"), "中");
  EXPECT_EQ(DecodeText("中文", "950"), "中文");
  EXPECT_EQ(DecodeText("\xD6\xD0\xCE\xC4", "936"), "中文");
  EXPECT_EQ(DecodeText("\xA4\xA4\xA4\xE5", "950"), "中文");
}

}  // namespace
