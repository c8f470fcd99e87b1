#include <gtest/gtest.h>

#include <cstdlib>

#include "BinaryFile.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "Colors.h"
#include "Font.h"
#include "PngCodec.h"

namespace {

// A white 24-bit page to draw on.
struct Page {
  TBitmap Bitmap;
  TCanvas& Canvas;
  explicit Page(int w = 40, int h = 30, TPixelFormat f = pf24bit) : Bitmap(w, h, f), Canvas(*Bitmap.Canvas()) {
    Canvas.Brush().SetColor(clWhite);
    Canvas.FillRect(Rect(0, 0, w, h));
  }
  // The bounding box of every pixel that is not white; empty when none.
  TRect Ink() const {
    TRect r{Bitmap.Width(), Bitmap.Height(), 0, 0};
    for (int y = 0; y < Bitmap.Height(); ++y)
      for (int x = 0; x < Bitmap.Width(); ++x)
        if (Bitmap.GetPixel(x, y) != clWhite) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
  }
  int CountOf(TColor c) const {
    int n = 0;
    for (int y = 0; y < Bitmap.Height(); ++y)
      for (int x = 0; x < Bitmap.Width(); ++x) n += Bitmap.GetPixel(x, y) == c;
    return n;
  }
};

TEST(Canvas, FillsHonourBrushStyleAndClip) {
  Page p;
  p.Canvas.Brush().SetColor(clRed);
  p.Canvas.FillRect(Rect(2, 3, 6, 5));
  EXPECT_EQ(p.Ink(), Rect(2, 3, 6, 5));
  EXPECT_EQ(p.CountOf(clRed), 8);

  p.Canvas.Brush().SetStyle(bsClear);
  p.Canvas.FillRect(Rect(10, 10, 20, 20));
  EXPECT_EQ(p.CountOf(clRed), 8);

  p.Canvas.Brush().SetStyle(bsSolid);
  p.Canvas.Brush().SetColor(clBtnFace);  // system colours resolve
  p.Canvas.SetClipRect(Rect(30, 0, 35, 30));
  p.Canvas.FillRect(Rect(-100, -100, 100, 100));
  EXPECT_EQ(p.CountOf(ColorToRGB(clBtnFace)), 5 * 30);
  EXPECT_EQ(p.Canvas.ClipRect(), Rect(30, 0, 35, 30));
  p.Canvas.ResetClipRect();
  EXPECT_EQ(p.Canvas.ClipRect(), Rect(0, 0, 40, 30));
}

TEST(Canvas, LinesExcludeTheirEndAndFollowPenStyleAndWidth) {
  Page p;
  p.Canvas.Pen().SetColor(clBlue);
  p.Canvas.MoveTo(2, 2);
  p.Canvas.LineTo(12, 2);
  EXPECT_EQ(p.Ink(), Rect(2, 2, 12, 3));
  EXPECT_EQ(p.Canvas.PenPos(), Point(12, 2));

  Page diagonal;
  diagonal.Canvas.Pen().SetColor(clBlack);
  diagonal.Canvas.MoveTo(0, 0);
  diagonal.Canvas.LineTo(5, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(diagonal.Bitmap.GetPixel(i, i), clBlack);
  EXPECT_EQ(diagonal.CountOf(clBlack), 5);

  Page wide;
  wide.Canvas.Pen().SetWidth(3);
  wide.Canvas.MoveTo(5, 10);
  wide.Canvas.LineTo(15, 10);
  EXPECT_EQ(wide.Ink(), Rect(4, 9, 16, 12));

  Page dashed;
  dashed.Canvas.Pen().SetStyle(psDot);
  dashed.Canvas.MoveTo(0, 0);
  dashed.Canvas.LineTo(12, 0);
  std::string pattern;
  for (int x = 0; x < 12; ++x) pattern += dashed.Bitmap.GetPixel(x, 0) == clBlack ? '#' : '.';
  EXPECT_EQ(pattern, "###...###...");

  Page none;
  none.Canvas.Pen().SetStyle(psClear);
  none.Canvas.LineTo(20, 20);
  EXPECT_TRUE(none.Ink().IsEmpty());
}

TEST(Canvas, RectangleAndEllipse) {
  Page p;
  p.Canvas.Pen().SetColor(clBlack);
  p.Canvas.Brush().SetColor(clYellow);
  p.Canvas.Rectangle(2, 2, 8, 6);
  EXPECT_EQ(p.Ink(), Rect(2, 2, 8, 6));
  EXPECT_EQ(p.CountOf(clYellow), 4 * 2);
  EXPECT_EQ(p.CountOf(clBlack), 6 * 4 - 8);

  Page clear;
  clear.Canvas.Pen().SetStyle(psClear);
  clear.Canvas.Brush().SetColor(clRed);
  clear.Canvas.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(clear.Ink(), Rect(0, 0, 4, 4));

  Page round;
  round.Canvas.Brush().SetColor(clLime);
  round.Canvas.Ellipse(10, 5, 30, 25);
  EXPECT_EQ(round.Ink(), Rect(10, 5, 30, 25));
  EXPECT_EQ(round.Bitmap.GetPixel(20, 15), clLime);
  EXPECT_EQ(round.Bitmap.GetPixel(10, 5), clWhite);  // corners stay outside
  EXPECT_EQ(round.Bitmap.GetPixel(10, 15), clBlack);
}

TEST(Canvas, RasterOperationsCombineSourceDestinationAndBrush) {
  const TColor S = RGBColor(0xF0, 0x0F, 0x55), D = RGBColor(0x3C, 0xC3, 0xAA), P = RGBColor(0x12, 0x34, 0x56);
  auto rgb = [](std::uint32_t v) { return static_cast<TColor>(v & 0xFFFFFF); };
  const auto s = static_cast<std::uint32_t>(S), d = static_cast<std::uint32_t>(D), pat = static_cast<std::uint32_t>(P);
  struct Case {
    TCopyMode Mode;
    TColor Expected;
  } cases[] = {
      {cmSrcCopy, S},        {cmSrcAnd, rgb(s & d)},         {cmSrcPaint, rgb(s | d)},
      {cmSrcInvert, rgb(s ^ d)}, {cmMergePaint, rgb(~s | d)}, {cmNotSrcCopy, rgb(~s)},
      {cmSrcErase, rgb(s & ~d)}, {cmPatCopy, P},              {cmBlackness, clBlack},
      {cmWhiteness, clWhite},  {cmDstInvert, rgb(~d)},        {cmMergeCopy, rgb(s & pat)},
  };
  TBitmap source(1, 1, pf24bit);
  source.SetPixel(0, 0, S);
  for (const auto& c : cases) {
    Page p(1, 1);
    p.Bitmap.SetPixel(0, 0, D);
    p.Canvas.Brush().SetColor(P);
    p.Canvas.SetCopyMode(c.Mode);
    p.Canvas.CopyRect(Rect(0, 0, 1, 1), *source.Canvas(), Rect(0, 0, 1, 1));
    EXPECT_EQ(p.Bitmap.GetPixel(0, 0), c.Expected) << std::hex << c.Mode;
  }
}

// The disabled look of a glyph: a monochrome mask painted in the highlight
// colour shifted by one pixel, then in the shadow colour in place.
TEST(Canvas, MaskPaintDrawsTheShapeOfAMonochromeMask) {
  TBitmap mask(4, 4, pf24bit);
  mask.Canvas()->Brush().SetColor(clWhite);
  mask.Canvas()->FillRect(Rect(0, 0, 4, 4));
  mask.SetPixel(1, 1, clBlack);
  mask.SetPixel(2, 1, clBlack);
  mask.Mask(clWhite);

  Page glyph(4, 4);
  glyph.Canvas.Brush().SetColor(clBtnFace);
  glyph.Canvas.FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas.SetCopyMode(cmMaskPaint);
  glyph.Canvas.Brush().SetColor(clBtnHighlight);
  glyph.Canvas.CopyRect(Rect(1, 1, 5, 5), *mask.Canvas(), Rect(0, 0, 4, 4));
  glyph.Canvas.Brush().SetColor(clBtnShadow);
  glyph.Canvas.CopyRect(Rect(0, 0, 4, 4), *mask.Canvas(), Rect(0, 0, 4, 4));

  const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  const TColor expected[4][4] = {{face, face, face, face},
                                 {face, shadow, shadow, face},
                                 {face, face, light, light},
                                 {face, face, face, face}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(glyph.Bitmap.GetPixel(x, y), expected[y][x]) << x << "," << y;
}

TEST(Canvas, CopyRectWithinOneBitmapReadsTheSourceFirst) {
  Page p(4, 1);
  for (int x = 0; x < 4; ++x) p.Bitmap.SetPixel(x, 0, RGBColor(x * 10, 0, 0));
  p.Canvas.CopyRect(Rect(1, 0, 4, 1), p.Canvas, Rect(0, 0, 3, 1));
  EXPECT_EQ(p.Bitmap.GetPixel(1, 0), RGBColor(0, 0, 0));
  EXPECT_EQ(p.Bitmap.GetPixel(3, 0), RGBColor(20, 0, 0));
}

TEST(Canvas, StretchDrawAveragesWhenShrinkingAndInterpolatesWhenEnlarging) {
  // A one-pixel checkerboard halved: every destination pixel is the mean grey,
  // where picking pixels would give pure black or white.
  TBitmap checker(8, 8, pf24bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) checker.SetPixel(x, y, (x + y) % 2 ? clWhite : clBlack);
  Page half(4, 4);
  half.Canvas.StretchDraw(Rect(0, 0, 4, 4), checker);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(half.Bitmap.GetPixel(x, y), RGBColor(128, 128, 128));

  // Two pixels enlarged to eight: a monotonic ramp that keeps the pure ends.
  TBitmap pair(2, 1, pf24bit);
  pair.SetPixel(0, 0, clBlack);
  pair.SetPixel(1, 0, clWhite);
  Page wide(8, 1);
  wide.Canvas.StretchDraw(Rect(0, 0, 8, 1), pair);
  EXPECT_EQ(wide.Bitmap.GetPixel(0, 0), clBlack);
  EXPECT_EQ(wide.Bitmap.GetPixel(7, 0), clWhite);
  for (int x = 1; x < 8; ++x) EXPECT_LE(GetRValue(wide.Bitmap.GetPixel(x - 1, 0)), GetRValue(wide.Bitmap.GetPixel(x, 0)));
  EXPECT_GT(GetRValue(wide.Bitmap.GetPixel(3, 0)), 0);
  EXPECT_LT(GetRValue(wide.Bitmap.GetPixel(3, 0)), 255);

  // Same size is an exact copy, also into a 16-bit page and partly off it.
  Page copy(8, 8, pf16bit);
  copy.Canvas.Draw(-2, 3, checker);
  EXPECT_EQ(copy.Bitmap.GetPixel(0, 3), clBlack);  // source (2, 0)
  EXPECT_EQ(copy.Bitmap.GetPixel(1, 3), clWhite);
  EXPECT_EQ(copy.Bitmap.GetPixel(0, 2), clWhite);  // untouched above
}

TEST(Canvas, TransparentAndAlphaSourcesLetTheBackgroundThrough) {
  TBitmap glyph(2, 1, pf24bit);
  glyph.SetPixel(0, 0, clFuchsia);
  glyph.SetPixel(1, 0, clNavy);
  glyph.SetTransparent(true);
  glyph.SetTransparentColor(clFuchsia);
  Page p(2, 1);
  p.Canvas.Draw(0, 0, glyph);
  EXPECT_EQ(p.Bitmap.GetPixel(0, 0), clWhite);
  EXPECT_EQ(p.Bitmap.GetPixel(1, 0), clNavy);

  TBitmap alpha(1, 1, pf32bit);
  alpha.SetPixel(0, 0, clBlack);
  alpha.ScanLine(0)[3] = 128;
  alpha.SetAlphaFormat(afDefined);
  Page q(1, 1);
  q.Canvas.Draw(0, 0, alpha);
  EXPECT_NEAR(GetRValue(q.Bitmap.GetPixel(0, 0)), 127, 1);
}

class CanvasText : public testing::Test {
protected:
  Page P{200, 60};
  void SetUp() override {
    P.Canvas.Brush().SetStyle(bsClear);
    P.Canvas.Font()->SetName("Arial");
    P.Canvas.Font()->SetHeight(-12);
    P.Canvas.Font()->SetColor(clBlack);
  }
};

TEST_F(CanvasText, AlignsInTheBox) {
  const TRect box = Rect(10, 10, 190, 50);
  const int width = P.Canvas.TextWidth("Order");
  struct Case {
    unsigned Flags;
    int ExpectedLeft;
  } cases[] = {{DT_LEFT, 10}, {DT_CENTER, 10 + (180 - width) / 2}, {DT_RIGHT, 190 - width}};
  for (const auto& c : cases) {
    Page page(200, 60);
    page.Canvas.Brush().SetStyle(bsClear);
    page.Canvas.Font()->Assign(P.Canvas.Font());
    TRect r = box;
    page.Canvas.DrawText("Order", r, c.Flags | DT_SINGLELINE | DT_VCENTER);
    const TRect ink = page.Ink();
    EXPECT_NEAR(ink.Left, c.ExpectedLeft, 2) << c.Flags;
    EXPECT_LE(ink.Right, box.Right);
    // Vertically centred: the cell of the line sits in the middle of the box.
    const int top = box.Top + (box.Height() - P.Canvas.TextHeight("Order")) / 2;
    EXPECT_GE(ink.Top, top);
    EXPECT_LE(ink.Bottom, top + P.Canvas.TextHeight("Order"));
  }
}

TEST_F(CanvasText, WordBreakCalcRectAndClipping) {
  const std::string text = "Shipping mark printed on every carton";
  TRect calc = Rect(0, 0, 80, 0);
  const int height = P.Canvas.DrawText(text, calc, DT_WORDBREAK | DT_CALCRECT);
  const int line = P.Canvas.TextHeight(text);
  EXPECT_GE(height, 3 * line);
  EXPECT_EQ(height % line, 0);
  EXPECT_EQ(calc.Bottom, height);
  EXPECT_LE(calc.Right, 80);
  EXPECT_TRUE(P.Ink().IsEmpty());  // calculating draws nothing

  // Drawn into a box that holds two lines, nothing leaves the box.
  TRect box = Rect(20, 5, 100, 5 + 2 * line);
  P.Canvas.DrawText(text, box, DT_WORDBREAK);
  const TRect ink = P.Ink();
  EXPECT_GE(ink.Left, 20);
  EXPECT_LE(ink.Right, 100);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Bottom, 5 + 2 * line);
  EXPECT_GT(ink.Bottom, 5 + line);  // the second line is there

  Page unclipped(200, 60);
  unclipped.Canvas.Brush().SetStyle(bsClear);
  unclipped.Canvas.Font()->Assign(P.Canvas.Font());
  TRect narrow = Rect(0, 0, 30, 20);
  unclipped.Canvas.DrawText("Unclipped text", narrow, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(unclipped.Ink().Right, 30);
}

TEST_F(CanvasText, OpaqueBrushFillsTheCellAndStylesAddLines) {
  P.Canvas.Brush().SetStyle(bsSolid);
  P.Canvas.Brush().SetColor(clYellow);
  P.Canvas.TextOut(5, 5, "Ab");
  const TSize extent = P.Canvas.TextExtent("Ab");
  EXPECT_EQ(P.Bitmap.GetPixel(5, 5), clYellow);
  EXPECT_EQ(P.Bitmap.GetPixel(5 + extent.cx - 1, 5 + extent.cy - 1), clYellow);
  EXPECT_EQ(P.Bitmap.GetPixel(5 + extent.cx + 1, 5), clWhite);
  EXPECT_EQ(P.Canvas.PenPos(), Point(5 + extent.cx, 5));

  Page plain(100, 30), underlined(100, 30);
  for (Page* page : {&plain, &underlined}) {
    page->Canvas.Brush().SetStyle(bsClear);
    page->Canvas.Font()->Assign(P.Canvas.Font());
  }
  underlined.Canvas.Font()->SetStyle({fsUnderline});
  plain.Canvas.TextOut(2, 2, "ace");
  underlined.Canvas.TextOut(2, 2, "ace");
  EXPECT_GT(underlined.Ink().Bottom, plain.Ink().Bottom);
}

TEST_F(CanvasText, TextRectClipsToItsRectangle) {
  P.Canvas.TextRect(Rect(10, 10, 30, 30), 5, 12, "WWWWWWWW");
  const TRect ink = P.Ink();
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Left, 12);
  EXPECT_LE(ink.Right, 30);
}

// Renders a sample of Chinese and Latin text at 96 dpi for a visual check.
TEST_F(CanvasText, ChineseTextRendersInTheSongFace) {
  Page page(360, 90);
  page.Canvas.Brush().SetStyle(bsClear);
  page.Canvas.Font()->SetName("宋体");
  page.Canvas.Font()->SetHeight(-12);
  page.Canvas.TextOut(4, 4, "销货单 订单号 KESR-0001 客户全称：苏州正唛有限公司");
  page.Canvas.Font()->SetName("Arial");
  page.Canvas.Font()->SetStyle({fsBold});
  page.Canvas.TextOut(4, 24, "Arial bold 中文回退 12.50%");
  page.Canvas.Font()->SetStyle({fsItalic});
  page.Canvas.Font()->SetName("黑体");
  page.Canvas.Font()->SetColor(clRed);
  TRect box = Rect(4, 44, 356, 86);
  page.Canvas.DrawText("黑体斜体 wrapped memo text that runs over several lines of the box", box, DT_WORDBREAK);
  int black = 0, red = 0;
  for (int y = 0; y < page.Bitmap.Height(); ++y)
    for (int x = 0; x < page.Bitmap.Width(); ++x) {
      const TColor c = page.Bitmap.GetPixel(x, y);
      black += c == clBlack;
      red += GetRValue(c) > 200 && GetGValue(c) < 120 && y >= 44;
    }
  EXPECT_GT(black, 50);
  EXPECT_GT(red, 50);
  if (const char* dir = std::getenv("KESR_CANVAS_SAMPLE_DIR"))
    WriteBinaryFile(std::string(dir) + "/canvas-text.png", EncodePng(page.Bitmap));
}

}  // namespace
