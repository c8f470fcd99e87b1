#include "OrvaneINI.h"

#include <cctype>

#include "BrevmarkU.h"
#include "IniFile.h"
#include "Paths.h"
#include "Registry.h"
#include "StrUtils.h"

namespace {

// The longest user name the profile look-up accepts; a longer one is not read.
constexpr int MaxUserNameLength = 31;

bool IsTrueText(const std::string& text) {
  const std::string upper = UpperCase(text);
  return upper == "1" || upper == "Y" || upper == "YES" || upper == "TRUE";
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::string ResolveConfigPath(const std::string& Path, const std::string& BaseFolder) {
  const bool network = StartsWith(Path, "\\\\") || StartsWith(Path, "//");
  const bool drive = Path.size() >= 2 && std::isalpha(static_cast<unsigned char>(Path[0])) &&
                     Path[1] == ':';
  if (network || drive || StartsWith(Path, "/")) return NativePath(Path);
  if (StartsWith(Path, "\\")) return BaseFolder + NativePath(Path.substr(1));
  return BaseFolder + NativePath(Path);
}

bool TOrvaneIniBase::LocateProfile(const char* FolderValue, const char* FileName,
                                   std::string& Folder) {
  ErrorCode.clear();
  Folder.clear();
  ProfilePath.clear();
  ProfileType = "0";
  ProfileName = "Default";
  UICodePage = "936";
  DBCodePage = "936";
  IniFileName.clear();
  Version.clear();
  WorkDLLPaths.Clear();

  SysCodePage = SystemCodePage();
  if (SysCodePage != "936" && SysCodePage != "950") SysCodePage = "437";
  UICodePage = SysCodePage;
  SupportCallBack = false;
  ComputeConvertModes();

  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  if (!registry.OpenKeyReadOnly(OrvaneRegistryKey)) {
    ErrorCode = "E;000015";
    return false;
  }
  Folder = registry.ReadString(FolderValue);
  ProfileType = registry.ReadString("ProfileType");
  registry.CloseKey();
  if (Folder.empty()) return false;
  Folder = IncludeTrailingPathDelimiter(NativePath(Folder));

  if (!ProfileType.empty() && ProfileType != "0") {
    std::string user = GetUserName();
    if (Utf8Length(user) > MaxUserNameLength) user.clear();
    ProfilePath = Folder + "Profile/" + user + "/";
    ProfileName = user;
  } else {
    ProfilePath = Folder;
  }
  IniFileName = ProfilePath + FileName;
  if (!FileExists(IniFileName)) {
    ProfilePath = Folder;
    IniFileName = Folder + FileName;
  }
  return true;
}

void TOrvaneIniBase::ReadCodePages(const TIniFile& Ini) {
  Version = Ini.ReadString("ProductVersion", "Version", "");
  UICodePage = Ini.ReadString("CodePage", "UICodePage", SysCodePage);
  DBCodePage = Ini.ReadString("CodePage", "DBCodePage", "936");
}

void TOrvaneIniBase::ComputeConvertModes() {
  if (UICodePage == "950") UIConvertMode = 2;
  else if (UICodePage == "936" && SysCodePage == "950") UIConvertMode = 4;
  else UIConvertMode = 0;

  if (UICodePage == "950" && DBCodePage == "936") DBConvertMode = 2;
  else if (UICodePage == "936" && DBCodePage == "950") DBConvertMode = 1;
  else DBConvertMode = 0;
}

void TOrvaneIniBase::ResolveWorkFolders(const TIniFile& Ini, const std::string& Folder,
                                        const char* DefaultFolder) {
  Ini.ReadSectionValues("WorkDLLPath", WorkDLLPaths);
  for (int i = 0; i < WorkDLLPaths.Count(); ++i) {
    const std::string value = IncludeTrailingPathDelimiter(WorkDLLPaths.ValueFromIndex(i));
    WorkDLLPaths.Put(i, ResolveConfigPath(value, Folder));
  }
  if (WorkDLLPaths.Count() == 0) WorkDLLPaths.Add(Folder + DefaultFolder);
}

TOrvaneIniC::TOrvaneIniC() { ReadConfig(); }

bool TOrvaneIniC::ReadConfig() {
  ServerList = Unassigned();
  LangType.clear();
  CreateGifBeforeSendEF.clear();
  AutoCheckNewMsg.clear();
  CheckInterval.clear();
  PopupMsg.clear();
  LoginCheck.clear();
  if (!LocateProfile("ClientPath", "OrvaneC.ini", ClientPath)) return false;

  std::string hosts;
  int port = 0;
  {
    const TIniFile ini(IniFileName);
    LangType = ini.ReadString("Client Components", "LangType", "ENG");
    ReadCodePages(ini);
    CreateGifBeforeSendEF = ini.ReadString("UserDefine", "CreateGifBeforeSendEF", "Y");
    SupportCallBack = IsTrueText(ini.ReadString("Server Information", "SupportCallBack", "0"));
    hosts = Trim(ini.ReadString("Server Information", "ComputerName", "127.0.0.1"));
    port = ini.ReadInteger("Server Information", "ServerPort", 211);
    AutoCheckNewMsg = ini.ReadString("TaskMessageCenter Setting", "AutoCheckNewMsg", "1");
    CheckInterval = ini.ReadString("TaskMessageCenter Setting", "CheckInterval", "1");
    PopupMsg = ini.ReadString("TaskMessageCenter Setting", "PopupMsg", "1");
    LoginCheck = ini.ReadString("TaskMessageCenter Setting", "LoginCheck", "0");
    ComputeConvertModes();

    if (!hosts.empty() && hosts.back() == ';') hosts.pop_back();
    if (hosts.empty()) {
      ErrorCode = "E;000016";
      return false;
    }
    ServerList = VarArrayCreate({0, 1, 0, 0}, varVariant);
    for (int i = 0;; ++i) {
      VarArrayRedim(ServerList, i);
      const size_t cut = hosts.find(';');
      ServerList(0, i) = hosts.substr(0, cut);
      ServerList(1, i) = port;
      if (cut == std::string::npos) break;
      hosts.erase(0, cut + 1);
    }
    ResolveWorkFolders(ini, ClientPath, "C_PKG/");
  }
  return true;
}

TOrvaneIniS::TOrvaneIniS() { ReadConfig(); }

bool TOrvaneIniS::ReadConfig() {
  DBSettings = Unassigned();
  DBKind = 0;
  SystemControlAddress.clear();
  OtherSystemControlAddress.clear();
  if (!LocateProfile("ServerPath", "OrvaneS.ini", ServerPath)) return false;

  const TIniFile ini(IniFileName);
  ReadCodePages(ini);

  const char* const Dbe = "DBE Setting";
  const char* const Password = "DBPasswordCtrl";
  DBSettings = VarArrayCreate({0, 3, 0, 7}, varVariant);
  auto text = [&](int row, int col, const char* section, const char* key, const char* def) {
    DBSettings(row, col) = ini.ReadString(section, key, def);
  };
  auto number = [&](int row, int col, const char* section, const char* key, int def) {
    DBSettings(row, col) = ini.ReadInteger(section, key, def);
  };
  const std::string mainServer = ini.ReadString(Dbe, "MainServerName", "");
  text(0, 0, Dbe, "MainAlias", "Tolvek");
  text(0, 1, Dbe, "MainUserName", "sa");
  DBSettings(0, 2) = DecodeSQLSa(ini.ReadString(Dbe, "XXXXXX", ""));
  text(0, 3, Dbe, "MainDBType", "MSSQL");
  text(0, 4, Dbe, "MainDBName", "");
  DBSettings(0, 5) = mainServer;
  number(0, 6, Dbe, "MainConnectionTimeOut", 300);
  number(0, 7, Dbe, "MainCommandTimeOut", 3000);
  text(1, 0, Dbe, "TempAlias", "TolvekTemp");
  text(1, 1, Dbe, "TempUserName", "sa");
  DBSettings(1, 2) = DecodeSQLSa(ini.ReadString(Dbe, "TempPassword", ""));
  text(1, 3, Dbe, "TempDBType", "PARADOX");
  text(1, 4, Dbe, "TempDBName", "");
  text(1, 5, Dbe, "TempDriverName", "PostgreSQL");
  number(1, 6, Dbe, "TempConnectionTimeOut", 300);
  number(1, 7, Dbe, "TempCommandTimeOut", 3000);
  DBSettings(2, 0) = Trim(ini.ReadString(Password, "ComputerName", ""));
  number(2, 1, Password, "ServerPort", 211);
  number(2, 2, Password, "ClientSocketPort", 1024);
  text(2, 3, Dbe, "DataBaseCodeOrder", "Chinese_Taiwan_Stroke_BIN");
  text(3, 0, Dbe, "EctAlias", "EDIDATA");
  text(3, 1, Dbe, "EctUserName", "sa");
  text(3, 2, Dbe, "EctPassword", "");

  SystemControlAddress = ini.ReadString(Dbe, "SystemControlAddress", mainServer);
  if (Trim(SystemControlAddress).empty()) SystemControlAddress = mainServer;
  OtherSystemControlAddress = ini.ReadString(Dbe, "OtherSystemControlAddress", mainServer);
  if (Trim(OtherSystemControlAddress).empty()) OtherSystemControlAddress = mainServer;
  SupportCallBack = IsTrueText(ini.ReadString(Password, "SupportCallBack", "0"));

  const std::string dbType = DBSettings(0, 3).AsString();
  if (SameText(dbType, "ORACLE")) DBKind = 1;
  else if (SameText(dbType, "DB2")) DBKind = 2;
  ComputeConvertModes();
  ResolveWorkFolders(ini, ServerPath, "S_PKG/");
  return true;
}

void TOrvaneIniS::GetWorkDLLPaths(TStrings& List) const { List.Assign(WorkDLLPaths); }
