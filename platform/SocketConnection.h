#pragma once
// The connection to the application server. Opened, it holds a TCP session
// with the server daemon at Address:Port (or at a server its ObjectBroker
// names) and hands out the server object; ServerName is the server's class
// name, which a caller that wants the server in process creates itself and
// gives to the connection with SetAppServer (no socket is opened then).
#include <memory>
#include <string>

#include "Component.h"
#include "Events.h"
#include "Variant.h"

class TSimpleObjectBroker;

// Opening failed: no address, no broker server, or the server did not answer.
KESR_DECLARE_EXCEPTION(ESocketConnectionError, Exception);

class TSocketConnection : public TComponent {
  KESR_CLASS(TSocketConnection, TComponent)
public:
  explicit TSocketConnection(TComponent* AOwner);
  ~TSocketConnection() override;

  const std::string& Address() const { return FAddress; }
  void SetAddress(const std::string& Value);
  int Port() const { return FPort; }
  void SetPort(int Value);
  const std::string& ServerName() const { return FServerName; }
  void SetServerName(const std::string& Value) { FServerName = Value; }
  // Used only while Address is empty.
  TSimpleObjectBroker* ObjectBroker() const { return FObjectBroker; }
  void SetObjectBroker(TSimpleObjectBroker* Value);

  bool Connected() const { return !FAppServer.IsEmpty(); }
  void SetConnected(bool Value);
  // ESocketConnectionError with the reason when no server can be reached;
  // nothing happens when already connected.
  void Open();
  // Drops the session (and an object given with SetAppServer).
  void Close();

  // The application server; Unassigned while not connected.
  Variant AppServer() const { return FAppServer; }
  // Connects to a server object the caller created (in process); an empty
  // variant closes.
  void SetAppServer(const Variant& Value);
  // True while connected through SetAppServer rather than a socket.
  bool IsLocal() const { return Connected() && !FRemote; }

  TNotifyEvent AfterConnect;
  TNotifyEvent AfterDisconnect;

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  Variant ConnectTo(const std::string& Host, int Port);

  std::string FAddress;
  int FPort = 211;
  std::string FServerName;
  TSimpleObjectBroker* FObjectBroker = nullptr;
  Variant FAppServer;
  bool FRemote = false;
};
