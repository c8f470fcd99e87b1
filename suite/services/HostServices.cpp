#include "HostServices.h"

#include "CounterObject.h"
#include "LookupWindow.h"
#include "ValidatorObject.h"

Variant CreateCounterObject(const THostServiceSettings& Settings) {
  return Variant(std::make_shared<TCounterObject>(Settings));
}

Variant CreateValidatorObject(const THostServiceSettings& Settings) {
  return Variant(std::make_shared<TValidatorObject>(Settings));
}

Variant CreateLookupWindowObject(const THostServiceSettings& Settings) {
  return Variant(std::make_shared<TLookupWindowObject>(Settings));
}
