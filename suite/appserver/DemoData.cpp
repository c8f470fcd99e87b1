#include "DemoData.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace Appserver {
namespace {

// splitmix64: the same numbers on every platform and library.
class TRandom {
public:
  explicit TRandom(std::uint64_t seed) : FState(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  template <typename T, size_t N>
  const T& Pick(const std::array<T, N>& items) { return items[Below(N)]; }

private:
  std::uint64_t FState;
};

constexpr std::array<const char*, 16> kCities = {"上海", "北京", "广州", "深圳", "杭州", "苏州", "宁波", "厦门",
                                                 "青岛", "天津", "南京", "武汉", "成都", "重庆", "东莞", "佛山"};
constexpr std::array<const char*, 16> kCityEn = {"Shanghai", "Beijing", "Guangzhou", "Shenzhen", "Hangzhou",
                                                 "Suzhou", "Ningbo", "Xiamen", "Qingdao", "Tianjin", "Nanjing",
                                                 "Wuhan", "Chengdu", "Chongqing", "Dongguan", "Foshan"};
constexpr std::array<const char*, 20> kWords = {"华东", "宏达", "永兴", "金源", "鑫盛", "恒通", "东方", "长江",
                                                "远航", "瑞丰", "新世纪", "大成", "信德", "联合", "光明", "泰和",
                                                "海天", "万隆", "中兴", "天宇"};
constexpr std::array<const char*, 20> kWordEn = {"Huadong", "Hongda", "Yongxing", "Jinyuan", "Xinsheng", "Hengtong",
                                                 "Dongfang", "Changjiang", "Yuanhang", "Ruifeng", "New Century",
                                                 "Dacheng", "Xinde", "United", "Guangming", "Taihe", "Haitian",
                                                 "Wanlong", "Zhongxing", "Tianyu"};
constexpr std::array<const char*, 6> kTrades = {"贸易", "电子", "纺织", "五金", "塑胶", "实业"};
constexpr std::array<const char*, 6> kTradeEn = {"Trading", "Electronics", "Textile", "Hardware", "Plastics",
                                                 "Industrial"};
constexpr std::array<const char*, 8> kPorts = {"HAMBURG", "ROTTERDAM", "LOS ANGELES", "NEW YORK", "SINGAPORE",
                                               "DUBAI", "SYDNEY", "YOKOHAMA"};
constexpr std::array<const char*, 6> kGoods = {"LED LAMP", "COTTON SHIRT", "HAND TOOLS", "PLASTIC BOX",
                                               "USB CABLE", "CERAMIC MUG"};
constexpr std::array<const char*, 6> kGoodsCn = {"LED灯具", "棉质衬衫", "手动工具", "塑料收纳盒", "USB数据线",
                                                 "陶瓷杯"};

const char* kCrLf = "\r\n";

// Days since 1970-01-01 to "YYYYMMDD" (proleptic Gregorian).
std::string DateText(int days) {
  int z = days + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int y = static_cast<int>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02u%02u", y, m, d);
  return buf;
}

constexpr int kFirstDay = 19723;  // 2024-01-01
constexpr int kDays = 731;        // through 2025-12-31

std::string Code(const char* prefix, int n, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%0*d", prefix, digits, n);
  return buf;
}

// Collects the rows of one table in its own column order, fitted to the
// declared widths, and writes them in one batch.
class TTableFill {
public:
  TTableFill(IDatabase& db, const TErpSchema& schema, const std::string& table, const std::string& company)
      : FDb(db), FTable(*schema.Table(table)),
        FName(FTable.PerCompany ? CompanyTableName(company, table) : table) {}
  void Add(const std::map<std::string, TDbValue>& values) {
    std::vector<TDbValue> row;
    for (const auto& c : FTable.Columns) {
      const auto it = values.find(c.Info.Name);
      row.push_back(it == values.end() ? TDbValue{} : FitToColumn(c.Info, it->second));
    }
    for (const auto& [name, _] : values)
      if (!FTable.Column(name)) throw ESchemaError("demo data names an unknown column " + FTable.Name + "." + name);
    FRows.push_back(std::move(row));
  }
  void Write() {
    std::vector<std::string> columns;
    for (const auto& c : FTable.Columns) columns.push_back(c.Info.Name);
    FDb.InsertRows(FName, columns, FRows);
    FRows.clear();
  }

private:
  IDatabase& FDb;
  const TSchemaTable& FTable;
  std::string FName;
  std::vector<std::vector<TDbValue>> FRows;
};

struct TCompany {
  std::string Code, Short, Full, English;
};

const std::array<TCompany, 2> kCompanies = {{
    {"DEMOA", "华东进出口", "上海华东进出口贸易有限公司", "Huadong Import & Export Co., Ltd."},
    {"DEMOB", "南方实业", "广州南方实业股份有限公司", "Nanfang Industrial Corp."},
}};

const char* kFormatClass = "TfrmKesr52Fmt";

std::string DemoLayout(int left) {
  const char* lines[] = {"inherited frmKesr52Fmt: TfrmKesr52Fmt", "inherited QuickRep1: TQuickRep",
                         "inherited DetailBand1: TQRBand", "inherited txtTC001T: TZNQRDBText", nullptr,
                         "end", "end", "end", "end"};
  std::string text;
  for (const char* line : lines) text += (line ? std::string(line) : "Left = " + std::to_string(left)) + kCrLf;
  return text.substr(0, text.size() - 2);
}

void FillShared(IDatabase& db, const TErpSchema& schema) {
  TTableFill ml(db, schema, "CMSML", "");
  for (const auto& c : kCompanies)
    ml.Add({{"ML001", c.Code}, {"ML002", c.Short}, {"ML003", c.Full}, {"ML004", c.English},
            {"ML005", c.Code == "DEMOA" ? "上海市浦东新区世纪大道100号" : "广州市天河区珠江新城88号"},
            {"ML006", c.Code == "DEMOA" ? "021-58881234" : "020-38887654"},
            {"ML007", c.Code == "DEMOA" ? "021-58881235" : "020-38887655"},
            {"ML008", c.Code == "DEMOA" ? "310115000123456" : "440106000654321"},
            {"ML009", c.Code == "DEMOA" ? "张伟" : "刘芳"}});
  ml.Write();

  TTableFill mb(db, schema, "ADMMB", "");
  mb.Add({{"MB001", "KESR52"}, {"MB002", "订单唛头打印"}, {"MB003", "訂單嘜頭列印"}, {"MB004", "KES"},
          {"MB005", "R"}, {"MB006", "KESR52C"}, {"MB007", "891003"}, {"MB008", std::int64_t{5201}},
          {"MB009", "Sales Order Shipping Mark Print"}});
  mb.Add({{"MB001", "COPI06"}, {"MB002", "订单建立作业"}, {"MB003", "訂單建立作業"}, {"MB004", "COP"},
          {"MB005", "I"}, {"MB006", "COPI06"}, {"MB007", "890101"}, {"MB008", std::int64_t{606}},
          {"MB009", "Sales Order Entry"}});
  mb.Add({{"MB001", "MOCI02"}, {"MB002", "工单建立作业"}, {"MB003", "工單建立作業"}, {"MB004", "MOC"},
          {"MB005", "I"}, {"MB006", "MOCI02"}, {"MB007", "890101"}, {"MB008", std::int64_t{1202}},
          {"MB009", "Work Order Entry"}});
  mb.Write();

  TTableFill nt(db, schema, "WARRANT", "");
  nt.Add({{"COMPANY", "DEMOA"}, {"CREATOR", "DS"}, {"USR_GROUP", "ADMIN"}, {"CREATE_DATE", "20240105"},
          {"NT001", kFormatClass}, {"NT002", "标准格式"}, {"NT003", "1"}, {"NT004", ""},
          {"NT005", DemoLayout(90)}, {"NT006", std::int64_t{0}}});
  nt.Add({{"COMPANY", "DEMOA"}, {"CREATOR", "DS"}, {"USR_GROUP", "ADMIN"}, {"CREATE_DATE", "20240105"},
          {"NT001", kFormatClass}, {"NT002", "工单格式"}, {"NT003", "1"},
          {"NT004", std::string("rg01:TComboBox=1") + kCrLf}, {"NT005", DemoLayout(120)},
          {"NT006", std::int64_t{0}}});
  nt.Write();
}

struct TUser {
  const char *Code, *Name, *Group, *Super;
};
constexpr std::array<TUser, 5> kUsers = {{{"DS", "系统管理员", "ADMIN", "Y"},
                                          {"U001", "王小明", "SALES", "N"},
                                          {"U002", "李华", "SALES", "N"},
                                          {"U003", "陈静", "VIEW", "N"},
                                          {"GUEST", "访客", "GUEST", "N"}}};

void FillCompany(IDatabase& db, const TErpSchema& schema, const TCompany& company, const TDemoOptions& options,
                 int companyIndex) {
  TRandom rnd(options.Seed * 31 + static_cast<std::uint64_t>(companyIndex) + 1);
  const std::string& co = company.Code;

  TTableFill ss(db, schema, "ADMSS", co);
  const std::pair<const char*, std::string> settings[] = {
      {"Sys001", "1"}, {"Sys002", "/"}, {"Sys026", "1"}, {"Sys042", "Y"}, {"ZNT002", company.Short}};
  for (const auto& [name, value] : settings) ss.Add({{"SS001", name}, {"SS002", value}});
  ss.Write();

  TTableFill mf(db, schema, "ADMMF", co);
  for (const auto& u : kUsers)
    mf.Add({{"MF001", u.Code}, {"MF002", u.Name}, {"MF004", u.Group}, {"MF005", u.Super},
            {"MF006", std::string(u.Code) + "@example.com"}, {"MF007", "20240101"}});
  mf.Write();

  // Rights: characters 2 design, 3 delete a format, 6 print and preview, 7 and 8 look-up flags.
  TTableFill mh(db, schema, "ADMMH", co);
  mh.Add({{"MH001", "ADMIN"}, {"MH002", "KESR52"}, {"MH003", "YYYYYYYY"}, {"MH004", ""}, {"MH005", "N"}});
  mh.Add({{"MH001", "SALES"}, {"MH002", "KESR52"}, {"MH003", "YYNYYYYN"}, {"MH004", ""}, {"MH005", "N"}});
  mh.Add({{"MH001", "U002"}, {"MH002", "KESR52"}, {"MH003", "YNNYYYNN"}, {"MH004", "TC027<>'V'"},
          {"MH005", "N"}});
  mh.Add({{"MH001", "VIEW"}, {"MH002", "KESR52"}, {"MH003", "YNNNNY"}, {"MH004", ""}, {"MH005", "N"}});
  mh.Write();

  TTableFill mt(db, schema, "CMSMT", co);
  mt.Add({{"MT001", "KESR52"}, {"MT002", "1"}, {"MT003", "1"}, {"MT004", "1"}, {"MT005", "P"},
          {"MT006", std::int64_t{1}}, {"MT007", "N"}, {"MT008", "N"}, {"MT010", "Y"}, {"MT011", "Y"},
          {"MT012", "N"}, {"MT013", "标准格式"}});
  mt.Write();

  TTableFill ge(db, schema, "GENES", co);
  ge.Add({{"NCONDITION", "本月已审核"}, {"CREATOR", "DS"}, {"PROGRAMME", "KESR52"},
          {"SCONDITION", "rg01.itemindex;sp03.style;cboTC027.itemindex;"},
          {"VCONDITION", std::string("0") + kCrLf + "sp_Range" + kCrLf + "0" + kCrLf}, {"CREATE_DATE", "20240301"}});
  ge.Write();

  // Customers with Chinese names (and an English one for the marks).
  struct TCustomer {
    std::string Code, Short, English;
  };
  std::vector<TCustomer> customers;
  TTableFill ma(db, schema, "COPMA", co);
  for (int i = 1; i <= options.Customers; ++i) {
    const int city = rnd.Below(kCities.size()), word = rnd.Below(kWords.size()), trade = rnd.Below(kTrades.size());
    TCustomer c{Code("C", i, 5), std::string(kWords[word]) + kTrades[trade],
                std::string(kCityEn[city]) + " " + kWordEn[word] + " " + kTradeEn[trade] + " Co., Ltd."};
    ma.Add({{"MA001", c.Code}, {"MA002", c.Short},
            {"MA003", std::string(kCities[city]) + kWords[word] + kTrades[trade] + "有限公司"},
            {"MA004", "0" + std::to_string(20 + city) + "-" + std::to_string(60000000 + rnd.Below(30000000))},
            {"MA006", "sales" + std::to_string(i) + "@customer.example"},
            {"MA007", std::string(kCities[city]) + "市" + kWords[word] + "路" + std::to_string(1 + rnd.Below(300)) + "号"},
            {"MA008", kUsers[1 + rnd.Below(3)].Name}, {"MA009", rnd.Below(3) ? "USD" : "RMB"},
            {"MA011", Code("", city, 2)}, {"MA012", DateText(kFirstDay - 365 + rnd.Below(365))}, {"MA013", c.English}});
    customers.push_back(std::move(c));
  }
  ma.Write();

  // A pool of shipping marks shared by many orders; some have pictures.
  std::vector<std::string> frontMarks, sideMarks;
  for (int i = 0; i < 24; ++i) {
    const auto& cust = customers[i % customers.size()];
    frontMarks.push_back(cust.English.substr(0, cust.English.find(' ', cust.English.find(' ') + 1)) + kCrLf +
                         rnd.Pick(kPorts) + kCrLf + "C/NO.1-UP" + kCrLf + "MADE IN CHINA");
    const int good = rnd.Below(kGoods.size());
    sideMarks.push_back(std::string(kGoods[good]) + kCrLf + kGoodsCn[good] + kCrLf + "N.W.:    KGS" + kCrLf +
                        "G.W.:    KGS" + kCrLf + "MEAS:    CM");
  }
  TTableFill md(db, schema, "EPSMD", co);
  for (int i = 0; i < 24; i += 3) {
    md.Add({{"MD001", Code("MK", i + 1, 4)}, {"MD002", frontMarks[i]}, {"MD003", "BMP"},
            {"MD004", TBlob{MakeMarkBitmap(options.Seed + i, 96, 64)}}});
    md.Add({{"MD001", Code("MS", i + 1, 4)}, {"MD002", sideMarks[i + 1]}, {"MD003", "BMP"},
            {"MD004", TBlob{MakeMarkBitmap(options.Seed + 100 + i, 96, 64)}}});
  }
  md.Write();

  // Sales orders over two years, numbered per day; work orders for some.
  TTableFill tc(db, schema, "COPTC", co);
  TTableFill ta(db, schema, "MOCTA", co);
  std::map<std::string, int> perDay, perDayWo;
  std::vector<int> days(options.OrdersPerCompany);
  for (auto& d : days) d = kFirstDay + rnd.Below(kDays);
  std::sort(days.begin(), days.end());
  for (int n = 0; n < options.OrdersPerCompany; ++n) {
    const std::string date = DateText(days[n]);
    const std::string type = rnd.Below(4) ? "2201" : "2202";
    const std::string number = date + Code("", ++perDay[type + date], 3);
    const auto& cust = customers[rnd.Below(customers.size())];
    const int roll = rnd.Below(10);
    const char* approval = roll < 7 ? "Y" : roll < 9 ? "N" : "V";
    const auto& creator = kUsers[rnd.Below(3)];
    const std::string front = frontMarks[rnd.Below(frontMarks.size())];
    const std::string side = rnd.Below(12) ? sideMarks[rnd.Below(sideMarks.size())] : std::string();
    const double qty = 100.0 * (1 + rnd.Below(50));
    const double amount = qty * (1 + rnd.Below(2000)) / 100.0;
    tc.Add({{"CREATOR", creator.Code}, {"USR_GROUP", creator.Group}, {"CREATE_DATE", date}, {"TC001", type},
            {"TC002", number}, {"TC003", date}, {"TC004", cust.Code}, {"TC005", "S01"}, {"TC006", creator.Code},
            {"TC008", "USD"}, {"TC009", 6.9}, {"TC012", "PO-" + std::to_string(100000 + rnd.Below(900000))},
            {"TC014", "T/T 30 天"}, {"TC016", "1"}, {"TC026", 0.13}, {"TC027", approval}, {"TC029", amount},
            {"TC030", std::round(amount * 13) / 100}, {"TC031", qty},
            {"TC037", std::string("请于出货前确认唛头") + kCrLf + "Shipment by sea, " + rnd.Pick(kPorts)},
            {"TC038", std::string("每箱") + std::to_string(10 + rnd.Below(40)) + "件" + kCrLf +
                          "PACKED IN EXPORT CARTONS"},
            {"TC039", date}, {"TC040", approval[0] == 'Y' ? "DS" : ""}, {"TC048", approval[0] == 'Y' ? "3" : "0"},
            {"TC056", front}, {"TC057", side}, {"TC061", std::int64_t{0}}});
    for (int w = rnd.Below(5) < 2 ? 1 + rnd.Below(2) : 0; w > 0; --w) {
      const bool outsourced = rnd.Below(3) == 0;
      const std::string woDate = DateText(std::min(days[n] + rnd.Below(10), kFirstDay + kDays - 1));
      const std::string woType = outsourced ? "5102" : "5101";
      const int woRoll = rnd.Below(10);
      ta.Add({{"CREATOR", creator.Code}, {"USR_GROUP", creator.Group}, {"CREATE_DATE", woDate},
              {"TA001", woType}, {"TA002", woDate + Code("", ++perDayWo[woType + woDate], 3)}, {"TA003", woDate},
              {"TA004", woDate}, {"TA006", Code("P", 1 + rnd.Below(300), 6)}, {"TA009", woDate},
              {"TA010", DateText(std::min(days[n] + 20, kFirstDay + kDays + 30))}, {"TA011", "1"},
              {"TA013", woRoll < 8 ? "Y" : woRoll < 9 ? "N" : "V"}, {"TA015", qty}, {"TA017", 0.0},
              {"TA021", outsourced ? "" : "L01"}, {"TA026", type}, {"TA027", number}, {"TA028", "0001"},
              {"TA030", outsourced ? "2" : "1"}, {"TA032", outsourced ? "V0001" : ""}});
    }
  }
  tc.Write();
  ta.Write();
}

}  // namespace

const std::vector<std::string>& DemoCompanies() {
  static const std::vector<std::string> codes = {kCompanies[0].Code, kCompanies[1].Code};
  return codes;
}

std::string MakeMarkBitmap(std::uint64_t seed, int width, int height) {
  // 24-bit bottom-up BMP: a frame and a diagonal band in a colour of the seed.
  const int rowBytes = (width * 3 + 3) & ~3;
  const std::uint32_t pixels = static_cast<std::uint32_t>(rowBytes * height), size = 54 + pixels;
  std::string bmp(size, '\0');
  auto put32 = [&](size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  bmp[26] = 1;
  bmp[28] = 24;
  put32(34, pixels);
  TRandom rnd(seed);
  const unsigned char r = 64 + rnd.Below(160), g = 64 + rnd.Below(160), b = 64 + rnd.Below(160);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool ink = x < 2 || y < 2 || x >= width - 2 || y >= height - 2 || std::abs(x - y * width / height) < 4;
      const size_t at = 54 + static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) * 3;
      bmp[at] = static_cast<char>(ink ? b : 255);
      bmp[at + 1] = static_cast<char>(ink ? g : 255);
      bmp[at + 2] = static_cast<char>(ink ? r : 255);
    }
  return bmp;
}

bool HasErpSchema(IDatabase& db) { return !db.Columns("WARRANT").empty(); }

void CreateDemoDatabase(IDatabase& db, const TErpSchema& schema, const TDemoOptions& options) {
  TTransaction tx(db);
  db.ExecuteScript(schema.CreateScript(db.Kind(), DemoCompanies()));
  FillShared(db, schema);
  for (size_t i = 0; i < kCompanies.size(); ++i) FillCompany(db, schema, kCompanies[i], options, static_cast<int>(i));
  tx.Commit();
}

}  // namespace Appserver
