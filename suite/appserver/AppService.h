#pragma once
// The application server's operations for one client session, with the
// arguments and answers the report module relies on. Data requests are one
// read-only SELECT; every write is parameterised; free SQL is only the
// send-audit insert; format saves lock with a compare-and-set.
#include "Catalog.h"

#include <memory>
#include <optional>

namespace Appserver {

KESR_DECLARE_EXCEPTION(EAppServerError, Exception);

struct TPacketField {
  TColumnInfo Info;
  std::string Label;  // the column's caption in the ERP's dictionary, else its name
};

// What a provider hands to the client's data set.
struct TDataPacket {
  std::vector<TPacketField> Fields;
  std::vector<std::vector<TDbValue>> Rows;
};

// The user's rights as PowerData answers them (elements 0 to 5).
struct TPowerData {
  std::string RowFilter;
  // user code, super user "Y"/"N", rights found "Y"/"N", rights string, user name, group
  std::string RightsFields;
  std::string UserName;
  std::string Group;
  std::string LimitFlag;  // "Y" when per-table limits apply
  std::vector<std::string> Limits;
};

struct TSchemeKey {
  std::string Name, User, Program;
};

struct TStoredFormat {
  std::string Counter;  // LockCounter as a plain number text
  std::string Layout;   // lines joined by CR LF
};

class TAppService {
public:
  // SqlType: the dialect the clients are told to write (0 MS SQL, 1 Oracle/DB2).
  TAppService(std::unique_ptr<IDatabase> db, const TErpSchema& schema, int sqlType);

  // [program, user, company, data source, main table]
  void Connect(const std::vector<std::string>& args);
  bool Connected() const { return FCatalog != nullptr; }
  TPowerData PowerData();
  int SQLType() const { return FSqlType; }

  // "Provider1", "Provider2", "pvdTemp": the request is one SELECT;
  // "pvdConSave": the schemes that LoadTable selected.
  TDataPacket DataRequest(const std::string& provider, const std::string& request);

  void LoadTable(const std::string& user, const std::string& program);
  // The seven elements: name, user, date, program, control list, values, replace.
  std::string InsertConTable(const std::vector<std::string>& args, bool replace);
  std::string DeleteConTable(const TSchemeKey& key);
  std::string ChangeConName(const TSchemeKey& oldKey, const TSchemeKey& newKey);

  std::optional<TStoredFormat> GetBlobField(const std::string& className, const std::string& name);
  int RunUpdFlagSQL(std::int64_t counter, const std::string& counterRead, const std::string& className,
                    const std::string& name);
  // Params as the format store sends them (7 texts, by insert or overwrite).
  int RunInsUpdSQL(bool isUpdate, const std::vector<std::string>& lines, const std::vector<std::string>& params,
                   std::int64_t sizeKB);
  int RunDeleteSQL(const std::string& className, const std::string& name);
  int RunFreeSQL(const std::string& sql);
  int UpdatePrintCount(const std::vector<std::string>& keys);

  // Named queries of the host's validator and look-up window by (table, key).
  std::vector<std::vector<TDbValue>> QueryNamed(const std::string& table, const std::string& key,
                                                const std::vector<std::string>& params);
  // The company's settings as name/value pairs.
  std::vector<std::pair<std::string, std::string>> GetSysInfo(const std::string& company);
  // The "SimpleSql" counter query: the rows of one SELECT.
  std::vector<std::vector<TDbValue>> SimpleSql(const std::string& sql);

  IDatabase& Database() { return *FDb; }

private:
  TCompanyCatalog& Catalog();
  std::string Table(const std::string& name) { return Catalog().Physical(name); }
  TDbValue Fit(const std::string& table, const std::string& column, const std::string& value) const;
  TDataPacket Packet(const TRowSet& rows, const std::vector<TOutputColumn>& columns) const;
  std::vector<std::vector<TDbValue>> Select(const std::string& sql);

  std::unique_ptr<IDatabase> FDb;
  const TErpSchema& FSchema;
  int FSqlType;
  std::unique_ptr<TCompanyCatalog> FCatalog;
  std::string FProgram, FUser, FCompany, FDataSource, FMainTable, FGroup;
  std::optional<std::pair<std::string, std::string>> FSchemeFilter;
};

// Today as "YYYYMMDD" and the time as "hh:nn:ss", local time.
std::string TodayText();

}  // namespace Appserver
