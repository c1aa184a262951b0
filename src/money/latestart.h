#pragma once

#include "platform/vb/currency.h"

// The discount a late starter is given for the sessions already missed: one charge
// row lowering the booking's balance.
namespace imodMoney {

// Writes the discount row of the booking: a charge ("C") of minus the amount with
// minus the amount times the program's tax rate as its tax, the program's revenue
// account and tax code, for the student. A negative amount is an increase. Part of
// the caller's transaction. False when AddCharge could not write it (it has said
// so); failures of the look-ups reach the caller.
bool WriteLateStartDiscount(qint32 bookingId, qint32 studentId, qint32 programId,
                            vb::Currency amount);

// The discount for a number of missed sessions (above 0): the sessions times the
// program's price per session when it charges per session, else its cost divided
// by its number of sessions times the sessions. Failures reach the caller.
vb::Currency SessionsMissedDiscount(qint32 programId, int sessions);

} // namespace imodMoney
