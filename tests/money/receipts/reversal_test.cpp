#include "receiptsfixture.h"

#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "money/receipts.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

using imodMoney::ReversalResult;
using vb::Currency;

namespace {

using Reversal = ReceiptsTest;

TEST_F(Reversal, WritesTheAuditRowTheNegatedRowAndTheMark)
{
    const qint32 student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    PaymentRow paid;
    paid.booking = 12;
    paid.student = student;
    paid.discount = Currency(5);
    paid.discountTax = Currency(0.5);
    const qint32 id = addPayment(paid);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);

    EXPECT_EQ(imodMoney::ReversePaymentRow(id, QStringLiteral("Jo Bloggs")), ReversalResult::Reversed);

    jet::Recordset r(Global::DbConnection(),
                     QStringLiteral("SELECT * FROM Payments WHERE ReceiptNo = 'Reversal'"));
    ASSERT_FALSE(r.eof());
    const auto money = [](double v) { return QVariant::fromValue(Currency(v)); };
    // Column by column; Time (2) and Date (7) below.
    const QVariantList expected = {
        QVariant(), 12,        QVariant(), money(-50), "Cash",        "Amy Ng",   "Jo Bloggs",
        QVariant(), 0,         "P",        "",         "Reversal",    money(0),   "4-1000",
        money(-4.55), money(-45.45), "1-1100", money(0), "GST",       student,    3,
        money(0),   money(0),  0,          0};
    ASSERT_EQ(expected.size(), 25);
    for (int column = 0; column < expected.size(); ++column) {
        const QVariant &want = expected[column];
        if (!want.isValid())
            continue;
        if (want.canConvert<Currency>() && want.userType() == qMetaTypeId<Currency>())
            EXPECT_EQ(vb::CCur(vb::Nz(r.value(column), 0)), want.value<Currency>())
                << "column " << column;
        else
            EXPECT_EQ(vb::CStr(vb::Nz(r.value(column))), vb::CStr(want)) << "column " << column;
    }
    EXPECT_GE(r.value(2).toDateTime(), before);
    EXPECT_EQ(r.value(7).toDateTime().date(), QDate::currentDate());
    r.moveNext();
    EXPECT_TRUE(r.eof());

    // The reversed row is marked and keeps its receipt number and amounts.
    EXPECT_EQ(banked(id), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT ReceiptNo FROM Payments WHERE PaymentID = %1").arg(id))
                  .toString(),
              "101");
    EXPECT_EQ(vb::CCur(value(QStringLiteral("SELECT Amount FROM Payments WHERE PaymentID = %1").arg(id))),
              Currency(50));
    jet::Recordset log(Global::DbConnection(), QStringLiteral("SELECT * FROM DeleteLog"));
    ASSERT_FALSE(log.eof());
    EXPECT_EQ(log.value(2).toString(), QStringLiteral("PID #%1").arg(id));
    EXPECT_EQ(log.value(3).toString(), "Reverse Payment");
    EXPECT_TRUE(vb::CStr(vb::Nz(log.value(4))).isEmpty());
}

TEST_F(Reversal, AMarkedRowIsNeverReversedTwiceAndAMissingOneIsOnlyLogged)
{
    const qint32 id = addPayment({});
    EXPECT_EQ(imodMoney::ReversePaymentRow(id, QString()), ReversalResult::Reversed);
    EXPECT_EQ(imodMoney::ReversePaymentRow(id, QString()), ReversalResult::AlreadyReversed);
    EXPECT_EQ(reversalRows(), 1);
    EXPECT_EQ(auditRows(), 1);

    EXPECT_EQ(imodMoney::ReversePaymentRow(id + 100, QString()), ReversalResult::Missing);
    EXPECT_EQ(reversalRows(), 1);
    EXPECT_EQ(auditRows(), 2);
}

TEST_F(Reversal, TwoWorkstationsReversingOneRowWriteOneReversal)
{
    const qint32 id = addPayment({});
    jet::Connection other(QStringLiteral("Provider=MICROSOFT.JET.OLEDB.4.0;Mode=ReadWrite|Share "
                                         "Deny None;Data Source=") +
                          dataFile);
    other.open();
    // Both windows showed the row unreversed; the second to press finds it marked.
    EXPECT_EQ(imodMoney::ReversePaymentRow(other, id, QStringLiteral("Other")),
              ReversalResult::Reversed);
    EXPECT_EQ(imodMoney::ReversePaymentRow(id, QStringLiteral("Here")),
              ReversalResult::AlreadyReversed);
    EXPECT_EQ(imodMoney::ReversePaymentRow(other, id, QStringLiteral("Other")),
              ReversalResult::AlreadyReversed);
    other.close();
    EXPECT_EQ(reversalRows(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT AuthorisedBy FROM Payments WHERE ReceiptNo = "
                                   "'Reversal'"))
                  .toString(),
              "Other");
}

TEST_F(Reversal, AFailureAfterTheAuditRowWritesNothing)
{
    const qint32 id = addPayment({});
    for (const char *operation : {"INSERT", "UPDATE"}) {
        SCOPED_TRACE(operation);
        // INSERT fails the reversal row, UPDATE the mark after it.
        block(QStringLiteral("Payments"), QString::fromLatin1(operation));
        EXPECT_THROW(imodMoney::ReversePaymentRow(id, QString()), std::exception);
        runSqlite(QStringLiteral("DROP TRIGGER BlockPayments%1").arg(QLatin1String(operation)).toUtf8());
        EXPECT_EQ(auditRows(), 0);
        EXPECT_EQ(reversalRows(), 0);
        EXPECT_EQ(banked(id), 0);
    }
    // The connection is left without a transaction: the next reversal commits.
    EXPECT_EQ(imodMoney::ReversePaymentRow(id, QString()), ReversalResult::Reversed);
}

TEST_F(Reversal, OnlyANumericReceiptOfSeveralRowsOffersTheWholeReceipt)
{
    const struct
    {
        const char *receiptNo;
        int rows;
        bool offered;
    } cases[] = {{"Charge", 3, false}, {"Reversal", 3, false}, {"Moved", 2, false},
                 {"", 2, false},       {"1205", 1, false},     {"1205", 3, true}};
    for (const auto &c : cases)
        EXPECT_EQ(imodMoney::OffersReceiptWideReversal(QString::fromLatin1(c.receiptNo), c.rows),
                  c.offered)
            << c.receiptNo << " " << c.rows;
    EXPECT_EQ(imodMoney::ReceiptWideQuestion(3),
              "3 bookings were paid for on this receipt. Would you like to reverse payments for "
              "all bookings (click Yes) or just the payment for this booking (click No)");
}

TEST_F(Reversal, ReceiptRowsAreFoundByTheirNumberEvenWithQuotes)
{
    const QString odd = QStringLiteral("O'Neil \"7\" #;");
    PaymentRow row;
    row.receiptNo = odd;
    const qint32 a = addPayment(row);
    const qint32 b = addPayment(row);
    addPayment({});
    EXPECT_EQ(imodMoney::CountReceiptRows(odd), 2);
    EXPECT_EQ(imodMoney::ReceiptPaymentIds(odd), QList<qint32>({a, b}));
    EXPECT_EQ(imodMoney::CountReceiptRows(QString()), 0);
}

} // namespace
