#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <algorithm>

#include "BinaryFile.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "Colors.h"
#include "PngCodec.h"
#include "libPDF.h"

namespace {

namespace fs = std::filesystem;

std::string Temp(const std::string& name) { return testing::TempDir() + name; }

std::string ReadText(const std::string& path) {
  std::vector<std::uint8_t> bytes = ReadBinaryFile(path);
  return std::string(bytes.begin(), bytes.end());
}

// Writes a one-page document of the bitmaps, each drawn at (0, 0), with the
// page sized to the first bitmap as the page export does.
std::string WritePdf(const std::string& name, std::vector<TBitmap*> bitmaps, const std::string& title = "") {
  TPrintPDF pdf(nullptr);
  pdf.SetAuthor("");
  pdf.SetCompress(true);
  pdf.SetTITLE(title);
  pdf.SetPageWidth(bitmaps.front()->Width());
  pdf.SetPageHeight(bitmaps.front()->Height());
  pdf.SetFileName(Temp(name));
  pdf.BeginDoc();
  EXPECT_EQ(pdf.PageNumber(), 1);
  for (TBitmap* b : bitmaps) pdf.DrawImage(0, 0, b);
  pdf.EndDoc();
  return ReadText(Temp(name));
}

int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

// The entries of the cross-reference table: the free entry, then one per object.
struct XrefInfo {
  std::size_t Offset = 0;
  int Count = 0;
  std::vector<std::string> Entries;
};

XrefInfo ParseXref(const std::string& pdf) {
  XrefInfo info;
  info.Offset = pdf.rfind("\r\nxref\r\n") + 2;
  std::size_t pos = info.Offset + 6;
  std::size_t eol = pdf.find("\r\n", pos);
  info.Count = std::stoi(pdf.substr(pos + 2, eol - pos - 2));
  pos = eol + 2;
  for (int i = 0; i < info.Count; ++i, pos += 20) info.Entries.push_back(pdf.substr(pos, 20));
  return info;
}

TEST(PrintPDF, LetterPageLayoutCrossReferenceAndTrailer) {
  TBitmap page(816, 1056, pf16bit);
  page.Canvas()->Brush().SetColor(clWhite);
  page.Canvas()->FillRect(Rect(0, 0, 816, 1056));
  const std::string pdf = WritePdf("letter.pdf", {&page});

  EXPECT_EQ(pdf.substr(0, 10), "%PDF-1.4\r\n");
  const XrefInfo xref = ParseXref(pdf);
  EXPECT_EQ(xref.Count, 24);
  EXPECT_EQ(xref.Entries[0], "0000000000 65535 f\r\n");
  for (int object = 1; object < xref.Count; ++object) {
    const std::string& entry = xref.Entries[object];
    ASSERT_EQ(entry.size(), 20u);
    EXPECT_EQ(entry.substr(10), " 00000 n\r\n");
    const std::size_t offset = std::stoul(entry.substr(0, 10));
    EXPECT_EQ(pdf.compare(offset, std::to_string(object).size() + 8, std::to_string(object) + " 0 obj\r\n"), 0)
        << "object " << object;
  }
  const std::string trailer = pdf.substr(xref.Offset + 6 + 6 + 20 * 24);
  EXPECT_EQ(trailer, "trailer\r\n<< /Size 24\r\n/Root 23 0 R\r\n/Info 1 0 R\r\n>>\r\nstartxref\r\n" +
                         std::to_string(xref.Offset) + "\r\n%%EOF\r\n");

  // The image covers the page exactly.
  EXPECT_NE(pdf.find("2 0 obj\r\n<< /Length 3 0 R\r\n >>\r\nstream\r\nq\r\n816 0 0 1056 0 0 cm\r\n/Im1 Do\r\nQ\r\nendstream"),
            std::string::npos);
  EXPECT_NE(pdf.find("3 0 obj\r\n36\r\nendobj"), std::string::npos);  // the operators with their CR LFs
  EXPECT_NE(pdf.find("/Kids [\r\n22 0 R\r\n]\r\n/Count 1"), std::string::npos);
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 816 1056]"), std::string::npos);
  EXPECT_NE(pdf.find("20 0 obj\r\n<< /ProcSet [ /PDF /Text /ImageC]\r\n/XObject << \r\n/Im1 21 0 R\r\n>>\r\n/Font << \r\n/F1 5 0 R \r\n"),
            std::string::npos);
  EXPECT_NE(pdf.find("18 0 obj\r\n<< /Type /Font\r\n/Subtype /Type1\r\n/Name /F14\r\n/BaseFont /ZapfDingbats\r\n"
                     "/Encoding /WinAnsiEncoding\r\n>>\r\nendobj\r\n"),
            std::string::npos);
  EXPECT_NE(pdf.find("23 0 obj\r\n<< /Type /Catalog\r\n/Pages 19 0 R\r\n/Outlines 4 0 R\r\n>>\r\nendobj\r\n"), std::string::npos);
  EXPECT_EQ(page.PixelFormat(), pf24bit);  // the caller's bitmap was switched to 24 bits

  EXPECT_EQ(Shell("qpdf --check '" + Temp("letter.pdf") + "'"), 0);
}

TEST(PrintPDF, InformationDictionaryKeepsEmptyKeysAndEscapesTexts) {
  TBitmap dot(1, 1, pf24bit);
  const std::string pdf = WritePdf("info.pdf", {&dot});
  const std::size_t date = pdf.find("/CreationDate (D:");
  ASSERT_NE(date, std::string::npos);
  const std::string stamp = pdf.substr(date + 17, 14);
  EXPECT_EQ(std::count_if(stamp.begin(), stamp.end(), [](char c) { return c >= '0' && c <= '9'; }), 14);
  EXPECT_NE(pdf.find("1 0 obj\r\n<<\r\n/Producer (KESR52C)\r\n/Author ()\r\n/CreationDate (D:" + stamp +
                     ")\r\n/Creator (KESR52C)\r\n/Keywords ()\r\n/Subject ()\r\n/Title ()\r\n/ModDate ()\r\n"
                     ">>\r\nendobj\r\n"),
            std::string::npos);

  // Parentheses and backslashes in a title cannot break the file.
  const std::string odd = WritePdf("title.pdf", {&dot}, "Q(3) a\\b");
  EXPECT_NE(odd.find("/Title (Q\\(3\\) a\\\\b)"), std::string::npos);
  EXPECT_EQ(Shell("qpdf --check '" + Temp("title.pdf") + "'"), 0);
}

TEST(PrintPDF, SamplesAreRgbRowsFromTheTop) {
  TBitmap small(3, 2, pf24bit);
  const TColor colors[2][3] = {{clRed, clLime, clBlue}, {clWhite, clBlack, RGBColor(1, 2, 3)}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) small.SetPixel(x, y, colors[y][x]);
  const std::string pdf = WritePdf("small.pdf", {&small});
  const std::string head = "/Length 18\r\n/Name /Im1\r\n>>\r\nstream\r\n";
  const std::size_t at = pdf.find(head);
  ASSERT_NE(at, std::string::npos);
  const std::string samples = pdf.substr(at + head.size(), 18);
  const unsigned char expected[18] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 1, 2, 3};
  EXPECT_EQ(samples, std::string(reinterpret_cast<const char*>(expected), 18));
  EXPECT_EQ(pdf.substr(at + head.size() + 18, 19), "\r\nendstream\r\nendobj");
  EXPECT_NE(pdf.find("/Width 3\r\n/Height 2\r\n/ColorSpace /DeviceRGB\r\n/BitsPerComponent 8\r\n"), std::string::npos);
  EXPECT_EQ(Shell("qpdf --check '" + Temp("small.pdf") + "'"), 0);
}

// Rendered back, the page shows the whole bitmap: each corner keeps its colour.
TEST(PrintPDF, RenderedPageShowsTheWholeBitmap) {
  const int w = 240, h = 160;
  TBitmap page(w, h, pf16bit);
  TCanvas& c = *page.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(Rect(0, 0, w, h));
  const struct {
    TRect Box;
    TColor Color;
  } corners[] = {{Rect(0, 0, 6, 6), clRed},
                 {Rect(w - 6, 0, w, 6), clLime},
                 {Rect(0, h - 6, 6, h), clBlue},
                 {Rect(w - 6, h - 6, w, h), clBlack}};
  for (const auto& corner : corners) {
    c.Brush().SetColor(corner.Color);
    c.FillRect(corner.Box);
  }
  WritePdf("corners.pdf", {&page});
  const std::string base = Temp("corners");
  ASSERT_EQ(Shell("pdftoppm -r 72 -png -singlefile '" + Temp("corners.pdf") + "' '" + base + "'"), 0);
  const std::vector<std::uint8_t> png = ReadBinaryFile(base + ".png");
  TBitmap rendered;
  DecodePng(png.data(), png.size(), rendered);
  ASSERT_EQ(rendered.Width(), w);
  ASSERT_EQ(rendered.Height(), h);
  for (const auto& corner : corners) {
    const int x = corner.Box.Left == 0 ? 0 : w - 1, y = corner.Box.Top == 0 ? 0 : h - 1;
    EXPECT_EQ(rendered.GetPixel(x, y), corner.Color) << x << "," << y;
    EXPECT_EQ(rendered.GetPixel(x == 0 ? 8 : w - 9, y), clWhite);
  }
}

TEST(PrintPDF, SeveralImagesNumberTheirObjectsInOrder) {
  TBitmap a(4, 4, pf24bit), b(2, 2, pf8bit);
  const std::string pdf = WritePdf("two.pdf", {&a, &b});
  EXPECT_NE(pdf.find("/XObject << \r\n/Im1 21 0 R\r\n/Im2 22 0 R\r\n>>"), std::string::npos);
  EXPECT_NE(pdf.find("/Kids [\r\n23 0 R\r\n]"), std::string::npos);
  EXPECT_NE(pdf.find("q\r\n2 0 0 2 0 2 cm\r\n/Im2 Do\r\nQ\r\n"), std::string::npos);
  EXPECT_EQ(ParseXref(pdf).Count, 25);
  EXPECT_NE(pdf.find("/Size 25\r\n/Root 24 0 R"), std::string::npos);
  EXPECT_EQ(Shell("qpdf --check '" + Temp("two.pdf") + "'"), 0);
}

TEST(PrintPDF, WritesNoTemporaryFilesAndCanBeReused) {
  const fs::path previous = fs::current_path();
  const fs::path folder = Temp("pdf-cwd");
  fs::create_directories(folder);
  fs::current_path(folder);
  TBitmap bitmap(5, 5, pf24bit);
  TPrintPDF pdf(nullptr);
  pdf.SetFileName((folder / "a.pdf").string());
  pdf.BeginDoc();
  pdf.DrawImage(0, 0, &bitmap);
  pdf.EndDoc();
  pdf.SetFileName((folder / "b.pdf").string());
  pdf.BeginDoc();
  pdf.DrawImage(10, 20, &bitmap);
  pdf.EndDoc();
  fs::current_path(previous);
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    ++files;
    EXPECT_EQ(entry.path().filename().string().rfind("~tmpim", 0), std::string::npos);
  }
  EXPECT_EQ(files, 2);
  // The default page is 612 x 792; Y is measured down from the top edge.
  EXPECT_NE(ReadText((folder / "b.pdf").string()).find("5 0 0 5 10 767 cm"), std::string::npos);
  EXPECT_EQ(ParseXref(ReadText((folder / "b.pdf").string())).Count, 24);
}

TEST(PrintPDF, FailuresAreRaised) {
  TBitmap bitmap(1, 1, pf24bit);
  TPrintPDF pdf(nullptr);
  EXPECT_THROW(pdf.DrawImage(0, 0, &bitmap), Exception);
  EXPECT_THROW(pdf.EndDoc(), Exception);
  pdf.SetFileName(Temp("no-such-folder/out.pdf"));
  pdf.BeginDoc();
  pdf.DrawImage(0, 0, &bitmap);
  EXPECT_THROW(pdf.EndDoc(), EFCreateError);
}

TEST(PrintPDF, PublishedProperties) {
  TPrintPDF pdf(nullptr);
  EXPECT_EQ(pdf.PageWidth(), 612);
  EXPECT_EQ(pdf.PageHeight(), 792);
  EXPECT_EQ(pdf.LineWidth(), 1);
  EXPECT_FALSE(pdf.Compress());
  EXPECT_EQ(pdf.Font()->FontNumber(), 4);
  EXPECT_EQ(pdf.Font()->Size(), 12);
  EXPECT_EQ(pdf.PageNumber(), 0);
  EXPECT_EQ(std::string(pdf.ClassType().ClassName()), "TPrintPDF");
}

}  // namespace
