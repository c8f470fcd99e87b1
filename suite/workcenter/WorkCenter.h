#pragma once
// The ERP client's session object, "TolvekWorkCenter.Manager": what a
// report module calls late-bound on the session the host hands it (message
// catalogue, help, version values, the host's service objects). The host
// shell creates it from its configuration; a module running stand-alone
// creates it by class name and it reads the host configuration itself.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "AutoObject.h"
#include "HostServices.h"

// The host's configuration file (an INI file; a missing file or key reads
// as the defaults below).
struct THostConfiguration {
  std::string UserCode = "DS";
  std::string CompanyCode = "DEMOA";
  std::string DataSource = "ERPDB";
  std::int64_t HostWindow = 0;
  // (code, flag) pairs, handed to the module as a two-row table.
  std::vector<std::pair<std::string, std::string>> HostTable{{"A01", "Y"}};
  std::string ServerAddress = "127.0.0.1";
  int ServerPort = 7211;
  int VersionType = 1;
  int ProductID = 1;
  // The message catalogue: [type] number=template; relative to the
  // configuration file's folder.
  std::string MessageFile = "Messages.ini";

  static THostConfiguration Load(const std::string& FileName);
  THostServiceSettings ServiceSettings() const;
};

// $KESR_HOST_CONFIG, else host/erp-host.ini beside this library.
std::string DefaultHostConfigurationFile();

class TWorkCenterManager : public TAutoObject {
public:
  explicit TWorkCenterManager(THostConfiguration Configuration);

  const THostConfiguration& Configuration() const { return FConfiguration; }
  // The template for a message; a code missing from the catalogue gets a
  // text naming it, so the user still sees which message was meant.
  std::string GetMessage(const std::string& Type, const std::string& Number) const;

  // Told of every CallHelp and SetFormCreateStyle call (member, argument),
  // for a host that reports them.
  std::function<void(const std::string&, const Variant&)> OnRequest;

private:
  Variant Service(Variant& Cache, Variant (*Create)(const THostServiceSettings&));

  THostConfiguration FConfiguration;
  std::map<std::string, std::string> FMessages;  // "E;000038" -> template
  Variant FCounter, FValidator, FLookup;
};

constexpr const char* WorkCenterProgID = "TolvekWorkCenter.Manager";

extern "C" void KesrRegisterOleServers();
