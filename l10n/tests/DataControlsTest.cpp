#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "DBLabel.h"
#include "ExtCtrls.h"
#include "F2Button.h"
#include "Forms.h"
#include "GSpdBtn.h"
#include "L10nFixture.h"
#include "MemoryDataSet.h"
#include "ModalDriver.h"
#include "TypInfo.h"
#include "ZntEdit.h"

namespace {

class DataControlsTest : public TControlsFixture {
protected:
  TDBLabel* AddLabel(const char* name) {
    auto* label = Add<TDBLabel>(name);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 40, 13);
    return label;
  }
};

TEST_F(DataControlsTest, DBLabelPlacesItselfBesideItsControl) {
  const struct {
    TPos Pos;
    TRect Control;
    TPoint Expected;
  } cases[] = {
      {psTop, Bounds(100, 5, 80, 21), {100, 0}},  // 5 - 13 - 4 is cut to 0
      {psTop, Bounds(100, 40, 80, 21), {100, 23}},
      {psBottom, Bounds(100, 40, 80, 21), {100, 65}},
      {psLeft, Bounds(100, 40, 80, 21), {56, 44}},  // 40 + 21/2 - 13/2
      {psLeft, Bounds(100, 40, 80, 13), {56, 40}},  // equal heights
      {psRight, Bounds(100, 40, 80, 21), {184, 44}},
      {psLeft, Bounds(10, 40, 80, 21), {0, 44}},
  };
  for (const auto& c : cases) {
    auto* edit = Add<TEdit>("edValue");
    edit->SetBoundsRect(c.Control);
    TDBLabel* label = AddLabel("lblValue");
    label->SetPos(c.Pos);
    label->SetFocusControl(edit);
    EXPECT_EQ(label->Left(), c.Expected.X) << c.Pos << " " << c.Control.Top;
    EXPECT_EQ(label->Top(), c.Expected.Y) << c.Pos << " " << c.Control.Top;
    EXPECT_EQ(label->Caption(), "挂靠标签");
    delete label;
    delete edit;
  }
}

TEST_F(DataControlsTest, DBLabelFollowsGapAndPosChangesUnlessAutoAlignIsOff) {
  auto* edit = Add<TEdit>("edValue");
  edit->SetBounds(100, 40, 80, 21);
  TDBLabel* label = AddLabel("lblValue");
  label->SetFocusControl(edit);
  label->SetGap(10);
  EXPECT_EQ(label->Left(), 50);
  label->SetAutoAlign(false);
  label->SetPos(psRight);
  EXPECT_EQ(label->Left(), 50);
  label->SetAutoAlign(true);
  EXPECT_EQ(label->Left(), 190);
}

TEST_F(DataControlsTest, TwoDBLabelsOnOneControlAreRefused) {
  // On a panel, as forms place them: the form owns the labels, the panel shows them.
  auto* panel = Add<TPanel>("pnlValue");
  auto* edit = Add<TEdit>("edValue");
  edit->SetParent(panel);
  TDBLabel* first = AddLabel("lblFirst");
  first->SetParent(panel);
  TDBLabel* second = AddLabel("lblSecond");
  second->SetParent(panel);
  first->SetFocusControl(edit);
  TScriptedModalDriver driver;
  driver.Choose(mrOk);
  TModalDriverScope scope(driver);
  second->SetFocusControl(edit);
  EXPECT_EQ(second->FocusControl(), nullptr);
  ASSERT_EQ(driver.Seen().size(), 1u);
  EXPECT_NE(driver.Seen()[0].find("不能同时有两个 DBLabel 指到同一个 Control."), std::string::npos);
  first->SetFocusControl(edit);  // the same label again: refused quietly
  EXPECT_EQ(driver.Seen().size(), 1u);
  first->SetFocusControl(nullptr);
  second->SetFocusControl(edit);
  EXPECT_EQ(second->FocusControl(), edit);
}

TEST_F(DataControlsTest, DBLabelTakesTheDisplayLabelOfTheControlsField) {
  auto* data = new TMemoryDataSet(Form);
  data->AddField("TC001", "单号");
  auto* source = new TDataSource(Form);
  source->SetDataSet(data);
  auto* edit = Add<TZnDBEdit>("edTC001");
  edit->SetDataSource(source);
  edit->SetDataField("TC001");
  TDBLabel* label = AddLabel("lblTC001");
  label->SetFocusControl(edit);
  EXPECT_EQ(label->Caption(), "单号");

  auto* other = Add<TZnDBEdit>("edTC002");
  other->SetDataSource(source);
  other->SetDataField("TC002");
  TDBLabel* unchanged = AddLabel("lblTC002");
  unchanged->SetFocusControl(other);
  EXPECT_EQ(unchanged->Caption(), "挂靠标签");
}

TEST_F(DataControlsTest, ZnDBEditKeepsItsLabelBesideIt) {
  auto* edit = Add<TZnDBEdit>("edName");
  TLabel* label = edit->EditLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Name(), "EditLabel");
  EXPECT_EQ(label->Parent(), Form);
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 40, 13);
  SetStrProp(edit, "Caption", "名称");
  EXPECT_EQ(label->Caption(), "名称");
  const struct {
    TLabelPosition Position;
    TPoint Expected;
  } cases[] = {{lpLeft, {56, 44}}, {lpRight, {184, 44}}, {lpAbove, {100, 23}}, {lpBelow, {100, 65}}};
  for (const auto& c : cases) {
    edit->SetLabelPosition(c.Position);
    edit->SetBounds(100, 40, 80, 21);
    EXPECT_EQ(label->Left(), c.Expected.X) << c.Position;
    EXPECT_EQ(label->Top(), c.Expected.Y) << c.Position;
  }
  edit->SetLabelSpacing(-3);
  EXPECT_EQ(edit->LabelSpacing(), 4);
  edit->SetEnabled(false);
  edit->SetVisible(false);
  EXPECT_FALSE(label->Enabled());
  EXPECT_FALSE(label->Visible());
  delete label;
  EXPECT_EQ(edit->EditLabel(), nullptr);
  edit->SetBounds(0, 0, 10, 10);
}

TEST_F(DataControlsTest, ZnBtnDBEditButtonSitsBesideAndAsksForTheLookUp) {
  auto* edit = Add<TZnBtnDBEdit>("edCustomer");
  edit->SetBounds(100, 8, 85, 21);
  TGSpeedButton* button = edit->F2Button();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GlyphIndex(), 8);
  EXPECT_TRUE(button->Flat());
  EXPECT_EQ(button->BoundsRect(), Bounds(187, 8, 21, 21));
  edit->SetButtonSpacing(5);
  EXPECT_EQ(button->Left(), 190);

  button->Click();
  EXPECT_EQ(Form->Requests, (std::vector<TWinControl*>{edit}));

  struct TDialog {
    TObject* Sender = nullptr;
    void Run(TObject* S) { Sender = S; }
  } dialog;
  edit->OnDialog = TNotifyEvent(&dialog, &TDialog::Run);
  button->Click();
  EXPECT_EQ(dialog.Sender, edit);
  EXPECT_EQ(Form->Requests.size(), 1u);

  edit->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
}

}  // namespace
