#include "BarcodeTypes.h"

#include <cstring>
#include <iterator>

#include <zint.h>

namespace {

bool Digit(unsigned char c) { return c >= '0' && c <= '9'; }
bool Code39Char(unsigned char c) {
  return Digit(c) || (c >= 'A' && c <= 'Z') || (c != 0 && std::strchr("-. $/+%", c) != nullptr);
}
bool Ascii(unsigned char c) { return c < 128; }
bool Code128A(unsigned char c) { return c < 96; }
bool Code128B(unsigned char c) { return c >= 32 && c < 128; }
bool CodabarChar(unsigned char c) {
  return Digit(c) || (c >= 'A' && c <= 'D') || (c != 0 && std::strchr("-$:/.+", c) != nullptr);
}

// Codes 0..22 in the order the stored formats number them.
const TBarcodeType kTypes[] = {
    {0, "2 of 5 interleaved", BARCODE_C25INTER, Digit},
    {1, "2 of 5 industrial", BARCODE_C25IND, Digit},
    {2, "2 of 5 matrix", BARCODE_C25STANDARD, Digit},
    {3, "Code 39", BARCODE_CODE39, Code39Char},
    {4, "Code 39 extended", BARCODE_EXCODE39, Ascii},
    {5, "Code 128 A", BARCODE_CODE128, Code128A},
    {6, "Code 128 B", BARCODE_CODE128, Code128B},
    {7, "Code 128 C", BARCODE_CODE128, Digit},
    {8, "Code 93", BARCODE_CODE93, Code39Char},
    {9, "Code 93 extended", BARCODE_CODE93, Ascii},
    {10, "MSI", BARCODE_MSI_PLESSEY, Digit},
    {11, "PostNet", BARCODE_POSTNET, Digit},
    {12, "Codabar", BARCODE_CODABAR, CodabarChar},
    {13, "EAN 8", BARCODE_EANX, Digit},
    {14, "EAN 13", BARCODE_EANX, Digit},
    {15, "UPC A", BARCODE_UPCA, Digit},
    {16, "UPC E0", BARCODE_UPCE, Digit},
    {17, "UPC E1", BARCODE_UPCE, Digit},
    {18, "UPC supplement 2", BARCODE_EANX, Digit},
    {19, "UPC supplement 5", BARCODE_EANX, Digit},
    {20, "EAN 128 A", BARCODE_CODE128, Code128A},
    {21, "EAN 128 B", BARCODE_CODE128, Code128B},
    {22, "EAN 128 C", BARCODE_CODE128, Digit},
};

}  // namespace

const TBarcodeType* FindBarcodeType(int Code) {
  if (Code < 0 || Code >= BarcodeTypeCount()) return nullptr;
  return &kTypes[Code];
}

int BarcodeTypeCount() { return static_cast<int>(std::size(kTypes)); }
