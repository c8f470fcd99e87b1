// "yyyymmdd" date texts: parsing, display orders, shifting and the
// relative date rules of saved schemes.
#include "LibStrs.h"

#include <cstdio>

#include "Format.h"
#include "StrUtils.h"

namespace {

// Year, month and day of a "yyyymmdd" text by the platform's integer
// conversion; false when a part does not convert.
bool SplitYmd(const std::string& text, int& year, int& month, int& day) {
  return TryStrToInt(Copy(text, 1, 4), year) && TryStrToInt(Copy(text, 5, 2), month) &&
         TryStrToInt(Copy(text, 7, 2), day);
}

std::string YmdText(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
  return text;
}

std::string YmdText(TDateTime date) {
  int year, month, day;
  DecodeDate(date, year, month, day);
  return YmdText(year, month, day);
}

std::string SignChar(const std::string& sign) { return sign.substr(0, 1); }

}  // namespace

TDateTime ParseYmdDate(const std::string& Text) {
  int year, month, day;
  TDateTime date = 0;
  if (Text.size() != 8 || !SplitYmd(Text, year, month, day)) return 0;
  if (year == 0 || month == 0 || day == 0 || !TryEncodeDate(year, month, day, date)) return 0;
  return date;
}

bool IsValidYmdDate(const std::string& Text) {
  if (Text.empty()) return true;
  int year, month, day;
  if (!SplitYmd(Text, year, month, day) || !IsValidDate(year, month, day)) return false;
  return Text >= "17530101" && Text <= "99991231";
}

std::string FormatDateBySign(int DateType, const std::string& Sign, TDateTime Date) {
  if (Date == 0) return {};
  int year, month, day;
  DecodeDate(Date, year, month, day);
  const std::string s = SignChar(Sign);
  switch (DateType) {
    case 1: return Format("%.4d%s%.2d%s%.2d", {year, s, month, s, day});
    case 2: return Format("%.2d%s%.2d%s%.4d", {month, s, day, s, year});
    case 3: return Format("%.2d%s%.2d%s%.4d", {day, s, month, s, year});
    case 4: return Format("%.2d%s%.2d%s%.2d", {year - 1911, s, month, s, day});
    case 5: return Format("%.3d%s%.2d%s%.2d", {year - 1911, s, month, s, day});
    default: return {};
  }
}

std::string FormatMonthBySign(int DateType, const std::string& Sign, TDateTime Date) {
  if (Date == 0) return {};
  int year, month, day;
  DecodeDate(Date, year, month, day);
  const std::string s = SignChar(Sign);
  switch (DateType) {
    case 1: return Format("%.4d%s%.2d", {year, s, month});
    case 2:
    case 3: return Format("%.2d%s%.4d", {month, s, year});
    case 4: return Format("%.2d%s%.2d", {year - 1911, s, month});
    case 5: return Format("%.3d%s%.2d", {year - 1911, s, month});
    default: return {};
  }
}

int DaysOfMonth(int Year, int Month) {
  switch (Month) {
    case 2: return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0 ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12: return 31;
    default: return 0;
  }
}

std::string ShiftYmdDate(const Variant& Value, const std::string& Unit, int Count) {
  TDateTime date = 0;
  if (VarIsStr(Value)) date = ParseYmdDate(Value.AsString());
  else if (VarType(Value) == varDate) date = Value.AsDateTime();
  else return {};
  if (date == 0) return {};

  int year, month, day;
  DecodeDate(date, year, month, day);
  if (SameText(Unit, "Y")) {
    if (!IsValidDate(year + Count, month, day)) return YmdText(year, month, day);
    return YmdText(year + Count, month, day);
  }
  if (SameText(Unit, "M")) {
    const int t = year * 12 + month + Count;
    year = t / 12;
    month = t % 12;
    if (month == 0) {
      month = 12;
      --year;
    }
    while (day > 1 && !IsValidDate(year, month, day)) --day;
    return YmdText(year, month, day);
  }
  if (SameText(Unit, "D")) return YmdText(date + Count);
  return {};
}

std::string WeekBoundaryDate(const std::string& Base, int Count, const std::string& Which) {
  const std::string week = ShiftYmdDate(Base, "D", Count * 7);
  const int weekday = DayOfWeek(ParseYmdDate(week));
  return ShiftYmdDate(week, "D", Which == "1" ? 1 - weekday : 7 - weekday);
}

std::string EvalRelativeDate(const std::string& Base, const std::string& Count,
                             const std::string& UnitFlag, const std::string& Days,
                             const std::string& Mode) {
  if (Base.size() < 7) return ShiftYmdDate(Base + "01", "M", StrToInt(Count)).substr(0, 6);
  if (UnitFlag != "0") {
    const std::string shifted = ShiftYmdDate(Base, "M", StrToInt(Count));
    const int mode = StrToInt(Mode);
    // A base that is no date has no month to take the first or last day of.
    if (shifted.empty() && (mode == 1 || mode == 2)) return {};
    switch (mode) {
      case 0: return ShiftYmdDate(shifted, "D", StrToInt(Days));
      case 1: return shifted.substr(0, 6) + "01";
      case 2:
        return shifted.substr(0, 6) +
               IntToStr(DaysOfMonth(StrToInt(shifted.substr(0, 4)), StrToInt(shifted.substr(4, 2))));
      default: return shifted;
    }
  }
  if (Mode != "0") return WeekBoundaryDate(Base, StrToInt(Count), Mode);
  return ShiftYmdDate(Base, "D", StrToInt(Count) * 7 + StrToInt(Days));
}
