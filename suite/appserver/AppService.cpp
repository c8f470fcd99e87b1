#include "AppService.h"

#include <cctype>
#include <ctime>
#include <strings.h>

namespace Appserver {
namespace {

std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string TextAt(const std::vector<std::string>& args, size_t i) { return i < args.size() ? args[i] : std::string(); }

// A look-up key typed by the user, matched as a prefix.
std::string PrefixPattern(const std::string& text) {
  std::string out;
  for (char ch : Trimmed(text)) {
    if (ch == '%' || ch == '_' || ch == '\\') out += '\\';
    out += ch;
  }
  return out + "%";
}

const char* const kAuditColumns[] = {"COMPANY", "CREATOR", "USR_GROUP", "CREATE_DATE", "FLAG", "TA001",
                                     "TA002", "TA003", "TA004", "TA005", "TA006"};

}  // namespace

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[16];
  std::strftime(buf, sizeof buf, "%Y%m%d", &tm);
  return buf;
}

TAppService::TAppService(std::unique_ptr<IDatabase> db, const TErpSchema& schema, int sqlType)
    : FDb(std::move(db)), FSchema(schema), FSqlType(sqlType) {}

TCompanyCatalog& TAppService::Catalog() {
  if (!FCatalog) throw EAppServerError("the session is not connected: call Connect first");
  return *FCatalog;
}

TDbValue TAppService::Fit(const std::string& table, const std::string& column, const std::string& value) const {
  const TSchemaTable* t = FSchema.Table(table);
  const TSchemaColumn* c = t ? t->Column(column) : nullptr;
  if (!c) throw EAppServerError("unknown column " + table + "." + column);
  return FitToColumn(c->Info, value);
}

std::vector<std::vector<TDbValue>> TAppService::Select(const std::string& sql) {
  const auto q = TranslateSelect(sql, FSqlType, FDb->Kind(), Catalog().Resolver());
  return FDb->QueryReadOnly(q.Sql, {}).Rows;
}

void TAppService::Connect(const std::vector<std::string>& args) {
  if (args.size() < 3) throw EAppServerError("Connect expects [program, user, company, data source, main table]");
  const std::string program = Trimmed(args[0]), user = Trimmed(args[1]), company = Trimmed(args[2]);
  CheckCompanyCode(company);
  if (FDb->Query("SELECT ML001 FROM CMSML WHERE ML001 = ?", {company}).Rows.empty())
    throw EAppServerError("company " + company + " does not exist");
  auto catalog = std::make_unique<TCompanyCatalog>(*FDb, FSchema, company);
  const auto users = FDb->Query("SELECT MF004 FROM " + catalog->Physical("ADMMF") + " WHERE MF001 = ?", {user});
  if (users.Rows.empty()) throw EAppServerError("user " + user + " does not exist in company " + company);
  FCatalog = std::move(catalog);
  FProgram = program;
  FUser = user;
  FCompany = company;
  FDataSource = Trimmed(TextAt(args, 3));
  FMainTable = Trimmed(TextAt(args, 4));
  FGroup = Trimmed(DbValueText(users.Rows[0][0]));
  FSchemeFilter.reset();
}

TPowerData TAppService::PowerData() {
  const auto user = FDb->Query("SELECT MF002, MF004, MF005 FROM " + Table("ADMMF") + " WHERE MF001 = ?", {FUser});
  if (user.Rows.empty()) throw EAppServerError("user " + FUser + " no longer exists");
  const std::string name = Trimmed(DbValueText(user.Rows[0][0]));
  const bool super = Trimmed(DbValueText(user.Rows[0][2])) == "Y";
  // The user's own entry wins over the entry of his group.
  TRowSet rights;
  for (const std::string& who : {FUser, FGroup}) {
    rights = FDb->Query("SELECT MH003, MH004, MH005, MH006 FROM " + Table("ADMMH") + " WHERE MH001 = ? AND MH002 = ?",
                        {who, FProgram});
    if (!rights.Rows.empty()) break;
  }
  TPowerData p;
  p.UserName = name;
  p.Group = FGroup;
  std::string rightsText = super ? "YYYYYYYY" : "NNNNNNNN";
  p.LimitFlag = "N";
  if (!rights.Rows.empty()) {
    const auto& r = rights.Rows[0];
    rightsText = Trimmed(DbValueText(r[0]));
    p.RowFilter = Trimmed(DbValueText(r[1]));
    p.LimitFlag = Trimmed(DbValueText(r[2])) == "Y" ? "Y" : "N";
    const std::string limits = Trimmed(DbValueText(r[3]));
    for (size_t b = 0; b < limits.size();) {
      size_t e = limits.find(';', b);
      if (e == std::string::npos) e = limits.size();
      if (e > b) p.Limits.push_back(limits.substr(b, e - b));
      b = e + 1;
    }
  }
  p.RightsFields = FUser + "," + (super ? "Y" : "N") + "," + (rights.Rows.empty() ? "N" : "Y") + "," + rightsText +
                   "," + name + "," + FGroup;
  return p;
}

TDataPacket TAppService::Packet(const TRowSet& rows, const std::vector<TOutputColumn>& columns) const {
  TDataPacket packet;
  for (size_t i = 0; i < rows.Fields.size(); ++i) {
    TPacketField f{rows.Fields[i], {}};
    if (i < columns.size()) {
      f.Info.Name = columns[i].Name;
      const TSchemaTable* t = FSchema.Table(columns[i].Table);
      const TSchemaColumn* c = t ? t->Column(columns[i].Column) : nullptr;
      if (c) {
        // The declared type beats what an expression-typed backend reports.
        f.Info = c->Info;
        f.Info.Name = columns[i].Name;
        f.Label = c->Caption;
      }
    }
    if (f.Label.empty()) f.Label = f.Info.Name;
    packet.Fields.push_back(std::move(f));
  }
  packet.Rows = rows.Rows;
  return packet;
}

TDataPacket TAppService::DataRequest(const std::string& provider, const std::string& request) {
  if (strcasecmp(provider.c_str(), "pvdConSave") == 0) {
    if (!FSchemeFilter) throw EAppServerError("pvdConSave: call LoadTable first");
    std::vector<TOutputColumn> columns;
    std::string list;
    for (const char* c : {"NCONDITION", "CREATOR", "PROGRAMME", "SCONDITION", "VCONDITION", "CREATE_DATE"}) {
      columns.push_back({c, "GENES", c});
      list += (list.empty() ? "" : ", ") + std::string(c);
    }
    const auto rows = FDb->QueryReadOnly("SELECT " + list + " FROM " + Table("GENES") +
                                             " WHERE CREATOR = ? AND PROGRAMME = ? ORDER BY NCONDITION",
                                         {FSchemeFilter->first, FSchemeFilter->second});
    return Packet(rows, columns);
  }
  if (strcasecmp(provider.c_str(), "Provider1") != 0 && strcasecmp(provider.c_str(), "Provider2") != 0 &&
      strcasecmp(provider.c_str(), "pvdTemp") != 0)
    throw EAppServerError("unknown data provider " + provider);
  const auto q = TranslateSelect(request, FSqlType, FDb->Kind(), Catalog().Resolver());
  return Packet(FDb->QueryReadOnly(q.Sql, {}), q.Columns);
}

void TAppService::LoadTable(const std::string& user, const std::string& program) {
  Catalog();
  FSchemeFilter.emplace(Trimmed(user), Trimmed(program));
}

std::string TAppService::InsertConTable(const std::vector<std::string>& args, bool replace) {
  if (args.size() < 6) return "InsertConTable expects [name, user, date, program, controls, values, replace]";
  const std::string name = Trimmed(args[0]), user = Trimmed(args[1]), program = Trimmed(args[3]);
  if (name.empty()) return "方案名称不可空白";
  if (user != FUser) return "方案只能保存给当前用户";
  try {
    TTransaction tx(*FDb);
    const std::string table = Table("GENES");
    const std::vector<TDbValue> key = {Fit("GENES", "NCONDITION", name), user, program};
    const bool exists = !FDb->Query("SELECT 1 FROM " + table + " WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                                    key).Rows.empty();
    if (exists && !replace) return "方案[" + name + "]已经存在";
    if (exists)
      FDb->Execute("UPDATE " + table + " SET SCONDITION = ?, VCONDITION = ?, CREATE_DATE = ? "
                   "WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                   {args[4], args[5], Fit("GENES", "CREATE_DATE", args[2]), key[0], key[1], key[2]});
    else
      FDb->Execute("INSERT INTO " + table + " (NCONDITION, CREATOR, PROGRAMME, SCONDITION, VCONDITION, CREATE_DATE) "
                   "VALUES (?, ?, ?, ?, ?, ?)",
                   {key[0], Fit("GENES", "CREATOR", user), Fit("GENES", "PROGRAMME", program), args[4], args[5],
                    Fit("GENES", "CREATE_DATE", args[2])});
    tx.Commit();
    return {};
  } catch (const Exception& e) {
    return e.Message();
  }
}

std::string TAppService::DeleteConTable(const TSchemeKey& key) {
  if (Trimmed(key.User) != FUser) return "只能删除当前用户的方案";
  try {
    const auto n = FDb->Execute("DELETE FROM " + Table("GENES") + " WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                                {Trimmed(key.Name), Trimmed(key.User), Trimmed(key.Program)});
    return n > 0 ? std::string() : "方案[" + Trimmed(key.Name) + "]不存在";
  } catch (const Exception& e) {
    return e.Message();
  }
}

std::string TAppService::ChangeConName(const TSchemeKey& oldKey, const TSchemeKey& newKey) {
  if (Trimmed(oldKey.User) != FUser || Trimmed(newKey.User) != FUser) return "只能更改当前用户的方案";
  const std::string newName = Trimmed(newKey.Name);
  if (newName.empty()) return "方案名称不可空白";
  try {
    TTransaction tx(*FDb);
    const std::string table = Table("GENES");
    if (!FDb->Query("SELECT 1 FROM " + table + " WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                    {newName, Trimmed(newKey.User), Trimmed(newKey.Program)}).Rows.empty())
      return "方案[" + newName + "]已经存在";
    const auto n = FDb->Execute("UPDATE " + table + " SET NCONDITION = ?, PROGRAMME = ? "
                                "WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                                {Fit("GENES", "NCONDITION", newName), Fit("GENES", "PROGRAMME", Trimmed(newKey.Program)),
                                 Trimmed(oldKey.Name), Trimmed(oldKey.User), Trimmed(oldKey.Program)});
    if (n == 0) return "方案[" + Trimmed(oldKey.Name) + "]不存在";
    tx.Commit();
    return {};
  } catch (const Exception& e) {
    return e.Message();
  }
}

std::optional<TStoredFormat> TAppService::GetBlobField(const std::string& className, const std::string& name) {
  Catalog();
  const auto rows = FDb->Query("SELECT NT003, NT005 FROM WARRANT WHERE NT001 = ? AND NT002 = ?",
                               {Trimmed(className), Trimmed(name)});
  if (rows.Rows.empty()) return std::nullopt;
  // The counter goes out without the CHAR padding: the client reads it as a number.
  return TStoredFormat{Trimmed(DbValueText(rows.Rows[0][0])), DbValueText(rows.Rows[0][1])};
}

int TAppService::RunUpdFlagSQL(std::int64_t counter, const std::string& counterRead, const std::string& className,
                               const std::string& name) {
  Catalog();
  if (counter < 0 || counter > 998) return -1;
  // Compare-and-set: only the client that still holds the counter it read
  // takes the lock, by advancing the counter to the value its save writes.
  const auto n = FDb->Execute("UPDATE WARRANT SET NT003 = ?, MODIFIER = ?, MODI_DATE = ? "
                              "WHERE NT001 = ? AND NT002 = ? AND NT003 = ?",
                              {Fit("WARRANT", "NT003", std::to_string(counter + 1)), Fit("WARRANT", "MODIFIER", FUser),
                               TodayText(), Trimmed(className), Trimmed(name), Trimmed(counterRead)});
  return n == 1 ? 1 : -1;
}

int TAppService::RunInsUpdSQL(bool isUpdate, const std::vector<std::string>& lines,
                              const std::vector<std::string>& params, std::int64_t sizeKB) {
  Catalog();
  if (params.size() != 7) throw EAppServerError("RunInsUpdSQL expects 7 parameters, " + std::to_string(params.size()) + " given");
  std::string layout;
  for (size_t i = 0; i < lines.size(); ++i) layout += (i ? "\r\n" : "") + lines[i];
  if (isUpdate) {
    // Only the holder of the lock (the counter it set) may overwrite.
    const auto n = FDb->Execute(
        "UPDATE WARRANT SET COMPANY = ?, CREATOR = ?, MODIFIER = ?, MODI_DATE = ?, NT004 = ?, NT005 = ?, NT006 = ? "
        "WHERE NT001 = ? AND NT002 = ? AND NT003 = ?",
        {Fit("WARRANT", "COMPANY", params[0]), Fit("WARRANT", "CREATOR", params[1]), Fit("WARRANT", "MODIFIER", FUser),
         TodayText(), params[6], layout, sizeKB, Trimmed(params[4]), Trimmed(params[5]), Trimmed(params[3])});
    return n == 1 ? 1 : -1;
  }
  TTransaction tx(*FDb);
  if (!FDb->Query("SELECT 1 FROM WARRANT WHERE NT001 = ? AND NT002 = ?", {Trimmed(params[3]), Trimmed(params[4])})
           .Rows.empty())
    return -1;  // saved by someone else meanwhile
  FDb->Execute("INSERT INTO WARRANT (COMPANY, CREATOR, USR_GROUP, CREATE_DATE, NT001, NT002, NT003, NT004, NT005, NT006) "
               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
               {Fit("WARRANT", "COMPANY", params[0]), Fit("WARRANT", "CREATOR", params[1]),
                Fit("WARRANT", "USR_GROUP", params[2]), TodayText(), Fit("WARRANT", "NT001", Trimmed(params[3])),
                Fit("WARRANT", "NT002", Trimmed(params[4])), Fit("WARRANT", "NT003", params[5]), params[6], layout,
                sizeKB});
  tx.Commit();
  return 1;
}

int TAppService::RunDeleteSQL(const std::string& className, const std::string& name) {
  Catalog();
  return static_cast<int>(
      FDb->Execute("DELETE FROM WARRANT WHERE NT001 = ? AND NT002 = ?", {Trimmed(className), Trimmed(name)}));
}

int TAppService::RunFreeSQL(const std::string& sql) {
  // Only the send-audit row: INSERT INTO $$ADMTA (<the 11 columns>) VALUES('...', ...),
  // every value a literal; it is written with parameters.
  const auto t = Tokenize(sql);
  size_t i = 0;
  auto refuse = [](const std::string& why) -> int {
    throw ESqlError("free SQL is limited to the send-audit insert into $$ADMTA: " + why);
  };
  auto expect = [&](const char* word) {
    if (!t[i].Is(word)) refuse(std::string("\"") + word + "\" expected");
    ++i;
  };
  expect("INSERT");
  expect("INTO");
  if (t[i].Kind != TTokenKind::Word || !(t[i].Is("$$ADMTA") || t[i].Is("ADMTA"))) refuse("the table must be $$ADMTA");
  ++i;
  expect("(");
  for (size_t c = 0; c < std::size(kAuditColumns); ++c) {
    if (c) expect(",");
    if (t[i].Kind != TTokenKind::Word || !t[i].Is(kAuditColumns[c])) refuse(std::string("column ") + kAuditColumns[c] + " expected");
    ++i;
  }
  expect(")");
  expect("VALUES");
  expect("(");
  std::vector<TDbValue> values;
  for (size_t c = 0; c < std::size(kAuditColumns); ++c) {
    if (c) expect(",");
    if (t[i].Kind != TTokenKind::String) refuse("every value must be a quoted text");
    values.push_back(Fit("ADMTA", kAuditColumns[c], t[i++].Text));
  }
  expect(")");
  if (t[i].Is(";")) ++i;
  if (t[i].Kind != TTokenKind::End) refuse("nothing may follow the insert");
  std::string columns, marks;
  for (size_t c = 0; c < std::size(kAuditColumns); ++c) {
    columns += (c ? ", " : "") + std::string(kAuditColumns[c]);
    marks += c ? ", ?" : "?";
  }
  FDb->Execute("INSERT INTO " + Table("ADMTA") + " (" + columns + ") VALUES (" + marks + ")", values);
  return 1;
}

int TAppService::UpdatePrintCount(const std::vector<std::string>& keys) {
  if (keys.size() < 2) throw EAppServerError("UpdatePrintCount expects [order type, order number, page key]");
  return static_cast<int>(FDb->Execute("UPDATE " + Table("COPTC") + " SET TC061 = COALESCE(TC061, 0) + 1 "
                                       "WHERE TC001 = ? AND TC002 = ?",
                                       {Trimmed(keys[0]), Trimmed(keys[1])}));
}

std::vector<std::vector<TDbValue>> TAppService::QueryNamed(const std::string& table, const std::string& key,
                                                          const std::vector<std::string>& params) {
  const std::string t = [&] {
    std::string u;
    for (char ch : Trimmed(table)) u += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return u + " " + Trimmed(key);
  }();
  auto p = [&](size_t i) { return TDbValue{Trimmed(TextAt(params, i))}; };
  if (t == "ADMMB 01")  // element 7 is the English name
    return FDb->Query("SELECT MB002, MB003, MB004, MB005, MB006, MB007, MB008, MB009 FROM ADMMB WHERE MB001 = ?", {p(0)}).Rows;
  if (t == "CMSML 01")
    return FDb->Query("SELECT ML001, ML002, ML003, ML004, ML005, ML006, ML007, ML008, ML009 FROM CMSML WHERE ML001 = ?",
                      {p(0)}).Rows;
  if (t == "CMSMT 01")  // element 12 is the program's default format
    return FDb->Query("SELECT MT001, MT002, MT003, MT004, MT005, MT006, MT007, MT008, MT009, MT010, MT011, MT012, MT013 "
                      "FROM " + Table("CMSMT") + " WHERE MT001 = ?", {p(0)}).Rows;
  if (t == "WARRANT 01")
    return FDb->Query("SELECT NT002, NT004 FROM WARRANT WHERE NT001 = ? ORDER BY NT002", {p(0)}).Rows;
  if (t == "WARRANT 03")
    return FDb->Query("SELECT NT002, NT003, NT006 FROM WARRANT WHERE NT001 = ? AND NT002 = ?", {p(0), p(1)}).Rows;
  if (t == "GENES 01")
    return FDb->Query("SELECT NCONDITION FROM " + Table("GENES") + " WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                      {p(0), p(1), p(2)}).Rows;
  if (t == "COPTC 02")
    return FDb->Query("SELECT TC001, TC002, TC003, TC004, MA002, TC012, TC027 FROM " + Table("COPTC") + " LEFT JOIN " +
                      Table("COPMA") + " ON MA001 = TC004 WHERE TC001 LIKE ? ESCAPE '\\' AND TC002 LIKE ? ESCAPE '\\' "
                      "ORDER BY TC001, TC002 LIMIT 1000",
                      {PrefixPattern(TextAt(params, 0)), PrefixPattern(TextAt(params, 1))}).Rows;
  if (t == "MOCTA 05") {
    const std::string kind = Trimmed(TextAt(params, 0));
    std::vector<TDbValue> args = {PrefixPattern(TextAt(params, 1)), PrefixPattern(TextAt(params, 2))};
    if (!kind.empty()) args.push_back(kind);
    return FDb->Query("SELECT TA001, TA002, TA003, TA006, TA026, TA027, TA030, TA013 FROM " + Table("MOCTA") +
                      " WHERE TA001 LIKE ? ESCAPE '\\' AND TA002 LIKE ? ESCAPE '\\'" +
                      (kind.empty() ? "" : " AND TA030 = ?") + " ORDER BY TA001, TA002 LIMIT 1000",
                      args).Rows;
  }
  throw EAppServerError("unknown query " + t);
}

std::vector<std::pair<std::string, std::string>> TAppService::GetSysInfo(const std::string& company) {
  const std::string code = Trimmed(company);
  CheckCompanyCode(code);
  TCompanyCatalog catalog(*FDb, FSchema, code);
  if (FDb->Columns(catalog.Physical("ADMSS")).empty()) throw EAppServerError("company " + code + " does not exist");
  std::vector<std::pair<std::string, std::string>> settings;
  for (const auto& row : FDb->Query("SELECT SS001, SS002 FROM " + catalog.Physical("ADMSS") + " ORDER BY SS001", {}).Rows)
    settings.emplace_back(Trimmed(DbValueText(row[0])), DbValueText(row[1]));
  return settings;
}

std::vector<std::vector<TDbValue>> TAppService::SimpleSql(const std::string& sql) { return Select(sql); }

}  // namespace Appserver
