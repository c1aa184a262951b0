#pragma once

#include "platform/vb/currency.h"

#include <QDate>
#include <QList>
#include <QString>

// Payment plans: the ChargeDate rows on which every enrolment of a program is
// charged a fixed amount, and their charging once they fall due.
namespace imodEnrolments {

// One ChargeDate row.
struct PlanRow
{
    qint32 chargeDateId = 0;
    qint32 programId = 0;
    QDate date;
    vb::Currency amount;
    bool run = false; // executed: charged at a log-in, never changed again
};

// The program's plan in date order. Failures reach the caller.
QList<PlanRow> ReadPaymentPlan(qint32 programId);

enum class PlanChange {
    Done,
    Executed, // the row has run: nothing changed
};

// Saves a plan row of the program (chargeDateId 0 adds one) with Run 0, in one
// transaction that reads Run again first: a row that has run meanwhile is
// refused. A missing row and engine failures reach the caller, nothing written.
PlanChange SavePlanRow(qint32 chargeDateId, qint32 programId, const QDate &date,
                       vb::Currency amount);
// Deletes a plan row that has not run; an executed row is refused. A missing
// row and engine failures reach the caller.
PlanChange DeletePlanRow(qint32 chargeDateId);

// The plan rows dated on or before the day that have not run, in the order the
// data file gives them. Failures reach the caller.
QList<PlanRow> ListDueCharges(const QDate &today);

enum class ChargeOutcome {
    Charged,
    Skipped, // run meanwhile (by another workstation) or deleted: nothing posted
    Failed,  // a charge row could not be written (reported by AddCharge): nothing posted
};

// Charges one due plan row: every "Confirmed" and "Tentative" booking in a class
// of the row's program gets one charge row of the amount (with the program's
// tax, account and tax code), and the row is marked run, all in one transaction
// that first checks the row has not run. Engine failures reach the caller with
// nothing kept.
ChargeOutcome ChargeDuePlanRow(qint32 chargeDateId, qint32 programId, vb::Currency amount);

} // namespace imodEnrolments
