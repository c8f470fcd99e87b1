#include "Daemon.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

TDaemon::TDaemon(const std::vector<std::string>& ini) {
  char pattern[] = "/tmp/kesr-appserver-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("cannot create a temporary folder");
  FDir = pattern;
  {
    std::ofstream out(FDir + "/OrvaneS.ini");
    for (const auto& line : ini) out << line << "\r\n";
    out << "[DBPasswordCtrl]\r\nComputerName=127.0.0.1\r\nServerPort=0\r\n";
  }
  int pipeFds[2];
  if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
  FPid = fork();
  if (FPid == 0) {
    dup2(pipeFds[1], 1);
    close(pipeFds[0]);
    close(pipeFds[1]);
    const std::string program = KESR_OUTPUT_DIR "/appserver", config = FDir + "/OrvaneS.ini";
    execl(program.c_str(), program.c_str(), "--config", config.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  FOut = pipeFds[0];
  // The first line names the port: "appserver listening on 127.0.0.1:PORT (...)".
  std::string line;
  char ch;
  while (read(FOut, &ch, 1) == 1 && ch != '\n') line += ch;
  FOutput = line + "\n";
  const auto colon = line.rfind(':');
  if (line.find("listening") == std::string::npos || colon == std::string::npos)
    throw std::runtime_error("appserver did not start: " + line);
  FPort = std::stoi(line.substr(colon + 1));
}

bool TDaemon::Running() const { return FPid > 0 && waitpid(FPid, nullptr, WNOHANG) == 0; }

int TDaemon::Stop() {
  if (FPid <= 0) return -1;
  kill(FPid, SIGTERM);
  int status = 0;
  waitpid(FPid, &status, 0);
  FPid = -1;
  char buf[256];
  for (ssize_t n; (n = read(FOut, buf, sizeof buf)) > 0;) FOutput.append(buf, static_cast<size_t>(n));
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TDaemon::~TDaemon() {
  Stop();
  if (FOut >= 0) close(FOut);
  std::error_code ec;
  std::filesystem::remove_all(FDir, ec);
}
