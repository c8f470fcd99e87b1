#include "Persistent.h"

#include "Filer.h"

const TClass& TPersistent::StaticClass() {
  static const TClass Class = TClassBuilder<TPersistent>("TPersistent").Build();
  return Class;
}

void TPersistent::Assign(const TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

std::string TPersistent::GetNamePath() const {
  std::string path = ClassName();
  if (const TPersistent* owner = GetOwner()) {
    std::string ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) path = ownerPath + "." + path;
  }
  return path;
}

void TPersistent::DefineProperties(TFiler&) {}
