#pragma once

#include "platform/vb/currency.h"
#include "platform/vb/error.h"

#include <QDateTime>
#include <QString>

class QWidget;

// Bookings: one row per student in a class, with its status word.
namespace imodEnrolments {

// The status words of Bookings.Status, compared with case.
namespace BookingStatus {
inline const QString Confirmed = QStringLiteral("Confirmed"); // takes a place
inline const QString Tentative = QStringLiteral("Tentative"); // takes a place
inline const QString Waiting = QStringLiteral("Waiting");     // on the waiting list
inline const QString CatchUp = QStringLiteral("Catch Up");    // one session, SessionNo
inline const QString Moved = QStringLiteral("Moved");         // left behind by a move
inline const QString Cancelled = QStringLiteral("Cancelled");
inline const QString NoShow = QStringLiteral("No Show");
} // namespace BookingStatus

// The numbered errors of the enrolment procedures. Each is raised with the
// source text of the window whose procedure raised it, which its handler keeps
// beside the number.
namespace EnrolmentErrorCode {
enum : int {
    AlreadyInClass = 614,   // "Ovix.frmAddBooking", or "Ovix.frmViewClass" on an upgrade
    AlreadyInProgram = 615, // as 614
    AlreadyWaiting = 616,   // "Ovix.frmAddBooking"
    ClassFull = 621,        // "Ovix.frmMoveStudent"
};
} // namespace EnrolmentErrorCode

// An enrolment error: the runtime error's number and description, and the source.
class EnrolmentError : public vb::Error
{
public:
    EnrolmentError(int number, QString source);
    const QString &source() const noexcept { return m_source; }

private:
    QString m_source;
};

// The description of an enrolment error number; "" for any other number.
QString EnrolmentErrorDescription(int number);
// Throws the EnrolmentError of that number and source.
[[noreturn]] void RaiseEnrolmentError(int number, const QString &source);

// The ClassID of the booking; 0 when there is none (a failing read gives 0 too).
qint32 GetBookingClassID(qint32 bookingId);
// "First Last" of the booked student; "" when the booking or its class is missing.
QString GetBookingStudentName(qint32 bookingId);
// What the booking owes: the sum of its ledger rows' charges less their payments,
// discounts and discount tax (charge and payment rows alike); negative is a
// credit, 0 without rows.
vb::Currency GetBookingOwing(qint32 bookingId);
// Every booking of the student, whatever its status. Failures reach the caller.
qint32 CountStudentBookings(qint32 studentId);

// The student's "Confirmed" and "Tentative" bookings in the class / "Waiting"
// ones, counted only in a class whose program row exists. Failures reach the caller.
qint32 CountBookingsInClass(qint32 studentId, qint32 classId);
qint32 CountWaitListInClass(qint32 studentId, qint32 classId);
// The booking's StudentID; 0 when there is no such booking.
qint32 GetBookingStudentID(qint32 bookingId);
// Whether the booking has a CancelDate (false for no booking), and that date:
// the zero date when there is none.
bool HasCancelDate(qint32 bookingId);
QDateTime GetCancelDate(qint32 bookingId);
// Writes the status word into the booking; false when the statement failed.
bool SetBookingStatus(qint32 bookingId, const QString &status);
// The booking's status word; "" when there is no such booking.
QString GetBookingStatus(qint32 bookingId);

// --- The session calendar. A class's sessions are numbered 1, 2, 3 ... in date
// order, one per run day of its day pattern in each week of its program; weeks
// run from Sunday to Saturday. Failures (a class or program that does not exist,
// a Null date) reach the caller.

// The date of session n: the first session date of the class's pattern in its
// program, n's week of the program and its run day within the week. The zero
// date when the pattern runs on no weekday.
QDateTime GetSessionDate(qint32 classId, qint32 session);
// The session of a class on a date. For a pattern of one weekday: 1 + the weeks
// from the class's first day (its StartDate when that falls on the pattern's
// weekday, else the first such weekday from the program's start). For a pattern
// of several run days: the session GetSessionDate dates on that day, on a day
// that is no run day the next session, before the first session 0.
int GetSessionNumber(qint32 classId, const QDateTime &date);
// The week of the program that holds the date: 0 for the week of its start date
// and for dates outside the program.
int GetProgramWeek(qint32 programId, const QDateTime &date);
// Fills the list (list box or combo box) with the student's bookings, whatever
// their status, in classes running on the date (its weekday is a run day of the
// class's pattern, or the pattern is "Other", and the date lies within the
// class's dates): "Term 1 - Monday 04:30 PM Level 2 (BKID#812)". Gives the
// number of lines.
int ListBookingsOnDate(qint32 studentId, const QDateTime &date, QWidget *list);

// Charges a new booking the class's up-front price, with the program's tax,
// revenue account and tax code, unless the class is charged by attendance or by
// payment plan. Asks nothing and opens no transaction: it is part of the
// caller's. Gives 1 when done and 0 after an error, which it has shown ("Charge
// Student Error"), a charge row that could not be written included.
int ChargeBooking(qint32 bookingId, qint32 studentId, qint32 classId, qint32 programId);

// After a new booking's charge was committed: when the student held a credit
// before it, asks "Use credit this term?" and on Yes moves that credit onto this
// booking (at most the class price): the collection and the credit row in one
// transaction of their own. Nothing for a class charged by attendance or payment
// plan. Gives 1 when done (No included) and 0 after an error it has shown.
int OfferStudentCredit(qint32 bookingId, qint32 studentId, qint32 classId, qint32 programId);

} // namespace imodEnrolments
