#pragma once
// Text measurement for layouts: the width and height a text takes in a font.
// The current metrics are a deterministic stand-in until a font engine plugs
// in real ones with SetFontMetrics.
#include <string_view>

class TFont;

class IFontMetrics {
public:
  virtual ~IFontMetrics() = default;
  virtual int TextWidth(const TFont& font, std::string_view text) const = 0;
  virtual int TextHeight(const TFont& font, std::string_view text) const = 0;
};

// The stand-in: the character height is -Height (or Height for a cell
// height); a character advances half of it rounded up, a wide (CJK)
// character all of it; bold adds one pixel per character. The height of any
// text is the character height.
class TStandInFontMetrics : public IFontMetrics {
public:
  int TextWidth(const TFont& font, std::string_view text) const override;
  int TextHeight(const TFont& font, std::string_view text) const override;
};

// The metrics in use. SetFontMetrics does not take ownership; nullptr
// returns to the stand-in.
const IFontMetrics& FontMetrics();
void SetFontMetrics(const IFontMetrics* metrics);

// True for characters the platform draws double-width (CJK ideographs, kana,
// hangul, full-width forms).
bool IsWideChar(char32_t c);
