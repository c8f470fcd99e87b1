#include "RemoteServer.h"

#include "RemoteProtocol.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <iostream>

namespace {

TRemoteReply ErrorReply(const std::string& cls, const std::string& message) {
  TRemoteReply reply;
  reply.Ok = false;
  reply.ErrorClass = cls;
  reply.ErrorMessage = message;
  return reply;
}

// One call: decode, invoke, and the reply with the by-ref arguments.
TRemoteReply Answer(IDispatch* object, const std::string& creationError, const std::string& body) {
  try {
    TRemoteCall call = DecodeRemoteCall(body);
    if (!object) return ErrorReply("EOleError", creationError);
    TVarArgs args;
    args.reserve(call.Args.size());
    // By-ref arguments refer to the decoded values, so the callee's changes land there.
    for (size_t i = 0; i < call.Args.size(); ++i) {
      if (call.ByRef[i]) args.push_back(VarRef(call.Args[i]));
      else args.emplace_back(call.Args[i]);
    }
    TRemoteReply reply;
    reply.Result = object->Invoke(call.Member, call.Kind, args);
    for (size_t i = 0; i < call.Args.size(); ++i)
      if (call.ByRef[i]) reply.Refs.emplace_back(static_cast<int>(i), call.Args[i]);
    return reply;
  } catch (const Exception& e) {
    return ErrorReply(e.ClassName(), e.Message());
  } catch (const std::exception& e) {
    return ErrorReply("Exception", e.what());
  }
}

}  // namespace

TRemoteServer::TRemoteServer(const std::string& address, int port, TFactory factory) : FFactory(std::move(factory)) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int rc = getaddrinfo(address.empty() ? nullptr : address.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (rc != 0) throw EOSError("Cannot resolve the listen address " + address + ": " + gai_strerror(rc));
  std::string why = "no address";
  for (addrinfo* a = found; a && FListen < 0; a = a->ai_next) {
    const int s = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (s < 0) continue;
    const int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (bind(s, a->ai_addr, a->ai_addrlen) == 0 && listen(s, 64) == 0) {
      FListen = s;
    } else {
      why = std::strerror(errno);
      close(s);
    }
  }
  freeaddrinfo(found);
  if (FListen < 0) throw EOSError("Cannot listen on " + address + ":" + std::to_string(port) + ": " + why);
  sockaddr_storage bound{};
  socklen_t length = sizeof bound;
  getsockname(FListen, reinterpret_cast<sockaddr*>(&bound), &length);
  FPort = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
  if (pipe2(FWake, O_CLOEXEC | O_NONBLOCK) != 0) {
    close(FListen);
    throw EOSError(std::string("Cannot create a pipe: ") + std::strerror(errno));
  }
}

TRemoteServer::~TRemoteServer() {
  Reap(true);
  for (int fd : {FListen, FWake[0], FWake[1]})
    if (fd >= 0) close(fd);
}

void TRemoteServer::Stop() noexcept {
  const char byte = 1;
  [[maybe_unused]] const auto n = write(FWake[1], &byte, 1);
}

void TRemoteServer::Run() {
  for (;;) {
    pollfd fds[2] = {{FListen, POLLIN, 0}, {FWake[0], POLLIN, 0}};
    if (poll(fds, 2, 1000) < 0) {
      if (errno == EINTR) continue;
      throw EOSError(std::string("poll failed: ") + std::strerror(errno));
    }
    if (fds[1].revents) break;
    Reap(false);
    if (!(fds[0].revents & POLLIN)) continue;
    const int client = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;  // the client went away before we took it
    std::lock_guard lock(FLock);
    TConnection& c = FConnections.emplace_back();
    c.Socket = client;
    c.Thread = std::thread([this, &c] { Serve(c); });
  }
  Reap(true);
}

void TRemoteServer::Reap(bool all) {
  std::list<TConnection> finished;
  {
    std::lock_guard lock(FLock);
    for (auto it = FConnections.begin(); it != FConnections.end();) {
      auto next = std::next(it);
      if (all && !it->Done) shutdown(it->Socket, SHUT_RD);  // ends the wait for the next call
      if (all || it->Done) finished.splice(finished.end(), FConnections, it);
      it = next;
    }
  }
  for (auto& c : finished) {
    c.Thread.join();
    close(c.Socket);
  }
}

void TRemoteServer::Serve(TConnection& c) {
  std::shared_ptr<IDispatch> object;
  std::string creationError;
  try {
    object = FFactory();
  } catch (const std::exception& e) {
    creationError = std::string("The application server cannot open its session: ") + e.what();
    std::cerr << "appserver: " << creationError << std::endl;
  }
  try {
    for (std::string body;;) {
      try {
        if (!ReadRemoteFrame(c.Socket, body)) break;
      } catch (const ERemoteProtocolError& e) {
        // The stream is out of step (an oversize or cut frame): say why and hang up.
        WriteRemoteFrame(c.Socket, EncodeRemoteReply(ErrorReply(e.ClassName(), e.Message())));
        break;
      }
      WriteRemoteFrame(c.Socket, EncodeRemoteReply(Answer(object.get(), creationError, body)));
    }
  } catch (const std::exception&) {
    // The client went away mid-reply; nothing is left to answer.
  }
  object.reset();  // the session's database connection closes with its thread
  c.Done = true;
}
