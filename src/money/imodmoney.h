#pragma once

#include "platform/vb/currency.h"

#include <QDate>
#include <QString>

namespace jet {
class Connection;
}

// The ledger (Payments): one row per charge, payment, discount, credit or
// reversal, tied to a booking and a student. Every writer of the ledger uses the
// row as declared here.
namespace imodMoney {

// The Payments columns by position: their order is part of the structure, and
// rows are read and written by position.
namespace PaymentsColumn {
enum : int {
    PaymentID = 0,
    BookingID = 1,   // 0 for a row of the student alone (joining or passport fee)
    Time = 2,        // when the row was written
    Amount = 3,      // money received; 0 on charge rows
    Method = 4,      // payment method; empty on charge rows
    ReceivedFrom = 5,
    AuthorisedBy = 6, // "Ovix" on rows the system posts
    Date = 7,         // the ledger day: every sum up to a date compares it
    Banked = 8,       // 0 = not banked; a reversed payment is marked 1
    Type = 9,         // PaymentRowType
    Notes = 10,
    ReceiptNo = 11,   // a receipt number or a ReceiptNoMarker text
    DiscountAmount = 12,
    RevenueAccount = 13,
    GSTCollected = 14,
    RevenueAmount = 15,
    DepositAccount = 16,
    DiscountGST = 17,
    TaxCode = 18,
    SID = 19,
    AttendanceID = 20, // the attendance row of a per-session charge; 0 otherwise
    ChargeAmount = 21, // negative for a credit posted as a charge
    ChargeGST = 22,
    PassportFee = 23,  // 1 = the row belongs to the joining (passport) fee
    SessionNo = 24,    // the session a discount applies to; 0 = the booking as a whole
    Count = 25
};
}

// The values of Type: a charge ("C": ChargeAmount and ChargeGST) or a payment,
// discount or reversal ("P": Amount, GSTCollected, RevenueAmount, DiscountAmount,
// DiscountGST).
namespace PaymentRowType {
inline const QString Charge = QStringLiteral("C");
inline const QString Payment = QStringLiteral("P");
}

// The texts ReceiptNo holds on rows that are not receipts. Any other non-empty
// ReceiptNo is a receipt number; discount rows carry an empty one.
namespace ReceiptNoMarker {
inline const QString Charge = QStringLiteral("Charge");     // a row of AddCharge
inline const QString Reversal = QStringLiteral("Reversal"); // the contra row of a reversal
inline const QString Moved = QStringLiteral("Moved");       // a row of a booking's move
inline const QString NoShow = QStringLiteral("No Show");    // the row clearing a no-show's balance
inline const QString Cancelled = QStringLiteral("Cancelled"); // the credit row of a cancellation
}

// The notes of a joining (passport) fee charge.
inline const QString PassportFeeNotes = QStringLiteral("Passport Fee");

// What a set of rows owes: Sum(ChargeAmount) - Sum(Amount) - Sum(DiscountAmount)
// - Sum(DiscountGST). Positive is owed to the school, negative is a credit.
vb::Currency NetOwing(vb::Currency charges, vb::Currency amounts, vb::Currency discounts,
                      vb::Currency discountTax);
// The tax still owing: Sum(ChargeGST) - Sum(GSTCollected) - Sum(DiscountGST).
vb::Currency TaxOwing(vb::Currency chargeTax, vb::Currency taxCollected,
                      vb::Currency discountTax);

// The charge row that clears a booking's balance: ChargeAmount = -net and
// ChargeGST = -net x rate, in currency, so that the booking nets to exactly 0.
struct ChargeAndTax
{
    vb::Currency charge;
    vb::Currency tax;
};
ChargeAndTax ClearingCharge(vb::Currency net, double rate);

// Posts one charge row ("C", receipt number "Charge", written by "Ovix", dated
// now) of the amount and its tax for the booking and student; a credit is a
// negative amount. The row type is not used: every row written is a charge. An
// empty tax code takes the centre's default tax code. A charge on booking 0 whose
// notes are exactly "Passport Fee" carries PassportFee 1, every other 0; SessionNo
// is 0. Gives true when the row was written; on a failure it shows "Error in
// Adding Charge", writes nothing and gives false, so that a caller can undo what
// belongs with it.
bool AddCharge(const QString &rowType, vb::Currency chargeAmount, vb::Currency chargeTax,
               const QString &revenueAccount, qint32 bookingId, qint32 studentId,
               qint32 attendanceId, const QString &taxCode, const QString &notes);

// Adds the amount to the row's ChargeAmount (a negative amount lowers it); a
// caller that means "set" passes the difference. A missing row changes nothing.
// Failures of the engine reach the caller.
void SetChargeAmount(qint32 paymentId, vb::Currency amount);

// Deletes the row; a failure shows nothing and is not reported.
void DeletePaymentRow(qint32 paymentId);

// Clears the credit the student holds on earlier bookings: every booking of the
// student whose rows net below 0 gets a charge of that credit (at its program's
// revenue account, tax code and rate), so that it nets to 0. All or nothing: one
// transaction. Gives false, having written nothing, when one of those charges
// could not be written; failures of the engine reach the caller.
bool CollectStudentCredit(qint32 studentId);

// Hands out the next automatic receipt number: reads and raises the centre's
// NextReceiptNo in one transaction that holds the file's write lock, so that two
// workstations never get the same number. A Null number fails (error 94) and
// writes nothing; failures reach the caller.
qint32 TakeNextReceiptNo();
// The same on a connection of its own (a second workstation).
qint32 TakeNextReceiptNo(jet::Connection &connection);

// Balances and sums over the ledger, in currency; an empty sum is 0. The family
// part (the rows of every student whose Family is the account ID) is added only
// when the flag is true. Failures of the engine reach the caller.

// What has been paid or discounted on a booking: Amount + DiscountAmount + DiscountGST.
vb::Currency GetPaidForBooking(qint32 bookingId);
// The net owing of the student's rows marked PassportFee 1.
vb::Currency GetPassportFeeTotals(qint32 studentId);
// The net owing of the rows dated two days or more before the as-at date.
vb::Currency GetBalanceAsAt(qint32 accountId, const QDate &asAt, bool family);
// The net owing of the rows whose program (through the booking's class) compares
// to the program by the operator, "=" or "<>"; rows without a program count in
// neither. Any other operator is refused (error 5) before a statement runs.
vb::Currency GetProgramBalance(qint32 accountId, qint32 programId, const QString &comparison);
// The net owing of all rows.
vb::Currency GetTotalBalance(qint32 accountId, bool family);
// The tax still owing on the rows dated two days or more before the as-at date.
vb::Currency GetGstOwingAsAt(qint32 accountId, const QDate &asAt, bool family);

// Opens the payment window "frmPayments" on the student: nothing when the student
// has no booking or no window is registered under the name. Otherwise the window
// shows, its pick box "cbo" gets "Last, First (SID#n)" (from the first booking
// row) and the focus, and its AddToList is called with that text; each of these
// steps goes on after a failure of the one before. A failing query reaches the caller.
void ShowPaymentsForStudent(qint32 studentId);

// Opens the receipt summary window "frmReceiptSummary" on one ledger row and
// brings it to the front: nothing when the row is missing or no window is
// registered under the name. Its boxes txtField(n) show column n (0 to 6, 8,
// 10 to 17), amounts as "$#,###,##0.00;-$#,###,##0.00", a column without a value
// as an empty box (a discount column as $0.00), txtDiscNet the discount with its
// tax. Failures reach the caller, the window filled as far as it got.
void ShowReceiptSummary(qint32 paymentId);

} // namespace imodMoney
