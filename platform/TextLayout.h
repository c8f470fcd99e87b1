#pragma once
// Line breaking of text in a box, independent of any font: the caller supplies
// the measure. The canvas draws with it and the report layout measures with it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Width in pixels of a piece of UTF-8 text.
using TTextMeasure = std::function<int(std::string_view)>;

struct TTextLine {
  std::string Text;
  int Width = 0;
};

// Splits text into lines: at CR LF, LF or CR (unless singleLine, where they
// count as blanks), and, with wordBreak, so that each line fits maxWidth.
// Lines break after blanks and around CJK characters (never before closing
// punctuation); a word wider than the box is broken between characters, so
// nothing is ever lost past the right edge. Blanks at a break are dropped.
std::vector<TTextLine> BreakTextLines(std::string_view text, int maxWidth, bool wordBreak, bool singleLine,
                                      const TTextMeasure& measure);

// Removes the accelerator marks: "&x" shows "x", "&&" shows "&".
std::string StripAccelerators(std::string_view text);
