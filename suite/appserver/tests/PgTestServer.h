#pragma once
// A PostgreSQL server of the test's own: initdb and pg_ctl in a temporary
// folder, on a free loopback port, stopped when the process ends. Runs as
// the "postgres" user when the tests run as root (initdb refuses root).
#include <memory>
#include <string>

class TPgTestServer {
public:
  // The shared server of this test process, started on first use; nullptr
  // (with the reason in SkipReason) when PostgreSQL is not installed.
  static TPgTestServer* Instance();
  static const std::string& SkipReason();
  // Connection string of a fresh, empty database.
  std::string NewDatabase();
  ~TPgTestServer();

private:
  TPgTestServer() = default;
  std::string FBin, FDir, FRunAs;
  int FPort = 0, FNextDb = 0;
};
