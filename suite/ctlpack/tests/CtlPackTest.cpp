// The control package's data text and barcode on a report band.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarcodeTypes.h"
#include "ClassRegistry.h"
#include "CtlPack.h"
#include "DataSet.h"
#include "FontMetrics.h"
#include "FormTextReader.h"
#include "MemoryDataSet.h"
#include "QRBands.h"
#include "QuickRep.h"
#include "ZNQRDBText.h"
#include "ZnQRDBBarcode.h"

namespace {

// The module's handler: Code 128 C and EAN 128 C need digit pairs.
struct TInvalidCharHandler {
  void Replace(TObject* Sender, std::string& Replacement) {
    const int type = static_cast<TZnQRDBBarcode*>(Sender)->BarcodeType();
    Replacement = (type == 7 || type == 22) ? "00" : type == 12 ? "0" : " ";
  }
};

TEST(BarcodeTest, InvalidCharactersAreReplacedByTheEvent) {
  struct TCase {
    int Type;
    std::string Value;
    std::string Expected;
  };
  const std::vector<TCase> cases{
      {7, "12a4", "12004"},      // Code 128 C: digits only
      {22, "x1", "001"},         // EAN 128 C
      {12, "1a2", "102"},        // Codabar: lower case is invalid
      {3, "ab-1", "  -1"},       // Code 39: upper case only
      {6, "Ab\x01", "Ab "},      // Code 128 B: no control characters
      {14, "9780", "9780"},      // EAN 13: nothing to replace
  };
  TZnQRDBBarcode barcode(nullptr);
  TInvalidCharHandler handler;
  barcode.OnInvalidChar = TBarcodeInvalidCharEvent(&handler, &TInvalidCharHandler::Replace);
  for (const TCase& c : cases) {
    barcode.SetBarcodeType(c.Type);
    EXPECT_EQ(barcode.EncodableText(c.Value), c.Expected) << "type " << c.Type;
  }
  barcode.OnInvalidChar.Clear();
  barcode.SetBarcodeType(7);
  EXPECT_EQ(barcode.EncodableText("1-2"), "12");  // without a handler: dropped
}

TEST(BarcodeTest, EveryTypeCodeMapsOntoASymbologyThatEncodesDigits) {
  for (int code = 0; code < BarcodeTypeCount(); ++code) {
    const TBarcodeType* type = FindBarcodeType(code);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->Code, code);
    EXPECT_TRUE(type->Accepts('5')) << code;
  }
  EXPECT_EQ(FindBarcodeType(-1), nullptr);
  EXPECT_EQ(FindBarcodeType(BarcodeTypeCount()), nullptr);
}

class BarcodeLayoutTest : public ::testing::Test {
protected:
  BarcodeLayoutTest() {
    Report = new TQuickRep(&Root);
    Data = new TMemoryDataSet(&Root);
    Data->AddField("CODE");
    Source = new TDataSource(&Root);
    Source->SetDataSet(Data);
    Report->SetDataSet(Data);
    Band = new TQRBand(&Root);
    Band->SetBandType(rbDetail);
    Band->SetHeight(200);
    Band->SetTransparent(true);
    Band->SetParent(Report);
    Barcode = new TZnQRDBBarcode(&Root);
    Barcode->SetBounds(0, 0, 200, 105);
    Barcode->SetParent(Band);
  }

  std::vector<TPageFill> Bars() const {
    std::vector<TPageFill> bars;
    for (const TPageItem& item : Report->PageStore().Page(1).Items)
      if (auto* fill = std::get_if<TPageFill>(&item)) bars.push_back(*fill);
    return bars;
  }
  std::vector<TPageText> Texts() const {
    std::vector<TPageText> texts;
    for (const TPageItem& item : Report->PageStore().Page(1).Items)
      if (auto* text = std::get_if<TPageText>(&item)) texts.push_back(*text);
    return texts;
  }

  TComponent Root{nullptr};
  TQuickRep* Report;
  TMemoryDataSet* Data;
  TDataSource* Source;
  TQRBand* Band;
  TZnQRDBBarcode* Barcode;
  TStandInFontMetrics Metrics;
};

TEST_F(BarcodeLayoutTest, BoundBarcodeDrawsTheFieldValueAsBarsWithTheTextBelow) {
  Data->AppendRecord({"12345678"});
  Barcode->SetDataSource(Source);
  Barcode->SetDataField("CODE");
  Barcode->SetBarcodeType(7);
  Barcode->SetAutoWidth(true);
  ASSERT_TRUE(Report->Prepare(&Metrics));

  const auto bars = Bars();
  ASSERT_GT(bars.size(), 10u);
  const int left = 38, top = 38;  // the band starts at the margins
  int minLeft = 1 << 30, maxRight = 0;
  for (const TPageFill& bar : bars) {
    minLeft = std::min(minLeft, bar.Box.Left);
    maxRight = std::max(maxRight, bar.Box.Right);
    EXPECT_GE(bar.Box.Top, top);
    EXPECT_LE(bar.Box.Bottom, top + 105);
  }
  // Automatic width: the symbol spans the control.
  EXPECT_EQ(minLeft, left);
  EXPECT_EQ(maxRight, left + 200);
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Lines[0].Text, "12345678");
  EXPECT_EQ(texts[0].Alignment, taCenter);
  EXPECT_EQ(texts[0].Clip.Bottom, top + 105);
}

TEST_F(BarcodeLayoutTest, UnboundBarcodeShowsItsCodeAndAMissingFieldPrintsNothing) {
  Data->AppendRecord({"1"});
  Barcode->SetCode("1234");
  Barcode->SetShowText(0);
  ASSERT_TRUE(Report->Prepare(&Metrics));
  EXPECT_FALSE(Bars().empty());
  EXPECT_TRUE(Texts().empty());
  // Fixed modules: one pixel each, so the symbol is narrower than the control.
  int maxRight = 0;
  for (const TPageFill& bar : Bars()) maxRight = std::max(maxRight, bar.Box.Right);
  EXPECT_LT(maxRight, 38 + 200);

  Barcode->SetDataSource(Source);
  Barcode->SetDataField("NOSUCHFIELD");
  ASSERT_TRUE(Report->Prepare(&Metrics));
  EXPECT_TRUE(Bars().empty());
}

struct TTypeWatcher {
  std::vector<int> Seen;
  void Changed(TObject* Sender) { Seen.push_back(static_cast<TZNQRDBText*>(Sender)->TextType()); }
};

TEST(ZNQRDBTextTest, TextTypeChangeRaisesTheEventOnlyOnAChange) {
  TZNQRDBText text(nullptr);
  TTypeWatcher watcher;
  text.OnTextTypeChange = TNotifyEvent(&watcher, &TTypeWatcher::Changed);
  text.SetTextType(3);
  text.SetTextType(3);
  text.SetTextType(0);
  EXPECT_EQ(watcher.Seen, (std::vector<int>{3, 0}));
}

TEST(CtlPackRegistrationTest, StoredLayoutsFindTheClassesOnlyWhileRegistered) {
  const char* layout = R"(object Root: TComponent
  object ds: TMemoryDataSet
  end
  object dsBarCode: TDataSource
    DataSet = ds
  end
  object txtTC001T: TZNQRDBText
    TextType = 5
    DictText = '1'#3'Yes||2'#3'No'
    DataField = 'TC001T'
  end
  object ExBcRT01: TZnQRDBBarcode
    DataSource = dsBarCode
    DataField = 'RT0'
    BarcodeType = 22
    Code = '1234'
    TextPosition = 5
    AutoWidth = True
  end
end
)";
  EXPECT_EQ(GetClass("TZNQRDBText"), nullptr);
  RegisterCtlPackClasses();
  {
    TComponent root(nullptr);
    root.SetName("Root");
    ReadFormText(&root, layout);
    auto* text = root.FindComponent<TZNQRDBText>("txtTC001T");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->TextType(), 5);
    EXPECT_EQ(text->DictText(), "1\x03Yes||2\x03No");
    auto* barcode = root.FindComponent<TZnQRDBBarcode>("ExBcRT01");
    ASSERT_NE(barcode, nullptr);
    EXPECT_EQ(barcode->DataSource(), root.FindComponent("dsBarCode"));
    EXPECT_EQ(barcode->BarcodeType(), 22);
    EXPECT_TRUE(barcode->AutoWidth());
  }
  UnregisterCtlPackClasses();
  TComponent root(nullptr);
  root.SetName("Root");
  EXPECT_THROW(ReadFormText(&root, layout), EClassNotFound);
}

}  // namespace
