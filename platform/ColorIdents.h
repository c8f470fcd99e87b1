#pragma once
// The platform's colour identifiers ("clRed", "clBtnFace" ...), as property
// tables, form-description texts and language files name colours.
#include <string>
#include <string_view>

#include "TypInfo.h"
#include "Types.h"

// The integer type "TColor" with the colour identifiers.
const TTypeInfo& ColorTypeInfo();

bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(std::string_view ident, TColor& color);
// An identifier when there is one, else "$" and eight hex digits.
std::string ColorToString(TColor color);
// Accepts an identifier or a number (decimal or "$" hex); EConvertError otherwise.
TColor StringToColor(std::string_view text);
