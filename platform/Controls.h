#pragma once
// TControl and TWinControl: the headless control tree. A control has a
// parent (the windowed control that shows it), bounds in its parent's client
// coordinates, a font that may follow the parent's, and a window procedure
// that handles messages by number. A windowed control owns its children for
// display: destroying it destroys them. Window handles are allocated on
// demand and released with the control, so messages still queued for a
// destroyed control are dropped.
//
// Keys: WM_KEYDOWN / WM_KEYUP carry the virtual key in WParam and WM_CHAR the
// character (a code point) in WParam; the LParam of all three is the bit
// mask of the TShiftState held, as this platform's keyboard has no state to
// query. Tab, Enter, Escape and the arrows go to the form as CM_DIALOGKEY
// first unless the control wants them; then the form sees the key when it
// has KeyPreview, then the control.
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "Font.h"
#include "KeyCodes.h"
#include "MessageQueue.h"
#include "Messages.h"
#include "Types.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

KESR_DECLARE_EXCEPTION(EInvalidOperation, Exception);

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The border of a control: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

using TCursor = int;
enum : TCursor {
  crDefault = 0,
  crNone = -1,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crSize = -22,
  crSizeNESW = -6,
  crSizeNS = -7,
  crSizeNWSE = -8,
  crSizeWE = -9,
  crUpArrow = -10,
  crHourGlass = -11,
  crDrag = -12,
  crNoDrop = -13,
  crHSplit = -14,
  crVSplit = -15,
  crMultiDrag = -16,
  crSQLWait = -17,
  crNo = -18,
  crAppStart = -19,
  crHelp = -20,
  crHandPoint = -21,
  crSizeAll = -22,
};

using TModalResult = int;
enum : TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
};

// Replaces a control's window procedure; the saved previous one can be
// called to chain.
struct TWndMethod : TEvent<TMessage&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TWndMethod";
};

// The type informations the control properties share.
const TTypeInfo& AlignTypeInfo();
const TTypeInfo& AnchorsTypeInfo();
const TTypeInfo& CursorTypeInfo();
const TTypeInfo& ModalResultTypeInfo();
const TTypeInfo& BorderStyleTypeInfo();
const TTypeInfo& AlignmentTypeInfo();

// The shift state a key or mouse message carries in its LParam.
inline TShiftState KeyDataToShiftState(LPARAM keyData) {
  return TShiftState::FromBits(static_cast<std::uint64_t>(keyData));
}
inline LPARAM ShiftStateToKeyData(TShiftState shift) { return static_cast<LPARAM>(shift.Bits()); }

// The character marked with "&" in a caption ("&Ok" has 'O'), 0 without;
// "&&" is a literal ampersand.
char32_t GetHotkey(const std::string& caption);
// Whether the character is the caption's accelerator, ignoring letter case.
bool IsAccel(char32_t ch, const std::string& caption);
// The caption without its accelerator marks ("&&" becomes "&").
std::string StripHotkey(const std::string& caption);

class TControl : public TComponent {
  KESR_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  // The client area in its own coordinates; a form's excludes its frame.
  virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int Value) { SetWidth(FWidth - ClientWidth() + Value); }
  void SetClientHeight(int Value) { SetHeight(FHeight - ClientHeight() + Value); }
  // The screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(const TPoint& P) const;
  TPoint ScreenToClient(const TPoint& P) const;

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  // Visible here and in every parent up to the top.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  // Caption and Text are one text, as the platform's window text.
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  std::string Text() const { return GetText(); }
  virtual std::string GetText() const { return FText; }
  virtual void SetText(const std::string& Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value) { FAnchors = Value; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  // Message handling: Perform hands the message to WindowProc, which is
  // WndProc unless replaced; WndProc calls Dispatch, which handles messages
  // by number and passes the rest to DefaultHandler.
  TWndMethod WindowProc;
  LRESULT Perform(unsigned Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  virtual void Click();
  virtual void DblClick();
  void BringToFront();
  void SendToBack();
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  void Invalidate() {}
  void Update() {}
  void Repaint() {}
  void Refresh() {}

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;

protected:
  // Called after the text changed (CM_TEXTCHANGED).
  virtual void TextChanged() {}
  virtual void Resize();
  virtual void FontChanged();
  // What a click by the user does: Click for most controls; check boxes and
  // radio buttons change their state (which then clicks).
  virtual void UserClick() { Click(); }
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // The colour and font a child takes from this control when it follows
  // its parent.
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentShowHintChanged();
  void RequestAlign();

  std::string FText;

private:
  friend class TWinControl;
  void FontChange(TObject* Sender);

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FFontFromParent = false;  // the font is being copied from the parent
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  bool FMouseDown = false;
};

// A control without a window of its own (labels, speed buttons, images).
class TGraphicControl : public TControl {
  KESR_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
};

class TWinControl : public TControl, public TWindowTarget {
  KESR_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // EListError for an index out of range.
  TControl* Controls(int Index) const;
  // Whether AControl is this control or lies inside it.
  bool ContainsControl(const TControl* AControl) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);

  // The window handle, allocated on first use.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  void DestroyHandle();
  void DispatchWindowMessage(TMessage& Message) override;

  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  // The windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return FTabList; }
  // Every windowed control inside this one in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // Visible and enabled up to its form.
  virtual bool CanFocus() const;
  // Focuses the control through its form; EInvalidOperation when it cannot.
  virtual void SetFocus();
  bool Focused() const;
  // The next control after CurControl in tab order (wrapping), or nullptr.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // Sends the message to each child until one sets a result.
  void Broadcast(TMessage& Message);
  // Lays out the aligned children again.
  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool Value) override;
  void Loaded() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

protected:
  void Dispatch(TMessage& Message) override;
  // Called once when the handle is allocated.
  virtual void CreateWnd() {}
  // Whether the control handles the key itself instead of the form
  // (edits take the arrows, a memo Enter).
  virtual bool WantsKey(std::uint16_t Key, TShiftState Shift) const;
  // Whether typed characters go to the control before accelerators.
  virtual bool WantsChars() const;
  virtual void DoEnter();
  virtual void DoExit();
  // Key handlers after the form's preview: Key 0 / Ch 0 when consumed.
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char32_t& Ch);
  // The control's own work for a key nobody consumed.
  virtual void DefaultKeyDown(std::uint16_t Key, TShiftState Shift);
  virtual void DefaultKeyPress(char32_t Ch);
  // The form's preview or the control's event handler consumed the key.
  bool DoKeyDown(std::uint16_t& Key, TShiftState Shift);
  bool DoKeyPress(char32_t& Ch);
  virtual void AlignControls(TRect& Rect);

private:
  friend class TControl;
  void HandleKeyDown(TMessage& Message);
  void HandleChar(TMessage& Message);

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  HWND FHandle = 0;
  bool FTabStop = false;
  int FPendingTabOrder = -1;
  int FAlignLevel = 0;
  bool FAligning = false;
};

// A windowed control that draws itself (panels, group boxes).
class TCustomControl : public TWinControl {
  KESR_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
};

// The form a control lies on, or nullptr.
TCustomForm* GetParentForm(const TControl* Control);
// The control a handle belongs to, or nullptr.
TWinControl* FindControl(HWND Handle);
