#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Dialogs.h"
#include "ModalDriver.h"
#include "StdCtrls.h"

namespace {

std::vector<std::string> ButtonNames(TForm* form) {
  std::vector<std::string> names;
  for (int i = 0; i < form->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TButton*>(form->Controls(i))) names.push_back(b->Name());
  return names;
}

TEST(Dialogs, MessageDialogHasNamedButtonsCallersCanWalk) {
  TForm* dlg = CreateMessageDialog("Delete?", mtConfirmation, {mbNo, mbYes, mbCancel, mbHelp});
  EXPECT_EQ(dlg->Caption(), "Confirm");
  EXPECT_EQ(ButtonNames(dlg), (std::vector<std::string>{"Yes", "No", "Cancel", "Help"}));
  auto* yes = dlg->FindComponent<TButton>("Yes");
  ASSERT_NE(yes, nullptr);
  EXPECT_TRUE(yes->Default());
  EXPECT_EQ(yes->ModalResult(), mrYes);
  EXPECT_TRUE(dlg->FindComponent<TButton>("Cancel")->Cancel());
  EXPECT_EQ(dlg->FindComponent<TLabel>("Message")->Caption(), "Delete?");
  // A caller changes the captions before showing it.
  yes->SetCaption("是(&Y)");
  TScriptedModalDriver driver;
  driver.Press(VK_Y, {ssAlt});
  TModalDriverScope scope(driver);
  EXPECT_EQ(dlg->ShowModal(), mrYes);
  EXPECT_EQ(driver.Seen(), (std::vector<std::string>{"Confirm: Delete?"}));
  dlg->Free();
}

struct TDlgCase {
  const char* Name;
  TMsgDlgType Type;
  TMsgDlgButtons Buttons;
  TModalResult Chosen;  // mrNone: the user presses Escape
  TModalResult Expected;
};

class MessageDlgTest : public ::testing::TestWithParam<TDlgCase> {};

TEST_P(MessageDlgTest, AnswersTheButtonUsed) {
  const TDlgCase& c = GetParam();
  TScriptedModalDriver driver;
  if (c.Chosen == mrNone) driver.Press(VK_ESCAPE);
  else driver.Choose(c.Chosen);
  TModalDriverScope scope(driver);
  int forms = Screen->FormCount();
  EXPECT_EQ(MessageDlg("text", c.Type, c.Buttons), c.Expected);
  EXPECT_EQ(Screen->FormCount(), forms);  // the dialog is freed
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MessageDlgTest,
    ::testing::Values(TDlgCase{"WarningYes", mtWarning, mbYesNoCancel, mrYes, mrYes},
                      TDlgCase{"ErrorOk", mtError, {mbOK}, mrOk, mrOk},
                      TDlgCase{"InfoEscape", mtInformation, mbOKCancel, mrNone, mrCancel},
                      // Without Cancel, Escape presses No.
                      TDlgCase{"ConfirmEscapeNo", mtConfirmation, {mbYes, mbNo}, mrNone, mrNo},
                      TDlgCase{"CustomRetry", mtCustom, mbAbortRetryIgnore, mrRetry, mrRetry},
                      TDlgCase{"YesToAll", mtConfirmation, mbYesAllNoAllCancel, mrYesToAll, mrYesToAll}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Dialogs, HostWithoutUserGetsDefaultButtonAndLog) {
  TDefaultModalDriver& driver = DefaultModalDriver();
  driver.ClearLog();
  std::vector<std::string> told;
  driver.OnLog = [&told](const std::string& t) { told.push_back(t); };
  EXPECT_EQ(MessageDlg("Saved", mtInformation, {mbOK}), mrOk);
  EXPECT_EQ(MessageDlg("Overwrite?", mtWarning, {mbNo}), mrNo);  // no default: the cancel button
  ShowMessage("plain");
  driver.OnLog = nullptr;
  EXPECT_EQ(driver.Log(), (std::vector<std::string>{"Information: Saved", "Warning: Overwrite?", "plain"}));
  EXPECT_EQ(told, driver.Log());
}

TEST(Dialogs, MessageBoxFlags) {
  TScriptedModalDriver driver;
  driver.Press(VK_RETURN).Press(VK_RETURN).Choose(mrCancel);
  TModalDriverScope scope(driver);
  EXPECT_EQ(Application->MessageBox("Go on?", "Ask", MB_YESNO | MB_ICONQUESTION), IDYES);
  // MB_DEFBUTTON2 makes the second button answer Enter.
  EXPECT_EQ(Application->MessageBox("Go on?", "Ask", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(Application->MessageBox("Retry?", "Ask", MB_RETRYCANCEL), IDCANCEL);
  EXPECT_EQ(driver.Seen().front(), "Ask: Go on?");
}

TEST(Dialogs, InputQueryChangesTheValueOnlyOnOk) {
  std::string value = "old";
  {
    TScriptedModalDriver driver;
    driver.Type("Edit", "方案一").Press(VK_RETURN);
    TModalDriverScope scope(driver);
    EXPECT_TRUE(InputQuery("Scheme", "Name:", value));
  }
  EXPECT_EQ(value, "方案一");
  {
    TScriptedModalDriver driver;
    driver.Type("Edit", "other").Click("Cancel");
    TModalDriverScope scope(driver);
    EXPECT_FALSE(InputQuery("Scheme", "Name:", value));
  }
  EXPECT_EQ(value, "方案一");
}

}  // namespace
