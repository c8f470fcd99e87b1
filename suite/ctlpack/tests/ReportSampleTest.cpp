// A sample shipping-mark page generated from a memory data set and drawn at
// 96 and 200 dpi, compared with reviewed reference pictures. Set
// KESR_UPDATE_REFERENCES=1 to write new references (then review them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Bitmap.h"
#include "Canvas.h"
#include "Colors.h"
#include "FontEngine.h"
#include "FontMetrics.h"
#include "PageRenderer.h"
#include "Picture.h"
#include "SampleSheet.h"

namespace {

const std::string kReferenceDir = std::string(KESR_SOURCE_DIR) + "/platform/tests/data/report";

class ReportSampleTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { UseFontEngineMetrics(); }
  static void TearDownTestSuite() { SetFontMetrics(nullptr); }

  ReportSampleTest() { Sheet.AppendOrder("220-20240315001", "C0012"); }

  // Compares with the reference PNG: a few anti-aliasing differences pass,
  // a missing or moved glyph, bar or picture does not.
  void ExpectMatchesReference(const TBitmap& page, const std::string& name) {
    const std::string path = kReferenceDir + "/" + name;
    const char* update = std::getenv("KESR_UPDATE_REFERENCES");
    if (update && std::string(update) == "1") {
      std::filesystem::create_directories(kReferenceDir);
      TPicture picture;
      picture.AssignBitmap(page);
      picture.SaveToFile(path);
      GTEST_SKIP() << "wrote " << path;
    }
    TPicture reference;
    ASSERT_NO_THROW(reference.LoadFromFile(path)) << path;
    const TBitmap& ref = *std::as_const(reference).Bitmap();
    ASSERT_EQ(ref.Width(), page.Width());
    ASSERT_EQ(ref.Height(), page.Height());
    long bad = 0;
    for (int y = 0; y < ref.Height(); ++y)
      for (int x = 0; x < ref.Width(); ++x) {
        const TColor a = ref.GetPixel(x, y), b = page.GetPixel(x, y);
        const int diff = std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                                   std::abs(GetBValue(a) - GetBValue(b))});
        if (diff > 64) ++bad;
      }
    const long total = static_cast<long>(ref.Width()) * ref.Height();
    EXPECT_LE(bad, total / 2000) << name << ": " << bad << " of " << total << " pixels differ";
    if (HasFailure()) {
      TPicture picture;
      picture.AssignBitmap(page);
      picture.SaveToFile(std::string(KESR_OUTPUT_DIR) + "/actual-" + name);
    }
  }

  TSampleSheet Sheet;
  TQuickRep* Report = Sheet.Report;
};

TEST_F(ReportSampleTest, SamplePageMatchesTheReferenceAt96And200Dpi) {
  ASSERT_TRUE(Report->Prepare());
  ASSERT_EQ(Report->PageStore().PageCount(), 1);
  const TPageContent& page = Report->PageStore().Page(1);

  auto at96 = RenderPage(page, 96);
  EXPECT_EQ(at96->Width(), 816);
  EXPECT_EQ(at96->Height(), 1056);
  ExpectMatchesReference(*at96, "sample-96.png");

  auto at200 = RenderPage(page, 200);
  EXPECT_EQ(at200->Width(), 1700);
  EXPECT_EQ(at200->Height(), 2200);
  ExpectMatchesReference(*at200, "sample-200.png");
}

TEST_F(ReportSampleTest, StretchDrawIntoARectangleScalesTheWholePage) {
  ASSERT_TRUE(Report->Prepare());
  const TPageContent& page = Report->PageStore().Page(1);
  // The page export's use: page S stretched into a W x H bitmap, offset by
  // the cropped margins.
  TBitmap bitmap(408, 528, pf16bit);
  TCanvas& canvas = *bitmap.Canvas();
  canvas.Brush().SetColor(0xFFFFFF);
  canvas.FillRect(Rect(0, 0, 408, 528));
  DrawPage(page, canvas, Rect(-19, -19, 408 - 19, 528 - 19));
  // The picture's top-left quadrant (red) lands at half scale, shifted.
  const int x = (38 + 379 + 40) / 2 - 19, y = (38 + 93 + 40) / 2 - 19;
  EXPECT_EQ(bitmap.GetPixel(x, y) & 0xF8F8F8, 0x2020C0 & 0xF8F8F8);
  EXPECT_EQ(bitmap.GetPixel(5, 5), 0xFFFFFF);
}

}  // namespace
