#include "TypInfo.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <memory>

#include "StrUtils.h"

TTypeInfo TTypeInfo::Integer(std::string name, std::vector<TIdentMapEntry> idents) {
  TTypeInfo t;
  t.FKind = tkInteger;
  t.FName = std::move(name);
  t.FIdents = std::move(idents);
  return t;
}

TTypeInfo TTypeInfo::Char(std::string name) {
  TTypeInfo t;
  t.FKind = tkChar;
  t.FName = std::move(name);
  return t;
}

TTypeInfo TTypeInfo::Enumeration(std::string name, std::vector<std::string> names) {
  TTypeInfo t;
  t.FKind = tkEnumeration;
  t.FName = std::move(name);
  t.FEnumNames = std::move(names);
  return t;
}

TTypeInfo TTypeInfo::Set(std::string name, const TTypeInfo& elementType) {
  TTypeInfo t;
  t.FKind = tkSet;
  t.FName = std::move(name);
  t.FElementType = &elementType;
  return t;
}

TTypeInfo TTypeInfo::Float(std::string name) {
  TTypeInfo t;
  t.FKind = tkFloat;
  t.FName = std::move(name);
  return t;
}

TTypeInfo TTypeInfo::String(std::string name) {
  TTypeInfo t;
  t.FKind = tkString;
  t.FName = std::move(name);
  return t;
}

TTypeInfo TTypeInfo::Class(std::string name) {
  TTypeInfo t;
  t.FKind = tkClass;
  t.FName = std::move(name);
  return t;
}

TTypeInfo TTypeInfo::ClassOf(const TClass& (*staticClass)()) {
  TTypeInfo t;
  t.FKind = tkClass;
  t.FStaticClass = staticClass;
  return t;
}

const std::string& TTypeInfo::Name() const {
  if (FName.empty() && FStaticClass) FName = FStaticClass().ClassName();
  return FName;
}

TTypeInfo TTypeInfo::Method(std::string name, const std::type_info& signature) {
  TTypeInfo t;
  t.FKind = tkMethod;
  t.FName = std::move(name);
  t.FSignature = &signature;
  return t;
}

const TTypeInfo& TypeInfoInteger() {
  static const TTypeInfo type = TTypeInfo::Integer("Integer");
  return type;
}
const TTypeInfo& TypeInfoBoolean() {
  static const TTypeInfo type = TTypeInfo::Enumeration("Boolean", {"False", "True"});
  return type;
}
const TTypeInfo& TypeInfoChar() {
  static const TTypeInfo type = TTypeInfo::Char();
  return type;
}
const TTypeInfo& TypeInfoDouble() {
  static const TTypeInfo type = TTypeInfo::Float();
  return type;
}
const TTypeInfo& TypeInfoString() {
  static const TTypeInfo type = TTypeInfo::String();
  return type;
}

const TTypeInfo& TypeInfoClass(std::string_view className) {
  static std::map<std::string, std::unique_ptr<TTypeInfo>, std::less<>> types;
  auto it = types.find(className);
  if (it == types.end())
    it = types.emplace(std::string(className), std::make_unique<TTypeInfo>(TTypeInfo::Class(std::string(className)))).first;
  return *it->second;
}

std::string GetEnumName(const TTypeInfo& type, std::int64_t value) {
  const auto& names = type.EnumNames();
  if (value < 0 || value >= static_cast<std::int64_t>(names.size())) return {};
  return names[static_cast<std::size_t>(value)];
}

std::int64_t GetEnumValue(const TTypeInfo& type, std::string_view name) {
  const auto& names = type.EnumNames();
  for (std::size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], name)) return static_cast<std::int64_t>(i);
  return -1;
}

std::string SetToString(const TTypeInfo& setType, std::uint64_t bits, bool brackets) {
  std::string text;
  if (const TTypeInfo* element = setType.ElementType()) {
    const auto& names = element->EnumNames();
    for (std::size_t i = 0; i < names.size() && i < 64; ++i) {
      if (!(bits & (std::uint64_t{1} << i))) continue;
      if (!text.empty()) text += ',';
      text += names[i];
    }
  }
  return brackets ? "[" + text + "]" : text;
}

std::uint64_t StringToSet(const TTypeInfo& setType, std::string_view text) {
  std::string body = Trim(text);
  if (!body.empty() && body.front() == '[') body.erase(0, 1);
  if (!body.empty() && body.back() == ']') body.pop_back();
  std::uint64_t bits = 0;
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t comma = body.find(',', start);
    if (comma == std::string::npos) comma = body.size();
    std::string element = Trim(std::string_view(body).substr(start, comma - start));
    if (!element.empty()) {
      std::int64_t value = setType.ElementType() ? GetEnumValue(*setType.ElementType(), element) : -1;
      if (value < 0 || value >= 64) throw EPropertyConvertError("Invalid property element: " + element);
      bits |= std::uint64_t{1} << value;
    }
    start = comma + 1;
  }
  return bits;
}

bool IntToIdent(const TTypeInfo& type, std::int64_t value, std::string& ident) {
  for (const TIdentMapEntry& e : type.Idents())
    if (e.Value == value) {
      ident = e.Name;
      return true;
    }
  return false;
}

bool IdentToInt(const TTypeInfo& type, std::string_view ident, std::int64_t& value) {
  for (const TIdentMapEntry& e : type.Idents())
    if (SameText(e.Name, ident)) {
      value = e.Value;
      return true;
    }
  return false;
}

const std::string& TPropInfo::TypeName() const {
  static const std::string unknown;
  return PropType ? PropType->Name() : unknown;
}

bool TPropInfo::IsReadOnly() const { return !SetOrd && !SetFloat && !SetStr && !SetObject && !SetMethod; }

TMethod TMethodEntry::Bind(TObject* instance) const {
  TMethod m;
  if (!instance) return m;
  m.Code = Code;
  m.Data = Adjust(instance);
  m.Signature = Signature;
  return m;
}

namespace {

// The object that holds the last step of a path, and that step's property.
struct TResolved {
  TObject* Instance = nullptr;
  const TPropInfo* Info = nullptr;
};

TResolved Resolve(const TObject* instance, std::string_view path) {
  TObject* current = const_cast<TObject*>(instance);
  while (current && !path.empty()) {
    std::size_t dot = path.find('.');
    const TPropInfo* info = current->ClassType().FindProperty(path.substr(0, dot));
    if (!info) return {};
    if (dot == std::string_view::npos) return {current, info};
    if (info->Kind() != tkClass) return {};
    current = info->GetObject(*current);
    path.remove_prefix(dot + 1);
  }
  return {};
}

bool IsOrdinal(TTypeKind kind) {
  return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet;
}

}  // namespace

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view path) { return Resolve(instance, path).Info; }

const TPropInfo* GetPropInfo(const TClass& cls, std::string_view name) { return cls.FindProperty(name); }

bool IsPublishedProp(const TObject* instance, std::string_view path) { return GetPropInfo(instance, path) != nullptr; }

TTypeKind PropType(const TObject* instance, std::string_view path) {
  const TPropInfo* info = GetPropInfo(instance, path);
  return info ? info->Kind() : tkUnknown;
}

bool PropIsType(const TObject* instance, std::string_view path, TTypeKind kind) {
  return PropType(instance, path) == kind;
}

std::vector<const TPropInfo*> GetPropList(const TClass& cls) { return cls.Properties(); }

std::int64_t GetOrdProp(const TObject* instance, std::string_view path) {
  TResolved r = Resolve(instance, path);
  return r.Info && IsOrdinal(r.Info->Kind()) ? r.Info->GetOrd(*r.Instance) : 0;
}

void SetOrdProp(TObject* instance, std::string_view path, std::int64_t value) {
  TResolved r = Resolve(instance, path);
  if (r.Info && IsOrdinal(r.Info->Kind()) && r.Info->SetOrd) r.Info->SetOrd(*r.Instance, value);
}

std::string GetStrProp(const TObject* instance, std::string_view path) {
  TResolved r = Resolve(instance, path);
  return r.Info && r.Info->Kind() == tkString ? r.Info->GetStr(*r.Instance) : std::string();
}

void SetStrProp(TObject* instance, std::string_view path, const std::string& value) {
  TResolved r = Resolve(instance, path);
  if (r.Info && r.Info->Kind() == tkString && r.Info->SetStr) r.Info->SetStr(*r.Instance, value);
}

double GetFloatProp(const TObject* instance, std::string_view path) {
  TResolved r = Resolve(instance, path);
  return r.Info && r.Info->Kind() == tkFloat ? r.Info->GetFloat(*r.Instance) : 0.0;
}

void SetFloatProp(TObject* instance, std::string_view path, double value) {
  TResolved r = Resolve(instance, path);
  if (r.Info && r.Info->Kind() == tkFloat && r.Info->SetFloat) r.Info->SetFloat(*r.Instance, value);
}

TObject* GetObjectProp(const TObject* instance, std::string_view path) {
  TResolved r = Resolve(instance, path);
  return r.Info && r.Info->Kind() == tkClass ? r.Info->GetObject(*r.Instance) : nullptr;
}

void SetObjectProp(TObject* instance, std::string_view path, TObject* value) {
  TResolved r = Resolve(instance, path);
  if (r.Info && r.Info->Kind() == tkClass && r.Info->SetObject) r.Info->SetObject(*r.Instance, value);
}

TMethod GetMethodProp(const TObject* instance, std::string_view path) {
  TResolved r = Resolve(instance, path);
  return r.Info && r.Info->Kind() == tkMethod ? r.Info->GetMethod(*r.Instance) : TMethod{};
}

void SetMethodProp(TObject* instance, std::string_view path, const TMethod& value) {
  TResolved r = Resolve(instance, path);
  if (r.Info && r.Info->Kind() == tkMethod && r.Info->SetMethod) r.Info->SetMethod(*r.Instance, value);
}

std::string GetEnumProp(const TObject* instance, std::string_view path) {
  TResolved r = Resolve(instance, path);
  if (!r.Info || r.Info->Kind() != tkEnumeration) return {};
  return GetEnumName(*r.Info->PropType, r.Info->GetOrd(*r.Instance));
}

void SetEnumProp(TObject* instance, std::string_view path, std::string_view value) {
  TResolved r = Resolve(instance, path);
  if (!r.Info || r.Info->Kind() != tkEnumeration || !r.Info->SetOrd) return;
  std::int64_t ordinal = GetEnumValue(*r.Info->PropType, value);
  if (ordinal < 0) throw EPropertyConvertError("Invalid property element: " + std::string(value));
  r.Info->SetOrd(*r.Instance, ordinal);
}

std::string GetSetProp(const TObject* instance, std::string_view path, bool brackets) {
  TResolved r = Resolve(instance, path);
  if (!r.Info || r.Info->Kind() != tkSet) return {};
  return SetToString(*r.Info->PropType, static_cast<std::uint64_t>(r.Info->GetOrd(*r.Instance)), brackets);
}

void SetSetProp(TObject* instance, std::string_view path, std::string_view value) {
  TResolved r = Resolve(instance, path);
  if (!r.Info || r.Info->Kind() != tkSet || !r.Info->SetOrd) return;
  r.Info->SetOrd(*r.Instance, static_cast<std::int64_t>(StringToSet(*r.Info->PropType, value)));
}

namespace {

bool ParseInteger(const std::string& text, std::int64_t& value) {
  bool hex = !text.empty() && text[0] == '$';
  bool negative = !hex && !text.empty() && text[0] == '-';
  const char* begin = text.data() + (hex || negative ? 1 : 0);
  const char* end = text.data() + text.size();
  std::uint64_t magnitude = 0;
  auto [stop, ec] = std::from_chars(begin, end, magnitude, hex ? 16 : 10);
  if (begin == end || ec != std::errc() || stop != end) return false;
  if (!hex && magnitude > static_cast<std::uint64_t>(INT64_MAX) + (negative ? 1 : 0)) return false;
  value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

[[noreturn]] void NotFit(const TPropInfo& info, const std::string& text) {
  throw EPropertyConvertError("'" + text + "' is not a valid value for " + info.Name + " (" + info.TypeName() + ")");
}

}  // namespace

std::string GetPropText(const TObject* instance, std::string_view path) {
  TResolved r = Resolve(instance, path);
  if (!r.Info) return {};
  const TTypeInfo& type = *r.Info->PropType;
  switch (r.Info->Kind()) {
    case tkInteger: {
      std::int64_t v = r.Info->GetOrd(*r.Instance);
      std::string ident;
      return IntToIdent(type, v, ident) ? ident : std::to_string(v);
    }
    case tkChar: return std::string(1, static_cast<char>(r.Info->GetOrd(*r.Instance)));
    case tkEnumeration: return GetEnumName(type, r.Info->GetOrd(*r.Instance));
    case tkSet: return SetToString(type, static_cast<std::uint64_t>(r.Info->GetOrd(*r.Instance)), true);
    case tkFloat: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.15g", r.Info->GetFloat(*r.Instance));
      return buffer;
    }
    case tkString: return r.Info->GetStr(*r.Instance);
    default: return {};
  }
}

void SetPropText(TObject* instance, std::string_view path, const std::string& text) {
  TResolved r = Resolve(instance, path);
  if (!r.Info || r.Info->IsReadOnly()) return;
  const TTypeInfo& type = *r.Info->PropType;
  std::string trimmed = Trim(text);
  switch (r.Info->Kind()) {
    case tkInteger: {
      std::int64_t v = 0;
      if (!IdentToInt(type, trimmed, v) && !ParseInteger(trimmed, v)) NotFit(*r.Info, text);
      r.Info->SetOrd(*r.Instance, v);
      break;
    }
    case tkChar:
      if (text.size() != 1) NotFit(*r.Info, text);
      r.Info->SetOrd(*r.Instance, static_cast<unsigned char>(text[0]));
      break;
    case tkEnumeration: {
      std::int64_t v = GetEnumValue(type, trimmed);
      if (v < 0) NotFit(*r.Info, text);
      r.Info->SetOrd(*r.Instance, v);
      break;
    }
    case tkSet: r.Info->SetOrd(*r.Instance, static_cast<std::int64_t>(StringToSet(type, trimmed))); break;
    case tkFloat: {
      char* end = nullptr;
      double v = std::strtod(trimmed.c_str(), &end);
      if (trimmed.empty() || *end != '\0') NotFit(*r.Info, text);
      r.Info->SetFloat(*r.Instance, v);
      break;
    }
    case tkString: r.Info->SetStr(*r.Instance, text); break;
    default: break;
  }
}
