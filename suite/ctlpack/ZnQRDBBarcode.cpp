#include "ZnQRDBBarcode.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <zint.h>

#include "BarcodeTypes.h"
#include "Colors.h"
#include "DataSet.h"
#include "FontMetrics.h"
#include "TypInfo.h"

namespace {

struct TSymbolDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using TSymbol = std::unique_ptr<zint_symbol, TSymbolDeleter>;

}  // namespace

TZnQRDBBarcode::TZnQRDBBarcode(TComponent* AOwner) : TQRPrintable(AOwner) { SetBounds(0, 0, 100, 105); }

TZnQRDBBarcode::~TZnQRDBBarcode() { SetDataSource(nullptr); }

void TZnQRDBBarcode::SetDataSource(TDataSource* Value) {
  if (Value == FDataSource) return;
  if (FDataSource) FDataSource->RemoveFreeNotification(this);
  FDataSource = Value;
  if (FDataSource) FDataSource->FreeNotification(this);
}

void TZnQRDBBarcode::Notification(TComponent* AComponent, TOperation Operation) {
  TQRPrintable::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSource) FDataSource = nullptr;
}

std::string TZnQRDBBarcode::EncodableText(const std::string& Value) {
  const TBarcodeType* type = FindBarcodeType(FBarcodeType);
  if (!type) return Value;
  std::string result;
  for (unsigned char c : Value) {
    if (type->Accepts(c)) {
      result += static_cast<char>(c);
      continue;
    }
    std::string replacement;
    OnInvalidChar(this, replacement);
    result += replacement;
  }
  return result;
}

bool TZnQRDBBarcode::CurrentValue(std::string& Value) const {
  if (!FDataSource || FDataField.empty()) {
    Value = FCode;
    return true;
  }
  const TDataSet* data = FDataSource->DataSet();
  if (!data || data->Eof()) return false;
  const TField* field = data->FindField(FDataField);
  if (!field) return false;
  Value = field->DisplayText();
  return true;
}

void TZnQRDBBarcode::Print(TQRPrintContext& Ctx) {
  std::string value;
  if (!CurrentValue(value)) return;
  TQRPrintable::Print(Ctx);
  const TRect box = PageBox(Ctx);
  const std::string text = EncodableText(value);
  const TBarcodeType* type = FindBarcodeType(FBarcodeType);

  const bool showText = FShowText != 0 && !text.empty();
  const int textHeight = showText ? std::max(1, Ctx.Metrics.TextHeight(*Font(), "0")) : 0;
  const bool textOnTop = FTextPosition <= btpTopCenter;
  TRect bars = box;
  if (textOnTop) bars.Top += textHeight;
  else bars.Bottom -= textHeight;

  TSymbol symbol(ZBarcode_Create());
  if (type && symbol && !text.empty() && bars.Height() > 0) {
    symbol->symbology = type->Symbology;
    symbol->show_hrt = 0;
    symbol->whitespace_width = 0;
    std::string data = text;
    if (type->Symbology == BARCODE_CODABAR && (data.front() < 'A' || data.front() > 'D')) data = "A" + data + "B";
    const int error = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.data()),
                                      static_cast<int>(data.size()));
    if (error < ZINT_ERROR && ZBarcode_Buffer_Vector(symbol.get(), 0) < ZINT_ERROR && symbol->vector &&
        symbol->vector->width > 0 && symbol->vector->height > 0) {
      const zint_vector& vector = *symbol->vector;
      const double unitsPerModule = symbol->width > 0 ? vector.width / symbol->width : 1.0;
      const double sx = FAutoWidth ? bars.Width() / vector.width : FModul / unitsPerModule;
      const double sy = bars.Height() / vector.height;
      const TColor ink = ColorToRGB(Font()->Color());
      for (const zint_vector_rect* r = vector.rectangles; r; r = r->next) {
        if (r->colour > 0 && r->colour != 7) continue;  // only the bars themselves
        const int left = bars.Left + static_cast<int>(std::lround(r->x * sx));
        const int right = bars.Left + static_cast<int>(std::lround((r->x + r->width) * sx));
        const int top = bars.Top + static_cast<int>(std::lround(r->y * sy));
        const int bottom = bars.Top + static_cast<int>(std::lround((r->y + r->height) * sy));
        const TRect bar = IntersectRect({left, top, std::max(right, left + 1), bottom}, box);
        if (!bar.IsEmpty()) Ctx.Page.Add(TPageFill{bar, ink});
      }
    }
  }

  if (showText) {
    TRect textBox = box;
    if (textOnTop) textBox.Bottom = textBox.Top + textHeight;
    else textBox.Top = textBox.Bottom - textHeight;
    const int column = FTextPosition % 3;  // left, right, centre
    const TAlignment alignment = column == 0 ? taLeftJustify : column == 1 ? taRightJustify : taCenter;
    TPageText item = LayoutText(text, textBox, *Font(), alignment, false, Ctx.Metrics);
    if (!item.Lines.empty()) Ctx.Page.Add(std::move(item));
  }
}

const TClass& TZnQRDBBarcode::StaticClass() {
  static const TClass Class =
      TClassBuilder<TZnQRDBBarcode>("TZnQRDBBarcode")
          .Property("DataSource", &TZnQRDBBarcode::DataSource, &TZnQRDBBarcode::SetDataSource)
          .Property("DataField", &TZnQRDBBarcode::DataField, &TZnQRDBBarcode::SetDataField)
          .Property("BarcodeType", &TZnQRDBBarcode::BarcodeType, &TZnQRDBBarcode::SetBarcodeType)
          .Default(6)
          .Property("Code", &TZnQRDBBarcode::Code, &TZnQRDBBarcode::SetCode)
          .Property("ShowText", &TZnQRDBBarcode::ShowText, &TZnQRDBBarcode::SetShowText)
          .Default(1)
          .Property("TextPosition", &TZnQRDBBarcode::TextPosition, &TZnQRDBBarcode::SetTextPosition)
          .Default(btpBottomCenter)
          .Property("AutoWidth", &TZnQRDBBarcode::AutoWidth, &TZnQRDBBarcode::SetAutoWidth)
          .Default(0)
          .Property("AutoSize", &TZnQRDBBarcode::AutoSize, &TZnQRDBBarcode::SetAutoSize)
          .Default(0)
          .Property("Modul", &TZnQRDBBarcode::Modul, &TZnQRDBBarcode::SetModul)
          .Default(1)
          .Property("OnInvalidChar", &TZnQRDBBarcode::OnInvalidChar, &TZnQRDBBarcode::OnInvalidChar)
          .Build();
  return Class;
}
