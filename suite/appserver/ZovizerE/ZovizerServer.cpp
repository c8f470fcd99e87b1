#include "ZovizerServer.h"

#include "ComObj.h"

#include <strings.h>

using namespace Appserver;

namespace {

std::vector<std::string> Texts(const Variant& value) {
  std::vector<std::string> texts;
  if (!value.IsArray()) {
    if (!value.IsEmpty() && !value.IsNull()) texts.push_back(VarToStr(value));
    return texts;
  }
  if (VarArrayDimCount(value) != 1) throw EOleError("a one-dimensional array of texts was expected");
  for (int i = VarArrayLowBound(value, 1); i <= VarArrayHighBound(value, 1); ++i)
    texts.push_back(VarToStr(value.GetElement({i})));
  return texts;
}

Variant Element(const Variant& array, int offset) {
  if (!array.IsArray() || VarArrayDimCount(array) != 1) throw EOleError("an array argument was expected");
  const int index = VarArrayLowBound(array, 1) + offset;
  if (index > VarArrayHighBound(array, 1)) return Unassigned();
  return array.GetElement({index});
}

TSchemeKey SchemeKey(const Variant& array) {
  const auto t = Texts(array);
  if (t.size() < 3) throw EOleError("a scheme key [name, user, program] was expected");
  return {t[0], t[1], t[2]};
}

Variant Text(const std::string& s) { return Variant::OleStr(s); }

}  // namespace

Variant DbValueToVariant(const TDbValue& value) {
  if (std::holds_alternative<std::monostate>(value)) return Null();
  if (auto* i = std::get_if<std::int64_t>(&value)) {
    if (*i >= INT32_MIN && *i <= INT32_MAX) return Variant(static_cast<int>(*i));
    return Variant(static_cast<long long>(*i));
  }
  if (auto* d = std::get_if<double>(&value)) return Variant(*d);
  if (auto* s = std::get_if<std::string>(&value)) return Text(*s);
  const std::string& bytes = std::get<TBlob>(value).Bytes;
  Variant array = VarArrayCreate({0, static_cast<int>(bytes.size()) - 1}, varByte);
  for (size_t i = 0; i < bytes.size(); ++i)
    array.PutElement({static_cast<int>(i)}, Variant(static_cast<std::uint8_t>(bytes[i])));
  return array;
}

Variant RowsToVariant(const std::vector<std::vector<TDbValue>>& rows) {
  std::vector<Variant> out;
  out.reserve(rows.size());
  for (const auto& row : rows) {
    std::vector<Variant> cells;
    cells.reserve(row.size());
    for (const auto& cell : row) cells.push_back(DbValueToVariant(cell));
    out.push_back(VarArrayOf(cells));
  }
  return VarArrayOf(out);
}

Variant DataPacketToVariant(const TDataPacket& packet) {
  std::vector<Variant> fields;
  for (const auto& f : packet.Fields)
    fields.push_back(VarArrayOf({Text(f.Info.Name), Text(FieldKindName(f.Info.Kind)), f.Info.Width, f.Info.Scale,
                                 Text(f.Label)}));
  return VarArrayOf({VarArrayOf(fields), RowsToVariant(packet.Rows)});
}

TZovizerServer::TZovizerServer(const TServerConfig& config)
    : FService(config.OpenDatabase(TErpSchema::Shipped()), TErpSchema::Shipped(), config.SqlType) {
  AddMembers();
}

TZovizerServer::TZovizerServer(std::unique_ptr<IDatabase> db, int sqlType)
    : FService(std::move(db), TErpSchema::Shipped(), sqlType) {
  AddMembers();
}

void TZovizerServer::AddMembers() {
  auto& s = FService;
  AddMethod("Connect", 1, [&s](TVarArgs& a) {
    s.Connect(Texts(a[0].Value()));
    return Unassigned();
  });
  AddMethod("PowerData", 0, [&s](TVarArgs&) {
    const TPowerData p = s.PowerData();
    std::vector<Variant> limits = {static_cast<int>(p.Limits.size())};
    for (const auto& l : p.Limits) limits.push_back(Text(l));
    return VarArrayOf({Text(p.RowFilter), Text(p.RightsFields), Text(p.UserName), Text(p.Group), Text(p.LimitFlag),
                       VarArrayOf(limits)});
  });
  AddProperty("SQLType", [&s] { return Variant(s.SQLType()); });
  AddMethod("DataRequest", 2, [&s](TVarArgs& a) {
    return DataPacketToVariant(s.DataRequest(VarToStr(a[0].Value()), VarToStr(a[1].Value())));
  });
  AddMethod("LoadTable", 1, [&s](TVarArgs& a) {
    const auto t = Texts(a[0].Value());
    if (t.size() < 2) throw EOleError("LoadTable expects [user, program]");
    s.LoadTable(t[0], t[1]);
    return Unassigned();
  });
  AddMethod("InsertConTable", 1, [&s](TVarArgs& a) {
    const Variant& arr = a[0].Value();
    const Variant replace = Element(arr, 6);
    std::vector<std::string> t;
    for (int i = 0; i < 6; ++i) t.push_back(VarToStr(Element(arr, i)));
    return Text(s.InsertConTable(t, !replace.IsEmpty() && !replace.IsNull() && replace.AsBoolean()));
  });
  AddMethod("DeleteConTable", 1, [&s](TVarArgs& a) { return Text(s.DeleteConTable(SchemeKey(a[0].Value()))); });
  AddMethod("ChangeConName", 2, [&s](TVarArgs& a) {
    return Text(s.ChangeConName(SchemeKey(a[0].Value()), SchemeKey(a[1].Value())));
  });
  AddMethod("GetBlobField", 2, [&s](TVarArgs& a) {
    const auto t = Texts(a[0].Value());
    if (t.size() < 2) throw EOleError("GetBlobField expects [class name, format name]");
    const auto found = s.GetBlobField(t[0], t[1]);
    a[1].Value() = found ? VarArrayOf({Text(found->Counter), Text(found->Layout)}) : Unassigned();
    return Variant(found ? 1 : 0);
  });
  AddMethod("RunUpdFlagSQL", 1, [&s](TVarArgs& a) {
    const Variant& p = a[0].Value();
    return Variant(s.RunUpdFlagSQL(Element(p, 0).AsInt64(), VarToStr(Element(p, 1)), VarToStr(Element(p, 2)),
                                   VarToStr(Element(p, 3))));
  });
  AddMethod("RunInsUpdSQL", 4, [&s](TVarArgs& a) {
    const Variant& size = a[3].Value();
    return Variant(s.RunInsUpdSQL(a[0].Value().AsBoolean(), Texts(a[1].Value()), Texts(a[2].Value()),
                                  size.IsEmpty() || size.IsNull() ? 0 : size.AsInt64()));
  });
  AddMethod("RunDeleteSQL", 1, [&s](TVarArgs& a) {
    const auto t = Texts(a[0].Value());
    if (t.size() < 2) throw EOleError("RunDeleteSQL expects [class name, format name]");
    return Variant(s.RunDeleteSQL(t[0], t[1]));
  });
  AddMethod("RunFreeSQL", 1, [&s](TVarArgs& a) { return Variant(s.RunFreeSQL(VarToStr(a[0].Value()))); });
  AddMethod("UpdatePrintCount", 1, [&s](TVarArgs& a) { return Variant(s.UpdatePrintCount(Texts(a[0].Value()))); });
  // The host's validator asks the named queries with these two calls.
  AddMethod("QueryData", 5, [&s](TVarArgs& a) {
    const auto rows = s.QueryNamed(VarToStr(a[0].Value()), VarToStr(a[1].Value()), Texts(a[3].Value()));
    a[4].Value() = rows.empty() ? Null() : RowsToVariant(rows);
    return Variant(true);
  });
  AddMethod("CheckValue", 5, [&s](TVarArgs& a) {
    const auto rows = s.QueryNamed(VarToStr(a[0].Value()), VarToStr(a[1].Value()), Texts(a[3].Value()));
    a[4].Value() = rows.empty() ? Unassigned() : RowsToVariant({rows[0]})[0];
    return Variant(!rows.empty());
  });
  AddMethod("GetSysInfo", 1, [&s](TVarArgs& a) {
    const auto settings = s.GetSysInfo(VarToStr(a[0].Value()));
    Variant out = VarArrayCreate({0, 1, 0, static_cast<int>(settings.size()) - 1}, varVariant);
    for (size_t i = 0; i < settings.size(); ++i) {
      out(0, static_cast<int>(i)) = Text(settings[i].first);
      out(1, static_cast<int>(i)) = Text(settings[i].second);
    }
    return out;
  });
  AddMethod("GetCounter", 3, [&s](TVarArgs& a) {
    const std::string name = VarToStr(a[0].Value());
    if (strcasecmp(name.c_str(), "SimpleSql") != 0) throw EOleError("unknown counter routine " + name);
    const auto t = Texts(a[1].Value());
    if (t.empty()) throw EOleError("SimpleSql expects [SQL text, field]");
    return RowsToVariant(s.SimpleSql(t[0]));
  });
}

extern "C" __attribute__((visibility("default"))) void KesrRegisterOleServers() {
  RegisterOleClass(TZovizerServer::ProgId, [] {
    return std::make_shared<TZovizerServer>(TServerConfig::Read(TServerConfig::DefaultPath()));
  });
}
