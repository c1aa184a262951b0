#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QString>

// The receipt of a payment as a page of HTML in the report viewer.
namespace mReports {

// The page: the customer's receipt (the receipt number, date and time, received
// from, method, amount, tax and who authorised it) and, when asked, the same again
// headed "Receipt (Office Copy)". Every text is escaped.
QString ReceiptPageHtml(const QString &receiptNo, const QDateTime &when,
                        const QString &receivedFrom, const QString &method, vb::Currency amount,
                        vb::Currency tax, const QString &authorisedBy, bool officeCopy,
                        const QString &centreName);

// Writes the page into a new temporary report file and shows it in the report
// viewer, which deletes the file when it closes. A file that cannot be written
// raises vb::Error 75 and shows nothing.
void ShowReceiptPage(const QString &receiptNo, const QDateTime &when, const QString &receivedFrom,
                     const QString &method, vb::Currency amount, vb::Currency tax,
                     const QString &authorisedBy, bool officeCopy);

// Registers the procedure "mReports::ShowReceiptPage" (its eight arguments in
// order) and the receipt window "frmRptReceipt" by name.
void RegisterReceiptForms();

} // namespace mReports
