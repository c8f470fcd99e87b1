#include "StdCtrls.h"

#include <algorithm>

#include "Colors.h"
#include "FontMetrics.h"
#include "Forms.h"
#include "StrUtils.h"
#include "TypInfo.h"

namespace {

char32_t UpperAscii(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }
char32_t LowerAscii(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }

// Characters from index (0-based) on, count of them.
std::string Chars(const std::string& text, int index, int count) {
  return count <= 0 ? std::string() : Utf8Copy(text, index + 1, count);
}

}  // namespace

const TTypeInfo& TextLayoutTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
  return type;
}

const TTypeInfo& EditCharCaseTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
  return type;
}

const TTypeInfo& ScrollStyleTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
  return type;
}

const TTypeInfo& ComboBoxStyleTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration(
      "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
  return type;
}

const TTypeInfo& ListBoxStyleTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"});
  return type;
}

const TTypeInfo& CheckBoxStateTypeInfo() {
  static const TTypeInfo type =
      TTypeInfo::Enumeration("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
  return type;
}

// ------------------------------------------------------------------- label

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  FWordWrap = Value;
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  std::string text = FShowAccelChar ? StripHotkey(Caption()) : Caption();
  const IFontMetrics& metrics = FontMetrics();
  int h = metrics.TextHeight(*Font(), text.empty() ? "W" : text);
  if (FWordWrap) {
    SetHeight(h);
    return;
  }
  int w = metrics.TextWidth(*Font(), text);
  // A right-aligned label grows to the left.
  int left = FAlignment == taRightJustify ? Left() + Width() - w : Left();
  SetBounds(left, Top(), w, h);
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR && FShowAccelChar && FFocusControl && Enabled() &&
      IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
    return;
  }
  TGraphicControl::Dispatch(Message);
}

// -------------------------------------------------------------------- edit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

int TCustomEdit::TextLength() const { return Utf8Length(Text()); }

void TCustomEdit::SetText(const std::string& Value) {
  TWinControl::SetText(Value);
  FSelStart = std::min(FSelStart, TextLength());
  FSelLength = 0;
}

void TCustomEdit::TextChanged() {
  Change();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  FCharCase = Value;
  if (Value == ecUpperCase) SetText(UpperCase(Text()));
  else if (Value == ecLowerCase) SetText(LowerCase(Text()));
}

void TCustomEdit::SetSelStart(int Value) {
  FSelStart = std::clamp(Value, 0, TextLength());
  FSelLength = 0;
}

void TCustomEdit::SetSelLength(int Value) {
  FSelLength = std::clamp(Value, 0, TextLength() - FSelStart);
}

std::string TCustomEdit::SelText() const { return Chars(Text(), FSelStart, FSelLength); }

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = TextLength();
}

void TCustomEdit::SetSelText(const std::string& Value) {
  std::string text = Text();
  int length = Utf8Length(text);
  std::string inserted = Value;
  if (FMaxLength > 0) {
    int room = FMaxLength - (length - FSelLength);
    inserted = Chars(inserted, 0, std::max(room, 0));
  }
  std::string next = Chars(text, 0, FSelStart) + inserted + Chars(text, FSelStart + FSelLength, length);
  SetEditedText(next, FSelStart + Utf8Length(inserted));
}

void TCustomEdit::SetEditedText(const std::string& Value, int Caret) {
  FModified = true;
  SetText(Value);
  FSelStart = std::clamp(Caret, 0, TextLength());
  FSelLength = 0;
}

char32_t TCustomEdit::ApplyCharCase(char32_t Ch) const {
  return FCharCase == ecUpperCase ? UpperAscii(Ch) : FCharCase == ecLowerCase ? LowerAscii(Ch) : Ch;
}

bool TCustomEdit::WantsKey(std::uint16_t Key, TShiftState) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::DefaultKeyDown(std::uint16_t Key, TShiftState) {
  switch (Key) {
    case VK_LEFT: SetSelStart(FSelLength > 0 ? FSelStart : FSelStart - 1); break;
    case VK_RIGHT: SetSelStart(FSelLength > 0 ? FSelStart + FSelLength : FSelStart + 1); break;
    case VK_HOME: SetSelStart(0); break;
    case VK_END: SetSelStart(TextLength()); break;
    case VK_DELETE:
      if (FReadOnly) break;
      if (FSelLength == 0) SetSelLength(1);
      SetSelText("");
      break;
    default: break;
  }
}

void TCustomEdit::DefaultKeyPress(char32_t Ch) {
  if (FReadOnly) return;
  if (Ch == 8) {
    if (FSelLength == 0 && FSelStart > 0) {
      --FSelStart;
      FSelLength = 1;
    }
    SetSelText("");
    return;
  }
  if (Ch < 0x20) return;
  std::string s;
  Utf8Append(s, ApplyCharCase(Ch));
  SetSelText(s);
}

// -------------------------------------------------------------------- memo

// The memo's lines as a view of its text: every change goes to the text.
class TCustomMemo::TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo& memo) : FMemo(memo) {}
  int Count() const override { return static_cast<int>(Split().size()); }
  std::string Get(int index) const override {
    auto lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size())) IndexError(index);
    return lines[index];
  }
  void Put(int index, const std::string& text) override {
    auto lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size())) IndexError(index);
    lines[index] = text;
    Join(lines);
  }
  void InsertObject(int index, const std::string& text, void*) override {
    auto lines = Split();
    if (index < 0 || index > static_cast<int>(lines.size())) IndexError(index);
    lines.insert(lines.begin() + index, text);
    Join(lines);
  }
  void Delete(int index) override {
    auto lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size())) IndexError(index);
    lines.erase(lines.begin() + index);
    Join(lines);
  }
  void Clear() override { FMemo.SetText(""); }
  void SetText(std::string_view text) override { FMemo.SetText(std::string(text)); }

private:
  std::vector<std::string> Split() const {
    std::vector<std::string> lines;
    const std::string text = FMemo.Text();
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) {
        lines.push_back(text.substr(start));
        break;
      }
      lines.push_back(text.substr(start, end - start));
      start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
  }
  void Join(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i) text += "\r\n";
      text += lines[i];
    }
    FMemo.SetText(text);
  }
  TCustomMemo& FMemo;
};

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
}

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() const { return FLines.get(); }

void TCustomMemo::SetLines(TStrings* Value) {
  if (Value) FLines->Assign(*Value);
}

TPoint TCustomMemo::CaretPos() const {
  std::string before = Chars(Text(), 0, SelStart());
  int line = 0;
  size_t lineStart = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] == '\n' || (before[i] == '\r' && (i + 1 >= before.size() || before[i + 1] != '\n'))) {
      ++line;
      lineStart = i + 1;
    }
  }
  std::string column = before.substr(lineStart);
  if (!column.empty() && column.back() == '\r') column.pop_back();
  return {Utf8Length(column), line};
}

void TCustomMemo::SetCaretPos(const TPoint& Value) {
  int index = 0;
  for (int i = 0; i < Value.Y && i < FLines->Count(); ++i) index += Utf8Length(FLines->Get(i)) + 2;
  int column = Value.Y < FLines->Count() ? std::min(Value.X, Utf8Length(FLines->Get(Value.Y))) : 0;
  SetSelStart(index + std::max(column, 0));
}

bool TCustomMemo::WantsKey(std::uint16_t Key, TShiftState Shift) const {
  if (Key == VK_RETURN) return FWantReturns;
  if (Key == VK_TAB) return FWantTabs && !Shift.Contains(ssCtrl);
  return TCustomEdit::WantsKey(Key, Shift);
}

void TCustomMemo::DefaultKeyPress(char32_t Ch) {
  if (ReadOnly()) return;
  if (Ch == U'\r') {
    if (FWantReturns) SetSelText("\r\n");
    return;
  }
  if (Ch == U'\t') {
    if (FWantTabs) SetSelText("\t");
    return;
  }
  TCustomEdit::DefaultKeyPress(Ch);
}

// ------------------------------------------------------------ list strings

TControlStrings::TControlStrings(std::function<void()> Changed) : FNotify(std::move(Changed)) {}

void TControlStrings::Changed() {
  TStringList::Changed();
  if (UpdateCount() == 0) FNotify();
}

// --------------------------------------------------------------- combo box

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TControlStrings>([this] { ItemsChanged(); })) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

TStrings* TCustomComboBox::Items() const { return FItems.get(); }

void TCustomComboBox::SetItems(TStrings* Value) {
  if (Value) FItems->Assign(*Value);
}

bool TCustomComboBox::HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  FStyle = Value;
  if (!HasEdit()) SetText(FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string());
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  TWinControl::SetText(Value >= 0 ? FItems->Get(Value) : std::string());
}

void TCustomComboBox::SetText(const std::string& Value) {
  int index = FItems->IndexOf(Value);
  if (!HasEdit()) {
    FItemIndex = index;
    TWinControl::SetText(index >= 0 ? FItems->Get(index) : std::string());
    return;
  }
  // An edit part shows any text; the item index follows an exact match.
  FItemIndex = index >= 0 && FItems->Get(index) == Value ? index : -1;
  TWinControl::SetText(Value);
}

void TCustomComboBox::SetSorted(bool Value) {
  FSorted = Value;
  std::string current = FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string();
  FItems->SetSorted(Value);
  if (FItemIndex >= 0) FItemIndex = FItems->IndexOf(current);
}

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (FDroppedDown == Value) return;
  FDroppedDown = Value;
  if (Value) OnDropDown(this);
  else OnCloseUp(this);
}

void TCustomComboBox::SelectItem(int Index) {
  if (Index < 0 || Index >= FItems->Count()) return;
  SetItemIndex(Index);
  Click();
  if (OnSelect.Assigned()) OnSelect(this);
  else Change();
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetItemIndex(-1);
}

void TCustomComboBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) SetItemIndex(-1);
}

bool TCustomComboBox::WantsKey(std::uint16_t Key, TShiftState) const {
  return Key == VK_UP || Key == VK_DOWN || (HasEdit() && (Key == VK_LEFT || Key == VK_RIGHT)) ||
         (FDroppedDown && (Key == VK_RETURN || Key == VK_ESCAPE));
}

void TCustomComboBox::DefaultKeyDown(std::uint16_t Key, TShiftState Shift) {
  if (FDroppedDown && (Key == VK_RETURN || Key == VK_ESCAPE)) {
    SetDroppedDown(false);
    return;
  }
  if (Key == VK_DOWN && Shift.Contains(ssAlt)) {
    SetDroppedDown(!FDroppedDown);
    return;
  }
  if (Key == VK_DOWN && FItemIndex + 1 < FItems->Count()) SelectItem(FItemIndex + 1);
  else if (Key == VK_UP && FItemIndex > 0) SelectItem(FItemIndex - 1);
}

void TCustomComboBox::DefaultKeyPress(char32_t Ch) {
  if (!HasEdit()) {
    // A typed character picks the next item that starts with it.
    if (Ch < 0x20) return;
    std::string s;
    Utf8Append(s, Ch);
    int count = FItems->Count();
    for (int k = 1; k <= count; ++k) {
      int i = (FItemIndex + k + count) % count;
      if (SameText(Utf8Copy(FItems->Get(i), 1, 1), s)) {
        SelectItem(i);
        return;
      }
    }
    return;
  }
  std::string text = Text();
  if (Ch == 8) {
    if (!text.empty()) SetText(Utf8Copy(text, 1, Utf8Length(text) - 1));
  } else if (Ch >= 0x20) {
    if (FMaxLength > 0 && Utf8Length(text) >= FMaxLength) return;
    Utf8Append(text, Ch);
    SetText(text);
  } else {
    return;
  }
  Change();
}

// ---------------------------------------------------------------- list box

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TControlStrings>([this] { ItemsChanged(); })) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

TStrings* TCustomListBox::Items() const { return FItems.get(); }

void TCustomListBox::SetItems(TStrings* Value) {
  if (Value) FItems->Assign(*Value);
}

void TCustomListBox::ItemsChanged() {
  // Selection marks do not survive a change of the list.
  FSelected.assign(FItems->Count(), false);
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FItemIndex >= 0 && !FMultiSelect) FSelected[FItemIndex] = true;
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  if (!FMultiSelect) {
    FSelected.assign(FItems->Count(), false);
    if (Value >= 0) FSelected[Value] = true;
  }
}

void TCustomListBox::SetMultiSelect(bool Value) {
  FMultiSelect = Value;
  SetItemIndex(FItemIndex);
}

bool TCustomListBox::Selected(int Index) const {
  if (Index < 0 || Index >= FItems->Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Index < static_cast<int>(FSelected.size()) && FSelected[Index];
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  Selected(Index);
  FSelected.resize(FItems->Count(), false);
  if (!FMultiSelect) {
    SetItemIndex(Value ? Index : (FItemIndex == Index ? -1 : FItemIndex));
    return;
  }
  FSelected[Index] = Value;
  if (Value) FItemIndex = Index;
}

int TCustomListBox::SelCount() const {
  if (!FMultiSelect) return -1;
  return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::ClearSelection() {
  FSelected.assign(FItems->Count(), false);
  if (!FMultiSelect) FItemIndex = -1;
}

void TCustomListBox::SelectAll() {
  if (FMultiSelect) FSelected.assign(FItems->Count(), true);
}

void TCustomListBox::SetSorted(bool Value) {
  FSorted = Value;
  FItems->SetSorted(Value);
}

void TCustomListBox::Clear() {
  FItems->Clear();
  FItemIndex = -1;
}

bool TCustomListBox::WantsKey(std::uint16_t Key, TShiftState) const {
  return Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT;
}

void TCustomListBox::DefaultKeyDown(std::uint16_t Key, TShiftState) {
  int next = FItemIndex;
  if (Key == VK_DOWN || Key == VK_RIGHT) next = std::min(FItemIndex + 1, FItems->Count() - 1);
  else if (Key == VK_UP || Key == VK_LEFT) next = std::max(FItemIndex - 1, 0);
  else if (Key == VK_HOME) next = 0;
  else if (Key == VK_END) next = FItems->Count() - 1;
  else return;
  if (next == FItemIndex || next < 0) return;
  if (FMultiSelect) FSelected.assign(FItems->Count(), false);
  SetItemIndex(next);
  if (FMultiSelect) FSelected[next] = true;
  Click();
}

// ----------------------------------------------------------------- buttons

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<char32_t>(Message.WParam), Caption()) &&
      CanFocus()) {
    SetFocus();
    UserClick();
    Message.Result = 1;
    return;
  }
  TWinControl::Dispatch(Message);
}

void TButtonControl::DefaultKeyPress(char32_t Ch) {
  if (Ch == U' ') UserClick();
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 75, 25); }

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::Active() const {
  const TCustomForm* form = GetParentForm(this);
  if (!form) return FDefault;
  const TWinControl* focused = form->FocusedControl();
  if (focused == this) return true;
  return FDefault && !dynamic_cast<const TButton*>(focused);
}

void TButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY && KeyDataToShiftState(Message.LParam).Empty() && CanFocus() &&
      ((Message.WParam == VK_RETURN && Active()) || (Message.WParam == VK_ESCAPE && FCancel))) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::Dispatch(Message);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (!Value) return;
  if (TWinControl* parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
        other->SetChecked(false);
  if (!ComponentState().Contains(csLoading)) Click();
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 105); }

TRect TCustomGroupBox::ClientRect() const {
  // Below the caption line, inside the frame.
  return Rect(0, 0, std::max(Width() - 4, 0), std::max(Height() - 18, 0));
}

// ----------------------------------------------------------- class tables

const TClass& TCustomLabel::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomLabel>("TCustomLabel")
          .Abstract()
          .Property("Alignment", AlignmentTypeInfo(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
          .Default(taLeftJustify)
          .Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(1)
          .Property("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption)
          .Property("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
          .Property("Layout", TextLayoutTypeInfo(), &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop)
          .Property("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar).Default(1)
          .Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(0)
          .Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(0)
          .Build();
  return Class;
}

const TClass& TLabel::StaticClass() {
  static const TClass Class = TClassBuilder<TLabel>("TLabel").Build();
  return Class;
}

const TClass& TCustomEdit::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomEdit>("TCustomEdit")
          .Abstract()
          .Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(1)
          .Property("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize).Default(1)
          .Property("BorderStyle", BorderStyleTypeInfo(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
          .Default(bsSingle)
          .Property("CharCase", EditCharCaseTypeInfo(), &TCustomEdit::CharCase, &TCustomEdit::SetCharCase)
          .Default(ecNormal)
          .Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0)
          .Property("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0)
          .Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(0)
          .Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
          .Property("OnChange", &TCustomEdit::OnChange, &TCustomEdit::OnChange)
          .Build();
  return Class;
}

const TClass& TEdit::StaticClass() {
  static const TClass Class = TClassBuilder<TEdit>("TEdit").Build();
  return Class;
}

const TClass& TCustomMemo::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomMemo>("TCustomMemo")
          .Abstract()
          .Property("Alignment", AlignmentTypeInfo(), &TCustomMemo::Alignment, &TCustomMemo::SetAlignment)
          .Default(taLeftJustify)
          .Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
          .Property("ScrollBars", ScrollStyleTypeInfo(), &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
          .Default(ssNone)
          .Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(1)
          .Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(0)
          .Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(1)
          .Build();
  return Class;
}

const TClass& TMemo::StaticClass() {
  static const TClass Class = TClassBuilder<TMemo>("TMemo").Build();
  return Class;
}

const TClass& TCustomComboBox::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomComboBox>("TCustomComboBox")
          .Abstract()
          .Property("Style", ComboBoxStyleTypeInfo(), &TCustomComboBox::Style, &TCustomComboBox::SetStyle)
          .Default(csDropDown)
          .Property("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount).Default(8)
          .Property("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
          .Property("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).Default(0)
          .Property("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(0)
          .Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
          .Property("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1)
          .Property("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText)
          .Property("OnChange", &TCustomComboBox::OnChange, &TCustomComboBox::OnChange)
          .Property("OnSelect", &TCustomComboBox::OnSelect, &TCustomComboBox::OnSelect)
          .Property("OnDropDown", &TCustomComboBox::OnDropDown, &TCustomComboBox::OnDropDown)
          .Property("OnCloseUp", &TCustomComboBox::OnCloseUp, &TCustomComboBox::OnCloseUp)
          .Property("OnDrawItem", &TCustomComboBox::OnDrawItem, &TCustomComboBox::OnDrawItem)
          .Property("OnMeasureItem", &TCustomComboBox::OnMeasureItem, &TCustomComboBox::OnMeasureItem)
          .Build();
  return Class;
}

const TClass& TComboBox::StaticClass() {
  static const TClass Class = TClassBuilder<TComboBox>("TComboBox").Build();
  return Class;
}

const TClass& TCustomListBox::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomListBox>("TCustomListBox")
          .Abstract()
          .Property("Style", ListBoxStyleTypeInfo(), &TCustomListBox::Style, &TCustomListBox::SetStyle)
          .Default(lbStandard)
          .Property("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns).Default(0)
          .Property("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect)
          .Default(1)
          .Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight)
          .Property("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(0)
          .Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(0)
          .Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
          .Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex).Stored(false)
          .Property("OnDrawItem", &TCustomListBox::OnDrawItem, &TCustomListBox::OnDrawItem)
          .Property("OnMeasureItem", &TCustomListBox::OnMeasureItem, &TCustomListBox::OnMeasureItem)
          .Build();
  return Class;
}

const TClass& TListBox::StaticClass() {
  static const TClass Class = TClassBuilder<TListBox>("TListBox").Build();
  return Class;
}

const TClass& TButtonControl::StaticClass() {
  static const TClass Class = TClassBuilder<TButtonControl>("TButtonControl").Abstract().Build();
  return Class;
}

const TClass& TButton::StaticClass() {
  static const TClass Class =
      TClassBuilder<TButton>("TButton")
          .Property("Caption", &TButton::Caption, &TButton::SetCaption)
          .Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(0)
          .Property("Default", &TButton::Default, &TButton::SetDefault).Default(0)
          .Property("ModalResult", ModalResultTypeInfo(), &TButton::ModalResult, &TButton::SetModalResult)
          .Default(mrNone)
          .Build();
  return Class;
}

const TClass& TCustomCheckBox::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomCheckBox>("TCustomCheckBox")
          .Abstract()
          .Property("Alignment", AlignmentTypeInfo(), &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
          .Default(taRightJustify)
          .Property("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(0)
          .Property("Caption", &TCustomCheckBox::Caption, &TCustomCheckBox::SetCaption)
          .Property("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Stored(false)
          .Property("State", CheckBoxStateTypeInfo(), &TCustomCheckBox::State, &TCustomCheckBox::SetState)
          .Default(cbUnchecked)
          .Build();
  return Class;
}

const TClass& TCheckBox::StaticClass() {
  static const TClass Class = TClassBuilder<TCheckBox>("TCheckBox").Build();
  return Class;
}

const TClass& TRadioButton::StaticClass() {
  static const TClass Class =
      TClassBuilder<TRadioButton>("TRadioButton")
          .Property("Alignment", AlignmentTypeInfo(), &TRadioButton::Alignment, &TRadioButton::SetAlignment)
          .Default(taRightJustify)
          .Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption)
          .Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(0)
          .Build();
  return Class;
}

const TClass& TCustomGroupBox::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCustomGroupBox>("TCustomGroupBox")
          .Abstract()
          .Property("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption)
          .Build();
  return Class;
}

const TClass& TGroupBox::StaticClass() {
  static const TClass Class = TClassBuilder<TGroupBox>("TGroupBox").Build();
  return Class;
}

namespace {
const bool kRegistered =
    (RegisterClasses({&TLabel::StaticClass(), &TEdit::StaticClass(), &TMemo::StaticClass(),
                      &TComboBox::StaticClass(), &TListBox::StaticClass(), &TButton::StaticClass(),
                      &TCheckBox::StaticClass(), &TRadioButton::StaticClass(), &TGroupBox::StaticClass()}),
     true);
}  // namespace
