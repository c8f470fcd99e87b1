#include "Printers.h"

#include <cups/cups.h>
#include <cups/raster.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>

#include "Bitmap.h"
#include "PageRenderer.h"
#include "PageStore.h"

namespace {

struct TDests {
  cups_dest_t* List = nullptr;
  int Count = 0;
  TDests() { Count = cupsGetDests(&List); }
  ~TDests() { cupsFreeDests(Count, List); }
  TDests(const TDests&) = delete;
  TDests& operator=(const TDests&) = delete;
};

std::string DestName(const cups_dest_t& dest) {
  std::string name = dest.name ? dest.name : "";
  if (dest.instance) name += std::string("/") + dest.instance;
  return name;
}

struct TRasterCloser {
  void operator()(cups_raster_t* r) const { cupsRasterClose(r); }
};
using TRaster = std::unique_ptr<cups_raster_t, TRasterCloser>;

// The page range of the options within the store.
void PageRange(const TPageStore& pages, const TPrintJobOptions& options, int& first, int& last) {
  first = options.FirstPage > 0 ? options.FirstPage : 1;
  last = options.LastPage > 0 ? std::min(options.LastPage, pages.PageCount()) : pages.PageCount();
}

int WriteRaster(cups_raster_t* raster, const TPageStore& pages, const TPrintJobOptions& options) {
  const int dpi = options.Dpi > 0 ? options.Dpi : 300;
  int first = 0, last = 0;
  PageRange(pages, options, first, last);
  int written = 0;
  for (int number = first; number <= last; ++number) {
    const std::unique_ptr<TBitmap> bitmap = RenderPage(pages.Page(number), dpi, pf24bit);
    const TPageContent& page = pages.Page(number);
    // Page pixels are 1/96 inch; PWG media sizes are in hundredths of a millimetre.
    const pwg_media_t* media = pwgMediaForSize(static_cast<int>(std::lround(page.Width * 2540.0 / 96.0)),
                                               static_cast<int>(std::lround(page.Height * 2540.0 / 96.0)));
    cups_page_header2_t header;
    if (!media || !cupsRasterInitPWGHeader(&header, const_cast<pwg_media_t*>(media), "srgb_8", dpi, dpi,
                                           "one-sided", nullptr))
      throw EPrinterError(std::string("Cannot describe the page for printing: ") + cupsLastErrorString());
    // The drawn page decides the raster's size, whatever the media rounding.
    header.cupsWidth = static_cast<unsigned>(bitmap->Width());
    header.cupsHeight = static_cast<unsigned>(bitmap->Height());
    header.cupsBytesPerLine = header.cupsWidth * 3;
    header.NumCopies = static_cast<unsigned>(std::max(1, options.Copies));
    header.cupsInteger[0] = static_cast<unsigned>(last - first + 1);  // total page count
    if (!cupsRasterWriteHeader2(raster, &header))
      throw EPrinterError("Cannot write the page header of page " + std::to_string(number));
    std::vector<unsigned char> row(header.cupsBytesPerLine);
    std::vector<TColor> colors(bitmap->Width());
    for (int y = 0; y < bitmap->Height(); ++y) {
      bitmap->ReadRow(y, colors.data());
      for (int x = 0; x < bitmap->Width(); ++x) {
        row[3 * x] = static_cast<unsigned char>(colors[x] & 0xFF);
        row[3 * x + 1] = static_cast<unsigned char>((colors[x] >> 8) & 0xFF);
        row[3 * x + 2] = static_cast<unsigned char>((colors[x] >> 16) & 0xFF);
      }
      if (cupsRasterWritePixels(raster, row.data(), header.cupsBytesPerLine) != header.cupsBytesPerLine)
        throw EPrinterError("Cannot write page " + std::to_string(number));
    }
    ++written;
  }
  return written;
}

struct TFileDescriptor {
  int Fd = -1;
  ~TFileDescriptor() {
    if (Fd >= 0) ::close(Fd);
  }
};

ssize_t WriteToServer(void*, unsigned char* buffer, size_t length) {
  return cupsWriteRequestData(CUPS_HTTP_DEFAULT, reinterpret_cast<const char*>(buffer), length) == HTTP_STATUS_CONTINUE
             ? static_cast<ssize_t>(length)
             : -1;
}

}  // namespace

std::vector<std::string> PrinterNames() {
  TDests dests;
  std::vector<std::string> names;
  for (int i = 0; i < dests.Count; ++i) names.push_back(DestName(dests.List[i]));
  return names;
}

std::string DefaultPrinterName() {
  TDests dests;
  for (int i = 0; i < dests.Count; ++i)
    if (dests.List[i].is_default) return DestName(dests.List[i]);
  return {};
}

std::string PrinterNameOf(int PrinterIndex) {
  if (PrinterIndex < 0) {
    std::string name = DefaultPrinterName();
    if (name.empty()) {
      const auto names = PrinterNames();
      if (!names.empty()) return names.front();
      throw EPrinterError("No printer is installed");
    }
    return name;
  }
  const auto names = PrinterNames();
  if (PrinterIndex >= static_cast<int>(names.size()))
    throw EPrinterError("Printer index " + std::to_string(PrinterIndex) + " out of range (" +
                        std::to_string(names.size()) + " printers)");
  return names[PrinterIndex];
}

int PrintToFile(const TPageStore& Pages, const std::string& FileName, const TPrintJobOptions& Options) {
  TFileDescriptor file;
  file.Fd = ::open(FileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (file.Fd < 0) throw EPrinterError("Cannot create " + FileName + ": " + std::strerror(errno));
  try {
    TRaster raster(cupsRasterOpen(file.Fd, CUPS_RASTER_WRITE_PWG));
    if (!raster) throw EPrinterError("Cannot start a raster stream in " + FileName);
    return WriteRaster(raster.get(), Pages, Options);
  } catch (...) {
    ::unlink(FileName.c_str());
    throw;
  }
}

int PrintToQueue(const TPageStore& Pages, const std::string& Queue, const TPrintJobOptions& Options) {
  cups_option_t* options = nullptr;
  int count = cupsAddOption("copies", std::to_string(std::max(1, Options.Copies)).c_str(), 0, &options);
  const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, Queue.c_str(), Options.Title.c_str(), count, options);
  cupsFreeOptions(count, options);
  if (job <= 0) throw EPrinterError("Cannot create a print job on " + Queue + ": " + cupsLastErrorString());
  try {
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, Queue.c_str(), job, Options.Title.c_str(), "image/pwg-raster", 1) !=
        HTTP_STATUS_CONTINUE)
      throw EPrinterError("Cannot send the document to " + Queue + ": " + cupsLastErrorString());
    {
      TRaster raster(cupsRasterOpenIO(WriteToServer, nullptr, CUPS_RASTER_WRITE_PWG));
      if (!raster) throw EPrinterError("Cannot start a raster stream to " + Queue);
      WriteRaster(raster.get(), Pages, Options);
    }
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, Queue.c_str()) != IPP_STATUS_OK)
      throw EPrinterError("Printing on " + Queue + " failed: " + cupsLastErrorString());
  } catch (...) {
    cupsCancelJob2(CUPS_HTTP_DEFAULT, Queue.c_str(), job, 0);
    throw;
  }
  return job;
}
