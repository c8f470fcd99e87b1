#include "QRControls.h"

#include <algorithm>
#include <cstring>

#include "Bitmap.h"
#include "ColorIdents.h"
#include "Colors.h"
#include "DataSet.h"
#include "Filer.h"
#include "FontMetrics.h"
#include "Picture.h"
#include "QuickRep.h"
#include "StrUtils.h"
#include "TextLayout.h"
#include "TypInfo.h"

TPageFont PageFontOf(const TFont& Font) {
  TPageFont f;
  f.Name = Font.Name();
  // Page fonts are kept at 96 dpi whatever the font was made for.
  f.Height = Font.PixelsPerInch() == 96 ? Font.Height() : Font.Height() * 96 / Font.PixelsPerInch();
  f.Style = Font.Style();
  f.Color = ColorToRGB(Font.Color());
  f.Charset = Font.Charset();
  return f;
}

TPageText LayoutText(const std::string& Text, const TRect& Box, const TFont& Font, TAlignment Alignment,
                     bool WordWrap, const IFontMetrics& Metrics) {
  TPageText item;
  item.Clip = Box;
  item.Font = PageFontOf(Font);
  item.Alignment = Alignment;
  item.LineHeight = std::max(1, Metrics.TextHeight(Font, "Ag"));
  const auto measure = [&](std::string_view s) { return Metrics.TextWidth(Font, s); };
  int top = Box.Top;
  for (TTextLine& line : BreakTextLines(Text, Box.Width(), WordWrap, false, measure)) {
    if (top >= Box.Bottom) break;
    item.Lines.push_back({std::move(line.Text), top});
    top += item.LineHeight;
  }
  return item;
}

// ------------------------------------------------------------- TQRPrintable

TQRPrintable::TQRPrintable(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetParentColor(false);
  SetColor(0xFFFFFF);
  SetBounds(0, 0, 65, 17);
}

TRect TQRPrintable::PageBox(const TQRPrintContext& Ctx) const {
  return Bounds(Ctx.Origin.X + Left(), Ctx.Origin.Y + Top(), Width(), Height());
}

void TQRPrintable::Print(TQRPrintContext& Ctx) {
  if (!FTransparent) Ctx.Page.Add(TPageFill{PageBox(Ctx), ColorToRGB(Color())});
}

const TClass& TQRPrintable::StaticClass() {
  static const TClass Class = TClassBuilder<TQRPrintable>("TQRPrintable")
                                  .Property("Transparent", &TQRPrintable::Transparent, &TQRPrintable::SetTransparent)
                                  .Default(1)
                                  .Build();
  return Class;
}

// ----------------------------------------------------------- TQRCustomLabel

TQRCustomLabel::TQRCustomLabel(TComponent* AOwner) : TQRPrintable(AOwner) {}

bool TQRCustomLabel::GetPrintText(const TQRPrintContext&, std::string& Text) const {
  Text = Caption();
  return true;
}

void TQRCustomLabel::Print(TQRPrintContext& Ctx) {
  std::string text;
  if (!GetPrintText(Ctx, text)) return;
  OnPrint(this, text);
  TQRPrintable::Print(Ctx);
  TRect box = PageBox(Ctx);
  if (FAutoSize && !FWordWrap) {
    int width = 0;
    for (const auto& line : BreakTextLines(text, 0, false, false, [&](std::string_view s) {
           return Ctx.Metrics.TextWidth(*Font(), s);
         }))
      width = std::max(width, line.Width);
    box.Right = box.Left + width;
  }
  TPageText item = LayoutText(text, box, *Font(), FAlignment, FWordWrap, Ctx.Metrics);
  if (!item.Lines.empty()) Ctx.Page.Add(std::move(item));
}

const TClass& TQRCustomLabel::StaticClass() {
  static const TClass Class =
      TClassBuilder<TQRCustomLabel>("TQRCustomLabel")
          .Property("Caption", &TQRCustomLabel::Caption, &TQRCustomLabel::SetCaption)
          .Property("Alignment", AlignmentTypeInfo(), &TQRCustomLabel::Alignment, &TQRCustomLabel::SetAlignment)
          .Default(taLeftJustify)
          .Property("AutoSize", &TQRCustomLabel::AutoSize, &TQRCustomLabel::SetAutoSize)
          .Default(0)
          .Property("WordWrap", &TQRCustomLabel::WordWrap, &TQRCustomLabel::SetWordWrap)
          .Property("OnPrint", &TQRCustomLabel::OnPrint, &TQRCustomLabel::OnPrint)
          .Build();
  return Class;
}

const TClass& TQRLabel::StaticClass() {
  static const TClass Class = TClassBuilder<TQRLabel>("TQRLabel").Build();
  return Class;
}

// ---------------------------------------------------------------- TQRDBText

TQRDBText::~TQRDBText() { SetDataSet(nullptr); }

void TQRDBText::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  if (FDataSet) FDataSet->RemoveFreeNotification(this);
  FDataSet = Value;
  if (FDataSet) FDataSet->FreeNotification(this);
}

void TQRDBText::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomLabel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) FDataSet = nullptr;
}

bool TQRDBText::GetPrintText(const TQRPrintContext&, std::string& Text) const {
  if (!FDataSet || FDataField.empty() || FDataSet->Eof()) return false;
  const TField* field = FDataSet->FindField(FDataField);
  if (!field) return false;
  Text = field->DisplayText();
  return true;
}

const TClass& TQRDBText::StaticClass() {
  static const TClass Class = TClassBuilder<TQRDBText>("TQRDBText")
                                  .Property("DataSet", &TQRDBText::DataSet, &TQRDBText::SetDataSet)
                                  .Property("DataField", &TQRDBText::DataField, &TQRDBText::SetDataField)
                                  .Build();
  return Class;
}

// --------------------------------------------------------------- TQRStrings

void TQRStrings::Assign(const TPersistent* Source) {
  if (auto* src = dynamic_cast<const TQRStrings*>(Source)) {
    FItems.Assign(src->FItems);
    return;
  }
  TPersistent::Assign(Source);
}

void TQRStrings::DefineProperties(TFiler& Filer) {
  Filer.DefineProperty(
      "Strings",
      [this](const TFormValue& value) {
        FItems.Clear();
        for (const TFormValue& item : value.Items) FItems.Add(item.Text);
      },
      [this] {
        std::vector<TFormValue> items;
        for (int i = 0; i < FItems.Count(); ++i) items.push_back(TFormValue::OfString(FItems[i]));
        return TFormValue::OfList(std::move(items));
      },
      FItems.Count() > 0);
}

const TClass& TQRStrings::StaticClass() {
  static const TClass Class = TClassBuilder<TQRStrings>("TQRStrings").Build();
  return Class;
}

// ------------------------------------------------------------------ TQRMemo

TQRMemo::TQRMemo(TComponent* AOwner) : TQRCustomLabel(AOwner), FLines(std::make_unique<TQRStrings>()) {
  SetWordWrap(true);
}

TQRMemo::~TQRMemo() = default;

bool TQRMemo::GetPrintText(const TQRPrintContext&, std::string& Text) const {
  const TStringList& lines = FLines->Items();
  Text.clear();
  for (int i = 0; i < lines.Count(); ++i) {
    if (i > 0) Text += "\r\n";
    Text += lines[i];
  }
  return true;
}

const TClass& TQRMemo::StaticClass() {
  static const TClass Class = TClassBuilder<TQRMemo>("TQRMemo")
                                  .Property("Lines", &TQRMemo::LinesObject, &TQRMemo::SetLinesObject)
                                  .Build();
  return Class;
}

// ------------------------------------------------------------------ TQRExpr

namespace {

// The terms of an expression split at "+" outside quotes.
std::vector<std::string> ExprTerms(const std::string& expression) {
  std::vector<std::string> terms(1);
  bool quoted = false;
  for (char c : expression) {
    if (c == '\'') quoted = !quoted;
    if (c == '+' && !quoted) terms.emplace_back();
    else terms.back() += c;
  }
  return terms;
}

}  // namespace

bool TQRExpr::GetPrintText(const TQRPrintContext& Ctx, std::string& Text) const {
  Text.clear();
  const TDataSet* data = Ctx.Report ? Ctx.Report->DataSet() : nullptr;
  for (const std::string& raw : ExprTerms(FExpression)) {
    const std::string term = Trim(raw);
    if (term.size() >= 2 && term.front() == '\'' && term.back() == '\'') {
      Text += term.substr(1, term.size() - 2);
    } else if (SameText(term, "PAGENUMBER")) {
      Text += std::to_string(Ctx.PageNumber);
    } else if (SameText(term, "COLUMNNUMBER")) {
      Text += "1";
    } else if (SameText(term, "REPORTTITLE")) {
      if (Ctx.Report) Text += Ctx.Report->ReportTitle();
    } else if (data && !data->Eof()) {
      // "Table.Field" names the field of the report's data set.
      const std::size_t dot = term.rfind('.');
      if (const TField* field = data->FindField(dot == std::string::npos ? term : term.substr(dot + 1)))
        Text += field->DisplayText();
    }
  }
  return true;
}

const TClass& TQRExpr::StaticClass() {
  static const TClass Class = TClassBuilder<TQRExpr>("TQRExpr")
                                  .Property("Expression", &TQRExpr::Expression, &TQRExpr::SetExpression)
                                  .Build();
  return Class;
}

// ----------------------------------------------------------------- TQRImage

TQRImage::TQRImage(TComponent* AOwner) : TQRPrintable(AOwner), FPicture(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
}

TQRImage::~TQRImage() = default;

void TQRImage::SetPicture(TPicture* Value) { FPicture->Assign(Value); }

namespace {

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat() ||
      a.Palette() != b.Palette() || a.RowBytes() != b.RowBytes())
    return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<std::size_t>(a.RowBytes())) != 0) return false;
  return true;
}

}  // namespace

void TQRImage::Print(TQRPrintContext& Ctx) {
  TQRPrintable::Print(Ctx);
  const TBitmap* source = std::as_const(*FPicture).Bitmap();
  if (FPicture->Empty() || !source || source->Empty()) return;
  // Pages showing the same picture share one copy of it.
  if (!FPrinted || !SamePixels(*FPrinted, *source)) {
    auto copy = std::make_shared<TBitmap>();
    copy->Assign(*source);
    FPrinted = std::move(copy);
  }
  Ctx.Page.Add(TPagePicture{PageBox(Ctx), FPrinted, FStretch, FCenter});
}

const TClass& TQRImage::StaticClass() {
  static const TClass Class = TClassBuilder<TQRImage>("TQRImage")
                                  .Property("Picture", &TQRImage::Picture, &TQRImage::SetPicture)
                                  .Property("Stretch", &TQRImage::Stretch, &TQRImage::SetStretch)
                                  .Default(0)
                                  .Property("Center", &TQRImage::Center, &TQRImage::SetCenter)
                                  .Default(0)
                                  .Build();
  return Class;
}

// --------------------------------------------------------- TQRPen, TQRBrush

void TQRPen::Assign(const TPersistent* Source) {
  if (auto* src = dynamic_cast<const TQRPen*>(Source)) {
    Color = src->Color;
    Width = src->Width;
    Style = src->Style;
    return;
  }
  TPersistent::Assign(Source);
}

const TClass& TQRPen::StaticClass() {
  static const TTypeInfo StyleType = TTypeInfo::Enumeration("TPenStyle", {"psSolid", "psClear"});
  static const TClass Class = TClassBuilder<TQRPen>("TQRPen")
                                  .Property("Color", ColorTypeInfo(), &TQRPen::Color, &TQRPen::Color)
                                  .Default(0)
                                  .Property("Width", &TQRPen::Width, &TQRPen::Width)
                                  .Default(1)
                                  .Property("Style", StyleType, &TQRPen::Style, &TQRPen::Style)
                                  .Default(qpsSolid)
                                  .Build();
  return Class;
}

void TQRBrush::Assign(const TPersistent* Source) {
  if (auto* src = dynamic_cast<const TQRBrush*>(Source)) {
    Color = src->Color;
    Style = src->Style;
    return;
  }
  TPersistent::Assign(Source);
}

const TClass& TQRBrush::StaticClass() {
  static const TTypeInfo StyleType = TTypeInfo::Enumeration("TBrushStyle", {"bsSolid", "bsClear"});
  static const TClass Class = TClassBuilder<TQRBrush>("TQRBrush")
                                  .Property("Color", ColorTypeInfo(), &TQRBrush::Color, &TQRBrush::Color)
                                  .Default(0xFFFFFF)
                                  .Property("Style", StyleType, &TQRBrush::Style, &TQRBrush::Style)
                                  .Default(qbsSolid)
                                  .Build();
  return Class;
}

// ----------------------------------------------------------------- TQRShape

TQRShape::TQRShape(TComponent* AOwner)
    : TQRPrintable(AOwner), FPen(std::make_unique<TQRPen>()), FBrush(std::make_unique<TQRBrush>()) {}

TQRShape::~TQRShape() = default;

void TQRShape::Print(TQRPrintContext& Ctx) {
  TQRPrintable::Print(Ctx);
  const TRect box = PageBox(Ctx);
  const int pen = FPen->Style == qpsClear ? 0 : std::max(1, FPen->Width);
  const TColor penColor = ColorToRGB(FPen->Color);
  auto line = [&](int x0, int y0, int x1, int y1) {
    if (pen > 0) Ctx.Page.Add(TPageLine{{x0, y0}, {x1, y1}, penColor, pen});
  };
  const int midX = box.Left + box.Width() / 2, midY = box.Top + box.Height() / 2;
  switch (FShape) {
    case qrsRectangle:
    case qrsCircle:
      Ctx.Page.Add(TPageShape{FShape == qrsCircle ? pskEllipse : pskRectangle, box, penColor, pen,
                                          FBrush->Style == qbsSolid, ColorToRGB(FBrush->Color)});
      break;
    case qrsVertLine: line(midX, box.Top, midX, box.Bottom - 1); break;
    case qrsHorLine: line(box.Left, midY, box.Right - 1, midY); break;
    case qrsTopAndBottom:
      line(box.Left, box.Top, box.Right - 1, box.Top);
      line(box.Left, box.Bottom - 1, box.Right - 1, box.Bottom - 1);
      break;
    case qrsRightAndLeft:
      line(box.Left, box.Top, box.Left, box.Bottom - 1);
      line(box.Right - 1, box.Top, box.Right - 1, box.Bottom - 1);
      break;
  }
}

const TClass& TQRShape::StaticClass() {
  static const TTypeInfo ShapeType = TTypeInfo::Enumeration(
      "TShapeType", {"qrsRectangle", "qrsCircle", "qrsVertLine", "qrsHorLine", "qrsTopAndBottom", "qrsRightAndLeft"});
  static const TClass Class = TClassBuilder<TQRShape>("TQRShape")
                                  .Property("Shape", ShapeType, &TQRShape::Shape, &TQRShape::SetShape)
                                  .Default(qrsRectangle)
                                  .Property("Pen", &TQRShape::Pen, &TQRShape::SetPen)
                                  .Property("Brush", &TQRShape::Brush, &TQRShape::SetBrush)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered =
    (RegisterClasses({&TQRLabel::StaticClass(), &TQRDBText::StaticClass(), &TQRMemo::StaticClass(),
                      &TQRExpr::StaticClass(), &TQRImage::StaticClass(), &TQRShape::StaticClass()}),
     true);
}
