#pragma once
// TCollection and TCollectionItem: an owned list of items of one class, as
// list-view columns and status-bar panels are; streamed as `< item ... end >`.
// The collection deletes its items; deleting an item removes it from its
// collection.
#include <string>
#include <vector>

#include "Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
  KESR_CLASS(TCollectionItem, TPersistent)
public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (nullptr: to none; the caller then frees it).
  void SetCollection(TCollection* Value);
  int Index() const;
  void SetIndex(int Value);
  // Unique within the collection, never reused.
  int ID() const { return FID; }
  virtual std::string GetDisplayName() const { return ClassName(); }
  // An item of the same class: its published properties are copied.
  void Assign(const TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;

protected:
  // Tells the collection the item changed (AllItems: every item is affected).
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  KESR_CLASS(TCollection, TPersistent)
public:
  using TItemFactory = TCollectionItem* (*)(TCollection* Collection);
  template <class TItem>
  static TItemFactory FactoryOf() {
    return [](TCollection* c) -> TCollectionItem* { return new TItem(c); };
  }

  // Owner: the object whose property the collection is (for GetNamePath).
  TCollection(const TClass& ItemClass, TItemFactory Factory, TPersistent* Owner = nullptr);
  ~TCollection() override;

  const TClass& ItemClass() const { return FItemClass; }
  TItemFactory ItemFactory() const { return FFactory; }
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  // EListError for an index out of range.
  void Delete(int Index);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int Index) const;
  TCollectionItem* FindItemID(int ID) const;

  // Update(nullptr) after the last EndUpdate when anything changed meanwhile.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // A collection of the same item class: its items are copied with Assign.
  void Assign(const TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  std::string GetNamePath() const override;

protected:
  // Called after a change of one item, or of the list (Item nullptr).
  virtual void Update(TCollectionItem* Item);

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void Changed(TCollectionItem* Item);

  const TClass& FItemClass;
  TItemFactory FFactory;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;
};
