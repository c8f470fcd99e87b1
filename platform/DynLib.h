#pragma once
// Dynamic libraries by their Windows names: LoadLibrary("Znlanguage.dll")
// loads Znlanguage.so. A name with a folder ("\" or "/" separated) is
// loaded from there. A bare name is looked for, in this order, in the
// folder of the module that calls LoadLibrary, in the host executable's
// folder, and then wherever the dynamic loader looks (its run paths,
// LD_LIBRARY_PATH, system folders).
// Within a folder an exact name wins, else a name differing only in case.
#include <cstdint>
#include <string>

using HMODULE = void*;
using DWORD = std::uint32_t;

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;

// nullptr on failure, with GetLastError set (126 not found, 193 found but
// not loadable).
HMODULE LoadLibrary(const std::string& fileName);
// nullptr and 127 when the module does not export the name.
void* GetProcAddress(HMODULE module, const std::string& procName);
bool FreeLibrary(HMODULE module);

// The calling thread's last error code, and the loader's text for it.
DWORD GetLastError() noexcept;
void SetLastError(DWORD code) noexcept;
std::string GetLastErrorText();

// "X.dll" -> "X.so"; other names unchanged.
std::string NativeLibraryName(const std::string& fileName);
// Full path of the shared library or executable containing address; "" if none.
std::string ModuleFileNameOf(const void* address);
// Full path of a loaded module; "" for an invalid handle.
std::string GetModuleFileName(HMODULE module);
// The host executable's full path and its folder (with a trailing "/").
std::string ExeFileName();
std::string ExeFolder();
