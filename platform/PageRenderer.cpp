#include "PageRenderer.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"
#include "Font.h"

namespace {

class TPageScaler {
public:
  TPageScaler(const TPageContent& page, const TRect& dest)
      : FDest(dest),
        FX(page.Width > 0 ? static_cast<double>(dest.Width()) / page.Width : 1.0),
        FY(page.Height > 0 ? static_cast<double>(dest.Height()) / page.Height : 1.0) {}

  int X(int x) const { return FDest.Left + static_cast<int>(std::lround(x * FX)); }
  int Y(int y) const { return FDest.Top + static_cast<int>(std::lround(y * FY)); }
  TRect Box(const TRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
  int Thickness(int w) const { return std::max(1, static_cast<int>(std::lround(w * std::min(FX, FY)))); }
  double ScaleY() const { return FY; }
  const TRect& Dest() const { return FDest; }

private:
  TRect FDest;
  double FX;
  double FY;
};

class TItemPainter {
public:
  TItemPainter(TCanvas& canvas, const TPageScaler& scale) : FCanvas(canvas), FScale(scale) {}

  void operator()(const TPageFill& fill) const {
    Clip(FScale.Dest());
    FCanvas.Brush().SetStyle(bsSolid);
    FCanvas.Brush().SetColor(fill.Color);
    FCanvas.FillRect(FScale.Box(fill.Box));
  }

  void operator()(const TPageLine& line) const {
    Clip(FScale.Dest());
    const int w = FScale.Thickness(line.Width);
    const TPoint a{FScale.X(line.From.X), FScale.Y(line.From.Y)}, b{FScale.X(line.To.X), FScale.Y(line.To.Y)};
    FCanvas.Brush().SetStyle(bsSolid);
    FCanvas.Brush().SetColor(line.Color);
    if (a.Y == b.Y || a.X == b.X) {
      // Axis-parallel rules (the common case) as exact filled strips.
      const int x0 = std::min(a.X, b.X), x1 = std::max(a.X, b.X), y0 = std::min(a.Y, b.Y), y1 = std::max(a.Y, b.Y);
      FCanvas.FillRect(a.Y == b.Y ? TRect{x0, y0 - w / 2, x1 + 1, y0 - w / 2 + w}
                                  : TRect{x0 - w / 2, y0, x0 - w / 2 + w, y1 + 1});
      return;
    }
    FCanvas.Pen().SetStyle(psSolid);
    FCanvas.Pen().SetColor(line.Color);
    FCanvas.Pen().SetWidth(w);
    FCanvas.MoveTo(a.X, a.Y);
    FCanvas.LineTo(b.X, b.Y);
    FCanvas.SetPixel(b.X, b.Y, line.Color);
  }

  void operator()(const TPageShape& shape) const {
    Clip(FScale.Dest());
    FCanvas.Pen().SetStyle(shape.PenWidth > 0 ? psSolid : psClear);
    FCanvas.Pen().SetColor(shape.PenColor);
    FCanvas.Pen().SetWidth(FScale.Thickness(std::max(1, shape.PenWidth)));
    FCanvas.Brush().SetStyle(shape.Filled ? bsSolid : bsClear);
    FCanvas.Brush().SetColor(shape.BrushColor);
    const TRect r = FScale.Box(shape.Box);
    if (shape.Kind == pskEllipse) FCanvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
    else FCanvas.Rectangle(r);
  }

  void operator()(const TPageText& text) const {
    const TRect clip = FScale.Box(text.Clip);
    Clip(clip);
    TFont& font = *FCanvas.Font();
    font.SetPixelsPerInch(96);
    font.SetName(text.Font.Name);
    font.SetHeight(text.Font.Height);
    font.SetStyle(text.Font.Style);
    font.SetColor(text.Font.Color);
    font.SetCharset(text.Font.Charset);
    FCanvas.Brush().SetStyle(bsClear);
    const unsigned align = text.Alignment == taCenter ? DT_CENTER : text.Alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    for (const TPageTextLine& line : text.Lines) {
      TRect r{clip.Left, FScale.Y(line.Top), clip.Right, FScale.Y(line.Top + text.LineHeight)};
      FCanvas.DrawText(line.Text, r, align | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
  }

  void operator()(const TPagePicture& picture) const {
    if (!picture.Bitmap || picture.Bitmap->Empty()) return;
    const TRect box = FScale.Box(picture.Box);
    Clip(box);
    if (picture.Stretch) {
      FCanvas.StretchDraw(box, *picture.Bitmap);
      return;
    }
    // At its own size (pixels at 96 dpi), scaled with the page.
    const TPageScaler& s = FScale;
    int w = s.X(picture.Bitmap->Width()) - s.X(0), h = s.Y(picture.Bitmap->Height()) - s.Y(0);
    int left = box.Left, top = box.Top;
    if (picture.Center) {
      left += (box.Width() - w) / 2;
      top += (box.Height() - h) / 2;
    }
    FCanvas.StretchDraw(Bounds(left, top, w, h), *picture.Bitmap);
  }

private:
  void Clip(const TRect& r) const { FCanvas.SetClipRect(IntersectRect(r, FScale.Dest())); }

  TCanvas& FCanvas;
  const TPageScaler& FScale;
};

}  // namespace

void DrawPage(const TPageContent& Page, TCanvas& Canvas, const TRect& Dest) {
  if (Dest.IsEmpty()) return;
  const TPageScaler scale(Page, Dest);
  const int savedPpi = Canvas.PixelsPerInch();
  // Fonts are sized for 96 dpi; the canvas scales them to the target.
  Canvas.SetPixelsPerInch(std::max(1, static_cast<int>(std::lround(96.0 * scale.ScaleY()))));
  const TItemPainter painter(Canvas, scale);
  for (const TPageItem& item : Page.Items) std::visit(painter, item);
  Canvas.ResetClipRect();
  Canvas.SetPixelsPerInch(savedPpi);
}

std::unique_ptr<TBitmap> RenderPage(const TPageContent& Page, int Dpi, TPixelFormat Format) {
  if (Dpi < 1) Dpi = 96;
  const int width = std::max(1, static_cast<int>(std::lround(Page.Width * Dpi / 96.0)));
  const int height = std::max(1, static_cast<int>(std::lround(Page.Height * Dpi / 96.0)));
  auto bitmap = std::make_unique<TBitmap>(width, height, Format);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(0xFFFFFF);
  canvas.FillRect(Rect(0, 0, width, height));
  DrawPage(Page, canvas, Rect(0, 0, width, height));
  return bitmap;
}
