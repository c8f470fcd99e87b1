#pragma once
// Text routines in the platform's vocabulary. Strings are UTF-8; indexes
// given to Pos/Copy/Delete/Insert are 1-based byte positions, as the
// module's algorithms count them. The Utf8* helpers count characters.
#include <cstdint>
#include <string>
#include <string_view>

// Integers
std::string IntToStr(int value);
std::string IntToStr(int64_t value);
// At least `digits` upper-case hex digits; negative values in two's
// complement of their own width (8 digits for int, 16 for int64_t).
std::string IntToHex(int value, int digits);
std::string IntToHex(int64_t value, int digits);
// Decimal or "$"/"0x" hexadecimal, optional sign, leading blanks allowed,
// anything after the number refused. Raises EConvertError
// "'x' is not a valid integer value".
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int defaultValue);
bool TryStrToInt(const std::string& text, int& value);
int64_t StrToInt64(const std::string& text);
int64_t StrToInt64Def(const std::string& text, int64_t defaultValue);
bool TryStrToInt64(const std::string& text, int64_t& value);

// Floating point. FloatToStr writes the shortest general form with 15
// significant digits ("1.5", "0.1", "1E20", "1E-5").
std::string FloatToStr(double value);
// Blanks around the number allowed; FormatSettings.DecimalSeparator is the
// decimal point. Raises EConvertError "'x' is not a valid floating point value".
double StrToFloat(const std::string& text);
double StrToFloatDef(const std::string& text, double defaultValue);
bool TryStrToFloat(const std::string& text, double& value);

// Blanks are all characters up to and including the space (control codes).
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// ASCII letters only.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);

// Full Unicode simple case mapping of UTF-8 text (accented Latin, Greek,
// Cyrillic...); Chinese and invalid bytes are kept as they are.
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
bool AnsiSameText(std::string_view a, std::string_view b);
// <0, 0, >0 comparing case-insensitively by code point.
int AnsiCompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b);

// 1-based position of the first occurrence, 0 when absent or sub is empty.
int Pos(std::string_view sub, std::string_view text);
// As Pos, starting the search at 1-based offset.
int PosEx(std::string_view sub, std::string_view text, int offset = 1);
// Count bytes from 1-based index; out-of-range parts are clipped.
std::string Copy(std::string_view text, int index, int count);
void Delete(std::string& text, int index, int count);
void Insert(std::string_view sub, std::string& text, int index);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
std::string StringReplace(std::string_view text, std::string_view oldPattern,
                          std::string_view newPattern, TReplaceFlags flags);

std::string StringOfChar(char ch, int count);
// Quoted with ' and inner quotes doubled.
std::string QuotedStr(std::string_view text);
std::string AnsiQuotedStr(std::string_view text, char quote);
// Reads a quoted text starting at pos (which must hold the quote): doubled
// quotes become one, reading stops after the closing quote or at the end.
// pos is advanced past what was read. Text not starting with quote: empty, pos unchanged.
std::string AnsiExtractQuotedStr(std::string_view text, size_t& pos, char quote);
// The text without its surrounding quotes when it is quoted, else unchanged.
std::string AnsiDequotedStr(std::string_view text, char quote);

// UTF-8 helpers
bool IsUtf8Continuation(unsigned char byte);
// Number of characters; an invalid byte counts as one character.
int Utf8Length(std::string_view text);
// Characters from 1-based character index; never splits a character.
std::string Utf8Copy(std::string_view text, int index, int count);
// The longest prefix of at most maxBytes bytes that ends on a character boundary.
std::string Utf8TruncateBytes(std::string_view text, size_t maxBytes);
// Decodes one code point at pos and advances pos; an invalid byte decodes
// as U+FFFD and advances by one.
char32_t Utf8Decode(std::string_view text, size_t& pos);
void Utf8Append(std::string& out, char32_t codePoint);
