#pragma once
// TCodeConverter: reconciles the code pages of the Windows installation,
// the user interface and the database. It reads them once from the
// configuration, converts a whole form once when it is set up, converts
// values and variant arrays between database, program and screen texts on
// request, chooses the font that makes the text readable, and shows message
// dialogs in that font.
//
// Conversion modes (UIConvertMode, DBConvertMode):
//   0 none, 1 Big5 to GB2312, 2 GB2312 to Big5, 3 and 4 fonts only.
// Text is UTF-8 throughout: mode 1 turns Traditional characters into
// Simplified ones, mode 2 the reverse.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Dialogs.h"
#include "Variant.h"

class TTranslator;
class TFont;
class TCustomForm;

enum TDesignType { dtClient, dtServer };
const TTypeInfo& DesignTypeTypeInfo();

class TCodeConverter : public TComponent {
  KESR_CLASS(TCodeConverter, TComponent)
public:
  // Reads the code pages (LoadCodePages) and, for a UIConvertMode other
  // than 0, loads the translator; a missing library fails the construction.
  explicit TCodeConverter(TComponent* AOwner);
  ~TCodeConverter() override;

  // nullptr when UIConvertMode is 0.
  TTranslator* Translator() const { return FTranslator.get(); }
  const std::string& SysCodePage() const { return FSysCodePage; }
  const std::string& UICodePage() const { return FUICodePage; }
  const std::string& DBCodePage() const { return FDBCodePage; }
  std::uint8_t UIConvertMode() const { return FUIConvertMode; }
  std::uint8_t DBConvertMode() const { return FDBConvertMode; }
  // Which reader LoadCodePages uses; setting it does not reload.
  TDesignType DesignType() const { return FDesignType; }
  void SetDesignType(TDesignType Value) { FDesignType = Value; }

  void LoadCodePages();

  // Mode 1 or 2 converts texts (arrays of one or two dimensions element by
  // element, nested arrays too); other scalars become texts. Nothing
  // changes for mode 0, without a translator, or for empty and null values.
  Variant ConvertByMode(std::uint8_t Mode, const Variant& Value) const;
  Variant DBToScreen(const Variant& Value) const;
  // The reverse of DBToScreen; a failing conversion answers the value.
  Variant ScreenToDB(const Variant& Value) const;
  Variant TextToScreen(const Variant& Value) const;
  // The reverse of TextToScreen; a failing conversion answers the value.
  Variant ScreenToText(const Variant& Value) const;
  // "" stays ""; otherwise the translator's conversion.
  std::string Big5ToGB(const std::string& Text) const;
  std::string GBToBig5(const std::string& Text) const;

  // "SimSun" with character set 134 (modes 0, 1, 4) or 136 (modes 2, 3).
  static void SetConvertFont(std::uint8_t Mode, TFont* Font);
  // Converts the form's texts once for UIConvertMode (not idempotent: the
  // base form guards it). Nothing happens without a translator.
  void ConvertForm(TCustomForm* Form) const;
  // The modal result, 0 for an empty text.
  int ShowMessageDlg(const std::string& Text, TMsgDlgType DialogType, TMsgDlgButtons Buttons) const;

  // Converts the kind-specific texts of a component class that ConvertForm
  // does not know itself (run with the component and the converter, for
  // mode 2). Later units register their classes once.
  using TKindConverter = std::function<void(TComponent&, const TCodeConverter&)>;
  static void RegisterKindConverter(const TClass& Class, TKindConverter Converter);

private:
  std::string Convert(std::uint8_t Mode, const std::string& Text) const;
  void ConvertComponent(TComponent& Component, std::uint8_t Mode) const;

  std::unique_ptr<TTranslator> FTranslator;
  std::string FSysCodePage = "936";
  std::string FUICodePage = "936";
  std::string FDBCodePage = "936";
  std::uint8_t FUIConvertMode = 0;
  std::uint8_t FDBConvertMode = 0;
  TDesignType FDesignType = dtClient;
};
