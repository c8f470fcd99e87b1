#include "TkGlyphLib.h"

#include <array>
#include <map>

#include "Bitmap.h"
#include "Colors.h"

namespace TkGlyphLib {
namespace {

using TPicture = std::array<const char*, 16>;

// One character a pixel: '.' transparent, k black, w white, g gray, d dark
// gray, r red, b blue, y yellow, G green.
const std::map<int, TPicture>& Pictures() {
  static const std::map<int, TPicture> pictures = {
      {1,  // new sheet
       {"................", "...kkkkkkkk.....", "...kwwwwwwkk....", "...kwwwwwwkwk...",
        "...kwwwwwwkkkk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..", "...kwwwwwwwwwk..", "...kkkkkkkkkkk..", "................"}},
      {2,  // open folder
       {"................", "................", "................", ".kkkk...........",
        "kyyyyk..........", "kyyyyykkkkkkk...", "kyyyyyyyyyyyk...", "kyykkkkkkkkkkkk.",
        "kyykyyyyyyyyyyk.", "kykyyyyyyyyyyk..", "kykyyyyyyyyyyk..", "kkyyyyyyyyyyk...",
        "kkyyyyyyyyyyk...", "kkkkkkkkkkkkk...", "................", "................"}},
      {3,  // save
       {"................", ".kkkkkkkkkkkkkk.", ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.", ".kbbkkkkkkkkbbk.", ".kbbbbbbbbbbbbk.",
        ".kbbkkkkkkkkbbk.", ".kbbkggggkwkbbk.", ".kbbkggggkwkbbk.", ".kbbkggggkwkbbk.",
        ".kbbkggggkwkbbk.", "..kkkkkkkkkkkkk.", "................", "................"}},
      {4,  // delete: red cross
       {"................", "................", "..rr........rr..", "..rrr......rrr..",
        "...rrr....rrr...", "....rrr..rrr....", ".....rrrrrr.....", "......rrrr......",
        "......rrrr......", ".....rrrrrr.....", "....rrr..rrr....", "...rrr....rrr...",
        "..rrr......rrr..", "..rr........rr..", "................", "................"}},
      {8,  // look-up: magnifier
       {"................", ".....kkkk.......", "...kkwwwwkk.....", "..kwwwwwwwwk....",
        "..kwwwwwwwwk....", ".kwwwwwwwwwwk...", ".kwwwwwwwwwwk...", ".kwwwwwwwwwwk...",
        ".kwwwwwwwwwwk...", "..kwwwwwwwwk....", "..kwwwwwwwwkd...", "...kkwwwwkkddd..",
        ".....kkkk..dddd.", "............ddd.", ".............d..", "................"}},
      {9,  // calendar
       {"................", "..k..k..k..k....", ".rrrrrrrrrrrrr..", ".rrrrrrrrrrrrr..",
        ".kwwwwwwwwwwwk..", ".kwkwkwkwkwkwk..", ".kwwwwwwwwwwwk..", ".kwkwkwkwkwkwk..",
        ".kwwwwwwwwwwwk..", ".kwkwkwkwkwkwk..", ".kwwwwwwwwwwwk..", ".kwkwkwkwbbbwk..",
        ".kwwwwwwwbbbwk..", ".kwwwwwwwwwwwk..", ".kkkkkkkkkkkkk..", "................"}},
      {47,  // confirm: green check mark
       {"................", "................", "................", "............GG..",
        "...........GGG..", "..........GGG...", ".........GGG....", "..GG....GGG.....",
        "..GGG..GGG......", "...GGGGGG.......", "....GGGG........", ".....GG.........",
        "................", "................", "................", "................"}},
  };
  return pictures;
}

TColor PixelColour(char c) {
  switch (c) {
    case 'k': return clBlack;
    case 'w': return clWhite;
    case 'g': return clSilver;
    case 'd': return clGray;
    case 'r': return clRed;
    case 'b': return clNavy;
    case 'y': return clYellow;
    case 'G': return clGreen;
    default: return clOlive;
  }
}

}  // namespace

int GetMaxBmpID() { return Pictures().rbegin()->first; }

bool LoadBmp(TBitmap* Bitmap, int Number) {
  const auto found = Pictures().find(Number);
  if (!Bitmap || found == Pictures().end()) return false;
  TBitmap picture(16, 16, pf24bit);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, PixelColour(found->second[y][x]));
  Bitmap->Assign(picture);
  return true;
}

}  // namespace TkGlyphLib
