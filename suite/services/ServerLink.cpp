#include "ServerLink.h"

#include "ComObj.h"
#include "VarArray.h"

THostServerLink::THostServerLink(THostServiceSettings Settings)
    : FSettings(std::move(Settings)), FConnection(std::make_unique<TSocketConnection>(nullptr)) {
  FConnection->SetServerName(FSettings.ServerName);
}

THostServerLink::~THostServerLink() = default;

bool THostServerLink::InProcess() const { return FSettings.ServerAddress == "127.0.0.1"; }

Variant THostServerLink::Server() {
  if (FConnection->Connected()) return FConnection->AppServer();
  if (InProcess()) {
    FConnection->SetAppServer(CreateOleObject(FSettings.ServerName));
  } else {
    FConnection->SetAddress(FSettings.ServerAddress);
    FConnection->SetPort(FSettings.ServerPort);
    FConnection->Open();
  }
  try {
    OleCall(FConnection->AppServer(), "Connect",
            {VarArrayOf({FSettings.ProgramCode, FSettings.UserCode, FSettings.CompanyCode, FSettings.DataSource, ""})});
  } catch (...) {
    FConnection->Close();
    throw;
  }
  return FConnection->AppServer();
}
