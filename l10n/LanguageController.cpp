#include "LanguageController.h"

#include <pugixml.hpp>

#include "Collection.h"
#include "Format.h"
#include "Forms.h"
#include "LangCommon.h"
#include "ListView.h"
#include "StdCtrls.h"
#include "StrUtils.h"
#include "TreeView.h"
#include "TypInfo.h"

namespace {

// What a property path has reached: an object of the component model, or
// one of the list-view items and tree nodes, which are not.
struct TTarget {
  TObject* Object = nullptr;
  TListItem* Item = nullptr;
  TTreeNode* Node = nullptr;
};

// The number after the first "_" of a segment; false without one.
bool SplitIndex(const std::string& Segment, std::string& Name, int& Index) {
  const auto underscore = Segment.find('_');
  Name = Segment.substr(0, underscore);
  if (underscore == std::string::npos) return false;
  const std::string digits = Segment.substr(underscore + 1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) return false;
  Index = std::stoi(digits);
  return true;
}

TObject* ObjectProp(TObject* Instance, const std::string& Name) {
  return PropIsType(Instance, Name, tkClass) ? GetObjectProp(Instance, Name) : nullptr;
}

// One indexed step ("Items_n", "Columns_n"); false when the attribute is to
// be ignored.
bool StepIndexed(TTarget& T, const std::string& Name, int Index) {
  if (!T.Object) return T.Item || T.Node;  // list items and nodes stay
  if (auto* collection = dynamic_cast<TCollection*>(T.Object)) {
    if (Index < collection->Count()) T.Object = collection->Items(Index);
    return true;
  }
  if (auto* view = dynamic_cast<TListView*>(T.Object)) {
    if (SameText(Name, "Columns")) {
      if (Index < view->Columns()->Count()) T.Object = view->Columns()->Items(Index);
    } else if (Index < view->Items()->Count()) {
      T = {nullptr, view->Items()->Item(Index), nullptr};
    }
    return true;
  }
  if (auto* tree = dynamic_cast<TTreeView*>(T.Object)) {
    if (SameText(Name, "Items") && Index < tree->Items()->Count()) T = {nullptr, nullptr, tree->Items()->Item(Index)};
    return true;
  }
  TObject* next = ObjectProp(T.Object, Name);
  if (!next) return false;
  T.Object = next;
  return true;
}

void SetPropQuietly(TObject* Object, const std::string& Name, const std::string& Value) {
  try {
    SetPropText(Object, Name, Value);
  } catch (const std::exception&) {
    // A value that does not fit is skipped.
  }
}

}  // namespace

// ------------------------------------------------------------ TComponentRead

TComponentRead::TComponentRead(TComponent* Component, const pugi::xml_node& Node)
    : FComponent(Component), FNode(std::make_unique<pugi::xml_node>(Node)) {}

TComponentRead::~TComponentRead() = default;

void TComponentRead::ReadAttribute(int Index) {
  int i = 0;
  for (const pugi::xml_attribute& attribute : FNode->attributes())
    if (i++ == Index) {
      ApplyAttribute(attribute);
      return;
    }
}

void TComponentRead::ReadAttribute(const std::string& Name) {
  if (const pugi::xml_attribute attribute = FNode->attribute(Name.c_str())) ApplyAttribute(attribute);
}

void TComponentRead::ReadAll() {
  for (const pugi::xml_attribute& attribute : FNode->attributes()) ApplyAttribute(attribute);
}

void TComponentRead::ApplyAttribute(const pugi::xml_attribute& Attribute) {
  const std::string path = Attribute.name();
  const std::string value = Attribute.value();
  TTarget target{FComponent, nullptr, nullptr};

  std::string last = path;
  if (path.find('.') != std::string::npos) {
    std::vector<std::string> segments;
    for (std::size_t start = 0;;) {
      const auto dot = path.find('.', start);
      segments.push_back(Trim(path.substr(start, dot == std::string::npos ? std::string::npos : dot - start)));
      if (dot == std::string::npos) break;
      start = dot + 1;
    }
    last = segments.back();
    for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
      const std::string& segment = segments[i];
      if (segment.find('_') == std::string::npos) {
        TObject* next = target.Object ? ObjectProp(target.Object, segment) : nullptr;
        if (!next) return;
        target.Object = next;
        continue;
      }
      std::string name;
      int index = -1;
      if (!SplitIndex(segment, name, index) || (!SameText(name, "Items") && !SameText(name, "Columns"))) {
        last = segment;  // the walk ends here; the rest is dropped
        break;
      }
      if (!StepIndexed(target, name, index)) return;
    }
  }

  std::string leaf;
  int lineIndex = -1;
  if (!SplitIndex(last, leaf, lineIndex)) lineIndex = -1;
  if (target.Object == FComponent && lineIndex >= 0) {
    target.Object = ObjectProp(FComponent, leaf);
    if (!target.Object) return;
  }

  if (target.Item) {
    if (SameText(leaf, "Caption")) target.Item->SetCaption(value);
    return;
  }
  if (target.Node) {
    if (SameText(leaf, "Text")) target.Node->SetText(value);
    return;
  }
  if (auto* list = dynamic_cast<TStrings*>(target.Object)) {
    if (lineIndex < 0) return;
    if (lineIndex < list->Count()) {
      list->Put(lineIndex, value);
      return;
    }
    // Padded as one text: a memo's lines do not keep a trailing empty line
    // that is added on its own.
    std::string text = list->Text();
    for (int i = list->Count(); i < lineIndex; ++i) text += "\r\n";
    list->SetText(text + value + "\r\n");
    return;
  }
  SetPropQuietly(target.Object, leaf, value);
}

void TCustomComboBoxRead::ReadAll() {
  auto* combo = dynamic_cast<TCustomComboBox*>(Component());
  const int index = combo ? combo->ItemIndex() : -1;
  TComponentRead::ReadAll();
  if (combo) combo->SetItemIndex(index);
}

std::unique_ptr<TComponentRead> TReaderFactory::CreateReader(TComponent* Component, const pugi::xml_node& Node) {
  if (dynamic_cast<TCustomComboBox*>(Component)) return std::make_unique<TCustomComboBoxRead>(Component, Node);
  return std::make_unique<TComponentRead>(Component, Node);
}

// --------------------------------------------------------------- TLangReader

TLangReader::TLangReader(const pugi::xml_document& Document) : FDocument(Document) {}

TLangReader::~TLangReader() = default;

void TLangReader::DoBeforeLoadComponent(TComponent* Component, const pugi::xml_node& Node) {
  BeforeLoadComponent(Component, Node);
}

void TLangReader::DoAfterLoadComponent(TComponent* Component, const pugi::xml_node& Node) {
  AfterLoadComponent(Component, Node);
}

void TLangReader::LoadElement(TComponent* Component, const pugi::xml_node& Node) {
  DoBeforeLoadComponent(Component, Node);
  TReaderFactory::CreateReader(Component, Node)->ReadAll();
  DoAfterLoadComponent(Component, Node);
}

bool TLangReader::Excluded(const std::string& Name) const {
  const std::string name = Trim(Name);
  for (int i = 0; i < FExcludeControls.Count(); ++i)
    if (SameText(Trim(FExcludeControls[i]), name)) return true;
  return false;
}

void TLangReader::LoadComponent(TComponent* Component) {
  if (!Component) return;
  const bool isRoot = dynamic_cast<TCustomForm*>(Component) || Component->ClassType().InheritsFrom("TDataModule");
  if (isRoot)
    if (const pugi::xml_node root = FDocument.document_element()) LoadElement(Component, root);
  const std::string& name = Component->Name();
  if (!name.empty() && !Excluded(name)) {
    const pugi::xml_node node =
        FDocument.find_node([&name](const pugi::xml_node& n) { return n.type() == pugi::node_element && name == n.name(); });
    if (node) LoadElement(Component, node);
  }
  for (int i = 0; i < Component->ComponentCount(); ++i) LoadComponent(Component->Components(i));
}

// ------------------------------------------------------- TLanguageController

TLanguageController::TLanguageController(TComponent* AOwner)
    : TComponent(AOwner),
      FExcludeControls(std::make_unique<TStringList>()),
      FXMLText(std::make_unique<TStringList>()) {
  FExcludeControls->OnChange = [this](TStringList&) { ExcludeControlsChanged(); };
  FXMLText->OnChange = [this](TStringList&) { XMLTextChanged(); };
}

TLanguageController::~TLanguageController() {
  FExcludeControls->OnChange = nullptr;
  FXMLText->OnChange = nullptr;
}

void TLanguageController::SetFileName(const std::string& Value) {
  if (Value == FFileName) return;
  FFileName = Value;
  FSettingXMLText = true;
  FXMLText->Clear();
  FSettingXMLText = false;
  Close();
}

void TLanguageController::SetXMLText(TStrings* Value) {
  if (Value) FXMLText->Assign(*Value);
  else FXMLText->Clear();
}

void TLanguageController::XMLTextChanged() {
  if (FSettingXMLText) return;
  if (!ComponentState().Contains(csLoading) && FXMLText->Count() > 0) FFileName.clear();
  Close();
}

void TLanguageController::SetExcludeControls(TStrings* Value) {
  if (Value) FExcludeControls->Assign(*Value);
  else FExcludeControls->Clear();
}

void TLanguageController::ExcludeControlsChanged() {
  if (FReader) FReader->ExcludeControls().Assign(*FExcludeControls);
}

bool TLanguageController::Active() const { return FDocument && FDocument->document_element(); }

void TLanguageController::SetActive(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    FStreamedActive = Value;
    return;
  }
  if (Value == Active()) return;
  if (Value) Open();
  else Close();
}

void TLanguageController::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) SetActive(true);
}

void TLanguageController::Open() {
  DoBeforeOpen();
  FReader.reset();
  FDocument.reset();
  auto document = std::make_unique<pugi::xml_document>();
  std::string reason;
  bool loaded;
  if (FXMLText->Count() > 0) loaded = ParseLangDocument(*document, FXMLText->Text(), reason);
  else if (FFileName.empty()) throw LanguageControllerError(Format("Cannot Find File %s!", {FFileName}));
  else loaded = LoadLangDocument(*document, FFileName, reason);
  if (!loaded) throw LanguageControllerError(reason);
  FDocument = std::move(document);
  FReader = std::make_unique<TLangReader>(*FDocument);
  FReader->ExcludeControls().Assign(*FExcludeControls);
  FReader->BeforeLoadComponent = TLoadComponentEvent(this, &TLanguageController::ReaderBeforeLoad);
  FReader->AfterLoadComponent = TLoadComponentEvent(this, &TLanguageController::ReaderAfterLoad);
  DoAfterOpen();
}

void TLanguageController::Close() {
  if (!FDocument && !FReader) return;
  DoBeforeClose();
  FReader.reset();
  FDocument.reset();
  DoAfterClose();
}

void TLanguageController::ReaderBeforeLoad(TComponent* Component, const pugi::xml_node& Node) {
  BeforeLoadComponent(Component, Node);
}

void TLanguageController::ReaderAfterLoad(TComponent* Component, const pugi::xml_node& Node) {
  AfterLoadComponent(Component, Node);
}

void TLanguageController::CheckActive() const {
  if (!Active()) throw LanguageControllerError("No active LanguageController!");
}

TLangReader* TLanguageController::GetReader() const {
  CheckActive();
  return FReader.get();
}

// --------------------------------------------------------- TZnLangController

void TZnLangController::SetLangPackageName(const std::string& Value) {
  if (Value == FLangPackageName) return;
  FLangPackageName = Value;
  SetFileName(GetLangFolder(FDesignType) + Value + ".Lng");
  SetXMLText(nullptr);
  Close();
}

// ------------------------------------------------------------- class tables

const TClass& TLanguageController::StaticClass() {
  static const TClass Class =
      TClassBuilder<TLanguageController>("TLanguageController")
          .Property("Active", &TLanguageController::Active, &TLanguageController::SetActive).Default(0)
          .Property("ExcludeControls", &TLanguageController::ExcludeControls, &TLanguageController::SetExcludeControls)
          .Property("FileName", &TLanguageController::FileName, &TLanguageController::SetFileName)
          .Property("XMLText", &TLanguageController::XMLText, &TLanguageController::SetXMLText)
          .Property("AfterClose", &TLanguageController::AfterClose, &TLanguageController::AfterClose)
          .Property("AfterOpen", &TLanguageController::AfterOpen, &TLanguageController::AfterOpen)
          .Property("BeforeClose", &TLanguageController::BeforeClose, &TLanguageController::BeforeClose)
          .Property("BeforeOpen", &TLanguageController::BeforeOpen, &TLanguageController::BeforeOpen)
          .Property("AfterLoadComponent", &TLanguageController::AfterLoadComponent,
                    &TLanguageController::AfterLoadComponent)
          .Property("BeforeLoadComponent", &TLanguageController::BeforeLoadComponent,
                    &TLanguageController::BeforeLoadComponent)
          .Build();
  return Class;
}

const TClass& TZnLangController::StaticClass() {
  static const TClass Class =
      TClassBuilder<TZnLangController>("TZnLangController")
          .Property("DesignType", DesignTypeTypeInfo(), &TZnLangController::DesignType,
                    &TZnLangController::SetDesignType)
          .Default(dtClient)
          .Property("LangPackageName", &TZnLangController::LangPackageName, &TZnLangController::SetLangPackageName)
          .Build();
  return Class;
}

namespace {
const bool kRegistered =
    (RegisterClasses({&TLanguageController::StaticClass(), &TZnLangController::StaticClass()}), true);
}  // namespace
