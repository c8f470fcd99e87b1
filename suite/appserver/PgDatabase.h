#pragma once
// The server backend: a PostgreSQL database reached through libpq.
#include "Database.h"

typedef struct pg_conn PGconn;

namespace Appserver {

class TPgDatabase final : public IDatabase {
public:
  // A libpq connection string ("host=127.0.0.1 port=5432 dbname=erp user=erp").
  explicit TPgDatabase(const std::string& conninfo);
  ~TPgDatabase() override;
  TPgDatabase(const TPgDatabase&) = delete;
  TPgDatabase& operator=(const TPgDatabase&) = delete;

  TBackendKind Kind() const override { return TBackendKind::Postgres; }
  TRowSet QueryReadOnly(const std::string& sql, const std::vector<TDbValue>& params) override;
  TRowSet Query(const std::string& sql, const std::vector<TDbValue>& params) override;
  std::int64_t Execute(const std::string& sql, const std::vector<TDbValue>& params) override;
  void ExecuteScript(const std::string& script) override;
  void InsertRows(const std::string& table, const std::vector<std::string>& columns,
                  const std::vector<std::vector<TDbValue>>& rows) override;
  void Begin() override;
  void Commit() override;
  void Rollback() override;
  std::vector<TColumnInfo> Columns(const std::string& table) override;

private:
  TRowSet Run(const std::string& sql, const std::vector<TDbValue>& params, std::int64_t* changes);
  PGconn* FConn = nullptr;
  bool FInTransaction = false;
};

// "?" markers to "$1", "$2", ... outside literals and quoted names.
std::string NumberParameters(const std::string& sql);

}  // namespace Appserver
