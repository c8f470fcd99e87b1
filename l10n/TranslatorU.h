#pragma once
// TTranslator: the wrapper of the suite's helper library Znlanguage.dll,
// which maps GB2312 text to Big5 and back. It loads the library when it is
// created and unloads it when it is freed.
#include <string>

#include "DynLib.h"
#include "Exceptions.h"

KESR_DECLARE_EXCEPTION(ETranslatorError, Exception);

class TTranslator {
public:
  // The library, loaded by name from the standard search path.
  static constexpr const char* LibraryName = "Znlanguage.dll";
  // Each export takes one 8-bit text and returns the converted text, which
  // belongs to the library (valid until its next call on the same thread).
  using TConvertFunc = const char* (*)(const char* Text);

  // ETranslatorError "Load Library Znlanguage.dll Error!" when the library
  // cannot be loaded; "Get Library Procedure Address Error!" (help context
  // -1) when GBtoBIG5 or BIG5toGB is missing.
  explicit TTranslator(const std::string& LibraryFile = LibraryName);
  ~TTranslator();
  TTranslator(const TTranslator&) = delete;
  TTranslator& operator=(const TTranslator&) = delete;

  // UTF-8 in and out: the text goes to the library in the matching code
  // page ("936" for GB, "950" for Big5). Characters that either code page
  // lacks are kept unconverted instead of turning into "?".
  std::string GBToBig5Text(const std::string& Text) const;
  std::string Big5ToGBText(const std::string& Text) const;

private:
  static std::string Call(TConvertFunc Func, const std::string& Text, const char* FromCodePage,
                          const char* ToCodePage);

  HMODULE FHandle = nullptr;
  TConvertFunc FGBtoBIG5 = nullptr;
  TConvertFunc FBIG5toGB = nullptr;
  void* FGetBIG5Data = nullptr;
  void* FGetGBData = nullptr;
  void* FSaveOrder = nullptr;
};
