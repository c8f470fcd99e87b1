#include "IniFile.h"

#include <fstream>
#include <sstream>

#include "CodePage.h"
#include "Paths.h"
#include "StrUtils.h"
#include "StringList.h"

namespace {

// Profile files are trimmed of spaces and tabs only.
std::string TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return std::string(text.substr(b, e - b));
}

std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

TIniFile::TIniFile(std::string fileName, std::string codePage) : FFileName(std::move(fileName)) {
  std::ifstream file(NativePath(FFileName), std::ios::binary);
  if (!file) return;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  Parse(DecodeText(bytes.str(), codePage.empty() ? SystemCodePage() : codePage));
}

void TIniFile::Parse(const std::string& text) {
  TSection* current = nullptr;
  // Entries of a repeated section land here: only the first one is read.
  TSection repeated;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string line = TrimBlanks(std::string_view(text).substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string name = TrimBlanks(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      current = nullptr;
      for (TSection& section : FSections)
        if (AnsiSameText(section.Name, name)) current = &section;
      if (current) {
        current = &repeated;
      } else {
        FSections.push_back({name, {}});
        current = &FSections.back();
      }
      continue;
    }
    if (!current) continue;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = TrimBlanks(std::string_view(line).substr(0, equals));
    if (key.empty()) continue;
    current->Entries.push_back({key, Unquote(TrimBlanks(std::string_view(line).substr(equals + 1)))});
  }
}

const TIniFile::TSection* TIniFile::FindSection(const std::string& section) const {
  std::string name = TrimBlanks(section);
  for (const TSection& s : FSections)
    if (AnsiSameText(s.Name, name)) return &s;
  return nullptr;
}

const TIniFile::TEntry* TIniFile::FindEntry(const std::string& section, const std::string& ident) const {
  const TSection* s = FindSection(section);
  if (!s) return nullptr;
  std::string key = TrimBlanks(ident);
  for (const TEntry& e : s->Entries)
    if (AnsiSameText(e.Key, key)) return &e;
  return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
  const TEntry* entry = FindEntry(section, ident);
  return entry ? entry->Value : defaultValue;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const {
  std::string text = ReadString(section, ident, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text = "$" + text.substr(2);
  return StrToIntDef(text, defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const {
  std::string text = ReadString(section, ident, "");
  return text.empty() ? defaultValue : StrToFloatDef(text, defaultValue);
}

void TIniFile::ReadSection(const std::string& section, TStrings& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  if (const TSection* s = FindSection(section))
    for (const TEntry& e : s->Entries) strings.Add(e.Key);
  strings.EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  if (const TSection* s = FindSection(section))
    for (const TEntry& e : s->Entries) strings.Add(e.Key + "=" + e.Value);
  strings.EndUpdate();
}

void TIniFile::ReadSections(TStrings& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  for (const TSection& s : FSections) strings.Add(s.Name);
  strings.EndUpdate();
}

bool TIniFile::SectionExists(const std::string& section) const {
  const TSection* s = FindSection(section);
  return s && !s->Entries.empty();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  return FindEntry(section, ident) != nullptr;
}
