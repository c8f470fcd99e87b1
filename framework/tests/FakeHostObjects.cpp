#include "FakeHostObjects.h"

#include "Dialogs.h"
#include "StdCtrls.h"

bool TDialogRecorder::Act(TCustomForm& Form, int Round) {
  if (Round > 0) return false;
  TSeen Dialog;
  Dialog.Caption = Form.Caption();
  if (auto* Message = dynamic_cast<TMessageForm*>(&Form)) {
    Dialog.Kind = Message->DlgType();
    Dialog.Text = Message->Message()->Caption();
  }
  for (int i = 0; i < Form.ComponentCount(); ++i) {
    if (auto* Button = dynamic_cast<TButton*>(Form.Components(i))) {
      Dialog.Buttons.push_back(Button->Name());
      Dialog.ButtonCaptions.push_back(Button->Caption());
    }
  }
  Seen.push_back(std::move(Dialog));
  Form.SetModalResult(Answer);
  return true;
}
