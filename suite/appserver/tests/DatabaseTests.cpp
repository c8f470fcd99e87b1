#include "DemoData.h"
#include "SqliteDatabase.h"

#include <gtest/gtest.h>

using namespace Appserver;

namespace {

const TErpSchema& Schema() {
  static const TErpSchema schema = TErpSchema::Load(KESR_SOURCE_DIR "/data/erp/schema.def");
  return schema;
}

TEST(ErpSchema, FitsValuesAsTheErpStoresThem) {
  const TColumnInfo code{"TC001", TFieldKind::Char, 4, 0};
  const TColumnInfo name{"MA002", TFieldKind::Char, 6, 0};
  const TColumnInfo note{"MA003", TFieldKind::VarChar, 4, 0};
  EXPECT_EQ(DbValueText(FitToColumn(code, std::string("22"))), "22  ");
  EXPECT_EQ(DbValueText(FitToColumn(code, std::string("2201"))), "2201");
  // Three Chinese characters take six bytes: they fit and are padded by characters.
  EXPECT_EQ(DbValueText(FitToColumn(name, std::string("华东贸"))), "华东贸   ");
  EXPECT_THROW(FitToColumn(name, std::string("华东贸易")), EDatabaseError);
  EXPECT_EQ(DbValueText(FitToColumn(note, std::string("ab"))), "ab");
  EXPECT_THROW(FitToColumn(code, std::string("22011")), EDatabaseError);
  EXPECT_TRUE(DbValueIsNull(FitToColumn(code, TDbValue{})));
}

TEST(ErpSchema, RefusesBrokenDefinitions) {
  EXPECT_THROW(TErpSchema::Parse("A CHAR 4 x\n"), ESchemaError);
  EXPECT_THROW(TErpSchema::Parse("TABLE T shared t\nA CHAR x\n"), ESchemaError);
  EXPECT_THROW(TErpSchema::Parse("TABLE T shared t\nA WIDE 4\n"), ESchemaError);
  EXPECT_THROW(TErpSchema::Parse("TABLE T shared t\nA INT a\nKEY B\n"), ESchemaError);
  EXPECT_THROW(CheckCompanyCode("DEMO;DROP"), EDatabaseError);
  EXPECT_THROW(CheckCompanyCode(""), EDatabaseError);
}

TEST(SqliteDatabase, RefusesSecondStatementsAndWritesInReadOnlyQueries) {
  TSqliteDatabase db(":memory:");
  db.ExecuteScript("CREATE TABLE T (A CHAR(4) COLLATE RTRIM)");
  db.Execute("INSERT INTO T VALUES (?)", {std::string("ab  ")});
  EXPECT_THROW(db.QueryReadOnly("SELECT * FROM T; DELETE FROM T", {}), EDatabaseError);
  EXPECT_THROW(db.QueryReadOnly("DELETE FROM T", {}), EDatabaseError);
  EXPECT_EQ(db.Query("SELECT COUNT(*) FROM T", {}).Rows[0][0], TDbValue{std::int64_t{1}});
  // Trailing blanks do not count in comparisons, as in the ERP's database.
  EXPECT_EQ(db.QueryReadOnly("SELECT COUNT(*) FROM T WHERE A = 'ab'", {}).Rows[0][0], TDbValue{std::int64_t{1}});
  EXPECT_EQ(DbValueText(db.Query("SELECT RPAD('ab', 4) || '|' || RPAD('abcdef', 3) || RPAD('华', 2, '*')", {}).Rows[0][0]),
            "ab  |abc华*");
}

TEST(DemoData, IsDeterministicAndComplete) {
  TSqliteDatabase a(":memory:"), b(":memory:");
  CreateDemoDatabase(a, Schema(), TDemoOptions::Small());
  CreateDemoDatabase(b, Schema(), TDemoOptions::Small());
  const char* sql = "SELECT TC001, TC002, TC003, TC004, TC027, TC056 FROM DEMOA_COPTC ORDER BY TC001, TC002";
  const auto ra = a.Query(sql, {}), rb = b.Query(sql, {});
  ASSERT_EQ(ra.Rows.size(), 300u);
  EXPECT_EQ(ra.Rows, rb.Rows);
  EXPECT_EQ(DbValueText(ra.Rows[0][1]).size(), 11u);
  // Every approval state, both work-order kinds linked to real orders, multi-line marks.
  EXPECT_EQ(a.Query("SELECT COUNT(DISTINCT TC027) FROM DEMOB_COPTC", {}).Rows[0][0], TDbValue{std::int64_t{3}});
  EXPECT_EQ(a.Query("SELECT COUNT(DISTINCT TA030) FROM DEMOA_MOCTA", {}).Rows[0][0], TDbValue{std::int64_t{2}});
  EXPECT_EQ(a.Query("SELECT COUNT(*) FROM DEMOA_MOCTA LEFT JOIN DEMOA_COPTC ON TC001 = TA026 AND TC002 = TA027 "
                    "WHERE TC001 IS NULL", {}).Rows[0][0], TDbValue{std::int64_t{0}});
  EXPECT_NE(DbValueText(ra.Rows[0][5]).find("\r\n"), std::string::npos);
  EXPECT_EQ(a.Query("SELECT length FROM syscolumns c JOIN sysobjects o ON o.id = c.id "
                    "WHERE o.name = 'WARRANT' AND c.name = 'NT002'", {}).Rows[0][0], TDbValue{std::int64_t{20}});
  EXPECT_TRUE(HasErpSchema(a));
}

}  // namespace
