#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace ui {
class Form;
}

// Taking a payment: the rows a payer owes, the checks before a payment is
// written, the writing of its ledger rows under one receipt number, and what
// follows (the status offer, the class views' reload, the receipt). The payment
// window "frmPayments" only translates these. Values reach SQL through the quoting
// helpers; failures of the engine reach the caller unless said otherwise.
namespace imodMoney {

// Balances in lists ("$1,234.50") and amounts being edited or paid ("$1234.50").
QString FormatBalance(vb::Currency amount);
QString FormatAmount(vb::Currency amount);
// An amount as the payment window writes or a user types it ("12.5", "$1,234.50",
// "-$5.00"); nothing when the text is no amount.
std::optional<vb::Currency> ReadAmount(const QString &text);
// The same, 0 for a text that is no amount.
vb::Currency AmountOrZero(const QString &text);
// Rounded to whole cents as amounts are formatted: half a cent away from zero.
vb::Currency RoundToCents(vb::Currency amount);

// --- The payers.

// The three forms of the payer pick list.
enum class PayerListForm { LastFirst, FirstLast, InvoiceRef };
// The pick-list entries with their StudentIDs: "Last, First (SID#n)" or
// "First Last (SID#n)" of every student, or "Fn" of every row whose Family is 0.
QList<QPair<QString, qint32>> PayerPickList(PayerListForm form);
// The StudentID of a name entry: the number between "(SID#" and the ")" after it;
// 0 when the text holds none.
qint32 StudentIdOfEntry(const QString &entry);
// The students a family reference stands for: the row itself and every row whose
// Family is that number, in the order read.
QList<qint32> FamilyReferenceStudents(qint32 familyId);

// One row of the payment grid.
struct PayerRow
{
    qint32 bookingId = 0; // 0 for the joining-fee and balance-difference rows
    qint32 studentId = 0;
    QString name;    // "First Last"
    QString program; // the program's name, "One-Off", or empty
    QString caption; // the class, "Deleted Class", "Deleted Booking" or "Passport Fees"
    vb::Currency owing;
    bool balanceDifference = false; // what the student owes beyond the rows shown
};
struct PayerRows
{
    QList<PayerRow> rows;
    vb::Currency balance; // the student's ledger balance
};
// The rows of one student: each booking's ledger group with a balance (every group,
// and bookings without ledger rows at 0, when zero balances are not hidden; waiting
// and moved bookings at 0 left out), the joining-fee balance, and the part of the
// student's balance that no row explains.
PayerRows ReadPayerRows(qint32 studentId, bool hideZeroBalances);

// --- Who takes the payment, and how.

struct PaymentEmployee
{
    QString name; // "First Last"
    QString userId;
};
// The active employees with a user ID, by first and last name.
QList<PaymentEmployee> PaymentEmployees();
// The names of the payment methods, in the order read.
QStringList PaymentMethodNames();

// --- The checks before a payment is written.

// What the payment window holds when "Process" is pressed.
struct PaymentRequest
{
    int gridRows = 0; // the header row included
    QString method;
    QString amountText;
    QString employee;     // "(none)" or the employee's name
    QString employeeUserId;
    bool passwordAsked = true; // the employee list and the password box are enabled
    QString password;
};
enum class PaymentCheck { Passed, Refused, WrongPassword };
// Runs the checks in their order, each refusal with its own message: something to
// pay, a method, a number (a zero or negative amount confirmed unless the method is
// "Refund" or "Discount"), an employee, the password (only when asked), the
// employee's ReceivePayments right. The amount read goes into amount.
PaymentCheck CheckPaymentRequest(const PaymentRequest &request, vb::Currency &amount);

// One grid row as the allocation check reads it.
struct AllocationRow
{
    qint32 bookingId = 0;
    vb::Currency owing;
    vb::Currency discount;
    vb::Currency payNow;
};
// Asks "Overpay?" (No the default) for each row whose discount and payment exceed
// what it owes, first to last; each confirmed row writes its own DeleteLog row
// with the authorising employee's user ID. False at the first No, or after an
// error, which it shows ("An error occurred in CheckAllocations."); rows already
// logged stay.
bool CheckAllocations(const QList<AllocationRow> &rows, const QString &authorisedBy);

// --- Writing the payment.

// One grid row as the writing reads it.
struct PaymentLine
{
    qint32 bookingId = 0;
    qint32 studentId = 0;
    QString name;
    vb::Currency discount;
    vb::Currency payNow;
};
// The positions of the lines that are not written: those whose discount and payment
// are both 0, first to last, as long as more than one line is left.
QList<int> EmptyLinesToDrop(const QList<PaymentLine> &lines);
// The payer text: each name once (whole names compared, case counts), joined by " and ".
QString PayerText(const QList<PaymentLine> &lines);
// The tax of a booking row: the amount times the rate (taken to four decimals),
// rounded to cents.
vb::Currency BookingRowTax(vb::Currency amount, double rate);
// The tax of a joining-fee row: the tax contained in the amount paid,
// amount - amount / (1 + rate), to four decimals.
vb::Currency JoiningFeeRowTax(vb::Currency amount, double rate);

struct PaymentToWrite
{
    QList<PaymentLine> lines;
    QString method;
    QString authorisedBy;
    QString notes;
    QString receiptBox; // a typed receipt number, or "Auto#" or empty for the next one
};
struct WrittenPayment
{
    QString receiptNo;
    QDateTime time;
    QString payer;
    QString classes; // each row's class activity followed by " and "
    vb::Currency tax;
    qint32 lastBookingId = 0;
};
// Writes one "P" row per line under one receipt number and one time, cut to whole
// seconds. The receipt number taken and every row are one transaction: after a
// failure nothing is written and the centre's next number is as it was.
WrittenPayment WritePayment(const PaymentToWrite &payment);

// --- After the payment.

// Asks "Change Status?" when the booking is Tentative; Yes confirms it.
void OfferToConfirmBooking(qint32 bookingId);
// Calls Load_Students of every open class view ("frmViewClass") of the booking's
// class; nothing for a row without a class.
void ReloadClassViews(qint32 bookingId);

// The receipt window's labels, in the order they are set.
QList<QPair<QString, QString>> ReceiptLabels(const WrittenPayment &payment, const QString &method,
                                             const QString &authorisedBy, vb::Currency amount,
                                             const QString &balanceAfter, const QDate &today);
// The receipt: the HTML page (the procedure "mReports::ShowReceiptPage", with its
// office copy when the centre shows receipt stubs) for HTML receipts; otherwise the receipt window "frmRptReceipt" filled with its labels and
// tagged "Prerecorded", given back unshown so that the caller shows it when ready.
// Nothing (nullptr) when neither is registered.
ui::Form *MakeReceipt(bool htmlReceipt, const WrittenPayment &payment, const QString &method,
                      const QString &authorisedBy, vb::Currency amount,
                      const QString &balanceAfter);
// Whether the centre's receipts are HTML pages (setting 27, "Use HTML Forms").
bool UsesHtmlReceipts();

// The names the receipt is reached by.
inline const QString ReceiptPageProcedure = QStringLiteral("mReports::ShowReceiptPage");
inline const QString ReceiptWindowName = QStringLiteral("frmRptReceipt");

} // namespace imodMoney
