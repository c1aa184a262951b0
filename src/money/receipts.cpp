#include "receipts.h"

#include "core/dbtransaction.h"
#include "core/deletelog.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "enrolments/imodenrolments.h"
#include "imodmoney.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "timetable/classes.h"

#include <QRegularExpression>

namespace imodMoney {

namespace {

namespace rcol = PaymentsColumn;

QString receiptRowsSql(const QString &what, const QString &receiptNo)
{
    return QStringLiteral("SELECT ") + what + QStringLiteral(" FROM Payments WHERE ReceiptNo=") +
           Global::SqlText(receiptNo) + QLatin1Char(';');
}

vb::Currency receiptAmountOf(const QVariant &value)
{
    return vb::CCur(vb::Nz(value, 0));
}

QString receiptTextOf(const QVariant &value)
{
    return value.isNull() ? QString() : vb::CStr(value);
}

// The rows of one reversal, inside the caller's transaction.
ReversalResult reverseRowOn(jet::Connection &connection, qint32 paymentId,
                            const QString &userName)
{
    const QString id = Global::SqlNumber(paymentId);
    jet::Recordset reversed(connection,
                            Global::AdaptSql(QStringLiteral("SELECT Payments.* FROM Payments "
                                                            "WHERE PaymentID=") +
                                             id + QLatin1Char(';')));
    if (!reversed.eof() && vb::CLng(vb::Nz(reversed.value(rcol::Banked), 0)) == 1)
        return ReversalResult::AlreadyReversed;

    Global::WriteDeleteLog(connection, QStringLiteral("PID #") + QString::number(paymentId),
                           QStringLiteral("Reverse Payment"));
    if (reversed.eof())
        return ReversalResult::Missing;

    const auto negated = [&reversed](int column) {
        return QVariant::fromValue(receiptAmountOf(reversed.value(column)) * vb::Currency(-1));
    };
    const QVariant zero = QVariant::fromValue(vb::Currency());
    // An empty selection: the recordset only adds the row.
    jet::Recordset row(connection, Global::AdaptSql(QStringLiteral(
                                       "SELECT Payments.* FROM Payments WHERE PaymentID = 0;")));
    row.addNew();
    row.setValue(rcol::BookingID, reversed.value(rcol::BookingID));
    row.setValue(rcol::Time, vb::Now());
    row.setValue(rcol::Amount, negated(rcol::Amount));
    row.setValue(rcol::Method, reversed.value(rcol::Method));
    row.setValue(rcol::ReceivedFrom, reversed.value(rcol::ReceivedFrom));
    row.setValue(rcol::AuthorisedBy, userName);
    row.setValue(rcol::Date, vb::Date());
    row.setValue(rcol::Banked, 0);
    row.setValue(rcol::Type, PaymentRowType::Payment);
    row.setValue(rcol::Notes, QString());
    row.setValue(rcol::ReceiptNo, ReceiptNoMarker::Reversal);
    row.setValue(rcol::DiscountAmount, zero);
    row.setValue(rcol::RevenueAccount, reversed.value(rcol::RevenueAccount));
    row.setValue(rcol::GSTCollected, negated(rcol::GSTCollected));
    row.setValue(rcol::RevenueAmount, negated(rcol::RevenueAmount));
    row.setValue(rcol::DepositAccount, reversed.value(rcol::DepositAccount));
    row.setValue(rcol::DiscountGST, zero);
    row.setValue(rcol::TaxCode, reversed.value(rcol::TaxCode));
    row.setValue(rcol::SID, reversed.value(rcol::SID));
    row.setValue(rcol::AttendanceID, reversed.value(rcol::AttendanceID));
    row.setValue(rcol::ChargeAmount, zero);
    row.setValue(rcol::ChargeGST, zero);
    row.setValue(rcol::PassportFee, 0);
    row.setValue(rcol::SessionNo, 0);
    row.update();
    row.close();

    reversed.setValue(rcol::Banked, 1);
    reversed.update();
    reversed.close();
    return ReversalResult::Reversed;
}

} // namespace

int CountReceiptRows(const QString &receiptNo)
{
    auto rs = irecObjectCode::OpenRecordset(receiptRowsSql(QStringLiteral("Count(*)"), receiptNo));
    return rs->eof() ? 0 : vb::CLng(vb::Nz(rs->value(0), 0));
}

QList<qint32> ReceiptPaymentIds(const QString &receiptNo)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT PaymentID FROM Payments WHERE ReceiptNo=") +
        Global::SqlText(receiptNo) + QStringLiteral(" ORDER BY PaymentID;"));
    QList<qint32> ids;
    for (; !rs->eof(); rs->moveNext())
        ids << vb::CLng(rs->value(0));
    return ids;
}

bool OffersReceiptWideReversal(const QString &receiptNo, int rows)
{
    return vb::IsNumeric(receiptNo) && rows > 1;
}

QString ReceiptWideQuestion(int rows)
{
    return QString::number(rows) +
           QStringLiteral(" bookings were paid for on this receipt. Would you like to reverse "
                          "payments for all bookings (click Yes) or just the payment for this "
                          "booking (click No)");
}

ReversalResult ReversePaymentRow(qint32 paymentId, const QString &userName)
{
    Global::DbTransaction transaction;
    const ReversalResult result = reverseRowOn(Global::DbConnection(), paymentId, userName);
    if (result == ReversalResult::AlreadyReversed)
        return result; // nothing to keep
    transaction.commit();
    return result;
}

ReversalResult ReversePaymentRow(jet::Connection &connection, qint32 paymentId,
                                 const QString &userName)
{
    connection.beginTrans();
    try {
        const ReversalResult result = reverseRowOn(connection, paymentId, userName);
        connection.commitTrans();
        return result;
    } catch (...) {
        try {
            connection.rollbackTrans();
        } catch (...) {
        }
        throw;
    }
}

ReceiptCopy ReadReceiptCopy(const QString &receiptNo)
{
    ReceiptCopy copy;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Payments.* FROM Payments WHERE ReceiptNo=") +
        Global::SqlText(receiptNo) + QStringLiteral(" ORDER BY PaymentID;"));
    QStringList payers;
    QStringList classes;
    for (; !rs->eof(); rs->moveNext()) {
        ++copy.rows;
        payers << receiptTextOf(rs->value(rcol::ReceivedFrom));
        copy.total += receiptAmountOf(rs->value(rcol::Amount));
        copy.tax += receiptAmountOf(rs->value(rcol::GSTCollected));
        const qint32 classId =
            imodEnrolments::GetBookingClassID(vb::CLng(vb::Nz(rs->value(rcol::BookingID), 0)));
        classes << imodClasses::GetClassActivity(classId);
    }
    rs->close();
    copy.payers = payers.join(QStringLiteral(" and "));
    copy.classes = classes.join(QStringLiteral(" and "));
    return copy;
}

QList<QPair<QString, QString>> ReceiptCopyLabels(const ReceiptCopy &copy, const QString &method,
                                                 const QString &date, const QString &receiptNo,
                                                 const QString &signedBy)
{
    const QString amountFormat = QStringLiteral("$#####0.00");
    const QString forText = QStringLiteral("For ") + copy.classes + QStringLiteral(" Classes");
    const QString number = QStringLiteral("Receipt #") + receiptNo;
    const QString paid =
        QStringLiteral("Amount Paid ") + vb::Format(QVariant::fromValue(copy.total), amountFormat);
    const QString tax = QStringLiteral("This includes ") +
                        vb::Format(QVariant::fromValue(copy.tax), amountFormat) +
                        QStringLiteral(" in tax");
    return {
        {QStringLiteral("lblHeading"), method},
        {QStringLiteral("lblMethod"), method},
        {QStringLiteral("txtReceivedFrom"), copy.payers},
        {QStringLiteral("lblFor"), forText},
        {QStringLiteral("lblDate"), date},
        {QStringLiteral("lblReceiptNo"), number},
        {QStringLiteral("lblAmount"), paid},
        {QStringLiteral("txtStaffName"), signedBy},
        {QStringLiteral("lblGST"), tax},
        {QStringLiteral("lblOfficeDate"), date},
        {QStringLiteral("lblOfficeFor"), forText},
        {QStringLiteral("lblOfficeAmount"), paid},
        {QStringLiteral("lblOfficeReceiptNo"), number},
        {QStringLiteral("lblGST2"), tax},
    };
}

QList<JournalLine> ReadJournal(const QDate &from, const QDate &to)
{
    QList<JournalLine> lines;
    if (!from.isValid() || !to.isValid() || from > to)
        return lines;
    // Whole calendar days: from the first day's midnight to the midnight after the last.
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT PaymentID, [Time], ReceivedFrom FROM Payments WHERE Type = 'P' "
                       "AND [Time] >= ") +
        Global::SqlDate(from) + QStringLiteral(" AND [Time] < ") + Global::SqlDate(to.addDays(1)) +
        QStringLiteral(" ORDER BY PaymentID;"));
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 id = vb::CLng(rs->value(0));
        lines.append({JournalLineText(rs->value(1), receiptTextOf(rs->value(2)), id), id});
    }
    rs->close();
    return lines;
}

QString JournalLineText(const QVariant &time, const QString &receivedFrom, qint32 paymentId)
{
    return receiptTextOf(time) + QStringLiteral(" - ") + receivedFrom + QStringLiteral(" (#") +
           QString::number(paymentId) + QLatin1Char(')');
}

qint32 JournalLinePaymentId(const QString &line)
{
    static const QRegularExpression idAtEnd(QStringLiteral("\\(#(\\d+)\\)$"));
    const auto match = idAtEnd.match(line);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString JournalStatusText(int lines)
{
    return QString::number(lines) + QStringLiteral(" payments matching the criteria were found");
}

} // namespace imodMoney
