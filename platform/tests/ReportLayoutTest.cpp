// Layout of band reports without fonts: band placement, page breaks, events
// and what prints, checked on the generated display lists.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FontMetrics.h"
#include "FormTextReader.h"
#include "MemoryDataSet.h"
#include "QRBands.h"
#include "QRControls.h"
#include "QuickRep.h"

namespace {

// Letter paper with 10 mm margins: the body runs from pixel 38 to 1018.
constexpr int kMargin = 38;
constexpr int kPageLength = 1056;
constexpr TColor kHeader = 0x0000FF, kDetail = 0x00FF00, kFooter = 0xFF0000, kTitle = 0x00FFFF,
                 kSummary = 0xFF00FF, kChild = 0x808080;

struct TRecorder {
  std::vector<std::string> Log;
  std::vector<bool> DetailAnswers;  // PrintBand answers, record by record
  int DetailCalls = 0;

  void ReportBeforePrint(TObject*, bool&) { Log.push_back("report"); }
  void StartPage(TObject*) { Log.push_back("start"); }
  void EndPage(TObject*) { Log.push_back("end"); }
  void BandBeforePrint(TObject* Sender, bool& PrintBand) {
    auto* band = static_cast<TQRCustomBand*>(Sender);
    Log.push_back(band->Name());
    if (band->BandType() == rbDetail && DetailCalls < static_cast<int>(DetailAnswers.size()))
      PrintBand = DetailAnswers[DetailCalls];
    if (band->BandType() == rbDetail) ++DetailCalls;
  }
};

class ReportLayoutTest : public ::testing::Test {
protected:
  ReportLayoutTest() {
    Report = new TQuickRep(&Root);
    Report->SetName("QuickRep1");
    Data = new TMemoryDataSet(&Root);
    Data->AddField("NO");
    Data->AddField("GRP");
    Report->SetDataSet(Data);
  }

  TQRBand* AddBand(const char* name, TQRBandType type, int height, TColor color) {
    auto* band = new TQRBand(&Root);
    band->SetName(name);
    band->SetBandType(type);
    band->SetHeight(height);
    band->SetColor(color);
    band->SetParent(Report);
    band->BeforePrint = TQRBandBeforePrintEvent(&Rec, &TRecorder::BandBeforePrint);
    return band;
  }

  void AddRecords(int count) {
    for (int i = 1; i <= count; ++i) Data->AppendRecord({std::to_string(i), std::to_string((i - 1) / 3)});
  }

  void Prepare() { Report->Prepare(&Metrics); }

  // Tops of the band fills of one colour on a page.
  std::vector<int> FillTops(int page, TColor color) const {
    std::vector<int> tops;
    for (const TPageItem& item : Report->PageStore().Page(page).Items)
      if (auto* fill = std::get_if<TPageFill>(&item); fill && fill->Color == color) tops.push_back(fill->Box.Top);
    return tops;
  }

  std::vector<std::string> Texts(int page) const {
    std::vector<std::string> texts;
    for (const TPageItem& item : Report->PageStore().Page(page).Items)
      if (auto* text = std::get_if<TPageText>(&item))
        for (const TPageTextLine& line : text->Lines) texts.push_back(line.Text);
    return texts;
  }

  TComponent Root{nullptr};
  TQuickRep* Report = nullptr;
  TMemoryDataSet* Data = nullptr;
  TStandInFontMetrics Metrics;
  TRecorder Rec;
};

TEST_F(ReportLayoutTest, PlacesBandsByTypeAndBreaksPagesAboveTheFooter) {
  // Declared out of page order on purpose: placement goes by band type.
  AddBand("Footer", rbPageFooter, 20, kFooter);
  AddBand("Detail", rbDetail, 100, kDetail);
  AddBand("Header", rbPageHeader, 30, kHeader);
  AddRecords(20);
  Prepare();

  const TPageStore& store = Report->PageStore();
  ASSERT_TRUE(store.Finished());
  // (1018 - 20 - 68) / 100 = 9 rows per page: 9, 9, 2.
  ASSERT_EQ(store.PageCount(), 3);
  EXPECT_EQ(FillTops(1, kHeader), std::vector<int>{kMargin});
  std::vector<int> fullPage;
  for (int i = 0; i < 9; ++i) fullPage.push_back(kMargin + 30 + 100 * i);
  EXPECT_EQ(FillTops(1, kDetail), fullPage);
  EXPECT_EQ(FillTops(2, kDetail), fullPage);
  EXPECT_EQ(FillTops(3, kDetail), (std::vector<int>{68, 168}));
  for (int page = 1; page <= 3; ++page)
    EXPECT_EQ(FillTops(page, kFooter), std::vector<int>{kPageLength - kMargin - 20}) << page;
  EXPECT_EQ(store.Page(1).Width, 816);
  EXPECT_EQ(store.Page(1).Height, kPageLength);
  EXPECT_EQ(store.PaperWidth(), 2159);
  EXPECT_EQ(store.PaperLength(), 2794);
}

TEST_F(ReportLayoutTest, FirstPageHeaderAndLastPageFooterOptions) {
  AddBand("Header", rbPageHeader, 30, kHeader);
  AddBand("Detail", rbDetail, 400, kDetail);
  AddBand("Footer", rbPageFooter, 20, kFooter);
  AddRecords(4);
  Report->SetOptions({});
  Prepare();

  ASSERT_EQ(Report->PageStore().PageCount(), 2);
  EXPECT_TRUE(FillTops(1, kHeader).empty());
  EXPECT_EQ(FillTops(1, kDetail), (std::vector<int>{kMargin, kMargin + 400}));
  EXPECT_EQ(FillTops(2, kHeader), std::vector<int>{kMargin});
  EXPECT_EQ(FillTops(1, kFooter).size(), 1u);
  EXPECT_TRUE(FillTops(2, kFooter).empty());
}

TEST_F(ReportLayoutTest, ForceNewPageGivesEveryRecordItsOwnPageWithoutABlankFirstPage) {
  AddBand("Header", rbPageHeader, 30, kHeader);
  AddBand("Detail", rbDetail, 100, kDetail)->SetForceNewPage(true);
  AddRecords(3);
  Prepare();

  ASSERT_EQ(Report->PageStore().PageCount(), 3);
  for (int page = 1; page <= 3; ++page) EXPECT_EQ(FillTops(page, kDetail), std::vector<int>{68}) << page;
}

TEST_F(ReportLayoutTest, EventsComeInPageOrder) {
  Report->BeforePrint = TQRReportBeforePrintEvent(&Rec, &TRecorder::ReportBeforePrint);
  Report->OnStartPage = TNotifyEvent(&Rec, &TRecorder::StartPage);
  Report->OnEndPage = TNotifyEvent(&Rec, &TRecorder::EndPage);
  AddBand("Header", rbPageHeader, 30, kHeader);
  AddBand("Title", rbTitle, 30, kTitle);
  AddBand("Detail", rbDetail, 600, kDetail);
  AddBand("Summary", rbSummary, 30, kSummary);
  AddBand("Footer", rbPageFooter, 20, kFooter);
  AddRecords(2);
  Prepare();

  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"report", "start", "Header", "Title", "Detail", "Detail", "Footer",
                                               "end", "start", "Header", "Summary", "Footer", "end"}));
  EXPECT_EQ(FillTops(1, kTitle), std::vector<int>{68});
}

TEST_F(ReportLayoutTest, PrintBandFalseSkipsTheRowAndItsSpace) {
  AddBand("Detail", rbDetail, 100, kDetail);
  auto* child = new TQRChildBand(&Root);
  child->SetHeight(10);
  child->SetColor(kChild);
  child->SetParent(Report);
  child->SetParentBand(Report->Bands()[0]);
  AddRecords(4);
  Rec.DetailAnswers = {true, false, false, true};
  Prepare();

  ASSERT_EQ(Report->PageStore().PageCount(), 1);
  EXPECT_EQ(FillTops(1, kDetail), (std::vector<int>{kMargin, kMargin + 110}));
  // The child band follows each printed row only.
  EXPECT_EQ(FillTops(1, kChild), (std::vector<int>{kMargin + 100, kMargin + 210}));
}

TEST_F(ReportLayoutTest, ABandTallerThanThePageGetsAPageOfItsOwnInsteadOfLooping) {
  AddBand("Detail", rbDetail, 2000, kDetail);
  AddRecords(2);
  Prepare();
  ASSERT_EQ(Report->PageStore().PageCount(), 2);
  EXPECT_EQ(FillTops(2, kDetail), std::vector<int>{kMargin});
}

TEST_F(ReportLayoutTest, AFailingHandlerEndsTheRunAsCancelledAndPropagates) {
  struct TFailer {
    int Calls = 0;
    void Fail(TObject*, bool&) {
      if (++Calls == 2) throw EInOutError("Cannot open file mark.bmp");
    }
  } failer;
  AddBand("Detail", rbDetail, 100, kDetail)->BeforePrint = TQRBandBeforePrintEvent(&failer, &TFailer::Fail);
  AddRecords(3);
  EXPECT_THROW(Report->Prepare(&Metrics), EInOutError);
  EXPECT_TRUE(Report->PageStore().Cancelled());
  EXPECT_EQ(Report->PageStore().PageCount(), 1);
}

TEST_F(ReportLayoutTest, ReportBeforePrintCanStopTheRun) {
  struct TStopper {
    void Stop(TObject*, bool& PrintReport) { PrintReport = false; }
  } stopper;
  Report->BeforePrint = TQRReportBeforePrintEvent(&stopper, &TStopper::Stop);
  AddBand("Detail", rbDetail, 100, kDetail);
  AddRecords(2);
  EXPECT_FALSE(Report->Prepare(&Metrics));
  EXPECT_EQ(Report->PageStore().PageCount(), 0);
  EXPECT_TRUE(Report->PageStore().Cancelled());
}

TEST_F(ReportLayoutTest, EmptyDataPrintsOnePageOnlyWithPrintIfEmpty) {
  AddBand("Header", rbPageHeader, 30, kHeader);
  AddBand("Detail", rbDetail, 100, kDetail);
  Prepare();
  ASSERT_EQ(Report->PageStore().PageCount(), 1);
  EXPECT_EQ(FillTops(1, kHeader).size(), 1u);
  EXPECT_TRUE(FillTops(1, kDetail).empty());

  Report->SetPrintIfEmpty(false);
  EXPECT_TRUE(Report->Prepare(&Metrics));
  EXPECT_EQ(Report->PageStore().PageCount(), 0);
}

TEST_F(ReportLayoutTest, GroupHeadersAndFootersFollowTheGroupValue) {
  auto* group = new TQRGroup(&Root);
  group->SetName("Group");
  group->SetExpression("GRP");
  group->SetHeight(10);
  group->SetParent(Report);
  auto* footer = AddBand("GroupFooter", rbGroupFooter, 10, kSummary);
  group->SetFooterBand(footer);
  group->BeforePrint = TQRBandBeforePrintEvent(&Rec, &TRecorder::BandBeforePrint);
  AddBand("Detail", rbDetail, 10, kDetail);
  AddRecords(5);  // groups 0, 0, 0, 1, 1
  Prepare();

  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"Group", "Detail", "Detail", "Detail", "GroupFooter", "Group",
                                               "Detail", "Detail", "GroupFooter"}));
}

TEST_F(ReportLayoutTest, ControlsPrintTheirValuesUnlessDisabled) {
  TQRBand* band = AddBand("Detail", rbDetail, 100, kDetail);
  auto add = [&](auto* control, int left, int top) {
    control->SetBounds(left, top, 120, 40);
    control->SetParent(band);
    return control;
  };
  auto* no = add(new TQRDBText(&Root), 10, 0);
  no->SetDataSet(Data);
  no->SetDataField("NO");
  struct TDecorator {
    void Print(TObject*, std::string& Value) { Value = "#" + Value; }
  } decorator;
  no->OnPrint = TQRLabelOnPrintEvent(&decorator, &TDecorator::Print);
  auto* missing = add(new TQRDBText(&Root), 10, 20);
  missing->SetDataSet(Data);
  missing->SetDataField("NOSUCHFIELD");
  auto* off = add(new TQRLabel(&Root), 10, 40);
  off->SetCaption("hidden");
  off->SetEnabled(false);
  auto* memo = add(new TQRMemo(&Root), 200, 0);
  memo->Lines().Add("line one");
  memo->Lines().Add("two");
  auto* expr = add(new TQRExpr(&Root), 400, 0);
  expr->SetExpression("'P' + PAGENUMBER + '/' + NO");
  AddRecords(1);
  Prepare();

  EXPECT_EQ(Texts(1), (std::vector<std::string>{"#1", "line one", "two", "P1/1"}));
  const auto& items = Report->PageStore().Page(1).Items;
  const auto* first = std::get_if<TPageText>(&items[1]);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Clip, Bounds(kMargin + 10, kMargin, 120, 40));
}

TEST_F(ReportLayoutTest, WordWrapBreaksWithinTheBoxAndClipsAtItsBottom) {
  TQRBand* band = AddBand("Detail", rbDetail, 100, kDetail);
  auto* memo = new TQRMemo(&Root);
  memo->Font()->SetHeight(-10);  // stand-in: 5 pixels per character, lines 10 high
  memo->SetBounds(0, 0, 30, 25);
  memo->SetParent(band);
  memo->Lines().Add("aaaa bbbb cccc dddd");
  AddRecords(1);
  Prepare();

  // Three lines start inside the 25-pixel box; the fourth would not.
  EXPECT_EQ(Texts(1), (std::vector<std::string>{"aaaa", "bbbb", "cccc"}));
}

class TCancelAfter : public IPageProgress {
public:
  explicit TCancelAfter(int pages) : FPages(pages) {}
  bool PageGenerated(int PageCount, int, int RecordCount) override {
    Calls.push_back(PageCount);
    Records = RecordCount;
    return PageCount < FPages;
  }
  std::vector<int> Calls;
  int Records = 0;

private:
  int FPages;
};

TEST_F(ReportLayoutTest, ProgressIsToldPerPageAndCanCancel) {
  AddBand("Detail", rbDetail, 100, kDetail)->SetForceNewPage(true);
  AddRecords(5);
  TCancelAfter progress(2);
  Report->PageStore().SetProgress(&progress);
  EXPECT_FALSE(Report->Prepare(&Metrics));

  const TPageStore& store = Report->PageStore();
  EXPECT_TRUE(store.Cancelled());
  EXPECT_EQ(store.PageCount(), 2);
  EXPECT_EQ(progress.Calls, (std::vector<int>{1, 2}));
  EXPECT_EQ(progress.Records, 5);
  EXPECT_THROW(store.Page(0), EListError);
  EXPECT_THROW(store.Page(3), EListError);

  // A new run starts afresh.
  Report->PageStore().SetProgress(nullptr);
  EXPECT_TRUE(Report->Prepare(&Metrics));
  EXPECT_EQ(store.PageCount(), 5);
}

TEST_F(ReportLayoutTest, PreviewLetsOnPreviewLinkTheProgressFirst) {
  AddBand("Detail", rbDetail, 100, kDetail)->SetForceNewPage(true);
  AddRecords(3);
  struct TLinker {
    TCancelAfter Progress{100};
    void Link(TObject* Sender) { static_cast<TQuickRep*>(Sender)->PageStore().SetProgress(&Progress); }
  } linker;
  Report->OnPreview = TNotifyEvent(&linker, &TLinker::Link);
  EXPECT_TRUE(Report->Preview());
  EXPECT_EQ(linker.Progress.Calls, (std::vector<int>{1, 2, 3}));
  Report->PageStore().SetProgress(nullptr);
}

TEST(QuickRepPageTest, PaperSizesOrientationAndUnits) {
  TQuickRep report(nullptr);
  EXPECT_EQ(PaperSizeName(qrpLetter), "Letter");
  EXPECT_EQ(PaperSizeName(qrp10X14), "qr10X14");
  EXPECT_EQ(PaperSizeName(qrpCustom), "Custom");
  report.Page()->PaperSize = qrpA4;
  EXPECT_EQ(report.PaperWidth(), 2100);
  EXPECT_EQ(report.PaperLength(), 2970);
  report.Page()->Orientation = poLandscape;
  EXPECT_EQ(report.PaperWidth(), 2970);
  EXPECT_EQ(report.PageWidthPixels(), 1123);
  report.Page()->PaperSize = qrpCustom;
  report.Page()->Width = 100;
  report.Page()->Length = 150;
  EXPECT_EQ(report.PaperLength(), 1000);

  EXPECT_DOUBLE_EQ(report.ToUnits(25.4), 25.4);
  report.SetUnits(quInches);
  EXPECT_DOUBLE_EQ(report.ToUnits(25.4), 1.0);
  report.SetUnits(quNative);
  EXPECT_DOUBLE_EQ(report.ToUnits(21.59), 215.9);
  report.SetUnits(quPixels);
  EXPECT_DOUBLE_EQ(report.ToUnits(25.4), 96.0);
  EXPECT_DOUBLE_EQ(report.FromUnits(96.0), 25.4);
  EXPECT_EQ(UnitName(quCharacters), "Characters");
}

TEST(QuickRepStreamingTest, AStoredLayoutCreatesTheReportClassesByName) {
  TComponent root(nullptr);
  root.SetName("Fmt");
  ReadFormText(&root, R"(object Fmt: TComponent
  object QuickRep1: TQuickRep
    Page.PaperSize = A4
    Page.LeftMargin = 15.5
    Options = [FirstPageHeader]
    Units = Inches
    PageStyle = qpsHalfPage
    ReportTitle = 'T'
    Zoom = 80
    object DetailBand1: TQRBand
      BandType = rbDetail
      Height = 847
      ForceNewPage = True
      object memTC056: TQRMemo
        Lines.Strings = ('a' 'b')
        Enabled = False
      end
      object imgTC056: TQRImage
        Stretch = True
      end
      object txtTC001T: TQRDBText
        DataField = 'TC001T'
        Alignment = taRightJustify
      end
    end
  end
end
)");
  auto* report = root.FindComponent<TQuickRep>("QuickRep1");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->Page()->PaperSize, qrpA4);
  EXPECT_DOUBLE_EQ(report->Page()->LeftMargin, 15.5);
  EXPECT_EQ(report->Options(), TQuickRepOptions{qoFirstPageHeader});
  EXPECT_EQ(report->Units(), quInches);
  EXPECT_EQ(report->PageStyle(), qpsHalfPage);
  EXPECT_EQ(report->Zoom(), 80);
  ASSERT_EQ(report->Bands().size(), 1u);
  TQRCustomBand* band = report->Bands()[0];
  EXPECT_EQ(band->BandType(), rbDetail);
  EXPECT_TRUE(band->ForceNewPage());
  auto* memo = root.FindComponent<TQRMemo>("memTC056");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->Parent(), band);
  EXPECT_EQ(memo->Lines().Count(), 2);
  EXPECT_FALSE(memo->Enabled());
  EXPECT_TRUE(root.FindComponent<TQRImage>("imgTC056")->Stretch());
  EXPECT_EQ(root.FindComponent<TQRDBText>("txtTC001T")->Alignment(), taRightJustify);
}

}  // namespace
