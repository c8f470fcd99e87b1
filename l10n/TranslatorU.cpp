#include "TranslatorU.h"

#include <algorithm>
#include <vector>

#include "CodePage.h"
#include "Format.h"

TTranslator::TTranslator(const std::string& LibraryFile) {
  FHandle = LoadLibrary(LibraryFile);
  if (!FHandle) throw ETranslatorError(Format("Load Library %s Error!", {LibraryFile}));
  FGBtoBIG5 = reinterpret_cast<TConvertFunc>(GetProcAddress(FHandle, "GBtoBIG5"));
  FBIG5toGB = reinterpret_cast<TConvertFunc>(GetProcAddress(FHandle, "BIG5toGB"));
  FGetBIG5Data = GetProcAddress(FHandle, "GetBIG5Data");
  FGetGBData = GetProcAddress(FHandle, "GetGBData");
  FSaveOrder = GetProcAddress(FHandle, "SaveOrder");
  if (!FGBtoBIG5 || !FBIG5toGB) {
    FreeLibrary(FHandle);
    throw ETranslatorError("Get Library Procedure Address Error!", -1);
  }
}

TTranslator::~TTranslator() { FreeLibrary(FHandle); }

namespace {

// Code points of a UTF-8 text, each as its own bytes.
std::vector<std::string> CodePoints(const std::string& Text) {
  std::vector<std::string> points;
  for (std::size_t i = 0; i < Text.size();) {
    std::size_t next = i + 1;
    while (next < Text.size() && (static_cast<unsigned char>(Text[next]) & 0xC0) == 0x80) ++next;
    points.push_back(Text.substr(i, next - i));
    i = next;
  }
  return points;
}

}  // namespace

std::string TTranslator::Call(TConvertFunc Func, const std::string& Text, const char* FromCodePage,
                              const char* ToCodePage) {
  if (!Func) return Text;
  const auto convert = [&](const std::string& Part, std::string& Out) {
    const std::string bytes = Utf8ToLegacy(Part, FromCodePage);
    if (LegacyToUtf8(bytes, FromCodePage) != Part) return false;  // the code page lacks a character
    const char* converted = Func(bytes.c_str());
    if (!converted) return false;
    Out = LegacyToUtf8(converted, ToCodePage);
    return std::count(Out.begin(), Out.end(), '?') == std::count(Part.begin(), Part.end(), '?');
  };
  std::string result;
  if (convert(Text, result)) return result;
  // Characters either code page lacks would come back as "?": they are kept
  // as they are and the rest is converted character by character.
  result.clear();
  for (const std::string& point : CodePoints(Text)) {
    std::string converted;
    result += convert(point, converted) ? converted : point;
  }
  return result;
}

std::string TTranslator::GBToBig5Text(const std::string& Text) const { return Call(FGBtoBIG5, Text, "936", "950"); }

std::string TTranslator::Big5ToGBText(const std::string& Text) const { return Call(FBIG5toGB, Text, "950", "936"); }
