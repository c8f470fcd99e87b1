#pragma once
// A test fixture with a form that owns the controls a test adds; the form is
// freed after each test.
#include <gtest/gtest.h>

#include "Forms.h"

class TFormFixture : public ::testing::Test {
protected:
  void SetUp() override { Form = CreateForm<TForm>(nullptr); }
  void TearDown() override { Form->Free(); }
  template <class T>
  T* Add(const char* name, TWinControl* parent = nullptr) {
    auto* c = new T(Form);
    c->SetName(name);
    c->SetParent(parent ? parent : Form);
    return c;
  }
  TForm* Form = nullptr;
};
