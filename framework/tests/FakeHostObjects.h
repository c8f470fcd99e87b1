#pragma once
// Late-bound stand-ins for the host's session, counter, validator and
// look-up window: each member answers through a test's handler, and every
// call and property put is logged in order.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AutoObject.h"
#include "ModalDriver.h"

class TFakeHostObject : public TAutoObject {
public:
  struct TCall {
    std::string Name;  // "put Name" for property puts
    std::vector<Variant> Args;
  };
  using THandler = std::function<Variant(TVarArgs&)>;

  // A method with any number of arguments.
  TFakeHostObject& On(const std::string& Name, THandler Handler) {
    AddMethod(Name, AnyParamCount, [this, Name, Handler](TVarArgs& Args) {
      Log(Name, Args);
      return Handler(Args);
    });
    return *this;
  }
  // A write-only property whose puts are logged.
  TFakeHostObject& Settable(const std::string& Name) {
    AddProperty(Name, [] { return Variant(); }, [this, Name](const Variant& Value) {
      Calls.push_back({"put " + Name, {Value}});
    });
    return *this;
  }
  std::vector<std::string> CallNames() const {
    std::vector<std::string> Names;
    for (const TCall& Call : Calls) Names.push_back(Call.Name);
    return Names;
  }

  std::vector<TCall> Calls;

private:
  void Log(const std::string& Name, const TVarArgs& Args) {
    TCall Call{Name, {}};
    for (const TVarArg& Arg : Args) Call.Args.push_back(Arg.Value());
    Calls.push_back(std::move(Call));
  }
};

// Answers every modal form with Answer and keeps what each message dialog
// showed: its kind, caption, text and buttons (names and captions).
class TDialogRecorder : public TModalDriver {
public:
  struct TSeen {
    int Kind = -1;
    std::string Caption, Text;
    std::vector<std::string> Buttons, ButtonCaptions;
  };
  explicit TDialogRecorder(TModalResult Answer = mrOk) : Answer(Answer), FScope(*this) {}
  bool Act(TCustomForm& Form, int Round) override;

  TModalResult Answer;
  std::vector<TSeen> Seen;

private:
  TModalDriverScope FScope;
};
