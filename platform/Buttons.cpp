#include "Buttons.h"

#include "Bitmap.h"
#include "Forms.h"
#include "TypInfo.h"

const TTypeInfo& BitBtnKindTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                             "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"});
  return type;
}

const TTypeInfo& ButtonLayoutTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  return type;
}

// ------------------------------------------------------------------ TBitBtn

namespace {
void CopyGlyph(TBitmap& Glyph, const TBitmap* Value) {
  if (Value) Glyph.Assign(*Value);
  else Glyph.SetSize(0, 0);
}
}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyph(const TBitmap* Value) { CopyGlyph(*FGlyph, Value); }

void TBitBtn::SetKind(TBitBtnKind Value) {
  FKind = Value;
  if (Value == bkCustom) return;
  struct TKindInfo {
    const char* Caption;
    TModalResult Result;
  };
  static const TKindInfo kinds[] = {{"", mrNone},        {"OK", mrOk},        {"Cancel", mrCancel},
                                    {"&Help", mrNone},   {"&Yes", mrYes},     {"&No", mrNo},
                                    {"&Close", mrNone},  {"Abort", mrAbort},  {"&Retry", mrRetry},
                                    {"&Ignore", mrIgnore}, {"&All", mrAll}};
  // A layout that sets Kind keeps the caption it gives.
  if (!ComponentState().Contains(csLoading) || Caption().empty()) SetCaption(kinds[Value].Caption);
  SetModalResult(kinds[Value].Result);
  if (Value == bkOK || Value == bkYes) SetDefault(true);
  if (Value == bkCancel || Value == bkNo) SetCancel(true);
}

void TBitBtn::Click() {
  if (FKind == bkClose)
    if (TCustomForm* form = GetParentForm(this)) {
      form->Close();
      TButtonControl::Click();
      return;
    }
  TButton::Click();
}

// ------------------------------------------------------------- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  SetParentColor(true);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap* Value) { CopyGlyph(*FGlyph, Value); }

void TSpeedButton::ForEachInGroup(const std::function<void(TSpeedButton*)>& Proc) const {
  if (FGroupIndex == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); b && b != this && b->FGroupIndex == FGroupIndex)
      Proc(b);
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (!Value && !FAllowAllUp && !ComponentState().Contains(csLoading)) {
    // The only down button of a group cannot be released by itself.
    bool otherDown = false;
    ForEachInGroup([&](TSpeedButton* b) { otherDown = otherDown || b->FDown; });
    if (!otherDown) return;
  }
  FDown = Value;
  if (Value) ForEachInGroup([](TSpeedButton* b) { b->FDown = false; });
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  ForEachInGroup([Value](TSpeedButton* b) { b->FAllowAllUp = Value; });
}

void TSpeedButton::Click() {
  if (!Enabled()) return;
  if (FGroupIndex != 0) SetDown(!FDown || !FAllowAllUp);
  TGraphicControl::Click();
}

// ----------------------------------------------------------- class tables

const TClass& TBitBtn::StaticClass() {
  static const TClass Class =
      TClassBuilder<TBitBtn>("TBitBtn")
          .Property("Kind", BitBtnKindTypeInfo(), &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom)
          .Property("Layout", ButtonLayoutTypeInfo(), &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft)
          .Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1)
          .Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1)
          .Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4)
          .Build();
  return Class;
}

const TClass& TSpeedButton::StaticClass() {
  static const TClass Class =
      TClassBuilder<TSpeedButton>("TSpeedButton")
          .Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(0)
          .Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption)
          .Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0)
          .Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(0)
          .Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(0)
          .Property("Layout", ButtonLayoutTypeInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout)
          .Default(blGlyphLeft)
          .Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1)
          .Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1)
          .Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TBitBtn::StaticClass(), &TSpeedButton::StaticClass()}), true);
}  // namespace
