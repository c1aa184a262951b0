#pragma once

#include "platform/vb/currency.h"

#include <QString>

// Questions about one person of the Students table.
namespace imodStudents {

// "First Last"; "" when there is no such person.
QString GetStudentName(qint32 studentId);
// What the person's ledger rows net to (charges less payments, discounts and
// discount tax); a negative balance is a credit. 0 without rows.
vb::Currency GetStudentBalance(qint32 studentId);
// The StudentID of the booking; 0 when there is none.
qint32 GetStudentIDFromBooking(qint32 bookingId);

} // namespace imodStudents
