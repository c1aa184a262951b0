#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Questions about one class of the timetable, its bookings and its instructors,
// and the operations on whole classes: charging their students, deleting and
// copying them. Nothing is kept between calls.
//
// A class is named by the texts of its captions: the short caption is its day
// pattern, its time ("hh:mm AMPM") and its level ("Mon/Wed 04:30 PM Level 2"); the
// full caption adds " (" + the program's name + ")"; class pick lists end an entry
// with " (CID#" + the ClassID + ")".
//
// Occupancy: bookings "Confirmed" or "Tentative" take a place; "Waiting" ones form
// the waiting list; "Catch Up", "Moved", "Cancelled" and "No Show" count as neither.
namespace imodClasses {

// --- Look-ups of one column. These show their own "Unexpected Error" box on a
// failure and give 0 or "" (also when the class does not exist).
qint32 GetClassProgramId(qint32 classId);
QString GetClassDay(qint32 classId);
qint32 GetClassPoolArea(qint32 classId);
int GetClassMax(qint32 classId);
QString GetClassChargeMode(qint32 classId);
QString GetClassActivity(qint32 classId);

// --- Captions and dates. A failing statement raises to the caller.
// The short caption; "" when the class does not exist.
QString GetClassCaption(qint32 classId);
// The full caption; "" when the class does not exist.
QString GetClassFullCaption(qint32 classId);
// The full caption of the booking's class; "" when the booking or its class is missing.
QString GetBookingClassCaption(qint32 bookingId);
// The class's time as "hh:mm AMPM"; "" when none.
QString GetClassTimeText(qint32 classId);
// The zero date when the class does not exist; a Null StartDate raises error 94.
QDateTime GetClassStartDate(qint32 classId);
// True when the class's EndDate equals its StartDate (a one-off class).
bool IsOneOffClass(qint32 classId);
// The ClassID of the booking; -1 when the booking does not exist.
qint32 GetClassIdOfBooking(qint32 bookingId);

// --- Occupancy.
// The places given minus the bookings that take a place; may be negative.
int GetClassSpots(qint32 classId, int places);
int GetClassWaitingCount(qint32 classId);
int GetClassEnrolledCount(qint32 classId);

// --- Instructors.
// "First Last and First Last" in ascending InstructorID; "(none)" without an
// instructor, or "" with emptyWhenUnknown (also when "Instructor TBA" is the only one).
QString GetClassInstructorNames(qint32 classId, bool emptyWhenUnknown);
QList<qint32> GetClassInstructorIds(qint32 classId);

// --- Pick lists and day patterns.
// The ClassID of a pick-list entry "... (CID#123)". An entry without the marker
// (case counts) or without a number between it and the closing bracket raises
// vb::Error 13 (Type mismatch).
qint32 ClassIdFromCaption(const QString &caption);
// The pattern's first run weekday in Monday to Sunday order ("Monday" ...) / its
// last; "" when there is no such pattern or it runs on no weekday.
QString GetFirstRunWeekday(const QString &dayName);
QString GetLastRunWeekday(const QString &dayName);

// --- Charging and prices.
// The price charged when a booking is made: the class's Cost when it is priced
// for the whole program, 0 when it is priced per session or does not exist.
vb::Currency GetClassPrice(qint32 classId);
// The class's Cost minus the amount (0 minus the amount when there is no class).
vb::Currency GetClassCost(qint32 classId, vb::Currency amount);
// The charge for one session: Cost when the class is priced per session, else
// Cost divided by the number of its sessions in the program (run days times the
// program's Sessions; 1 when that is 0); 0 for a one-off class or no class.
// Never raises: a failed read gives 0.
vb::Currency GetClassSessionCharge(qint32 classId);
// The number of sessions of the class in its program: the run days of its day
// pattern times the program's Sessions.
int GetClassSessionCount(qint32 classId);

// Charges the enrolled students of the class for a change of its price (new price
// minus old), as its charge mode says, in one transaction: when a charge row
// cannot be written nothing of the re-charge stays. perSession is 1 when the
// amount is the price of one session. Gives 1 when done (also when the mode
// charges nothing), 0 after an error, which it has shown ("Charge Students in
// Class Error").
int ChargeStudentsInClass(qint32 classId, vb::Currency amount, int perSession);
// Charges the amount to each Attend row of the booking that has the status
// (withStatus) or has another one (!withStatus); gives the number of rows. A row
// that cannot be written raises.
int ChargeBookingAttendance(qint32 bookingId, qint32 classId, vb::Currency amount,
                            const QString &status, bool withStatus, double taxRate,
                            const QString &revenueAccount, qint32 studentId,
                            const QString &taxCode);
// Sets the Cost of every class of the program that costs something else to the
// new cost, re-charging the enrolled students of each, all in one transaction.
// Gives 1 when done, 0 after an error, which it has shown ("Price Reset Error");
// then no class has changed.
int ResetProgramClassPrices(qint32 programId, vb::Currency newCost, int perSession);

// --- Whole classes.
// Deletes the class and its instructor links and writes its DeleteLog row, in one
// transaction; then closes the class's open window and runs the class search
// again. The bookings of the class stay.
void DeleteClassRecord(qint32 classId);
// Links the new class to every instructor of the source class.
void CopyClassInstructors(qint32 fromClassId, qint32 toClassId);
// Copies the source class's enrolled bookings (and with withWaiting its waiting
// list) into the new class, in one transaction, and charges each enrolled copy
// (a waiting-list copy is charged when it later takes a place, as any waiting
// booking is). Raises when a booking or its charge cannot be written; then none of
// the copies stays.
void CopyClassBookings(qint32 fromClassId, qint32 toClassId, bool withWaiting);

} // namespace imodClasses
