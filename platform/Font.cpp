#include "Font.h"

#include <cmath>

#include "ColorIdents.h"

namespace {

// Rounds a*b/c half away from zero, as the platform's MulDiv does.
int MulDiv(int a, int b, int c) {
  return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

}  // namespace

const TTypeInfo& FontCharsetTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Integer(
      "TFontCharset", {{0, "ANSI_CHARSET"},        {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
                       {77, "MAC_CHARSET"},        {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
                       {130, "JOHAB_CHARSET"},     {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
                       {161, "GREEK_CHARSET"},     {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
                       {177, "HEBREW_CHARSET"},    {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
                       {204, "RUSSIAN_CHARSET"},   {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
                       {255, "OEM_CHARSET"}});
  return type;
}

const TTypeInfo& FontStyleTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return type;
}

const TTypeInfo& FontStylesTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Set("TFontStyles", FontStyleTypeInfo());
  return type;
}

const TTypeInfo& FontPitchTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
  return type;
}

bool CharsetToIdent(int charset, std::string& ident) { return IntToIdent(FontCharsetTypeInfo(), charset, ident); }

bool IdentToCharset(const std::string& ident, int& charset) {
  std::int64_t value = 0;
  if (!IdentToInt(FontCharsetTypeInfo(), ident, value)) return false;
  charset = static_cast<int>(value);
  return true;
}

const TClass& TFont::StaticClass() {
  static const TClass Class =
      TClassBuilder<TFont>("TFont")
          .Property("Charset", FontCharsetTypeInfo(), &TFont::Charset, &TFont::SetCharset)
          .Default(DEFAULT_CHARSET)
          .Property("Color", ColorTypeInfo(), &TFont::Color, &TFont::SetColor)
          .Default(static_cast<TColor>(0x80000008u))
          .Property("Height", &TFont::Height, &TFont::SetHeight)
          .Property("Name", &TFont::Name, &TFont::SetName)
          .Property("Pitch", FontPitchTypeInfo(), &TFont::Pitch, &TFont::SetPitch)
          .Default(fpDefault)
          .Property("Size", &TFont::Size, &TFont::SetSize)
          .Stored(false)
          .Property("Style", FontStylesTypeInfo(), &TFont::Style, &TFont::SetStyle)
          .Default(0)
          .Build();
  return Class;
}

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

void TFont::Assign(const TPersistent* Source) {
  if (auto* font = dynamic_cast<const TFont*>(Source)) {
    if (font == this) return;
    FName = font->FName;
    // The character height is what stays the same between resolutions.
    FHeight = font->FPixelsPerInch == FPixelsPerInch ? font->FHeight
                                                     : -MulDiv(font->Size(), FPixelsPerInch, 72);
    FCharset = font->FCharset;
    FColor = font->FColor;
    FStyle = font->FStyle;
    FPitch = font->FPitch;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

bool TFont::SameAs(const TFont& Other) const {
  return FName == Other.FName && FHeight == Other.FHeight && FCharset == Other.FCharset &&
         FColor == Other.FColor && FStyle == Other.FStyle && FPitch == Other.FPitch;
}

void TFont::Changed() { OnChange(this); }
