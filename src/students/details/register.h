#pragma once

namespace students {

// Registers the student record window "frmStudentDetails" by name (a new window
// for every opening) and the authorised operations that open or edit it.
void RegisterStudentDetailsWindow();

} // namespace students
