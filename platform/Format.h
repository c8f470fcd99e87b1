#pragma once
// Format(fmt, {args...}) with the placeholder language of the original
// platform: "%" [index ":"] ["-"] [width] ["." precision] type, where type is
// one of d u x X e f g n m p s, width and precision may be "*" (taken from
// the next argument), and "%%" writes a percent sign. An argument that does
// not fit its placeholder, or a missing one, raises EConvertError.
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A value that converts itself to what a placeholder asks for when it is
// formatted (variants do so). Conversion failures raise their own errors.
class TFormatValue {
public:
  virtual ~TFormatValue() = default;
  virtual int64_t AsInt64() const = 0;
  virtual double AsFloat() const = 0;
  virtual std::string AsString() const = 0;
};

// One argument of Format. Other types join in by declaring, next to the
// type, `TVarRec MakeVarRec(const T&)` (found by argument-dependent look-up),
// typically returning TVarRec(std::make_shared<SomeFormatValue>(value)).
class TVarRec {
public:
  enum TKind { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean, vtCustom };

  TVarRec(int value) : FKind(vtInteger), FInt(value) {}
  TVarRec(unsigned value) : FKind(vtInt64), FInt(value) {}
  TVarRec(long value) : FKind(sizeof(long) == 4 ? vtInteger : vtInt64), FInt(value) {}
  TVarRec(unsigned long value) : FKind(vtInt64), FInt(static_cast<int64_t>(value)) {}
  TVarRec(long long value) : FKind(vtInt64), FInt(value) {}
  TVarRec(unsigned long long value) : FKind(vtInt64), FInt(static_cast<int64_t>(value)) {}
  TVarRec(short value) : FKind(vtInteger), FInt(value) {}
  TVarRec(unsigned short value) : FKind(vtInteger), FInt(value) {}
  TVarRec(double value) : FKind(vtExtended), FFloat(value) {}
  TVarRec(float value) : FKind(vtExtended), FFloat(value) {}
  TVarRec(bool value) : FKind(vtBoolean), FInt(value ? 1 : 0) {}
  TVarRec(char value) : FKind(vtChar), FString(1, value) {}
  TVarRec(const char* value) : FKind(vtString), FString(value ? value : "") {}
  TVarRec(std::string value) : FKind(vtString), FString(std::move(value)) {}
  TVarRec(std::string_view value) : FKind(vtString), FString(value) {}
  TVarRec(const void* value) : FKind(vtPointer), FPointer(value) {}
  explicit TVarRec(std::shared_ptr<const TFormatValue> value)
      : FKind(vtCustom), FCustom(std::move(value)) {}

  template <class T>
    requires requires(const T& v) {
      { MakeVarRec(v) } -> std::same_as<TVarRec>;
    }
  TVarRec(const T& value) : TVarRec(MakeVarRec(value)) {}

  TKind Kind() const { return FKind; }
  int64_t Int() const { return FInt; }
  double Float() const { return FFloat; }
  const std::string& Text() const { return FString; }
  const void* Pointer() const { return FPointer; }
  const TFormatValue* Custom() const { return FCustom.get(); }

private:
  TKind FKind;
  int64_t FInt = 0;
  double FFloat = 0;
  std::string FString;
  const void* FPointer = nullptr;
  std::shared_ptr<const TFormatValue> FCustom;
};

using TVarRecs = std::vector<TVarRec>;

std::string Format(std::string_view fmt, std::span<const TVarRec> args);
std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args);
inline std::string Format(std::string_view fmt, const TVarRecs& args) {
  return Format(fmt, std::span<const TVarRec>(args));
}

// Float formats of FloatToStrF: general (shortest, up to precision
// significant digits), exponent, fixed, number (thousand separators), currency.
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
// precision: significant digits (1..18); digits: exponent digits for
// ffGeneral/ffExponent (0..4), decimals for the others.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
