#include <gtest/gtest.h>

#include "ExtCtrls.h"
#include "FormFixture.h"
#include "Forms.h"
#include "ZnRadioButton.h"
#include "ZnRadioGroup.h"
#include "ZnSpin.h"

namespace {

struct TCounter {
  int Count = 0;
  void Count1(TObject*) { ++Count; }
};

using SmallDataControlsTest = TShownFormFixtureOf<TForm>;

TEST_F(SmallDataControlsTest, SpinEditTakesSignsOnlyInFront) {
  auto* spin = Add<TZnSpinEdit>("spCopies");
  TCounter changes;
  spin->OnChange = TNotifyEvent(&changes, &TCounter::Count1);
  const struct {
    const char* Typed;
    const char* Kept;
  } cases[] = {{"12+", "12"}, {"+12", "+12"}, {"12-", "12"}, {"-5", "-5"}, {"-5+", "-5"}};
  for (const auto& c : cases) {
    spin->SetText(c.Typed);
    EXPECT_EQ(spin->Text(), c.Kept) << c.Typed;
  }
  const int before = changes.Count;
  EXPECT_EQ(before, 5);
  spin->SetText(" ");
  EXPECT_EQ(changes.Count, before);
}

TEST_F(SmallDataControlsTest, CheckingARadioButtonClearsTheOthersOfItsParent) {
  auto* panel = Add<TPanel>("pnlKind");
  TZnRadioButton* buttons[] = {Add<TZnRadioButton>("rb1", panel), Add<TZnRadioButton>("rb2", panel),
                               Add<TZnRadioButton>("rb3", panel)};
  auto* elsewhere = Add<TZnRadioButton>("rbOther");
  elsewhere->SetChecked(true);
  EXPECT_EQ(buttons[0]->Width(), 113);
  EXPECT_EQ(buttons[0]->Height(), 17);
  TCounter clicks;
  buttons[1]->OnClick = TNotifyEvent(&clicks, &TCounter::Count1);
  buttons[0]->SetChecked(true);
  buttons[2]->SetChecked(true);
  buttons[1]->SetChecked(true);
  EXPECT_FALSE(buttons[0]->Checked());
  EXPECT_TRUE(buttons[1]->Checked());
  EXPECT_TRUE(buttons[1]->TabStop());
  EXPECT_FALSE(buttons[2]->Checked());
  EXPECT_FALSE(buttons[2]->TabStop());
  EXPECT_TRUE(elsewhere->Checked());
  EXPECT_EQ(clicks.Count, 1);
}

TEST_F(SmallDataControlsTest, RadioCaptionOffsetGrowsWithTheFontSize) {
  const struct {
    int Size;
    int Offset;
  } cases[] = {{0, 17},  {7, 17},  {8, 19},  {9, 19},  {14, 19}, {15, 19}, {16, 20}, {18, 21}, {23, 21},
               {24, 23}, {30, 25}, {36, 27}, {42, 29}, {44, 31}, {60, 31}, {61, 39}, {80, 39}, {81, 44}};
  for (const auto& c : cases) EXPECT_EQ(TZnRadioButton::CaptionOffset(c.Size), c.Offset) << c.Size;
}

TEST_F(SmallDataControlsTest, RadioGroupLaysOutItsButtonsColumnByColumn) {
  auto* group = Add<TZnRadioGroup>("rgKind");
  group->SetBounds(0, 0, 210, 105);
  group->SetColumns(2);
  group->Items()->SetText("全部\r\n已审核\r\n未审核\r\n");
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->Buttons(1)->Caption(), "已审核");
  // Two rows: column 0 holds items 0 and 1, column 1 item 2.
  EXPECT_EQ(group->Buttons(0)->Left(), 8);
  EXPECT_EQ(group->Buttons(1)->Left(), 8);
  EXPECT_EQ(group->Buttons(2)->Left(), 8 + 100);
  EXPECT_EQ(group->Buttons(0)->Width(), 100);
  EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
  EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(0)->Top());
  EXPECT_EQ(group->Buttons(1)->Top() - group->Buttons(0)->Top(), group->Buttons(0)->Height());
}

TEST_F(SmallDataControlsTest, RadioGroupSelectionFollowsClicksAndItems) {
  auto* group = Add<TZnRadioGroup>("rgKind");
  group->Items()->SetText("一\r\n二\r\n三\r\n");
  TCounter clicks;
  group->OnClick = TNotifyEvent(&clicks, &TCounter::Count1);
  EXPECT_EQ(group->ItemIndex(), -1);
  group->Buttons(1)->SetChecked(true);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(clicks.Count, 1);
  group->SetItemIndex(2);
  EXPECT_TRUE(group->Buttons(2)->Checked());
  EXPECT_FALSE(group->Buttons(1)->Checked());
  EXPECT_EQ(clicks.Count, 1);
  group->Items()->Delete(2);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(group->ButtonCount(), 2);
  group->SetItemIndex(5);
  EXPECT_EQ(group->ItemIndex(), -1);
}

class TReadOnlyGroup : public TZnRadioGroup {
public:
  using TZnRadioGroup::TZnRadioGroup;
  bool CanModify() const override { return false; }
};

TEST_F(SmallDataControlsTest, AGroupThatMayNotBeModifiedRefusesClicks) {
  auto* group = Add<TReadOnlyGroup>("rgKind");
  group->Items()->SetText("一\r\n二\r\n");
  group->SetItemIndex(0);
  group->Buttons(1)->SetChecked(true);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_TRUE(group->Buttons(0)->Checked());
  EXPECT_FALSE(group->Buttons(1)->Checked());
}

}  // namespace
