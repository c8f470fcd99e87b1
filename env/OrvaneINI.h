#pragma once
// Readers of the installation's configuration: the registry key of the
// suite and the profile files OrvaneC.ini (client) and OrvaneS.ini
// (server). A reader reads everything anew when it is created and keeps
// nothing between uses; callers create one, take the fields they need and
// free it. A failed read answers false and may leave a message code in
// ErrorCode; the code pages and conversion modes are usable even then.
#include <cstdint>
#include <string>

#include "StringList.h"
#include "Variant.h"

class TIniFile;

// An absolute, drive or network path is kept; "\x" and "x" go under
// BaseFolder, which ends in a separator.
std::string ResolveConfigPath(const std::string& Path, const std::string& BaseFolder);

// What both readers share: where the profile file was found, the code
// pages and the work folders.
class TOrvaneIniBase {
public:
  TOrvaneIniBase(const TOrvaneIniBase&) = delete;
  TOrvaneIniBase& operator=(const TOrvaneIniBase&) = delete;

  std::string ProfilePath;
  std::string ProfileType = "0";
  std::string ProfileName = "Default";
  std::string UICodePage = "936";
  std::string DBCodePage = "936";
  std::string SysCodePage;
  std::uint8_t UIConvertMode = 0;
  std::uint8_t DBConvertMode = 0;
  bool SupportCallBack = false;
  std::string IniFileName;
  std::string ErrorCode;
  TStringList WorkDLLPaths;
  std::string Version;

protected:
  TOrvaneIniBase() = default;
  ~TOrvaneIniBase() = default;

  // Resets the shared fields, reads the installation folder (FolderValue
  // of the registry key) and finds the profile file. False when the read
  // cannot go on.
  bool LocateProfile(const char* FolderValue, const char* FileName, std::string& Folder);
  void ReadCodePages(const TIniFile& Ini);
  void ComputeConvertModes();
  void ResolveWorkFolders(const TIniFile& Ini, const std::string& Folder,
                          const char* DefaultFolder);
};

class TOrvaneIniC : public TOrvaneIniBase {
public:
  TOrvaneIniC();
  // True once the server list has been built.
  bool ReadConfig();

  std::string ClientPath;
  // [0..1, 0..n-1]: [0, i] host i, [1, i] its port.
  Variant ServerList;
  std::string LangType;
  std::string CreateGifBeforeSendEF;
  std::string AutoCheckNewMsg;
  std::string CheckInterval;
  std::string PopupMsg;
  std::string LoginCheck;
};

class TOrvaneIniS : public TOrvaneIniBase {
public:
  TOrvaneIniS();
  // True once the registry key was read, ServerPath was found and the file read.
  bool ReadConfig();
  // Replaces the content of List with the resolved work folders.
  void GetWorkDLLPaths(TStrings& List) const;

  std::string ServerPath;
  // [0..3, 0..7]: main, temporary, password-control and EDI databases.
  Variant DBSettings;
  // 0 other, 1 Oracle, 2 DB2.
  std::uint8_t DBKind = 0;
  std::string SystemControlAddress;
  std::string OtherSystemControlAddress;
};
