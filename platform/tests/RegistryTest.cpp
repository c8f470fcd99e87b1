#include "Registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Points KESR_REGISTRY at a file of the test's own for the test's duration.
class RegistryFileTest : public testing::Test {
protected:
  void SetUp() override {
    FFolder = std::filesystem::temp_directory_path() /
              ("kesr-registry-" + std::to_string(getpid()));
    std::filesystem::create_directories(FFolder);
    FFileName = (FFolder / "registry").string();
    const char* previous = getenv("KESR_REGISTRY");
    FHadPrevious = previous != nullptr;
    if (previous) FPrevious = previous;
    setenv("KESR_REGISTRY", FFileName.c_str(), 1);
  }
  void TearDown() override {
    if (FHadPrevious) setenv("KESR_REGISTRY", FPrevious.c_str(), 1);
    else unsetenv("KESR_REGISTRY");
    std::filesystem::remove_all(FFolder);
  }
  void Write(const std::string& text) { std::ofstream(FFileName, std::ios::binary) << text; }

  std::filesystem::path FFolder;
  std::string FFileName;

private:
  std::string FPrevious;
  bool FHadPrevious = false;
};

const char* const SuiteKeys =
    "; the suite's installation\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\ZNT\\Orvane]\r\n"
    "ClientPath=/opt/orvane/client/\r\n"
    "  ProfileType = 1\r\n"
    "ProfileName=a=b  \r\n"
    "clientpath=/second/wins/not\r\n"
    "Empty=\r\n"
    "not a value line\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\KRTN\\Mereth\\]\r\n"
    "GoAhead= 1\r\n"
    "[HKEY_CURRENT_USER\\Software\\ZNT\\Orvane]\r\n"
    "ClientPath=/home/user/\r\n";

TEST_F(RegistryFileTest, ReadsValuesOfAPresentFile) {
  Write(SuiteKeys);
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane"));
  EXPECT_EQ(registry.ReadString("ClientPath"), "/opt/orvane/client/");
  EXPECT_EQ(registry.ReadString("CLIENTPATH"), "/opt/orvane/client/") << "first one wins";
  EXPECT_EQ(registry.ReadString("profiletype"), " 1") << "names trimmed, values as they stand";
  EXPECT_EQ(registry.ReadString("ProfileName"), "a=b  ");
  EXPECT_TRUE(registry.ValueExists("Empty"));
  EXPECT_EQ(registry.ReadString("Empty"), "");
  EXPECT_FALSE(registry.ValueExists("ServerPath"));
  EXPECT_EQ(registry.ReadString("ServerPath"), "");
  EXPECT_EQ(registry.GetValueNames().size(), 4u);

  ASSERT_TRUE(registry.OpenKeyReadOnly("\\software\\krtn\\mereth"));
  EXPECT_EQ(registry.ReadString("GoAhead"), " 1");
  EXPECT_FALSE(registry.ValueExists("ClientPath")) << "values of the previous key are gone";

  registry.RootKey = HKEY_CURRENT_USER;
  ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane"));
  EXPECT_EQ(registry.ReadString("ClientPath"), "/home/user/");
}

TEST_F(RegistryFileTest, ParentKeysExistThroughTheirSubkeys) {
  Write(SuiteKeys);
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  EXPECT_TRUE(registry.KeyExists("Software"));
  EXPECT_TRUE(registry.KeyExists("Software\\ZNT"));
  EXPECT_FALSE(registry.KeyExists("Software\\ZN"));
  EXPECT_FALSE(registry.KeyExists("Software\\ZNT\\Orvane\\Sub"));
  EXPECT_TRUE(registry.KeyExists("")) << "the root itself";
  ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\ZNT"));
  EXPECT_TRUE(registry.GetValueNames().empty());
  EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\Other"));
  EXPECT_EQ(registry.ReadString("ClientPath"), "");
}

TEST_F(RegistryFileTest, MissingFileBehavesAsMissingKey) {
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane"));
  EXPECT_FALSE(registry.KeyExists("Software"));
  EXPECT_FALSE(registry.ValueExists("ClientPath"));
  EXPECT_EQ(registry.ReadString("ClientPath"), "");
}

TEST_F(RegistryFileTest, ReadsTheFileAnewOnEveryOpen) {
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane"));
  Write(SuiteKeys);
  ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane"));
  Write("[HKEY_LOCAL_MACHINE\\Software\\ZNT\\Orvane]\nClientPath=/moved/\n");
  EXPECT_EQ(registry.ReadString("ClientPath"), "/opt/orvane/client/") << "an open key keeps its values";
  ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane"));
  EXPECT_EQ(registry.ReadString("ClientPath"), "/moved/");
}

TEST(RegistryTest, FileNameComesFromTheEnvironment) {
  const char* previous = getenv("KESR_REGISTRY");
  const std::string saved = previous ? previous : "";
  unsetenv("KESR_REGISTRY");
  EXPECT_EQ(RegistryFileName(), "/etc/kesr/registry");
  setenv("KESR_REGISTRY", "/tmp/elsewhere", 1);
  EXPECT_EQ(RegistryFileName(), "/tmp/elsewhere");
  if (previous) setenv("KESR_REGISTRY", saved.c_str(), 1);
  else unsetenv("KESR_REGISTRY");
}

TEST(RegistryTest, AStoreInMemoryStandsInForTheFile) {
  TRegistryData data;
  data.AddValue("HKEY_LOCAL_MACHINE\\Software\\ZNT\\Orvane", "ServerPath", "/srv/orvane/");
  const auto previous = SetRegistryStore(std::make_shared<TMemoryRegistryStore>(data));
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  EXPECT_TRUE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane"));
  EXPECT_EQ(registry.ReadString("ServerPath"), "/srv/orvane/");
  registry.RootKey = 0x12345;
  EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\ZNT\\Orvane")) << "unknown root";
  SetRegistryStore(previous);
}

}  // namespace
