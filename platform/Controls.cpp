#include "Controls.h"

#include <algorithm>

#include "ColorIdents.h"
#include "Colors.h"
#include "Forms.h"
#include "Menus.h"
#include "StrUtils.h"
#include "TypInfo.h"

namespace {

bool IsDialogKey(std::uint16_t key) {
  switch (key) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_CANCEL: case VK_EXECUTE:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      return true;
    default:
      return false;
  }
}

char32_t FoldAscii(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }

}  // namespace

const TTypeInfo& AlignTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration(
      "TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
  return type;
}

const TTypeInfo& AnchorsTypeInfo() {
  static const TTypeInfo element =
      TTypeInfo::Enumeration("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
  static const TTypeInfo type = TTypeInfo::Set("TAnchors", element);
  return type;
}

const TTypeInfo& CursorTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Integer(
      "TCursor", {{crDefault, "crDefault"},     {crNone, "crNone"},         {crArrow, "crArrow"},
                  {crCross, "crCross"},         {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
                  {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
                  {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
                  {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},
                  {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},   {crNo, "crNo"},
                  {crAppStart, "crAppStart"},   {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
                  {crSizeAll, "crSizeAll"}});
  return type;
}

const TTypeInfo& ModalResultTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Integer(
      "TModalResult", {{mrNone, "mrNone"}, {mrOk, "mrOk"}, {mrCancel, "mrCancel"},
                       {mrAbort, "mrAbort"}, {mrRetry, "mrRetry"}, {mrIgnore, "mrIgnore"},
                       {mrYes, "mrYes"}, {mrNo, "mrNo"}, {mrAll, "mrAll"},
                       {mrNoToAll, "mrNoToAll"}, {mrYesToAll, "mrYesToAll"}});
  return type;
}

const TTypeInfo& BorderStyleTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TBorderStyle", {"bsNone", "bsSingle"});
  return type;
}

const TTypeInfo& AlignmentTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return type;
}

char32_t GetHotkey(const std::string& caption) {
  for (size_t i = 0; i < caption.size();) {
    if (caption[i] != '&') {
      Utf8Decode(caption, i);
      continue;
    }
    if (++i >= caption.size()) break;
    if (caption[i] == '&') {
      ++i;
      continue;
    }
    return Utf8Decode(caption, i);
  }
  return 0;
}

bool IsAccel(char32_t ch, const std::string& caption) {
  char32_t hot = GetHotkey(caption);
  return hot != 0 && FoldAscii(hot) == FoldAscii(ch);
}

std::string StripHotkey(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FColor(clWindow), FFont(std::make_unique<TFont>()) {
  WindowProc = TWndMethod(this, &TControl::WndProc);
  FFont->OnChange = TNotifyEvent(this, &TControl::FontChange);
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  for (TWinControl* p = AParent; p; p = p->Parent())
    if (p == this) throw EInvalidOperation("A control cannot have itself or a child as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FAlign != alNone) RequestAlign();
  if (resized) Resize();
}

void TControl::Resize() { OnResize(this); }

TPoint TControl::ClientOrigin() const {
  if (!FParent) return {FLeft, FTop};
  TPoint p = FParent->ClientOrigin();
  return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
  TPoint o = ClientOrigin();
  return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
  TPoint o = ClientOrigin();
  return {P.X - o.X, P.Y - o.Y};
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  if (FAlign != alNone) RequestAlign();
  // A control that disappears gives up the focus it or its children hold.
  if (!Value && FParent)
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (FColor == Value) return;
  FColor = Value;
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentColorChanged();
}

void TControl::SetParentColor(bool Value) {
  FParentColor = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  SetColor(FParent->Color());
  FParentColor = true;
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFontFromParent = true;
  FFont->Assign(FParent->Font());
  FFontFromParent = false;
}

void TControl::FontChange(TObject*) {
  if (!FFontFromParent) FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() {
  Perform(CM_FONTCHANGED);
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentFontChanged();
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  FShowHint = Value;
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value) {
  FParentShowHint = Value;
  if (Value) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (!FParentShowHint || !FParent) return;
  SetShowHint(FParent->ShowHint());
  FParentShowHint = true;
}

void TControl::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

LRESULT TControl::Perform(unsigned Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
  TShiftState shift = KeyDataToShiftState(static_cast<LPARAM>(Message.WParam));
  int x = LoWordSigned(Message.LParam);
  int y = HiWordSigned(Message.LParam);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FMouseDown = true;
      MouseDown(mbLeft, shift + TShiftState{ssLeft}, x, y);
      return;
    case WM_LBUTTONUP: {
      bool click = FMouseDown && Rect(0, 0, FWidth, FHeight).Contains(x, y);
      FMouseDown = false;
      MouseUp(mbLeft, shift, x, y);
      if (click) UserClick();
      return;
    }
    case WM_LBUTTONDBLCLK:
      DblClick();
      return;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, shift + TShiftState{ssRight}, x, y);
      return;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      return;
    case WM_MOUSEMOVE:
      OnMouseMove(this, shift, x, y);
      return;
    case CM_TEXTCHANGED:
      TextChanged();
      return;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() { OnClick(this); }

void TControl::DblClick() { OnDblClick(this); }

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
}

// ------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Children go with their parent, whoever owns them; each leaves the
  // owner's list as it is deleted.
  while (!FControls.empty()) delete FControls.back();
  DestroyHandle();
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FControls[Index];
}

bool TWinControl::ContainsControl(const TControl* AControl) const {
  for (const TControl* c = AControl; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.push_back(win);
    if (win->FPendingTabOrder >= 0 && !win->ComponentState().Contains(csLoading)) {
      win->SetTabOrder(win->FPendingTabOrder);
      win->FPendingTabOrder = -1;
    }
  }
  AControl->ParentFontChanged();
  AControl->ParentColorChanged();
  AControl->ParentShowHintChanged();
  if (AControl->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it == FControls.end()) return;
  if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(AControl, true);
  FControls.erase(it);
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), AControl), FTabList.end());
  AControl->FParent = nullptr;
  if (AControl->Align() != alNone) Realign();
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    FHandle = AllocateHWnd(this);
    CreateWnd();
  }
  return FHandle;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  DeallocateHWnd(FHandle);
  FHandle = 0;
}

void TWinControl::DispatchWindowMessage(TMessage& Message) {
  Message.Result = 0;
  WindowProc(Message);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (FPendingTabOrder >= 0 && Parent()) {
    int order = FPendingTabOrder;
    FPendingTabOrder = -1;
    SetTabOrder(order);
  }
}

int TWinControl::TabOrder() const {
  if (FPendingTabOrder >= 0 || !Parent()) return std::max(FPendingTabOrder, 0);
  const auto& list = Parent()->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  // Read from a stored layout (or set before the parent is known): applied
  // once the siblings are all there.
  if (!Parent() || ComponentState().Contains(csLoading)) {
    FPendingTabOrder = Value;
    return;
  }
  auto& list = Parent()->FTabList;
  list.erase(std::find(list.begin(), list.end(), this));
  Value = std::clamp(Value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* c = this; c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return form->Enabled();
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) throw EInvalidOperation("Cannot focus a window that lies on no form");
  form->FocusControl(this);
}

bool TWinControl::Focused() const {
  const TCustomForm* form = GetParentForm(this);
  return form && form->Active() && form->FocusedControl() == this;
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), CurControl);
  int start = found != list.end() ? static_cast<int>(found - list.begin()) : GoForward ? count - 1 : 0;
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[i];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
    next->SetFocus();
}

void TWinControl::Broadcast(TMessage& Message) {
  // A copy: a handler may add or remove controls.
  std::vector<TControl*> children = FControls;
  for (TControl* c : children) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int oldW = ClientWidth();
  int oldH = ClientHeight();
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  int dw = ClientWidth() - oldW;
  int dh = ClientHeight() - oldH;
  if (dw == 0 && dh == 0) return;
  if (!ComponentState().Contains(csLoading)) {
    // Anchored children keep their distance to the anchored edges.
    for (TControl* c : FControls) {
      if (c->Align() != alNone) continue;
      TAnchors a = c->Anchors();
      int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
      if (a.Contains(akRight)) (a.Contains(akLeft) ? w : l) += dw;
      if (a.Contains(akBottom)) (a.Contains(akTop) ? h : t) += dh;
      c->SetBounds(l, t, w, h);
    }
  }
  Realign();
}

void TWinControl::SetEnabled(bool Value) {
  TControl::SetEnabled(Value);
  if (!Value)
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, false);
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FAligning) return;
  FAligning = true;
  TRect r = ClientRect();
  AlignControls(r);
  FAligning = false;
}

void TWinControl::AlignControls(TRect& R) {
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : FControls) {
      if (c->Align() != pass || !c->Visible()) continue;
      switch (pass) {
        case alTop:
          c->SetBounds(R.Left, R.Top, R.Width(), c->Height());
          R.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(R.Left, R.Bottom - c->Height(), R.Width(), c->Height());
          R.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(R.Left, R.Top, c->Width(), R.Height());
          R.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(R.Right - c->Width(), R.Top, c->Width(), R.Height());
          R.Right -= c->Width();
          break;
        default:
          c->SetBounds(R.Left, R.Top, R.Width(), R.Height());
          break;
      }
    }
  }
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  for (TControl* c : FControls)
    if (c->Owner() == Root) Proc(c);
}

bool TWinControl::WantsKey(std::uint16_t, TShiftState) const { return false; }

bool TWinControl::WantsChars() const { return false; }

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      HandleKeyDown(Message);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      std::uint16_t key = static_cast<std::uint16_t>(Message.WParam);
      TShiftState shift = KeyDataToShiftState(Message.LParam);
      TCustomForm* form = GetParentForm(this);
      if (form && form != this && form->KeyPreview()) {
        form->KeyUp(key, shift);
        if (key == 0) return;
      }
      KeyUp(key, shift);
      return;
    }
    case WM_CHAR:
    case WM_SYSCHAR:
      HandleChar(Message);
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      Broadcast(Message);
      return;
    default:
      TControl::Dispatch(Message);
  }
}

void TWinControl::HandleKeyDown(TMessage& Message) {
  std::uint16_t key = static_cast<std::uint16_t>(Message.WParam);
  TShiftState shift = KeyDataToShiftState(Message.LParam);
  if (IsDialogKey(key) && !WantsKey(key, shift)) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) {
      Message.Result = 1;
      return;
    }
  }
  if (DoKeyDown(key, shift)) return;
  DefaultKeyDown(key, shift);
}

void TWinControl::HandleChar(TMessage& Message) {
  char32_t ch = static_cast<char32_t>(Message.WParam);
  // Accelerators: Alt with a letter always, a plain letter when the focused
  // control does not take characters itself.
  if (Message.Msg == WM_SYSCHAR || !WantsChars()) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, ch, Message.LParam) != 0) {
      Message.Result = 1;
      return;
    }
    if (Message.Msg == WM_SYSCHAR) return;
  }
  if (DoKeyPress(ch)) return;
  DefaultKeyPress(ch);
}

bool TWinControl::DoKeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(Key, Shift)) return true;
  KeyDown(Key, Shift);
  return Key == 0;
}

bool TWinControl::DoKeyPress(char32_t& Ch) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Ch)) return true;
  KeyPress(Ch);
  return Ch == 0;
}

void TWinControl::KeyDown(std::uint16_t& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }

void TWinControl::KeyUp(std::uint16_t& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }

void TWinControl::KeyPress(char32_t& Ch) {
  // The event takes a single byte: characters beyond ASCII are not shown
  // to it and cannot be consumed by it.
  if (Ch >= 0x80) return;
  char c = static_cast<char>(Ch);
  OnKeyPress(this, c);
  Ch = static_cast<unsigned char>(c);
}

void TWinControl::DefaultKeyDown(std::uint16_t, TShiftState) {}

void TWinControl::DefaultKeyPress(char32_t) {}

void TWinControl::DoEnter() { OnEnter(this); }

void TWinControl::DoExit() { OnExit(this); }

// ------------------------------------------------------------------ lookup

TCustomForm* GetParentForm(const TControl* Control) {
  const TControl* c = Control;
  while (c && c->Parent()) c = c->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

TWinControl* FindControl(HWND Handle) { return dynamic_cast<TWinControl*>(FindWindowTarget(Handle)); }

// ----------------------------------------------------------- class tables

const TClass& TControl::StaticClass() {
  static const TClass Class =
      TClassBuilder<TControl>("TControl")
          .Abstract()
          .Property("Left", &TControl::Left, &TControl::SetLeft)
          .Property("Top", &TControl::Top, &TControl::SetTop)
          .Property("Width", &TControl::Width, &TControl::SetWidth)
          .Property("Height", &TControl::Height, &TControl::SetHeight)
          .Property("Align", AlignTypeInfo(), &TControl::Align, &TControl::SetAlign).Default(alNone)
          .Property("Anchors", AnchorsTypeInfo(), &TControl::Anchors, &TControl::SetAnchors)
          .StoredIf([](const TControl& c) { return c.Anchors() != TAnchors{akLeft, akTop}; })
          .Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor)
          .StoredIf([](const TControl& c) { return !c.ParentColor(); })
          .Property("Cursor", CursorTypeInfo(), &TControl::Cursor, &TControl::SetCursor).Default(crDefault)
          .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(1)
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .StoredIf([](const TControl& c) { return !c.ParentFont(); })
          .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(1)
          .Property("Hint", &TControl::Hint, &TControl::SetHint)
          .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
          .StoredIf([](const TControl& c) { return !c.ParentShowHint(); })
          .Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(1)
          .Property("OnClick", &TControl::OnClick, &TControl::OnClick)
          .Property("OnDblClick", &TControl::OnDblClick, &TControl::OnDblClick)
          .Property("OnResize", &TControl::OnResize, &TControl::OnResize)
          .Property("OnMouseDown", &TControl::OnMouseDown, &TControl::OnMouseDown)
          .Property("OnMouseUp", &TControl::OnMouseUp, &TControl::OnMouseUp)
          .Property("OnMouseMove", &TControl::OnMouseMove, &TControl::OnMouseMove)
          .Property("OnDragOver", &TControl::OnDragOver, &TControl::OnDragOver)
          .Property("OnDragDrop", &TControl::OnDragDrop, &TControl::OnDragDrop)
          .Property("OnStartDrag", &TControl::OnStartDrag, &TControl::OnStartDrag)
          .Property("OnEndDrag", &TControl::OnEndDrag, &TControl::OnEndDrag)
          .Build();
  return Class;
}

const TClass& TGraphicControl::StaticClass() {
  static const TClass Class = TClassBuilder<TGraphicControl>("TGraphicControl").Abstract().Build();
  return Class;
}

const TClass& TWinControl::StaticClass() {
  static const TClass Class =
      TClassBuilder<TWinControl>("TWinControl")
          .Abstract()
          .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1)
          .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Property("OnEnter", &TWinControl::OnEnter, &TWinControl::OnEnter)
          .Property("OnExit", &TWinControl::OnExit, &TWinControl::OnExit)
          .Property("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::OnKeyDown)
          .Property("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::OnKeyUp)
          .Property("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::OnKeyPress)
          .Build();
  return Class;
}

const TClass& TCustomControl::StaticClass() {
  static const TClass Class = TClassBuilder<TCustomControl>("TCustomControl").Abstract().Build();
  return Class;
}
