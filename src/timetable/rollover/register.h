#pragma once

namespace timetable {

// Registers the program copy ("frmProgCopy") and instructor reassignment
// ("frmReassignInst") windows by name, and the approved operations that open
// them: "Copy Program" and "Reassign Instructors".
void RegisterRolloverWindows();

} // namespace timetable
