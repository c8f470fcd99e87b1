#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "../../env/tests/EnvFixture.h"
#include "../../platform/tests/RemoteFixture.h"
#include "ComObj.h"
#include "FakeHostObjects.h"
#include "LibStrs.h"
#include "ServerModule.h"
#include "SimpleObjectBroker.h"
#include "SocketConnection.h"
#include "StdCtrls.h"
#include "TestGeneForm.h"
#include "VarArray.h"

namespace {

// A form of module "TESTGN" in a scratch installation whose registry key
// points at it and which knows the application server class.
class SessionTest : public ::testing::Test {
protected:
  SessionTest() {
    TRegistryData data;
    const std::string suite = "HKEY_LOCAL_MACHINE\\Software\\ZNT\\Orvane";
    data.AddKey(suite);
    data.AddValue(suite, "ClientPath", Install.Path());
    data.AddValue(suite, "ServerPath", Install.Path());
    data.AddKey("HKEY_CLASSES_ROOT\\ZovizerE.Class1");
    data.AddValue("HKEY_CLASSES_ROOT\\ZovizerE.Class1", "InprocServer", "ZovizerE.dll");
    FPreviousRegistry = SetRegistryStore(std::make_shared<TMemoryRegistryStore>(std::move(data)));
    Form = CreateForm<TfrmTestGene>(nullptr);
  }
  ~SessionTest() override {
    if (!FormDestroyed) Form->Free();
    Application->ProcessMessages();
    SetRegistryStore(FPreviousRegistry);
  }
  void ClientServers(const std::string& ComputerName, int Port) {
    Install.Write("OrvaneC.ini", "[Server Information]\r\nComputerName=" + ComputerName +
                                     "\r\nServerPort=" + std::to_string(Port) + "\r\n");
  }

  TScratchFolder Install;
  TEnvGuard SystemCodePage{"KESR_CODEPAGE", "936"};
  TDialogRecorder Dialogs;
  TfrmTestGene* Form = nullptr;
  bool FormDestroyed = false;

private:
  std::shared_ptr<IRegistryStore> FPreviousRegistry;
};

// The validator as QueryTable calls it: the two settings, then the query.
class QueryTableTest : public SessionTest {
protected:
  QueryTableTest() {
    Validator->Settable("ProductID").Settable("BaseLimited");
    for (const char* name : {"QueryData", "CheckValue"})
      Validator->On(name, [name](TVarArgs& a) {
        a[4].Value() = VarArrayOf({name, a[3].Value()});
        return Variant(true);
      });
    Form->FValidatorObject = Variant(Validator);
    Form->DataSource = "DEMO";
    Form->ProductIDValue = 7;
    Form->DataLimits = "N\x03" "0\x03";
  }
  std::shared_ptr<TFakeHostObject> Validator = std::make_shared<TFakeHostObject>();
};

TEST_F(QueryTableTest, RowsOrOneRecordAfterTheTwoSettings) {
  for (const bool multiRow : {true, false}) {
    SCOPED_TRACE(multiRow);
    Validator->Calls.clear();
    Variant result;
    EXPECT_TRUE(Form->QueryTable("CMSMT", "01", multiRow, result, VarArrayOf({"KESR52"})));
    const char* query = multiRow ? "QueryData" : "CheckValue";
    EXPECT_EQ(Validator->CallNames(), (std::vector<std::string>{"put ProductID", "put BaseLimited", query}));
    EXPECT_EQ(Validator->Calls[0].Args[0], Variant(7));
    EXPECT_EQ(VarToStr(Validator->Calls[1].Args[0]), "N\x03" "0\x03");
    const auto& args = Validator->Calls[2].Args;
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(VarToStr(args[0]), "CMSMT");
    EXPECT_EQ(VarToStr(args[1]), "01");
    EXPECT_EQ(VarToStr(args[2]), "DEMO");
    EXPECT_EQ(VarToStr(args[3][0]), "KESR52");
    EXPECT_EQ(VarToStr(result[0]), query);
  }
}

TEST_F(QueryTableTest, FailuresAnswerFalse) {
  Variant result = "kept";
  auto refusing = std::make_shared<TFakeHostObject>();  // no settings, and a query that fails
  refusing->On("CheckValue", [](TVarArgs&) -> Variant { throw EOleError("validator down"); });
  refusing->On("QueryData", [](TVarArgs&) { return Variant(false); });
  Form->FValidatorObject = Variant(refusing);
  EXPECT_FALSE(Form->QueryTable("ADMMB", "01", false, result, VarArrayOf({"X"})));
  EXPECT_FALSE(Form->QueryTable("ADMMB", "01", true, result, VarArrayOf({"X"})));
  EXPECT_EQ(refusing->CallNames(), (std::vector<std::string>{"CheckValue", "QueryData"}));
  Form->FValidatorObject = Unassigned();
  EXPECT_FALSE(Form->QueryTable("ADMMB", "01", true, result, VarArrayOf({"X"})));
  EXPECT_EQ(VarToStr(result), "kept");
  EXPECT_EQ(Form->MessageCodes, "");
}

TEST_F(SessionTest, CounterQuerySendsTheUpperCaseNameAndTheCompany) {
  Variant params = VarArrayOf({"select 1", "count"}), result = "old";
  Form->CounterQuery("SimpleSql", params, result);
  EXPECT_TRUE(VarIsEmpty(result));  // no counter

  auto counter = std::make_shared<TFakeHostObject>();
  counter->On("GetCounter", [](TVarArgs& a) {
    a[1].Value() = "changed";
    return Variant(42);
  });
  Form->FCounterObject = Variant(counter);
  Form->CompanyCode = "DEMOA";
  Form->DataSource = "DEMO";
  Form->CounterQuery("SimpleSql", params, result);
  EXPECT_EQ(result, Variant(42));
  EXPECT_EQ(VarToStr(params), "changed");  // by reference
  ASSERT_EQ(counter->Calls.size(), 1u);
  EXPECT_EQ(VarToStr(counter->Calls[0].Args[0]), "SIMPLESQL");
  EXPECT_EQ(VarToStr(counter->Calls[0].Args[2][0]), "DEMOA");
  EXPECT_EQ(VarToStr(counter->Calls[0].Args[2][1]), "DEMO");
}

TEST_F(SessionTest, LookUpSendsNineteenElementsInOrder) {
  Variant result = "old";
  Form->LookUp("COPTC", "02", VarArrayOf({"220", "X"}), "extra", true, result);
  EXPECT_TRUE(VarIsEmpty(result));  // no look-up window: nothing opened

  auto window = std::make_shared<TFakeHostObject>();
  window->On("F2GetData", [](TVarArgs&) { return VarArrayOf({"220-20240301001"}); });
  Form->FLookupObject = Variant(window);
  auto session = std::make_shared<TFakeHostObject>();
  Form->FSession = Variant(session);
  Form->CompanyCode = "DEMOA";
  Form->DataSource = "DEMO";
  Form->UserCode = "DS";
  Form->ProductIDValue = 3;
  Form->DataLimits = "N\x03" "0\x03";
  Form->RightsFlag7 = true;
  Form->RightsFlag8 = false;
  Form->LookUp("COPTC", "02", VarArrayOf({"220", "X"}), "extra", true, result);
  EXPECT_EQ(VarToStr(result[0]), "220-20240301001");

  ASSERT_EQ(window->Calls.size(), 1u);
  const Variant request = window->Calls[0].Args.at(0);
  ASSERT_EQ(VarArrayLowBound(request, 1), 0);
  ASSERT_EQ(VarArrayHighBound(request, 1), 18);
  const std::vector<std::string> texts = {"COPTC", "02", "", "True", "extra", "DEMOA", "DEMO",
                                          std::to_string(Form->Handle()), "1", "False", "3", "", "", "",
                                          "N\x03" "0\x03", "False", "True", "", "DS"};
  for (int i = 0; i <= 18; ++i) {
    SCOPED_TRACE(i);
    if (i == 2) EXPECT_EQ(VarToStr(request[2][1]), "X");
    else if (i == 17) EXPECT_EQ(request[17].AsObject().get(), session.get());
    else EXPECT_EQ(VarToStr(request[i]), texts[static_cast<std::size_t>(i)]);
  }
}

TEST_F(SessionTest, PickPhraseFillsTheControlWithANonEmptyPhrase) {
  std::string phrase = "按时交货";
  auto window = std::make_shared<TFakeHostObject>();
  window->On("GetPhrase", [&phrase](TVarArgs&) { return Variant::OleStr(phrase); });
  Form->edFirst->SetText("mine");
  Form->PickPhrase(Form->edFirst);  // no look-up window yet
  EXPECT_EQ(Form->edFirst->Text(), "mine");

  Form->FLookupObject = Variant(window);
  Form->UserCode = "DS";
  Form->DataSource = "DEMO";
  Form->PickPhrase(Form->edFirst);
  EXPECT_EQ(Form->edFirst->Text(), "按时交货");
  EXPECT_EQ(VarToStr(window->Calls[0].Args[0]), "DS");
  EXPECT_EQ(VarToStr(window->Calls[0].Args[1]), "DEMO");
  phrase.clear();
  Form->PickPhrase(Form->edFirst);
  EXPECT_EQ(Form->edFirst->Text(), "按时交货");
}

class RightsForm : public TfrmTestGene {
public:
  using TfrmTestGene::TfrmTestGene;
  void RightsLoaded() override { ++RightsLoadedCalls; }
  int RightsLoadedCalls = 0;
};

TEST(SessionRights, FieldsFlagsAndDataLimits) {
  struct TCase {
    const char* Rights;
    bool Flag7, Flag8;
  };
  const TCase cases[] = {{"YNNNNY", false, false},
                         {"YYYYYYYY", true, true},
                         {"YYNYYYYN", true, false},
                         {"YYYYYYNY", false, true},
                         {"", false, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Rights);
    auto* form = CreateForm<RightsForm>(nullptr);
    const Variant answer = VarArrayOf({"TC027<>'V'", std::string("U003,N,Y,") + c.Rights + ",陈静,VIEW", "陈静", "VIEW",
                                       "Y", VarArrayOf({2, "COPTC TC004 in CMSMT", "COPTD TD004 <> ''"})});
    form->LoadRights(answer);
    EXPECT_EQ(form->RightsName, "U003");
    EXPECT_FALSE(form->RightsFlag1);
    EXPECT_TRUE(form->RightsFlag2);
    EXPECT_EQ(form->RightsString, c.Rights);
    EXPECT_EQ(form->RightsText5, "陈静");
    EXPECT_EQ(form->RightsText6, "VIEW");
    EXPECT_EQ(form->RightsData, "陈静");
    EXPECT_EQ(form->UserGroup, "VIEW");
    EXPECT_EQ(form->RightsFlag7, c.Flag7);
    EXPECT_EQ(form->RightsFlag8, c.Flag8);
    EXPECT_EQ(form->DataLimits, "Y\x03" "2\x03" "COPTC TC004 in CMSMT\x03" "COPTD TD004 <> ''\x03");
    EXPECT_EQ(form->RightsLoadedCalls, 1);
    form->Free();
  }
}

TEST_F(SessionTest, ConnectionTakesTheFirstServerOnly) {
  ClientServers("erp1;erp2", 9100);
  TSimpleObjectBroker broker(nullptr);
  Form->MainMidas->SetObjectBroker(&broker);
  EXPECT_TRUE(Form->SetUpConnection(Form->MainMidas, Form->ObjBroker));
  EXPECT_EQ(Form->MainMidas->Address(), "erp1");
  EXPECT_EQ(Form->MainMidas->Port(), 9100);
  EXPECT_EQ(Form->MainMidas->ObjectBroker(), nullptr);
  EXPECT_TRUE(Dialogs.Seen.empty());
}

TEST_F(SessionTest, PendingCodesBlockTheConnectionAndAreShownAgain) {
  ClientServers("erp1", 9100);
  Form->MessageCodes = "E;000038; ";
  EXPECT_FALSE(Form->SetUpConnection(Form->MainMidas, Form->ObjBroker));
  EXPECT_EQ(Form->MainMidas->Address(), "");
  ASSERT_EQ(Dialogs.Seen.size(), 1u);
  EXPECT_EQ(Dialogs.Seen[0].Text, "Can not Get Message\rType= E, ID= 000038 ");
}

// The demo database behind the application server class, created once per
// test process and small.
const std::string& ServerIni() {
  static TScratchFolder folder;
  static const std::string path = folder.Write(
      "OrvaneS.ini", "[DBE Setting]\r\nMainDBType=SQLITE\r\nMainDBName=erp.db\r\nMainSQLType=1\r\nDemoOrders=20\r\n");
  return path;
}

// Initialisation of the form against the application server, in process
// for "127.0.0.1" and through TCP for any other address.
class ServerSessionTest : public SessionTest {
protected:
  ServerSessionTest() { Form->MainMidas->SetServerName("ZovizerE.Class1"); }
  // The host's parameters of the test module, as the controller passes them.
  bool Initialise() {
    Form->Destroyed = &FormDestroyed;
    Form->SetModulePath("/opt/erp/TESTGNC.so");
    return Form->InitParams(VarArrayOf({"U003", "DEMOA", "DEMO", 0, "COPTC"}));
  }
  // What the report option form does next: the rights and the dialect.
  int ReadRightsAndDialect() {
    OleCall(Form->AppServer, "Connect", {VarArrayOf({"KESR52", "U003", "DEMOA", "DEMO", "COPTC"})});
    Form->LoadRights(OleCall(Form->AppServer, "PowerData"));
    return OleGetProperty(Form->AppServer, "SQLType").AsInteger();
  }

  TEnvGuard ServerConfig{"KESR_APPSERVER_INI", ServerIni().c_str()};
};

TEST_F(ServerSessionTest, OverTcpWithTheFirstOfTwoServers) {
  TServedObjects server([] { return CreateOleObject("ZovizerE.Class1").AsObject(); });
  ClientServers("localhost;nohost.invalid", server.Port());
  ASSERT_TRUE(Initialise()) << Form->MessageTexts;
  EXPECT_FALSE(Form->UseComServer);
  EXPECT_TRUE(Form->MainMidas->Connected());
  EXPECT_FALSE(Form->MainMidas->IsLocal());
  EXPECT_EQ(ReadRightsAndDialect(), 1);
  EXPECT_EQ(Form->RightsString, "YNNNNY");
  EXPECT_FALSE(Form->RightsFlag7);
  EXPECT_FALSE(Form->RightsFlag8);
  EXPECT_EQ(Form->UserGroup, "VIEW");
  EXPECT_EQ(Form->MessageCodes, "");
}

TEST_F(ServerSessionTest, LoopbackAddressCreatesTheServerInProcess) {
  ClientServers("127.0.0.1", 1);  // nothing listens there: no socket may be opened
  ASSERT_TRUE(Initialise()) << Form->MessageTexts;
  EXPECT_TRUE(Form->UseComServer);
  EXPECT_TRUE(Form->MainMidas->IsLocal());
  EXPECT_EQ(ReadRightsAndDialect(), 1);
  EXPECT_EQ(Form->RightsName, "U003");
}

TEST_F(ServerSessionTest, MissingServerRecordsTheReasonAndReportsNoServer) {
  ClientServers("localhost", 1);
  EXPECT_FALSE(Initialise());
  EXPECT_TRUE(VarIsEmpty(Form->AppServer));
  EXPECT_EQ(Form->MessageCodes, "E;-1; E;000006; ");
  EXPECT_NE(Form->MessageTexts.find("localhost:1"), std::string::npos) << Form->MessageTexts;
  ASSERT_EQ(Dialogs.Seen.size(), 1u);
  EXPECT_EQ(Dialogs.Seen[0].Text, "Can not Get Message\rType= E, ID= 000006 ");
  Application->ProcessMessages();
  EXPECT_TRUE(FormDestroyed);  // the close request it posted itself
}

// A server-side module "TESTGN" in the build's test-module folder; the
// caller's parameters are an object the module reports to.
class ServerModuleTest : public SessionTest {
protected:
  ServerModuleTest() {
    Reporter->On("Run", [this](TVarArgs& a) {
      RunArgs = a[0].Value();
      return Variant(RunSucceeds);
    });
    Reporter->On("Finished", [](TVarArgs&) { return Variant(); });
    Session->On("GetFileList", [](TVarArgs& a) { return Variant::OleStr("<Path>" + VarToStr(a[0].Value()[0]) + "</Path>"); });
    Form->FSession = Variant(Session);
    Form->UserCode = "DS";
    Form->CompanyCode = "DEMOA";
    Form->DataSource = "DEMO";
    Form->ProgramCode = "TESTGN";
    Form->ProductIDValue = 3;
  }
  ~ServerModuleTest() override {
    SetModuleFileCheck({});
    Reporter->Calls.clear();  // the logged arguments hold the reporter itself
  }
  void ServerFolders(const std::vector<std::string>& Folders) {
    std::string ini = "[WorkDLLPath]\r\n";
    for (std::size_t i = 0; i < Folders.size(); ++i)
      ini += "Path" + std::to_string(i + 1) + "=" + Folders[i] + "\r\n";
    Install.Write("OrvaneS.ini", ini);
  }
  // Installs a check that logs the files it is asked about and accepts those
  // that Accept names.
  void CheckFiles(std::function<bool(const std::string&)> Accept) {
    SetModuleFileCheck([this, Accept](const std::string& FileList, const std::string& LocalPath, std::string& Error,
                                      bool Interactive) {
      Checked.push_back(LocalPath);
      FileLists.push_back(FileList);
      EXPECT_TRUE(Interactive);
      if (Accept(LocalPath)) return true;
      Error = "outdated " + LocalPath;
      return false;
    });
  }

  const std::string Modules = KESR_OUTPUT_DIR "/testmodules/";
  std::shared_ptr<TFakeHostObject> Reporter = std::make_shared<TFakeHostObject>();
  std::shared_ptr<TFakeHostObject> Session = std::make_shared<TFakeHostObject>();
  Variant RunArgs;
  bool RunSucceeds = true;
  std::vector<std::string> Checked, FileLists;
};

TEST_F(ServerModuleTest, FirstFolderWithTheLibraryRunsItWithTheCallersValues) {
  ServerFolders({Install.Path() + "empty/", Modules});
  CheckFiles([](const std::string&) { return true; });
  ASSERT_TRUE(Form->RunServerModule("TESTGN", "r", Variant(Reporter))) << Form->MessageTexts;
  EXPECT_EQ(Checked, std::vector<std::string>{Modules + "TESTGNS.so"});
  EXPECT_EQ(FileLists, std::vector<std::string>{"<Path>testgns.dll</Path>"});
  EXPECT_EQ(Reporter->CallNames(), (std::vector<std::string>{"Run", "Finished"}));
  ASSERT_EQ(VarArrayHighBound(RunArgs, 1), 11);
  EXPECT_EQ(VarToStr(RunArgs[0]), "DS");
  EXPECT_EQ(VarToStr(RunArgs[3]), "TESTGN");
  EXPECT_EQ(RunArgs[5], Variant(3));
  EXPECT_EQ(VarToStr(RunArgs[7]), "R");
  EXPECT_EQ(VarToStr(RunArgs[11]), Form->GetUICodePage());

  ASSERT_TRUE(Form->RunServerModule("TESTGN", "B", Variant(Reporter)));
  EXPECT_EQ(VarArrayHighBound(RunArgs, 1), 6);
  EXPECT_EQ(RunArgs[5], Variant(3));
  EXPECT_EQ(Form->MessageCodes, "");
}

TEST_F(ServerModuleTest, FailedRunIsRecordedAndTheControllerStillFinishes) {
  ServerFolders({Modules});
  RunSucceeds = false;
  EXPECT_FALSE(Form->RunServerModule("TESTGN", "R", Variant(Reporter)));
  EXPECT_EQ(Reporter->CallNames(), (std::vector<std::string>{"Run", "Finished"}));
  EXPECT_EQ(Form->MessageCodes, "E;-1; ");
  EXPECT_EQ(Form->MessageTexts, "module run failed; ");
}

TEST_F(ServerModuleTest, RefusedCopiesFallBackToThePackageFolder) {
  const std::string package = Install.Path() + "erps_pkg/";
  ServerFolders({Modules, package});
  CheckFiles([&](const std::string& Path) { return Path.find("erps_pkg") != std::string::npos; });
  EXPECT_FALSE(Form->RunServerModule("TESTGN", "R", Variant(Reporter)));  // accepted, but not there
  EXPECT_EQ(Checked, (std::vector<std::string>{Modules + "TESTGNS.so", package + "TESTGNS.so"}));
  EXPECT_TRUE(Reporter->Calls.empty());
  EXPECT_EQ(Form->MessageCodes, "E;-1; ");

  // Without a package folder the first one is checked once more.
  Checked.clear();
  ServerFolders({Modules, Install.Path() + "other/"});
  CheckFiles([](const std::string&) { return false; });
  EXPECT_FALSE(Form->RunServerModule("TESTGN", "R", Variant(Reporter)));
  EXPECT_EQ(Checked, (std::vector<std::string>{Modules + "TESTGNS.so", Modules + "TESTGNS.so"}));
  EXPECT_NE(Form->MessageTexts.find("outdated " + Modules + "TESTGNS.so"), std::string::npos);
}

}  // namespace
