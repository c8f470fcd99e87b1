#include "RemoteClient.h"

#include "RemoteProtocol.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

TRemoteObject::TRemoteObject(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int rc = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (rc != 0) throw EOleError("Cannot find the application server " + host + ": " + gai_strerror(rc));
  std::string why = "no address";
  for (addrinfo* a = found; a; a = a->ai_next) {
    const int s = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (s < 0) continue;
    if (connect(s, a->ai_addr, a->ai_addrlen) == 0) {
      FSocket = s;
      break;
    }
    why = std::strerror(errno);
    close(s);
  }
  freeaddrinfo(found);
  if (FSocket < 0)
    throw EOleError("Cannot connect to the application server " + host + ":" + std::to_string(port) + ": " + why);
}

TRemoteObject::~TRemoteObject() {
  if (FSocket >= 0) close(FSocket);
}

Variant TRemoteObject::Invoke(const std::string& name, TInvokeKind kind, TVarArgs& args) {
  std::lock_guard lock(FLock);
  if (FSocket < 0) throw EOleError("The connection to the application server is broken");
  std::string body;
  try {
    WriteRemoteFrame(FSocket, EncodeRemoteCall(name, kind, args));
    if (!ReadRemoteFrame(FSocket, body)) throw EOleError("The application server closed the connection");
  } catch (...) {
    // A half-written call or half-read reply leaves the stream out of step:
    // a later call would read this call's answer, so the socket goes.
    close(FSocket);
    FSocket = -1;
    throw;
  }
  TRemoteReply reply = DecodeRemoteReply(body);
  if (!reply.Ok) throw EOleError(reply.ErrorMessage);
  for (auto& [index, value] : reply.Refs)
    if (index >= 0 && static_cast<size_t>(index) < args.size() && args[index].IsByRef())
      args[index].Value() = std::move(value);
  return reply.Result;
}
