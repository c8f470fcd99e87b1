#pragma once
// TPrintPDF: writes a one-page PDF 1.4 file showing bitmaps, composed in
// memory and written in one piece with its cross-reference table.
#include <string>
#include <vector>

#include "Component.h"

class TBitmap;

// The text font record of the writer; kept for the published interface.
class TPDFFont : public TPersistent {
  KESR_CLASS(TPDFFont, TPersistent)
public:
  int FontNumber() const { return FFontNumber; }
  void SetFontNumber(int value) { FFontNumber = value; }
  int Size() const { return FSize; }
  void SetSize(int value) { FSize = value; }

private:
  int FFontNumber = 4;
  int FSize = 12;
};

class TPrintPDF : public TComponent {
  KESR_CLASS(TPrintPDF, TComponent)
public:
  explicit TPrintPDF(TComponent* AOwner);
  ~TPrintPDF() override;

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  const std::string& TITLE() const { return FTitle; }
  void SetTITLE(const std::string& value) { FTitle = value; }
  int PageNumber() const { return FPageNumber; }
  int PageWidth() const { return FPageWidth; }
  void SetPageWidth(int value) { FPageWidth = value; }
  int PageHeight() const { return FPageHeight; }
  void SetPageHeight(int value) { FPageHeight = value; }
  int LineWidth() const { return FLineWidth; }
  void SetLineWidth(int value) { FLineWidth = value; }
  const std::string& Author() const { return FAuthor; }
  void SetAuthor(const std::string& value) { FAuthor = value; }
  const std::string& Creator() const { return FCreator; }
  void SetCreator(const std::string& value) { FCreator = value; }
  const std::string& Producer() const { return FProducer; }
  void SetProducer(const std::string& value) { FProducer = value; }
  const std::string& Keywords() const { return FKeywords; }
  void SetKeywords(const std::string& value) { FKeywords = value; }
  const std::string& Subject() const { return FSubject; }
  void SetSubject(const std::string& value) { FSubject = value; }
  TPDFFont* Font() const { return FFont; }
  bool Compress() const { return FCompress; }
  // Streams are written uncompressed either way.
  void SetCompress(bool value) { FCompress = value; }

  void BeginDoc();
  // Places the bitmap with its top edge Y below the top of the page and its
  // left edge at X; one bitmap pixel covers one page unit. The bitmap is
  // switched to 24 bits per pixel.
  void DrawImage(int X, int Y, TBitmap* Bitmap);
  // Completes the document and writes FileName; raises EFCreateError when
  // the file cannot be written.
  void EndDoc();

private:
  void RecordObject(const std::string& object);
  std::string StartObject(int number) const;

  std::string FFileName;
  std::string FTitle;
  int FPageNumber = 0;
  int FPageWidth = 612;
  int FPageHeight = 792;
  int FLineWidth = 1;
  std::string FAuthor;
  std::string FCreator;
  std::string FProducer;
  std::string FKeywords;
  std::string FSubject;
  TPDFFont* FFont;
  bool FCompress = false;

  bool FInDocument = false;
  std::string FOutput;
  std::string FObject;
  std::string FPageContent;
  std::vector<std::string> FImages;  // dictionary and samples of each image
  int FObjectCount = 0;
  long long FOffsetTotal = 0;
  std::vector<long long> FOffsets;
  std::vector<int> FContentObjects;
  std::vector<int> FFontObjects;
  std::size_t FContentHeaderLength = 0;
  int FPagesObject = 0;
  int FResourcesObject = 0;
  int FOutlinesObject = 0;
  int FCatalogObject = 0;
};
