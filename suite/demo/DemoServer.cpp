// Class "KesrDemo.Orders": GetBlobField(Params; var Out) answers the rows of
// the order numbers in Params through Out, as the application server does.
#include <memory>

#include "AutoObject.h"
#include "ComObj.h"

namespace {

class TDemoOrders : public TAutoObject {
public:
  TDemoOrders() {
    AddMethod("GetBlobField", 2, [](TVarArgs& args) {
      const Variant& params = args[0].Value();
      const int high = VarArrayHighBound(params, 1);
      Variant rows = VarArrayCreate({0, 1, 0, high}, varVariant);
      for (int i = 0; i <= high; ++i) {
        rows(0, i) = params[i];
        rows(1, i) = Variant::OleStr("shipping mark of " + params[i].AsString());
      }
      args[1].Value() = rows;
      return Variant::OleStr("");
    });
    AddProperty("Name", [] { return Variant::OleStr("demo order server"); });
  }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) void KesrRegisterOleServers() {
  RegisterOleClass("KesrDemo.Orders", [] { return std::make_shared<TDemoOrders>(); });
}
