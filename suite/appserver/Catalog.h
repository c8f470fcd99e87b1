#pragma once
// The tables one company's session may read: the ERP's tables by their names
// (with or without "$$") and the two catalogue views, with their columns from
// the database's own catalogue.
#include "ErpSchema.h"
#include "SqlTranslator.h"

#include <map>

namespace Appserver {

class TCompanyCatalog {
public:
  TCompanyCatalog(IDatabase& db, const TErpSchema& schema, std::string company);
  std::optional<TResolvedTable> Resolve(const std::string& written);
  TTableResolver Resolver() {
    return [this](const std::string& written) { return Resolve(written); };
  }
  // The backend's name of an ERP table for this company.
  std::string Physical(const std::string& table) const;
  const std::string& Company() const { return FCompany; }
  const TErpSchema& Schema() const { return FSchema; }

private:
  IDatabase& FDb;
  const TErpSchema& FSchema;
  std::string FCompany;
  std::map<std::string, std::vector<TColumnInfo>> FColumns;
};

}  // namespace Appserver
