#include "AutoObject.h"

#include <gtest/gtest.h>

#include "ErrorText.h"

#include <functional>
#include <memory>
#include <string>

namespace {

// Shaped like the application server's calls: (Params; var Out) answering
// an error text, plus a property and a read-only one.
class TBlobServer : public TAutoObject {
public:
  TBlobServer() {
    AddMethod("GetBlobField", 2, [](TVarArgs& args) {
      const Variant& params = args[0].Value();
      args[1].Value() = VarArrayOf({params[0].AsString() + ".blob", 3});
      args[0].Value() = "scribbled";  // not seen by a caller passing by value
      return Variant::OleStr("");
    });
    AddMethod("Sum", AnyParamCount, [](TVarArgs& args) {
      int sum = 0;
      for (const TVarArg& arg : args) sum += arg.Value().AsInteger();
      return Variant(sum);
    });
    AddProperty("Caption", [this] { return Variant(FCaption); },
                [this](const Variant& value) { FCaption = value.AsString(); });
    AddProperty("Version", [] { return Variant(7); });
  }

private:
  std::string FCaption = "server";
};

std::string OleErrorOf(const std::function<void()>& action) { return ErrorTextOf<EOleError>(action); }

class AutomationTest : public testing::Test {
protected:
  Variant Server{std::make_shared<TBlobServer>()};
};

TEST_F(AutomationTest, ByReferenceArgumentsComeBackChanged) {
  Variant params = VarArrayOf({"WARRANT"});
  Variant out;
  const Variant answer = OleCall(Server, "GetBlobField", {params, VarRef(out)});
  EXPECT_EQ(answer.Type(), varOleStr);
  EXPECT_EQ(VarToStr(answer), "");
  ASSERT_TRUE(VarIsArray(out));
  EXPECT_EQ(out[0].AsString(), "WARRANT.blob");
  EXPECT_EQ(out[1].AsInteger(), 3);
  EXPECT_TRUE(VarIsArray(params)) << "a by-value argument must not change";

  OleCall(Server, "GetBlobField", {VarRef(params), VarRef(out)});
  EXPECT_EQ(VarToStr(params), "scribbled");
}

TEST_F(AutomationTest, MembersAreFoundWithoutRegardToCase) {
  EXPECT_EQ(OleCall(Server, "sum", {1, "2", 3.0}).AsInteger(), 6);
  EXPECT_EQ(OleCall(Server, "SUM").AsInteger(), 0);
  OleSetProperty(Server, "caption", "订单");
  EXPECT_EQ(OleGetProperty(Server, "CAPTION").AsString(), "订单");
}

TEST_F(AutomationTest, CallsAndPropertyReadsAreInterchangeable) {
  // Late-bound callers write obj.Version and obj.Sum(…) alike.
  EXPECT_EQ(OleCall(Server, "Version").AsInteger(), 7);
  EXPECT_EQ(OleGetProperty(Server, "Sum", {4, 5}).AsInteger(), 9);
}

TEST_F(AutomationTest, ReportsBadCallsWithTheMemberName) {
  struct Case {
    std::function<void()> Action;
    const char* Message;
  };
  const Case cases[] = {
      {[&] { OleCall(Server, "GetMessage"); },
       "Method 'GetMessage' not supported by automation object"},
      {[&] { OleSetProperty(Server, "Missing", 1); },
       "Method 'Missing' not supported by automation object"},
      {[&] { OleCall(Server, "GetBlobField", {1}); },
       "Invalid number of parameters for 'GetBlobField'"},
      {[&] { OleGetProperty(Server, "Version", {1}); },
       "Invalid number of parameters for 'Version'"},
      {[&] { OleSetProperty(Server, "Version", 8); }, "Property 'Version' is read-only"},
      {[&] { OleSetProperty(Server, "Sum", 8); }, "Property 'Sum' is read-only"},
      {[] { OleCall(Variant(), "GetMessage"); },
       "Method 'GetMessage' called on a variant of type (Empty) that holds no automation object"},
      {[] { OleGetProperty(Null(), "Caption"); },
       "Property 'Caption' called on a variant of type (Null) that holds no automation object"},
      {[] { OleCall(Variant(std::shared_ptr<IDispatch>()), "Connect"); },
       "Method 'Connect' called on a variant of type (Dispatch) that holds no automation object"},
      {[] { (void)Variant("x").AsObject(); },
       "Variant of type (String) does not hold an automation object"},
  };
  for (const Case& c : cases) EXPECT_EQ(OleErrorOf(c.Action), c.Message);
}

TEST_F(AutomationTest, ObjectsAreSharedWhenVariantsAreCopied) {
  Variant copy = Server;
  OleSetProperty(copy, "Caption", "shared");
  EXPECT_EQ(OleGetProperty(Server, "Caption").AsString(), "shared");
  EXPECT_EQ(copy.AsObject(), Server.AsObject());
}

}  // namespace
