#pragma once
// The modal driver acts for the user inside modal loops: a form shown with
// ShowModal runs its queue, and whenever nothing is queued and no result is
// set, the application's driver is asked to act. Tests script the user with
// TScriptedModalDriver; a host without a user gets the default driver,
// which answers with the default button and logs what the dialog said.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "Events.h"

class TCustomForm;

KESR_DECLARE_EXCEPTION(EModalDriverError, Exception);

class TModalDriver {
public:
  virtual ~TModalDriver() = default;
  // Round counts the calls during one showing of the form, from 0. False
  // when the driver has nothing (more) to do: the loop then ends with
  // mrCancel instead of waiting for ever.
  virtual bool Act(TCustomForm& Form, int Round) = 0;
};

class TDefaultModalDriver : public TModalDriver {
public:
  // Clicks the default button (or the cancel button, or sets mrCancel) once
  // and records the dialog's text; any later round has nothing to do.
  bool Act(TCustomForm& Form, int Round) override;
  const std::vector<std::string>& Log() const { return FLog; }
  void ClearLog() { FLog.clear(); }
  // Also told of each logged text (a host writes it to its alert log).
  std::function<void(const std::string&)> OnLog;

private:
  std::vector<std::string> FLog;
};

// The driver a host without a user has; Application uses it unless told
// otherwise.
TDefaultModalDriver& DefaultModalDriver();

// Steps run in order, one per round, in whichever modal form is showing;
// a step that names a control the form does not have raises
// EModalDriverError. Control names may be paths through owned components
// and child controls ("sp03.edBegin").
class TScriptedModalDriver : public TModalDriver {
public:
  // Focuses the edit, selects its text and types over it.
  TScriptedModalDriver& Type(const std::string& Control, const std::string& Text);
  // A mouse click on a control, or runs a menu item of that name.
  TScriptedModalDriver& Click(const std::string& Control);
  // A key stroke on the focused control (the form when none has focus).
  TScriptedModalDriver& Press(std::uint16_t Key, TShiftState Shift = {});
  // Clicks the button whose ModalResult is Result.
  TScriptedModalDriver& Choose(TModalResult Result);
  TScriptedModalDriver& Do(std::function<void(TCustomForm&)> Step);

  bool Act(TCustomForm& Form, int Round) override;
  std::size_t Remaining() const { return FSteps.size() - FNext; }
  // The dialog text of each form a step acted in, in order.
  const std::vector<std::string>& Seen() const { return FSeen; }

private:
  std::vector<std::function<void(TCustomForm&)>> FSteps;
  std::size_t FNext = 0;
  std::vector<std::string> FSeen;
};

// Installs a driver for the scope and restores the previous one.
class TModalDriverScope {
public:
  explicit TModalDriverScope(TModalDriver& Driver);
  ~TModalDriverScope();
  TModalDriverScope(const TModalDriverScope&) = delete;
  TModalDriverScope& operator=(const TModalDriverScope&) = delete;

private:
  TModalDriver* FPrevious;
};

// The control of that name (or path) in the form; nullptr when none.
TComponent* FindFormComponent(TCustomForm& Form, const std::string& Path);
// What a keyboard does for one key: key down (WM_SYSKEYDOWN with Alt), the
// character it types unless a dialog key handling ate the key, key up.
void SendKeyStroke(TWinControl& Target, std::uint16_t Key, TShiftState Shift = {});
// Types the text character by character (WM_CHAR per code point).
void SendText(TWinControl& Target, const std::string& Text);
// A left click in the middle of the control.
void SendClick(TControl& Target);
