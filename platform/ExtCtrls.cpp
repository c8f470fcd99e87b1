#include "ExtCtrls.h"

#include <algorithm>

#include "TypInfo.h"

const TTypeInfo& PanelBevelTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TPanelBevel", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return type;
}

// ------------------------------------------------------------------- panel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  FBevelInner = Value;
  Realign();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  FBevelOuter = Value;
  Realign();
}

void TCustomPanel::SetBevelWidth(int Value) {
  FBevelWidth = std::max(Value, 1);
  Realign();
}

void TCustomPanel::SetBorderWidth(int Value) {
  FBorderWidth = std::max(Value, 0);
  Realign();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  Realign();
}

TRect TCustomPanel::ClientRect() const {
  int inset = FBorderWidth + (FBorderStyle == bsSingle ? 1 : 0);
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  return Rect(inset, inset, std::max(Width() - inset, inset), std::max(Height() - inset, inset));
}

// ------------------------------------------------------------- radio group

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TControlStrings>([this] { ItemsChanged(); })) {
  SetTabStop(true);
}

TCustomRadioGroup::~TCustomRadioGroup() {
  // The buttons are owned here; they go before the items they show.
  DestroyComponents();
}

TStrings* TCustomRadioGroup::Items() const { return FItems.get(); }

void TCustomRadioGroup::SetItems(TStrings* Value) {
  if (Value) FItems->Assign(*Value);
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FButtons.size()))
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FButtons[Index];
}

void TCustomRadioGroup::ItemsChanged() {
  FUpdating = true;
  while (static_cast<int>(FButtons.size()) > FItems->Count()) {
    delete FButtons.back();
    FButtons.pop_back();
  }
  while (static_cast<int>(FButtons.size()) < FItems->Count()) {
    auto* button = new TRadioButton(this);
    button->SetParent(this);
    button->OnClick = TNotifyEvent(this, &TCustomRadioGroup::ButtonClick);
    FButtons.push_back(button);
  }
  for (int i = 0; i < FItems->Count(); ++i) {
    FButtons[i]->SetCaption(FItems->Get(i));
    FButtons[i]->SetEnabled(Enabled());
  }
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  for (int i = 0; i < static_cast<int>(FButtons.size()); ++i) FButtons[i]->SetChecked(i == FItemIndex);
  FUpdating = false;
  ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (Value == FItemIndex) return;
  if (Value < 0) {
    if (FItemIndex >= 0) {
      FUpdating = true;
      FButtons[FItemIndex]->SetChecked(false);
      FUpdating = false;
    }
    FItemIndex = -1;
    return;
  }
  FButtons[Value]->SetChecked(true);  // clicks through ButtonClick
}

void TCustomRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  if (it == FButtons.end()) return;
  FItemIndex = static_cast<int>(it - FButtons.begin());
  Click();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  int index = FItemIndex;
  FItemIndex = -1;
  FUpdating = true;
  if (index >= 0 && index < FItems->Count()) {
    FButtons[index]->SetChecked(true);
    FItemIndex = index;
  }
  FUpdating = false;
}

void TCustomRadioGroup::SetColumns(int Value) {
  FColumns = std::clamp(Value, 1, 16);
  ArrangeButtons();
}

void TCustomRadioGroup::SetEnabled(bool Value) {
  TCustomGroupBox::SetEnabled(Value);
  for (TRadioButton* b : FButtons) b->SetEnabled(Value);
}

void TCustomRadioGroup::Resize() {
  TCustomGroupBox::Resize();
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  TRect r = ClientRect();
  int rows = (static_cast<int>(FButtons.size()) + FColumns - 1) / FColumns;
  int columnWidth = r.Width() / FColumns;
  int rowHeight = rows > 0 ? std::max(r.Height() / rows, 1) : 0;
  for (int i = 0; i < static_cast<int>(FButtons.size()); ++i) {
    int column = i / rows;
    int row = i % rows;
    FButtons[i]->SetBounds(r.Left + 4 + column * columnWidth, r.Top + row * rowHeight,
                           std::max(columnWidth - 4, 0), rowHeight);
  }
}

// ----------------------------------------------------------- class tables

const TClass& TCustomPanel::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomPanel>("TCustomPanel")
          .Abstract()
          .Property("Alignment", AlignmentTypeInfo(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
          .Default(taCenter)
          .Property("BevelInner", PanelBevelTypeInfo(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
          .Default(bvNone)
          .Property("BevelOuter", PanelBevelTypeInfo(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
          .Default(bvRaised)
          .Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1)
          .Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0)
          .Property("BorderStyle", BorderStyleTypeInfo(), &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle)
          .Default(bsNone)
          .Property("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption)
          .Build();
  return Class;
}

const TClass& TPanel::StaticClass() {
  static const TClass Class = TClassBuilder<TPanel>("TPanel").Build();
  return Class;
}

const TClass& TCustomRadioGroup::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomRadioGroup>("TCustomRadioGroup")
          .Abstract()
          .Property("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).Default(1)
          .Property("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems)
          .Property("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex).Default(-1)
          .Build();
  return Class;
}

const TClass& TRadioGroup::StaticClass() {
  static const TClass Class = TClassBuilder<TRadioGroup>("TRadioGroup").Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TPanel::StaticClass(), &TRadioGroup::StaticClass()}), true);
}  // namespace
