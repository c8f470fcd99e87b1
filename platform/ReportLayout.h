#pragma once
// The layout pass of a report run: walks the data set, places the bands on
// pages by their type, lets the controls print into the pages' display lists
// and measures texts through IFontMetrics. It draws nothing.
//
// Per page: OnStartPage, the background, the page header (not on the first
// page without FirstPageHeader), the column header; the title follows on the
// first page. Per record: group headers whose value changed, the detail
// band and its child bands. A band that does not fit above the page footer,
// or one with ForceNewPage once the page holds something, starts a new page.
// The page footer closes each page (the last one only with LastPageFooter),
// then OnEndPage and the progress report, which may cancel the run.
#include <memory>
#include <string>
#include <vector>

#include "PageStore.h"

class IFontMetrics;
class TBitmap;
class TQuickRep;
class TQRCustomBand;
class TQRGroup;

class TReportLayout {
public:
  TReportLayout(TQuickRep& Report, TPageStore& Store, const IFontMetrics& Metrics);
  // Generates every page into the store; the store's status tells how it
  // ended. An exception from an event handler ends the run as cancelled
  // and reaches the caller.
  void Run();

private:
  void Generate();
  void StartPage();
  void EndPage(bool Last);
  // False when the run was cancelled.
  bool PrintBand(TQRCustomBand& Band, bool AtPageTop = false);
  void PlaceBand(TQRCustomBand& Band, int Top);
  void PrintChildren(TQRCustomBand& Parent);
  void PrintGroupFooters(std::size_t From);
  std::string GroupValue(const TQRGroup& Group) const;
  int FooterHeight() const;
  int RecordNumber() const;

  TQuickRep& FReport;
  TPageStore& FStore;
  const IFontMetrics& FMetrics;
  std::vector<TQRCustomBand*> FBands;
  TQRCustomBand* FTitle = nullptr;
  TQRCustomBand* FPageHeader = nullptr;
  TQRCustomBand* FColumnHeader = nullptr;
  TQRCustomBand* FDetail = nullptr;
  TQRCustomBand* FSummary = nullptr;
  TQRCustomBand* FPageFooter = nullptr;
  std::vector<TQRGroup*> FGroups;
  std::vector<std::string> FGroupValues;
  std::shared_ptr<const TBitmap> FBackground;

  TPageContent* FPage = nullptr;
  int FPageNumber = 0;
  int FRecord = 0;
  int FLeft = 0;
  int FTop = 0;     // where the body starts on the page
  int FBottom = 0;  // where the page footer starts
  int FCursor = 0;
  bool FCancelled = false;
};
