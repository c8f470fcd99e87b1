#include "F2Button.h"

#include "Dialogs.h"
#include "Forms.h"
#include "TypInfo.h"

TF2Button::TF2Button(TComponent* AOwner) : TGSpeedButton(AOwner) {
  SetGlyphIndex(8);
  SetFlat(true);
}

void TF2Button::SetAutoAlign(bool Value) {
  FAutoAlign = Value;
  Align();
}

void TF2Button::SetGap(std::uint8_t Value) {
  FGap = Value;
  Align();
}

void TF2Button::SetF2Control(TWinControl* Value) {
  if (Value == FF2Control) return;
  if (Value && Parent()) {
    // The buttons placed on the same parent count as well as those it owns:
    // a form owns its controls, so on a panel the owned ones alone are none.
    TWinControl& parent = *Parent();
    const auto boundElsewhere = [&](TComponent* c) {
      auto* other = dynamic_cast<TF2Button*>(c);
      return other && other != this && other->FF2Control == Value;
    };
    bool refused = false;
    for (int i = 0; i < parent.ComponentCount() && !refused; ++i) refused = boundElsewhere(parent.Components(i));
    for (int i = 0; i < parent.ControlCount() && !refused; ++i) refused = boundElsewhere(parent.Controls(i));
    if (refused) {
      MessageDlg("不能同时有两个 F2Button 指到同一个 Edit.", mtError, {mbOK});
      return;
    }
  }
  if (FF2Control) FF2Control->RemoveFreeNotification(this);
  FF2Control = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  Align();
}

void TF2Button::Align() {
  if (!FAutoAlign || !FF2Control) return;
  const int size = FF2Control->Height();
  SetBounds(FF2Control->Left() + FF2Control->Width() + FGap, FF2Control->Top(), size, size);
}

void TF2Button::Click() {
  TGSpeedButton::Click();
  TWinControl* control = FF2Control;
  if (!control || !control->Enabled()) return;
  if (control->CanFocus()) control->SetFocus();
  if (!control->Focused()) return;
  auto* form = dynamic_cast<TCustomForm*>(control->Owner());
  if (!form) form = GetParentForm(control);
  if (form) form->Perform(LookupRequestMessage, 0, reinterpret_cast<LPARAM>(control));
}

void TF2Button::Notification(TComponent* AComponent, TOperation Operation) {
  TGSpeedButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FF2Control) FF2Control = nullptr;
}

const TClass& TF2Button::StaticClass() {
  static const TClass Class =
      TClassBuilder<TF2Button>("TF2Button")
          .Property("AutoAlign", &TF2Button::AutoAlign, &TF2Button::SetAutoAlign).Default(1)
          .Property("F2Control", &TF2Button::F2Control, &TF2Button::SetF2Control)
          .Property("Gap", [](const TF2Button& b) { return static_cast<int>(b.Gap()); },
                    [](TF2Button& b, int v) { b.SetGap(static_cast<std::uint8_t>(v)); })
          .Default(2)
          .Property("GlyphIndex", &TF2Button::GlyphIndex, &TF2Button::SetGlyphIndex).Default(8)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TF2Button::StaticClass()), true);
}  // namespace
