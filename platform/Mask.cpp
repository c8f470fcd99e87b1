#include "Mask.h"

#include "StrUtils.h"
#include "TypInfo.h"

namespace {

std::string Chars(const std::string& text, int index, int count) {
  return count <= 0 ? std::string() : Utf8Copy(text, index + 1, count);
}

std::string ReplaceChar(const std::string& text, int pos, char32_t ch) {
  std::string c;
  Utf8Append(c, ch);
  return Chars(text, 0, pos) + c + Chars(text, pos + 1, Utf8Length(text));
}

}  // namespace

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
  if (Value == FMask.Mask()) return;
  TEditMask next(Value);
  std::string edit = ComponentState().Contains(csLoading)
                         ? next.EditTextFromText(GetText())
                         : ReformatEditText(EditText(), FMask.Mask(), Value);
  FMask = next;
  if (FMask.IsMasked()) edit = FMask.Conform(edit);
  TCustomEdit::SetText(edit);
}

void TCustomMaskEdit::SetEditText(const std::string& Value) { TCustomEdit::SetText(FMask.Conform(Value)); }

std::string TCustomMaskEdit::GetText() const {
  return FMask.IsMasked() ? FMask.TextFromEditText(EditText()) : EditText();
}

void TCustomMaskEdit::SetText(const std::string& Value) {
  TCustomEdit::SetText(FMask.IsMasked() ? FMask.EditTextFromText(Value) : Value);
}

int TCustomMaskEdit::TextLength() const { return Utf8Length(EditText()); }

void TCustomMaskEdit::ValidateEdit() {
  int pos = FMask.Validate(EditText());
  if (pos < 0) return;
  SetSelStart(pos);
  throw EDBEditError("Invalid input value. Use escape key to abandon changes");
}

void TCustomMaskEdit::DoExit() {
  if (FMask.IsMasked() && Modified()) {
    try {
      ValidateEdit();
    } catch (...) {
      if (CanFocus()) SetFocus();
      throw;
    }
  }
  TCustomEdit::DoExit();
}

std::string TCustomMaskEdit::BlankSelection(std::string Edit) {
  int start = SelStart();
  int end = start + SelLength();
  for (int i = start; i < end; ++i)
    if (!FMask.IsLiteral(i)) Edit = ReplaceChar(Edit, i, FMask.Blank());
  return Edit;
}

void TCustomMaskEdit::SetTypedEditText(const std::string& Value, int Caret) {
  SetModified(true);
  SetEditText(Value);
  SetSelStart(Caret);
}

void TCustomMaskEdit::SetSelText(const std::string& Value) {
  if (!FMask.IsMasked()) {
    TCustomEdit::SetSelText(Value);
    return;
  }
  int caret = SelStart();
  std::string edit = BlankSelection(EditText());
  for (size_t i = 0; i < Value.size();) {
    char32_t ch = Utf8Decode(Value, i);
    int pos = FMask.NextEditable(caret);
    if (pos >= FMask.EditLength()) break;
    if (!FMask.Accepts(pos, ch)) continue;
    edit = ReplaceChar(edit, pos, FMask.ApplyCase(pos, ch));
    caret = FMask.NextEditable(pos + 1);
  }
  SetTypedEditText(edit, caret);
}

void TCustomMaskEdit::DefaultKeyDown(std::uint16_t Key, TShiftState Shift) {
  if (!FMask.IsMasked() || Key != VK_DELETE) {
    TCustomEdit::DefaultKeyDown(Key, Shift);
    return;
  }
  if (ReadOnly()) return;
  int caret = SelStart();
  std::string edit = EditText();
  if (SelLength() > 0) edit = BlankSelection(edit);
  else if (caret < FMask.EditLength() && !FMask.IsLiteral(caret)) edit = ReplaceChar(edit, caret, FMask.Blank());
  SetTypedEditText(edit, caret);
}

void TCustomMaskEdit::DefaultKeyPress(char32_t Ch) {
  if (!FMask.IsMasked()) {
    TCustomEdit::DefaultKeyPress(Ch);
    return;
  }
  if (ReadOnly()) return;
  if (Ch == 8) {
    if (SelLength() > 0) {
      SetTypedEditText(BlankSelection(EditText()), SelStart());
      return;
    }
    int pos = SelStart() - 1;
    while (pos >= 0 && FMask.IsLiteral(pos)) --pos;
    if (pos >= 0) SetTypedEditText(ReplaceChar(EditText(), pos, FMask.Blank()), pos);
    return;
  }
  if (Ch < 0x20) return;
  std::string s;
  Utf8Append(s, Ch);
  SetSelText(s);
}

const TClass& TCustomMaskEdit::StaticClass() {
  static const TClass Class = TClassBuilder<TCustomMaskEdit>("TCustomMaskEdit")
                                  .Abstract()
                                  .Property("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask)
                                  .Build();
  return Class;
}

const TClass& TMaskEdit::StaticClass() {
  static const TClass Class = TClassBuilder<TMaskEdit>("TMaskEdit").Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TMaskEdit::StaticClass()), true);
}  // namespace
