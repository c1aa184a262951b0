#pragma once

namespace assessments {

// Registers the assessment windows opened by name (award levels, assessing
// classes, finalising a program, the single and past assessments of the student
// record, the assessment export) and the operations of these windows that the
// authorisation window carries out.
void RegisterAssessmentWindows();

} // namespace assessments
