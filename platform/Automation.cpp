#include "Automation.h"

namespace {

const char* KindWord(TInvokeKind kind) {
  return kind == TInvokeKind::Method ? "Method" : "Property";
}

}  // namespace

Variant OleInvoke(const Variant& object, const std::string& name, TInvokeKind kind,
                  TVarArgs& args) {
  std::shared_ptr<IDispatch> target = object.IsObject() ? object.AsObject() : nullptr;
  if (!target)
    throw EOleError(std::string(KindWord(kind)) + " '" + name +
                    "' called on a variant of type (" + VarTypeAsText(object.Type()) +
                    ") that holds no automation object");
  return target->Invoke(name, kind, args);
}

Variant OleCall(const Variant& object, const std::string& name, TVarArgs args) {
  return OleInvoke(object, name, TInvokeKind::Method, args);
}

Variant OleGetProperty(const Variant& object, const std::string& name, TVarArgs args) {
  return OleInvoke(object, name, TInvokeKind::PropertyGet, args);
}

void OleSetProperty(const Variant& object, const std::string& name, const Variant& value) {
  TVarArgs args{value};
  OleInvoke(object, name, TInvokeKind::PropertyPut, args);
}
