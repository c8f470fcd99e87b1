#include "ZNForm.h"

#include <map>

#include "Bitmap.h"
#include "Buttons.h"
#include "Canvas.h"
#include "Colors.h"
#include "GSpdBtn.h"
#include "LangCommon.h"
#include "Paths.h"
#include "TypInfo.h"
#include "ZntEdit.h"

namespace {

std::map<const TClass*, TZNForm::TGlyphButtonsFunc>& GlyphButtonKinds() {
  static std::map<const TClass*, TZNForm::TGlyphButtonsFunc> kinds;
  return kinds;
}

int Brightness(TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF); }

template <class Button>
void AddDisabledImageTo(Button& B) {
  int numGlyphs = B.NumGlyphs();
  if (AddDisabledImage(*B.Glyph(), numGlyphs)) B.SetNumGlyphs(numGlyphs);
}

}  // namespace

void MakeDisabledGlyph(TBitmap& Glyph, TBitmap& Disabled) {
  Glyph.SetPixelFormat(pf24bit);
  const int w = Glyph.Width(), h = Glyph.Height();
  const TColor transparent = ColorToRGB(Glyph.TransparentColor()) & 0xFFFFFF;
  const auto at = [&](int x, int y) { return Glyph.GetPixel(x, y) & 0xFFFFFF; };
  std::vector<bool> marked(static_cast<std::size_t>(w) * h, false);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TColor c = at(x, y);
      if (c == transparent) continue;
      // At the border the pixel itself stands in for the missing neighbour.
      const auto neighbour = [&](int nx, int ny) {
        return nx < 0 || ny < 0 || nx >= w || ny >= h ? c : at(nx, ny);
      };
      marked[static_cast<std::size_t>(y) * w + x] =
          Brightness(c) < 384 || neighbour(x, y - 1) == transparent || neighbour(x, y + 1) == transparent ||
          neighbour(x - 1, y) == transparent || neighbour(x + 1, y) == transparent;
    }
  Disabled.Assign(Glyph);
  const TColor face = ColorToRGB(clBtnFace), highlight = ColorToRGB(clBtnHighlight),
               shadow = ColorToRGB(clBtnShadow);
  for (int y = 0; y < h; ++y) Disabled.FillSpan(y, 0, w, face);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (marked[static_cast<std::size_t>(y) * w + x]) Disabled.SetPixel(x + 1, y + 1, highlight);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (marked[static_cast<std::size_t>(y) * w + x]) Disabled.SetPixel(x, y, shadow);
}

bool AddDisabledImage(TBitmap& Glyph, int& NumGlyphs) {
  if (NumGlyphs != 1 || Glyph.Empty()) return false;
  TBitmap disabled;
  MakeDisabledGlyph(Glyph, disabled);
  TBitmap original;
  original.Assign(Glyph);
  const int w = Glyph.Width(), h = Glyph.Height();
  const TColor transparent = ColorToRGB(Glyph.TransparentColor());
  Glyph.SetSize(2 * w, h);
  for (int y = 0; y < h; ++y) Glyph.FillSpan(y, 0, 2 * w, transparent);
  Glyph.Canvas()->Draw(0, 0, original);
  Glyph.Canvas()->Draw(w, 0, disabled);
  NumGlyphs = 2;
  return true;
}

TZNForm::TZNForm(TComponent* AOwner) : TForm(AOwner) {
  ZnConverter = new TCodeConverter(this);
  ZnConverter->SetName("ZnConverter");
  LangController = new TZnLangController(this);
  LangController->SetName("LangController");
  SetCaption("ZNForm");
  SetColor(clBtnFace);
  Font()->SetCharset(DEFAULT_CHARSET);
  Font()->SetColor(clWindowText);
  Font()->SetHeight(-13);
  Font()->SetName("宋体");
  Font()->SetStyle({});
  SetKeyPreview(true);
  SetPosition(poScreenCenter);
  SetShowHint(true);
  OnCreate = TNotifyEvent(this, &TZNForm::FormCreate);
  OnShow = TNotifyEvent(this, &TZNForm::FormShow);
}

TZNForm::~TZNForm() = default;

void TZNForm::RegisterGlyphButtons(const TClass& Class, TGlyphButtonsFunc Buttons) {
  GlyphButtonKinds()[&Class] = std::move(Buttons);
}

void TZNForm::PrepareComponent(TComponent& Component) {
  if (PropIsType(&Component, "ImeName", tkString)) SetStrProp(&Component, "ImeName", "");
  if (GetUICodePage() == "437" && PropIsType(&Component, "Font", tkClass)) {
    try {
      SetOrdProp(&Component, "Font.Charset", GB2312_CHARSET);
      SetStrProp(&Component, "Font.Name", "Tahoma");
    } catch (const std::exception&) {
      // A font that cannot be set keeps its own.
    }
  }
  if (auto* edit = dynamic_cast<TZnBtnDBEdit*>(&Component)) AddDisabledImageTo(*edit->F2Button());
  else if (auto* speed = dynamic_cast<TSpeedButton*>(&Component)) AddDisabledImageTo(*speed);
  else if (auto* bit = dynamic_cast<TBitBtn*>(&Component)) AddDisabledImageTo(*bit);
  for (const TClass* cls = &Component.ClassType(); cls; cls = cls->ClassParent()) {
    const auto found = GlyphButtonKinds().find(cls);
    if (found == GlyphButtonKinds().end()) continue;
    for (TSpeedButton* button : found->second(Component))
      if (button) AddDisabledImageTo(*button);
    break;
  }
}

void TZNForm::FormCreate(TObject*) {
  FConverted = false;
  FLoadLangOnShow = true;
  for (int i = 0; i < ComponentCount(); ++i) PrepareComponent(*Components(i));
}

void TZNForm::FormShow(TObject*) {
  if (FLoadLangOnShow) LoadFormLanguage(true);
}

void TZNForm::ConvertFormOnce() {
  if (!FConverted) ZnConverter->ConvertForm(this);
  FConverted = true;
}

int TZNForm::ShowMessageDlg(const std::string& Text, TMsgDlgType DialogType, TMsgDlgButtons Buttons) {
  return ZnConverter->ShowMessageDlg(Text, DialogType, Buttons);
}

std::string TZNForm::GetSysCodePage() const { return ZnConverter->SysCodePage(); }
std::string TZNForm::GetUICodePage() const { return ZnConverter->UICodePage(); }
std::uint8_t TZNForm::GetUIConvertMode() const { return ZnConverter->UIConvertMode(); }
std::uint8_t TZNForm::GetDBConvertMode() const { return ZnConverter->DBConvertMode(); }
TTranslator* TZNForm::GetTranslator() const { return ZnConverter->Translator(); }

void TZNForm::LoadClassChain(TComponent* Target, bool WithAncestors, bool SkipBase) {
  if (!Target) return;
  std::vector<std::string> names;
  for (const TClass* cls = &Target->ClassType(); cls; cls = cls->ClassParent()) {
    if (cls == &TForm::StaticClass() || (SkipBase && cls == &TZNForm::StaticClass())) break;
    names.insert(names.begin(), cls->ClassName());
    if (!WithAncestors) break;
  }
  for (const std::string& name : names) {
    // Closed first, so every showing reads the files anew.
    LangController->SetActive(false);
    LangController->SetLangPackageName(name);
    if (!FileExists(LangController->FileName())) continue;
    LangController->SetActive(true);
    LangController->GetReader()->LoadComponent(Target);
  }
}

void TZNForm::LoadLanguage(TComponent* Target, bool WithAncestors) { LoadClassChain(Target, WithAncestors, false); }

void TZNForm::LoadLanguageBelowBase(TComponent* Target, bool WithAncestors) {
  LoadClassChain(Target, WithAncestors, true);
}

void TZNForm::LoadFormLanguage(bool WithAncestors) { LoadLanguage(this, WithAncestors); }

void TZNForm::LangText(const std::string& FileBase, const std::string& Ident, std::string& Text,
                       bool ConvertDefault, const std::string& Default) const {
  const std::string fallback = ConvertDefault ? ZnConverter->TextToScreen(Default).AsString() : Default;
  Text = GetLangText(LangController->DesignType(), FileBase, Ident, fallback);
}

const TClass& TZNForm::StaticClass() {
  static const TClass Class = TClassBuilder<TZNForm>("TZNForm")
                                  .Method("FormCreate", &TZNForm::FormCreate)
                                  .Method("FormShow", &TZNForm::FormShow)
                                  .Field("ZnConverter", &TZNForm::ZnConverter)
                                  .Field("LangController", &TZNForm::LangController)
                                  .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TZNForm::StaticClass()), true);
}  // namespace
