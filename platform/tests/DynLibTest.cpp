#include "DynLib.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string OutputDir = fs::canonical(KESR_OUTPUT_DIR).string();

TEST(DynLibTest, MapsWindowsLibraryNames) {
  struct Case {
    const char* Given;
    const char* Native;
  };
  const Case cases[] = {
      {"Znlanguage.dll", "Znlanguage.so"},
      {"ZNBmpToFile.DLL", "ZNBmpToFile.so"},
      {"dir/RelationWizard.dll", "dir/RelationWizard.so"},
      {"libz.so.1", "libz.so.1"},
      {".dll", ".dll"},
  };
  for (const Case& c : cases) EXPECT_EQ(NativeLibraryName(c.Given), c.Native);
}

TEST(DynLibTest, LoadsALibraryByItsWindowsName) {
  for (const char* name : {"KesrTestServer.dll", "kesrtestserver.DLL", "KesrTestServer.so"}) {
    HMODULE module = LoadLibrary(name);
    ASSERT_NE(module, nullptr) << name << ": " << GetLastErrorText();
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileName(module), OutputDir + "/KesrTestServer.so");
    void* proc = GetProcAddress(module, "KesrRegisterOleServers");
    EXPECT_NE(proc, nullptr);
    EXPECT_EQ(ModuleFileNameOf(proc), OutputDir + "/KesrTestServer.so");
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(FreeLibrary(module));
  }
}

TEST(DynLibTest, LoadsByPath) {
  for (const std::string separator : {"/", "\\"}) {
    HMODULE module = LoadLibrary(OutputDir + separator + "KesrTestServer.dll");
    ASSERT_NE(module, nullptr) << GetLastErrorText();
    EXPECT_TRUE(FreeLibrary(module));
  }
}

TEST(DynLibTest, ReportsWhatCouldNotBeLoaded) {
  EXPECT_EQ(LoadLibrary("NoSuchLibrary.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_NE(GetLastErrorText(), "");
  EXPECT_EQ(LoadLibrary("/nonexistent/KesrTestServer.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  const fs::path folder = fs::temp_directory_path() / ("kesr-dynlib-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "Bogus.so") << "not a library";
  EXPECT_EQ(LoadLibrary((folder / "Bogus.dll").string()), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);
  fs::remove_all(folder);

  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
}

TEST(DynLibTest, KnowsWhereModulesAndTheHostLie) {
  const std::string exe = ExeFileName();
  EXPECT_EQ(fs::path(exe).filename(), "platform_tests");
  EXPECT_EQ(ExeFolder(), OutputDir + "/");
  EXPECT_EQ(ModuleFileNameOf(reinterpret_cast<const void*>(&ExeFileName)),
            OutputDir + "/libkplatform.so");
  static int local = 0;
  EXPECT_EQ(ModuleFileNameOf(&local), exe);
  EXPECT_EQ(ModuleFileNameOf(nullptr), "");
  EXPECT_EQ(GetModuleFileName(nullptr), "");
}

}  // namespace
