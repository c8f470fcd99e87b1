#include "FormTextWriter.h"

#include <charconv>
#include <cmath>
#include <memory>

#include "Collection.h"
#include "Filer.h"
#include "StrUtils.h"

namespace {

std::unique_ptr<TObject> FreshInstance(const TClass& cls) {
  if (!cls.CanCreate()) return nullptr;
  return std::unique_ptr<TObject>(cls.CreateInstance(nullptr));
}

// Gathers the defined properties that have data to write.
class TDefinitionWriter : public TFiler {
public:
  TDefinitionWriter(const TPersistent* ancestor, std::vector<TFormProperty>& out, std::string prefix)
      : TFiler(ancestor), FOut(out), FPrefix(std::move(prefix)) {}
  void DefineProperty(const std::string& name, TReadProc, TWriteProc write, bool hasData) override {
    if (hasData && write) FOut.push_back({FPrefix + name, write(), 0});
  }

private:
  std::vector<TFormProperty>& FOut;
  std::string FPrefix;
};

class TWriter {
public:
  explicit TWriter(const TComponent* root) : FRoot(root) {}

  TFormNode Write() {
    std::unique_ptr<TObject> fresh = FreshInstance(FRoot->ClassType());
    FAncestorRoot = dynamic_cast<const TComponent*>(fresh.get());
    TFormNode node;
    node.Name = FRoot->Name();
    node.ClassName = FRoot->ClassName();
    WriteProperties(node.Properties, "", *FRoot, fresh.get());
    WriteChildren(node, *FRoot);
    return node;
  }

private:
  void WriteChildren(TFormNode& node, const TComponent& component) {
    component.GetChildren([&](TComponent* child) { node.Children.push_back(WriteComponent(*child)); },
                          const_cast<TComponent*>(FRoot));
  }

  TFormNode WriteComponent(const TComponent& c) {
    const TComponent* ancestor = FAncestorRoot && !c.Name().empty() ? FAncestorRoot->FindComponent(c.Name()) : nullptr;
    if (ancestor && &ancestor->ClassType() != &c.ClassType()) ancestor = nullptr;
    std::unique_ptr<TObject> fresh = ancestor ? nullptr : FreshInstance(c.ClassType());
    TFormNode node;
    node.Kind = ancestor ? TFormNodeKind::Inherited : TFormNodeKind::Object;
    node.Name = c.Name();
    node.ClassName = c.ClassName();
    WriteProperties(node.Properties, "", c, ancestor ? ancestor : fresh.get());
    WriteChildren(node, c);
    return node;
  }

  void WriteProperties(std::vector<TFormProperty>& out, const std::string& prefix, const TObject& obj,
                       const TObject* ancestor) {
    if (ancestor && &ancestor->ClassType() != &obj.ClassType()) ancestor = nullptr;
    for (const TPropInfo* p : obj.ClassType().Properties()) {
      if (!p->IsStored(obj)) continue;
      std::string name = prefix + p->Name;
      switch (p->Kind()) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet: {
          if (p->IsReadOnly()) break;
          std::int64_t v = p->GetOrd(obj);
          if (ancestor ? v == p->GetOrd(*ancestor) : (p->Default != NoDefault && v == p->Default)) break;
          out.push_back({name, OrdinalValue(*p, v), 0});
          break;
        }
        case tkFloat: {
          if (p->IsReadOnly()) break;
          double v = p->GetFloat(obj);
          if (ancestor ? v == p->GetFloat(*ancestor) : v == 0) break;
          out.push_back({name, TFormValue::OfFloat(v), 0});
          break;
        }
        case tkString: {
          if (p->IsReadOnly()) break;
          std::string v = p->GetStr(obj);
          if (ancestor ? v == p->GetStr(*ancestor) : v.empty()) break;
          out.push_back({name, TFormValue::OfString(std::move(v)), 0});
          break;
        }
        case tkMethod: WriteMethod(out, name, *p, obj, ancestor); break;
        case tkClass: WriteObject(out, name, *p, obj, ancestor); break;
        case tkUnknown: break;
      }
    }
    if (auto* persistent = dynamic_cast<const TPersistent*>(&obj)) {
      TDefinitionWriter filer(dynamic_cast<const TPersistent*>(ancestor), out, prefix);
      const_cast<TPersistent*>(persistent)->DefineProperties(filer);
    }
  }

  static TFormValue OrdinalValue(const TPropInfo& p, std::int64_t v) {
    const TTypeInfo& type = *p.PropType;
    switch (p.Kind()) {
      case tkInteger: {
        std::string ident;
        if (IntToIdent(type, v, ident)) return TFormValue::OfIdent(ident);
        return TFormValue::OfInteger(v);
      }
      case tkChar:
        if (v >= 0 && v < 128) return TFormValue::OfString(std::string(1, static_cast<char>(v)));
        return TFormValue::OfInteger(v);
      case tkEnumeration: {
        std::string ident = GetEnumName(type, v);
        return ident.empty() ? TFormValue::OfInteger(v) : TFormValue::OfIdent(ident);
      }
      default: {
        std::vector<std::string> elements;
        if (const TTypeInfo* element = type.ElementType())
          for (std::size_t i = 0; i < element->EnumNames().size() && i < 64; ++i)
            if (static_cast<std::uint64_t>(v) & (std::uint64_t{1} << i)) elements.push_back(element->EnumNames()[i]);
        return TFormValue::OfSet(std::move(elements));
      }
    }
  }

  void WriteMethod(std::vector<TFormProperty>& out, const std::string& name, const TPropInfo& p, const TObject& obj,
                   const TObject* ancestor) {
    if (p.IsReadOnly()) return;
    TMethod m = p.GetMethod(obj);
    std::string handler = FRoot->MethodName(m);
    if (m.Assigned() && handler.empty()) return;  // not a published method of the root: cannot be named
    std::string inherited;
    if (ancestor && FAncestorRoot) inherited = FAncestorRoot->MethodName(p.GetMethod(*ancestor));
    if (SameText(handler, inherited)) return;
    out.push_back({name, TFormValue::OfIdent(handler.empty() ? "nil" : handler), 0});
  }

  // The name a reference is written with, relative to a root; empty when
  // the component belongs elsewhere.
  static std::string ReferenceName(const TObject* value, const TComponent* root) {
    auto* c = dynamic_cast<const TComponent*>(value);
    if (!c || !root) return {};
    if (c == root || c->Owner() == root) return c->Name();
    return {};
  }

  void WriteObject(std::vector<TFormProperty>& out, const std::string& name, const TPropInfo& p, const TObject& obj,
                   const TObject* ancestor) {
    TObject* value = p.GetObject(obj);
    TObject* inherited = ancestor ? p.GetObject(*ancestor) : nullptr;
    bool isReference = dynamic_cast<TComponent*>(value) || (!value && dynamic_cast<TComponent*>(inherited));
    if (isReference) {
      if (!p.SetObject) return;
      std::string target = ReferenceName(value, FRoot);
      if (value && target.empty()) return;
      if (SameText(target, ReferenceName(inherited, FAncestorRoot))) return;
      if (!value && !inherited) return;
      out.push_back({name, TFormValue::OfIdent(value ? target : "nil"), 0});
    } else if (auto* collection = dynamic_cast<const TCollection*>(value)) {
      TFormValue v = CollectionValue(*collection);
      auto* before = dynamic_cast<const TCollection*>(inherited);
      if (before ? v == CollectionValue(*before) : collection->Count() == 0) return;
      out.push_back({name, std::move(v), 0});
    } else if (value) {
      WriteProperties(out, name + ".", *value, inherited);
    }
  }

  TFormValue CollectionValue(const TCollection& collection) {
    TFormValue v;
    v.Kind = TFormValueKind::Collection;
    TCollection scratch(collection.ItemClass(), collection.ItemFactory());
    TCollectionItem* fresh = collection.Count() ? scratch.Add() : nullptr;
    for (int i = 0; i < collection.Count(); ++i) {
      TFormCollectionItem item;
      WriteProperties(item.Properties, "", *collection.Items(i), fresh);
      v.CollectionItems.push_back(std::move(item));
    }
    return v;
  }

  const TComponent* FRoot;
  const TComponent* FAncestorRoot = nullptr;
};

// Line length at which long strings are split with +.
constexpr std::size_t MaxStringLine = 64;

bool IsPlain(char32_t c) { return c >= 32 && c < 127; }

// Quoted runs of printable ASCII and #nnn UTF-16 codes for the rest, split
// into pieces of at most MaxStringLine characters.
std::vector<std::string> StringPieces(const std::string& text) {
  std::vector<std::string> pieces;
  std::string piece;
  bool quoted = false;
  auto closeQuote = [&] {
    if (quoted) piece += '\'';
    quoted = false;
  };
  auto breakIfLong = [&] {
    if (piece.size() >= MaxStringLine) {
      closeQuote();
      pieces.push_back(std::move(piece));
      piece.clear();
    }
  };
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = Utf8Decode(text, i);
    breakIfLong();
    if (IsPlain(c)) {
      if (!quoted) piece += '\'';
      quoted = true;
      piece += static_cast<char>(c);
      if (c == '\'') piece += '\'';
      continue;
    }
    closeQuote();
    if (c >= 0x10000) {
      c -= 0x10000;
      piece += "#" + std::to_string(0xD800 + (c >> 10)) + "#" + std::to_string(0xDC00 + (c & 0x3FF));
    } else {
      piece += "#" + std::to_string(c);
    }
  }
  closeQuote();
  if (!piece.empty() || pieces.empty()) pieces.push_back(piece.empty() ? "''" : piece);
  return pieces;
}

std::string FormatFloat(double v) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  std::string text(buffer, ec == std::errc() ? end : buffer);
  if (std::isfinite(v) && text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

void FormatValue(std::string& out, const TFormValue& v, const std::string& indent);

void FormatProperties(std::string& out, const std::vector<TFormProperty>& properties, const std::string& indent) {
  for (const TFormProperty& p : properties) {
    out += indent + p.Name + " = ";
    FormatValue(out, p.Value, indent);
    out += "\n";
  }
}

void FormatValue(std::string& out, const TFormValue& v, const std::string& indent) {
  const std::string inner = indent + "  ";
  switch (v.Kind) {
    case TFormValueKind::Integer: out += std::to_string(v.Integer); break;
    case TFormValueKind::Float: out += FormatFloat(v.Float); break;
    case TFormValueKind::Ident: out += v.Text; break;
    case TFormValueKind::String: {
      std::vector<std::string> pieces = StringPieces(v.Text);
      for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i) out += " +\n" + inner;
        out += pieces[i];
      }
      break;
    }
    case TFormValueKind::Set:
      out += "[";
      for (std::size_t i = 0; i < v.Elements.size(); ++i) out += (i ? ", " : "") + v.Elements[i];
      out += "]";
      break;
    case TFormValueKind::List:
      out += "(";
      for (const TFormValue& item : v.Items) {
        out += "\n" + inner;
        FormatValue(out, item, inner);
      }
      out += ")";
      break;
    case TFormValueKind::Collection:
      out += "<";
      for (const TFormCollectionItem& item : v.CollectionItems) {
        out += "\n" + inner + "item\n";
        FormatProperties(out, item.Properties, inner + "  ");
        out += inner + "end";
      }
      out += ">";
      break;
    case TFormValueKind::Binary: {
      static const char* hex = "0123456789ABCDEF";
      out += "{";
      for (std::size_t i = 0; i < v.Bytes.size(); ++i) {
        if (i % 32 == 0) out += "\n" + inner;
        out += hex[v.Bytes[i] >> 4];
        out += hex[v.Bytes[i] & 15];
      }
      out += "}";
      break;
    }
  }
}

void FormatNode(std::string& out, const TFormNode& node, const std::string& indent) {
  switch (node.Kind) {
    case TFormNodeKind::Object: out += indent + "object "; break;
    case TFormNodeKind::Inherited: out += indent + "inherited "; break;
    case TFormNodeKind::Inline: out += indent + "inline "; break;
  }
  out += node.Name.empty() ? node.ClassName : node.Name + ": " + node.ClassName;
  out += "\n";
  FormatProperties(out, node.Properties, indent + "  ");
  for (const TFormNode& child : node.Children) FormatNode(out, child, indent + "  ");
  out += indent + "end\n";
}

}  // namespace

TFormNode WriteFormTree(const TComponent* Root) { return TWriter(Root).Write(); }

std::string FormatFormText(const TFormNode& Node) {
  std::string out;
  FormatNode(out, Node, "");
  return out;
}

std::string WriteFormText(const TComponent* Root) { return FormatFormText(WriteFormTree(Root)); }
