#include "FontMetrics.h"

#include <cstdlib>

#include "Font.h"

namespace {

const IFontMetrics* CurrentMetrics = nullptr;

int CharHeight(const TFont& font) { return std::abs(font.Height()); }

// Decodes one UTF-8 sequence at text[i]; an invalid byte counts as one
// narrow character.
char32_t NextChar(std::string_view text, std::size_t& i) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (i + extra >= text.size()) extra = 0;
  char32_t c = extra ? lead & (0x3F >> extra) : lead;
  for (int k = 1; k <= extra; ++k) {
    unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      extra = 0;
      c = lead;
      break;
    }
    c = (c << 6) | (next & 0x3F);
  }
  i += 1 + extra;
  return c;
}

}  // namespace

bool IsWideChar(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

int TStandInFontMetrics::TextWidth(const TFont& font, std::string_view text) const {
  int h = CharHeight(font);
  int narrow = (h + 1) / 2;
  int bold = font.Style().Contains(fsBold) ? 1 : 0;
  int width = 0;
  for (std::size_t i = 0; i < text.size();) width += (IsWideChar(NextChar(text, i)) ? h : narrow) + bold;
  return width;
}

int TStandInFontMetrics::TextHeight(const TFont& font, std::string_view) const { return CharHeight(font); }

const IFontMetrics& FontMetrics() {
  static const TStandInFontMetrics standIn;
  return CurrentMetrics ? *CurrentMetrics : standIn;
}

void SetFontMetrics(const IFontMetrics* metrics) { CurrentMetrics = metrics; }
