#pragma once
// TZnRadioButton: a radio button that draws its caption itself, in its own
// font and colour, at an offset from the left edge that grows with the
// font size.
#include "StdCtrls.h"

class TCanvas;

class TZnRadioButton : public TButtonControl {
  KESR_CLASS(TZnRadioButton, TButtonControl)
public:
  explicit TZnRadioButton(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  bool Checked() const { return FChecked; }
  // True also makes it a tab stop, unchecks the other TZnRadioButtons of
  // its parent and clicks (unless clicks are suppressed); false clears the
  // mark and the tab stop only.
  void SetChecked(bool Value);
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }

  // Pixels from the client area's left edge to the caption for a font
  // size in points.
  static int CaptionOffset(int FontSize);
  // Paints the caption area into a canvas the size of the client area.
  void Paint(TCanvas& Canvas);

protected:
  void UserClick() override { SetChecked(true); }
  void Dispatch(TMessage& Message) override;

private:
  TAlignment FAlignment = taRightJustify;
  bool FChecked = false;
  bool FClicksDisabled = false;
};
