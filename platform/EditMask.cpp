#include "EditMask.h"

#include <algorithm>

#include "FormatSettings.h"
#include "StrUtils.h"

namespace {

constexpr char32_t kStrayByte = 0xDC00;

std::u32string Decode(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    // A stray byte is carried as an escape code and written back as it was.
    if (extra < 0 || i + extra >= s.size()) {
      out += kStrayByte + c;
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char n = static_cast<unsigned char>(s[i + k]);
      if ((n & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (n & 0x3F);
    }
    if (!ok) {
      out += kStrayByte + c;
      ++i;
      continue;
    }
    out += cp;
    i += extra + 1;
  }
  return out;
}

std::string Encode(const std::u32string& s) {
  std::string out;
  for (char32_t cp : s) {
    if (cp >= kStrayByte + 0x80 && cp <= kStrayByte + 0xFF) out += static_cast<char>(cp - kStrayByte);
    else Utf8Append(out, cp);
  }
  return out;
}

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
// Characters beyond ASCII (Chinese among them) count as letters.
bool IsLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c >= 0x80; }

char32_t Upper(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }
char32_t Lower(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }

bool IsMaskKind(char c) {
  switch (c) {
    case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#':
      return true;
    default:
      return false;
  }
}

}  // namespace

TEditMask::TEditMask(const std::string& mask) : FMask(mask) {
  std::u32string m = Decode(mask);
  int caseMode = 0;
  size_t i = 0;
  for (; i < m.size(); ++i) {
    char32_t c = m[i];
    if (c == U';') break;
    if (c == U'\\') {
      if (++i < m.size()) FPositions.push_back({m[i], 0, 0});
      continue;
    }
    if (c == U'!') {
      FReverse = true;
      continue;
    }
    if (c == U'<' && i + 1 < m.size() && m[i + 1] == U'>') {
      caseMode = 0;
      ++i;
      continue;
    }
    if (c == U'>') {
      caseMode = 1;
      continue;
    }
    if (c == U'<') {
      caseMode = -1;
      continue;
    }
    if (c == U'/' || c == U':') {
      char sep = c == U'/' ? FormatSettings.DateSeparator : FormatSettings.TimeSeparator;
      FPositions.push_back({static_cast<unsigned char>(sep), 0, 0});
      continue;
    }
    if (c < 0x80 && IsMaskKind(static_cast<char>(c))) {
      FPositions.push_back({0, static_cast<char>(c), caseMode});
      continue;
    }
    FPositions.push_back({c, 0, 0});
  }
  // Fields after the mask: save-literals flag, then the blank character.
  if (i < m.size()) {
    size_t second = i + 1;
    size_t third = m.find(U';', second);
    std::u32string save = m.substr(second, third == std::u32string::npos ? std::u32string::npos : third - second);
    if (!save.empty() && save[0] == U'0') FSaveLiterals = false;
    if (third != std::u32string::npos && third + 1 < m.size()) FBlank = m[third + 1];
  }
}

bool TEditMask::IsLiteral(int pos) const {
  return pos >= 0 && pos < EditLength() && FPositions[pos].Literal != 0;
}

bool TEditMask::IsRequired(int pos) const {
  if (pos < 0 || pos >= EditLength()) return false;
  char k = FPositions[pos].Kind;
  return k == 'L' || k == 'A' || k == 'C' || k == '0';
}

bool TEditMask::Accepts(int pos, char32_t ch) const {
  if (pos < 0 || pos >= EditLength() || FPositions[pos].Literal) return false;
  switch (FPositions[pos].Kind) {
    case 'L': case 'l': return IsLetter(ch);
    case 'A': case 'a': return IsLetter(ch) || IsDigit(ch);
    case '0': case '9': return IsDigit(ch);
    case '#': return IsDigit(ch) || ch == U'+' || ch == U'-';
    default: return ch >= 0x20;
  }
}

char32_t TEditMask::ApplyCase(int pos, char32_t ch) const {
  if (pos < 0 || pos >= EditLength()) return ch;
  int mode = FPositions[pos].Case;
  return mode > 0 ? Upper(ch) : mode < 0 ? Lower(ch) : ch;
}

int TEditMask::NextEditable(int pos) const {
  while (pos < EditLength() && FPositions[pos].Literal) ++pos;
  return std::max(pos, 0);
}

std::u32string TEditMask::Fit(std::u32string value, char32_t blank) const {
  // Every edit text the edit holds has exactly one character per position.
  std::u32string out;
  size_t vi = 0;
  for (const TPosition& p : FPositions) {
    if (p.Literal) {
      out += p.Literal;
      if (vi < value.size() && value[vi] == p.Literal) ++vi;
    } else {
      out += vi < value.size() ? value[vi++] : blank;
    }
  }
  return out;
}

std::string TEditMask::Conform(const std::string& value) const {
  if (!IsMasked()) return value;
  return Encode(Fit(Decode(value), FBlank));
}

std::string TEditMask::EmptyEditText() const { return Conform(""); }

std::string TEditMask::EmptyText() const { return TextFromEditText(EmptyEditText()); }

std::string TEditMask::RemoveFormat(const std::string& editText) const {
  if (!IsMasked()) return editText;
  std::u32string e = Fit(Decode(editText), FBlank);
  std::u32string r;
  for (size_t i = 0; i < e.size(); ++i)
    if (!FPositions[i].Literal) r += e[i];
  if (FReverse) {
    size_t first = r.find_first_not_of(FBlank);
    r.erase(0, first == std::u32string::npos ? r.size() : first);
  } else {
    size_t last = r.find_last_not_of(FBlank);
    r.erase(last == std::u32string::npos ? 0 : last + 1);
  }
  std::replace(r.begin(), r.end(), FBlank, U' ');
  return Encode(r);
}

std::string TEditMask::AddFormat(const std::string& input, bool active) const {
  if (!IsMasked()) return input;
  char32_t blank = active ? FBlank : U' ';
  std::u32string v = Decode(input);
  int slots = static_cast<int>(std::count_if(FPositions.begin(), FPositions.end(),
                                             [](const TPosition& p) { return p.Literal == 0; }));
  if (static_cast<int>(v.size()) > slots) v.resize(slots);
  // Short input is padded at the end, or at the front with '!'.
  std::u32string pad(slots - v.size(), blank);
  v = FReverse ? pad + v : v + pad;
  if (active) std::replace(v.begin(), v.end(), U' ', blank);
  std::u32string out;
  size_t vi = 0;
  for (const TPosition& p : FPositions) out += p.Literal ? p.Literal : v[vi++];
  return Encode(out);
}

std::string TEditMask::PadInputLiterals(const std::string& value, char32_t blank) const {
  if (!IsMasked()) return value;
  std::u32string v = Decode(value);
  std::u32string out;
  size_t vi = 0;
  size_t pi = 0;
  while (pi < FPositions.size()) {
    if (FPositions[pi].Literal) {
      out += FPositions[pi].Literal;
      if (vi < v.size() && v[vi] == FPositions[pi].Literal) ++vi;
      ++pi;
      continue;
    }
    size_t width = 0;
    while (pi + width < FPositions.size() && !FPositions[pi + width].Literal) ++width;
    char32_t lit = pi + width < FPositions.size() ? FPositions[pi + width].Literal : 0;
    size_t end = lit ? v.find(lit, vi) : std::u32string::npos;
    std::u32string part;
    if (end != std::u32string::npos && end - vi <= width) {
      part = v.substr(vi, end - vi);
      vi = end;
    } else {
      part = v.substr(std::min(vi, v.size()), width);
      vi += part.size();
    }
    std::u32string pad(width - part.size(), blank);
    part = FReverse ? pad + part : part + pad;
    std::replace(part.begin(), part.end(), U' ', blank);
    out += part;
    pi += width;
  }
  return Encode(out);
}

std::string TEditMask::EditTextFromText(const std::string& text) const {
  if (!IsMasked()) return text;
  return FSaveLiterals ? PadInputLiterals(text, FBlank) : AddFormat(text, true);
}

std::string TEditMask::TextFromEditText(const std::string& editText) const {
  if (!IsMasked()) return editText;
  std::string input = RemoveFormat(editText);
  return FSaveLiterals ? AddFormat(input, false) : input;
}

int TEditMask::Validate(const std::string& editText) const {
  if (!IsMasked()) return -1;
  std::u32string e = Fit(Decode(editText), FBlank);
  for (int i = 0; i < EditLength(); ++i) {
    if (FPositions[i].Literal) continue;
    bool blank = e[i] == FBlank || e[i] == U' ';
    if (blank ? IsRequired(i) : !Accepts(i, e[i])) return i;
  }
  return -1;
}

std::string FormatMaskText(const std::string& mask, const std::string& value) {
  TEditMask m(mask);
  return m.TextFromEditText(m.EditTextFromText(value));
}

std::string ReformatEditText(const std::string& editText, const std::string& oldMask,
                             const std::string& newMask) {
  return TEditMask(newMask).AddFormat(TEditMask(oldMask).RemoveFormat(editText), true);
}
