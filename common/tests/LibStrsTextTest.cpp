#include <gtest/gtest.h>

#include "../../platform/tests/EnvGuard.h"
#include "LibStrs.h"
#include "StringList.h"

namespace {

TEST(Pieces, GetPieceAndPieceCount) {
  struct TCase {
    const char* Text;
    const char* Separator;
    int N;
    const char* Piece;
  };
  const TCase cases[] = {
      {"a;b;c", ";", 1, "a"}, {"a;b;c", ";", 2, "b"}, {"a;b;c", ";", 3, "c"},
      {"a;b;c", ";", 4, ""},  {"a;b;c", ";", 0, ""},  {"abc", ";", 1, "abc"},
      {"a;b;", ";", 3, ""},   {"a;;c", ";", 3, "c"},  {"a<>b<>c", "<>", 2, "b"},
      {"甲\x03乙", "\x03", 2, "乙"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(GetPiece(c.Text, c.Separator, c.N), c.Piece) << c.Text << " #" << c.N;

  const std::tuple<const char*, const char*, int> counts[] = {
      {"a;b;c", ";", 3}, {"", ";", 0}, {"abc", ";", 1}, {"a;b;", ";", 3}, {"aaa", "aa", 3}};
  for (const auto& [text, separator, count] : counts)
    EXPECT_EQ(PieceCount(text, separator), count) << text;
}

TEST(Pieces, CutFirstPieceAndSplitToList) {
  std::string text = "x", head;
  CutFirstPiece(text, ";", head);
  EXPECT_EQ(head, "x");
  EXPECT_EQ(text, "");
  text = "ab\r\ncd\r\n";
  CutFirstPiece(text, "\r\n", head);
  EXPECT_EQ(head, "ab");
  EXPECT_EQ(text, "cd\r\n");

  TStringList list;
  list.Add("kept");
  SplitToList("a\r\n\r\nb\r\n", "\r\n", list);
  SplitToList("", "\r\n", list);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Text(), "kept\r\na\r\n\r\nb\r\n");
}

TEST(TextHelpers, ReplaceAllText) {
  struct TCase {
    const char* Text;
    const char* Old;
    const char* New;
    bool Trim;
    const char* Result;
  };
  const TCase cases[] = {
      {"abc", "B", "b", false, "abc"},            // equal ignoring case: unchanged
      {"2004/03/05", "/", "", false, "20040305"},
      {"abbbc", "ab", "a", false, "ac"},          // the search restarts from the start
      {" ( A.X ) ", "A.", "B.", true, "( B.X )"},
      {"a.b", "a.", "xa.", false, "xa.b"},        // New holding Old: replaced once, no endless loop
      {"aXa", "a", "aa", false, "aaXaa"},
      {"abc", "", "x", false, "abc"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ReplaceAllText(c.Text, c.Old, c.New, c.Trim), c.Result) << c.Text << " " << c.Old;
}

TEST(TextHelpers, PaddingCountsLegacyBytes) {
  TEnvGuard codePage{"KESR_CODEPAGE", "936"};
  EXPECT_EQ(PadRightText("A01", 4), "A01 ");
  EXPECT_EQ(PadLeftText("7", 3, '0'), "007");
  EXPECT_EQ(PadRightText("ABCDE", 4), "ABCDE");
  EXPECT_EQ(PadRightText("客户", 6), "客户  ");
  EXPECT_EQ(PadLeftText("客户", 4), "客户");
}

TEST(TextHelpers, NumbersAndAddresses) {
  EXPECT_EQ(ZeroPadNumber(3, 7), "007");
  EXPECT_EQ(ZeroPadNumber(2, 123), "123");
  EXPECT_EQ(ZeroPadNumber(4, -5), "-0005");
  EXPECT_EQ(ZeroPadNumber(12, 9876543210LL), "009876543210");
  EXPECT_EQ(ZeroPadNumber(0, 0), "0");
  EXPECT_EQ(ZeroPadNumber(3, INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(ZeroPadNumber(50, 1), std::string(49, '0') + "1");
  EXPECT_DOUBLE_EQ(StrToFloatDefault("0.125", 0), 0.125);
  EXPECT_DOUBLE_EQ(StrToFloatDefault("12x", -1), -1);
  EXPECT_DOUBLE_EQ(StrToFloatDefault("", 3), 3);
  EXPECT_TRUE(IsLoopbackAddress("127.0.0.1"));
  EXPECT_FALSE(IsLoopbackAddress("localhost"));
  EXPECT_FALSE(IsLoopbackAddress(" 127.0.0.1"));
}

TEST(TextHelpers, LocalButtonCaption) {
  const std::pair<const char*, const char*> cases[] = {
      {"Yes", "是(&Y)"},      {"No", "否(&N)"},      {"OK", "确定"},         {"Cancel", "取消"},
      {"Abort", "中断(&A)"},  {"Retry", "重试(&R)"}, {"Ignore", "忽略(&I)"}, {"All", "全部(&A)"},
      {"NoToAll", "全否(&o)"}, {"YesToAll", "全是(&A)"}, {"Help", "帮助(&H)"},
      {"yes", "yes"},          {"Close", "Close"},
  };
  for (const auto& [name, caption] : cases) EXPECT_EQ(LocalButtonCaption(name), caption) << name;
}

TEST(TextHelpers, ReformatMaskedTextRemovesLiterals) {
  struct TCase {
    const char* Text;
    const char* Mask;
    const char* Result;
  };
  const TCase cases[] = {
      {"2004/03/05", "9999/99/99;1; ", "20040305"},
      {"03/05/2004", "99/99/9999;1; ", "03052004"},
      {"093/03/05", "999/99/99;1; ", "0930305"},
      {"2004/03/  ", "9999/99/99;1; ", "200403"},
      {"", "9999/99/99;1; ", ""},
      {"A01-20040001", "", "A01-20040001"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ReformatMaskedText(c.Text, c.Mask, ""), c.Result) << c.Text << " " << c.Mask;
}

TEST(TextHelpers, JoinVarListText) {
  EXPECT_EQ(JoinVarListText("Limits", VarArrayOf({2, "TC001", "TC004"})),
            "Limits\x03" "2\x03TC001\x03TC004\x03");
  EXPECT_EQ(JoinVarListText("Limits", VarArrayOf({0, "ignored"})), "Limits\x03" "0\x03");
  EXPECT_THROW(JoinVarListText("Limits", VarArrayOf({3, "a"})), EVariantError);
}

}  // namespace
