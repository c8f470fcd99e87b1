#include "LibRTTI.h"

#include "TypInfo.h"

TMethod GetMethodPropByName(const TObject* Object, const std::string& Name) {
  return GetMethodProp(Object, Name);
}

std::string GetStrPropByName(const TObject* Component, const std::string& Name) {
  return GetStrProp(Component, Name);
}

std::int64_t GetOrdPropByName(const TObject* Control, const std::string& Name) {
  return GetOrdProp(Control, Name);
}

void SetStrPropByName(TObject* Component, const std::string& Name, const std::string& Value) {
  SetStrProp(Component, Name, Value);
}

void SetOrdPropByName(TObject* Object, const std::string& Name, std::int64_t Value) {
  SetOrdProp(Object, Name, Value);
}

void SetMethodPropByName(TObject* Object, const std::string& Name, const TMethod& Handler) {
  SetMethodProp(Object, Name, Handler);
}

bool HasPropByName(const TObject* Component, const std::string& Name) {
  return IsPublishedProp(Component, Name);
}
