#pragma once
// A shown form that owns the controls a test adds and records the look-up
// requests its controls send it.
#include <gtest/gtest.h>

#include <vector>

#include "F2Button.h"
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

class TControlsFixture : public ::testing::Test {
protected:
  void SetUp() override {
    Form = CreateForm<TLookupForm>(nullptr);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }
  template <class T>
  T* Add(const char* name, TWinControl* parent = nullptr) {
    auto* c = new T(Form);
    c->SetName(name);
    c->SetParent(parent ? parent : Form);
    return c;
  }
  TLookupForm* Form = nullptr;
};
