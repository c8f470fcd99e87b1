#pragma once
// TFont: the font of a control or canvas. Height is in pixels (negative: the
// character height, positive: the cell height), Size in points; the two are
// one value seen at PixelsPerInch: Size = -Height * 72 / PixelsPerInch.
#include <cstdint>
#include <string>

#include "Events.h"
#include "Persistent.h"
#include "Set.h"
#include "Types.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset OEM_CHARSET = 255;

// The integer type "TFontCharset" with the character-set identifiers
// ("GB2312_CHARSET" ...), and the enumeration and set types of the font.
const TTypeInfo& FontCharsetTypeInfo();
const TTypeInfo& FontStyleTypeInfo();
const TTypeInfo& FontStylesTypeInfo();
const TTypeInfo& FontPitchTypeInfo();
bool CharsetToIdent(int charset, std::string& ident);
bool IdentToCharset(const std::string& ident, int& charset);

class TFont : public TPersistent {
  KESR_CLASS(TFont, TPersistent)
public:
  TFont() = default;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Size() const;
  void SetSize(int Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  // Keeps Height; Size follows.
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value > 0 ? Value : 96; }

  // Called after every change (once for an Assign).
  TNotifyEvent OnChange;

  void Assign(const TPersistent* Source) override;
  bool SameAs(const TFont& Other) const;

protected:
  virtual void Changed();

private:
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = static_cast<TColor>(0x80000008);  // clWindowText
  TFontStyles FStyle;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch = 96;
};
