#pragma once
// Tool bars with tool buttons, progress bars, splitters and image lists.
#include <string>

#include "Controls.h"

class TPopupMenu;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TTypeInfo& ToolButtonStyleTypeInfo();

// A list of equally sized images that controls name by index. The images
// themselves belong to the graphics layer; the list keeps their size and
// number.
class TImageList : public TComponent {
  KESR_CLASS(TImageList, TComponent)
public:
  explicit TImageList(TComponent* AOwner) : TComponent(AOwner) {}
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Count() const { return FCount; }
  void SetCount(int Value) { FCount = Value < 0 ? 0 : Value; }
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value) { FMasked = Value; }

private:
  int FWidth = 16;
  int FHeight = 16;
  int FCount = 0;
  bool FMasked = true;
};

class TToolBar : public TWinControl {
  KESR_CLASS(TToolBar, TWinControl)
public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value) { FShowCaptions = Value; }
  TComponent* Images() const { return FImages; }
  void SetImages(TComponent* Value);
  // Lays the buttons out left to right at the button size.
  void ArrangeButtons();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FFlat = false;
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  bool FShowCaptions = false;
  TComponent* FImages = nullptr;
};

class TToolButton : public TGraphicControl {
  KESR_CLASS(TToolButton, TGraphicControl)
public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value) { FStyle = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool Value) { FGrouped = Value; }
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value);
  // A check button toggles (a grouped one stays down); then OnClick.
  void Click() override;
  // The arrow of a drop-down button: shows its menu below the button.
  void DropDown();
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  bool FDown = false;
  bool FGrouped = false;
  TPopupMenu* FDropdownMenu = nullptr;
};

class TProgressBar : public TWinControl {
  KESR_CLASS(TProgressBar, TWinControl)
public:
  explicit TProgressBar(TComponent* AOwner);
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  // Kept between Min and Max.
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Step() const { return FStep; }
  void SetStep(int Value) { FStep = Value; }
  void StepIt() { SetPosition(FPosition + FStep); }
  void StepBy(int Delta) { SetPosition(FPosition + Delta); }

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
};

// Resizes the control beside it when dragged; here it keeps its settings.
class TSplitter : public TGraphicControl {
  KESR_CLASS(TSplitter, TGraphicControl)
public:
  explicit TSplitter(TComponent* AOwner);
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value; }
  bool Beveled() const { return FBeveled; }
  void SetBeveled(bool Value) { FBeveled = Value; }

private:
  int FMinSize = 30;
  bool FBeveled = false;
};
