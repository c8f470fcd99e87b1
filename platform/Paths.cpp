#include "Paths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StrUtils.h"

namespace fs = std::filesystem;

bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

std::string NativePath(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.empty() || !IsPathDelimiter(out.back())) out += PathDelim;
  return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.size() > 1 && IsPathDelimiter(out.back())) out.pop_back();
  return out;
}

namespace {
size_t NameStart(std::string_view fileName) {
  size_t at = fileName.find_last_of("/\\");
  return at == std::string_view::npos ? 0 : at + 1;
}
}  // namespace

std::string ExtractFilePath(std::string_view fileName) {
  return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileDir(std::string_view fileName) {
  size_t start = NameStart(fileName);
  // The root keeps its separator.
  if (start > 1) --start;
  return std::string(fileName.substr(0, start));
}

std::string ExtractFileName(std::string_view fileName) {
  return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
  size_t start = NameStart(fileName);
  size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos || dot < start ? std::string()
                                                      : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  size_t start = NameStart(fileName);
  size_t dot = fileName.rfind('.');
  size_t end = dot == std::string_view::npos || dot < start ? fileName.size() : dot;
  return std::string(fileName.substr(0, end)) + std::string(extension);
}

bool FileExists(const std::string& fileName) {
  struct stat info;
  return !fileName.empty() && stat(NativePath(fileName).c_str(), &info) == 0 &&
         !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& directory) {
  struct stat info;
  return !directory.empty() && stat(NativePath(directory).c_str(), &info) == 0 &&
         S_ISDIR(info.st_mode);
}

bool ForceDirectories(const std::string& directory) {
  if (directory.empty()) return false;
  std::error_code error;
  fs::path path(ExcludeTrailingPathDelimiter(NativePath(directory)));
  fs::create_directories(path, error);
  return DirectoryExists(path.string());
}

bool DeleteFile(const std::string& fileName) {
  return FileExists(fileName) && std::remove(NativePath(fileName).c_str()) == 0;
}

long long FileSize(const std::string& fileName) {
  struct stat info;
  if (stat(NativePath(fileName).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return -1;
  return info.st_size;
}

std::string GetTempPath() {
  const char* dir = std::getenv("TMPDIR");
  return IncludeTrailingPathDelimiter(dir && *dir ? dir : "/tmp");
}

std::string GetUserName() {
  if (const char* user = std::getenv("USER"); user && *user) return user;
  std::string name;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::string buffer(size > 0 ? size : 16384, '\0');
  struct passwd entry;
  struct passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
    name = found->pw_name;
  return name;
}

std::string SystemCodePage() {
  if (const char* forced = std::getenv("KESR_CODEPAGE"); forced && *forced) return forced;
  // The locale the user runs under, in the order the C library consults it.
  std::string locale;
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"})
    if (const char* value = std::getenv(name); value && *value) {
      locale = value;
      break;
    }
  std::string upper = UpperCase(locale);
  auto starts = [&](const char* prefix) { return upper.rfind(prefix, 0) == 0; };
  if (starts("ZH_CN") || starts("ZH_SG")) return "936";
  if (starts("ZH_TW") || starts("ZH_HK") || starts("ZH_MO")) return "950";
  return "437";
}
