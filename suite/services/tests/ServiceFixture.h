#pragma once
// The application server over the small demo database, reached both ways a
// host reaches it: a TCP server on a free local port, and the server class
// created in process for the address 127.0.0.1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "DemoData.h"
#include "HostServices.h"
#include "Registry.h"
#include "RemoteServer.h"
#include "SqliteDatabase.h"
#include "ZovizerServer.h"

class TDemoServer {
public:
  static TDemoServer& Instance() {
    static TDemoServer server;
    return server;
  }
  int Port() const { return FServer->Port(); }

  ~TDemoServer() {
    FServer->Stop();
    FThread.join();
    SetRegistryStore(FPreviousRegistry);
    unsetenv("KESR_APPSERVER_INI");
    std::error_code ec;
    std::filesystem::remove_all(FDir, ec);
  }

private:
  TDemoServer() {
    char pattern[] = "/tmp/kesr-services-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot create a temporary folder");
    FDir = pattern;
    const std::string db = FDir + "/erp.db";
    {
      Appserver::TSqliteDatabase sqlite(db);
      Appserver::CreateDemoDatabase(sqlite, Appserver::TErpSchema::Shipped(), Appserver::TDemoOptions::Small());
    }
    std::ofstream(FDir + "/OrvaneS.ini") << "[DBE Setting]\r\nMainDBType=SQLITE\r\nMainDBName=" << db << "\r\n";
    // The in-process server reads this configuration.
    setenv("KESR_APPSERVER_INI", (FDir + "/OrvaneS.ini").c_str(), 1);
    FPreviousRegistry = SetRegistryStore(std::make_shared<TMemoryRegistryStore>(TRegistryData::Parse(
        "[HKEY_CLASSES_ROOT\\ZovizerE.Class1]\nInprocServer=" KESR_OUTPUT_DIR "/ZovizerE.dll\n")));
    FServer = std::make_unique<TRemoteServer>("127.0.0.1", 0, [db] {
      return std::make_shared<TZovizerServer>(std::make_unique<Appserver::TSqliteDatabase>(db), 0);
    });
    FThread = std::thread([this] { FServer->Run(); });
  }

  std::string FDir;
  std::shared_ptr<IRegistryStore> FPreviousRegistry;
  std::unique_ptr<TRemoteServer> FServer;
  std::thread FThread;
};

enum class TTransport { Tcp, InProcess };

inline std::string TransportName(const ::testing::TestParamInfo<TTransport>& info) {
  return info.param == TTransport::Tcp ? "Tcp" : "InProcess";
}

// The host's settings for a transport; "localhost" reaches the TCP server
// without being the in-process address.
inline THostServiceSettings DemoSettings(TTransport Transport) {
  THostServiceSettings s;
  s.UserCode = "DS";
  s.CompanyCode = "DEMOA";
  s.DataSource = "DEMO";
  if (Transport == TTransport::Tcp) {
    s.ServerAddress = "localhost";
    s.ServerPort = TDemoServer::Instance().Port();
  } else {
    s.ServerAddress = "127.0.0.1";
    s.ServerPort = 1;  // never used: no socket is opened
    TDemoServer::Instance();
  }
  return s;
}
