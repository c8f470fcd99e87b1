#include <gtest/gtest.h>

#include "TextLayout.h"

namespace {

// Ten pixels per character, twenty for a CJK character (three UTF-8 bytes).
int Measure(std::string_view s) {
  int width = 0;
  for (std::size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    int length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    width += length == 3 ? 20 : 10;
    i += length;
  }
  return width;
}

std::vector<std::string> Lines(std::string_view text, int width, bool wordBreak = true, bool singleLine = false) {
  std::vector<std::string> out;
  for (const auto& line : BreakTextLines(text, width, wordBreak, singleLine, Measure)) {
    EXPECT_EQ(line.Width, Measure(line.Text));
    out.push_back(line.Text);
  }
  return out;
}

using V = std::vector<std::string>;

TEST(TextLayout, BreaksLines) {
  struct Case {
    const char* Text;
    int Width;
    V Expected;
  } cases[] = {
      {"", 100, {""}},
      {"one two three", 1000, {"one two three"}},
      {"one two three", 75, {"one two", "three"}},
      {"one two   three", 75, {"one two", "three"}},       // blanks at a break are dropped
      {"abcdefghij", 40, {"abcd", "efgh", "ij"}},           // a word wider than the box breaks between characters
      {"ab cdefghijkl", 50, {"ab", "cdefg", "hijkl"}},
      {"x", 0, {"x"}},                                      // at least one character per line
      {"中文报表打印", 60, {"中文报", "表打印"}},          // CJK breaks between characters
      {"订单号，客户", 60, {"订单", "号，客", "户"}},      // never a line starting with "，"
      {"Total 合计金额", 100, {"Total 合计", "金额"}},
      {"a\r\nb\nc\rd", 100, {"a", "b", "c", "d"}},
      {"a\r\n\r\nb", 100, {"a", "", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Lines(c.Text, c.Width), c.Expected) << c.Text;
}

TEST(TextLayout, WithoutWordBreakOnlyLineBreaksSplit) {
  EXPECT_EQ(Lines("one two three", 30, false), (V{"one two three"}));
  EXPECT_EQ(Lines("one\r\ntwo", 30, false), (V{"one", "two"}));
  EXPECT_EQ(Lines("one\r\ntwo", 30, true, true), (V{"one  two"}));
}

TEST(TextLayout, Accelerators) {
  EXPECT_EQ(StripAccelerators("&Print"), "Print");
  EXPECT_EQ(StripAccelerators("A && B"), "A & B");
  EXPECT_EQ(StripAccelerators("删除(&Del)"), "删除(Del)");
  EXPECT_EQ(StripAccelerators("end&"), "end");
}

}  // namespace
