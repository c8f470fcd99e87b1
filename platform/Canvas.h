#pragma once
// Drawing surface of a bitmap: brush, pen and font; fills, lines, text in
// boxes, bitmap drawing with good-quality scaling and raster-operation copies.
// Everything drawn is clipped to ClipRect and the bitmap.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Types.h"

class TBitmap;
class TFont;
struct TFontSpec;

enum TBrushStyle { bsSolid, bsClear };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TBrush {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value) { FStyle = value; }

private:
  TColor FColor = 0xFFFFFF;
  TBrushStyle FStyle = bsSolid;
};

class TPen {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }
  int Width() const { return FWidth; }
  void SetWidth(int value) { FWidth = value < 1 ? 1 : value; }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value) { FStyle = value; }

private:
  TColor FColor = 0;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
};

// Ternary raster operations (P = brush, S = source, D = destination).
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmWhiteness = 0x00FF0062;
// Brush colour where the source is black, destination kept where it is white:
// paints a monochrome mask's shape in the brush colour.
constexpr TCopyMode cmMaskPaint = 0x00B8074A;

// Flags of DrawText.
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;

class TCanvas {
public:
  explicit TCanvas(TBitmap* target);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBitmap* Bitmap() const { return FTarget; }
  TBrush& Brush() { return FBrush; }
  TPen& Pen() { return FPen; }
  TFont* Font() { return FFont.get(); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode value) { FCopyMode = value; }
  // Font heights are scaled from the font's PixelsPerInch to this
  // resolution, so a report drawn at 200 dpi keeps its point sizes.
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value > 0 ? value : 96; }

  TRect ClipRect() const;
  void SetClipRect(const TRect& rect);
  void ResetClipRect();

  TPoint PenPos() const { return FPenPos; }
  void MoveTo(int x, int y) { FPenPos = {x, y}; }
  // Draws from the pen position up to, not including, (x, y).
  void LineTo(int x, int y);

  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int x1, int y1, int x2, int y2);

  // With a solid brush the text cell is filled with the brush colour first.
  void TextOut(int x, int y, std::string_view text);
  // Text at (x, y) clipped to rect; a solid brush fills rect first.
  void TextRect(const TRect& rect, int x, int y, std::string_view text);
  // Draws text in rect by the DT_ flags; returns the height of the text.
  // With DT_CALCRECT nothing is drawn and rect is set to the text's extent.
  int DrawText(std::string_view text, TRect& rect, unsigned flags);
  int TextWidth(std::string_view text);
  int TextHeight(std::string_view text);
  TSize TextExtent(std::string_view text);

  void Draw(int x, int y, const TBitmap& source);
  // Area averaging when shrinking, bilinear when enlarging; the transparent
  // colour of a transparent source and a defined alpha channel are honoured.
  void StretchDraw(const TRect& rect, const TBitmap& source);
  // Combines a source rectangle with this canvas by CopyMode, the brush
  // colour serving as pattern; differing sizes scale by nearest pixel.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

  // The font as the engine sees it at this canvas's resolution.
  TFontSpec FontSpec() const;

private:
  TRect Visible() const;
  void PutPixel(int x, int y, TColor rgb);
  void BlendPixel(int x, int y, TColor rgb, int alpha);
  void FillArea(const TRect& rect, TColor color);
  void PenDot(int x, int y, TColor rgb);
  void DrawLine(int x0, int y0, int x1, int y1, bool includeEnd);
  void DrawTextLine(int x, int y, std::string_view text, const TRect& clip, TColor color);

  TBitmap* FTarget;
  TBrush FBrush;
  TPen FPen;
  std::unique_ptr<TFont> FFont;
  TCopyMode FCopyMode = cmSrcCopy;
  int FPixelsPerInch = 96;
  TPoint FPenPos;
  bool FHasClip = false;
  TRect FClip;
  int FDashPhase = 0;
};
