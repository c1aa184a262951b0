#pragma once

#include "platform/vb/currency.h"

#include <QString>
#include <optional>

// The changes the student record window makes to a person's bookings and to the
// person's row: each finds its row by key and writes in one transaction, so that
// a failure changes nothing. Failures reach the caller.
namespace imodStudents {

// Deletes the person: the DeleteLog row ("Delete Student", the name as shown, the
// user upper-cased), every booking of the person and the Students row, together;
// then, after the commit, the photograph file. False when there is no such row
// (nothing is written). Payments, attendance and the rest stay.
bool DeleteStudentRecord(qint32 studentId, const QString &shownName, const QString &userId,
                         const QString &photoFile);

// Deletes one booking with its DeleteLog row ("Delete", "<student> from Class #n",
// the user upper-cased). False when there is no such booking.
bool DeleteBookingRecord(qint32 bookingId, const QString &userId);

enum class StatusChange { Changed, Kept, Refused, NotFound };
// Changes the booking's status from one word to the other: Kept when it holds the
// target already, Refused (with the stored word in *status) when it holds another,
// NotFound when the booking or its student is gone.
StatusChange ChangeBookingStatus(qint32 bookingId, const QString &from, const QString &to,
                                 QString *status = nullptr);

// What the booking owes before it is marked a no-show; nothing when the booking or
// its student is gone.
std::optional<vb::Currency> NoShowBalance(qint32 bookingId);
// Marks the booking "No Show" and, when clear is not 0, writes the charge row
// that takes it off the booking (ChargeAmount -clear with the tax of the program
// named), both together. False when the booking or its student is gone.
bool RecordNoShow(qint32 bookingId, qint32 studentId, const vb::Currency &clear,
                  const QString &programName);

// Deletes a waiting-list booking when exactly one row has that key; false (and
// nothing deleted) otherwise.
bool RemoveWaitingBooking(qint32 bookingId);

} // namespace imodStudents
