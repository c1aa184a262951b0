#pragma once

namespace enrolments {

// Registers the double-booking window "frmDoubleBook" (a new one per refusal) and
// the authorised over-fill operations (right 27, OverfillClasses): "Overfill
// Class" opens the add-booking window on the class of the request for the
// approving user, "Upgrade and Overfill Class" over-fills the class of the
// request's waiting booking for the approving user.
void RegisterDoubleBookWindow();

} // namespace enrolments
