#pragma once
// The generated pages of a report. Each page is a display list in page
// pixels (1/96 inch at zoom 100) - texts already broken into lines, fills,
// lines, shapes and pictures - so it can be drawn at any resolution later
// without running the report again.
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "Controls.h"
#include "Exceptions.h"
#include "Font.h"
#include "Types.h"

class TBitmap;

struct TPageFont {
  std::string Name;
  int Height = -12;  // pixels at 96 dpi, as TFont::Height
  TFontStyles Style;
  TColor Color = 0;
  TFontCharset Charset = DEFAULT_CHARSET;
};

struct TPageFill {
  TRect Box;
  TColor Color = 0xFFFFFF;
};

struct TPageLine {
  TPoint From;
  TPoint To;  // drawn up to and including To
  TColor Color = 0;
  int Width = 1;
};

enum TPageShapeKind { pskRectangle, pskEllipse };

struct TPageShape {
  TPageShapeKind Kind = pskRectangle;
  TRect Box;
  TColor PenColor = 0;
  int PenWidth = 1;  // 0: no outline
  bool Filled = false;
  TColor BrushColor = 0xFFFFFF;
};

// One line of a text item; it is aligned within Clip's width at Top.
struct TPageTextLine {
  std::string Text;
  int Top = 0;
};

struct TPageText {
  TRect Clip;
  TPageFont Font;
  TAlignment Alignment = taLeftJustify;
  int LineHeight = 0;
  std::vector<TPageTextLine> Lines;
};

// Bitmaps are shared between the pages that show the same picture.
struct TPagePicture {
  TRect Box;
  std::shared_ptr<const TBitmap> Bitmap;
  bool Stretch = false;
  bool Center = false;
};

using TPageItem = std::variant<TPageFill, TPageLine, TPageShape, TPageText, TPagePicture>;

struct TPageContent {
  int Width = 0;   // the paper in page pixels
  int Height = 0;
  std::vector<TPageItem> Items;
  // Builds the item in place (no temporary variant to copy from).
  template <class T>
  void Add(T Item) {
    Items.emplace_back(std::in_place_type<T>, std::move(Item));
  }
};

enum TPageStoreStatus { gsEmpty, gsBusy, gsFinished, gsCancelled };

// Told after every generated page; answering false cancels the generation.
class IPageProgress {
public:
  virtual ~IPageProgress() = default;
  // PageCount pages so far; Record is the 1-based record reached and
  // RecordCount the data set's size (0 without data).
  virtual bool PageGenerated(int PageCount, int Record, int RecordCount) = 0;
};

class TPageStore {
public:
  TPageStore() = default;
  TPageStore(const TPageStore&) = delete;
  TPageStore& operator=(const TPageStore&) = delete;

  // Drops every page and starts a generation; paper size in tenths of a
  // millimetre and margins in millimetres as the report had them.
  void BeginGeneration(int PaperWidth, int PaperLength, double LeftMargin, double TopMargin);
  TPageContent& NewPage(int Width, int Height);
  // Cancelled: the pages made so far are kept, the status tells.
  void EndGeneration(bool Cancelled);
  void Clear();

  int PageCount() const { return static_cast<int>(FPages.size()); }
  // 1-based; EListError outside 1..PageCount.
  const TPageContent& Page(int PageNumber) const;
  TPageContent& Page(int PageNumber);

  TPageStoreStatus Status() const { return FStatus; }
  bool Finished() const { return FStatus == gsFinished; }
  bool Cancelled() const { return FStatus == gsCancelled; }

  // A cancel request checked after every page (a progress window's button).
  void Cancel() { FCancelRequested = true; }
  bool CancelRequested() const { return FCancelRequested; }

  // Not owned; nullptr for none.
  IPageProgress* Progress() const { return FProgress; }
  void SetProgress(IPageProgress* Value) { FProgress = Value; }

  int PaperWidth() const { return FPaperWidth; }
  int PaperLength() const { return FPaperLength; }
  double LeftMargin() const { return FLeftMargin; }
  double TopMargin() const { return FTopMargin; }

private:
  std::vector<std::unique_ptr<TPageContent>> FPages;
  TPageStoreStatus FStatus = gsEmpty;
  bool FCancelRequested = false;
  IPageProgress* FProgress = nullptr;
  int FPaperWidth = 0;
  int FPaperLength = 0;
  double FLeftMargin = 0;
  double FTopMargin = 0;
};
