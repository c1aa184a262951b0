#include "imodenrolments.h"

#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/imoddata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

namespace imodEnrolments {

namespace {

// The bookings of the student in the class with one status word or the other,
// in classes whose program row exists.
qint32 countInClass(qint32 studentId, qint32 classId, const QStringList &statuses)
{
    QStringList conditions;
    for (const QString &status : statuses)
        conditions << QStringLiteral("Bookings.Status = ") + Global::SqlText(status);
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Count(Bookings.BookingID) FROM (Bookings INNER JOIN Classes ON "
                       "Bookings.ClassID = Classes.ClassID) INNER JOIN Programs ON "
                       "Classes.ProgramID = Programs.ProgramID WHERE (") +
        conditions.join(QStringLiteral(" OR ")) + QStringLiteral(") AND Bookings.StudentID = ") +
        Global::SqlNumber(studentId) + QStringLiteral(" AND Classes.ClassID = ") +
        Global::SqlNumber(classId) + QLatin1Char(';'));
    return vb::CLng(vb::Nz(rs->value(0), 0));
}

QVariant cancelDate(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, CancelDate FROM Bookings WHERE (BookingID = %1);")
            .arg(bookingId));
    return rs->eof() ? QVariant() : rs->value(1);
}

} // namespace

EnrolmentError::EnrolmentError(int number, QString source)
    : vb::Error(number, EnrolmentErrorDescription(number))
    , m_source(std::move(source))
{}

QString EnrolmentErrorDescription(int number)
{
    switch (number) {
    case EnrolmentErrorCode::AlreadyInClass:
        return QStringLiteral("The student is already enrolled in this class.");
    case EnrolmentErrorCode::AlreadyInProgram:
        return QStringLiteral("The student is already enrolled in this program.");
    case EnrolmentErrorCode::AlreadyWaiting:
        return QStringLiteral("The student is already enrolled in this class on the waiting list.");
    case EnrolmentErrorCode::ClassFull: return QStringLiteral("The class is full");
    default: return {};
    }
}

void RaiseEnrolmentError(int number, const QString &source)
{
    throw EnrolmentError(number, source);
}

qint32 CountBookingsInClass(qint32 studentId, qint32 classId)
{
    return countInClass(studentId, classId, {BookingStatus::Confirmed, BookingStatus::Tentative});
}

qint32 CountWaitListInClass(qint32 studentId, qint32 classId)
{
    return countInClass(studentId, classId, {BookingStatus::Waiting});
}

qint32 GetBookingStudentID(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, StudentID FROM Bookings WHERE Bookings.BookingID = %1;")
            .arg(bookingId));
    return rs->eof() ? 0 : vb::CLng(vb::Nz(rs->value(1), 0));
}

bool HasCancelDate(qint32 bookingId)
{
    return !cancelDate(bookingId).isNull();
}

QDateTime GetCancelDate(qint32 bookingId)
{
    const QVariant date = cancelDate(bookingId);
    return date.isNull() ? vb::zeroDate() : vb::CDate(date);
}

bool SetBookingStatus(qint32 bookingId, const QString &status)
{
    try {
        return imodData::ExecSQL(QStringLiteral("UPDATE Bookings SET [Status] = ") +
                                     Global::SqlText(status) +
                                     QStringLiteral(" WHERE BookingID = ") +
                                     Global::SqlNumber(bookingId) + QLatin1Char(';'),
                                 false) == 0;
    } catch (...) {
        return false;
    }
}

QString GetBookingStatus(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, [Status] FROM Bookings WHERE BookingID=%1;")
            .arg(bookingId));
    return rs->eof() ? QString() : vb::CStr(vb::Nz(rs->value(1)));
}

qint32 GetBookingClassID(qint32 bookingId)
{
    try {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT ClassID FROM Bookings WHERE BookingID=%1;").arg(bookingId));
        return rs->eof() ? 0 : vb::CLng(vb::Nz(rs->value(0), 0));
    } catch (...) {
        return 0;
    }
}

QString GetBookingStudentName(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Students.[First Name], Students.[Last Name] FROM (Students INNER "
                       "JOIN Bookings ON Students.StudentID = Bookings.StudentID) INNER JOIN "
                       "Classes ON Bookings.ClassID = Classes.ClassID WHERE Bookings.BookingID = "
                       "%1;")
            .arg(bookingId));
    if (rs->eof())
        return {};
    return vb::CStr(vb::Nz(rs->value(0))) + QLatin1Char(' ') + vb::CStr(vb::Nz(rs->value(1)));
}

vb::Currency GetBookingOwing(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Sum([Amount]), Sum([DiscountAmount]), Sum([DiscountGST]), "
                       "Sum([ChargeAmount]) FROM Payments WHERE BookingID = %1;")
            .arg(bookingId));
    if (rs->eof())
        return {};
    auto sum = [&rs](int column) { return vb::CCur(vb::Nz(rs->value(column), 0)); };
    return sum(3) - sum(0) - sum(1) - sum(2);
}

qint32 CountStudentBookings(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Count(BookingID) FROM Bookings WHERE StudentID=%1;").arg(studentId));
    return vb::CLng(vb::Nz(rs->value(0), 0));
}

namespace {

// What the class is charged up front, with the program's ledger settings; none
// for a class charged per attendance or by payment plan.
struct UpFrontCharge
{
    bool due = false;
    double rate = 0;
    QString account;
    QString taxCode;
    vb::Currency price;
};

UpFrontCharge upFrontChargeOf(qint32 classId, qint32 programId)
{
    UpFrontCharge c;
    c.rate = imodPrograms::GetProgramGstRate(programId);
    c.account = imodPrograms::GetProgramRevenueAccount(programId);
    c.taxCode = imodPrograms::GetProgramTaxCode(programId);
    c.price = imodClasses::GetClassPrice(classId);
    const QString mode = imodClasses::GetClassChargeMode(classId);
    c.due = mode != QLatin1String("Payment Plan") && mode != QLatin1String("Attendance");
    return c;
}

void showChargeStudentError()
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(QStringLiteral("An error occurred when charging the student (Err#%1 - "
                                       "%2)")
                            .arg(e.number)
                            .arg(e.description),
                        ui::vbExclamation, QStringLiteral("Charge Student Error"));
}

} // namespace

int ChargeBooking(qint32 bookingId, qint32 studentId, qint32 classId, qint32 programId)
{
    try {
        const UpFrontCharge c = upFrontChargeOf(classId, programId);
        if (!c.due)
            return 1;
        if (!imodMoney::AddCharge(QStringLiteral("C"), c.price, c.price * vb::Currency(c.rate),
                                  c.account, bookingId, studentId, 0, c.taxCode, QString()))
            return 0;
        return 1;
    } catch (...) {
        showChargeStudentError();
        return 0;
    }
}

int OfferStudentCredit(qint32 bookingId, qint32 studentId, qint32 classId, qint32 programId)
{
    try {
        const UpFrontCharge c = upFrontChargeOf(classId, programId);
        if (!c.due)
            return 1;
        // The balance holds the new charge: without it, below zero is a credit.
        const vb::Currency before = imodStudents::GetStudentBalance(studentId) - c.price;
        if (before >= vb::Currency())
            return 1;
        const QString text =
            imodStudents::GetStudentName(studentId) + QStringLiteral(" has a credit balance of ") +
            vb::Format(QVariant::fromValue(-before),
                       QStringLiteral("$#,###,##0.00;-$#,###,##0.00")) +
            QStringLiteral(". Do you want to apply this credit to this booking?");
        if (ui::Dialogs::msgBox(text, ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("Use credit this term?")) != ui::vbYes)
            return 1;
        const vb::Currency apply = c.price - before > vb::Currency() ? before : -c.price;
        // The collection and the credit row it pays for stand or fall together.
        Global::DbTransaction transaction;
        if (!imodMoney::CollectStudentCredit(studentId))
            return 0;
        if (!imodMoney::AddCharge(QStringLiteral("P"), apply, apply * vb::Currency(c.rate),
                                  c.account, bookingId, studentId, 0, c.taxCode, QString()))
            return 0;
        transaction.commit();
        return 1;
    } catch (...) {
        showChargeStudentError();
        return 0;
    }
}

} // namespace imodEnrolments
