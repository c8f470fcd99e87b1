#include "CounterObject.h"

TCounterObject::TCounterObject(const THostServiceSettings& Settings) : FLink(Settings) {
  AddMethod("GetSysInfo", 1, [this](TVarArgs& a) {
    return OleCall(FLink.Server(), "GetSysInfo", {VarRef(a[0].Value())});
  });
  AddMethod("GetCounter", 3, [this](TVarArgs& a) {
    return OleCall(FLink.Server(), "GetCounter", {a[0].Value(), VarRef(a[1].Value()), a[2].Value()});
  });
}
