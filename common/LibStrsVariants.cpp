// Variant helpers and the code-page decoding of variant texts.
#include "LibStrs.h"

#include "BrevmarkU.h"
#include "CodePage.h"
#include "Paths.h"

namespace {

// Texts inside the program are UTF-8 already; only bytes from outside that
// are not UTF-8 still need decoding.
Variant DecodedOleStr(const Variant& text, const std::string& codePage) {
  return Variant::OleStr(AnsiToWideCodePage(text.AsString(), codePage));
}

void ConvertInPlace(Variant& value, const std::string& codePage);

void ConvertElements(TVarArrayData& array, const std::string& codePage) {
  const bool oneDimension = array.DimCount() == 1;
  for (std::size_t i = 0; i < array.ElementCount(); ++i) {
    Variant& element = array.At(i);
    if (oneDimension && element.IsArray()) ConvertInPlace(element, codePage);
    else if (VarType(element) == varOleStr) element = DecodedOleStr(element, codePage);
  }
}

void ConvertInPlace(Variant& value, const std::string& codePage) {
  if (TVarArrayData* array = value.ArrayData()) {
    if (array->DimCount() <= 2) ConvertElements(*array, codePage);
  } else if (VarType(value) == varOleStr) {
    value = DecodedOleStr(value, codePage);
  }
}

}  // namespace

Variant VarChoose(bool Flag, const Variant& A, const Variant& B) { return Flag ? A : B; }

bool VarIsBlank(const Variant& V) { return VarIsEmpty(V) || VarIsNull(V); }

std::string AnsiToWideCodePage(const std::string& Text, const std::string& CodePage) {
  if (IsValidUtf8(Text)) return Text;
  try {
    std::string decoded = LegacyToUtf8(Text, CodePage);
    if (!decoded.empty()) return decoded;
  } catch (const ECodePageError&) {
  }
  return LegacyToUtf8(Text, SystemCodePage());
}

Variant ConvertVarArrayCodePage(const Variant& Array, const std::string& CodePage) {
  Variant result = Array;
  ConvertInPlace(result, CodePage);
  return result;
}

Variant VarToWideCodePage(const Variant& Value, const std::string& CodePage) {
  Variant result = Value;
  try {
    if (VarIsBlank(Value)) return result;
    // Converted in place, so that a failure keeps what was done before it.
    if (VarIsArray(result)) ConvertInPlace(result, CodePage);
    else if (VarIsStr(result)) result = Variant::OleStr(AnsiToWideCodePage(result.AsString(), CodePage));
  } catch (const std::exception& e) {
    WriteAlertLog("libstrs", std::string("LINE[115] ") + e.what(), "D");
  }
  return result;
}
