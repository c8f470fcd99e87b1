#include "DateTime.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cmath>
#include <ctime>
#include <vector>

#include "Exceptions.h"
#include "FormatSettings.h"
#include "StrUtils.h"

namespace {

// Days from 0001-01-01 to 1899-12-30.
constexpr int64_t DateDelta = 693594;
constexpr int64_t MSecsPerDayInt = 86400000;

const int MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                              {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Whole days since 0001-01-01 (day 1) and milliseconds of the day, the
// time always counted forward from midnight as the original did for dates
// before 1899-12-30.
struct TTimeStamp {
  int64_t Date;
  int64_t Time;
};

TTimeStamp ToTimeStamp(TDateTime value) {
  // Outside 0001-01-01 .. 9999-12-31 there is no calendar date: all parts read 0.
  if (!(value > -DateDelta - 1 && value < 2958466)) return {0, 0};
  int64_t ms = std::llround(value * MSecsPerDay);
  return {DateDelta + ms / MSecsPerDayInt, std::llabs(ms) % MSecsPerDayInt};
}

void DecodeDays(int64_t days, int& year, int& month, int& day) {
  // days: since 0001-01-01 = 1
  if (days <= 0) {
    year = month = day = 0;
    return;
  }
  int64_t t = days - 1;
  int64_t y = 1;
  y += 400 * (t / 146097);
  t %= 146097;
  int64_t i = std::min<int64_t>(t / 36524, 3);
  y += 100 * i;
  t -= i * 36524;
  y += 4 * (t / 1461);
  t %= 1461;
  i = std::min<int64_t>(t / 365, 3);
  y += i;
  t -= i * 365;
  year = static_cast<int>(y);
  const int* table = MonthDays[IsLeapYear(year) ? 1 : 0];
  int m = 0;
  while (t >= table[m]) t -= table[m++];
  month = m + 1;
  day = static_cast<int>(t) + 1;
}

TDateTime SystemNow() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, ms);
}

TNowSource CurrentNowSource = nullptr;

std::string Pad(int value, int digits) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < digits) s.insert(0, digits - s.size(), '0');
  return s;
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix) {
  return text.size() - pos >= prefix.size() && SameText(text.substr(pos, prefix.size()), prefix);
}

class TDateFormatter {
public:
  explicit TDateFormatter(TDateTime value) {
    DecodeDateTime(value, FYear, FMonth, FDay, FHour, FMin, FSec, FMSec);
    FDayOfWeek = DayOfWeek(value);
    FMidnight = FHour == 0 && FMin == 0 && FSec == 0 && FMSec == 0;
  }

  std::string Run(std::string_view format, int depth = 0) {
    std::string out;
    // Nested formats (c, ddddd, t...) cannot recurse endlessly through
    // settings that name each other.
    if (depth > 2) return out;
    bool lastWasHour = false;
    size_t i = 0;
    while (i < format.size()) {
      char c = format[i];
      char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      size_t run = 1;
      while (i + run < format.size() &&
             std::toupper(static_cast<unsigned char>(format[i + run])) == u && std::isalpha(static_cast<unsigned char>(c)))
        ++run;
      bool hour = false;
      switch (u) {
        case '\'':
        case '"': {
          size_t end = format.find(c, i + 1);
          if (end == std::string_view::npos) end = format.size();
          out.append(format.substr(i + 1, end - i - 1));
          i = std::min(end + 1, format.size());
          continue;
        }
        case '/': out += FormatSettings.DateSeparator; run = 1; break;
        case ':': out += FormatSettings.TimeSeparator; run = 1; break;
        case 'Y':
          out += run <= 2 ? Pad(FYear % 100, 2) : Pad(FYear, 4);
          break;
        case 'M':
          if (lastWasHour && run <= 2) {
            out += Pad(FMin, run == 1 ? 1 : 2);
          } else if (run == 1 || run == 2) {
            out += Pad(FMonth, static_cast<int>(run));
          } else if (run == 3) {
            out += MonthName(FormatSettings.ShortMonthNames);
          } else {
            out += MonthName(FormatSettings.LongMonthNames);
            run = 4;
          }
          break;
        case 'D':
          if (run <= 2) out += Pad(FDay, static_cast<int>(run));
          else if (run == 3) out += FormatSettings.ShortDayNames[FDayOfWeek - 1];
          else if (run == 4) out += FormatSettings.LongDayNames[FDayOfWeek - 1];
          else if (run == 5) out += Run(FormatSettings.ShortDateFormat, depth + 1);
          else {
            out += Run(FormatSettings.LongDateFormat, depth + 1);
            run = 6;
          }
          break;
        case 'C':
          out += Run(FormatSettings.ShortDateFormat, depth + 1);
          if (!FMidnight) out += " " + Run(FormatSettings.LongTimeFormat, depth + 1);
          run = 1;
          break;
        case 'H':
          out += Pad(HourFor(format), run == 1 ? 1 : 2);
          run = std::min<size_t>(run, 2);
          hour = true;
          break;
        case 'N': out += Pad(FMin, run == 1 ? 1 : 2); run = std::min<size_t>(run, 2); break;
        case 'S': out += Pad(FSec, run == 1 ? 1 : 2); run = std::min<size_t>(run, 2); break;
        case 'Z': out += Pad(FMSec, run >= 3 ? 3 : 1); run = run >= 3 ? 3 : 1; break;
        case 'T':
          out += Run(run == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat, depth + 1);
          run = std::min<size_t>(run, 2);
          break;
        case 'A':
          if (StartsWithNoCase(format, i, "am/pm")) {
            out += format.substr(FHour >= 12 ? i + 3 : i, 2);
            run = 5;
          } else if (StartsWithNoCase(format, i, "a/p")) {
            out += FHour >= 12 ? format[i + 2] : format[i];
            run = 3;
          } else if (StartsWithNoCase(format, i, "ampm")) {
            out += FHour >= 12 ? FormatSettings.TimePMString : FormatSettings.TimeAMString;
            run = 4;
          } else {
            out += c;
            run = 1;
          }
          break;
        default: out.append(format.substr(i, run)); break;
      }
      // "m" right after an hour (separators between) means minutes.
      if (std::isalpha(static_cast<unsigned char>(c))) lastWasHour = hour;
      i += run;
    }
    return out;
  }

private:
  std::string MonthName(const std::array<std::string, 12>& names) const {
    return FMonth >= 1 && FMonth <= 12 ? names[FMonth - 1] : std::string();
  }

  // 12-hour clock when the format carries an am/pm marker.
  int HourFor(std::string_view format) const {
    bool twelve = false;
    for (size_t k = 0; k < format.size(); ++k)
      if (StartsWithNoCase(format, k, "am/pm") || StartsWithNoCase(format, k, "a/p") ||
          StartsWithNoCase(format, k, "ampm"))
        twelve = true;
    if (!twelve) return FHour;
    int h = FHour % 12;
    return h == 0 ? 12 : h;
  }

  int FYear, FMonth, FDay, FHour, FMin, FSec, FMSec, FDayOfWeek;
  bool FMidnight;
};

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return MonthDays[IsLeapYear(year) ? 1 : 0][month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInAMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (!IsValidDate(year, month, day)) return false;
  const int* table = MonthDays[IsLeapYear(year) ? 1 : 0];
  int64_t days = day;
  for (int m = 0; m < month - 1; ++m) days += table[m];
  int64_t y = year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  date = static_cast<double>(days - DateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
  return date;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
  if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 ||
      msec >= 1000)
    return false;
  time = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime time;
  if (!TryEncodeTime(hour, min, sec, msec, time)) throw EConvertError("Invalid argument to time encode");
  return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  DecodeDays(ToTimeStamp(date).Date, year, month, day);
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
  int64_t ms = ToTimeStamp(time).Time;
  hour = static_cast<int>(ms / 3600000);
  min = static_cast<int>(ms / 60000 % 60);
  sec = static_cast<int>(ms / 1000 % 60);
  msec = static_cast<int>(ms % 1000);
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min,
                    int& sec, int& msec) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, min, sec, msec);
}

int DayOfWeek(TDateTime date) {
  int64_t days = ToTimeStamp(date).Date;
  return static_cast<int>(((days % 7) + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }
TDateTime TimeOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }

TDateTime IncMonth(TDateTime date, int months) {
  int year, month, day;
  DecodeDate(date, year, month, day);
  int total = year * 12 + (month - 1) + months;
  year = total / 12;
  month = total % 12 + 1;
  day = std::min(day, DaysInAMonth(year, month));
  double time = date - std::trunc(date);
  TDateTime result = EncodeDate(year, month, day);
  return result >= 0 ? result + std::fabs(time) : result - std::fabs(time);
}

TNowSource SetNowSource(TNowSource source) {
  TNowSource previous = CurrentNowSource;
  CurrentNowSource = source;
  return previous;
}

TDateTime Now() { return CurrentNowSource ? CurrentNowSource() : SystemNow(); }
TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() { return TimeOf(Now()); }

std::string FormatDateTime(std::string_view format, TDateTime value) {
  return TDateFormatter(value).Run(format.empty() ? "c" : format);
}

std::string DateToStr(TDateTime date) { return FormatDateTime("ddddd", date); }
std::string TimeToStr(TDateTime time) { return FormatDateTime("tt", time); }
std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }

bool TryStrToDate(const std::string& text, TDateTime& date) {
  // The order of day, month and year is that of ShortDateFormat.
  enum { dmy, mdy, ymd } order = ymd;
  for (char c : FormatSettings.ShortDateFormat) {
    char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (u == 'Y') { order = ymd; break; }
    if (u == 'M') { order = mdy; break; }
    if (u == 'D') { order = dmy; break; }
  }
  std::vector<std::string> parts;
  std::string trimmed = Trim(text);
  size_t start = 0;
  while (true) {
    size_t at = trimmed.find(FormatSettings.DateSeparator, start);
    parts.push_back(Trim(std::string_view(trimmed).substr(start, at == std::string::npos ? std::string::npos : at - start)));
    if (at == std::string::npos) break;
    start = at + 1;
  }
  if (parts.size() < 2 || parts.size() > 3) return false;
  std::vector<int> numbers;
  std::vector<size_t> lengths;
  for (const std::string& p : parts) {
    if (p.empty() || p.size() > 4) return false;
    for (char c : p)
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    numbers.push_back(std::stoi(p));
    lengths.push_back(p.size());
  }
  int year, month, day;
  size_t yearIndex;
  int currentYear, m0, d0;
  DecodeDate(Date(), currentYear, m0, d0);
  if (numbers.size() == 2) {
    year = currentYear;
    yearIndex = SIZE_MAX;
    if (order == dmy) { day = numbers[0]; month = numbers[1]; }
    else { month = numbers[0]; day = numbers[1]; }
  } else {
    switch (order) {
      case ymd: year = numbers[0]; month = numbers[1]; day = numbers[2]; yearIndex = 0; break;
      case mdy: month = numbers[0]; day = numbers[1]; year = numbers[2]; yearIndex = 2; break;
      default: day = numbers[0]; month = numbers[1]; year = numbers[2]; yearIndex = 2; break;
    }
    if (lengths[yearIndex] <= 2) {
      int window = FormatSettings.TwoDigitYearCenturyWindow;
      int century = currentYear - window;
      year += century / 100 * 100;
      if (window > 0 && year < century) year += 100;
    }
  }
  return TryEncodeDate(year, month, day, date);
}

TDateTime StrToDate(const std::string& text) {
  TDateTime date;
  if (!TryStrToDate(text, date)) throw EConvertError("'" + text + "' is not a valid date");
  return date;
}
