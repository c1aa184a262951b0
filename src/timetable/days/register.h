#pragma once

namespace timetable {

// Registers the day patterns window "frmDays" by name and its authorised
// operation "Days" (the Days flag, checked by name).
void RegisterDaysWindow();

} // namespace timetable
