#pragma once

#include "platform/vb/currency.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The money subsystem's small tables (tax codes, payment methods, discounts,
// general-ledger accounts) as
// their editors read and write them, and the discounts granted on a booking. A
// chosen list entry is found again by its key (the code, or the number in its
// "(ID#n)"), and the row is taken only when its list text is the entry exactly.
// Failures of the engine reach the caller.
namespace moneytables {

// --- Tax codes: TaxCode, by position (code, name, rate in percent).

// Every code as "code - name"; a code without a name gives no text.
inline const QString TaxCodeListSql =
    QStringLiteral("SELECT TaxCode + ' - ' + Description AS Expr1 FROM TaxCode;");

// The untaxed items' code, which is never deleted (compared exactly).
inline const QString UntaxedCode = QStringLiteral("N-T");

struct TaxCodeRow
{
    QString code;
    QString description;
    QString rate; // as the database gives it as text: 12.5, 10
};

// The code whose list text is the entry.
std::optional<TaxCodeRow> FindTaxCode(const QString &listText);

// Adds the code, or updates the row of the code, with the name and rate as typed
// (the database converts the rate). Updating a code that has no row raises
// jet::err::NoCurrentRecord and writes nothing; adding a code that exists fails
// with jet::err::Unspecified.
void SaveTaxCode(bool adding, const QString &code, const QString &description,
                 const QString &rate);

// The accounts and the programs that name the code.
int CountAccountsWithTaxCode(const QString &code);
int CountProgramsWithTaxCode(const QString &code);

// The statement that opens the code's row.
QString TaxCodeRowSql(const QString &code);

// --- Payment methods: BankLink (number, name by position; Account, Exclude by name).

inline const QString PaymentMethodListSql = QStringLiteral(
    "SELECT BankLink.PaymentType + ' (ID#' + CStr(BankLink.BankLinkID) + ')' AS Expr1 FROM "
    "BankLink");
// Every account number, in the order of the table.
inline const QString AccountNumbersSql = QStringLiteral("SELECT AccountNo FROM Accounts;");

struct PaymentMethodRow
{
    qint32 id = 0;
    QString name;
    QString account;
    int exclude = 0;
};

std::optional<PaymentMethodRow> FindPaymentMethod(const QString &listText);

// Adds the method (id 0) or updates the row of the number; gives the row's
// number (a new method's as the database gave it). Updating a number that has
// no row raises jet::err::NoCurrentRecord; a second method of a name fails with
// jet::err::Unspecified.
qint32 SavePaymentMethod(qint32 id, const QString &name, const QString &account, int exclude);

// The ledger rows, banked or not, that carry the method's name: a count.
int CountPaymentsWithMethod(const QString &name);

QString PaymentMethodRowSql(qint32 id);

// --- Discounts: Discounts, by name. Amounts are stored negative (a discount
// of 4.00 is -4.00).

inline const QString DiscountListSql = QStringLiteral(
    "SELECT Discounts.DiscountName + ' (ID#' + CStr(Discounts.DiscountID) + ')' AS Expr1 FROM "
    "Discounts");

// The money format of the amount boxes.
inline const QString AmountBoxFormat = QStringLiteral("$#####0.00;-$#####0.00");
// The money format of labels and totals.
inline const QString TotalFormat = QStringLiteral("$#,###,##0.00;-$#,###,##0.00");

struct DiscountRow
{
    qint32 id = 0;
    QString name;
    vb::Currency amount;
    int pool = 0;
    int perSession = 0;
};

std::optional<DiscountRow> FindDiscount(const QString &listText);

// Whether another discount has the name, compared as the database compares text.
bool DiscountNameExists(const QString &name);

// Adds the discount (id 0) or updates the row of the number, the amount as the
// box reads ("-$4.00"; text that is no number fails with a type mismatch and
// writes nothing). Gives the row's number.
qint32 SaveDiscount(qint32 id, const QString &name, const QString &amount, int pool,
                    int perSession);

QString DiscountRowSql(qint32 id);

// --- Granting a discount on a booking.

// The discounts (with their tax) already granted on one session of the booking;
// session 0 is the booking as a whole.
vb::Currency GetSessionDiscounts(qint32 bookingId, int session);
vb::Currency GetBookingDiscounts(qint32 bookingId);

// The discount that remains of the amount: with pooling, the amount less what
// was granted, never below 0; else the amount.
vb::Currency DiscountTotal(vb::Currency amount, vb::Currency granted, bool pooling);

// The employees who have a user account, by first and last name: the name as the
// list shows it ("First Last") and the UserID.
struct Approver
{
    QString name;
    QString userId;
};
QList<Approver> LoadApprovers();

struct DiscountGrant
{
    qint32 bookingId = 0;
    qint32 studentId = 0; // the booking's student and its class's program
    qint32 programId = 0;
    QString details;      // the discount's name: Method and Notes
    QString authorisedBy; // the employee's name
    vb::Currency total;
    QString session; // the session box as typed; "" or "0" for the booking as a whole
};

// Writes the discount's "P" row: dated today, the student's name as ReceivedFrom,
// the program's revenue account and tax code (the centre's default tax code when
// the program has none or the booking is 0), the deposit account of the payment
// method named like the employee, SessionNo the session (0 for the booking as a
// whole), Banked 0. A session that is not a number fails with a type mismatch.
// Nothing is written on a failure. Gives the new PaymentID.
qint32 WriteDiscountRow(const DiscountGrant &grant);

// --- General-ledger accounts: Accounts (code, name, type, tax code; Bank by name).

// Every account as "code - name"; an account without a name gives no text.
inline const QString AccountListSql =
    QStringLiteral("SELECT AccountNo + ' - ' + Name AS Expr1 FROM Accounts;");
// The codes of the tax code list.
inline const QString AccountTaxCodesSql = QStringLiteral("SELECT TaxCode.TaxCode FROM TaxCode;");
// The account types, in the order of the type list.
const QStringList &AccountTypes();
// Whether an account of the type takes part in clearing accounts ("Asset",
// "Liability", compared exactly).
bool IsClearingAccountType(const QString &type);
// The account code that is never deleted (compared exactly).
inline const QString ProtectedAccountCode = QStringLiteral("GST");
// The statement that opens the row whose list text is the entry, and the one that
// opens the row of a code.
QString AccountRowOfEntrySql(const QString &listText);
QString AccountRowSql(const QString &code);
// Whether an account has the code, compared as the database compares text.
bool AccountExists(const QString &code);
// What uses the code, each a count: programs (revenue account), ledger rows
// (revenue or deposit account), and the clear-account listing and detail rows.
int CountProgramsWithAccount(const QString &code);
int CountPaymentsWithAccount(const QString &code);
int CountClearListingsWithAccount(const QString &code);
int CountClearDetailsWithAccount(const QString &code);

} // namespace moneytables
