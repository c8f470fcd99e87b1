#pragma once
// GIF pictures: encoding of bitmaps, reduced to at most 256 colours.
#include <cstdint>
#include <vector>

#include "Types.h"

class TBitmap;

// A picture with 256 colours or fewer keeps its colours exactly; otherwise a
// median-cut palette of 256 colours is chosen from the picture's histogram
// and every pixel takes the nearest entry (no dithering, so text stays crisp).
std::vector<std::uint8_t> EncodeGif(const TBitmap& bitmap);
// The palette EncodeGif would use for the bitmap, for tests and previews.
std::vector<TColor> GifPalette(const TBitmap& bitmap);
