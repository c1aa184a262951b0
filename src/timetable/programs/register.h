#pragma once

namespace timetable {

// Registers the programs window under its name "frmPrograms" and the operation
// "Programs" that another user may approve (the Programs right, by index).
void RegisterProgramWindows();

} // namespace timetable
