#pragma once
// The host's user at the screen for modal dialogs: every dialog the module
// shows is reported (kind, caption, text, buttons, answer) and answered,
// with the button a script named or else the default one.
#include <deque>
#include <string>
#include <vector>

#include "ModalDriver.h"

class THostReport;

class THostDialogDriver : public TModalDriver {
public:
  explicit THostDialogDriver(THostReport& Report) : FReport(Report) {}

  bool Act(TCustomForm& Form, int Round) override;
  // The next dialog is answered with the button of that name.
  void QueueAnswer(const std::string& Button) { FAnswers.push_back(Button); }
  // The texts of the dialogs shown so far.
  const std::vector<std::string>& Texts() const { return FTexts; }

private:
  THostReport& FReport;
  std::deque<std::string> FAnswers;
  std::vector<std::string> FTexts;
};
