#include "ToolBar.h"

#include <algorithm>

#include "Menus.h"
#include "TypInfo.h"

const TTypeInfo& ToolButtonStyleTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration(
      "TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"});
  return type;
}

// ----------------------------------------------------------------- TToolBar

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

TToolBar::~TToolBar() {
  if (FImages) FImages->RemoveFreeNotification(this);
}

void TToolBar::SetButtonWidth(int Value) {
  FButtonWidth = Value;
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int Value) {
  FButtonHeight = Value;
  ArrangeButtons();
}

void TToolBar::SetImages(TComponent* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TToolBar::ArrangeButtons() {
  int x = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* b = dynamic_cast<TToolButton*>(Controls(i));
    if (!b || !b->Visible()) continue;
    int w = b->Style() == tbsSeparator || b->Style() == tbsDivider ? 8 : FButtonWidth;
    b->SetBounds(x, 0, w, FButtonHeight);
    x += w;
  }
}

// -------------------------------------------------------------- TToolButton

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

TToolButton::~TToolButton() {
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
}

void TToolButton::SetParent(TWinControl* AParent) {
  TGraphicControl::SetParent(AParent);
  if (auto* bar = dynamic_cast<TToolBar*>(AParent)) bar->ArrangeButtons();
}

void TToolButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  if (!Value || !FGrouped || !Parent()) return;
  // Grouped check buttons side by side work as one group.
  int me = -1;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (Parent()->Controls(i) == this) me = i;
  auto release = [&](int i) {
    auto* b = dynamic_cast<TToolButton*>(Parent()->Controls(i));
    if (!b || !b->FGrouped || b->FStyle != tbsCheck) return false;
    b->FDown = false;
    return true;
  };
  for (int i = me - 1; i >= 0 && release(i); --i) {
  }
  for (int i = me + 1; i < Parent()->ControlCount() && release(i); ++i) {
  }
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
  if (FDropdownMenu == Value) return;
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropdownMenu) FDropdownMenu = nullptr;
}

void TToolButton::Click() {
  if (!Enabled()) return;
  if (FStyle == tbsCheck) SetDown(FGrouped ? true : !FDown);
  TGraphicControl::Click();
}

void TToolButton::DropDown() {
  if (!FDropdownMenu) return;
  TPoint p = ClientToScreen({0, Height()});
  FDropdownMenu->SetPopupComponent(this);
  FDropdownMenu->Popup(p.X, p.Y);
}

// ------------------------------------------------------------- TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetMin(int Value) {
  FMin = Value;
  FMax = std::max(FMax, FMin);
  SetPosition(FPosition);
}

void TProgressBar::SetMax(int Value) {
  FMax = Value;
  FMin = std::min(FMin, FMax);
  SetPosition(FPosition);
}

void TProgressBar::SetPosition(int Value) { FPosition = std::clamp(Value, FMin, FMax); }

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
  SetCursor(crHSplit);
}

// ----------------------------------------------------------- class tables

const TClass& TImageList::StaticClass() {
  static const TClass Class = TClassBuilder<TImageList>("TImageList")
                                  .Property("Width", &TImageList::Width, &TImageList::SetWidth).Default(16)
                                  .Property("Height", &TImageList::Height, &TImageList::SetHeight).Default(16)
                                  .Property("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(1)
                                  .Build();
  return Class;
}

const TClass& TToolBar::StaticClass() {
  static const TClass Class =
      TClassBuilder<TToolBar>("TToolBar")
          .Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22)
          .Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23)
          .Property("Caption", &TToolBar::Caption, &TToolBar::SetCaption)
          .Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(0)
          .Property("Images", &TToolBar::Images, &TToolBar::SetImages)
          .Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(0)
          .Build();
  return Class;
}

const TClass& TToolButton::StaticClass() {
  static const TClass Class =
      TClassBuilder<TToolButton>("TToolButton")
          .Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption)
          .Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(0)
          .Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu)
          .Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(0)
          .Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1)
          .Property("Style", ToolButtonStyleTypeInfo(), &TToolButton::Style, &TToolButton::SetStyle)
          .Default(tbsButton)
          .Build();
  return Class;
}

const TClass& TProgressBar::StaticClass() {
  static const TClass Class = TClassBuilder<TProgressBar>("TProgressBar")
                                  .Property("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0)
                                  .Property("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100)
                                  .Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition)
                                  .Default(0)
                                  .Property("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10)
                                  .Build();
  return Class;
}

const TClass& TSplitter::StaticClass() {
  static const TClass Class = TClassBuilder<TSplitter>("TSplitter")
                                  .Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(0)
                                  .Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClasses({&TImageList::StaticClass(), &TToolBar::StaticClass(),
                                           &TToolButton::StaticClass(), &TProgressBar::StaticClass(),
                                           &TSplitter::StaticClass()}),
                          true);
}  // namespace
