#pragma once
// TZNQRDBText: the report data text of the control package. Its TextType
// names the print-time formatter the format form binds to OnPrint (0 none,
// 1 date, 2 percent, 3 amount in Chinese capitals, 4 asterisk, 5 dictionary);
// DictText holds the dictionary entries of type 5.
#include <string>

#include "QRControls.h"

class TZNQRDBText : public TQRDBText {
  KESR_CLASS(TZNQRDBText, TQRDBText)
public:
  explicit TZNQRDBText(TComponent* AOwner) : TQRDBText(AOwner) {}

  int TextType() const { return FTextType; }
  // Raises OnTextTypeChange when the value changes.
  void SetTextType(int Value);
  // Entries "code" #3 "text", separated by "||".
  const std::string& DictText() const { return FDictText; }
  void SetDictText(const std::string& Value) { FDictText = Value; }

  TNotifyEvent OnTextTypeChange;

private:
  int FTextType = 0;
  std::string FDictText;
};
