#pragma once
// Late binding: objects called by member name, as the host's session, the
// application server and the helper servers are. Arguments may be passed by
// reference ("var" parameters) and come back changed.
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "Variant.h"

enum class TInvokeKind { Method, PropertyGet, PropertyPut };

// One argument of a late-bound call: either a value of its own, which the
// callee may change without the caller seeing it, or a reference to the
// caller's variant, which the callee's changes reach.
class TVarArg {
public:
  template <class T>
    requires std::is_constructible_v<Variant, T&&>
  TVarArg(T&& value) : FValue(std::forward<T>(value)) {}

  static TVarArg Ref(Variant& target) noexcept { return TVarArg(&target); }

  bool IsByRef() const noexcept { return FRef != nullptr; }
  Variant& Value() noexcept { return FRef ? *FRef : FValue; }
  const Variant& Value() const noexcept { return FRef ? *FRef : FValue; }

private:
  explicit TVarArg(Variant* target) noexcept : FRef(target) {}

  Variant FValue;
  Variant* FRef = nullptr;
};

// Passes target by reference: OleCall(Server, "GetBlobField", {Params, VarRef(Out)}).
inline TVarArg VarRef(Variant& target) noexcept { return TVarArg::Ref(target); }

using TVarArgs = std::vector<TVarArg>;

class IDispatch {
public:
  virtual ~IDispatch() = default;
  // Member names are matched without regard to case. A property put gets
  // the new value as its last argument. Unknown members raise EOleError
  // "Method 'Name' not supported by automation object".
  virtual Variant Invoke(const std::string& name, TInvokeKind kind, TVarArgs& args) = 0;
};

// Calls on a variant that should hold an object. A variant holding no
// object (or a null one) raises EOleError naming the member.
Variant OleInvoke(const Variant& object, const std::string& name, TInvokeKind kind,
                  TVarArgs& args);
Variant OleCall(const Variant& object, const std::string& name, TVarArgs args = {});
Variant OleGetProperty(const Variant& object, const std::string& name, TVarArgs args = {});
void OleSetProperty(const Variant& object, const std::string& name, const Variant& value);
