#pragma once
// The wire form of late-bound calls between a client and the application
// server: every message is a 4-byte big-endian length and a msgpack body.
//   call:  [1, member, invoke kind, [[by-ref flag, value], ...]]
//   reply: [1, true,  result, [[argument index, value], ...]]   by-ref values back
//          [1, false, class name, message]                        an error
// A variant is [var type] (Empty, Null), [var type, value] (scalars, dates as
// their double), or [varArray | element type, [low1, high1, ...], [elements]]
// with the elements in storage order, so arrays keep their dimensions and
// bounds; objects do not cross the wire.
#include <cstdint>
#include <string>
#include <vector>

#include "Automation.h"

KESR_DECLARE_EXCEPTION(ERemoteProtocolError, EOleError);

constexpr std::uint32_t RemoteMaxFrameSize = 64u * 1024u * 1024u;
constexpr int RemoteMaxNesting = 32;

struct TRemoteCall {
  std::string Member;
  TInvokeKind Kind = TInvokeKind::Method;
  std::vector<Variant> Args;
  std::vector<bool> ByRef;
};

struct TRemoteReply {
  bool Ok = true;
  Variant Result;
  std::vector<std::pair<int, Variant>> Refs;  // by-ref arguments as the callee left them
  std::string ErrorClass, ErrorMessage;
};

std::string EncodeRemoteCall(const std::string& member, TInvokeKind kind, const TVarArgs& args);
// Malformed bodies raise ERemoteProtocolError.
TRemoteCall DecodeRemoteCall(const std::string& body);
std::string EncodeRemoteReply(const TRemoteReply& reply);
TRemoteReply DecodeRemoteReply(const std::string& body);

// Frames on a connected socket. ReadRemoteFrame answers false at a clean end
// of the stream before a frame starts; a frame larger than the limit, or a
// stream that ends inside a frame, raises ERemoteProtocolError; socket
// failures raise EOSError.
bool ReadRemoteFrame(int socket, std::string& body, std::uint32_t maxSize = RemoteMaxFrameSize);
void WriteRemoteFrame(int socket, const std::string& body);
