// The host's service objects against the demo database, over TCP and in
// process: the counter, the validator's two query calls, and the look-up
// window answering through the modal driver.
#include <gtest/gtest.h>

#include "DateTime.h"
#include "ModalDriver.h"
#include "ServiceFixture.h"
#include "SocketConnection.h"
#include "StdCtrls.h"
#include "StrUtils.h"
#include "VarArray.h"

namespace {

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no exception)";
}

class ServicesTest : public ::testing::TestWithParam<TTransport> {
protected:
  THostServiceSettings Settings = DemoSettings(GetParam());

  // Validator call with every argument by reference, as the option form makes it.
  static bool Ask(const Variant& validator, const char* member, const char* table, const char* key,
                  const Variant& params, Variant& result) {
    Variant t = table, k = key, source = "DEMO", p = params;
    return OleCall(validator, member, {VarRef(t), VarRef(k), VarRef(source), VarRef(p), VarRef(result)}).AsBoolean();
  }
};

TEST_P(ServicesTest, CounterGivesTheCompanySettingsAndRunsSimpleSql) {
  const Variant counter = CreateCounterObject(Settings);
  Variant company = "DEMOA";
  const Variant settings = OleCall(counter, "GetSysInfo", {VarRef(company)});
  ASSERT_EQ(VarArrayDimCount(settings), 2);
  std::map<std::string, std::string> byName;
  for (int i = 0; i <= VarArrayHighBound(settings, 2); ++i)
    byName[VarToStr(settings(0, i))] = VarToStr(settings(1, i));
  EXPECT_EQ(byName["Sys001"], "1");
  EXPECT_EQ(byName["Sys002"], "/");
  EXPECT_EQ(byName.count("Sys007"), 0u);  // the form's defaults apply
  company = "NOSUCH";
  EXPECT_THROW(OleCall(counter, "GetSysInfo", {VarRef(company)}), Exception);

  Variant params = VarArrayOf({"select col.length from syscolumns col inner join sysobjects obj on obj.id=col.id "
                               "where obj.name = 'WARRANT' AND col.name ='NT002'", "length"});
  const Variant length = OleCall(counter, "GetCounter", {"SIMPLESQL", VarRef(params), VarArrayOf({"DEMOA", "DEMO"})});
  EXPECT_EQ(length[0][0].AsInteger(), 20);
  EXPECT_THROW(OleCall(counter, "GetCounter", {"NOSUCH", VarRef(params), VarArrayOf({"DEMOA", "DEMO"})}), Exception);
}

TEST_P(ServicesTest, ValidatorQueryDataGivesRowsAndCheckValueOneRecord) {
  const Variant validator = CreateValidatorObject(Settings);
  OleSetProperty(validator, "ProductID", 3);
  OleSetProperty(validator, "BaseLimited", "N\x03" "0\x03");
  EXPECT_EQ(OleGetProperty(validator, "ProductID").AsInteger(), 3);
  EXPECT_EQ(VarToStr(OleGetProperty(validator, "BaseLimited")), "N\x03" "0\x03");

  Variant result;
  ASSERT_TRUE(Ask(validator, "CheckValue", "ADMMB", "01", VarArrayOf({"KESR52"}), result));
  ASSERT_EQ(VarArrayHighBound(result, 1), 7);  // one record, its eighth element the English name
  EXPECT_EQ(VarToStr(result[0]), "订单唛头打印");
  EXPECT_EQ(VarToStr(result[7]), "Sales Order Shipping Mark Print");
  ASSERT_TRUE(Ask(validator, "QueryData", "ADMMB", "01", VarArrayOf({"KESR52"}), result));
  ASSERT_EQ(VarArrayHighBound(result, 1), 0);  // rows: one row of eight
  EXPECT_EQ(VarToStr(result[0][7]), "Sales Order Shipping Mark Print");

  ASSERT_TRUE(Ask(validator, "QueryData", "WARRANT", "01", VarArrayOf({"TfrmKesr52Fmt"}), result));
  ASSERT_EQ(VarArrayHighBound(result, 1), 1);
  EXPECT_EQ(Trim(VarToStr(result[0][0])), "工单格式");
  EXPECT_EQ(Trim(VarToStr(result[1][0])), "标准格式");

  // Nothing found: no record is false, no rows is true with a null answer.
  EXPECT_FALSE(Ask(validator, "CheckValue", "WARRANT", "03", VarArrayOf({"TfrmKesr52Fmt", "没有"}), result));
  EXPECT_TRUE(result.IsEmpty());
  EXPECT_TRUE(Ask(validator, "QueryData", "WARRANT", "03", VarArrayOf({"TfrmKesr52Fmt", "没有"}), result));
  EXPECT_TRUE(result.IsNull());
  EXPECT_THROW(Ask(validator, "QueryData", "NOSUCH", "01", VarArrayOf({""}), result), Exception);
}

TEST_P(ServicesTest, EveryQueryTheModuleAsksIsAnswered) {
  const Variant validator = CreateValidatorObject(Settings);
  struct TCase {
    const char* Table;
    const char* Key;
    Variant Params;
    int Elements;  // of the first record, -1 when nothing is found
  } cases[] = {
      {"ADMMB", "01", VarArrayOf({"KESR52"}), 8},
      {"CMSML", "01", VarArrayOf({"DEMOA"}), 9},
      {"CMSMT", "01", VarArrayOf({"KESR52"}), 13},
      {"WARRANT", "01", VarArrayOf({"TfrmKesr52Fmt"}), 2},
      {"WARRANT", "03", VarArrayOf({"TfrmKesr52Fmt", "标准格式"}), 3},
      {"GENES", "01", VarArrayOf({"本月已审核", "DS", "KESR52"}), 1},
      {"GENES", "01", VarArrayOf({"本月已审核", "U001", "KESR52"}), -1},
      {"COPTC", "02", VarArrayOf({"", ""}), 7},
      {"MOCTA", "05", VarArrayOf({"", "", ""}), 8},
  };
  for (const auto& c : cases) {
    Variant record;
    const bool found = Ask(validator, "CheckValue", c.Table, c.Key, c.Params, record);
    EXPECT_EQ(found, c.Elements >= 0) << c.Table << " " << c.Key;
    if (found) {
      EXPECT_EQ(VarArrayHighBound(record, 1) + 1, c.Elements) << c.Table << " " << c.Key;
    }
  }
  Variant record;
  ASSERT_TRUE(Ask(validator, "CheckValue", "CMSMT", "01", VarArrayOf({"KESR52"}), record));
  EXPECT_EQ(Trim(VarToStr(record[12])), "标准格式");  // the program's default format
}

// The 19 elements of an F2 look-up, as the option form sends them.
Variant F2Request(const char* table, const char* kind, const Variant& keys, bool multi) {
  return VarArrayOf({table, kind, keys, multi, "", "DEMOA", "DEMO", 0, 1, false, 3, "", "", "", "", true, true,
                     Unassigned(), "DS"});
}

TListBox& RowList(TCustomForm& form) { return *static_cast<TListBox*>(FindFormComponent(form, "lstRows")); }

TEST_P(ServicesTest, LookupWindowAnswersTheRowChosenInTheModalList) {
  const Variant window = CreateLookupWindowObject(Settings);
  const Variant keys = VarArrayOf({"220", ""});
  Variant all;
  ASSERT_TRUE(Ask(CreateValidatorObject(Settings), "QueryData", "COPTC", "02", keys, all));
  ASSERT_GE(VarArrayHighBound(all, 1), 2);

  int shownRows = 0;
  TScriptedModalDriver driver;
  driver.Do([&](TCustomForm& f) { shownRows = RowList(f).Items()->Count(); RowList(f).SetItemIndex(2); })
      .Choose(mrOk);
  TModalDriverScope scope(driver);
  const Variant answer = OleCall(window, "F2GetData", {F2Request("COPTC", "02", keys, false)});
  EXPECT_EQ(shownRows, VarArrayHighBound(all, 1) + 1);
  ASSERT_EQ(VarArrayHighBound(answer, 1), 0);
  EXPECT_EQ(VarToStr(answer[0][1]), VarToStr(all[2][1]));
  EXPECT_EQ(VarToStr(answer[0][0]).substr(0, 3), "220");
  EXPECT_EQ(driver.Remaining(), 0u);
}

TEST_P(ServicesTest, LookupWindowMultiSelectCancelAndNoRows) {
  const Variant window = CreateLookupWindowObject(Settings);
  const Variant keys = VarArrayOf({"220", ""});
  TScriptedModalDriver driver;
  driver.Do([](TCustomForm& f) { RowList(f).SetSelected(1, true); RowList(f).SetSelected(3, true); })
      .Choose(mrOk)
      .Choose(mrCancel);
  TModalDriverScope scope(driver);
  const Variant chosen = OleCall(window, "F2GetData", {F2Request("COPTC", "02", keys, true)});
  ASSERT_EQ(VarArrayHighBound(chosen, 1), 1);
  EXPECT_LT(VarToStr(chosen[0][1]), VarToStr(chosen[1][1]));
  EXPECT_TRUE(OleCall(window, "F2GetData", {F2Request("COPTC", "02", keys, false)}).IsEmpty());  // cancelled
  // Nothing matches: no window is shown.
  bool shown = false;
  TScriptedModalDriver watch;
  watch.Do([&](TCustomForm&) { shown = true; });
  TModalDriverScope watching(watch);
  EXPECT_TRUE(OleCall(window, "F2GetData", {F2Request("COPTC", "02", VarArrayOf({"999", ""}), false)}).IsEmpty());
  EXPECT_FALSE(shown);
  EXPECT_THROW(OleCall(window, "F2GetData", {VarArrayOf({"COPTC", "02"})}), EOleError);
}

TEST_P(ServicesTest, WithoutAScriptTheDefaultDriverTakesThePresetAnswers) {
  THostServiceSettings settings = Settings;
  settings.Phrases = {"请尽快出货", "按合同交期"};
  const Variant window = CreateLookupWindowObject(settings);
  TDefaultModalDriver driver;
  TModalDriverScope scope(driver);
  const Variant first = OleCall(window, "F2GetData", {F2Request("MOCTA", "05", VarArrayOf({"", "", ""}), false)});
  ASSERT_EQ(VarArrayHighBound(first, 1), 0);
  EXPECT_FALSE(VarToStr(first[0][0]).empty());
  EXPECT_EQ(VarToStr(OleCall(window, "ShowInputDay", {VarArrayOf({false, "20240315", "DEMO"})})), "20240315");
  Variant user = "DS", source = "DEMO";
  EXPECT_EQ(VarToStr(OleCall(window, "GetPhrase", {VarRef(user), VarRef(source), 0})), "请尽快出货");
  EXPECT_EQ(driver.Log().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Transports, ServicesTest, ::testing::Values(TTransport::Tcp, TTransport::InProcess),
                         TransportName);

TEST(LookupWindow, DatePickerAnswersATypedValidDayOnly) {
  const Variant window = CreateLookupWindowObject(DemoSettings(TTransport::InProcess));
  const std::string today = FormatDateTime("yyyymmdd", Date());
  struct TCase {
    const char* Start;
    const char* Typed;  // nullptr: cancel
    std::string Expected;
    std::string Shown;  // the edit's text when the picker opens
  } cases[] = {
      {"20240301", "20240315", "20240315", "20240301"},
      {"20240301", "20240230", "", "20240301"},  // no such day
      {"20240301", "2024031", "", "20240301"},
      {"20240301", nullptr, "", "20240301"},
      {"", "20231231", "20231231", today},  // no start: today
      {"2024-03-01", "20231231", "20231231", today},
  };
  for (const auto& c : cases) {
    std::string shown;
    TScriptedModalDriver driver;
    driver.Do([&](TCustomForm& f) { shown = static_cast<TEdit*>(FindFormComponent(f, "edDate"))->Text(); });
    if (c.Typed)
      driver.Type("edDate", c.Typed).Choose(mrOk);
    else
      driver.Choose(mrCancel);
    TModalDriverScope scope(driver);
    EXPECT_EQ(VarToStr(OleCall(window, "ShowInputDay", {VarArrayOf({false, c.Start, "DEMO"})})), c.Expected)
        << c.Start << " " << (c.Typed ? c.Typed : "cancel");
    EXPECT_EQ(shown, c.Shown) << c.Start;
  }
  // The ROC calendar shows the year counted from 1912.
  std::string roc;
  TScriptedModalDriver driver;
  driver.Do([&](TCustomForm& f) { roc = static_cast<TLabel*>(FindFormComponent(f, "lblDate"))->Caption(); })
      .Choose(mrOk);
  TModalDriverScope scope(driver);
  EXPECT_EQ(VarToStr(OleCall(window, "ShowInputDay", {VarArrayOf({true, "20240301", "DEMO"})})), "20240301");
  EXPECT_EQ(roc, "民国 113/03/01");
}

TEST(LookupWindow, PhrasesAreChosenFromTheHostsList) {
  THostServiceSettings settings = DemoSettings(TTransport::InProcess);
  Variant user = "DS", source = "DEMO";
  EXPECT_EQ(VarToStr(OleCall(CreateLookupWindowObject(settings), "GetPhrase", {VarRef(user), VarRef(source), 0})), "");
  settings.Phrases = {"请尽快出货", "按合同交期", "分批出货"};
  const Variant window = CreateLookupWindowObject(settings);
  TScriptedModalDriver driver;
  driver.Do([](TCustomForm& f) { RowList(f).SetItemIndex(2); }).Choose(mrOk).Choose(mrCancel);
  TModalDriverScope scope(driver);
  EXPECT_EQ(VarToStr(OleCall(window, "GetPhrase", {VarRef(user), VarRef(source), 0})), "分批出货");
  EXPECT_EQ(VarToStr(OleCall(window, "GetPhrase", {VarRef(user), VarRef(source), 0})), "");
}

TEST(HostServices, AServerThatCannotBeReachedFailsEachCallAndIsTriedAgain) {
  THostServiceSettings settings = DemoSettings(TTransport::Tcp);
  const int port = settings.ServerPort;
  settings.ServerPort = 1;
  const Variant counter = CreateCounterObject(settings);
  Variant company = "DEMOA";
  EXPECT_THROW(OleCall(counter, "GetSysInfo", {VarRef(company)}), ESocketConnectionError);
  EXPECT_THROW(OleCall(counter, "GetSysInfo", {VarRef(company)}), ESocketConnectionError);
  // A session the server refuses (unknown user) fails the same way, every time.
  settings.ServerPort = port;
  settings.UserCode = "NOBODY";
  const Variant refused = CreateCounterObject(settings);
  for (int attempt = 0; attempt < 2; ++attempt)
    EXPECT_NE(ErrorText([&] { OleCall(refused, "GetSysInfo", {VarRef(company)}); }).find("NOBODY"), std::string::npos);
}

}  // namespace
