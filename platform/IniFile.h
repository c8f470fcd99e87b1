#pragma once
// Profile files read with the rules of the original system's profile API:
// sections and keys are found without regard to case, the first match wins,
// keys and values are trimmed and one pair of surrounding quotes is
// removed from a value, lines starting with ";" are comments, and a missing
// file reads as defaults. The file may be UTF-8 (with or without a
// byte-order mark), UTF-16 with a mark, or legacy bytes of a code page.
#include <string>
#include <vector>

class TStrings;

class TIniFile {
public:
  // The file is read once here. codePage names the encoding of a file
  // that is not UTF-8; empty means the system code page.
  explicit TIniFile(std::string fileName, std::string codePage = "");

  const std::string& FileName() const { return FFileName; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) const;
  // Decimal or hexadecimal ("$1F", "0x1F"); anything else gives the default.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  // An integer other than 0 is true; a value that is no integer gives the default.
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
  double ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const;

  // The keys of the section in file order.
  void ReadSection(const std::string& section, TStrings& strings) const;
  // "key=value" per entry of the section, in file order.
  void ReadSectionValues(const std::string& section, TStrings& strings) const;
  void ReadSections(TStrings& strings) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;

private:
  struct TEntry {
    std::string Key;
    std::string Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TEntry> Entries;
  };
  const TSection* FindSection(const std::string& section) const;
  const TEntry* FindEntry(const std::string& section, const std::string& ident) const;
  void Parse(const std::string& text);

  std::string FFileName;
  std::vector<TSection> FSections;
};
