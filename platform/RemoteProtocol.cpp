#include "RemoteProtocol.h"

#define MSGPACK_NO_BOOST
#include <msgpack.hpp>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr int kVersion = 1;
using TPacker = msgpack::packer<msgpack::sbuffer>;

[[noreturn]] void Malformed(const std::string& why) { throw ERemoteProtocolError("Malformed message: " + why); }

void PackVariant(TPacker& p, const Variant& v, int depth) {
  if (depth > RemoteMaxNesting) throw ERemoteProtocolError("Arrays nested too deeply to send");
  const TVarType type = v.Type();
  if (v.IsArray()) {
    const TVarArrayData& a = *v.ArrayData();
    p.pack_array(3);
    p.pack(static_cast<unsigned>(type));
    p.pack_array(static_cast<std::uint32_t>(2 * a.DimCount()));
    for (int d = 1; d <= a.DimCount(); ++d) {
      p.pack(a.Bound(d).LowBound);
      p.pack(a.Bound(d).HighBound);
    }
    p.pack_array(static_cast<std::uint32_t>(a.ElementCount()));
    for (std::size_t i = 0; i < a.ElementCount(); ++i) PackVariant(p, a.At(i), depth + 1);
    return;
  }
  switch (type) {
    case varEmpty:
    case varNull:
      p.pack_array(1);
      p.pack(static_cast<unsigned>(type));
      return;
    case varSmallint: case varInteger: case varByte: case varInt64: case varBoolean:
      p.pack_array(2);
      p.pack(static_cast<unsigned>(type));
      p.pack(v.AsInt64());
      return;
    case varDouble:
      p.pack_array(2);
      p.pack(static_cast<unsigned>(type));
      p.pack(v.AsDouble());
      return;
    case varDate:
      p.pack_array(2);
      p.pack(static_cast<unsigned>(type));
      p.pack(v.AsDateTime());
      return;
    case varString: case varOleStr:
      p.pack_array(2);
      p.pack(static_cast<unsigned>(type));
      p.pack(v.AsString());
      return;
    default:
      throw ERemoteProtocolError("A variant of type " + VarTypeAsText(type) + " cannot be sent to the server");
  }
}

const msgpack::object& Item(const msgpack::object& o, std::uint32_t i) {
  if (o.type != msgpack::type::ARRAY || i >= o.via.array.size) Malformed("missing element " + std::to_string(i));
  return o.via.array.ptr[i];
}

std::int64_t IntOf(const msgpack::object& o) {
  if (o.type == msgpack::type::POSITIVE_INTEGER) {
    if (o.via.u64 > static_cast<std::uint64_t>(INT64_MAX)) Malformed("integer out of range");
    return static_cast<std::int64_t>(o.via.u64);
  }
  if (o.type == msgpack::type::NEGATIVE_INTEGER) return o.via.i64;
  Malformed("integer expected");
}

std::string TextOf(const msgpack::object& o) {
  if (o.type != msgpack::type::STR) Malformed("text expected");
  return std::string(o.via.str.ptr, o.via.str.size);
}

bool BoolOf(const msgpack::object& o) {
  if (o.type != msgpack::type::BOOLEAN) Malformed("boolean expected");
  return o.via.boolean;
}

Variant UnpackVariant(const msgpack::object& o, int depth) {
  if (depth > RemoteMaxNesting) Malformed("arrays nested too deeply");
  if (o.type != msgpack::type::ARRAY || o.via.array.size == 0) Malformed("variant expected");
  const std::int64_t rawType = IntOf(Item(o, 0));
  if (rawType < 0 || rawType > 0xFFFF) Malformed("bad variant type");
  const auto type = static_cast<TVarType>(rawType);
  if (type & varArray) {
    const TVarType element = type & varTypeMask;
    const auto& bounds = Item(o, 1);
    const auto& items = Item(o, 2);
    if (bounds.type != msgpack::type::ARRAY || bounds.via.array.size == 0 || bounds.via.array.size % 2 ||
        bounds.via.array.size > 2 * 64 || items.type != msgpack::type::ARRAY)
      Malformed("bad array bounds");
    std::vector<int> b;
    std::uint64_t count = 1;
    for (std::uint32_t i = 0; i < bounds.via.array.size; i += 2) {
      const std::int64_t lo = IntOf(bounds.via.array.ptr[i]), hi = IntOf(bounds.via.array.ptr[i + 1]);
      if (lo < INT32_MIN || hi > INT32_MAX || hi < lo - 1) Malformed("bad array bounds");
      count *= static_cast<std::uint64_t>(hi - lo + 1);
      if (count > items.via.array.size) Malformed("array bounds do not match its elements");
      b.push_back(static_cast<int>(lo));
      b.push_back(static_cast<int>(hi));
    }
    if (count != items.via.array.size) Malformed("array bounds do not match its elements");
    Variant array;
    try {
      array = VarArrayCreate(b, element);
    } catch (const Exception& e) {
      Malformed(e.Message());
    }
    TVarArrayData& data = *array.ArrayData();
    for (std::uint32_t i = 0; i < items.via.array.size; ++i) {
      Variant value = UnpackVariant(items.via.array.ptr[i], depth + 1);
      data.At(i) = element == varVariant ? std::move(value) : VarAsType(value, element);
    }
    return array;
  }
  switch (type) {
    case varEmpty: return Unassigned();
    case varNull: return Null();
    case varSmallint: return Variant(static_cast<std::int16_t>(IntOf(Item(o, 1))));
    case varInteger: {
      const std::int64_t v = IntOf(Item(o, 1));
      if (v < INT32_MIN || v > INT32_MAX) Malformed("integer out of range");
      return Variant(static_cast<int>(v));
    }
    case varByte: return Variant(static_cast<std::uint8_t>(IntOf(Item(o, 1))));
    case varInt64: return Variant(static_cast<long long>(IntOf(Item(o, 1))));
    case varBoolean: return Variant(IntOf(Item(o, 1)) != 0);
    case varDouble: case varDate: {
      const auto& v = Item(o, 1);
      double d = 0;
      if (v.type == msgpack::type::FLOAT32 || v.type == msgpack::type::FLOAT64) d = v.via.f64;
      else d = static_cast<double>(IntOf(v));
      return type == varDate ? Variant::FromDate(d) : Variant(d);
    }
    case varString: return Variant(TextOf(Item(o, 1)));
    case varOleStr: return Variant::OleStr(TextOf(Item(o, 1)));
    default: Malformed("variant type " + std::to_string(type) + " is not supported");
  }
}

msgpack::object_handle Parse(const std::string& body) {
  try {
    std::size_t offset = 0;
    // No container can hold more elements than the body has bytes, so a
    // declared size beyond that is refused before anything is allocated.
    const msgpack::unpack_limit limit(body.size(), 0, body.size(), body.size(), 0, 4 * RemoteMaxNesting + 8);
    auto handle = msgpack::unpack(body.data(), body.size(), offset, nullptr, nullptr, limit);
    if (offset != body.size()) Malformed("trailing bytes");
    return handle;
  } catch (const msgpack::type_error&) {
    Malformed("wrong value type");
  } catch (const msgpack::unpack_error& e) {
    Malformed(e.what());
  } catch (const std::bad_alloc&) {
    Malformed("too large");
  }
}

void CheckVersion(const msgpack::object& root) {
  if (IntOf(Item(root, 0)) != kVersion) Malformed("unknown protocol version");
}

}  // namespace

std::string EncodeRemoteCall(const std::string& member, TInvokeKind kind, const TVarArgs& args) {
  msgpack::sbuffer buffer;
  TPacker p(buffer);
  p.pack_array(4);
  p.pack(kVersion);
  p.pack(member);
  p.pack(static_cast<int>(kind));
  p.pack_array(static_cast<std::uint32_t>(args.size()));
  for (const auto& a : args) {
    p.pack_array(2);
    p.pack(a.IsByRef());
    PackVariant(p, a.Value(), 0);
  }
  return std::string(buffer.data(), buffer.size());
}

TRemoteCall DecodeRemoteCall(const std::string& body) {
  const auto handle = Parse(body);
  const auto& root = handle.get();
  CheckVersion(root);
  TRemoteCall call;
  call.Member = TextOf(Item(root, 1));
  if (call.Member.empty()) Malformed("empty member name");
  const std::int64_t kind = IntOf(Item(root, 2));
  if (kind < 0 || kind > 2) Malformed("bad invoke kind");
  call.Kind = static_cast<TInvokeKind>(kind);
  const auto& args = Item(root, 3);
  if (args.type != msgpack::type::ARRAY) Malformed("argument list expected");
  for (std::uint32_t i = 0; i < args.via.array.size; ++i) {
    call.ByRef.push_back(BoolOf(Item(args.via.array.ptr[i], 0)));
    call.Args.push_back(UnpackVariant(Item(args.via.array.ptr[i], 1), 0));
  }
  return call;
}

std::string EncodeRemoteReply(const TRemoteReply& reply) {
  msgpack::sbuffer buffer;
  TPacker p(buffer);
  p.pack_array(4);
  p.pack(kVersion);
  p.pack(reply.Ok);
  if (!reply.Ok) {
    p.pack(reply.ErrorClass);
    p.pack(reply.ErrorMessage);
  } else {
    PackVariant(p, reply.Result, 0);
    p.pack_array(static_cast<std::uint32_t>(reply.Refs.size()));
    for (const auto& [index, value] : reply.Refs) {
      p.pack_array(2);
      p.pack(index);
      PackVariant(p, value, 0);
    }
  }
  return std::string(buffer.data(), buffer.size());
}

TRemoteReply DecodeRemoteReply(const std::string& body) {
  const auto handle = Parse(body);
  const auto& root = handle.get();
  CheckVersion(root);
  TRemoteReply reply;
  reply.Ok = BoolOf(Item(root, 1));
  if (!reply.Ok) {
    reply.ErrorClass = TextOf(Item(root, 2));
    reply.ErrorMessage = TextOf(Item(root, 3));
    return reply;
  }
  reply.Result = UnpackVariant(Item(root, 2), 0);
  const auto& refs = Item(root, 3);
  if (refs.type != msgpack::type::ARRAY) Malformed("reference list expected");
  for (std::uint32_t i = 0; i < refs.via.array.size; ++i) {
    const std::int64_t index = IntOf(Item(refs.via.array.ptr[i], 0));
    if (index < 0 || index > INT32_MAX) Malformed("bad argument index");
    reply.Refs.emplace_back(static_cast<int>(index), UnpackVariant(Item(refs.via.array.ptr[i], 1), 0));
  }
  return reply;
}

namespace {

// Reads exactly size bytes; false when the stream ends before the first byte.
bool ReadExactly(int socket, char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = recv(socket, data + done, size - done, 0);
    if (n == 0) {
      if (done == 0) return false;
      throw ERemoteProtocolError("The connection ended inside a message");
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EOSError(std::string("Cannot read from the connection: ") + std::strerror(errno));
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool ReadRemoteFrame(int socket, std::string& body, std::uint32_t maxSize) {
  unsigned char head[4];
  if (!ReadExactly(socket, reinterpret_cast<char*>(head), 4)) return false;
  const std::uint32_t size = (std::uint32_t{head[0]} << 24) | (std::uint32_t{head[1]} << 16) |
                             (std::uint32_t{head[2]} << 8) | std::uint32_t{head[3]};
  if (size == 0 || size > maxSize)
    throw ERemoteProtocolError("Refused a message of " + std::to_string(size) + " bytes (limit " +
                               std::to_string(maxSize) + ")");
  body.resize(size);
  if (!ReadExactly(socket, body.data(), size)) throw ERemoteProtocolError("The connection ended inside a message");
  return true;
}

void WriteRemoteFrame(int socket, const std::string& body) {
  if (body.size() > RemoteMaxFrameSize) throw ERemoteProtocolError("Message too large to send");
  const auto size = static_cast<std::uint32_t>(body.size());
  std::string frame = {static_cast<char>(size >> 24), static_cast<char>(size >> 16), static_cast<char>(size >> 8),
                       static_cast<char>(size)};
  frame += body;
  std::size_t done = 0;
  while (done < frame.size()) {
    const ssize_t n = send(socket, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EOSError(std::string("Cannot write to the connection: ") + std::strerror(errno));
    }
    done += static_cast<std::size_t>(n);
  }
}
