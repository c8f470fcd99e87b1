#pragma once
// Demo databases shared by the tests of one process: SQLite in a temporary
// file and, when installed, PostgreSQL on the test's own server.
#include "DemoData.h"

#include <memory>
#include <string>

namespace TestDatabases {

const Appserver::TErpSchema& Schema();
// The demo size the databases below are created with (default: the small
// one); set it before their first use.
void SetDemoOptions(const Appserver::TDemoOptions& options);
// A path to a SQLite demo database; created once.
const std::string& SqlitePath();
// A connection string to a PostgreSQL demo database, or empty (then the
// reason is in PgSkipReason()).
const std::string& PgConninfo();
const std::string& PgSkipReason();
std::unique_ptr<Appserver::IDatabase> Open(Appserver::TBackendKind kind);

}  // namespace TestDatabases
