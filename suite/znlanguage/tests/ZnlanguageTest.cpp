#include <gtest/gtest.h>

#include <string>

#include "CodePage.h"
#include "DynLib.h"

namespace {

using TConvertFunc = const char* (*)(const char*);

class ZnlanguageTest : public ::testing::Test {
protected:
  void SetUp() override {
    FHandle = LoadLibrary("Znlanguage.dll");
    ASSERT_NE(FHandle, nullptr) << GetLastErrorText();
    GBtoBIG5 = reinterpret_cast<TConvertFunc>(GetProcAddress(FHandle, "GBtoBIG5"));
    BIG5toGB = reinterpret_cast<TConvertFunc>(GetProcAddress(FHandle, "BIG5toGB"));
    ASSERT_NE(GBtoBIG5, nullptr);
    ASSERT_NE(BIG5toGB, nullptr);
  }
  void TearDown() override {
    if (FHandle) FreeLibrary(FHandle);
  }

  std::string ToBig5(const std::string& simplified) {
    return LegacyToUtf8(GBtoBIG5(Utf8ToLegacy(simplified, "936").c_str()), "950");
  }
  std::string ToGB(const std::string& traditional) {
    return LegacyToUtf8(BIG5toGB(Utf8ToLegacy(traditional, "950").c_str()), "936");
  }

  HMODULE FHandle = nullptr;
  TConvertFunc GBtoBIG5 = nullptr;
  TConvertFunc BIG5toGB = nullptr;
};

TEST_F(ZnlanguageTest, ConvertsBetweenSimplifiedGBAndTraditionalBig5) {
  const struct {
    const char* Simplified;
    const char* Traditional;
  } cases[] = {
      {"汉字", "漢字"},
      {"确实要删除此方案吗？", "確實要刪除此方案嗎？"},
      {"打印预览 OK 123", "打印預覽 OK 123"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToBig5(c.Simplified), c.Traditional) << c.Simplified;
    EXPECT_EQ(ToGB(c.Traditional), c.Simplified) << c.Traditional;
  }
}

TEST_F(ZnlanguageTest, ReturnedTextIsTheLibrarysAndNullGivesEmptyText) {
  EXPECT_STREQ(GBtoBIG5(nullptr), "");
  EXPECT_STREQ(BIG5toGB(nullptr), "");
  // The buffer is reused by the next call on the thread: a caller copies.
  const std::string first = GBtoBIG5("abc");
  const char* second = GBtoBIG5("xyz");
  EXPECT_EQ(first, "abc");
  EXPECT_STREQ(second, "xyz");
}

}  // namespace
