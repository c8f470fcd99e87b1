#include "ErpSchema.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace Appserver {
namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string RestAfter(const std::string& line, size_t wordCount) {
  size_t pos = 0;
  for (size_t i = 0; i < wordCount; ++i) {
    pos = line.find_first_not_of(" \t", pos);
    pos = line.find_first_of(" \t", pos);
    if (pos == std::string::npos) return {};
  }
  pos = line.find_first_not_of(" \t", pos);
  return pos == std::string::npos ? std::string() : line.substr(pos);
}

int ToInt(const std::string& text, int lineNo) {
  try {
    return std::stoi(text);
  } catch (...) {
    throw ESchemaError("schema line " + std::to_string(lineNo) + ": not a number: " + text);
  }
}

std::string ColumnType(TBackendKind backend, const TColumnInfo& c) {
  const bool lite = backend == TBackendKind::Sqlite;
  switch (c.Kind) {
    // SQLite compares CHAR and VARCHAR columns ignoring trailing blanks, as
    // the ERP's database and PostgreSQL's CHAR do.
    case TFieldKind::Char: return "CHAR(" + std::to_string(c.Width) + (lite ? ") COLLATE RTRIM" : ")");
    case TFieldKind::VarChar: return "VARCHAR(" + std::to_string(c.Width) + (lite ? ") COLLATE RTRIM" : ")");
    case TFieldKind::Integer: return "INTEGER";
    case TFieldKind::Numeric: return "NUMERIC(" + std::to_string(c.Width) + "," + std::to_string(c.Scale) + ")";
    case TFieldKind::Text: return "TEXT";
    case TFieldKind::Blob: return lite ? "BLOB" : "BYTEA";
    case TFieldKind::Unknown: break;
  }
  return "TEXT";
}

std::string Join(const std::vector<std::string>& items, const char* sep) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : sep) + item;
  return out;
}

std::string TableScript(TBackendKind backend, const TSchemaTable& t, const std::string& name) {
  std::string sql = "CREATE TABLE " + name + " (\n";
  for (const auto& c : t.Columns) sql += "  " + c.Info.Name + " " + ColumnType(backend, c.Info) + ",\n";
  if (!t.Key.empty()) sql += "  PRIMARY KEY (" + Join(t.Key, ", ") + "),\n";
  sql.erase(sql.size() - 2);
  sql += "\n);\n";
  int n = 0;
  for (const auto& index : t.Indexes)
    sql += "CREATE INDEX " + name + "_I" + std::to_string(++n) + " ON " + name + " (" + Join(index, ", ") + ");\n";
  return sql;
}

// The two catalogue tables of the ERP's native database, answered from the
// backend's real catalogue so that column-length queries keep working.
std::string CatalogueViews(TBackendKind backend) {
  if (backend == TBackendKind::Sqlite)
    return "CREATE VIEW sysobjects AS SELECT rowid AS id, name AS name, 'U' AS xtype "
           "FROM sqlite_schema WHERE type = 'table';\n"
           "CREATE VIEW syscolumns AS SELECT m.rowid AS id, p.name AS name, "
           "CASE WHEN instr(p.type, '(') > 0 THEN CAST(substr(p.type, instr(p.type, '(') + 1) AS INTEGER) "
           "WHEN upper(p.type) = 'INTEGER' THEN 4 ELSE 16 END AS length, p.cid + 1 AS colid "
           "FROM sqlite_schema m, pragma_table_info(m.name) p WHERE m.type = 'table';\n";
  return "CREATE VIEW sysobjects AS SELECT c.oid::integer AS id, upper(c.relname)::varchar(128) AS name, "
         "'U'::char(2) AS xtype FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
         "WHERE c.relkind = 'r' AND n.nspname = current_schema();\n"
         "CREATE VIEW syscolumns AS SELECT a.attrelid::integer AS id, upper(a.attname)::varchar(128) AS name, "
         "(CASE WHEN a.atttypmod > 4 AND a.atttypid IN (1042, 1043) THEN a.atttypmod - 4 "
         "WHEN a.attlen > 0 THEN a.attlen ELSE 16 END)::integer AS length, a.attnum::integer AS colid "
         "FROM pg_attribute a WHERE a.attnum > 0 AND NOT a.attisdropped;\n";
}

}  // namespace

const TSchemaColumn* TSchemaTable::Column(const std::string& name) const {
  for (const auto& c : Columns)
    if (strcasecmp(c.Info.Name.c_str(), name.c_str()) == 0) return &c;
  return nullptr;
}

TErpSchema TErpSchema::Parse(const std::string& text) {
  TErpSchema schema;
  std::istringstream in(text);
  int lineNo = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto w = Words(line);
    if (w.empty() || w[0][0] == '#') continue;
    auto fail = [&](const std::string& why) {
      throw ESchemaError("schema line " + std::to_string(lineNo) + ": " + why);
    };
    if (w[0] == "TABLE") {
      if (w.size() < 3 || (w[2] != "company" && w[2] != "shared")) fail("TABLE <name> <company|shared> <caption>");
      schema.FTables.push_back({w[1], w[2] == "company", RestAfter(line, 3), {}, {}, {}});
      continue;
    }
    if (schema.FTables.empty()) fail("column outside a table");
    auto& table = schema.FTables.back();
    if (w[0] == "KEY" || w[0] == "INDEX") {
      std::vector<std::string> cols(w.begin() + 1, w.end());
      for (const auto& c : cols)
        if (!table.Column(c)) fail("unknown column " + c);
      (w[0] == "KEY" ? table.Key : table.Indexes.emplace_back()) = cols;
      continue;
    }
    if (w.size() < 2) fail("column without a type");
    TSchemaColumn col;
    col.Info.Name = w[0];
    size_t used = 2;
    const std::string& type = w[1];
    if (type == "CHAR" || type == "VARCHAR") {
      if (w.size() < 3) fail(type + " needs a width");
      col.Info.Kind = type == "CHAR" ? TFieldKind::Char : TFieldKind::VarChar;
      col.Info.Width = ToInt(w[2], lineNo);
      used = 3;
    } else if (type == "NUM") {
      if (w.size() < 4) fail("NUM needs precision and scale");
      col.Info.Kind = TFieldKind::Numeric;
      col.Info.Width = ToInt(w[2], lineNo);
      col.Info.Scale = ToInt(w[3], lineNo);
      used = 4;
    } else if (type == "INT") {
      col.Info.Kind = TFieldKind::Integer;
    } else if (type == "TEXT") {
      col.Info.Kind = TFieldKind::Text;
    } else if (type == "BLOB") {
      col.Info.Kind = TFieldKind::Blob;
    } else {
      fail("unknown type " + type);
    }
    col.Caption = RestAfter(line, used);
    if (table.Column(col.Info.Name)) fail("duplicate column " + col.Info.Name);
    table.Columns.push_back(std::move(col));
  }
  return schema;
}

TErpSchema TErpSchema::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError("cannot open the schema definition " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str());
}

const TErpSchema& TErpSchema::Shipped() {
  static const TErpSchema schema = [] {
    namespace fs = std::filesystem;
    std::vector<fs::path> candidates;
    if (const char* dir = std::getenv("KESR_DATA_DIR")) candidates.emplace_back(fs::path(dir) / "erp/schema.def");
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
      candidates.push_back(exe.parent_path() / "data/erp/schema.def");
      candidates.push_back(exe.parent_path() / "../../../data/erp/schema.def");  // build/<name>/bin
    }
    for (const auto& p : candidates)
      if (fs::exists(p)) return Load(p.string());
    throw EFOpenError("the ERP schema definition data/erp/schema.def was not found");
  }();
  return schema;
}

const TSchemaTable* TErpSchema::Table(const std::string& name) const {
  for (const auto& t : FTables)
    if (strcasecmp(t.Name.c_str(), name.c_str()) == 0) return &t;
  return nullptr;
}

std::string TErpSchema::CreateCompanyScript(TBackendKind backend, const std::string& company) const {
  CheckCompanyCode(company);
  std::string sql;
  for (const auto& t : FTables)
    if (t.PerCompany) sql += TableScript(backend, t, CompanyTableName(company, t.Name));
  return sql;
}

std::string TErpSchema::CreateScript(TBackendKind backend, const std::vector<std::string>& companies) const {
  std::string sql;
  for (const auto& t : FTables)
    if (!t.PerCompany) sql += TableScript(backend, t, t.Name);
  for (const auto& company : companies) sql += CreateCompanyScript(backend, company);
  return sql + CatalogueViews(backend);
}

void CheckCompanyCode(const std::string& company) {
  bool ok = !company.empty() && company.size() <= 10;
  for (unsigned char ch : company) ok = ok && std::isalnum(ch);
  if (!ok) throw EDatabaseError("invalid company code \"" + company + "\": letters and digits, at most 10");
}

std::string CompanyTableName(const std::string& company, const std::string& table) {
  std::string name = company + "_" + table;
  for (auto& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return name;
}

int StorageWidth(const std::string& utf8) {
  int width = 0;
  for (unsigned char ch : utf8) {
    if (ch < 0x80) ++width;
    else if ((ch & 0xC0) != 0x80) width += 2;  // lead byte of a multi-byte character
  }
  return width;
}

TDbValue FitToColumn(const TColumnInfo& column, const TDbValue& value) {
  const auto* text = std::get_if<std::string>(&value);
  if (!text || (column.Kind != TFieldKind::Char && column.Kind != TFieldKind::VarChar)) return value;
  const int width = StorageWidth(*text);
  if (width > column.Width)
    throw EDatabaseError("value too long for column " + column.Name + " (" + std::to_string(width) +
                         " > " + std::to_string(column.Width) + "): " + *text);
  if (column.Kind == TFieldKind::VarChar) return value;
  // Pad to the declared width in characters, as a CHAR column of PostgreSQL
  // does, so that both backends hand back the same text.
  size_t chars = 0;
  for (unsigned char ch : *text) chars += (ch & 0xC0) != 0x80;
  std::string padded = *text;
  if (chars < static_cast<size_t>(column.Width)) padded.append(column.Width - chars, ' ');
  return padded;
}

}  // namespace Appserver
