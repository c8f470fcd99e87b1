#pragma once
// JPEG pictures: decoding into bitmaps and encoding of bitmaps.
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap;

bool IsJpegData(const std::uint8_t* data, std::size_t size);
// Into pf24bit (greyscale and CMYK pictures are converted to RGB);
// EInvalidGraphic for a damaged or unsupported file.
void DecodeJpeg(const std::uint8_t* data, std::size_t size, TBitmap& bitmap);
// Baseline JPEG of any pixel format; quality 1 to 100.
std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality = 90);
