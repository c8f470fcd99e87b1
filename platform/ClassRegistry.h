#pragma once
// TObject and its metaclass TClass, and the registry of classes by name that
// streaming uses to create the components a form-description text declares.
//
// Every class of the component model names itself with KESR_CLASS in its
// body and defines its StaticClass() in its unit with a TClassBuilder
// (TypInfo.h), which records the name, the parent class, a factory and the
// published properties and methods.
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Events.h"
#include "Exceptions.h"

class TObject;
class TClass;
class TComponent;
struct TPropInfo;
struct TMethodEntry;
struct TFieldEntry;

// Streaming errors: the registry, the reader and the writer raise these.
KESR_DECLARE_EXCEPTION(EFilerError, Exception);
KESR_DECLARE_EXCEPTION(EClassNotFound, EFilerError);

// Declares the metaclass members of a class; Parent is its direct base.
#define KESR_CLASS(Self, Parent)                                               \
public:                                                                        \
  using inherited = Parent;                                                    \
  static const TClass& StaticClass();                                          \
  const TClass& ClassType() const override { return Self::StaticClass(); }     \
                                                                               \
private:

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClass& StaticClass();
  virtual const TClass& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const;
  bool InheritsFrom(const TClass& cls) const;
  // The published method of that name bound to this object; unassigned when
  // the class has none.
  TMethod MethodAddress(std::string_view name) const;
  // The name of the published method the handler calls on this object, or
  // empty text when it is not one of this object's published methods.
  std::string MethodName(const TMethod& method) const;
};

// Creates an instance of a class; Owner is passed to components and ignored
// by other persistent classes.
using TObjectFactory = TObject* (*)(TComponent* owner);

class TClass {
public:
  TClass(std::string name, const TClass* parent, TObjectFactory factory,
         std::vector<TPropInfo> properties, std::vector<TMethodEntry> methods,
         std::vector<TFieldEntry> fields);
  ~TClass();
  TClass(const TClass&) = delete;
  TClass& operator=(const TClass&) = delete;

  const std::string& ClassName() const { return FName; }
  const TClass* ClassParent() const { return FParent; }
  bool InheritsFrom(const TClass& cls) const;
  // By class name, case-insensitive.
  bool InheritsFrom(std::string_view className) const;

  bool CanCreate() const { return FFactory != nullptr; }
  // A new instance owned by Owner (the caller frees an instance without an
  // owner); EClassNotFound for an abstract class.
  TObject* CreateInstance(TComponent* owner) const;

  // The properties this class declares itself, in declaration order.
  const std::vector<TPropInfo>& OwnProperties() const;
  // Searched in this class first, then up the chain; case-insensitive.
  const TPropInfo* FindProperty(std::string_view name) const;
  // Every published property, the parent's first; a property a class
  // declares again keeps its parent's place.
  std::vector<const TPropInfo*> Properties() const;
  const TMethodEntry* FindMethod(std::string_view name) const;
  const std::vector<TMethodEntry>& OwnMethods() const;
  const TFieldEntry* FindField(std::string_view name) const;

private:
  std::string FName;
  const TClass* FParent;
  TObjectFactory FFactory;
  struct TTables;
  std::unique_ptr<TTables> FTables;
};

// The registry of streamable classes by name. Registering the same class
// again does nothing; another class under a registered name raises
// EFilerError "A class named X already exists".
void RegisterClass(const TClass& cls);
void RegisterClasses(std::initializer_list<const TClass*> classes);
void UnRegisterClass(const TClass& cls);
// Keeps classes registered for as long as it lives: a library holds one as a
// static object, so its classes are known to streaming while it is loaded.
class TClassRegistration {
public:
  TClassRegistration(std::initializer_list<const TClass*> classes);
  ~TClassRegistration();
  TClassRegistration(const TClassRegistration&) = delete;
  TClassRegistration& operator=(const TClassRegistration&) = delete;

private:
  std::vector<const TClass*> FClasses;
};

// nullptr when no class of that name is registered (case-insensitive).
const TClass* GetClass(std::string_view name);
// EClassNotFound "Class X not found" when no class of that name is registered.
const TClass& FindClass(std::string_view name);
