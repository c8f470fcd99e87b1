#include "FormTextReader.h"

#include <algorithm>

#include "Collection.h"
#include "Filer.h"
#include "FormTextParser.h"
#include "StrUtils.h"

namespace {

// Collects the defined properties of one object to find one by name.
class TDefinitionFinder : public TFiler {
public:
  explicit TDefinitionFinder(std::string_view name) : FName(name) {}
  void DefineProperty(const std::string& name, TReadProc read, TWriteProc, bool) override {
    if (!FRead && SameText(name, FName)) FRead = std::move(read);
  }
  const TReadProc& Read() const { return FRead; }

private:
  std::string_view FName;
  TReadProc FRead;
};

// A failure with the line and the property it concerns.
struct TPropertyFailure {
  std::string Reason;
};

class TReader {
public:
  explicit TReader(TComponent* root) : FRoot(root) {}

  void Read(const TFormNode& node) {
    try {
      if (!FRoot->ClassType().InheritsFrom(node.ClassName))
        Fail(node.Line, node.Name, "Root class " + node.ClassName + " does not match " + FRoot->ClassName());
      if (FRoot->Name().empty() && !node.Name.empty())
        Guard(node.Line, node.Name, "Name", [&] { FRoot->SetName(UniqueRootName(node.Name)); });
      ReadBlock(node, FRoot);
      ResolveFixups();
    } catch (...) {
      Rollback();
      throw;
    }
    for (TComponent* c : FLoaded) c->SetComponentStateFlag(csReading, false);
    for (TComponent* c : FLoaded) c->Loaded();
  }

private:
  struct TFixup {
    TObject* Instance;
    const TPropInfo* Info;
    std::string Target;
    std::string Owner;
    int Line;
  };

  [[noreturn]] static void Fail(int line, const std::string& where, const std::string& reason) {
    throw EReadError("Line " + std::to_string(line) + ": Error reading " + where + ": " + reason);
  }

  // Runs a step and reports what it raises as a read error of that property.
  template <class F>
  static void Guard(int line, const std::string& owner, const std::string& prop, F step) {
    try {
      step();
    } catch (const EReadError&) {
      throw;
    } catch (const EClassNotFound&) {
      throw;
    } catch (const TPropertyFailure& failure) {
      Fail(line, owner + "." + prop, failure.Reason);
    } catch (const std::exception& e) {
      Fail(line, owner + "." + prop, e.what());
    }
  }

  // A second instance of a form beside the first one gets "Name_1", "Name_2" ...
  std::string UniqueRootName(const std::string& name) const {
    TComponent* owner = FRoot->Owner();
    std::string unique = name;
    for (int i = 1; owner && owner->FindComponent(unique); ++i) unique = name + "_" + std::to_string(i);
    return unique;
  }

  void BeginLoading(TComponent* c) {
    if (std::find(FLoaded.begin(), FLoaded.end(), c) != FLoaded.end()) return;
    c->SetComponentStateFlag(csLoading, true);
    c->SetComponentStateFlag(csReading, true);
    FLoaded.push_back(c);
  }

  void ReadBlock(const TFormNode& node, TComponent* component) {
    BeginLoading(component);
    std::string owner = node.Name.empty() ? node.ClassName : node.Name;
    for (const TFormProperty& prop : node.Properties)
      Guard(prop.Line, owner, prop.Name, [&] { ApplyProperty(*component, prop.Name, prop.Value, owner); });
    for (const TFormNode& child : node.Children) ReadBlock(child, ChildComponent(child, component));
  }

  TComponent* ChildComponent(const TFormNode& node, TComponent* enclosing) {
    TComponent* existing = node.Name.empty() ? nullptr : FRoot->FindComponent(node.Name);
    if (node.Kind == TFormNodeKind::Inherited && !existing)
      Fail(node.Line, node.Name.empty() ? node.ClassName : node.Name, "Ancestor for '" + node.Name + "' not found");
    if (existing && node.Kind == TFormNodeKind::Object && !SameText(existing->ClassName(), node.ClassName))
      Fail(node.Line, node.Name, "A component named " + node.Name + " already exists");
    TComponent* c = existing ? existing : Create(node);
    Guard(node.Line, node.Name, "Parent", [&] { c->SetParentComponent(enclosing); });
    return c;
  }

  TComponent* Create(const TFormNode& node) {
    const TClass* cls = GetClass(node.ClassName);
    if (!cls) throw EClassNotFound("Line " + std::to_string(node.Line) + ": Class " + node.ClassName + " not found");
    std::string where = node.Name.empty() ? node.ClassName : node.Name;
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
      Fail(node.Line, where, node.ClassName + " is not a component class that can be created");
    TComponent* c = nullptr;
    Guard(node.Line, where, "Create", [&] { c = static_cast<TComponent*>(cls->CreateInstance(FRoot)); });
    FCreated.push_back(c);
    Guard(node.Line, where, "Name", [&] { c->SetName(node.Name); });
    return c;
  }

  void ApplyProperty(TObject& target, std::string_view path, const TFormValue& value, const std::string& owner) {
    TObject* object = &target;
    std::size_t dot;
    while ((dot = path.find('.')) != std::string_view::npos) {
      const TPropInfo* info = object->ClassType().FindProperty(path.substr(0, dot));
      if (!info || info->Kind() != tkClass) throw TPropertyFailure{"Property " + std::string(path.substr(0, dot)) + " does not exist"};
      object = info->GetObject(*object);
      if (!object) throw TPropertyFailure{"Property " + std::string(path.substr(0, dot)) + " holds no object"};
      path.remove_prefix(dot + 1);
    }
    if (const TPropInfo* info = object->ClassType().FindProperty(path)) {
      SetValue(*object, *info, value, owner);
      return;
    }
    if (auto* persistent = dynamic_cast<TPersistent*>(object)) {
      TDefinitionFinder finder(path);
      persistent->DefineProperties(finder);
      if (finder.Read()) {
        finder.Read()(value);
        return;
      }
    }
    throw TPropertyFailure{"Property " + std::string(path) + " does not exist"};
  }

  static std::string KindName(const TFormValue& v) {
    switch (v.Kind) {
      case TFormValueKind::Integer: return "an integer";
      case TFormValueKind::Float: return "a number";
      case TFormValueKind::String: return "a string";
      case TFormValueKind::Ident: return "'" + v.Text + "'";
      case TFormValueKind::Set: return "a set";
      case TFormValueKind::List: return "a list";
      case TFormValueKind::Collection: return "a collection";
      case TFormValueKind::Binary: return "binary data";
    }
    return "a value";
  }

  [[noreturn]] static void BadValue(const TPropInfo& info, const TFormValue& v) {
    throw TPropertyFailure{"Invalid property value " + KindName(v) + " for " + info.TypeName()};
  }

  void SetValue(TObject& object, const TPropInfo& info, const TFormValue& v, const std::string& owner) {
    const TTypeInfo& type = *info.PropType;
    if (info.IsReadOnly() && info.Kind() != tkClass) throw TPropertyFailure{"Property " + info.Name + " is read-only"};
    switch (info.Kind()) {
      case tkInteger: {
        std::int64_t n = 0;
        if (v.Kind == TFormValueKind::Integer) n = v.Integer;
        else if (v.Kind != TFormValueKind::Ident || !IdentToInt(type, v.Text, n)) BadValue(info, v);
        info.SetOrd(object, n);
        break;
      }
      case tkChar:
        if (v.Kind == TFormValueKind::String && v.Text.size() == 1) info.SetOrd(object, static_cast<unsigned char>(v.Text[0]));
        else if (v.Kind == TFormValueKind::Integer && v.Integer >= 0 && v.Integer < 256) info.SetOrd(object, v.Integer);
        else BadValue(info, v);
        break;
      case tkEnumeration: {
        std::int64_t n = v.Kind == TFormValueKind::Ident ? GetEnumValue(type, v.Text) : -1;
        if (n < 0) BadValue(info, v);
        info.SetOrd(object, n);
        break;
      }
      case tkSet: {
        if (v.Kind != TFormValueKind::Set || !type.ElementType()) BadValue(info, v);
        std::uint64_t bits = 0;
        for (const std::string& e : v.Elements) {
          std::int64_t n = GetEnumValue(*type.ElementType(), e);
          if (n < 0 || n >= 64) throw TPropertyFailure{"Invalid property element: " + e};
          bits |= std::uint64_t{1} << n;
        }
        info.SetOrd(object, static_cast<std::int64_t>(bits));
        break;
      }
      case tkFloat:
        if (v.Kind == TFormValueKind::Float) info.SetFloat(object, v.Float);
        else if (v.Kind == TFormValueKind::Integer) info.SetFloat(object, static_cast<double>(v.Integer));
        else BadValue(info, v);
        break;
      case tkString:
        if (v.Kind != TFormValueKind::String) BadValue(info, v);
        info.SetStr(object, v.Text);
        break;
      case tkClass: SetObjectValue(object, info, v, owner); break;
      case tkMethod: SetMethodValue(object, info, v); break;
      case tkUnknown: BadValue(info, v);
    }
  }

  void SetObjectValue(TObject& object, const TPropInfo& info, const TFormValue& v, const std::string& owner) {
    if (v.Kind == TFormValueKind::Collection) {
      auto* collection = dynamic_cast<TCollection*>(info.GetObject(object));
      if (!collection) BadValue(info, v);
      ReadCollection(*collection, v, owner + "." + info.Name);
      return;
    }
    if (v.Kind != TFormValueKind::Ident) BadValue(info, v);
    if (!info.SetObject) throw TPropertyFailure{"Property " + info.Name + " is read-only"};
    if (SameText(v.Text, "nil")) info.SetObject(object, nullptr);
    else FFixups.push_back({&object, &info, v.Text, owner, v.Line});
  }

  void SetMethodValue(TObject& object, const TPropInfo& info, const TFormValue& v) {
    if (v.Kind != TFormValueKind::Ident) BadValue(info, v);
    if (SameText(v.Text, "nil")) {
      info.SetMethod(object, TMethod{});
      return;
    }
    TMethod method = FRoot->MethodAddress(v.Text);
    if (!method.Assigned()) throw TPropertyFailure{"Method " + v.Text + " not found in " + FRoot->ClassName()};
    const std::type_info* wanted = info.PropType->Signature();
    if (!wanted || !method.Signature || *wanted != *method.Signature)
      throw TPropertyFailure{"Method " + v.Text + " does not fit the event type " + info.TypeName()};
    info.SetMethod(object, method);
  }

  void ReadCollection(TCollection& collection, const TFormValue& v, const std::string& where) {
    collection.BeginUpdate();
    try {
      collection.Clear();
      for (const TFormCollectionItem& item : v.CollectionItems) {
        TCollectionItem* added = collection.Add();
        std::string name = where + "[" + std::to_string(added->Index()) + "]";
        for (const TFormProperty& prop : item.Properties) {
          try {
            ApplyProperty(*added, prop.Name, prop.Value, name);
          } catch (const TPropertyFailure& failure) {
            Fail(prop.Line, name + "." + prop.Name, failure.Reason);
          }
        }
      }
    } catch (...) {
      collection.EndUpdate();
      throw;
    }
    collection.EndUpdate();
  }

  void ResolveFixups() {
    for (const TFixup& f : FFixups) {
      // A reference into another module's form cannot be resolved here.
      if (f.Target.find('.') != std::string::npos) continue;
      TComponent* target = SameText(f.Target, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.Target);
      if (!target) Fail(f.Line, f.Owner + "." + f.Info->Name, "Component " + f.Target + " not found");
      f.Info->SetObject(*f.Instance, target);
      if (f.Info->GetObject(*f.Instance) != target)
        Fail(f.Line, f.Owner + "." + f.Info->Name, target->ClassName() + " does not fit " + f.Info->TypeName());
    }
  }

  void Rollback() {
    for (TComponent* c : FLoaded) {
      if (std::find(FCreated.begin(), FCreated.end(), c) != FCreated.end()) continue;
      c->SetComponentStateFlag(csReading, false);
      c->SetComponentStateFlag(csLoading, false);
    }
    // Last created first: children before the controls that hold them. A
    // component already gone with another is no longer in Root's list.
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) {
      bool alive = false;
      for (int i = 0; i < FRoot->ComponentCount() && !alive; ++i) alive = FRoot->Components(i) == *it;
      if (alive) delete *it;
    }
  }

  TComponent* FRoot;
  std::vector<TComponent*> FCreated;
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
};

}  // namespace

void ReadFormTree(TComponent* Root, const TFormNode& Node) {
  if (!Root) throw EReadError("No component to read into");
  TReader(Root).Read(Node);
}

void ReadFormText(TComponent* Root, std::string_view Text) { ReadFormTree(Root, ParseFormText(Text)); }
