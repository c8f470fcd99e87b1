#pragma once
// TComponent: a named, owned persistent object.
//
// Who frees what: an owner deletes the components it owns, last inserted
// first, when it is destroyed; a component without an owner is freed by
// whoever created it. Deleting an owned component is always allowed: it
// leaves its owner's list first. A component that holds a pointer to a
// component it does not own asks that component for FreeNotification and
// clears the pointer in Notification(opRemove); the link is dropped from both
// sides whichever dies first. An owner also hears (Notification) of every
// component inserted into or removed from its list, and passes it on to the
// components it owns, so siblings can drop references without asking.
//
// Destruction runs in ~TComponent, after the derived destructors: a class
// whose owned components call back into it while they die calls
// DestroyComponents() first in its own destructor.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Exceptions.h"
#include "Persistent.h"
#include "Set.h"

KESR_DECLARE_EXCEPTION(EComponentError, Exception);

enum TComponentStateFlag {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csInline,
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  KESR_CLASS(TComponent, TPersistent)
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  const std::string& Name() const { return FName; }
  // A valid identifier or empty; a name another component of the same owner
  // has (in any letter case) is refused with EComponentError.
  void SetName(const std::string& Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // EListError for an index out of range.
  TComponent* Components(int Index) const;
  // Position in the owner's list; -1 without an owner.
  int ComponentIndex() const;
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(std::string_view AName) const;
  template <class C>
  C* FindComponent(std::string_view AName) const {
    return dynamic_cast<C*>(FindComponent(AName));
  }
  // Takes AComponent over from its current owner.
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Deletes every owned component, last first.
  void DestroyComponents();

  TComponentState ComponentState() const { return FComponentState; }
  // For streaming and designers: sets or clears one state flag.
  void SetComponentStateFlag(TComponentStateFlag Flag, bool On);
  // Sets or clears csDesigning here and, with SetChildren, on everything owned.
  void SetDesigning(bool Value, bool SetChildren = true);

  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Streaming hooks. Reading a text calls SetParentComponent with the
  // component of the enclosing block (the root for top-level blocks);
  // controls override it to set their Parent. Writing walks GetChildren from
  // the root: the default yields, for the root itself, the owned components
  // that have no parent component; controls override it to yield their child
  // controls owned by Root.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value);
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const;
  // Called once after a text has been read into the component.
  virtual void Loaded();

  std::string GetNamePath() const override { return FName; }
  TPersistent* GetOwner() const override { return FOwner; }

  // Told of components inserted and removed (see above); overrides call the
  // inherited Notification.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
  // Raises EComponentError when NewName would clash with a component this
  // one owns; called before AComponent (owned, or about to be) takes it.
  virtual void ValidateRename(TComponent* AComponent, const std::string& CurName,
                              const std::string& NewName);

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void SetReference(bool Enable);
  void NotifyOwned(TComponent* AComponent, TOperation Operation);

  std::string FName;
  int FTag = 0;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// True for a valid component name: a letter or "_" followed by letters,
// digits and "_" (ASCII).
bool IsValidIdent(std::string_view Ident);
