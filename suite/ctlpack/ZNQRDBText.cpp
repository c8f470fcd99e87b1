#include "ZNQRDBText.h"

#include "TypInfo.h"

void TZNQRDBText::SetTextType(int Value) {
  if (Value == FTextType) return;
  FTextType = Value;
  OnTextTypeChange(this);
}

const TClass& TZNQRDBText::StaticClass() {
  static const TClass Class =
      TClassBuilder<TZNQRDBText>("TZNQRDBText")
          .Property("TextType", &TZNQRDBText::TextType, &TZNQRDBText::SetTextType)
          .Default(0)
          .Property("DictText", &TZNQRDBText::DictText, &TZNQRDBText::SetDictText)
          .Property("OnTextTypeChange", &TZNQRDBText::OnTextTypeChange, &TZNQRDBText::OnTextTypeChange)
          .Build();
  return Class;
}
