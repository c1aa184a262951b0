#pragma once

#include <QString>
#include <functional>

namespace jet {
class Connection;
}

// What the start-up needs of other parts of the program, each behind one
// function, so that the loader and the windows do not depend on how those parts
// are reached.
namespace shell {

// Verifies and upgrades the structure of the open data file, writing its steps
// into the progress window: 0 when the file can be used.
int VerifyOpenDataFile();

// Whether the open connection holds a data file of this program (it has the
// centre's settings table). Reads only.
bool IsProgramDataFile(jet::Connection &connection);

// This workstation's name as it is registered in Computers.
QString WorkstationName();

// Scrambles (direction 1) or unscrambles (direction -1) the workstation password.
QString ScramblePassword(const QString &text, int direction);

// Shows the set-up wizard (opened by name) for a data file that has never been set
// up; when the program has none, the data-file window shows again. Tests put a hook
// in its place; an empty hook puts the real one back.
void ShowSetupWizard();
void setSetupWizardHook(std::function<void()> hook);

// Shows the log-in window, opened by name; when the program has none, says that
// the file cannot be signed in to and shows the data-file window again.
void ShowLoginWindow();

} // namespace shell
