#pragma once
// Dates and times as days since 30 December 1899 (the fraction is the time
// of day), with the encode/decode, calendar and text routines of the
// original platform. Text forms follow FormatSettings.
#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = 24.0 * 60 * 60 * 1000;

// Raises EConvertError "Invalid argument to date encode" for an invalid date.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// Raises EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min,
                    int& sec, int& msec);

bool IsValidDate(int year, int month, int day);
bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
// Sunday = 1 .. Saturday = 7.
int DayOfWeek(TDateTime date);
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// Shifts by months, keeping the time and clipping the day to the month's length.
TDateTime IncMonth(TDateTime date, int months = 1);

// The local clock; tests may swap the source. SetNowSource returns the
// previous source; nullptr restores the system clock.
using TNowSource = TDateTime (*)();
TNowSource SetNowSource(TNowSource source);
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Pattern letters (case-insensitive): y yy yyyy, m mm mmm mmmm (minutes
// after h), d dd ddd dddd, ddddd short date, dddddd long date, c (short
// date and, unless midnight, long time), h hh, n nn, s ss, z zzz, t tt,
// am/pm a/p ampm, "/" date separator, ":" time separator, '...' and
// "..." literal.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateToStr(TDateTime date);
std::string TimeToStr(TDateTime time);
std::string DateTimeToStr(TDateTime value);

// Reads a date written in the order of ShortDateFormat with
// DateSeparator; two numbers mean the current year. Raises EConvertError
// "'x' is not a valid date".
TDateTime StrToDate(const std::string& text);
bool TryStrToDate(const std::string& text, TDateTime& date);
