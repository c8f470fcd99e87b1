#pragma once
// Printing through CUPS. Pages are drawn at the job's resolution and sent as
// a PWG raster stream, the format driverless printers take; the same stream
// can go to a file instead of a queue (for tests and "print to file").
#include <string>
#include <vector>

#include "Exceptions.h"

class TPageStore;

KESR_DECLARE_EXCEPTION(EPrinterError, Exception);

// The CUPS destinations (queues and their instances "queue/instance").
std::vector<std::string> PrinterNames();
// The default destination, or empty text when none is set.
std::string DefaultPrinterName();
// The queue of a printer index as the report's printer settings keep it:
// -1 is the default printer. EPrinterError when there is no such printer.
std::string PrinterNameOf(int PrinterIndex);

struct TPrintJobOptions {
  std::string Title = "Report";
  int Dpi = 300;
  int Copies = 1;
  // 1-based page range; 0 means from the first / to the last page.
  int FirstPage = 0;
  int LastPage = 0;
};

// Writes the pages as one PWG raster document; answers the pages written.
// EPrinterError when the file cannot be written (a partial file is removed).
int PrintToFile(const TPageStore& Pages, const std::string& FileName, const TPrintJobOptions& Options);
// Submits the pages to a CUPS queue; answers the job id. EPrinterError when
// the job cannot be created or sent (a started job is cancelled).
int PrintToQueue(const TPageStore& Pages, const std::string& Queue, const TPrintJobOptions& Options);
