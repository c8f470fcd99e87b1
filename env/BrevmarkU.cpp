#include "BrevmarkU.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "DatabaseErrors.h"
#include "DateTime.h"
#include "DynLib.h"
#include "Exceptions.h"
#include "Format.h"
#include "Paths.h"
#include "Registry.h"
#include "StrUtils.h"

namespace {

const char* const EmptyPasswordText = "ZN_Say_NoPassWord_ThePassWordIsEmpty";
const char* const PasswordErrorText = "ZN_Say_Password_Error";
const char* const LogDashes = "----------------------------------";

std::string DateDigits(TDateTime when, const std::string& mode) {
  int year, month, day;
  DecodeDate(when, year, month, day);
  char text[16];
  if (mode == "Y") std::snprintf(text, sizeof text, "%04d", year);
  else if (mode == "M") std::snprintf(text, sizeof text, "%04d%02d", year, month);
  else std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
  return text;
}

std::string MillisecondStamp(TDateTime when) {
  int year, month, day, hour, min, sec, msec;
  DecodeDateTime(when, year, month, day, hour, min, sec, msec);
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d:%03d", year, month, day, hour,
                min, sec, msec);
  return text;
}

std::string ExecutableFolder() { return ExtractFilePath(ExeFileName()); }

// Appends one line with a single write, so that concurrent writers of the
// same file never interleave or lose a line.
bool AppendLogLine(const std::string& root, const std::string& fileName, const std::string& line) {
  const std::string folder = ExcludeTrailingPathDelimiter(NativePath(root)) + "/Log";
  if (!DirectoryExists(folder) && !ForceDirectories(folder)) return false;
  const std::string path = folder + "/" + fileName;
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const ssize_t written = ::write(fd, line.data(), line.size());
  bool ok = written == static_cast<ssize_t>(line.size());
  if (::close(fd) != 0) ok = false;
  return ok;
}

std::string AlertFileName(const std::string& name, const std::string& mode, TDateTime when) {
  std::string fileName = "Alert_" + name + "_" + DateDigits(when, mode);
  if (name.find('.') == std::string::npos) fileName += ".log";
  return fileName;
}

bool WriteNamedLog(const std::string& root, const std::string& name, const std::string& message,
                   const std::string& mode) {
  try {
    const TDateTime when = Now();
    return AppendLogLine(root, AlertFileName(name, mode, when),
                         "[" + MillisecondStamp(when) + "] " + message + "\r\n");
  } catch (...) {
    return false;
  }
}

unsigned char RotateRight(unsigned char byte, int count) {
  count %= 8;
  return count == 0 ? byte : static_cast<unsigned char>((byte >> count) | (byte << (8 - count)));
}

unsigned char RotateLeft(unsigned char byte, int count) {
  count %= 8;
  return count == 0 ? byte : static_cast<unsigned char>((byte << count) | (byte >> (8 - count)));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool WriteAlertLog(const std::string& Name, const std::string& Message, const std::string& Mode) {
  std::string root;
  try {
    root = GetConfigRootPath();
    if (root.empty()) root = ExecutableFolder();
  } catch (...) {
    return false;
  }
  return WriteNamedLog(root, Name, Message, Mode);
}

bool WriteUpdaterLog(const std::string& Name, const std::string& Message, const std::string& Mode) {
  std::string root;
  try {
    root = ExecutableFolder();
  } catch (...) {
    return false;
  }
  return WriteNamedLog(root, Name, Message, Mode);
}

bool WriteBrevmarkLog(const std::string& Message) {
  try {
    std::string root = GetLogRootPath();
    if (root.empty()) root = ExecutableFolder();
    const TDateTime when = Now();
    return AppendLogLine(root, "Alert_Brevmark_" + DateDigits(when, "D") + ".log",
                         "[" + DateTimeToStr(when) + "] " + Message + "\r\n");
  } catch (...) {
    return false;
  }
}

std::string GetConfigRootPath() {
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  std::string root;
  if (registry.OpenKeyReadOnly(OrvaneRegistryKey)) {
    root = registry.ReadString("ClientPath");
    if (root.empty()) root = registry.ReadString("ServerPath");
    registry.CloseKey();
  }
  return NativePath(root);
}

std::string GetLogRootPath() {
  // The native counterpart of the last-resort folder.
  static const char* const LastResort = "/tmp";
  try {
    std::string root = GetConfigRootPath();
    if (root.empty()) root = GetTempPath();
    return root.empty() ? LastResort : root;
  } catch (...) {
    return LastResort;
  }
}

void LogErrorDetail(const std::exception* E, const std::string& Place,
                    const std::string& ProgrammerMessage) {
  std::string header = LogDashes;
  if (!Trim(Place).empty()) header += " on " + Place + " ";
  WriteBrevmarkLog(header + LogDashes);
  if (E) {
    WriteBrevmarkLog("讯息信息:");
    int count = 1;
    if (auto* engine = dynamic_cast<const EDBEngineError*>(E)) {
      count = engine->ErrorCount();
      for (int i = 0; i < count; ++i) {
        const TDBError& error = engine->Errors(i);
        WriteBrevmarkLog(Format("EDBEngineError Error %.2d: Code: %d, Message: %s",
                                {i + 1, error.ErrorCode, error.Message}));
      }
    } else if (auto* system = dynamic_cast<const EOSError*>(E)) {
      WriteBrevmarkLog(Format("EWin32Error Error %.2d: Code: %d, Message: %s",
                              {1, system->ErrorCode, system->Message()}));
    } else if (auto* io = dynamic_cast<const EInOutError*>(E)) {
      WriteBrevmarkLog(Format("EInOutError Error %.2d: Code: %d, Message: %s",
                              {1, io->ErrorCode, io->Message()}));
    } else {
      auto* own = dynamic_cast<const Exception*>(E);
      const std::string className = own ? own->ClassName() : "Exception";
      WriteBrevmarkLog(Format("Exception is %s\r\nMessage %.2d: ", {className, 1}) + E->what());
    }
    WriteBrevmarkLog(Format("ErrorMessage Count: %d", {count}));
  }
  if (!Trim(ProgrammerMessage).empty())
    WriteBrevmarkLog("Programer Message: " + ProgrammerMessage);
}

std::string EncodeSQLSa(const std::string& Password) {
  const std::string plain = Password.empty() ? std::string(EmptyPasswordText) : Password;
  std::string scrambled;
  scrambled.reserve(plain.size() * 2);
  static const char* const Digits = "0123456789ABCDEF";
  for (size_t i = 1; i <= plain.size(); ++i) {
    const unsigned char byte = RotateRight(static_cast<unsigned char>(plain[i - 1]), int(i % 8));
    scrambled += Digits[byte >> 4];
    scrambled += Digits[byte & 0x0F];
  }
  return scrambled;
}

std::string DecodeSQLSa(const std::string& Scrambled) {
  std::string work;
  for (size_t i = 1; Scrambled.size() >= 2 * i; ++i) {
    const int high = HexDigit(Scrambled[2 * i - 2]);
    const int low = HexDigit(Scrambled[2 * i - 1]);
    if (high < 0 || low < 0) {
      const EConvertError error("'$" + Scrambled.substr(2 * i - 2, 2) +
                                "' is not a valid integer value");
      LogErrorDetail(&error, EncodeSQLSa("DecodeSQLSa"), "解析 Sa 时发生错误!");
      return PasswordErrorText;
    }
    work += static_cast<char>(RotateLeft(static_cast<unsigned char>(high * 16 + low), int(i % 8)));
  }
  return work == EmptyPasswordText ? std::string() : work;
}
