#include "ZnSpin.h"

#include "StrUtils.h"
#include "TypInfo.h"

namespace {
// Drops the last character (a whole UTF-8 sequence).
void DropLastChar(std::string& Text) {
  while (!Text.empty() && (static_cast<unsigned char>(Text.back()) & 0xC0) == 0x80) Text.pop_back();
  if (!Text.empty()) Text.pop_back();
}
}  // namespace

void TZnSpinEdit::Change() {
  if (FCorrecting) return;
  std::string text = Text();
  for (char sign : {'+', '-'}) {
    const auto at = text.find(sign);
    if (at != std::string::npos && at != 0) DropLastChar(text);
  }
  if (text != Text()) {
    FCorrecting = true;
    SetText(text);
    FCorrecting = false;
  }
  if (!Trim(text).empty()) TSpinEdit::Change();
}

const TClass& TZnSpinEdit::StaticClass() {
  static const TClass Class = TClassBuilder<TZnSpinEdit>("TZnSpinEdit").Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TZnSpinEdit::StaticClass()), true);
}  // namespace
