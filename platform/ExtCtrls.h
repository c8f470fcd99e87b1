#pragma once
// Panels and radio groups.
#include <memory>
#include <vector>

#include "StdCtrls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
const TTypeInfo& PanelBevelTypeInfo();

class TCustomPanel : public TCustomControl {
  KESR_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Inside the bevels and the border.
  TRect ClientRect() const override;

private:
  TAlignment FAlignment = taCenter;
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
  KESR_CLASS(TPanel, TCustomPanel)
public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// A group of radio buttons made from Items. Its buttons are its own
// components, not the form's, so they are neither named by the form nor
// written with it. A change of ItemIndex, by the user or by code, raises
// OnClick (not while a layout is read).
class TCustomRadioGroup : public TCustomGroupBox {
  KESR_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  // The radio button of item Index.
  TRadioButton* Buttons(int Index) const;
  void Loaded() override;
  void SetEnabled(bool Value) override;

protected:
  void Resize() override;

private:
  void ItemsChanged();
  void ButtonClick(TObject* Sender);
  void ArrangeButtons();

  std::unique_ptr<TControlStrings> FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  KESR_CLASS(TRadioGroup, TCustomRadioGroup)
public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};
