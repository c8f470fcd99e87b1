#pragma once
// TQuickRep: the report page component. It holds the page set-up (paper,
// orientation, margins), the bands as its child controls, the data set the
// detail band repeats over, and the page store the generated pages go to.
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "PageStore.h"

class TDataSet;
class TPicture;
class TQRCustomBand;
class IFontMetrics;

// In the order of the paper-size name table of the preview and option forms.
// The stored names drop the "qrp" prefix ("Letter", "A4"; "qr10X14").
enum TQRPaperSize {
  qrpDefault, qrpLetter, qrpLetterSmall, qrpTabloid, qrpLedger, qrpLegal, qrpStatement,
  qrpExecutive, qrpA3, qrpA4, qrpA4Small, qrpA5, qrpB4, qrpB5, qrpFolio, qrpQuarto, qrp10X14,
  qrp11X17, qrpNote, qrpEnv9, qrpEnv10, qrpEnv11, qrpEnv12, qrpEnv14, qrpCSheet, qrpDSheet,
  qrpESheet, qrpCustom,
};
enum TPrinterOrientation { poPortrait, poLandscape };
// Native is tenths of a millimetre; Characters are the report font's
// average character cell.
// Stored as "MM", "Inches", "Pixels", "Characters", "Native".
enum TQRUnit { quMM, quInches, quPixels, quCharacters, quNative };
enum TQRPageStyle { qpsNone, qpsFullPage, qpsHalfPage };
// Stored as "FirstPageHeader", "LastPageFooter", "Compression".
enum TQuickRepOption { qoFirstPageHeader, qoLastPageFooter, qoCompression };
using TQuickRepOptions = TSet<TQuickRepOption>;

const TTypeInfo& QRPaperSizeTypeInfo();
const TTypeInfo& QRUnitTypeInfo();
const TTypeInfo& QRPageStyleTypeInfo();
const TTypeInfo& QuickRepOptionsTypeInfo();
// The stored name of a paper size or unit (the preview's name tables).
std::string PaperSizeName(TQRPaperSize Size);
std::string UnitName(TQRUnit Unit);

// Portrait width and length of a paper size in tenths of a millimetre
// (Default is Letter; Custom has none and answers 0, 0).
TSize PaperSizeTenths(TQRPaperSize Size);

// Sender, var PrintReport: false stops the run before any page.
struct TQRReportBeforePrintEvent : TEvent<TObject*, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TQRReportBeforePrintEvent";
};

// The page set-up; lengths are millimetres whatever the report's Units.
class TQRPage : public TPersistent {
  KESR_CLASS(TQRPage, TPersistent)
public:
  TQRPage() = default;
  TQRPaperSize PaperSize = qrpLetter;
  TPrinterOrientation Orientation = poPortrait;
  // Portrait width and length of a Custom paper.
  double Width = 215.9;
  double Length = 279.4;
  double TopMargin = 10;
  double BottomMargin = 10;
  double LeftMargin = 10;
  double RightMargin = 10;
  int Columns = 1;
  double ColumnSpace = 0;
  void Assign(const TPersistent* Source) override;
};

class TQRPrinterSettings : public TPersistent {
  KESR_CLASS(TQRPrinterSettings, TPersistent)
public:
  TQRPrinterSettings() = default;
  // -1: the default printer; otherwise an index into the printer list.
  int PrinterIndex = -1;
  int Copies = 1;
  // 0: from the first / to the last page.
  int FirstPage = 0;
  int LastPage = 0;
  // Not empty: printing writes the job to this file instead of a queue.
  std::string OutputFile;
  void Assign(const TPersistent* Source) override;
};

class TQuickRep : public TCustomControl {
  KESR_CLASS(TQuickRep, TCustomControl)
public:
  explicit TQuickRep(TComponent* AOwner);
  ~TQuickRep() override;

  TQRPage* Page() const { return FPage.get(); }
  void SetPage(TQRPage* Value) { FPage->Assign(Value); }
  TQRPrinterSettings* PrinterSettings() const { return FPrinterSettings.get(); }
  void SetPrinterSettings(TQRPrinterSettings* Value) { FPrinterSettings->Assign(Value); }
  TQRUnit Units() const { return FUnits; }
  void SetUnits(TQRUnit Value) { FUnits = Value; }
  int Zoom() const { return FZoom; }
  void SetZoom(int Value);
  TQRPageStyle PageStyle() const { return FPageStyle; }
  void SetPageStyle(TQRPageStyle Value) { FPageStyle = Value; }
  TQuickRepOptions Options() const { return FOptions; }
  void SetOptions(TQuickRepOptions Value) { FOptions = Value; }
  // With an empty data set: the report still makes one page.
  bool PrintIfEmpty() const { return FPrintIfEmpty; }
  void SetPrintIfEmpty(bool Value) { FPrintIfEmpty = Value; }
  bool SnapToGrid() const { return FSnapToGrid; }
  void SetSnapToGrid(bool Value) { FSnapToGrid = Value; }
  const std::string& ReportTitle() const { return FReportTitle; }
  void SetReportTitle(const std::string& Value) { FReportTitle = Value; }
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  // Drawn under every page, stretched over the whole paper.
  TPicture* Background() const { return FBackground.get(); }
  void SetBackground(TPicture* Value);

  // The paper as the orientation turns it, in tenths of a millimetre.
  int PaperWidth() const;
  int PaperLength() const;
  // The paper in page pixels (1/96 inch).
  int PageWidthPixels() const;
  int PageLengthPixels() const;
  // Millimetres expressed in Units (for texts such as "279.4 x 215.9 / MM").
  double ToUnits(double Millimetres, bool Horizontal = true) const;
  double FromUnits(double Value, bool Horizontal = true) const;

  // The report's bands, in child order.
  std::vector<TQRCustomBand*> Bands() const;

  TPageStore& PageStore() { return *FPageStore; }
  const TPageStore& PageStore() const { return *FPageStore; }

  // Generates every page into the page store (texts measured with Metrics,
  // the platform's by default). True when generation finished.
  bool Prepare(const IFontMetrics* Metrics = nullptr);
  // OnPreview first (it may link a progress window to the page store), then
  // Prepare: the pages wait in the store for a preview window or an export.
  bool Preview();
  // Prepare, then print the pages on the printer of PrinterSettings (or
  // into its OutputFile). False when generation did not finish; printer
  // failures raise EPrinterError.
  bool Print();
  // Prints the pages already in the store.
  void PrintPreparedPages();
  // The printer set-up dialog on the printer list; Tag becomes 1 when the
  // user cancels it and 0 when he confirms.
  bool PrinterSetup();

  TQRReportBeforePrintEvent BeforePrint;
  TNotifyEvent AfterPrint;
  TNotifyEvent OnStartPage;
  TNotifyEvent OnEndPage;
  TNotifyEvent OnPreview;

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::unique_ptr<TQRPage> FPage;
  std::unique_ptr<TQRPrinterSettings> FPrinterSettings;
  std::unique_ptr<TPicture> FBackground;
  std::unique_ptr<TPageStore> FPageStore;
  TQRUnit FUnits = quMM;
  int FZoom = 100;
  TQRPageStyle FPageStyle = qpsNone;
  TQuickRepOptions FOptions{qoFirstPageHeader, qoLastPageFooter};
  bool FPrintIfEmpty = true;
  bool FSnapToGrid = true;
  std::string FReportTitle;
  TDataSet* FDataSet = nullptr;
};
