#pragma once
// Forms, the application object and the screen.
//
// A form is created with CreateForm<T>(Owner) (or Application->CreateForm),
// which constructs it and raises OnCreate once the whole object exists; each
// form class applies its own layout text (FormLayouts.h) at the end of its
// constructor, so OnCreate sees the components the layout made. A form is freed with Free()
// or, from inside one of its own handlers, with Release (freed when the
// queue next runs); both raise OnDestroy first. A plain delete frees it
// without OnDestroy, as the derived parts the handlers use are gone by then.
//
// Focus: each form keeps its focused control. Moving the focus raises OnExit
// on the old control and its containers up to the common one, then OnEnter
// down to the new control, then tells the form with CM_FOCUSCHANGED. A
// handler that moves the focus again ends the move in progress.
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Events.h"
#include "Font.h"

class TMainMenu;
class TModalDriver;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsActivated };
using TFormState = TSet<TFormStateFlag>;

const TTypeInfo& WindowStateTypeInfo();
const TTypeInfo& PositionTypeInfo();
const TTypeInfo& BorderIconsTypeInfo();
const TTypeInfo& FormBorderStyleTypeInfo();
const TTypeInfo& FormStyleTypeInfo();

class TCustomForm : public TWinControl {
  KESR_CLASS(TCustomForm, TWinControl)
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Raises OnCreate (and shows a form whose layout made it visible);
  // CreateForm calls it once after construction.
  virtual void AfterConstruction();
  // Raises OnDestroy and deletes the form.
  void Free();

  void Show();
  void Hide() { SetVisible(false); }
  // Runs a nested message loop until ModalResult is set; when nothing is
  // queued the application's modal driver acts for the user. Raises
  // EInvalidOperation for a form that is already visible or modal.
  virtual TModalResult ShowModal();
  // Asks OnCloseQuery, then OnClose with the close action: caHide hides,
  // caMinimize minimises, caFree releases, caNone keeps the form. A modal
  // form only gets mrCancel as its result and closes when its loop sees it.
  void Close();
  bool CloseQuery();
  // Frees the form once pending messages have been handled.
  void Release();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value) { FBorderIcons = Value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value) { FFormStyle = Value; }
  // The window this form's window belongs to (0: a top-level window).
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value) { FParentWindow = Value; }
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TFormState FormState() const { return FFormState; }

  // The control that has (or gets, once the form is active) the focus.
  TWinControl* ActiveControl() const { return FActiveControl; }
  // EInvalidOperation when the control cannot take the focus.
  void SetActiveControl(TWinControl* Control);
  // The control inside the form that holds the focus (the form itself when
  // none does); meaningful while the form is active.
  TWinControl* FocusedControl() const { return FFocusedControl; }
  bool Active() const { return FActive; }
  void FocusControl(TWinControl* Control);
  // Moves the focus with the exit and enter events; false when a handler
  // moved it elsewhere in between.
  bool SetFocusedControl(TWinControl* Control);
  // The control (or a container of it) goes away or can no longer take the
  // focus: the form forgets it, with exit events unless it is removed.
  void DefocusControl(TControl* Control, bool Removing);
  // The first control in tab order that can take the focus.
  void SelectFirst();

  void SetVisible(bool Value) override;
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // What a dialog says, for drivers that answer without a user: the
  // caption; message dialogs add their text.
  virtual std::string DialogText() const { return Caption(); }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  friend class TWinControl;
  friend class TScreen;
  void Dispatch(TMessage& Message) override;
  virtual void DoCreate() { OnCreate(this); }
  virtual void DoDestroy() { OnDestroy(this); }
  virtual void DoShow() { OnShow(this); }
  virtual void DoHide() { OnHide(this); }
  virtual void DoClose(TCloseAction& Action) { OnClose(this, Action); }
  virtual void Activate();
  virtual void Deactivate();
  void CloseModal();

private:
  void PlaceOnScreen();

  TModalResult FModalResult = mrNone;
  bool FKeyPreview = false;
  TWindowState FWindowState = wsNormal;
  TPosition FPosition = poDesigned;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  HWND FParentWindow = 0;
  TMainMenu* FMenu = nullptr;
  TFormState FFormState;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  bool FActive = false;
  bool FDestroyRaised = false;
  bool FShowWhenCreated = false;
  int FFocusCount = 0;
};

class TForm : public TCustomForm {
  KESR_CLASS(TForm, TCustomForm)
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// Completes a form just constructed (layout, OnCreate); on a failure the
// half-made form is freed and the error passed on.
template <class T>
T* CompleteForm(T* form) {
  try {
    form->AfterConstruction();
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

template <class T>
T* CreateForm(TComponent* Owner) {
  return CompleteForm(new T(Owner));
}

// Sender, the exception being handled.
struct TExceptionEvent : TEvent<TObject*, const std::exception&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TExceptionEvent";
};
// The queued message, Handled.
struct TMessageEvent : TEvent<TMessage&, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TMessageEvent";
};

class TApplication : public TComponent, public TWindowTarget, public TMessageFilter {
  KESR_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // The application's own hidden window.
  HWND Handle();
  void DispatchWindowMessage(TMessage& Message) override;
  void FilterMessage(HWND Handle, TMessage& Message, bool& Handled) override;

  template <class T>
  void CreateForm(T*& Reference) {
    Reference = ::CreateForm<T>(this);
    if (!FMainForm) FMainForm = Reference;
  }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value) { FMainForm = Value; }

  // Handles every queued message, also those posted meanwhile.
  void ProcessMessages();
  // Handles one queued message; false when there was none.
  bool HandleMessage();
  // Handles messages until Terminate or until nothing is queued (a host
  // without a user has nobody to wait for).
  void Run();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

  // A message box answered through the modal driver; flags and results as
  // MB_* and ID*.
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags = 0);
  // Passes the exception being handled to OnException, or shows it.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  const std::string& ExeName() const { return FExeName; }
  void SetExeName(const std::string& Value) { FExeName = Value; }
  const std::string& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& Value) { FHelpFile = Value; }
  // A picture file for the window icon; the platform draws none.
  const std::string& Icon() const { return FIcon; }
  void SetIcon(const std::string& Value) { FIcon = Value; }
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }

  void Minimize();
  void Restore();
  bool Minimized() const { return FMinimized; }
  void BringToFront();

  // The driver that acts for the user inside modal loops. Not owned;
  // nullptr returns to the driver for a host without a user.
  TModalDriver& ModalDriver() const;
  TModalDriver* SetModalDriver(TModalDriver* Driver);

  TExceptionEvent OnException;
  TMessageEvent OnMessage;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

private:
  HWND FHandle = 0;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  std::string FTitle;
  std::string FExeName;
  std::string FHelpFile;
  std::string FIcon;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  int FHintShortPause = 50;
  bool FShowHint = true;
  bool FMinimized = false;
  TModalDriver* FModalDriver = nullptr;
};

class TScreen : public TComponent {
  KESR_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* AOwner);

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const;
  // The form that has the focus, and the control focused in it.
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TCustomForm* ActiveCustomForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const;
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  TFont* HintFont() const { return FHintFont.get(); }
  TFont* MenuFont() const { return FMenuFont.get(); }
  TFont* IconFont() const { return FIconFont.get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The headless screen's size (a test or host may set it).
  void SetSize(int W, int H) {
    FWidth = W;
    FHeight = H;
  }
  int PixelsPerInch() const { return 96; }

  // Activates the form (the previous one is deactivated first).
  void SetActiveForm(TCustomForm* Form);

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  // The most recently active visible form other than Except.
  TCustomForm* NextActiveForm(const TCustomForm* Except) const;

  std::vector<TCustomForm*> FForms;
  std::vector<TCustomForm*> FActivation;  // most recent last
  TCustomForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;
  std::unique_ptr<TFont> FHintFont;
  std::unique_ptr<TFont> FMenuFont;
  std::unique_ptr<TFont> FIconFont;
  int FWidth = 1024;
  int FHeight = 768;
};

extern TApplication* Application;
extern TScreen* Screen;

// Window management by handle, for forms.
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3, SW_SHOW = 5,
             SW_MINIMIZE = 6, SW_RESTORE = 9 };
bool EnableWindow(HWND Handle, bool Enable);
bool IsWindowEnabled(HWND Handle);
bool IsWindowVisible(HWND Handle);
bool IsIconic(HWND Handle);
bool ShowWindow(HWND Handle, int Command);
// The active form's window (0 when none).
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND Handle);
// Disables every enabled visible top-level form but the one given and
// answers the list to re-enable with EnableTaskWindows.
std::vector<HWND> DisableTaskWindows(HWND ActiveWindow);
void EnableTaskWindows(const std::vector<HWND>& List);

// Shows the hourglass (or another cursor) until the scope ends.
class TCursorScope {
public:
  explicit TCursorScope(TCursor Cursor = crHourGlass) : FSaved(Screen->Cursor()) { Screen->SetCursor(Cursor); }
  ~TCursorScope() { Screen->SetCursor(FSaved); }
  TCursorScope(const TCursorScope&) = delete;
  TCursorScope& operator=(const TCursorScope&) = delete;

private:
  TCursor FSaved;
};
