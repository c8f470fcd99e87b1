#pragma once
// Variant arrays: one or more dimensions, each with its own low and high
// bound. Elements are stored with the first index running fastest, so that
// resizing the last dimension only appends or drops whole slices.
#include <vector>

#include "Variant.h"

struct TVarArrayBound {
  int LowBound;
  int HighBound;
  int ElementCount() const noexcept { return HighBound - LowBound + 1; }
};

class TVarArrayData {
public:
  TVarArrayData(std::vector<TVarArrayBound> bounds, TVarType elementType);

  TVarType ElementType() const noexcept { return FElementType; }
  int DimCount() const noexcept { return static_cast<int>(FBounds.size()); }
  // dim counts from 1, as VarArrayLowBound does.
  const TVarArrayBound& Bound(int dim) const;
  std::size_t ElementCount() const noexcept { return FElements.size(); }
  // Element by flat position and by indexes (checked).
  Variant& At(std::size_t position) { return FElements[position]; }
  const Variant& At(std::size_t position) const { return FElements[position]; }
  std::size_t Position(const int* indexes, int count) const;
  // Resizes the last dimension, keeping the elements whose indexes survive.
  void Redim(int highBound);

private:
  std::vector<TVarArrayBound> FBounds;
  TVarType FElementType;
  std::vector<Variant> FElements;
};

// Bounds as pairs: {low1, high1, low2, high2, ...}. The element type is
// varVariant or a scalar type; elements start as that type's empty value.
Variant VarArrayCreate(const std::vector<int>& bounds, TVarType elementType);
// A one-dimensional varVariant array [0..n-1] of the given values.
Variant VarArrayOf(const std::vector<Variant>& values);
int VarArrayDimCount(const Variant& value) noexcept;
int VarArrayLowBound(const Variant& value, int dim);
int VarArrayHighBound(const Variant& value, int dim);
// Resizes the last dimension to end at highBound.
void VarArrayRedim(Variant& value, int highBound);
