#pragma once
// What a server-side module library offers the option form: its exported
// "GetSvrController" hands out a controller that runs the module's work
// with one argument array, and the check that decides whether a local copy
// of such a library may be loaded.
#include <functional>
#include <string>

#include "Variant.h"

class ISvrController {
public:
  // Runs the module's work; failures raise. Args, from 0: user, company,
  // data source, program code, the caller's parameters, product ID, the
  // host's session; for run kinds other than "B" also the run kind in upper
  // case, the version type, the host window, the module path and, last, the
  // language code page.
  virtual void Execute(const Variant& Args) = 0;
  // Ends the controller's use and hands back its closing text; the library
  // releases the controller itself, before it is unloaded.
  virtual std::string Finish() = 0;

protected:
  ~ISvrController() = default;
};

// The export, by name "GetSvrController".
using TGetSvrController = ISvrController*();
inline constexpr const char* GetSvrControllerName = "GetSvrController";

// Decides whether the local library LocalPath may be used, given the host's
// file-list text for it; may bring the copy up to date first. False with
// the reason in ErrorText when it may not.
using TModuleFileCheck = std::function<bool(const std::string& FileList, const std::string& LocalPath,
                                            std::string& ErrorText, bool Interactive)>;
// Installs the check the server-library search uses; an empty one restores
// the default, which accepts every file.
void SetModuleFileCheck(TModuleFileCheck Check);
bool CheckModuleFile(const std::string& FileList, const std::string& LocalPath, std::string& ErrorText,
                     bool Interactive);
