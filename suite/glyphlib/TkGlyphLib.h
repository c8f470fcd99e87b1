#pragma once
// The suite's numbered glyph pictures. Forms store a picture's number; the
// library fills a bitmap with it. Every picture is 16 x 16 pixels at 24 bits
// per pixel, one cell, and its bottom-left pixel carries the transparent
// colour (clOlive), as the buttons expect. Numbers without a picture below
// the highest one fail to load.
class TBitmap;

namespace TkGlyphLib {

// The highest picture number.
int GetMaxBmpID();
// Fills Bitmap with picture Number; false (Bitmap unchanged) when there is
// no such picture or no bitmap.
bool LoadBmp(TBitmap* Bitmap, int Number);

}  // namespace TkGlyphLib
