// Pieces, padding, replacing, button captions and mask re-formatting.
#include "LibStrs.h"


#include "CodePage.h"
#include "Mask.h"
#include "Paths.h"
#include "StrUtils.h"
#include "StringList.h"
#include "TypInfo.h"

namespace {

// Bytes the text takes in the system code page (as the original 8-bit
// texts counted them); characters when that code page is unknown here.
int DisplayWidth(const std::string& text) {
  try {
    return LegacyByteLength(text, SystemCodePage());
  } catch (const ECodePageError&) {
    return Utf8Length(text);
  }
}

// A masked edit used only to re-format texts; it has no owner and no parent.
class TMyMaskEdit : public TCustomMaskEdit {
  KESR_CLASS(TMyMaskEdit, TCustomMaskEdit)
public:
  explicit TMyMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};

const TClass& TMyMaskEdit::StaticClass() {
  static const TClass Class = TClassBuilder<TMyMaskEdit>("TMyMaskEdit").Build();
  return Class;
}

}  // namespace

std::string GetPiece(const std::string& Text, const std::string& Separator, int N) {
  if (N < 1) return {};
  if (Separator.empty()) return N == 1 ? Text : std::string();
  size_t start = 0;
  for (int i = 1; i < N; ++i) {
    const size_t at = Text.find(Separator, start);
    if (at == std::string::npos) return {};
    start = at + Separator.size();
  }
  const size_t end = Text.find(Separator, start);
  return Text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

int PieceCount(const std::string& Text, const std::string& Separator) {
  if (Text.empty()) return 0;
  int count = 1;
  if (Separator.empty()) return count;
  for (size_t at = Text.find(Separator); at != std::string::npos; at = Text.find(Separator, at + 1))
    ++count;
  return count;
}

void CutFirstPiece(std::string& Text, const std::string& Separator, std::string& Head) {
  const size_t at = Separator.empty() ? std::string::npos : Text.find(Separator);
  if (at == std::string::npos) {
    Head = Text;
    Text.clear();
    return;
  }
  Head = Text.substr(0, at);
  Text.erase(0, at + Separator.size());
}

void SplitToList(std::string Text, const std::string& Separator, TStrings& List) {
  std::string head;
  while (!Text.empty()) {
    CutFirstPiece(Text, Separator, head);
    List.Add(head);
  }
}

std::string ReplaceAllText(const std::string& Text, const std::string& Old, const std::string& New,
                           bool TrimResult) {
  std::string result = Text;
  if (!Old.empty() && !AnsiSameText(Old, New)) {
    if (New.find(Old) != std::string::npos) {
      // Restarting from the start would find Old in every New forever:
      // each occurrence is replaced once instead.
      result = StringReplace(result, Old, New, rfReplaceAll);
    } else {
      for (size_t at = result.find(Old); at != std::string::npos; at = result.find(Old))
        result.replace(at, Old.size(), New);
    }
  }
  return TrimResult ? Trim(result) : result;
}

std::string PadLeftText(const std::string& Text, int Width, char Fill) {
  const int missing = Width - DisplayWidth(Text);
  return missing > 0 ? std::string(missing, Fill) + Text : Text;
}

std::string PadRightText(const std::string& Text, int Width, char Fill) {
  const int missing = Width - DisplayWidth(Text);
  return missing > 0 ? Text + std::string(missing, Fill) : Text;
}

std::string ZeroPadNumber(int Width, std::int64_t Value) {
  // The magnitude in unsigned arithmetic, so that the lowest value has one too.
  const std::uint64_t magnitude =
      Value < 0 ? 0 - static_cast<std::uint64_t>(Value) : static_cast<std::uint64_t>(Value);
  std::string digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < Width) digits.insert(0, Width - digits.size(), '0');
  return Value < 0 ? "-" + digits : digits;
}

double StrToFloatDefault(const std::string& Text, double Default) {
  return StrToFloatDef(Text, Default);
}

bool IsLoopbackAddress(const std::string& Address) { return Address == "127.0.0.1"; }

std::string LocalButtonCaption(const std::string& Name) {
  static const std::pair<const char*, const char*> Captions[] = {
      {"Yes", "是(&Y)"},      {"No", "否(&N)"},          {"OK", "确定"},
      {"Cancel", "取消"},     {"Abort", "中断(&A)"},     {"Retry", "重试(&R)"},
      {"Ignore", "忽略(&I)"}, {"All", "全部(&A)"},       {"NoToAll", "全否(&o)"},
      {"YesToAll", "全是(&A)"}, {"Help", "帮助(&H)"},
  };
  for (const auto& [name, caption] : Captions)
    if (Name == name) return caption;
  return Name;
}

std::string ReformatMaskedText(const std::string& Text, const std::string& Mask,
                               const std::string& NewMask) {
  TMyMaskEdit edit(nullptr);
  edit.SetEditMask(Mask);
  edit.SetText(Text);
  edit.SetEditMask(NewMask);
  return edit.GetText();
}

std::string JoinVarListText(const std::string& Name, const Variant& List) {
  const Variant count = List.GetElement({0});
  std::string text = Name + "\x03" + VarToStr(count) + "\x03";
  const int n = count.AsInteger();
  for (int i = 1; i <= n; ++i) text += VarToStr(List.GetElement({i})) + "\x03";
  return text;
}
