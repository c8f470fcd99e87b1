#include "libPDF.h"

#include <cstdio>
#include <ctime>

#include "BinaryFile.h"
#include "Bitmap.h"
#include "TypInfo.h"

namespace {

constexpr const char* DefaultAuthor = "KESR52C";
constexpr const char* Eol = "\r\n";

constexpr const char* StandardFonts[14] = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique", "Courier",
    "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique", "Times-Roman", "Times-Bold",
    "Times-Italic", "Times-BoldItalic", "Symbol", "ZapfDingbats"};

std::string Line(const std::string& text) { return text + Eol; }

// A PDF literal string body: "\", "(" and ")" are escaped so that a document
// text cannot break the file's syntax; non-ASCII text is written as UTF-16
// with a byte-order mark, as PDF text strings require.
std::string PdfText(const std::string& utf8) {
  bool ascii = true;
  for (unsigned char c : utf8) ascii = ascii && c < 0x80;
  std::string bytes;
  if (ascii) {
    bytes = utf8;
  } else {
    bytes = "\xFE\xFF";
    for (std::size_t i = 0; i < utf8.size();) {
      auto b = static_cast<unsigned char>(utf8[i]);
      int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
      char32_t cp = length == 1 ? b : (b & (0x7F >> length));
      for (int k = 1; k < length && i + k < utf8.size(); ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
      i += length;
      auto unit = [&bytes](unsigned u) {
        bytes.push_back(static_cast<char>(u >> 8));
        bytes.push_back(static_cast<char>(u & 0xFF));
      };
      if (cp >= 0x10000) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
      } else {
        unit(cp);
      }
    }
  }
  std::string out;
  for (char c : bytes) {
    if (c == '\\' || c == '(' || c == ')') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

std::string CreationDate() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

std::string Ref(int number) { return std::to_string(number) + " 0 R"; }

}  // namespace

const TClass& TPDFFont::StaticClass() {
  static const TClass Class = TClassBuilder<TPDFFont>("TPDFFont")
                                  .Property("FontNumber", &TPDFFont::FontNumber, &TPDFFont::SetFontNumber)
                                  .Property("Size", &TPDFFont::Size, &TPDFFont::SetSize)
                                  .Build();
  return Class;
}

const TClass& TPrintPDF::StaticClass() {
  static const TClass Class =
      TClassBuilder<TPrintPDF>("TPrintPDF")
          .Property("FileName", &TPrintPDF::FileName, &TPrintPDF::SetFileName)
          .Property("TITLE", &TPrintPDF::TITLE, &TPrintPDF::SetTITLE)
          .Property("PageNumber", &TPrintPDF::PageNumber, nullptr)
          .Property("PageWidth", &TPrintPDF::PageWidth, &TPrintPDF::SetPageWidth).Default(612)
          .Property("PageHeight", &TPrintPDF::PageHeight, &TPrintPDF::SetPageHeight).Default(792)
          .Property("LineWidth", &TPrintPDF::LineWidth, &TPrintPDF::SetLineWidth).Default(1)
          .Property("Author", &TPrintPDF::Author, &TPrintPDF::SetAuthor)
          .Property("Creator", &TPrintPDF::Creator, &TPrintPDF::SetCreator)
          .Property("Producer", &TPrintPDF::Producer, &TPrintPDF::SetProducer)
          .Property("Keywords", &TPrintPDF::Keywords, &TPrintPDF::SetKeywords)
          .Property("Subject", &TPrintPDF::Subject, &TPrintPDF::SetSubject)
          .Property("Font", &TPrintPDF::Font, nullptr)
          .Property("Compress", &TPrintPDF::Compress, &TPrintPDF::SetCompress).Default(0)
          .Build();
  return Class;
}

TPrintPDF::TPrintPDF(TComponent* AOwner)
    : TComponent(AOwner), FAuthor(DefaultAuthor), FCreator(DefaultAuthor), FProducer(DefaultAuthor),
      FFont(new TPDFFont) {}

TPrintPDF::~TPrintPDF() { delete FFont; }

std::string TPrintPDF::StartObject(int number) const { return Line(std::to_string(number) + " 0 obj"); }

void TPrintPDF::RecordObject(const std::string& object) {
  FOffsetTotal += static_cast<long long>(object.size());
  FOffsets.push_back(FOffsetTotal);
  FOutput += object;
  ++FObjectCount;
}

void TPrintPDF::BeginDoc() {
  FPageNumber = 1;
  FObjectCount = 0;
  FOffsetTotal = 0;
  FOffsets.clear();
  FContentObjects.clear();
  FFontObjects.clear();
  FOutput.clear();
  FObject.clear();
  FPageContent.clear();
  FImages.clear();

  const std::string header = Line("%PDF-1.4");
  FOffsetTotal = static_cast<long long>(header.size());
  FOffsets.push_back(FOffsetTotal);
  FOutput = header;

  std::string info = StartObject(1);
  info += Line("<<");
  info += Line("/Producer (" + PdfText(FProducer) + ")");
  info += Line("/Author (" + PdfText(FAuthor) + ")");
  info += Line("/CreationDate (D:" + CreationDate() + ")");
  info += Line("/Creator (" + PdfText(FCreator) + ")");
  info += Line("/Keywords (" + PdfText(FKeywords) + ")");
  info += Line("/Subject (" + PdfText(FSubject) + ")");
  info += Line("/Title (" + PdfText(FTitle) + ")");
  info += Line("/ModDate ()");
  info += Line(">>");
  info += Line("endobj");
  RecordObject(info);

  FObject = StartObject(2) + Line("<< /Length " + Ref(3)) + Line(" >>");
  FContentHeaderLength = FObject.size();
  FObject += Line("stream");
  FContentObjects.push_back(2);
  FInDocument = true;
}

void TPrintPDF::DrawImage(int X, int Y, TBitmap* Bitmap) {
  if (!FInDocument) throw Exception("DrawImage called outside BeginDoc ... EndDoc");
  if (!Bitmap) throw Exception("DrawImage needs a bitmap");
  Bitmap->SetPixelFormat(pf24bit);
  const int index = static_cast<int>(FImages.size()) + 1;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  // The page unit is the bitmap pixel: with the page sized to the bitmap the
  // image covers the page exactly.
  const int W = w, H = h;
  FPageContent += Line("q");
  FPageContent += Line(std::to_string(W) + " 0 0 " + std::to_string(H) + " " + std::to_string(X) + " " +
                       std::to_string(FPageHeight - Y - H) + " cm");
  FPageContent += Line("/Im" + std::to_string(index) + " Do");
  FPageContent += Line("Q");

  const long long sampleBytes = static_cast<long long>(w) * 3 * h;
  std::string image;
  image += Line("<< /Type /XObject");
  image += Line("/Subtype /Image");
  image += Line("/Width " + std::to_string(w));
  image += Line("/Height " + std::to_string(h));
  image += Line("/ColorSpace /DeviceRGB");
  image += Line("/BitsPerComponent 8");
  image += Line("/Length " + std::to_string(sampleBytes));
  image += Line("/Name /Im" + std::to_string(index));
  image += Line(">>");
  image += Line("stream");
  image.reserve(image.size() + static_cast<std::size_t>(sampleBytes));
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = Bitmap->ScanLine(y);
    for (int x = 0; x < w; ++x) {
      image.push_back(static_cast<char>(row[x * 3 + 2]));
      image.push_back(static_cast<char>(row[x * 3 + 1]));
      image.push_back(static_cast<char>(row[x * 3]));
    }
  }
  FImages.push_back(std::move(image));
}

void TPrintPDF::EndDoc() {
  if (!FInDocument) throw Exception("EndDoc called without BeginDoc");
  const int n = static_cast<int>(FImages.size());

  FObject += FPageContent + Line("endstream") + Line("endobj");
  RecordObject(FObject);
  const long long contentLength = static_cast<long long>(FObject.size() - FContentHeaderLength) - 6 - 21;
  FObject.clear();

  RecordObject(StartObject(3) + Line(std::to_string(contentLength)) + Line("endobj"));

  FOutlinesObject = 4;
  RecordObject(StartObject(4) + Line("<< /Type /Outlines") + Line("/Count 0") + Line(">>") + Line("endobj"));

  for (int k = 1; k <= 14; ++k) {
    const int number = 4 + k;
    FFontObjects.push_back(number);
    RecordObject(StartObject(number) + Line("<< /Type /Font") + Line("/Subtype /Type1") +
                 Line("/Name /F" + std::to_string(k)) + Line(std::string("/BaseFont /") + StandardFonts[k - 1]) +
                 Line("/Encoding /WinAnsiEncoding") + Line(">>") + Line("endobj"));
  }

  FPagesObject = 19;
  FResourcesObject = 20;
  std::string pages = StartObject(FPagesObject) + Line("<< /Type /Pages") + Line("/Kids [");
  for (int page = 1; page <= FPageNumber; ++page) pages += Line(Ref(FPagesObject + page + n + 1));
  pages += Line("]") + Line("/Count " + std::to_string(FPageNumber)) + Line(">>") + Line("endobj");
  RecordObject(pages);

  std::string resources = StartObject(FResourcesObject) + Line("<< /ProcSet [ /PDF /Text /ImageC]") + Line("/XObject << ");
  for (int i = 1; i <= n; ++i) resources += Line("/Im" + std::to_string(i) + " " + Ref(FResourcesObject + i));
  resources += Line(">>") + Line("/Font << ");
  for (std::size_t k = 0; k < FFontObjects.size(); ++k)
    resources += Line("/F" + std::to_string(k + 1) + " " + Ref(FFontObjects[k]) + " ");
  resources += Line(">>") + Line(">>") + Line("endobj");
  RecordObject(resources);

  for (int i = 1; i <= n; ++i) {
    RecordObject(StartObject(FResourcesObject + i) + FImages[i - 1] + Eol + Line("endstream") + Line("endobj"));
    std::string().swap(FImages[i - 1]);
  }

  const int pageObject = FResourcesObject + n + 1;
  RecordObject(StartObject(pageObject) + Line("<< /Type /Page") + Line("/Parent " + Ref(FPagesObject)) +
               Line("/MediaBox [ 0 0 " + std::to_string(FPageWidth) + " " + std::to_string(FPageHeight) + "]") +
               Line("/Contents " + Ref(FContentObjects.front())) + Line("/Resources " + Ref(FResourcesObject)) +
               Line(">>") + Line("endobj"));

  FCatalogObject = pageObject + 1;
  RecordObject(StartObject(FCatalogObject) + Line("<< /Type /Catalog") + Line("/Pages " + Ref(FPagesObject)) +
               Line("/Outlines " + Ref(FOutlinesObject)) + Line(">>") + Line("endobj"));

  const long long xrefOffset = FOffsetTotal;
  const int size = FCatalogObject + 1;
  FOutput += Line("xref");
  FOutput += Line("0 " + std::to_string(size));
  FOutput += Line("0000000000 65535 f");
  for (int object = 1; object < size; ++object) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010lld 00000 n", FOffsets[object - 1]);
    FOutput += Line(entry);
  }
  FOutput += Line("trailer");
  FOutput += Line("<< /Size " + std::to_string(size));
  FOutput += Line("/Root " + Ref(FCatalogObject));
  FOutput += Line("/Info 1 0 R");
  FOutput += Line(">>");
  FOutput += Line("startxref");
  FOutput += Line(std::to_string(xrefOffset));
  FOutput += Line("%%EOF");

  FInDocument = false;
  std::string output;
  output.swap(FOutput);
  FImages.clear();
  WriteBinaryFile(FFileName, output.data(), output.size());
}
