#include "LangCommon.h"

#include <fstream>
#include <regex>
#include <sstream>

#include "CodePage.h"
#include "OrvaneINI.h"
#include "Paths.h"
#include "StrUtils.h"

std::string LangCodeOf(const std::string& CodePage) {
  if (CodePage == "936") return "CHS";
  if (CodePage == "950") return "CHT";
  if (CodePage == "437") return "ENG";
  return "";
}

std::string GetLangFolder(TDesignType DesignType) {
  std::string folder;
  std::string codePage;
  if (DesignType == dtServer) {
    const TOrvaneIniS ini;
    folder = ini.ServerPath;
    codePage = ini.UICodePage;
  } else {
    const TOrvaneIniC ini;
    folder = ini.ClientPath;
    codePage = ini.UICodePage;
  }
  const std::string code = LangCodeOf(codePage);
  if (code.empty() || folder.empty()) return "";
  const std::string langFolder = IncludeTrailingPathDelimiter(folder) + "MultiLanguage/" + code + "/";
  return DirectoryExists(langFolder) ? langFolder : "";
}

bool ParseLangDocument(pugi::xml_document& Document, const std::string& Text, std::string& Reason) {
  // The parser reads UTF-8 and UTF-16 only: Chinese legacy encodings are
  // converted first, and their declaration no longer applies.
  static const std::regex declaration(R"(^(\xEF\xBB\xBF)?\s*<\?xml[^>]*encoding\s*=\s*["']([^"']*)["'])",
                                      std::regex::icase);
  std::smatch match;
  std::string text = Text;
  pugi::xml_encoding encoding = pugi::encoding_auto;
  if (std::regex_search(Text, match, declaration)) {
    const std::string name = UpperCase(match[2].str());
    const char* codePage = nullptr;
    if (name == "GB2312" || name == "GBK" || name == "GB18030" || name == "CP936") codePage = "936";
    else if (name == "BIG5" || name == "BIG-5" || name == "CP950") codePage = "950";
    if (codePage) {
      text = LegacyToUtf8(Text, codePage);
      encoding = pugi::encoding_utf8;
    }
  }
  const pugi::xml_parse_result result = Document.load_buffer(text.data(), text.size(), pugi::parse_default, encoding);
  if (result) return true;
  Reason = result.description();
  return false;
}

bool LoadLangDocument(pugi::xml_document& Document, const std::string& FileName, std::string& Reason) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) {
    Reason = "File was not found";
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return ParseLangDocument(Document, bytes.str(), Reason);
}

std::string GetLangText(TDesignType DesignType, const std::string& BaseName, const std::string& Ident,
                        const std::string& Default) {
  try {
    const std::string fileName = GetLangFolder(DesignType) + BaseName + ".Lng";
    if (!FileExists(fileName)) return Default;
    pugi::xml_document document;
    std::string reason;
    if (!LoadLangDocument(document, fileName, reason)) return Default;
    const pugi::xpath_node found = document.select_node(("//" + Ident + "/@Msg").c_str());
    if (!found) return Default;
    return found.attribute() ? found.attribute().value() : "";
  } catch (const std::exception&) {
    return Default;
  }
}

std::string GetLangTextFmt(TDesignType DesignType, const std::string& BaseName, const std::string& Ident,
                           const TVarRecs& Args, const std::string& Default) {
  return Format(GetLangText(DesignType, BaseName, Ident, Default), Args);
}
