#include "DBLabel.h"

#include <algorithm>

#include "DataSet.h"
#include "Dialogs.h"
#include "TypInfo.h"

const TTypeInfo& PosTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TPos", {"psTop", "psLeft", "psRight", "psBottom"});
  return type;
}

TDBLabel::TDBLabel(TComponent* AOwner) : TLabel(AOwner) { SetCaption("挂靠标签"); }

void TDBLabel::SetAutoAlign(bool Value) {
  FAutoAlign = Value;
  UpdateCaption();
  UpdateAlign();
}

void TDBLabel::SetAutoCaption(bool Value) {
  FAutoCaption = Value;
  UpdateCaption();
  UpdateAlign();
}

void TDBLabel::SetGap(std::uint8_t Value) {
  FGap = Value;
  UpdateCaption();
  UpdateAlign();
}

void TDBLabel::SetPos(TPos Value) {
  FPos = Value;
  UpdateCaption();
  UpdateAlign();
}

void TDBLabel::SetFocusControl(TWinControl* Value) {
  if (Value && Parent()) {
    // The labels placed on the same parent count as well as those it owns:
    // a form owns its controls, so on a panel the owned ones alone are none.
    TWinControl& parent = *Parent();
    TDBLabel* holder = nullptr;
    const auto check = [&](TComponent* c) {
      auto* label = dynamic_cast<TDBLabel*>(c);
      if (label && label->FocusControl() == Value) holder = label;
    };
    for (int i = 0; i < parent.ComponentCount() && !holder; ++i) check(parent.Components(i));
    for (int i = 0; i < parent.ControlCount() && !holder; ++i) check(parent.Controls(i));
    if (holder) {
      if (holder != this) MessageDlg("不能同时有两个 DBLabel 指到同一个 Control.", mtError, {mbOK});
      return;
    }
  }
  TLabel::SetFocusControl(Value);
  if (!Value) return;
  UpdateCaption();
  UpdateAlign();
}

void TDBLabel::UpdateCaption() {
  TWinControl* control = FocusControl();
  if (!FAutoCaption || !control) return;
  try {
    auto* source = PropIsType(control, "DataSource", tkClass)
                       ? dynamic_cast<TDataSource*>(GetObjectProp(control, "DataSource"))
                       : nullptr;
    if (!source || !source->DataSet() || !PropIsType(control, "DataField", tkString)) return;
    if (TField* field = source->DataSet()->FindField(GetStrProp(control, "DataField")))
      SetCaption(field->DisplayLabel());
  } catch (const std::exception&) {
    // No such field: the caption stays.
  }
}

void TDBLabel::UpdateAlign() {
  TWinControl* control = FocusControl();
  if (!FAutoAlign || !control) return;
  const int middle = Height() == control->Height() ? control->Top()
                                                     : control->Top() + control->Height() / 2 - Height() / 2;
  int left = Left(), top = Top();
  switch (FPos) {
    case psTop:
      left = control->Left();
      top = control->Top() - Height() - FGap;
      break;
    case psBottom:
      left = control->Left();
      top = control->Top() + control->Height() + FGap;
      break;
    case psLeft:
      top = middle;
      left = control->Left() - Width() - FGap;
      break;
    case psRight:
      top = middle;
      left = control->Left() + control->Width() + FGap;
      break;
  }
  SetBounds(std::max(left, 0), std::max(top, 0), Width(), Height());
}

const TClass& TDBLabel::StaticClass() {
  static const TClass Class =
      TClassBuilder<TDBLabel>("TDBLabel")
          .Property("AutoAlign", &TDBLabel::AutoAlign, &TDBLabel::SetAutoAlign).Default(1)
          .Property("AutoCaption", &TDBLabel::AutoCaption, &TDBLabel::SetAutoCaption).Default(1)
          .Property("FocusControl", &TDBLabel::FocusControl, &TDBLabel::SetFocusControl)
          .Property("Gap", [](const TDBLabel& l) { return static_cast<int>(l.Gap()); },
                    [](TDBLabel& l, int v) { l.SetGap(static_cast<std::uint8_t>(v)); })
          .Default(4)
          .Property("Pos", PosTypeInfo(), &TDBLabel::Pos, &TDBLabel::SetPos).Default(psLeft)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TDBLabel::StaticClass()), true);
}  // namespace
