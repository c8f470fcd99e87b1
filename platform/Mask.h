#pragma once
// The masked edit: an edit whose text follows an edit mask (EditMask.h).
// EditText is what the edit shows, literals and blanks included; Text is
// what the mask saves. Typing fills input positions only, with characters
// that fit them, and steps over literals.
#include <string>

#include "EditMask.h"
#include "StdCtrls.h"

class TCustomMaskEdit : public TCustomEdit {
  KESR_CLASS(TCustomMaskEdit, TCustomEdit)
public:
  explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

  const std::string& EditMask() const { return FMask.Mask(); }
  // Re-formats the text to the new mask: the input characters stay, the
  // literals become the new mask's. While a stored layout is read, the Text
  // read before the mask is kept as Text instead.
  void SetEditMask(const std::string& Value);
  bool IsMasked() const { return FMask.IsMasked(); }
  const TEditMask& Mask() const { return FMask; }
  std::string EditText() const { return TCustomEdit::GetText(); }
  void SetEditText(const std::string& Value);
  // EDBEditError (with the caret on the position) when a required position
  // is empty or a character does not fit its position.
  void ValidateEdit();

  std::string GetText() const override;
  void SetText(const std::string& Value) override;
  void SetSelText(const std::string& Value) override;

protected:
  int TextLength() const override;
  void DoExit() override;
  void DefaultKeyDown(std::uint16_t Key, TShiftState Shift) override;
  void DefaultKeyPress(char32_t Ch) override;

private:
  // Blanks the selected input positions; the caret goes to their start.
  std::string BlankSelection(std::string Edit);
  void SetTypedEditText(const std::string& Value, int Caret);

  TEditMask FMask;
};

class TMaskEdit : public TCustomMaskEdit {
  KESR_CLASS(TMaskEdit, TCustomMaskEdit)
public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
