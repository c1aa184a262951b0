#pragma once

#include "platform/vb/currency.h"

#include <QString>

// Moving a booking into another class, and booking a student off a program's
// pre-enrolment list. A move into a full class that the signed-in user may not
// over-fill is parked in the pending values below until another user approves it
// in the authorisation window, which then resumes it. One pending move of each
// kind is kept; a later one overwrites it, and nothing clears them.
namespace Global {

extern qint32 PendingMoveBookingID;
extern qint32 PendingMoveClassID; // also the target of a pending pre-enrolment move
extern vb::Currency PendingMoveCost;
extern QString PendingMoveOpener;
extern int PendingMoveFlag;

extern qint32 PendingPreEnrolStudentID;
extern qint32 PendingPreEnrolProgramID;
extern QString PendingPreEnrolNotes;

} // namespace Global

namespace imodEnrolments {

// The name under which the booking move is registered as a procedure (the
// double-booking window calls it by this name).
inline const QString MoveBookingProcedure = QStringLiteral("imodEnrolments::MoveBookingToClass");
// The texts of the two over-fill approvals.
inline const QString MoveToFullClassOperation = QStringLiteral("Move to Full Class");
inline const QString PreEnrolIntoFullClassOperation = QStringLiteral("PreEnrol into Full Class");

// Moves the booking into the class: a new booking of the student with the old
// status, every ledger row of the old booking handed to it, its attendance too
// when the centre copies attendance on a move, the old booking marked "Moved",
// and, when the class charges on enrolment, the difference of the two classes'
// up-front prices charged on the new booking. waitingBookingId, when it names a
// "Waiting" booking of the same student in the target class, is deleted with
// its audit row and balancing charge: the student now has a place there. All of
// this is one transaction. A full class asks first ("Full Class"); without the
// over-fill right the authorisation window is asked and the move parked. The
// opener "View Class" reloads the class views of both classes, "View Students"
// the student's records; the class search is refreshed and every move window
// closed after a move, and after the not-found and zero-BookingID messages.
// cost is only kept with a parked move.
void MoveBookingToClass(qint32 bookingId, bool overfillAuthorised, qint32 classId,
                        vb::Currency cost, const QString &opener, int waitingBookingId);
// The parked booking move, approved.
void ResumeMoveBooking();

// Books the listed student into the class: a "Tentative" booking whose notes are
// the preferences and whose enrolling user is the user code, the class's up-front
// price (even 0) charged with the tax code and account of the class's own program
// when the class charges on enrolment, and the student's entry for programId (the
// entry being worked through) removed, in one transaction. Then every list window reloads, the class search is refreshed,
// "Success!" is shown and every move window closed. A full class asks as the
// booking move does; the authorisation request names the list window.
void MovePreEnrolToClass(qint32 studentId, qint32 programId, bool overfillAuthorised,
                         qint32 classId, const QString &preferences, const QString &userCode);
// The parked pre-enrolment move, approved, for the user code "I".
void ResumePreEnrolMove();

} // namespace imodEnrolments
