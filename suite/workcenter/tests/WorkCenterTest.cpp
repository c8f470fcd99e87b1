#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "ComObj.h"
#include "Format.h"
#include "VarArray.h"
#include "WorkCenter.h"

namespace {

const std::string ShippedConfiguration = std::string(KESR_SOURCE_DIR) + "/data/host/erp-host.ini";

TEST(HostConfiguration, ShippedDemoConfigurationAndDefaults) {
  const THostConfiguration config = THostConfiguration::Load(ShippedConfiguration);
  EXPECT_EQ(config.UserCode, "DS");
  EXPECT_EQ(config.CompanyCode, "DEMOA");
  EXPECT_EQ(config.DataSource, "ERPDB");
  ASSERT_EQ(config.HostTable.size(), 2u);
  EXPECT_EQ(config.HostTable[1], (std::pair<std::string, std::string>{"A02", "N"}));
  EXPECT_EQ(config.ServerAddress, "127.0.0.1");
  EXPECT_EQ(config.MessageFile, std::string(KESR_SOURCE_DIR) + "/data/host/Messages.ini");

  const THostConfiguration defaults = THostConfiguration::Load("/nonexistent/erp-host.ini");
  EXPECT_EQ(defaults.CompanyCode, "DEMOA");
  EXPECT_EQ(defaults.ServerPort, 7211);
}

// Every code the module shows has a Simplified Chinese template that its
// arguments fill.
TEST(WorkCenterManager, CatalogueHoldsEveryCodeTheModuleShows) {
  auto session = std::make_shared<TWorkCenterManager>(THostConfiguration::Load(ShippedConfiguration));
  const Variant object(session);
  struct Case {
    const char* Type;
    const char* Number;
    int Arguments;
  };
  const Case cases[] = {{"E", "000003", 1}, {"E", "000005", 0}, {"E", "000006", 0}, {"E", "000015", 0},
                        {"E", "000016", 0}, {"E", "000025", 6}, {"E", "000030", 1}, {"E", "000036", 0},
                        {"E", "000037", 0}, {"E", "000038", 0}, {"E", "100319", 0}, {"I", "000003", 1},
                        {"I", "000011", 0}, {"I", "000012", 4}, {"R", "200235", 0}, {"W", "000002", 3},
                        {"W", "000003", 3}, {"W", "000006", 1}, {"W", "000014", 0}};
  for (const Case& c : cases) {
    const std::string text = OleCall(object, "GetMessage", {c.Type, c.Number}).AsString();
    EXPECT_EQ(text.find("未定义"), std::string::npos) << c.Type << c.Number;
    TVarRecs args;
    for (int i = 0; i < c.Arguments; ++i) args.push_back(MakeVarRec(Variant("x")));
    EXPECT_NO_THROW(Format(text, args)) << c.Type << c.Number;
  }
  EXPECT_EQ(OleCall(object, "GetMessage", {"e", "000038"}).AsString(), "主程序传入的参数不完整, 无法执行!");
  EXPECT_EQ(OleCall(object, "GetMessage", {"E", "999999"}).AsString(), "未定义的讯息 E;999999");
}

TEST(WorkCenterManager, VersionValuesHelpAndFormStyle) {
  THostConfiguration config;
  config.ProductID = 5;
  auto session = std::make_shared<TWorkCenterManager>(config);
  std::vector<std::string> requests;
  session->OnRequest = [&](const std::string& Member, const Variant& Args) {
    requests.push_back(Member + ":" + (VarIsArray(Args) ? Args[1].AsString() : Args.AsString()));
  };
  const Variant object(session);
  EXPECT_EQ(OleCall(object, "VersionType").AsInteger(), 1);
  EXPECT_EQ(OleCall(object, "ProductID").AsInteger(), 5);
  EXPECT_EQ(OleCall(object, "GetFileList", {VarArrayOf({"kesr52s.dll"})}).AsString(), "");
  OleCall(object, "CallHelp", {VarArrayOf({"KES", "12520000"})});
  OleCall(object, "SetFormCreateStyle", {"A4"});
  EXPECT_EQ(requests, (std::vector<std::string>{"CallHelp:12520000", "SetFormCreateStyle:A4"}));
  // Service objects are made once and handed out again.
  const Variant counter = OleCall(object, "Com_Counter");
  EXPECT_TRUE(counter.IsObject());
  EXPECT_TRUE(OleCall(object, "Com_Counter").AsObject() == counter.AsObject());
  EXPECT_TRUE(OleCall(object, "Com_Validator").IsObject());
  EXPECT_TRUE(OleCall(object, "Com_F2Window").IsObject());
}

TEST(WorkCenterManager, RegisteredAsTheStandAloneSessionClass) {
  KesrRegisterOleServers();
  EXPECT_TRUE(OleClassRegistered(WorkCenterProgID));
  EXPECT_TRUE(CreateOleObject("TolvekWorkCenter.Manager").IsObject());
}

}  // namespace
