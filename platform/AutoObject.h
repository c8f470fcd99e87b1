#pragma once
// Base for C++ classes that expose members to late-bound callers through a
// member table filled in the constructor:
//   AddMethod("Connect", 1, [this](TVarArgs& a) { return Connect(a[0].Value()); });
//   AddProperty("Caption", [this] { return Variant(FCaption); },
//               [this](const Variant& v) { FCaption = v.AsString(); });
#include <functional>
#include <map>
#include <string>

#include "Automation.h"

class TAutoObject : public IDispatch {
public:
  using TMethod = std::function<Variant(TVarArgs& args)>;
  using TGetter = std::function<Variant()>;
  using TSetter = std::function<void(const Variant& value)>;

  // A method call without arguments reads a property and a property read
  // calls a method, as late-bound callers do not tell the two apart.
  Variant Invoke(const std::string& name, TInvokeKind kind, TVarArgs& args) override;
  bool HasMember(const std::string& name) const;

protected:
  TAutoObject() = default;
  TAutoObject(const TAutoObject&) = delete;
  TAutoObject& operator=(const TAutoObject&) = delete;

  static constexpr int AnyParamCount = -1;
  // A call with another number of arguments raises EOleError.
  void AddMethod(const std::string& name, int paramCount, TMethod method);
  // A property without a setter is read-only.
  void AddProperty(const std::string& name, TGetter getter, TSetter setter = {});

private:
  struct TMember {
    TMethod Method;
    int ParamCount = AnyParamCount;
    TGetter Getter;
    TSetter Setter;
  };
  struct TNameLess {
    bool operator()(const std::string& left, const std::string& right) const;
  };
  const TMember& Find(const std::string& name) const;

  std::map<std::string, TMember, TNameLess> FMembers;
};
