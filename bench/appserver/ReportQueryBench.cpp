// Rows per second of the sales-order report query as the module sends it,
// through the server's data request (translation, query, data packet).
#include "AppService.h"
#include "DemoData.h"
#include "ModuleStatements.h"
#include "PgDatabase.h"
#include "PgTestServer.h"
#include "SqliteDatabase.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

using namespace Appserver;

namespace {

const TErpSchema& Schema() {
  static const TErpSchema schema = TErpSchema::Load(KESR_BENCH_SCHEMA);
  return schema;
}

const std::string& SqlitePath() {
  static const std::string path = [] {
    const std::string p = std::filesystem::temp_directory_path() / ("kesr-bench-" + std::to_string(getpid()) + ".db");
    TSqliteDatabase db(p);
    CreateDemoDatabase(db, Schema(), TDemoOptions());
    return p;
  }();
  static struct TCleanup {
    ~TCleanup() {
      std::error_code ec;
      for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix, ec);
    }
  } cleanup;
  return path;
}

const std::string& PgConninfo() {
  static const std::string conninfo = []() -> std::string {
    TPgTestServer* server = TPgTestServer::Instance();
    if (!server) return {};
    const std::string c = server->NewDatabase();
    TPgDatabase db(c);
    CreateDemoDatabase(db, Schema(), TDemoOptions());
    return c;
  }();
  return conninfo;
}

// range(0): 0 SQLite, 1 PostgreSQL; range(1): SQLType; range(2): 0 by number, 1 by date.
void ReportQuery(benchmark::State& state) {
  const bool pg = state.range(0) == 1;
  if (pg && PgConninfo().empty()) {
    state.SkipWithError(TPgTestServer::SkipReason().c_str());
    return;
  }
  std::unique_ptr<IDatabase> db;
  if (pg) db = std::make_unique<TPgDatabase>(PgConninfo());
  else db = std::make_unique<TSqliteDatabase>(SqlitePath());
  TAppService service(std::move(db), Schema(), static_cast<int>(state.range(1)));
  service.Connect({"KESR52", "DS", "DEMOA", "DEMO", "COPTC"});
  ModuleStatements::TReportConditions c;
  c.SqlType = static_cast<int>(state.range(1));
  c.Approval = "";
  if (state.range(2) == 0) {
    c.NumberFrom = "2201" "20240101000";
    c.NumberTo = "2201" "20241231999";
  } else {
    c.DateFrom = "20240101";
    c.DateTo = "20240630";
  }
  const std::string sql = ModuleStatements::Build(c);
  std::int64_t rows = 0;
  for (auto _ : state) {
    const auto packet = service.DataRequest("Provider1", sql);
    rows += static_cast<std::int64_t>(packet.Rows.size());
    benchmark::DoNotOptimize(packet.Rows.data());
  }
  state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
  state.SetLabel(std::string(pg ? "PostgreSQL" : "SQLite") + (c.SqlType ? ", Oracle style" : ", MS SQL style") +
                 (state.range(2) ? ", by date" : ", by number"));
}

BENCHMARK(ReportQuery)->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
