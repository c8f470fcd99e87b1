#include "HostShell.h"

#include "DynLib.h"
#include "Forms.h"
#include "HostReport.h"
#include "VarArray.h"

namespace {
using TGetController = TDLLBaseController* (*)();
}

THostShell::THostShell(THostConfiguration Configuration, THostReport& Report)
    : FConfiguration(std::move(Configuration)), FReport(Report),
      FSession(std::make_shared<TWorkCenterManager>(FConfiguration)) {
  FSession->OnRequest = [this](const std::string& Member, const Variant& Args) {
    std::vector<std::string> values;
    if (VarIsArray(Args))
      for (int i = VarArrayLowBound(Args, 1); i <= VarArrayHighBound(Args, 1); ++i) values.push_back(VarToStr(Args[i]));
    else
      values.push_back(VarToStr(Args));
    FReport.Write("session", {{"call", Member}, {"arguments", values}});
  };
}

THostShell::~THostShell() { Free(); }

void THostShell::LoadModule(const std::string& Path) {
  // Modules stay loaded for the process: their classes and objects may
  // outlive the controller.
  HMODULE module = LoadLibrary(Path);
  if (!module) throw EHostError("cannot load the module " + Path + ": " + GetLastErrorText());
  auto get = reinterpret_cast<TGetController>(GetProcAddress(module, "GetController"));
  if (!get) throw EHostError("the module " + Path + " has no GetController");
  FController.reset(get());
}

Variant THostShell::InitParams() const {
  const int count = static_cast<int>(FConfiguration.HostTable.size());
  Variant table = VarArrayCreate({0, 1, 0, count - 1}, varVariant);
  for (int i = 0; i < count; ++i) {
    table(0, i) = FConfiguration.HostTable[i].first;
    table(1, i) = FConfiguration.HostTable[i].second;
  }
  return VarArrayOf({FConfiguration.UserCode, FConfiguration.CompanyCode, FConfiguration.DataSource,
                     static_cast<long long>(FConfiguration.HostWindow), table});
}

void THostShell::Notify(std::int32_t Code, TDLLBaseController*) { FReport.Write("notify", {{"code", Code}}); }

int THostShell::Initialize() {
  FController->Session = Variant(FSession);
  FController->OnNotify = TControllerNotifyEvent(this, &THostShell::Notify);
  const int result = FController->Initialize(InitParams());
  FReport.Write("result", {{"operation", std::string("Initialize")}, {"value", result}});
  return result;
}

void THostShell::ReportFormInfo() {
  Variant info;
  if (FController->GetFormInfo(info) != 0) {
    FReport.Write("forminfo", {{"value", -1}});
    return;
  }
  FReport.Write("forminfo", {{"user", VarToStr(info[0])},
                             {"company", VarToStr(info[1])},
                             {"program", VarToStr(info[2])},
                             {"name", VarToStr(info[3])},
                             {"version", FController->GetVersion()}});
}

void THostShell::ProcessMessages() { Application->ProcessMessages(); }

TCustomForm* THostShell::Form() const {
  if (!FController || FController->IsFormFreed()) return nullptr;
  return dynamic_cast<TCustomForm*>(FindControl(FController->GetFormHandle()));
}

void THostShell::Free() {
  if (!FController) return;
  FController->FreeForm();
  FController.reset();
  Application->ProcessMessages();
}
