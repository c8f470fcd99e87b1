#pragma once
// Design-time layouts: a form class carries its layout as form-description
// text compiled into its library, registered once per class. Each form class
// applies its own layout at the end of its constructor, so a descendant's
// layout (with `inherited` blocks for what its ancestors created) is read
// after its ancestors' layouts:
//
//   // MyForm.cpp
//   static const bool LayoutRegistered = RegisterFormLayout(TfrmMy::StaticClass(), R"(
//   object frmMy: TfrmMy
//     Caption = 'Title'
//     object btnOk: TButton ...
//   end)");
//   TfrmMy::TfrmMy(TComponent* AOwner) : TForm(AOwner) { ApplyFormLayout(this, StaticClass()); }
//
// A stored print format is read by the same reader (ReadFormText).
#include <string>

#include "ClassRegistry.h"
#include "Component.h"

// Replaces an earlier layout of the class; returns true (for static registration).
bool RegisterFormLayout(const TClass& Class, std::string Text);
void UnregisterFormLayout(const TClass& Class);
// nullptr when the class has no layout of its own.
const std::string* FindFormLayout(const TClass& Class);
// Reads Class's layout into Instance; false when Class has none. Errors are
// those of ReadFormText.
bool ApplyFormLayout(TComponent* Instance, const TClass& Class);
