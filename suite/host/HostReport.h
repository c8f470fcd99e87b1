#pragma once
// What erp-host tells about a run: one line per event, as a JSON object
// (--json, for machines) or as plain text.
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <utility>
#include <variant>
#include <vector>

class THostReport {
public:
  using TValue = std::variant<std::string, long long, std::vector<std::string>>;
  using TField = std::pair<const char*, TValue>;

  THostReport(std::ostream& Out, bool Json) : FOut(Out), FJson(Json) {}

  // {"event": Event, field: value, ...}, or "Event field=value ..." as text.
  void Write(const std::string& Event, std::initializer_list<TField> Fields);

private:
  std::ostream& FOut;
  bool FJson;
};

// The text as a JSON string literal, quotes included.
std::string JsonQuote(const std::string& Text);
