#pragma once
// Run-time information about published properties, and access to them by
// name. Each class declares its published properties, methods and fields once,
// in the StaticClass() of its unit; the table is chained to the parent's.
//
// How to declare a component class with published properties and events:
//
//   // Button.h
//   class TMyButton : public TComponent {
//     KESR_CLASS(TMyButton, TComponent)
//   public:
//     explicit TMyButton(TComponent* AOwner) : TComponent(AOwner) {}
//     int Width() const { return FWidth; }
//     void SetWidth(int Value) { FWidth = Value; }
//     TAlign Align = alNone;        // a plain field can be a property too
//     TNotifyEvent OnClick;
//   private:
//     int FWidth = 75;
//   };
//   // Button.cpp
//   const TTypeInfo& AlignType() {
//     static const TTypeInfo Type = TTypeInfo::Enumeration("TAlign", {"alNone", "alTop"});
//     return Type;
//   }
//   const TClass& TMyButton::StaticClass() {
//     static const TClass Class = TClassBuilder<TMyButton>("TMyButton")
//         .Property("Width", &TMyButton::Width, &TMyButton::SetWidth).Default(75)
//         .Property("Align", AlignType(), &TMyButton::Align, &TMyButton::Align)
//         .Property("OnClick", &TMyButton::OnClick, &TMyButton::OnClick)
//         .Build();
//     return Class;
//   }
//
// A getter is a const member function, a data member or a callable taking the
// object; a setter is a member function taking the value, a data member, a
// callable (object, value) or nullptr for a read-only property. The type of
// int, bool, char, double, std::string, TSet, event and TPersistent-derived
// pointer properties is inferred; enumerations, sets, colours and other
// integer types with identifiers name their TTypeInfo. A form publishes its
// event handlers with Method("btnOkClick", &TMyForm::btnOkClick) (so stored
// texts bind "OnClick = btnOkClick") and its component fields with
// Field("btnOk", &TMyForm::btnOk) (set when a component of that name is
// inserted, cleared when it leaves).
//
// Types are function-local statics so that tables built during static
// initialisation never see an unconstructed type.
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "ClassRegistry.h"
#include "Events.h"
#include "Exceptions.h"
#include "Set.h"

class TComponent;
class TPersistent;

KESR_DECLARE_EXCEPTION(EPropertyError, Exception);
KESR_DECLARE_EXCEPTION(EPropertyConvertError, Exception);

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
};

struct TIdentMapEntry {
  std::int64_t Value;
  std::string Name;
};

class TTypeInfo {
public:
  static TTypeInfo Integer(std::string name, std::vector<TIdentMapEntry> idents = {});
  static TTypeInfo Char(std::string name = "Char");
  // Value i is named names[i].
  static TTypeInfo Enumeration(std::string name, std::vector<std::string> names);
  static TTypeInfo Set(std::string name, const TTypeInfo& elementType);
  static TTypeInfo Float(std::string name = "Double");
  static TTypeInfo String(std::string name = "string");
  static TTypeInfo Class(std::string name);
  // The object type of a class of the component model, named after it when
  // first asked (so a class can hold properties of its own type).
  static TTypeInfo ClassOf(const TClass& (*staticClass)());
  static TTypeInfo Method(std::string name, const std::type_info& signature);

  TTypeKind Kind() const { return FKind; }
  const std::string& Name() const;
  // The class of a ClassOf type; nullptr otherwise.
  const TClass* ClassRef() const { return FStaticClass ? &FStaticClass() : nullptr; }
  const std::vector<std::string>& EnumNames() const { return FEnumNames; }
  const TTypeInfo* ElementType() const { return FElementType; }
  const std::vector<TIdentMapEntry>& Idents() const { return FIdents; }
  const std::type_info* Signature() const { return FSignature; }

private:
  TTypeKind FKind = tkUnknown;
  mutable std::string FName;
  const TClass& (*FStaticClass)() = nullptr;
  std::vector<std::string> FEnumNames;
  const TTypeInfo* FElementType = nullptr;
  std::vector<TIdentMapEntry> FIdents;
  const std::type_info* FSignature = nullptr;
};

const TTypeInfo& TypeInfoInteger();
const TTypeInfo& TypeInfoBoolean();  // enumeration False, True
const TTypeInfo& TypeInfoChar();
const TTypeInfo& TypeInfoDouble();
const TTypeInfo& TypeInfoString();
// The object type of that class name, one instance per name for the process.
const TTypeInfo& TypeInfoClass(std::string_view className);

// The name of an enumeration value ("" when out of range) and back
// (-1 when unknown; case-insensitive).
std::string GetEnumName(const TTypeInfo& type, std::int64_t value);
std::int64_t GetEnumValue(const TTypeInfo& type, std::string_view name);
// A set's elements as "a,b", or "[a,b]" with brackets.
std::string SetToString(const TTypeInfo& setType, std::uint64_t bits, bool brackets = false);
// Accepts "a,b", "[a, b]" and "[]"; EPropertyConvertError for an unknown element.
std::uint64_t StringToSet(const TTypeInfo& setType, std::string_view text);
// Identifier mapping of integer types (colours, character sets).
bool IntToIdent(const TTypeInfo& type, std::int64_t value, std::string& ident);
bool IdentToInt(const TTypeInfo& type, std::string_view ident, std::int64_t& value);

constexpr std::int64_t NoDefault = std::numeric_limits<std::int64_t>::min();

struct TPropInfo {
  std::string Name;
  const TTypeInfo* PropType = nullptr;
  std::int64_t Default = NoDefault;  // ordinal properties
  bool Stored = true;
  std::function<bool(const TObject&)> StoredIf;  // when set, decides instead of Stored

  std::function<std::int64_t(const TObject&)> GetOrd;
  std::function<void(TObject&, std::int64_t)> SetOrd;
  std::function<double(const TObject&)> GetFloat;
  std::function<void(TObject&, double)> SetFloat;
  std::function<std::string(const TObject&)> GetStr;
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<TObject*(const TObject&)> GetObject;
  std::function<void(TObject&, TObject*)> SetObject;
  std::function<TMethod(const TObject&)> GetMethod;
  std::function<void(TObject&, const TMethod&)> SetMethod;

  TTypeKind Kind() const { return PropType ? PropType->Kind() : tkUnknown; }
  const std::string& TypeName() const;
  bool IsReadOnly() const;
  bool IsStored(const TObject& instance) const { return StoredIf ? StoredIf(instance) : Stored; }
};

// A published method: the handler code, bound to an object by name.
struct TMethodEntry {
  std::string Name;
  TMethodCode Code;
  const std::type_info* Signature = nullptr;
  void* (*Adjust)(TObject*) = nullptr;  // the object as the method's class sees it
  TMethod Bind(TObject* instance) const;
};

// A published component field of an owner class (see TComponent).
struct TFieldEntry {
  std::string Name;
  std::function<void(TObject& owner, TComponent* value)> Set;
};

namespace TypInfoDetail {
template <class X>
concept IsEvent = requires { typename X::TSignature; } &&
                  requires(const X& x) { x.Method(); };
template <class X>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class X>
const TTypeInfo& EventType() {
  static const TTypeInfo type = TTypeInfo::Method(
      [] {
        if constexpr (requires { X::TypeName; }) return std::string(X::TypeName);
        else return std::string("TMethod");
      }(),
      typeid(typename X::TSignature));
  return type;
}
}  // namespace TypInfoDetail

// Builds the metaclass of T: T::inherited (from KESR_CLASS) is the parent.
template <class T>
class TClassBuilder {
public:
  explicit TClassBuilder(std::string name) : FName(std::move(name)) {
    if constexpr (!std::is_abstract_v<T>) {
      if constexpr (std::is_constructible_v<T, TComponent*>)
        FFactory = [](TComponent* owner) -> TObject* { return new T(owner); };
      else if constexpr (std::is_default_constructible_v<T>)
        FFactory = [](TComponent*) -> TObject* { return new T(); };
    }
  }

  // A class the registry must not create (its factory is dropped).
  TClassBuilder& Abstract() {
    FFactory = nullptr;
    return *this;
  }

  // A property whose type is inferred from the getter.
  template <class G, class S>
  TClassBuilder& Property(std::string name, G get, S set) {
    using V = ValueOf<G>;
    if constexpr (std::is_same_v<V, bool>) return Add(std::move(name), TypeInfoBoolean(), get, set);
    else if constexpr (std::is_same_v<V, char>) return Add(std::move(name), TypeInfoChar(), get, set);
    else if constexpr (std::is_floating_point_v<V>) return Add(std::move(name), TypeInfoDouble(), get, set);
    else if constexpr (std::is_integral_v<V>) return Add(std::move(name), TypeInfoInteger(), get, set);
    else if constexpr (std::is_convertible_v<V, std::string>) return Add(std::move(name), TypeInfoString(), get, set);
    else if constexpr (TypInfoDetail::IsEvent<V>) return Add(std::move(name), TypInfoDetail::EventType<V>(), get, set);
    else if constexpr (std::is_pointer_v<V>) {
      using P = std::remove_cv_t<std::remove_pointer_t<V>>;
      static_assert(std::is_base_of_v<TObject, P>, "object properties hold TObject-derived pointers");
      return Add(std::move(name), ObjectType<P>(), get, set);
    } else {
      static_assert(sizeof(V) == 0, "name the TTypeInfo of enumeration, set and custom types");
      return *this;
    }
  }

  // A property of the given type: ordinal kinds take integral, enumeration
  // and TSet values; tkClass takes TObject-derived pointers.
  template <class G, class S>
  TClassBuilder& Property(std::string name, const TTypeInfo& type, G get, S set) {
    return Add(std::move(name), type, get, set);
  }

  // Modifiers of the property declared last.
  TClassBuilder& Default(std::int64_t value) {
    FProperties.back().Default = value;
    return *this;
  }
  TClassBuilder& Stored(bool stored) {
    FProperties.back().Stored = stored;
    return *this;
  }
  template <class P>
  TClassBuilder& StoredIf(P predicate) {
    FProperties.back().StoredIf = [predicate](const TObject& o) {
      return static_cast<bool>(std::invoke(predicate, static_cast<const T&>(o)));
    };
    return *this;
  }

  // A published method (event handler) of T or of one of its bases.
  template <class U, class... Args>
    requires std::is_base_of_v<U, T>
  TClassBuilder& Method(std::string name, void (U::*member)(Args...)) {
    TMethodEntry entry;
    entry.Name = std::move(name);
    entry.Code = TEvent<Args...>::CodeOf(member);
    entry.Signature = &typeid(void(Args...));
    entry.Adjust = [](TObject* o) -> void* {
      return static_cast<void*>(static_cast<U*>(static_cast<T*>(o)));
    };
    FMethods.push_back(std::move(entry));
    return *this;
  }

  // A published component field: set to the owned component of that name
  // when it has the field's class, cleared when it leaves.
  template <class C>
  TClassBuilder& Field(std::string name, C* T::*field) {
    static_assert(std::is_base_of_v<TComponent, C>);
    FFields.push_back({std::move(name), [field](TObject& owner, TComponent* value) {
                         static_cast<T&>(owner).*field = dynamic_cast<C*>(value);
                       }});
    return *this;
  }

  TClass Build() { return TClass(FName, &T::inherited::StaticClass(), FFactory, std::move(FProperties), std::move(FMethods), std::move(FFields)); }

private:
  template <class G>
  using ValueOf = std::remove_cvref_t<std::invoke_result_t<G, T&>>;

  template <class P>
  static const TTypeInfo& ObjectType() {
    static const TTypeInfo type = TTypeInfo::ClassOf(&P::StaticClass);
    return type;
  }

  static T& Self(const TObject& o) { return const_cast<T&>(static_cast<const T&>(o)); }

  template <class G, class S>
  TClassBuilder& Add(std::string name, const TTypeInfo& type, G get, S set) {
    using V = ValueOf<G>;
    TPropInfo info;
    info.Name = std::move(name);
    info.PropType = &type;
    switch (type.Kind()) {
      case tkInteger:
      case tkChar:
      case tkEnumeration:
      case tkSet:
        if constexpr (TypInfoDetail::IsSet<V>::value) {
          info.GetOrd = [get](const TObject& o) {
            return static_cast<std::int64_t>(std::invoke(get, Self(o)).Bits());
          };
          if constexpr (!std::is_null_pointer_v<S>)
            info.SetOrd = [set](TObject& o, std::int64_t v) {
              Assign(set, static_cast<T&>(o), V::FromBits(static_cast<std::uint64_t>(v)));
            };
        } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
          info.GetOrd = [get](const TObject& o) {
            return static_cast<std::int64_t>(std::invoke(get, Self(o)));
          };
          if constexpr (!std::is_null_pointer_v<S>)
            info.SetOrd = [set](TObject& o, std::int64_t v) {
              Assign(set, static_cast<T&>(o), static_cast<V>(v));
            };
        }
        break;
      case tkFloat:
        if constexpr (std::is_arithmetic_v<V>) {
          info.GetFloat = [get](const TObject& o) { return static_cast<double>(std::invoke(get, Self(o))); };
          if constexpr (!std::is_null_pointer_v<S>)
            info.SetFloat = [set](TObject& o, double v) { Assign(set, static_cast<T&>(o), static_cast<V>(v)); };
        }
        break;
      case tkString:
        if constexpr (std::is_convertible_v<V, std::string>) {
          info.GetStr = [get](const TObject& o) { return std::string(std::invoke(get, Self(o))); };
          if constexpr (!std::is_null_pointer_v<S>)
            info.SetStr = [set](TObject& o, const std::string& v) { Assign(set, static_cast<T&>(o), v); };
        }
        break;
      case tkClass:
        if constexpr (std::is_pointer_v<V>) {
          using P = std::remove_cv_t<std::remove_pointer_t<V>>;
          info.GetObject = [get](const TObject& o) -> TObject* {
            return const_cast<P*>(std::invoke(get, Self(o)));
          };
          if constexpr (!std::is_null_pointer_v<S>)
            info.SetObject = [set](TObject& o, TObject* v) {
              P* typed = v ? dynamic_cast<P*>(v) : nullptr;
              if (v && !typed) return;  // an object of another class is not taken
              Assign(set, static_cast<T&>(o), typed);
            };
        }
        break;
      case tkMethod:
        if constexpr (TypInfoDetail::IsEvent<V>) {
          info.GetMethod = [get](const TObject& o) { return std::invoke(get, Self(o)).Method(); };
          if constexpr (!std::is_null_pointer_v<S>)
            info.SetMethod = [set](TObject& o, const TMethod& m) {
              if (m.Assigned() && !V::Accepts(m)) return;  // other parameters: not taken
              V event;
              static_cast<typename V::TEvent&>(event) = V::TEvent::FromMethod(m);
              Assign(set, static_cast<T&>(o), event);
            };
        }
        break;
      case tkUnknown:
        break;
    }
    if (!info.GetOrd && !info.GetFloat && !info.GetStr && !info.GetObject && !info.GetMethod)
      throw EPropertyError("Property " + info.Name + " of " + FName + " does not fit its type " + type.Name());
    FProperties.push_back(std::move(info));
    return *this;
  }

  template <class S, class V>
  static void Assign(S set, T& o, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>) o.*set = std::forward<V>(value);
    else std::invoke(set, o, std::forward<V>(value));
  }

  std::string FName;
  TObjectFactory FFactory = nullptr;
  std::vector<TPropInfo> FProperties;
  std::vector<TMethodEntry> FMethods;
  std::vector<TFieldEntry> FFields;
};

// Property access by name. Name may be a path through object properties
// ("Font.Name"). A null instance, an empty name or a name that is not a
// published property of the instance's class is harmless: getters answer
// 0, "", nullptr or an unassigned method, setters do nothing. A property of
// another kind is treated as missing.
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view path);
const TPropInfo* GetPropInfo(const TClass& cls, std::string_view name);
bool IsPublishedProp(const TObject* instance, std::string_view path);
TTypeKind PropType(const TObject* instance, std::string_view path);
bool PropIsType(const TObject* instance, std::string_view path, TTypeKind kind);
// The published properties of a class, the parent's first.
std::vector<const TPropInfo*> GetPropList(const TClass& cls);

// Ordinal: integer, char, enumeration, set (as its bit mask), Boolean.
std::int64_t GetOrdProp(const TObject* instance, std::string_view path);
void SetOrdProp(TObject* instance, std::string_view path, std::int64_t value);
std::string GetStrProp(const TObject* instance, std::string_view path);
void SetStrProp(TObject* instance, std::string_view path, const std::string& value);
double GetFloatProp(const TObject* instance, std::string_view path);
void SetFloatProp(TObject* instance, std::string_view path, double value);
TObject* GetObjectProp(const TObject* instance, std::string_view path);
// An object of a class the property does not hold is not taken.
void SetObjectProp(TObject* instance, std::string_view path, TObject* value);
TMethod GetMethodProp(const TObject* instance, std::string_view path);
// A handler taking other parameters than the event passes is not taken.
void SetMethodProp(TObject* instance, std::string_view path, const TMethod& value);
// Enumeration values by name; an unknown value name raises
// EPropertyConvertError "Invalid property element: X".
std::string GetEnumProp(const TObject* instance, std::string_view path);
void SetEnumProp(TObject* instance, std::string_view path, std::string_view value);
// Any property as text, as language files and saved values hold them:
// integers as numbers (or their identifier, "clRed"), enumerations and
// Booleans by name, sets as "[a,b]", chars as themselves, floats as numbers.
// Setting accepts the same (names trimmed, numbers also "$hex"); a text
// that does not fit raises EPropertyConvertError; objects and methods are
// not set from text (nothing happens), as a missing property.
std::string GetPropText(const TObject* instance, std::string_view path);
void SetPropText(TObject* instance, std::string_view path, const std::string& text);
// Sets as "a,b" (or "[a,b]" with brackets); setting accepts both forms.
std::string GetSetProp(const TObject* instance, std::string_view path, bool brackets = false);
void SetSetProp(TObject* instance, std::string_view path, std::string_view value);
