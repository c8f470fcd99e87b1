#include "Catalog.h"
#include "ModuleStatements.h"
#include "TestDatabases.h"

#include <gtest/gtest.h>

using namespace Appserver;
using ModuleStatements::TReportConditions;

namespace {

// Translation to text against the schema alone: the shape of what is sent.
class TSchemaOnly {
public:
  TTableResolver Resolver() {
    return [](const std::string& written) -> std::optional<TResolvedTable> {
      const std::string base = written.rfind("$$", 0) == 0 ? written.substr(2) : written;
      const TSchemaTable* t = TestDatabases::Schema().Table(base);
      if (!t) return std::nullopt;
      TResolvedTable r{t->PerCompany ? CompanyTableName("DEMOA", t->Name) : t->Name, t->Name, {}};
      for (const auto& c : t->Columns) r.Columns.push_back(c.Info);
      return r;
    };
  }
  std::string Sql(const std::string& sql, int dialect, TBackendKind target = TBackendKind::Sqlite) {
    return TranslateSelect(sql, dialect, target, Resolver()).Sql;
  }
};

TEST(SqlTranslator, TranslatesTheDialectsForEachBackend) {
  struct TCase {
    const char* In;
    int Dialect;
    TBackendKind Target;
    const char* Out;
  };
  const TBackendKind L = TBackendKind::Sqlite, P = TBackendKind::Postgres;
  const TCase cases[] = {
      // "+" of two CHAR columns and a literal concatenates; PostgreSQL keeps the blanks.
      {"SELECT TC001+'-'+TC002 AS K FROM $$COPTC", 0, L, "SELECT TC001 || '-' || TC002 AS K FROM DEMOA_COPTC COPTC"},
      {"SELECT TC001+'-'+TC002 AS K FROM $$COPTC", 0, P,
       "SELECT RPAD(TC001, 4) || '-' || RPAD(TC002, 11) AS K FROM DEMOA_COPTC COPTC"},
      // "+" with a number is a sum; the type comes from the schema.
      {"SELECT TC029+TC030 FROM $$COPTC", 0, L, "SELECT TC029 + TC030 AS COLUMN1 FROM DEMOA_COPTC COPTC"},
      {"SELECT TC061+1 AS N FROM $$COPTC", 0, L, "SELECT TC061 + 1 AS N FROM DEMOA_COPTC COPTC"},
      // A computed text compares ignoring trailing blanks, as a CHAR column does.
      {"SELECT TC004 FROM $$COPTC WHERE TC001+TC002 = 'x'", 0, L,
       "SELECT TC004 AS TC004 FROM DEMOA_COPTC COPTC WHERE (TC001 || TC002) COLLATE RTRIM = 'x'"},
      {"SELECT TC004 FROM $$COPTC WHERE Rpad(TC001,4)||Rpad(TC002,11) Between 'a' and 'b'", 1, P,
       "SELECT TC004 AS TC004 FROM DEMOA_COPTC COPTC WHERE CAST(COALESCE(RPAD(RPAD(TC001, 4), 4), '') || "
       "COALESCE(RPAD(RPAD(TC002, 11), 11), '') AS BPCHAR) BETWEEN 'a' AND 'b'"},
      // Oracle's "(+)" becomes a LEFT JOIN that carries the marked condition.
      {"SELECT TC004, MA002 FROM $$COPTC COPTC, $$COPMA COPMA WHERE 1=1 AND TC004=MA001(+) AND TC027='Y'", 1, L,
       "SELECT TC004 AS TC004, MA002 AS MA002 FROM DEMOA_COPTC COPTC LEFT JOIN DEMOA_COPMA COPMA ON TC004 = MA001 "
       "WHERE 1 = 1 AND TC027 = 'Y'"},
      {"SELECT TA001 FROM $$MOCTA MOCTA, $$COPTC COPTC, $$COPMA COPMA Where TA026=TC001 AND TC004=MA001(+)", 1, P,
       "SELECT TA001 AS TA001 FROM DEMOA_MOCTA MOCTA CROSS JOIN DEMOA_COPTC COPTC LEFT JOIN DEMOA_COPMA COPMA "
       "ON TC004 = MA001 WHERE TA026 = TC001"},
      // Functions of both dialects and the MS SQL hints.
      {"SELECT ISNULL(MA003,''), NVL(MA002,'-') FROM $$COPMA WITH (NOLOCK)", 0, L,
       "SELECT COALESCE(MA003, '') AS COLUMN1, COALESCE(MA002, '-') AS COLUMN2 FROM DEMOA_COPMA COPMA"},
      {"SELECT LEN(MA002), LENGTH(MA002), SUBSTRING(TC003,1,6) FROM $$COPTC (NOLOCK), $$COPMA", 0, P,
       "SELECT LENGTH(RTRIM(RPAD(MA002, 20))) AS COLUMN1, LENGTH(RPAD(MA002, 20)) AS COLUMN2, "
       "SUBSTR(RPAD(TC003, 8), 1, 6) AS COLUMN3 FROM DEMOA_COPTC COPTC, DEMOA_COPMA COPMA"},
      {"SELECT CONVERT(VARCHAR(8), GETDATE(), 112), CONVERT(INT, TC003) FROM $$COPTC", 0, L,
       "SELECT strftime('%Y%m%d', 'now', 'localtime') AS COLUMN1, CAST(TC003 AS INTEGER) AS COLUMN2 "
       "FROM DEMOA_COPTC COPTC"},
      {"select top 5 * from $$ADMSS order by SS001 desc;", 0, L,
       "SELECT ADMSS.SS001, ADMSS.SS002 FROM DEMOA_ADMSS ADMSS ORDER BY SS001 DESC LIMIT 5"},
      {"SELECT COUNT(*), MAX(TC003) FROM $$COPTC WHERE TC004 IN (SELECT MA001 FROM $$COPMA WHERE MA011 <> '01') "
       "AND NOT (TC027 = 'V' OR TC027 IS NULL)", 0, L,
       "SELECT COUNT(*) AS COLUMN1, MAX(TC003) AS COLUMN2 FROM DEMOA_COPTC COPTC WHERE TC004 IN (SELECT MA001 AS "
       "MA001 FROM DEMOA_COPMA COPMA WHERE MA011 <> '01') AND NOT (TC027 = 'V' OR TC027 IS NULL)"},
      {"SELECT 'it''s' + N'中' AS T FROM CMSML", 0, L, "SELECT 'it''s' || '中' AS T FROM CMSML CMSML"},
  };
  TSchemaOnly t;
  for (const auto& c : cases) EXPECT_EQ(t.Sql(c.In, c.Dialect, c.Target), c.Out) << c.In;
}

TEST(SqlTranslator, RefusesEverythingButOneReadOnlySelect) {
  const char* refused[] = {
      "DELETE FROM $$COPTC",
      "UPDATE $$COPTC SET TC027='Y'",
      "SELECT * FROM $$COPTC; DELETE FROM $$COPTC",
      "SELECT * FROM $$COPTC;;",
      "SELECT * INTO X FROM $$COPTC",
      "SELECT * FROM $$COPTC FOR UPDATE",
      "SELECT * FROM sqlite_master",
      "SELECT * FROM pg_shadow",
      "SELECT load_extension('x') FROM $$COPTC",
      "SELECT * FROM $$COPTC WITH (TABLOCKX)",
      "SELECT * FROM $$NOSUCH",
      "SELECT X.TC001 FROM $$COPTC",
      "SELECT TC001 FROM $$COPTC WHERE TC001 = 'unterminated",
      "SELECT TC001 FROM $$COPTC WHERE TC001 = ?",
      "SELECT \"a b\" FROM $$COPTC",
      "",
  };
  TSchemaOnly t;
  for (const char* sql : refused) EXPECT_THROW(t.Sql(sql, 0), ESqlError) << sql;
}

class TReportRows : public ::testing::TestWithParam<TBackendKind> {
protected:
  void SetUp() override {
    FDb = TestDatabases::Open(GetParam());
    if (!FDb) GTEST_SKIP() << TestDatabases::PgSkipReason();
    FCatalog = std::make_unique<TCompanyCatalog>(*FDb, TestDatabases::Schema(), "DEMOA");
  }
  // Rows of the given fields as text, in the order the statement returns them.
  std::vector<std::vector<std::string>> Rows(const std::string& sql, int dialect, const std::vector<std::string>& fields) {
    const auto q = TranslateSelect(sql, dialect, FDb->Kind(), FCatalog->Resolver());
    const auto rs = FDb->QueryReadOnly(q.Sql, {});
    std::vector<std::vector<std::string>> out;
    for (const auto& row : rs.Rows) {
      auto& r = out.emplace_back();
      for (const auto& f : fields) {
        size_t i = 0;
        while (i < q.Columns.size() && q.Columns[i].Name != f) ++i;
        EXPECT_LT(i, q.Columns.size()) << f << " missing in " << sql;
        r.push_back(i < row.size() ? DbValueText(row[i]) : "");
      }
    }
    return out;
  }
  std::unique_ptr<IDatabase> FDb;
  std::unique_ptr<TCompanyCatalog> FCatalog;
};

// Every backend, both dialects: the module's own report statements give the
// same rows, and the rows the conditions ask for.
TEST_P(TReportRows, ModuleStatementsGiveTheSameRowsInBothDialects) {
  const std::vector<std::string> orderFields = {"TC001T", "TC004", "MA002", "TC012", "TC037", "TC038", "TC056", "TC057"};
  const std::vector<std::string> woFields = {"TC001T", "TC004", "MA002", "TC012", "MOCTA001T", "TC056", "TC057"};
  struct TCase {
    const char* Name;
    TReportConditions Conditions;
    size_t MinRows;
  };
  TReportConditions byDate;
  byDate.DateFrom = "20240101";
  byDate.DateTo = "20240630";
  TReportConditions byNumber;
  byNumber.NumberFrom = "2201" "20240101000";
  byNumber.NumberTo = "2201" "20241231999";
  byNumber.Approval = "";
  TReportConditions openEnd = byNumber;
  openEnd.NumberFrom = "";
  openEnd.Approval = "='N' ";
  TReportConditions one;
  TReportConditions wo = byDate;
  wo.WorkOrders = true;
  TReportConditions woOutsourced = wo;
  woOutsourced.Kind = "='2' ";
  woOutsourced.Approval = "";
  TReportConditions filtered = byDate;
  filtered.RowFilter = "TC004 <> 'C00001'";
  const TCase cases[] = {{"orders by date", byDate, 5}, {"orders by number", byNumber, 5},
                         {"orders up to a number", openEnd, 1}, {"work orders by date", wo, 5},
                         {"outsourced work orders", woOutsourced, 1}, {"with a row filter", filtered, 5}};
  for (const auto& c : cases) {
    auto ms = c.Conditions, ora = c.Conditions;
    ms.SqlType = 0;
    ora.SqlType = 1;
    const auto& fields = c.Conditions.WorkOrders ? woFields : orderFields;
    const auto a = Rows(ModuleStatements::Build(ms), 0, fields);
    const auto b = Rows(ModuleStatements::Build(ora), 1, fields);
    EXPECT_GE(a.size(), c.MinRows) << c.Name;
    EXPECT_EQ(a, b) << c.Name;
    for (const auto& row : a) {
      EXPECT_EQ(row[0].size(), 4u + 1 + 11) << c.Name;  // the padded key with its "-"
      EXPECT_EQ(row[0][4], '-');
    }
  }
  // A number range picks exactly the orders whose 4 + 11 character key lies in it.
  const auto all = Rows("SELECT TC001+TC002 AS K FROM $$COPTC ORDER BY TC001, TC002", 0, {"K"});
  size_t inRange = 0;
  for (const auto& r : all) inRange += r[0] >= byNumber.NumberFrom && r[0] <= byNumber.NumberTo;
  auto ms = byNumber;
  EXPECT_EQ(Rows(ModuleStatements::Build(ms), 0, orderFields).size(), inRange);
}

TEST_P(TReportRows, CatalogueQueryAndFunctionsAnswerFromTheDatabase) {
  const auto length = Rows("select col.length from syscolumns col inner join sysobjects obj on obj.id=col.id "
                           "where obj.name = 'WARRANT' AND col.name ='NT002'", 0, {"LENGTH"});
  ASSERT_EQ(length.size(), 1u);
  EXPECT_EQ(length[0][0], "20");
  const auto f = Rows("SELECT TOP 1 LEN(MA002) AS A, LENGTH(MA002) AS B, SUBSTRING(MA001,1,3) AS C, "
                      "ISNULL(NULL, 'x') AS D, Rpad(MA001, 3) AS E, CHARINDEX('0', MA001) AS F FROM $$COPMA "
                      "ORDER BY MA001", 0, {"A", "B", "C", "D", "E", "F"});
  ASSERT_EQ(f.size(), 1u);
  // LEN ignores the padding of the CHAR(20) short name, LENGTH counts it.
  EXPECT_LT(std::stoi(f[0][0]), 20);
  EXPECT_EQ(f[0][1], "20");
  EXPECT_EQ((std::vector<std::string>{f[0][2], f[0][3], f[0][4], f[0][5]}),
            (std::vector<std::string>{"C00", "x", "C00", "2"}));
  // A CHAR column equals its value without the padding blanks.
  EXPECT_EQ(Rows("SELECT MA001 FROM $$COPMA WHERE MA001 = 'C00001'", 0, {"MA001"}).size(), 1u);
}

// The same statement gives the same rows, padding and all, on both backends.
TEST(ReportRowsAcrossBackends, SqliteAndPostgresAgree) {
  auto pg = TestDatabases::Open(TBackendKind::Postgres);
  if (!pg) GTEST_SKIP() << TestDatabases::PgSkipReason();
  auto lite = TestDatabases::Open(TBackendKind::Sqlite);
  TCompanyCatalog pgCatalog(*pg, TestDatabases::Schema(), "DEMOB"), liteCatalog(*lite, TestDatabases::Schema(), "DEMOB");
  auto rows = [](IDatabase& db, TCompanyCatalog& catalog, const std::string& sql, int dialect) {
    std::vector<std::vector<std::string>> out;
    for (const auto& row : db.QueryReadOnly(TranslateSelect(sql, dialect, db.Kind(), catalog.Resolver()).Sql, {}).Rows) {
      auto& r = out.emplace_back();
      for (const auto& cell : row) r.push_back(DbValueText(cell));
    }
    return out;
  };
  for (bool workOrders : {false, true})
    for (int dialect : {0, 1}) {
      TReportConditions c;
      c.WorkOrders = workOrders;
      c.SqlType = dialect;
      c.DateFrom = "20250101";
      c.DateTo = "20251231";
      c.Approval = "";
      const std::string sql = ModuleStatements::Build(c);
      const auto a = rows(*lite, liteCatalog, sql, dialect);
      EXPECT_FALSE(a.empty()) << sql;
      EXPECT_EQ(a, rows(*pg, pgCatalog, sql, dialect)) << sql;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, TReportRows, ::testing::Values(TBackendKind::Sqlite, TBackendKind::Postgres),
                         [](const auto& info) { return info.param == TBackendKind::Sqlite ? "Sqlite" : "Postgres"; });

}  // namespace
