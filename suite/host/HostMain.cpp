// erp-host: the ERP client shell on the command line.
//   erp-host [--module PATH] [--config FILE] [--json] init
//   erp-host [--module PATH] [--config FILE] [--json] script FILE
// init initialises the module, reports its form and frees it; script also
// shows the form and runs the user actions of FILE. Exit status: 0 done,
// 1 bad arguments or a failed script, 2 the module cannot be loaded or has
// no GetController, 3 the module raised an error to the host.
#include <iostream>
#include <string>

#include "DynLib.h"
#include "Forms.h"
#include "HostDialogs.h"
#include "HostReport.h"
#include "HostScript.h"
#include "HostShell.h"
#include "ModalDriver.h"

namespace {

int Usage() {
  std::cerr << "usage: erp-host [--module PATH] [--config FILE] [--json] init | script FILE\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string module = ExeFolder() + "KESR52C.so";
  std::string config = ExeFolder() + "host/erp-host.ini";
  bool json = false;
  std::string command, scriptFile;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--module" && i + 1 < argc) module = argv[++i];
    else if (arg == "--config" && i + 1 < argc) config = argv[++i];
    else if (arg == "--json") json = true;
    else if (command.empty() && arg == "init") command = arg;
    else if (command.empty() && arg == "script" && i + 1 < argc) command = arg, scriptFile = argv[++i];
    else return Usage();
  }
  if (command.empty()) return Usage();

  THostReport report(std::cout, json);
  THostDialogDriver dialogs(report);
  TModalDriverScope driverScope(dialogs);
  THostShell shell(THostConfiguration::Load(config), report);
  try {
    shell.LoadModule(module);
  } catch (const std::exception& E) {
    std::cerr << "erp-host: " << E.what() << '\n';
    return 2;
  }
  try {
    shell.Initialize();
    shell.ReportFormInfo();
    if (command == "script") {
      shell.Controller().SetFormVisible(-1);
      shell.ProcessMessages();
      RunHostScript(scriptFile, shell, dialogs);
    }
    shell.ProcessMessages();
    shell.Free();
  } catch (const EScriptError& E) {
    report.Write("error", {{"message", std::string(E.what())}});
    std::cerr << "erp-host: " << E.what() << '\n';
    return 1;
  } catch (const std::exception& E) {
    report.Write("error", {{"message", std::string(E.what())}});
    std::cerr << "erp-host: " << E.what() << '\n';
    return 3;
  }
  return 0;
}
