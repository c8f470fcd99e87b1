#pragma once
// "ZovizerE.Class1": the application server as a late-bound object, created
// in-process (CreateOleObject) or served to remote clients by the daemon.
// One object is one client session.
#include "AppService.h"
#include "AutoObject.h"
#include "ServerConfig.h"

class TZovizerServer final : public TAutoObject {
public:
  // Opens the configured database (created with demo data when missing).
  explicit TZovizerServer(const Appserver::TServerConfig& config);
  TZovizerServer(std::unique_ptr<Appserver::IDatabase> db, int sqlType);

  static constexpr const char* ProgId = "ZovizerE.Class1";

private:
  void AddMembers();
  Appserver::TAppService FService;
};

// Answers of the server as the client's data set and look-ups read them.
Variant DbValueToVariant(const Appserver::TDbValue& value);
Variant RowsToVariant(const std::vector<std::vector<Appserver::TDbValue>>& rows);
// [fields, rows]; a field is [name, type name, width, scale, caption].
Variant DataPacketToVariant(const Appserver::TDataPacket& packet);
