#pragma once
// A scratch installation for the configuration and log tests: a temporary
// folder, the registry key of the suite pointing into it, and a fixed clock.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../../platform/tests/EnvGuard.h"
#include "DateTime.h"
#include "Registry.h"

class TScratchFolder {
public:
  TScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kesr-env-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FPath = pattern + "/";
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // Ends in "/".
  const std::string& Path() const { return FPath; }
  std::string Write(const std::string& relative, const std::string& content) const {
    const std::filesystem::path file = FPath + relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
  }

private:
  std::string FPath;
};

inline std::string ReadWholeFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lines of a log file without their CR LF.
inline std::vector<std::string> FileLines(const std::string& fileName) {
  std::vector<std::string> lines;
  std::istringstream in(ReadWholeFile(fileName));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Installs the values of the suite's key (none: the key is missing) for the
// life of the guard.
class TOrvaneRegistry {
public:
  explicit TOrvaneRegistry(std::vector<std::pair<std::string, std::string>> values, bool keyExists = true) {
    TRegistryData data;
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\ZNT\\Orvane";
    if (keyExists) data.AddKey(key);
    for (const auto& [name, value] : values) data.AddValue(key, name, value);
    FPrevious = SetRegistryStore(std::make_shared<TMemoryRegistryStore>(std::move(data)));
  }
  ~TOrvaneRegistry() { SetRegistryStore(FPrevious); }
  TOrvaneRegistry(const TOrvaneRegistry&) = delete;
  TOrvaneRegistry& operator=(const TOrvaneRegistry&) = delete;

private:
  std::shared_ptr<IRegistryStore> FPrevious;
};

// Now() answers 31 January 2024 14:05:09.007 while the guard lives.
class TFixedClock {
public:
  TFixedClock() : FPrevious(SetNowSource(&Fixed)) {}
  ~TFixedClock() { SetNowSource(FPrevious); }
  TFixedClock(const TFixedClock&) = delete;
  TFixedClock& operator=(const TFixedClock&) = delete;
  static TDateTime Fixed() { return EncodeDate(2024, 1, 31) + EncodeTime(14, 5, 9, 7); }

private:
  TNowSource FPrevious;
};
