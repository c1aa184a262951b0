#pragma once

namespace staff {

// Registers the employee window "frmEmpDetails" by name (a new window for every
// opening; the person search's "New Employee" and employee entries open it) and
// the qualification window "frmEmpQual" (one shared window).
void RegisterEmployeeWindows();

} // namespace staff
