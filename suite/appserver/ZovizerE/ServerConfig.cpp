#include "ServerConfig.h"

#include "IniFile.h"

#include "PgDatabase.h"
#include "SqliteDatabase.h"

#include <cctype>
#include <filesystem>
#include <mutex>
#include <strings.h>

namespace Appserver {

const char* const PasswordErrorText = "ZN_Say_Password_Error";

namespace {

const char* const kEmptyPassword = "ZN_Say_NoPassWord_ThePassWordIsEmpty";

std::string Upper(std::string s) {
  for (auto& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

std::string Value(const TIniFile& ini, const char* section, const char* key, const std::string& fallback) {
  return ini.ReadString(section, key, fallback);
}

int Number(const TIniFile& ini, const char* section, const char* key, int fallback, int lo, int hi) {
  const std::string text = Value(ini, section, key, "");
  if (text.empty()) return fallback;
  try {
    size_t used = 0;
    const int v = std::stoi(text, &used);
    if (used == text.size() && v >= lo && v <= hi) return v;
  } catch (...) {
  }
  throw EConfigError(std::string("OrvaneS.ini: ") + key + "=" + text + " is not a number from " + std::to_string(lo) +
                     " to " + std::to_string(hi));
}

unsigned char Rotate(unsigned char b, int bits, bool right) {
  bits %= 8;
  if (!bits) return b;
  return right ? static_cast<unsigned char>((b >> bits) | (b << (8 - bits)))
               : static_cast<unsigned char>((b << bits) | (b >> (8 - bits)));
}

// A libpq connection value, quoted.
std::string PgValue(const std::string& v) {
  std::string out = "'";
  for (char ch : v) {
    if (ch == '\'' || ch == '\\') out += '\\';
    out += ch;
  }
  return out + "'";
}

}  // namespace

std::string EncodeSQLSa(const std::string& password) {
  const std::string text = password.empty() ? kEmptyPassword : password;
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = Rotate(static_cast<unsigned char>(text[i]), static_cast<int>((i + 1) % 8), true);
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::string DecodeSQLSa(const std::string& scrambled) {
  std::string work;
  for (size_t i = 1; scrambled.size() >= 2 * i; ++i) {
    const char pair[3] = {scrambled[2 * i - 2], scrambled[2 * i - 1], 0};
    if (!std::isxdigit(static_cast<unsigned char>(pair[0])) || !std::isxdigit(static_cast<unsigned char>(pair[1])))
      return PasswordErrorText;
    work += static_cast<char>(Rotate(static_cast<unsigned char>(std::strtoul(pair, nullptr, 16)), static_cast<int>(i % 8), false));
  }
  return work == kEmptyPassword ? std::string() : work;
}

TServerConfig TServerConfig::Read(const std::string& iniPath) {
  TServerConfig c;
  c.Folder = std::filesystem::absolute(iniPath).parent_path().string();
  if (!std::filesystem::exists(iniPath)) return c;
  const TIniFile ini(iniPath);
  const char* db = "DBE Setting";
  c.DbType = Upper(Value(ini, db, "MainDBType", c.DbType));
  if (c.DbType != "SQLITE" && c.DbType != "POSTGRESQL")
    throw EConfigError("OrvaneS.ini: MainDBType=" + c.DbType + " is not served; use SQLITE or POSTGRESQL");
  c.ServerName = Value(ini, db, "MainServerName", c.ServerName);
  c.DbName = Value(ini, db, "MainDBName", c.DbName);
  c.UserName = Value(ini, db, "MainUserName", c.UserName);
  c.Password = DecodeSQLSa(Value(ini, db, "XXXXXX", ""));
  if (c.Password == PasswordErrorText)
    throw EConfigError("OrvaneS.ini: the scrambled password (key XXXXXX) is not valid hexadecimal text");
  c.SqlType = Number(ini, db, "MainSQLType", c.SqlType, 0, 1);
  c.DemoOrders = Number(ini, db, "DemoOrders", c.DemoOrders, 1, 1000000);
  c.ListenAddress = Value(ini, "DBPasswordCtrl", "ComputerName", c.ListenAddress);
  c.ListenPort = Number(ini, "DBPasswordCtrl", "ServerPort", c.ListenPort, 0, 65535);  // 0: any free port
  if (c.DbName.empty()) throw EConfigError("OrvaneS.ini: MainDBName is empty");
  return c;
}

std::string TServerConfig::DefaultPath() {
  if (const char* path = std::getenv("KESR_APPSERVER_INI"); path && *path) return path;
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ((ec ? std::filesystem::current_path() : exe.parent_path()) / "OrvaneS.ini").string();
}

std::string TServerConfig::SqlitePath() const {
  const std::filesystem::path p(DbName);
  return p.is_absolute() ? p.string() : (std::filesystem::path(Folder) / p).string();
}

std::string TServerConfig::PgConninfo() const {
  std::string host = ServerName.empty() ? "127.0.0.1" : ServerName, port;
  if (const auto colon = host.rfind(':'); colon != std::string::npos) {
    port = host.substr(colon + 1);
    host = host.substr(0, colon);
  }
  std::string c = "host=" + PgValue(host) + " dbname=" + PgValue(DbName) + " user=" + PgValue(UserName);
  if (!port.empty()) c += " port=" + PgValue(port);
  if (!Password.empty()) c += " password=" + PgValue(Password);
  return c + " connect_timeout=10";
}

std::unique_ptr<IDatabase> TServerConfig::OpenDatabase(const TErpSchema& schema) const {
  if (DbType == "POSTGRESQL") {
    auto db = std::make_unique<TPgDatabase>(PgConninfo());
    if (!HasErpSchema(*db)) {
      TDemoOptions options;
      options.OrdersPerCompany = DemoOrders;
      CreateDemoDatabase(*db, schema, options);
    }
    return db;
  }
  // Sessions open the file at the same time: only one of them creates it.
  static std::mutex creating;
  std::lock_guard lock(creating);
  const std::string path = SqlitePath();
  const bool exists = std::filesystem::exists(path);
  auto db = std::make_unique<TSqliteDatabase>(path);
  if (!exists || !HasErpSchema(*db)) {
    TDemoOptions options;
    options.OrdersPerCompany = DemoOrders;
    options.Customers = std::min(options.Customers, std::max(20, DemoOrders / 4));
    CreateDemoDatabase(*db, schema, options);
  }
  return db;
}

}  // namespace Appserver
