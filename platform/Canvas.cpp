#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include "Bitmap.h"
#include "Colors.h"
#include "Font.h"
#include "FontEngine.h"
#include "TextLayout.h"

namespace {

// Evaluates a ternary raster operation bitwise over 24-bit colour values.
TColor Rop3(TCopyMode rop, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  const unsigned table = (rop >> 16) & 0xFF;
  std::uint32_t result = 0;
  for (unsigned m = 0; m < 8; ++m) {
    if (!(table & (1u << m))) continue;
    result |= ((m & 4) ? p : ~p) & ((m & 2) ? s : ~s) & ((m & 1) ? d : ~d);
  }
  return static_cast<TColor>(result & 0xFFFFFF);
}

// Dash patterns of the cosmetic pen styles, in pixels on / off.
const std::vector<int>& DashPattern(TPenStyle style) {
  static const std::vector<int> solid, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return solid;
  }
}

bool DashOn(const std::vector<int>& pattern, int phase) {
  if (pattern.empty()) return true;
  int total = 0;
  for (int v : pattern) total += v;
  phase %= total;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (phase < pattern[i]) return i % 2 == 0;
    phase -= pattern[i];
  }
  return true;
}

// One destination coordinate's contributions from the source axis.
struct TTap {
  int First = 0;
  std::vector<float> Weights;
};

// Resampling weights for destination positions [from, to) of a span of
// dstSize covering srcSize source pixels.
std::vector<TTap> AxisTaps(int srcSize, int dstSize, int from, int to) {
  std::vector<TTap> taps;
  taps.reserve(static_cast<std::size_t>(std::max(0, to - from)));
  const double scale = static_cast<double>(srcSize) / dstSize;
  for (int d = from; d < to; ++d) {
    TTap tap;
    if (srcSize == dstSize) {
      tap.First = d;
      tap.Weights = {1.0f};
    } else if (dstSize < srcSize) {
      // Area averaging: each source pixel weighs by how much of it the destination pixel covers.
      double a = d * scale, b = (d + 1) * scale;
      int first = static_cast<int>(std::floor(a));
      int last = std::min(srcSize - 1, static_cast<int>(std::ceil(b)) - 1);
      tap.First = first;
      for (int s = first; s <= last; ++s) {
        double overlap = std::min<double>(b, s + 1) - std::max<double>(a, s);
        tap.Weights.push_back(static_cast<float>(overlap / scale));
      }
    } else {
      double u = (d + 0.5) * scale - 0.5;
      u = std::clamp(u, 0.0, static_cast<double>(srcSize - 1));
      int s0 = static_cast<int>(std::floor(u));
      float f = static_cast<float>(u - s0);
      tap.First = s0;
      if (s0 + 1 < srcSize && f > 0) tap.Weights = {1.0f - f, f};
      else tap.Weights = {1.0f};
    }
    taps.push_back(std::move(tap));
  }
  return taps;
}

struct TPremul {
  float R = 0, G = 0, B = 0, A = 0;
};

int ClampByte(float v) { return std::clamp(static_cast<int>(v + 0.5f), 0, 255); }

}  // namespace

TCanvas::TCanvas(TBitmap* target) : FTarget(target), FFont(std::make_unique<TFont>()) {}
TCanvas::~TCanvas() = default;

TRect TCanvas::ClipRect() const {
  TRect bounds{0, 0, FTarget->Width(), FTarget->Height()};
  return FHasClip ? IntersectRect(FClip, bounds) : bounds;
}

void TCanvas::SetClipRect(const TRect& rect) {
  FClip = rect;
  FHasClip = true;
}

void TCanvas::ResetClipRect() { FHasClip = false; }

TRect TCanvas::Visible() const { return ClipRect(); }

void TCanvas::PutPixel(int x, int y, TColor rgb) {
  if (Visible().Contains(x, y)) FTarget->SetPixel(x, y, rgb);
}

void TCanvas::BlendPixel(int x, int y, TColor rgb, int alpha) {
  if (alpha <= 0) return;
  if (alpha >= 255) {
    FTarget->SetPixel(x, y, rgb);
    return;
  }
  TColor d = FTarget->GetPixel(x, y);
  auto mix = [alpha](int s, int t) { return (s * alpha + t * (255 - alpha) + 127) / 255; };
  FTarget->SetPixel(x, y, RGBColor(mix(GetRValue(rgb), GetRValue(d)), mix(GetGValue(rgb), GetGValue(d)),
                                   mix(GetBValue(rgb), GetBValue(d))));
}

TColor TCanvas::Pixel(int x, int y) const { return FTarget->GetPixel(x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) { PutPixel(x, y, ColorToRGB(color)); }

void TCanvas::FillArea(const TRect& rect, TColor color) {
  TRect r = IntersectRect(rect, Visible());
  if (r.IsEmpty()) return;
  for (int y = r.Top; y < r.Bottom; ++y) FTarget->FillSpan(y, r.Left, r.Width(), color);
}

void TCanvas::FillRect(const TRect& rect) {
  if (FBrush.Style() == bsClear) return;
  FillArea(rect, FBrush.Color());
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.IsEmpty() || FBrush.Style() == bsClear) return;
  FillArea({r.Left, r.Top, r.Right, r.Top + 1}, FBrush.Color());
  FillArea({r.Left, r.Bottom - 1, r.Right, r.Bottom}, FBrush.Color());
  FillArea({r.Left, r.Top, r.Left + 1, r.Bottom}, FBrush.Color());
  FillArea({r.Right - 1, r.Top, r.Right, r.Bottom}, FBrush.Color());
}

void TCanvas::PenDot(int x, int y, TColor rgb) {
  int w = FPen.Width();
  if (w == 1) {
    PutPixel(x, y, rgb);
    return;
  }
  FillArea({x - w / 2, y - w / 2, x - w / 2 + w, y - w / 2 + w}, rgb);
}

void TCanvas::DrawLine(int x0, int y0, int x1, int y1, bool includeEnd) {
  if (FPen.Style() == psClear) return;
  const TColor rgb = ColorToRGB(FPen.Color());
  // Wide pens draw solid, as the platform's geometric pens do.
  const auto& pattern = FPen.Width() > 1 ? DashPattern(psSolid) : DashPattern(FPen.Style());
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    bool atEnd = x0 == x1 && y0 == y1;
    if (atEnd && !includeEnd) break;
    if (DashOn(pattern, FDashPhase++)) PenDot(x0, y0, rgb);
    if (atEnd) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void TCanvas::LineTo(int x, int y) {
  FDashPhase = 0;
  DrawLine(FPenPos.X, FPenPos.Y, x, y, false);
  FPenPos = {x, y};
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (FPen.Style() == psClear) {
    // Without an outline the platform fills one pixel less to the right and bottom.
    FillRect({x1, y1, x2 - 1, y2 - 1});
    return;
  }
  int w = FPen.Width();
  int inset = FPen.Style() == psInsideFrame ? w / 2 : 0;
  FillRect({x1 + 1, y1 + 1, x2 - 1, y2 - 1});
  int l = x1 + inset, t = y1 + inset, r = x2 - 1 - inset, b = y2 - 1 - inset;
  FDashPhase = 0;
  DrawLine(l, t, r, t, false);
  DrawLine(r, t, r, b, false);
  DrawLine(r, b, l, b, false);
  DrawLine(l, b, l, t, false);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
  const double a = (x2 - x1) / 2.0, b = (y2 - y1) / 2.0;
  if (a <= 0 || b <= 0) return;
  const bool outline = FPen.Style() != psClear;
  const double pw = outline ? FPen.Width() : 0;
  const TColor pen = ColorToRGB(FPen.Color()), brush = ColorToRGB(FBrush.Color());
  for (int y = y1; y < y2; ++y) {
    for (int x = x1; x < x2; ++x) {
      double nx = (x + 0.5 - cx) / a, ny = (y + 0.5 - cy) / b;
      if (nx * nx + ny * ny > 1.0) continue;
      bool inner = false;
      if (a > pw && b > pw) {
        double ix = (x + 0.5 - cx) / (a - pw), iy = (y + 0.5 - cy) / (b - pw);
        inner = ix * ix + iy * iy <= 1.0;
      }
      if (!inner && outline) PutPixel(x, y, pen);
      else if (inner && FBrush.Style() != bsClear) PutPixel(x, y, brush);
    }
  }
}

TFontSpec TCanvas::FontSpec() const { return FontSpecOf(*FFont, FPixelsPerInch); }

int TCanvas::TextWidth(std::string_view text) { return TFontEngine::Instance().TextWidth(FontSpec(), text); }

int TCanvas::TextHeight(std::string_view) { return TFontEngine::Instance().Metrics(FontSpec()).Height; }

TSize TCanvas::TextExtent(std::string_view text) { return {TextWidth(text), TextHeight(text)}; }

void TCanvas::DrawTextLine(int x, int y, std::string_view text, const TRect& clip, TColor color) {
  TFontEngine& engine = TFontEngine::Instance();
  const TFontSpec fontSpec = FontSpec();
  const TFontMetricsInfo metrics = engine.Metrics(fontSpec);
  const TShapedText shaped = engine.Shape(fontSpec, text);
  const TRect visible = IntersectRect(clip, Visible());
  if (visible.IsEmpty()) return;
  const int baseline = y + metrics.Ascent;
  for (const TPlacedGlyph& g : shaped.Glyphs) {
    const TGlyphImage& img = *g.Image;
    const int left = x + g.X + img.Left, top = baseline + g.Y - img.Top;
    const int r0 = std::max(0, visible.Top - top), r1 = std::min(img.Height, visible.Bottom - top);
    const int c0 = std::max(0, visible.Left - left), c1 = std::min(img.Width, visible.Right - left);
    for (int r = r0; r < r1; ++r) {
      const std::uint8_t* cov = img.Coverage.data() + static_cast<std::size_t>(r) * img.Pitch;
      for (int c = c0; c < c1; ++c)
        if (cov[c]) BlendPixel(left + c, top + r, color, cov[c]);
    }
  }
  auto line = [&](int lineTop) {
    FillArea(IntersectRect({x, lineTop, x + shaped.Width, lineTop + metrics.LineThickness}, visible), color);
  };
  if (fontSpec.Underline) line(baseline + metrics.UnderlinePosition - metrics.LineThickness / 2);
  if (fontSpec.StrikeOut) line(baseline - metrics.StrikeOutPosition);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  const TColor color = ColorToRGB(FFont->Color());
  if (FBrush.Style() != bsClear) {
    TSize extent = TextExtent(text);
    FillArea(Bounds(x, y, extent.cx, extent.cy), FBrush.Color());
  }
  DrawTextLine(x, y, text, Visible(), color);
  FPenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
  if (FBrush.Style() != bsClear) FillArea(rect, FBrush.Color());
  DrawTextLine(x, y, text, rect, ColorToRGB(FFont->Color()));
}

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned flags) {
  const std::string shown = (flags & DT_NOPREFIX) ? std::string(text) : StripAccelerators(text);
  TFontEngine& engine = TFontEngine::Instance();
  const TFontSpec fontSpec = FontSpec();
  const int lineHeight = engine.Metrics(fontSpec).Height;
  const auto measure = [&](std::string_view s) { return engine.TextWidth(fontSpec, s); };
  const bool singleLine = flags & DT_SINGLELINE;
  const auto lines = BreakTextLines(shown, rect.Width(), (flags & DT_WORDBREAK) && !singleLine, singleLine, measure);
  const int height = lineHeight * static_cast<int>(lines.size());

  if (flags & DT_CALCRECT) {
    int width = 0;
    for (const auto& l : lines) width = std::max(width, l.Width);
    if (!(flags & DT_WORDBREAK) || width > rect.Width()) rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return height;
  }

  int y = rect.Top;
  if (flags & DT_VCENTER) y = rect.Top + (rect.Height() - height) / 2;
  else if (flags & DT_BOTTOM) y = rect.Bottom - height;
  const TRect clip = (flags & DT_NOCLIP) ? Visible() : rect;
  const TColor color = ColorToRGB(FFont->Color());
  for (const auto& line : lines) {
    int x = rect.Left;
    if (flags & DT_CENTER) x = rect.Left + (rect.Width() - line.Width) / 2;
    else if (flags & DT_RIGHT) x = rect.Right - line.Width;
    if (FBrush.Style() != bsClear) FillArea(IntersectRect(Bounds(x, y, line.Width, lineHeight), clip), FBrush.Color());
    DrawTextLine(x, y, line.Text, clip, color);
    y += lineHeight;
  }
  return height;
}

void TCanvas::Draw(int x, int y, const TBitmap& source) {
  StretchDraw(Bounds(x, y, source.Width(), source.Height()), source);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& source) {
  if (source.Empty() || rect.IsEmpty()) return;
  const TRect visible = IntersectRect(rect, Visible());
  if (visible.IsEmpty()) return;
  const int sw = source.Width(), sh = source.Height();
  const auto xTaps = AxisTaps(sw, rect.Width(), visible.Left - rect.Left, visible.Right - rect.Left);
  const auto yTaps = AxisTaps(sh, rect.Height(), visible.Top - rect.Top, visible.Bottom - rect.Top);
  const bool keyed = source.Transparent();
  const TColor key = source.TransparentColor();
  const int vw = visible.Width();

  // Source rows resampled horizontally (premultiplied), computed once each.
  std::map<int, std::vector<TPremul>> rows;
  std::vector<TColor> srcRow(static_cast<std::size_t>(sw));
  auto resampled = [&](int sy) -> const std::vector<TPremul>& {
    auto it = rows.find(sy);
    if (it != rows.end()) return it->second;
    source.ReadRow(sy, srcRow.data());
    std::vector<TPremul> out(static_cast<std::size_t>(vw));
    for (int i = 0; i < vw; ++i) {
      const TTap& tap = xTaps[i];
      TPremul acc;
      for (std::size_t k = 0; k < tap.Weights.size(); ++k) {
        int sx = tap.First + static_cast<int>(k);
        TColor c = srcRow[sx];
        float a = (keyed && c == key) ? 0.0f : source.GetAlpha(sx, sy) / 255.0f;
        float w = tap.Weights[k] * a;
        acc.R += GetRValue(c) * w;
        acc.G += GetGValue(c) * w;
        acc.B += GetBValue(c) * w;
        acc.A += w;
      }
      out[i] = acc;
    }
    return rows.emplace(sy, std::move(out)).first->second;
  };

  std::vector<TColor> dstRow(static_cast<std::size_t>(FTarget->Width()));
  for (int j = 0; j < visible.Height(); ++j) {
    const TTap& tap = yTaps[j];
    // Rows above the current tap are no longer needed.
    rows.erase(rows.begin(), rows.lower_bound(tap.First));
    std::vector<TPremul> acc(static_cast<std::size_t>(vw));
    for (std::size_t k = 0; k < tap.Weights.size(); ++k) {
      const auto& row = resampled(tap.First + static_cast<int>(k));
      const float w = tap.Weights[k];
      for (int i = 0; i < vw; ++i) {
        acc[i].R += row[i].R * w;
        acc[i].G += row[i].G * w;
        acc[i].B += row[i].B * w;
        acc[i].A += row[i].A * w;
      }
    }
    const int y = visible.Top + j;
    FTarget->ReadRow(y, dstRow.data());
    for (int i = 0; i < vw; ++i) {
      const TPremul& p = acc[i];
      TColor& d = dstRow[visible.Left + i];
      if (p.A >= 0.999f) {
        d = RGBColor(ClampByte(p.R), ClampByte(p.G), ClampByte(p.B));
      } else if (p.A > 0.001f) {
        float keep = 1.0f - p.A;
        d = RGBColor(ClampByte(p.R + GetRValue(d) * keep), ClampByte(p.G + GetGValue(d) * keep),
                     ClampByte(p.B + GetBValue(d) * keep));
      }
    }
    FTarget->WriteRow(y, dstRow.data() + visible.Left, visible.Left, vw);
  }
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  const TRect visible = IntersectRect(dest, Visible());
  if (visible.IsEmpty() || dest.IsEmpty() || sourceRect.IsEmpty()) return;
  const TBitmap& src = *source.FTarget;
  // Read the source first: it may be this very bitmap.
  std::vector<TColor> picked(static_cast<std::size_t>(visible.Width()) * visible.Height());
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    int sy = sourceRect.Top + static_cast<int>(static_cast<long long>(y - dest.Top) * sourceRect.Height() / dest.Height());
    for (int x = visible.Left; x < visible.Right; ++x) {
      int sx = sourceRect.Left + static_cast<int>(static_cast<long long>(x - dest.Left) * sourceRect.Width() / dest.Width());
      TColor c = src.GetPixel(sx, sy);
      picked[static_cast<std::size_t>(y - visible.Top) * visible.Width() + (x - visible.Left)] = c < 0 ? 0 : c;
    }
  }
  const auto pattern = static_cast<std::uint32_t>(ColorToRGB(FBrush.Color()));
  std::vector<TColor> row(static_cast<std::size_t>(FTarget->Width()));
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    FTarget->ReadRow(y, row.data());
    for (int x = visible.Left; x < visible.Right; ++x) {
      auto s = static_cast<std::uint32_t>(picked[static_cast<std::size_t>(y - visible.Top) * visible.Width() + (x - visible.Left)]);
      row[x] = Rop3(FCopyMode, pattern, s, static_cast<std::uint32_t>(row[x]));
    }
    FTarget->WriteRow(y, row.data() + visible.Left, visible.Left, visible.Width());
  }
}
