#pragma once
// The printer set-up dialog of the report engine: the printer list and the
// number of copies. Shown modally, so the modal driver answers it in tests
// and in hosts without a user.
#include <string>
#include <vector>

class TQRPrinterSettings;

// Preselects Settings.PrinterIndex (-1: DefaultPrinter). True when the user
// confirmed; then Settings holds the chosen printer index and copies.
bool ExecutePrinterSetup(TQRPrinterSettings& Settings, const std::vector<std::string>& Printers,
                         const std::string& DefaultPrinter);
