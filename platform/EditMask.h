#pragma once
// The edit-mask language of masked edits: "mask;save-literals;blank".
//
// Mask characters: L l (letter), A a (letter or digit), C c (any character),
// 0 9 (digit), # (digit or sign); the upper-case ones and 0 are required, the
// others optional. ':' and '/' stand for the time and date separators of
// FormatSettings (read when the mask is parsed), '\' makes the
// next character a literal, '>' and '<' switch typed letters to upper or lower
// case ("<>" switches back), '!' keeps blanks in front (text is right-aligned
// when set and trailing blanks are kept), every other character is a literal.
// The second field "0" leaves literals out of Text; the third field is the
// blank character shown in empty positions ('_' when absent).
//
// Positions count characters (code points), so Chinese literals and input
// occupy one position each.
#include "Exceptions.h"

#include <string>
#include <vector>

KESR_DECLARE_EXCEPTION(EDBEditError, Exception);

class TEditMask {
public:
  TEditMask() = default;
  explicit TEditMask(const std::string& mask);

  const std::string& Mask() const { return FMask; }
  bool IsMasked() const { return !FPositions.empty(); }
  bool SaveLiterals() const { return FSaveLiterals; }
  char32_t Blank() const { return FBlank; }
  bool Reverse() const { return FReverse; }

  // Positions of the edit text, literals included.
  int EditLength() const { return static_cast<int>(FPositions.size()); }
  bool IsLiteral(int pos) const;
  bool IsRequired(int pos) const;
  // Whether a typed character fits the position, and the character after the
  // mask's case conversion.
  bool Accepts(int pos, char32_t ch) const;
  char32_t ApplyCase(int pos, char32_t ch) const;
  // The first editable position at or after pos (EditLength when none).
  int NextEditable(int pos) const;

  // The edit text for a value assigned to Text.
  std::string EditTextFromText(const std::string& text) const;
  // Text as read from an edit text: without literals unless they are saved,
  // blanks shown as spaces.
  std::string TextFromEditText(const std::string& editText) const;
  // Any text fitted to the positions: literals in place, missing input blank.
  std::string Conform(const std::string& value) const;
  // The edit text and the Text of an empty edit.
  std::string EmptyEditText() const;
  std::string EmptyText() const;

  // The input characters of an edit text: literals removed, the blanks at the
  // end (at the front with '!') dropped, other blanks turned into spaces.
  std::string RemoveFormat(const std::string& editText) const;
  // Input characters laid into the mask with literals; unfilled positions get
  // the blank (active) or a space.
  std::string AddFormat(const std::string& input, bool active) const;
  // A text that holds literals laid into the mask, each part between literals
  // aligned to its own positions.
  std::string PadInputLiterals(const std::string& value, char32_t blank) const;

  // -1 when every required position is filled and every character fits its
  // position; otherwise the first offending position.
  int Validate(const std::string& editText) const;

private:
  struct TPosition {
    char32_t Literal = 0;  // 0 for an input position
    char Kind = 0;         // the mask character of an input position
    int Case = 0;          // 1 upper, -1 lower
  };
  std::u32string Fit(std::u32string value, char32_t blank) const;

  std::string FMask;
  std::vector<TPosition> FPositions;
  bool FSaveLiterals = true;
  char32_t FBlank = U'_';
  bool FReverse = false;
};

// Text formatted by a mask as Text would read it with the mask applied.
std::string FormatMaskText(const std::string& mask, const std::string& value);
// The edit text a masked edit holds after its mask changes from oldMask to
// newMask: the input characters kept, the new mask's literals laid in.
std::string ReformatEditText(const std::string& editText, const std::string& oldMask,
                             const std::string& newMask);
