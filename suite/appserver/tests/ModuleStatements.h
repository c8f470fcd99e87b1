#pragma once
// The report statements exactly as the sales-order module assembles them
// (select, from, join, where and order parts with their blanks), for tests
// and the benchmark.
#include <string>

namespace ModuleStatements {

struct TReportConditions {
  bool WorkOrders = false;
  int SqlType = 0;
  std::string NumberFrom, NumberTo;  // 15 characters: type (4) and number (11)
  std::string DateFrom, DateTo;      // YYYYMMDD
  std::string Approval = "='Y' ";    // "='Y' ", "='N' ", "='V' " or empty for all
  std::string Kind = " IN ('1','2') ";
  std::string RowFilter;             // the user's row filter, empty for none
};

inline std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? "''" : std::string(1, c);
  return out + "'";
}

inline void AddRange(std::string& where, const std::string& field, const std::string& from, const std::string& to) {
  std::string fragment;
  if (!from.empty() && !to.empty() && from != to)
    fragment = " (" + field + " Between " + Quote(from) + " and " + Quote(to) + ") ";
  else if (!from.empty() && from == to)
    fragment = " (" + field + "=" + Quote(from) + ") ";
  else if (!from.empty())
    fragment = " (" + field + ">= " + Quote(from) + ")";
  else if (!to.empty())
    fragment = " (" + field + "<= " + Quote(to) + " OR " + field + " IS NULL )";
  if (!fragment.empty()) where = where.empty() ? "Where " + fragment : where + " and " + fragment;
}

inline void AddAnd(std::string& where, const std::string& field, const std::string& condition) {
  if (field.empty() || condition.empty()) return;
  const std::string fragment = "(" + field + condition + ")";
  where = where.empty() ? fragment : where + " and " + fragment;
}

inline std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

inline std::string Build(const TReportConditions& c) {
  const bool ms = c.SqlType == 0;
  const std::string extra = ", MA003, ADMMF.MF001 AS ADMMF001, ADMMF.MF002 AS ADMMF002";
  std::string select, from, join, where = "WHERE 1=1 ", order;
  if (!c.WorkOrders) {
    if (ms) {
      select = Trim("SELECT TC001+'-'+TC002 AS TC001T, TC004, MA002, TC012, TC037, TC038, TC056, TC057 ") + " ";
      select = Trim(select + extra) + " ";
      from = "FROM $$COPTC AS COPTC ";
      join = Trim(Trim("LEFT JOIN $$COPMA AS COPMA ON MA001=TC004 ") + " " +
                  " LEFT JOIN $$ADMMF AS ADMMF ON MF001 = COPTC.CREATOR ") + " ";
    } else {
      select = "SELECT TC001||'-'||TC002 AS TC001T, TC004, MA002, TC012, TC037, TC038, TC056, TC057 ";
      from = "FROM $$COPTC COPTC, $$COPMA COPMA ";
      where += "AND TC004=MA001(+) ";
    }
    AddRange(where, ms ? "TC001+TC002" : "Rpad(TC001,4)||Rpad(TC002,11)", c.NumberFrom, c.NumberTo);
    AddRange(where, "TC003", c.DateFrom, c.DateTo);
    AddAnd(where, "TC027", c.Approval);
    order = "ORDER BY TC001T ";
  } else {
    if (ms) {
      select = Trim("SELECT TC001+'-'+TC002 AS TC001T, TC004, MA002, TC012, TA001+'-'+TA002 AS MOCTA001T,TC056, TC057 ") + " ";
      select = Trim(select + extra) + " ";
      from = "FROM $$MOCTA AS MOCTA ";
      join = Trim(Trim("INNER JOIN $$COPTC AS COPTC ON TC001=TA026 AND TC002=TA027 LEFT JOIN $$COPMA AS COPMA ON MA001=TC004 ") +
                  " " + " LEFT JOIN $$ADMMF AS ADMMF ON MF001 = COPTC.CREATOR ") + " ";
    } else {
      select = "SELECT TC001||'-'||TC002 AS TC001T, TC004, MA002, TC012, TA001||'-'||TA002 AS MOCTA001T, TC056 ,TC057 ";
      from = "FROM $$MOCTA MOCTA, $$COPTC COPTC, $$COPMA COPMA ";
      where = "Where TA026=TC001 AND TA027=TC002  AND TC004=MA001(+) ";
    }
    AddAnd(where, "TA030", c.Kind);
    AddRange(where, ms ? "TA001+TA002" : "Rpad(TA001,4)||Rpad(TA002,11)", c.NumberFrom, c.NumberTo);
    AddRange(where, "TA003", c.DateFrom, c.DateTo);
    AddAnd(where, "TA013", c.Approval);
    order = "ORDER BY MOCTA001T, TC001T ";
  }
  // The report option form's row filter: the where part in parentheses, "and" the filter.
  std::string w = Trim(where);
  if (!c.RowFilter.empty()) {
    const bool keyword = w.size() >= 6 && (w.compare(0, 6, "WHERE ") == 0 || w.compare(0, 6, "Where ") == 0);
    w = keyword ? w.substr(0, 6) + "(" + w.substr(6) + ")" : "(" + w + ")";
    w += " and (" + c.RowFilter + ")";
  }
  where = w + " ";
  return ms ? select + from + join + where + order : select + from + where + order;
}

}  // namespace ModuleStatements
