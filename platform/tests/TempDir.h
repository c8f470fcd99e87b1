#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TTempDir {
public:
  TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kesr-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) FPath = pattern;
  }
  ~TTempDir() {
    std::error_code error;
    if (!FPath.empty()) std::filesystem::remove_all(FPath, error);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  // The folder with a trailing separator.
  std::string Path() const { return FPath + "/"; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string file = Path() + name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

private:
  std::string FPath;
};
