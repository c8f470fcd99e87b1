#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "../../env/tests/EnvFixture.h"
#include "Buttons.h"
#include "ComCtrls.h"
#include "FakeHostObjects.h"
#include "StdCtrls.h"
#include "TestGeneForm.h"
#include "VarArray.h"

namespace {

// An option form of a library module in a client installation whose user
// interface has the given code page, with a session that knows a few
// message templates.
class MessagesTest : public ::testing::Test {
protected:
  void SetUp() override { UseLanguage("936"); }
  void TearDown() override {
    Form->Free();
    Application->ProcessMessages();
  }
  // The form's converter reads the installation's code pages again.
  void UseLanguage(const std::string& CodePage) {
    Install.Write("OrvaneC.ini", "[CodePage]\r\nUICodePage=" + CodePage + "\r\n");
    Form->ZnConverter->LoadCodePages();
  }
  std::shared_ptr<TFakeHostObject> NewSession(std::map<std::string, std::string> Templates) {
    auto session = std::make_shared<TFakeHostObject>();
    session->On("GetMessage", [Templates](TVarArgs& a) {
      const auto found = Templates.find(a[0].Value().AsString() + ";" + a[1].Value().AsString());
      return Variant::OleStr(found == Templates.end() ? "?" : found->second);
    });
    return session;
  }

  TScratchFolder Install;
  TEnvGuard SystemCodePage{"KESR_CODEPAGE", "936"};
  TOrvaneRegistry Registry{{{"ClientPath", Install.Path()}}};
  TfrmTestGene* Form = CreateForm<TfrmTestGene>(nullptr);
  TDialogRecorder Dialogs;
};

TEST_F(MessagesTest, CodesShowTheirKindWithOkOnlyAndRecordedErrorsStaySilent) {
  Form->FSession = Variant(NewSession({{"W;000014", "no such control %s"},
                                       {"E;000038", "missing table"},
                                       {"I;000003", "nothing to do"},
                                       {"Q;000007", "go on?"},
                                       {"C;000008", "check"},
                                       {"D;000009", "delete?"},
                                       {"R;200235", "plain"},
                                       {"E;1", "recorded"}}));
  struct TCase {
    const char* Codes;
    int Kind;  // -1: not shown
    const char* Text;
  };
  const TCase cases[] = {
      {"W;000014;edFirst", mtWarning, "no such control edFirst"},
      {"E;000038", mtError, "missing table"},
      {"I;000003;", mtInformation, "nothing to do"},
      {"Q;000007", mtConfirmation, "go on?"},
      {"C;000008", mtWarning, "check"},
      {"D;000009", mtWarning, "delete?"},
      {"R;200235", mtCustom, "plain"},
      {"E;-1", -1, "recorded"},
      {"W;000000", -1, "?"},
      {"W;abc", -1, "?"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Codes);
    Dialogs.Seen.clear();
    Form->ShowMessageCodes("");
    Form->ShowMessageCodes(c.Codes);
    EXPECT_EQ(Form->MessageCodes, std::string(c.Codes) + "; ");
    EXPECT_EQ(Form->MessageTexts, std::string(c.Text) + "; ");
    if (c.Kind < 0) {
      EXPECT_TRUE(Dialogs.Seen.empty());
      continue;
    }
    ASSERT_EQ(Dialogs.Seen.size(), 1u);
    EXPECT_EQ(Dialogs.Seen[0].Kind, c.Kind);
    EXPECT_EQ(Dialogs.Seen[0].Text, c.Text);
    EXPECT_EQ(Dialogs.Seen[0].Buttons, std::vector<std::string>{"OK"});
  }
}

TEST_F(MessagesTest, LogKeepsEveryCodeButEachTextOnce) {
  Form->FSession = Variant(NewSession({{"E;000030", "bad %s"}}));
  Form->ShowMessageCodes("E;000030;a");
  Form->ShowMessageCodes("E;000030;a");
  Form->RecordError("  socket closed ");
  Form->RecordError("socket closed");
  Form->RecordError("closed");  // part of a logged text, but a text of its own
  EXPECT_EQ(Form->MessageCodes, "E;000030;a; E;000030;a; E;-1; E;-1; E;-1; ");
  EXPECT_EQ(Form->MessageTexts, "bad a; socket closed; closed; ");
  EXPECT_EQ(Dialogs.Seen.size(), 2u);

  Form->RecordError("   ");
  EXPECT_EQ(Form->MessageCodes, "");
  EXPECT_EQ(Form->MessageTexts, "");
  Form->RecordError("x");
  Form->ShowMessageCodes("");
  EXPECT_EQ(Form->MessageCodes, "");
  EXPECT_EQ(Form->MessageTexts, "");
}

TEST_F(MessagesTest, NothingHappensWhileCancelHasTheFocus) {
  Form->Show();
  Form->btnCancel->SetFocus();
  ASSERT_EQ(Form->ActiveControl(), static_cast<TWinControl*>(Form->btnCancel));
  Form->ShowMessageCodes("W;000014");
  Form->RecordError("lost");
  Form->ShowMessageCodes("");
  EXPECT_EQ(Form->MessageCodes, "");
  EXPECT_TRUE(Dialogs.Seen.empty());

  Form->MessageCodes = "E;-1; ";
  Form->ShowMessageCodes("");  // does not even clear
  EXPECT_EQ(Form->MessageCodes, "E;-1; ");
}

TEST_F(MessagesTest, WithoutASessionEveryMessageNamesTypeAndNumber) {
  Form->ShowMessageCodes("W;000014;x");
  ASSERT_EQ(Dialogs.Seen.size(), 1u);
  EXPECT_EQ(Dialogs.Seen[0].Text, "Can not Get Message\rType= W, ID= 000014 ");

  // A session that fails to answer counts as none.
  auto failing = std::make_shared<TFakeHostObject>();
  failing->On("GetMessage", [](TVarArgs&) -> Variant { throw EOleError("host gone"); });
  Form->FSession = Variant(failing);
  EXPECT_EQ(Form->GetMessageText("E", "000006"), "Can not Get Message\rType= E, ID= 000006 ");
}

TEST_F(MessagesTest, TemplateThatDoesNotFitIsShownRawWithItsArguments) {
  Form->FSession = Variant(NewSession({{"E;000030", "%d rows in %s"}, {"I;000031", "%s and %s"}}));
  Form->ShowMessageCodes("E;000030;many;COPTC");
  ASSERT_EQ(Dialogs.Seen.size(), 1u);
  EXPECT_EQ(Dialogs.Seen[0].Text, "%d rows in %s\rmany;COPTC;;;;;;;;;");

  // Missing arguments are empty texts; more than ten are not taken.
  Form->ShowMessageCodes("I;000031;a");
  EXPECT_EQ(Dialogs.Seen.back().Text, "a and ");
  EXPECT_EQ(Form->ShowMessageBox("E", "000030", {"x", 7}, 1, {}), mrOk);
  EXPECT_EQ(Dialogs.Seen.back().Text, "%d rows in %s\rx;7;");
}

TEST_F(MessagesTest, MessageBoxButtonsByTypeUnlessTheCallerNamesThem) {
  Form->FSession = Variant(NewSession({{"D;000009", "delete %s?"}}));
  struct TCase {
    const char* Type;
    TMsgDlgButtons Buttons;
    int Kind;
    std::vector<std::string> Shown;
  };
  const TCase cases[] = {
      {"D", {}, mtWarning, {"Yes", "No", "Cancel"}},
      {"C", {}, mtWarning, {"OK", "Cancel"}},
      {"W", {}, mtWarning, {"OK", "Cancel"}},
      {"Q", {}, mtConfirmation, {"OK", "Cancel"}},
      {"E", {}, mtError, {"OK"}},
      {"I", {}, mtInformation, {"OK"}},
      {"R", {}, mtCustom, {"OK"}},
      {"D", {mbAbort, mbIgnore}, mtWarning, {"Abort", "Ignore"}},
  };
  Dialogs.Answer = mrNo;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Type);
    EXPECT_EQ(Form->ShowMessageBox(c.Type, "000009", {"A1", "unused"}, 0, c.Buttons), mrNo);
    EXPECT_EQ(Dialogs.Seen.back().Kind, c.Kind);
    EXPECT_EQ(Dialogs.Seen.back().Buttons, c.Shown);
  }
  EXPECT_EQ(Dialogs.Seen[0].Text, "delete A1?");
  // A message box is not logged.
  EXPECT_EQ(Form->MessageCodes, "");
}

TEST_F(MessagesTest, PageChangeCheckShowsOnlyErrors) {
  Form->InPageChange = true;
  EXPECT_EQ(Form->ShowDialog("careful", mtWarning, {mbOK}), 0);
  EXPECT_EQ(Form->ShowDialog("sure?", mtConfirmation, mbOKCancel), 0);
  EXPECT_TRUE(Dialogs.Seen.empty());
  EXPECT_EQ(Form->ShowDialog("wrong", mtError, {mbOK}), mrOk);
  ASSERT_EQ(Dialogs.Seen.size(), 1u);
  EXPECT_EQ(Dialogs.Seen[0].Text, "wrong");
}

TEST_F(MessagesTest, DialogTakesTheFormCaptionAndLocalButtonCaptions) {
  Form->SetCaption("销售订单");
  Form->ShowDialog("t", mtConfirmation, mbYesNoCancel);
  ASSERT_EQ(Dialogs.Seen.size(), 1u);
  EXPECT_EQ(Dialogs.Seen[0].Caption, "销售订单");
  EXPECT_EQ(Dialogs.Seen[0].ButtonCaptions, (std::vector<std::string>{"是(&Y)", "否(&N)", "取消"}));

  UseLanguage("437");
  Form->ShowDialog("t", mtConfirmation, mbYesNoCancel);
  EXPECT_EQ(Dialogs.Seen[1].ButtonCaptions, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
}

TEST_F(MessagesTest, ErrorGivesTheFocusBackToTheLastFocusedControl) {
  Form->Show();
  Form->edLast->SetFocus();
  Form->edFirst->SetFocus();
  Form->LastFocused = Form->edLast;
  Form->ShowDialog("careful", mtWarning, {mbOK});
  EXPECT_EQ(Form->ActiveControl(), static_cast<TWinControl*>(Form->edFirst));
  Form->ShowDialog("wrong", mtError, {mbOK});
  EXPECT_EQ(Form->ActiveControl(), static_cast<TWinControl*>(Form->edLast));

  // A control that cannot take the focus is left alone.
  Form->LastFocused = Form->edFirst;
  Form->edFirst->SetEnabled(false);
  Form->ShowDialog("wrong", mtError, {mbOK});
  EXPECT_EQ(Form->ActiveControl(), static_cast<TWinControl*>(Form->edLast));
}

// An edit that counts the left-button-up messages it gets.
class TMouseEdit : public TEdit {
public:
  using TEdit::TEdit;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_LBUTTONUP) ++ButtonUps;
    TEdit::Dispatch(Message);
  }
  int ButtonUps = 0;
};

TEST_F(MessagesTest, ActiveControlLetsGoOfTheMouseAfterADialog) {
  auto* edit = new TMouseEdit(Form);
  edit->SetParent(Form->tsOption1);
  Form->Show();
  edit->SetFocus();
  Form->ShowDialog("careful", mtWarning, {mbOK});
  Application->ProcessMessages();
  EXPECT_EQ(edit->ButtonUps, 1);
}

TEST(MessagesRelease, CloseRequestWaitsUntilTheFormsDialogHasReturned) {
  TDialogRecorder dialogs;
  bool destroyed = false;
  auto* form = CreateForm<TfrmTestGene>(nullptr);
  form->Destroyed = &destroyed;
  // As InitParams does: a close request posted, then more messages shown.
  PostMessage(form->Handle(), WM_CLOSE);
  form->ShowDialog("first", mtError, {mbOK});
  EXPECT_FALSE(destroyed);
  form->ShowDialog("second", mtError, {mbOK});
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(dialogs.Seen.size(), 2u);
  Application->ProcessMessages();
  EXPECT_TRUE(destroyed);
}

// The company's settings as the counter answers them: [0, i] names, [1, i] values.
Variant SettingsAnswer(const std::vector<std::pair<std::string, std::string>>& Settings) {
  Variant info = VarArrayCreate({0, 1, 0, static_cast<int>(Settings.size()) - 1}, varVariant);
  for (int i = 0; i < static_cast<int>(Settings.size()); ++i) {
    info(0, i) = Variant::OleStr(Settings[i].first);
    info(1, i) = Variant::OleStr(Settings[i].second);
  }
  return info;
}

class SettingsTest : public MessagesTest {
protected:
  void SetUp() override {
    MessagesTest::SetUp();
    Form->SysSettings = std::make_unique<TStringList>();
    Form->CompanyCode = "DEMOA";
    Counter->On("GetSysInfo", [this](TVarArgs&) {
      if (Fail) throw EOleError("counter down");
      return SettingsAnswer(Settings);
    });
    Form->FCounterObject = Variant(Counter);
  }
  std::shared_ptr<TFakeHostObject> Counter = std::make_shared<TFakeHostObject>();
  std::vector<std::pair<std::string, std::string>> Settings;
  bool Fail = false;
};

TEST_F(SettingsTest, LoadedOnceFromTheCounterAndLookedUpIgnoringCase) {
  Settings = {{"Sys001", "4"}, {"Sys002", "-"}, {"ZNT002", "示范公司"}};
  EXPECT_EQ(Form->GetSysSetting(""), "");
  ASSERT_EQ(Counter->Calls.size(), 1u);
  EXPECT_EQ(Counter->Calls[0].Args, std::vector<Variant>{"DEMOA"});
  EXPECT_EQ(Form->GetSysSetting("znt002"), "示范公司");
  EXPECT_EQ(Form->GetDateFormatType(), 4u);
  EXPECT_EQ(Form->FDateFormatType, 4u);
  EXPECT_EQ(Form->GetDateSeparator(), "-");
  EXPECT_EQ(Form->FDateSeparator, "-");
  EXPECT_EQ(Counter->Calls.size(), 1u);
}

TEST_F(SettingsTest, DateSettingsFallBackWhenEmptyOrNoNumber) {
  const std::pair<const char*, std::uint32_t> cases[] = {{"", 1}, {"abc", 1}, {"2", 2}, {" 5 ", 5}, {"-3", 1}};
  for (const auto& [value, type] : cases) {
    SCOPED_TRACE(value);
    Settings = {{"Sys001", value}};
    Form->GetSysSetting("");
    EXPECT_EQ(Form->GetDateFormatType(), type);
    EXPECT_EQ(Form->GetDateSeparator(), "/");
  }
}

TEST_F(SettingsTest, InventoryCategoriesHaveDefaultsInTheUsersLanguage) {
  struct TCase {
    const char* Name;
    const char* English;
    const char* Chinese;
  };
  const TCase cases[] = {{"sys007", "Inv.Cate.1", "商品分类方式一"},
                         {"SYS008", "Inv.Cate.2", "商品分类方式二"},
                         {"Sys009", "Inv.Cate.3", "商品分类方式三"},
                         {"SYS010", "Inv.Cate.4", "商品分类方式四"}};
  Settings = {{"SYS008", "Brand"}};
  Form->GetSysSetting("");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    UseLanguage("437");
    EXPECT_EQ(Form->GetSysSetting(c.Name), std::string(c.Name) == "SYS008" ? "Brand" : c.English);
    UseLanguage("950");
    EXPECT_EQ(Form->GetSysSetting(c.Name), std::string(c.Name) == "SYS008" ? "Brand" : c.Chinese);
  }
}

TEST_F(SettingsTest, UnreadableSettingsReadAsEmpty) {
  Settings = {{"Sys002", "-"}};
  Form->GetSysSetting("");
  Fail = true;
  Form->GetSysSetting("");
  EXPECT_EQ(Form->GetSysSetting("Sys002"), "");
  EXPECT_EQ(Form->GetDateSeparator(), "/");
  EXPECT_EQ(Form->MessageCodes, "");  // nothing pending that would block the connection

  Form->FCounterObject = Unassigned();
  Form->SysSettings.reset();
  EXPECT_EQ(Form->GetSysSetting(""), "");
  EXPECT_EQ(Form->GetSysSetting("sys007"), "商品分类方式一");
}

// The program's ADMMB record as the validator's CheckValue answers it.
class ProgramNameTest : public MessagesTest {
protected:
  void SetUp() override {
    MessagesTest::SetUp();
    Form->ProgramCode = "KESR52";
    Validator->Settable("ProductID").Settable("BaseLimited").On("CheckValue", [this](TVarArgs& a) {
      if (Fail) throw EOleError("validator down");
      a[4].Value() = Answer;
      return Variant(Found);
    });
    Form->FValidatorObject = Variant(Validator);
  }
  std::shared_ptr<TFakeHostObject> Validator = std::make_shared<TFakeHostObject>();
  Variant Answer;
  bool Found = true;
  bool Fail = false;
};

TEST_F(ProgramNameTest, EnglishNameFromTheEighthElementUnderEnglishOnly) {
  const Variant eight = VarArrayOf({"销售订单唛头", "a", "b", "c", "d", "e", "f", "Shipping marks"});
  const Variant seven = VarArrayOf({"销售订单唛头", "a", "b", "c", "d", "e", "f"});
  struct TCase {
    const char* Language;
    Variant Answer;
    const char* Name;
  };
  const TCase cases[] = {{"437", eight, "Shipping marks"},
                         {"437", seven, "销售订单唛头"},
                         {"936", eight, "销售订单唛头"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Language);
    UseLanguage(c.Language);
    Answer = c.Answer;
    EXPECT_EQ(Form->GetProgramName(), c.Name);
    EXPECT_EQ(Form->ProgramName, c.Name);
  }
  EXPECT_EQ(Validator->Calls.back().Args[0], Variant("ADMMB"));
  EXPECT_EQ(Validator->Calls.back().Args[1], Variant("01"));
  EXPECT_EQ(Validator->Calls.back().Args[3][0], Variant("KESR52"));
}

TEST_F(ProgramNameTest, WithoutARecordTheNameIsTheProgramCode) {
  Found = false;
  EXPECT_EQ(Form->GetProgramName(), "KESR52");
  Found = true;
  Fail = true;
  EXPECT_EQ(Form->GetProgramName(), "KESR52");
  Fail = false;
  Answer = "not an array";
  EXPECT_EQ(Form->GetProgramName(), "KESR52");
  Form->FValidatorObject = Unassigned();
  EXPECT_EQ(Form->GetProgramName(), "KESR52");
  EXPECT_EQ(Form->ProgramName, "KESR52");
}

}  // namespace
