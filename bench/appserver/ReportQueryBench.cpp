// Rows per second of the sales-order report query as the module sends it,
// through the server's data request (translation, query, data packet).
#include "AppService.h"
#include "DemoData.h"
#include "ModuleStatements.h"
#include "TestDatabases.h"

#include <benchmark/benchmark.h>

using namespace Appserver;

namespace {

using namespace TestDatabases;

// The full demo size: the benchmark measures the query on realistic volumes.
const bool gFullDemo = (SetDemoOptions(TDemoOptions()), true);

// range(0): 0 SQLite, 1 PostgreSQL; range(1): SQLType; range(2): 0 by number, 1 by date.
void ReportQuery(benchmark::State& state) {
  const bool pg = state.range(0) == 1;
  if (pg && PgConninfo().empty()) {
    state.SkipWithError(PgSkipReason().c_str());
    return;
  }
  TAppService service(Open(pg ? TBackendKind::Postgres : TBackendKind::Sqlite), Schema(), static_cast<int>(state.range(1)));
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
