#include "ClassRegistry.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "StrUtils.h"
#include "TypInfo.h"

struct TClass::TTables {
  std::vector<TPropInfo> Properties;
  std::vector<TMethodEntry> Methods;
  std::vector<TFieldEntry> Fields;
};

TClass::TClass(std::string name, const TClass* parent, TObjectFactory factory,
               std::vector<TPropInfo> properties, std::vector<TMethodEntry> methods,
               std::vector<TFieldEntry> fields)
    : FName(std::move(name)),
      FParent(parent),
      FFactory(factory),
      FTables(new TTables{std::move(properties), std::move(methods), std::move(fields)}) {}

TClass::~TClass() = default;

bool TClass::InheritsFrom(const TClass& cls) const {
  for (const TClass* c = this; c; c = c->FParent)
    if (c == &cls) return true;
  return false;
}

bool TClass::InheritsFrom(std::string_view className) const {
  for (const TClass* c = this; c; c = c->FParent)
    if (SameText(c->FName, className)) return true;
  return false;
}

TObject* TClass::CreateInstance(TComponent* owner) const {
  if (!FFactory) throw EClassNotFound("Cannot create an instance of the abstract class " + FName);
  return FFactory(owner);
}

const std::vector<TPropInfo>& TClass::OwnProperties() const { return FTables->Properties; }
const std::vector<TMethodEntry>& TClass::OwnMethods() const { return FTables->Methods; }

const TPropInfo* TClass::FindProperty(std::string_view name) const {
  for (const TClass* c = this; c; c = c->FParent)
    for (const TPropInfo& p : c->FTables->Properties)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClass::Properties() const {
  std::vector<const TPropInfo*> list = FParent ? FParent->Properties() : std::vector<const TPropInfo*>{};
  for (const TPropInfo& p : FTables->Properties) {
    auto same = std::find_if(list.begin(), list.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
    if (same != list.end()) *same = &p;
    else list.push_back(&p);
  }
  return list;
}

const TMethodEntry* TClass::FindMethod(std::string_view name) const {
  for (const TClass* c = this; c; c = c->FParent)
    for (const TMethodEntry& m : c->FTables->Methods)
      if (SameText(m.Name, name)) return &m;
  return nullptr;
}

const TFieldEntry* TClass::FindField(std::string_view name) const {
  for (const TClass* c = this; c; c = c->FParent)
    for (const TFieldEntry& f : c->FTables->Fields)
      if (SameText(f.Name, name)) return &f;
  return nullptr;
}

const TClass& TObject::StaticClass() {
  static const TClass Class("TObject", nullptr, [](TComponent*) -> TObject* { return new TObject(); }, {}, {}, {});
  return Class;
}

const std::string& TObject::ClassName() const { return ClassType().ClassName(); }

bool TObject::InheritsFrom(const TClass& cls) const { return ClassType().InheritsFrom(cls); }

TMethod TObject::MethodAddress(std::string_view name) const {
  const TMethodEntry* entry = ClassType().FindMethod(name);
  return entry ? entry->Bind(const_cast<TObject*>(this)) : TMethod{};
}

std::string TObject::MethodName(const TMethod& method) const {
  if (!method.Assigned()) return {};
  for (const TClass* c = &ClassType(); c; c = c->ClassParent())
    for (const TMethodEntry& m : c->OwnMethods())
      if (m.Bind(const_cast<TObject*>(this)) == method) return m.Name;
  return {};
}

namespace {

struct TRegistry {
  std::mutex Lock;
  std::map<std::string, const TClass*> ByName;  // upper-case name
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

}  // namespace

void RegisterClass(const TClass& cls) {
  TRegistry& r = Registry();
  std::lock_guard guard(r.Lock);
  auto [it, inserted] = r.ByName.emplace(UpperCase(cls.ClassName()), &cls);
  if (!inserted && it->second != &cls) throw EFilerError("A class named " + cls.ClassName() + " already exists");
}

void RegisterClasses(std::initializer_list<const TClass*> classes) {
  for (const TClass* cls : classes) RegisterClass(*cls);
}

void UnRegisterClass(const TClass& cls) {
  TRegistry& r = Registry();
  std::lock_guard guard(r.Lock);
  auto it = r.ByName.find(UpperCase(cls.ClassName()));
  if (it != r.ByName.end() && it->second == &cls) r.ByName.erase(it);
}

TClassRegistration::TClassRegistration(std::initializer_list<const TClass*> classes) {
  for (const TClass* cls : classes) {
    RegisterClass(*cls);
    FClasses.push_back(cls);
  }
}

TClassRegistration::~TClassRegistration() {
  for (const TClass* cls : FClasses) UnRegisterClass(*cls);
}

const TClass* GetClass(std::string_view name) {
  TRegistry& r = Registry();
  std::lock_guard guard(r.Lock);
  auto it = r.ByName.find(UpperCase(name));
  return it == r.ByName.end() ? nullptr : it->second;
}

const TClass& FindClass(std::string_view name) {
  const TClass* cls = GetClass(name);
  if (!cls) throw EClassNotFound("Class " + std::string(name) + " not found");
  return *cls;
}
