#pragma once
// TZNForm: the base of every form. It carries a code-page converter
// (ZnConverter) and a language controller (LangController); when created it
// prepares its components (default input method, English fonts, disabled
// images of one-image glyph buttons), when shown it loads the language
// files of its class chain, and it offers the one-time conversion of the
// whole form, the converted message dialog, the code pages and modes, and
// language texts with defaults.
//
// A derived form applies its own layout after this constructor and calls
// FormCreate first from its own OnCreate handler.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CodeConverter.h"
#include "Dialogs.h"
#include "Forms.h"
#include "LanguageController.h"

class TBitmap;
class TSpeedButton;
class TTranslator;

class TZNForm : public TForm {
  KESR_CLASS(TZNForm, TForm)
public:
  // Fails (and with it the form's creation) when the converter cannot load
  // its translator.
  explicit TZNForm(TComponent* AOwner);
  ~TZNForm() override;

  TCodeConverter* ZnConverter = nullptr;
  TZnLangController* LangController = nullptr;

  bool Converted() const { return FConverted; }
  bool LoadLangOnShow() const { return FLoadLangOnShow; }
  void SetLoadLangOnShow(bool Value) { FLoadLangOnShow = Value; }

  void FormCreate(TObject* Sender);
  // Loads the language files of the class chain when LoadLangOnShow; a
  // file that does not parse raises LanguageControllerError.
  void FormShow(TObject* Sender);

  void ConvertFormOnce();
  int ShowMessageDlg(const std::string& Text, TMsgDlgType DialogType, TMsgDlgButtons Buttons);
  std::string GetSysCodePage() const;
  std::string GetUICodePage() const;
  std::uint8_t GetUIConvertMode() const;
  std::uint8_t GetDBConvertMode() const;
  TTranslator* GetTranslator() const;

  // Loads Target from the language files of its class and, WithAncestors,
  // of each ancestor below TForm, the most basic first (later files win).
  virtual void LoadLanguage(TComponent* Target, bool WithAncestors);
  // The same without TZNForm's own file.
  virtual void LoadLanguageBelowBase(TComponent* Target, bool WithAncestors);
  void LoadFormLanguage(bool WithAncestors);
  // Text := the message Ident of the file FileBase, else Default (passed
  // through TextToScreen first when ConvertDefault).
  void LangText(const std::string& FileBase, const std::string& Ident, std::string& Text,
                bool ConvertDefault, const std::string& Default) const;

  // The glyph buttons a component of a later unit holds (a selection
  // panel's speed buttons), given their disabled images by FormCreate.
  using TGlyphButtonsFunc = std::function<std::vector<TSpeedButton*>(TComponent&)>;
  static void RegisterGlyphButtons(const TClass& Class, TGlyphButtonsFunc Buttons);

private:
  void LoadClassChain(TComponent* Target, bool WithAncestors, bool SkipBase);
  void PrepareComponent(TComponent& Component);

  bool FConverted = false;
  bool FLoadLangOnShow = true;
};

// The disabled image of a glyph (G is switched to 24 bits per pixel): the
// dark pixels and the light pixels at the picture's edge, embossed in the
// button highlight and shadow colours on the button face.
void MakeDisabledGlyph(TBitmap& Glyph, TBitmap& Disabled);
// A one-image glyph becomes two images side by side: itself and its
// disabled image; false (nothing changed) when NumGlyphs is not 1 or the
// glyph is empty.
bool AddDisabledImage(TBitmap& Glyph, int& NumGlyphs);
