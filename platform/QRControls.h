#pragma once
// The controls placed on report bands. Each prints itself into the page being
// built (a display list), at its bounds relative to its band; a disabled
// control does not print.
#include <memory>
#include <string>

#include "Controls.h"
#include "PageStore.h"
#include "StringList.h"

class IFontMetrics;
class TDataSet;
class TPicture;
class TQuickRep;

// Where a control prints: the page, the band's top-left corner on it, and
// the run it belongs to.
struct TQRPrintContext {
  TPageContent& Page;
  const IFontMetrics& Metrics;
  TPoint Origin;
  int PageNumber = 1;
  const TQuickRep* Report = nullptr;
};

// Sender, var Value: the text about to be printed.
struct TQRLabelOnPrintEvent : TEvent<TObject*, std::string&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TQRLabelOnPrintEvent";
};

TPageFont PageFontOf(const TFont& Font);
// Lines of Text broken to the box's width, from its top, as far as the box
// is tall (a line cut by the bottom still shows its upper part).
TPageText LayoutText(const std::string& Text, const TRect& Box, const TFont& Font, TAlignment Alignment,
                     bool WordWrap, const IFontMetrics& Metrics);

class TQRPrintable : public TGraphicControl {
  KESR_CLASS(TQRPrintable, TGraphicControl)
public:
  explicit TQRPrintable(TComponent* AOwner);

  // Without Transparent the control's Color fills its box first.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }

  // Adds the control's items; called only for enabled controls.
  virtual void Print(TQRPrintContext& Ctx);

protected:
  TRect PageBox(const TQRPrintContext& Ctx) const;

private:
  bool FTransparent = true;
};

// A text control: the text to print goes through OnPrint first.
class TQRCustomLabel : public TQRPrintable {
  KESR_CLASS(TQRCustomLabel, TQRPrintable)
public:
  explicit TQRCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  // The box grows to the width of the text (single line texts only).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }

  TQRLabelOnPrintEvent OnPrint;

  void Print(TQRPrintContext& Ctx) override;

protected:
  // The text before OnPrint; false when the control prints nothing at all.
  virtual bool GetPrintText(const TQRPrintContext& Ctx, std::string& Text) const;

private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  bool FWordWrap = false;
};

class TQRLabel : public TQRCustomLabel {
  KESR_CLASS(TQRLabel, TQRCustomLabel)
public:
  explicit TQRLabel(TComponent* AOwner) : TQRCustomLabel(AOwner) {}
};

// The value of one field of the current record.
class TQRDBText : public TQRCustomLabel {
  KESR_CLASS(TQRDBText, TQRCustomLabel)
public:
  explicit TQRDBText(TComponent* AOwner) : TQRCustomLabel(AOwner) {}
  ~TQRDBText() override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  const std::string& DataField() const { return FDataField; }
  void SetDataField(const std::string& Value) { FDataField = Value; }

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  // Without a data set or with a field the data set lacks: nothing.
  bool GetPrintText(const TQRPrintContext& Ctx, std::string& Text) const override;

private:
  TDataSet* FDataSet = nullptr;
  std::string FDataField;
};

// A list of texts streamed as "Lines.Strings".
class TQRStrings : public TPersistent {
  KESR_CLASS(TQRStrings, TPersistent)
public:
  TQRStrings() = default;
  TStringList& Items() { return FItems; }
  const TStringList& Items() const { return FItems; }
  void Assign(const TPersistent* Source) override;
  void DefineProperties(TFiler& Filer) override;

private:
  TStringList FItems;
};

class TQRMemo : public TQRCustomLabel {
  KESR_CLASS(TQRMemo, TQRCustomLabel)
public:
  explicit TQRMemo(TComponent* AOwner);
  ~TQRMemo() override;

  TStringList& Lines() { return FLines->Items(); }
  const TStringList& Lines() const { return FLines->Items(); }
  TQRStrings* LinesObject() const { return FLines.get(); }
  void SetLinesObject(TQRStrings* Value) { FLines->Assign(Value); }

protected:
  bool GetPrintText(const TQRPrintContext& Ctx, std::string& Text) const override;

private:
  std::unique_ptr<TQRStrings> FLines;
};

// Report texts combined with "+": 'quoted texts', field names of the
// report's data set, PAGENUMBER, REPORTTITLE and COLUMNNUMBER.
class TQRExpr : public TQRCustomLabel {
  KESR_CLASS(TQRExpr, TQRCustomLabel)
public:
  explicit TQRExpr(TComponent* AOwner) : TQRCustomLabel(AOwner) {}
  const std::string& Expression() const { return FExpression; }
  void SetExpression(const std::string& Value) { FExpression = Value; }

protected:
  bool GetPrintText(const TQRPrintContext& Ctx, std::string& Text) const override;

private:
  std::string FExpression;
};

class TQRImage : public TQRPrintable {
  KESR_CLASS(TQRImage, TQRPrintable)
public:
  explicit TQRImage(TComponent* AOwner);
  ~TQRImage() override;

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value) { FStretch = Value; }
  bool Center() const { return FCenter; }
  void SetCenter(bool Value) { FCenter = Value; }

  void Print(TQRPrintContext& Ctx) override;

private:
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  // The bitmap last printed, shared by every page until the picture changes.
  std::shared_ptr<const TBitmap> FPrinted;
};

enum TShapeType { qrsRectangle, qrsCircle, qrsVertLine, qrsHorLine, qrsTopAndBottom, qrsRightAndLeft };
enum TQRPenStyle { qpsSolid, qpsClear };
enum TQRBrushStyle { qbsSolid, qbsClear };

class TQRPen : public TPersistent {
  KESR_CLASS(TQRPen, TPersistent)
public:
  TQRPen() = default;
  TColor Color = 0;
  int Width = 1;
  TQRPenStyle Style = qpsSolid;
  void Assign(const TPersistent* Source) override;
};

class TQRBrush : public TPersistent {
  KESR_CLASS(TQRBrush, TPersistent)
public:
  TQRBrush() = default;
  TColor Color = 0xFFFFFF;
  TQRBrushStyle Style = qbsSolid;
  void Assign(const TPersistent* Source) override;
};

class TQRShape : public TQRPrintable {
  KESR_CLASS(TQRShape, TQRPrintable)
public:
  explicit TQRShape(TComponent* AOwner);
  ~TQRShape() override;

  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value) { FShape = Value; }
  TQRPen* Pen() const { return FPen.get(); }
  void SetPen(TQRPen* Value) { FPen->Assign(Value); }
  TQRBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TQRBrush* Value) { FBrush->Assign(Value); }

  void Print(TQRPrintContext& Ctx) override;

private:
  TShapeType FShape = qrsRectangle;
  std::unique_ptr<TQRPen> FPen;
  std::unique_ptr<TQRBrush> FBrush;
};
