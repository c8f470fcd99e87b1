#include "LookupWindow.h"

#include "DateTime.h"
#include "LookupDialogs.h"
#include "StrUtils.h"
#include "VarArray.h"

namespace {

int Count(const Variant& array) {
  if (!array.IsArray() || VarArrayDimCount(array) != 1) return -1;
  return VarArrayHighBound(array, 1) - VarArrayLowBound(array, 1) + 1;
}

Variant At(const Variant& array, int i) { return array.GetElement({VarArrayLowBound(array, 1) + i}); }

bool IsTrue(const Variant& v) { return !v.IsEmpty() && !v.IsNull() && v.AsBoolean(); }

// One row as a line of the list: its values, trimmed, two blanks apart.
std::string RowLine(const Variant& row) {
  if (!row.IsArray()) return TrimRight(VarToStr(row));
  std::string line;
  for (int i = 0, n = Count(row); i < n; ++i) {
    if (i > 0) line += "  ";
    line += TrimRight(VarToStr(At(row, i)));
  }
  return line;
}

}  // namespace

TLookupWindowObject::TLookupWindowObject(const THostServiceSettings& Settings) : FLink(Settings) {
  AddMethod("F2GetData", 1, [this](TVarArgs& a) { return F2GetData(a[0].Value()); });
  AddMethod("GetPhrase", 3, [this](TVarArgs&) { return GetPhrase(); });
  AddMethod("ShowInputDay", 1, [this](TVarArgs& a) { return ShowInputDay(a[0].Value()); });
}

Variant TLookupWindowObject::F2GetData(const Variant& Request) {
  if (Count(Request) != F2ArgumentCount)
    throw EOleError("F2GetData expects an array of " + std::to_string(F2ArgumentCount) + " elements");
  Variant table = At(Request, 0), kind = At(Request, 1), keys = At(Request, 2), source = At(Request, 6), rows;
  if (VarToStr(source).empty()) source = FLink.Settings().DataSource;
  OleCall(FLink.Server(), "QueryData", {VarRef(table), VarRef(kind), VarRef(source), VarRef(keys), VarRef(rows)});
  const int rowCount = Count(rows);
  if (rowCount <= 0) return Unassigned();
  std::vector<std::string> lines;
  lines.reserve(rowCount);
  for (int i = 0; i < rowCount; ++i) lines.push_back(RowLine(At(rows, i)));
  const std::vector<int> chosen =
      ChooseRows(Trim(VarToStr(table)) + " " + Trim(VarToStr(kind)), lines, IsTrue(At(Request, 3)));
  if (chosen.empty()) return Unassigned();
  std::vector<Variant> answer;
  for (int i : chosen) answer.push_back(At(rows, i));
  return VarArrayOf(answer);
}

Variant TLookupWindowObject::GetPhrase() {
  const auto& phrases = FLink.Settings().Phrases;
  if (phrases.empty()) return Variant(std::string());
  const std::vector<int> chosen = ChooseRows("常用片语", phrases, false);
  return Variant(chosen.empty() ? std::string() : phrases[chosen.front()]);
}

Variant TLookupWindowObject::ShowInputDay(const Variant& Request) {
  const int n = Count(Request);
  if (n < 2) throw EOleError("ShowInputDay expects [ROC calendar, start date, data source]");
  std::string start = Trim(VarToStr(At(Request, 1)));
  if (!IsYmdDate(start)) start = FormatDateTime("yyyymmdd", Date());
  return Variant(PickDay("日期", start, IsTrue(At(Request, 0))));
}
