// Printing a page store to a file as a PWG raster job, and the printer
// set-up dialog answered by the modal driver.
#include <gtest/gtest.h>

#include <cups/raster.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Forms.h"
#include "ModalDriver.h"
#include "PageStore.h"
#include "PrinterSetupDialog.h"
#include "Printers.h"
#include "QuickRep.h"
#include "StdCtrls.h"

namespace {

struct TRasterPage {
  unsigned Width = 0, Height = 0, Dpi = 0, Copies = 0;
  std::vector<unsigned char> Pixels;  // RGB rows
  unsigned char Red(unsigned x, unsigned y) const { return Pixels[(y * Width + x) * 3]; }
  unsigned char Blue(unsigned x, unsigned y) const { return Pixels[(y * Width + x) * 3 + 2]; }
};

std::vector<TRasterPage> ReadRaster(const std::string& path) {
  std::vector<TRasterPage> pages;
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return pages;
  cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
  cups_page_header2_t header;
  while (raster && cupsRasterReadHeader2(raster, &header)) {
    TRasterPage page{header.cupsWidth, header.cupsHeight, header.HWResolution[0], header.NumCopies, {}};
    page.Pixels.resize(static_cast<std::size_t>(header.cupsBytesPerLine) * header.cupsHeight);
    for (unsigned y = 0; y < header.cupsHeight; ++y)
      cupsRasterReadPixels(raster, page.Pixels.data() + y * header.cupsBytesPerLine, header.cupsBytesPerLine);
    pages.push_back(std::move(page));
  }
  if (raster) cupsRasterClose(raster);
  ::close(fd);
  return pages;
}

class PrintersTest : public ::testing::Test {
protected:
  PrintersTest() {
    Store.BeginGeneration(2159, 2794, 10, 10);
    for (int i = 0; i < 3; ++i) {
      TPageContent& page = Store.NewPage(816, 1056);
      // A blue square one inch from the top-left corner, one per page.
      page.Add(TPageFill{Bounds(96, 96 + 96 * i, 96, 96), 0xFF0000});
    }
    Store.EndGeneration(false);
  }
  ~PrintersTest() override { std::filesystem::remove(Path); }

  TPageStore Store;
  // Per process: ctest runs this fixture's tests at once, and each removes its file.
  std::string Path = std::string(KESR_OUTPUT_DIR) + "/printers-test-" + std::to_string(getpid()) + ".pwg";
};

TEST_F(PrintersTest, PrintToFileWritesOneRasterPagePerPageAtTheJobResolution) {
  TPrintJobOptions options;
  options.Dpi = 100;
  options.Copies = 2;
  options.FirstPage = 2;
  EXPECT_EQ(PrintToFile(Store, Path, options), 2);

  const auto pages = ReadRaster(Path);
  ASSERT_EQ(pages.size(), 2u);
  const TRasterPage& page = pages[0];  // page 2 of the store
  EXPECT_EQ(page.Width, 850u);
  EXPECT_EQ(page.Height, 1100u);
  EXPECT_EQ(page.Dpi, 100u);
  EXPECT_EQ(page.Copies, 2u);
  // Its square lies two inches down: blue there, white above.
  EXPECT_EQ(page.Blue(150, 250), 255);
  EXPECT_EQ(page.Red(150, 250), 0);
  EXPECT_EQ(page.Red(150, 150), 255);
}

TEST_F(PrintersTest, AFileThatCannotBeWrittenIsAnError) {
  EXPECT_THROW(PrintToFile(Store, "/nonexistent-folder/x.pwg", {}), EPrinterError);
}

TEST(QuickRepPrintTest, PrintGeneratesAndWritesTheOutputFile) {
  const std::string path = std::string(KESR_OUTPUT_DIR) + "/quickrep-print-" + std::to_string(getpid()) + ".pwg";
  TQuickRep report(nullptr);
  report.PrinterSettings()->OutputFile = path;
  ASSERT_TRUE(report.Print());
  EXPECT_EQ(ReadRaster(path).size(), 1u);  // an empty report still prints its page
  std::filesystem::remove(path);
}

TEST(PrinterSetupTest, TheDialogChoosesAPrinterAndCopiesOrLeavesThemOnCancel) {
  const std::vector<std::string> printers{"office", "warehouse", "label"};
  TQRPrinterSettings settings;
  {
    TScriptedModalDriver driver;
    driver.Do([](TCustomForm& form) {
      static_cast<TComboBox*>(form.FindComponent("cboPrinter"))->SetItemIndex(2);
    });
    driver.Type("edCopies", "3").Choose(mrOk);
    TModalDriverScope scope(driver);
    EXPECT_TRUE(ExecutePrinterSetup(settings, printers, "warehouse"));
  }
  EXPECT_EQ(settings.PrinterIndex, 2);
  EXPECT_EQ(settings.Copies, 3);
  {
    TScriptedModalDriver driver;
    std::string shown;
    driver.Do([&](TCustomForm& form) {
      shown = static_cast<TComboBox*>(form.FindComponent("cboPrinter"))->Text();
    });
    driver.Type("edCopies", "9").Choose(mrCancel);
    TModalDriverScope scope(driver);
    EXPECT_FALSE(ExecutePrinterSetup(settings, printers, "warehouse"));
    EXPECT_EQ(shown, "label");  // the chosen printer is preselected
  }
  EXPECT_EQ(settings.Copies, 3);

  // With no choice made yet, the default printer is offered and kept as such.
  TQRPrinterSettings fresh;
  TScriptedModalDriver driver;
  std::string shown;
  driver.Do([&](TCustomForm& form) { shown = static_cast<TComboBox*>(form.FindComponent("cboPrinter"))->Text(); });
  driver.Choose(mrOk);
  TModalDriverScope scope(driver);
  EXPECT_TRUE(ExecutePrinterSetup(fresh, printers, "warehouse"));
  EXPECT_EQ(shown, "warehouse");
  EXPECT_EQ(fresh.PrinterIndex, -1);
}

}  // namespace
