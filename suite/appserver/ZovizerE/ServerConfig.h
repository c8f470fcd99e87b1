#pragma once
// The server's configuration: the server-side profile file OrvaneS.ini.
//   [DBE Setting]
//   MainDBType=SQLITE | POSTGRESQL   (MSSQL, ORACLE and DB2 are not served)
//   MainServerName=host[:port]       PostgreSQL server
//   MainDBName=erp.db | erp          SQLite file (relative to the ini) or database
//   MainUserName=erp
//   XXXXXX=<scrambled password>
//   MainSQLType=0 | 1                dialect the clients are told (SQLType)
//   DemoOrders=15000                 orders per company when a SQLite file is created
//   [DBPasswordCtrl]
//   ComputerName=127.0.0.1           address the daemon listens on
//   ServerPort=211
#include "DemoData.h"

#include <memory>
#include <string>

namespace Appserver {

KESR_DECLARE_EXCEPTION(EConfigError, Exception);

struct TServerConfig {
  std::string DbType = "SQLITE";
  std::string ServerName;
  std::string DbName = "erp.db";
  std::string UserName = "sa";
  std::string Password;
  int SqlType = 0;
  int DemoOrders = TDemoOptions().OrdersPerCompany;
  std::string ListenAddress = "127.0.0.1";
  int ListenPort = 211;
  std::string Folder;  // folder of the ini file; relative paths start here

  // A missing file gives the defaults (SQLite beside the file); an
  // unreadable or invalid value raises EConfigError.
  static TServerConfig Read(const std::string& iniPath);
  // The ini file of this installation: $KESR_APPSERVER_INI, else OrvaneS.ini
  // beside the running program.
  static std::string DefaultPath();

  std::string SqlitePath() const;
  std::string PgConninfo() const;
  // Opens a connection; a SQLite file that does not exist yet is created
  // with the schema and the demo data.
  std::unique_ptr<IDatabase> OpenDatabase(const TErpSchema& schema) const;
};

// The scrambling of passwords in OrvaneS.ini: character i (from 1) rotated
// right by i mod 8 bits, written as two upper-case hexadecimal digits.
std::string EncodeSQLSa(const std::string& password);
// A text that is not hexadecimal gives "ZN_Say_Password_Error".
std::string DecodeSQLSa(const std::string& scrambled);
extern const char* const PasswordErrorText;

}  // namespace Appserver
