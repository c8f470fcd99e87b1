#pragma once
// The parsed form of a form-description text: a tree of component blocks,
// each with its property assignments. The text parser produces it, the
// reader applies it to an instance, the writer builds one from an instance.
#include <cstdint>
#include <string>
#include <vector>

enum class TFormValueKind { Integer, Float, String, Ident, Set, List, Collection, Binary };

struct TFormProperty;

// One collection item: `item ... end` inside `< >`.
struct TFormCollectionItem {
  std::vector<TFormProperty> Properties;
  int Line = 0;
  friend bool operator==(const TFormCollectionItem&, const TFormCollectionItem&);
};

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Integer;
  std::int64_t Integer = 0;
  double Float = 0;
  std::string Text;                          // String (UTF-8) and Ident
  std::vector<std::string> Elements;         // Set
  std::vector<TFormValue> Items;             // List
  std::vector<TFormCollectionItem> CollectionItems;
  std::vector<std::uint8_t> Bytes;           // Binary
  int Line = 0;

  static TFormValue OfInteger(std::int64_t value);
  static TFormValue OfFloat(double value);
  static TFormValue OfString(std::string value);
  static TFormValue OfIdent(std::string ident);
  static TFormValue OfSet(std::vector<std::string> elements);
  static TFormValue OfList(std::vector<TFormValue> items);
  static TFormValue OfBinary(std::vector<std::uint8_t> bytes);
  // The same value; line numbers do not count.
  friend bool operator==(const TFormValue&, const TFormValue&);
};

struct TFormProperty {
  std::string Name;  // may be a path: "Font.Name", "Items.Strings"
  TFormValue Value;
  int Line = 0;
  friend bool operator==(const TFormProperty& a, const TFormProperty& b) {
    return a.Name == b.Name && a.Value == b.Value;
  }
};

enum class TFormNodeKind { Object, Inherited, Inline };

struct TFormNode {
  TFormNodeKind Kind = TFormNodeKind::Object;
  std::string Name;
  std::string ClassName;
  std::vector<TFormProperty> Properties;
  std::vector<TFormNode> Children;
  int Line = 0;
};
