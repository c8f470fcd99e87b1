#pragma once
// An object server on a free local port for the life of a test, and a
// small application server that answers data requests from a fixed table
// of sales orders.
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AutoObject.h"
#include "RemoteServer.h"
#include "VarArray.h"

class TServedObjects {
public:
  explicit TServedObjects(TRemoteServer::TFactory Factory)
      : FServer("127.0.0.1", 0, std::move(Factory)), FThread([this] { FServer.Run(); }) {}
  ~TServedObjects() {
    FServer.Stop();
    FThread.join();
  }
  int Port() const { return FServer.Port(); }

private:
  TRemoteServer FServer;
  std::thread FThread;
};

// What the server was asked, for the tests to check.
struct TRequestLog {
  std::vector<std::string> Requests;  // "provider|command text"
};

class TOrderServer final : public TAutoObject {
public:
  explicit TOrderServer(std::shared_ptr<TRequestLog> Log) : FLog(std::move(Log)) {
    AddMethod("DataRequest", 2, [this](TVarArgs& a) {
      const std::string provider = VarToStr(a[0].Value()), sql = VarToStr(a[1].Value());
      FLog->Requests.push_back(provider + "|" + sql);
      if (provider != "Provider1") throw EOleError("unknown provider " + provider);
      return Packet();
    });
  }

  // Order type (padded as CHAR columns are), number, amount (one null).
  static Variant Packet() {
    return VarArrayOf({VarArrayOf({VarArrayOf({"TC001", "CHAR", 4, 0, "单别"}),
                                   VarArrayOf({"TC002", "CHAR", 11, 0, "单号"}),
                                   VarArrayOf({"TC029", "NUMERIC", 16, 2, ""})}),
                       VarArrayOf({VarArrayOf({"220 ", "20240301001", 100.5}),
                                   VarArrayOf({"210 ", "20240302001", 20}),
                                   VarArrayOf({"220 ", "20240301000", Null()}),
                                   VarArrayOf({"210 ", "20240301009", 7})})});
  }

private:
  std::shared_ptr<TRequestLog> FLog;
};
