#include "Dialogs.h"

#include <algorithm>
#include <memory>

#include "FontMetrics.h"
#include "StdCtrls.h"
#include "TypInfo.h"

namespace {

constexpr TMsgDlgBtn kButtonOrder[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry,
                                       mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

TModalResult ButtonResult(TMsgDlgBtn b) {
  switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrNone;
  }
  return mrNone;
}

// Frees a dialog however its showing ends.
struct TDialogHolder {
  TForm* Form;
  ~TDialogHolder() { Form->Free(); }
};

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;

}  // namespace

TMessageForm::TMessageForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetBorderIcons({biSystemMenu});
  SetKeyPreview(true);
}

std::string TMessageForm::DialogText() const {
  std::string caption = Caption();
  std::string text = FMessage ? FMessage->Caption() : std::string();
  return caption.empty() ? text : caption + ": " + text;
}

std::string MsgDlgCaption(TMsgDlgType DlgType) {
  switch (DlgType) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    case mtCustom: break;
  }
  return Application->Title();
}

const char* MsgDlgButtonName(TMsgDlgBtn Button) {
  static const char* const names[] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry",
                                      "Ignore", "All", "NoToAll", "YesToAll", "Help"};
  return names[Button];
}

const char* MsgDlgButtonCaption(TMsgDlgBtn Button) {
  static const char* const captions[] = {"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry",
                                         "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"};
  return captions[Button];
}

TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  TMessageForm* form = CreateForm<TMessageForm>(Application);
  try {
    form->FDlgType = DlgType;
    form->SetCaption(MsgDlgCaption(DlgType));
    TMsgDlgBtn defaultButton = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
    TMsgDlgBtn cancelButton = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;

    // The icon of a dialog kind takes a square on the left.
    int textLeft = DlgType == mtCustom ? kMargin : kMargin + 32 + kMargin;
    form->FMessage = new TLabel(form);
    form->FMessage->SetName("Message");
    form->FMessage->SetParent(form);
    form->FMessage->SetCaption(Msg);
    form->FMessage->SetBounds(textLeft, kMargin, form->FMessage->Width(), form->FMessage->Height());

    std::vector<TButton*> buttons;
    for (TMsgDlgBtn b : kButtonOrder) {
      if (!Buttons.Contains(b)) continue;
      auto* button = new TButton(form);
      button->SetName(MsgDlgButtonName(b));
      button->SetParent(form);
      button->SetCaption(MsgDlgButtonCaption(b));
      button->SetModalResult(ButtonResult(b));
      button->SetDefault(b == defaultButton);
      button->SetCancel(b == cancelButton);
      buttons.push_back(button);
      if (b == defaultButton) form->SetActiveControl(button);
    }

    int buttonsWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    int textBottom = std::max(form->FMessage->Top() + form->FMessage->Height(), kMargin + 32);
    int clientWidth = std::max(textLeft + form->FMessage->Width() + kMargin, buttonsWidth + 2 * kMargin);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(textBottom + kMargin + kButtonHeight + kMargin);
    int x = (clientWidth - buttonsWidth) / 2;
    for (TButton* button : buttons) {
      button->SetBounds(x, textBottom + kMargin, kButtonWidth, kButtonHeight);
      x += kButtonWidth + kButtonGap;
    }
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  (void)HelpCtx;  // no help viewer on this platform
  TDialogHolder dialog{CreateMessageDialog(Msg, DlgType, Buttons)};
  return dialog.Form->ShowModal();
}

void ShowMessage(const std::string& Msg) { MessageDlg(Msg, mtCustom, {mbOK}); }

bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) {
  TDialogHolder dialog{CreateForm<TForm>(Application)};
  TForm* form = dialog.Form;
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetCaption(Caption);
  form->SetClientWidth(2 * kMargin + 2 * kButtonWidth + kButtonGap + 100);
  auto* prompt = new TLabel(form);
  prompt->SetName("Prompt");
  prompt->SetParent(form);
  prompt->SetCaption(Prompt);
  prompt->SetBounds(kMargin, kMargin, prompt->Width(), prompt->Height());
  auto* edit = new TEdit(form);
  edit->SetName("Edit");
  edit->SetParent(form);
  int top = prompt->Top() + prompt->Height() + 4;
  edit->SetBounds(kMargin, top, form->ClientWidth() - 2 * kMargin, edit->Height());
  edit->SetText(Value);
  top += edit->Height() + kMargin;
  int x = form->ClientWidth() - kMargin - 2 * kButtonWidth - kButtonGap;
  for (auto [name, result] : {std::pair{"OK", mrOk}, std::pair{"Cancel", mrCancel}}) {
    auto* button = new TButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetCaption(name);
    button->SetModalResult(result);
    button->SetDefault(result == mrOk);
    button->SetCancel(result == mrCancel);
    button->SetBounds(x, top, kButtonWidth, kButtonHeight);
    x += kButtonWidth + kButtonGap;
  }
  form->SetClientHeight(top + kButtonHeight + kMargin);
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  Value = edit->Text();
  return true;
}

std::string InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default) {
  std::string value = Default;
  InputQuery(Caption, Prompt, value);
  return value;
}

int ShowMessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  TMsgDlgButtons buttons;
  switch (Flags & 0x0F) {
    case MB_OKCANCEL: buttons = mbOKCancel; break;
    case MB_ABORTRETRYIGNORE: buttons = mbAbortRetryIgnore; break;
    case MB_YESNOCANCEL: buttons = mbYesNoCancel; break;
    case MB_YESNO: buttons = {mbYes, mbNo}; break;
    case MB_RETRYCANCEL: buttons = {mbRetry, mbCancel}; break;
    default: buttons = {mbOK}; break;
  }
  TMsgDlgType type = mtCustom;
  switch (Flags & 0xF0) {
    case MB_ICONHAND: type = mtError; break;
    case MB_ICONQUESTION: type = mtConfirmation; break;
    case MB_ICONEXCLAMATION: type = mtWarning; break;
    case MB_ICONASTERISK: type = mtInformation; break;
    default: break;
  }
  TDialogHolder dialog{CreateMessageDialog(Text, type, buttons)};
  dialog.Form->SetCaption(Caption);
  // MB_DEFBUTTONn makes the n-th button the default one.
  int defaultIndex = static_cast<int>((Flags >> 8) & 0x0F);
  std::vector<TButton*> list;
  for (int i = 0; i < dialog.Form->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TButton*>(dialog.Form->Controls(i))) list.push_back(b);
  if (defaultIndex > 0 && defaultIndex < static_cast<int>(list.size())) {
    for (TButton* b : list) b->SetDefault(false);
    list[defaultIndex]->SetDefault(true);
    dialog.Form->SetActiveControl(list[defaultIndex]);
  }
  return dialog.Form->ShowModal();
}

const TClass& TMessageForm::StaticClass() {
  static const TClass Class = TClassBuilder<TMessageForm>("TMessageForm").Build();
  return Class;
}
