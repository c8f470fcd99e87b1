#include "HostScript.h"

#include <fstream>
#include <sstream>

#include "Forms.h"
#include "HostDialogs.h"
#include "HostShell.h"
#include "ModalDriver.h"
#include "StrUtils.h"
#include "TypInfo.h"

namespace {

std::uint16_t KeyCode(const std::string& Name) {
  static const std::pair<const char*, std::uint16_t> named[] = {
      {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},  {"PageUp", VK_PRIOR},
      {"PageDown", VK_NEXT}, {"Space", VK_SPACE},  {"Up", VK_UP},    {"Down", VK_DOWN},
      {"Left", VK_LEFT},    {"Right", VK_RIGHT},  {"Delete", VK_DELETE}};
  for (const auto& [name, code] : named)
    if (SameText(Name, name)) return code;
  if (Name.size() >= 2 && (Name[0] == 'F' || Name[0] == 'f')) {
    const int n = std::atoi(Name.c_str() + 1);
    if (n >= 1 && n <= 12) return static_cast<std::uint16_t>(VK_F1 + n - 1);
  }
  if (Name.size() == 1 && std::isalnum(static_cast<unsigned char>(Name[0])))
    return static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(Name[0])));
  throw EScriptError("unknown key " + Name);
}

std::string RestOf(std::istringstream& In) {
  std::string rest;
  std::getline(In >> std::ws, rest);
  return rest;
}

class TScriptRun {
public:
  TScriptRun(THostShell& Shell, THostDialogDriver& Dialogs) : FShell(Shell), FDialogs(Dialogs) {}

  void Run(const std::string& Line) {
    std::istringstream in(Line);
    std::string command;
    in >> command;
    if (command == "answer") return FDialogs.QueueAnswer(RestOf(in));
    if (command == "expect") return Expect(RestOf(in));
    TCustomForm& form = Form();
    if (command == "close") {
      form.Close();
    } else if (command == "text") {
      std::string name;
      in >> name;
      Control(form, name).SetText(RestOf(in));
    } else if (command == "set") {
      std::string name, property;
      in >> name >> property;
      SetPropText(&Control(form, name), property, RestOf(in));
    } else if (command == "click") {
      std::string name;
      in >> name;
      SendClick(Control(form, name));
    } else if (command == "key") {
      std::string name, key, modifier;
      in >> name >> key;
      TShiftState shift;
      while (in >> modifier) {
        if (SameText(modifier, "ctrl")) shift.Include(ssCtrl);
        else if (SameText(modifier, "alt")) shift.Include(ssAlt);
        else if (SameText(modifier, "shift")) shift.Include(ssShift);
        else throw EScriptError("unknown modifier " + modifier);
      }
      auto* target = dynamic_cast<TWinControl*>(&Control(form, name));
      if (!target) throw EScriptError(name + " takes no keys");
      if (target->CanFocus()) target->SetFocus();
      SendKeyStroke(*target, KeyCode(key), shift);
    } else {
      throw EScriptError("unknown command " + command);
    }
    FShell.ProcessMessages();
  }

private:
  TCustomForm& Form() {
    TCustomForm* form = FShell.Form();
    if (!form) throw EScriptError("the form is closed");
    return *form;
  }
  static TControl& Control(TCustomForm& Form, const std::string& Name) {
    auto* control = dynamic_cast<TControl*>(FindFormComponent(Form, Name));
    if (!control) throw EScriptError("the form has no control " + Name);
    return *control;
  }
  void Expect(const std::string& Text) {
    const std::vector<std::string>& texts = FDialogs.Texts();
    for (; FSeen < texts.size(); ++FSeen)
      if (texts[FSeen].find(Text) != std::string::npos) {
        ++FSeen;
        return;
      }
    throw EScriptError("no dialog said \"" + Text + "\"");
  }

  THostShell& FShell;
  THostDialogDriver& FDialogs;
  std::size_t FSeen = 0;
};

}  // namespace

void RunHostScript(const std::string& FileName, THostShell& Shell, THostDialogDriver& Dialogs) {
  std::ifstream in(FileName);
  if (!in) throw EScriptError("cannot read the script " + FileName);
  TScriptRun run(Shell, Dialogs);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string command = Trim(line);
    if (command.empty() || command[0] == '#') continue;
    try {
      run.Run(command);
    } catch (const std::exception& E) {
      throw EScriptError(FileName + ":" + std::to_string(number) + ": " + E.what());
    }
  }
}
