#include "DynLib.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "Paths.h"
#include "StrUtils.h"

namespace fs = std::filesystem;

namespace {

thread_local DWORD LastError = ERROR_SUCCESS;
thread_local std::string LastErrorText;

void Fail(DWORD code, std::string text) {
  LastError = code;
  LastErrorText = std::move(text);
}

std::string DlError() {
  const char* text = dlerror();
  return text ? text : "";
}

// The file in folder named fileName, exactly or else without regard to case.
fs::path FindInFolder(const fs::path& folder, const std::string& fileName) {
  std::error_code error;
  if (folder.empty()) return {};
  const fs::path exact = folder / fileName;
  if (fs::is_regular_file(exact, error)) return exact;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (SameText(it->path().filename().string(), fileName) && it->is_regular_file(error))
      return it->path();
  return {};
}

HMODULE Open(const std::string& path) {
  dlerror();
  HMODULE module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) Fail(ERROR_BAD_EXE_FORMAT, DlError());
  else Fail(ERROR_SUCCESS, {});
  return module;
}

HMODULE Load(const std::string& fileName, const void* caller) {
  const std::string name = NativeLibraryName(NativePath(fileName));
  const fs::path given(name);
  if (given.has_parent_path()) {
    const fs::path found = FindInFolder(given.parent_path(), given.filename().string());
    if (found.empty()) {
      Fail(ERROR_MOD_NOT_FOUND, name + ": no such file");
      return nullptr;
    }
    std::error_code error;
    return Open(fs::absolute(found, error).string());
  }
  const std::vector<fs::path> folders = {fs::path(ModuleFileNameOf(caller)).parent_path(),
                                         fs::path(ExeFolder())};
  for (const fs::path& folder : folders) {
    const fs::path found = FindInFolder(folder, name);
    if (!found.empty()) return Open(found.string());
  }
  dlerror();
  if (HMODULE module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    Fail(ERROR_SUCCESS, {});
    return module;
  }
  Fail(ERROR_MOD_NOT_FOUND, DlError());
  return nullptr;
}

}  // namespace

HMODULE LoadLibrary(const std::string& fileName) {
  return Load(fileName, __builtin_extract_return_addr(__builtin_return_address(0)));
}

void* GetProcAddress(HMODULE module, const std::string& procName) {
  if (!module) {
    Fail(ERROR_INVALID_HANDLE, "invalid module handle");
    return nullptr;
  }
  dlerror();
  void* address = dlsym(module, procName.c_str());
  if (!address) {
    Fail(ERROR_PROC_NOT_FOUND, DlError());
    return nullptr;
  }
  Fail(ERROR_SUCCESS, {});
  return address;
}

bool FreeLibrary(HMODULE module) {
  if (!module) {
    Fail(ERROR_INVALID_HANDLE, "invalid module handle");
    return false;
  }
  if (dlclose(module) != 0) {
    Fail(ERROR_INVALID_HANDLE, DlError());
    return false;
  }
  Fail(ERROR_SUCCESS, {});
  return true;
}

DWORD GetLastError() noexcept { return LastError; }

void SetLastError(DWORD code) noexcept {
  LastError = code;
  LastErrorText.clear();
}

std::string GetLastErrorText() { return LastErrorText; }

std::string NativeLibraryName(const std::string& fileName) {
  const std::string extension = ".dll";
  if (fileName.size() > extension.size() &&
      SameText(std::string_view(fileName).substr(fileName.size() - extension.size()), extension))
    return fileName.substr(0, fileName.size() - extension.size()) + ".so";
  return fileName;
}

std::string ModuleFileNameOf(const void* address) {
  Dl_info info{};
  link_map* map = nullptr;
  if (!address || dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0)
    return {};
  // The main program has no name in the loader's list.
  if (!map || !map->l_name || !*map->l_name) return ExeFileName();
  return map->l_name;
}

std::string GetModuleFileName(HMODULE module) {
  link_map* map = nullptr;
  if (!module || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map) return {};
  if (map->l_name && *map->l_name) return map->l_name;
  return ExeFileName();
}

std::string ExeFileName() {
  std::error_code error;
  const fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string ExeFolder() {
  const std::string exe = ExeFileName();
  return exe.empty() ? std::string() : fs::path(exe).parent_path().string() + "/";
}
