#include "TestDatabases.h"

#include "PgDatabase.h"
#include "PgTestServer.h"
#include "SqliteDatabase.h"

#include <unistd.h>

#include <filesystem>

namespace TestDatabases {

using namespace Appserver;

const TErpSchema& Schema() {
  static const TErpSchema schema = TErpSchema::Load(KESR_SOURCE_DIR "/data/erp/schema.def");
  return schema;
}

namespace {
Appserver::TDemoOptions gDemoOptions = Appserver::TDemoOptions::Small();
}

void SetDemoOptions(const TDemoOptions& options) { gDemoOptions = options; }

const std::string& SqlitePath() {
  static const std::string path = [] {
    const std::string p = std::filesystem::temp_directory_path() / ("kesr-erp-" + std::to_string(getpid()) + ".db");
    std::filesystem::remove(p);
    TSqliteDatabase db(p);
    CreateDemoDatabase(db, Schema(), gDemoOptions);
    return p;
  }();
  static struct TCleanup {
    ~TCleanup() {
      std::error_code ec;
      for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix, ec);
    }
  } cleanup;
  return path;
}

const std::string& PgConninfo() {
  static const std::string conninfo = []() -> std::string {
    TPgTestServer* server = TPgTestServer::Instance();
    if (!server) return {};
    const std::string c = server->NewDatabase();
    TPgDatabase db(c);
    CreateDemoDatabase(db, Schema(), gDemoOptions);
    return c;
  }();
  return conninfo;
}

const std::string& PgSkipReason() { return TPgTestServer::SkipReason(); }

std::unique_ptr<IDatabase> Open(TBackendKind kind) {
  if (kind == TBackendKind::Sqlite) return std::make_unique<TSqliteDatabase>(SqlitePath());
  if (PgConninfo().empty()) return nullptr;
  return std::make_unique<TPgDatabase>(PgConninfo());
}

}  // namespace TestDatabases
