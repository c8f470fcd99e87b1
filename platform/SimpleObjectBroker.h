#pragma once
// A list of application servers a socket connection may use. The
// connection asks the broker for a server when it opens and reports back
// whether that server answered, so that a dead server is passed over until
// every server has failed once.
#include <string>
#include <vector>

#include "Component.h"

struct TServerItem {
  std::string ComputerName;
  int Port = 211;
  bool Enabled = true;
  bool HasFailed = false;
};

class TSimpleObjectBroker : public TComponent {
  KESR_CLASS(TSimpleObjectBroker, TComponent)
public:
  explicit TSimpleObjectBroker(TComponent* AOwner) : TComponent(AOwner) {}

  TServerItem& AddServer(const std::string& ComputerName, int Port);
  void ClearServers() { FServers.clear(); FNext = 0; }
  int ServerCount() const { return static_cast<int>(FServers.size()); }
  // EListError for an index out of range.
  TServerItem& Servers(int Index);
  const TServerItem& Servers(int Index) const;

  // False: always the first usable server; true: the usable servers in turn.
  bool LoadBalanced() const { return FLoadBalanced; }
  void SetLoadBalanced(bool Value) { FLoadBalanced = Value; }

  // The server to try next: an enabled one that has not failed. When all
  // enabled servers have failed their marks are cleared and the search
  // starts again. nullptr when no server is enabled.
  const TServerItem* NextServer();
  // Marks the server of that name as answered or failed.
  void SetConnectStatus(const std::string& ComputerName, int Port, bool Success);

private:
  std::vector<TServerItem> FServers;
  bool FLoadBalanced = false;
  int FNext = 0;
};
