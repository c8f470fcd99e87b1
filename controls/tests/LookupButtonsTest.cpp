#include <gtest/gtest.h>

#include "Bitmap.h"
#include "ControlsFixture.h"
#include "ExtCtrls.h"
#include "F2Button.h"
#include "GSpdBtn.h"
#include "ModalDriver.h"
#include "TkGlyphLib.h"

namespace {

class LookupButtonsTest : public TControlsFixture {
protected:
  TEdit* AddEdit(const char* name) {
    auto* edit = Add<TEdit>(name);
    edit->SetBounds(100, 8, 85, 21);
    return edit;
  }
  struct TClickCounter {
    int Count = 0;
    void Clicked(TObject*) { ++Count; }
  };
};

TEST_F(LookupButtonsTest, GlyphIndexLoadsTheNumberedPictureOrShowsTheNumber) {
  auto* button = Add<TGSpeedButton>("btnGlyph");
  EXPECT_TRUE(button->Flat());
  const struct {
    int Index;
    const char* Caption;
    bool Picture;
  } cases[] = {
      {8, "", true},
      {0, "0", false},
      {TkGlyphLib::GetMaxBmpID() + 1, nullptr, false},
      {47, "", true},
  };
  for (const auto& c : cases) {
    button->SetGlyphIndex(c.Index);
    const std::string caption = c.Caption ? c.Caption : std::to_string(c.Index);
    EXPECT_EQ(button->Caption(), caption) << c.Index;
    EXPECT_EQ(!button->Glyph()->Empty(), c.Picture) << c.Index;
    if (c.Picture) {
      EXPECT_EQ(button->Glyph()->Width(), 16);
      EXPECT_EQ(button->NumGlyphs(), 1);
    }
  }
}

TEST_F(LookupButtonsTest, AMissingPictureBelowTheHighestKeepsTheNumberAsCaption) {
  auto* button = Add<TGSpeedButton>("btnGlyph");
  button->SetGlyphIndex(5);
  EXPECT_EQ(button->Caption(), "5");
  EXPECT_TRUE(button->Glyph()->Empty());
}

TEST_F(LookupButtonsTest, F2ButtonSitsSquareBesideItsEditAndFollowsTheGap) {
  TEdit* edit = AddEdit("edCustomer");
  auto* button = Add<TF2Button>("btnCustomer");
  EXPECT_EQ(button->GlyphIndex(), 8);
  button->SetF2Control(edit);
  EXPECT_EQ(button->BoundsRect(), Bounds(187, 8, 21, 21));
  button->SetGap(5);
  EXPECT_EQ(button->Left(), 190);
  button->SetAutoAlign(false);
  button->SetGap(2);
  EXPECT_EQ(button->Left(), 190);
}

TEST_F(LookupButtonsTest, TwoF2ButtonsOnOneEditAreRefused) {
  // On a panel, as forms place them: the form owns the buttons, the panel shows them.
  auto* panel = Add<TPanel>("pnlCustomer");
  TEdit* edit = Add<TEdit>("edCustomer", panel);
  auto* first = Add<TF2Button>("btnFirst", panel);
  auto* second = Add<TF2Button>("btnSecond", panel);
  first->SetF2Control(edit);
  TScriptedModalDriver driver;
  driver.Choose(mrOk);
  TModalDriverScope scope(driver);
  second->SetF2Control(edit);
  EXPECT_EQ(second->F2Control(), nullptr);
  EXPECT_EQ(first->F2Control(), edit);
  ASSERT_EQ(driver.Seen().size(), 1u);
  EXPECT_NE(driver.Seen()[0].find("不能同时有两个 F2Button 指到同一个 Edit."), std::string::npos);
  // Binding the same button again is no refusal.
  first->SetF2Control(edit);
  EXPECT_EQ(driver.Seen().size(), 1u);
}

TEST_F(LookupButtonsTest, ClickAsksTheFormForTheLookUpOfAnEnabledEditOnly) {
  TEdit* edit = AddEdit("edCustomer");
  auto* button = Add<TF2Button>("btnCustomer");
  button->SetF2Control(edit);
  TClickCounter clicks;
  button->OnClick = TNotifyEvent(&clicks, &TClickCounter::Clicked);

  button->Click();
  EXPECT_EQ(clicks.Count, 1);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(Form->Requests, (std::vector<TWinControl*>{edit}));

  edit->SetEnabled(false);
  button->Click();
  EXPECT_EQ(clicks.Count, 2);
  EXPECT_EQ(Form->Requests.size(), 1u);
}

TEST_F(LookupButtonsTest, AFreedEditUnbindsItsButton) {
  TEdit* edit = AddEdit("edCustomer");
  auto* button = Add<TF2Button>("btnCustomer");
  button->SetF2Control(edit);
  delete edit;
  EXPECT_EQ(button->F2Control(), nullptr);
  button->Click();
  EXPECT_TRUE(Form->Requests.empty());
}

}  // namespace
