#pragma once
// Locale settings that number and date conversions read, settable at run
// time as the original globals were. Defaults are those of the suite's
// Chinese installations, with English month and day names.
#include <array>
#include <string>

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "yyyy/mm/dd";
  std::string LongDateFormat = "yyyy/mm/dd";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string CurrencyString = "$";
  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  int CurrencyFormat = 0;
  // 0 "($1)" 1 "-$1" 2 "$-1" 3 "$1-" 4 "(1$)" 5 "-1$" 6 "1-$" 7 "1$-"
  // 8 "-1 $" 9 "-$ 1" 10 "1 $-" 11 "$ 1-" 12 "$ -1" 13 "1- $" 14 "($ 1)" 15 "(1 $)"
  int NegCurrFormat = 0;
  int CurrencyDecimals = 2;
  // Two-digit years read within this many years of the current one
  // (0: always the current century).
  int TwoDigitYearCenturyWindow = 50;
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  // Sunday first.
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
};

// The process-wide settings every conversion routine uses.
extern TFormatSettings FormatSettings;
