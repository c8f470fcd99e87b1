#pragma once
// Page controls with tab sheets, and status bars with panels.
#include <string>
#include <vector>

#include "Collection.h"
#include "Controls.h"

class TPageControl;

// Sender, var AllowChange.
struct TTabChangingEvent : TEvent<TObject*, bool&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TTabChangingEvent";
};
// Control, TabIndex, Rect, Active: an owner-drawn tab is to be painted.
struct TDrawTabEvent : TEvent<TWinControl*, int, TRect, bool> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TDrawTabEvent";
};

class TTabSheet : public TWinControl {
  KESR_CLASS(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // Position among the pages.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // Position among the visible tabs; -1 when the tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }

  void SetParentComponent(TComponent* Value) override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

class TPageControl : public TWinControl {
  KESR_CLASS(TPageControl, TWinControl)
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  // EListError for an index out of range.
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the page without asking OnChanging or raising OnChange, as a
  // program switches pages; nullptr or a page of another control shows none.
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  // The active page's position among the visible tabs (-1 for none).
  int TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }
  // As the user picks a tab: OnChanging may refuse, then OnChange.
  bool SelectPage(TTabSheet* Page);
  // The next (or previous) visible page after the active one, wrapping.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value) { FOwnerDraw = Value; }
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { FMultiLine = Value; }
  TComponent* Images() const { return FImages; }
  void SetImages(TComponent* Value);
  // Asks OnDrawTab to paint each visible tab (owner drawing).
  void DrawTabs();

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;
  TDrawTabEvent OnDrawTab;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void ShowPage(TTabSheet* Page);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  bool FOwnerDraw = false;
  bool FMultiLine = false;
  TComponent* FImages = nullptr;
};

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
  KESR_CLASS(TStatusPanel, TCollectionItem)
public:
  explicit TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle Value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);
  std::string GetDisplayName() const override { return FText.empty() ? ClassName() : FText; }

private:
  std::string FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelStyle FStyle = psText;
  TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollection {
  KESR_CLASS(TStatusPanels, TCollection)
public:
  explicit TStatusPanels(TPersistent* Owner = nullptr)
      : TCollection(TStatusPanel::StaticClass(), FactoryOf<TStatusPanel>(), Owner) {}
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
};

class TStatusBar : public TWinControl {
  KESR_CLASS(TStatusBar, TWinControl)
public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return FPanels.get(); }
  void SetPanels(TStatusPanels* Value);
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value) { FSimplePanel = Value; }
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& Value) { FSimpleText = Value; }
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }

private:
  std::unique_ptr<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};
