#include "FontMetrics.h"

#include <cstdlib>

#include "Font.h"
#include "StrUtils.h"

namespace {

const IFontMetrics* CurrentMetrics = nullptr;

int CharHeight(const TFont& font) { return std::abs(font.Height()); }

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
  for (std::size_t i = 0; i < text.size();) width += (IsWideChar(Utf8Decode(text, i)) ? h : narrow) + bold;
  return width;
}

int TStandInFontMetrics::TextHeight(const TFont& font, std::string_view) const { return CharHeight(font); }

const IFontMetrics& FontMetrics() {
  static const TStandInFontMetrics standIn;
  return CurrentMetrics ? *CurrentMetrics : standIn;
}

void SetFontMetrics(const IFontMetrics* metrics) { CurrentMetrics = metrics; }
