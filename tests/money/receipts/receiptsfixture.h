#pragma once

#include "core/sqlquote.h"
#include "money/receipts/register.h"
#include "platform/ui/windowregistry.h"
#include "timetable/fixture/timetablefixture.h"

#include <QDateTime>

// A payment row as the tests write it: what a case does not name is what the
// payment window writes.
struct PaymentRow
{
    QString receiptNo = QStringLiteral("101");
    QDateTime time = QDateTime(QDate(2026, 3, 5), QTime(10, 15, 0));
    QString payer = QStringLiteral("Amy Ng");
    qint32 booking = 0;
    qint32 student = 0;
    vb::Currency amount = vb::Currency(50);
    vb::Currency tax = vb::Currency(4.55);
    vb::Currency revenue = vb::Currency(45.45);
    vb::Currency discount;
    vb::Currency discountTax;
    QString type = QStringLiteral("P");
    int banked = 0;
};

// The shared data file fixture with the receipt windows registered by name.
class ReceiptsTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        money::RegisterReceiptWindows();
    }
    void TearDown() override
    {
        TimetableTest::TearDown();
        for (const char *name : {"frmReceiptSummary", "frmJournalReceipts", "frmRptReceipt",
                                 "frmPassword"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
    }

    qint32 addPayment(const PaymentRow &row)
    {
        exec(QStringLiteral(
                 "INSERT INTO Payments (BookingID, [Time], Amount, [Method], ReceivedFrom, "
                 "AuthorisedBy, [Date], Banked, [Type], Notes, ReceiptNo, DiscountAmount, "
                 "RevenueAccount, GSTCollected, RevenueAmount, DepositAccount, DiscountGST, "
                 "TaxCode, [SID], AttendanceID, ChargeAmount, ChargeGST, PassportFee, SessionNo) "
                 "VALUES (%1, %2, %3, 'Cash', %4, 'Office', %5, %6, %7, 'paid', %8, %9, "
                 "'4-1000', %10, %11, '1-1100', %12, 'GST', %13, 3, 0, 0, 0, 0)")
                 .arg(Global::SqlNumber(row.booking), Global::SqlDate(row.time),
                      Global::SqlNumber(row.amount), Global::SqlText(row.payer),
                      Global::SqlDate(row.time.date()), Global::SqlNumber(row.banked),
                      Global::SqlText(row.type), Global::SqlText(row.receiptNo),
                      Global::SqlNumber(row.discount))
                 .arg(Global::SqlNumber(row.tax), Global::SqlNumber(row.revenue),
                      Global::SqlNumber(row.discountTax), Global::SqlNumber(row.student)));
        return value(QStringLiteral("SELECT Max(PaymentID) FROM Payments")).toInt();
    }
    int reversalRows() { return count(QStringLiteral("SELECT * FROM Payments WHERE ReceiptNo = 'Reversal'")); }
    int auditRows() { return count(QStringLiteral("SELECT * FROM DeleteLog")); }
    int banked(qint32 paymentId)
    {
        return value(QStringLiteral("SELECT Banked FROM Payments WHERE PaymentID = %1").arg(paymentId))
            .toInt();
    }
};
