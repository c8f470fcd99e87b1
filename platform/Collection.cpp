#include "Collection.h"

#include <algorithm>

const TClass& TCollectionItem::StaticClass() {
  static const TClass Class = TClassBuilder<TCollectionItem>("TCollectionItem").Build();
  return Class;
}

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
  if (Value == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int current = Index();
  if (current < 0 || Value == current) return;
  auto& items = FCollection->FItems;
  Value = std::clamp(Value, 0, static_cast<int>(items.size()) - 1);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  FCollection->Changed(nullptr);
}

void TCollectionItem::Assign(const TPersistent* Source) {
  if (!Source || &Source->ClassType() != &ClassType()) {
    TPersistent::Assign(Source);
    return;
  }
  for (const TPropInfo* p : ClassType().Properties()) {
    if (p->IsReadOnly() && p->Kind() != tkClass) continue;
    switch (p->Kind()) {
      case tkInteger:
      case tkChar:
      case tkEnumeration:
      case tkSet: p->SetOrd(*this, p->GetOrd(*Source)); break;
      case tkFloat: p->SetFloat(*this, p->GetFloat(*Source)); break;
      case tkString: p->SetStr(*this, p->GetStr(*Source)); break;
      case tkClass:
        if (auto* from = dynamic_cast<TPersistent*>(p->GetObject(*Source)))
          if (auto* to = dynamic_cast<TPersistent*>(p->GetObject(*this))) to->Assign(from);
        break;
      case tkMethod: p->SetMethod(*this, p->GetMethod(*Source)); break;
      case tkUnknown: break;
    }
  }
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

std::string TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection) FCollection->Changed(AllItems ? nullptr : this);
}

const TClass& TCollection::StaticClass() {
  static const TClass Class = TClassBuilder<TCollection>("TCollection").Abstract().Build();
  return Class;
}

TCollection::TCollection(const TClass& ItemClass, TItemFactory Factory, TPersistent* Owner)
    : FItemClass(ItemClass), FFactory(Factory), FOwner(Owner) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no Update calls into a half-destroyed owner
  Clear();
}

TCollectionItem* TCollection::Add() { return FFactory(this); }

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) delete FItems.back();
  EndUpdate();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    Update(nullptr);
  }
}

void TCollection::Assign(const TPersistent* Source) {
  auto* source = dynamic_cast<const TCollection*>(Source);
  if (!source || &source->FItemClass != &FItemClass) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : source->FItems) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TCollection::GetNamePath() const {
  if (!FOwner) return ClassName();
  return FOwner->GetNamePath() + "." + ClassName();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
  Item->FCollection = nullptr;
  Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* Item) {
  if (FUpdateCount > 0) FChangedWhileUpdating = true;
  else Update(Item);
}
