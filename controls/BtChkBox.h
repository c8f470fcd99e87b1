#pragma once
// TBitCheckBox: a check box drawn from three pictures (checked, grayed,
// unchecked). Each picture may hold a second cell for the disabled look;
// without pictures of its own a box uses the module's default pictures.
#include <memory>

#include "Controls.h"
#include "StdCtrls.h"

class TBitmap;
class TCanvas;

class TBitCheckBox : public TCustomControl {
  KESR_CLASS(TBitCheckBox, TCustomControl)
public:
  explicit TBitCheckBox(TComponent* AOwner);
  ~TBitCheckBox() override;

  // taRightJustify: picture at the left, text after it; taLeftJustify:
  // text at the left, picture at the right edge.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { FState = Value ? cbChecked : cbUnchecked; }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value) { FState = Value; }

  // Setting copies the picture; nullptr loads the default. A picture whose
  // width is a multiple of its height sets the cell count to width div
  // height, clamped to 1 .. 2.
  TBitmap* CheckedGlyph() const { return FGlyphs[cbChecked].get(); }
  void SetCheckedGlyph(const TBitmap* Value) { SetGlyph(cbChecked, Value); }
  TBitmap* GrayedGlyph() const { return FGlyphs[cbGrayed].get(); }
  void SetGrayedGlyph(const TBitmap* Value) { SetGlyph(cbGrayed, Value); }
  TBitmap* UncheckedGlyph() const { return FGlyphs[cbUnchecked].get(); }
  void SetUncheckedGlyph(const TBitmap* Value) { SetGlyph(cbUnchecked, Value); }
  int CheckedNumGlyphs() const { return FNumGlyphs[cbChecked]; }
  void SetCheckedNumGlyphs(int Value) { SetNumGlyphs(cbChecked, Value); }
  int GrayedNumGlyphs() const { return FNumGlyphs[cbGrayed]; }
  void SetGrayedNumGlyphs(int Value) { SetNumGlyphs(cbGrayed, Value); }
  int UncheckedNumGlyphs() const { return FNumGlyphs[cbUnchecked]; }
  void SetUncheckedNumGlyphs(int Value) { SetNumGlyphs(cbUnchecked, Value); }

  // unchecked -> grayed (AllowGrayed) or checked; checked -> unchecked;
  // grayed -> checked.
  void Toggle();
  // Toggles, raises OnClick, then takes the focus when it can.
  void Click() override;
  // Draws the box into a canvas the size of its client area.
  void Paint(TCanvas& Canvas);

  // The module's default picture of a state (19 x 14 pixels, 16 colours).
  static void LoadDefaultGlyph(TCheckBoxState State, TBitmap& Bitmap);

protected:
  void Dispatch(TMessage& Message) override;
  void DefaultKeyPress(char32_t Ch) override;

private:
  void SetGlyph(TCheckBoxState State, const TBitmap* Value);
  void SetNumGlyphs(TCheckBoxState State, int Value);

  TAlignment FAlignment = taRightJustify;
  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
  std::unique_ptr<TBitmap> FGlyphs[3];
  int FNumGlyphs[3] = {1, 1, 1};
};
