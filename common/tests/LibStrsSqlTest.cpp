#include <gtest/gtest.h>

#include "LibStrs.h"

namespace {

Variant Range(const Variant& first, const Variant& last) { return VarArrayOf({RangeMarker, first, last}); }

std::string Fragment(const Variant& value, int kind, const std::string& field = "TC003") {
  std::string where, fragment;
  AddFieldCondition(where, field, value, fragment, kind);
  EXPECT_EQ(where, fragment.empty() ? "" : "Where " + fragment);
  return fragment;
}

TEST(WhereBuilder, RangeRowsKeepTheirSpacing) {
  struct TCase {
    Variant Value;
    int Kind;
    const char* Fragment;
  };
  const TCase cases[] = {
      {Range("20040101", "20040131"), 1, " (TC003 Between '20040101' and '20040131') "},
      {Range("A01", "A01"), 1, " (TC003='A01') "},
      {Range("A01", ""), 1, " (TC003>= 'A01')"},
      {Range("", "A09"), 1, " (TC003<= 'A09' OR TC003 IS NULL )"},
      {Range("", ""), 1, ""},
      {Range(" A ", "A"), 1, " (TC003 Between ' A ' and 'A') "},  // kind 1 is not trimmed
      {Range("O'Neil", Null()), 1, " (TC003>= 'O''Neil')"},
      {Range(" 10 ", "20"), 2, " (TC003 Between 10 and 20) "},
      {Range("5", " 5"), 2, " (TC003=5) "},
      {Range("-2.5", ""), 3, " (TC003>=-2.5)"},
      {Range("", "1e3"), 3, " (TC003<=1e3 OR TC003 IS NULL )"},
      {Range("  ", " "), 2, ""},
      {Range("A01", "A09"), 4, ""},
      {Range("A01", "A09"), 0, ""},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Fragment(c.Value, c.Kind), c.Fragment) << c.Kind << " " << c.Fragment;
}

TEST(WhereBuilder, NumericKindsQuoteWhatIsNotANumber) {
  struct TCase {
    Variant Value;
    int Kind;
    const char* Fragment;
  };
  const TCase cases[] = {
      {Range("1 OR 1=1", ""), 2, " (TC003>='1 OR 1=1')"},
      {Range("", "0); DROP TABLE COPTC; --"), 3, " (TC003<='0); DROP TABLE COPTC; --' OR TC003 IS NULL )"},
      {Range("x'y", "12"), 2, " (TC003 Between 'x''y' and 12) "},
      {Range("1.", ".5"), 2, " (TC003 Between 1. and .5) "},
      {Range("1e", "+"), 2, " (TC003 Between '1e' and '+') "},
      {Range("0x1F", "0x1F"), 3, " (TC003='0x1F') "},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Fragment(c.Value, c.Kind), c.Fragment) << c.Kind << " " << c.Fragment;
}

TEST(WhereBuilder, ShapesOfTheConditionValue) {
  EXPECT_EQ(ConditionValueShape("A01"), csSingle);
  EXPECT_EQ(ConditionValueShape(VarArrayOf({ListMarker, "A"})), csList);
  EXPECT_EQ(ConditionValueShape(Range("A", "B")), csMarkedRange);
  EXPECT_EQ(ConditionValueShape(VarArrayOf({"A", "B"})), csRange);

  EXPECT_EQ(Fragment(VarArrayOf({"A", "B"}), 1), " (TC003 Between 'A' and 'B') ");
  EXPECT_EQ(Fragment(VarArrayOf({"A"}), 1), " (TC003>= 'A')");            // missing end
  EXPECT_EQ(Fragment(VarArrayOf({RangeMarker, "A"}), 1), " (TC003>= 'A')");
  EXPECT_EQ(Fragment(VarArrayOf({RangeMarker}), 1), "");
  EXPECT_EQ(Fragment("A01", 1), " (TC003>= 'A01')");
  EXPECT_EQ(Fragment(12, 2), " (TC003>=12)");
  EXPECT_EQ(Fragment(Null(), 1), "");
  EXPECT_EQ(Fragment(Variant(), 1), "");
}

TEST(WhereBuilder, ListsQuoteEveryPickedRow) {
  struct TCase {
    Variant Value;
    int Kind;
    const char* Fragment;
  };
  const TCase cases[] = {
      {VarArrayOf({ListMarker, "A01", "A02"}), 1, "(TC001+TC002 IN ('A01', 'A02'))"},
      {VarArrayOf({ListMarker, VarArrayOf({"A01", "客户甲"}), Null(), "", Variant(), "B'2"}), 1,
       "(TC001+TC002 IN ('A01', 'B''2'))"},
      {VarArrayOf({ListMarker, 10, 20}), 4, "(TC001+TC002 IN ('10', '20'))"},
      {VarArrayOf({ListMarker, "", Null(), VarArrayOf({""})}), 1, ""},
      {VarArrayOf({ListMarker}), 1, ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(Fragment(c.Value, c.Kind, "TC001+TC002"), c.Fragment);
  EXPECT_EQ(AddListCondition("F", "A"), "(F IN ('A'))");
}

TEST(WhereBuilder, AppendsToTheAccumulatedWhere) {
  std::string where = "Where  (TC003 Between '20040101' and '20040131') ";
  std::string fragment = "stale";
  AddFieldCondition(where, "TC001+TC002", VarArrayOf({ListMarker, "A01", "A02"}), fragment, 1);
  EXPECT_EQ(where,
            "Where  (TC003 Between '20040101' and '20040131')  and (TC001+TC002 IN ('A01', 'A02'))");
  const std::string before = where;
  AddFieldCondition(where, "TC004", VarArrayOf({ListMarker, ""}), fragment, 1);
  EXPECT_EQ(fragment, "");
  EXPECT_EQ(where, before);
}

TEST(StatementScanner, TableAliasAfter) {
  const std::pair<const char*, const char*> cases[] = {
      {" AS A LEFT JOIN $$COPTD B", "A"},
      {" as tc left join", "tc"},
      {" X WHERE TC001='A'", "X"},
      {" x inner join", "X"},
      {" A", "A"},
      {" A WITH(NOLOCK) WHERE", "A"},
      {" WHERE TC001='A'", "COPTC"},
      {" WITH(NOLOCK) WHERE", "COPTC"},
      {" LEFT JOIN $$COPTD", "COPTC"},
      {" X, $$COPMA Y", "COPTC"},
      {"", "COPTC"},
      {"   ", "COPTC"},
  };
  for (const auto& [rest, alias] : cases) EXPECT_EQ(TableAliasAfter("COPTC", rest), alias) << rest;
}

TEST(StatementScanner, ConditionsApplyToEveryAliasOrItsAbsentRow) {
  const std::string sql =
      "SELECT * FROM $$COPTC A\r\nLEFT JOIN $$COPTD B ON A.TC001=B.TD001\r\n"
      "LEFT JOIN $$COPTC AS c ON c.TC001=B.TD001 WHERE A.TC027='Y'";
  std::string result = "stale";
  AddNullSafeTableConditions(VarArrayOf({1, "COPTC COPTC.TC004 = '1001'"}), "ERP", sql, result, "");
  EXPECT_EQ(result,
            "(( A.TC004 = '1001' ) or (A.TC001 is null)) and "
            "(( c.TC004 = '1001' ) or (c.TC001 is null))");

  AddNullSafeTableConditions(VarArrayOf({1, "COPTC COPTC.TC004 = '1001'"}), "ERP", sql, result, "B;C");
  EXPECT_EQ(result, "(( A.TC004 = '1001' ) or (A.TC001 is null))");

  AddNullSafeTableConditions(VarArrayOf({1, "COPTC COPTC.TC004 = '1001'"}), "ERP", sql, result, "A;C");
  EXPECT_EQ(result, "");
}

TEST(StatementScanner, PrefixAndSharedScanPosition) {
  const std::string sql = "SELECT * FROM ERP..COPTC WHERE 1=1 AND EXISTS (SELECT 1 FROM ERP..COPTD D WHERE D.TD001=TC001)";
  const Variant entries = VarArrayOf({2, "COPTD COPTD.TD016='N'", "COPTC COPTC.TC027='Y'"});
  std::string result;
  // The second entry looks only after the match of the first, so COPTC is not seen.
  AddNullSafeTableConditions(entries, "ERP", sql, result, "");
  EXPECT_EQ(result, "(( D.TD016='N' ) or (D.TD001 is null))");
  AddNullSafeTableConditions(entries, "ERP..", sql, result, "");
  EXPECT_EQ(result, "(( D.TD016='N' ) or (D.TD001 is null))");
  AddNullSafeTableConditions(entries, "OTHER", sql, result, "");
  EXPECT_EQ(result, "");

  // A table joined without alias keeps its name, and an alias that holds
  // the table's name does not stall the replacement.
  AddNullSafeTableConditions(VarArrayOf({1, "COPTC COPTC.TC027='Y'"}), "", "FROM $$COPTC WHERE x", result, "");
  EXPECT_EQ(result, "(( COPTC.TC027='Y' ) or (COPTC.TC001 is null))");
  AddNullSafeTableConditions(VarArrayOf({1, "COPTC COPTC.TC027='Y'"}), "", "FROM $$COPTC XCOPTC WHERE x", result, "");
  EXPECT_EQ(result, "(( XCOPTC.TC027='Y' ) or (XCOPTC.TC001 is null))");
}

}  // namespace
