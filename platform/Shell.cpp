#include "Shell.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DateTime.h"
#include "Format.h"
#include "Paths.h"

namespace {

bool HasDesktop() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

// The program's file found along PATH, empty when there is none.
std::string FindProgram(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// Starts the program detached (through an intermediate child that exits at
// once, so that no zombie is left behind) and reports whether it could be
// started at all. Everything is prepared before fork: the children only
// make async-signal-safe calls.
bool StartDetached(const std::string& program, const std::string& argument) {
  std::string file = FindProgram(program);
  if (file.empty()) return false;
  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()), nullptr};
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return false;
  }
  if (child == 0) {
    setsid();
    pid_t grandchild = fork();
    if (grandchild == 0) {
      execv(file.c_str(), argv);
      char failed = 1;
      (void)!write(pipeFds[1], &failed, 1);
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  close(pipeFds[1]);
  int status = 0;
  waitpid(child, &status, 0);
  char failed = 0;
  // The write end closes on a successful exec, so read returns 0 then.
  bool execFailed = read(pipeFds[0], &failed, 1) == 1;
  close(pipeFds[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !execFailed;
}

TShell* Replacement = nullptr;

}  // namespace

std::string FileProperties(const std::string& fileName) {
  struct stat info;
  std::string path = NativePath(fileName);
  if (stat(path.c_str(), &info) != 0) return {};
  struct tm local{};
  localtime_r(&info.st_mtime, &local);
  TDateTime modified = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                       EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0);
  return "Name: " + path + "\n" +
         "Size: " + Format("%d", {static_cast<long long>(info.st_size)}) + " bytes\n" +
         "Modified: " + FormatDateTime("yyyy/mm/dd hh:nn:ss", modified) + "\n";
}

TDesktopShell::TDesktopShell(std::ostream& out, std::ostream& err) : FOut(out), FErr(err) {}
TDesktopShell::TDesktopShell() : TDesktopShell(std::cout, std::cerr) {}

bool TDesktopShell::OpenDocument(const std::string& fileName) {
  std::string path = NativePath(fileName);
  if (HasDesktop()) return StartDetached("xdg-open", path);
  FRecorded.push_back(path);
  FErr << "No desktop: not opening " << path << "\n";
  return true;
}

bool TDesktopShell::ShowProperties(const std::string& fileName) {
  std::string facts = FileProperties(fileName);
  if (facts.empty()) {
    FErr << "File not found: " << NativePath(fileName) << "\n";
    return false;
  }
  FOut << facts;
  return true;
}

TShell& Shell() {
  static TDesktopShell standard;
  return Replacement ? *Replacement : standard;
}

TShell* SetShell(TShell* shell) {
  TShell* previous = Replacement;
  Replacement = shell;
  return previous;
}
