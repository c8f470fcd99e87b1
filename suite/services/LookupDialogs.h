#pragma once
// The look-up window's modal forms. Without a person at the screen the
// application's modal driver answers them: a script sets the list's
// ItemIndex (or types the date) and chooses OK, the default driver presses
// OK on what is preset (the first row, the start date).
#include <string>
#include <vector>

// A list "lstRows" of Lines with buttons "btnOk" and "btnCancel". The
// indices of the chosen lines in ascending order (the current line when a
// multi-select list has none selected); empty when cancelled.
std::vector<int> ChooseRows(const std::string& Caption, const std::vector<std::string>& Lines, bool MultiSelect);

// An edit "edDate" holding Start ("YYYYMMDD") and a label "lblDate" that
// shows it in the ROC calendar when asked. The date typed when OK is
// pressed on a valid "YYYYMMDD" date; empty when cancelled or invalid.
std::string PickDay(const std::string& Caption, const std::string& Start, bool RocCalendar);

// True for eight digits that name a real day.
bool IsYmdDate(const std::string& Text);
