#include "Paths.h"

#include <gtest/gtest.h>

#include "EnvGuard.h"
#include "TempDir.h"

namespace {

struct TNameCase {
  const char* FileName;
  const char* Path;
  const char* Dir;
  const char* Name;
  const char* Ext;
};

TEST(FileNameParts, EitherSeparatorSplitsTheName) {
  const TNameCase cases[] = {
      {"C:\\ERP\\Client\\OrvaneC.ini", "C:\\ERP\\Client\\", "C:\\ERP\\Client", "OrvaneC.ini", ".ini"},
      {"/opt/erp/KESR52C.so", "/opt/erp/", "/opt/erp", "KESR52C.so", ".so"},
      {"report.tar.gz", "", "", "report.tar.gz", ".gz"},
      {"dir.d/noext", "dir.d/", "dir.d", "noext", ""},
      {"/root.txt", "/", "/", "root.txt", ".txt"},
      {"folder\\", "folder\\", "folder", "", ""},
      {"", "", "", "", ""},
  };
  for (const TNameCase& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.FileName), c.Path) << c.FileName;
    EXPECT_EQ(ExtractFileDir(c.FileName), c.Dir) << c.FileName;
    EXPECT_EQ(ExtractFileName(c.FileName), c.Name) << c.FileName;
    EXPECT_EQ(ExtractFileExt(c.FileName), c.Ext) << c.FileName;
  }
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\KESR52C.dll", ".so"), "C:\\a.b\\KESR52C.so");
  EXPECT_EQ(ChangeFileExt("dir.d/page", ".bmp"), "dir.d/page.bmp");
  EXPECT_EQ(ChangeFileExt("page.emf", ""), "page");
}

TEST(PathDelimiters, TrailingSeparatorsAndNativeForm) {
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\ERP\\"), "C:\\ERP\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\ERP\\"), "C:\\ERP");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
  EXPECT_EQ(NativePath("Log\\2005\\a.log"), "Log/2005/a.log");
}

TEST(FileSystem, ExistenceAndForcedFolders) {
  TTempDir dir;
  std::string file = dir.Write("a.txt", "12345");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.Path())) << "a folder is not a file";
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(FileSize(file), 5);
  EXPECT_EQ(FileSize(dir.Path() + "none"), -1);

  std::string deep = dir.Path() + "C_DATA\\C_TEMP\\";
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(dir.Path() + "C_DATA/C_TEMP"));
  EXPECT_TRUE(ForceDirectories(deep)) << "an existing folder is fine";
  EXPECT_FALSE(ForceDirectories(file + "/sub")) << "below a file nothing can be created";
  EXPECT_FALSE(ForceDirectories(""));

  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file));
}

TEST(Environment, TemporaryFolderEndsWithASeparator) {
  {
    TEnvGuard tmp("TMPDIR", "/var/tmp");
    EXPECT_EQ(GetTempPath(), "/var/tmp/");
  }
  TEnvGuard tmp("TMPDIR", nullptr);
  EXPECT_EQ(GetTempPath(), "/tmp/");
}

TEST(Environment, UserNameComesFromTheSession) {
  {
    TEnvGuard user("USER", "clerk");
    EXPECT_EQ(GetUserName(), "clerk");
  }
  TEnvGuard user("USER", nullptr);
  EXPECT_FALSE(GetUserName().empty()) << "the account database answers";
}

TEST(Environment, SystemCodePageFollowsTheLocale) {
  TEnvGuard forced("KESR_CODEPAGE", nullptr);
  TEnvGuard all("LC_ALL", nullptr);
  TEnvGuard ctype("LC_CTYPE", nullptr);
  const std::pair<const char*, const char*> cases[] = {
      {"zh_CN.UTF-8", "936"}, {"zh_SG", "936"},  {"zh_TW.UTF-8", "950"}, {"zh_HK.Big5", "950"},
      {"en_US.UTF-8", "437"}, {"C", "437"},      {"", "437"},
  };
  for (const auto& [locale, codePage] : cases) {
    TEnvGuard lang("LANG", locale);
    EXPECT_EQ(SystemCodePage(), codePage) << locale;
  }
  {
    TEnvGuard lang("LANG", "en_US.UTF-8");
    TEnvGuard lcAll("LC_ALL", "zh_TW.UTF-8");
    EXPECT_EQ(SystemCodePage(), "950") << "LC_ALL comes first";
  }
  TEnvGuard override("KESR_CODEPAGE", "936");
  TEnvGuard lang("LANG", "zh_TW.UTF-8");
  EXPECT_EQ(SystemCodePage(), "936");
}

}  // namespace
