#pragma once

namespace timetable {

// Registers the enrolment numbers window "frmNumberStats" by name and its
// authorised operation "Number Stats" (the Numbers flag, checked by index).
void RegisterNumberStatsWindow();

} // namespace timetable
