#pragma once
// The common library: pieces of delimited texts, padding and replacing,
// the WHERE-fragment builder and statement scanner of the report queries,
// "yyyymmdd" date texts, code-page conversion of variants, and the captions
// of message-box buttons. Nothing here keeps state between calls.
#include <cstdint>
#include <string>

#include "DateTime.h"
#include "Variant.h"

class TStrings;

// First element of a condition value that is a range, or a list of picks.
inline const std::string RangeMarker = "\x04";
inline const std::string ListMarker = "\x05";

// Pieces and text ----------------------------------------------------------

// The N-th (1-based) piece of Text cut at Separator; empty when there is none.
std::string GetPiece(const std::string& Text, const std::string& Separator, int N);
// 0 for an empty text, else the occurrences of Separator (overlapping ones
// included) plus one.
int PieceCount(const std::string& Text, const std::string& Separator);
// Head := the text before the first Separator and Text := the rest; without
// a separator Head takes all of Text.
void CutFirstPiece(std::string& Text, const std::string& Separator, std::string& Head);
// Adds every piece; a trailing separator adds no empty last piece.
void SplitToList(std::string Text, const std::string& Separator, TStrings& List);
// Replaces Old by New until Old no longer occurs (nothing when the two are
// equal ignoring case); TrimResult trims blanks and control characters.
std::string ReplaceAllText(const std::string& Text, const std::string& Old, const std::string& New,
                           bool TrimResult);
// Widths count the bytes the text takes in the system code page, the
// columns a fixed-width list shows.
std::string PadLeftText(const std::string& Text, int Width, char Fill = ' ');
std::string PadRightText(const std::string& Text, int Width, char Fill = ' ');
// Value in decimal with leading zeros to at least Width digits.
std::string ZeroPadNumber(int Width, std::int64_t Value);
double StrToFloatDefault(const std::string& Text, double Default);
bool IsLoopbackAddress(const std::string& Address);
// The Chinese caption of a standard dialog button by its English name.
std::string LocalButtonCaption(const std::string& Name);
// Text as a masked edit shows it after its mask changes from Mask to
// NewMask; an empty NewMask leaves the input without Mask's literals.
std::string ReformatMaskedText(const std::string& Text, const std::string& Mask,
                               const std::string& NewMask);
// Name, #3, the count in element 0, #3, then elements 1..count each
// followed by #3.
std::string JoinVarListText(const std::string& Name, const Variant& List);

// Dates ("yyyymmdd" texts; date value 0 means no date) -----------------------

TDateTime ParseYmdDate(const std::string& Text);
// True for the empty text and for valid dates from 17530101 to 99991231.
bool IsValidYmdDate(const std::string& Text);
// DateType 1 y/m/d, 2 m/d/y, 3 d/m/y, 4 and 5 the year less 1911 (two and
// three digits); joined by the first character of Sign.
std::string FormatDateBySign(int DateType, const std::string& Sign, TDateTime Date);
std::string FormatMonthBySign(int DateType, const std::string& Sign, TDateTime Date);
int DaysOfMonth(int Year, int Month);
// Value is a date text or a date; Unit "Y", "M" or "D". Empty when the
// value is no date or the unit is unknown.
std::string ShiftYmdDate(const Variant& Value, const std::string& Unit, int Count);
// The Sunday (Which "1") or Saturday of the week Count weeks from Base.
std::string WeekBoundaryDate(const std::string& Base, int Count, const std::string& Which);
// One date bound of a saved scheme from its rule; Count, Days and Mode are
// integer texts (EConvertError otherwise).
std::string EvalRelativeDate(const std::string& Base, const std::string& Count,
                             const std::string& UnitFlag, const std::string& Days,
                             const std::string& Mode);

// Variants -------------------------------------------------------------------

Variant VarChoose(bool Flag, const Variant& A, const Variant& B);
bool VarIsBlank(const Variant& V);
// Text decoded from CodePage; valid UTF-8 is already decoded and kept.
std::string AnsiToWideCodePage(const std::string& Text, const std::string& CodePage);
// Wide-string elements of one- and two-dimensional arrays decoded from
// CodePage (nested arrays of one-dimensional ones too).
Variant ConvertVarArrayCodePage(const Variant& Array, const std::string& CodePage);
// Any text, or the texts of an array, decoded from CodePage; a failure is
// written to the "libstrs" alert log.
Variant VarToWideCodePage(const Variant& Value, const std::string& CodePage);

// SQL ------------------------------------------------------------------------

enum TConditionShape { csSingle, csList, csMarkedRange, csRange };
TConditionShape ConditionValueShape(const Variant& Value);
// Kind 1 quotes values; kinds 2 and 3 write numbers as they are (and quote
// anything else); other kinds make no fragment.
std::string AddRangeCondition(const std::string& FieldExpr, const Variant& Value, int Offset,
                              int Kind);
std::string AddListCondition(const std::string& FieldExpr, const Variant& Value);
// Appends the fragment for Value to Where ("Where " first, then " and ").
void AddFieldCondition(std::string& Where, const std::string& FieldExpr, const Variant& Value,
                       std::string& Fragment, int Kind);
// Entries: [n, "TABLE condition on TABLE.columns", ...]; the condition is
// applied to every alias of TABLE in Sql, or that alias's row is absent.
// Excluded: upper-case aliases separated by ";".
void AddNullSafeTableConditions(const Variant& Entries, const std::string& Prefix,
                                const std::string& Sql, std::string& Result,
                                const std::string& Excluded);
// The alias under which Table is joined, given the text after its name.
std::string TableAliasAfter(const std::string& Table, const std::string& Rest);
