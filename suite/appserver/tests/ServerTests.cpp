// The server's call contracts, the same suite in process on SQLite, through
// the daemon over TCP, and in process on PostgreSQL.
#include "Daemon.h"
#include "PgDatabase.h"
#include "RemoteClient.h"
#include "RemoteProtocol.h"
#include "SqliteDatabase.h"
#include "TestDatabases.h"
#include "ZovizerServer.h"

#include "ComObj.h"
#include "Registry.h"
#include "StrUtils.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <barrier>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace Appserver;

namespace {

enum class TTransport { InProcessSqlite, DaemonSqlite, InProcessPostgres };

TDaemon& SharedDaemon() {
  static TDaemon daemon({"[DBE Setting]", "MainDBType=SQLITE", "MainDBName=" + TestDatabases::SqlitePath(),
                         "MainSQLType=0"});
  return daemon;
}

class TServerSuite : public ::testing::TestWithParam<TTransport> {
protected:
  void SetUp() override {
    if (GetParam() == TTransport::InProcessPostgres && TestDatabases::PgConninfo().empty())
      GTEST_SKIP() << TestDatabases::PgSkipReason();
  }
  Variant NewServer() {
    switch (GetParam()) {
      case TTransport::InProcessSqlite:
        return Variant(std::make_shared<TZovizerServer>(std::make_unique<TSqliteDatabase>(TestDatabases::SqlitePath()), 0));
      case TTransport::InProcessPostgres:
        return Variant(std::make_shared<TZovizerServer>(std::make_unique<TPgDatabase>(TestDatabases::PgConninfo()), 0));
      case TTransport::DaemonSqlite: break;
    }
    return Variant(std::make_shared<TRemoteObject>("127.0.0.1", SharedDaemon().Port()));
  }
  Variant Connected(const std::string& user = "DS") {
    Variant s = NewServer();
    OleCall(s, "Connect", {VarArrayOf({"KESR52", user.c_str(), "DEMOA", "DEMO", "COPTC"})});
    return s;
  }
  static int Count(const Variant& s, const std::string& sql) {
    Variant params = VarArrayOf({sql, "count"});
    return OleCall(s, "GetCounter", {"SIMPLESQL", VarRef(params), VarArrayOf({"DEMOA", "DEMO"})})[0][0].AsInteger();
  }
};

TEST_P(TServerSuite, SessionAndLookUpsAnswerInTheShapesTheClientReads) {
  Variant s = NewServer();
  EXPECT_THROW(OleCall(s, "PowerData"), Exception);  // not connected: an error, not a dead session
  EXPECT_THROW(OleCall(s, "Connect", {VarArrayOf({"KESR52", "NOBODY", "DEMOA", "", "COPTC"})}), Exception);
  OleCall(s, "Connect", {VarArrayOf({"KESR52", "U002", "DEMOA", "DEMO", "COPTC"})});
  const Variant rights = OleCall(s, "PowerData");
  ASSERT_EQ(VarArrayHighBound(rights, 1), 5);
  EXPECT_EQ(VarToStr(rights[0]), "TC027<>'V'");
  EXPECT_EQ(VarToStr(rights[1]), "U002,N,Y,YNNYYYNN,李华,SALES");
  EXPECT_EQ(VarToStr(rights[3]), "SALES");
  EXPECT_EQ(rights[5][0].AsInteger(), 0);
  EXPECT_EQ(OleGetProperty(s, "SQLType").AsInteger(), 0);

  Variant table = "ADMMB", key = "01", source = "DEMO", params = VarArrayOf({"KESR52"}), result;
  EXPECT_TRUE(OleCall(s, "CheckValue", {VarRef(table), VarRef(key), VarRef(source), VarRef(params), VarRef(result)}).AsBoolean());
  ASSERT_EQ(VarArrayHighBound(result, 1), 7);
  EXPECT_EQ(VarToStr(result[0]), "订单唛头打印");
  EXPECT_EQ(VarToStr(result[7]), "Sales Order Shipping Mark Print");
  table = "WARRANT";
  params = VarArrayOf({"TfrmKesr52Fmt"});
  EXPECT_TRUE(OleCall(s, "QueryData", {VarRef(table), VarRef(key), VarRef(source), VarRef(params), VarRef(result)}).AsBoolean());
  std::string condition = "(not listed)";
  for (int i = 0; i <= VarArrayHighBound(result, 1); ++i)
    if (Trim(VarToStr(result[i][0])) == "工单格式") condition = Trim(VarToStr(result[i][1]));
  EXPECT_EQ(condition, "rg01:TComboBox=1");  // row: name, condition
  key = "03";
  params = VarArrayOf({"TfrmKesr52Fmt", "没有这个格式"});
  EXPECT_FALSE(OleCall(s, "CheckValue", {VarRef(table), VarRef(key), VarRef(source), VarRef(params), VarRef(result)}).AsBoolean());

  Variant company = "DEMOA";
  const Variant settings = OleCall(s, "GetSysInfo", {VarRef(company)});
  ASSERT_EQ(VarArrayDimCount(settings), 2);
  EXPECT_EQ(VarArrayHighBound(settings, 1), 1);
  bool found = false;
  for (int i = 0; i <= VarArrayHighBound(settings, 2); ++i)
    found = found || (VarToStr(settings(0, i)) == "Sys002" && VarToStr(settings(1, i)) == "/");
  EXPECT_TRUE(found);
  Variant sql = VarArrayOf({"select col.length from syscolumns col inner join sysobjects obj on obj.id=col.id "
                            "where obj.name = 'WARRANT' AND col.name ='NT002'", "length"});
  EXPECT_EQ(OleCall(s, "GetCounter", {"SimpleSql", VarRef(sql), VarArrayOf({"DEMOA", "DEMO"})})[0][0].AsInteger(), 20);
}

TEST_P(TServerSuite, DataRequestsAreOneReadOnlySelect) {
  Variant s = Connected();
  const Variant packet = OleCall(s, "DataRequest", {"Provider1", "SELECT TC001+'-'+TC002 AS TC001T, TC004, MA002 "
                                                                 "FROM $$COPTC AS COPTC LEFT JOIN $$COPMA AS COPMA "
                                                                 "ON MA001=TC004 WHERE TC027='Y' ORDER BY TC001T"});
  const Variant fields = packet[0], rows = packet[1];
  ASSERT_EQ(VarArrayHighBound(fields, 1), 2);
  EXPECT_EQ(VarToStr(fields[0][0]), "TC001T");
  EXPECT_EQ(VarToStr(fields[1][1]), "CHAR");
  EXPECT_EQ(fields[1][2].AsInteger(), 10);
  EXPECT_EQ(VarToStr(fields[1][4]), "客户编号");
  ASSERT_GT(VarArrayHighBound(rows, 1), 10);
  EXPECT_EQ(VarToStr(rows[0][0]).size(), 16u);
  const int before = Count(s, "SELECT COUNT(*) FROM $$COPTC");
  for (const char* bad : {"DELETE FROM $$COPTC", "SELECT 1 FROM $$COPTC; DELETE FROM $$COPTC",
                          "UPDATE $$COPTC SET TC027='V'", "SELECT * FROM sqlite_master"}) {
    try {
      OleCall(s, "DataRequest", {"Provider1", bad});
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const Exception& e) {
      EXPECT_FALSE(e.Message().empty()) << bad;
    }
  }
  EXPECT_EQ(Count(s, "SELECT COUNT(*) FROM $$COPTC"), before);
}

TEST_P(TServerSuite, FormatsAreStoredLockedAndDeleted) {
  Variant s = Connected();
  const std::string name = "测试格式" + std::to_string(static_cast<int>(GetParam()));
  Variant lines = VarArrayOf({"object frmKesr52Fmt: TfrmKesr52Fmt", "end"}), size = 1;
  EXPECT_EQ(OleCall(s, "RunInsUpdSQL", {false, VarRef(lines),
                                        VarArrayOf({"DEMOA", "DS", "ADMIN", "TfrmKesr52Fmt", name.c_str(), "", ""}),
                                        VarRef(size)}).AsInteger(), 1);
  Variant out;
  ASSERT_GT(OleCall(s, "GetBlobField", {VarArrayOf({"TfrmKesr52Fmt", name.c_str()}), VarRef(out)}).AsInteger(), 0);
  EXPECT_EQ(VarToStr(out[1]), "object frmKesr52Fmt: TfrmKesr52Fmt\r\nend");
  const std::string read = VarToStr(out[0]);
  EXPECT_EQ(OleCall(s, "RunUpdFlagSQL", {VarArrayOf({0, read.c_str(), "TfrmKesr52Fmt", name.c_str()})}).AsInteger(), 1);
  lines = VarArrayOf({"object frmKesr52Fmt: TfrmKesr52Fmt", "Left = 3", "end"});
  EXPECT_EQ(OleCall(s, "RunInsUpdSQL", {true, VarRef(lines),
                                        VarArrayOf({"DEMOA", "DS", "", "1", "TfrmKesr52Fmt", name.c_str(),
                                                    "rg01:TComboBox=1\r\n"}),
                                        VarRef(size)}).AsInteger(), 1);
  OleCall(s, "GetBlobField", {VarArrayOf({"TfrmKesr52Fmt", name.c_str()}), VarRef(out)});
  EXPECT_EQ(VarToStr(out[0]), "1");
  EXPECT_NE(VarToStr(out[1]).find("Left = 3"), std::string::npos);
  // The stale counter no longer locks.
  EXPECT_LT(OleCall(s, "RunUpdFlagSQL", {VarArrayOf({0, read.c_str(), "TfrmKesr52Fmt", name.c_str()})}).AsInteger(), 0);
  EXPECT_GT(OleCall(s, "RunDeleteSQL", {VarArrayOf({"TfrmKesr52Fmt", name.c_str()})}).AsInteger(), 0);
  EXPECT_EQ(OleCall(s, "GetBlobField", {VarArrayOf({"TfrmKesr52Fmt", name.c_str()}), VarRef(out)}).AsInteger(), 0);
}

TEST_P(TServerSuite, TwoConcurrentSavesGiveOneSuccessAndOneLockFailure) {
  Variant a = Connected("DS"), b = Connected("U001");
  const std::string name = "并发" + std::to_string(static_cast<int>(GetParam()));
  Variant lines = VarArrayOf({"object a: TA", "end"}), size = 0;
  ASSERT_EQ(OleCall(a, "RunInsUpdSQL", {false, VarRef(lines),
                                        VarArrayOf({"DEMOA", "DS", "ADMIN", "TfrmKesr52Fmt", name.c_str(), "", ""}),
                                        VarRef(size)}).AsInteger(), 1);
  Variant out;
  OleCall(a, "GetBlobField", {VarArrayOf({"TfrmKesr52Fmt", name.c_str()}), VarRef(out)});
  const std::string read = VarToStr(out[0]);
  std::barrier start(2);
  int results[2] = {0, 0};
  auto save = [&](Variant server, int who) {
    start.arrive_and_wait();
    results[who] = OleCall(server, "RunUpdFlagSQL", {VarArrayOf({0, read.c_str(), "TfrmKesr52Fmt", name.c_str()})}).AsInteger();
  };
  std::thread ta(save, a, 0), tb(save, b, 1);
  ta.join();
  tb.join();
  EXPECT_EQ(std::max(results[0], results[1]), 1);
  EXPECT_LT(std::min(results[0], results[1]), 0);
  OleCall(a, "RunDeleteSQL", {VarArrayOf({"TfrmKesr52Fmt", name.c_str()})});
}

TEST_P(TServerSuite, SchemesAndTheAuditRow) {
  Variant s = Connected("U003");
  const std::string name = "方案" + std::to_string(static_cast<int>(GetParam()));
  const auto insert = [&](bool replace) {
    return VarToStr(OleCall(s, "InsertConTable", {VarArrayOf({name.c_str(), "U003", "20240301", "KESR52", "rg01.itemindex;",
                                                              "1\r\n", replace})}));
  };
  EXPECT_EQ(insert(false), "");
  EXPECT_NE(insert(false), "");
  EXPECT_EQ(insert(true), "");
  OleCall(s, "LoadTable", {VarArrayOf({"U003", "KESR52"})});
  const Variant rows = OleCall(s, "DataRequest", {"pvdConSave", ""})[1];
  ASSERT_EQ(VarArrayHighBound(rows, 1), 0);
  EXPECT_EQ(Trim(VarToStr(rows[0][0])), name);
  EXPECT_EQ(VarToStr(OleCall(s, "ChangeConName", {VarArrayOf({name.c_str(), "U003", "KESR52"}),
                                                   VarArrayOf({(name + "2").c_str(), "U003", "KESR52"})})), "");
  EXPECT_EQ(VarToStr(OleCall(s, "DeleteConTable", {VarArrayOf({(name + "2").c_str(), "U003", "KESR52"})})), "");

  const int audits = Count(s, "SELECT COUNT(*) FROM $$ADMTA");
  EXPECT_EQ(OleCall(s, "RunFreeSQL", {"INSERT INTO $$ADMTA (COMPANY,CREATOR,USR_GROUP,CREATE_DATE,FLAG,TA001,TA002,"
                                      "TA003,TA004,TA005,TA006) VALUES('DEMOA','U003','VIEW','20240301','1','KESR52',"
                                      "'Email','N','Create Outlook error!','10:00:00','20240301')"}).AsInteger(), 1);
  EXPECT_THROW(OleCall(s, "RunFreeSQL", {"DELETE FROM $$ADMTA"}), Exception);
  EXPECT_EQ(Count(s, "SELECT COUNT(*) FROM $$ADMTA"), audits + 1);
}

INSTANTIATE_TEST_SUITE_P(Transports, TServerSuite,
                         ::testing::Values(TTransport::InProcessSqlite, TTransport::DaemonSqlite,
                                           TTransport::InProcessPostgres),
                         [](const auto& info) {
                           switch (info.param) {
                             case TTransport::InProcessSqlite: return "InProcessSqlite";
                             case TTransport::DaemonSqlite: return "DaemonSqlite";
                             default: return "InProcessPostgres";
                           }
                         });

int RawConnect(int port) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  return s;
}

TEST(Daemon, RefusesMalformedFramesAndKeepsServing) {
  TDaemon& daemon = SharedDaemon();
  const int s = RawConnect(daemon.Port());
  std::string reply;
  WriteRemoteFrame(s, "\xc1 not msgpack");  // answered as an error; the connection stays usable
  ASSERT_TRUE(ReadRemoteFrame(s, reply));
  EXPECT_FALSE(DecodeRemoteReply(reply).Ok);
  TVarArgs none;
  WriteRemoteFrame(s, EncodeRemoteCall("SQLType", TInvokeKind::PropertyGet, none));
  ASSERT_TRUE(ReadRemoteFrame(s, reply));
  EXPECT_EQ(DecodeRemoteReply(reply).Result.AsInteger(), 0);
  WriteRemoteFrame(s, EncodeRemoteCall("NoSuchMember", TInvokeKind::Method, none));
  ASSERT_TRUE(ReadRemoteFrame(s, reply));
  EXPECT_NE(DecodeRemoteReply(reply).ErrorMessage.find("NoSuchMember"), std::string::npos);
  const unsigned char oversize[] = {0xff, 0xff, 0xff, 0xff};  // refused and the connection closed
  ASSERT_EQ(write(s, oversize, 4), 4);
  ASSERT_TRUE(ReadRemoteFrame(s, reply));
  EXPECT_NE(DecodeRemoteReply(reply).ErrorMessage.find("Refused"), std::string::npos);
  EXPECT_FALSE(ReadRemoteFrame(s, reply));
  close(s);
  const int cut = RawConnect(daemon.Port());  // a frame that never ends
  ASSERT_EQ(write(cut, "\x00\x00\x01\x00xy", 6), 6);
  close(cut);
  EXPECT_TRUE(daemon.Running());
  // Several clients at once, each with its own session.
  std::vector<std::thread> clients;
  std::atomic<int> answered{0};
  for (int i = 0; i < 4; ++i)
    clients.emplace_back([&] {
      Variant server(std::make_shared<TRemoteObject>("127.0.0.1", daemon.Port()));
      OleCall(server, "Connect", {VarArrayOf({"KESR52", "DS", "DEMOB", "DEMO", "COPTC"})});
      if (OleCall(server, "DataRequest", {"Provider1", "SELECT COUNT(*) AS N FROM $$COPTC"})[1][0][0].AsInteger() > 0)
        ++answered;
    });
  for (auto& t : clients) t.join();
  EXPECT_EQ(answered, 4);
}

TEST(Daemon, StopsGracefullyOnSigterm) {
  TDaemon daemon({"[DBE Setting]", "MainDBType=SQLITE", "MainDBName=" + TestDatabases::SqlitePath()});
  Variant server(std::make_shared<TRemoteObject>("127.0.0.1", daemon.Port()));
  EXPECT_EQ(OleGetProperty(server, "SQLType").AsInteger(), 0);
  EXPECT_EQ(daemon.Stop(), 0);
  EXPECT_NE(daemon.Output().find("appserver stopped"), std::string::npos);
  EXPECT_THROW(OleGetProperty(server, "SQLType"), Exception);
  // The failed call took the socket with it; later calls say so at once.
  try {
    OleGetProperty(server, "SQLType");
    ADD_FAILURE() << "a call on a broken connection succeeded";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "The connection to the application server is broken");
  }
}

TEST(Daemon, RefusesAConfigurationItCannotServe) {
  EXPECT_THROW(TDaemon({"[DBE Setting]", "MainDBType=MSSQL"}), std::runtime_error);
  EXPECT_THROW(TDaemon({"[DBE Setting]", "MainDBType=SQLITE", "XXXXXX=ZZ"}), std::runtime_error);
}

TEST(ServerConfig, ReadsTheDbeSettingsAndTheScrambledPassword) {
  EXPECT_EQ(DecodeSQLSa(EncodeSQLSa("sa密码#12345678")), "sa密码#12345678");
  EXPECT_EQ(DecodeSQLSa(EncodeSQLSa("")), "");
  EXPECT_EQ(DecodeSQLSa("GZ"), PasswordErrorText);
  EXPECT_EQ(DecodeSQLSa(EncodeSQLSa("ab") + "7"), "ab");  // a trailing odd character is ignored
  // Position 8 is rotated by 0 bits, position 9 by 1.
  EXPECT_EQ(EncodeSQLSa("AAAAAAAAA").substr(14, 4), "41A0");
  char dir[] = "/tmp/kesr-ini-XXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  const std::string path = std::string(dir) + "/OrvaneS.ini";
  {
    std::ofstream out(path);
    out << "[DBE Setting]\r\nMainDBType=postgresql\r\nMainServerName=db.example:5433\r\nMainDBName=erp\r\n"
        << "MainUserName=erp\r\nXXXXXX=" << EncodeSQLSa("p'w") << "\r\nMainSQLType=1\r\n"
        << "[DBPasswordCtrl]\r\nServerPort=9211\r\n";
  }
  const auto c = TServerConfig::Read(path);
  EXPECT_EQ(c.DbType, "POSTGRESQL");
  EXPECT_EQ(c.SqlType, 1);
  EXPECT_EQ(c.ListenPort, 9211);
  EXPECT_EQ(c.PgConninfo(), "host='db.example' dbname='erp' user='erp' port='5433' password='p\\'w' connect_timeout=10");
  std::filesystem::remove_all(dir);
}

TEST(ZovizerE, IsCreatedByItsClassNameFromItsServerLibrary) {
  char dir[] = "/tmp/kesr-ole-XXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  const std::string ini = std::string(dir) + "/OrvaneS.ini";
  {
    std::ofstream out(ini);
    out << "[DBE Setting]\r\nMainDBType=SQLITE\r\nMainDBName=" << TestDatabases::SqlitePath() << "\r\n";
  }
  setenv("KESR_APPSERVER_INI", ini.c_str(), 1);
  auto previous = SetRegistryStore(std::make_shared<TMemoryRegistryStore>(TRegistryData::Parse(
      "[HKEY_CLASSES_ROOT\\ZovizerE.Class1]\nInprocServer=" KESR_OUTPUT_DIR "/ZovizerE.dll\n")));
  Variant server = CreateOleObject("ZovizerE.Class1");
  OleCall(server, "Connect", {VarArrayOf({"KESR52", "DS", "DEMOA", "DEMO", "COPTC"})});
  EXPECT_EQ(VarArrayHighBound(OleCall(server, "PowerData"), 1), 5);
  SetRegistryStore(previous);
  unsetenv("KESR_APPSERVER_INI");
  std::filesystem::remove_all(dir);
}

}  // namespace
