#pragma once
// The embedded backend: one SQLite database file per server installation.
#include "Database.h"

struct sqlite3;

namespace Appserver {

class TSqliteDatabase final : public IDatabase {
public:
  // Opens (creating when missing) the file; ":memory:" gives a private database.
  explicit TSqliteDatabase(const std::string& path);
  ~TSqliteDatabase() override;
  TSqliteDatabase(const TSqliteDatabase&) = delete;
  TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

  TBackendKind Kind() const override { return TBackendKind::Sqlite; }
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
  TRowSet Run(const std::string& sql, const std::vector<TDbValue>& params, bool readOnly, std::int64_t* changes);
  sqlite3* FDb = nullptr;
};

// "CHAR(4)" -> Char 4; the declared types of the schema and the catalogue.
TColumnInfo ParseDeclaredType(const std::string& name, const std::string& declared);

}  // namespace Appserver
