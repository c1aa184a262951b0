#pragma once

namespace students {

// Registers the family windows by name: "frmFamDetails" (a new window for every
// opening), "frmFamily", "frmChangeFamily" and "frmAddToFamily" (one each), and
// the authorised operations "Edit Family", "New Family for Student" and "Family
// from Students".
void RegisterFamilyWindows();

} // namespace students
