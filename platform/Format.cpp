#include "Format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "Exceptions.h"
#include "FormatSettings.h"
#include "StrUtils.h"

namespace {

// A decimal reading of a value: value = 0.Digits x 10^Exponent, Digits
// without trailing zeros (empty for zero).
struct TFloatRec {
  bool Negative = false;
  int Exponent = 0;
  std::string Digits;
};

// Rounds half away from zero to `precision` significant digits, and for
// the fixed formats to `decimals` places after the point, as the original
// run-time library did (not the round-half-even of printf).
TFloatRec FloatToDecimal(double value, int precision, int decimals) {
  TFloatRec rec;
  rec.Negative = std::signbit(value);
  if (value == 0) return rec;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.40e", std::fabs(value));
  std::string digits;
  const char* p = buffer;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  int exponent = std::atoi(p + 1) + 1;
  long wanted = std::min<long>(precision, static_cast<long>(exponent) + decimals);
  if (wanted < 0) return TFloatRec{};
  bool roundUp = digits[wanted] >= '5';
  digits.resize(wanted);
  if (roundUp) {
    int i = static_cast<int>(wanted) - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits.insert(digits.begin(), '1');
      ++exponent;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return TFloatRec{};
  rec.Exponent = exponent;
  rec.Digits = std::move(digits);
  return rec;
}

char DigitAt(const TFloatRec& rec, int i) {
  return i >= 0 && i < static_cast<int>(rec.Digits.size()) ? rec.Digits[i] : '0';
}

std::string ExponentText(int exponent, int minDigits, bool plusSign) {
  std::string out = exponent < 0 ? "-" : (plusSign ? "+" : "");
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) out.append(minDigits - digits.size(), '0');
  return out + digits;
}

// Integer part and `decimals` places of a rounded reading, with or without
// thousand separators; no sign.
std::string FixedText(const TFloatRec& rec, int decimals, bool thousands) {
  std::string integer;
  if (rec.Exponent <= 0) {
    integer = "0";
  } else {
    for (int i = 0; i < rec.Exponent; ++i) {
      if (thousands && i > 0 && (rec.Exponent - i) % 3 == 0) integer += FormatSettings.ThousandSeparator;
      integer += DigitAt(rec, i);
    }
  }
  if (decimals <= 0) return integer;
  integer += FormatSettings.DecimalSeparator;
  for (int i = 0; i < decimals; ++i) integer += DigitAt(rec, rec.Exponent + i);
  return integer;
}

std::string CurrencyText(const std::string& number, bool negative) {
  const std::string& c = FormatSettings.CurrencyString;
  if (!negative) {
    switch (FormatSettings.CurrencyFormat) {
      case 1: return number + c;
      case 2: return c + " " + number;
      case 3: return number + " " + c;
      default: return c + number;
    }
  }
  switch (FormatSettings.NegCurrFormat) {
    case 1: return "-" + c + number;
    case 2: return c + "-" + number;
    case 3: return c + number + "-";
    case 4: return "(" + number + c + ")";
    case 5: return "-" + number + c;
    case 6: return number + "-" + c;
    case 7: return number + c + "-";
    case 8: return "-" + number + " " + c;
    case 9: return "-" + c + " " + number;
    case 10: return number + " " + c + "-";
    case 11: return c + " " + number + "-";
    case 12: return c + " -" + number;
    case 13: return number + "- " + c;
    case 14: return "(" + c + " " + number + ")";
    case 15: return "(" + number + " " + c + ")";
    default: return "(" + c + number + ")";
  }
}

[[noreturn]] void FormatError(std::string_view fmt, bool missing) {
  std::string shown = Utf8TruncateBytes(fmt, 31);
  if (missing) throw EConvertError("No argument for format '" + shown + "'");
  throw EConvertError("Format '" + shown + "' invalid or incompatible with argument");
}

class TFormatter {
public:
  TFormatter(std::string_view fmt, std::span<const TVarRec> args) : FFmt(fmt), FArgs(args) {}

  std::string Run() {
    std::string out;
    size_t i = 0;
    while (i < FFmt.size()) {
      char c = FFmt[i++];
      if (c != '%') {
        out += c;
        continue;
      }
      if (i < FFmt.size() && FFmt[i] == '%') {
        out += '%';
        ++i;
        continue;
      }
      out += Placeholder(i);
    }
    return out;
  }

private:
  const TVarRec& NextArg() {
    if (FNext >= FArgs.size()) FormatError(FFmt, true);
    return FArgs[FNext++];
  }

  // A number or "*" (taken from the arguments); -1 when absent.
  int Number(size_t& i) {
    if (i < FFmt.size() && FFmt[i] == '*') {
      ++i;
      const TVarRec& arg = NextArg();
      if (arg.Kind() != TVarRec::vtInteger && arg.Kind() != TVarRec::vtInt64) FormatError(FFmt, false);
      return static_cast<int>(std::max<int64_t>(0, std::min<int64_t>(arg.Int(), 1 << 20)));
    }
    if (i >= FFmt.size() || !std::isdigit(static_cast<unsigned char>(FFmt[i]))) return -1;
    int value = 0;
    while (i < FFmt.size() && std::isdigit(static_cast<unsigned char>(FFmt[i]))) {
      value = std::min(value * 10 + (FFmt[i] - '0'), 1 << 20);
      ++i;
    }
    return value;
  }

  std::string Placeholder(size_t& i) {
    bool left = false;
    int width = -1;
    if (i < FFmt.size() && FFmt[i] == '-') {
      left = true;
      ++i;
    }
    int first = Number(i);
    if (!left && i < FFmt.size() && FFmt[i] == ':') {
      if (first < 0) FormatError(FFmt, false);
      FNext = static_cast<size_t>(first);
      ++i;
      if (i < FFmt.size() && FFmt[i] == '-') {
        left = true;
        ++i;
      }
      width = Number(i);
    } else {
      width = first;
    }
    int precision = -1;
    if (i < FFmt.size() && FFmt[i] == '.') {
      ++i;
      precision = Number(i);
      if (precision < 0) precision = 0;
    }
    if (i >= FFmt.size()) FormatError(FFmt, false);
    char type = static_cast<char>(std::toupper(static_cast<unsigned char>(FFmt[i++])));
    std::string text = Convert(type, precision, NextArg());
    int length = Utf8Length(text);
    if (width > length) {
      std::string pad(width - length, ' ');
      text = left ? text + pad : pad + text;
    }
    return text;
  }

  std::string Convert(char type, int precision, const TVarRec& arg) {
    switch (type) {
      case 'D': case 'U': case 'X': return IntegerText(type, precision, arg);
      case 'E': case 'F': case 'G': case 'N': case 'M': return FloatText(type, precision, arg);
      case 'S': {
        std::string s;
        if (arg.Kind() == TVarRec::vtString || arg.Kind() == TVarRec::vtChar) s = arg.Text();
        else if (arg.Kind() == TVarRec::vtCustom) s = arg.Custom()->AsString();
        else FormatError(FFmt, false);
        return precision >= 0 ? Utf8Copy(s, 1, precision) : s;
      }
      case 'P': {
        if (arg.Kind() != TVarRec::vtPointer) FormatError(FFmt, false);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(arg.Pointer())));
        return buffer;
      }
      default: FormatError(FFmt, false);
    }
  }

  std::string IntegerText(char type, int precision, const TVarRec& arg) {
    int64_t value;
    bool wide;
    if (arg.Kind() == TVarRec::vtInteger || arg.Kind() == TVarRec::vtInt64) {
      value = arg.Int();
      wide = arg.Kind() == TVarRec::vtInt64;
    } else if (arg.Kind() == TVarRec::vtCustom) {
      value = arg.Custom()->AsInt64();
      wide = value < INT32_MIN || value > INT32_MAX;
    } else {
      FormatError(FFmt, false);
    }
    bool negative = false;
    std::string digits;
    char buffer[32];
    if (type == 'D') {
      negative = value < 0;
      std::snprintf(buffer, sizeof buffer, "%llu",
                    negative ? 0ULL - static_cast<unsigned long long>(value)
                             : static_cast<unsigned long long>(value));
    } else {
      unsigned long long bits = wide ? static_cast<unsigned long long>(value)
                                     : static_cast<uint32_t>(value);
      std::snprintf(buffer, sizeof buffer, type == 'X' ? "%llX" : "%llu", bits);
    }
    digits = buffer;
    if (precision > static_cast<int>(digits.size()))
      digits.insert(0, precision - digits.size(), '0');
    return negative ? "-" + digits : digits;
  }

  std::string FloatText(char type, int precision, const TVarRec& arg) {
    double value;
    if (arg.Kind() == TVarRec::vtExtended) value = arg.Float();
    else if (arg.Kind() == TVarRec::vtCustom) value = arg.Custom()->AsFloat();
    else FormatError(FFmt, false);
    switch (type) {
      case 'E': return FloatToStrF(value, ffExponent, precision < 0 ? 15 : precision, 3);
      case 'G': return FloatToStrF(value, ffGeneral, precision < 0 ? 15 : precision, 0);
      case 'F': return FloatToStrF(value, ffFixed, 18, precision < 0 ? 2 : precision);
      case 'N': return FloatToStrF(value, ffNumber, 18, precision < 0 ? 2 : precision);
      default:
        return FloatToStrF(value, ffCurrency, 18,
                           precision < 0 ? FormatSettings.CurrencyDecimals : precision);
    }
  }

  std::string_view FFmt;
  std::span<const TVarRec> FArgs;
  size_t FNext = 0;
};

}  // namespace

std::string Format(std::string_view fmt, std::span<const TVarRec> args) {
  return TFormatter(fmt, args).Run();
}

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args) {
  return Format(fmt, std::span<const TVarRec>(args.begin(), args.size()));
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 18);
  switch (format) {
    case ffGeneral: {
      TFloatRec rec = FloatToDecimal(value, precision, 9999);
      if (rec.Digits.empty()) return "0";
      std::string out = rec.Negative ? "-" : "";
      const int n = static_cast<int>(rec.Digits.size());
      if (rec.Exponent > precision || rec.Exponent < -3) {
        out += rec.Digits[0];
        if (n > 1) out += FormatSettings.DecimalSeparator + rec.Digits.substr(1);
        return out + "E" + ExponentText(rec.Exponent - 1, std::clamp(digits, 0, 4), false);
      }
      int decimals = std::max(0, n - rec.Exponent);
      return out + FixedText(rec, decimals, false);
    }
    case ffExponent: {
      TFloatRec rec = FloatToDecimal(value, precision, 9999);
      std::string out = rec.Negative && !rec.Digits.empty() ? "-" : "";
      out += DigitAt(rec, 0);
      if (precision > 1) {
        out += FormatSettings.DecimalSeparator;
        for (int i = 1; i < precision; ++i) out += DigitAt(rec, i);
      }
      int exponent = rec.Digits.empty() ? 0 : rec.Exponent - 1;
      return out + "E" + ExponentText(exponent, std::clamp(digits, 0, 4), true);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      digits = std::clamp(digits, 0, 18);
      TFloatRec rec = FloatToDecimal(value, precision, digits);
      bool negative = rec.Negative && !rec.Digits.empty();
      std::string number = FixedText(rec, digits, format != ffFixed);
      if (format == ffCurrency) return CurrencyText(number, negative);
      return negative ? "-" + number : number;
    }
  }
  return {};
}
