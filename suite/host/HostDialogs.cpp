#include "HostDialogs.h"

#include "Dialogs.h"
#include "HostReport.h"
#include "StdCtrls.h"
#include "StrUtils.h"

namespace {

const char* KindName(const TCustomForm& Form) {
  const auto* message = dynamic_cast<const TMessageForm*>(&Form);
  if (!message) return "form";
  switch (message->DlgType()) {
    case mtWarning: return "warning";
    case mtError: return "error";
    case mtInformation: return "information";
    case mtConfirmation: return "confirmation";
    default: return "plain";
  }
}

}  // namespace

bool THostDialogDriver::Act(TCustomForm& Form, int Round) {
  if (Round > 0) return false;  // answered once; a dialog still open is cancelled
  std::vector<TButton*> buttons;
  for (int i = 0; i < Form.ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(Form.Components(i)); button && button->Visible())
      buttons.push_back(button);

  TButton* answer = nullptr;
  if (!FAnswers.empty()) {
    const std::string wanted = FAnswers.front();
    FAnswers.pop_front();
    for (TButton* button : buttons)
      if (SameText(button->Name(), wanted)) answer = button;
  }
  for (TButton* button : buttons)
    if (!answer && button->Default()) answer = button;
  for (TButton* button : buttons)
    if (!answer && button->Cancel()) answer = button;

  const auto* message = dynamic_cast<const TMessageForm*>(&Form);
  const std::string text = message ? message->Message()->Caption() : Form.DialogText();
  FTexts.push_back(text);
  std::vector<std::string> names;
  for (TButton* button : buttons) names.push_back(button->Name());
  FReport.Write("dialog", {{"kind", std::string(KindName(Form))},
                           {"caption", Form.Caption()},
                           {"text", text},
                           {"buttons", names},
                           {"answer", answer ? answer->Name() : std::string()}});
  if (answer) answer->Click();
  else Form.SetModalResult(mrCancel);
  return true;
}
