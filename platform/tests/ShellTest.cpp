#include "Shell.h"

#include <gtest/gtest.h>

#include <sstream>
#include <unistd.h>

#include "EnvGuard.h"
#include "TempDir.h"

namespace {

class HeadlessShell : public testing::Test {
protected:
  TEnvGuard FDisplay{"DISPLAY", nullptr};
  TEnvGuard FWayland{"WAYLAND_DISPLAY", nullptr};
  std::ostringstream FOut, FErr;
  TDesktopShell FShell{FOut, FErr};
  TTempDir FDir;
};

TEST_F(HeadlessShell, OpenedFilesAreRecordedNotStarted) {
  EXPECT_TRUE(FShell.OpenDocument("C:\\Export\\page1.bmp"));
  EXPECT_TRUE(FShell.OpenDocument("/tmp/page2.bmp"));
  EXPECT_EQ(FShell.RecordedFiles(), (std::vector<std::string>{"C:/Export/page1.bmp", "/tmp/page2.bmp"}));
  EXPECT_NE(FErr.str().find("page1.bmp"), std::string::npos);
}

TEST_F(HeadlessShell, PropertiesShowTheFileFacts) {
  std::string file = FDir.Write("KESR52C.so", std::string(1234, 'x'));
  EXPECT_TRUE(FShell.ShowProperties(file));
  std::string out = FOut.str();
  EXPECT_NE(out.find("Name: " + file + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Size: 1234 bytes\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Modified: 20"), std::string::npos) << out;

  EXPECT_FALSE(FShell.ShowProperties(FDir.Path() + "missing.so"));
  EXPECT_NE(FErr.str().find("missing.so"), std::string::npos);
}

TEST(DesktopShell, StartsTheAssociatedProgramDetached) {
  TTempDir dir;
  dir.Write("xdg-open", "#!/bin/sh\necho \"$1\" > \"${0%/*}/opened\"\n");
  std::filesystem::permissions(dir.Path() + "xdg-open", std::filesystem::perms::owner_all);
  TEnvGuard display("DISPLAY", ":0");
  std::ostringstream out, err;
  TDesktopShell shell(out, err);
  {
    TEnvGuard path("PATH", dir.Path().c_str());
    EXPECT_TRUE(shell.OpenDocument("C:\\Export\\a.pdf"));
  }
  std::string opened;
  for (int i = 0; i < 100 && opened.empty(); ++i) {
    std::ifstream(dir.Path() + "opened") >> opened;
    if (opened.empty()) usleep(50000);
  }
  EXPECT_EQ(opened, "C:/Export/a.pdf");
  EXPECT_TRUE(shell.RecordedFiles().empty());

  TEnvGuard path("PATH", (dir.Path() + "none").c_str());
  EXPECT_FALSE(shell.OpenDocument("a.pdf")) << "no program to start";
}

TEST(ShellRegistry, TestsCanReplaceTheShell) {
  struct TFake : TShell {
    std::vector<std::string> Opened;
    bool OpenDocument(const std::string& f) override {
      Opened.push_back(f);
      return true;
    }
    bool ShowProperties(const std::string&) override { return false; }
  } fake;
  TShell* previous = SetShell(&fake);
  Shell().OpenDocument("a.pdf");
  SetShell(previous);
  EXPECT_EQ(fake.Opened, std::vector<std::string>{"a.pdf"});
  EXPECT_NE(&Shell(), &fake);
}

}  // namespace
