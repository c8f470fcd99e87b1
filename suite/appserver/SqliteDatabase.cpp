#include "SqliteDatabase.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Appserver {
namespace {

struct TStatementCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using TStatement = std::unique_ptr<sqlite3_stmt, TStatementCloser>;

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw EDatabaseError(what + ": " + sqlite3_errmsg(db));
}

// Rpad(text, width[, fill]) as the Oracle-style dialect uses it: pads or cuts
// to exactly width characters.
void PadFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool left) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  const std::string text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  const sqlite3_int64 width = sqlite3_value_int64(argv[1]);
  std::string fill = " ";
  if (argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL)
    fill = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
  if (width <= 0 || fill.empty()) {
    sqlite3_result_null(ctx);
    return;
  }
  // Count and cut by characters, not bytes.
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  std::string result;
  if (static_cast<sqlite3_int64>(starts.size()) > width) {
    result = text.substr(0, starts[width]);
  } else {
    result = text;
    std::string pad;
    for (sqlite3_int64 n = width - static_cast<sqlite3_int64>(starts.size()); n > 0; --n) pad += fill[0];
    result = left ? pad + result : result + pad;
  }
  sqlite3_result_text(ctx, result.c_str(), static_cast<int>(result.size()), SQLITE_TRANSIENT);
}

void RpadFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) { PadFunction(ctx, argc, argv, false); }
void LpadFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) { PadFunction(ctx, argc, argv, true); }

void Bind(sqlite3* db, sqlite3_stmt* stmt, const std::vector<TDbValue>& params) {
  for (size_t i = 0; i < params.size(); ++i) {
    const int n = static_cast<int>(i + 1);
    int rc = SQLITE_OK;
    const auto& p = params[i];
    if (std::holds_alternative<std::monostate>(p)) rc = sqlite3_bind_null(stmt, n);
    else if (auto* v = std::get_if<std::int64_t>(&p)) rc = sqlite3_bind_int64(stmt, n, *v);
    else if (auto* d = std::get_if<double>(&p)) rc = sqlite3_bind_double(stmt, n, *d);
    else if (auto* s = std::get_if<std::string>(&p))
      rc = sqlite3_bind_text(stmt, n, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    else if (auto* b = std::get_if<TBlob>(&p))
      rc = sqlite3_bind_blob(stmt, n, b->Bytes.data(), static_cast<int>(b->Bytes.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) Fail(db, "cannot bind parameter " + std::to_string(n));
  }
}

bool OnlyBlanks(const char* tail) {
  for (; *tail; ++tail)
    if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';') return false;
  return true;
}

}  // namespace

TColumnInfo ParseDeclaredType(const std::string& name, const std::string& declared) {
  TColumnInfo info;
  info.Name = name;
  std::string type;
  for (char ch : declared) type += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  int a = 0, b = 0;
  const auto open = type.find('(');
  if (open != std::string::npos) std::sscanf(type.c_str() + open, "(%d,%d", &a, &b);
  const std::string base = type.substr(0, open);
  if (base.rfind("CHAR", 0) == 0 || base.rfind("BPCHAR", 0) == 0) info.Kind = TFieldKind::Char;
  else if (base.find("VARCHAR") != std::string::npos) info.Kind = TFieldKind::VarChar;
  else if (base.find("INT") != std::string::npos) info.Kind = TFieldKind::Integer;
  else if (base.rfind("NUMERIC", 0) == 0 || base.rfind("DECIMAL", 0) == 0) info.Kind = TFieldKind::Numeric;
  else if (base.rfind("TEXT", 0) == 0) info.Kind = TFieldKind::Text;
  else if (base.rfind("BLOB", 0) == 0 || base.rfind("BYTEA", 0) == 0) info.Kind = TFieldKind::Blob;
  info.Width = a;
  info.Scale = b;
  return info;
}

TSqliteDatabase::TSqliteDatabase(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    const std::string why = FDb ? sqlite3_errmsg(FDb) : "out of memory";
    sqlite3_close(FDb);
    throw EDatabaseError("cannot open the database " + path + ": " + why);
  }
  // Several sessions write one file: wait for a busy writer instead of failing.
  sqlite3_busy_timeout(FDb, 10000);
  sqlite3_create_function(FDb, "RPAD", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, RpadFunction, nullptr, nullptr);
  sqlite3_create_function(FDb, "LPAD", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, LpadFunction, nullptr, nullptr);
  ExecuteScript("PRAGMA journal_mode=WAL; PRAGMA case_sensitive_like=ON;");
}

TSqliteDatabase::~TSqliteDatabase() { sqlite3_close_v2(FDb); }

TRowSet TSqliteDatabase::Run(const std::string& sql, const std::vector<TDbValue>& params, bool readOnly,
                             std::int64_t* changes) {
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(FDb, sql.c_str(), static_cast<int>(sql.size()), &raw, &tail) != SQLITE_OK)
    Fail(FDb, "cannot prepare the statement");
  TStatement stmt(raw);
  if (!stmt) throw EDatabaseError("empty statement");
  if (tail && !OnlyBlanks(tail)) throw EDatabaseError("only one statement may be sent at a time");
  if (readOnly && !sqlite3_stmt_readonly(stmt.get())) throw EDatabaseError("the statement would change data");
  if (sqlite3_bind_parameter_count(stmt.get()) != static_cast<int>(params.size()))
    throw EDatabaseError("the statement expects " + std::to_string(sqlite3_bind_parameter_count(stmt.get())) +
                         " parameters, " + std::to_string(params.size()) + " given");
  Bind(FDb, stmt.get(), params);
  TRowSet result;
  const int count = sqlite3_column_count(stmt.get());
  for (int i = 0; i < count; ++i) {
    const char* decl = sqlite3_column_decltype(stmt.get(), i);
    result.Fields.push_back(ParseDeclaredType(sqlite3_column_name(stmt.get(), i), decl ? decl : ""));
  }
  for (;;) {
    const int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) Fail(FDb, "the statement failed");
    auto& row = result.Rows.emplace_back();
    row.reserve(count);
    for (int i = 0; i < count; ++i) {
      switch (sqlite3_column_type(stmt.get(), i)) {
        case SQLITE_NULL: row.emplace_back(); break;
        case SQLITE_INTEGER: row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(stmt.get(), i))); break;
        case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(stmt.get(), i)); break;
        case SQLITE_BLOB: {
          const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt.get(), i));
          row.emplace_back(TBlob{std::string(p, p + sqlite3_column_bytes(stmt.get(), i))});
          break;
        }
        default: {
          const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), i));
          row.emplace_back(std::string(p, p + sqlite3_column_bytes(stmt.get(), i)));
        }
      }
    }
  }
  if (changes) *changes = sqlite3_changes64(FDb);
  return result;
}

TRowSet TSqliteDatabase::QueryReadOnly(const std::string& sql, const std::vector<TDbValue>& params) {
  return Run(sql, params, true, nullptr);
}

TRowSet TSqliteDatabase::Query(const std::string& sql, const std::vector<TDbValue>& params) {
  return Run(sql, params, false, nullptr);
}

std::int64_t TSqliteDatabase::Execute(const std::string& sql, const std::vector<TDbValue>& params) {
  std::int64_t changes = 0;
  Run(sql, params, false, &changes);
  return changes;
}

void TSqliteDatabase::ExecuteScript(const std::string& script) {
  char* error = nullptr;
  if (sqlite3_exec(FDb, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string why = error ? error : "unknown error";
    sqlite3_free(error);
    throw EDatabaseError("script failed: " + why);
  }
}

void TSqliteDatabase::InsertRows(const std::string& table, const std::vector<std::string>& columns,
                                 const std::vector<std::vector<TDbValue>>& rows) {
  std::string sql = "INSERT INTO " + table + " (";
  std::string marks;
  for (size_t i = 0; i < columns.size(); ++i) {
    sql += (i ? ", " : "") + columns[i];
    marks += i ? ", ?" : "?";
  }
  sql += ") VALUES (" + marks + ")";
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(FDb, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) Fail(FDb, "cannot prepare " + sql);
  TStatement stmt(raw);
  for (const auto& row : rows) {
    if (row.size() != columns.size()) throw EDatabaseError("row width differs from the column list of " + table);
    Bind(FDb, stmt.get(), row);
    if (sqlite3_step(stmt.get()) != SQLITE_DONE) Fail(FDb, "cannot insert into " + table);
    sqlite3_reset(stmt.get());
    sqlite3_clear_bindings(stmt.get());
  }
}

void TSqliteDatabase::Begin() { ExecuteScript("BEGIN IMMEDIATE"); }
void TSqliteDatabase::Commit() { ExecuteScript("COMMIT"); }
void TSqliteDatabase::Rollback() { ExecuteScript("ROLLBACK"); }

std::vector<TColumnInfo> TSqliteDatabase::Columns(const std::string& table) {
  std::vector<TColumnInfo> columns;
  for (const auto& row : Query("SELECT name, type FROM pragma_table_info(?)", {table}).Rows)
    columns.push_back(ParseDeclaredType(DbValueText(row[0]), DbValueText(row[1])));
  return columns;
}

}  // namespace Appserver
