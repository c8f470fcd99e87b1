#pragma once
// GIF pictures: encoding of bitmaps, reduced to at most 256 colours.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Types.h"

class TBitmap;

// A picture with 256 colours or fewer keeps its colours exactly; otherwise a
// median-cut palette of 256 colours is chosen from the picture's histogram
// and every pixel takes the nearest entry (no dithering, so text stays crisp).
std::vector<std::uint8_t> EncodeGif(const TBitmap& bitmap);
bool IsGifData(const std::uint8_t* data, std::size_t size);
// The first frame on the logical screen, into pf24bit; a transparent colour
// index makes the bitmap Transparent with that colour. EInvalidGraphic for a
// damaged file.
void DecodeGif(const std::uint8_t* data, std::size_t size, TBitmap& bitmap);
// The palette EncodeGif would use for the bitmap, for tests and previews.
std::vector<TColor> GifPalette(const TBitmap& bitmap);
