#pragma once

#include <functional>

// The windows that look after a data file: the backup window "frmBackup", the
// restore window "frmRestore", the set-up wizard "frmSetupWiz" and the support
// script window "frmSQL", reached by name through the window registry.
namespace shell {

// Registers the four windows by name (shell::RegisterWindow).
void RegisterMaintenanceWindows();

// Ends the program at once (after the caller has done its own last steps). Tests
// put a hook in its place; an empty hook puts the real one back.
void EndProgram();
void setEndProgramHook(std::function<void()> hook);

} // namespace shell
