#pragma once
// Bitmap buttons and speed buttons. A button keeps its glyph as a bitmap
// of NumGlyphs cells side by side (normal, disabled, ...); the controls
// themselves draw nothing.
#include <memory>
#include <string>

#include "StdCtrls.h"

class TBitmap;

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TTypeInfo& BitBtnKindTypeInfo();
const TTypeInfo& ButtonLayoutTypeInfo();

class TBitBtn : public TButton {
  KESR_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;

  // A kind other than bkCustom gives the button its caption, modal result
  // and default or cancel role; bkClose closes the form when clicked.
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value) { FLayout = Value; }
  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value) { FSpacing = Value; }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value) { FNumGlyphs = Value; }
  // Never nullptr; an empty bitmap when the button has no picture.
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the picture; nullptr clears it.
  void SetGlyph(const TBitmap* Value);
  void Click() override;

private:
  std::unique_ptr<TBitmap> FGlyph;
  TBitBtnKind FKind = bkCustom;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  int FNumGlyphs = 1;
};

// A graphic button that can stay down. Buttons of one parent with the same
// non-zero GroupIndex work as a group: one of them is down, or none when
// AllowAllUp.
class TSpeedButton : public TGraphicControl {
  KESR_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool Down() const { return FDown; }
  // Pressing down one button of a group releases the others; a group's last
  // down button stays down unless AllowAllUp.
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value) { FLayout = Value; }
  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value) { FSpacing = Value; }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value) { FNumGlyphs = Value; }
  // Never nullptr; an empty bitmap when the button has no picture.
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the picture; nullptr clears it.
  void SetGlyph(const TBitmap* Value);
  // A click toggles a grouped button as the group allows, then OnClick.
  void Click() override;

private:
  void ForEachInGroup(const std::function<void(TSpeedButton*)>& Proc) const;

  std::unique_ptr<TBitmap> FGlyph;

  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FFlat = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  int FNumGlyphs = 1;
};
