#include "ColorIdents.h"

#include <cstdio>

#include "StrUtils.h"

namespace {

// As TColor (signed 32 bits) holds them, so property values match directly.
constexpr std::int64_t System(int index) {
  return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index));
}

}  // namespace

const TTypeInfo& ColorTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Integer(
      "TColor", {{0x000000, "clBlack"},           {0x000080, "clMaroon"},
                 {0x008000, "clGreen"},           {0x008080, "clOlive"},
                 {0x800000, "clNavy"},            {0x800080, "clPurple"},
                 {0x808000, "clTeal"},            {0x808080, "clGray"},
                 {0xC0C0C0, "clSilver"},          {0x0000FF, "clRed"},
                 {0x00FF00, "clLime"},            {0x00FFFF, "clYellow"},
                 {0xFF0000, "clBlue"},            {0xFF00FF, "clFuchsia"},
                 {0xFFFF00, "clAqua"},            {0xFFFFFF, "clWhite"},
                 {0xC0DCC0, "clMoneyGreen"},      {0xF0CAA6, "clSkyBlue"},
                 {0xF0FBFF, "clCream"},           {0xA4A0A0, "clMedGray"},
                 {0x1FFFFFFF, "clNone"},          {0x20000000, "clDefault"},
                 {System(0), "clScrollBar"},      {System(1), "clBackground"},
                 {System(2), "clActiveCaption"},  {System(3), "clInactiveCaption"},
                 {System(4), "clMenu"},           {System(5), "clWindow"},
                 {System(6), "clWindowFrame"},    {System(7), "clMenuText"},
                 {System(8), "clWindowText"},     {System(9), "clCaptionText"},
                 {System(10), "clActiveBorder"},  {System(11), "clInactiveBorder"},
                 {System(12), "clAppWorkSpace"},  {System(13), "clHighlight"},
                 {System(14), "clHighlightText"}, {System(15), "clBtnFace"},
                 {System(16), "clBtnShadow"},     {System(17), "clGrayText"},
                 {System(18), "clBtnText"},       {System(19), "clInactiveCaptionText"},
                 {System(20), "clBtnHighlight"},  {System(21), "cl3DDkShadow"},
                 {System(22), "cl3DLight"},       {System(23), "clInfoText"},
                 {System(24), "clInfoBk"},        {System(26), "clHotLight"},
                 {System(27), "clGradientActiveCaption"}, {System(28), "clGradientInactiveCaption"},
                 {System(29), "clMenuHighlight"}, {System(30), "clMenuBar"}});
  return type;
}

bool ColorToIdent(TColor color, std::string& ident) {
  return IntToIdent(ColorTypeInfo(), color, ident);
}

bool IdentToColor(std::string_view ident, TColor& color) {
  std::int64_t value = 0;
  if (!IdentToInt(ColorTypeInfo(), ident, value)) return false;
  color = static_cast<TColor>(value);
  return true;
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (ColorToIdent(color, ident)) return ident;
  char text[12];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
  return text;
}

TColor StringToColor(std::string_view text) {
  TColor color = 0;
  if (IdentToColor(text, color)) return color;
  std::string trimmed = Trim(text);
  std::int64_t value = 0;
  bool hex = !trimmed.empty() && trimmed.front() == '$';
  std::string digits = hex ? trimmed.substr(1) : trimmed;
  char* end = nullptr;
  value = std::strtoll(digits.c_str(), &end, hex ? 16 : 10);
  if (digits.empty() || *end != '\0' || value < INT32_MIN || value > UINT32_MAX)
    throw EConvertError("'" + std::string(text) + "' is not a valid color value");
  return static_cast<TColor>(static_cast<std::uint32_t>(value));
}
