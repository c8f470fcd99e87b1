#pragma once
// File names and folders. Stored and configured paths are written with
// "\" as separator (the original platform's); NativePath turns them into
// this system's form. The Extract* helpers accept either separator.
#include <string>
#include <string_view>

constexpr char PathDelim = '/';

// "\" becomes "/"; a leading drive ("C:") is kept as written.
std::string NativePath(std::string_view path);
bool IsPathDelimiter(char c);

std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// Up to and including the last separator.
std::string ExtractFilePath(std::string_view fileName);
// Like ExtractFilePath without the final separator.
std::string ExtractFileDir(std::string_view fileName);
std::string ExtractFileName(std::string_view fileName);
// From the last "." of the name, the dot included; empty when none.
std::string ExtractFileExt(std::string_view fileName);
// extension includes its dot ("" removes the extension).
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);

// These take stored or native paths alike.
bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& directory);
// Creates the folder and its missing parents; false when that fails.
bool ForceDirectories(const std::string& directory);
bool DeleteFile(const std::string& fileName);
// Size in bytes, -1 when the file cannot be examined.
long long FileSize(const std::string& fileName);

// TMPDIR, else /tmp, with a trailing separator.
std::string GetTempPath();
// The login name of the current user (USER, else the account database).
std::string GetUserName();
// "936" for a simplified-Chinese locale (zh_CN, zh_SG), "950" for a
// traditional one (zh_TW, zh_HK, zh_MO), else "437". KESR_CODEPAGE overrides.
std::string SystemCodePage();
