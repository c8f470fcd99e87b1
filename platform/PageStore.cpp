#include "PageStore.h"

void TPageStore::BeginGeneration(int PaperWidth, int PaperLength, double LeftMargin, double TopMargin) {
  FPages.clear();
  FStatus = gsBusy;
  FCancelRequested = false;
  FPaperWidth = PaperWidth;
  FPaperLength = PaperLength;
  FLeftMargin = LeftMargin;
  FTopMargin = TopMargin;
}

TPageContent& TPageStore::NewPage(int Width, int Height) {
  auto page = std::make_unique<TPageContent>();
  page->Width = Width;
  page->Height = Height;
  FPages.push_back(std::move(page));
  return *FPages.back();
}

void TPageStore::EndGeneration(bool Cancelled) { FStatus = Cancelled ? gsCancelled : gsFinished; }

void TPageStore::Clear() {
  FPages.clear();
  FStatus = gsEmpty;
  FCancelRequested = false;
}

const TPageContent& TPageStore::Page(int PageNumber) const {
  if (PageNumber < 1 || PageNumber > PageCount())
    throw EListError("Page " + std::to_string(PageNumber) + " out of range (" + std::to_string(PageCount()) +
                     " pages)");
  return *FPages[PageNumber - 1];
}

TPageContent& TPageStore::Page(int PageNumber) {
  return const_cast<TPageContent&>(static_cast<const TPageStore&>(*this).Page(PageNumber));
}
