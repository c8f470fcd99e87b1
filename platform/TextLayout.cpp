#include "TextLayout.h"

namespace {

unsigned SequenceLength(unsigned char lead) {
  return lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 1;
}

char32_t DecodeAt(std::string_view s, std::size_t i, unsigned length) {
  auto b = static_cast<unsigned char>(s[i]);
  if (length == 1) return b;
  char32_t v = b & (0x7F >> length);
  for (unsigned k = 1; k < length && i + k < s.size(); ++k) v = (v << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return v;
}

bool IsWide(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Characters that must not begin a line.
bool IsClosing(char32_t c) {
  switch (c) {
    case U'，': case U'。': case U'、': case U'；': case U'：': case U'？': case U'！': case U'）':
    case U'》': case U'」': case U'』': case U'】': case U'〕': case U'〉': case U'”': case U'’':
    case U'．': case U'…': case U'%': case U'％': case ')': case ']': case '}': case ',': case '.':
    case ';': case ':': case '!': case '?':
      return true;
    default:
      return false;
  }
}

// Characters that must not end a line.
bool IsOpening(char32_t c) {
  switch (c) {
    case U'（': case U'《': case U'「': case U'『': case U'【': case U'〔': case U'〈': case U'“': case U'‘':
    case '(': case '[': case '{':
      return true;
    default:
      return false;
  }
}

struct TChar {
  std::size_t Offset;
  unsigned Length;
  char32_t Value;
};

std::vector<TChar> Chars(std::string_view s) {
  std::vector<TChar> out;
  for (std::size_t i = 0; i < s.size();) {
    unsigned length = SequenceLength(static_cast<unsigned char>(s[i]));
    if (i + length > s.size()) length = static_cast<unsigned>(s.size() - i);
    out.push_back({i, length, DecodeAt(s, i, length)});
    i += length;
  }
  return out;
}

std::string_view TrimRightBlanks(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

void BreakParagraph(std::string_view para, int maxWidth, const TTextMeasure& measure, std::vector<TTextLine>& out) {
  std::vector<TChar> chars = Chars(para);
  std::size_t start = 0;  // index into chars of the line start
  while (start < chars.size()) {
    // Longest prefix that fits (widths grow with the prefix, so halving finds it).
    auto prefixWidth = [&](std::size_t n) {
      std::size_t from = chars[start].Offset, to = chars[start + n - 1].Offset + chars[start + n - 1].Length;
      return measure(TrimRightBlanks(para.substr(from, to - from)));
    };
    std::size_t fit = 0, lo = 1, hi = chars.size() - start;
    while (lo <= hi) {
      std::size_t mid = lo + (hi - lo) / 2;
      if (prefixWidth(mid) <= maxWidth) {
        fit = mid;
        lo = mid + 1;
      } else {
        hi = mid - 1;
      }
    }
    // The last break opportunity within the fitting prefix.
    std::size_t lastBreak = 0;
    for (std::size_t n = start; n < start + fit; ++n) {
      char32_t c = chars[n].Value;
      char32_t next = n + 1 < chars.size() ? chars[n + 1].Value : 0;
      bool blankBreak = (c == ' ' || c == '\t') && next != ' ' && next != '\t';
      bool wideBreak = (IsWide(c) || IsWide(next)) && next != 0 && !IsClosing(next) && !IsOpening(c) &&
                       next != ' ' && c != ' ';
      if (blankBreak || wideBreak) lastBreak = n + 1 - start;
    }
    std::size_t count;
    if (start + fit >= chars.size()) count = chars.size() - start;
    else if (lastBreak > 0) count = lastBreak;
    else count = std::max<std::size_t>(fit, 1);
    std::size_t from = chars[start].Offset;
    std::size_t endIndex = start + count - 1;
    std::size_t to = chars[endIndex].Offset + chars[endIndex].Length;
    std::string_view line = TrimRightBlanks(para.substr(from, to - from));
    out.push_back({std::string(line), measure(line)});
    start += count;
    // Blanks at the break belong to neither line.
    while (start < chars.size() && (chars[start].Value == ' ' || chars[start].Value == '\t'))
      ++start;
  }
}

}  // namespace

std::vector<TTextLine> BreakTextLines(std::string_view text, int maxWidth, bool wordBreak, bool singleLine,
                                      const TTextMeasure& measure) {
  std::vector<TTextLine> lines;
  if (singleLine) {
    std::string flat(text);
    for (auto& c : flat)
      if (c == '\r' || c == '\n') c = ' ';
    lines.push_back({flat, measure(flat)});
    return lines;
  }
  std::size_t pos = 0;
  while (true) {
    std::size_t end = text.find_first_of("\r\n", pos);
    std::string_view para = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    if (!wordBreak || para.empty()) lines.push_back({std::string(para), measure(para)});
    else BreakParagraph(para, maxWidth, measure, lines);
    if (end == std::string_view::npos) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    if (pos >= text.size()) break;
  }
  return lines;
}

std::string StripAccelerators(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') ++i;
      else continue;
    }
    out.push_back(text[i]);
  }
  return out;
}
