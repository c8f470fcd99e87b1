#include "PgTestServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string gSkip;

int FreePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  int port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
    port = ntohs(a.sin_port);
  close(s);
  return port;
}

std::string FindBin() {
  if (!fs::exists("/usr/lib/postgresql")) return {};
  for (const auto& e : fs::directory_iterator("/usr/lib/postgresql"))
    if (fs::exists(e.path() / "bin/pg_ctl") && fs::exists(e.path() / "bin/initdb")) return (e.path() / "bin").string();
  return {};
}

void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

// initdb takes seconds; every test process copies one cluster made once per machine.
std::string TemplateCluster(const std::string& bin, const std::string& runAs) {
  const std::string version = fs::path(bin).parent_path().filename().string();
  const std::string dir = "/tmp/kesr-pg-template-" + version + "-" + std::to_string(geteuid());
  const int lock = open((dir + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
  if (lock < 0 || flock(lock, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + dir + ".lock");
  try {
    if (!fs::exists(dir + "/data/PG_VERSION")) {
      fs::remove_all(dir);
      fs::create_directories(dir);
      if (!runAs.empty()) Run("chown postgres " + dir);
      Run(runAs + bin + "/initdb -A trust -U erp -E UTF8 --locale=C.UTF-8 -D " + dir + "/data > " + dir +
          "/initdb.log 2>&1");
    }
  } catch (...) {
    close(lock);
    throw;
  }
  close(lock);
  return dir + "/data";
}

}  // namespace

TPgTestServer* TPgTestServer::Instance() {
  static std::unique_ptr<TPgTestServer> server = []() -> std::unique_ptr<TPgTestServer> {
    std::unique_ptr<TPgTestServer> s(new TPgTestServer);
    s->FBin = FindBin();
    if (s->FBin.empty()) {
      gSkip = "PostgreSQL server binaries (initdb, pg_ctl) are not installed";
      return nullptr;
    }
    char pattern[] = "/tmp/kesr-pg-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot create a temporary folder");
    s->FDir = pattern;
    if (geteuid() == 0) {
      s->FRunAs = "runuser -u postgres -- ";
      Run("chown postgres " + s->FDir);
    }
    s->FPort = FreePort();
    Run("cp -a " + TemplateCluster(s->FBin, s->FRunAs) + " " + s->FDir + "/data");
    Run(s->FRunAs + s->FBin + "/pg_ctl -w -D " + s->FDir + "/data -l " + s->FDir + "/server.log -o \"-p " +
        std::to_string(s->FPort) + " -h 127.0.0.1 -k " + s->FDir + " -c fsync=off\" start > /dev/null");
    return s;
  }();
  return server.get();
}

const std::string& TPgTestServer::SkipReason() { return gSkip; }

std::string TPgTestServer::NewDatabase() {
  const std::string name = "erp" + std::to_string(++FNextDb);
  Run(FBin + "/createdb -h 127.0.0.1 -p " + std::to_string(FPort) + " -U erp " + name);
  return "host=127.0.0.1 port=" + std::to_string(FPort) + " dbname=" + name + " user=erp";
}

TPgTestServer::~TPgTestServer() {
  std::system((FRunAs + FBin + "/pg_ctl -w -m fast -D " + FDir + "/data stop > /dev/null 2>&1").c_str());
  std::error_code ec;
  fs::remove_all(FDir, ec);
}
