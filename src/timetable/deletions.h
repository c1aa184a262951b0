#pragma once

namespace timetable {

// Registers the class and program deletions ("Delete Class", "Delete Program")
// with the delete confirmation window, which runs them once the user typed yes.
void RegisterDeletions();

} // namespace timetable
