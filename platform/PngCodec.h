#pragma once
// PNG pictures decoded into bitmaps.
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap;

bool IsPngData(const std::uint8_t* data, std::size_t size);
// Into pf32bit with a defined alpha channel when the picture has
// transparency, pf24bit otherwise; EInvalidGraphic for a damaged file.
void DecodePng(const std::uint8_t* data, std::size_t size, TBitmap& bitmap);
// Writes pf24bit, or pf32bit with alpha when the bitmap defines it.
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap);
