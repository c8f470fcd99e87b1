#pragma once
// A small set of enumeration values, the platform's "set of" type. Elements
// are enumerators with values 0..63; the set is a bit mask and is what the
// property tables read and write as an ordinal.
#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E item : items) FBits |= Bit(item);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }
  constexpr std::uint64_t Bits() const { return FBits; }
  constexpr bool Contains(E item) const { return (FBits & Bit(item)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E item) {
    FBits |= Bit(item);
    return *this;
  }
  constexpr TSet& Exclude(E item) {
    FBits &= ~Bit(item);
    return *this;
  }
  friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.FBits & ~b.FBits); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
  friend constexpr bool operator==(TSet a, TSet b) = default;

private:
  static constexpr std::uint64_t Bit(E item) { return std::uint64_t{1} << static_cast<int>(item); }
  std::uint64_t FBits = 0;
};
