#pragma once
// Where language files live and how a message text is looked up in them.
//
// The language folder is the installation folder (ClientPath for dtClient,
// ServerPath for dtServer, read anew on every call) + "MultiLanguage/" + the
// language code of the user-interface code page (936 CHS, 950 CHT, 437 ENG)
// + "/"; another code page or a missing folder gives "". A language file is
// folder + package name + ".Lng".
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "CodeConverter.h"
#include "Format.h"

std::string GetLangFolder(TDesignType DesignType);
// The language code of a code page ("CHS", "CHT", "ENG"), "" for others.
std::string LangCodeOf(const std::string& CodePage);
// The attribute Msg of the first element named Ident in the file BaseName;
// Default when the file, the element or the attribute is missing or the
// file does not parse. Never raises; reads the file anew on every call.
std::string GetLangText(TDesignType DesignType, const std::string& BaseName, const std::string& Ident,
                        const std::string& Default);
// GetLangText, then Format with Args.
std::string GetLangTextFmt(TDesignType DesignType, const std::string& BaseName, const std::string& Ident,
                           const TVarRecs& Args, const std::string& Default);

// Parses a language document from a file or a text. An XML declaration of
// GB2312, GBK or Big5 has the text converted to UTF-8 first. False with the
// parser's reason (or "File was not found") when it does not load.
bool LoadLangDocument(pugi::xml_document& Document, const std::string& FileName, std::string& Reason);
bool ParseLangDocument(pugi::xml_document& Document, const std::string& Text, std::string& Reason);
