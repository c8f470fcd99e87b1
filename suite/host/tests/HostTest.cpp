// erp-host as a program: runs against built modules, checked by its JSON lines.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string Bin = KESR_OUTPUT_DIR;

struct TRun {
  int Status = -1;
  std::vector<std::string> Lines;  // standard output
  std::string All;                 // standard output and error
};

TRun RunHost(const std::string& Arguments, const std::string& Environment = "") {
  TRun run;
  const std::string command =
      Environment + " " + Bin + "/erp-host --config " + KESR_SOURCE_DIR + "/data/host/erp-host.ini " + Arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  std::string line;
  while (fgets(buffer.data(), buffer.size(), pipe)) {
    line += buffer.data();
    if (!line.empty() && line.back() == '\n') {
      line.pop_back();
      run.All += line + "\n";
      run.Lines.push_back(line);
      line.clear();
    }
  }
  const int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// The demo installation's registry (the client profile of data/config) and
// an application server with a small demo database of this test process's own.
struct TTestFolder {
  const std::string Path = testing::TempDir() + "kesr-host-" + std::to_string(::getpid()) + "/";
  ~TTestFolder() { std::filesystem::remove_all(Path); }
};

std::string DemoRegistry() {
  static const TTestFolder testFolder;
  static const std::string environment = [] {
    const std::string& folder = testFolder.Path;
    std::filesystem::create_directories(folder);
    std::ifstream in(std::string(KESR_SOURCE_DIR) + "/data/config/registry");
    std::ofstream registry(folder + "registry");
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("ClientPath=", 0) == 0) line = "ClientPath=" + std::string(KESR_SOURCE_DIR) + "/data/config/";
      if (line.rfind("ServerPath=", 0) == 0) line = "ServerPath=" + std::string(KESR_SOURCE_DIR) + "/data/appserver/";
      registry << line << "\n";
    }
    std::ofstream(folder + "OrvaneS.ini") << "[DBE Setting]\nMainDBType=SQLITE\nMainDBName=erp.db\nDemoOrders=20\n";
    return "KESR_REGISTRY=" + folder + "registry KESR_APPSERVER_INI=" + folder + "OrvaneS.ini";
  }();
  return environment;
}

std::size_t IndexOf(const TRun& Run, const std::string& Text) {
  for (std::size_t i = 0; i < Run.Lines.size(); ++i)
    if (Run.Lines[i].find(Text) != std::string::npos) return i;
  return std::string::npos;
}

TEST(ErpHost, InitialisesTheTestModuleAgainstTheDemoServerAndFreesIt) {
  const TRun run = RunHost("--module " + Bin + "/TESTMDC.so --json init", DemoRegistry());
  ASSERT_EQ(run.Status, 0) << run.All;
  ASSERT_EQ(run.Lines.size(), 4u) << run.All;
  EXPECT_EQ(run.Lines[0], R"({"event":"notify","code":256})");
  EXPECT_EQ(run.Lines[1], R"({"event":"result","operation":"Initialize","value":0})");
  EXPECT_EQ(run.Lines[2], R"({"event":"forminfo","user":"DS","company":"DEMOA","program":"TESTMD",)"
                          R"("name":"TESTMD","version":"990101-1.00.00"})")
      << run.All;
  EXPECT_EQ(run.Lines[3], R"({"event":"notify","code":304})");
}

TEST(ErpHost, TheDeliverableModuleReportsWhatItsFormSays) {
  const TRun run = RunHost("--module " + Bin + "/KESR52C.so --json init", DemoRegistry());
  ASSERT_EQ(run.Status, 0) << run.All;
  EXPECT_EQ(run.Lines.front(), R"({"event":"notify","code":256})") << run.All;
  EXPECT_NE(IndexOf(run, R"("program":"KESR52")"), std::string::npos) << run.All;
  EXPECT_EQ(run.Lines.back(), R"({"event":"notify","code":304})") << run.All;
}

TEST(ErpHost, WithoutAServerTheErrorDialogIsReportedAndInitialisationFails) {
  const TRun run = RunHost("--module " + Bin + "/TESTMDC.so --json init", "KESR_REGISTRY=/nonexistent");
  ASSERT_EQ(run.Status, 0) << run.All;
  const std::size_t dialog = IndexOf(run, R"("text":"无法连接应用服务器)");
  ASSERT_NE(dialog, std::string::npos) << run.All;
  EXPECT_NE(run.Lines[dialog].find(R"("kind":"error")"), std::string::npos);
  EXPECT_NE(run.Lines[dialog].find(R"("buttons":["OK"],"answer":"OK")"), std::string::npos);
  EXPECT_GT(IndexOf(run, R"("operation":"Initialize","value":-1)"), dialog);
}

TEST(ErpHost, ScriptDrivesTheShownForm) {
  const TRun run = RunHost("--module " + Bin + "/TESTMDC.so --json script " + KESR_TEST_DATA_DIR + "/cancel.script",
                           DemoRegistry());
  ASSERT_EQ(run.Status, 0) << run.All;
  const std::size_t shown = IndexOf(run, R"({"event":"notify","code":272})");
  ASSERT_NE(shown, std::string::npos) << run.All;
  // F1 on program TESTMD: character 4 "T" is neither "B" nor "R", so no help.
  EXPECT_EQ(IndexOf(run, "CallHelp"), std::string::npos) << run.All;
  EXPECT_EQ(run.Lines.back(), R"({"event":"notify","code":304})") << run.All;
}

TEST(ErpHost, ExpectationMetByADialogOfTheInitialisation) {
  const TRun run = RunHost("--json script " + std::string(KESR_TEST_DATA_DIR) + "/expect-refusal.script", DemoRegistry());
  EXPECT_EQ(run.Status, 0) << run.All;
}

TEST(ErpHost, FailingExpectationEndsTheScriptWithItsLine) {
  const TRun run = RunHost("--module " + Bin + "/TESTMDC.so --json script " + KESR_TEST_DATA_DIR +
                               "/expect-missing.script",
                           DemoRegistry());
  EXPECT_EQ(run.Status, 1) << run.All;
  EXPECT_NE(run.All.find("expect-missing.script:1: no dialog said"), std::string::npos) << run.All;
}

TEST(ErpHost, ModuleThatCannotBeUsedEndsWithAClearMessage) {
  struct Case {
    std::string Module;
    std::string Message;
  };
  const Case cases[] = {
      {Bin + "/NoSuchModule.so", "erp-host: cannot load the module"},
      {Bin + "/TolvekWorkCenter.so", "has no GetController"},
  };
  for (const Case& c : cases) {
    const TRun run = RunHost("--module " + c.Module + " init");
    EXPECT_EQ(run.Status, 2) << c.Module;
    EXPECT_NE(run.All.find(c.Message), std::string::npos) << run.All;
  }
  EXPECT_EQ(RunHost("--json").Status, 1);
}

}  // namespace
