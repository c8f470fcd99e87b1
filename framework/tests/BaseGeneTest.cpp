#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Buttons.h"
#include "ClientDataSet.h"
#include "ComCtrls.h"
#include "DBLabel.h"
#include "ExtPage.h"
#include "F2Button.h"
#include "Grids.h"
#include "Mask.h"
#include "ModalDriver.h"
#include "Shell.h"
#include "StdCtrls.h"
#include "TestGeneForm.h"
#include "VarArray.h"

namespace {

class TRecordingShell : public TShell {
public:
  bool OpenDocument(const std::string&) override { return true; }
  bool ShowProperties(const std::string& FileName) override {
    Shown.push_back(FileName);
    return true;
  }
  std::vector<std::string> Shown;
};

// A test form in a module library whose program code ("TESTGN") matches the
// form name ("frmTestgene").
class BaseGeneTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = CreateForm<TfrmTestGene>(nullptr);
    Form->Destroyed = &FormDestroyed;
    Form->FSession = Variant(Session);
    Form->SetModulePath("/opt/erp/TESTGNC.so");
  }
  void TearDown() override {
    if (!FormDestroyed) Form->Free();
    Application->ProcessMessages();
  }
  // Shows the form and runs what it posted to itself; false when it closed.
  bool ShowAndRun() {
    Form->Show();
    Application->ProcessMessages();
    return !FormDestroyed;
  }
  Variant Params(int Count) {
    std::vector<Variant> values{"DS", "DEMOA", "ERPDB", 0, VarArrayOf({"A", "Y"})};
    values.resize(Count);
    return VarArrayOf(values);
  }

  std::shared_ptr<TFakeSession> Session = std::make_shared<TFakeSession>();
  TfrmTestGene* Form = nullptr;
  bool FormDestroyed = false;
};

TEST_F(BaseGeneTest, CreatedWithItsLayoutAndDefaults) {
  EXPECT_EQ(Form->Name(), "frmTestgene");
  EXPECT_EQ(Form->VersionStamp, "870401-0.00.00");
  EXPECT_EQ(Form->Width(), 509);
  EXPECT_EQ(Form->Height(), 355);
  EXPECT_TRUE(Form->KeyPreview());
  EXPECT_EQ(Form->LastFocused, Form);
  EXPECT_EQ(Form->btnCancel->ModalResult(), mrCancel);
  EXPECT_EQ(Form->tsOption2->Caption(), "系统选项");
  EXPECT_EQ(Form->btnPrintDate->F2Control(), Form->edPrintDate);
  EXPECT_TRUE(Form->btnPrintDate->Flat());
  EXPECT_NE(Form->DateRules, nullptr);
  EXPECT_EQ(Form->SysSettings, nullptr);  // made by InitParams
  EXPECT_EQ(Form->ModulePath, "/opt/erp/TESTGNC.so");
  EXPECT_TRUE(Form->CompanyCode.empty());  // a library only stores its path
}

TEST_F(BaseGeneTest, FourElementsShowMissingTableThenNoServerAndClose) {
  EXPECT_FALSE(Form->InitParams(Params(4)));
  // The missing host table is shown first; the pending code then blocks the
  // connection, so no server is obtained.
  EXPECT_EQ(Form->MessageCodes.rfind("E;000038; ", 0), 0u) << Form->MessageCodes;
  EXPECT_NE(Form->MessageCodes.find("E;000006; "), std::string::npos) << Form->MessageCodes;
  EXPECT_EQ(Form->UserCode, "DS");
  EXPECT_EQ(Form->CompanyCode, "DEMOA");
  EXPECT_EQ(Form->DataSource, "ERPDB");
  EXPECT_EQ(Form->ProgramCode, "TESTGN");
  EXPECT_EQ(Form->ServerProgID, "TESTGNS.Class1");
  EXPECT_EQ(Form->ConditionCount, 1);
  EXPECT_EQ(Form->VersionTypeValue, 2u);
  EXPECT_EQ(Form->ProductIDValue, 7u);
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(ShowAndRun());  // the close request frees the form
}

TEST_F(BaseGeneTest, ThreeElementsLeaveNoHostWindowAndEndTheSameWay) {
  Form->HostWindow = 99;
  EXPECT_FALSE(Form->InitParams(Params(3)));
  EXPECT_EQ(Form->HostWindow, 0u);
  EXPECT_EQ(Form->MessageCodes.rfind("E;000038; ", 0), 0u);
  EXPECT_FALSE(ShowAndRun());
}

TEST_F(BaseGeneTest, ShortArrayKeepsTheMembersItDoesNotCarry) {
  Form->DataSource = "KEPT";
  EXPECT_FALSE(Form->InitParams(Params(2)));
  EXPECT_EQ(Form->CompanyCode, "DEMOA");
  EXPECT_EQ(Form->DataSource, "KEPT");
}

TEST_F(BaseGeneTest, SecondInitParamsChangesNothing) {
  Form->InitParams(Params(5));
  const std::string codes = Form->MessageCodes;
  EXPECT_FALSE(Form->InitParams(VarArrayOf({"OTHER", "DEMOB", "X", 0, 0})));
  EXPECT_EQ(Form->UserCode, "DS");
  EXPECT_EQ(Form->CompanyCode, "DEMOA");
  EXPECT_EQ(Form->MessageCodes, codes);
}

TEST_F(BaseGeneTest, ModuleOfAnotherProgramIsRefusedButInitialisationSucceeds) {
  Form->ModulePath = "/opt/erp/KESR52C.so";
  EXPECT_TRUE(Form->InitParams(Params(5)));
  EXPECT_EQ(Form->ProgramCode, "KESR52");
  EXPECT_EQ(Form->MessageCodes, "E;000036; ");
  EXPECT_FALSE(ShowAndRun());
}

TEST_F(BaseGeneTest, BadHostWindowIsRecordedNotRaised) {
  EXPECT_FALSE(Form->InitParams(VarArrayOf({"DS", "DEMOA", "ERPDB", "not a handle", 0})));
  EXPECT_NE(Form->MessageCodes.find("E;-1; "), std::string::npos);
}

struct ProgramCodeCase {
  const char* Path;
  const char* Code;
};

class ProgramCodeTest : public ::testing::TestWithParam<ProgramCodeCase> {};

TEST_P(ProgramCodeTest, DerivedFromTheModuleFileName) {
  TfrmBaseGene* form = CreateForm<TfrmBaseGene>(nullptr);
  form->ModulePath = GetParam().Path;
  form->SetupOptions();
  EXPECT_EQ(form->ProgramCode, GetParam().Code);
  form->Free();
}

INSTANTIATE_TEST_SUITE_P(Paths, ProgramCodeTest,
                         ::testing::Values(ProgramCodeCase{"/opt/erp/KESR52C.so", "KESR52"},
                                           ProgramCodeCase{"/opt/erp/kesr52c.SO", "KESR52"},
                                           ProgramCodeCase{"/opt/erp/KESR52CE", "KESR52"},
                                           ProgramCodeCase{"/opt/erp/KESR52.so", "KESR52"},
                                           ProgramCodeCase{"/opt/erp/KE1C.so", "KE1C"},
                                           ProgramCodeCase{"C:\\ERP\\COPR11C.so", "COPR11"}));

TEST(BaseGeneStandAlone, ProgramPathInitialisesAtOnceWithTheFixedArray) {
  TfrmBaseGene* form = CreateForm<TfrmBaseGene>(nullptr);
  form->SetModulePath("/opt/erp/BASR01CE");
  EXPECT_EQ(form->UserCode, "796");
  EXPECT_EQ(form->CompanyCode, "KVTest60");
  EXPECT_EQ(form->DataSource, "KVTest60");
  EXPECT_EQ(form->MessageCodes.rfind("E;000038; ", 0), 0u);
  form->SetCaptionText("销售");
  EXPECT_EQ(form->Caption(), "销售[您现在运行的是Exe版本!][" + form->CompanyTitle + "]");
  form->Free();
  Application->ProcessMessages();
}

TEST(BaseGeneHelp, HelpNumberFromTheProgramCode) {
  struct Case {
    const char* Code;
    const char* Number;
  };
  const Case cases[] = {
      {"KESR52", "12520000"},  // character 4 "R"
      {"KESB07", "13070000"},  // character 4 "B"
      {"INVAB1", "63B10000"},  // "A": character 5 is examined
      {"INVMR9", "82R90000"},  // "M": character 5 is examined
      {"KESX52", ""},          // neither "B" nor "R"
      {"INVAX1", ""},
      {"KES", ""},
  };
  TfrmBaseGene* form = CreateForm<TfrmBaseGene>(nullptr);
  for (const Case& c : cases) {
    form->ProgramCode = c.Code;
    EXPECT_EQ(form->HelpNumber(), c.Number) << c.Code;
  }
  form->Free();
}

TEST_F(BaseGeneTest, F1AsksTheSessionForHelpOnlyWithAHelpNumber) {
  Form->InitParams(Params(5));
  Form->ProgramCode = "KESR52";
  std::uint16_t key = VK_F1;
  Form->FormKeyDown(Form, key, {});
  ASSERT_EQ(Session->HelpCalls.size(), 1u);
  EXPECT_EQ(Session->HelpCalls[0][0].AsString(), "KES");
  EXPECT_EQ(Session->HelpCalls[0][1].AsString(), "12520000");

  Form->ProgramCode = "KESX52";
  key = VK_F1;
  Form->FormKeyDown(Form, key, {});
  EXPECT_EQ(Session->HelpCalls.size(), 1u);
}

TEST_F(BaseGeneTest, FilePropertiesNeedExactlyCtrlAlt) {
  TRecordingShell shell;
  TShell* previous = SetShell(&shell);
  std::uint16_t key = VK_V;
  Form->FormKeyDown(Form, key, {ssCtrl, ssAlt, ssShift});
  EXPECT_TRUE(shell.Shown.empty());
  key = VK_V;
  Form->FormKeyDown(Form, key, {ssCtrl});
  EXPECT_TRUE(shell.Shown.empty());
  key = VK_V;
  Form->FormKeyDown(Form, key, {ssCtrl, ssAlt});
  EXPECT_EQ(shell.Shown, std::vector<std::string>{"/opt/erp/TESTGNC.so"});
  SetShell(previous);
}

// A shown form with its first page active.
class BaseGeneKeysTest : public BaseGeneTest {
protected:
  void SetUp() override {
    BaseGeneTest::SetUp();
    Form->PageEndControls = std::make_unique<std::vector<TControl*>>();
    Form->Show();
  }
  void PressEnter(TWinControl& Control) {
    Control.SetFocus();
    SendKeyStroke(Control, VK_RETURN);
  }
};

TEST_F(BaseGeneKeysTest, ShowFocusesTheFirstControlOfTheFirstPage) {
  EXPECT_EQ(Form->pgOption->ActivePage(), Form->tsOption1);
  EXPECT_EQ(Form->ActiveControl(), Form->edFirst);
}

TEST_F(BaseGeneKeysTest, EnterInAMemoBreaksLinesOnTheFirstTwoLinesThenMovesOn) {
  TMemo& memo = *Form->memNotes;
  memo.SetFocus();
  SendText(memo, "a");
  SendKeyStroke(memo, VK_RETURN);
  SendText(memo, "b");
  SendKeyStroke(memo, VK_RETURN);
  EXPECT_EQ(memo.Text(), "a\r\nb\r\n");
  EXPECT_EQ(memo.CaretPos().Y, 2);
  EXPECT_EQ(Form->ActiveControl(), &memo);
  SendText(memo, "c");
  SendKeyStroke(memo, VK_RETURN);  // caret on line 3
  EXPECT_EQ(memo.Lines()->Count(), 3);
  EXPECT_EQ(Form->ActiveControl(), Form->grdItems);
}

TEST_F(BaseGeneKeysTest, EnterInAnEditMovesToTheNextControl) {
  PressEnter(*Form->edFirst);
  EXPECT_EQ(Form->ActiveControl(), Form->memNotes);
}

TEST_F(BaseGeneKeysTest, EnterInTheLastCellOfAGridAppendsARow) {
  TStringGrid& grid = *Form->grdItems;
  grid.SetFocus();
  grid.FocusCell(1, 1);
  SendKeyStroke(grid, VK_RETURN);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(grid.RowCount(), 2);
  SendKeyStroke(grid, VK_RETURN);  // last column of the last row
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.Col(), 1);  // the first non-fixed column
  EXPECT_EQ(Form->ActiveControl(), &grid);
}

TEST_F(BaseGeneKeysTest, EnterOnAPageEndControlGoesToTheNextPageButNotPastTheLast) {
  Form->PageEndControls->push_back(Form->edLast);
  PressEnter(*Form->edLast);
  EXPECT_EQ(Form->pgOption->ActivePage(), Form->tsOption2);
  Form->PageEndControls->push_back(Form->edPrintDate);
  PressEnter(*Form->edPrintDate);
  EXPECT_EQ(Form->pgOption->ActivePage(), Form->tsOption2);
  EXPECT_EQ(Form->ActiveControl(), Form->edPrintDate);
}

TEST_F(BaseGeneKeysTest, CtrlTabAndCtrlPageKeysTurnPages) {
  std::uint16_t key = VK_TAB;
  Form->FormKeyDown(Form, key, {ssCtrl});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(Form->pgOption->ActivePage(), Form->tsOption2);
  key = VK_PRIOR;
  Form->FormKeyDown(Form, key, {ssCtrl});
  EXPECT_EQ(Form->pgOption->ActivePage(), Form->tsOption1);
  key = VK_TAB;
  Form->FormKeyDown(Form, key, {ssCtrl, ssShift});
  EXPECT_EQ(Form->pgOption->ActivePage(), Form->tsOption2);
}

TEST_F(BaseGeneKeysTest, SystemPageIsLaidOutOnceWhenFirstShown) {
  Form->SetWidth(200);
  Form->pgOption->SetActivePageIndex(1);
  Form->tsOption2->OnShow(Form->tsOption2);
  EXPECT_TRUE(Form->SystemPageDone);
  EXPECT_GE(Form->Width(), 315);
  EXPECT_EQ(Form->edPrintDate->Left(), 60);
  EXPECT_EQ(Form->edPrintDate->Width(), 85);
  EXPECT_EQ(Form->lblToday->Left(), 8);
  EXPECT_EQ(Form->btnPrintDate->Left(), 60 + 85 + 2);
  EXPECT_EQ(Form->tsOption2->Font()->Size(), 9);
}

TEST_F(BaseGeneKeysTest, PageChangeIsRefusedWhileTheExitCheckFails) {
  bool inPageChange = false;
  struct TFailingCheck {
    TfrmTestGene* Form;
    bool* Seen;
    void Exit(TObject*) {
      *Seen = Form->InPageChange;
      Form->ExitFailed = true;
    }
  };
  TFailingCheck check{Form, &inPageChange};
  struct TCheckHolder : TObject {
    TFailingCheck* Check;
    void Exit(TObject* S) { Check->Exit(S); }
  } holder;
  holder.Check = &check;
  Form->edFirst->OnExit = TNotifyEvent(&holder, &TCheckHolder::Exit);
  bool allow = true;
  Form->pgOptionChanging(Form->pgOption, allow);
  EXPECT_FALSE(allow);
  EXPECT_TRUE(inPageChange);
  EXPECT_FALSE(Form->InPageChange);
  Form->edFirst->OnExit = TNotifyEvent();
}

TEST_F(BaseGeneKeysTest, LookupRequestAndF2ReachF2PressedAndFocusTracking) {
  Form->Perform(LookupRequestMessage, 0, reinterpret_cast<LPARAM>(Form->edLast));
  ASSERT_EQ(Form->F2Controls.size(), 1u);
  EXPECT_EQ(Form->F2Controls[0], Form->edLast);
  EXPECT_EQ(Form->ActiveControl(), Form->edLast);  // the base focuses it
  EXPECT_EQ(Form->LastFocused, Form->edLast);
  SendKeyStroke(*Form->edLast, VK_F2);
  EXPECT_EQ(Form->F2Controls.size(), 2u);
  Form->F2Controls.clear();
  // Focus must not return to a control that is gone.
  delete Form->edLast;
  Form->edLast = nullptr;
  EXPECT_EQ(Form->LastFocused, Form);
}

TEST_F(BaseGeneTest, HostConditionsByNameAreCheckedBeforeARun) {
  Form->InitParams(Params(5));
  Form->MessageCodes.clear();
  auto submit = [&](int Mode, bool ByName, const Variant& Payload) {
    Form->ReceiveConditions(VarArrayOf({0, VarArrayOf({Mode, VarArrayOf({ByName, Payload})})}));
  };
  const Variant known = VarArrayOf({VarArrayOf({VarArrayOf({"x", "edFirst"}), VarArrayOf({"x", "memNotes"})}),
                                    VarArrayOf({"1", "2"})});
  submit(1, true, known);
  EXPECT_TRUE(Form->HostRun);
  EXPECT_EQ(Form->OkClicks, 1);
  EXPECT_TRUE(Form->MessageCodes.empty());

  const Variant unknown = VarArrayOf({VarArrayOf({VarArrayOf({"x", "edNowhere"})}), VarArrayOf({"1"})});
  submit(1, true, unknown);
  EXPECT_FALSE(Form->HostRun);
  EXPECT_EQ(Form->OkClicks, 1);
  EXPECT_EQ(Form->MessageCodes, "W;000014; ");

  submit(0, true, known);  // mode 0 takes the data without a run
  EXPECT_FALSE(Form->HostRun);
  EXPECT_EQ(Form->OkClicks, 1);

  submit(1, false, VarArrayOf({"a"}));
  EXPECT_TRUE(Form->HostRun);
  EXPECT_EQ(Form->AppliedByPosition[0].AsString(), "a");
  EXPECT_EQ(Form->OkClicks, 2);
  EXPECT_FALSE(Form->HostByName);
}

struct TOwnText {
  void GetText(TClientField*, std::string& Text, bool) { Text = "own"; }
};

TEST_F(BaseGeneTest, StringFieldsGetConversionHandlersUnlessTheyHaveTheirOwn) {
  TClientDataSet& data = *Form->ClientDataSet1;
  data.SetData(VarArrayOf({VarArrayOf({VarArrayOf({"TC001", "CHAR", 4, 0, "单别"}),
                                       VarArrayOf({"TC002", "NUMERIC", 10, 2, "数量"}),
                                       VarArrayOf({"TC003", "VARCHAR", 20, 0, "备注"})}),
                           VarArrayOf({VarArrayOf({"A1", 2.5, "x"})})}));
  TOwnText own;
  data.FieldByName("TC003").OnGetText = TFieldGetTextEvent(&own, &TOwnText::GetText);
  Form->HookFieldTexts();
  EXPECT_TRUE(data.FieldByName("TC001").OnGetText.Assigned());
  EXPECT_TRUE(data.FieldByName("TC001").OnSetText.Assigned());
  EXPECT_FALSE(data.FieldByName("TC002").OnGetText.Assigned());
  EXPECT_EQ(data.FieldByName("TC003").DisplayText(), "own");
  EXPECT_TRUE(data.FieldByName("TC003").OnSetText.Assigned());
  EXPECT_EQ(data.FieldByName("TC001").DisplayLabel(), "单别");
  EXPECT_EQ(data.FieldByName("TC001").DisplayText(), "A1");
  data.Edit();
  data.FieldByName("TC001").SetText("B2");
  data.Post();
  EXPECT_EQ(data.FieldByName("TC001").AsString(), "B2");
}

TEST_F(BaseGeneTest, CancelClosesAndFreesTheForm) {
  Form->Show();
  Form->btnCancel->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(FormDestroyed);
}

}  // namespace
