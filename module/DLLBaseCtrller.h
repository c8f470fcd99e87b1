#pragma once
// TDLLBaseController: the contract the host was built against. The host
// reads and writes the fields directly and calls the virtual operations in
// this order; a report module's controller implements them. Everything is
// defined here, so a host needs nothing of a module but its export.
#include <cstdint>
#include <string>

#include "ClassRegistry.h"
#include "Events.h"
#include "Messages.h"
#include "TypInfo.h"
#include "Variant.h"

class TDLLBaseController;

// Code, Sender.
struct TControllerNotifyEvent : TEvent<std::int32_t, TDLLBaseController*> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TControllerNotifyEvent";
};

KESR_DECLARE_EXCEPTION(EAbstractError, Exception);

// The codes the host hears through OnNotify.
enum : std::int32_t {
  ncFormCreated = 0x100,
  ncFormShown = 0x110,
  ncFormHidden = 0x120,
  ncFormDestroyed = 0x130,
  ncReserved = 0x140,
};

class TDLLBaseController : public TObject {
  KESR_CLASS(TDLLBaseController, TObject)
public:
  TDLLBaseController() = default;
  ~TDLLBaseController() override = default;

  Variant Session;
  std::int32_t ResultCode = 0;
  Variant ResultData;
  TControllerNotifyEvent OnNotify;

  // Slots 0 to 10 raise EAbstractError here.
  virtual std::string GetVersion() { AbstractCall(); }
  // -1 (all bits set) for true.
  virtual std::int32_t GetFormVisible() { AbstractCall(); }
  virtual void SetFormVisible(std::int16_t) { AbstractCall(); }
  virtual HWND GetFormHandle() { AbstractCall(); }
  virtual std::int32_t Initialize(const Variant&) { AbstractCall(); }
  virtual std::int32_t SubmitConditions(const Variant&) { AbstractCall(); }
  virtual std::int32_t Execute(std::int32_t, std::intptr_t, const Variant&) { AbstractCall(); }
  virtual Variant ShowFormModal() { AbstractCall(); }
  virtual void FreeForm() { AbstractCall(); }
  virtual std::int32_t GetFormInfo(Variant&) { AbstractCall(); }
  virtual bool IsFormFreed() { AbstractCall(); }
  // Slots 11 to 17.
  virtual void FormCreated() { Notify(ncFormCreated); }
  virtual void FormShown(TObject*) { Notify(ncFormShown); }
  virtual void FormHidden(TObject*) { Notify(ncFormHidden); }
  virtual void FormDestroyed(TObject*) { Notify(ncFormDestroyed); }
  virtual void NotifyReserved() { Notify(ncReserved); }
  virtual void Notify(std::int32_t Code) { OnNotify(Code, this); }
  virtual void CloseFormatWindow() {}

private:
  [[noreturn]] static void AbstractCall() { throw EAbstractError("Abstract Error"); }
};

inline const TClass& TDLLBaseController::StaticClass() {
  static const TClass Class = TClassBuilder<TDLLBaseController>("TDLLBaseController").Abstract().Build();
  return Class;
}
