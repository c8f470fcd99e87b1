// The controller as the host sees it: modules loaded by path, driven through
// the export, the fields and the virtual operations only.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AutoObject.h"
#include "DLLFunc.h"
#include "DynLib.h"
#include "Forms.h"
#include "ModalDriver.h"
#include "VarArray.h"

namespace {

TGetController LoadController(const std::string& File) {
  HMODULE module = LoadLibrary(File);
  if (!module) return nullptr;
  return reinterpret_cast<TGetController>(GetProcAddress(module, GetControllerName));
}

// Arrays element by element, for comparing what crossed the boundary.
std::string Dump(const Variant& Value) {
  if (!VarIsArray(Value)) return Value.IsEmpty() ? "<empty>" : VarToStr(Value);
  std::string text = "[";
  for (int i = VarArrayLowBound(Value, 1); i <= VarArrayHighBound(Value, 1); ++i)
    text += (i > VarArrayLowBound(Value, 1) ? "," : "") + Dump(Value[i]);
  return text + "]";
}

const std::string TestModulePath = std::string(KESR_OUTPUT_DIR) + "/TESTMDC.so";

// What the host hears through OnNotify, with the form's caption at the time.
struct THostLog {
  std::vector<int> Codes;
  std::vector<std::string> Captions;
  void Notify(std::int32_t Code, TDLLBaseController* Sender) {
    Codes.push_back(Code);
    HWND handle = Code == ncFormDestroyed ? 0 : Sender->GetFormHandle();
    TWinControl* form = FindControl(handle);
    Captions.push_back(form ? form->Caption() : std::string());
  }
};

class TTestSession : public TAutoObject {
public:
  TTestSession() {
    AddMethod("GetMessage", 2, [](TVarArgs& a) {
      return Variant(a[0].Value().AsString() + a[1].Value().AsString() + " %s");
    });
    AddMethod("VersionType", 0, [](TVarArgs&) { return Variant(1); });
  }
};

class ControllerTest : public ::testing::Test {
protected:
  void SetUp() override {
    GetControllerOfModule = LoadController(TestModulePath);
    ASSERT_NE(GetControllerOfModule, nullptr) << GetLastErrorText();
    Controller.reset(GetControllerOfModule());
    Controller->Session = Variant(std::make_shared<TTestSession>());
    Controller->OnNotify = TControllerNotifyEvent(&Log, &THostLog::Notify);
  }
  void TearDown() override {
    Controller.reset();
    Application->ProcessMessages();
  }
  static Variant InitArray(int Count) {
    std::vector<Variant> values{"DS", "DEMOA", "ERPDB", 0, VarArrayOf({"A", "Y"})};
    values.resize(Count);
    return VarArrayOf(values);
  }
  TCustomForm* Form() { return dynamic_cast<TCustomForm*>(FindControl(Controller->GetFormHandle())); }

  TGetController GetControllerOfModule = nullptr;
  std::unique_ptr<TDLLBaseController> Controller;
  THostLog Log;
  TModalDriverScope Quiet{DefaultModalDriver()};
};

TEST(GetController, WithoutAControllerClassRaisesTheInternalError) {
  TGetController get = LoadController(std::string(KESR_OUTPUT_DIR) + "/NOCTLC.so");
  ASSERT_NE(get, nullptr) << GetLastErrorText();
  try {
    delete get();
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "ZNT DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
  }
}

TEST_F(ControllerTest, EveryCallGivesANewController) {
  std::unique_ptr<TDLLBaseController> second(GetControllerOfModule());
  EXPECT_NE(second.get(), Controller.get());
  EXPECT_EQ(second->ClassName(), "TDLLVRCtrller");
}

TEST_F(ControllerTest, WithoutAFormEveryOperationFallsBack) {
  Variant info = "kept";
  EXPECT_EQ(Controller->GetFormInfo(info), -1);
  EXPECT_EQ(info.AsString(), "kept");
  EXPECT_EQ(Controller->ShowFormModal().AsInteger(), 2);
  EXPECT_EQ(Controller->Execute(5, 0, VarArrayOf({true})), -1);
  EXPECT_EQ(Controller->SubmitConditions(VarArrayOf({0, 0})), -1);
  EXPECT_EQ(Controller->GetVersion(), "");
  EXPECT_EQ(Controller->GetFormVisible(), 0);
  EXPECT_EQ(Controller->GetFormHandle(), 0u);
  EXPECT_TRUE(Controller->IsFormFreed());
  Controller->SetFormVisible(-1);
  Controller->FreeForm();
  Controller->CloseFormatWindow();
  Controller->NotifyReserved();
  EXPECT_EQ(Log.Codes, std::vector<int>{ncReserved});
}

TEST_F(ControllerTest, WithoutANotificationCallbackNothingIsSent) {
  Controller->OnNotify = TControllerNotifyEvent();
  Controller->Initialize(InitArray(5));
  Controller->SetFormVisible(-1);
  Controller->FreeForm();
  EXPECT_TRUE(Controller->IsFormFreed());
  EXPECT_TRUE(Log.Codes.empty());
}

TEST_F(ControllerTest, NotificationsFollowTheFormFromCreationToTheUsersClose) {
  // No application server: the form shows its messages and asks to close.
  EXPECT_EQ(Controller->Initialize(InitArray(5)), -1);
  EXPECT_EQ(Log.Codes, std::vector<int>{ncFormCreated});
  EXPECT_EQ(Controller->GetVersion(), "990101-1.00.00");
  Variant info;
  ASSERT_EQ(Controller->GetFormInfo(info), 0);
  EXPECT_EQ(VarArrayHighBound(info, 1), 3);
  EXPECT_EQ(info[0].AsString(), "DS");
  EXPECT_EQ(info[1].AsString(), "DEMOA");
  EXPECT_EQ(info[2].AsString(), "TESTMD");
  EXPECT_EQ(info[3].AsString(), "TESTMD");  // no program name without a validator

  Controller->SetFormVisible(-1);
  EXPECT_EQ(Controller->GetFormVisible(), -1);
  Controller->SetFormVisible(0);
  EXPECT_EQ(Controller->GetFormVisible(), 0);
  EXPECT_EQ(Log.Codes, (std::vector<int>{ncFormCreated, ncFormShown, ncFormHidden}));
  // The form's own show handling (its caption) ran before the host heard 272.
  EXPECT_EQ(Log.Captions[1], "TESTMD[]");

  Controller->SetFormVisible(-1);
  Form()->Close();  // the user closes it
  Application->ProcessMessages();
  EXPECT_EQ(Log.Codes.back(), ncFormDestroyed);
  EXPECT_TRUE(Controller->IsFormFreed());
  EXPECT_EQ(Controller->ResultCode, 0);
  EXPECT_TRUE(Controller->ResultData.IsEmpty());

  Log.Codes.clear();
  Controller->Initialize(InitArray(5));
  EXPECT_EQ(Log.Codes, std::vector<int>{ncFormCreated});
  EXPECT_FALSE(Controller->IsFormFreed());
}

TEST_F(ControllerTest, FailedInitialisationClosesTheFormAtTheNextMessageLoop) {
  EXPECT_EQ(Controller->Initialize(InitArray(4)), -1);
  EXPECT_FALSE(Controller->IsFormFreed());
  Application->ProcessMessages();
  EXPECT_TRUE(Controller->IsFormFreed());
  EXPECT_EQ(Log.Codes, (std::vector<int>{ncFormCreated, ncFormDestroyed}));
}

TEST_F(ControllerTest, RepeatedInitializeNeverChainsAHookToItself) {
  Controller->Initialize(InitArray(5));
  EXPECT_EQ(Controller->Initialize(InitArray(5)), -1);  // already initialised for a company
  Controller->SetFormVisible(-1);
  Controller->SetFormVisible(0);
  EXPECT_EQ(Log.Codes, (std::vector<int>{ncFormCreated, ncFormShown, ncFormHidden}));
  Controller->FreeForm();
  EXPECT_EQ(Log.Codes.back(), ncFormDestroyed);
  EXPECT_TRUE(Controller->IsFormFreed());
}

TEST_F(ControllerTest, ExecuteMapsActionsOntoTheReportOperations) {
  struct Case {
    int Action;
    Variant Params;
    int Result;
    int Operation;        // the form's record, 0 for none
    Variant Recorded;     // what the form was handed
  };
  const Variant conditions = VarArrayOf({"FMT"});
  const std::vector<Case> cases = {
      {7, VarArrayOf({true}), -1, 0, Variant()},
      {5, VarArrayOf({true}), 0, 5, VarArrayOf({true})},
      {5, VarArrayOf({false}), -1, 5, VarArrayOf({false})},
      {6, VarArrayOf({true, conditions}), 0, 6, VarArrayOf({conditions, true})},
      // Four elements: no Extra; a resolution that is not a number is 96.
      {11, VarArrayOf({conditions, 2, "page", "high"}), 0, 11, VarArrayOf({conditions, 2, 96, "page", ""})},
      {11, VarArrayOf({conditions, 1, "page"}), 0, 11, VarArrayOf({conditions, 1, 96, "page", ""})},
      {11, VarArrayOf({conditions, 3, "p", 150, "note"}), 0, 11, VarArrayOf({conditions, 3, 150, "p", "note"})},
  };
  for (const Case& c : cases) {
    Controller->Initialize(InitArray(5));
    EXPECT_EQ(Controller->Execute(c.Action, 12345, c.Params), c.Result) << c.Action;
    Controller->FreeForm();
    EXPECT_EQ(Controller->ResultCode, c.Operation) << c.Action;
    EXPECT_EQ(Dump(Controller->ResultData), Dump(c.Recorded)) << c.Action;
  }
}

TEST_F(ControllerTest, SubmitConditionsNeedsDataAndNeverRaises) {
  Controller->Initialize(InitArray(5));
  EXPECT_EQ(Controller->SubmitConditions(Null()), -1);
  EXPECT_EQ(Controller->SubmitConditions(VarArrayOf({0, VarArrayOf({0})})), 0);
  // Element [1][0] that is no number raises inside the form: swallowed.
  EXPECT_EQ(Controller->SubmitConditions(VarArrayOf({0, VarArrayOf({"x", 1})})), -1);
}

TEST_F(ControllerTest, ShowFormModalAnswersTheModalResult) {
  Controller->Initialize(InitArray(5));
  TScriptedModalDriver driver;
  driver.Click("btnCancel");
  TModalDriverScope scope(driver);
  EXPECT_EQ(Controller->ShowFormModal().AsInteger(), 2);
}

// A copy of the module under another name belongs to another program: the
// form refuses it, yet Initialize succeeds and the form closes itself.
int RunRenamedModule(const std::string& File) {
  TModalDriverScope quiet(DefaultModalDriver());
  TGetController get = LoadController(File);
  if (!get) return 2;
  THostLog log;
  TDLLBaseController* controller = get();
  controller->OnNotify = TControllerNotifyEvent(&log, &THostLog::Notify);
  const int result = controller->Initialize(VarArrayOf({"DS", "DEMOA", "ERPDB", 0, VarArrayOf({"A"})}));
  Variant info;
  controller->GetFormInfo(info);
  Application->ProcessMessages();
  const bool ok = result == 0 && info[2].AsString() == "ZZZZ99" && controller->IsFormFreed() &&
                  log.Codes == std::vector<int>{ncFormCreated, ncFormDestroyed};
  delete controller;
  return ok ? 0 : 1;
}

// Run apart, as a second copy of a module in one process registers its classes twice.
TEST(RenamedModule, FormOfAnotherProgramClosesItself) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kesr-module-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / "ZZZZ99C.so";
  std::filesystem::copy_file(TestModulePath, copy, std::filesystem::copy_options::overwrite_existing);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(RunRenamedModule(copy.string())), ::testing::ExitedWithCode(0), "");
  std::filesystem::remove_all(folder);
}

}  // namespace
