#include "CodeConverter.h"

#include <map>
#include <vector>

#include "ComCtrls.h"
#include "Font.h"
#include "Forms.h"
#include "Grids.h"
#include "ListView.h"
#include "Menus.h"
#include "OrvaneINI.h"
#include "StdCtrls.h"
#include "TabSet.h"
#include "TranslatorU.h"
#include "TreeView.h"
#include "TypInfo.h"
#include "VarArray.h"

const TTypeInfo& DesignTypeTypeInfo() {
  static const TTypeInfo type = TTypeInfo::Enumeration("TDesignType", {"dtClient", "dtServer"});
  return type;
}

namespace {

std::map<const TClass*, TCodeConverter::TKindConverter>& KindConverters() {
  static std::map<const TClass*, TCodeConverter::TKindConverter> converters;
  return converters;
}

// The property's type is the enumeration of that name.
bool PropHasType(const TObject* Instance, const char* Name, const char* TypeName) {
  const TPropInfo* info = GetPropInfo(Instance, Name);
  return info && info->PropType && info->PropType->Name() == TypeName;
}

template <class T>
T* ObjectPropOf(const TObject* Instance, const char* Name) {
  return PropIsType(Instance, Name, tkClass) ? dynamic_cast<T*>(GetObjectProp(Instance, Name)) : nullptr;
}

void ConvertListView(TListView& View, const TCodeConverter& Converter) {
  TListColumns& columns = *View.Columns();
  for (int i = 0; i < columns.Count(); ++i)
    columns.Items(i)->SetCaption(Converter.GBToBig5(columns.Items(i)->Caption()));
  TListItems& items = *View.Items();
  for (int i = 0; i < items.Count(); ++i) {
    TListItem& item = *items.Item(i);
    item.SetCaption(Converter.GBToBig5(item.Caption()));
    TStrings& sub = *item.SubItems();
    for (int j = 0; j < sub.Count() && j < columns.Count() - 1; ++j) sub.Put(j, Converter.GBToBig5(sub[j]));
  }
}

// The texts of the kinds this unit knows, for mode 2.
void ConvertKindTexts(TComponent& Component, const TCodeConverter& Converter) {
  if (auto* tabs = dynamic_cast<TTabSet*>(&Component)) {
    const int index = tabs->TabIndex();
    tabs->Tabs()->SetText(Converter.GBToBig5(tabs->Tabs()->Text()));
    tabs->SetTabIndex(index);
  } else if (auto* view = dynamic_cast<TListView*>(&Component)) {
    ConvertListView(*view, Converter);
  } else if (auto* combo = dynamic_cast<TComboBox*>(&Component)) {
    if (combo->Style() != csSimple) combo->SetStyle(csOwnerDrawFixed);
    if (combo->Items()->Count() > 0 && combo->ItemIndex() < 0) combo->SetItemIndex(0);
  } else if (auto* tree = dynamic_cast<TTreeView*>(&Component)) {
    TTreeNodes& nodes = *tree->Items();
    for (int i = 0; i < nodes.Count(); ++i) nodes.Item(i)->SetText(Converter.GBToBig5(nodes.Item(i)->Text()));
  } else if (auto* grid = dynamic_cast<TStringGrid*>(&Component)) {
    for (int row = 0; row < grid->RowCount(); ++row)
      for (int col = 0; col < grid->ColCount(); ++col)
        grid->SetCells(col, row, Converter.GBToBig5(grid->Cells(col, row)));
  }
  for (const TClass* cls = &Component.ClassType(); cls; cls = cls->ClassParent()) {
    const auto found = KindConverters().find(cls);
    if (found != KindConverters().end()) {
      found->second(Component, Converter);
      return;
    }
  }
}

}  // namespace

TCodeConverter::TCodeConverter(TComponent* AOwner) : TComponent(AOwner) {
  LoadCodePages();
  if (FUIConvertMode != 0) FTranslator = std::make_unique<TTranslator>();
}

TCodeConverter::~TCodeConverter() = default;

void TCodeConverter::LoadCodePages() {
  const auto copy = [this](const TOrvaneIniBase& ini) {
    FSysCodePage = ini.SysCodePage;
    FUICodePage = ini.UICodePage;
    FDBCodePage = ini.DBCodePage;
    FUIConvertMode = ini.UIConvertMode;
    FDBConvertMode = ini.DBConvertMode;
  };
  if (FDesignType == dtServer) copy(TOrvaneIniS());
  else copy(TOrvaneIniC());
}

std::string TCodeConverter::Convert(std::uint8_t Mode, const std::string& Text) const {
  if (!FTranslator || Text.empty()) return Text;
  if (Mode == 1) return FTranslator->Big5ToGBText(Text);
  if (Mode == 2) return FTranslator->GBToBig5Text(Text);
  return Text;
}

Variant TCodeConverter::ConvertByMode(std::uint8_t Mode, const Variant& Value) const {
  if (Mode == 0 || !FTranslator || Value.IsEmpty() || Value.IsNull()) return Value;
  if (Value.IsArray()) {
    const int dims = VarArrayDimCount(Value);
    if (dims == 1) {
      const int low = VarArrayLowBound(Value, 1), high = VarArrayHighBound(Value, 1);
      Variant result = VarArrayCreate({low, high}, varVariant);
      for (int i = low; i <= high; ++i) result[i] = ConvertByMode(Mode, Value.GetElement({i}));
      return result;
    }
    if (dims == 2) {
      const int low1 = VarArrayLowBound(Value, 1), high1 = VarArrayHighBound(Value, 1);
      const int low2 = VarArrayLowBound(Value, 2), high2 = VarArrayHighBound(Value, 2);
      Variant result = VarArrayCreate({low1, high1, low2, high2}, varVariant);
      for (int i = low1; i <= high1; ++i)
        for (int j = low2; j <= high2; ++j) result(i, j) = ConvertByMode(Mode, Value.GetElement({i, j}));
      return result;
    }
    return Value;
  }
  if (Mode != 1 && Mode != 2) return Value;
  return Variant(Convert(Mode, Value.AsString()));
}

Variant TCodeConverter::DBToScreen(const Variant& Value) const { return ConvertByMode(FDBConvertMode, Value); }

Variant TCodeConverter::TextToScreen(const Variant& Value) const { return ConvertByMode(FUIConvertMode, Value); }

namespace {
// The mode that undoes a conversion mode; 0 for the modes that change no text.
std::uint8_t ReverseMode(std::uint8_t Mode) { return Mode == 1 ? 2 : Mode == 2 ? 1 : 0; }
}  // namespace

Variant TCodeConverter::ScreenToDB(const Variant& Value) const {
  const std::uint8_t mode = ReverseMode(FDBConvertMode);
  if (mode == 0) return Value;
  try {
    return ConvertByMode(mode, Value);
  } catch (const std::exception&) {
    return Value;
  }
}

Variant TCodeConverter::ScreenToText(const Variant& Value) const {
  const std::uint8_t mode = ReverseMode(FUIConvertMode);
  if (mode == 0) return Value;
  try {
    return ConvertByMode(mode, Value);
  } catch (const std::exception&) {
    return Value;
  }
}

std::string TCodeConverter::Big5ToGB(const std::string& Text) const {
  if (Text.empty() || !FTranslator) return Text;
  return FTranslator->Big5ToGBText(Text);
}

std::string TCodeConverter::GBToBig5(const std::string& Text) const {
  if (Text.empty() || !FTranslator) return Text;
  return FTranslator->GBToBig5Text(Text);
}

void TCodeConverter::SetConvertFont(std::uint8_t Mode, TFont* Font) {
  if (!Font) return;
  Font->SetName("SimSun");
  Font->SetCharset(Mode == 2 || Mode == 3 ? CHINESEBIG5_CHARSET : GB2312_CHARSET);
}

void TCodeConverter::RegisterKindConverter(const TClass& Class, TKindConverter Converter) {
  KindConverters()[&Class] = std::move(Converter);
}

void TCodeConverter::ConvertComponent(TComponent& Component, std::uint8_t Mode) const {
  for (const char* name : {"Font", "TitleFont"})
    SetConvertFont(Mode, ObjectPropOf<TFont>(&Component, name));

  for (const char* name : {"Caption", "Hint", "ButtonHint"})
    if (PropIsType(&Component, name, tkString)) {
      const std::string text = GetStrProp(&Component, name);
      if (!text.empty()) SetStrProp(&Component, name, Convert(Mode, text));
    }

  auto* combo = dynamic_cast<TCustomComboBox*>(&Component);
  for (const char* name : {"Items", "Lines"})
    if (TStrings* list = ObjectPropOf<TStrings>(&Component, name)) {
      const int index = combo ? combo->ItemIndex() : -1;
      list->SetText(Convert(Mode, list->Text()));
      if (combo && combo->Items()->Count() > 0) combo->SetItemIndex(index);
    }

  if (PropHasType(&Component, "Style", "TComboBoxStyle")) {
    const int index = combo ? combo->ItemIndex() : -1;
    const std::int64_t style = GetOrdProp(&Component, "Style");
    if (style == csDropDown) SetOrdProp(&Component, "Style", csOwnerDrawVariable);
    else if (style == csDropDownList) SetOrdProp(&Component, "Style", csOwnerDrawFixed);
    if (combo && combo->ItemIndex() != index) combo->SetItemIndex(index);
  } else if (PropHasType(&Component, "Style", "TListBoxStyle")) {
    if (GetOrdProp(&Component, "Style") == lbStandard) SetOrdProp(&Component, "Style", lbOwnerDrawFixed);
  }

  if (auto* panels = ObjectPropOf<TStatusPanels>(&Component, "Panels"))
    for (int i = 0; i < panels->Count(); ++i) panels->Items(i)->SetText(Convert(Mode, panels->Items(i)->Text()));

  if (Mode == 2) ConvertKindTexts(Component, *this);

  if (auto* menu = dynamic_cast<TMenu*>(&Component); menu && (Mode == 2 || Mode == 4)) menu->SetOwnerDraw(true);
}

void TCodeConverter::ConvertForm(TCustomForm* Form) const {
  if (!FTranslator || !Form) return;
  const std::uint8_t mode = FUIConvertMode;
  if (FSysCodePage == "950") Form->SetCaption(GBToBig5(Form->Caption()));
  Form->SetHint(Convert(mode, Form->Hint()));
  if (PropIsType(Form, "ButtonHint", tkString))
    SetStrProp(Form, "ButtonHint", Convert(mode, GetStrProp(Form, "ButtonHint")));

  if (Screen) {
    SetConvertFont(mode, Screen->IconFont());
    SetConvertFont(mode, Screen->HintFont());
    SetConvertFont(mode, Screen->MenuFont());
  }
  if (Application) {
    // Switching the hints off and on makes the hint window take the new font.
    Application->SetShowHint(false);
    Application->SetShowHint(true);
  }
  for (int i = 0; i < Form->ComponentCount(); ++i) ConvertComponent(*Form->Components(i), mode);
}

int TCodeConverter::ShowMessageDlg(const std::string& Text, TMsgDlgType DialogType, TMsgDlgButtons Buttons) const {
  if (Text.empty()) return 0;
  std::string text = Text;
  if (FUICodePage == "936" || FSysCodePage == "936") text += "      ";
  TForm* dialog = CreateMessageDialog(text, DialogType, Buttons);
  auto* ownerForm = dynamic_cast<TCustomForm*>(Owner());
  if (ownerForm && ownerForm->WindowState() == wsMinimized) ownerForm->SetWindowState(wsNormal);
  if (ownerForm) dialog->SetCaption(ownerForm->Caption());
  SetConvertFont(FUIConvertMode, dialog->Font());
  int result = mrNone;
  try {
    result = dialog->ShowModal();
  } catch (...) {
    dialog->Free();
    throw;
  }
  dialog->Free();
  return result;
}

const TClass& TCodeConverter::StaticClass() {
  static const TClass Class =
      TClassBuilder<TCodeConverter>("TCodeConverter")
          .Property("DesignType", DesignTypeTypeInfo(), &TCodeConverter::DesignType, &TCodeConverter::SetDesignType)
          .Default(dtClient)
          .Build();
  return Class;
}

namespace {
const bool kRegistered = (RegisterClass(TCodeConverter::StaticClass()), true);
}  // namespace
