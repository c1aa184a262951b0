#pragma once

namespace enrolments {

// Registers the move window "frmMoveStudent" and the list window "frmPreEnrol"
// (one of each), the procedure imodEnrolments::MoveBookingToClass by name, and the
// approvals "Move to Full Class" and "PreEnrol into Full Class" (right 27,
// OverfillClasses), which resume the parked moves, and "PreEnrolments", which
// shows the list window.
void RegisterMoveWindows();

} // namespace enrolments
