// The client data set: rows from the application server as a local copy,
// browsed in index order, searched, edited, and walked by the report engine.
#include <gtest/gtest.h>

#include "ClientDataSet.h"
#include "ErrorText.h"
#include "FontMetrics.h"
#include "QRBands.h"
#include "QRControls.h"
#include "QuickRep.h"
#include "RemoteFixture.h"
#include "SocketConnection.h"

namespace {

class ClientDataSetTest : public ::testing::Test {
protected:
  ClientDataSetTest() {
    Connection->SetAddress("localhost");
    Connection->SetPort(Server.Port());
    Data->SetName("cdsMain");
    Data->SetRemoteServer(Connection);
    Data->SetProviderName("Provider1");
    Data->SetCommandText("SELECT TC001, TC002, TC029 FROM $$COPTC");
  }

  // The values of one field in visiting order.
  std::vector<std::string> Column(const char* Field) {
    std::vector<std::string> values;
    for (Data->First(); !Data->Eof(); Data->Next()) values.push_back(Data->FieldByName(Field).AsString());
    return values;
  }

  std::shared_ptr<TRequestLog> Log = std::make_shared<TRequestLog>();
  TServedObjects Server{[log = Log] { return std::make_shared<TOrderServer>(log); }};
  TComponent Root{nullptr};
  TSocketConnection* Connection = new TSocketConnection(&Root);
  TClientDataSet* Data = new TClientDataSet(&Root);
};

TEST_F(ClientDataSetTest, OpenAsksTheProviderAndKeepsFieldsAndRows) {
  Data->Open();
  EXPECT_TRUE(Connection->Connected());  // opened on demand
  EXPECT_EQ(Log->Requests, std::vector<std::string>{"Provider1|SELECT TC001, TC002, TC029 FROM $$COPTC"});
  ASSERT_EQ(Data->FieldCount(), 3);
  EXPECT_EQ(Data->RecordCount(), 4);
  const TClientField& type = Data->FieldByName("tc001");
  EXPECT_EQ(type.DisplayLabel(), "单别");
  EXPECT_EQ(type.DataType(), "CHAR");
  EXPECT_EQ(type.Size(), 4);
  EXPECT_EQ(Data->Fields(2).DisplayLabel(), "TC029");  // no caption: the name
  EXPECT_EQ(Data->Fields(2).Scale(), 2);
  EXPECT_EQ(Column("TC002"), (std::vector<std::string>{"20240301001", "20240302001", "20240301000", "20240301009"}));
  Data->First();
  EXPECT_DOUBLE_EQ(Data->FieldByName("TC029").AsFloat(), 100.5);
  Data->Next();
  Data->Next();
  EXPECT_TRUE(Data->FieldByName("TC029").IsNull());
  EXPECT_EQ(Data->FieldByName("TC029").AsInteger(), 0);
  EXPECT_THROW(Data->FieldByName("NOPE"), EDatabaseError);
  EXPECT_EQ(Data->FindField("NOPE"), nullptr);

  Data->Close();
  EXPECT_FALSE(Data->Active());
  EXPECT_TRUE(Data->Eof());
  EXPECT_EQ(Data->RecordCount(), 0);
  EXPECT_EQ(Data->FieldCount(), 0);
}

TEST_F(ClientDataSetTest, CursorStopsAtBothEnds) {
  Data->Open();
  Data->Last();
  EXPECT_EQ(Data->RecNo(), 4);
  Data->Next();
  EXPECT_TRUE(Data->Eof());
  EXPECT_EQ(Data->RecNo(), 0);
  EXPECT_EQ(Data->FieldByName("TC002").AsString(), "");  // past the end: blank
  Data->First();
  Data->Prior();
  EXPECT_TRUE(Data->Bof());
  EXPECT_EQ(Data->RecNo(), 1);
}

TEST_F(ClientDataSetTest, OpenFailuresLeaveTheDataSetClosed) {
  const auto opened = [&] { return Data->Active(); };
  struct TCase {
    const char* Name;
    std::function<void(TClientDataSet&)> Setup;
    const char* Expected;
  } cases[] = {
      {"no connection", [](TClientDataSet& d) { d.SetRemoteServer(nullptr); }, "cdsMain: Missing RemoteServer"},
      {"no provider", [](TClientDataSet& d) { d.SetProviderName(""); }, "cdsMain: Missing ProviderName"},
      {"index on an unknown field", [](TClientDataSet& d) { d.SetIndexFieldNames("TC001;NOPE"); },
       "cdsMain: Field 'NOPE' not found"},
  };
  for (const auto& c : cases) {
    TClientDataSet data(nullptr);
    data.SetName("cdsMain");
    data.SetRemoteServer(Connection);
    data.SetProviderName("Provider1");
    c.Setup(data);
    EXPECT_EQ(ErrorTextOf<EDatabaseError>([&] { data.Open(); }), c.Expected) << c.Name;
    EXPECT_FALSE(data.Active()) << c.Name;
    EXPECT_EQ(data.FieldCount(), 0) << c.Name;
  }
  // A server error passes through as it was raised.
  Data->SetProviderName("Provider9");
  EXPECT_EQ(ErrorTextOf<EOleError>([&] { Data->Open(); }), "unknown provider Provider9");
  EXPECT_FALSE(opened());
  // No server to reach.
  Connection->SetAddress("");
  EXPECT_THROW(Data->Open(), ESocketConnectionError);
  EXPECT_FALSE(opened());
}

TEST_F(ClientDataSetTest, ForgetsAFreedConnection) {
  Data->Open();
  delete Connection;
  EXPECT_EQ(Data->RemoteServer(), nullptr);
  EXPECT_EQ(Data->RecordCount(), 4);  // the local copy stays
  Data->Close();
  EXPECT_THROW(Data->Open(), EDatabaseError);
}

TEST_F(ClientDataSetTest, MalformedPacketsAreRefusedWithoutLosingTheOldState) {
  const Variant field = VarArrayOf({"A", "CHAR", 1, 0, ""});
  struct TCase {
    const char* Name;
    Variant Packet;
  } cases[] = {
      {"not an array", Variant("rows")},
      {"one element", VarArrayOf({VarArrayOf({field})})},
      {"rows not a list", VarArrayOf({VarArrayOf({field}), Variant(5)})},
      {"short row", VarArrayOf({VarArrayOf({field, VarArrayOf({"B"})}), VarArrayOf({VarArrayOf({"x"})})})},
      {"field without a name", VarArrayOf({VarArrayOf({Variant(1)}), Null()})},
      {"duplicate field", VarArrayOf({VarArrayOf({field, VarArrayOf({"a"})}), Null()})},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(Data->SetData(c.Packet), EDatabaseError) << c.Name;
    EXPECT_FALSE(Data->Active()) << c.Name;
  }
  // Null rows: an open, empty data set.
  Data->SetData(VarArrayOf({VarArrayOf({field}), Null()}));
  EXPECT_TRUE(Data->Active());
  EXPECT_TRUE(Data->Eof());
  EXPECT_EQ(Data->RecordCount(), 0);
}

TEST_F(ClientDataSetTest, IndexOverSeveralFieldsAndFindKey) {
  Data->SetIndexFieldNames("TC001; TC002");  // set before opening, applied on open
  Data->Open();
  EXPECT_EQ(Column("TC002"), (std::vector<std::string>{"20240301009", "20240302001", "20240301000", "20240301001"}));
  struct TCase {
    std::vector<Variant> Key;
    bool Found;
    const char* Number;  // where the cursor stands afterwards
  } cases[] = {
      {{"220"}, true, "20240301000"},  // padded CHAR values match without their blanks
      {{"220", "20240301001"}, true, "20240301001"},
      {{"210 ", "20240302001"}, true, "20240302001"},
      {{"230"}, false, "20240302001"},  // not found: the cursor stays
      {{"210", "2024"}, false, "20240302001"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Data->FindKey(c.Key), c.Found) << VarToStr(c.Key.back());
    EXPECT_EQ(Data->FieldByName("TC002").AsString(), c.Number) << VarToStr(c.Key.back());
  }
  EXPECT_THROW(Data->FindKey({"1", "2", "3"}), EDatabaseError);
  EXPECT_THROW(Data->FindKey({}), EDatabaseError);

  // Changing the index keeps the current record; nulls sort first.
  Data->SetIndexFieldNames("TC029");
  EXPECT_EQ(Data->FieldByName("TC002").AsString(), "20240302001");
  EXPECT_EQ(Column("TC029"), (std::vector<std::string>{"", "7", "20", "100.5"}));
  EXPECT_TRUE(Data->FindKey({20}));
  EXPECT_EQ(Data->FieldByName("TC002").AsString(), "20240302001");
  EXPECT_THROW(Data->SetIndexFieldNames("NOPE"), EDatabaseError);
  EXPECT_EQ(Data->IndexFieldNames(), "TC029");
  Data->SetIndexFieldNames("");
  EXPECT_THROW(Data->FindKey({"220"}), EDatabaseError);
  EXPECT_EQ(Column("TC002").front(), "20240301001");  // the server's order again
}

TEST_F(ClientDataSetTest, EditAndPostChangeOnlyTheLocalCopy) {
  Data->SetIndexFieldNames("TC002");
  Data->Open();
  TClientField& number = Data->FieldByName("TC002");
  EXPECT_THROW(number.SetAsString("x"), EDatabaseError);  // browsing
  ASSERT_TRUE(Data->FindKey({"20240301000"}));
  Data->Edit();
  EXPECT_EQ(Data->State(), dsEdit);
  number.SetAsString("20249999999");
  EXPECT_EQ(number.AsString(), "20249999999");
  Data->Cancel();
  EXPECT_EQ(number.AsString(), "20240301000");

  Data->Edit();
  number.SetAsString("20249999999");
  Data->Post();
  EXPECT_EQ(Data->State(), dsBrowse);
  // The posted record moves to its place in the index, and the cursor with it.
  EXPECT_EQ(Data->RecNo(), 4);
  EXPECT_EQ(Data->FieldByName("TC001").AsString(), "220 ");
  // Moving while editing posts first.
  Data->First();
  Data->Edit();
  Data->FieldByName("TC029").SetValue(Variant(1.25));
  Data->Next();
  EXPECT_EQ(Data->State(), dsBrowse);
  Data->First();
  EXPECT_DOUBLE_EQ(Data->FieldByName("TC029").AsFloat(), 1.25);
  // Nothing went back to the server; a new open reads its rows again.
  EXPECT_EQ(Log->Requests.size(), 1u);
  Data->Close();
  Data->Open();
  EXPECT_TRUE(Data->FindKey({"20240301000"}));

  Data->Last();
  Data->Next();
  EXPECT_THROW(Data->Edit(), EDatabaseError);  // no current record
}

TEST_F(ClientDataSetTest, GetTextAndSetTextHandlers) {
  struct THandlers {
    std::vector<bool> Calls;
    void GetText(TClientField*, std::string& Text, bool Display) {
      Calls.push_back(Display);
      if (Display) Text = "[" + Text + "]";
    }
    void SetText(TClientField* Sender, const std::string& Text) { Sender->SetAsString(Text + "!"); }
  } h;
  Data->Open();
  TClientField& type = Data->FieldByName("TC001");
  EXPECT_EQ(type.DisplayText(), "220 ");  // no handler: the value
  EXPECT_THROW(type.SetText("999"), EDatabaseError);  // not editing
  type.OnGetText = TFieldGetTextEvent(&h, &THandlers::GetText);
  type.OnSetText = TFieldSetTextEvent(&h, &THandlers::SetText);
  EXPECT_EQ(type.DisplayText(), "[220 ]");
  EXPECT_EQ(type.Text(), "220 ");
  EXPECT_EQ(h.Calls, (std::vector<bool>{true, false}));
  EXPECT_EQ(type.AsString(), "220 ");  // the value itself is untouched
  Data->Edit();
  type.SetText("230");
  EXPECT_EQ(type.AsString(), "230!");
}

TEST_F(ClientDataSetTest, TheReportEngineWalksItLikeAnyDataSetAndPrintsTheDisplayText) {
  struct TMarker {
    void GetText(TClientField*, std::string& Text, bool Display) {
      if (Display) Text = "#" + Text;
    }
  } marker;
  Data->SetIndexFieldNames("TC001;TC002");
  Data->Open();
  Data->FieldByName("TC002").OnGetText = TFieldGetTextEvent(&marker, &TMarker::GetText);
  auto* report = new TQuickRep(&Root);
  report->SetDataSet(Data);
  auto* band = new TQRBand(&Root);
  band->SetBandType(rbDetail);
  band->SetHeight(30);
  band->SetParent(report);
  auto* text = new TQRDBText(&Root);
  text->SetBounds(0, 0, 200, 20);
  text->SetParent(band);
  text->SetDataSet(Data);
  text->SetDataField("TC002");
  TStandInFontMetrics metrics;
  ASSERT_TRUE(report->Prepare(&metrics));
  std::vector<std::string> printed;
  for (const TPageItem& item : report->PageStore().Page(1).Items)
    if (auto* t = std::get_if<TPageText>(&item))
      for (const TPageTextLine& line : t->Lines) printed.push_back(line.Text);
  EXPECT_EQ(printed, (std::vector<std::string>{"#20240301009", "#20240302001", "#20240301000", "#20240301001"}));
}

}  // namespace
