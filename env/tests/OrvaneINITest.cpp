#include "OrvaneINI.h"

#include <gtest/gtest.h>

#include <tuple>

#include "BrevmarkU.h"
#include "EnvFixture.h"

namespace {

std::vector<std::string> Hosts(const Variant& list) {
  std::vector<std::string> hosts;
  for (int i = 0; i <= VarArrayHighBound(list, 2); ++i) hosts.push_back(list(0, i).AsString());
  return hosts;
}

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
  return items;
}

class ClientConfigTest : public ::testing::Test {
protected:
  TScratchFolder Install;
  TEnvGuard CodePage{"KESR_CODEPAGE", "936"};
  TEnvGuard User{"USER", "wang"};
};

TEST_F(ClientConfigTest, ServerListSplitsHostsAndSharesThePort) {
  struct TCase {
    const char* Line;  // the ComputerName line, nullptr for none
    std::vector<std::string> Hosts;
  };
  const TCase cases[] = {
      {nullptr, {"127.0.0.1"}},
      {"ComputerName= erp1 ", {"erp1"}},
      {"ComputerName=erp1;erp2;", {"erp1", "erp2"}},
      {"ComputerName=erp1;;erp2", {"erp1", "", "erp2"}},
      {"ComputerName=erp1; erp2;;", {"erp1", " erp2", ""}},
  };
  TOrvaneRegistry registry({{"ClientPath", Install.Path()}});
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line ? c.Line : "(none)");
    Install.Write("OrvaneC.ini", std::string("[Server Information]\r\n") + (c.Line ? c.Line : "") +
                                     "\r\nServerPort=9100\r\n");
    TOrvaneIniC ini;
    EXPECT_TRUE(ini.ReadConfig());
    EXPECT_EQ(ini.ErrorCode, "");
    EXPECT_EQ(VarArrayLowBound(ini.ServerList, 1), 0);
    EXPECT_EQ(VarArrayHighBound(ini.ServerList, 1), 1);
    EXPECT_EQ(Hosts(ini.ServerList), c.Hosts);
    for (int i = 0; i <= VarArrayHighBound(ini.ServerList, 2); ++i) {
      EXPECT_EQ(VarType(ini.ServerList(1, i)), varInteger);
      EXPECT_EQ(ini.ServerList(1, i).AsInteger(), 9100);
    }
  }
}

TEST_F(ClientConfigTest, NoHostLeavesCodeAndNoWorkFolders) {
  TOrvaneRegistry registry({{"ClientPath", Install.Path()}});
  for (const char* line : {"ComputerName=", "ComputerName= ; "}) {
    SCOPED_TRACE(line);
    Install.Write("OrvaneC.ini", std::string("[Server Information]\r\n") + line + "\r\n");
    TOrvaneIniC ini;
    EXPECT_FALSE(ini.ReadConfig());
    EXPECT_EQ(ini.ErrorCode, "E;000016");
    EXPECT_TRUE(VarIsEmpty(ini.ServerList));
    EXPECT_EQ(ini.WorkDLLPaths.Count(), 0);
  }
}

TEST_F(ClientConfigTest, MissingKeyOrFolderFailsButKeepsCodePages) {
  TEnvGuard english{"KESR_CODEPAGE", "1252"};
  {
    TOrvaneRegistry registry({}, false);
    TOrvaneIniC ini;
    EXPECT_FALSE(ini.ReadConfig());
    EXPECT_EQ(ini.ErrorCode, "E;000015");
    EXPECT_EQ(ini.SysCodePage, "437");
    EXPECT_EQ(ini.UICodePage, "437");
    EXPECT_EQ(ini.DBCodePage, "936");
    EXPECT_EQ(ini.ProfileType, "0");
    EXPECT_EQ(ini.ClientPath, "");
  }
  {
    TOrvaneRegistry registry({{"ServerPath", Install.Path()}});
    TOrvaneIniC ini;
    EXPECT_FALSE(ini.ReadConfig());
    EXPECT_EQ(ini.ErrorCode, "");
    EXPECT_EQ(ini.ClientPath, "");
  }
}

TEST_F(ClientConfigTest, DefaultsWithoutFile) {
  TOrvaneRegistry registry({{"ClientPath", Install.Path() + "client"}});
  TOrvaneIniC ini;
  EXPECT_EQ(ini.ClientPath, Install.Path() + "client/");
  EXPECT_EQ(ini.ProfilePath, ini.ClientPath);
  EXPECT_EQ(ini.IniFileName, ini.ClientPath + "OrvaneC.ini");
  EXPECT_EQ(ini.ProfileName, "Default");
  EXPECT_EQ(ini.LangType, "ENG");
  EXPECT_EQ(ini.Version, "");
  EXPECT_EQ(ini.CreateGifBeforeSendEF, "Y");
  EXPECT_FALSE(ini.SupportCallBack);
  EXPECT_EQ(ini.AutoCheckNewMsg, "1");
  EXPECT_EQ(ini.CheckInterval, "1");
  EXPECT_EQ(ini.PopupMsg, "1");
  EXPECT_EQ(ini.LoginCheck, "0");
  EXPECT_EQ(Hosts(ini.ServerList), std::vector<std::string>{"127.0.0.1"});
  EXPECT_EQ(ini.ServerList(1, 0).AsInteger(), 211);
  EXPECT_EQ(Items(ini.WorkDLLPaths), std::vector<std::string>{ini.ClientPath + "C_PKG/"});
}

TEST_F(ClientConfigTest, ProfileFolderFallsBackToTheSharedFile) {
  const std::string longName(32, 'u');
  struct TCase {
    const char* ProfileType;
    std::string User;
    bool UserFile;
    std::string ProfileName;
    std::string ProfileSub;  // below the installation folder
    std::string LangType;    // tells which file was read
  };
  const TCase cases[] = {
      {"0", "wang", true, "Default", "", "SHARED"},
      {"", "wang", true, "Default", "", "SHARED"},
      {"1", "wang", true, "wang", "Profile/wang/", "USER"},
      {"1", "wang", false, "wang", "", "SHARED"},
      {"1", longName, true, "", "", "SHARED"},
  };
  Install.Write("OrvaneC.ini", "[Client Components]\r\nLangType=SHARED\r\n");
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.ProfileType) + "/" + c.User + (c.UserFile ? " with file" : ""));
    std::filesystem::remove_all(Install.Path() + "Profile");
    if (c.UserFile) Install.Write("Profile/" + c.User + "/OrvaneC.ini", "[Client Components]\r\nLangType=USER\r\n");
    // The file of a user whose name is too long to read is not found.
    TEnvGuard user{"USER", c.User.c_str()};
    TOrvaneRegistry registry({{"ClientPath", Install.Path()}, {"ProfileType", c.ProfileType}});
    TOrvaneIniC ini;
    EXPECT_EQ(ini.ProfileType, c.ProfileType);
    EXPECT_EQ(ini.ProfileName, c.ProfileName);
    EXPECT_EQ(ini.ProfilePath, Install.Path() + c.ProfileSub);
    EXPECT_EQ(ini.IniFileName, ini.ProfilePath + "OrvaneC.ini");
    EXPECT_EQ(ini.LangType, c.LangType);
  }
}

TEST(ConfigCodePages, ModesFollowTheCodePages) {
  struct TCase {
    const char* System;
    const char* File;  // nullptr: no configuration file
    const char* SysCodePage;
    const char* UICodePage;
    int UIMode;
    int DBMode;
  };
  const TCase cases[] = {
      {"936", "UICodePage=950\r\nDBCodePage=936", "936", "950", 2, 2},
      {"950", "UICodePage=936\r\nDBCodePage=950", "950", "936", 4, 1},
      {"1252", nullptr, "437", "437", 0, 0},
      {"936", nullptr, "936", "936", 0, 0},
      {"950", nullptr, "950", "950", 2, 2},
      {"936", "UICodePage=950\r\nDBCodePage=950", "936", "950", 2, 0},
      {"437", "UICodePage=936\r\nDBCodePage=950", "437", "936", 0, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.System) + " " + (c.File ? c.File : "(no file)"));
    TScratchFolder install;
    if (c.File) {
      install.Write("OrvaneC.ini", std::string("[CodePage]\r\n") + c.File + "\r\n");
      install.Write("OrvaneS.ini", std::string("[CodePage]\r\n") + c.File + "\r\n");
    }
    TEnvGuard codePage{"KESR_CODEPAGE", c.System};
    TOrvaneRegistry registry({{"ClientPath", install.Path()}, {"ServerPath", install.Path()}});
    TOrvaneIniC client;
    TOrvaneIniS server;
    for (const TOrvaneIniBase* ini : {static_cast<const TOrvaneIniBase*>(&client),
                                      static_cast<const TOrvaneIniBase*>(&server)}) {
      EXPECT_EQ(ini->SysCodePage, c.SysCodePage);
      EXPECT_EQ(ini->UICodePage, c.UICodePage);
      EXPECT_EQ(ini->UIConvertMode, c.UIMode);
      EXPECT_EQ(ini->DBConvertMode, c.DBMode);
    }
  }
}

TEST(ConfigPaths, ResolveConfigPathKeepsAbsoluteAndPutsTheRestUnderTheBase) {
  struct TCase {
    const char* Path;
    const char* Expected;
  };
  const TCase cases[] = {
      {"C:\\Pkg\\", "C:/Pkg/"},
      {"\\\\srv\\share\\pkg\\", "//srv/share/pkg/"},
      {"//srv/share/", "//srv/share/"},
      {"/opt/pkg/", "/opt/pkg/"},
      {"\\Sub\\Dir\\", "/inst/Sub/Dir/"},
      {"Rel\\", "/inst/Rel/"},
      {"", "/inst/"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ResolveConfigPath(c.Path, "/inst/"), c.Expected) << c.Path;
}

TEST(ConfigPaths, WorkFoldersAreResolvedInFileOrder) {
  TScratchFolder install;
  TEnvGuard codePage{"KESR_CODEPAGE", "936"};
  const std::string section =
      "[WorkDLLPath]\r\nZ=C:\\Pkg\r\nA=\\\\srv\\share\\pkg\r\nM=\\Sub\r\nB=Rel\\Dir\r\n";
  install.Write("OrvaneC.ini", section);
  install.Write("OrvaneS.ini", section);
  const std::vector<std::string> expected = {"C:/Pkg/", "//srv/share/pkg/", install.Path() + "Sub/",
                                             install.Path() + "Rel/Dir/"};
  TOrvaneRegistry registry({{"ClientPath", install.Path()}, {"ServerPath", install.Path()}});
  TOrvaneIniC client;
  EXPECT_EQ(Items(client.WorkDLLPaths), expected);

  TOrvaneIniS server;
  TStringList list;
  list.Add("stale");
  server.GetWorkDLLPaths(list);
  EXPECT_EQ(Items(list), expected);

  install.Write("OrvaneS.ini", "[WorkDLLPath]\r\n");
  TOrvaneIniS empty;
  empty.GetWorkDLLPaths(list);
  EXPECT_EQ(Items(list), std::vector<std::string>{install.Path() + "S_PKG/"});
}

TEST(ConfigTruth, SupportCallBackAcceptsTheTruthWords) {
  TScratchFolder install;
  TOrvaneRegistry registry({{"ClientPath", install.Path()}, {"ServerPath", install.Path()}});
  const std::pair<const char*, bool> cases[] = {
      {"1", true}, {"y", true}, {"Yes", true}, {"TRUE", true},
      {"0", false}, {"2", false}, {"N", false}, {"on", false},
  };
  for (const auto& [text, expected] : cases) {
    install.Write("OrvaneC.ini", std::string("[Server Information]\r\nSupportCallBack=") + text + "\r\n");
    install.Write("OrvaneS.ini", std::string("[DBPasswordCtrl]\r\nSupportCallBack=") + text + "\r\n");
    EXPECT_EQ(TOrvaneIniC().SupportCallBack, expected) << text;
    EXPECT_EQ(TOrvaneIniS().SupportCallBack, expected) << text;
  }
}

TEST(ServerConfig, DefaultsFillTheListedCellsOnly) {
  TScratchFolder install;
  TOrvaneRegistry registry({{"ServerPath", install.Path() + "server"}});
  TOrvaneIniS ini;
  EXPECT_TRUE(ini.ReadConfig());
  EXPECT_EQ(ini.ServerPath, install.Path() + "server/");
  const Variant& db = ini.DBSettings;
  EXPECT_EQ(VarArrayHighBound(db, 1), 3);
  EXPECT_EQ(VarArrayHighBound(db, 2), 7);
  const std::vector<std::tuple<int, int, Variant>> cells = {
      {0, 0, "Tolvek"}, {0, 1, "sa"}, {0, 2, ""}, {0, 3, "MSSQL"}, {0, 4, ""}, {0, 5, ""},
      {0, 6, 300}, {0, 7, 3000}, {1, 0, "TolvekTemp"}, {1, 1, "sa"}, {1, 2, ""},
      {1, 3, "PARADOX"}, {1, 4, ""}, {1, 5, "PostgreSQL"}, {1, 6, 300}, {1, 7, 3000},
      {2, 0, ""}, {2, 1, 211}, {2, 2, 1024}, {2, 3, "Chinese_Taiwan_Stroke_BIN"},
      {3, 0, "EDIDATA"}, {3, 1, "sa"}, {3, 2, ""}};
  for (const auto& [row, col, value] : cells) {
    EXPECT_EQ(VarType(db(row, col)), VarType(value)) << row << "," << col;
    EXPECT_TRUE(db(row, col) == value) << row << "," << col;
  }
  for (int col = 4; col <= 7; ++col) EXPECT_TRUE(VarIsEmpty(db(2, col)));
  for (int col = 3; col <= 7; ++col) EXPECT_TRUE(VarIsEmpty(db(3, col)));
  EXPECT_EQ(ini.DBKind, 0);
  EXPECT_EQ(ini.SystemControlAddress, "");
}

TEST(ServerConfig, ReadsScrambledPasswordsAndFallsBackOnBadNumbers) {
  TScratchFolder install;
  TOrvaneRegistry registry({{"ServerPath", install.Path()}});
  install.Write("OrvaneS.ini",
                "[DBE Setting]\r\nMainAlias=Erp\r\nXXXXXX=" + EncodeSQLSa("s3cret") +
                    "\r\nTempPassword=" + EncodeSQLSa("") + "\r\nEctPassword=" + EncodeSQLSa("x") +
                    "\r\nMainDBType=oracle\r\nMainServerName=db01\r\nMainConnectionTimeOut=abc\r\n"
                    "SystemControlAddress=  \r\nOtherSystemControlAddress=ctl02\r\n"
                    "[DBPasswordCtrl]\r\nComputerName=  pw01  \r\nServerPort=x\r\nClientSocketPort=2048\r\n");
  TOrvaneIniS ini;
  const Variant& db = ini.DBSettings;
  EXPECT_EQ(db(0, 0).AsString(), "Erp");
  EXPECT_EQ(db(0, 2).AsString(), "s3cret");
  EXPECT_EQ(db(1, 2).AsString(), "");
  EXPECT_EQ(db(3, 2).AsString(), EncodeSQLSa("x"));  // kept as stored
  EXPECT_EQ(db(0, 6).AsInteger(), 300);
  EXPECT_EQ(db(2, 0).AsString(), "pw01");
  EXPECT_EQ(db(2, 1).AsInteger(), 211);
  EXPECT_EQ(db(2, 2).AsInteger(), 2048);
  EXPECT_EQ(ini.SystemControlAddress, "db01");
  EXPECT_EQ(ini.OtherSystemControlAddress, "ctl02");
  EXPECT_EQ(ini.DBKind, 1);
}

TEST(ServerConfig, DatabaseKindAndUnreadablePassword) {
  TScratchFolder install;
  TOrvaneRegistry registry({{"ServerPath", install.Path()}, {"ClientPath", install.Path()}});
  const std::pair<const char*, int> kinds[] = {{"ORACLE", 1}, {"Db2", 2}, {"MSSQL", 0}, {"", 0}};
  for (const auto& [type, kind] : kinds) {
    install.Write("OrvaneS.ini", std::string("[DBE Setting]\r\nMainDBType=") + type + "\r\n");
    EXPECT_EQ(TOrvaneIniS().DBKind, kind) << type;
  }
  install.Write("OrvaneS.ini", "[DBE Setting]\r\nXXXXXX=41ZZ\r\nMainAlias=Erp\r\n");
  TOrvaneIniS ini;
  EXPECT_TRUE(ini.ReadConfig());
  EXPECT_EQ(ini.DBSettings(0, 2).AsString(), "ZN_Say_Password_Error");
  EXPECT_EQ(ini.DBSettings(0, 0).AsString(), "Erp");
}

TEST(ServerConfig, EveryReaderReadsAnew) {
  TScratchFolder install;
  TOrvaneRegistry registry({{"ServerPath", install.Path()}});
  install.Write("OrvaneS.ini", "[ProductVersion]\r\nVersion=1.0\r\n");
  TOrvaneIniS first;
  install.Write("OrvaneS.ini", "[ProductVersion]\r\nVersion=2.0\r\n");
  TOrvaneIniS second;
  EXPECT_EQ(first.Version, "1.0");
  EXPECT_EQ(second.Version, "2.0");
  EXPECT_TRUE(first.ReadConfig());
  EXPECT_EQ(first.Version, "2.0");
}

}  // namespace

namespace {

TEST(ShippedConfiguration, SampleProfilesRead) {
  TScratchFolder install;
  install.Write("OrvaneC.ini", ReadWholeFile(KESR_SOURCE_DIR "/data/config/OrvaneC.ini"));
  install.Write("OrvaneS.ini", ReadWholeFile(KESR_SOURCE_DIR "/data/appserver/OrvaneS.ini"));
  TOrvaneRegistry registry({{"ClientPath", install.Path()}, {"ServerPath", install.Path()}});
  TOrvaneIniC client;
  EXPECT_TRUE(client.ReadConfig());
  EXPECT_EQ(Hosts(client.ServerList), std::vector<std::string>{"127.0.0.1"});
  EXPECT_EQ(client.ServerList(1, 0).AsInteger(), 7211);
  EXPECT_EQ(Items(client.WorkDLLPaths), std::vector<std::string>{install.Path() + "C_PKG/"});
  TOrvaneIniS server;
  EXPECT_TRUE(server.ReadConfig());
  EXPECT_EQ(server.DBSettings(2, 1).AsInteger(), 7211);
  EXPECT_EQ(server.DBSettings(0, 2).AsString(), "");
}

}  // namespace
