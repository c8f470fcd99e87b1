#pragma once
// A late-bound object on the application server daemon, reached over TCP:
// every call is one framed request and one framed reply on the connection.
#include "Automation.h"

#include <mutex>

class TRemoteObject final : public IDispatch {
public:
  // Connects at once; failures raise EOleError with the reason.
  TRemoteObject(const std::string& host, int port);
  ~TRemoteObject() override;
  TRemoteObject(const TRemoteObject&) = delete;
  TRemoteObject& operator=(const TRemoteObject&) = delete;

  Variant Invoke(const std::string& name, TInvokeKind kind, TVarArgs& args) override;

private:
  int FSocket = -1;
  std::mutex FLock;
};
