#include "Catalog.h"

#include <strings.h>

namespace Appserver {

TCompanyCatalog::TCompanyCatalog(IDatabase& db, const TErpSchema& schema, std::string company)
    : FDb(db), FSchema(schema), FCompany(std::move(company)) {
  CheckCompanyCode(FCompany);
}

std::string TCompanyCatalog::Physical(const std::string& table) const {
  const TSchemaTable* t = FSchema.Table(table);
  if (!t) throw EDatabaseError("unknown table " + table);
  return t->PerCompany ? CompanyTableName(FCompany, t->Name) : t->Name;
}

std::optional<TResolvedTable> TCompanyCatalog::Resolve(const std::string& written) {
  const std::string base = written.rfind("$$", 0) == 0 ? written.substr(2) : written;
  TResolvedTable resolved;
  if (strcasecmp(base.c_str(), "syscolumns") == 0 || strcasecmp(base.c_str(), "sysobjects") == 0) {
    resolved.Physical = resolved.Base = base;
  } else if (const TSchemaTable* t = FSchema.Table(base)) {
    resolved.Base = t->Name;
    resolved.Physical = Physical(t->Name);
  } else {
    return std::nullopt;  // only the ERP's own tables can be read
  }
  auto it = FColumns.find(resolved.Physical);
  if (it == FColumns.end()) it = FColumns.emplace(resolved.Physical, FDb.Columns(resolved.Physical)).first;
  if (it->second.empty()) return std::nullopt;  // e.g. a company without its tables
  resolved.Columns = it->second;
  return resolved;
}

}  // namespace Appserver
