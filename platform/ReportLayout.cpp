#include "ReportLayout.h"

#include <cmath>

#include "Bitmap.h"
#include "Colors.h"
#include "DataSet.h"
#include "Picture.h"
#include "QRBands.h"
#include "QRControls.h"
#include "QuickRep.h"

namespace {

int MMToPixels(double mm) { return static_cast<int>(std::lround(mm / 25.4 * 96.0)); }

}  // namespace

TReportLayout::TReportLayout(TQuickRep& Report, TPageStore& Store, const IFontMetrics& Metrics)
    : FReport(Report), FStore(Store), FMetrics(Metrics) {
  for (TQRCustomBand* band : Report.Bands()) {
    if (!band->Enabled()) continue;
    FBands.push_back(band);
    // The first band of each kind is the one that prints.
    auto take = [band](TQRCustomBand*& slot) {
      if (!slot) slot = band;
    };
    switch (band->BandType()) {
      case rbTitle: take(FTitle); break;
      case rbPageHeader: take(FPageHeader); break;
      case rbColumnHeader: take(FColumnHeader); break;
      case rbDetail: take(FDetail); break;
      case rbSummary: take(FSummary); break;
      case rbPageFooter: take(FPageFooter); break;
      case rbGroupHeader:
        if (auto* group = dynamic_cast<TQRGroup*>(band)) FGroups.push_back(group);
        break;
      case rbGroupFooter:
      case rbChild: break;
    }
  }
}

int TReportLayout::RecordNumber() const { return FRecord; }

int TReportLayout::FooterHeight() const { return FPageFooter ? FPageFooter->Height() : 0; }

std::string TReportLayout::GroupValue(const TQRGroup& Group) const {
  const TDataSet* data = FReport.DataSet();
  if (!data || data->Eof()) return {};
  const TField* field = data->FindField(Group.Expression());
  return field ? field->AsString() : std::string();
}

void TReportLayout::Run() {
  try {
    Generate();
  } catch (...) {
    // A handler that fails (a picture that cannot be loaded) ends the run:
    // the store must not stay busy, and the pages so far are kept.
    FStore.EndGeneration(true);
    throw;
  }
}

void TReportLayout::Generate() {
  const TQRPage& page = *FReport.Page();
  FStore.BeginGeneration(FReport.PaperWidth(), FReport.PaperLength(), page.LeftMargin, page.TopMargin);
  FLeft = MMToPixels(page.LeftMargin);
  FTop = MMToPixels(page.TopMargin);
  FBottom = FReport.PageLengthPixels() - MMToPixels(page.BottomMargin) - FooterHeight();

  bool printReport = true;
  FReport.BeforePrint(&FReport, printReport);
  if (!printReport) {
    FStore.EndGeneration(true);
    return;
  }

  if (const TPicture* background = FReport.Background(); background && !background->Empty()) {
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->Assign(*background->Bitmap());
    FBackground = std::move(bitmap);
  }
  TDataSet* data = FReport.DataSet();
  if (data) data->First();
  const bool empty = data && data->Eof();
  if (empty && !FReport.PrintIfEmpty()) {
    FStore.EndGeneration(false);
    FReport.AfterPrint(&FReport);
    return;
  }

  StartPage();
  if (FTitle && !FCancelled) PrintBand(*FTitle);
  FGroupValues.assign(FGroups.size(), std::string());
  bool firstRecord = true;
  if (!data) {
    // Without a data set the detail band prints once.
    if (FDetail && !FCancelled) PrintBand(*FDetail);
  } else {
    while (!data->Eof() && !FCancelled) {
      ++FRecord;
      // The first group whose value changed closes the groups inside it
      // and opens them again.
      std::size_t changed = FGroups.size();
      for (std::size_t i = 0; i < FGroups.size(); ++i) {
        if (firstRecord || GroupValue(*FGroups[i]) != FGroupValues[i]) {
          changed = i;
          break;
        }
      }
      if (!firstRecord && changed < FGroups.size()) PrintGroupFooters(changed);
      for (std::size_t i = changed; i < FGroups.size() && !FCancelled; ++i) {
        FGroupValues[i] = GroupValue(*FGroups[i]);
        PrintBand(*FGroups[i]);
      }
      if (FDetail && !FCancelled) PrintBand(*FDetail);
      firstRecord = false;
      data->Next();
    }
    if (!firstRecord && !FCancelled) {
      // The footers of the last group print with the last record still current.
      PrintGroupFooters(0);
    }
  }
  if (FSummary && !FCancelled) PrintBand(*FSummary);
  if (!FCancelled) EndPage(true);
  FStore.EndGeneration(FCancelled);
  if (!FCancelled) FReport.AfterPrint(&FReport);
}

void TReportLayout::PrintGroupFooters(std::size_t From) {
  for (std::size_t i = FGroups.size(); i-- > From && !FCancelled;)
    if (TQRCustomBand* footer = FGroups[i]->FooterBand(); footer && footer->Enabled()) PrintBand(*footer);
}

void TReportLayout::StartPage() {
  ++FPageNumber;
  FPage = &FStore.NewPage(FReport.PageWidthPixels(), FReport.PageLengthPixels());
  FCursor = FTop;
  FReport.OnStartPage(&FReport);
  if (FBackground) FPage->Add(TPagePicture{Rect(0, 0, FPage->Width, FPage->Height), FBackground, true, false});
  if (FPageHeader && (FPageNumber > 1 || FReport.Options().Contains(qoFirstPageHeader)))
    PrintBand(*FPageHeader, true);
  if (FColumnHeader) PrintBand(*FColumnHeader, true);
  FTop = FCursor;
}

void TReportLayout::EndPage(bool Last) {
  if (FPageFooter && (!Last || FReport.Options().Contains(qoLastPageFooter))) {
    bool printBand = true;
    FPageFooter->BeforePrint(FPageFooter, printBand);
    if (printBand) {
      PlaceBand(*FPageFooter, FBottom);
      FPageFooter->AfterPrint(FPageFooter);
    }
  }
  FReport.OnEndPage(&FReport);
  FTop = MMToPixels(FReport.Page()->TopMargin);
  const TDataSet* data = FReport.DataSet();
  IPageProgress* progress = FStore.Progress();
  if (progress && !progress->PageGenerated(FStore.PageCount(), RecordNumber(), data ? data->RecordCount() : 0))
    FStore.Cancel();
  if (FStore.CancelRequested()) FCancelled = true;
}

bool TReportLayout::PrintBand(TQRCustomBand& Band, bool AtPageTop) {
  bool printBand = true;
  Band.BeforePrint(&Band, printBand);
  if (!printBand) return !FCancelled;
  if (!AtPageTop) {
    // A page that holds only its headers counts as empty: breaking there
    // would leave a blank page behind.
    const bool pageHasBody = FCursor > FTop;
    if (pageHasBody && (Band.ForceNewPage() || FCursor + Band.Height() > FBottom)) {
      EndPage(false);
      if (FCancelled) return false;
      StartPage();
    }
  }
  PlaceBand(Band, FCursor);
  FCursor += Band.Height();
  Band.AfterPrint(&Band);
  PrintChildren(Band);
  return !FCancelled;
}

void TReportLayout::PlaceBand(TQRCustomBand& Band, int Top) {
  const int width = FReport.PageWidthPixels() - FLeft - MMToPixels(FReport.Page()->RightMargin);
  if (!Band.Transparent()) FPage->Add(TPageFill{Bounds(FLeft, Top, width, Band.Height()), ColorToRGB(Band.Color())});
  TQRPrintContext ctx{*FPage, FMetrics, {FLeft, Top}, FPageNumber, &FReport};
  for (int i = 0; i < Band.ControlCount(); ++i) {
    auto* control = dynamic_cast<TQRPrintable*>(Band.Controls(i));
    if (control && control->Enabled()) control->Print(ctx);
  }
}

void TReportLayout::PrintChildren(TQRCustomBand& Parent) {
  for (TQRCustomBand* band : FBands) {
    auto* child = dynamic_cast<TQRChildBand*>(band);
    if (child && child->ParentBand() == &Parent && !FCancelled) PrintBand(*child);
  }
}
