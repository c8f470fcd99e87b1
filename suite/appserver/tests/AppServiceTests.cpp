#include "AppService.h"
#include "PgDatabase.h"
#include "SqliteDatabase.h"
#include "TestDatabases.h"

#include <gtest/gtest.h>

#include <barrier>
#include <thread>

using namespace Appserver;

namespace {

class TAppServiceTest : public ::testing::TestWithParam<TBackendKind> {
protected:
  void SetUp() override {
    if (!TestDatabases::Open(GetParam())) GTEST_SKIP() << TestDatabases::PgSkipReason();
  }
  std::unique_ptr<TAppService> Session(const std::string& user = "DS", const std::string& company = "DEMOA") {
    auto s = std::make_unique<TAppService>(TestDatabases::Open(GetParam()), TestDatabases::Schema(), 0);
    s->Connect({"KESR52", user, company, "DEMO", "COPTC"});
    return s;
  }
  static std::int64_t Count(TAppService& s, const std::string& sql) {
    return std::get<std::int64_t>(s.SimpleSql(sql).at(0).at(0));
  }
};

TEST_P(TAppServiceTest, RefusedRequestsChangeNothing) {
  auto s = Session();
  const auto orders = Count(*s, "SELECT COUNT(*) FROM $$COPTC");
  const auto audits = Count(*s, "SELECT COUNT(*) FROM $$ADMTA");
  const char* requests[] = {"DELETE FROM $$COPTC", "SELECT 1 FROM $$COPTC; DELETE FROM $$COPTC",
                            "UPDATE $$COPTC SET TC027 = 'V'"};
  for (const char* sql : requests) EXPECT_THROW(s->DataRequest("Provider1", sql), ESqlError) << sql;
  const char* freeSql[] = {
      "DELETE FROM $$ADMTA",
      "INSERT INTO $$COPTC (TC001) VALUES('x')",
      "INSERT INTO $$ADMTA (COMPANY,CREATOR,USR_GROUP,CREATE_DATE,FLAG,TA001,TA002,TA003,TA004,TA005,TA006) "
      "VALUES('DEMOA','DS','ADMIN','20240101','1','KESR52','a','Y','m','10:00:00','20240101'); DELETE FROM $$COPTC",
      "INSERT INTO $$ADMTA (COMPANY,CREATOR,USR_GROUP,CREATE_DATE,FLAG,TA001,TA002,TA003,TA004,TA005,TA006) "
      "VALUES('DEMOA','DS','ADMIN','20240101','1','KESR52',(SELECT MF003 FROM $$ADMMF),'Y','m','10:00:00','20240101')",
      // Too long for TA003 CHAR(1): refused whole, not cut.
      "INSERT INTO $$ADMTA (COMPANY,CREATOR,USR_GROUP,CREATE_DATE,FLAG,TA001,TA002,TA003,TA004,TA005,TA006) "
      "VALUES('DEMOA','DS','ADMIN','20240101','1','KESR52','a','YY','m','10:00:00','20240101')"};
  for (const char* sql : freeSql) EXPECT_ANY_THROW(s->RunFreeSQL(sql)) << sql;
  EXPECT_THROW(s->DataRequest("ProviderX", "SELECT 1 FROM CMSML"), EAppServerError);
  EXPECT_EQ(Count(*s, "SELECT COUNT(*) FROM $$COPTC"), orders);
  EXPECT_EQ(Count(*s, "SELECT COUNT(*) FROM $$ADMTA"), audits);
  // The audit insert itself is accepted, quotes and Chinese text included.
  EXPECT_EQ(s->RunFreeSQL("INSERT INTO $$ADMTA (COMPANY,CREATOR,USR_GROUP,CREATE_DATE,FLAG,TA001,TA002,TA003,TA004,"
                          "TA005,TA006) VALUES('DEMOA','DS','ADMIN','20240101','1','KESR52','O''Neil','N',"
                          "'传真失败','10:00:00','20240101')"),
            1);
  EXPECT_EQ(Count(*s, "SELECT COUNT(*) FROM $$ADMTA WHERE TA002 = 'O''Neil' AND TA004 = '传真失败'"), audits + 1);
}

TEST_P(TAppServiceTest, ConcurrentSavesOfOneFormatLoseNoUpdate) {
  auto admin = Session();
  const std::string cls = "TfrmKesr52Fmt", name = "并发格式";
  ASSERT_EQ(admin->RunInsUpdSQL(false, {"object a: TA", "end"}, {"DEMOA", "DS", "ADMIN", cls, name, "", ""}, 0), 1);
  // Both clients read the same counter, then save at the same moment.
  const auto read = admin->GetBlobField(cls, name);
  ASSERT_TRUE(read);
  for (int round = 0; round < 5; ++round) {
    const auto before = admin->GetBlobField(cls, name);
    const std::int64_t counter = before->Counter.empty() ? 0 : std::stoll(before->Counter);
    std::barrier start(2);
    int results[2] = {0, 0};
    auto save = [&](int who) {
      auto s = Session(who ? "U001" : "DS");
      start.arrive_and_wait();
      results[who] = s->RunUpdFlagSQL(counter, before->Counter, cls, name);
      if (results[who] > 0)
        s->RunInsUpdSQL(true, {"object b: TB", "Left = " + std::to_string(who), "end"},
                        {"DEMOA", who ? "U001" : "DS", "", std::to_string(counter + 1), cls, name, ""}, 1);
    };
    std::thread a(save, 0), b(save, 1);
    a.join();
    b.join();
    EXPECT_EQ(std::max(results[0], results[1]), 1) << "round " << round;
    EXPECT_EQ(std::min(results[0], results[1]), -1) << "round " << round;
    const auto after = admin->GetBlobField(cls, name);
    EXPECT_EQ(after->Counter, std::to_string(counter + 1));
    EXPECT_EQ(after->Layout, "object b: TB\r\nLeft = " + std::string(results[0] > 0 ? "0" : "1") + "\r\nend");
  }
  // An overwrite without the lock is refused and changes nothing.
  EXPECT_EQ(admin->RunInsUpdSQL(true, {"x"}, {"DEMOA", "DS", "", "999", cls, name, ""}, 0), -1);
  EXPECT_NE(admin->GetBlobField(cls, name)->Layout, "x");
  EXPECT_EQ(admin->RunDeleteSQL(cls, name), 1);
  EXPECT_FALSE(admin->GetBlobField(cls, name));
}

TEST_P(TAppServiceTest, SessionAnswersFromTheErpTables) {
  EXPECT_THROW(TAppService(TestDatabases::Open(GetParam()), TestDatabases::Schema(), 0).PowerData(), EAppServerError);
  auto s = std::make_unique<TAppService>(TestDatabases::Open(GetParam()), TestDatabases::Schema(), 1);
  EXPECT_THROW(s->Connect({"KESR52", "NOBODY", "DEMOA", "", "COPTC"}), EAppServerError);
  EXPECT_THROW(s->Connect({"KESR52", "DS", "NOCO", "", "COPTC"}), EAppServerError);
  EXPECT_THROW(s->Connect({"KESR52", "DS", "DEMOA;--", "", "COPTC"}), EDatabaseError);
  s->Connect({"KESR52", "U002", "DEMOB", "DEMO", "COPTC"});
  EXPECT_EQ(s->SQLType(), 1);
  const auto p = s->PowerData();
  EXPECT_EQ(p.RightsFields, "U002,N,Y,YNNYYYNN,李华,SALES");
  EXPECT_EQ(p.RowFilter, "TC027<>'V'");
  EXPECT_EQ(p.Group, "SALES");
  // A group's rights apply to a member without his own entry.
  auto u1 = Session("U001");
  EXPECT_EQ(u1->PowerData().RightsFields, "U001,N,Y,YYNYYYYN,王小明,SALES");
  const auto mb = s->QueryNamed("ADMMB", "01", {"KESR52"});
  ASSERT_EQ(mb.size(), 1u);
  ASSERT_EQ(mb[0].size(), 8u);
  EXPECT_EQ(DbValueText(mb[0][7]), "Sales Order Shipping Mark Print");
  EXPECT_EQ(DbValueText(s->QueryNamed("CMSMT", "01", {"KESR52"}).at(0).at(12)).rfind("标准格式", 0), 0u);
  const auto settings = s->GetSysInfo("DEMOB");
  EXPECT_NE(std::find(settings.begin(), settings.end(), std::make_pair(std::string("ZNT002"), std::string("南方实业"))),
            settings.end());
  // Look-ups by a typed prefix; "%" typed by the user is a plain character.
  const auto orders = s->QueryNamed("COPTC", "02", {"2201", "2024"});
  EXPECT_FALSE(orders.empty());
  for (const auto& r : orders) EXPECT_EQ(DbValueText(r[0]), "2201");
  EXPECT_TRUE(s->QueryNamed("COPTC", "02", {"22%", ""}).empty());
  for (const auto& r : s->QueryNamed("MOCTA", "05", {"2", "", ""})) EXPECT_EQ(DbValueText(r[6]), "2");
  EXPECT_THROW(s->QueryNamed("COPTC", "99", {}), EAppServerError);
  // The data packet carries names, declared types and captions.
  const auto packet = s->DataRequest("Provider2", "SELECT TC001||'-'||TC002 AS TC001T, TC004, MA002 FROM $$COPTC COPTC, "
                                                  "$$COPMA COPMA WHERE TC004 = MA001(+) AND TC027 = 'Y'");
  ASSERT_EQ(packet.Fields.size(), 3u);
  EXPECT_EQ(packet.Fields[0].Info.Name, "TC001T");
  EXPECT_EQ(packet.Fields[1].Label, "客户编号");
  EXPECT_EQ(packet.Fields[2].Info.Kind, TFieldKind::Char);
  EXPECT_EQ(packet.Fields[2].Info.Width, 20);
  EXPECT_FALSE(packet.Rows.empty());
}

TEST_P(TAppServiceTest, SchemesBelongToTheirUserAndProgram) {
  auto s = Session("U003");
  EXPECT_EQ(s->InsertConTable({"我的方案", "U003", "20240301", "KESR52", "rg01.itemindex;", "1\r\n"}, false), "");
  EXPECT_NE(s->InsertConTable({"我的方案", "U003", "20240302", "KESR52", "rg01.itemindex;", "0\r\n"}, false), "");
  EXPECT_EQ(s->InsertConTable({"我的方案", "U003", "20240302", "KESR52", "rg01.itemindex;", "0\r\n"}, true), "");
  EXPECT_NE(s->InsertConTable({"别人的", "DS", "20240302", "KESR52", "", ""}, false), "");
  EXPECT_NE(s->InsertConTable({"一二三四五六七八九十一", "U003", "20240302", "KESR52", "", ""}, false), "");
  s->LoadTable("U003", "KESR52");
  auto rows = s->DataRequest("pvdConSave", "").Rows;
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(DbValueText(rows[0][4]), "0\r\n");
  EXPECT_EQ(DbValueText(rows[0][5]), "20240302");
  EXPECT_EQ(s->QueryNamed("GENES", "01", {"我的方案", "U003", "KESR52"}).size(), 1u);
  EXPECT_EQ(s->InsertConTable({"第二", "U003", "20240303", "KESR52", "", ""}, false), "");
  EXPECT_NE(s->ChangeConName({"我的方案", "U003", "KESR52"}, {"第二", "U003", "KESR52"}), "");
  EXPECT_EQ(s->ChangeConName({"我的方案", "U003", "KESR52"}, {"改名", "U003", "KESR52"}), "");
  EXPECT_NE(s->DeleteConTable({"我的方案", "U003", "KESR52"}), "");
  EXPECT_EQ(s->DeleteConTable({"改名", "U003", "KESR52"}), "");
  EXPECT_EQ(s->DeleteConTable({"第二", "U003", "KESR52"}), "");
  EXPECT_TRUE(s->DataRequest("pvdConSave", "").Rows.empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, TAppServiceTest, ::testing::Values(TBackendKind::Sqlite, TBackendKind::Postgres),
                         [](const auto& info) { return info.param == TBackendKind::Sqlite ? "Sqlite" : "Postgres"; });

}  // namespace
