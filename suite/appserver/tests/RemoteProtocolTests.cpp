#include "RemoteProtocol.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

Variant RoundTrip(const Variant& v) {
  TVarArgs args = {v};
  return DecodeRemoteCall(EncodeRemoteCall("M", TInvokeKind::Method, args)).Args.at(0);
}

void ExpectSame(const Variant& a, const Variant& b, const std::string& what) {
  ASSERT_EQ(a.Type(), b.Type()) << what;
  if (a.IsArray()) {
    ASSERT_EQ(VarArrayDimCount(a), VarArrayDimCount(b)) << what;
    for (int d = 1; d <= VarArrayDimCount(a); ++d) {
      EXPECT_EQ(VarArrayLowBound(a, d), VarArrayLowBound(b, d)) << what;
      EXPECT_EQ(VarArrayHighBound(a, d), VarArrayHighBound(b, d)) << what;
    }
    for (size_t i = 0; i < a.ArrayData()->ElementCount(); ++i)
      ExpectSame(a.ArrayData()->At(i), b.ArrayData()->At(i), what + "[" + std::to_string(i) + "]");
  } else if (!a.IsEmpty() && !a.IsNull()) {
    EXPECT_EQ(VarToStr(a), VarToStr(b)) << what;
  }
}

TEST(RemoteProtocol, VariantsKeepTheirKindValueAndBounds) {
  Variant grid = VarArrayCreate({0, 1, 3, 5}, varVariant);  // two-dimensional, bounds not from 0
  grid(0, 3) = "名称";
  grid(1, 5) = Null();
  Variant typed = VarArrayCreate({1, 3}, varInteger);
  typed.PutElement({2}, 7);
  const std::pair<const char*, Variant> cases[] = {
      {"empty", Unassigned()},
      {"null", Null()},
      {"integer", Variant(-42)},
      {"int64", Variant(9000000000LL)},
      {"boolean", Variant(true)},
      {"double", Variant(3.25)},
      {"date", Variant::FromDate(45292.5)},
      {"string", Variant("订单")},
      {"olestr", Variant::OleStr("It's \"quoted\"\r\nline")},
      {"nested", VarArrayOf({1, VarArrayOf({Variant("a"), Null(), Unassigned()}), VarArrayOf({})})},
      {"grid", grid},
      {"typed", typed},
  };
  for (const auto& [name, value] : cases) ExpectSame(RoundTrip(value), value, name);
}

TEST(RemoteProtocol, RepliesCarryResultsReferencesAndErrors) {
  TRemoteReply ok;
  ok.Result = 1;
  ok.Refs = {{1, VarArrayOf({"5", "object a: TA"})}};
  const auto back = DecodeRemoteReply(EncodeRemoteReply(ok));
  EXPECT_TRUE(back.Ok);
  ASSERT_EQ(back.Refs.size(), 1u);
  EXPECT_EQ(back.Refs[0].first, 1);
  EXPECT_EQ(VarToStr(back.Refs[0].second[1]), "object a: TA");
  TRemoteReply error;
  error.Ok = false;
  error.ErrorClass = "ESqlError";
  error.ErrorMessage = "只接受 SELECT";
  const auto e = DecodeRemoteReply(EncodeRemoteReply(error));
  EXPECT_FALSE(e.Ok);
  EXPECT_EQ(e.ErrorMessage, "只接受 SELECT");
  Variant out;
  TVarArgs args = {VarArrayOf({"TfrmKesr52Fmt", "x"}), VarRef(out)};
  const auto call = DecodeRemoteCall(EncodeRemoteCall("GetBlobField", TInvokeKind::Method, args));
  EXPECT_EQ(call.Member, "GetBlobField");
  EXPECT_EQ(call.ByRef, (std::vector<bool>{false, true}));
}

TEST(RemoteProtocol, MalformedBodiesAreRefused) {
  const std::string valid = EncodeRemoteCall("M", TInvokeKind::Method, *std::make_unique<TVarArgs>());
  const std::string bodies[] = {
      "",
      Bytes("\xc1"),                                // a byte msgpack never uses
      valid + "x",                                  // trailing bytes
      Bytes("\x94\x02\xa1M\x00\x90"),                // unknown protocol version
      Bytes("\x94\x01\xa0\x00\x90"),                 // empty member name
      Bytes("\x94\x01\xa1M\x07\x90"),                // bad invoke kind
      Bytes("\x94\x01\xa1M\x00\x91\x92\xc3\x91\xcd\x10\x00"),  // unknown variant type
      Bytes("\x94\x01\xa1M\x00\x91\x92\xc2\x93\xcd\x20\x0c\x92\x00\x05\x90"),  // 6 elements by the bounds, none sent
      Bytes("\x94\x01\xa1M\x00\xdd\xff\xff\xff\xff"),  // claims 4 billion arguments
  };
  for (const auto& body : bodies) EXPECT_THROW(DecodeRemoteCall(body), ERemoteProtocolError) << testing::PrintToString(body);
  // Nesting deeper than the limit is refused on both sides.
  Variant deep = 1;
  for (int i = 0; i <= RemoteMaxNesting + 1; ++i) deep = VarArrayOf({deep});
  TVarArgs args = {deep};
  EXPECT_THROW(EncodeRemoteCall("M", TInvokeKind::Method, args), ERemoteProtocolError);
}

TEST(RemoteProtocol, FramesAreLengthPrefixedAndBounded) {
  int fds[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
  WriteRemoteFrame(fds[0], "hello");
  std::string body;
  ASSERT_TRUE(ReadRemoteFrame(fds[1], body));
  EXPECT_EQ(body, "hello");
  const char oversize[] = {0x7f, 0x00, 0x00, 0x00};
  ASSERT_EQ(write(fds[0], oversize, 4), 4);
  EXPECT_THROW(ReadRemoteFrame(fds[1], body), ERemoteProtocolError);
  const char cut[] = {0x00, 0x00, 0x00, 0x10, 'a'};
  ASSERT_EQ(write(fds[0], cut, 5), 5);
  close(fds[0]);
  EXPECT_THROW(ReadRemoteFrame(fds[1], body), ERemoteProtocolError);
  EXPECT_FALSE(ReadRemoteFrame(fds[1], body));  // clean end
  close(fds[1]);
}

}  // namespace
