// Serves class "KesrTest.Echo": Swap exchanges its two by-reference
// arguments, Name is a read/write text.
#include <memory>
#include <string>

#include "AutoObject.h"
#include "ComObj.h"

namespace {

class TEchoServer : public TAutoObject {
public:
  TEchoServer() {
    AddMethod("Swap", 2, [](TVarArgs& args) {
      std::swap(args[0].Value(), args[1].Value());
      return Variant(true);
    });
    AddProperty("Name", [this] { return Variant::OleStr(FName); },
                [this](const Variant& value) { FName = value.AsString(); });
  }

private:
  std::string FName = "echo";
};

}  // namespace

extern "C" __attribute__((visibility("default"))) void KesrRegisterOleServers() {
  RegisterOleClass("KesrTest.Echo", [] { return std::make_shared<TEchoServer>(); });
}
