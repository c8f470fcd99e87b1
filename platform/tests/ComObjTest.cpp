#include "ComObj.h"

#include <gtest/gtest.h>

#include "ErrorText.h"

#include <functional>
#include <memory>
#include <string>

#include "AutoObject.h"
#include "Registry.h"

namespace {

class TPictureServer : public TAutoObject {
public:
  TPictureServer() {
    AddMethod("CheckOut", 2, [](TVarArgs& args) {
      args[1].Value() = VarArrayOf({"/tmp/" + args[0].Value()[2].AsString() + ".bmp"});
      return Variant(0);
    });
  }
};

const TOleClassRegistration PictureServer("VtxC.VTXClass1",
                                          [] { return std::make_shared<TPictureServer>(); });

std::string OleErrorOf(const std::function<void()>& action) { return ErrorTextOf<EOleError>(action); }

// Classes of server libraries are listed in a registry held in memory.
class ComObjTest : public testing::Test {
protected:
  void SetUp() override {
    TRegistryData data;
    data.AddValue("HKEY_CLASSES_ROOT\\KesrTest.Echo", "InprocServer", "KesrTestServer.dll");
    data.AddValue("HKEY_CLASSES_ROOT\\KesrTest.Missing", "InprocServer", "NoSuchServer.dll");
    data.AddValue("HKEY_CLASSES_ROOT\\KesrTest.NoExport", "InprocServer", "libkplatform.so");
    data.AddValue("HKEY_CLASSES_ROOT\\KesrTest.Other", "InprocServer", "KesrTestServer.dll");
    FPrevious = SetRegistryStore(std::make_shared<TMemoryRegistryStore>(data));
  }
  void TearDown() override { SetRegistryStore(FPrevious); }

private:
  std::shared_ptr<IRegistryStore> FPrevious;
};

TEST_F(ComObjTest, CreatesBuiltInClassesByName) {
  const Variant server = CreateOleObject("vtxc.vtxclass1");
  Variant out;
  const Variant params = VarArrayOf({"U01", "R", "MARK-7", "001", ""});
  EXPECT_EQ(OleCall(server, "CheckOut", {params, VarRef(out)}).AsInteger(), 0);
  EXPECT_EQ(out[0].AsString(), "/tmp/MARK-7.bmp");
  EXPECT_TRUE(OleClassRegistered("VtxC.VTXClass1"));
}

TEST_F(ComObjTest, CreatesClassesOfServerLibrariesListedInTheRegistry) {
  const Variant echo = CreateOleObject("KesrTest.Echo");
  Variant left = "left", right = 2;
  EXPECT_TRUE(OleCall(echo, "Swap", {VarRef(left), VarRef(right)}).AsBoolean());
  EXPECT_EQ(left.AsInteger(), 2);
  EXPECT_EQ(right.AsString(), "left");
  EXPECT_EQ(OleGetProperty(echo, "Name").AsString(), "echo");
  // Each call makes a new object.
  OleSetProperty(echo, "Name", "first");
  EXPECT_EQ(OleGetProperty(CreateOleObject("KesrTest.Echo"), "Name").AsString(), "echo");
}

TEST_F(ComObjTest, ReportsClassesThatCannotBeCreated) {
  struct Case {
    const char* ProgId;
    const char* Message;
  };
  const Case cases[] = {
      {"Nobody.Knows", "Invalid class string: Nobody.Knows"},
      {"", "Invalid class string: "},
      {"KesrTest.Other",
       "Class KesrTest.Other is not registered by its server library \"KesrTestServer.dll\""},
      {"KesrTest.NoExport", "Server library \"libkplatform.so\" of class KesrTest.NoExport "
                            "does not export KesrRegisterOleServers"},
  };
  for (const Case& c : cases) EXPECT_EQ(OleErrorOf([&] { CreateOleObject(c.ProgId); }), c.Message);
  EXPECT_EQ(OleErrorOf([] { CreateOleObject("KesrTest.Missing"); })
                .rfind("Cannot load server library \"NoSuchServer.dll\" of class KesrTest.Missing: ", 0),
            0u);
}

TEST_F(ComObjTest, FactoriesCanBeReplacedAndRemoved) {
  RegisterOleClass("KesrTest.Temporary", [] { return std::make_shared<TPictureServer>(); });
  EXPECT_TRUE(VarIsArray(VarArrayOf({CreateOleObject("KesrTest.Temporary")})));
  RegisterOleClass("KesrTest.Temporary", [] { return std::shared_ptr<IDispatch>(); });
  EXPECT_EQ(OleErrorOf([] { CreateOleObject("KesrTest.Temporary"); }),
            "Server of class KesrTest.Temporary created no object");
  UnregisterOleClass("KesrTest.Temporary");
  EXPECT_EQ(OleErrorOf([] { CreateOleObject("KesrTest.Temporary"); }),
            "Invalid class string: KesrTest.Temporary");
}

}  // namespace
