#pragma once
// Serves late-bound objects over TCP: one object per connection, a thread
// per connection, every failure answered to the client as an error.
#include "Automation.h"

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

class TRemoteServer {
public:
  using TFactory = std::function<std::shared_ptr<IDispatch>()>;
  // Binds and listens at once; port 0 takes a free port.
  TRemoteServer(const std::string& address, int port, TFactory factory);
  ~TRemoteServer();
  TRemoteServer(const TRemoteServer&) = delete;
  TRemoteServer& operator=(const TRemoteServer&) = delete;

  int Port() const { return FPort; }
  // Accepts until Stop; then lets running calls finish and closes every connection.
  void Run();
  // Safe from a signal handler.
  void Stop() noexcept;

private:
  struct TConnection {
    int Socket = -1;
    std::thread Thread;
    std::atomic<bool> Done{false};
  };
  void Serve(TConnection& connection);
  void Reap(bool all);

  TFactory FFactory;
  int FListen = -1, FWake[2] = {-1, -1}, FPort = 0;
  std::mutex FLock;
  std::list<TConnection> FConnections;
};
