#include "HostReport.h"

#include <cstdio>
#include <ostream>

std::string JsonQuote(const std::string& Text) {
  std::string out = "\"";
  for (unsigned char c : Text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

namespace {

std::string JsonValue(const THostReport::TValue& Value) {
  if (const auto* text = std::get_if<std::string>(&Value)) return JsonQuote(*text);
  if (const auto* number = std::get_if<long long>(&Value)) return std::to_string(*number);
  std::string list = "[";
  for (const std::string& item : std::get<std::vector<std::string>>(Value))
    list += (list.size() > 1 ? "," : "") + JsonQuote(item);
  return list + "]";
}

std::string PlainValue(const THostReport::TValue& Value) {
  if (const auto* text = std::get_if<std::string>(&Value)) return JsonQuote(*text);
  if (const auto* number = std::get_if<long long>(&Value)) return std::to_string(*number);
  std::string list;
  for (const std::string& item : std::get<std::vector<std::string>>(Value)) list += (list.empty() ? "" : ",") + item;
  return "[" + list + "]";
}

}  // namespace

void THostReport::Write(const std::string& Event, std::initializer_list<TField> Fields) {
  if (FJson) {
    FOut << "{\"event\":" << JsonQuote(Event);
    for (const TField& field : Fields) FOut << ",\"" << field.first << "\":" << JsonValue(field.second);
    FOut << "}\n";
  } else {
    FOut << Event;
    for (const TField& field : Fields) FOut << ' ' << field.first << '=' << PlainValue(field.second);
    FOut << '\n';
  }
  FOut.flush();
}
