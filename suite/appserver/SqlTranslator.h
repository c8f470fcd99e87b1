#pragma once
// Translates one SELECT in the dialect a client was told to use (SQLType 0:
// MS SQL Server syntax, 1: Oracle/DB2 style) into the backend's SQL:
// "$$" tables resolved for the session's company, "+" as concatenation when
// an operand is text, fixed-width CHAR columns compared and concatenated with
// their blanks, "(+)" as LEFT JOIN, the dialects' functions and table hints.
// Anything that is not a single read-only SELECT is refused.
#include "Database.h"
#include "SqlLexer.h"

#include <functional>
#include <optional>

namespace Appserver {

struct TResolvedTable {
  std::string Physical;  // the name in the backend's database
  std::string Base;      // the ERP's name (COPTC for "$$COPTC")
  std::vector<TColumnInfo> Columns;
};

// Answers a table name as written (with or without "$$"); nullopt refuses it.
using TTableResolver = std::function<std::optional<TResolvedTable>(const std::string& written)>;

struct TOutputColumn {
  std::string Name;    // upper case, as the client's data set names the field
  std::string Table;   // ERP table of a plain column, else empty
  std::string Column;  // the column of that table
};

struct TTranslatedQuery {
  std::string Sql;
  std::vector<TOutputColumn> Columns;
};

TTranslatedQuery TranslateSelect(const std::string& sql, int dialect, TBackendKind target,
                                 const TTableResolver& resolver);

}  // namespace Appserver
