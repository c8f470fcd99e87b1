#pragma once
// Font resolution, shaping and glyph rasterising: face names resolve through
// the program's own fontconfig file, text is shaped with HarfBuzz and glyphs
// are rendered anti-aliased by FreeType. Faces and glyph images are cached for
// the life of the process.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Exceptions.h"

class TFont;

KESR_DECLARE_EXCEPTION(EFontError, Exception);

struct TFontSpec {
  std::string Name;
  // As the platform's font height: negative = character (em) height in
  // pixels, positive = cell height (ascent + descent) in pixels.
  int Height = -13;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
};

struct TFontMetricsInfo {
  int Ascent = 0;
  int Descent = 0;
  int Height = 0;           // Ascent + Descent: the line height of TextHeight
  int InternalLeading = 0;  // Height minus the em height
  int AveCharWidth = 0;
  int UnderlinePosition = 0;  // pixels below the baseline
  int StrikeOutPosition = 0;  // pixels above the baseline
  int LineThickness = 1;
};

// An 8-bit coverage image of one glyph, owned by the engine's cache.
struct TGlyphImage {
  int Width = 0;
  int Height = 0;
  int Pitch = 0;
  int Left = 0;  // offset of the image from the pen position
  int Top = 0;   // rows above the baseline of the image's first row
  std::vector<std::uint8_t> Coverage;
};

struct TPlacedGlyph {
  const TGlyphImage* Image = nullptr;
  // Pen position on the baseline in pixels, relative to the text origin.
  int X = 0;
  int Y = 0;
};

struct TShapedText {
  std::vector<TPlacedGlyph> Glyphs;
  int Width = 0;
};

class TFontEngine {
public:
  // The process-wide engine; the configuration is loaded on first use.
  static TFontEngine& Instance();
  ~TFontEngine();
  TFontEngine(const TFontEngine&) = delete;
  TFontEngine& operator=(const TFontEngine&) = delete;

  TFontMetricsInfo Metrics(const TFontSpec& font);
  int TextWidth(const TFontSpec& font, std::string_view utf8);
  // Glyph positions and images; the pointers stay valid for the process.
  TShapedText Shape(const TFontSpec& font, std::string_view utf8);
  // The family of the face that draws the character (after fallback).
  std::string FamilyFor(const TFontSpec& font, char32_t character);
  // The configuration file in use, empty when the machine's defaults apply.
  const std::string& ConfigFile() const;

private:
  TFontEngine();
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};

// The engine's view of a TFont drawn at pixelsPerInch (the font's height is
// scaled from its own PixelsPerInch).
TFontSpec FontSpecOf(const TFont& font, int pixelsPerInch);

// Makes the engine's metrics the component layer's IFontMetrics. Programs
// call this once at start-up; until then layouts use the deterministic stand-in.
void UseFontEngineMetrics();
