#pragma once

namespace staff {

// The company search and company record windows, and the authorised operation
// "Companies" (right 29) that opens the search for a user who lacks the right.
void RegisterCompanyWindows();

} // namespace staff
