#pragma once
// The one interface both database backends implement. Statements use "?" as
// the parameter marker; every write the server makes is parameterised.
#include "Exceptions.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace Appserver {

KESR_DECLARE_EXCEPTION(EDatabaseError, Exception);

struct TBlob {
  std::string Bytes;
  bool operator==(const TBlob&) const = default;
};

// NULL, integer, number, text or bytes: what a cell of the ERP database holds.
using TDbValue = std::variant<std::monostate, std::int64_t, double, std::string, TBlob>;

std::string DbValueText(const TDbValue& value);  // NULL gives ""
bool DbValueIsNull(const TDbValue& value);

enum class TFieldKind { Char, VarChar, Integer, Numeric, Text, Blob, Unknown };

const char* FieldKindName(TFieldKind kind);

struct TColumnInfo {
  std::string Name;
  TFieldKind Kind = TFieldKind::Unknown;
  int Width = 0;  // declared length of CHAR/VARCHAR, precision of NUM
  int Scale = 0;
};

struct TRowSet {
  std::vector<TColumnInfo> Fields;
  std::vector<std::vector<TDbValue>> Rows;
  int FieldIndex(const std::string& name) const;  // -1 when missing; ignores case
};

enum class TBackendKind { Sqlite, Postgres };

class IDatabase {
public:
  virtual ~IDatabase() = default;
  virtual TBackendKind Kind() const = 0;
  // Runs one statement that must not change anything.
  virtual TRowSet QueryReadOnly(const std::string& sql, const std::vector<TDbValue>& params = {}) = 0;
  // Runs one statement; the answer is the number of rows it changed.
  virtual std::int64_t Execute(const std::string& sql, const std::vector<TDbValue>& params = {}) = 0;
  virtual TRowSet Query(const std::string& sql, const std::vector<TDbValue>& params = {}) = 0;
  // Runs a script of several statements without parameters (schema set-up only).
  virtual void ExecuteScript(const std::string& script) = 0;
  // Inserts many rows into one table in as few round trips as the backend allows.
  virtual void InsertRows(const std::string& table, const std::vector<std::string>& columns,
                          const std::vector<std::vector<TDbValue>>& rows) = 0;
  virtual void Begin() = 0;
  virtual void Commit() = 0;
  virtual void Rollback() = 0;
  // Columns of a table or view from the database's own catalogue; empty when
  // there is no such table.
  virtual std::vector<TColumnInfo> Columns(const std::string& table) = 0;
};

// Rolls back unless committed: every transaction ends on every path.
class TTransaction {
public:
  explicit TTransaction(IDatabase& db) : FDb(db) { FDb.Begin(); }
  ~TTransaction() {
    if (!FDone) {
      try { FDb.Rollback(); } catch (...) {}
    }
  }
  void Commit() { FDb.Commit(); FDone = true; }
  TTransaction(const TTransaction&) = delete;
  TTransaction& operator=(const TTransaction&) = delete;

private:
  IDatabase& FDb;
  bool FDone = false;
};

}  // namespace Appserver
