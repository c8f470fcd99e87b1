#include "Database.h"

#include <strings.h>

namespace Appserver {

std::string DbValueText(const TDbValue& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(std::int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const {
      std::string text = std::to_string(v);
      // Drop the zeros std::to_string leaves behind ("1.500000" -> "1.5").
      if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
      }
      return text;
    }
    std::string operator()(const std::string& v) const { return v; }
    std::string operator()(const TBlob& v) const { return v.Bytes; }
  };
  return std::visit(Visitor{}, value);
}

bool DbValueIsNull(const TDbValue& value) { return std::holds_alternative<std::monostate>(value); }

const char* FieldKindName(TFieldKind kind) {
  switch (kind) {
    case TFieldKind::Char: return "CHAR";
    case TFieldKind::VarChar: return "VARCHAR";
    case TFieldKind::Integer: return "INT";
    case TFieldKind::Numeric: return "NUM";
    case TFieldKind::Text: return "TEXT";
    case TFieldKind::Blob: return "BLOB";
    case TFieldKind::Unknown: break;
  }
  return "UNKNOWN";
}

int TRowSet::FieldIndex(const std::string& name) const {
  for (size_t i = 0; i < Fields.size(); ++i)
    if (strcasecmp(Fields[i].Name.c_str(), name.c_str()) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace Appserver
