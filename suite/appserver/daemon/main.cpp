// appserver: serves "ZovizerE.Class1" sessions to the ERP clients over TCP.
//   appserver [--config OrvaneS.ini] [--port N]    run until SIGTERM or SIGINT
//   appserver --scramble PASSWORD                   the value for the key XXXXXX
#include "RemoteServer.h"
#include "ZovizerServer.h"

#include <csignal>
#include <cstring>
#include <iostream>

namespace {

TRemoteServer* gServer = nullptr;

void OnSignal(int) {
  if (gServer) gServer->Stop();
}

int Usage() {
  std::cerr << "usage: appserver [--config OrvaneS.ini] [--port N] | --scramble PASSWORD\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string iniPath = Appserver::TServerConfig::DefaultPath();
  int port = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--scramble" && i + 1 < argc) {
      std::cout << Appserver::EncodeSQLSa(argv[++i]) << "\n";
      return 0;
    }
    if (arg == "--config" && i + 1 < argc) iniPath = argv[++i];
    else if (arg == "--port" && i + 1 < argc) port = std::atoi(argv[++i]);
    else return Usage();
  }
  try {
    const auto config = Appserver::TServerConfig::Read(iniPath);
    // Open (and, for a new SQLite file, create) the database before taking clients.
    config.OpenDatabase(Appserver::TErpSchema::Shipped());
    TRemoteServer server(config.ListenAddress, port >= 0 ? port : config.ListenPort,
                         [config] { return std::make_shared<TZovizerServer>(config); });
    gServer = &server;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::cout << "appserver listening on " << config.ListenAddress << ":" << server.Port() << " ("
              << config.DbType << ")" << std::endl;
    server.Run();
    gServer = nullptr;
    std::cout << "appserver stopped" << std::endl;
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "appserver: " << e.what() << std::endl;
    return 1;
  }
}
