#pragma once
// The ERP client shell as a module sees it: it loads the module by path,
// obtains the controller, hands it the session object and the notification
// callback, and initialises it from the host configuration.
#include <memory>
#include <string>

#include "DLLBaseCtrller.h"
#include "WorkCenter.h"

class THostReport;
class TCustomForm;

KESR_DECLARE_EXCEPTION(EHostError, Exception);

class THostShell {
public:
  THostShell(THostConfiguration Configuration, THostReport& Report);
  ~THostShell();
  THostShell(const THostShell&) = delete;
  THostShell& operator=(const THostShell&) = delete;

  // EHostError when the module cannot be loaded or has no GetController;
  // the controller's own exceptions pass through.
  void LoadModule(const std::string& Path);
  // Writes Session and OnNotify and calls Initialize; reports the result.
  int Initialize();
  // Reports the form information and the version (or that there is no form).
  void ReportFormInfo();
  // Runs what is queued for the module (a close request, for one).
  void ProcessMessages();
  // The option form, nullptr when none is alive.
  TCustomForm* Form() const;
  TDLLBaseController& Controller() const { return *FController; }
  // Frees the form, then the controller, as the host does at the end.
  void Free();

  // The initialisation array: user, company, data source, host window, host table.
  Variant InitParams() const;

private:
  void Notify(std::int32_t Code, TDLLBaseController* Sender);

  THostConfiguration FConfiguration;
  THostReport& FReport;
  std::shared_ptr<TWorkCenterManager> FSession;
  std::unique_ptr<TDLLBaseController> FController;
};
