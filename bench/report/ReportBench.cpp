// 1,000 one-page sheets (one record each, as the shipping-mark format prints
// them): generation into the page store, then every page drawn at 96 dpi
// into a 16-bit bitmap freed after each page, as the page export does.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <string>

#include "Bitmap.h"
#include "DataSet.h"
#include "FontEngine.h"
#include "MemoryDataSet.h"
#include "PageRenderer.h"
#include "Picture.h"
#include "QRBands.h"
#include "QRControls.h"
#include "QuickRep.h"
#include "ZnQRDBBarcode.h"

namespace {

constexpr int kSheets = 1000;

struct TSheetReport {
  TComponent Root{nullptr};
  TQuickRep* Report = new TQuickRep(&Root);
  TMemoryDataSet* Data = new TMemoryDataSet(&Root);

  TSheetReport() {
    for (const char* field : {"TC001T", "TC004", "MA002", "TC012", "TC037"}) Data->AddField(field);
    for (int i = 1; i <= kSheets; ++i)
      Data->AppendRecord({"220-2024" + std::to_string(100000 + i), "C" + std::to_string(i % 97), "华东贸易有限公司",
                          "PO-" + std::to_string(7000 + i), "INVOICE备注：货物请于月底前发出，外箱须防潮包装。"});
    Report->SetDataSet(Data);
    auto* source = new TDataSource(&Root);
    source->SetDataSet(Data);

    auto* band = new TQRBand(&Root);
    band->SetBandType(rbDetail);
    band->SetTransparent(true);
    band->SetBounds(0, 0, 740, 847);
    band->SetParent(Report);
    int left = 82;
    for (const char* field : {"TC001T", "TC004", "MA002", "TC012"}) {
      auto* text = new TQRDBText(&Root);
      text->SetBounds(left, 3, 127, 17);
      text->Font()->SetName("宋体");
      text->Font()->SetSize(9);
      text->SetDataSet(Data);
      text->SetDataField(field);
      text->SetParent(band);
      left += 160;
    }
    auto* remark = new TQRDBText(&Root);
    remark->SetBounds(19, 480, 345, 353);
    remark->Font()->SetName("宋体");
    remark->Font()->SetSize(9);
    remark->SetWordWrap(true);
    remark->SetDataSet(Data);
    remark->SetDataField("TC037");
    remark->SetParent(band);
    auto* memo = new TQRMemo(&Root);
    memo->SetBounds(15, 88, 356, 386);
    memo->Font()->SetName("Arial");
    memo->Font()->SetSize(9);
    for (const char* line : {"SHIPPING MARK", "MADE IN CHINA", "C/NO.: 1-120"}) memo->Lines().Add(line);
    memo->SetParent(band);
    auto* image = new TQRImage(&Root);
    image->SetBounds(379, 93, 350, 379);
    image->SetStretch(true);
    TBitmap* picture = image->Picture()->Bitmap();
    picture->SetSize(64, 48);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) picture->SetPixel(x, y, RGBColorOf(x * 4, y * 5, 128));
    image->SetParent(band);
    auto* barcode = new TZnQRDBBarcode(&Root);
    barcode->SetBounds(392, 480, 300, 80);
    barcode->SetDataSource(source);
    barcode->SetDataField("TC001T");
    barcode->SetAutoWidth(true);
    barcode->SetParent(band);
  }

  static TColor RGBColorOf(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
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
