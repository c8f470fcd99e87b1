#include "DLLVRCtrller.h"

#include "DLLFunc.h"
#include "DynLib.h"
#include "TypInfo.h"
#include "VarArray.h"
#include "VRBaseOptF.h"

const TClass* frmVRBaseOptClass = nullptr;

const TClass& TDLLVRCtrller::StaticClass() {
  static const TClass Class = TClassBuilder<TDLLVRCtrller>("TDLLVRCtrller").Build();
  return Class;
}

// Loading the module makes this the controller GetController hands out.
static const bool ControllerClassSet = (DLLControllerClass = &TDLLVRCtrller::StaticClass(), true);

namespace {

constexpr int DefaultResolution = 96;

int ElementOrDefault(const Variant& Params, int Index, int Default) {
  if (!VarIsArray(Params) || Index > VarArrayHighBound(Params, 1)) return Default;
  try {
    return Params[Index].AsInteger();
  } catch (const std::exception&) {
    return Default;
  }
}

}  // namespace

TDLLVRCtrller::~TDLLVRCtrller() { FreeForm(); }

TfrmVRBaseOpt* TDLLVRCtrller::CreateOptionForm() const {
  if (!frmVRBaseOptClass)
    throw Exception("ZNT DLL Internal Error :\rNot Assign \"frmVRBaseOptClass\" varible");
  TObject* instance = frmVRBaseOptClass->CreateInstance(nullptr);
  auto* form = dynamic_cast<TfrmVRBaseOpt*>(instance);
  if (!form) {
    delete instance;
    throw Exception("ZNT DLL Internal Error :\r\"frmVRBaseOptClass\" is not a report option form class");
  }
  return CompleteForm(form);
}

void TDLLVRCtrller::HookFormEvents() {
  const TNotifyEvent shown(this, &TDLLBaseController::FormShown);
  const TNotifyEvent hidden(this, &TDLLBaseController::FormHidden);
  const TNotifyEvent destroyed(this, &TDLLBaseController::FormDestroyed);
  // A repeated Initialize leaves the chain as it is: a hook never saves itself.
  if (FForm->OnShow != shown) {
    FSavedOnShow = FForm->OnShow;
    FForm->OnShow = shown;
  }
  if (FForm->OnHide != hidden) {
    FSavedOnHide = FForm->OnHide;
    FForm->OnHide = hidden;
  }
  if (FForm->OnDestroy != destroyed) {
    FSavedOnDestroy = FForm->OnDestroy;
    FForm->OnDestroy = destroyed;
  }
}

std::int32_t TDLLVRCtrller::Initialize(const Variant& Params) {
  std::int32_t result = -1;
  if (!FForm) {
    FForm = CreateOptionForm();
    FForm->SetModulePath(ModuleFileNameOf(reinterpret_cast<const void*>(&GetController)));
    FForm->FSession = Session;
    FormCreated();
  }
  HookFormEvents();
  if (FForm->InitParams(Params)) result = 0;
  return result;
}

void TDLLVRCtrller::FormShown(TObject* Sender) {
  FSavedOnShow(Sender);
  TDLLBaseController::FormShown(Sender);
}

void TDLLVRCtrller::FormHidden(TObject* Sender) {
  FSavedOnHide(Sender);
  TDLLBaseController::FormHidden(Sender);
}

void TDLLVRCtrller::FormDestroyed(TObject* Sender) {
  if (FForm) {
    ResultCode = static_cast<std::int32_t>(FForm->ResultInt);
    ResultData = FForm->ResultVariant;
    FSavedOnDestroy(Sender);
    TDLLBaseController::FormDestroyed(Sender);
  }
  FForm = nullptr;
}

std::string TDLLVRCtrller::GetVersion() { return FForm ? FForm->VersionStamp : std::string(); }

std::int32_t TDLLVRCtrller::GetFormVisible() { return FForm && FForm->Visible() ? -1 : 0; }

void TDLLVRCtrller::SetFormVisible(std::int16_t Value) {
  if (!FForm) return;
  FForm->SetVisible(Value != 0);
  if (Value == 0 || !FForm) return;  // a show handler may have closed the form
  if (FForm->WindowState() == wsMinimized) FForm->SetWindowState(wsNormal);
  SetForegroundWindow(FForm->Handle());
}

HWND TDLLVRCtrller::GetFormHandle() { return FForm ? FForm->Handle() : 0; }

std::int32_t TDLLVRCtrller::SubmitConditions(const Variant& Params) {
  if (!FForm || VarIsNull(Params)) return -1;
  try {
    FForm->ReceiveConditions(Params);
  } catch (...) {
    return -1;
  }
  return 0;
}

std::int32_t TDLLVRCtrller::Execute(std::int32_t Action, std::intptr_t, const Variant& Params) {
  if (!FForm) return -1;
  bool done;
  switch (Action) {
    case 5:
      done = FForm->RunReport(Params[0].AsBoolean());
      break;
    case 6:
      done = FForm->RunWithParams(Params[1], Params[0].AsBoolean());
      break;
    case 11: {
      const std::string extra = VarArrayHighBound(Params, 1) >= 4 ? Params[4].AsString() : std::string();
      done = FForm->ExportToFiles(Params[0], Params[1].AsInteger(), ElementOrDefault(Params, 3, DefaultResolution),
                                  Params[2].AsString(), extra);
      break;
    }
    default:
      return -1;
  }
  return done ? 0 : -1;
}

Variant TDLLVRCtrller::ShowFormModal() {
  if (!FForm) return Variant(static_cast<int>(mrCancel));
  return Variant(static_cast<int>(FForm->ShowModal()));
}

void TDLLVRCtrller::FreeForm() {
  if (!FForm || FForm->ComponentState().Contains(csDestroying)) return;
  FForm->Free();
  FForm = nullptr;  // also when the destroy hook was taken off the form
}

std::int32_t TDLLVRCtrller::GetFormInfo(Variant& Info) {
  if (!FForm) return -1;
  Info = VarArrayOf({FForm->UserCode, FForm->CompanyCode, FForm->ProgramCode, FForm->ProgramName});
  return 0;
}

bool TDLLVRCtrller::IsFormFreed() { return FForm == nullptr; }

void TDLLVRCtrller::CloseFormatWindow() {
  if (FForm) FForm->CloseFormatForm();
}
