#include "Variant.h"

#include <cmath>
#include <limits>
#include <utility>

#include "Automation.h"
#include "DateTime.h"
#include "Format.h"
#include "StrUtils.h"

namespace {

[[noreturn]] void CastError(TVarType from, TVarType to) {
  throw EVariantError("Could not convert variant of type (" + VarTypeAsText(from) +
                      ") into type (" + VarTypeAsText(to) + ")");
}

[[noreturn]] void OverflowError(TVarType from, TVarType to) {
  throw EVariantError("Overflow while converting variant of type (" + VarTypeAsText(from) +
                      ") into type (" + VarTypeAsText(to) + ")");
}

bool IsIntegral(TVarType type) {
  return type == varSmallint || type == varInteger || type == varByte || type == varInt64 ||
         type == varBoolean;
}

// Rounds half to even, as the conversions of the original platform do.
std::int64_t RoundToInt64(double value, TVarType from, TVarType to) {
  const double rounded = std::nearbyint(value);
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
    OverflowError(from, to);
  return static_cast<std::int64_t>(rounded);
}

std::int64_t CheckRange(std::int64_t value, TVarType from, TVarType to) {
  std::int64_t low = std::numeric_limits<std::int64_t>::min();
  std::int64_t high = std::numeric_limits<std::int64_t>::max();
  switch (to) {
    case varSmallint: low = -32768; high = 32767; break;
    case varInteger: low = std::numeric_limits<std::int32_t>::min();
                     high = std::numeric_limits<std::int32_t>::max(); break;
    case varByte: low = 0; high = 255; break;
    default: break;
  }
  if (value < low || value > high) OverflowError(from, to);
  return value;
}

// "True"/"False" in any case, or a number (non-zero is true).
bool TextToBool(const std::string& text, bool& value) {
  const std::string trimmed = Trim(text);
  if (SameText(trimmed, "True") || SameText(trimmed, "False")) {
    value = SameText(trimmed, "True");
    return true;
  }
  double number;
  if (!TryStrToFloat(trimmed, number)) return false;
  value = number != 0.0;
  return true;
}

}  // namespace

Variant::TArrayBox::TArrayBox(std::unique_ptr<TVarArrayData> data) noexcept
    : FData(std::move(data)) {}
Variant::TArrayBox::TArrayBox(const TArrayBox& other)
    : FData(std::make_unique<TVarArrayData>(*other.FData)) {}
Variant::TArrayBox::TArrayBox(TArrayBox&& other) noexcept = default;
Variant::TArrayBox& Variant::TArrayBox::operator=(const TArrayBox& other) {
  FData = std::make_unique<TVarArrayData>(*other.FData);
  return *this;
}
Variant::TArrayBox& Variant::TArrayBox::operator=(TArrayBox&& other) noexcept = default;
Variant::TArrayBox::~TArrayBox() = default;

Variant::Variant(std::shared_ptr<IDispatch> object) noexcept
    : FType(varDispatch), FValue(std::move(object)) {}

Variant::Variant(const Variant& other) = default;

// A moved-from variant is left empty, never as an array without its data.
Variant::Variant(Variant&& other) noexcept
    : FType(std::exchange(other.FType, varEmpty)),
      FValue(std::exchange(other.FValue, std::monostate{})) {}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    Variant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    FType = std::exchange(other.FType, varEmpty);
    FValue = std::exchange(other.FValue, std::monostate{});
  }
  return *this;
}

Variant::~Variant() = default;

Variant Variant::OleStr(std::string value) { return Variant(varOleStr, std::move(value)); }

Variant Variant::FromDate(double dateTime) {
  Variant result(dateTime);
  result.FType = varDate;
  return result;
}

Variant Variant::FromArray(std::unique_ptr<TVarArrayData> data) {
  Variant result;
  result.FType = static_cast<TVarType>(varArray | data->ElementType());
  result.FValue = TArrayBox(std::move(data));
  return result;
}

bool Variant::IsNumeric() const noexcept {
  return IsIntegral(FType) || FType == varDouble || FType == varDate;
}

std::int64_t Variant::IntegerOf(TVarType target) const {
  switch (FType) {
    case varEmpty: return 0;
    case varSmallint: case varInteger: case varByte: case varInt64: case varBoolean:
      return CheckRange(std::get<std::int64_t>(FValue), FType, target);
    case varDouble: case varDate:
      return CheckRange(RoundToInt64(std::get<double>(FValue), FType, target), FType, target);
    case varString: case varOleStr: {
      const std::string& text = std::get<std::string>(FValue);
      std::int64_t number;
      if (TryStrToInt64(text, number)) return CheckRange(number, FType, target);
      double real;
      if (TryStrToFloat(text, real))
        return CheckRange(RoundToInt64(real, FType, target), FType, target);
      bool flag;
      if (TextToBool(text, flag)) return flag ? -1 : 0;
      CastError(FType, target);
    }
    default: CastError(FType, target);
  }
}

std::int64_t Variant::AsInt64() const { return IntegerOf(varInt64); }

std::int32_t Variant::AsInteger() const {
  return static_cast<std::int32_t>(IntegerOf(varInteger));
}

double Variant::AsDouble() const {
  switch (FType) {
    case varEmpty: return 0.0;
    case varSmallint: case varInteger: case varByte: case varInt64: case varBoolean:
      return static_cast<double>(std::get<std::int64_t>(FValue));
    case varDouble: case varDate: return std::get<double>(FValue);
    case varString: case varOleStr: {
      const std::string& text = std::get<std::string>(FValue);
      double real;
      if (TryStrToFloat(text, real)) return real;
      bool flag;
      if (TextToBool(text, flag)) return flag ? -1.0 : 0.0;
      CastError(FType, varDouble);
    }
    default: CastError(FType, varDouble);
  }
}

bool Variant::AsBoolean() const {
  switch (FType) {
    case varEmpty: return false;
    case varSmallint: case varInteger: case varByte: case varInt64: case varBoolean:
      return std::get<std::int64_t>(FValue) != 0;
    case varDouble: case varDate: return std::get<double>(FValue) != 0.0;
    case varString: case varOleStr: {
      bool flag;
      if (TextToBool(std::get<std::string>(FValue), flag)) return flag;
      CastError(FType, varBoolean);
    }
    default: CastError(FType, varBoolean);
  }
}

std::string Variant::AsString() const {
  switch (FType) {
    case varEmpty: return {};
    case varSmallint: case varInteger: case varByte: case varInt64:
      return IntToStr(std::get<std::int64_t>(FValue));
    case varBoolean: return std::get<std::int64_t>(FValue) != 0 ? "True" : "False";
    case varDouble: return FloatToStr(std::get<double>(FValue));
    case varDate: return DateTimeToStr(std::get<double>(FValue));
    case varString: case varOleStr: return std::get<std::string>(FValue);
    default: CastError(FType, varString);
  }
}

double Variant::AsDateTime() const {
  if (IsString()) {
    double date;
    if (TryStrToDate(std::get<std::string>(FValue), date)) return date;
    CastError(FType, varDate);
  }
  if (FType == varEmpty || IsNumeric()) return AsDouble();
  CastError(FType, varDate);
}

std::shared_ptr<IDispatch> Variant::AsObject() const {
  if (FType != varDispatch)
    throw EOleError("Variant of type (" + VarTypeAsText(FType) +
                    ") does not hold an automation object");
  return std::get<std::shared_ptr<IDispatch>>(FValue);
}

TVarArrayData& Variant::CheckedArray() const {
  if (!IsArray()) throw EVariantError("Variant is not an array");
  return *std::get<TArrayBox>(FValue).Get();
}

TVarArrayData* Variant::ArrayData() noexcept {
  return IsArray() ? std::get<TArrayBox>(FValue).Get() : nullptr;
}

const TVarArrayData* Variant::ArrayData() const noexcept {
  return IsArray() ? std::get<TArrayBox>(FValue).Get() : nullptr;
}

namespace {

Variant& ElementRef(TVarArrayData& data, const int* indexes, int count) {
  if (data.ElementType() != varVariant) throw EVariantError("Invalid variant operation");
  return data.At(data.Position(indexes, count));
}

}  // namespace

Variant& Variant::operator[](int index) { return ElementRef(CheckedArray(), &index, 1); }

const Variant& Variant::operator[](int index) const {
  const TVarArrayData& data = CheckedArray();
  return data.At(data.Position(&index, 1));
}

Variant& Variant::operator()(int index1, int index2) {
  const int indexes[] = {index1, index2};
  return ElementRef(CheckedArray(), indexes, 2);
}

const Variant& Variant::operator()(int index1, int index2) const {
  const int indexes[] = {index1, index2};
  const TVarArrayData& data = CheckedArray();
  return data.At(data.Position(indexes, 2));
}

Variant Variant::GetElement(const std::vector<int>& indexes) const {
  const TVarArrayData& data = CheckedArray();
  return data.At(data.Position(indexes.data(), static_cast<int>(indexes.size())));
}

void Variant::PutElement(const std::vector<int>& indexes, const Variant& value) {
  TVarArrayData& data = CheckedArray();
  Variant& element = data.At(data.Position(indexes.data(), static_cast<int>(indexes.size())));
  element = data.ElementType() == varVariant ? value : VarAsType(value, data.ElementType());
}

Variant Null() { return VarAsType(Variant(), varNull); }

Variant Unassigned() { return Variant(); }

TVarType VarType(const Variant& value) noexcept { return value.Type(); }

std::string VarTypeAsText(TVarType type) {
  std::string name;
  switch (type & varTypeMask) {
    case varEmpty: name = "Empty"; break;
    case varNull: name = "Null"; break;
    case varSmallint: name = "Smallint"; break;
    case varInteger: name = "Integer"; break;
    case varDouble: name = "Double"; break;
    case varDate: name = "Date"; break;
    case varOleStr: name = "OleStr"; break;
    case varDispatch: name = "Dispatch"; break;
    case varBoolean: name = "Boolean"; break;
    case varVariant: name = "Variant"; break;
    case varByte: name = "Byte"; break;
    case varInt64: name = "Int64"; break;
    case varString: name = "String"; break;
    default: name = "$" + std::to_string(type & varTypeMask); break;
  }
  return (type & varArray) ? "Array " + name : name;
}

bool VarIsEmpty(const Variant& value) noexcept { return value.IsEmpty(); }
bool VarIsNull(const Variant& value) noexcept { return value.IsNull(); }
bool VarIsArray(const Variant& value) noexcept { return value.IsArray(); }
bool VarIsStr(const Variant& value) noexcept { return value.IsString(); }

std::string VarToStr(const Variant& value) { return VarToStrDef(value, {}); }

std::string VarToStrDef(const Variant& value, const std::string& defaultValue) {
  return value.IsNull() ? defaultValue : value.AsString();
}

Variant VarAsType(const Variant& value, TVarType type) {
  if (type == value.Type() || type == varVariant) return value;
  const TVarType from = value.Type();
  Variant result;
  switch (type) {
    case varEmpty: return result;
    case varNull:
      result.FType = varNull;
      return result;
    case varSmallint: case varInteger: case varByte: case varInt64: {
      result.FValue = value.IntegerOf(type);
      result.FType = type;
      return result;
    }
    case varBoolean: return Variant(value.AsBoolean());
    case varDouble: return Variant(value.AsDouble());
    case varDate: return Variant::FromDate(value.AsDateTime());
    case varString: return Variant(value.AsString());
    case varOleStr: return Variant::OleStr(value.AsString());
    case varDispatch:
      if (from == varEmpty) return Variant(std::shared_ptr<IDispatch>());
      CastError(from, type);
    default: throw EVariantError("Invalid variant type");
  }
}

namespace {

TVariantRelationship Order(auto left, auto right) {
  if (left == right) return vrEqual;
  return left < right ? vrLessThan : vrGreaterThan;
}

}  // namespace

TVariantRelationship VarCompare(const Variant& left, const Variant& right) {
  if (left.IsNull() || right.IsNull())
    return left.IsNull() && right.IsNull() ? vrEqual : vrNotEqual;
  if (left.IsArray() || right.IsArray() || left.IsObject() || right.IsObject())
    throw EVariantError("Invalid variant operation");
  if (left.IsEmpty() && right.IsEmpty()) return vrEqual;
  const bool textual = (left.IsString() || left.IsEmpty()) && (right.IsString() || right.IsEmpty());
  if (textual) return Order(left.AsString().compare(right.AsString()), 0);
  if (IsIntegral(left.Type()) && IsIntegral(right.Type()))
    return Order(left.AsInt64(), right.AsInt64());
  return Order(left.AsDouble(), right.AsDouble());
}

bool operator==(const Variant& left, const Variant& right) {
  return VarCompare(left, right) == vrEqual;
}

bool operator<(const Variant& left, const Variant& right) {
  return VarCompare(left, right) == vrLessThan;
}

namespace {

class TVariantFormatValue : public TFormatValue {
public:
  explicit TVariantFormatValue(Variant value) : FValue(std::move(value)) {}
  int64_t AsInt64() const override { return FValue.AsInt64(); }
  double AsFloat() const override { return FValue.AsDouble(); }
  std::string AsString() const override { return FValue.AsString(); }

private:
  Variant FValue;
};

}  // namespace

TVarRec MakeVarRec(const Variant& value) {
  return TVarRec(std::make_shared<TVariantFormatValue>(value));
}
