#pragma once
// The spin edit: an edit that holds an integer between MinValue and
// MaxValue (no bounds when both are 0); Up and Down step it by Increment.
#include "StdCtrls.h"

class TSpinEdit : public TCustomEdit {
  KESR_CLASS(TSpinEdit, TCustomEdit)
public:
  explicit TSpinEdit(TComponent* AOwner);

  // The text as a number; a text that is no number reads as MinValue.
  int Value() const;
  void SetValue(int NewValue);
  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }

protected:
  bool WantsKey(std::uint16_t Key, TShiftState Shift) const override;
  void DefaultKeyDown(std::uint16_t Key, TShiftState Shift) override;
  void DefaultKeyPress(char32_t Ch) override;
  void DoExit() override;

private:
  int Clamp(int Value) const;

  int FMinValue = 0;
  int FMaxValue = 0;
  int FIncrement = 1;
  bool FEditorEnabled = true;
};
