#pragma once

#include "platform/vb/currency.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

namespace jet {
class Connection;
}

// Receipts after they were taken: the rows of one receipt number, their
// reversal, the copy of a receipt printed again, and the receipts journal's
// lines. Values reach SQL through the quoting helpers; failures of the engine
// reach the caller unless said otherwise.
namespace imodMoney {

// --- The rows of a receipt.

// The ledger rows whose ReceiptNo is the text (exactly as stored, without regard
// to case as the file compares text): a count.
int CountReceiptRows(const QString &receiptNo);
// Their PaymentIDs, in the order of the ledger.
QList<qint32> ReceiptPaymentIds(const QString &receiptNo);
// Whether the receipt-wide reversal is offered: a receipt number that reads as a
// number and more than one row under it ("Charge", "Reversal" and an empty number
// never do).
bool OffersReceiptWideReversal(const QString &receiptNo, int rows);
// The question that offers it.
QString ReceiptWideQuestion(int rows);

// --- Reversing a payment row.

enum class ReversalResult {
    Reversed,        // the audit row, the reversal row and the mark were written
    AlreadyReversed, // the row was marked reversed already: nothing was written
    Missing,         // no such row: only the audit row was written
};

// Reverses one payment row as one transaction, a write transaction from its
// start: the audit row ("PID #n", "Reverse Payment", no user), then the reversal
// row (marker "Reversal", the amount, tax collected and revenue negated, no
// discount, Banked 0, the reversed row's booking, method, payer, accounts, tax
// code, student and attendance row, written by the user name given), then the
// reversed row's Banked set to 1. A row already marked 1 (by an earlier reversal,
// here or on another workstation) is left alone. A failure writes nothing.
ReversalResult ReversePaymentRow(qint32 paymentId, const QString &userName);
// The same on a connection of its own (a second workstation).
ReversalResult ReversePaymentRow(jet::Connection &connection, qint32 paymentId,
                                 const QString &userName);

// --- A copy of a receipt.

struct ReceiptCopy
{
    int rows = 0;
    QString payers;  // each row's ReceivedFrom, joined by " and "
    vb::Currency total; // the sum of Amount
    vb::Currency tax;   // the sum of GSTCollected
    QString classes;    // each row's class activity, joined by " and "
};
// Reads every row of the receipt number.
ReceiptCopy ReadReceiptCopy(const QString &receiptNo);
// The receipt window's labels for a copy, in the order they are set: the method,
// date, receipt number and signing user as the summary shows them.
QList<QPair<QString, QString>> ReceiptCopyLabels(const ReceiptCopy &copy, const QString &method,
                                                 const QString &date, const QString &receiptNo,
                                                 const QString &signedBy);

// --- The receipts journal.

struct JournalLine
{
    QString text; // "time - payer (#PaymentID)"
    qint32 paymentId = 0;
};
// The payment rows ("P", reversal rows included) whose Time falls on a day from
// the first to the last, both included; in the order of the ledger.
QList<JournalLine> ReadJournal(const QDate &from, const QDate &to);
// The line of one row.
QString JournalLineText(const QVariant &time, const QString &receivedFrom, qint32 paymentId);
// The PaymentID a line carries at its end ("(#n)"); 0 when it carries none.
qint32 JournalLinePaymentId(const QString &line);
// The status line under the list.
QString JournalStatusText(int lines);

} // namespace imodMoney
