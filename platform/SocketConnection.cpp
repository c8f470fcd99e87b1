#include "SocketConnection.h"

#include <memory>

#include "RemoteClient.h"
#include "SimpleObjectBroker.h"
#include "TypInfo.h"

TSocketConnection::TSocketConnection(TComponent* AOwner) : TComponent(AOwner) {}

TSocketConnection::~TSocketConnection() {
  SetObjectBroker(nullptr);
  FAppServer = Unassigned();
}

void TSocketConnection::SetAddress(const std::string& Value) {
  if (Value == FAddress) return;
  Close();
  FAddress = Value;
}

void TSocketConnection::SetPort(int Value) {
  if (Value == FPort) return;
  Close();
  FPort = Value;
}

void TSocketConnection::SetObjectBroker(TSimpleObjectBroker* Value) {
  if (Value == FObjectBroker) return;
  if (FObjectBroker) FObjectBroker->RemoveFreeNotification(this);
  FObjectBroker = Value;
  if (FObjectBroker) FObjectBroker->FreeNotification(this);
}

void TSocketConnection::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FObjectBroker) FObjectBroker = nullptr;
}

void TSocketConnection::SetConnected(bool Value) {
  if (Value)
    Open();
  else
    Close();
}

Variant TSocketConnection::ConnectTo(const std::string& Host, int Port) {
  return Variant(std::static_pointer_cast<IDispatch>(std::make_shared<TRemoteObject>(Host, Port)));
}

void TSocketConnection::Open() {
  if (Connected()) return;
  if (!FAddress.empty()) {
    try {
      FAppServer = ConnectTo(FAddress, FPort);
    } catch (const Exception& e) {
      throw ESocketConnectionError(e.Message());
    }
  } else if (FObjectBroker) {
    // Each enabled server once, passing over those that do not answer.
    std::string why = "Cannot open the connection: the object broker has no enabled server";
    for (int tries = FObjectBroker->ServerCount(); tries > 0 && FAppServer.IsEmpty(); --tries) {
      const TServerItem* server = FObjectBroker->NextServer();
      if (!server) break;
      const std::string host = server->ComputerName;
      const int port = server->Port;
      try {
        FAppServer = ConnectTo(host, port);
        FObjectBroker->SetConnectStatus(host, port, true);
      } catch (const Exception& e) {
        FObjectBroker->SetConnectStatus(host, port, false);
        why = e.Message();
      }
    }
    if (FAppServer.IsEmpty()) throw ESocketConnectionError(why);
  } else {
    throw ESocketConnectionError("Cannot open the connection: no server address is set");
  }
  FRemote = true;
  AfterConnect(this);
}

void TSocketConnection::Close() {
  if (!Connected()) return;
  FAppServer = Unassigned();
  FRemote = false;
  AfterDisconnect(this);
}

void TSocketConnection::SetAppServer(const Variant& Value) {
  Close();
  if (Value.IsEmpty()) return;
  if (!Value.IsObject()) throw ESocketConnectionError("The application server must be an automation object");
  FAppServer = Value;
  FRemote = false;
  AfterConnect(this);
}

const TClass& TSocketConnection::StaticClass() {
  static const TClass Class =
      TClassBuilder<TSocketConnection>("TSocketConnection")
          .Property("Address", &TSocketConnection::Address, &TSocketConnection::SetAddress)
          .Property("Port", &TSocketConnection::Port, &TSocketConnection::SetPort).Default(211)
          .Property("ServerName", &TSocketConnection::ServerName, &TSocketConnection::SetServerName)
          .Property("ObjectBroker", &TSocketConnection::ObjectBroker, &TSocketConnection::SetObjectBroker)
          .Property("Connected", &TSocketConnection::Connected, &TSocketConnection::SetConnected)
          .Property("AfterConnect", &TSocketConnection::AfterConnect, &TSocketConnection::AfterConnect)
          .Property("AfterDisconnect", &TSocketConnection::AfterDisconnect, &TSocketConnection::AfterDisconnect)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TSocketConnection::StaticClass()), true);
}
