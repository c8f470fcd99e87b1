#pragma once
// TZnSpinEdit: a spin edit that accepts a sign only in front: a "+" or "-"
// typed after the first character is taken out again, and a blank text
// raises no change.
#include "Spin.h"

class TZnSpinEdit : public TSpinEdit {
  KESR_CLASS(TZnSpinEdit, TSpinEdit)
public:
  explicit TZnSpinEdit(TComponent* AOwner) : TSpinEdit(AOwner) {}

protected:
  void Change() override;

private:
  bool FCorrecting = false;
};
