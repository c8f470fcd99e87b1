// The connection to the application server: TCP through the address or an
// object broker's server list, an object given in process, and the reasons
// an open fails.
#include <gtest/gtest.h>

#include "ErrorText.h"
#include "RemoteFixture.h"
#include "SimpleObjectBroker.h"
#include "SocketConnection.h"

namespace {

// A port nobody listens on: bound, never listened on, closed again.
int DeadPort() {
  TServedObjects probe([] { return std::shared_ptr<IDispatch>(); });
  return probe.Port();
}

class SocketConnectionTest : public ::testing::Test {
protected:
  std::shared_ptr<TRequestLog> Log = std::make_shared<TRequestLog>();
  TServedObjects Server{[log = Log] { return std::make_shared<TOrderServer>(log); }};
  TSocketConnection Connection{nullptr};
};

TEST_F(SocketConnectionTest, OpensOverTcpAndHandsOutTheServer) {
  int connects = 0, disconnects = 0;
  struct TCounter {
    int* Count;
    void Hit(TObject*) { ++*Count; }
  } onConnect{&connects}, onDisconnect{&disconnects};
  Connection.AfterConnect = TNotifyEvent(&onConnect, &TCounter::Hit);
  Connection.AfterDisconnect = TNotifyEvent(&onDisconnect, &TCounter::Hit);
  Connection.SetAddress("localhost");
  Connection.SetPort(Server.Port());
  EXPECT_TRUE(Connection.AppServer().IsEmpty());
  Connection.Open();
  Connection.Open();  // already open: nothing more
  ASSERT_TRUE(Connection.Connected());
  EXPECT_FALSE(Connection.IsLocal());
  const Variant packet = OleCall(Connection.AppServer(), "DataRequest", {"Provider1", "SELECT 1"});
  EXPECT_EQ(VarArrayHighBound(packet[1], 1), 3);
  EXPECT_EQ(Log->Requests, std::vector<std::string>{"Provider1|SELECT 1"});
  // Changing where it points drops the session.
  Connection.SetPort(Server.Port() + 1);
  EXPECT_FALSE(Connection.Connected());
  EXPECT_TRUE(Connection.AppServer().IsEmpty());
  EXPECT_EQ(connects, 1);
  EXPECT_EQ(disconnects, 1);
}

TEST_F(SocketConnectionTest, OpenFailsWithTheReasonAndStaysClosed) {
  const int dead = DeadPort();
  struct TCase {
    const char* Address;
    int Port;
    const char* Expected;  // part of the message
  } cases[] = {
      {"", 211, "no server address is set"},
      {"localhost", dead, "Cannot connect to the application server localhost:"},
      {"no-such-host.invalid", 211, "Cannot find the application server no-such-host.invalid"},
  };
  for (const auto& c : cases) {
    TSocketConnection connection(nullptr);
    connection.SetAddress(c.Address);
    connection.SetPort(c.Port);
    const std::string text = ErrorTextOf<ESocketConnectionError>([&] { connection.Open(); });
    EXPECT_NE(text.find(c.Expected), std::string::npos) << c.Address << ": " << text;
    EXPECT_FALSE(connection.Connected()) << c.Address;
  }
}

TEST_F(SocketConnectionTest, BrokerServersAreTriedInTurnAndDeadOnesPassedOver) {
  TSimpleObjectBroker broker(nullptr);
  broker.AddServer("localhost", DeadPort());
  broker.AddServer("localhost", Server.Port());
  Connection.SetObjectBroker(&broker);
  Connection.Open();
  EXPECT_TRUE(Connection.Connected());
  EXPECT_TRUE(broker.Servers(0).HasFailed);
  EXPECT_FALSE(broker.Servers(1).HasFailed);
  // An address of its own wins over the broker.
  Connection.Close();
  Connection.SetAddress("localhost");
  Connection.SetPort(DeadPort());
  EXPECT_THROW(Connection.Open(), ESocketConnectionError);
  // No enabled server at all.
  Connection.SetAddress("");
  broker.Servers(0).Enabled = broker.Servers(1).Enabled = false;
  EXPECT_NE(ErrorTextOf<ESocketConnectionError>([&] { Connection.Open(); }).find("no enabled server"),
            std::string::npos);
}

TEST(SimpleObjectBroker, FirstUsableServerOrInTurnWhenLoadBalanced) {
  TSimpleObjectBroker broker(nullptr);
  EXPECT_EQ(broker.NextServer(), nullptr);
  broker.AddServer("a", 1);
  broker.AddServer("b", 2);
  broker.AddServer("c", 3).Enabled = false;
  const auto next = [&] { return broker.NextServer()->ComputerName; };
  EXPECT_EQ(next(), "a");
  EXPECT_EQ(next(), "a");
  broker.SetConnectStatus("a", 1, false);
  EXPECT_EQ(next(), "b");
  broker.SetConnectStatus("b", 2, false);
  EXPECT_EQ(next(), "a");  // every server failed: the marks are cleared
  EXPECT_FALSE(broker.Servers(1).HasFailed);
  broker.SetLoadBalanced(true);
  EXPECT_EQ(next(), "b");
  EXPECT_EQ(next(), "a");
  EXPECT_THROW(broker.Servers(3), EListError);
}

TEST_F(SocketConnectionTest, AnObjectGivenInProcessNeedsNoSocket) {
  Connection.SetAddress("localhost");
  Connection.SetPort(DeadPort());
  Connection.SetAppServer(Variant(std::make_shared<TOrderServer>(Log)));
  ASSERT_TRUE(Connection.Connected());
  EXPECT_TRUE(Connection.IsLocal());
  Connection.Open();  // connected already: the dead port is never tried
  EXPECT_NO_THROW(OleCall(Connection.AppServer(), "DataRequest", {"Provider1", ""}));
  EXPECT_THROW(Connection.SetAppServer(Variant(3)), ESocketConnectionError);
  EXPECT_FALSE(Connection.Connected());
}

TEST_F(SocketConnectionTest, ForgetsAFreedBroker) {
  auto* broker = new TSimpleObjectBroker(nullptr);
  Connection.SetObjectBroker(broker);
  delete broker;
  EXPECT_EQ(Connection.ObjectBroker(), nullptr);
  EXPECT_THROW(Connection.Open(), ESocketConnectionError);
}

}  // namespace
