#include "AutoObject.h"

#include "StrUtils.h"

bool TAutoObject::TNameLess::operator()(const std::string& left, const std::string& right) const {
  return CompareText(left, right) < 0;
}

void TAutoObject::AddMethod(const std::string& name, int paramCount, TMethod method) {
  TMember& member = FMembers[name];
  member.Method = std::move(method);
  member.ParamCount = paramCount;
}

void TAutoObject::AddProperty(const std::string& name, TGetter getter, TSetter setter) {
  TMember& member = FMembers[name];
  member.Getter = std::move(getter);
  member.Setter = std::move(setter);
}

bool TAutoObject::HasMember(const std::string& name) const { return FMembers.contains(name); }

const TAutoObject::TMember& TAutoObject::Find(const std::string& name) const {
  auto found = FMembers.find(name);
  if (found == FMembers.end())
    throw EOleError("Method '" + name + "' not supported by automation object");
  return found->second;
}

Variant TAutoObject::Invoke(const std::string& name, TInvokeKind kind, TVarArgs& args) {
  const TMember& member = Find(name);
  if (kind == TInvokeKind::PropertyPut) {
    if (!member.Setter) throw EOleError("Property '" + name + "' is read-only");
    if (args.size() != 1) throw EOleError("Invalid number of parameters for '" + name + "'");
    member.Setter(args.back().Value());
    return Variant();
  }
  if (member.Method) {
    if (member.ParamCount != AnyParamCount &&
        args.size() != static_cast<std::size_t>(member.ParamCount))
      throw EOleError("Invalid number of parameters for '" + name + "'");
    return member.Method(args);
  }
  if (!member.Getter) throw EOleError("Property '" + name + "' is write-only");
  if (!args.empty()) throw EOleError("Invalid number of parameters for '" + name + "'");
  return member.Getter();
}
