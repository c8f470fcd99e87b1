#pragma once
// Late-bound objects created by class name (ProgID), as CreateOleObject
// does. Classes come from built-in registrations and from server libraries:
// a class not registered yet is looked up in the registry store under
//
//   [HKEY_CLASSES_ROOT\<ProgID>]
//   InprocServer=<library>          e.g. VtxC.dll, or a path
//
// The library is loaded with LoadLibrary (so "X.dll" means X.so beside the
// host) and its exported C function KesrRegisterOleServers() is called once;
// it registers its classes with RegisterOleClass. Server libraries stay
// loaded until the process ends, since their objects may live that long.
#include <functional>
#include <memory>
#include <string>

#include "Automation.h"

using TOleClassFactory = std::function<std::shared_ptr<IDispatch>()>;

// Names compare without regard to case; a second registration replaces the first.
void RegisterOleClass(const std::string& progId, TOleClassFactory factory);
void UnregisterOleClass(const std::string& progId);
bool OleClassRegistered(const std::string& progId);

// Raises EOleError "Invalid class string: <ProgID>" for an unknown name, or
// a text naming the server library when that cannot be loaded or does not
// register the class.
Variant CreateOleObject(const std::string& progId);

// The export a server library provides.
using TKesrRegisterOleServers = void();
constexpr const char* KesrRegisterOleServersName = "KesrRegisterOleServers";

// Registers a built-in class while the program or library loads:
//   static const TOleClassRegistration Registration("VtxC.VTXClass1",
//       [] { return std::make_shared<TVtxClass>(); });
class TOleClassRegistration {
public:
  TOleClassRegistration(const std::string& progId, TOleClassFactory factory) {
    RegisterOleClass(progId, std::move(factory));
  }
};
