#pragma once
// Sets or clears an environment variable for the life of a test and puts
// the previous value back afterwards.
#include <cstdlib>
#include <optional>
#include <string>

class TEnvGuard {
public:
  TEnvGuard(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~TEnvGuard() {
    if (FOld) setenv(FName.c_str(), FOld->c_str(), 1);
    else unsetenv(FName.c_str());
  }
  TEnvGuard(const TEnvGuard&) = delete;
  TEnvGuard& operator=(const TEnvGuard&) = delete;

private:
  std::string FName;
  std::optional<std::string> FOld;
};
