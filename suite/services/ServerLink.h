#pragma once
// One service object's session with the application server: opened on the
// first call, over TCP or with the server class created in process when
// the address is "127.0.0.1", and kept until the object goes.
#include <memory>

#include "HostServices.h"
#include "SocketConnection.h"

class THostServerLink {
public:
  explicit THostServerLink(THostServiceSettings Settings);
  ~THostServerLink();
  THostServerLink(const THostServerLink&) = delete;
  THostServerLink& operator=(const THostServerLink&) = delete;

  const THostServiceSettings& Settings() const { return FSettings; }
  // The server with its session opened for the host's user and company.
  // Failures raise; the next call tries again.
  Variant Server();
  bool InProcess() const;

private:
  THostServiceSettings FSettings;
  std::unique_ptr<TSocketConnection> FConnection;
};
