#pragma once
// Language files: XML documents with the extension ".Lng", one per form
// class. An element named after a component carries that component's texts
// (each attribute name a property path, each value the text); the document
// element's attributes apply to the form itself; an element named after a
// message identifier carries its text in the attribute Msg.
//
// TLanguageController opens one document (from FileName or XMLText) and
// hands out the reader that applies it to components; TZnLangController,
// the one every form carries, finds the file from the language folder and a
// package name.
//
// Property paths: "Prop", "Prop.Sub.Leaf" (object properties walked),
// "Items_n" / "Columns_n" inside a path (element n of a collection, of a
// list view's items or columns, of a tree view's nodes), and "Lines_n" /
// "Items_n" as the whole path (line n of a string list, padded with empty
// lines). A path that does not resolve, or a value that does not fit, is
// skipped.
#include <memory>
#include <string>

#include "CodeConverter.h"
#include "Component.h"
#include "Events.h"
#include "StringList.h"

namespace pugi {
class xml_document;
class xml_node;
class xml_attribute;
}  // namespace pugi

KESR_DECLARE_EXCEPTION(LanguageControllerError, Exception);

// xComponent, xComponentNode (its element).
struct TLoadComponentEvent : TEvent<TComponent*, const pugi::xml_node&> {
  using TEvent::TEvent;
  static constexpr const char* TypeName = "TLoadComponentEvent";
};

// Applies one element's attributes to one component.
class TComponentRead {
public:
  TComponentRead(TComponent* Component, const pugi::xml_node& Node);
  virtual ~TComponentRead();
  TComponentRead(const TComponentRead&) = delete;
  TComponentRead& operator=(const TComponentRead&) = delete;

  TComponent* Component() const { return FComponent; }
  const pugi::xml_node& Node() const { return *FNode; }
  // By position; out of range does nothing.
  void ReadAttribute(int Index);
  void ReadAttribute(const std::string& Name);
  virtual void ReadAll();

protected:
  virtual void ApplyAttribute(const pugi::xml_attribute& Attribute);

private:
  TComponent* FComponent;
  std::unique_ptr<pugi::xml_node> FNode;
};

// Combo boxes keep their selection while their items are loaded.
class TCustomComboBoxRead : public TComponentRead {
public:
  using TComponentRead::TComponentRead;
  void ReadAll() override;
};

// Chooses the reader class for a component.
class TReaderFactory {
public:
  static std::unique_ptr<TComponentRead> CreateReader(TComponent* Component, const pugi::xml_node& Node);
};

class TLangReader {
public:
  explicit TLangReader(const pugi::xml_document& Document);
  virtual ~TLangReader();
  TLangReader(const TLangReader&) = delete;
  TLangReader& operator=(const TLangReader&) = delete;

  TStringList& ExcludeControls() { return FExcludeControls; }
  // The texts of Component and, recursively, of every component it owns
  // (also when Component itself is excluded).
  virtual void LoadComponent(TComponent* Component);

  TLoadComponentEvent AfterLoadComponent;
  TLoadComponentEvent BeforeLoadComponent;

protected:
  virtual void DoBeforeLoadComponent(TComponent* Component, const pugi::xml_node& Node);
  virtual void DoAfterLoadComponent(TComponent* Component, const pugi::xml_node& Node);

private:
  void LoadElement(TComponent* Component, const pugi::xml_node& Node);
  bool Excluded(const std::string& Name) const;

  TStringList FExcludeControls;
  const pugi::xml_document& FDocument;
};

class TLanguageController : public TComponent {
  KESR_CLASS(TLanguageController, TComponent)
public:
  explicit TLanguageController(TComponent* AOwner);
  ~TLanguageController() override;

  const std::string& FileName() const { return FFileName; }
  // A different name clears XMLText and closes the controller.
  void SetFileName(const std::string& Value);
  TStrings* XMLText() const { return FXMLText.get(); }
  void SetXMLText(TStrings* Value);
  TStrings* ExcludeControls() const { return FExcludeControls.get(); }
  // Copies the list (nullptr clears it); the open reader follows.
  void SetExcludeControls(TStrings* Value);

  // True while a document with a document element is open.
  bool Active() const;
  // Opening raises LanguageControllerError "Cannot Find File %s!" without
  // text or file name, and the parser's reason for a file that is missing
  // or does not parse. While loading from a form text the value is kept for
  // Loaded.
  void SetActive(bool Value);
  // LanguageControllerError "No active LanguageController!" when closed.
  void CheckActive() const;
  TLangReader* GetReader() const;

  void Loaded() override;

  TNotifyEvent AfterClose;
  TNotifyEvent AfterOpen;
  TNotifyEvent BeforeClose;
  TNotifyEvent BeforeOpen;
  TLoadComponentEvent AfterLoadComponent;
  TLoadComponentEvent BeforeLoadComponent;

protected:
  virtual void DoAfterClose() { AfterClose(this); }
  virtual void DoAfterOpen() { AfterOpen(this); }
  virtual void DoBeforeClose() { BeforeClose(this); }
  virtual void DoBeforeOpen() { BeforeOpen(this); }
  void Open();
  void Close();

private:
  void XMLTextChanged();
  void ExcludeControlsChanged();
  void ReaderBeforeLoad(TComponent* Component, const pugi::xml_node& Node);
  void ReaderAfterLoad(TComponent* Component, const pugi::xml_node& Node);

  std::string FFileName;
  std::unique_ptr<pugi::xml_document> FDocument;
  std::unique_ptr<TStringList> FExcludeControls;
  std::unique_ptr<TLangReader> FReader;
  std::unique_ptr<TStringList> FXMLText;
  bool FStreamedActive = false;
  bool FSettingXMLText = false;
};

class TZnLangController : public TLanguageController {
  KESR_CLASS(TZnLangController, TLanguageController)
public:
  explicit TZnLangController(TComponent* AOwner) : TLanguageController(AOwner) {}

  TDesignType DesignType() const { return FDesignType; }
  void SetDesignType(TDesignType Value) { FDesignType = Value; }
  const std::string& LangPackageName() const { return FLangPackageName; }
  // A new name points FileName at the package's file in the language
  // folder, clears XMLText and closes the controller.
  void SetLangPackageName(const std::string& Value);

private:
  TDesignType FDesignType = dtClient;
  std::string FLangPackageName;
};
