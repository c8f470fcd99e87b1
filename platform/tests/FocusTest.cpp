#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Forms.h"
#include "ModalDriver.h"
#include "StdCtrls.h"

namespace {

// Records focus and key events of the controls it is hooked to.
struct TRecorder {
  std::vector<std::string> Log;
  static std::string NameOf(TObject* sender) { return static_cast<TComponent*>(sender)->Name(); }
  void Enter(TObject* s) { Log.push_back("enter " + NameOf(s)); }
  void Exit(TObject* s) { Log.push_back("exit " + NameOf(s)); }
  void KeyDown(TObject* s, std::uint16_t& key, TShiftState shift) {
    Log.push_back("down " + NameOf(s) + " " + std::to_string(key) + (shift == TShiftState{ssCtrl, ssAlt} ? " ctrl+alt" : ""));
  }
  void KeyPress(TObject* s, char& key) { Log.push_back("press " + NameOf(s) + " " + std::to_string(key)); }
  void Hook(TWinControl* c) {
    c->OnEnter = TNotifyEvent(this, &TRecorder::Enter);
    c->OnExit = TNotifyEvent(this, &TRecorder::Exit);
  }
};

// A shown form: edit1, then a group box with edit2 and edit3.
class FocusTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = CreateForm<TForm>(nullptr);
    Form->SetName("frm");
    Edit1 = AddEdit("edit1", Form);
    Box = new TGroupBox(Form);
    Box->SetName("box");
    Box->SetParent(Form);
    Edit2 = AddEdit("edit2", Box);
    Edit3 = AddEdit("edit3", Box);
    for (TWinControl* c : {static_cast<TWinControl*>(Edit1), static_cast<TWinControl*>(Box),
                           static_cast<TWinControl*>(Edit2), static_cast<TWinControl*>(Edit3)})
      Rec.Hook(c);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }
  TEdit* AddEdit(const char* name, TWinControl* parent) {
    auto* e = new TEdit(Form);
    e->SetName(name);
    e->SetParent(parent);
    return e;
  }

  TRecorder Rec;
  TForm* Form = nullptr;
  TEdit* Edit1 = nullptr;
  TGroupBox* Box = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(FocusTest, ExitAndEnterRunThroughContainersInOrder) {
  // Showing focused the first control in tab order.
  EXPECT_EQ(Rec.Log, (Log{"enter edit1"}));
  EXPECT_TRUE(Edit1->Focused());
  Rec.Log.clear();

  Edit2->SetFocus();
  EXPECT_EQ(Rec.Log, (Log{"exit edit1", "enter box", "enter edit2"}));
  Rec.Log.clear();
  Edit3->SetFocus();
  EXPECT_EQ(Rec.Log, (Log{"exit edit2", "enter edit3"}));
  Rec.Log.clear();
  Edit1->SetFocus();
  EXPECT_EQ(Rec.Log, (Log{"exit edit3", "exit box", "enter edit1"}));
  EXPECT_EQ(Form->ActiveControl(), Edit1);
  EXPECT_EQ(Screen->ActiveControl(), Edit1);
}

TEST_F(FocusTest, FormHearsFocusChangedThroughItsWindowProc) {
  struct THook {
    TForm* Form;
    TWndMethod Old;
    std::vector<TControl*> Changed;
    void Proc(TMessage& m) {
      if (m.Msg == CM_FOCUSCHANGED) Changed.push_back(reinterpret_cast<TControl*>(m.LParam));
      Old(m);  // the form's own handling still runs
    }
  } hook{Form, Form->WindowProc, {}};
  Form->WindowProc = TWndMethod(&hook, &THook::Proc);
  Edit3->SetFocus();
  Form->WindowProc = hook.Old;
  EXPECT_EQ(hook.Changed, (std::vector<TControl*>{Edit3}));
}

TEST_F(FocusTest, ExitHandlerThatRefocusesEndsTheMove) {
  // A validating OnExit sends the focus back: the move stops there.
  struct TValidator {
    TEdit* Self;
    void Exit(TObject*) { Self->SetFocus(); }
  } validator{Edit1};
  Edit1->OnExit = TNotifyEvent(&validator, &TValidator::Exit);
  Rec.Log.clear();
  Edit2->SetFocus();
  EXPECT_EQ(Form->ActiveControl(), Edit1);
  EXPECT_TRUE(Edit1->Focused());
  // edit1 is entered again; edit2 and its box never are.
  EXPECT_EQ(Rec.Log, (Log{"enter edit1"}));
}

TEST_F(FocusTest, HiddenOrDisabledControlsGiveUpAndRefuseFocus) {
  Edit2->SetFocus();
  Rec.Log.clear();
  Box->Hide();
  EXPECT_EQ(Rec.Log, (Log{"exit edit2", "exit box"}));
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_FALSE(Edit3->CanFocus());
  EXPECT_THROW(Edit3->SetFocus(), EInvalidOperation);
  Edit1->SetEnabled(false);
  EXPECT_THROW(Form->SetActiveControl(Edit1), EInvalidOperation);
  // A control on no form cannot take the focus at all.
  TEdit loose(nullptr);
  EXPECT_FALSE(loose.CanFocus());
  EXPECT_THROW(loose.SetFocus(), EInvalidOperation);
}

TEST_F(FocusTest, DestroyingTheFocusedControlLeavesNoReference) {
  Edit2->SetFocus();
  delete Box;  // takes edit2 and edit3 with it
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_EQ(Form->FocusedControl(), Form);
  Rec.Log.clear();
  Edit1->SetFocus();
  EXPECT_EQ(Rec.Log, (Log{"enter edit1"}));
}

struct TKeyCase {
  const char* Name;
  bool KeyPreview;
  bool FormConsumes;
  Log Expected;
};

class KeyPreviewTest : public FocusTest, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(KeyPreviewTest, FormSeesKeysFirstAndCanConsumeThem) {
  const TKeyCase& c = GetParam();
  struct TFormKeys {
    TRecorder* Rec;
    bool Consume;
    void Down(TObject* s, std::uint16_t& key, TShiftState shift) {
      Rec->KeyDown(s, key, shift);
      if (Consume) key = 0;
    }
    void Press(TObject* s, char& key) {
      Rec->KeyPress(s, key);
      if (Consume) key = 0;
    }
  } formKeys{&Rec, c.FormConsumes};
  Form->SetKeyPreview(c.KeyPreview);
  Form->OnKeyDown = TKeyEvent(&formKeys, &TFormKeys::Down);
  Form->OnKeyPress = TKeyPressEvent(&formKeys, &TFormKeys::Press);
  Edit1->OnKeyDown = TKeyEvent(&Rec, &TRecorder::KeyDown);
  Edit1->OnKeyPress = TKeyPressEvent(&Rec, &TRecorder::KeyPress);
  Rec.Log.clear();
  SendKeyStroke(*Edit1, VK_X, {ssCtrl, ssAlt});
  SendKeyStroke(*Edit1, VK_A);
  EXPECT_EQ(Rec.Log, c.Expected);
  // A consumed character never reaches the edit's text.
  EXPECT_EQ(Edit1->Text(), c.FormConsumes && c.KeyPreview ? "" : "a");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyPreviewTest,
    ::testing::Values(
        TKeyCase{"NoPreview", false, true, {"down edit1 88 ctrl+alt", "down edit1 65", "press edit1 97"}},
        TKeyCase{"PreviewPassesOn", true, false,
                 {"down frm 88 ctrl+alt", "down edit1 88 ctrl+alt", "down frm 65", "down edit1 65",
                  "press frm 97", "press edit1 97"}},
        TKeyCase{"PreviewConsumes", true, true, {"down frm 88 ctrl+alt", "down frm 65", "press frm 97"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(FocusTest, EnterMovesToTheNextControlByTabOrder) {
  // The form turns Enter into the dialog next-control message.
  struct TEnterAsTab {
    TForm* Form;
    void Press(TObject*, char& key) {
      if (key != '\r') return;
      key = 0;
      Form->Perform(WM_NEXTDLGCTL, 0, 0);
    }
  } enter{Form};
  Form->SetKeyPreview(true);
  Form->OnKeyPress = TKeyPressEvent(&enter, &TEnterAsTab::Press);
  // Tab order differs from creation order; disabled and non-tab-stop
  // controls are passed over, and the order wraps around.
  Edit3->SetTabOrder(0);
  auto* skipped = AddEdit("skipped", Form);
  skipped->SetTabStop(false);
  auto* disabled = AddEdit("disabled", Form);
  disabled->SetEnabled(false);
  auto* last = AddEdit("last", Form);
  Edit1->SetFocus();
  std::vector<std::string> visited;
  for (int i = 0; i < 5; ++i) {
    SendKeyStroke(*Form->ActiveControl(), VK_RETURN);
    visited.push_back(Form->ActiveControl()->Name());
  }
  EXPECT_EQ(visited, (Log{"edit3", "edit2", "last", "edit1", "edit3"}));
  EXPECT_EQ(last->Text(), "");  // the Enter was consumed, not typed

  // Tab and Shift+Tab do the same through the form's dialog keys.
  SendKeyStroke(*Form->ActiveControl(), VK_TAB);
  EXPECT_EQ(Form->ActiveControl(), Edit2);
  SendKeyStroke(*Form->ActiveControl(), VK_TAB, {ssShift});
  EXPECT_EQ(Form->ActiveControl(), Edit3);
  Form->Perform(WM_NEXTDLGCTL, 1, 0);
  EXPECT_EQ(Form->ActiveControl(), Edit1);
}

TEST_F(FocusTest, DialogKeysAndAcceleratorsClickButtons) {
  struct TClicks {
    Log* Out;
    void Click(TObject* s) { Out->push_back("click " + TRecorder::NameOf(s)); }
  } clicks{&Rec.Log};
  auto addButton = [&](const char* name, const char* caption) {
    auto* b = new TButton(Form);
    b->SetName(name);
    b->SetParent(Form);
    b->SetCaption(caption);
    b->OnClick = TNotifyEvent(&clicks, &TClicks::Click);
    return b;
  };
  TButton* ok = addButton("btnOk", "&Ok");
  ok->SetDefault(true);
  TButton* cancel = addButton("btnCancel", "Cancel");
  cancel->SetCancel(true);
  TButton* other = addButton("btnMore", "&More");
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  label->SetCaption("&Date");
  label->SetFocusControl(Edit3);

  Edit1->SetFocus();
  Rec.Log.clear();
  SendKeyStroke(*Edit1, VK_RETURN);   // the default button
  SendKeyStroke(*Edit1, VK_ESCAPE);   // the cancel button
  SendKeyStroke(*Edit1, VK_M, {ssAlt});  // an accelerator
  EXPECT_EQ(Rec.Log, (Log{"click btnOk", "click btnCancel", "exit edit1", "click btnMore"}));
  EXPECT_EQ(Form->ActiveControl(), other);
  // With another button focused, Enter clicks that one instead.
  Rec.Log.clear();
  SendKeyStroke(*other, VK_RETURN);
  EXPECT_EQ(Rec.Log, (Log{"click btnMore"}));
  // A label's accelerator focuses its control.
  SendKeyStroke(*other, VK_D, {ssAlt});
  EXPECT_EQ(Form->ActiveControl(), Edit3);
  EXPECT_EQ(GetHotkey("&Ok"), U'O');
  EXPECT_EQ(GetHotkey("A&&B"), 0u);
  EXPECT_EQ(StripHotkey("N&o to All && more"), "No to All & more");
}

}  // namespace
