#pragma once
// TfrmBaseGene: the base of every option (condition) form of a report module.
// It holds the host's session and service objects, the connection to the
// application server, the standard page layout (condition pages, a system
// page with the print date, OK and Cancel, the scheme panel) and the keyboard
// rules every option form shares. The controller creates it, hands it the
// module path and the session, and calls InitParams.
//
// The operations are split by job over several files: BaseGene.cpp
// (creation, initialisation, keys, pages, host data), BaseGeneMessages.cpp
// (message catalogue and settings), BaseGeneSession.cpp (server session and
// data access), BaseGeneConditions.cpp (condition values and schemes).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "F2Button.h"
#include "Format.h"
#include "Forms.h"
#include "Set.h"
#include "StringList.h"
#include "Variant.h"
#include "ZNForm.h"

class TSplitter;
class TExtPageControl;
class TTabSheet;
class TLabel;
class TDBLabel;
class TMaskEdit;
class TPanel;
class TBitBtn;
class TToolBar;
class TToolButton;
class TListView;
class TPopupMenu;
class TMenuItem;
class TImageList;
class TClientDataSet;
class TClientField;
class TSocketConnection;
class TSimpleObjectBroker;

// The look-up request a control sends (synchronously) to its form when it
// needs the F2 look-up without a key press; LParam is the control.
constexpr unsigned LookupRequestMessage = TF2Button::LookupRequestMessage;

// Values of FOptionFlags.
using TOptionFlags = TSet<std::uint8_t>;
constexpr std::uint8_t ofLookupWindow = 4;  // ask the session for its look-up window object

class TfrmBaseGene : public TZNForm {
  KESR_CLASS(TfrmBaseGene, TZNForm)
public:
  explicit TfrmBaseGene(TComponent* AOwner);
  ~TfrmBaseGene() override;
  // The form takes the name its own class's layout gives it ("frmKesr52"),
  // as the check of InitParams compares it with the program code.
  void AfterConstruction() override;

  // Components, as the layout creates them.
  TSplitter* Splitter1 = nullptr;
  TExtPageControl* pgOption = nullptr;
  TTabSheet* tsOption1 = nullptr;
  TTabSheet* tsOption2 = nullptr;
  TDBLabel* lblToday = nullptr;
  TF2Button* btnPrintDate = nullptr;
  TMaskEdit* edPrintDate = nullptr;
  TPanel* Panel1 = nullptr;
  TBitBtn* btnOk = nullptr;
  TBitBtn* btnCancel = nullptr;
  TPanel* pnlCondition = nullptr;
  TLabel* lblCondition = nullptr;
  TToolBar* ToolBar1 = nullptr;
  TToolButton* btnInsert = nullptr;
  TToolButton* btnOpen = nullptr;
  TToolButton* btnDelete = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TListView* lstCondition = nullptr;
  TPopupMenu* muOperation = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* N3 = nullptr;
  TPopupMenu* mnList = nullptr;
  TMenuItem* N7 = nullptr;
  TMenuItem* N8 = nullptr;
  TMenuItem* N9 = nullptr;
  TMenuItem* N10 = nullptr;
  TImageList* ImageList1 = nullptr;
  TImageList* ImageList2 = nullptr;
  TClientDataSet* ClientDataSet1 = nullptr;
  TSocketConnection* MainMidas = nullptr;
  TSimpleObjectBroker* ObjBroker = nullptr;

  // Members, in the order the original declared them.
  Variant FSession;
  Variant FLookupObject;
  Variant FValidatorObject;
  Variant FCounterObject;
  std::uint32_t FDateFormatType = 0;
  std::string FDateSeparator;
  TOptionFlags FOptionFlags;
  std::string UserCode;
  std::string CompanyCode;
  std::string CompanyTitle;
  std::string DataSource;
  std::string VersionStamp;
  std::unique_ptr<TStringList> SysSettings;  // null until InitParams
  std::string ServerProgID;
  std::uint32_t EnvCount = 0;
  std::string CaptionText;
  std::int32_t ConditionCount = 0;
  std::string ProgramCode;
  std::string ProgramName;
  std::unique_ptr<std::vector<TControl*>> PageEndControls;  // null until InitParams
  std::string ReportKind;
  std::int32_t BaseConditionCount = 0;
  Variant Conditions;
  std::string MessageCodes;
  std::string MessageTexts;
  Variant HostData;
  bool HostByName = true;
  bool HostRun = false;
  HWND HostWindow = 0;
  std::unique_ptr<TStringList> HookedControls;
  std::string DateFields;
  std::string YearMonthFields;
  std::unique_ptr<TStringList> EventLinks;
  TNotifyEvent OnDateFieldEnter;
  TNotifyEvent OnDateFieldExit;
  TNotifyEvent OnRequiredExit;
  std::unique_ptr<TStringList> RequiredLinks;
  bool ExitFailed = false;
  // User rights from the server's PowerData (LoadRights).
  std::string RightsName;       // element 1, field 1
  bool RightsFlag1 = false;     // element 1, field 2 = "Y"
  bool RightsFlag2 = false;     // element 1, field 3 = "Y"
  std::string RightsString;     // element 1, field 4: one character per right
  std::string RightsText5;      // element 1, field 5
  std::string RightsText6;      // element 1, field 6
  std::string RightsData;       // element 2
  std::string UserGroup;        // element 3
  bool RightsFlag7 = false;     // rights character 7 is not "N"
  bool RightsFlag8 = false;     // rights character 8 is not "N"
  TControl* LastFocused = nullptr;
  bool InPageChange = false;
  std::uint32_t ResultInt = 0;
  Variant ResultVariant;
  bool SystemPageDone = false;
  Variant AppServer;
  Variant HostTable;
  std::uint32_t VersionTypeValue = 0;
  std::uint32_t ProductIDValue = 0;
  std::string RequiredColors;
  std::string DataLimits;
  std::string ModulePath;
  bool UseComServer = false;
  std::unique_ptr<TStringList> DateRules;

  // Virtual operations, in slot order.
  virtual void LayoutSystemPage();
  virtual bool CollectConditions();
  virtual void SetupOptions();
  virtual void PickPhrase(TControl* Control);
  virtual void MarkRequired(const std::string& Names);
  virtual bool RunServerModule(const std::string& ModuleName, const std::string& RunKind,
                               const Variant& Params);
  virtual void HookFieldTexts();
  virtual void LoadSessionServices();
  virtual bool InitParams(const Variant& Params);
  virtual void ReservedHook1() {}
  virtual bool FillConditionValues(Variant& Values, int Offset);
  virtual bool ApplyHostData(const Variant& Data);
  virtual void ReservedHook2() {}
  virtual bool FillEnvironment(Variant& Values, int Count);
  virtual bool FillConditionFields(Variant& Fields, int Offset);
  virtual void RightsLoaded() {}
  virtual void LookUp(const std::string& Table, const std::string& Kind, const Variant& Keys,
                      const std::string& ExtraText, bool Flag, Variant& Result);
  virtual void ConnectionReady(TSocketConnection* /*Connection*/) {}
  virtual bool SaveConditionValues(const std::string& List, const std::string& SchemeName,
                                   bool Replace);
  virtual bool RestoreConditionValues(const std::string& Names, const std::string& Values);
  virtual bool FillSchemeList();
  virtual void SchemeOpened() {}
  virtual void RunHostMode(int /*Mode*/) {}
  virtual void BeforeRestoreControl(TComponent* /*Control*/, const std::string& /*Value*/) {}
  virtual void AfterRestoreControl(TComponent* /*Control*/, const std::string& /*Value*/) {}
  // Dispatched by index in the original; overridable here.
  virtual void F2Pressed(std::uint16_t Key, TControl* Control);
  virtual void CreateSessionObjects();
  virtual void CreateLookupObject();

  // Module path and initialisation from the host.
  void SetModulePath(const std::string& Path);
  // Whether the module file is a shared library (not a stand-alone program).
  bool IsModuleLibrary() const;
  void ReceiveConditions(const Variant& Params);
  // Sets CaptionText (marked as the stand-alone version outside a library)
  // and shows it with the company title.
  void SetCaptionText(const std::string& Text);
  // The help number F1 asks for; empty when the program code has none.
  std::string HelpNumber() const;

  // Message catalogue and settings.
  std::string GetMessageText(const std::string& Type, const std::string& Number);
  void ShowMessageCodes(const std::string& Codes);
  void RecordError(const std::string& Text);
  int ShowMessageBox(const std::string& Type, const std::string& Number, const TVarRecs& Args,
                     int LastIndex, TMsgDlgButtons Buttons);
  int ShowDialog(const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons);
  std::string GetSysSetting(const std::string& Name);
  std::uint32_t GetDateFormatType();
  std::string GetDateSeparator();
  std::string GetProgramName();

  // Server session and data access.
  bool SetUpConnection(TSocketConnection* Connection, TSimpleObjectBroker* Broker);
  bool ObtainAppServer();
  bool QueryTable(const std::string& Table, const std::string& QueryKey, bool MultiRow,
                  Variant& Result, const Variant& Params);
  void CounterQuery(const std::string& Name, Variant& Params, Variant& Result);
  void LoadRights(const Variant& Answer);

  // Condition values used by the base itself.
  // Adds the concrete form's number of conditions to the base's.
  void SetConditionCount(int Count);
  // Records the colours and event handlers of every control of the form.
  void RecordControls();
  // The host's date picker; the text unchanged when there is none.
  std::string PickDate(const std::string& Text);
  void DateFieldEnter(TObject* Sender);
  void DateFieldExit(TObject* Sender);
  void RequiredExit(TObject* Sender);

  // Published handlers.
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void FormKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void FormKeyPress(TObject* Sender, char& Key);
  void FormShow(TObject* Sender);
  void FormResize(TObject* Sender);
  void btnOkClick(TObject* Sender);
  void btnCancelClick(TObject* Sender);
  void pgOptionChange(TObject* Sender);
  void pgOptionChanging(TObject* Sender, bool& AllowChange);
  void tsOption2Show(TObject* Sender);

protected:
  void Dispatch(TMessage& Message) override;
  // A freed control stops being the one focus returns to.
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // Code-page conversion of the string fields HookFieldTexts hooks.
  void FieldGetText(TClientField* Sender, std::string& Text, bool DisplayText);
  void FieldSetText(TClientField* Sender, const std::string& Text);
  bool IsPageEndControl(TControl* Control) const;
  void MoveToNextPage();
  void RepaintHostWindow();

  // While one of the form's own dialogs runs, its modal loop may deliver the
  // form's pending close request; the release is held until the dialog has
  // returned, so the code that showed it does not run on a freed form.
  int FDialogDepth = 0;
  bool FReleaseHeld = false;
};
