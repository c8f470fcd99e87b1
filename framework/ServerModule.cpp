#include "ServerModule.h"

#include <utility>

namespace {

TModuleFileCheck& InstalledCheck() {
  static TModuleFileCheck Check;
  return Check;
}

}  // namespace

void SetModuleFileCheck(TModuleFileCheck Check) { InstalledCheck() = std::move(Check); }

bool CheckModuleFile(const std::string& FileList, const std::string& LocalPath, std::string& ErrorText,
                     bool Interactive) {
  ErrorText.clear();
  const TModuleFileCheck& Check = InstalledCheck();
  return !Check || Check(FileList, LocalPath, ErrorText, Interactive);
}
