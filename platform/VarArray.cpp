#include "VarArray.h"

#include <utility>

namespace {

// Keeps a mistaken bound from asking for gigabytes.
constexpr std::size_t MaxElementCount = std::size_t{1} << 28;

[[noreturn]] void CreateError() { throw EVariantError("Error creating variant or safe array"); }
[[noreturn]] void BoundsError() {
  throw EVariantError("Variant or safe array index out of bounds");
}

bool IsElementType(TVarType type) {
  switch (type) {
    case varVariant: case varSmallint: case varInteger: case varDouble: case varDate:
    case varOleStr: case varDispatch: case varBoolean: case varByte: case varInt64:
      return true;
    default:
      return false;
  }
}

std::size_t CountElements(const std::vector<TVarArrayBound>& bounds) {
  std::size_t count = 1;
  for (const TVarArrayBound& bound : bounds) {
    const long long n = static_cast<long long>(bound.HighBound) - bound.LowBound + 1;
    if (n < 0) CreateError();
    if (n > 0 && count > MaxElementCount / static_cast<std::size_t>(n)) CreateError();
    count *= static_cast<std::size_t>(n);
  }
  return count;
}

const TVarArrayData& CheckedData(const Variant& value) {
  const TVarArrayData* data = value.ArrayData();
  if (!data) throw EVariantError("Variant is not an array");
  return *data;
}

}  // namespace

TVarArrayData::TVarArrayData(std::vector<TVarArrayBound> bounds, TVarType elementType)
    : FBounds(std::move(bounds)), FElementType(elementType) {
  if (FBounds.empty()) CreateError();
  if (!IsElementType(elementType)) throw EVariantError("Invalid variant type");
  const Variant initial =
      elementType == varVariant ? Variant() : VarAsType(Variant(), elementType);
  FElements.assign(CountElements(FBounds), initial);
}

const TVarArrayBound& TVarArrayData::Bound(int dim) const {
  if (dim < 1 || dim > DimCount()) BoundsError();
  return FBounds[static_cast<std::size_t>(dim - 1)];
}

std::size_t TVarArrayData::Position(const int* indexes, int count) const {
  if (count != DimCount()) BoundsError();
  std::size_t position = 0;
  std::size_t stride = 1;
  for (int i = 0; i < count; ++i) {
    const TVarArrayBound& bound = FBounds[static_cast<std::size_t>(i)];
    if (indexes[i] < bound.LowBound || indexes[i] > bound.HighBound) BoundsError();
    position += static_cast<std::size_t>(indexes[i] - bound.LowBound) * stride;
    stride *= static_cast<std::size_t>(bound.ElementCount());
  }
  return position;
}

void TVarArrayData::Redim(int highBound) {
  std::vector<TVarArrayBound> bounds = FBounds;
  bounds.back().HighBound = highBound;
  if (static_cast<long long>(highBound) < static_cast<long long>(bounds.back().LowBound) - 1)
    throw EVariantError("Invalid argument");
  const std::size_t count = CountElements(bounds);
  // The first index runs fastest, so the surviving slices keep their place.
  const Variant initial =
      FElementType == varVariant ? Variant() : VarAsType(Variant(), FElementType);
  FElements.resize(count, initial);
  FBounds = std::move(bounds);
}

Variant VarArrayCreate(const std::vector<int>& bounds, TVarType elementType) {
  if (bounds.empty() || bounds.size() % 2 != 0) CreateError();
  std::vector<TVarArrayBound> pairs;
  for (std::size_t i = 0; i < bounds.size(); i += 2) pairs.push_back({bounds[i], bounds[i + 1]});
  return Variant::FromArray(std::make_unique<TVarArrayData>(std::move(pairs), elementType));
}

Variant VarArrayOf(const std::vector<Variant>& values) {
  Variant result = VarArrayCreate({0, static_cast<int>(values.size()) - 1}, varVariant);
  TVarArrayData& data = *result.ArrayData();
  for (std::size_t i = 0; i < values.size(); ++i) data.At(i) = values[i];
  return result;
}

int VarArrayDimCount(const Variant& value) noexcept {
  const TVarArrayData* data = value.ArrayData();
  return data ? data->DimCount() : 0;
}

int VarArrayLowBound(const Variant& value, int dim) {
  return CheckedData(value).Bound(dim).LowBound;
}

int VarArrayHighBound(const Variant& value, int dim) {
  return CheckedData(value).Bound(dim).HighBound;
}

void VarArrayRedim(Variant& value, int highBound) {
  TVarArrayData* data = value.ArrayData();
  if (!data) throw EVariantError("Variant is not an array");
  data->Redim(highBound);
}
