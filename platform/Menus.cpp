#include "Menus.h"

#include <algorithm>

#include "Controls.h"
#include "TypInfo.h"

TShortCut ShortCut(std::uint16_t Key, TShiftState Shift) {
  TShortCut s = Key & 0xFF;
  if (Shift.Contains(ssShift)) s |= scShift;
  if (Shift.Contains(ssCtrl)) s |= scCtrl;
  if (Shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

void ShortCutToKey(TShortCut Value, std::uint16_t& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = {};
  if (Value & scShift) Shift.Include(ssShift);
  if (Value & scCtrl) Shift.Include(ssCtrl);
  if (Value & scAlt) Shift.Include(ssAlt);
}

// --------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("Menu index out of range (" + std::to_string(Index) + ")");
  return FItems[Index];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item || Item == this) return;
  if (Item->FParent) throw EInvalidOperation("Menu item already inserted elsewhere");
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    Remove(item);
    // An owned item is freed by its owner; one nobody owns goes with its menu.
    if (!item->Owner()) delete item;
  }
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value) {
  if (Value == scNone) return nullptr;
  for (TMenuItem* item : FItems) {
    if (item->FShortCut == Value) return item;
    if (TMenuItem* found = item->FindShortCut(Value)) return found;
  }
  return nullptr;
}

void TMenuItem::SetChecked(bool Value) {
  FChecked = Value;
  if (!Value || !FRadioItem || !FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
      sibling->FChecked = false;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(FRadioItem ? true : !FChecked);
  OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value)) item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  for (TMenuItem* item : FItems)
    if (item->Owner() == Root) Proc(item);
}

// ------------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  if (FImages) FImages->RemoveFreeNotification(this);
}

void TMenu::SetImages(TComponent* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

bool TMenu::IsShortCut(std::uint16_t Key, TShiftState Shift) {
  TMenuItem* item = FItems->FindShortCut(::ShortCut(Key, Shift));
  if (!item || !item->Enabled()) return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  FItems->GetChildren(Proc, Root);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent == Value) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = {X, Y};
  OnPopup(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

// ----------------------------------------------------------- class tables

namespace {
const TTypeInfo& ShortCutType() {
  static const TTypeInfo type = TTypeInfo::Integer("TShortCut");
  return type;
}
}  // namespace

const TClass& TMenuItem::StaticClass() {
  static const TClass Class =
      TClassBuilder<TMenuItem>("TMenuItem")
          .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
          .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
          .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
          .Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
          .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1)
          .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0)
          .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
          .Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1)
          .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
          .Property("ShortCut", ShortCutType(), &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
          .Default(0)
          .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1)
          .Property("OnClick", &TMenuItem::OnClick, &TMenuItem::OnClick)
          .Build();
  return Class;
}

const TClass& TMenu::StaticClass() {
  static const TClass Class =
      TClassBuilder<TMenu>("TMenu")
          .Abstract()
          .Property("Images", &TMenu::Images, &TMenu::SetImages)
          .Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
          .Build();
  return Class;
}

const TClass& TMainMenu::StaticClass() {
  static const TClass Class = TClassBuilder<TMainMenu>("TMainMenu").Build();
  return Class;
}

const TClass& TPopupMenu::StaticClass() {
  static const TClass Class =
      TClassBuilder<TPopupMenu>("TPopupMenu")
          .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(1)
          .Property("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::OnPopup)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TMenuItem::StaticClass(), &TMainMenu::StaticClass(),
                                           &TPopupMenu::StaticClass()}),
                          true);
}  // namespace
