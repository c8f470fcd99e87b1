#include "PgDatabase.h"

#include <libpq-fe.h>

#include <algorithm>
#include <memory>

namespace Appserver {
namespace {

struct TResultCloser {
  void operator()(PGresult* r) const { PQclear(r); }
};
using TResult = std::unique_ptr<PGresult, TResultCloser>;

// Type oids of the catalogue (pg_type) that the ERP's columns use.
constexpr Oid kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kFloat4 = 700,
              kFloat8 = 701, kBpchar = 1042, kVarchar = 1043, kNumeric = 1700;

void IgnoreNotice(void*, const char*) {}

TColumnInfo FieldInfo(const PGresult* r, int i) {
  TColumnInfo info;
  info.Name = PQfname(r, i);
  const int mod = PQfmod(r, i);
  switch (PQftype(r, i)) {
    case kBpchar: info.Kind = TFieldKind::Char; info.Width = mod > 4 ? mod - 4 : 0; break;
    case kVarchar: info.Kind = TFieldKind::VarChar; info.Width = mod > 4 ? mod - 4 : 0; break;
    case kInt2: case kInt4: case kInt8: case kBool: info.Kind = TFieldKind::Integer; break;
    case kNumeric: case kFloat4: case kFloat8:
      info.Kind = TFieldKind::Numeric;
      if (mod >= 4) {
        info.Width = ((mod - 4) >> 16) & 0xFFFF;
        info.Scale = (mod - 4) & 0xFFFF;
      }
      break;
    case kText: info.Kind = TFieldKind::Text; break;
    case kBytea: info.Kind = TFieldKind::Blob; break;
    default: info.Kind = TFieldKind::Unknown;
  }
  return info;
}

TDbValue Cell(const PGresult* r, int row, int col) {
  if (PQgetisnull(r, row, col)) return {};
  const char* text = PQgetvalue(r, row, col);
  switch (PQftype(r, col)) {
    case kInt2: case kInt4: case kInt8: return static_cast<std::int64_t>(std::stoll(text));
    case kBool: return static_cast<std::int64_t>(text[0] == 't');
    case kNumeric: case kFloat4: case kFloat8: return std::stod(text);
    case kBytea: {
      size_t length = 0;
      unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &length);
      if (!bytes) throw EDatabaseError("cannot read a binary value");
      TBlob blob{std::string(reinterpret_cast<char*>(bytes), length)};
      PQfreemem(bytes);
      return blob;
    }
    default: return std::string(text, PQgetlength(r, row, col));
  }
}

}  // namespace

std::string NumberParameters(const std::string& sql) {
  std::string out;
  int n = 0;
  char quote = 0;
  for (char ch : sql) {
    if (quote) {
      if (ch == quote) quote = 0;
      out += ch;
    } else if (ch == '\'' || ch == '"') {
      quote = ch;
      out += ch;
    } else if (ch == '?') {
      out += "$" + std::to_string(++n);
    } else {
      out += ch;
    }
  }
  return out;
}

TPgDatabase::TPgDatabase(const std::string& conninfo) {
  FConn = PQconnectdb(conninfo.c_str());
  if (PQstatus(FConn) != CONNECTION_OK) {
    const std::string why = PQerrorMessage(FConn);
    PQfinish(FConn);
    throw EDatabaseError("cannot connect to PostgreSQL: " + why);
  }
  PQsetNoticeProcessor(FConn, IgnoreNotice, nullptr);
  ExecuteScript("SET client_encoding = 'UTF8'; SET standard_conforming_strings = on;");
}

TPgDatabase::~TPgDatabase() { PQfinish(FConn); }

TRowSet TPgDatabase::Run(const std::string& sql, const std::vector<TDbValue>& params, std::int64_t* changes) {
  std::vector<std::string> texts(params.size());
  std::vector<const char*> values(params.size());
  std::vector<int> lengths(params.size()), formats(params.size());
  for (size_t i = 0; i < params.size(); ++i) {
    const auto& p = params[i];
    if (std::holds_alternative<std::monostate>(p)) {
      values[i] = nullptr;
      continue;
    }
    if (auto* b = std::get_if<TBlob>(&p)) {
      texts[i] = b->Bytes;
      formats[i] = 1;  // binary: bytes need no escaping
    } else {
      texts[i] = DbValueText(p);
    }
    values[i] = texts[i].data();
    lengths[i] = static_cast<int>(texts[i].size());
  }
  const std::string numbered = NumberParameters(sql);
  TResult r(PQexecParams(FConn, numbered.c_str(), static_cast<int>(params.size()), nullptr, values.data(),
                         lengths.data(), formats.data(), 0));
  const auto status = PQresultStatus(r.get());
  if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
    std::string why = PQresultErrorMessage(r.get());
    while (!why.empty() && (why.back() == '\n' || why.back() == ' ')) why.pop_back();
    throw EDatabaseError("the statement failed: " + why);
  }
  TRowSet result;
  const int cols = PQnfields(r.get()), rows = PQntuples(r.get());
  for (int i = 0; i < cols; ++i) result.Fields.push_back(FieldInfo(r.get(), i));
  result.Rows.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    auto& out = result.Rows.emplace_back();
    out.reserve(cols);
    for (int col = 0; col < cols; ++col) out.push_back(Cell(r.get(), row, col));
  }
  if (changes) {
    const char* tuples = PQcmdTuples(r.get());
    *changes = tuples && *tuples ? std::stoll(tuples) : 0;
  }
  return result;
}

TRowSet TPgDatabase::QueryReadOnly(const std::string& sql, const std::vector<TDbValue>& params) {
  if (FInTransaction) return Run(sql, params, nullptr);
  // A read-only transaction: the database itself refuses any change.
  ExecuteScript("BEGIN TRANSACTION READ ONLY");
  try {
    TRowSet rows = Run(sql, params, nullptr);
    ExecuteScript("COMMIT");
    return rows;
  } catch (...) {
    try { ExecuteScript("ROLLBACK"); } catch (...) {}
    throw;
  }
}

TRowSet TPgDatabase::Query(const std::string& sql, const std::vector<TDbValue>& params) {
  return Run(sql, params, nullptr);
}

std::int64_t TPgDatabase::Execute(const std::string& sql, const std::vector<TDbValue>& params) {
  std::int64_t changes = 0;
  Run(sql, params, &changes);
  return changes;
}

void TPgDatabase::ExecuteScript(const std::string& script) {
  TResult r(PQexec(FConn, script.c_str()));
  const auto status = PQresultStatus(r.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
    throw EDatabaseError(std::string("script failed: ") + PQresultErrorMessage(r.get()));
}

void TPgDatabase::InsertRows(const std::string& table, const std::vector<std::string>& columns,
                             const std::vector<std::vector<TDbValue>>& rows) {
  if (columns.empty()) return;
  std::string head = "INSERT INTO " + table + " (";
  for (size_t i = 0; i < columns.size(); ++i) head += (i ? ", " : "") + columns[i];
  head += ") VALUES ";
  // Many rows per statement; libpq allows at most 65535 parameters.
  const size_t perBatch = std::max<size_t>(1, 30000 / columns.size());
  for (size_t start = 0; start < rows.size(); start += perBatch) {
    const size_t end = std::min(rows.size(), start + perBatch);
    std::string sql = head;
    std::vector<TDbValue> params;
    for (size_t r = start; r < end; ++r) {
      if (rows[r].size() != columns.size()) throw EDatabaseError("row width differs from the column list of " + table);
      sql += r == start ? "(" : ", (";
      for (size_t c = 0; c < columns.size(); ++c) sql += c ? ", ?" : "?";
      sql += ")";
      params.insert(params.end(), rows[r].begin(), rows[r].end());
    }
    Run(sql, params, nullptr);
  }
}

void TPgDatabase::Begin() {
  ExecuteScript("BEGIN");
  FInTransaction = true;
}

void TPgDatabase::Commit() {
  FInTransaction = false;
  ExecuteScript("COMMIT");
}

void TPgDatabase::Rollback() {
  FInTransaction = false;
  ExecuteScript("ROLLBACK");
}

std::vector<TColumnInfo> TPgDatabase::Columns(const std::string& table) {
  std::vector<TColumnInfo> columns;
  const auto rows = Query(
      "SELECT upper(column_name), data_type, character_maximum_length, numeric_precision, numeric_scale "
      "FROM information_schema.columns WHERE table_schema = current_schema() AND table_name = lower(?) "
      "ORDER BY ordinal_position",
      {table});
  for (const auto& row : rows.Rows) {
    TColumnInfo c;
    c.Name = DbValueText(row[0]);
    const std::string type = DbValueText(row[1]);
    if (type == "character") c.Kind = TFieldKind::Char;
    else if (type == "character varying") c.Kind = TFieldKind::VarChar;
    else if (type == "integer" || type == "bigint" || type == "smallint") c.Kind = TFieldKind::Integer;
    else if (type == "numeric" || type == "double precision" || type == "real") c.Kind = TFieldKind::Numeric;
    else if (type == "text") c.Kind = TFieldKind::Text;
    else if (type == "bytea") c.Kind = TFieldKind::Blob;
    const auto number = [](const TDbValue& v) {
      return DbValueIsNull(v) ? 0 : static_cast<int>(std::stoll(DbValueText(v)));
    };
    c.Width = c.Kind == TFieldKind::Numeric ? number(row[3]) : number(row[2]);
    c.Scale = number(row[4]);
    columns.push_back(c);
  }
  return columns;
}

}  // namespace Appserver
