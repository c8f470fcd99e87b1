#include "ComObj.h"

#include <map>
#include <mutex>

#include "DynLib.h"
#include "Registry.h"
#include "StrUtils.h"

namespace {

struct TNameLess {
  bool operator()(const std::string& left, const std::string& right) const {
    return CompareText(left, right) < 0;
  }
};

// Function-local so that registrations made while other libraries load
// find it constructed.
struct TClassTable {
  std::recursive_mutex Lock;
  std::map<std::string, TOleClassFactory, TNameLess> Factories;
  std::map<std::string, HMODULE, TNameLess> Servers;  // by library name as listed
};

TClassTable& Table() {
  static TClassTable table;
  return table;
}

TOleClassFactory FindFactory(const std::string& progId) {
  TClassTable& table = Table();
  std::lock_guard lock(table.Lock);
  auto found = table.Factories.find(progId);
  return found == table.Factories.end() ? TOleClassFactory() : found->second;
}

std::string ServerLibraryOf(const std::string& progId) {
  TRegistry registry;
  registry.RootKey = HKEY_CLASSES_ROOT;
  if (progId.empty() || !registry.OpenKeyReadOnly(progId)) return {};
  return Trim(registry.ReadString("InprocServer"));
}

// Loads the server library once and lets it register its classes.
void LoadServer(const std::string& progId, const std::string& library) {
  TClassTable& table = Table();
  std::lock_guard lock(table.Lock);
  if (table.Servers.contains(library)) return;
  HMODULE module = LoadLibrary(library);
  if (!module)
    throw EOleError("Cannot load server library \"" + library + "\" of class " + progId + ": " +
                    GetLastErrorText());
  auto* registerServers =
      reinterpret_cast<TKesrRegisterOleServers*>(GetProcAddress(module, KesrRegisterOleServersName));
  if (!registerServers) {
    FreeLibrary(module);
    throw EOleError("Server library \"" + library + "\" of class " + progId + " does not export " +
                    KesrRegisterOleServersName);
  }
  table.Servers.emplace(library, module);
  registerServers();
}

}  // namespace

void RegisterOleClass(const std::string& progId, TOleClassFactory factory) {
  TClassTable& table = Table();
  std::lock_guard lock(table.Lock);
  table.Factories[progId] = std::move(factory);
}

void UnregisterOleClass(const std::string& progId) {
  TClassTable& table = Table();
  std::lock_guard lock(table.Lock);
  table.Factories.erase(progId);
}

bool OleClassRegistered(const std::string& progId) { return static_cast<bool>(FindFactory(progId)); }

Variant CreateOleObject(const std::string& progId) {
  TOleClassFactory factory = FindFactory(progId);
  if (!factory) {
    const std::string library = ServerLibraryOf(progId);
    if (library.empty()) throw EOleError("Invalid class string: " + progId);
    LoadServer(progId, library);
    factory = FindFactory(progId);
    if (!factory)
      throw EOleError("Class " + progId + " is not registered by its server library \"" +
                      library + "\"");
  }
  std::shared_ptr<IDispatch> object = factory();
  if (!object) throw EOleError("Server of class " + progId + " created no object");
  return Variant(std::move(object));
}
