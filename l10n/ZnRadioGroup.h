#pragma once
// TZnRadioGroup: a radio group whose buttons are TZnRadioButtons
// (TZnGroupButton), one per item, laid out column by column.
#include <memory>
#include <vector>

#include "StdCtrls.h"
#include "ZnRadioButton.h"

class TZnRadioGroup;

class TZnGroupButton : public TZnRadioButton {
  KESR_CLASS(TZnGroupButton, TZnRadioButton)
public:
  TZnGroupButton(TZnRadioGroup* Group, int Index);
  int Index() const { return FIndex; }

protected:
  // The group sees the keys first; Backspace and space are dropped while
  // the group may not be modified.
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Ch) override;

private:
  TZnRadioGroup* FGroup;
  int FIndex;
};

class TZnRadioGroup : public TCustomGroupBox {
  KESR_CLASS(TZnRadioGroup, TCustomGroupBox)
public:
  explicit TZnRadioGroup(TComponent* AOwner);
  ~TZnRadioGroup() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  // -1 for none; a value beyond the items selects none.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  // At least 1.
  void SetColumns(int Value);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TZnGroupButton* Buttons(int Index) const;
  // Whether a click may change the selection.
  virtual bool CanModify() const { return true; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool Value) override;

private:
  friend class TZnGroupButton;
  void ItemsChanged();
  void ButtonClick(TObject* Sender);
  void ArrangeButtons();
  void UpdateChecks();

  std::unique_ptr<TControlStrings> FItems;
  std::vector<TZnGroupButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};
