#include "BtChkBox.h"

#include <algorithm>
#include <array>

#include "Bitmap.h"
#include "Canvas.h"
#include "Colors.h"
#include "Font.h"
#include "TypInfo.h"

namespace {

using TPicture = std::array<const char*, 14>;

// The default pictures, 19 x 14: '.' the transparent colour (clOlive, the
// bottom-left pixel), k black, w white, d dark gray, g gray.
const TPicture& DefaultPicture(TCheckBoxState State) {
  static const TPicture unchecked = {
      "...................", ".ddddddddddddd.....", ".dkkkkkkkkkkkw.....", ".dkwwwwwwwwwgw.....",
      ".dkwwwwwwwwwgw.....", ".dkwwwwwwwwwgw.....", ".dkwwwwwwwwwgw.....", ".dkwwwwwwwwwgw.....",
      ".dkwwwwwwwwwgw.....", ".dkwwwwwwwwwgw.....", ".dkwwwwwwwwwgw.....", ".dkggggggggggw.....",
      ".wwwwwwwwwwwww.....", "..................."};
  static const TPicture checked = {
      "...................", ".ddddddddddddd.....", ".dkkkkkkkkkkkw.....", ".dkwwwwwwwwwgw.....",
      ".dkwwwwwwwkwgw.....", ".dkwwwwwwkkwgw.....", ".dkwkwwwkkkwgw.....", ".dkwkkwkkkwwgw.....",
      ".dkwkkkkkwwwgw.....", ".dkwwkkkwwwwgw.....", ".dkwwwkwwwwwgw.....", ".dkggggggggggw.....",
      ".wwwwwwwwwwwww.....", "..................."};
  static const TPicture grayed = {
      "...................", ".ddddddddddddd.....", ".dkkkkkkkkkkkw.....", ".dkgwgwgwgwggw.....",
      ".dkwgwgwgdgwgw.....", ".dkgwgwgddwggw.....", ".dkwdwgdddgwgw.....", ".dkgddgdddwggw.....",
      ".dkwdddddgwggw.....", ".dkgwdddwgwggw.....", ".dkwgwdwgwgwgw.....", ".dkggggggggggw.....",
      ".wwwwwwwwwwwww.....", "..................."};
  return State == cbChecked ? checked : State == cbGrayed ? grayed : unchecked;
}

TColor PixelColour(char c) {
  switch (c) {
    case 'k': return clBlack;
    case 'w': return clWhite;
    case 'd': return clGray;
    case 'g': return clSilver;
    default: return clOlive;
  }
}

int TextWidthOf(TCanvas& Canvas, const std::string& Caption) {
  int width = Canvas.TextWidth(Caption);
  if (Caption.find('&') != std::string::npos) width -= Canvas.TextWidth("&");
  return width;
}

}  // namespace

void TBitCheckBox::LoadDefaultGlyph(TCheckBoxState State, TBitmap& Bitmap) {
  const TPicture& picture = DefaultPicture(State);
  TBitmap result(19, 14, pf24bit);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 19; ++x) result.SetPixel(x, y, PixelColour(picture[y][x]));
  result.SetPixelFormat(pf4bit);
  Bitmap.Assign(result);
}

TBitCheckBox::TBitCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
  for (int state = cbUnchecked; state <= cbGrayed; ++state) {
    FGlyphs[state] = std::make_unique<TBitmap>();
    SetGlyph(static_cast<TCheckBoxState>(state), nullptr);
  }
  SetBounds(Left(), Top(), 97, 17);
  SetTabStop(true);
}

TBitCheckBox::~TBitCheckBox() = default;

void TBitCheckBox::SetGlyph(TCheckBoxState State, const TBitmap* Value) {
  TBitmap& glyph = *FGlyphs[State];
  if (Value) glyph.Assign(*Value);
  else LoadDefaultGlyph(State, glyph);
  if (glyph.Height() > 0 && glyph.Width() % glyph.Height() == 0) SetNumGlyphs(State, glyph.Width() / glyph.Height());
}

void TBitCheckBox::SetNumGlyphs(TCheckBoxState State, int Value) { FNumGlyphs[State] = std::clamp(Value, 1, 2); }

void TBitCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: FState = FAllowGrayed ? cbGrayed : cbChecked; break;
    case cbChecked: FState = cbUnchecked; break;
    case cbGrayed: FState = cbChecked; break;
  }
}

void TBitCheckBox::Click() {
  Toggle();
  TCustomControl::Click();
  if (CanFocus()) SetFocus();
}

void TBitCheckBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TBitCheckBox::DefaultKeyPress(char32_t Ch) {
  if (Ch == U' ') Click();
}

void TBitCheckBox::Paint(TCanvas& Canvas) {
  const TRect client = ClientRect();
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(Color());
  Canvas.FillRect(client);

  const TBitmap& picture = *FGlyphs[FState];
  const int cells = FNumGlyphs[FState];
  const int w = picture.Width() / cells;

  Canvas.Font()->Assign(Font());
  const std::string caption = Caption();
  const int textHeight = Canvas.TextHeight(caption.empty() ? "Wg" : caption);
  TRect text;
  text.Left = FAlignment == taRightJustify ? w + 4 : 1;
  text.Right = text.Left + TextWidthOf(Canvas, caption);
  text.Top = (client.Height() - textHeight) / 2 - 2;
  text.Bottom = text.Top + textHeight + 3;
  text = Rect(std::max(text.Left, client.Left), std::max(text.Top, client.Top), std::min(text.Right, client.Right),
              std::min(text.Bottom, client.Bottom));

  Canvas.Brush().SetStyle(bsClear);
  const unsigned flags = DT_SINGLELINE | DT_VCENTER;
  const std::string shown = StripHotkey(caption);
  if (Enabled()) {
    Canvas.Font()->SetColor(Font()->Color());
    TRect r = text;
    Canvas.DrawText(shown, r, flags);
  } else {
    TRect lifted = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
    Canvas.Font()->SetColor(clBtnHighlight);
    Canvas.DrawText(shown, lifted, flags);
    Canvas.Font()->SetColor(clGrayText);
    TRect r = text;
    Canvas.DrawText(shown, r, flags);
  }
  if (Focused()) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(clBlack);
    Canvas.FrameRect(Rect(std::max(text.Left - 1, 0), std::max(text.Top - 1, 0),
                          std::min(text.Right + 1, client.Right), std::min(text.Bottom + 1, client.Bottom)));
  }

  if (w <= 0 || picture.Height() <= 0) return;
  const int cell = !Enabled() && cells == 2 ? 1 : 0;
  const int x = FAlignment == taLeftJustify ? client.Width() - w : 0;
  const int y = (client.Height() - picture.Height()) / 2;
  const TColor transparent = ColorToRGB(picture.TransparentColor()) & 0xFFFFFF;
  const TColor background = ColorToRGB(Color());
  for (int py = 0; py < picture.Height(); ++py)
    for (int px = 0; px < w; ++px) {
      const TColor c = picture.GetPixel(cell * w + px, py) & 0xFFFFFF;
      Canvas.SetPixel(x + px, y + py, c == transparent ? background : c);
    }
}

const TClass& TBitCheckBox::StaticClass() {
  static const TClass Class =
      TClassBuilder<TBitCheckBox>("TBitCheckBox")
          .Property("Alignment", AlignmentTypeInfo(), &TBitCheckBox::Alignment, &TBitCheckBox::SetAlignment)
          .Default(taRightJustify)
          .Property("AllowGrayed", &TBitCheckBox::AllowGrayed, &TBitCheckBox::SetAllowGrayed).Default(0)
          .Property("Caption", &TBitCheckBox::Caption, &TBitCheckBox::SetCaption)
          .Property("Checked", &TBitCheckBox::Checked, &TBitCheckBox::SetChecked).Default(0)
          .Property("State", CheckBoxStateTypeInfo(), &TBitCheckBox::State, &TBitCheckBox::SetState)
          .Default(cbUnchecked)
          .Property("CheckedNumGlyphs", &TBitCheckBox::CheckedNumGlyphs, &TBitCheckBox::SetCheckedNumGlyphs).Default(1)
          .Property("GrayedNumGlyphs", &TBitCheckBox::GrayedNumGlyphs, &TBitCheckBox::SetGrayedNumGlyphs).Default(1)
          .Property("UncheckedNumGlyphs", &TBitCheckBox::UncheckedNumGlyphs, &TBitCheckBox::SetUncheckedNumGlyphs)
          .Default(1)
          .Property("TabStop", &TBitCheckBox::TabStop, &TBitCheckBox::SetTabStop).Default(1)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TBitCheckBox::StaticClass()), true);
}  // namespace
