#include "Forms.h"

#include <algorithm>

#include "Colors.h"
#include "Dialogs.h"
#include "Menus.h"
#include "ModalDriver.h"
#include "TypInfo.h"

namespace {

// The frame of a headless window: borders and caption bar in pixels.
constexpr int kBorder = 4;
constexpr int kCaption = 19;

bool Contains(const TControl* outer, const TControl* inner) {
  for (const TControl* c = inner; c; c = c->Parent())
    if (c == outer) return true;
  return false;
}

}  // namespace

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

const TTypeInfo& WindowStateTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
  return type;
}

const TTypeInfo& PositionTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration(
      "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  return type;
}

const TTypeInfo& BorderIconsTypeInfo() {
  static const TTypeInfo element =
      TTypeInfo::Enumeration("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
  static const TTypeInfo type = TTypeInfo::Set("TBorderIcons", element);
  return type;
}

const TTypeInfo& FormBorderStyleTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration(
      "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  return type;
}

const TTypeInfo& FormStyleTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
  return type;
}

// ------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FFormState.Include(fsCreating);
  TControl::SetVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  // The form's components and controls go while it is still a form, so
  // that focus references to them are dropped as they leave.
  FActive = false;
  Screen->RemoveForm(this);
  DestroyComponents();
  while (ControlCount() > 0) delete Controls(ControlCount() - 1);
  FActiveControl = nullptr;
  FFocusedControl = nullptr;
}

void TCustomForm::AfterConstruction() {
  FFormState.Exclude(fsCreating);
  DoCreate();
  if (FShowWhenCreated) Show();
}

void TCustomForm::Free() {
  if (!FDestroyRaised) {
    FDestroyRaised = true;
    DoDestroy();
  }
  delete this;
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE); }

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
  if (!FActive && Enabled()) Screen->SetActiveForm(this);
}

void TCustomForm::SetVisible(bool Value) {
  if (FFormState.Contains(fsCreating) && ComponentState().Contains(csLoading)) {
    FShowWhenCreated = Value;
    return;
  }
  if (Visible() == Value || FFormState.Contains(fsShowing)) return;
  FFormState.Include(fsShowing);
  try {
    if (Value) {
      PlaceOnScreen();
      DoShow();
      TControl::SetVisible(true);
    } else {
      DoHide();
      TControl::SetVisible(false);
      if (FActive) Screen->SetActiveForm(Screen->NextActiveForm(this));
    }
  } catch (...) {
    FFormState.Exclude(fsShowing);
    throw;
  }
  FFormState.Exclude(fsShowing);
}

void TCustomForm::PlaceOnScreen() {
  const TCustomForm* center = nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
      return;
    case poMainFormCenter:
      center = Application->MainForm();
      break;
    case poOwnerFormCenter:
      center = dynamic_cast<const TCustomForm*>(Owner());
      break;
    default:
      return;
  }
  if (center && center != this)
    SetBounds(center->Left() + (center->Width() - Width()) / 2,
              center->Top() + (center->Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::Activate() {
  FActive = true;
  OnActivate(this);
  if (!FActiveControl) SelectFirst();
  if (FActiveControl && FActiveControl->CanFocus()) SetFocusedControl(FActiveControl);
  else SetFocusedControl(this);
}

void TCustomForm::Deactivate() {
  FActive = false;
  OnDeactivate(this);
}

void TCustomForm::SelectFirst() {
  TWinControl* first = FindNextControl(nullptr, true, true, false);
  if (!first) first = FindNextControl(nullptr, true, false, false);
  if (first) FocusControl(first);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == FActiveControl) return;
  if (Control && (Control == this || GetParentForm(Control) != this ||
                  (!ComponentState().Contains(csLoading) && !Control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (FActive && !ComponentState().Contains(csLoading)) SetFocusedControl(Control ? Control : this);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive && Visible()) Show();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (!Control) Control = this;
  int count = ++FFocusCount;
  FActiveControl = Control != this ? Control : nullptr;
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl == Control) return true;
  // Leave the old control and its containers up to the common one...
  while (FFocusedControl && !Contains(FFocusedControl, Control)) {
    TWinControl* leaving = FFocusedControl;
    FFocusedControl = leaving->Parent();
    leaving->Perform(CM_EXIT);
    if (count != FFocusCount) return false;
  }
  if (!FFocusedControl) FFocusedControl = this;
  // ...then enter the containers down to the new one.
  while (FFocusedControl != Control) {
    TWinControl* entering = Control;
    while (entering->Parent() != FFocusedControl) entering = entering->Parent();
    FFocusedControl = entering;
    entering->Perform(CM_ENTER);
    if (count != FFocusCount) return false;
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  Screen->OnActiveControlChange(Screen);
  return true;
}

void TCustomForm::DefocusControl(TControl* Control, bool Removing) {
  if (Removing) {
    if (Contains(Control, FFocusedControl)) FFocusedControl = Control->Parent();
    if (Contains(Control, FActiveControl)) FActiveControl = nullptr;
    return;
  }
  if (Contains(Control, FActiveControl)) {
    if (FActive) SetFocusedControl(this);
    FActiveControl = nullptr;
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMenu) FMenu = nullptr;
  if (auto* control = dynamic_cast<TControl*>(AComponent)) DefocusControl(control, true);
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  Resize();
}

TRect TCustomForm::ClientRect() const {
  if (FBorderStyle == bsNone) return TWinControl::ClientRect();
  return Rect(0, 0, std::max(Width() - 2 * kBorder, 0), std::max(Height() - kCaption - 2 * kBorder, 0));
}

TPoint TCustomForm::ClientOrigin() const {
  if (FBorderStyle == bsNone) return TWinControl::ClientOrigin();
  return {Left() + kBorder, Top() + kBorder + kCaption};
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  switch (action) {
    case caNone:
      return;
    case caHide:
      if (Application->MainForm() == this) Application->Terminate();
      Hide();
      return;
    case caMinimize:
      SetWindowState(wsMinimized);
      return;
    case caFree:
      if (Application->MainForm() == this) Application->Terminate();
      Release();
      return;
  }
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    else if (action == caFree) Release();
  } catch (...) {
    FModalResult = mrNone;
    Application->HandleException(this);
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FFormState.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  TCustomForm* before = Screen->ActiveForm();
  std::vector<HWND> disabled = DisableTaskWindows(Handle());
  FFormState.Include(fsModal);
  FModalResult = mrNone;
  // Puts the other windows back however the loop ends.
  struct TRestore {
    TCustomForm* Form;
    std::vector<HWND>& Disabled;
    ~TRestore() {
      Form->FFormState.Exclude(fsModal);
      EnableTaskWindows(Disabled);
    }
  } restore{this, disabled};
  Show();
  int round = 0;
  while (FModalResult == mrNone) {
    if (!Application->HandleMessage() && FModalResult == mrNone &&
        !Application->ModalDriver().Act(*this, round++))
      FModalResult = mrCancel;
    if (Application->Terminated()) FModalResult = mrCancel;
    if (FModalResult != mrNone) CloseModal();
  }
  EnableTaskWindows(disabled);
  disabled.clear();
  Hide();
  HWND beforeHandle = 0;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i) == before) beforeHandle = before->Handle();
  if (beforeHandle && IsWindowVisible(beforeHandle)) SetForegroundWindow(beforeHandle);
  return FModalResult;
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      Free();
      return;
    case WM_NEXTDLGCTL:
      if (Message.LParam != 0) {
        if (TWinControl* target = FindControl(static_cast<HWND>(Message.WParam)))
          if (target->CanFocus()) target->SetFocus();
      } else {
        SelectNext(FActiveControl, Message.WParam == 0, true);
      }
      return;
    case CM_DIALOGKEY: {
      TShiftState shift = KeyDataToShiftState(Message.LParam);
      if (Message.WParam == VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
        SelectNext(FActiveControl, !shift.Contains(ssShift), true);
        Message.Result = 1;
        return;
      }
      TWinControl::Dispatch(Message);
      return;
    }
    case WM_SYSCOMMAND:
      switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE: SetWindowState(wsMinimized); return;
        case SC_MAXIMIZE: SetWindowState(wsMaximized); return;
        case SC_RESTORE: SetWindowState(wsNormal); return;
        case SC_CLOSE: Close(); return;
        default: return;
      }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // The form's menu shortcuts come before the key itself.
      if (FMenu) {
        TShiftState shift = KeyDataToShiftState(Message.LParam);
        if (FMenu->IsShortCut(static_cast<std::uint16_t>(Message.WParam), shift)) {
          Message.Result = 1;
          return;
        }
      }
      TWinControl::Dispatch(Message);
      return;
    default:
      TWinControl::Dispatch(Message);
  }
}

// ------------------------------------------------------------ TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) { SetMessageFilter(this); }

TApplication::~TApplication() {
  SetMessageFilter(nullptr);
  // Forms go through Free so that their OnDestroy runs.
  for (;;) {
    TCustomForm* form = nullptr;
    for (int i = ComponentCount() - 1; i >= 0 && !form; --i) form = dynamic_cast<TCustomForm*>(Components(i));
    if (!form) break;
    form->Free();
  }
  DestroyComponents();
  if (FHandle) DeallocateHWnd(FHandle);
}

HWND TApplication::Handle() {
  if (!FHandle) FHandle = AllocateHWnd(this);
  return FHandle;
}

void TApplication::DispatchWindowMessage(TMessage& Message) {
  if (Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_RESTORE) Restore();
  else if (Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_MINIMIZE) Minimize();
  else if (Message.Msg == WM_CLOSE && FMainForm) FMainForm->Close();
}

void TApplication::FilterMessage(HWND, TMessage& Message, bool& Handled) {
  OnMessage(Message, Handled);
  if (!Handled && Message.Msg == WM_QUIT) {
    FTerminated = true;
    Handled = true;
  }
}

bool TApplication::HandleMessage() {
  try {
    return DispatchNextMessage();
  } catch (const EAbort&) {
    return true;
  } catch (const std::exception&) {
    HandleException(this);
    return true;
  }
}

void TApplication::ProcessMessages() {
  while (HandleMessage()) {
  }
}

void TApplication::Run() {
  while (!FTerminated && HandleMessage()) {
  }
}

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    if (OnException.Assigned()) OnException(Sender, e);
    else ShowException(e);
  }
}

void TApplication::ShowException(const std::exception& E) {
  std::string text = E.what();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  return ShowMessageBox(Text, Caption, Flags);
}

void TApplication::Minimize() {
  if (FMinimized) return;
  FMinimized = true;
  OnMinimize(this);
}

void TApplication::Restore() {
  if (!FMinimized) return;
  FMinimized = false;
  OnRestore(this);
}

void TApplication::BringToFront() {
  if (TCustomForm* form = Screen->ActiveForm()) form->BringToFront();
}

TModalDriver& TApplication::ModalDriver() const {
  return FModalDriver ? *FModalDriver : DefaultModalDriver();
}

TModalDriver* TApplication::SetModalDriver(TModalDriver* Driver) {
  TModalDriver* previous = FModalDriver;
  FModalDriver = Driver;
  return previous;
}

// ----------------------------------------------------------------- TScreen

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner),
      FHintFont(std::make_unique<TFont>()),
      FMenuFont(std::make_unique<TFont>()),
      FIconFont(std::make_unique<TFont>()) {
  FHintFont->SetColor(SystemColor(23));  // the hint text colour
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FForms[Index];
}

TWinControl* TScreen::ActiveControl() const { return FActiveForm ? FActiveForm->ActiveControl() : nullptr; }

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  FActivation.erase(std::remove(FActivation.begin(), FActivation.end(), Form), FActivation.end());
  if (FActiveForm == Form) {
    FActiveForm = nullptr;
    SetActiveForm(NextActiveForm(Form));
  }
}

TCustomForm* TScreen::NextActiveForm(const TCustomForm* Except) const {
  for (auto it = FActivation.rbegin(); it != FActivation.rend(); ++it)
    if (*it != Except && (*it)->Visible() && (*it)->Enabled()) return *it;
  for (TCustomForm* f : FForms)
    if (f != Except && f->Visible() && f->Enabled()) return f;
  return nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (FActiveForm == Form) return;
  TCustomForm* old = FActiveForm;
  FActiveForm = Form;
  if (old) old->Deactivate();
  if (Form) {
    FActivation.erase(std::remove(FActivation.begin(), FActivation.end(), Form), FActivation.end());
    FActivation.push_back(Form);
    if (Form->WindowState() == wsMinimized) Form->SetWindowState(wsNormal);
    Form->Activate();
  }
  OnActiveFormChange(this);
}

// --------------------------------------------------------- window functions

namespace {
TCustomForm* FormOf(HWND handle) { return dynamic_cast<TCustomForm*>(FindControl(handle)); }
}  // namespace

bool EnableWindow(HWND Handle, bool Enable) {
  TWinControl* control = FindControl(Handle);
  if (!control) return false;
  bool wasDisabled = !control->Enabled();
  control->SetEnabled(Enable);
  return wasDisabled;
}

bool IsWindowEnabled(HWND Handle) {
  TWinControl* control = FindControl(Handle);
  return control && control->Enabled();
}

bool IsWindowVisible(HWND Handle) {
  TWinControl* control = FindControl(Handle);
  return control && control->Showing();
}

bool IsIconic(HWND Handle) {
  if (Handle == Application->Handle()) return Application->Minimized();
  TCustomForm* form = FormOf(Handle);
  return form && form->WindowState() == wsMinimized;
}

bool ShowWindow(HWND Handle, int Command) {
  if (Handle == Application->Handle()) {
    if (Command == SW_RESTORE) Application->Restore();
    else if (Command == SW_MINIMIZE || Command == SW_SHOWMINIMIZED) Application->Minimize();
    return true;
  }
  TWinControl* control = FindControl(Handle);
  if (!control) return false;
  bool wasVisible = control->Visible();
  TCustomForm* form = dynamic_cast<TCustomForm*>(control);
  switch (Command) {
    case SW_HIDE:
      control->Hide();
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      if (form) form->SetWindowState(wsMinimized);
      break;
    case SW_SHOWMAXIMIZED:
      if (form) form->SetWindowState(wsMaximized);
      control->Show();
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
      if (form) form->SetWindowState(wsNormal);
      control->Show();
      break;
    default:
      control->Show();
  }
  return wasVisible;
}

HWND GetForegroundWindow() {
  TCustomForm* form = Screen->ActiveForm();
  return form ? form->Handle() : 0;
}

bool SetForegroundWindow(HWND Handle) {
  TCustomForm* form = FormOf(Handle);
  if (!form || !form->Visible()) return false;
  Screen->SetActiveForm(form);
  return true;
}

std::vector<HWND> DisableTaskWindows(HWND ActiveWindow) {
  std::vector<HWND> list;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->Handle() == ActiveWindow || form->Parent()) continue;
    if (form->Visible() && form->Enabled()) {
      form->SetEnabled(false);
      list.push_back(form->Handle());
    }
  }
  return list;
}

void EnableTaskWindows(const std::vector<HWND>& List) {
  for (HWND h : List) EnableWindow(h, true);
}

// ----------------------------------------------------------- class tables

const TClass& TCustomForm::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomForm>("TCustomForm")
          .Abstract()
          .Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption)
          .Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth).Stored(false)
          .Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight).Stored(false)
          .Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
          .Property("BorderIcons", BorderIconsTypeInfo(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
          .Property("BorderStyle", FormBorderStyleTypeInfo(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
          .Default(bsSizeable)
          .Property("FormStyle", FormStyleTypeInfo(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
          .Default(fsNormal)
          .Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(0)
          .Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
          .Property("Position", PositionTypeInfo(), &TCustomForm::Position, &TCustomForm::SetPosition)
          .Default(poDesigned)
          .Property("WindowState", WindowStateTypeInfo(), &TCustomForm::WindowState, &TCustomForm::SetWindowState)
          .Default(wsNormal)
          .Property("OnCreate", &TCustomForm::OnCreate, &TCustomForm::OnCreate)
          .Property("OnDestroy", &TCustomForm::OnDestroy, &TCustomForm::OnDestroy)
          .Property("OnShow", &TCustomForm::OnShow, &TCustomForm::OnShow)
          .Property("OnHide", &TCustomForm::OnHide, &TCustomForm::OnHide)
          .Property("OnActivate", &TCustomForm::OnActivate, &TCustomForm::OnActivate)
          .Property("OnDeactivate", &TCustomForm::OnDeactivate, &TCustomForm::OnDeactivate)
          .Property("OnClose", &TCustomForm::OnClose, &TCustomForm::OnClose)
          .Property("OnCloseQuery", &TCustomForm::OnCloseQuery, &TCustomForm::OnCloseQuery)
          .Build();
  return Class;
}

const TClass& TForm::StaticClass() {
  static const TClass Class = TClassBuilder<TForm>("TForm").Build();
  return Class;
}

const TClass& TApplication::StaticClass() {
  static const TClass Class = TClassBuilder<TApplication>("TApplication").Abstract().Build();
  return Class;
}

const TClass& TScreen::StaticClass() {
  static const TClass Class = TClassBuilder<TScreen>("TScreen").Abstract().Build();
  return Class;
}
