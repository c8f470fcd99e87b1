#pragma once
// TGSpeedButton: a flat speed button whose picture comes by number from the
// suite's glyph library, so that forms store a number instead of a bitmap.
#include "Buttons.h"

class TGSpeedButton : public TSpeedButton {
  KESR_CLASS(TGSpeedButton, TSpeedButton)
public:
  explicit TGSpeedButton(TComponent* AOwner);

  int GlyphIndex() const { return FGlyphIndex; }
  // The caption shows the number while no picture is loaded; 0 or a number
  // above the library's highest clears the picture. A library failure is
  // shown to the user and does not reach the caller.
  void SetGlyphIndex(int Value);
  int HintIndex() const { return FHintIndex; }
  void SetHintIndex(int Value) { FHintIndex = Value; }

private:
  void LoadGlyph();

  int FGlyphIndex = 0;
  int FHintIndex = 0;
};
