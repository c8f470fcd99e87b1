#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Colors.h"
#include "EditMask.h"
#include "FormFixture.h"
#include "Forms.h"
#include "Mask.h"
#include "Menus.h"
#include "ModalDriver.h"
#include "StdCtrls.h"
#include "TypInfo.h"

namespace {

using ControlsTest = TFormFixture;

TEST_F(ControlsTest, ParentsChildrenAndCoordinates) {
  Form->SetBounds(100, 50, 400, 300);
  auto* box = Add<TGroupBox>("box");
  box->SetBounds(10, 20, 200, 100);
  auto* edit = Add<TEdit>("ed", box);
  edit->SetBounds(5, 6, 50, 21);
  ASSERT_EQ(box->ControlCount(), 1);
  EXPECT_EQ(box->Controls(0), edit);
  EXPECT_THROW(box->Controls(1), EListError);
  EXPECT_TRUE(Form->ContainsControl(edit));
  EXPECT_EQ(GetParentForm(edit), Form);
  // Screen = form origin + frame + box + edit; and back again.
  TPoint screen = edit->ClientToScreen({1, 2});
  EXPECT_EQ(screen.X, Form->ClientOrigin().X + 10 + 5 + 1);
  EXPECT_EQ(screen.Y, Form->ClientOrigin().Y + 20 + 6 + 2);
  EXPECT_EQ(edit->ScreenToClient(screen), (TPoint{1, 2}));
  EXPECT_EQ(Form->ClientWidth(), 400 - 8);
  Form->SetClientWidth(300);
  EXPECT_EQ(Form->Width(), 308);
  // A control cannot become its own ancestor.
  EXPECT_THROW(box->SetParent(box), EInvalidOperation);
  // Moving it elsewhere leaves the old parent.
  edit->SetParent(Form);
  EXPECT_EQ(box->ControlCount(), 0);
}

TEST_F(ControlsTest, FontAndColourFollowTheParentUntilSetOwn) {
  auto* box = Add<TGroupBox>("box");
  auto* label = Add<TLabel>("lbl", box);
  auto* edit = Add<TEdit>("ed", box);
  Form->Font()->SetName("SimSun");
  EXPECT_EQ(label->Font()->Name(), "SimSun");  // two levels down
  edit->Font()->SetHeight(-20);
  EXPECT_FALSE(edit->ParentFont());
  Form->Font()->SetName("Arial");
  EXPECT_EQ(label->Font()->Name(), "Arial");
  EXPECT_EQ(edit->Font()->Name(), "SimSun");
  Form->SetColor(clRed);
  EXPECT_EQ(label->Color(), clRed);
  EXPECT_EQ(edit->Color(), clWindow);  // edits keep their own
  // By name, as stored layouts and language files set them.
  SetStrProp(label, "Font.Name", "Tahoma");
  EXPECT_EQ(label->Font()->Name(), "Tahoma");
  EXPECT_FALSE(label->ParentFont());
}

TEST_F(ControlsTest, WindowProcReplacedAndHandlesOnDemand) {
  auto* edit = Add<TEdit>("ed");
  EXPECT_FALSE(edit->HandleAllocated());
  HWND h = edit->Handle();
  EXPECT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(FindControl(h), edit);
  struct TSpy {
    TWndMethod Old;
    std::vector<unsigned> Seen;
    void Proc(TMessage& m) {
      Seen.push_back(m.Msg);
      if (m.Msg == WM_USER + 10) {
        m.Result = 42;
        return;
      }
      Old(m);
    }
  } spy{edit->WindowProc, {}};
  edit->WindowProc = TWndMethod(&spy, &TSpy::Proc);
  EXPECT_EQ(SendMessage(h, WM_USER + 10, 0, 0), 42);
  EXPECT_EQ(edit->Perform(WM_USER + 11), 0);
  SendText(*edit, "ab");
  EXPECT_EQ(edit->Text(), "ab");  // the default handling ran behind the spy
  edit->WindowProc = spy.Old;
  EXPECT_EQ(spy.Seen.front(), WM_USER + 10u);
  delete edit;
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(FindControl(h), nullptr);
}

TEST_F(ControlsTest, AlignAndAnchorsLayOutChildren) {
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(0, 0, 300, 200);
  auto* top = Add<TGroupBox>("top");
  top->SetHeight(40);
  top->SetAlign(alTop);
  auto* client = Add<TGroupBox>("client");
  client->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 40));
  EXPECT_EQ(client->BoundsRect(), Bounds(0, 40, 300, 160));
  auto* button = Add<TButton>("btn");
  button->SetBounds(200, 150, 75, 25);
  button->SetAnchors({akRight, akBottom});
  Form->SetBounds(0, 0, 400, 250);
  EXPECT_EQ(button->BoundsRect(), Bounds(300, 200, 75, 25));
  EXPECT_EQ(client->BoundsRect(), Bounds(0, 40, 400, 210));
  top->Hide();
  EXPECT_EQ(client->BoundsRect(), Bounds(0, 0, 400, 250));
}

TEST_F(ControlsTest, PublishedPropertiesByName) {
  auto* combo = Add<TComboBox>("cbo");
  auto* label = Add<TLabel>("lbl");
  auto* memo = Add<TMemo>("memo");
  SetStrProp(label, "Caption", "日期");
  EXPECT_EQ(label->Caption(), "日期");
  combo->Items()->Add("a");
  combo->Items()->Add("b");
  SetOrdProp(combo, "ItemIndex", 1);
  EXPECT_EQ(GetStrProp(combo, "Text"), "b");
  EXPECT_EQ(GetPropInfo(combo, "Items")->TypeName(), "TStrings");
  EXPECT_EQ(GetPropInfo(combo, "Style")->TypeName(), "TComboBoxStyle");
  EXPECT_EQ(GetPropInfo(combo, "Font")->TypeName(), "TFont");
  EXPECT_EQ(GetPropInfo(memo, "Lines")->TypeName(), "TStrings");
  SetEnumProp(combo, "Style", "csOwnerDrawVariable");
  EXPECT_EQ(combo->Style(), csOwnerDrawVariable);
  EXPECT_EQ(GetPropInfo(Add<TListBox>("lst"), "Style")->TypeName(), "TListBoxStyle");
  SetSetProp(label, "Anchors", "[akLeft, akRight]");
  EXPECT_EQ(label->Anchors(), (TAnchors{akLeft, akRight}));
  EXPECT_EQ(GetEnumProp(label, "Cursor"), "");  // an integer, not an enumeration
  SetOrdProp(label, "Cursor", crHandPoint);
  EXPECT_EQ(label->Cursor(), -21);
  EXPECT_FALSE(IsPublishedProp(label, "Text"));  // a label has a Caption
  EXPECT_TRUE(IsPublishedProp(Add<TEdit>("ed"), "Text"));
}

TEST_F(ControlsTest, ComboBoxStyles) {
  struct TCase {
    TComboBoxStyle Style;
    bool HasEdit;
  };
  for (TCase c : {TCase{csDropDown, true}, TCase{csSimple, true}, TCase{csDropDownList, false},
                  TCase{csOwnerDrawFixed, false}, TCase{csOwnerDrawVariable, false}}) {
    auto* combo = new TComboBox(Form);
    combo->SetParent(Form);
    combo->SetStyle(c.Style);
    combo->Items()->SetCommaText("Apple,Banana,Cherry");
    EXPECT_EQ(combo->HasEdit(), c.HasEdit);
    combo->SetText("Banana");
    EXPECT_EQ(combo->ItemIndex(), 1);
    // A text that is no item: kept by an edit part, refused by the lists.
    combo->SetText("Durian");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), c.HasEdit ? "Durian" : "");
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(2);
    combo->Items()->Delete(2);
    EXPECT_EQ(combo->ItemIndex(), -1);  // the selected item went away
  }
}

TEST_F(ControlsTest, UserSelectionRaisesEventsProgrammaticDoesNot) {
  struct TCount {
    int Changes = 0;
    int Clicks = 0;
    void Change(TObject*) { ++Changes; }
    void Click(TObject*) { ++Clicks; }
  } count;
  auto* combo = Add<TComboBox>("cbo");
  combo->SetStyle(csDropDownList);
  combo->Items()->SetCommaText("a,b,c");
  combo->OnChange = TNotifyEvent(&count, &TCount::Change);
  combo->OnClick = TNotifyEvent(&count, &TCount::Click);
  combo->SetItemIndex(0);
  EXPECT_EQ(count.Changes, 0);
  Form->Show();
  combo->SetFocus();
  SendKeyStroke(*combo, VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  SendText(*combo, "c");
  EXPECT_EQ(combo->Text(), "c");
  EXPECT_EQ(count.Changes, 2);
  EXPECT_EQ(count.Clicks, 2);
}

TEST_F(ControlsTest, ListBoxSelection) {
  auto* list = Add<TListBox>("lst");
  list->Items()->SetCommaText("a,b,c,d");
  list->SetItemIndex(1);
  EXPECT_TRUE(list->Selected(1));
  EXPECT_EQ(list->SelCount(), -1);  // single selection has no count
  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(3, true);
  EXPECT_EQ(list->SelCount(), 3);
  EXPECT_THROW(list->Selected(4), EListError);
  list->Items()->Delete(0);
  EXPECT_EQ(list->SelCount(), 0);  // marks do not survive a change
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ControlsTest, CheckBoxAndRadioButtonClicks) {
  struct TCount {
    int Clicks = 0;
    void Click(TObject*) { ++Clicks; }
  } count;
  auto* check = Add<TCheckBox>("chk");
  check->OnClick = TNotifyEvent(&count, &TCount::Click);
  check->SetChecked(true);  // a change from code clicks too
  EXPECT_EQ(count.Clicks, 1);
  check->SetChecked(true);
  EXPECT_EQ(count.Clicks, 1);
  SendClick(*check);  // the user toggles
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(count.Clicks, 2);
  check->SetAllowGrayed(true);
  SendClick(*check);
  EXPECT_EQ(check->State(), cbGrayed);

  auto* r1 = Add<TRadioButton>("r1");
  auto* r2 = Add<TRadioButton>("r2");
  r1->SetChecked(true);
  SendClick(*r2);
  EXPECT_FALSE(r1->Checked());
  EXPECT_TRUE(r2->Checked());
}

TEST_F(ControlsTest, MemoLinesAndCaret) {
  auto* memo = Add<TMemo>("memo");
  memo->Lines()->Add("第一");
  memo->Lines()->Add("second");
  EXPECT_EQ(memo->Text(), "第一\r\nsecond");
  memo->SetCaretPos({3, 1});
  EXPECT_EQ(memo->CaretPos(), (TPoint{3, 1}));
  Form->Show();
  memo->SetFocus();
  memo->SetCaretPos({2, 0});
  SendKeyStroke(*memo, VK_RETURN);  // a memo keeps Enter as a line break
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->CaretPos(), (TPoint{0, 1}));
  memo->Lines()->SetStrings(0, "x");
  EXPECT_EQ(memo->Lines()->Get(0), "x");
}

TEST_F(ControlsTest, MaskedEditTypingAndText) {
  auto* edit = Add<TMaskEdit>("edDate");
  edit->SetEditMask("9999/99/99;1; ");
  EXPECT_EQ(edit->EditText(), "    /  /  ");
  EXPECT_EQ(edit->Text(), "    /  /  ");
  Form->Show();
  edit->SetFocus();
  SendText(*edit, "2004x05");  // a letter does not fit a digit position
  EXPECT_EQ(edit->EditText(), "2004/05/  ");
  SendText(*edit, "01");
  EXPECT_EQ(edit->Text(), "2004/05/01");
  SendKeyStroke(*edit, VK_BACK);
  EXPECT_EQ(edit->EditText(), "2004/05/0 ");
  // Changing the mask keeps the input characters.
  edit->SetText("2004/05/01");
  edit->SetEditMask("");
  EXPECT_EQ(edit->Text(), "20040501");
  // Literals switched off and back on show the empty text with literals.
  edit->SetEditMask("9999/99/99;0; ");
  edit->SetText("");
  edit->SetEditMask("9999/99/99;1; ");
  EXPECT_EQ(edit->Text(), "    /  /  ");

  auto* order = Add<TMaskEdit>("edOrder");
  order->SetEditMask("!aaaa\\-aaaaaaaaaaa;0; ");
  order->SetText("A001");
  EXPECT_EQ(order->EditText(), "    -       A001");
  // A mask with a required position refuses to be left unfilled.
  auto* strict = Add<TMaskEdit>("edStrict");
  strict->SetEditMask("00;1;_");
  strict->SetText("1");
  EXPECT_THROW(strict->ValidateEdit(), EDBEditError);
}

TEST_F(ControlsTest, MenusRadioItemsAndShortcuts) {
  auto* menu = new TPopupMenu(Form);
  auto addItem = [&](const char* name, bool radio) {
    auto* item = new TMenuItem(Form);
    item->SetName(name);
    item->SetRadioItem(radio);
    item->SetAutoCheck(true);
    menu->Items()->Add(item);
    return item;
  };
  TMenuItem* a = addItem("mnuA", true);
  TMenuItem* b = addItem("mnuB", true);
  TMenuItem* c = addItem("mnuC", false);
  a->SetChecked(true);
  b->Click();
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  c->SetShortCut(ShortCut(VK_P, {ssCtrl}));
  EXPECT_TRUE(menu->IsShortCut(VK_P, {ssCtrl}));
  EXPECT_TRUE(c->Checked());
  EXPECT_FALSE(menu->IsShortCut(VK_P, {ssCtrl, ssShift}));
  auto* label = Add<TLabel>("lbl");
  label->SetPopupMenu(menu);
  delete b;  // leaves the menu
  EXPECT_EQ(menu->Items()->Count(), 2);
  delete menu;
  EXPECT_EQ(label->PopupMenu(), nullptr);
  EXPECT_EQ(a->Parent(), nullptr);
}

}  // namespace
