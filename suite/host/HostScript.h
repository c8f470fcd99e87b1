#pragma once
// A script of user actions on the shown option form, one command a line:
//   text CONTROL VALUE          set a control's text
//   set CONTROL PROPERTY VALUE  set a property by name, as text
//   click CONTROL               a mouse click
//   key CONTROL KEY [ctrl] [alt] [shift]   a key stroke (Enter, Escape, Tab,
//                               F1..F12, PageUp, PageDown, a letter or digit)
//   answer BUTTON               the next dialog is answered with that button
//   expect TEXT                 a dialog since the last expect contained TEXT
//   close                       the user closes the form
// Empty lines and lines starting with "#" are skipped. Control names may be
// paths ("sp03.edBegin").
#include <string>

#include "Exceptions.h"

class THostShell;
class THostDialogDriver;

KESR_DECLARE_EXCEPTION(EScriptError, Exception);

// Runs the script file; EScriptError names the line that failed.
void RunHostScript(const std::string& FileName, THostShell& Shell, THostDialogDriver& Dialogs);
