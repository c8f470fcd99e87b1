#include "TkGlyphLib.h"

#include <gtest/gtest.h>

#include "Bitmap.h"
#include "Colors.h"

namespace {

TEST(TkGlyphLibTest, TheModulesPicturesAreSixteenSquareWithATransparentCorner) {
  for (int number : {4, 8, 9, 47}) {
    TBitmap bitmap;
    ASSERT_TRUE(TkGlyphLib::LoadBmp(&bitmap, number)) << number;
    EXPECT_EQ(bitmap.Width(), 16);
    EXPECT_EQ(bitmap.Height(), 16);
    EXPECT_EQ(bitmap.TransparentColor(), clOlive);
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) drawn += bitmap.GetPixel(x, y) != clOlive;
    EXPECT_GT(drawn, 10) << number;
  }
  EXPECT_EQ(TkGlyphLib::GetMaxBmpID(), 47);
}

TEST(TkGlyphLibTest, UnknownNumbersFailAndLeaveTheBitmap) {
  TBitmap bitmap(3, 3);
  for (int number : {0, 5, 48, -1}) EXPECT_FALSE(TkGlyphLib::LoadBmp(&bitmap, number)) << number;
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_FALSE(TkGlyphLib::LoadBmp(nullptr, 8));
}

}  // namespace
