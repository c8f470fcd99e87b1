#include "EditMask.h"

#include "FormatSettings.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kYmd = "9999/99/99;1; ";
constexpr const char* kMdy = "99/99/9999;1; ";
constexpr const char* kRocYmd = "999/99/99;1; ";
constexpr const char* kOrderNo = "!aaaa\\-aaaaaaaaaaa;0; ";

TEST(EditMask, ParsesFields) {
  TEditMask ymd(kYmd);
  EXPECT_TRUE(ymd.IsMasked());
  EXPECT_TRUE(ymd.SaveLiterals());
  EXPECT_EQ(ymd.Blank(), U' ');
  EXPECT_EQ(ymd.EditLength(), 10);
  EXPECT_TRUE(ymd.IsLiteral(4));
  EXPECT_FALSE(ymd.IsRequired(0));

  TEditMask order(kOrderNo);
  EXPECT_FALSE(order.SaveLiterals());
  EXPECT_TRUE(order.Reverse());
  EXPECT_EQ(order.EditLength(), 16);
  EXPECT_TRUE(order.IsLiteral(4));

  TEditMask defaults("00:00");
  EXPECT_TRUE(defaults.SaveLiterals());
  EXPECT_EQ(defaults.Blank(), U'_');
  EXPECT_TRUE(defaults.IsRequired(0));

  EXPECT_FALSE(TEditMask("").IsMasked());
}

struct TMaskCase {
  const char* Mask;
  const char* Text;      // assigned to Text
  const char* EditText;  // what the edit then shows
  const char* Read;      // Text read back
  const char* Bare;      // re-formatted to an empty mask
};

class EditMaskTable : public ::testing::TestWithParam<TMaskCase> {};

TEST_P(EditMaskTable, TextEditTextAndReformat) {
  const TMaskCase& c = GetParam();
  TEditMask m(c.Mask);
  std::string edit = m.EditTextFromText(c.Text);
  EXPECT_EQ(edit, c.EditText);
  EXPECT_EQ(m.TextFromEditText(edit), c.Read);
  EXPECT_EQ(ReformatEditText(edit, c.Mask, ""), c.Bare);
  // Reading Text and assigning it again changes nothing.
  EXPECT_EQ(m.EditTextFromText(m.TextFromEditText(edit)), edit);
}

INSTANTIATE_TEST_SUITE_P(
    ModuleMasks, EditMaskTable,
    ::testing::Values(
        TMaskCase{kYmd, "2004/05/01", "2004/05/01", "2004/05/01", "20040501"},
        TMaskCase{kYmd, "", "    /  /  ", "    /  /  ", ""},
        TMaskCase{kYmd, "2004/5/1", "2004/5 /1 ", "2004/5 /1 ", "20045 1"},
        TMaskCase{kYmd, "2004/05", "2004/05/  ", "2004/05/  ", "200405"},
        TMaskCase{kYmd, "20040501", "2004/05/01", "2004/05/01", "20040501"},
        TMaskCase{kMdy, "05/01/2004", "05/01/2004", "05/01/2004", "05012004"},
        TMaskCase{kMdy, "", "  /  /    ", "  /  /    ", ""},
        TMaskCase{kRocYmd, "093/03/05", "093/03/05", "093/03/05", "0930305"},
        TMaskCase{kRocYmd, "", "   /  /  ", "   /  /  ", ""},
        // Without saved literals Text is the bare input; with '!' it is set
        // right-aligned and keeps the blanks behind the input.
        TMaskCase{kOrderNo, "A00120040501001", "A001-20040501001", "A00120040501001",
                  "A00120040501001"},
        TMaskCase{kOrderNo, "A1", "    -         A1", "A1", "A1"},
        TMaskCase{kOrderNo, "", "    -           ", "", ""},
        TMaskCase{kOrderNo, "A0012004       ", "A001-2004       ", "A0012004       ",
                  "A0012004       "},
        // Chinese literals and input take one position each.
        TMaskCase{"9999年99月;1;_", "2004年5月", "2004年5_月", "2004年5 月", "20045"}));

TEST(EditMask, EmptyTextWithAndWithoutLiterals) {
  // The text an empty edit shows: the blank with its literals when they are
  // saved, nothing when they are not.
  EXPECT_EQ(TEditMask(kYmd).EmptyText(), "    /  /  ");
  EXPECT_EQ(TEditMask("9999/99/99;0; ").EmptyText(), "");
  EXPECT_EQ(TEditMask("9999/99/99;0;_").EmptyEditText(), "____/__/__");
  EXPECT_EQ(TEditMask(kOrderNo).EmptyText(), "");
  EXPECT_EQ(TEditMask("").EmptyText(), "");
}

TEST(EditMask, ReformatToAnotherMask) {
  // Input characters survive a mask change; literals of the new mask come in.
  EXPECT_EQ(ReformatEditText("2004/05/01", kYmd, "9999-99-99;1;_"), "2004-05-01");
  EXPECT_EQ(ReformatEditText("20040501", "", kYmd), "2004/05/01");
  EXPECT_EQ(ReformatEditText("2004/05/  ", kYmd, "9999-99-99;1;_"), "2004-05-__");
  EXPECT_EQ(FormatMaskText(kYmd, "2004/05/01"), "2004/05/01");
  EXPECT_EQ(FormatMaskText("9999/99/99;0;_", "20040501"), "20040501");
}

TEST(EditMask, SeparatorsFollowTheLocale) {
  char saved = FormatSettings.DateSeparator;
  FormatSettings.DateSeparator = '-';
  TEditMask m(kYmd);
  FormatSettings.DateSeparator = saved;
  EXPECT_EQ(m.EditTextFromText("2004-05-01"), "2004-05-01");
  EXPECT_EQ(TEditMask("99:99;1;_").EmptyEditText(), "__:__");
}

TEST(EditMask, BlankCharacterShownAsSpaceInText) {
  TEditMask m("9999/99/99;1;_");
  EXPECT_EQ(m.EditTextFromText("2004/5/"), "2004/5_/__");
  EXPECT_EQ(m.TextFromEditText("2004/5_/__"), "2004/5 /  ");
  TEditMask bare("9999/99/99;0;_");
  EXPECT_EQ(bare.TextFromEditText("2004/5_/__"), "20045");
  EXPECT_EQ(bare.EditTextFromText("2004 5"), "2004/_5/__");
}

TEST(EditMask, AcceptsCaseAndValidate) {
  TEditMask m(">LL<ll0#;1;_");
  EXPECT_TRUE(m.Accepts(0, U'x'));
  EXPECT_FALSE(m.Accepts(0, U'1'));
  EXPECT_EQ(m.ApplyCase(0, U'x'), U'X');
  EXPECT_EQ(m.ApplyCase(2, U'Q'), U'q');
  EXPECT_TRUE(m.Accepts(5, U'-'));
  EXPECT_FALSE(m.Accepts(4, U'+'));
  EXPECT_EQ(m.Validate("ABcd1+"), -1);
  EXPECT_EQ(m.Validate("AB__1_"), -1);  // optional positions may stay blank
  EXPECT_EQ(m.Validate("A_cd1+"), 1);   // a required letter missing
  EXPECT_EQ(m.Validate("ABcdx+"), 4);   // a letter where a digit belongs
  EXPECT_EQ(TEditMask("9999/99/99;1; ").NextEditable(4), 5);
}

TEST(EditMask, MalformedTextIsFittedNotLost) {
  TEditMask m(kYmd);
  // Too long: the surplus is cut at the mask's end; literals forced in place.
  EXPECT_EQ(m.Conform("2004/05/0199"), "2004/05/01");
  EXPECT_EQ(m.Conform("200405"), "2004/05/  ");
  // An escaped mask character is a literal; a trailing escape is ignored.
  TEditMask esc("\\99\\;;1;_");
  EXPECT_EQ(esc.EditLength(), 3);
  EXPECT_EQ(esc.EmptyEditText(), "9_;");
  EXPECT_EQ(TEditMask("9\\").EditLength(), 1);
  // Bytes that are not UTF-8 are kept one position each.
  EXPECT_EQ(TEditMask("ccc;1;_").Conform("\xff" "a"), "\xff" "a_");
}

}  // namespace
