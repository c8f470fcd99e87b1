// 1,000 one-page sheets (one record each, as the shipping-mark format prints
// them): generation into the page store, then every page drawn at 96 dpi
// into a 16-bit bitmap freed after each page, as the page export does.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <string>

#include "Bitmap.h"
#include "FontEngine.h"
#include "PageRenderer.h"
#include "SampleSheet.h"

namespace {

constexpr int kSheets = 1000;

// The reference sample sheet, one record per sheet.
struct TSheetReport : TSampleSheet {
  TSheetReport() {
    for (int i = 1; i <= kSheets; ++i)
      AppendOrder("220-2024" + std::to_string(100000 + i), "C" + std::to_string(i % 97));
  }
};

long PeakRssKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_GenerateAndDraw1000Sheets(benchmark::State& state) {
  UseFontEngineMetrics();
  TSheetReport sheets;
  std::int64_t pages = 0;
  for (auto _ : state) {
    if (!sheets.Report->Prepare()) state.SkipWithError("generation did not finish");
    const TPageStore& store = sheets.Report->PageStore();
    for (int page = 1; page <= store.PageCount(); ++page) {
      std::unique_ptr<TBitmap> bitmap = RenderPage(store.Page(page), 96, pf16bit);
      benchmark::DoNotOptimize(bitmap->ScanLine(0));
    }
    pages += store.PageCount();
  }
  state.counters["pages_per_second"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
  state.counters["peak_rss_mb"] = static_cast<double>(PeakRssKilobytes()) / 1024.0;
}
BENCHMARK(BM_GenerateAndDraw1000Sheets)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Generate1000Sheets(benchmark::State& state) {
  UseFontEngineMetrics();
  TSheetReport sheets;
  std::int64_t pages = 0;
  for (auto _ : state) {
    sheets.Report->Prepare();
    pages += sheets.Report->PageStore().PageCount();
  }
  state.counters["pages_per_second"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Generate1000Sheets)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
