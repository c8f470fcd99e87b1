#pragma once
// Message dialogs and input boxes. Every dialog is a modal form, so the
// application's modal driver answers it when there is no user.
#include <string>

#include "Forms.h"

class TLabel;
class TEdit;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// Message box flags and answers.
enum : unsigned {
  MB_OK = 0x00,
  MB_OKCANCEL = 0x01,
  MB_ABORTRETRYIGNORE = 0x02,
  MB_YESNOCANCEL = 0x03,
  MB_YESNO = 0x04,
  MB_RETRYCANCEL = 0x05,
  MB_ICONHAND = 0x10,
  MB_ICONSTOP = MB_ICONHAND,
  MB_ICONERROR = MB_ICONHAND,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONWARNING = MB_ICONEXCLAMATION,
  MB_ICONASTERISK = 0x40,
  MB_ICONINFORMATION = MB_ICONASTERISK,
  MB_DEFBUTTON1 = 0x000,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// The standard message dialog: a label "Message" and one button per
// requested button, named Yes, No, OK, Cancel, Abort, Retry, Ignore, All,
// NoToAll, YesToAll, Help, in that order, each with its modal result.
class TMessageForm : public TForm {
  KESR_CLASS(TMessageForm, TForm)
public:
  explicit TMessageForm(TComponent* AOwner);
  TLabel* Message() const { return FMessage; }
  TMsgDlgType DlgType() const { return FDlgType; }
  std::string DialogText() const override;

private:
  friend TForm* CreateMessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons);
  TLabel* FMessage = nullptr;
  TMsgDlgType FDlgType = mtCustom;
};

// The caption of a dialog kind ("Warning", "Error", "Information",
// "Confirm"; the application's title for mtCustom).
std::string MsgDlgCaption(TMsgDlgType DlgType);
// The button name and caption of a dialog button.
const char* MsgDlgButtonName(TMsgDlgBtn Button);
const char* MsgDlgButtonCaption(TMsgDlgBtn Button);

// A new message dialog owned by the application, not yet shown; the caller
// may change it (captions of its buttons) and frees it with Free(). The
// default button is OK, else Yes, else Retry; the cancel button Cancel,
// else No, else OK.
TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// Shows a message dialog and answers the modal result of the button used.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
void ShowMessage(const std::string& Msg);
// Asks for a text in an edit named "Edit" (buttons OK and Cancel); Value
// is changed only when the user answers OK.
bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value);
std::string InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default);
// A message box with MB_* flags; answers ID* (IDCANCEL when cancelled).
int ShowMessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);
