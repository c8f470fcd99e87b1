#include "Spin.h"

#include <algorithm>
#include <charconv>

#include "TypInfo.h"

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetText("0"); }

int TSpinEdit::Clamp(int Value) const {
  if (FMinValue == 0 && FMaxValue == 0) return Value;
  return std::clamp(Value, FMinValue, std::max(FMinValue, FMaxValue));
}

int TSpinEdit::Value() const {
  std::string text = Text();
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return FMinValue;
  return Clamp(value);
}

void TSpinEdit::SetValue(int NewValue) { SetText(std::to_string(Clamp(NewValue))); }

void TSpinEdit::SetMinValue(int Value) {
  FMinValue = Value;
  SetValue(this->Value());
}

void TSpinEdit::SetMaxValue(int Value) {
  FMaxValue = Value;
  SetValue(this->Value());
}

bool TSpinEdit::WantsKey(std::uint16_t Key, TShiftState Shift) const {
  return Key == VK_UP || Key == VK_DOWN || TCustomEdit::WantsKey(Key, Shift);
}

void TSpinEdit::DefaultKeyDown(std::uint16_t Key, TShiftState Shift) {
  if (Key == VK_UP && !ReadOnly()) SetValue(Value() + FIncrement);
  else if (Key == VK_DOWN && !ReadOnly()) SetValue(Value() - FIncrement);
  else TCustomEdit::DefaultKeyDown(Key, Shift);
}

void TSpinEdit::DefaultKeyPress(char32_t Ch) {
  // Only what can make a number is typed.
  if (!FEditorEnabled) return;
  if (Ch >= 0x20 && !(Ch >= U'0' && Ch <= U'9') && Ch != U'-' && Ch != U'+') return;
  TCustomEdit::DefaultKeyPress(Ch);
}

void TSpinEdit::DoExit() {
  SetValue(Value());
  TCustomEdit::DoExit();
}

const TClass& TSpinEdit::StaticClass() {
  static const TClass Class =
      TClassBuilder<TSpinEdit>("TSpinEdit")
          .Property("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled).Default(1)
          .Property("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement).Default(1)
          .Property("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue).Default(0)
          .Property("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue).Default(0)
          .Property("Value", &TSpinEdit::Value, &TSpinEdit::SetValue).Default(0)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TSpinEdit::StaticClass()), true);
}  // namespace
