#pragma once
// BMP file reading and writing for TBitmap.
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap;

// The whole file: file header, info header (BI_BITFIELDS masks for pf16bit),
// palette for the indexed formats, rows bottom-up.
std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap);
// Replaces the bitmap's pixels, format and palette; raises EInvalidGraphic on
// a malformed or unsupported file and leaves the bitmap unchanged then.
void DecodeBmp(const std::uint8_t* data, std::size_t size, TBitmap& bitmap);
