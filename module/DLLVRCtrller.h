#pragma once
// TDLLVRCtrller: the controller of a report module. It creates the option
// form from frmVRBaseOptClass, so one controller serves every report whose
// option form derives from TfrmVRBaseOpt, and tells the host when the form
// is created, shown, hidden and destroyed.
#include "DLLBaseCtrller.h"

class TfrmVRBaseOpt;

// The option form class the controller creates; the module's start-up code
// sets it once.
extern const TClass* frmVRBaseOptClass;

class TDLLVRCtrller : public TDLLBaseController {
  KESR_CLASS(TDLLVRCtrller, TDLLBaseController)
public:
  TDLLVRCtrller() = default;
  ~TDLLVRCtrller() override;

  std::string GetVersion() override;
  std::int32_t GetFormVisible() override;
  void SetFormVisible(std::int16_t Value) override;
  HWND GetFormHandle() override;
  std::int32_t Initialize(const Variant& Params) override;
  std::int32_t SubmitConditions(const Variant& Params) override;
  std::int32_t Execute(std::int32_t Action, std::intptr_t Reserved, const Variant& Params) override;
  Variant ShowFormModal() override;
  void FreeForm() override;
  std::int32_t GetFormInfo(Variant& Info) override;
  bool IsFormFreed() override;
  void FormShown(TObject* Sender) override;
  void FormHidden(TObject* Sender) override;
  void FormDestroyed(TObject* Sender) override;
  void CloseFormatWindow() override;

  TfrmVRBaseOpt* FForm = nullptr;
  TNotifyEvent FSavedOnShow;
  TNotifyEvent FSavedOnHide;
  TNotifyEvent FSavedOnDestroy;

private:
  TfrmVRBaseOpt* CreateOptionForm() const;
  void HookFormEvents();
};
