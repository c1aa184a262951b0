#pragma once

#include "platform/vb/currency.h"

#include <QString>

// The ledger (Payments): one row per charge, payment, discount, credit or
// reversal, tied to a booking and a student. What is owed over a set of rows is
// Sum(ChargeAmount) - Sum(Amount) - Sum(DiscountAmount) - Sum(DiscountGST).
namespace imodMoney {

// Posts one charge row ("C", receipt number "Charge", written by "Ovix", dated
// now) of the amount and its tax for the booking and student; a credit is a
// negative amount. The row type is not used: every row written is a charge. An
// empty tax code takes the centre's default tax code. Gives true when the row was
// written; on a failure it shows "Error in Adding Charge", writes nothing and
// gives false, so that a caller can undo what belongs with it.
bool AddCharge(const QString &rowType, vb::Currency chargeAmount, vb::Currency chargeTax,
               const QString &revenueAccount, qint32 bookingId, qint32 studentId,
               qint32 attendanceId, const QString &taxCode, const QString &notes);

// Clears the credit the student holds on earlier bookings: every booking of the
// student whose rows net below 0 gets a charge of that credit, so that it nets to
// 0. Gives false when one of those charges could not be written.
bool CollectStudentCredit(qint32 studentId);

} // namespace imodMoney
