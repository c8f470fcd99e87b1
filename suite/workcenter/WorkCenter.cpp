#include "WorkCenter.h"

#include <cstdlib>
#include <memory>

#include "ComObj.h"
#include "DynLib.h"
#include "IniFile.h"
#include "Paths.h"
#include "StrUtils.h"
#include "StringList.h"

namespace {

std::string FolderOf(const std::string& FileName) {
  const std::size_t slash = FileName.find_last_of('/');
  return slash == std::string::npos ? std::string() : FileName.substr(0, slash + 1);
}

std::string Key(const std::string& Type, const std::string& Number) { return UpperCase(Type) + ";" + Number; }

}  // namespace

THostConfiguration THostConfiguration::Load(const std::string& FileName) {
  THostConfiguration config;
  if (FileName.empty() || !FileExists(FileName)) return config;
  TIniFile ini(FileName);
  config.UserCode = ini.ReadString("Session", "UserCode", config.UserCode);
  config.CompanyCode = ini.ReadString("Session", "CompanyCode", config.CompanyCode);
  config.DataSource = ini.ReadString("Session", "DataSource", config.DataSource);
  config.HostWindow = ini.ReadInteger("Session", "HostWindow", static_cast<int>(config.HostWindow));
  const std::string table = ini.ReadString("Session", "HostTable", "");
  if (!table.empty()) {
    config.HostTable.clear();
    TStringList entries;
    entries.SetDelimiter(',');
    entries.SetStrictDelimiter(true);
    entries.SetDelimitedText(table);
    for (int i = 0; i < entries.Count(); ++i) {
      const std::string entry = Trim(entries[i]);
      const std::size_t colon = entry.find(':');
      config.HostTable.emplace_back(Trim(entry.substr(0, colon)),
                                    colon == std::string::npos ? std::string() : Trim(entry.substr(colon + 1)));
    }
  }
  config.ServerAddress = ini.ReadString("Server", "Address", config.ServerAddress);
  config.ServerPort = ini.ReadInteger("Server", "Port", config.ServerPort);
  config.VersionType = ini.ReadInteger("Session", "VersionType", config.VersionType);
  config.ProductID = ini.ReadInteger("Session", "ProductID", config.ProductID);
  std::string messages = ini.ReadString("Files", "Messages", config.MessageFile);
  config.MessageFile = !messages.empty() && messages[0] != '/' ? FolderOf(FileName) + messages : messages;
  return config;
}

THostServiceSettings THostConfiguration::ServiceSettings() const {
  THostServiceSettings settings;
  settings.UserCode = UserCode;
  settings.CompanyCode = CompanyCode;
  settings.DataSource = DataSource;
  settings.ServerAddress = ServerAddress;
  settings.ServerPort = ServerPort;
  return settings;
}

std::string DefaultHostConfigurationFile() {
  if (const char* path = std::getenv("KESR_HOST_CONFIG"); path && *path) return path;
  static const int Anchor = 0;
  return FolderOf(ModuleFileNameOf(&Anchor)) + "host/erp-host.ini";
}

TWorkCenterManager::TWorkCenterManager(THostConfiguration Configuration)
    : FConfiguration(std::move(Configuration)) {
  if (FileExists(FConfiguration.MessageFile)) {
    TIniFile catalogue(FConfiguration.MessageFile);
    TStringList types, values;
    catalogue.ReadSections(types);
    for (int t = 0; t < types.Count(); ++t) {
      catalogue.ReadSectionValues(types[t], values);
      for (int v = 0; v < values.Count(); ++v) FMessages[Key(types[t], values.Names(v))] = values.ValueFromIndex(v);
    }
  }
  AddMethod("GetMessage", 2, [this](TVarArgs& a) {
    return Variant::OleStr(GetMessage(a[0].Value().AsString(), a[1].Value().AsString()));
  });
  AddMethod("CallHelp", 1, [this](TVarArgs& a) {
    if (OnRequest) OnRequest("CallHelp", a[0].Value());
    return Variant();
  });
  AddMethod("SetFormCreateStyle", 1, [this](TVarArgs& a) {
    if (OnRequest) OnRequest("SetFormCreateStyle", a[0].Value());
    return Variant();
  });
  // No update server: no file has a newer version to offer.
  AddMethod("GetFileList", 1, [](TVarArgs&) { return Variant::OleStr(""); });
  AddMethod("VersionType", 0, [this](TVarArgs&) { return Variant(FConfiguration.VersionType); });
  AddMethod("ProductID", 0, [this](TVarArgs&) { return Variant(FConfiguration.ProductID); });
  AddMethod("Com_Counter", 0, [this](TVarArgs&) { return Service(FCounter, &CreateCounterObject); });
  AddMethod("Com_Validator", 0, [this](TVarArgs&) { return Service(FValidator, &CreateValidatorObject); });
  AddMethod("Com_F2Window", 0, [this](TVarArgs&) { return Service(FLookup, &CreateLookupWindowObject); });
}

std::string TWorkCenterManager::GetMessage(const std::string& Type, const std::string& Number) const {
  const auto found = FMessages.find(Key(Type, Number));
  if (found != FMessages.end()) return found->second;
  return "未定义的讯息 " + Type + ";" + Number;
}

Variant TWorkCenterManager::Service(Variant& Cache, Variant (*Create)(const THostServiceSettings&)) {
  if (Cache.IsEmpty()) Cache = Create(FConfiguration.ServiceSettings());
  return Cache;
}

extern "C" void KesrRegisterOleServers() {
  RegisterOleClass(WorkCenterProgID, [] {
    return std::make_shared<TWorkCenterManager>(THostConfiguration::Load(DefaultHostConfigurationFile()));
  });
}
