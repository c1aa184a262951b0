#pragma once

namespace enrolments {

// Registers the attendance book "frmAttendanceBook" by name (which enables its
// Utilities menu item) and its authorised operation "Attendance Book" (the
// AttendanceBook flag, checked by name).
void RegisterAttendanceBookWindow();

} // namespace enrolments
