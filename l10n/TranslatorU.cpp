#include "TranslatorU.h"

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

std::string TTranslator::Call(TConvertFunc Func, const std::string& Text, const char* FromCodePage,
                              const char* ToCodePage) {
  if (!Func) return Text;
  const std::string bytes = Utf8ToLegacy(Text, FromCodePage);
  const char* converted = Func(bytes.c_str());
  return converted ? LegacyToUtf8(converted, ToCodePage) : Text;
}

std::string TTranslator::GBToBig5Text(const std::string& Text) const { return Call(FGBtoBIG5, Text, "936", "950"); }

std::string TTranslator::Big5ToGBText(const std::string& Text) const { return Call(FBIG5toGB, Text, "950", "936"); }
