#pragma once

#include "platform/vb/currency.h"

#include <QString>

// Bookings: one row per student in a class, with its status ("Confirmed",
// "Tentative", "Waiting", "Catch Up", "Moved", "Cancelled", "No Show").
namespace imodEnrolments {

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

// Charges a new booking the class's up-front price, with the program's tax,
// revenue account and tax code, unless the class is charged by attendance or by
// payment plan; then, when the student holds a credit from other bookings, asks
// "Use credit this term?" and on Yes moves that credit onto this booking (the
// collection and the credit row in one transaction, after the answer). Gives 1
// when done and 0 after an error, which it has shown ("Charge Student Error"), a
// charge row that could not be written included.
int ChargeBooking(qint32 bookingId, qint32 studentId, qint32 classId, qint32 programId);

} // namespace imodEnrolments
