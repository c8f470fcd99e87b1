#pragma once
// The list view: items with a caption and sub-items, columns, selection,
// sorting, and in-place editing of an item's caption.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Collection.h"
#include "Controls.h"
#include "StringList.h"

class TListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TSortType { stNone, stData, stText, stBoth };
enum TItemChange { ctText, ctImage, ctState };
const TTypeInfo& ViewStyleTypeInfo();
const TTypeInfo& SortTypeTypeInfo();

class TListColumn : public TCollectionItem {
  KESR_CLASS(TListColumn, TCollectionItem)
public:
  explicit TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  std::string GetDisplayName() const override { return FCaption.empty() ? ClassName() : FCaption; }

private:
  std::string FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
};

class TListColumns : public TCollection {
  KESR_CLASS(TListColumns, TCollection)
public:
  explicit TListColumns(TPersistent* Owner = nullptr)
      : TCollection(TListColumn::StaticClass(), FactoryOf<TListColumn>(), Owner) {}
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
};

class TListItem {
public:
  explicit TListItem(TListItems* Owner);
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  TListItems* Owner() const { return FOwner; }
  TListView* ListView() const;
  int Index() const;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TStrings* SubItems() const { return FSubItems.get(); }
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value);
  bool Focused() const;
  void SetFocused(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  // Starts editing the caption in place; false when the view is read-only
  // or OnEditing refuses.
  bool EditCaption();
  // Removes the item from its list and frees it.
  void Delete();

private:
  friend class TListItems;
  friend class TListView;
  TListItems* FOwner;
  std::string FCaption;
  std::unique_ptr<TStringList> FSubItems;
  bool FSelected = false;
  bool FChecked = false;
  int FImageIndex = -1;
  void* FData = nullptr;
};

class TListItems {
public:
  explicit TListItems(TListView* Owner) : FOwner(Owner) {}
  ~TListItems();
  TListItems(const TListItems&) = delete;
  TListItems& operator=(const TListItems&) = delete;

  TListView* Owner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError for an index out of range.
  TListItem* Item(int Index) const;
  TListItem* operator[](int Index) const { return Item(Index); }
  TListItem* Add();
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TListItem* Item) const;
  // Changes made between them are told to the view once.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

private:
  friend class TListItem;
  friend class TListView;
  TListView* FOwner;
  std::vector<std::unique_ptr<TListItem>> FItems;
  int FUpdateCount = 0;
};

// Sender, Item1, Item2, Data, var Compare.
struct TLVCompareEvent : TEvent<TObject*, TListItem*, TListItem*, int, int&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TLVCompareEvent";
};
// Sender, Item, var S: the edited caption, which the handler may change.
struct TLVEditedEvent : TEvent<TObject*, TListItem*, std::string&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TLVEditedEvent";
};
// Sender, Item, var AllowEdit.
struct TLVEditingEvent : TEvent<TObject*, TListItem*, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TLVEditingEvent";
};
// Sender, Item, Change.
struct TLVChangeEvent : TEvent<TObject*, TListItem*, TItemChange> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TLVChangeEvent";
};
// Sender, Item, Selected.
struct TLVSelectItemEvent : TEvent<TObject*, TListItem*, bool> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TLVSelectItemEvent";
};
// Sender, Column.
struct TLVColumnClickEvent : TEvent<TObject*, TListColumn*> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TLVColumnClickEvent";
};

// A custom comparison: Item1, Item2, Data -> <0, 0, >0.
using TLVCompare = std::function<int(TListItem*, TListItem*, int)>;

class TListView : public TWinControl {
  KESR_CLASS(TListView, TWinControl)
public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;

  TListItems* Items() const { return FItems.get(); }
  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TListColumns* Value);
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value) { FViewStyle = Value; }
  bool MultiSelect() const { return FMultiSelect; }
  // Switching it off keeps only the first selected item.
  void SetMultiSelect(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value) { FRowSelect = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value) { FShowColumnHeaders = Value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { FHideSelection = Value; }
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value) { FCheckboxes = Value; }
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value) { FGridLines = Value; }
  TSortType SortType() const { return FSortType; }
  // A sort type other than stNone sorts at once and after each change.
  void SetSortType(TSortType Value);

  // The first selected item, or nullptr; setting selects only that item.
  TListItem* Selected() const;
  void SetSelected(TListItem* Item);
  int SelCount() const;
  void ClearSelection();
  void SelectAll();
  TListItem* ItemFocused() const { return FFocused; }
  void SetItemFocused(TListItem* Item);
  int ItemIndex() const;
  void SetItemIndex(int Value);

  // Sorts with the comparison (stable); true when there was one.
  bool CustomSort(const TLVCompare& Compare, int Data = 0);
  // Sorts by OnCompare when assigned, else by caption.
  bool AlphaSort();

  // The item whose caption is being edited in place, or nullptr.
  TListItem* EditingItem() const { return FEditing; }
  // Ends the edit: OnEdited may change the text, then it becomes the
  // caption; a cancelled edit changes nothing.
  void EndEditing(const std::string& Text, bool Cancel = false);
  // As the user clicks a column header.
  void ColumnClick(int Index);

  TLVCompareEvent OnCompare;
  TLVEditedEvent OnEdited;
  TLVEditingEvent OnEditing;
  TLVChangeEvent OnChange;
  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;

protected:
  bool WantsKey(std::uint16_t Key, TShiftState Shift) const override;
  void DefaultKeyDown(std::uint16_t Key, TShiftState Shift) override;

private:
  friend class TListItem;
  friend class TListItems;
  void ItemChanged(TListItem* Item, TItemChange Change);
  void ItemRemoved(TListItem* Item);
  void SelectionChanged(TListItem* Item, bool Selected);
  bool BeginEdit(TListItem* Item);
  void SortIfNeeded();

  std::unique_ptr<TListItems> FItems;
  std::unique_ptr<TListColumns> FColumns;
  TViewStyle FViewStyle = vsIcon;
  bool FMultiSelect = false;
  bool FRowSelect = false;
  bool FReadOnly = false;
  bool FShowColumnHeaders = true;
  bool FHideSelection = true;
  bool FCheckboxes = false;
  bool FGridLines = false;
  TSortType FSortType = stNone;
  TListItem* FFocused = nullptr;
  TListItem* FEditing = nullptr;
  bool FSorting = false;
};
