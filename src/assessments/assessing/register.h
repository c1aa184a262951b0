#pragma once

namespace assessments {

// Registers the award levels window and the entry into assessing classes by
// window name, and the award levels as an operation the authorisation window
// carries out.
void RegisterAssessmentWindows();

} // namespace assessments
