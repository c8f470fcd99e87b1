#include "ZnRadioButton.h"

#include "Canvas.h"
#include "Font.h"
#include "TypInfo.h"

TZnRadioButton::TZnRadioButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(Left(), Top(), 113, 17); }

void TZnRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  SetTabStop(Value);
  if (!Value) return;
  if (Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TZnRadioButton*>(Parent()->Controls(i)); other && other != this)
        other->SetChecked(false);
  if (!FClicksDisabled) Click();
}

int TZnRadioButton::CaptionOffset(int FontSize) {
  // 15 points lies between the rows of 8-14 and 16-17 and takes the smaller.
  struct TRow {
    int Upto;
    int Offset;
  };
  static constexpr TRow rows[] = {{7, 17},  {15, 19}, {17, 20}, {23, 21}, {29, 23}, {35, 25},
                                  {41, 27}, {43, 29}, {60, 31}, {80, 39}};
  if (FontSize < 0) return 44;
  for (const TRow& row : rows)
    if (FontSize <= row.Upto) return row.Offset;
  return 44;
}

void TZnRadioButton::Paint(TCanvas& Canvas) {
  const TRect client = ClientRect();
  const int offset = CaptionOffset(Font()->Size());
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(Color());
  Canvas.Pen().SetColor(Color());
  const TRect area = Rect(offset - 4, client.Top - 4, client.Right + 4, client.Bottom + 4);
  Canvas.FillRect(area);
  Canvas.FrameRect(area);
  Canvas.Font()->Assign(Font());
  Canvas.Brush().SetStyle(bsClear);
  TRect text = Rect(offset, client.Top, client.Right, client.Bottom);
  Canvas.DrawText(StripHotkey(Caption()), text, DT_SINGLELINE | DT_VCENTER);
}

void TZnRadioButton::Dispatch(TMessage& Message) {
  // The accelerator only focuses the button.
  if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    Message.Result = 1;
    return;
  }
  TButtonControl::Dispatch(Message);
}

const TClass& TZnRadioButton::StaticClass() {
  static const TClass Class =
      TClassBuilder<TZnRadioButton>("TZnRadioButton")
          .Property("Alignment", AlignmentTypeInfo(), &TZnRadioButton::Alignment, &TZnRadioButton::SetAlignment)
          .Default(taRightJustify)
          .Property("Caption", &TZnRadioButton::Caption, &TZnRadioButton::SetCaption)
          .Property("Checked", &TZnRadioButton::Checked, &TZnRadioButton::SetChecked).Default(0)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TZnRadioButton::StaticClass()), true);
}  // namespace
