#include <gtest/gtest.h>

#include "Bitmap.h"
#include "BtChkBox.h"
#include "Canvas.h"
#include "Colors.h"
#include "ControlsFixture.h"
#include "ExtPage.h"

namespace {

class SmallControlsTest : public TControlsFixture {
protected:
  struct TClickCounter {
    int Count = 0;
    void Clicked(TObject*) { ++Count; }
  };
};

TEST_F(SmallControlsTest, TabIndexCountsVisibleTabsOnly) {
  auto* pages = Add<TExtPageControl>("pgOption");
  EXPECT_TRUE(pages->OwnerDraw());
  for (const char* caption : {"Hidden1", "Hidden2", "Third", "Fourth"}) {
    auto* sheet = new TTabSheet(Form);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
  }
  pages->Pages(0)->SetTabVisible(false);
  pages->Pages(1)->SetTabVisible(false);
  EXPECT_EQ(pages->PageOfTab(0)->Caption(), "Third");
  EXPECT_EQ(pages->PageOfTab(1)->Caption(), "Fourth");
  EXPECT_EQ(pages->PageOfTab(2), nullptr);
}

TEST_F(SmallControlsTest, DefaultTabDrawingFillsActiveAndInactiveTabsInCaptionColours) {
  auto* pages = Add<TExtPageControl>("pgOption");
  auto* sheet = new TTabSheet(Form);
  sheet->SetPageControl(pages);
  TBitmap bitmap(80, 20);
  TCanvas& canvas = *bitmap.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(Rect(0, 0, 80, 20));

  pages->DrawTab(canvas, 0, Rect(0, 0, 40, 20), true);
  // The active tab shrinks by 2 on every side.
  EXPECT_EQ(bitmap.GetPixel(1, 1), clWhite);
  EXPECT_EQ(bitmap.GetPixel(2, 2), ColorToRGB(clActiveCaption));
  EXPECT_TRUE(canvas.Font()->Style().Contains(fsBold));

  pages->DrawTab(canvas, 0, Rect(40, 0, 80, 20), false);
  EXPECT_EQ(bitmap.GetPixel(40, 0), ColorToRGB(clInactiveCaption));
  EXPECT_FALSE(canvas.Font()->Style().Contains(fsBold));
}

TEST_F(SmallControlsTest, OnDrawTabReplacesTheDefaultDrawing) {
  auto* pages = Add<TExtPageControl>("pgOption");
  struct TDrawn {
    std::vector<int> Tabs;
    void Draw(TWinControl*, int TabIndex, TRect, bool) { Tabs.push_back(TabIndex); }
  } drawn;
  pages->OnDrawTab = TDrawTabEvent(&drawn, &TDrawn::Draw);
  TBitmap bitmap(40, 20);
  bitmap.Canvas()->Brush().SetColor(clWhite);
  bitmap.Canvas()->FillRect(Rect(0, 0, 40, 20));
  pages->DrawTab(*bitmap.Canvas(), 3, Rect(0, 0, 40, 20), true);
  EXPECT_EQ(drawn.Tabs, std::vector<int>{3});
  EXPECT_EQ(bitmap.GetPixel(5, 5), clWhite);
}

TEST_F(SmallControlsTest, BitCheckBoxClicksCycleThroughTheStates) {
  const struct {
    bool AllowGrayed;
    std::vector<TCheckBoxState> States;
  } cases[] = {
      {true, {cbGrayed, cbChecked, cbUnchecked}},
      {false, {cbChecked, cbUnchecked, cbChecked}},
  };
  for (const auto& c : cases) {
    auto* box = Add<TBitCheckBox>("chkRule");
    box->SetAllowGrayed(c.AllowGrayed);
    TClickCounter clicks;
    box->OnClick = TNotifyEvent(&clicks, &TClickCounter::Clicked);
    for (TCheckBoxState expected : c.States) {
      box->Click();
      EXPECT_EQ(box->State(), expected) << c.AllowGrayed;
    }
    EXPECT_EQ(clicks.Count, 3);
    EXPECT_TRUE(box->Focused());
    delete box;
  }
}

TEST_F(SmallControlsTest, BitCheckBoxKeysSpaceClicksAndTheAcceleratorTogglesSilently) {
  auto* box = Add<TBitCheckBox>("chkRule");
  box->SetCaption("&Weekly");
  TClickCounter clicks;
  box->OnClick = TNotifyEvent(&clicks, &TClickCounter::Clicked);
  box->SetFocus();
  box->Perform(WM_CHAR, U' ');
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks.Count, 1);
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, U'w'), 1);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks.Count, 1);
}

TEST_F(SmallControlsTest, BitCheckBoxGlyphsDefaultAndCountTheirCells) {
  auto* box = Add<TBitCheckBox>("chkRule");
  EXPECT_EQ(box->Width(), 97);
  EXPECT_EQ(box->Height(), 17);
  EXPECT_TRUE(box->TabStop());
  for (TBitmap* glyph : {box->CheckedGlyph(), box->GrayedGlyph(), box->UncheckedGlyph()}) {
    EXPECT_EQ(glyph->Width(), 19);
    EXPECT_EQ(glyph->Height(), 14);
    EXPECT_EQ(glyph->BitsPerPixel(), 4);
  }
  EXPECT_EQ(box->CheckedNumGlyphs(), 1);

  const struct {
    int Width;
    int Cells;
  } cases[] = {{28, 2}, {42, 2}, {20, 1}, {14, 1}};
  for (const auto& c : cases) {
    box->SetCheckedNumGlyphs(1);
    TBitmap picture(c.Width, 14);
    box->SetCheckedGlyph(&picture);
    EXPECT_EQ(box->CheckedGlyph()->Width(), c.Width);
    EXPECT_EQ(box->CheckedNumGlyphs(), c.Cells) << c.Width;
  }
  box->SetCheckedNumGlyphs(7);
  EXPECT_EQ(box->CheckedNumGlyphs(), 2);
  box->SetCheckedGlyph(nullptr);
  EXPECT_EQ(box->CheckedGlyph()->Width(), 19);
}

TEST_F(SmallControlsTest, BitCheckBoxDrawsTheDisabledCellOverItsBackground) {
  auto* box = Add<TBitCheckBox>("chkRule");
  box->SetColor(clWhite);
  // Two 4 x 4 cells: red normal, blue disabled, olive (transparent) corner.
  TBitmap picture(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) picture.SetPixel(x, y, x < 4 ? clRed : clBlue);
  picture.SetPixel(0, 3, clOlive);
  box->SetUncheckedGlyph(&picture);
  ASSERT_EQ(box->UncheckedNumGlyphs(), 2);

  TBitmap screen(box->Width(), box->Height());
  const int top = (box->Height() - 4) / 2;
  box->Paint(*screen.Canvas());
  EXPECT_EQ(screen.GetPixel(1, top), clRed);
  EXPECT_EQ(screen.GetPixel(0, top + 3), clWhite);
  box->SetEnabled(false);
  box->Paint(*screen.Canvas());
  EXPECT_EQ(screen.GetPixel(1, top), clBlue);

  box->SetAlignment(taLeftJustify);
  box->Paint(*screen.Canvas());
  EXPECT_EQ(screen.GetPixel(box->Width() - 4 + 1, top), clBlue);
}

}  // namespace
