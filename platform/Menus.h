#pragma once
// Menus: items in a tree, radio groups of items, shortcuts; pop-up and main
// menus that own their item tree. Items are components of the form so that
// stored layouts and handlers can name them.
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "KeyCodes.h"
#include "Types.h"

class TMenu;

// A shortcut from a virtual key and the shift state held with it.
TShortCut ShortCut(std::uint16_t Key, TShiftState Shift);
// The key and shift state of a shortcut.
void ShortCutToKey(TShortCut ShortCut, std::uint16_t& Key, TShiftState& Shift);

class TMenuItem : public TComponent {
  KESR_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  bool Checked() const { return FChecked; }
  // Checking a radio item unchecks the other radio items of its group.
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value) { FRadioItem = Value; }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // A separator line ("-").
  bool IsLine() const { return FCaption == "-"; }

  // The sub-items, in menu order. Items are freed by their owner; an item
  // that is freed leaves its parent item.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  // Removes every sub-item and frees the ones it owns or nobody owns.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The item of this tree with that shortcut, or nullptr.
  TMenuItem* FindShortCut(TShortCut Value);

  // Runs the item: AutoCheck toggles it (a radio item is checked), then
  // OnClick. A disabled item does nothing.
  virtual void Click();

  TNotifyEvent OnClick;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;

private:
  friend class TMenu;
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  int FGroupIndex = 0;
  TShortCut FShortCut = scNone;
  bool FDefault = false;
  int FImageIndex = -1;
  std::string FHint;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item
  std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
  KESR_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item; its sub-items are the menu's items.
  TMenuItem* Items() const { return FItems.get(); }
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value) { FOwnerDraw = Value; }
  TComponent* Images() const { return FImages; }
  void SetImages(TComponent* Value);
  // Runs the enabled item with that shortcut; false when there is none.
  bool IsShortCut(std::uint16_t Key, TShiftState Shift);

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::unique_ptr<TMenuItem> FItems;
  bool FOwnerDraw = false;
  TComponent* FImages = nullptr;
};

class TMainMenu : public TMenu {
  KESR_CLASS(TMainMenu, TMenu)
public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

class TPopupMenu : public TMenu {
  KESR_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  // Shows the menu at a screen point: raises OnPopup; there is no screen, so
  // a choice is made by clicking an item.
  virtual void Popup(int X, int Y);
  TPoint PopupPoint() const { return FPopupPoint; }

  TNotifyEvent OnPopup;

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
};
