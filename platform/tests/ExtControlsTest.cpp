#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "FormTextReader.h"
#include "FormFixture.h"
#include "Forms.h"
#include "Menus.h"
#include "ModalDriver.h"
#include "Spin.h"
#include "ToolBar.h"
#include "TypInfo.h"

namespace {

struct TCounter {
  std::vector<std::string> Log;
  bool Allow = true;
  void Click(TObject*) { Log.push_back("click"); }
  void Change(TObject*) { Log.push_back("change"); }
  void Changing(TObject*, bool& allow) {
    Log.push_back("changing");
    allow = Allow;
  }
};

class ExtControlsTest : public TFormFixture {
protected:
  TCounter Count;
};

TEST_F(ExtControlsTest, RadioGroupItemsAndClicks) {
  auto* group = Add<TRadioGroup>("rg01");
  group->OnClick = TNotifyEvent(&Count, &TCounter::Click);
  group->Items()->SetCommaText("Orders,WorkOrders,Both");
  EXPECT_EQ(group->ItemIndex(), -1);
  group->SetItemIndex(0);  // from code as well as by the user
  EXPECT_TRUE(group->Buttons(0)->Checked());
  SendClick(*group->Buttons(2));
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_FALSE(group->Buttons(0)->Checked());
  EXPECT_EQ(Count.Log, (std::vector<std::string>{"click", "click"}));
  group->SetItemIndex(2);  // no change, no click
  EXPECT_EQ(Count.Log.size(), 2u);
  group->Items()->Delete(2);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_THROW(group->Buttons(2), EListError);
  // The buttons are the group's, not the form's.
  EXPECT_EQ(Form->FindComponent(group->Buttons(0)->Name()), nullptr);
  EXPECT_EQ(group->Buttons(0)->Owner(), group);
}

TEST_F(ExtControlsTest, RadioGroupFromLayoutKeepsItsIndexWithoutClick) {
  ReadFormText(Form, R"(object Form: TForm
  object rg01: TRadioGroup
    ItemIndex = 1
    Items.Strings = ('A' 'B')
    Columns = 2
  end
end)");
  auto* group = Form->FindComponent<TRadioGroup>("rg01");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  EXPECT_EQ(group->Columns(), 2);
}

TEST_F(ExtControlsTest, SpeedButtonGroups) {
  auto* a = Add<TSpeedButton>("a");
  auto* b = Add<TSpeedButton>("b");
  auto* loose = Add<TSpeedButton>("loose");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  a->SetDown(true);
  b->Click();
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  b->Click();  // the last down button of a group stays down...
  EXPECT_TRUE(b->Down());
  a->SetAllowAllUp(true);  // ...unless the group allows all up
  EXPECT_TRUE(b->AllowAllUp());
  b->Click();
  EXPECT_FALSE(b->Down());
  loose->SetDown(true);  // without a group a button never stays down
  EXPECT_FALSE(loose->Down());
}

TEST_F(ExtControlsTest, BitBtnKinds) {
  auto* ok = Add<TBitBtn>("btnOk");
  ok->SetKind(bkOK);
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  auto* close = Add<TBitBtn>("btnClose");
  close->SetKind(bkClose);
  Form->Show();
  SendClick(*close);
  EXPECT_FALSE(Form->Visible());
}

TEST_F(ExtControlsTest, PageControlPagesAndChanging) {
  auto* pages = Add<TPageControl>("pgOption");
  pages->OnChanging = TTabChangingEvent(&Count, &TCounter::Changing);
  pages->OnChange = TNotifyEvent(&Count, &TCounter::Change);
  std::vector<TTabSheet*> sheets;
  for (const char* name : {"tsOption1", "tsOption2", "tsSystem"}) {
    auto* sheet = new TTabSheet(Form);
    sheet->SetName(name);
    sheet->SetPageControl(pages);
    sheets.push_back(sheet);
  }
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_TRUE(sheets[0]->Visible());
  // From code: no events.
  pages->SetActivePageIndex(2);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_TRUE(Count.Log.empty());
  // As the user: OnChanging may refuse.
  Count.Allow = false;
  EXPECT_FALSE(pages->SelectPage(sheets[0]));
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  Count.Allow = true;
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(Count.Log, (std::vector<std::string>{"changing", "changing", "change"}));
  // A hidden tab is skipped and has no tab index; hiding the shown one
  // moves on.
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(sheets[1]->TabIndex(), -1);
  EXPECT_EQ(sheets[2]->TabIndex(), 1);
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  sheets[2]->SetTabVisible(false);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  // Freeing the shown page shows the next visible one, or none.
  sheets[1]->SetTabVisible(true);
  delete sheets[0];
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  delete sheets[1];
  EXPECT_EQ(pages->ActivePage(), nullptr);
}

TEST_F(ExtControlsTest, StatusBarPanelsByName) {
  auto* bar = Add<TStatusBar>("sbMain");
  EXPECT_EQ(bar->Align(), alBottom);
  bar->Panels()->Add()->SetText("Ready");
  bar->Panels()->Add()->SetWidth(120);
  EXPECT_EQ(bar->Panels()->Count(), 2);
  EXPECT_EQ(bar->Panels()->Items(0)->Text(), "Ready");
  EXPECT_EQ(GetPropInfo(bar, "Panels")->TypeName(), "TStatusPanels");
  EXPECT_EQ(GetObjectProp(bar, "Panels"), bar->Panels());
  auto* panel = Add<TPanel>("pnl");
  panel->SetBounds(0, 0, 100, 50);
  panel->SetBevelInner(bvLowered);
  EXPECT_EQ(panel->ClientRect(), Rect(2, 2, 98, 48));
}

TEST_F(ExtControlsTest, SpinEditKeepsANumberInRange) {
  auto* spin = Add<TSpinEdit>("spCopies");
  spin->SetMinValue(1);
  spin->SetMaxValue(5);
  EXPECT_EQ(spin->Value(), 1);
  Form->Show();
  spin->SetFocus();
  SendKeyStroke(*spin, VK_UP);
  EXPECT_EQ(spin->Value(), 2);
  spin->SetValue(9);
  EXPECT_EQ(spin->Text(), "5");
  spin->SelectAll();
  SendText(*spin, "x3");  // a letter is not typed
  EXPECT_EQ(spin->Text(), "3");
  spin->SetText("abc");
  EXPECT_EQ(spin->Value(), 1);
}

TEST_F(ExtControlsTest, ToolBarButtonsAndProgress) {
  auto* bar = Add<TToolBar>("ToolBar1");
  bar->SetButtonWidth(25);
  auto* menu = new TPopupMenu(Form);
  struct TPopped {
    int Count = 0;
    void Popup(TObject*) { ++Count; }
  } popped;
  menu->OnPopup = TNotifyEvent(&popped, &TPopped::Popup);
  std::vector<TToolButton*> buttons;
  for (int i = 0; i < 3; ++i) {
    auto* b = new TToolButton(Form);
    b->SetStyle(tbsCheck);
    b->SetGrouped(true);
    b->SetParent(bar);
    buttons.push_back(b);
  }
  EXPECT_EQ(buttons[2]->Left(), 50);
  buttons[0]->Click();
  buttons[1]->Click();
  EXPECT_FALSE(buttons[0]->Down());
  EXPECT_TRUE(buttons[1]->Down());
  buttons[2]->SetDropdownMenu(menu);
  buttons[2]->DropDown();
  EXPECT_EQ(popped.Count, 1);
  EXPECT_EQ(menu->PopupComponent(), buttons[2]);
  delete menu;
  EXPECT_EQ(buttons[2]->DropdownMenu(), nullptr);

  auto* progress = Add<TProgressBar>("pb");
  progress->SetMax(30);
  progress->StepIt();
  progress->StepBy(100);
  EXPECT_EQ(progress->Position(), 30);
}

}  // namespace
