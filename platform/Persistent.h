#pragma once
// TPersistent: an object that can be copied with Assign and streamed through
// its published properties.
#include <string>

#include "ClassRegistry.h"
#include "TypInfo.h"

class TFiler;

class TPersistent : public TObject {
  KESR_CLASS(TPersistent, TObject)
public:
  TPersistent() = default;

  // Copies Source into this object. A class that knows how to copy from
  // Source overrides Assign; otherwise Source->AssignTo(this) is asked, and
  // failing both EConvertError "Cannot assign a TX to a TY" is raised
  // ("a nil" for a null Source).
  virtual void Assign(const TPersistent* Source);
  // The path by which the object is known to a designer: "Owner.Name".
  virtual std::string GetNamePath() const;
  // The object this one belongs to (a collection's owner, an item's collection).
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Declares data streamed beside the published properties (see Filer.h).
  virtual void DefineProperties(TFiler& Filer);

protected:
  virtual void AssignTo(TPersistent* Dest) const;
};
