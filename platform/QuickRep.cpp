#include "QuickRep.h"

#include <cmath>

#include "ColorIdents.h"
#include "DataSet.h"
#include "FontMetrics.h"
#include "Picture.h"
#include "PrinterSetupDialog.h"
#include "Printers.h"
#include "QRBands.h"
#include "ReportLayout.h"
#include "TypInfo.h"

namespace {

const std::vector<std::string>& PaperNames() {
  static const std::vector<std::string> names{
      "Default", "Letter", "LetterSmall", "Tabloid", "Ledger", "Legal",   "Statement", "Executive", "A3",    "A4",
      "A4Small", "A5",     "B4",          "B5",      "Folio",  "Quarto",  "qr10X14",   "qr11X17",   "Note",  "Env9",
      "Env10",   "Env11",  "Env12",       "Env14",   "CSheet", "DSheet",  "ESheet",    "Custom"};
  return names;
}

const std::vector<std::string>& UnitNames() {
  static const std::vector<std::string> names{"MM", "Inches", "Pixels", "Characters", "Native"};
  return names;
}

const TTypeInfo& OrientationTypeInfo() {
  static const TTypeInfo Type = TTypeInfo::Enumeration("TPrinterOrientation", {"poPortrait", "poLandscape"});
  return Type;
}

int TenthsToPixels(int tenths) { return static_cast<int>(std::lround(tenths / 254.0 * 96.0)); }

}  // namespace

const TTypeInfo& QRPaperSizeTypeInfo() {
  static const TTypeInfo Type = TTypeInfo::Enumeration("TQRPaperSize", PaperNames());
  return Type;
}

const TTypeInfo& QRUnitTypeInfo() {
  static const TTypeInfo Type = TTypeInfo::Enumeration("TQRUnit", UnitNames());
  return Type;
}

const TTypeInfo& QRPageStyleTypeInfo() {
  static const TTypeInfo Type = TTypeInfo::Enumeration("TQRPageStyle", {"qpsNone", "qpsFullPage", "qpsHalfPage"});
  return Type;
}

const TTypeInfo& QuickRepOptionsTypeInfo() {
  static const TTypeInfo Element =
      TTypeInfo::Enumeration("TQuickRepOption", {"FirstPageHeader", "LastPageFooter", "Compression"});
  static const TTypeInfo Type = TTypeInfo::Set("TQuickRepOptions", Element);
  return Type;
}

std::string PaperSizeName(TQRPaperSize Size) { return GetEnumName(QRPaperSizeTypeInfo(), Size); }

std::string UnitName(TQRUnit Unit) { return GetEnumName(QRUnitTypeInfo(), Unit); }

TSize PaperSizeTenths(TQRPaperSize Size) {
  // Portrait width x length in tenths of a millimetre, as the printer
  // drivers define the sizes.
  static const TSize sizes[] = {
      {2159, 2794}, {2159, 2794}, {2159, 2794}, {2794, 4318}, {4318, 2794}, {2159, 3556}, {1397, 2159},
      {1842, 2667}, {2970, 4200}, {2100, 2970}, {2100, 2970}, {1480, 2100}, {2570, 3640}, {1820, 2570},
      {2159, 3302}, {2150, 2750}, {2540, 3556}, {2794, 4318}, {2159, 2794}, {984, 2254},  {1048, 2413},
      {1143, 2635}, {1207, 2794}, {1270, 2921}, {4318, 5588}, {5588, 8636}, {8636, 11176}, {0, 0}};
  const int index = static_cast<int>(Size);
  if (index < 0 || index >= static_cast<int>(std::size(sizes))) return {0, 0};
  return sizes[index];
}

// ------------------------------------------------------------------ TQRPage

void TQRPage::Assign(const TPersistent* Source) {
  if (auto* src = dynamic_cast<const TQRPage*>(Source)) {
    PaperSize = src->PaperSize;
    Orientation = src->Orientation;
    Width = src->Width;
    Length = src->Length;
    TopMargin = src->TopMargin;
    BottomMargin = src->BottomMargin;
    LeftMargin = src->LeftMargin;
    RightMargin = src->RightMargin;
    Columns = src->Columns;
    ColumnSpace = src->ColumnSpace;
    return;
  }
  TPersistent::Assign(Source);
}

const TClass& TQRPage::StaticClass() {
  static const TClass Class =
      TClassBuilder<TQRPage>("TQRPage")
          .Property("PaperSize", QRPaperSizeTypeInfo(), &TQRPage::PaperSize, &TQRPage::PaperSize)
          .Default(qrpLetter)
          .Property("Orientation", OrientationTypeInfo(), &TQRPage::Orientation, &TQRPage::Orientation)
          .Default(poPortrait)
          .Property("Width", &TQRPage::Width, &TQRPage::Width)
          .Property("Length", &TQRPage::Length, &TQRPage::Length)
          .Property("TopMargin", &TQRPage::TopMargin, &TQRPage::TopMargin)
          .Property("BottomMargin", &TQRPage::BottomMargin, &TQRPage::BottomMargin)
          .Property("LeftMargin", &TQRPage::LeftMargin, &TQRPage::LeftMargin)
          .Property("RightMargin", &TQRPage::RightMargin, &TQRPage::RightMargin)
          .Property("Columns", &TQRPage::Columns, &TQRPage::Columns)
          .Default(1)
          .Property("ColumnSpace", &TQRPage::ColumnSpace, &TQRPage::ColumnSpace)
          .Build();
  return Class;
}

// ------------------------------------------------------- TQRPrinterSettings

void TQRPrinterSettings::Assign(const TPersistent* Source) {
  if (auto* src = dynamic_cast<const TQRPrinterSettings*>(Source)) {
    PrinterIndex = src->PrinterIndex;
    Copies = src->Copies;
    FirstPage = src->FirstPage;
    LastPage = src->LastPage;
    OutputFile = src->OutputFile;
    return;
  }
  TPersistent::Assign(Source);
}

const TClass& TQRPrinterSettings::StaticClass() {
  static const TClass Class =
      TClassBuilder<TQRPrinterSettings>("TQRPrinterSettings")
          .Property("PrinterIndex", &TQRPrinterSettings::PrinterIndex, &TQRPrinterSettings::PrinterIndex)
          .Default(-1)
          .Property("Copies", &TQRPrinterSettings::Copies, &TQRPrinterSettings::Copies)
          .Default(1)
          .Property("FirstPage", &TQRPrinterSettings::FirstPage, &TQRPrinterSettings::FirstPage)
          .Default(0)
          .Property("LastPage", &TQRPrinterSettings::LastPage, &TQRPrinterSettings::LastPage)
          .Default(0)
          .Property("OutputFile", &TQRPrinterSettings::OutputFile, &TQRPrinterSettings::OutputFile)
          .Build();
  return Class;
}

// ---------------------------------------------------------------- TQuickRep

TQuickRep::TQuickRep(TComponent* AOwner)
    : TCustomControl(AOwner),
      FPage(std::make_unique<TQRPage>()),
      FPrinterSettings(std::make_unique<TQRPrinterSettings>()),
      FBackground(std::make_unique<TPicture>()),
      FPageStore(std::make_unique<TPageStore>()) {
  SetParentColor(false);
  SetColor(0xFFFFFF);
  SetParentFont(false);
  Font()->SetName("Arial");
  Font()->SetHeight(-13);
  SetBounds(0, 0, PageWidthPixels(), PageLengthPixels());
}

TQuickRep::~TQuickRep() {
  // The bands and their controls go first: they may still refer to the
  // data set and the page set-up while they leave.
  DestroyComponents();
  SetDataSet(nullptr);
}

void TQuickRep::SetZoom(int Value) { FZoom = Value < 1 ? 1 : Value; }

void TQuickRep::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  if (FDataSet) FDataSet->RemoveFreeNotification(this);
  FDataSet = Value;
  if (FDataSet) FDataSet->FreeNotification(this);
}

void TQuickRep::SetBackground(TPicture* Value) { FBackground->Assign(Value); }

void TQuickRep::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) FDataSet = nullptr;
}

int TQuickRep::PaperWidth() const {
  const TSize size = FPage->PaperSize == qrpCustom
                         ? TSize{static_cast<int>(std::lround(FPage->Width * 10)),
                                 static_cast<int>(std::lround(FPage->Length * 10))}
                         : PaperSizeTenths(FPage->PaperSize);
  return FPage->Orientation == poLandscape ? size.cy : size.cx;
}

int TQuickRep::PaperLength() const {
  const TSize size = FPage->PaperSize == qrpCustom
                         ? TSize{static_cast<int>(std::lround(FPage->Width * 10)),
                                 static_cast<int>(std::lround(FPage->Length * 10))}
                         : PaperSizeTenths(FPage->PaperSize);
  return FPage->Orientation == poLandscape ? size.cx : size.cy;
}

int TQuickRep::PageWidthPixels() const { return TenthsToPixels(PaperWidth()); }

int TQuickRep::PageLengthPixels() const { return TenthsToPixels(PaperLength()); }

double TQuickRep::ToUnits(double Millimetres, bool Horizontal) const {
  switch (FUnits) {
    case quMM: return Millimetres;
    case quInches: return Millimetres / 25.4;
    case quPixels: return Millimetres / 25.4 * 96.0;
    case quNative: return Millimetres * 10.0;
    case quCharacters: {
      const IFontMetrics& metrics = FontMetrics();
      const int cell = Horizontal ? metrics.TextWidth(*Font(), "0") : metrics.TextHeight(*Font(), "0");
      return cell > 0 ? Millimetres / 25.4 * 96.0 / cell : 0.0;
    }
  }
  return Millimetres;
}

double TQuickRep::FromUnits(double Value, bool Horizontal) const {
  const double one = ToUnits(1.0, Horizontal);
  return one != 0 ? Value / one : 0.0;
}

std::vector<TQRCustomBand*> TQuickRep::Bands() const {
  std::vector<TQRCustomBand*> bands;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* band = dynamic_cast<TQRCustomBand*>(Controls(i))) bands.push_back(band);
  return bands;
}

bool TQuickRep::Prepare(const IFontMetrics* Metrics) {
  TReportLayout layout(*this, *FPageStore, Metrics ? *Metrics : FontMetrics());
  layout.Run();
  return FPageStore->Finished();
}

bool TQuickRep::Preview() {
  OnPreview(this);
  return Prepare();
}

bool TQuickRep::Print() {
  if (!Prepare()) return false;
  PrintPreparedPages();
  return true;
}

void TQuickRep::PrintPreparedPages() {
  TPrintJobOptions options;
  options.Title = FReportTitle.empty() ? Name() : FReportTitle;
  options.Copies = FPrinterSettings->Copies;
  options.FirstPage = FPrinterSettings->FirstPage;
  options.LastPage = FPrinterSettings->LastPage;
  if (!FPrinterSettings->OutputFile.empty()) PrintToFile(*FPageStore, FPrinterSettings->OutputFile, options);
  else PrintToQueue(*FPageStore, PrinterNameOf(FPrinterSettings->PrinterIndex), options);
}

bool TQuickRep::PrinterSetup() {
  const bool confirmed = ExecutePrinterSetup(*FPrinterSettings, PrinterNames(), DefaultPrinterName());
  SetTag(confirmed ? 0 : 1);
  return confirmed;
}

const TClass& TQuickRep::StaticClass() {
  static const TClass Class =
      TClassBuilder<TQuickRep>("TQuickRep")
          .Property("Page", &TQuickRep::Page, &TQuickRep::SetPage)
          .Property("PrinterSettings", &TQuickRep::PrinterSettings, &TQuickRep::SetPrinterSettings)
          .Property("Units", QRUnitTypeInfo(), &TQuickRep::Units, &TQuickRep::SetUnits)
          .Default(quMM)
          .Property("Zoom", &TQuickRep::Zoom, &TQuickRep::SetZoom)
          .Default(100)
          .Property("PageStyle", QRPageStyleTypeInfo(), &TQuickRep::PageStyle, &TQuickRep::SetPageStyle)
          .Default(qpsNone)
          .Property("Options", QuickRepOptionsTypeInfo(), &TQuickRep::Options, &TQuickRep::SetOptions)
          .Property("PrintIfEmpty", &TQuickRep::PrintIfEmpty, &TQuickRep::SetPrintIfEmpty)
          .Default(1)
          .Property("SnapToGrid", &TQuickRep::SnapToGrid, &TQuickRep::SetSnapToGrid)
          .Default(1)
          .Property("ReportTitle", &TQuickRep::ReportTitle, &TQuickRep::SetReportTitle)
          .Property("DataSet", &TQuickRep::DataSet, &TQuickRep::SetDataSet)
          .Property("Background", &TQuickRep::Background, &TQuickRep::SetBackground)
          .Property("BeforePrint", &TQuickRep::BeforePrint, &TQuickRep::BeforePrint)
          .Property("AfterPrint", &TQuickRep::AfterPrint, &TQuickRep::AfterPrint)
          .Property("OnStartPage", &TQuickRep::OnStartPage, &TQuickRep::OnStartPage)
          .Property("OnEndPage", &TQuickRep::OnEndPage, &TQuickRep::OnEndPage)
          .Property("OnPreview", &TQuickRep::OnPreview, &TQuickRep::OnPreview)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TQuickRep::StaticClass()), true);
}
