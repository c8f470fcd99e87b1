#pragma once
// The barcode type codes stored in print formats and what each means: the
// zint symbology that draws it and the characters it can encode.
#include <string>
#include <string_view>

struct TBarcodeType {
  int Code = -1;
  const char* Name = "";
  int Symbology = 0;  // zint's BARCODE_ number
  // Whether a character can be encoded (checked byte by byte).
  bool (*Accepts)(unsigned char c) = nullptr;
};

// nullptr for a code outside the table.
const TBarcodeType* FindBarcodeType(int Code);
int BarcodeTypeCount();
