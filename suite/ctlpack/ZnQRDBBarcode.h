#pragma once
// TZnQRDBBarcode: a barcode on a report band, showing the value of a field
// of its data source (or its Code when it is not bound). Characters the type
// cannot encode are replaced through OnInvalidChar (dropped without one).
#include <string>

#include "QRControls.h"

class TDataSource;

// Sender, var Replacement: what an invalid character becomes.
struct TBarcodeInvalidCharEvent : TEvent<TObject*, std::string&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TBarcodeInvalidCharEvent";
};

// Where the code text shows: above or below the bars, left, right or centred.
enum TBarcodeTextPosition { btpTopLeft, btpTopRight, btpTopCenter, btpBottomLeft, btpBottomRight, btpBottomCenter };

class TZnQRDBBarcode : public TQRPrintable {
  KESR_CLASS(TZnQRDBBarcode, TQRPrintable)
public:
  explicit TZnQRDBBarcode(TComponent* AOwner);
  ~TZnQRDBBarcode() override;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  const std::string& DataField() const { return FDataField; }
  void SetDataField(const std::string& Value) { FDataField = Value; }
  // The type code (see BarcodeTypes.h); 7 is Code 128 C.
  int BarcodeType() const { return FBarcodeType; }
  void SetBarcodeType(int Value) { FBarcodeType = Value; }
  // The code an unbound barcode shows (the designer's sample).
  const std::string& Code() const { return FCode; }
  void SetCode(const std::string& Value) { FCode = Value; }
  // 0: no text; otherwise the code is printed with the bars.
  int ShowText() const { return FShowText; }
  void SetShowText(int Value) { FShowText = Value; }
  int TextPosition() const { return FTextPosition; }
  void SetTextPosition(int Value) { FTextPosition = Value; }
  // The bars stretch over the control's width; otherwise each module is
  // Modul pixels wide.
  bool AutoWidth() const { return FAutoWidth; }
  void SetAutoWidth(bool Value) { FAutoWidth = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  int Modul() const { return FModul; }
  void SetModul(int Value) { FModul = Value < 1 ? 1 : Value; }

  TBarcodeInvalidCharEvent OnInvalidChar;

  // The text the bars encode: Value with every character the type cannot
  // encode replaced.
  std::string EncodableText(const std::string& Value);

  void Print(TQRPrintContext& Ctx) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // False when the barcode prints nothing (a bound field that is missing).
  bool CurrentValue(std::string& Value) const;

  TDataSource* FDataSource = nullptr;
  std::string FDataField;
  int FBarcodeType = 6;
  std::string FCode;
  int FShowText = 1;
  int FTextPosition = btpBottomCenter;
  bool FAutoWidth = false;
  bool FAutoSize = false;
  int FModul = 1;
};
