#include "StrUtils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cwctype>
#include <limits>
#include <locale.h>
#include <type_traits>

#include "Exceptions.h"
#include "Format.h"
#include "FormatSettings.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Parses the integer forms of the original run-time library: leading
// blanks, one sign, decimal digits or "$"/"x"/"0x" hexadecimal. Hexadecimal
// may use the full unsigned range of the type (wrapping as the original did).
template <class T>
bool ParseInteger(std::string_view s, T& out) {
  using U = std::make_unsigned_t<T>;
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == s.size()) return false;
  U value = 0;
  const U limit = hex ? std::numeric_limits<U>::max()
                      : static_cast<U>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
  const unsigned base = hex ? 16 : 10;
  for (; i < s.size(); ++i) {
    char c = s[i];
    unsigned digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  if (negative) value = static_cast<U>(0) - value;
  out = static_cast<T>(value);
  return true;
}

[[noreturn]] void InvalidInteger(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

locale_t Utf8Locale() {
  struct TLocale {
    locale_t Handle = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    ~TLocale() {
      if (Handle) freelocale(Handle);
    }
  };
  static TLocale locale;
  return locale.Handle;
}

// Decodes one character; false for an invalid or truncated sequence.
bool DecodeChar(std::string_view s, size_t& pos, char32_t& cp) {
  unsigned char b = s[pos];
  int extra;
  char32_t min;
  if (b < 0x80) {
    cp = b;
    ++pos;
    return true;
  } else if ((b & 0xE0) == 0xC0) {
    extra = 1, cp = b & 0x1F, min = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    extra = 2, cp = b & 0x0F, min = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    extra = 3, cp = b & 0x07, min = 0x10000;
  } else {
    return false;
  }
  if (pos + extra >= s.size()) return false;
  for (int k = 1; k <= extra; ++k) {
    unsigned char c = s[pos + k];
    if ((c & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  pos += extra + 1;
  return true;
}

template <class Map>
std::string MapChars(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    size_t start = pos;
    char32_t cp;
    if (DecodeChar(text, pos, cp)) {
      Utf8Append(out, map(cp));
    } else {
      out += text[start];
      pos = start + 1;
    }
  }
  return out;
}

char32_t UpperChar(char32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
  locale_t l = Utf8Locale();
  return l ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), l)) : cp;
}

char32_t LowerChar(char32_t cp) {
  if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
  locale_t l = Utf8Locale();
  return l ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), l)) : cp;
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

std::string IntToStr(int value) { return std::to_string(value); }
std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int value, int digits) { return Format("%.*x", {digits, value}); }

std::string IntToHex(int64_t value, int digits) {
  return Format("%.*x", {digits, static_cast<long long>(value)});
}

bool TryStrToInt(const std::string& text, int& value) { return ParseInteger(text, value); }

int StrToInt(const std::string& text) {
  int value;
  if (!ParseInteger(text, value)) InvalidInteger(text);
  return value;
}

int StrToIntDef(const std::string& text, int defaultValue) {
  int value;
  return ParseInteger(text, value) ? value : defaultValue;
}

bool TryStrToInt64(const std::string& text, int64_t& value) { return ParseInteger(text, value); }

int64_t StrToInt64(const std::string& text) {
  int64_t value;
  if (!ParseInteger(text, value)) InvalidInteger(text);
  return value;
}

int64_t StrToInt64Def(const std::string& text, int64_t defaultValue) {
  int64_t value;
  return ParseInteger(text, value) ? value : defaultValue;
}

std::string FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

bool TryStrToFloat(const std::string& text, double& value) {
  std::string_view s = text;
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  s = s.substr(b, e - b);
  // Accept exactly: sign, digits, optional decimal separator and digits
  // (at least one digit in all), optional exponent with sign and digits.
  std::string plain;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) plain += s[i++];
  int digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) plain += s[i++], ++digits;
  if (i < s.size() && s[i] == FormatSettings.DecimalSeparator) {
    plain += '.';
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) plain += s[i++], ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) plain += s[i++];
    int expDigits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) plain += s[i++], ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != s.size()) return false;
  double result = 0;
  const char* first = plain.data();
  if (*first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, plain.data() + plain.size(), result);
  // Out of the double range either way counts as no number.
  if (ec != std::errc() || ptr != plain.data() + plain.size()) return false;
  value = result;
  return true;
}

double StrToFloat(const std::string& text) {
  double value;
  if (!TryStrToFloat(text, value))
    throw EConvertError("'" + text + "' is not a valid floating point value");
  return value;
}

double StrToFloatDef(const std::string& text, double defaultValue) {
  double value;
  return TryStrToFloat(text, value) ? value : defaultValue;
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return std::string(text.substr(b, e - b));
}

std::string TrimLeft(std::string_view text) {
  size_t b = 0;
  while (b < text.size() && IsBlank(text[b])) ++b;
  return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
  size_t e = text.size();
  while (e > 0 && IsBlank(text[e - 1])) --e;
  return std::string(text.substr(0, e));
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c -= 32;
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c += 32;
  return out;
}

int CompareStr(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

int CompareText(std::string_view a, std::string_view b) {
  return CompareStr(UpperCase(a), UpperCase(b));
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string AnsiUpperCase(std::string_view text) { return MapChars(text, UpperChar); }
std::string AnsiLowerCase(std::string_view text) { return MapChars(text, LowerChar); }

int AnsiCompareText(std::string_view a, std::string_view b) {
  return CompareStr(AnsiUpperCase(a), AnsiUpperCase(b));
}

bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }
int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareStr(a, b); }
bool AnsiSameStr(std::string_view a, std::string_view b) { return a == b; }

int Pos(std::string_view sub, std::string_view text) { return PosEx(sub, text, 1); }

int PosEx(std::string_view sub, std::string_view text, int offset) {
  if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > text.size()) return 0;
  size_t at = text.find(sub, offset - 1);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Copy(std::string_view text, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || static_cast<size_t>(index) > text.size()) return {};
  return std::string(text.substr(index - 1, count));
}

void Delete(std::string& text, int index, int count) {
  if (index < 1 || count <= 0 || static_cast<size_t>(index) > text.size()) return;
  text.erase(index - 1, count);
}

void Insert(std::string_view sub, std::string& text, int index) {
  if (index < 1) index = 1;
  size_t at = std::min(static_cast<size_t>(index - 1), text.size());
  text.insert(at, sub);
}

std::string StringReplace(std::string_view text, std::string_view oldPattern,
                          std::string_view newPattern, TReplaceFlags flags) {
  if (oldPattern.empty()) return std::string(text);
  const bool ignoreCase = flags & rfIgnoreCase;
  // Folding keeps byte positions only for ASCII, so the case-insensitive
  // search folds ASCII letters; the pattern's other characters match exactly.
  const std::string hay = ignoreCase ? UpperCase(text) : std::string(text);
  const std::string needle = ignoreCase ? UpperCase(oldPattern) : std::string(oldPattern);
  std::string out;
  size_t from = 0;
  while (true) {
    size_t at = hay.find(needle, from);
    if (at == std::string::npos) break;
    out.append(text.substr(from, at - from));
    out.append(newPattern);
    from = at + needle.size();
    if (!(flags & rfReplaceAll)) break;
  }
  out.append(text.substr(from));
  return out;
}

std::string StringOfChar(char ch, int count) { return count > 0 ? std::string(count, ch) : ""; }

std::string QuotedStr(std::string_view text) { return AnsiQuotedStr(text, '\''); }

std::string AnsiQuotedStr(std::string_view text, char quote) {
  std::string out(1, quote);
  for (char c : text) {
    out += c;
    if (c == quote) out += c;
  }
  out += quote;
  return out;
}

std::string AnsiExtractQuotedStr(std::string_view text, size_t& pos, char quote) {
  if (pos >= text.size() || text[pos] != quote) return {};
  std::string out;
  size_t i = pos + 1;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        out += quote;
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    out += text[i++];
  }
  pos = i;
  return out;
}

std::string AnsiDequotedStr(std::string_view text, char quote) {
  if (text.size() < 2 || text.front() != quote) return std::string(text);
  size_t pos = 0;
  std::string inner = AnsiExtractQuotedStr(text, pos, quote);
  return pos == text.size() && text.back() == quote ? inner : std::string(text);
}

bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

char32_t Utf8Decode(std::string_view text, size_t& pos) {
  char32_t cp;
  if (DecodeChar(text, pos, cp)) return cp;
  ++pos;
  return 0xFFFD;
}

void Utf8Append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int Utf8Length(std::string_view text) {
  int count = 0;
  for (size_t pos = 0; pos < text.size(); ++count) Utf8Decode(text, pos);
  return count;
}

std::string Utf8Copy(std::string_view text, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0) return {};
  size_t pos = 0;
  for (int i = 1; i < index && pos < text.size(); ++i) Utf8Decode(text, pos);
  size_t start = pos;
  for (int i = 0; i < count && pos < text.size(); ++i) Utf8Decode(text, pos);
  return std::string(text.substr(start, pos - start));
}

std::string Utf8TruncateBytes(std::string_view text, size_t maxBytes) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t next = pos;
    Utf8Decode(text, next);
    if (next > maxBytes) break;
    pos = next;
  }
  return std::string(text.substr(0, pos));
}
