#include "FormLayouts.h"

#include <map>

#include "FormTextReader.h"

namespace {

std::map<const TClass*, std::string>& Layouts() {
  static std::map<const TClass*, std::string> layouts;
  return layouts;
}

}  // namespace

bool RegisterFormLayout(const TClass& Class, std::string Text) {
  Layouts()[&Class] = std::move(Text);
  return true;
}

void UnregisterFormLayout(const TClass& Class) { Layouts().erase(&Class); }

const std::string* FindFormLayout(const TClass& Class) {
  auto it = Layouts().find(&Class);
  return it == Layouts().end() ? nullptr : &it->second;
}

bool ApplyFormLayout(TComponent* Instance, const TClass& Class) {
  const std::string* text = FindFormLayout(Class);
  if (!text) return false;
  ReadFormText(Instance, *text);
  return true;
}
