#include "SimpleObjectBroker.h"

#include "TypInfo.h"

TServerItem& TSimpleObjectBroker::AddServer(const std::string& ComputerName, int Port) {
  FServers.push_back({ComputerName, Port, true, false});
  return FServers.back();
}

TServerItem& TSimpleObjectBroker::Servers(int Index) {
  return const_cast<TServerItem&>(std::as_const(*this).Servers(Index));
}

const TServerItem& TSimpleObjectBroker::Servers(int Index) const {
  if (Index < 0 || Index >= ServerCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FServers[Index];
}

const TServerItem* TSimpleObjectBroker::NextServer() {
  const int count = ServerCount();
  for (int pass = 0; pass < 2; ++pass) {
    const int start = FLoadBalanced ? FNext : 0;
    for (int i = 0; i < count; ++i) {
      const int at = (start + i) % count;
      const TServerItem& item = FServers[at];
      if (!item.Enabled || item.HasFailed) continue;
      FNext = (at + 1) % count;
      return &item;
    }
    bool anyEnabled = false;
    for (auto& item : FServers) {
      anyEnabled = anyEnabled || item.Enabled;
      item.HasFailed = false;
    }
    if (!anyEnabled) break;
  }
  return nullptr;
}

void TSimpleObjectBroker::SetConnectStatus(const std::string& ComputerName, int Port, bool Success) {
  for (auto& item : FServers)
    if (item.ComputerName == ComputerName && item.Port == Port) item.HasFailed = !Success;
}

const TClass& TSimpleObjectBroker::StaticClass() {
  static const TClass Class = TClassBuilder<TSimpleObjectBroker>("TSimpleObjectBroker")
                                  .Property("LoadBalanced", &TSimpleObjectBroker::LoadBalanced,
                                            &TSimpleObjectBroker::SetLoadBalanced)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TSimpleObjectBroker::StaticClass()), true);
}
