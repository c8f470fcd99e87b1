#include "BaseGene.h"

#include <langinfo.h>

#include <algorithm>
#include <cctype>

#include "Buttons.h"
#include "ClientDataSet.h"
#include "ComObj.h"
#include "ComCtrls.h"
#include "DBLabel.h"
#include "ExtPage.h"
#include "ExtCtrls.h"
#include "F2Button.h"
#include "FormLayouts.h"
#include "FormTextParser.h"
#include "FormatSettings.h"
#include "Grids.h"
#include "ListView.h"
#include "Mask.h"
#include "Menus.h"
#include "Paths.h"
#include "Shell.h"
#include "SimpleObjectBroker.h"
#include "SocketConnection.h"
#include "StdCtrls.h"
#include "StrUtils.h"
#include "ToolBar.h"
#include "TypInfo.h"
#include "VarArray.h"

namespace {

// The text the caption carries when the module runs as a program of its own.
constexpr const char* ExeVersionText = "[您现在运行的是Exe版本!]";

bool IsFilledArray(const Variant& Value) {
  return VarIsArray(Value) && VarArrayHighBound(Value, 1) >= VarArrayLowBound(Value, 1);
}

int HighBound(const Variant& Value) { return VarIsArray(Value) ? VarArrayHighBound(Value, 1) : -1; }

// The date separator of the user's locale, as the date format names it.
char LocaleDateSeparator() {
  const char* format = nl_langinfo(D_FMT);
  for (const char* p = format ? format : ""; *p; ++p) {
    if (*p == '%') {
      if (*++p == '\0') break;
      continue;
    }
    if (!std::isalnum(static_cast<unsigned char>(*p)) && *p != ' ') return *p;
  }
  return '/';
}

bool InheritsFromName(const TObject* Object, std::string_view ClassName) {
  return Object && Object->ClassType().InheritsFrom(ClassName);
}

}  // namespace

const TClass& TfrmBaseGene::StaticClass() {
  static const TClass Class =
      TClassBuilder<TfrmBaseGene>("TfrmBaseGene")
          .Method("FormCreate", &TfrmBaseGene::FormCreate)
          .Method("FormClose", &TfrmBaseGene::FormClose)
          .Method("FormDestroy", &TfrmBaseGene::FormDestroy)
          .Method("FormKeyDown", &TfrmBaseGene::FormKeyDown)
          .Method("FormKeyPress", &TfrmBaseGene::FormKeyPress)
          .Method("FormShow", &TfrmBaseGene::FormShow)
          .Method("FormResize", &TfrmBaseGene::FormResize)
          .Method("btnOkClick", &TfrmBaseGene::btnOkClick)
          .Method("btnCancelClick", &TfrmBaseGene::btnCancelClick)
          .Method("pgOptionChange", &TfrmBaseGene::pgOptionChange)
          .Method("pgOptionChanging", &TfrmBaseGene::pgOptionChanging)
          .Method("tsOption2Show", &TfrmBaseGene::tsOption2Show)
          .Field("Splitter1", &TfrmBaseGene::Splitter1)
          .Field("pgOption", &TfrmBaseGene::pgOption)
          .Field("tsOption1", &TfrmBaseGene::tsOption1)
          .Field("tsOption2", &TfrmBaseGene::tsOption2)
          .Field("lblToday", &TfrmBaseGene::lblToday)
          .Field("btnPrintDate", &TfrmBaseGene::btnPrintDate)
          .Field("edPrintDate", &TfrmBaseGene::edPrintDate)
          .Field("Panel1", &TfrmBaseGene::Panel1)
          .Field("btnOk", &TfrmBaseGene::btnOk)
          .Field("btnCancel", &TfrmBaseGene::btnCancel)
          .Field("pnlCondition", &TfrmBaseGene::pnlCondition)
          .Field("lblCondition", &TfrmBaseGene::lblCondition)
          .Field("ToolBar1", &TfrmBaseGene::ToolBar1)
          .Field("btnInsert", &TfrmBaseGene::btnInsert)
          .Field("btnOpen", &TfrmBaseGene::btnOpen)
          .Field("btnDelete", &TfrmBaseGene::btnDelete)
          .Field("ToolButton1", &TfrmBaseGene::ToolButton1)
          .Field("lstCondition", &TfrmBaseGene::lstCondition)
          .Field("muOperation", &TfrmBaseGene::muOperation)
          .Field("N2", &TfrmBaseGene::N2)
          .Field("N3", &TfrmBaseGene::N3)
          .Field("mnList", &TfrmBaseGene::mnList)
          .Field("N7", &TfrmBaseGene::N7)
          .Field("N8", &TfrmBaseGene::N8)
          .Field("N9", &TfrmBaseGene::N9)
          .Field("N10", &TfrmBaseGene::N10)
          .Field("ImageList1", &TfrmBaseGene::ImageList1)
          .Field("ImageList2", &TfrmBaseGene::ImageList2)
          .Field("ClientDataSet1", &TfrmBaseGene::ClientDataSet1)
          .Field("MainMidas", &TfrmBaseGene::MainMidas)
          .Field("ObjBroker", &TfrmBaseGene::ObjBroker)
          .Build();
  return Class;
}

// The layout creates these by class name.
static const bool ClassesRegistered =
    (RegisterClasses({&TDBLabel::StaticClass(), &TExtPageControl::StaticClass(), &TF2Button::StaticClass(),
                      &TClientDataSet::StaticClass(), &TSocketConnection::StaticClass(),
                      &TSimpleObjectBroker::StaticClass()}),
     true);

static const bool LayoutRegistered = RegisterFormLayout(TfrmBaseGene::StaticClass(), R"(
object frmBaseGene: TfrmBaseGene
  Left = 0
  Top = 0
  Width = 509
  Height = 355
  BorderIcons = [biMaximize]
  Caption = 'frmBaseGene'
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnKeyDown = FormKeyDown
  OnKeyPress = FormKeyPress
  OnResize = FormResize
  OnShow = FormShow
  object pnlCondition: TPanel
    Left = 0
    Top = 0
    Width = 151
    Height = 285
    Align = alLeft
    TabOrder = 0
    object lblCondition: TLabel
      Left = 4
      Top = 4
      Caption = '条件方案'
    end
    object ToolBar1: TToolBar
      Left = 1
      Top = 22
      Width = 149
      Height = 24
      TabOrder = 0
      object btnInsert: TToolButton
        Caption = '新增'
      end
      object btnOpen: TToolButton
        Caption = '打开'
      end
      object btnDelete: TToolButton
        Caption = '删除'
      end
      object ToolButton1: TToolButton
        Caption = '显示'
      end
    end
    object lstCondition: TListView
      Left = 1
      Top = 46
      Width = 149
      Height = 238
      Align = alBottom
      TabOrder = 1
    end
  end
  object Splitter1: TSplitter
    Left = 151
    Top = 0
    Width = 3
    Height = 285
  end
  object Panel1: TPanel
    Left = 0
    Top = 285
    Width = 501
    Height = 43
    Align = alBottom
    TabOrder = 2
    object btnOk: TBitBtn
      Left = 300
      Top = 8
      Width = 80
      Height = 26
      Caption = '确定'
      TabOrder = 0
      OnClick = btnOkClick
    end
    object btnCancel: TBitBtn
      Left = 400
      Top = 8
      Width = 80
      Height = 26
      Cancel = True
      Caption = '取消'
      ModalResult = 2
      TabOrder = 1
      OnClick = btnCancelClick
    end
  end
  object pgOption: TExtPageControl
    Left = 154
    Top = 0
    Width = 347
    Height = 285
    Align = alClient
    Hint = '请输入选项条件'
    TabOrder = 1
    OnChange = pgOptionChange
    OnChanging = pgOptionChanging
    object tsOption1: TTabSheet
      Caption = '基本选项'
    end
    object tsOption2: TTabSheet
      Caption = '系统选项'
      OnShow = tsOption2Show
      object edPrintDate: TMaskEdit
        Left = 60
        Top = 8
        Width = 85
        Height = 21
        Hint = '[F2]日期快手'
        TabOrder = 0
      end
      object lblToday: TDBLabel
        Caption = '制表日期'
        FocusControl = edPrintDate
        Gap = 4
      end
      object btnPrintDate: TF2Button
        Hint = '日期快手'
        GlyphIndex = 9
        F2Control = edPrintDate
        Gap = 2
      end
    end
  end
  object muOperation: TPopupMenu
    object N2: TMenuItem
      Caption = '打开方案'
    end
    object N3: TMenuItem
      Caption = '删除方案'
    end
  end
  object mnList: TPopupMenu
    object N7: TMenuItem
      Caption = '大图标'
    end
    object N8: TMenuItem
      Caption = '小图标'
    end
    object N9: TMenuItem
      Caption = '列表'
    end
    object N10: TMenuItem
      Caption = '详细资料'
    end
  end
  object ImageList1: TImageList
  end
  object ImageList2: TImageList
  end
  object ClientDataSet1: TClientDataSet
  end
  object ObjBroker: TSimpleObjectBroker
  end
  object MainMidas: TSocketConnection
    ObjectBroker = ObjBroker
  end
end)");

TfrmBaseGene::TfrmBaseGene(TComponent* AOwner) : TZNForm(AOwner) {
  ApplyFormLayout(this, StaticClass());
  // Look-up buttons of option forms are always flat, whatever the layout says.
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TF2Button*>(Components(i))) button->SetFlat(true);
}

TfrmBaseGene::~TfrmBaseGene() = default;

void TfrmBaseGene::AfterConstruction() {
  if (const std::string* layout = FindFormLayout(ClassType())) {
    const std::string name = ParseFormText(*layout).Name;
    if (!name.empty() && name != Name()) SetName(name);
  }
  TZNForm::AfterConstruction();
}

void TfrmBaseGene::FormCreate(TObject* Sender) {
  TZNForm::FormCreate(Sender);
  if (GetSysCodePage() == "950") FormatSettings.DateSeparator = LocaleDateSeparator();
  Application->SetHintHidePause(500000);
  VersionStamp = "870401-0.00.00";
  SetParentWindow(0);
  CompanyCode.clear();
  ProgramCode.clear();
  ProgramName.clear();
  RequiredColors.clear();
  DateFields.clear();
  YearMonthFields.clear();
  OnDateFieldEnter = TNotifyEvent(this, &TfrmBaseGene::DateFieldEnter);
  OnDateFieldExit = TNotifyEvent(this, &TfrmBaseGene::DateFieldExit);
  OnRequiredExit = TNotifyEvent(this, &TfrmBaseGene::RequiredExit);
  ExitFailed = false;
  SystemPageDone = false;
  LastFocused = this;
  InPageChange = false;
  HookFieldTexts();
  DateRules = std::make_unique<TStringList>();
  // No input method is forced on any control.
  for (int i = 0; i < ComponentCount(); ++i)
    if (IsPublishedProp(Components(i), "ImeName")) SetStrProp(Components(i), "ImeName", "");
}

void TfrmBaseGene::SetModulePath(const std::string& Path) {
  ModulePath = Path;
  if (!IsModuleLibrary()) InitParams(VarArrayOf({"796", "KVTest60", "KVTest60"}));
}

bool TfrmBaseGene::IsModuleLibrary() const { return SameText(ExtractFileExt(ModulePath), ".so"); }

bool TfrmBaseGene::InitParams(const Variant& Params) {
  if (!CompanyCode.empty()) return false;
  bool result = true;
  try {
    SysSettings = std::make_unique<TStringList>();
    PageEndControls = std::make_unique<std::vector<TControl*>>();
    HookedControls = std::make_unique<TStringList>();
    EventLinks = std::make_unique<TStringList>();
    RequiredLinks = std::make_unique<TStringList>();
    FCounterObject = Unassigned();
    FValidatorObject = Unassigned();
    FLookupObject = Unassigned();
    BaseConditionCount = 1;
    MessageCodes.clear();
    MessageTexts.clear();
    edPrintDate->SetText("");
    HostData = Null();
    HostByName = true;
    HostRun = false;

    const int high = HighBound(Params);
    HostWindow = high >= 3 ? static_cast<HWND>(Params[3].AsInt64()) : 0;
    if (high >= 4) {
      HostTable = Params[4];
    } else {
      ShowMessageCodes("E;000038");
      PostMessage(Handle(), WM_CLOSE);
    }

    Hide();
    if (high >= 0) UserCode = Params[0].AsString();
    if (high >= 1) CompanyCode = Params[1].AsString();
    if (high >= 2) DataSource = Params[2].AsString();

    LoadSessionServices();

    // The form must belong to the module: "frmKesr52" goes with "KESR52".
    if (!SameText(Copy(Name(), 4, 3), Copy(ProgramCode, 1, 3))) {
      ShowMessageCodes("E;000036");
      PostMessage(Handle(), WM_CLOSE);
      return result;
    }

    MainMidas->Close();
    if (SetUpConnection(MainMidas, ObjBroker)) {
      ConnectionReady(MainMidas);
      if (!MainMidas->ServerName().empty()) ObtainAppServer();
    }
    if (VarIsEmpty(AppServer)) {
      ShowMessageCodes("E;000006");
      PostMessage(Handle(), WM_CLOSE);
      result = false;
    }
  } catch (const std::exception& E) {
    RecordError(E.what());
    result = false;
  }
  return result;
}

void TfrmBaseGene::LoadSessionServices() {
  RecordControls();
  CreateSessionObjects();
  try {
    VersionTypeValue = static_cast<std::uint32_t>(OleCall(FSession, "VersionType").AsInteger());
  } catch (const std::exception&) {
    VersionTypeValue = 0;
  }
  try {
    ProductIDValue = static_cast<std::uint32_t>(OleCall(FSession, "ProductID").AsInteger());
  } catch (const std::exception&) {
    ProductIDValue = 3;
  }
  SetupOptions();
  CreateLookupObject();
}

void TfrmBaseGene::CreateSessionObjects() {
  if (!IsModuleLibrary()) {
    try {
      FSession = CreateOleObject("TolvekWorkCenter.Manager");
    } catch (const std::exception&) {
      FSession = Unassigned();
    }
  }
  try {
    FCounterObject = OleCall(FSession, "Com_Counter");
  } catch (const std::exception&) {
    FCounterObject = Unassigned();
  }
  GetSysSetting("");
  CompanyTitle = GetSysSetting("ZNT002");
  try {
    FValidatorObject = OleCall(FSession, "Com_Validator");
  } catch (const std::exception&) {
    FValidatorObject = Unassigned();
  }
}

void TfrmBaseGene::CreateLookupObject() {
  if (!FOptionFlags.Contains(ofLookupWindow)) return;
  try {
    FLookupObject = OleCall(FSession, "Com_F2Window");
  } catch (const std::exception&) {
    FLookupObject = Unassigned();
  }
}

void TfrmBaseGene::HookFieldTexts() {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* dataSet = dynamic_cast<TClientDataSet*>(Components(i));
    if (!dataSet) continue;
    for (int f = 0; f < dataSet->FieldCount(); ++f) {
      TClientField& field = dataSet->Fields(f);
      field.SetDisplayLabel(ZnConverter->TextToScreen(Variant(field.DisplayLabel())).AsString());
      const std::string type = UpperCase(field.DataType());
      const bool text = type.find("CHAR") != std::string::npos || type.find("TEXT") != std::string::npos ||
                        type.find("MEMO") != std::string::npos || type.find("STRING") != std::string::npos;
      if (!text) continue;
      if (!field.OnGetText.Assigned()) field.OnGetText = TFieldGetTextEvent(this, &TfrmBaseGene::FieldGetText);
      if (!field.OnSetText.Assigned()) field.OnSetText = TFieldSetTextEvent(this, &TfrmBaseGene::FieldSetText);
    }
  }
}

void TfrmBaseGene::FieldGetText(TClientField* Sender, std::string& Text, bool) {
  Text = ZnConverter->DBToScreen(Variant(Sender->AsString())).AsString();
}

void TfrmBaseGene::FieldSetText(TClientField* Sender, const std::string& Text) {
  Sender->SetAsString(ZnConverter->ScreenToDB(Variant(Text)).AsString());
}

void TfrmBaseGene::SetupOptions() {
  DateFields = "edPrintDate";
  ReportKind = "R";
  EnvCount = 9;
  FOptionFlags = {};

  // "KESR52C.so" gives "KESR52": one more character goes in a library, two
  // in a program, but never below six.
  std::string name = ChangeFileExt(ExtractFileName(ModulePath), "");
  const std::size_t drop = IsModuleLibrary() ? 1 : 2;
  const std::size_t keep = std::max<std::size_t>(6, name.size() > drop ? name.size() - drop : 0);
  if (name.size() > keep) name.resize(keep);
  ProgramCode = UpperCase(name);
  ServerProgID = ProgramCode + "S.Class1";
  CaptionText = GetProgramName();

  SetConditionCount(0);
}

void TfrmBaseGene::SetConditionCount(int Count) {
  ConditionCount = BaseConditionCount >= ConditionCount ? Count + BaseConditionCount : Count;
}

void TfrmBaseGene::SetCaptionText(const std::string& Text) {
  CaptionText = Text;
  if (!IsModuleLibrary()) {
    std::string exeVersion;
    LangText("TfrmBaseGene", "sExeVer", exeVersion, true, ExeVersionText);
    CaptionText += exeVersion;
  }
  SetCaption(CaptionText + "[" + CompanyTitle + "]");
}

void TfrmBaseGene::FormShow(TObject* Sender) {
  TZNForm::FormShow(Sender);
  SetCaption(CaptionText + "[" + CompanyTitle + "]");
  if (pgOption->PageCount() > 0) {
    pgOption->SetActivePageIndex(0);
    pgOptionChange(pgOption);
  }
  ConvertFormOnce();
  FillSchemeList();
}

void TfrmBaseGene::pgOptionChange(TObject*) {
  TTabSheet* page = pgOption->ActivePage();
  if (!page) return;
  // The control with tab order 0, or the next one in tab order while the
  // earlier ones are disabled.
  TWinControl* target = nullptr;
  for (TWinControl* control : page->TabList())
    if (control->Enabled() && control->Visible()) {
      target = control;
      break;
    }
  if (!target) return;
  if (InheritsFromName(target, "TSelectPanel")) {
    const std::string style = GetEnumProp(target, "Style");
    const bool twoEdits =
        style == "sp_Range" || (style == "sp_UserChoice" && GetOrdProp(target, "UserChoice") != 0);
    if (auto* inner = dynamic_cast<TWinControl*>(target->FindComponent(twoEdits ? "edBegin" : "ListBox")))
      target = inner;
  }
  if (target->CanFocus()) target->SetFocus();
}

void TfrmBaseGene::pgOptionChanging(TObject*, bool& AllowChange) {
  struct TPageChangeScope {
    bool& Flag;
    explicit TPageChangeScope(bool& F) : Flag(F) { Flag = true; }
    ~TPageChangeScope() { Flag = false; }
  };
  {
    TPageChangeScope scope(InPageChange);
    if (TWinControl* control = ActiveControl()) control->OnExit(control);
  }
  AllowChange = !ExitFailed;
}

void TfrmBaseGene::tsOption2Show(TObject*) {
  if (SystemPageDone) return;
  LayoutSystemPage();
  SystemPageDone = true;
}

void TfrmBaseGene::LayoutSystemPage() {
  tsOption2->SetFont(Font());
  tsOption2->Font()->SetSize(9);
  if (Height() < 110) SetHeight(110);
  if (Width() < 315) SetWidth(315);
  lblToday->SetAutoSize(true);
  lblToday->SetLeft(8);
  lblToday->SetTop(12);
  edPrintDate->SetBounds(60, 8, 85, edPrintDate->Height());
  btnPrintDate->SetGap(btnPrintDate->Gap());
}

std::string TfrmBaseGene::HelpNumber() const {
  if (ProgramCode.size() < 5) return {};
  std::string number;
  char examined;
  switch (ProgramCode[3]) {
    case 'A': number = "6"; examined = ProgramCode[4]; break;
    case 'M': number = "8"; examined = ProgramCode[4]; break;
    default: number = "1"; examined = ProgramCode[3]; break;
  }
  if (examined == 'B') number += "3";
  else if (examined == 'R') number += "2";
  else return {};
  return number + ProgramCode.substr(ProgramCode.size() - 2) + "0000";
}

void TfrmBaseGene::FormKeyDown(TObject*, std::uint16_t& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_ESCAPE:
      Close();
      return;
    case VK_F1: {
      const std::string number = HelpNumber();
      if (!number.empty() && !VarIsEmpty(FSession))
        OleCall(FSession, "CallHelp", {VarArrayOf({Copy(ProgramCode, 1, 3), number})});
      return;
    }
    case VK_F2:
      F2Pressed(Key, ActiveControl());
      return;
    case VK_V:
      if (Shift == TShiftState{ssCtrl, ssAlt}) Shell().ShowProperties(ModulePath);
      return;
    case VK_TAB:
      if (!ctrl) return;
      pgOption->SelectNextPage(!Shift.Contains(ssShift));
      Key = 0;
      return;
    case VK_PRIOR:
    case VK_NEXT:
      if (!ctrl) return;
      pgOption->SelectNextPage(Key == VK_NEXT);
      Key = 0;
      return;
    default:
      return;
  }
}

void TfrmBaseGene::F2Pressed(std::uint16_t, TControl* Control) {
  auto* control = dynamic_cast<TWinControl*>(Control);
  if (control && control->CanFocus()) control->SetFocus();
  if (Control && Control == edPrintDate) edPrintDate->SetText(PickDate(edPrintDate->Text()));
}

bool TfrmBaseGene::IsPageEndControl(TControl* Control) const {
  if (!Control || !PageEndControls) return false;
  const auto listed = [this](const TControl* C) {
    return std::find(PageEndControls->begin(), PageEndControls->end(), C) != PageEndControls->end();
  };
  if (listed(Control)) return true;
  TWinControl* parent = Control->Parent();
  // A selection panel ends the page through its second edit or its list,
  // a radio group through any of its buttons.
  if (InheritsFromName(parent, "TSelectPanel"))
    return (SameText(Control->Name(), "edFinal") || SameText(Control->Name(), "ListBox")) && listed(parent);
  if (dynamic_cast<TCustomRadioGroup*>(parent)) return listed(parent);
  return false;
}

void TfrmBaseGene::MoveToNextPage() {
  const int index = pgOption->ActivePageIndex();
  if (index >= 0 && index < pgOption->PageCount() - 1) pgOption->SelectNextPage(true);
}

void TfrmBaseGene::FormKeyPress(TObject*, char& Key) {
  if (Key != '\r') return;
  TWinControl* active = ActiveControl();
  if (auto* grid = dynamic_cast<TCustomGrid*>(active)) {
    Key = '\0';
    if (grid->Col() < grid->ColCount() - 1) {
      grid->SetCol(grid->Col() + 1);
    } else {
      if (grid->Row() >= grid->RowCount() - 1) grid->SetRowCount(grid->RowCount() + 1);
      grid->FocusCell(grid->FixedCols(), grid->Row() + 1);
    }
    return;
  }
  auto* memo = dynamic_cast<TCustomMemo*>(active);
  if (memo && memo->CaretPos().Y < 2) return;  // Enter stays a line break
  Key = '\0';
  if (IsPageEndControl(active)) MoveToNextPage();
  else Perform(WM_NEXTDLGCTL, 0, 0);
}

void TfrmBaseGene::RepaintHostWindow() {
  if (TWinControl* host = FindControl(HostWindow)) host->Repaint();
}

void TfrmBaseGene::FormResize(TObject*) { RepaintHostWindow(); }

void TfrmBaseGene::Notification(TComponent* AComponent, TOperation Operation) {
  TZNForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == LastFocused) LastFocused = this;
}

void TfrmBaseGene::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_FOCUSCHANGED:
      LastFocused = reinterpret_cast<TControl*>(Message.LParam);
      // Controls the form does not own report their end through this link.
      if (LastFocused && LastFocused != this) LastFocused->FreeNotification(this);
      break;
    case WM_MOVE:
      RepaintHostWindow();
      break;
    case LookupRequestMessage:
      F2Pressed(VK_F2, reinterpret_cast<TControl*>(Message.LParam));
      return;
    case CM_RELEASE:
      if (FDialogDepth > 0) {
        FReleaseHeld = true;
        return;
      }
      break;
    default:
      break;
  }
  TZNForm::Dispatch(Message);
}

bool TfrmBaseGene::ApplyHostData(const Variant&) { return false; }

namespace {

// Whether every component the host names can take a value by name.
bool HostNamesAcceptable(const TComponent& Form, const Variant& Payload) {
  if (HighBound(Payload) < 0) return false;
  const Variant& entries = Payload[VarArrayLowBound(Payload, 1)];
  if (!VarIsArray(entries)) return false;
  for (int i = VarArrayLowBound(entries, 1); i <= VarArrayHighBound(entries, 1); ++i) {
    const Variant& entry = entries[i];
    if (HighBound(entry) < 1) return false;
    TComponent* component = Form.FindComponent(entry[1].AsString());
    if (!component) return false;
    if (InheritsFromName(component, "TSelectPanel") || dynamic_cast<TCustomComboBox*>(component)) continue;
    if (!IsPublishedProp(component, "ItemIndex") && !IsPublishedProp(component, "Checked") &&
        !IsPublishedProp(component, "Text") && !IsPublishedProp(component, "Lines"))
      return false;
  }
  return true;
}

}  // namespace

void TfrmBaseGene::ReceiveConditions(const Variant& Params) {
  const Variant data = HighBound(Params) >= 1 ? Params[1] : Unassigned();
  HostData = data;
  if (!IsFilledArray(data)) return;
  const int low = VarArrayLowBound(data, 1);
  const int mode = data[low].AsInteger();
  HostRun = false;
  bool accepted = false;
  if (VarArrayHighBound(data, 1) > low && IsFilledArray(data[low + 1])) {
    const Variant& choice = data[low + 1];
    const int first = VarArrayLowBound(choice, 1);
    HostByName = choice[first].AsBoolean();
    if (VarArrayHighBound(choice, 1) > first && IsFilledArray(choice[first + 1])) {
      const Variant& payload = choice[first + 1];
      if (HostByName) {
        accepted = HostNamesAcceptable(*this, payload);
        if (!accepted) ShowMessageCodes("W;000014");
      } else {
        accepted = ApplyHostData(payload);
      }
      HostRun = accepted && mode != 0;
    }
  }
  if (!Converted()) {
    ConvertFormOnce();
    if (GetSysCodePage() == "950") SetCaptionText(ZnConverter->TextToScreen(Variant(CaptionText)).AsString());
  }
  if (mode > 2 && accepted) RunHostMode(mode);
  else if (HostRun) btnOk->Click();
}

void TfrmBaseGene::btnOkClick(TObject*) {}

void TfrmBaseGene::btnCancelClick(TObject*) { Close(); }

void TfrmBaseGene::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TfrmBaseGene::FormDestroy(TObject*) {
  SysSettings.reset();
  HookedControls.reset();
  EventLinks.reset();
  RequiredLinks.reset();
  PageEndControls.reset();
  FCounterObject = Unassigned();
  FValidatorObject = Unassigned();
  FLookupObject = Unassigned();
  AppServer = Unassigned();
  FSession = Unassigned();
  if (!UseComServer) MainMidas->Close();
  DateRules.reset();
}
