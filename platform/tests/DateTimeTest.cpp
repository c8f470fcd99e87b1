#include "DateTime.h"

#include <gtest/gtest.h>

#include <cmath>

#include "Exceptions.h"
#include "FormatSettings.h"

namespace {

struct TDateCase {
  int Year, Month, Day;
  double Serial;
  int Weekday;  // Sunday = 1
};

TEST(DateEncoding, KnownSerialsAndWeekdaysRoundTrip) {
  const TDateCase cases[] = {
      {1899, 12, 30, 0, 7},     {1899, 12, 29, -1, 6},   {1900, 1, 1, 2, 2},
      {1900, 3, 1, 61, 5},      {2000, 1, 1, 36526, 7},  {2000, 2, 29, 36585, 3},
      {2005, 3, 15, 38426, 3},  {1, 1, 1, -693593, 2},   {9999, 12, 31, 2958465, 6},
  };
  for (const TDateCase& c : cases) {
    TDateTime date = EncodeDate(c.Year, c.Month, c.Day);
    EXPECT_EQ(date, c.Serial) << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_EQ(DayOfWeek(date), c.Weekday) << c.Year << "-" << c.Month << "-" << c.Day;
    int y, m, d;
    // The time of day lies on the far side of zero for dates before 1899-12-30.
    DecodeDate(date >= 0 ? date + 0.75 : date - 0.75, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.Year * 10000 + c.Month * 100 + c.Day);
  }
}

TEST(DateEncoding, TimesBeforeTheEpochCountForwardFromMidnight) {
  // -1.25 is 29 December 1899, 06:00, as stored dates of the original mean it.
  int y, m, d, h, n, s, z;
  DecodeDateTime(-1.25, y, m, d, h, n, s, z);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(n + s + z, 0);
}

TEST(DateEncoding, InvalidPartsAreRefused) {
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_FALSE(IsValidDate(2005, 13, 1));
  EXPECT_FALSE(IsValidDate(2005, 4, 31));
  EXPECT_FALSE(IsValidDate(0, 1, 1));
  EXPECT_FALSE(IsValidDate(10000, 1, 1));
  TDateTime untouched = 5;
  EXPECT_FALSE(TryEncodeDate(2005, 0, 1, untouched));
  EXPECT_EQ(untouched, 5);
  try {
    EncodeDate(2005, 2, 30);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_EQ(DaysInAMonth(2004, 2), 29);
  EXPECT_EQ(DaysInAMonth(2100, 2), 28);
  EXPECT_TRUE(IsLeapYear(2400));
}

TEST(DateEncoding, ValuesOutsideTheCalendarDecodeAsZero) {
  for (double value : {1e300, -1e300, 3e6, -7e5, double(NAN), double(INFINITY)}) {
    int y = -1, m = -1, d = -1, h = -1, n = -1, s = -1, z = -1;
    DecodeDateTime(value, y, m, d, h, n, s, z);
    EXPECT_EQ(y + m + d + h + n + s + z, 0) << value;
    EXPECT_EQ(FormatDateTime("yyyy mmm mmmm hh", value), "0000   00") << value;
  }
}

TEST(TimeEncoding, MillisecondsSurviveTheRoundTrip) {
  TDateTime t = EncodeTime(23, 59, 59, 999);
  int h, n, s, z;
  DecodeTime(t, h, n, s, z);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + z, 235959999);
  DecodeTime(EncodeDate(2005, 3, 15) + EncodeTime(10, 20, 30, 1), h, n, s, z);
  EXPECT_EQ(z, 1);
}

TEST(IncMonth, ClipsTheDayAndKeepsTheTime) {
  TDateTime jan31 = EncodeDate(2005, 1, 31) + 0.5;
  EXPECT_EQ(IncMonth(jan31, 1), EncodeDate(2005, 2, 28) + 0.5);
  EXPECT_EQ(IncMonth(jan31, -2), EncodeDate(2004, 11, 30) + 0.5);
  EXPECT_EQ(IncMonth(EncodeDate(2004, 2, 29), 12), EncodeDate(2005, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2005, 12, 15), 1), EncodeDate(2006, 1, 15));
}

struct TPatternCase {
  const char* Pattern;
  const char* Expected;
};

TEST(FormatDateTime, PatternsOfTheModule) {
  TDateTime value = EncodeDate(2005, 3, 5) + EncodeTime(14, 7, 9, 45);
  const TPatternCase cases[] = {
      {"yyyymmdd", "20050305"},
      {"yyyy/mm/dd hh:nn:ss:zzz", "2005/03/05 14:07:09:045"},
      {"YYYY/MM/DD hh:nn:ss:zzz", "2005/03/05 14:07:09:045"},
      {"yyyymmddhhnnss", "20050305140709"},
      {"yyyy-mm-dd", "2005-03-05"},
      {"hh:nn:ss", "14:07:09"},
      {"hh:mm", "14:07"},
      {"h:m:s.z", "14:7:9.45"},
      {"yy/m/d", "05/3/5"},
      {"ddd dddd mmm mmmm", "Sat Saturday Mar March"},
      {"ddddd", "2005/03/05"},
      {"c", "2005/03/05 14:07:09"},
      {"hh:nn am/pm", "02:07 pm"},
      {"h a/p", "2 p"},
      {"h ampm", "2 PM"},
      {"'yyyy' \"mm\" yyyy", "yyyy mm 2005"},
      {"yyyy年mm月dd日", "2005年03月05日"},
  };
  for (const TPatternCase& c : cases)
    EXPECT_EQ(FormatDateTime(c.Pattern, value), c.Expected) << c.Pattern;
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2005, 3, 5)), "2005/03/05") << "no time at midnight";
  EXPECT_EQ(FormatDateTime("hh am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
}

// Saves and restores the settings a test changes.
class DateSettings : public testing::Test {
protected:
  void TearDown() override { FormatSettings = FSaved; }
  TFormatSettings FSaved = FormatSettings;
};

TEST_F(DateSettings, SeparatorsAndShortDateComeFromTheSettings) {
  FormatSettings.DateSeparator = '-';
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  TDateTime value = EncodeDate(2005, 3, 15);
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd", value), "2005-03-15");
  EXPECT_EQ(DateToStr(value), "15-03-2005");
  EXPECT_EQ(StrToDate("15-03-2005"), value);
  EXPECT_EQ(StrToDate(" 1-3-2005 "), EncodeDate(2005, 3, 1));
}

TEST_F(DateSettings, StrToDateReadsInTheShortDateOrder) {
  static TDateTime fixed;
  fixed = EncodeDate(2026, 6, 1) + 0.5;
  TNowSource previous = SetNowSource([] { return fixed; });
  struct TCase {
    const char* Format;
    const char* Text;
    int Year, Month, Day;
  } cases[] = {
      {"yyyy/mm/dd", "2005/03/15", 2005, 3, 15}, {"mm/dd/yyyy", "03/15/2005", 2005, 3, 15},
      {"dd/mm/yyyy", "15/03/2005", 2005, 3, 15}, {"yyyy/mm/dd", "3/15", 2026, 3, 15},
      {"yyyy/mm/dd", "05/3/15", 2005, 3, 15},    {"yyyy/mm/dd", "80/3/15", 1980, 3, 15},
      {"yyyy/mm/dd", "76/3/15", 1976, 3, 15},
      {"yyyy/mm/dd", "75/3/15", 2075, 3, 15},
  };
  for (const TCase& c : cases) {
    FormatSettings.ShortDateFormat = c.Format;
    TDateTime date = 0;
    ASSERT_TRUE(TryStrToDate(c.Text, date)) << c.Text;
    EXPECT_EQ(date, EncodeDate(c.Year, c.Month, c.Day)) << c.Text;
  }
  FormatSettings.ShortDateFormat = "yyyy/mm/dd";
  for (const char* bad : {"", "2005", "2005/02/30", "2005/x/01", "2005/03/15/1", "20050315", "2005-03-15"}) {
    TDateTime date = 0;
    EXPECT_FALSE(TryStrToDate(bad, date)) << bad;
  }
  try {
    StrToDate("2005/13/01");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'2005/13/01' is not a valid date");
  }
  EXPECT_EQ(Date(), EncodeDate(2026, 6, 1));
  EXPECT_EQ(Time(), 0.5);
  SetNowSource(previous);
}

TEST(Clock, SystemNowIsToday) {
  TDateTime now = Now();
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  EXPECT_LE(Date(), now);
}

}  // namespace
