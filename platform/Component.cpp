#include "Component.h"

#include <algorithm>

#include "StrUtils.h"

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

}  // namespace

bool IsValidIdent(std::string_view Ident) {
  if (Ident.empty() || !IsIdentStart(Ident.front())) return false;
  return std::all_of(Ident.begin(), Ident.end(), [](char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); });
}

const TClass& TComponent::StaticClass() {
  static const TClass Class = TClassBuilder<TComponent>("TComponent")
                                  .Property("Name", &TComponent::Name, &TComponent::SetName)
                                  .Stored(false)
                                  .Property("Tag", &TComponent::Tag, &TComponent::SetTag)
                                  .Default(0)
                                  .Build();
  return Class;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState.Include(csDestroying);
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Erase(other->FFreeNotifies, this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& Value) {
  if (FName == Value) return;
  if (!Value.empty() && !IsValidIdent(Value))
    throw EComponentError("'" + Value + "' is not a valid component name");
  if (FOwner) FOwner->ValidateRename(this, FName, Value);
  else ValidateRename(nullptr, FName, Value);
  SetReference(false);
  FName = Value;
  SetReference(true);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  ValidateRename(AComponent, std::string(), AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  // Re-read the list every time: a component may free siblings as it dies.
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool On) {
  if (On) FComponentState.Include(Flag);
  else FComponentState.Exclude(Flag);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  SetComponentStateFlag(csDesigning, Value);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
      AComponent->FFreeNotifies.end())
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  Erase(FFreeNotifies, AComponent);
  Erase(AComponent->FFreeNotifies, this);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  if (Root != this) return;
  // A copy: the callback may be a writer that creates scratch components.
  std::vector<TComponent*> owned = FComponents;
  for (TComponent* c : owned)
    if (!c->HasParent()) Proc(c);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  NotifyOwned(AComponent, Operation);
}

void TComponent::NotifyOwned(TComponent* AComponent, TOperation Operation) {
  // From the end, clamped: a notified component may free others.
  for (std::size_t i = FComponents.size(); i > 0;) {
    --i;
    TComponent* c = FComponents[i];
    if (c != AComponent) c->Notification(AComponent, Operation);
    i = std::min(i, FComponents.size());
  }
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) {
  if (!AComponent || NewName.empty() || SameText(CurName, NewName)) return;
  TComponent* existing = FindComponent(NewName);
  if (existing && existing != AComponent) throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  Erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::SetReference(bool Enable) {
  // An owner that is being destroyed has lost its derived part, and its fields with it.
  if (!FOwner || FName.empty() || FOwner->FComponentState.Contains(csDestroying)) return;
  if (const TFieldEntry* field = FOwner->ClassType().FindField(FName))
    field->Set(*FOwner, Enable ? this : nullptr);
}
