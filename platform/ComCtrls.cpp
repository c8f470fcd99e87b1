#include "ComCtrls.h"

#include <algorithm>

#include "Forms.h"
#include "TypInfo.h"

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  TControl::SetVisible(false);
  SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

void TTabSheet::SetParentComponent(TComponent* Value) {
  if (auto* pages = dynamic_cast<TPageControl*>(Value)) SetPageControl(pages);
  else TWinControl::SetParentComponent(Value);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  pages.erase(std::find(pages.begin(), pages.end(), this));
  Value = std::clamp(Value, 0, static_cast<int>(pages.size()));
  pages.insert(pages.begin() + Value, this);
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  // A page whose tab goes away stops being the shown one.
  if (!Value && FPageControl && FPageControl->FActivePage == this)
    FPageControl->SetActivePage(FPageControl->FindNextPage(this, true, true));
}

// ------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
  if (FImages) FImages->RemoveFreeNotification(this);
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FPages[Index];
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  if (!FActivePage && !ComponentState().Contains(csLoading)) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  if (FActivePage == Page) {
    TTabSheet* next = FindNextPage(Page, true, true);
    ShowPage(next != Page ? next : nullptr);
  }
  FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
  Page->FPageControl = nullptr;
}

void TPageControl::ShowPage(TTabSheet* Page) {
  TTabSheet* old = FActivePage;
  if (old == Page) return;
  FActivePage = Page;
  if (Page) {
    Page->TControl::SetVisible(true);
    Page->BringToFront();
    Page->OnShow(Page);
  }
  if (old) {
    old->TControl::SetVisible(false);
    old->OnHide(old);
  }
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) Page = nullptr;
  ShowPage(Page);
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[Value] : nullptr);
}

bool TPageControl::SelectPage(TTabSheet* Page) {
  if (!Page || Page->FPageControl != this || Page == FActivePage) return false;
  bool allow = true;
  OnChanging(this, allow);
  if (!allow) return false;
  SetActivePage(Page);
  OnChange(this);
  return true;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  int count = PageCount();
  if (count == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  int start = it != FPages.end() ? static_cast<int>(it - FPages.begin()) : GoForward ? count - 1 : 0;
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    if (!CheckTabVisible || FPages[i]->FTabVisible) return FPages[i];
  } while (i != start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  TTabSheet* next = FindNextPage(FActivePage, GoForward, CheckTabVisible);
  if (next && next != FActivePage) SelectPage(next);
}

void TPageControl::SetImages(TComponent* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TPageControl::DrawTabs() {
  if (!FOwnerDraw) return;
  int x = 0;
  for (TTabSheet* page : FPages) {
    if (!page->FTabVisible) continue;
    TRect r = Bounds(x, 0, 80, 20);
    OnDrawTab(this, page->TabIndex(), r, page == FActivePage);
    x += r.Width();
  }
}

void TPageControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  for (TTabSheet* page : FPages)
    if (page->Owner() == Root) Proc(page);
}

// --------------------------------------------------------------- status bar

void TStatusPanel::SetText(const std::string& Value) {
  FText = Value;
  Changed(false);
}

void TStatusPanel::SetWidth(int Value) {
  FWidth = Value;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  FStyle = Value;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  FBevel = Value;
  Changed(false);
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetPanels(TStatusPanels* Value) {
  if (Value) FPanels->Assign(Value);
}

// ----------------------------------------------------------- class tables

namespace {
const TTypeInfo& StatusPanelStyleType() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TStatusPanelStyle", {"psText", "psOwnerDraw"});
  return type;
}
const TTypeInfo& StatusPanelBevelType() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"});
  return type;
}
}  // namespace

const TClass& TTabSheet::StaticClass() {
  static const TClass Class =
      TClassBuilder<TTabSheet>("TTabSheet")
          .Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
          .Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(-1)
          .Property("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl).Stored(false)
          .Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false)
          .Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(1)
          .Property("OnShow", &TTabSheet::OnShow, &TTabSheet::OnShow)
          .Property("OnHide", &TTabSheet::OnHide, &TTabSheet::OnHide)
          .Build();
  return Class;
}

const TClass& TPageControl::StaticClass() {
  static const TClass Class =
      TClassBuilder<TPageControl>("TPageControl")
          .Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
          .Property("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex)
          .Stored(false)
          .Property("Images", &TPageControl::Images, &TPageControl::SetImages)
          .Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine).Default(0)
          .Property("OwnerDraw", &TPageControl::OwnerDraw, &TPageControl::SetOwnerDraw).Default(0)
          .Property("OnChange", &TPageControl::OnChange, &TPageControl::OnChange)
          .Property("OnChanging", &TPageControl::OnChanging, &TPageControl::OnChanging)
          .Property("OnDrawTab", &TPageControl::OnDrawTab, &TPageControl::OnDrawTab)
          .Build();
  return Class;
}

const TClass& TStatusPanel::StaticClass() {
  static const TClass Class =
      TClassBuilder<TStatusPanel>("TStatusPanel")
          .Property("Alignment", AlignmentTypeInfo(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
          .Default(taLeftJustify)
          .Property("Bevel", StatusPanelBevelType(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered)
          .Property("Style", StatusPanelStyleType(), &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText)
          .Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50)
          .Build();
  return Class;
}

const TClass& TStatusPanels::StaticClass() {
  static const TClass Class = TClassBuilder<TStatusPanels>("TStatusPanels").Abstract().Build();
  return Class;
}

const TClass& TStatusBar::StaticClass() {
  static const TClass Class =
      TClassBuilder<TStatusBar>("TStatusBar")
          .Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels)
          .Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(0)
          .Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
          .Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(1)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TTabSheet::StaticClass(), &TPageControl::StaticClass(),
                                           &TStatusBar::StaticClass()}),
                          true);
}  // namespace
