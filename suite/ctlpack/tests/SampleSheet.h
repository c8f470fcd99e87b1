#pragma once
// The sample shipping-mark sheet the reference pictures and the report
// benchmark use: one detail band with data texts, a memo in a frame, a
// stretched picture and a barcode, over a memory data set with one record
// per sheet.
#include <string>

#include "Bitmap.h"
#include "Component.h"
#include "DataSet.h"
#include "MemoryDataSet.h"
#include "Picture.h"
#include "QRBands.h"
#include "QRControls.h"
#include "QuickRep.h"
#include "ZnQRDBBarcode.h"

struct TSampleSheet {
  TComponent Root{nullptr};
  TQuickRep* Report = new TQuickRep(&Root);
  TMemoryDataSet* Data = new TMemoryDataSet(&Root);

  TSampleSheet() {
    for (const char* field : {"TC001T", "TC004", "MA002", "TC012", "TC037", "TC038"}) Data->AddField(field);
    Report->SetDataSet(Data);
    auto* source = new TDataSource(&Root);
    source->SetDataSet(Data);

    auto* band = new TQRBand(&Root);
    band->SetBandType(rbDetail);
    band->SetTransparent(true);
    band->SetBounds(0, 0, 740, 847);
    band->SetParent(Report);

    auto dbText = [&](const char* field, int l, int t, int w, int h) {
      auto* text = new TQRDBText(&Root);
      text->SetBounds(l, t, w, h);
      text->Font()->SetName("宋体");
      text->Font()->SetSize(9);
      text->SetWordWrap(true);
      text->SetDataSet(Data);
      text->SetDataField(field);
      text->SetParent(band);
    };
    dbText("TC001T", 82, 3, 127, 17);
    dbText("TC004", 323, 3, 89, 17);
    dbText("MA002", 416, 2, 105, 17);
    dbText("TC012", 619, 3, 118, 17);
    dbText("TC037", 19, 480, 345, 353);

    auto* memo = new TQRMemo(&Root);
    memo->SetBounds(15, 88, 356, 386);
    memo->Font()->SetName("Arial");
    memo->Font()->SetSize(9);
    for (const char* line : {"SHIPPING MARK", "MADE IN CHINA", "C/NO.: 1-120", "N.W.: 12.5 KGS"}) memo->Lines().Add(line);
    memo->SetParent(band);

    auto* frame = new TQRShape(&Root);
    frame->SetBounds(10, 84, 366, 394);
    frame->Brush()->Style = qbsClear;
    frame->SetParent(band);

    // Four coloured quadrants, so a misplaced or mis-scaled picture shows.
    auto* image = new TQRImage(&Root);
    image->SetBounds(379, 93, 350, 379);
    image->SetStretch(true);
    TBitmap* picture = image->Picture()->Bitmap();
    picture->SetSize(8, 6);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) picture->SetPixel(x, y, x < 4 ? (y < 3 ? 0x2020C0 : 0x20A020) : (y < 3 ? 0xC08020 : 0x30C0E0));
    image->SetParent(band);

    auto* barcode = new TZnQRDBBarcode(&Root);
    barcode->SetBounds(392, 480, 300, 80);
    barcode->SetDataSource(source);
    barcode->SetDataField("TC001T");
    barcode->SetBarcodeType(6);
    barcode->SetAutoWidth(true);
    barcode->Font()->SetName("Arial");
    barcode->Font()->SetSize(9);
    barcode->SetParent(band);
  }

  void AppendOrder(const std::string& orderNo, const std::string& customer) {
    Data->AppendRecord({orderNo, customer, "华东贸易", "PO-7788",
                        "INVOICE备注：货物请于月底前发出，外箱须防潮包装，每箱附装箱单一份。", "PACKING"});
  }
};
