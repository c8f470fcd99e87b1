#pragma once
// OLE-style variant: the value type that crosses every boundary of the module
// (host, application server, helper servers). Arrays are copied by value;
// late-bound objects are shared. Conversions follow the rules the module's
// code was written against: "12" converts to 12, "x" does not, Null converts
// to nothing but VarToStr, True is -1.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "Exceptions.h"

class IDispatch;
class TVarArrayData;
class TVarRec;

using TVarType = std::uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;  // element type of arrays only
constexpr TVarType varByte = 0x0011;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

// Result of VarCompare. vrNotEqual is the answer for values that have no
// order (Null against a value, objects, arrays).
enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

class Variant {
public:
  Variant() noexcept = default;
  Variant(int value) noexcept : FType(varInteger), FValue(std::int64_t{value}) {}
  Variant(std::int16_t value) noexcept : FType(varSmallint), FValue(std::int64_t{value}) {}
  Variant(std::uint8_t value) noexcept : FType(varByte), FValue(std::int64_t{value}) {}
  Variant(long value) noexcept : FType(varInt64), FValue(std::int64_t{value}) {}
  Variant(long long value) noexcept : FType(varInt64), FValue(std::int64_t{value}) {}
  Variant(bool value) noexcept : FType(varBoolean), FValue(std::int64_t{value ? -1 : 0}) {}
  Variant(double value) noexcept : FType(varDouble), FValue(value) {}
  // Text assigned from the program is an 8-bit string (varString); texts
  // from late-bound calls and code-page conversions are wide (OleStr()).
  Variant(std::string value) : FType(varString), FValue(std::move(value)) {}
  Variant(const char* value) : Variant(std::string(value ? value : "")) {}
  // Other pointers would silently become booleans.
  Variant(const void*) = delete;
  // A null pointer still makes a varDispatch variant, as assigning nil does;
  // calls on it raise EOleError.
  Variant(std::shared_ptr<IDispatch> object) noexcept;
  template <class T>
    requires std::is_convertible_v<T*, IDispatch*>
  Variant(std::shared_ptr<T> object) noexcept
      : Variant(std::shared_ptr<IDispatch>(std::move(object))) {}

  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant();

  static Variant OleStr(std::string value);
  static Variant FromDate(double dateTime);

  TVarType Type() const noexcept { return FType; }
  bool IsEmpty() const noexcept { return FType == varEmpty; }
  bool IsNull() const noexcept { return FType == varNull; }
  bool IsArray() const noexcept { return (FType & varArray) != 0; }
  bool IsString() const noexcept { return FType == varString || FType == varOleStr; }
  bool IsObject() const noexcept { return FType == varDispatch; }
  bool IsNumeric() const noexcept;

  // Conversions raise EVariantError "Could not convert variant of type (A)
  // into type (B)", or "Overflow while converting ..." when out of range.
  std::int32_t AsInteger() const;
  std::int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBoolean() const;
  std::string AsString() const;
  double AsDateTime() const;
  // The object of a varDispatch variant (may be null); EOleError otherwise.
  std::shared_ptr<IDispatch> AsObject() const;

  // Element access for arrays. Indexes are checked against each dimension's
  // bounds ("Variant or safe array index out of bounds"). The reference
  // accessors need a varVariant array; typed arrays go through
  // GetElement/PutElement, which convert to the element type.
  Variant& operator[](int index);
  const Variant& operator[](int index) const;
  Variant& operator()(int index1, int index2);
  const Variant& operator()(int index1, int index2) const;
  Variant GetElement(const std::vector<int>& indexes) const;
  void PutElement(const std::vector<int>& indexes, const Variant& value);

  // The array payload; nullptr for non-arrays. For the array routines.
  TVarArrayData* ArrayData() noexcept;
  const TVarArrayData* ArrayData() const noexcept;
  static Variant FromArray(std::unique_ptr<TVarArrayData> data);

private:
  // Deep-copying box so that the value alternatives stay copyable.
  class TArrayBox {
  public:
    explicit TArrayBox(std::unique_ptr<TVarArrayData> data) noexcept;
    TArrayBox(const TArrayBox& other);
    TArrayBox(TArrayBox&& other) noexcept;
    TArrayBox& operator=(const TArrayBox& other);
    TArrayBox& operator=(TArrayBox&& other) noexcept;
    ~TArrayBox();
    TVarArrayData* Get() const noexcept { return FData.get(); }

  private:
    std::unique_ptr<TVarArrayData> FData;
  };

  Variant(TVarType type, std::string value) : FType(type), FValue(std::move(value)) {}
  TVarArrayData& CheckedArray() const;
  std::int64_t IntegerOf(TVarType target) const;

  TVarType FType = varEmpty;
  // Integers and booleans in int64, double and date in double.
  std::variant<std::monostate, std::int64_t, double, std::string, std::shared_ptr<IDispatch>,
               TArrayBox>
      FValue;

  friend Variant VarAsType(const Variant& value, TVarType type);
};

Variant Null();
Variant Unassigned();

TVarType VarType(const Variant& value) noexcept;
// "Integer", "String", "OleStr", "Array Variant", ... as error texts name them.
std::string VarTypeAsText(TVarType type);
bool VarIsEmpty(const Variant& value) noexcept;
bool VarIsNull(const Variant& value) noexcept;
bool VarIsArray(const Variant& value) noexcept;
bool VarIsStr(const Variant& value) noexcept;
// Text of any scalar; Null and Empty give "" (no exception).
std::string VarToStr(const Variant& value);
std::string VarToStrDef(const Variant& value, const std::string& defaultValue);
// A copy converted to the given scalar type (varString, varInteger, ...).
Variant VarAsType(const Variant& value, TVarType type);

// Numbers compare as numbers, texts as texts (byte order), a text against a
// number as numbers; Empty compares as the other side's zero value; Null is
// equal only to Null.
TVariantRelationship VarCompare(const Variant& left, const Variant& right);
bool operator==(const Variant& left, const Variant& right);
bool operator<(const Variant& left, const Variant& right);

// Lets a variant be a Format argument: each placeholder asks it for the
// integer, number or text it needs, with the conversions above.
TVarRec MakeVarRec(const Variant& value);

#include "VarArray.h"
