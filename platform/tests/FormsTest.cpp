#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormLayouts.h"
#include "FormTextReader.h"
#include "FormTextWriter.h"
#include "Forms.h"
#include "ModalDriver.h"
#include "StdCtrls.h"
#include "TypInfo.h"

namespace {

using Log = std::vector<std::string>;

// Records the life of forms.
struct TLife {
  Log Events;
  void Create(TObject*) { Events.push_back("create"); }
  void Show(TObject*) { Events.push_back("show"); }
  void Hide(TObject*) { Events.push_back("hide"); }
  void Destroy(TObject*) { Events.push_back("destroy"); }
  void CloseFree(TObject*, TCloseAction& a) {
    Events.push_back("close");
    a = caFree;
  }
  void Hook(TCustomForm* f) {
    f->OnShow = TNotifyEvent(this, &TLife::Show);
    f->OnHide = TNotifyEvent(this, &TLife::Hide);
    f->OnDestroy = TNotifyEvent(this, &TLife::Destroy);
  }
};

TEST(Forms, PostedCloseRequestClosesAtTheNextProcessMessages) {
  Application->ProcessMessages();
  TLife life;
  TForm* form = CreateForm<TForm>(Application);
  life.Hook(form);
  form->OnClose = TCloseEvent(&life, &TLife::CloseFree);
  form->Show();
  int forms = Screen->FormCount();
  EXPECT_TRUE(PostMessage(form->Handle(), WM_CLOSE));
  EXPECT_EQ(life.Events, (Log{"show"}));  // nothing happens before the queue runs
  Application->ProcessMessages();
  // Close with caFree releases the form: it is freed in the same run.
  EXPECT_EQ(life.Events, (Log{"show", "close", "destroy"}));
  EXPECT_EQ(Screen->FormCount(), forms - 1);
}

TEST(Forms, MessagesForAFreedFormAreDropped) {
  Application->ProcessMessages();
  TForm* form = CreateForm<TForm>(nullptr);
  HWND h = form->Handle();
  PostMessage(h, WM_CLOSE);
  PostMessage(h, WM_USER + 10);
  form->Release();
  form->Release();  // a second release is dropped with the form
  Application->ProcessMessages();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(PostMessage(h, WM_CLOSE));
}

struct TCloseCase {
  const char* Name;
  TCloseAction Action;
  bool Allow;
  bool Visible;
  TWindowState State;
};

class CloseActionTest : public ::testing::TestWithParam<TCloseCase> {};

TEST_P(CloseActionTest, CloseFollowsTheAction) {
  const TCloseCase& c = GetParam();
  struct THandlers {
    TCloseCase Case;
    void Close(TObject*, TCloseAction& a) {
      EXPECT_EQ(a, caHide);
      a = Case.Action;
    }
    void Query(TObject*, bool& allow) { allow = Case.Allow; }
  } h{c};
  TForm* form = CreateForm<TForm>(nullptr);
  form->OnClose = TCloseEvent(&h, &THandlers::Close);
  form->OnCloseQuery = TCloseQueryEvent(&h, &THandlers::Query);
  form->Show();
  form->Close();
  Application->ProcessMessages();
  EXPECT_EQ(form->Visible(), c.Visible);
  EXPECT_EQ(form->WindowState(), c.State);
  form->Free();
}

INSTANTIATE_TEST_SUITE_P(Actions, CloseActionTest,
                         ::testing::Values(TCloseCase{"Hide", caHide, true, false, wsNormal},
                                           TCloseCase{"None", caNone, true, true, wsNormal},
                                           TCloseCase{"Minimize", caMinimize, true, true, wsMinimized},
                                           TCloseCase{"Refused", caHide, false, true, wsNormal}),
                         [](const auto& info) { return std::string(info.param.Name); });

// A small dialog: a name edit and OK / Cancel buttons.
class TfrmAsk : public TForm {
  KESR_CLASS(TfrmAsk, TForm)
public:
  explicit TfrmAsk(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmAsk");
    edName = new TEdit(this);
    edName->SetName("edName");
    edName->SetParent(this);
    for (auto [name, result] : {std::pair{"btnOk", mrOk}, std::pair{"btnCancel", mrCancel}}) {
      auto* b = new TButton(this);
      b->SetName(name);
      b->SetParent(this);
      b->SetModalResult(result);
      b->SetDefault(result == mrOk);
    }
  }
  TEdit* edName;
};

const TClass& TfrmAsk::StaticClass() {
  static const TClass Class = TClassBuilder<TfrmAsk>("TfrmAsk").Build();
  return Class;
}

TEST(Forms, ModalDialogAnsweredByScriptedDriver) {
  TForm* main = CreateForm<TForm>(nullptr);
  main->Show();
  TfrmAsk* ask = CreateForm<TfrmAsk>(nullptr);
  TLife life;
  life.Hook(ask);
  bool mainEnabledInside = true;
  TScriptedModalDriver driver;
  driver.Type("edName", "A001")
      .Do([&](TCustomForm&) { mainEnabledInside = IsWindowEnabled(main->Handle()); })
      .Click("btnOk");
  TModalResult result;
  {
    TModalDriverScope scope(driver);
    result = ask->ShowModal();
  }
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(ask->edName->Text(), "A001");
  EXPECT_EQ(driver.Remaining(), 0u);
  EXPECT_EQ(life.Events, (Log{"show", "hide"}));
  // The other windows were disabled while the dialog ran, and are back.
  EXPECT_FALSE(mainEnabledInside);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_EQ(Screen->ActiveForm(), main);
  EXPECT_THROW(({ main->ShowModal(); }), EInvalidOperation);  // already visible
  ask->Free();
  main->Free();
}

TEST(Forms, ModalLoopEndsWithCancelWhenNobodyAnswers) {
  TfrmAsk* ask = CreateForm<TfrmAsk>(nullptr);
  TScriptedModalDriver silent;
  TModalDriverScope scope(silent);
  EXPECT_EQ(ask->ShowModal(), mrCancel);
  // OnCloseQuery can refuse; the loop goes on until the driver closes.
  struct TQuery {
    int Asked = 0;
    void Query(TObject*, bool& allow) { allow = ++Asked > 1; }
  } query;
  ask->OnCloseQuery = TCloseQueryEvent(&query, &TQuery::Query);
  TScriptedModalDriver twice;
  twice.Press(VK_RETURN).Press(VK_RETURN);
  TModalDriverScope second(twice);
  EXPECT_EQ(ask->ShowModal(), mrOk);
  EXPECT_EQ(query.Asked, 2);
  // A step naming a control the form lacks fails clearly, and the form is
  // left closed and usable.
  TScriptedModalDriver wrong;
  wrong.Click("btnMissing");
  TModalDriverScope third(wrong);
  EXPECT_THROW(ask->ShowModal(), EModalDriverError);
  EXPECT_FALSE(ask->FormState().Contains(fsModal));
  ask->Free();
}

TEST(Forms, DefaultDriverPressesTheDefaultButtonAndLogs) {
  TDefaultModalDriver& driver = DefaultModalDriver();
  driver.ClearLog();
  TfrmAsk* ask = CreateForm<TfrmAsk>(nullptr);
  ask->SetCaption("Ask");
  EXPECT_EQ(ask->ShowModal(), mrOk);
  EXPECT_EQ(driver.Log(), (Log{"Ask"}));
  ask->Free();
}

// A form class that carries its layout as form-description text.
class TfrmLaid : public TForm {
  KESR_CLASS(TfrmLaid, TForm)
public:
  explicit TfrmLaid(TComponent* AOwner) : TForm(AOwner) { ApplyFormLayout(this, StaticClass()); }
  void FormCreate(TObject*) { CreatedWithLayout = edDate && edDate->Text() == "2004/05/01"; }
  bool CreatedWithLayout = false;
  TLabel* lblToday = nullptr;
  TGroupBox* pnlDate = nullptr;
  TEdit* edDate = nullptr;
  TComboBox* cboStyle = nullptr;
  TButton* btnOk = nullptr;
};

const TClass& TfrmLaid::StaticClass() {
  static const TClass Class = TClassBuilder<TfrmLaid>("TfrmLaid")
                                  .Method("FormCreate", &TfrmLaid::FormCreate)
                                  .Field("lblToday", &TfrmLaid::lblToday)
                                  .Field("pnlDate", &TfrmLaid::pnlDate)
                                  .Field("edDate", &TfrmLaid::edDate)
                                  .Field("cboStyle", &TfrmLaid::cboStyle)
                                  .Field("btnOk", &TfrmLaid::btnOk)
                                  .Build();
  return Class;
}

const bool kLaidLayout = RegisterFormLayout(TfrmLaid::StaticClass(), R"(
object frmLaid: TfrmLaid
  Left = 10
  Width = 509
  Height = 355
  Caption = 'Options'
  KeyPreview = True
  Position = poScreenCenter
  OnCreate = FormCreate
  object lblToday: TLabel
    Caption = '&Date'
    FocusControl = edDate
  end
  object pnlDate: TGroupBox
    Left = 8
    Top = 30
    object edDate: TEdit
      Text = '2004/05/01'
      TabOrder = 1
    end
    object cboStyle: TComboBox
      Style = csDropDownList
      Items.Strings = ('A' 'B' 'C')
      ItemIndex = 1
      TabOrder = 0
    end
  end
  object btnOk: TButton
    Caption = 'OK'
    Default = True
    ModalResult = 1
    Font.Name = 'SimSun'
  end
end)");

TEST(FormLayout, FormIsCreatedFromItsLayoutText) {
  TfrmLaid* form = CreateForm<TfrmLaid>(nullptr);
  EXPECT_TRUE(form->CreatedWithLayout);  // OnCreate after the layout
  EXPECT_EQ(form->Caption(), "Options");
  EXPECT_EQ(form->Width(), 509);
  EXPECT_TRUE(form->KeyPreview());
  ASSERT_NE(form->edDate, nullptr);
  EXPECT_EQ(form->edDate->Parent(), form->pnlDate);
  EXPECT_EQ(form->lblToday->FocusControl(), form->edDate);
  EXPECT_EQ(form->cboStyle->ItemIndex(), 1);
  EXPECT_EQ(form->cboStyle->Text(), "B");
  EXPECT_EQ(form->cboStyle->TabOrder(), 0);
  EXPECT_EQ(form->btnOk->ModalResult(), mrOk);
  EXPECT_EQ(GetStrProp(form->btnOk, "Font.Name"), "SimSun");
  EXPECT_FALSE(form->btnOk->ParentFont());
  EXPECT_EQ(GetEnumProp(form->cboStyle, "Style"), "csDropDownList");
  EXPECT_EQ(GetObjectProp(form->cboStyle, "Items")->ClassName(), form->cboStyle->Items()->ClassName());
  form->Free();
}

TEST(FormLayout, WrittenAsDifferenceAndReadBackByClassName) {
  TfrmLaid* form = CreateForm<TfrmLaid>(nullptr);
  form->edDate->SetText("2004/06/30");
  // Against a fresh instance (which has the layout) only the change is
  // written, in a block for the component the layout made.
  std::string diff = WriteFormText(form);
  EXPECT_NE(diff.find("inherited edDate: TEdit"), std::string::npos) << diff;
  EXPECT_NE(diff.find("'2004/06/30'"), std::string::npos) << diff;
  EXPECT_EQ(diff.find("Caption"), std::string::npos) << diff;  // unchanged: left out

  // Without the layout a fresh instance has no components: every one is
  // written as an object block and created again by its class name.
  std::string layout = *FindFormLayout(TfrmLaid::StaticClass());
  UnregisterFormLayout(TfrmLaid::StaticClass());
  std::string text = WriteFormText(form);
  TfrmLaid* copy = CreateForm<TfrmLaid>(nullptr);
  RegisterFormLayout(TfrmLaid::StaticClass(), layout);
  form->Free();
  EXPECT_NE(text.find("object edDate: TEdit"), std::string::npos) << text;
  ASSERT_EQ(copy->edDate, nullptr);
  ReadFormText(copy, text);
  ASSERT_NE(copy->edDate, nullptr);
  EXPECT_EQ(copy->edDate->ClassName(), "TEdit");
  EXPECT_EQ(copy->edDate->Text(), "2004/06/30");
  EXPECT_EQ(copy->edDate->Parent(), copy->pnlDate);
  EXPECT_EQ(copy->cboStyle->Items()->Count(), 3);
  EXPECT_EQ(copy->cboStyle->ItemIndex(), 1);
  EXPECT_EQ(copy->cboStyle->TabOrder(), 0) << text;
  EXPECT_EQ(copy->lblToday->FocusControl(), copy->edDate);
  EXPECT_EQ(copy->btnOk->Font()->Name(), "SimSun");
  copy->Free();
}

TEST(FormLayout, MalformedTextFailsAtItsStepAndLeavesTheFormUsable) {
  TfrmLaid* form = CreateForm<TfrmLaid>(nullptr);
  int before = form->ComponentCount();
  // Step one: the text does not parse.
  EXPECT_THROW(ReadFormText(form, "object frmLaid: TfrmLaid\n  Caption = 'open\nend"), EParserError);
  // Step two: it parses but names a class nobody registered.
  EXPECT_THROW(ReadFormText(form, "object frmLaid: TfrmLaid\n  object x: TNoSuchControl\n  end\nend"),
               EFilerError);
  EXPECT_EQ(form->ComponentCount(), before);
  EXPECT_EQ(form->Caption(), "Options");
  form->Show();
  EXPECT_TRUE(form->edDate->CanFocus());
  form->Free();
}

}  // namespace
