// A server-side module for the tests: it reports every call to the object
// the caller passes as its parameters (argument 4), and fails on request.
#include "Automation.h"
#include "Exceptions.h"
#include "ServerModule.h"

namespace {

class TTestController final : public ISvrController {
public:
  void Execute(const Variant& Args) override {
    FReporter = Args[4];
    if (OleCall(FReporter, "Run", {Args}).AsBoolean()) return;
    throw Exception("module run failed");
  }
  std::string Finish() override {
    OleCall(FReporter, "Finished");
    FReporter = Variant();
    return "done";
  }

private:
  Variant FReporter;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) ISvrController* GetSvrController() {
  static TTestController Controller;
  return &Controller;
}
