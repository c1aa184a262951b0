#pragma once

namespace students {

// Registers the utilities over all students by name, one shared window each:
// "frmPassports", "frmDropouts" and "frmDuplicates", and the authorised operations
// "Issue Passports", "Dropouts" and "Duplicates" that show them.
void RegisterStudentUtilityWindows();

} // namespace students
