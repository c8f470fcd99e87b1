#include <gtest/gtest.h>

#include "LibStrs.h"

namespace {

TEST(YmdDates, ParseAndValidate) {
  EXPECT_EQ(ParseYmdDate("20040305"), EncodeDate(2004, 3, 5));
  for (const char* text : {"", "2004030", "200403051", "20040230", "00000101", "20040005", "2004ab05"})
    EXPECT_EQ(ParseYmdDate(text), 0) << text;

  const std::pair<const char*, bool> valid[] = {
      {"", true},          {"20040229", true},  {"17530101", true}, {"99991231", true},
      {"17521231", false}, {"20040230", false}, {"20030229", false}, {"2004ab01", false},
  };
  for (const auto& [text, expected] : valid) EXPECT_EQ(IsValidYmdDate(text), expected) << text;
}

TEST(YmdDates, FormatBySign) {
  const TDateTime march5 = EncodeDate(2004, 3, 5);
  struct TCase {
    int Type;
    const char* Sign;
    TDateTime Date;
    const char* Day;
    const char* Month;
  };
  const TCase cases[] = {
      {1, "/", march5, "2004/03/05", "2004/03"},
      {2, "/", march5, "03/05/2004", "03/2004"},
      {3, "-", march5, "05-03-2004", "03-2004"},
      {4, "-", EncodeDate(2004, 1, 1), "93-01-01", "93-01"},
      {5, "/", march5, "093/03/05", "093/03"},
      {1, "", march5, "20040305", "200403"},
      {1, "./", march5, "2004.03.05", "2004.03"},
      {6, "/", march5, "", ""},
      {0, "/", march5, "", ""},
      {1, "/", 0, "", ""},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FormatDateBySign(c.Type, c.Sign, c.Date), c.Day) << c.Type << c.Sign;
    EXPECT_EQ(FormatMonthBySign(c.Type, c.Sign, c.Date), c.Month) << c.Type << c.Sign;
  }
}

TEST(YmdDates, DaysOfMonth) {
  const std::tuple<int, int, int> cases[] = {{2004, 2, 29}, {2003, 2, 28}, {1900, 2, 28},
                                             {2000, 2, 29}, {2004, 4, 30}, {2004, 12, 31},
                                             {2004, 0, 0},  {2004, 13, 0}};
  for (const auto& [year, month, days] : cases) EXPECT_EQ(DaysOfMonth(year, month), days) << year << "-" << month;
}

TEST(YmdDates, ShiftYmdDate) {
  struct TCase {
    Variant Value;
    const char* Unit;
    int Count;
    const char* Result;
  };
  const TCase cases[] = {
      {"20040131", "M", 1, "20040229"},  {"20030131", "m", 1, "20030228"},
      {"20041215", "M", 1, "20050115"},  {"20040115", "M", -1, "20031215"},
      {"20041130", "M", 1, "20041230"},  {"20040331", "M", -13, "20030228"},
      {"20040229", "Y", 1, "20040229"},  {"20040228", "y", -1, "20030228"},
      {"20040301", "D", -1, "20040229"}, {"20041231", "d", 1, "20050101"},
      {"2004013", "D", 1, ""},           {"", "D", 1, ""},
      {"20040101", "W", 1, ""},          {Variant::FromDate(EncodeDate(2004, 3, 5)), "D", 2, "20040307"},
      {Variant(38051), "D", 1, ""},      {Null(), "D", 1, ""},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ShiftYmdDate(c.Value, c.Unit, c.Count), c.Result) << VarToStr(c.Value) << c.Unit << c.Count;
}

TEST(YmdDates, WeekBoundaryDate) {
  EXPECT_EQ(WeekBoundaryDate("20040317", 0, "1"), "20040314");
  EXPECT_EQ(WeekBoundaryDate("20040317", 0, "2"), "20040320");
  EXPECT_EQ(WeekBoundaryDate("20040317", 1, "1"), "20040321");
  EXPECT_EQ(WeekBoundaryDate("20040314", -1, "7"), "20040313");
  EXPECT_EQ(WeekBoundaryDate("", 0, "1"), "");
}

TEST(YmdDates, EvalRelativeDate) {
  struct TCase {
    const char* Base;
    const char* Count;
    const char* UnitFlag;
    const char* Days;
    const char* Mode;
    const char* Result;
  };
  const TCase cases[] = {
      {"20040315", "1", "1", "0", "2", "20040430"},   // last day of next month
      {"20040315", "1", "1", "0", "1", "20040401"},   // first day
      {"20040315", "1", "1", "5", "0", "20040420"},   // month then days
      {"20040131", "1", "1", "0", "9", "20040229"},   // other mode: the shifted month
      {"200403", "-1", "1", "0", "0", "200402"},      // a month base
      {"200401", "-1", "0", "x", "x", "200312"},
      {"20040317", "0", "0", "0", "1", "20040314"},   // week: Sunday
      {"20040317", "0", "0", "0", "2", "20040320"},   // week: Saturday
      {"20040317", "-2", "0", "3", "0", "20040306"},  // weeks and days
      {"2004031x", "1", "1", "0", "1", ""},           // no date, no first day
      {"2004031x", "1", "1", "0", "2", ""},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(EvalRelativeDate(c.Base, c.Count, c.UnitFlag, c.Days, c.Mode), c.Result)
        << c.Base << " " << c.Count << " " << c.UnitFlag << " " << c.Days << " " << c.Mode;

  EXPECT_THROW(EvalRelativeDate("20040315", "one", "1", "0", "0"), EConvertError);
  EXPECT_THROW(EvalRelativeDate("20040315", "1", "1", "0", "last"), EConvertError);
  EXPECT_THROW(EvalRelativeDate("20040315", "1", "0", "", "0"), EConvertError);
}

}  // namespace
