// WHERE fragments from condition values, and per-table conditions applied
// to every alias of a table in a statement.
#include "LibStrs.h"

#include <cctype>

#include "StrUtils.h"

namespace {

// Element index of a one-dimensional array as text; empty when it cannot
// be read.
std::string ElementText(const Variant& array, int index) {
  try {
    return VarToStr(array.GetElement({index}));
  } catch (const Exception&) {
    return {};
  }
}

// A plain SQL number: sign, digits, an optional fraction and exponent.
bool IsSqlNumber(const std::string& text) {
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size();
}

bool IsJoinWord(const std::string& upperWord) {
  return upperWord.empty() || upperWord == "LEFT" || upperWord == "RIGHT" ||
         upperWord == "INNER" || upperWord == "WHERE" || upperWord == "ON" ||
         upperWord.rfind("WITH", 0) == 0;
}

// The first word of text up to a blank; text keeps the trimmed rest.
std::string NextWord(std::string& text) {
  std::string word;
  CutFirstPiece(text, " ", word);
  text = Trim(text);
  return word;
}

}  // namespace

TConditionShape ConditionValueShape(const Variant& Value) {
  if (!VarIsArray(Value)) return csSingle;
  const std::string first = ElementText(Value, 0);
  if (first == ListMarker) return csList;
  if (first == RangeMarker) return csMarkedRange;
  return csRange;
}

std::string AddRangeCondition(const std::string& FieldExpr, const Variant& Value, int Offset,
                              int Kind) {
  if (Kind < 1 || Kind > 3) return {};
  std::string first, last;
  if (VarIsArray(Value)) {
    first = ElementText(Value, Offset);
    last = ElementText(Value, Offset + 1);
  } else {
    first = VarToStr(Value);
  }
  const std::string& F = FieldExpr;
  if (Kind == 1) {
    if (!first.empty() && !last.empty() && first != last)
      return " (" + F + " Between " + QuotedStr(first) + " and " + QuotedStr(last) + ") ";
    if (!first.empty() && first == last) return " (" + F + "=" + QuotedStr(first) + ") ";
    if (!first.empty()) return " (" + F + ">= " + QuotedStr(first) + ")";
    if (!last.empty()) return " (" + F + "<= " + QuotedStr(last) + " OR " + F + " IS NULL )";
    return {};
  }
  first = Trim(first);
  last = Trim(last);
  // Numbers go in as they are; anything else is quoted so that it cannot
  // change the statement.
  auto value = [](const std::string& x) { return IsSqlNumber(x) ? x : QuotedStr(x); };
  if (!first.empty() && !last.empty() && first != last)
    return " (" + F + " Between " + value(first) + " and " + value(last) + ") ";
  if (!first.empty() && first == last) return " (" + F + "=" + value(first) + ") ";
  if (!first.empty()) return " (" + F + ">=" + value(first) + ")";
  if (!last.empty()) return " (" + F + "<=" + value(last) + " OR " + F + " IS NULL )";
  return {};
}

std::string AddListCondition(const std::string& FieldExpr, const Variant& Value) {
  std::string joined;
  auto add = [&](const std::string& text) {
    if (text.empty()) return;
    if (!joined.empty()) joined += ", ";
    joined += QuotedStr(text);
  };
  if (!VarIsArray(Value)) {
    add(VarToStr(Value));
  } else {
    const int high = VarArrayHighBound(Value, 1);
    for (int i = 1; i <= high; ++i) {
      const Variant element = Value.GetElement({i});
      add(VarIsArray(element) ? ElementText(element, 0) : VarToStr(element));
    }
  }
  return joined.empty() ? std::string() : "(" + FieldExpr + " IN (" + joined + "))";
}

void AddFieldCondition(std::string& Where, const std::string& FieldExpr, const Variant& Value,
                       std::string& Fragment, int Kind) {
  switch (ConditionValueShape(Value)) {
    case csList: Fragment = AddListCondition(FieldExpr, Value); break;
    case csMarkedRange: Fragment = AddRangeCondition(FieldExpr, Value, 1, Kind); break;
    default: Fragment = AddRangeCondition(FieldExpr, Value, 0, Kind); break;
  }
  if (Fragment.empty()) return;
  Where = Where.empty() ? "Where " + Fragment : Where + " and " + Fragment;
}

std::string TableAliasAfter(const std::string& Table, const std::string& Rest) {
  std::string rest = Trim(Rest);
  const std::string w1 = NextWord(rest);
  const std::string upper1 = UpperCase(w1);
  if (upper1 == "AS" && !rest.empty()) return Trim(NextWord(rest));
  if (IsJoinWord(upper1)) return Table;
  return IsJoinWord(UpperCase(NextWord(rest))) ? upper1 : Table;
}

void AddNullSafeTableConditions(const Variant& Entries, const std::string& Prefix,
                                const std::string& Sql, std::string& Result,
                                const std::string& Excluded) {
  Result.clear();
  std::string s = Trim(StringReplace(Sql, "\r\n", " ", rfReplaceAll));
  std::string prefix = Prefix;
  if (s.find("$$") != std::string::npos) prefix = "$$";
  else if (prefix.size() < 2 || prefix.compare(prefix.size() - 2, 2, "..") != 0) prefix += "..";
  const std::string excluded = ";" + Excluded + ";";

  const int count = Entries.GetElement({0}).AsInteger();
  for (int i = 1; i <= count; ++i) {
    std::string condition = VarToStr(Entries.GetElement({i}));
    std::string table;
    CutFirstPiece(condition, " ", table);
    const std::string bracketed = " ( " + condition + " ) ";
    const std::string key = table.size() >= 2 ? table.substr(table.size() - 2) : table;
    for (size_t at = s.find(prefix + table); at != std::string::npos; at = s.find(prefix + table)) {
      s.erase(0, at + prefix.size() + table.size());
      const std::string alias = TableAliasAfter(table, s);
      if (excluded.find(";" + UpperCase(alias) + ";") != std::string::npos) continue;
      Result += "(" + ReplaceAllText(bracketed, table + ".", alias + ".", true) + " or " + "(" +
                alias + "." + key + "001 is null)" + ") and ";
    }
  }
  if (!Result.empty()) Result.erase(Result.size() - 5);
}
