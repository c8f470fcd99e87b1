#include "ListView.h"

#include <algorithm>

#include "Colors.h"
#include "StrUtils.h"
#include "TypInfo.h"

const TTypeInfo& ViewStyleTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
  return type;
}

const TTypeInfo& SortTypeTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TSortType", {"stNone", "stData", "stText", "stBoth"});
  return type;
}

// ---------------------------------------------------------------- TListItem

TListItem::TListItem(TListItems* Owner) : FOwner(Owner), FSubItems(std::make_unique<TStringList>()) {}

TListView* TListItem::ListView() const { return FOwner ? FOwner->Owner() : nullptr; }

int TListItem::Index() const { return FOwner ? FOwner->IndexOf(this) : -1; }

void TListItem::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  if (TListView* view = ListView()) view->ItemChanged(this, ctText);
}

void TListItem::SetSelected(bool Value) {
  if (FSelected == Value) return;
  TListView* view = ListView();
  if (Value && view && !view->MultiSelect()) view->ClearSelection();
  FSelected = Value;
  if (view) view->SelectionChanged(this, Value);
}

bool TListItem::Focused() const {
  TListView* view = ListView();
  return view && view->ItemFocused() == this;
}

void TListItem::SetFocused(bool Value) {
  if (TListView* view = ListView()) {
    if (Value) view->SetItemFocused(this);
    else if (view->ItemFocused() == this) view->SetItemFocused(nullptr);
  }
}

bool TListItem::EditCaption() {
  TListView* view = ListView();
  return view && view->BeginEdit(this);
}

void TListItem::Delete() {
  if (FOwner) FOwner->Delete(Index());
}

// --------------------------------------------------------------- TListItems

TListItems::~TListItems() = default;

TListItem* TListItems::Item(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FItems[Index].get();
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, std::make_unique<TListItem>(this));
  TListItem* item = FItems[Index].get();
  if (FUpdateCount == 0 && FOwner) FOwner->SortIfNeeded();
  return item;
}

void TListItems::Delete(int Index) {
  TListItem* item = Item(Index);
  if (FOwner) FOwner->ItemRemoved(item);
  FItems.erase(FItems.begin() + Index);
}

void TListItems::Clear() {
  BeginUpdate();
  while (Count() > 0) Delete(Count() - 1);
  EndUpdate();
}

int TListItems::IndexOf(const TListItem* Item) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[i].get() == Item) return i;
  return -1;
}

void TListItems::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FOwner) FOwner->SortIfNeeded();
}

// ---------------------------------------------------------------- TListView

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TListItems>(this)),
      FColumns(std::make_unique<TListColumns>(this)) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TListView::~TListView() {
  FEditing = nullptr;
  FFocused = nullptr;
  // Items go without selection events.
  FItems->FOwner = nullptr;
  FItems.reset();
}

void TListView::SetColumns(TListColumns* Value) {
  if (Value) FColumns->Assign(Value);
}

void TListView::SetMultiSelect(bool Value) {
  FMultiSelect = Value;
  if (Value) return;
  bool first = true;
  for (auto& item : FItems->FItems) {
    if (!item->FSelected) continue;
    if (!first) item->FSelected = false;
    first = false;
  }
}

void TListView::SetSortType(TSortType Value) {
  FSortType = Value;
  SortIfNeeded();
}

TListItem* TListView::Selected() const {
  for (auto& item : FItems->FItems)
    if (item->FSelected) return item.get();
  return nullptr;
}

void TListView::SetSelected(TListItem* Item) {
  ClearSelection();
  if (Item && Item->Owner() == FItems.get()) {
    Item->SetSelected(true);
    SetItemFocused(Item);
  }
}

int TListView::SelCount() const {
  return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                        [](const auto& item) { return item->FSelected; }));
}

void TListView::ClearSelection() {
  for (auto& item : FItems->FItems)
    if (item->FSelected) {
      item->FSelected = false;
      SelectionChanged(item.get(), false);
    }
}

void TListView::SelectAll() {
  if (!FMultiSelect) return;
  for (auto& item : FItems->FItems) item->SetSelected(true);
}

void TListView::SetItemFocused(TListItem* Item) {
  FFocused = Item && Item->Owner() == FItems.get() ? Item : nullptr;
}

int TListView::ItemIndex() const {
  TListItem* item = Selected();
  return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int Value) {
  SetSelected(Value >= 0 && Value < FItems->Count() ? FItems->Item(Value) : nullptr);
}

bool TListView::CustomSort(const TLVCompare& Compare, int Data) {
  if (!Compare) return false;
  FSorting = true;
  std::stable_sort(FItems->FItems.begin(), FItems->FItems.end(),
                   [&](const auto& a, const auto& b) { return Compare(a.get(), b.get(), Data) < 0; });
  FSorting = false;
  return true;
}

bool TListView::AlphaSort() {
  if (OnCompare.Assigned())
    return CustomSort([this](TListItem* a, TListItem* b, int data) {
      int result = 0;
      OnCompare(this, a, b, data, result);
      return result;
    });
  return CustomSort([](TListItem* a, TListItem* b, int) { return AnsiCompareText(a->Caption(), b->Caption()); });
}

void TListView::SortIfNeeded() {
  if (FSortType != stNone && !FSorting && FItems && FItems->UpdateCount() == 0) AlphaSort();
}

bool TListView::BeginEdit(TListItem* Item) {
  if (FReadOnly || !Item) return false;
  bool allow = true;
  OnEditing(this, Item, allow);
  if (!allow) return false;
  FEditing = Item;
  return true;
}

void TListView::EndEditing(const std::string& Text, bool Cancel) {
  TListItem* item = FEditing;
  FEditing = nullptr;
  if (!item || Cancel) return;
  std::string s = Text;
  OnEdited(this, item, s);
  item->SetCaption(s);
}

void TListView::ColumnClick(int Index) {
  if (Index < 0 || Index >= FColumns->Count()) return;
  OnColumnClick(this, FColumns->Items(Index));
}

void TListView::ItemChanged(TListItem* Item, TItemChange Change) {
  if (FItems->UpdateCount() > 0) return;
  OnChange(this, Item, Change);
  if (Change == ctText) SortIfNeeded();
}

void TListView::ItemRemoved(TListItem* Item) {
  if (FFocused == Item) FFocused = nullptr;
  if (FEditing == Item) FEditing = nullptr;
}

void TListView::SelectionChanged(TListItem* Item, bool IsSelected) {
  OnSelectItem(this, Item, IsSelected);
  if (FItems->UpdateCount() == 0) OnChange(this, Item, ctState);
}

bool TListView::WantsKey(std::uint16_t Key, TShiftState) const {
  return Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT;
}

void TListView::DefaultKeyDown(std::uint16_t Key, TShiftState) {
  int count = FItems->Count();
  if (count == 0) return;
  int current = FFocused ? FFocused->Index() : -1;
  int next = current;
  if (Key == VK_DOWN || Key == VK_RIGHT) next = std::min(current + 1, count - 1);
  else if (Key == VK_UP || Key == VK_LEFT) next = std::max(current - 1, 0);
  else if (Key == VK_HOME) next = 0;
  else if (Key == VK_END) next = count - 1;
  else if (Key == VK_F2 && FFocused) {
    FFocused->EditCaption();
    return;
  } else {
    return;
  }
  if (next != current) SetSelected(FItems->Item(next));
}

// ----------------------------------------------------------- class tables

const TClass& TListColumn::StaticClass() {
  static const TClass Class =
      TClassBuilder<TListColumn>("TListColumn")
          .Property("Alignment", AlignmentTypeInfo(), &TListColumn::Alignment, &TListColumn::SetAlignment)
          .Default(taLeftJustify)
          .Property("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize).Default(0)
          .Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
          .Property("Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50)
          .Build();
  return Class;
}

const TClass& TListColumns::StaticClass() {
  static const TClass Class = TClassBuilder<TListColumns>("TListColumns").Abstract().Build();
  return Class;
}

const TClass& TListView::StaticClass() {
  static const TClass Class =
      TClassBuilder<TListView>("TListView")
          .Property("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes).Default(0)
          .Property("Columns", &TListView::Columns, &TListView::SetColumns)
          .Property("GridLines", &TListView::GridLines, &TListView::SetGridLines).Default(0)
          .Property("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection).Default(1)
          .Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect).Default(0)
          .Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly).Default(0)
          .Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect).Default(0)
          .Property("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders)
          .Default(1)
          .Property("SortType", SortTypeTypeInfo(), &TListView::SortType, &TListView::SetSortType).Default(stNone)
          .Property("ViewStyle", ViewStyleTypeInfo(), &TListView::ViewStyle, &TListView::SetViewStyle)
          .Default(vsIcon)
          .Property("OnChange", &TListView::OnChange, &TListView::OnChange)
          .Property("OnColumnClick", &TListView::OnColumnClick, &TListView::OnColumnClick)
          .Property("OnCompare", &TListView::OnCompare, &TListView::OnCompare)
          .Property("OnEdited", &TListView::OnEdited, &TListView::OnEdited)
          .Property("OnEditing", &TListView::OnEditing, &TListView::OnEditing)
          .Property("OnSelectItem", &TListView::OnSelectItem, &TListView::OnSelectItem)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TListView::StaticClass()), true);
}  // namespace
