#include "ValidatorObject.h"

TValidatorObject::TValidatorObject(const THostServiceSettings& Settings) : FLink(Settings) {
  AddProperty("ProductID", [this] { return Variant(FProductID); },
              [this](const Variant& v) { FProductID = v.IsEmpty() || v.IsNull() ? 0 : v.AsInteger(); });
  AddProperty("BaseLimited", [this] { return Variant(FBaseLimited); },
              [this](const Variant& v) { FBaseLimited = VarToStr(v); });
  AddMethod("QueryData", 5, [this](TVarArgs& a) { return Query("QueryData", a); });
  AddMethod("CheckValue", 5, [this](TVarArgs& a) { return Query("CheckValue", a); });
}

Variant TValidatorObject::Query(const char* Member, TVarArgs& Args) {
  TVarArgs forwarded;
  for (auto& arg : Args) forwarded.push_back(VarRef(arg.Value()));
  return OleInvoke(FLink.Server(), Member, TInvokeKind::Method, forwarded);
}
