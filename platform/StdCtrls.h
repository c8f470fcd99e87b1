#pragma once
// The standard controls: label, edit, memo, combo box, list box, button,
// check box, radio button, group box. Texts and caret positions count
// characters (code points), not bytes.
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "StringList.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

const TTypeInfo& TextLayoutTypeInfo();
const TTypeInfo& EditCharCaseTypeInfo();
const TTypeInfo& ScrollStyleTypeInfo();
const TTypeInfo& ComboBoxStyleTypeInfo();
const TTypeInfo& ListBoxStyleTypeInfo();
const TTypeInfo& CheckBoxStateTypeInfo();

// Control, Index, Rect, State: an owner-drawn item is to be painted.
struct TDrawItemEvent : TEvent<TWinControl*, int, TRect, TOwnerDrawState> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TDrawItemEvent";
};
// Control, Index, var Height.
struct TMeasureItemEvent : TEvent<TWinControl*, int, int&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TMeasureItemEvent";
};

class TCustomLabel : public TGraphicControl {
  KESR_CLASS(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* AOwner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value) { FLayout = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value) { FShowAccelChar = Value; }
  // The control its accelerator focuses.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  // Sizes the label to its text in its font (with AutoSize).
  void AdjustBounds();

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Dispatch(TMessage& Message) override;
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override;

private:
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  KESR_CLASS(TLabel, TCustomLabel)
public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

class TCustomEdit : public TWinControl {
  KESR_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* AOwner);

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value) { FPasswordChar = Value; }
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // The selection, in characters from 0.
  int SelStart() const { return FSelStart; }
  void SetSelStart(int Value);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int Value);
  std::string SelText() const;
  // Replaces the selection with Value, as typing or pasting does.
  virtual void SetSelText(const std::string& Value);
  void SelectAll();
  void ClearSelection() { SetSelText(""); }
  void Clear() { SetText(""); }

  void SetText(const std::string& Value) override;

  TNotifyEvent OnChange;

protected:
  // The text changed: raises OnChange.
  virtual void Change() { OnChange(this); }
  void TextChanged() override;
  bool WantsKey(std::uint16_t Key, TShiftState Shift) const override;
  bool WantsChars() const override { return true; }
  void DoEnter() override;
  void DefaultKeyDown(std::uint16_t Key, TShiftState Shift) override;
  void DefaultKeyPress(char32_t Ch) override;
  char32_t ApplyCharCase(char32_t Ch) const;
  // Sets the text a user's editing produced (marks the edit modified).
  void SetEditedText(const std::string& Value, int Caret);
  // The characters the caret moves over.
  virtual int TextLength() const;

private:
  int FMaxLength = 0;
  bool FReadOnly = false;
  char FPasswordChar = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FModified = false;
  int FSelStart = 0;
  int FSelLength = 0;
};

class TEdit : public TCustomEdit {
  KESR_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TCustomMemo : public TCustomEdit {
  KESR_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  // The lines of the text; changing them changes the text.
  TStrings* Lines() const;
  void SetLines(TStrings* Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value) { FScrollBars = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  // The caret as column (X) and line (Y), both from 0.
  TPoint CaretPos() const;
  void SetCaretPos(const TPoint& Value);

protected:
  bool WantsKey(std::uint16_t Key, TShiftState Shift) const override;
  void DefaultKeyPress(char32_t Ch) override;

private:
  class TMemoStrings;
  std::unique_ptr<TMemoStrings> FLines;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  TScrollStyle FScrollBars = ssNone;
  TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
  KESR_CLASS(TMemo, TCustomMemo)
public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// A list control's items: a string list that tells its control of changes.
class TControlStrings : public TStringList {
public:
  explicit TControlStrings(std::function<void()> Changed);

protected:
  void Changed() override;

private:
  std::function<void()> FNotify;
};

class TCustomComboBox : public TWinControl {
  KESR_CLASS(TCustomComboBox, TWinControl)
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  TStrings* Items() const;
  void SetItems(TStrings* Value);
  // -1 for none. Setting it shows the item's text; out of range selects none.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // The lists without an edit part (csDropDownList and the owner-drawn
  // styles) only show item texts: another text selects nothing.
  void SetText(const std::string& Value) override;
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value);
  // Whether the box has an edit part the user types into.
  bool HasEdit() const;
  // As a user picks an item: the text follows, then OnClick and OnSelect
  // (OnChange when OnSelect is unassigned).
  void SelectItem(int Index);
  void Clear();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  virtual void Change() { OnChange(this); }
  bool WantsKey(std::uint16_t Key, TShiftState Shift) const override;
  bool WantsChars() const override { return true; }
  void DefaultKeyDown(std::uint16_t Key, TShiftState Shift) override;
  void DefaultKeyPress(char32_t Ch) override;

private:
  void ItemsChanged();

  TComboBoxStyle FStyle = csDropDown;
  std::unique_ptr<TControlStrings> FItems;
  int FItemIndex = -1;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  int FMaxLength = 0;
  bool FSorted = false;
  bool FDroppedDown = false;
};

class TComboBox : public TCustomComboBox {
  KESR_CLASS(TComboBox, TCustomComboBox)
public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

class TCustomListBox : public TWinControl {
  KESR_CLASS(TCustomListBox, TWinControl)
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value) { FStyle = Value; }
  TStrings* Items() const;
  void SetItems(TStrings* Value);
  // The item with the focus rectangle (the selected one without
  // MultiSelect); -1 for none.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value) { FExtendedSelect = Value; }
  // EListError for an index out of range.
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  void ClearSelection();
  void SelectAll();
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  int Columns() const { return FColumns; }
  void SetColumns(int Value) { FColumns = Value; }
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int Value) { FTopIndex = Value; }
  void Clear();

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  bool WantsKey(std::uint16_t Key, TShiftState Shift) const override;
  void DefaultKeyDown(std::uint16_t Key, TShiftState Shift) override;

private:
  void ItemsChanged();

  TListBoxStyle FStyle = lbStandard;
  std::unique_ptr<TControlStrings> FItems;
  std::vector<bool> FSelected;
  int FItemIndex = -1;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  int FItemHeight = 13;
  int FColumns = 0;
  int FTopIndex = 0;
};

class TListBox : public TCustomListBox {
  KESR_CLASS(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

class TButtonControl : public TWinControl {
  KESR_CLASS(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* AOwner);

protected:
  void Dispatch(TMessage& Message) override;
  void DefaultKeyPress(char32_t Ch) override;
};

class TButton : public TButtonControl {
  KESR_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* AOwner);

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Enter clicks the default button unless another button has the focus;
  // Escape clicks the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Gives the form this button's ModalResult, then OnClick.
  void Click() override;

protected:
  void Dispatch(TMessage& Message) override;

private:
  bool Active() const;

  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};

class TCustomCheckBox : public TButtonControl {
  KESR_CLASS(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* AOwner);

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  // A change raises OnClick, whoever makes it.
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  // The next state as a click makes it.
  virtual void Toggle();

protected:
  void UserClick() override { Toggle(); }

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  KESR_CLASS(TCheckBox, TCustomCheckBox)
public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
  KESR_CLASS(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  // Checking one unchecks the radio buttons beside it and raises OnClick.
  void SetChecked(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }

protected:
  void UserClick() override { SetChecked(true); }

private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

class TCustomGroupBox : public TCustomControl {
  KESR_CLASS(TCustomGroupBox, TCustomControl)
public:
  explicit TCustomGroupBox(TComponent* AOwner);
  TRect ClientRect() const override;
};

class TGroupBox : public TCustomGroupBox {
  KESR_CLASS(TGroupBox, TCustomGroupBox)
public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};
