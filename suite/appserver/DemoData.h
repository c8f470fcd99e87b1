#pragma once
// Creates the ERP database: the schema and a deterministic set of demo data
// (two companies, customers, sales orders over two years, work orders, users
// with rights, the program KESR52, stored formats and shipping-mark pictures).
#include "ErpSchema.h"

#include <cstdint>

namespace Appserver {

struct TDemoOptions {
  int Customers = 400;
  int OrdersPerCompany = 15000;
  std::uint64_t Seed = 20240101;
  // A few dozen orders: enough for every query shape, fast enough for tests.
  static TDemoOptions Small() { return {40, 300, 20240101}; }
};

// The demo companies, in the order they are created.
const std::vector<std::string>& DemoCompanies();

// Creates the tables and views and fills them, all in one transaction.
void CreateDemoDatabase(IDatabase& db, const TErpSchema& schema, const TDemoOptions& options);

// True when the database already holds the ERP tables.
bool HasErpSchema(IDatabase& db);

// The small uncompressed picture the demo stores for a shipping mark.
std::string MakeMarkBitmap(std::uint64_t seed, int width, int height);

}  // namespace Appserver
