#include "GSpdBtn.h"

#include <exception>

#include "Bitmap.h"
#include "Dialogs.h"
#include "TkGlyphLib.h"
#include "TypInfo.h"

TGSpeedButton::TGSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) { SetFlat(true); }

void TGSpeedButton::SetGlyphIndex(int Value) {
  if (Value == FGlyphIndex) return;
  FGlyphIndex = Value;
  SetCaption(std::to_string(Value));
  try {
    LoadGlyph();
  } catch (const std::exception&) {
    MessageDlg("读取 BMP 发生错误", mtError, {mbOK});
  }
}

void TGSpeedButton::LoadGlyph() {
  if (FGlyphIndex == 0 || FGlyphIndex > TkGlyphLib::GetMaxBmpID()) {
    SetGlyph(nullptr);
    return;
  }
  if (!TkGlyphLib::LoadBmp(Glyph(), FGlyphIndex)) return;
  SetCaption("");
  if (Glyph()->Height() > 0) SetNumGlyphs(Glyph()->Width() / Glyph()->Height());
}

const TClass& TGSpeedButton::StaticClass() {
  static const TClass Class =
      TClassBuilder<TGSpeedButton>("TGSpeedButton")
          .Property("Flat", &TGSpeedButton::Flat, &TGSpeedButton::SetFlat).Default(1)
          .Property("GlyphIndex", &TGSpeedButton::GlyphIndex, &TGSpeedButton::SetGlyphIndex).Default(0)
          .Property("HintIndex", &TGSpeedButton::HintIndex, &TGSpeedButton::SetHintIndex).Default(0)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TGSpeedButton::StaticClass()), true);
}  // namespace
