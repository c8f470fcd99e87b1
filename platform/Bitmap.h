#pragma once
// In-memory device-independent bitmap in the platform's pixel formats.
// Rows are stored top row first, each padded to a multiple of four bytes, in
// the byte layout of the matching BMP file row (blue, green, red order).
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "Exceptions.h"
#include "Types.h"

KESR_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
KESR_DECLARE_EXCEPTION(EOutOfResources, Exception);

// pfDevice is stored as 32 bits per pixel, as on a true-colour screen.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };
// afDefined: the fourth byte of a pf32bit pixel is a straight alpha value.
enum TAlphaFormat { afIgnored, afDefined };

class TCanvas;

class TBitmap {
public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pf24bit);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Resizing keeps the overlapping top-left part; new pixels are zero bits.
  void SetWidth(int value) { SetSize(value, FHeight); }
  void SetHeight(int value) { SetSize(FWidth, value); }
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return FFormat; }
  // Converts the pixels; indexed formats map to the nearest palette entry.
  void SetPixelFormat(TPixelFormat format);
  int BitsPerPixel() const;
  bool Monochrome() const { return FFormat == pf1bit; }

  // Palette of the indexed formats (pf1bit, pf4bit, pf8bit); empty otherwise.
  const std::vector<TColor>& Palette() const { return FPalette; }
  // Takes at most 2^bits entries; missing entries read as black.
  void SetPalette(std::vector<TColor> palette);

  std::uint8_t* ScanLine(int row);
  const std::uint8_t* ScanLine(int row) const;
  int RowBytes() const { return FStride; }

  // Outside the bitmap GetPixel answers -1 (clNone) and SetPixel does nothing.
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // Whole-row access in RGB (TColor) values, for the drawing loops.
  void ReadRow(int row, TColor* out) const;
  void WriteRow(int row, const TColor* in, int firstColumn, int count);
  // Sets count pixels of a row from firstColumn to one colour (clipped to the row).
  void FillSpan(int row, int firstColumn, int count, TColor color);
  std::uint8_t GetAlpha(int x, int y) const;

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value) { FTransparent = value; }
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value) { FTransparentMode = value; }
  // In tmAuto the colour of the bottom-left pixel, as the platform does.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
  void SetAlphaFormat(TAlphaFormat value) { FAlphaFormat = value; }

  // Turns the bitmap into a monochrome mask: white where the pixel had the
  // given colour, black elsewhere.
  void Mask(TColor transparentColor);

  TCanvas* Canvas();
  void Assign(const TBitmap& source);

  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  void LoadFromStream(std::istream& stream);
  void SaveToStream(std::ostream& stream) const;

private:
  void Allocate(int width, int height, TPixelFormat format, std::vector<std::uint8_t>& bits) const;
  int StrideFor(int width, TPixelFormat format) const;
  int NearestIndex(TColor rgb) const;
  TColor DecodePixel(const std::uint8_t* row, int x) const;
  void EncodePixel(std::uint8_t* row, int x, TColor rgb) const;

  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FFormat = pfDevice;
  int FStride = 0;
  std::vector<std::uint8_t> FBits;
  std::vector<TColor> FPalette;
  bool FTransparent = false;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = 0;
  TAlphaFormat FAlphaFormat = afIgnored;
  std::unique_ptr<TCanvas> FCanvas;
  mutable TColor FLastLookup = -1;
  mutable int FLastIndex = 0;
};

int BitsPerPixelOf(TPixelFormat format);
// The platform's default palette for a format of 1, 4 or 8 bits per pixel.
std::vector<TColor> DefaultPalette(TPixelFormat format);
