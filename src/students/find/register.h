#pragma once

namespace students {

// Registers the person search window "frmFindStudent" (one shared window) and the
// authorised searches and new records that open from it.
void RegisterFindStudentWindow();

} // namespace students
