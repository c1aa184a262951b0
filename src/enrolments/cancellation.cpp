#include "cancellation.h"

#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/globalsettings.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

namespace imodEnrolments {

namespace col = imodMoney::PaymentsColumn;

namespace {

QString notPendingStatus()
{
    return QStringLiteral("((Status <> ") + Global::SqlText(BookingStatus::Cancelled) +
           QStringLiteral(") AND (Status <> ") + Global::SqlText(BookingStatus::Moved) +
           QStringLiteral("))");
}

QString bookingRowSql(qint32 bookingId)
{
    return QStringLiteral("SELECT Bookings.* FROM Bookings WHERE (BookingID = ") +
           Global::SqlNumber(bookingId) + QStringLiteral(");");
}

} // namespace

QString MoneyText(vb::Currency amount)
{
    return vb::Format(QVariant::fromValue(amount), QStringLiteral("$#,###,##0.00;-$#,###,##0.00"));
}

std::optional<vb::Currency> ReadMoneyText(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    try {
        return vb::Currency::parse(text);
    } catch (const vb::Error &) {
        return std::nullopt; // too large to be an amount
    }
}

QDate ReadDateText(const QString &text)
{
    const QDate typed = imodStudents::ParseDateText(text);
    if (typed.isValid())
        return typed;
    if (!text.trimmed().isEmpty() && vb::IsDate(text))
        return vb::CDate(text).date();
    return {};
}

void AddCancellationCredit(qint32 bookingId, qint32 studentId, qint32 programId,
                           vb::Currency discount)
{
    const double rate = programId == 0 ? 0.0 : imodPrograms::GetProgramGstRate(programId);
    const imodMoney::ChargeAndTax credit = imodMoney::ClearingCharge(discount, rate);
    const QVariant taxCode =
        programId == 0
            ? vb::Nz(Global::CentreSettings().Settings(int(CentreSettingIds::DefaultTaxCode)),
                     QString())
            : QVariant(imodPrograms::GetProgramTaxCode(programId));
    const QString account =
        programId == 0 ? QString() : imodPrograms::GetProgramRevenueAccount(programId);
    const QString receivedFrom = GetBookingStudentName(bookingId);

    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Payments.* FROM Payments WHERE PaymentID = 0;"));
    const QVariant zero = QVariant::fromValue(vb::Currency());
    rs->addNew();
    rs->setValue(col::BookingID, bookingId);
    rs->setValue(col::Time, vb::Now());
    rs->setValue(col::Amount, zero);
    rs->setValue(col::Method, QString());
    rs->setValue(col::ReceivedFrom, receivedFrom);
    rs->setValue(col::AuthorisedBy, QStringLiteral("Ovix"));
    rs->setValue(col::Date, vb::Date());
    rs->setValue(col::Banked, 0);
    rs->setValue(col::Type, imodMoney::PaymentRowType::Charge);
    rs->setValue(col::Notes, QString());
    rs->setValue(col::ReceiptNo, imodMoney::ReceiptNoMarker::Cancelled);
    rs->setValue(col::DiscountAmount, zero);
    rs->setValue(col::RevenueAccount, account);
    rs->setValue(col::GSTCollected, zero);
    rs->setValue(col::RevenueAmount, zero);
    rs->setValue(col::DepositAccount, QString());
    rs->setValue(col::DiscountGST, zero);
    rs->setValue(col::TaxCode, taxCode);
    rs->setValue(col::SID, studentId);
    rs->setValue(col::AttendanceID, 0);
    rs->setValue(col::ChargeAmount, QVariant::fromValue(credit.charge));
    rs->setValue(col::ChargeGST, QVariant::fromValue(credit.tax));
    // Older data files give these columns no default.
    rs->setValue(col::PassportFee, 0);
    rs->setValue(col::SessionNo, 0);
    rs->update();
    rs->close();
}

void SaveCancellation(const Cancellation &c)
{
    const qint32 programId = imodClasses::GetClassProgramId(GetBookingClassID(c.bookingId));
    Global::DbTransaction transaction;
    auto booking = irecObjectCode::OpenRecordset(bookingRowSql(c.bookingId));
    const qint32 studentId = vb::CLng(vb::Nz(booking->value(QStringLiteral("StudentID")), 0));
    if (c.future) {
        booking->setValue(QStringLiteral("CancelDate"), QDateTime(c.cancelDate, QTime(0, 0)));
        booking->setValue(QStringLiteral("Notes"),
                          QStringLiteral("This booking will be cancelled on ") +
                              vb::Format(QDateTime(c.cancelDate, QTime(0, 0)),
                                         QStringLiteral("dd-mmm-yyyy")));
    } else {
        booking->setValue(QStringLiteral("Status"), BookingStatus::Cancelled);
    }
    if (!c.reason.isEmpty())
        booking->setValue(QStringLiteral("CancelReason"), c.reason);
    if (c.discount != vb::Currency())
        AddCancellationCredit(c.bookingId, studentId, programId, c.discount);
    booking->update();
    booking->close();
    transaction.commit();
}

QList<DueCancellation> ListDueCancellations(const QDate &today)
{
    QList<DueCancellation> due;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT BookingID, StudentID, ClassID, Status, CancelDate FROM Bookings "
                           "WHERE ") +
            notPendingStatus() + QStringLiteral(" AND (CancelDate <= ") + Global::SqlDate(today) +
            QStringLiteral(");"));
        for (; !rs->eof(); rs->moveNext()) {
            DueCancellation row;
            row.bookingId = vb::CLng(rs->value(0));
            row.student = imodStudents::GetStudentName(vb::CLng(vb::Nz(rs->value(1), 0)));
            row.cancelDate = vb::CDate(rs->value(4)).date();
            due << row;
        }
    }
    for (DueCancellation &row : due) {
        row.classCaption = imodClasses::GetBookingClassCaption(row.bookingId);
        row.owing = GetBookingOwing(row.bookingId);
    }
    return due;
}

int ProcessDueCancellations(const QDate &today, bool adjustBalances)
{
    QList<qint32> due;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Bookings.* FROM Bookings WHERE ") + notPendingStatus() +
            QStringLiteral(" AND (CancelDate < ") + Global::SqlDate(today) +
            QStringLiteral(");"));
        for (; !rs->eof(); rs->moveNext())
            due << vb::CLng(rs->value(QStringLiteral("BookingID")));
    }
    int cancelled = 0;
    for (const qint32 bookingId : due) {
        Global::DbTransaction transaction;
        // Read again inside the write transaction: another workstation may have
        // cancelled it since the list was read.
        auto booking = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Bookings.* FROM Bookings WHERE (BookingID = ") +
            Global::SqlNumber(bookingId) + QStringLiteral(") AND ") + notPendingStatus() +
            QLatin1Char(';'));
        if (booking->eof())
            continue;
        const vb::Currency owing = GetBookingOwing(bookingId);
        const qint32 programId = imodClasses::GetClassProgramId(
            vb::CLng(vb::Nz(booking->value(QStringLiteral("ClassID")), 0)));
        const qint32 studentId = vb::CLng(vb::Nz(booking->value(QStringLiteral("StudentID")), 0));
        booking->setValue(QStringLiteral("Status"), BookingStatus::Cancelled);
        if (owing != vb::Currency() && adjustBalances)
            AddCancellationCredit(bookingId, studentId, programId, owing);
        booking->update();
        booking->close();
        transaction.commit();
        ++cancelled;
    }
    return cancelled;
}

} // namespace imodEnrolments
