#pragma once
// A test fixture with a form that owns the controls a test adds; the form is
// freed after each test. Other folders' tests reach it by this file's name.
#include <gtest/gtest.h>

#include "Forms.h"

template <class TFixtureForm>
class TFormFixtureOf : public ::testing::Test {
protected:
  void SetUp() override { Form = CreateForm<TFixtureForm>(nullptr); }
  void TearDown() override { Form->Free(); }
  template <class T>
  T* Add(const char* name, TWinControl* parent = nullptr) {
    auto* c = new T(Form);
    c->SetName(name);
    c->SetParent(parent ? parent : Form);
    return c;
  }
  TFixtureForm* Form = nullptr;
};

using TFormFixture = TFormFixtureOf<TForm>;

// The same on a form that is shown, as focus and painting need.
template <class TFixtureForm>
class TShownFormFixtureOf : public TFormFixtureOf<TFixtureForm> {
protected:
  void SetUp() override {
    TFormFixtureOf<TFixtureForm>::SetUp();
    this->Form->Show();
  }
};
