#include "DLLBaseCtrller.h"

#include "TypInfo.h"

const TClass& TDLLBaseController::StaticClass() {
  static const TClass Class = TClassBuilder<TDLLBaseController>("TDLLBaseController").Abstract().Build();
  return Class;
}

TDLLBaseController::~TDLLBaseController() = default;

namespace {
[[noreturn]] void AbstractCall() { throw EAbstractError("Abstract Error"); }
}  // namespace

std::string TDLLBaseController::GetVersion() { AbstractCall(); }
std::int32_t TDLLBaseController::GetFormVisible() { AbstractCall(); }
void TDLLBaseController::SetFormVisible(std::int16_t) { AbstractCall(); }
HWND TDLLBaseController::GetFormHandle() { AbstractCall(); }
std::int32_t TDLLBaseController::Initialize(const Variant&) { AbstractCall(); }
std::int32_t TDLLBaseController::SubmitConditions(const Variant&) { AbstractCall(); }
std::int32_t TDLLBaseController::Execute(std::int32_t, std::intptr_t, const Variant&) { AbstractCall(); }
Variant TDLLBaseController::ShowFormModal() { AbstractCall(); }
void TDLLBaseController::FreeForm() { AbstractCall(); }
std::int32_t TDLLBaseController::GetFormInfo(Variant&) { AbstractCall(); }
bool TDLLBaseController::IsFormFreed() { AbstractCall(); }
