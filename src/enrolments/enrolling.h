#pragma once

#include "platform/vb/currency.h"

#include <QList>
#include <QString>

namespace ui {
class Form;
}

// Enrolling: a request to place a student into a class becomes a Bookings row
// and its charge; the waiting list's upgrade and over-fill, and the deletion of a
// booking with its balancing charge.
//
// Windows of later work are reached by name: the double-booking window
// "frmDoubleBook" (members LoadMe, LoadMeUWL), the late-starter window
// "frmAbsentRec" (Init), the add-booking window "frmAddBooking" (LoadUp), the
// class views "frmViewClass", the student records "frmStudentDetails" and the
// booking windows "frmBooking", each matched by the record ID in its txtField(0).
namespace imodEnrolments {

// One enrolment request.
struct EnrolmentRequest
{
    ui::Form *caller = nullptr; // the add-booking window; closed once the booking is made
    qint32 studentId = 0;
    QString studentName;        // shown in the questions, handed to the double-booking window
    qint32 programId = 0;
    qint32 classId = 0;
    int waitList = 0;           // nonzero: a place on the class's waiting list
    vb::Currency price;         // the class price as the caller sees it
    int override = 0;           // nonzero: no questions and no double-enrolment checks
    int session = 0;            // nonzero: a catch-up booking for that session
    QString userId;             // EnrolledByUserID; empty: the signed-in user
};

// Makes the booking of the request. The no-show question (not for a catch-up) and
// the overdue question, then the refusals 614 (already in the class), 615 (already
// in the program; plain enrolments only) and 616 (already waiting), each skipped
// with the override flag. The row and its charge are written in one transaction
// (a plain enrolment only; "Attendance" and "Payment Plan" classes are not
// charged); after the commit the credit offer, the late-starter window for a
// class that started on an earlier day, the caller closed, the class views
// reloaded and, unless a catch-up, the class search refilled. 614 and 615 open a
// new double-booking window, 616 shows "For Your Information", anything else
// "Error in BookNow". A row or charge that could not be written leaves nothing
// and the caller open.
void BookNow(const EnrolmentRequest &request);

// Adds the Bookings row: "Waiting" for a waiting-list place, "Catch Up" with its
// SessionNo for a catch-up, else the centre's DefaultStatus; Owing 0;
// EnrolledByUserID the user ID, or the signed-in user when empty. Gives the new
// BookingID, or 0 after an error it has shown ("Add New Booking Error").
qint32 AddBookingRow(qint32 studentId, qint32 classId, int waitList, int session,
                     const QString &userId);

// Shows the add-booking window and calls its LoadUp with mode 1 ("New Booking"),
// the class, 0, the enrolling user and no pre-enrolment window. The first
// argument is not used. Nothing while no window "frmAddBooking" is registered.
void OpenAddBooking(const QString &userId, qint32 classId, const QString &enrollingUserId);

// Puts the student on the program's pre-enrolment list with the preferences as
// typed and the date and time of listing. 0, or the number of the database error.
int AddToPreEnrolList(qint32 studentId, qint32 programId, const QString &preferences);

// Reloads every open class view of the class: its waiting list (waitList
// nonzero), else its students, assessment grid and attendance grid (catchUp 0),
// else its catch-up list. False after an error it has shown ("Refresh Error").
bool RefreshClassWindow(qint32 classId, int catchUp, int waitList);
// Reloads the class history of every open student record of the student. False
// after an error it has shown ("Refresh Error").
bool RefreshStudentWindow(qint32 studentId);

// Takes a waiting-list booking into its class: unless skipChecks, refuses 614 and
// 615 (a new double-booking window opens); charges the price (not for an
// "Attendance" class) and sets the centre's DefaultStatus together, recording the
// user in EnrolledByUserID when one is given; reloads the class views' students
// and waiting lists; offers the late-starter window when the class started on an
// earlier day. Other errors show "Error"; a failed charge leaves the booking waiting.
void UpgradeFromWaitList(qint32 bookingId, int skipChecks, vb::Currency price,
                         const QString &userId);
// Writes the "Overfill Class" audit row for the user, then upgrades the booking at
// its class's price for the enrolling user. A failure of the audit row reaches the
// caller and nothing is upgraded.
void OverfillFromWaitList(const QString &userId, qint32 bookingId,
                          const QString &enrollingUserId);

// Deletes a booking: its audit row, the charge that brings what it owes to 0
// (written even when it owes nothing) and the row, in one transaction; then the
// class search is refilled, the booking's open booking windows close and the
// first open class view of its class reloads its students. Gives 0, or the
// number of the error that stopped it (nothing written, no window closed), with
// its description when asked. Shows nothing itself.
qint32 DeleteBookingRecord(const QString &userId, qint32 bookingId,
                           QString *description = nullptr);

// The student's "Confirmed" and "Tentative" bookings in classes of the program,
// as the double-booking window lists them: "Monday 4:30 PM Level 1 (BKID#12)".
struct ProgramEnrolment
{
    qint32 bookingId = 0;
    QString text;
};
QList<ProgramEnrolment> ListProgramEnrolments(qint32 studentId, qint32 programId);

// Whether the class started on an earlier calendar day than today.
bool ClassStartedBeforeToday(qint32 classId);

} // namespace imodEnrolments
