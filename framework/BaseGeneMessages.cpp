// Message catalogue and settings of the option form. Message texts come from
// the host's session by (type, number); the form formats them, keeps a log
// of every code and distinct text, and shows them in its own dialog.
#include "BaseGene.h"

#include <algorithm>
#include <array>
#include <memory>

#include "Automation.h"
#include "Buttons.h"
#include "LibStrs.h"
#include "StdCtrls.h"
#include "StrUtils.h"
#include "VarArray.h"

namespace {

constexpr int MessageArgCount = 10;

// While the user leaves through Cancel, nothing is shown or logged.
bool CancelFocused(const TfrmBaseGene& Form) {
  return Form.btnCancel && Form.ActiveControl() == static_cast<TWinControl*>(Form.btnCancel);
}

std::string ArgText(const TVarRec& Arg) {
  switch (Arg.Kind()) {
    case TVarRec::vtInteger:
    case TVarRec::vtInt64: return std::to_string(Arg.Int());
    case TVarRec::vtExtended: return FloatToStr(Arg.Float());
    case TVarRec::vtBoolean: return Arg.Int() ? "True" : "False";
    case TVarRec::vtCustom: return Arg.Custom()->AsString();
    case TVarRec::vtPointer: return {};
    default: return Arg.Text();
  }
}

// A message template filled with its arguments; a template that does not
// fit them is shown raw, followed by every argument, so nothing is lost.
std::string FormatMessage(const std::string& Template, const TVarRecs& Args) {
  try {
    return Format(Template, Args);
  } catch (const std::exception&) {
    std::string Text = Template + "\r";
    for (const TVarRec& Arg : Args) Text += ArgText(Arg) + ";";
    return Text;
  }
}

// Entries of the message log end in "; "; a text counts as logged only when
// it is a whole entry, not part of a longer one.
bool IsLogged(const std::string& Log, const std::string& Text) {
  const std::string Entry = Text + "; ";
  return Log.starts_with(Entry) || Log.find("; " + Entry) != std::string::npos;
}

void LogText(std::string& Log, const std::string& Text) {
  if (!IsLogged(Log, Text)) Log += Text + "; ";
}

TMsgDlgType CodeDialogKind(const std::string& Type) {
  const std::string Letter = UpperCase(Type);
  if (Letter == "C" || Letter == "D" || Letter == "W") return mtWarning;
  if (Letter == "E") return mtError;
  if (Letter == "I") return mtInformation;
  if (Letter == "Q") return mtConfirmation;
  return mtCustom;
}

TMsgDlgButtons DefaultButtons(const std::string& Type) {
  const std::string Letter = UpperCase(Type);
  if (Letter == "C" || Letter == "Q" || Letter == "W") return mbOKCancel;
  if (Letter == "D") return mbYesNoCancel;
  return {mbOK};
}

// Counts the form's running dialogs and, when the last one ends, lets a
// release that arrived meanwhile go ahead.
class TDialogScope {
public:
  TDialogScope(int& Depth, bool& ReleaseHeld, TForm& Form) : FDepth(Depth), FReleaseHeld(ReleaseHeld), FForm(Form) {
    ++FDepth;
  }
  ~TDialogScope() {
    if (--FDepth == 0 && FReleaseHeld) {
      FReleaseHeld = false;
      FForm.Release();
    }
  }
  TDialogScope(const TDialogScope&) = delete;
  TDialogScope& operator=(const TDialogScope&) = delete;

private:
  int& FDepth;
  bool& FReleaseHeld;
  TForm& FForm;
};

struct TFormFree {
  void operator()(TForm* Form) const { Form->Free(); }
};

// Default captions of the four inventory category settings. "SYS010" goes
// on the numbering of the other three in English.
std::string InventoryCategoryCaption(const std::string& UpperName, bool English) {
  static const std::array<std::array<const char*, 3>, 4> Captions = {{
      {"SYS007", "Inv.Cate.1", "商品分类方式一"},
      {"SYS008", "Inv.Cate.2", "商品分类方式二"},
      {"SYS009", "Inv.Cate.3", "商品分类方式三"},
      {"SYS010", "Inv.Cate.4", "商品分类方式四"},
  }};
  for (const auto& Caption : Captions)
    if (UpperName == Caption[0]) return English ? Caption[1] : Caption[2];
  return {};
}

}  // namespace

std::string TfrmBaseGene::GetMessageText(const std::string& Type, const std::string& Number) {
  Variant Template = Format("Can not Get Message\rType= %s, ID= %s ", {Type, Number});
  if (!VarIsEmpty(FSession)) {
    try {
      Template = OleCall(FSession, "GetMessage", {Type, Number});
    } catch (const std::exception&) {
      // A session that cannot answer counts as a missing one: the user
      // still learns which message was meant.
    }
  }
  return VarToStr(ZnConverter->DBToScreen(Template));
}

void TfrmBaseGene::ShowMessageCodes(const std::string& Codes) {
  if (CancelFocused(*this)) return;
  if (Codes.empty()) {
    MessageCodes.clear();
    MessageTexts.clear();
    return;
  }
  MessageCodes += Codes + "; ";

  std::string Rest = Codes, Type, Number;
  CutFirstPiece(Rest, ";", Type);
  CutFirstPiece(Rest, ";", Number);
  // "-1" and other numbers not above 0 mark texts that are only recorded.
  const bool Show = StrToIntDef(Number, 0) > 0;
  if (!Show && !Number.empty()) Number.erase(0, 1);

  TVarRecs Args;
  do {
    std::string Arg;
    CutFirstPiece(Rest, ";", Arg);
    Args.emplace_back(Arg);
  } while (!Rest.empty() && Args.size() < MessageArgCount);
  while (Args.size() < MessageArgCount) Args.emplace_back(std::string());

  const std::string Text = FormatMessage(GetMessageText(Type, Number), Args);
  LogText(MessageTexts, Text);
  if (Show) ShowDialog(Text, CodeDialogKind(Type), {mbOK});
}

void TfrmBaseGene::RecordError(const std::string& Text) {
  if (CancelFocused(*this)) return;
  const std::string Trimmed = Trim(Text);
  if (Trimmed.empty()) {
    MessageCodes.clear();
    MessageTexts.clear();
    return;
  }
  MessageCodes += "E;-1; ";
  LogText(MessageTexts, Trimmed);
}

int TfrmBaseGene::ShowMessageBox(const std::string& Type, const std::string& Number, const TVarRecs& Args,
                                 int LastIndex, TMsgDlgButtons Buttons) {
  const auto Count = static_cast<std::size_t>(std::clamp(LastIndex + 1, 0, static_cast<int>(Args.size())));
  const TVarRecs Used(Args.begin(), Args.begin() + static_cast<std::ptrdiff_t>(Count));
  const std::string Text = FormatMessage(GetMessageText(Type, Number), Used);
  return ShowDialog(Text, CodeDialogKind(Type), Buttons.Empty() ? DefaultButtons(Type) : Buttons);
}

int TfrmBaseGene::ShowDialog(const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons) {
  // A page change checks the control being left; only its errors may speak.
  if (InPageChange && Kind != mtError) return 0;

  int Result = 0;
  {
    const TDialogScope Scope(FDialogDepth, FReleaseHeld, *this);
    const std::unique_ptr<TForm, TFormFree> Dialog(CreateMessageDialog(Text, Kind, Buttons));
    Dialog->SetCaption(Caption());
    if (GetUICodePage() != "437") {
      for (int b = mbYes; b <= mbHelp; ++b) {
        const auto Button = static_cast<TMsgDlgBtn>(b);
        if (!Buttons.Contains(Button)) continue;
        if (auto* Control = Dialog->FindComponent<TButton>(MsgDlgButtonName(Button)))
          Control->SetCaption(VarToStr(ZnConverter->TextToScreen(LocalButtonCaption(MsgDlgButtonName(Button)))));
      }
    }
    TCodeConverter::SetConvertFont(GetUIConvertMode(), Dialog->Font());
    Result = Dialog->ShowModal();
  }

  // A control that captured the mouse before the dialog lets it go.
  if (TWinControl* Active = ActiveControl()) PostMessage(Active->Handle(), WM_LBUTTONUP);
  // A hidden form (still initialising) has nothing to give the focus to.
  if (Kind == mtError && Visible()) {
    if (auto* Focus = dynamic_cast<TWinControl*>(LastFocused); Focus && Focus->CanFocus()) Focus->SetFocus();
  }
  return Result;
}

std::string TfrmBaseGene::GetSysSetting(const std::string& Name) {
  std::string Value;
  if (!Name.empty()) {
    if (SysSettings) Value = SysSettings->Values(Name);
  } else if (SysSettings && !VarIsEmpty(FCounterObject)) {
    SysSettings->Clear();
    try {
      Variant Company = CompanyCode;
      const Variant Info = OleCall(FCounterObject, "GetSysInfo", {VarRef(Company)});
      for (int i = VarArrayLowBound(Info, 2); i <= VarArrayHighBound(Info, 2); ++i)
        SysSettings->Add(VarToStr(Info(0, i)) + "=" + VarToStr(Info(1, i)));
    } catch (const std::exception&) {
      // Settings that cannot be read all read as empty, so the defaults apply.
      SysSettings->Clear();
    }
  }
  if (Value.empty()) {
    const std::string Default = InventoryCategoryCaption(UpperCase(Name), GetUICodePage() == "437");
    if (!Default.empty()) return Default;
  }
  if (Converted()) Value = VarToStr(ZnConverter->DBToScreen(Value));
  return Value;
}

std::uint32_t TfrmBaseGene::GetDateFormatType() {
  const int Type = StrToIntDef(Trim(GetSysSetting("Sys001")), 1);
  FDateFormatType = Type < 0 ? 1 : static_cast<std::uint32_t>(Type);
  return FDateFormatType;
}

std::string TfrmBaseGene::GetDateSeparator() {
  FDateSeparator = GetSysSetting("Sys002");
  if (FDateSeparator.empty()) FDateSeparator = "/";
  return FDateSeparator;
}

std::string TfrmBaseGene::GetProgramName() {
  std::string Name = ProgramCode;
  try {
    Variant Answer;
    if (QueryTable("ADMMB", "01", false, Answer, VarArrayOf({ProgramCode}))) {
      const bool English = VarArrayHighBound(Answer, 1) >= 7 && GetUICodePage() == "437";
      Name = VarToStr(Answer[English ? 7 : 0]);
    }
  } catch (const std::exception&) {
    Name = ProgramCode;
  }
  ProgramName = Name;
  return Name;
}
