#pragma once

#include "platform/vb/currency.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// Cancelling a booking, at once or on a date, and carrying out the cancellations
// whose date has passed.
namespace imodEnrolments {

// An amount as the money lists show it: "$1,234.50", "-$3.00".
QString MoneyText(vb::Currency amount);
// An amount typed or shown in any of its forms ("$1,234.50", "-$3.00", "1250", "0");
// nothing when the text is no amount (also when it is empty).
std::optional<vb::Currency> ReadMoneyText(const QString &text);
// A date typed in the user's pattern (Global::DateFormat), else in any form the
// runtime reads ("5/03/2026"); an invalid QDate when it is no date.
QDate ReadDateText(const QString &text);

// Appends the cancellation credit row of a booking: a charge row ("C", marker
// "Cancelled", written by "Ovix", dated now) of ChargeAmount -discount and
// ChargeGST -(discount x the program's tax rate), with the program's revenue
// account and tax code; program 0 (a one-off class) takes the centre's default
// tax code, no account and no tax. Lowers the booking's balance by the discount.
// Failures reach the caller.
void AddCancellationCredit(qint32 bookingId, qint32 studentId, qint32 programId,
                           vb::Currency discount);

// What the cancellation dialog saves.
struct Cancellation
{
    qint32 bookingId = 0;
    bool future = false;   // record cancelDate instead of cancelling now
    QDate cancelDate;      // with future
    QString reason;        // empty keeps the booking's earlier reason
    vb::Currency discount; // 0 writes no credit row
};

// Saves a cancellation in one transaction: now, Status "Cancelled" (CancelDate
// and Notes kept); on a date, CancelDate set and Notes replaced by "This booking
// will be cancelled on 05-Mar-2026" (Status kept); the reason when given; the
// credit row when the discount is not 0. A failure reaches the caller with
// nothing kept (a missing booking fails too).
void SaveCancellation(const Cancellation &cancellation);

// A recorded cancellation whose date has come, as listed at log-in.
struct DueCancellation
{
    qint32 bookingId = 0;
    QString student;
    QString classCaption;
    vb::Currency owing;
    QDate cancelDate;
};

// The bookings neither cancelled nor moved whose CancelDate is on or before the
// day, in the order the data file gives them. Failures reach the caller.
QList<DueCancellation> ListDueCancellations(const QDate &today);

// Cancels every booking neither cancelled nor moved whose CancelDate is before
// the day (a date of the day itself waits for the next day's run). Each booking
// is one transaction: its Status becomes "Cancelled" and, when adjustBalances
// is set and it owes or holds a credit, the cancellation credit row of its whole
// balance brings it to 0. A booking another workstation has cancelled meanwhile
// is skipped. Gives the number cancelled; a failure reaches the caller, the
// bookings done before it staying done and the failing one untouched.
int ProcessDueCancellations(const QDate &today, bool adjustBalances);

} // namespace imodEnrolments
