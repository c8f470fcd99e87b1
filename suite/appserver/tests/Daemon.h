#pragma once
// The appserver program run by a test: a configuration in a temporary
// folder, a free port, stopped with SIGTERM.
#include <string>
#include <vector>

class TDaemon {
public:
  // ini: the lines of OrvaneS.ini (without the listen settings).
  explicit TDaemon(const std::vector<std::string>& ini);
  ~TDaemon();
  int Port() const { return FPort; }
  // SIGTERM and wait: the exit status, and what the program printed.
  int Stop();
  const std::string& Output() const { return FOutput; }
  bool Running() const;

private:
  std::string FDir, FOutput;
  int FPid = -1, FOut = -1, FPort = 0;
};
