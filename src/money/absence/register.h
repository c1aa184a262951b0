#pragma once

namespace money {

// Registers the late-starter window "frmAbsentRec" (one shared window), which the
// enrolment engine and the booking window open by name and give their booking
// with Init.
void RegisterAbsenceDiscountWindow();

} // namespace money
