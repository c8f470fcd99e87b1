#include "BrevmarkU.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <set>

#include "DatabaseErrors.h"
#include "DynLib.h"
#include "EnvFixture.h"
#include "Paths.h"

namespace {

const std::string Dashes(34, '-');

class AlertLogTest : public ::testing::Test {
protected:
  std::string LogFile(const std::string& name) const { return Install.Path() + "Log/" + name; }
  // The Brevmark lines without their time stamps.
  std::vector<std::string> BrevmarkMessages() const {
    std::vector<std::string> messages;
    const std::string stamp = "[" + DateTimeToStr(TFixedClock::Fixed()) + "] ";
    for (const std::string& line : FileLines(LogFile("Alert_Brevmark_20240131.log"))) {
      if (line.rfind(stamp, 0) == 0) messages.push_back(line.substr(stamp.size()));
      else messages.push_back("(continued) " + line);
    }
    return messages;
  }

  TScratchFolder Install;
  TOrvaneRegistry Registry{{{"ClientPath", Install.Path()}}};
  TFixedClock Clock;
};

TEST_F(AlertLogTest, FileNameFollowsTheModeAndTheName) {
  struct TCase {
    const char* Name;
    const char* Mode;
    const char* FileName;
  };
  const TCase cases[] = {
      {"VRBASE", "D", "Alert_VRBASE_20240131.log"},
      {"VRBASE", "M", "Alert_VRBASE_202401.log"},
      {"VRBASE", "Y", "Alert_VRBASE_2024.log"},
      {"VRBASE", "W", "Alert_VRBASE_20240131.log"},
      {"VRBASE", "", "Alert_VRBASE_20240131.log"},
      {"libstrs.txt", "D", "Alert_libstrs.txt_20240131"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Name) + " " + c.Mode);
    std::filesystem::remove_all(Install.Path() + "Log");
    ASSERT_TRUE(WriteAlertLog(c.Name, "first", c.Mode));
    ASSERT_TRUE(WriteAlertLog(c.Name, "second", c.Mode));
    EXPECT_EQ(ReadWholeFile(LogFile(c.FileName)),
              "[2024/01/31 14:05:09:007] first\r\n[2024/01/31 14:05:09:007] second\r\n");
  }
}

TEST_F(AlertLogTest, MessageIsWrittenAsItIs) {
  ASSERT_TRUE(WriteAlertLog("VRBASE", "打印失败\r\nline two", "D"));
  EXPECT_EQ(ReadWholeFile(LogFile("Alert_VRBASE_20240131.log")),
            "[2024/01/31 14:05:09:007] 打印失败\r\nline two\r\n");
}

TEST(AlertLogRoot, FallsBackFromClientToServerToExecutableFolder) {
  TFixedClock clock;
  TScratchFolder server;
  {
    TOrvaneRegistry registry({{"ServerPath", server.Path()}});
    EXPECT_EQ(GetConfigRootPath(), server.Path());
    EXPECT_EQ(GetLogRootPath(), server.Path());
    ASSERT_TRUE(WriteAlertLog("RootTest", "x", "D"));
    EXPECT_TRUE(FileExists(server.Path() + "Log/Alert_RootTest_20240131.log"));
  }
  {
    TOrvaneRegistry registry({}, false);
    TEnvGuard temp{"TMPDIR", server.Path().c_str()};
    EXPECT_EQ(GetConfigRootPath(), "");
    EXPECT_EQ(GetLogRootPath(), server.Path());
    const std::string exeLog =
        ExtractFilePath(ExeFileName()) + "Log/Alert_EnvRootTest.tmp_20240131";
    DeleteFile(exeLog);
    ASSERT_TRUE(WriteAlertLog("EnvRootTest.tmp", "x", "D"));
    EXPECT_TRUE(FileExists(exeLog));
    DeleteFile(exeLog);
  }
}

TEST(AlertLogRoot, UpdaterLogGoesUnderTheExecutableFolder) {
  TFixedClock clock;
  TScratchFolder client;
  TOrvaneRegistry registry({{"ClientPath", client.Path()}});
  const std::string exeLog = ExtractFilePath(ExeFileName()) + "Log/Alert_EnvUpdaterTest.tmp_2024";
  DeleteFile(exeLog);
  ASSERT_TRUE(WriteUpdaterLog("EnvUpdaterTest.tmp", "checked", "Y"));
  EXPECT_EQ(ReadWholeFile(exeLog), "[2024/01/31 14:05:09:007] checked\r\n");
  EXPECT_FALSE(DirectoryExists(client.Path() + "Log"));
  DeleteFile(exeLog);
}

TEST(AlertLogRoot, UnwritableFolderAnswersFalse) {
  TScratchFolder install;
  // A file where the log folder's parent should be: the folder cannot be made.
  const std::string blocker = install.Write("root", "not a folder");
  TOrvaneRegistry registry({{"ClientPath", blocker}});
  EXPECT_FALSE(WriteAlertLog("VRBASE", "lost", "D"));
  EXPECT_FALSE(WriteBrevmarkLog("lost"));
}

TEST_F(AlertLogTest, TwoProcessesAppendingKeepEveryLine) {
  constexpr int LinesPerWriter = 400;
  const std::string payload(180, 'x');
  pid_t children[2];
  for (int writer = 0; writer < 2; ++writer) {
    children[writer] = fork();
    ASSERT_GE(children[writer], 0);
    if (children[writer] == 0) {
      bool ok = true;
      for (int n = 0; n < LinesPerWriter; ++n)
        ok = WriteAlertLog("SHARED", "P" + std::to_string(writer) + " " + std::to_string(n) + " " + payload, "D") && ok;
      _exit(ok ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::map<std::string, int> seen;
  for (const std::string& line : FileLines(LogFile("Alert_SHARED_20240131.log"))) {
    ASSERT_EQ(line.rfind("[2024/01/31 14:05:09:007] P", 0), 0u) << line;
    ASSERT_EQ(line.substr(line.size() - payload.size()), payload);
    ++seen[line];
  }
  EXPECT_EQ(seen.size(), 2u * LinesPerWriter);
  for (const auto& [line, count] : seen) EXPECT_EQ(count, 1) << line;
}

TEST_F(AlertLogTest, ErrorDetailBlock) {
  struct TCase {
    const char* Title;
    std::shared_ptr<std::exception> Error;
    std::string Place;
    std::string Programmer;
    std::vector<std::string> Lines;
  };
  auto osError = std::make_shared<EOSError>("Access is denied", 5, 0);
  auto ioError = std::make_shared<EInOutError>("Disk full", 28, 0);
  const std::vector<TCase> cases = {
      {"header only", nullptr, "  ", "  ", {Dashes + Dashes}},
      {"place and programmer", nullptr, " Print ", " check it",
       {Dashes + " on  Print  " + Dashes, "Programer Message:  check it"}},
      {"engine errors",
       std::make_shared<EDBEngineError>(
           "engine", std::vector<TDBError>{{13059, 208, "Invalid object"}, {10025, 0, "General SQL error"}, {1, 2, "third"}}),
       "Open", "",
       {Dashes + " on Open " + Dashes, "讯息信息:",
        "EDBEngineError Error 01: Code: 13059, Message: Invalid object",
        "EDBEngineError Error 02: Code: 10025, Message: General SQL error",
        "EDBEngineError Error 03: Code: 1, Message: third", "ErrorMessage Count: 3"}},
      {"engine without errors", std::make_shared<EDBEngineError>("engine", std::vector<TDBError>{}), "", "",
       {Dashes + Dashes, "讯息信息:", "ErrorMessage Count: 0"}},
      {"system error", osError, "", "",
       {Dashes + Dashes, "讯息信息:", "EWin32Error Error 01: Code: 5, Message: Access is denied",
        "ErrorMessage Count: 1"}},
      {"file error", ioError, "", "",
       {Dashes + Dashes, "讯息信息:", "EInOutError Error 01: Code: 28, Message: Disk full",
        "ErrorMessage Count: 1"}},
      {"file error subclass", std::make_shared<EFOpenError>("Cannot open a.dat"), "", "",
       {Dashes + Dashes, "讯息信息:", "EInOutError Error 01: Code: 0, Message: Cannot open a.dat",
        "ErrorMessage Count: 1"}},
      {"other exception", std::make_shared<EConvertError>("'x' is not %d"), "", "why",
       {Dashes + Dashes, "讯息信息:", "Exception is EConvertError",
        "(continued) Message 01: 'x' is not %d", "ErrorMessage Count: 1", "Programer Message: why"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Title);
    std::filesystem::remove_all(Install.Path() + "Log");
    LogErrorDetail(c.Error.get(), c.Place, c.Programmer);
    EXPECT_EQ(BrevmarkMessages(), c.Lines);
  }
}

TEST(SqlPassword, ScramblingRoundTrips) {
  for (const std::string password : {"sa", "A", "12345678", "123456789", "p@ss wörd 密码", "\x01\xff"})
    EXPECT_EQ(DecodeSQLSa(EncodeSQLSa(password)), password) << password;
  EXPECT_EQ(EncodeSQLSa(""), EncodeSQLSa("ZN_Say_NoPassWord_ThePassWordIsEmpty"));
  EXPECT_EQ(DecodeSQLSa(EncodeSQLSa("")), "");
  EXPECT_EQ(DecodeSQLSa(""), "");
}

TEST(SqlPassword, EachPositionRotatesByItsIndexModEight) {
  // 'A' = 0x41: rotated right by 1 is 0xA0, by 2 is 0x50, by 0 unchanged.
  const std::string scrambled = EncodeSQLSa("AAAAAAAAA");
  ASSERT_EQ(scrambled.size(), 18u);
  EXPECT_EQ(scrambled.substr(0, 4), "A050");
  EXPECT_EQ(scrambled.substr(14, 2), "41");
  EXPECT_EQ(scrambled.substr(16, 2), "A0");
  EXPECT_EQ(DecodeSQLSa("a050"), "AA");
  EXPECT_EQ(DecodeSQLSa("A0507"), "AA");
}

TEST_F(AlertLogTest, NonHexadecimalPairGivesTheErrorTextAndLogs) {
  EXPECT_EQ(DecodeSQLSa("A0G1"), "ZN_Say_Password_Error");
  const std::vector<std::string> messages = BrevmarkMessages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front(), Dashes + " on " + EncodeSQLSa("DecodeSQLSa") + " " + Dashes);
  EXPECT_EQ(messages.back(), "Programer Message: 解析 Sa 时发生错误!");
  EXPECT_NE(std::find(messages.begin(), messages.end(), "Exception is EConvertError"), messages.end());
}

}  // namespace
