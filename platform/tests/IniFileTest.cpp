#include "IniFile.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "EnvGuard.h"
#include "StringList.h"
#include "TempDir.h"

namespace {

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

using V = std::vector<std::string>;

const char* const ClientIni =
    "; client configuration\r\n"
    "[Client Components]\r\n"
    "LangType = CHT \r\n"
    "SQLBuilderEnabled=0\r\n"
    "  ;LangType=ignored comment\r\n"
    "[server information]\r\n"
    "ComputerName=\" host1;host2; \"\r\n"
    "ServerPort=0x10\r\n"
    "Timeout=abc\r\n"
    "Ratio=1.5\r\n"
    "Note=a ; not a comment\r\n"
    "Quoted='single'\r\n"
    "Half=\"open\r\n"
    "lonely line without equals\r\n"
    "SERVERPORT=999\r\n"
    "[WorkDLLPath]\r\n"
    "1=C_PKG\\\r\n"
    "2=\\Shared\\\r\n"
    "Empty=\r\n"
    "[Client Components]\r\n"
    "Version=repeated sections are not read\r\n"
    "[Empty Section]\r\n";

class IniFileTest : public testing::Test {
protected:
  TTempDir FDir;
};

TEST_F(IniFileTest, SectionsAndKeysIgnoreCaseAndTheFirstMatchWins) {
  TIniFile ini(FDir.Write("OrvaneC.ini", ClientIni));
  EXPECT_EQ(ini.ReadString("client components", "LANGTYPE", "ENG"), "CHT");
  EXPECT_EQ(ini.ReadString("Server Information", "ComputerName", ""), " host1;host2; ")
      << "quotes are removed, the blanks inside kept";
  EXPECT_EQ(ini.ReadInteger("Server Information", "ServerPort", 211), 16);
  EXPECT_EQ(ini.ReadString("Server Information", "Note", ""), "a ; not a comment");
  EXPECT_EQ(ini.ReadString("Server Information", "Quoted", ""), "single");
  EXPECT_EQ(ini.ReadString("Server Information", "Half", ""), "\"open");
  EXPECT_EQ(ini.ReadString("Client Components", "Version", "none"), "none");
  EXPECT_EQ(ini.ReadString("Missing", "Key", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("WorkDLLPath", "Empty", "dflt"), "") << "present but empty is not missing";
}

TEST_F(IniFileTest, TypedReadsFallBackToTheDefault) {
  TIniFile ini(FDir.Write("a.ini", ClientIni));
  EXPECT_EQ(ini.ReadInteger("Server Information", "Timeout", 30), 30);
  EXPECT_EQ(ini.ReadInteger("Server Information", "Missing", 211), 211);
  EXPECT_FALSE(ini.ReadBool("Client Components", "SQLBuilderEnabled", true));
  EXPECT_TRUE(ini.ReadBool("Client Components", "Missing", true));
  EXPECT_TRUE(ini.ReadBool("Server Information", "ServerPort", false));
  EXPECT_TRUE(ini.ReadBool("Server Information", "Timeout", true)) << "not a number: the default";
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Server Information", "Ratio", 0), 1.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Server Information", "Timeout", 2.5), 2.5);
}

TEST_F(IniFileTest, SectionListingsKeepFileOrder) {
  TIniFile ini(FDir.Write("a.ini", ClientIni));
  TStringList list;
  list.Add("stale");
  ini.ReadSection("workdllpath", list);
  EXPECT_EQ(Items(list), (V{"1", "2", "Empty"}));
  ini.ReadSectionValues("WorkDLLPath", list);
  EXPECT_EQ(Items(list), (V{"1=C_PKG\\", "2=\\Shared\\", "Empty="}));
  ini.ReadSections(list);
  EXPECT_EQ(Items(list), (V{"Client Components", "server information", "WorkDLLPath", "Empty Section"}));
  ini.ReadSection("Missing", list);
  EXPECT_EQ(list.Count(), 0);

  EXPECT_TRUE(ini.SectionExists("CLIENT COMPONENTS"));
  EXPECT_FALSE(ini.SectionExists("Empty Section")) << "a section without keys reads as absent";
  EXPECT_FALSE(ini.SectionExists("Missing"));
  EXPECT_TRUE(ini.ValueExists("workdllpath", "EMPTY"));
  EXPECT_FALSE(ini.ValueExists("Server Information", "lonely line without equals"));
}

TEST_F(IniFileTest, MissingFileReadsAsDefaults) {
  TIniFile ini(FDir.Path() + "absent.ini");
  EXPECT_EQ(ini.ReadString("CodePage", "DBCodePage", "936"), "936");
  EXPECT_EQ(ini.ReadInteger("Server Information", "ServerPort", 211), 211);
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFileTest, StoredPathsWithBackslashesAreFound) {
  FDir.Write("UserDef.ini", "[VoucherFormatDef]\nKESR52_A$EQUAL$1=Big Label\n");
  std::string stored = FDir.Path() + "UserDef.ini";
  for (char& c : stored)
    if (c == '/') c = '\\';
  TIniFile ini(stored);
  EXPECT_EQ(ini.ReadString("VoucherFormatDef", "kesr52_a$equal$1", "<New>"), "Big Label");
}

TEST_F(IniFileTest, LegacyEncodedFilesAreDecoded) {
  const std::string text = "[用户]\r\n名称 = 销售订单\r\n";
  TIniFile gbk(FDir.Write("gbk.ini", Utf8ToLegacy(text, "936")), "936");
  EXPECT_EQ(gbk.ReadString("用户", "名称", ""), "销售订单");

  TIniFile big5(FDir.Write("big5.ini", Utf8ToLegacy("[資料]\n名稱=訂單\n", "950")), "950");
  EXPECT_EQ(big5.ReadString("資料", "名稱", ""), "訂單");

  {
    TEnvGuard codePage("KESR_CODEPAGE", "936");
    TIniFile bySystem(FDir.Path() + "gbk.ini");
    EXPECT_EQ(bySystem.ReadString("用户", "名称", ""), "销售订单") << "the system code page by default";
  }

  TIniFile utf8(FDir.Write("bom.ini", "\xEF\xBB\xBF[Ä]\nKey=Ünï\n"), "936");
  EXPECT_EQ(utf8.ReadString("ä", "KEY", ""), "Ünï") << "UTF-8 wins over the named code page";
}

}  // namespace
