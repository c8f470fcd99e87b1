#pragma once
// The ERP database definition (data/erp/schema.def) and the DDL both backends
// are created from. Company tables carry the company code and "_" in front.
#include "Database.h"

#include <map>
#include <string>
#include <vector>

namespace Appserver {

KESR_DECLARE_EXCEPTION(ESchemaError, Exception);

struct TSchemaColumn {
  TColumnInfo Info;
  std::string Caption;
};

struct TSchemaTable {
  std::string Name;
  bool PerCompany = false;
  std::string Caption;
  std::vector<TSchemaColumn> Columns;
  std::vector<std::string> Key;
  std::vector<std::vector<std::string>> Indexes;
  const TSchemaColumn* Column(const std::string& name) const;  // ignores case
};

class TErpSchema {
public:
  static TErpSchema Parse(const std::string& text);
  static TErpSchema Load(const std::string& path);
  // The definition shipped in data/erp beside the binaries or in the source tree.
  static const TErpSchema& Shipped();

  const std::vector<TSchemaTable>& Tables() const { return FTables; }
  const TSchemaTable* Table(const std::string& name) const;  // ignores case

  // The DDL for the shared tables, the catalogue views and the given companies.
  std::string CreateScript(TBackendKind backend, const std::vector<std::string>& companies) const;
  std::string CreateCompanyScript(TBackendKind backend, const std::string& company) const;

private:
  std::vector<TSchemaTable> FTables;
};

// Company codes become part of table names: letters and digits only.
void CheckCompanyCode(const std::string& company);
std::string CompanyTableName(const std::string& company, const std::string& table);

// Width of a text as the ERP's double-byte code page counts it (a character
// outside ASCII takes two bytes).
int StorageWidth(const std::string& utf8);

// A value as the column stores it: CHAR text padded with blanks to its
// declared width; text longer than the column is refused, not cut.
TDbValue FitToColumn(const TColumnInfo& column, const TDbValue& value);

}  // namespace Appserver
