#pragma once
// Alert logs, the error-detail block written for support staff, and the
// scrambling of the database passwords kept in the server configuration.
//
// A log line is "[" + time stamp + "] " + message + CR LF, appended to
// <root>/Log/Alert_<name>_<date>[.log]. Each line goes out in one write on
// a file opened for appending, so processes sharing a daily file keep
// every line. No writer throws; failures answer false.
#include <exception>
#include <string>

// The suite's installation key under HKEY_LOCAL_MACHINE.
inline constexpr const char* OrvaneRegistryKey = "Software\\ZNT\\Orvane";

// Log modes: "D" daily file, "M" monthly, "Y" yearly; anything else daily.
bool WriteAlertLog(const std::string& Name, const std::string& Message, const std::string& Mode);
// As WriteAlertLog, always under the host executable's folder.
bool WriteUpdaterLog(const std::string& Name, const std::string& Message, const std::string& Mode);
// The daily file Alert_Brevmark_<yyyymmdd>.log, stamped with the default
// date-time text.
bool WriteBrevmarkLog(const std::string& Message);

// The client installation folder from the registry, else the server one,
// else empty.
std::string GetConfigRootPath();
// GetConfigRootPath, else the temporary folder; never empty.
std::string GetLogRootPath();

// Writes the dashed header (with " on <Place> " when Place is not blank),
// the details of E when given, and the programmer message when not blank.
void LogErrorDetail(const std::exception* E, const std::string& Place,
                    const std::string& ProgrammerMessage);

// Byte i (1-based) rotated right by i mod 8, as two upper-case hex digits.
// An empty password is stored as the scrambled empty-password marker.
std::string EncodeSQLSa(const std::string& Password);
// The inverse; a trailing odd digit is ignored. A pair that is not
// hexadecimal yields "ZN_Say_Password_Error" and an error-detail block.
std::string DecodeSQLSa(const std::string& Scrambled);
