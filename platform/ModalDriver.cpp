#include "ModalDriver.h"

#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "StrUtils.h"

namespace {

// The buttons of a form and of its containers, in tab order.
void CollectButtons(const TWinControl& parent, std::vector<TButton*>& out) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c)) out.push_back(b);
    if (auto* w = dynamic_cast<TWinControl*>(c)) CollectButtons(*w, out);
  }
}

TControl* FindChildControl(const TWinControl& parent, const std::string& name) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (SameText(c->Name(), name)) return c;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TControl* found = FindChildControl(*w, name)) return found;
  }
  return nullptr;
}

char32_t KeyChar(std::uint16_t key, TShiftState shift) {
  if (key >= VK_A && key <= VK_Z) {
    if (shift.Contains(ssCtrl)) return key - VK_A + 1;
    return shift.Contains(ssShift) ? key : key + 32;
  }
  if (shift.Contains(ssCtrl)) return 0;
  if (key >= VK_0 && key <= VK_9) return shift.Contains(ssShift) ? 0 : key;
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return U'0' + (key - VK_NUMPAD0);
  switch (key) {
    case VK_SPACE: return U' ';
    case VK_RETURN: return U'\r';
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_TAB: return U'\t';
    default: return 0;
  }
}

template <class T>
T& Require(TCustomForm& form, const std::string& path) {
  TComponent* c = FindFormComponent(form, path);
  auto* typed = dynamic_cast<T*>(c);
  if (!typed)
    throw EModalDriverError("The form " + form.Name() + " (" + form.ClassName() + ") has no control " + path);
  return *typed;
}

}  // namespace

TComponent* FindFormComponent(TCustomForm& Form, const std::string& Path) {
  TComponent* current = &Form;
  size_t start = 0;
  while (current && start <= Path.size()) {
    size_t dot = Path.find('.', start);
    std::string part = Path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    TComponent* next = current->FindComponent(part);
    if (!next)
      if (auto* w = dynamic_cast<TWinControl*>(current)) next = FindChildControl(*w, part);
    current = next;
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return current;
}

void SendKeyStroke(TWinControl& Target, std::uint16_t Key, TShiftState Shift) {
  bool alt = Shift.Contains(ssAlt);
  LPARAM data = ShiftStateToKeyData(Shift);
  HWND h = Target.Handle();
  LRESULT eaten = SendMessage(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, data);
  char32_t ch = KeyChar(Key, Shift - TShiftState{ssAlt});
  if (!eaten && ch != 0 && IsWindow(h)) SendMessage(h, alt ? WM_SYSCHAR : WM_CHAR, ch, data);
  if (IsWindow(h)) SendMessage(h, alt ? WM_SYSKEYUP : WM_KEYUP, Key, data);
}

void SendText(TWinControl& Target, const std::string& Text) {
  HWND h = Target.Handle();
  for (size_t i = 0; i < Text.size() && IsWindow(h);) SendMessage(h, WM_CHAR, Utf8Decode(Text, i), 0);
}

void SendClick(TControl& Target) {
  LPARAM at = MakeLParam(Target.Width() / 2, Target.Height() / 2);
  Target.Perform(WM_LBUTTONDOWN, 0, at);
  Target.Perform(WM_LBUTTONUP, 0, at);
}

// ------------------------------------------------------------ default driver

bool TDefaultModalDriver::Act(TCustomForm& Form, int Round) {
  if (Round > 0) return false;
  std::string text = Form.DialogText();
  FLog.push_back(text);
  if (OnLog) OnLog(text);
  std::vector<TButton*> buttons;
  CollectButtons(Form, buttons);
  for (bool wantDefault : {true, false})
    for (TButton* b : buttons)
      if ((wantDefault ? b->Default() : b->Cancel()) && b->CanFocus()) {
        b->Click();
        return true;
      }
  Form.SetModalResult(mrCancel);
  return true;
}

TDefaultModalDriver& DefaultModalDriver() {
  static TDefaultModalDriver driver;
  return driver;
}

// ----------------------------------------------------------- scripted driver

TScriptedModalDriver& TScriptedModalDriver::Type(const std::string& Control, const std::string& Text) {
  FSteps.push_back([Control, Text](TCustomForm& form) {
    auto& target = Require<TWinControl>(form, Control);
    if (target.CanFocus()) target.SetFocus();
    if (auto* edit = dynamic_cast<TCustomEdit*>(&target)) edit->SelectAll();
    else if (auto* combo = dynamic_cast<TCustomComboBox*>(&target); combo && combo->HasEdit()) combo->SetText("");
    SendText(target, Text);
  });
  return *this;
}

TScriptedModalDriver& TScriptedModalDriver::Click(const std::string& Control) {
  FSteps.push_back([Control](TCustomForm& form) {
    if (auto* item = dynamic_cast<TMenuItem*>(FindFormComponent(form, Control))) {
      item->Click();
      return;
    }
    auto& target = Require<TControl>(form, Control);
    if (auto* w = dynamic_cast<TWinControl*>(&target); w && w->TabStop() && w->CanFocus()) w->SetFocus();
    SendClick(target);
  });
  return *this;
}

TScriptedModalDriver& TScriptedModalDriver::Press(std::uint16_t Key, TShiftState Shift) {
  FSteps.push_back([Key, Shift](TCustomForm& form) {
    TWinControl* target = form.FocusedControl() ? form.FocusedControl() : &form;
    SendKeyStroke(*target, Key, Shift);
  });
  return *this;
}

TScriptedModalDriver& TScriptedModalDriver::Choose(TModalResult Result) {
  FSteps.push_back([Result](TCustomForm& form) {
    std::vector<TButton*> buttons;
    CollectButtons(form, buttons);
    for (TButton* b : buttons)
      if (b->ModalResult() == Result) {
        SendClick(*b);
        return;
      }
    throw EModalDriverError("The form " + form.ClassName() + " has no button for result " +
                            std::to_string(Result));
  });
  return *this;
}

TScriptedModalDriver& TScriptedModalDriver::Do(std::function<void(TCustomForm&)> Step) {
  FSteps.push_back(std::move(Step));
  return *this;
}

bool TScriptedModalDriver::Act(TCustomForm& Form, int) {
  if (FNext >= FSteps.size()) return false;
  FSeen.push_back(Form.DialogText());
  FSteps[FNext++](Form);
  return true;
}

TModalDriverScope::TModalDriverScope(TModalDriver& Driver)
    : FPrevious(Application->SetModalDriver(&Driver)) {}

TModalDriverScope::~TModalDriverScope() { Application->SetModalDriver(FPrevious); }
