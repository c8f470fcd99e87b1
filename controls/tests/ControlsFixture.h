#pragma once
// A shown form that owns the controls a test adds and records the look-up
// requests its controls send it.
#include <gtest/gtest.h>

#include <vector>

#include "F2Button.h"
#include "FormFixture.h"
#include "Forms.h"
#include "StdCtrls.h"

class TLookupForm : public TForm {
public:
  using TForm::TForm;
  std::vector<TWinControl*> Requests;

protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == TF2Button::LookupRequestMessage) Requests.push_back(reinterpret_cast<TWinControl*>(Message.LParam));
    TForm::Dispatch(Message);
  }
};

using TControlsFixture = TShownFormFixtureOf<TLookupForm>;
