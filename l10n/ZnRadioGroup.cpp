#include "ZnRadioGroup.h"

#include <algorithm>

#include "Bitmap.h"
#include "Canvas.h"
#include "Font.h"
#include "TypInfo.h"

// ------------------------------------------------------------ TZnGroupButton

TZnGroupButton::TZnGroupButton(TZnRadioGroup* Group, int Index)
    : TZnRadioButton(Group), FGroup(Group), FIndex(Index) {
  SetParent(Group);
  OnClick = TNotifyEvent(Group, &TZnRadioGroup::ButtonClick);
}

void TZnGroupButton::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  FGroup->OnKeyDown(FGroup, Key, Shift);
  if (Key != 0) TZnRadioButton::KeyDown(Key, Shift);
}

void TZnGroupButton::KeyPress(char32_t& Ch) {
  if (Ch < 0x80) {
    char key = static_cast<char>(Ch);
    FGroup->OnKeyPress(FGroup, key);
    Ch = static_cast<unsigned char>(key);
  }
  if ((Ch == U'\b' || Ch == U' ') && !FGroup->CanModify()) Ch = 0;
  if (Ch != 0) TZnRadioButton::KeyPress(Ch);
}

const TClass& TZnGroupButton::StaticClass() {
  static const TClass Class = TClassBuilder<TZnGroupButton>("TZnGroupButton").Abstract().Build();
  return Class;
}

// ------------------------------------------------------------- TZnRadioGroup

TZnRadioGroup::TZnRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TControlStrings>([this] { ItemsChanged(); })) {
  SetBounds(Left(), Top(), 185, 105);
}

TZnRadioGroup::~TZnRadioGroup() {
  // The buttons call back into the group while they die.
  DestroyComponents();
}

TStrings* TZnRadioGroup::Items() const { return FItems.get(); }

void TZnRadioGroup::SetItems(TStrings* Value) {
  if (Value) FItems->Assign(*Value);
  else FItems->Clear();
}

TZnGroupButton* TZnRadioGroup::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FButtons[static_cast<std::size_t>(Index)];
}

void TZnRadioGroup::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  UpdateChecks();
}

void TZnRadioGroup::SetColumns(int Value) {
  FColumns = std::max(Value, 1);
  ArrangeButtons();
}

void TZnRadioGroup::ItemsChanged() {
  while (ButtonCount() > FItems->Count()) {
    delete FButtons.back();
    FButtons.pop_back();
  }
  while (ButtonCount() < FItems->Count()) FButtons.push_back(new TZnGroupButton(this, ButtonCount()));
  for (int i = 0; i < ButtonCount(); ++i) {
    FButtons[static_cast<std::size_t>(i)]->SetCaption((*FItems)[i]);
    FButtons[static_cast<std::size_t>(i)]->SetEnabled(Enabled());
  }
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateChecks();
  ArrangeButtons();
}

void TZnRadioGroup::UpdateChecks() {
  FUpdating = true;
  for (TZnGroupButton* button : FButtons) {
    button->SetClicksDisabled(true);
    button->SetChecked(button->Index() == FItemIndex);
    button->SetClicksDisabled(false);
  }
  FUpdating = false;
}

void TZnRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating) return;
  auto* button = static_cast<TZnGroupButton*>(Sender);
  if (!CanModify()) {
    UpdateChecks();
    return;
  }
  FItemIndex = button->Index();
  Click();
}

void TZnRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(Font());
  const int textHeight = measure.Canvas()->TextHeight("0");
  const int count = ButtonCount();
  const int rows = (count + FColumns - 1) / FColumns;
  const int width = (Width() - 10) / FColumns;
  const int inner = Height() - textHeight - 5;
  const int height = inner / rows;
  const int top = (inner % rows) / 2 + textHeight + 1;
  for (int i = 0; i < count; ++i) {
    const int column = i / rows, row = i % rows;
    FButtons[static_cast<std::size_t>(i)]->SetBounds(8 + column * width, top + row * height, width, height);
  }
}

void TZnRadioGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomGroupBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  ArrangeButtons();
}

void TZnRadioGroup::SetEnabled(bool Value) {
  TCustomGroupBox::SetEnabled(Value);
  for (TZnGroupButton* button : FButtons) button->SetEnabled(Value);
}

const TClass& TZnRadioGroup::StaticClass() {
  static const TClass Class =
      TClassBuilder<TZnRadioGroup>("TZnRadioGroup")
          .Property("Caption", &TZnRadioGroup::Caption, &TZnRadioGroup::SetCaption)
          .Property("Columns", &TZnRadioGroup::Columns, &TZnRadioGroup::SetColumns).Default(1)
          .Property("ItemIndex", &TZnRadioGroup::ItemIndex, &TZnRadioGroup::SetItemIndex).Default(-1)
          .Property("Items", &TZnRadioGroup::Items, &TZnRadioGroup::SetItems)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TZnRadioGroup::StaticClass(), &TZnGroupButton::StaticClass()}), true);
}  // namespace
