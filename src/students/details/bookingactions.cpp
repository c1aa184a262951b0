#include "bookingactions.h"

#include "core/dbtransaction.h"
#include "core/deletelog.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "enrolments/imodenrolments.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "students/imodstudents.h"
#include "timetable/programs.h"

#include <QFile>

namespace imodStudents {

namespace {

// The booking and its student joined: the rows the record window's actions may touch.
std::unique_ptr<jet::Recordset> bookedRow(qint32 bookingId)
{
    return irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Bookings.BookingID, Bookings.Status FROM Bookings INNER JOIN "
                       "Students ON Bookings.StudentID = Students.StudentID WHERE "
                       "Bookings.BookingID = %1;")
            .arg(bookingId));
}

void setStatus(qint32 bookingId, const QString &status)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, [Status] FROM Bookings WHERE BookingID = %1;")
            .arg(bookingId));
    if (rs->eof())
        return;
    rs->setValue(1, status);
    rs->update();
    rs->close();
}

void execute(const QString &sql)
{
    Global::DbConnection().execute(Global::AdaptSql(sql));
}

} // namespace

bool DeleteStudentRecord(qint32 studentId, const QString &shownName, const QString &userId,
                         const QString &photoFile)
{
    {
        Global::DbTransaction transaction;
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT StudentID FROM Students WHERE StudentID = %1;").arg(studentId));
        if (rs->eof())
            return false;
        rs->close();
        Global::WriteDeleteLog(shownName, QStringLiteral("Delete Student"), userId);
        execute(QStringLiteral("DELETE * FROM Bookings WHERE StudentID = %1;").arg(studentId));
        execute(QStringLiteral("DELETE * FROM Students WHERE StudentID = %1;").arg(studentId));
        transaction.commit();
    }
    if (!photoFile.isEmpty() && QFile::exists(photoFile))
        QFile::remove(photoFile); // a photograph that stays harms nothing
    return true;
}

bool DeleteBookingRecord(qint32 bookingId, const QString &userId)
{
    Global::DbTransaction transaction;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT BookingID, StudentID, ClassID FROM Bookings WHERE BookingID = %1;")
            .arg(bookingId));
    if (rs->eof())
        return false;
    const qint32 studentId = vb::CLng(vb::Nz(rs->value(1), 0));
    const qint32 classId = vb::CLng(vb::Nz(rs->value(2), 0));
    rs->close();
    Global::WriteDeleteLog(GetStudentName(studentId) + QStringLiteral(" from Class #") +
                               QString::number(classId),
                           QStringLiteral("Delete"), userId);
    execute(QStringLiteral("DELETE * FROM Bookings WHERE BookingID = %1;").arg(bookingId));
    transaction.commit();
    return true;
}

StatusChange ChangeBookingStatus(qint32 bookingId, const QString &from, const QString &to,
                                 QString *status)
{
    auto rs = bookedRow(bookingId);
    if (rs->eof())
        return StatusChange::NotFound;
    const QString stored = vb::CStr(vb::Nz(rs->value(1)));
    rs->close();
    if (status)
        *status = stored;
    if (stored == to)
        return StatusChange::Kept;
    if (stored != from)
        return StatusChange::Refused;
    setStatus(bookingId, to);
    return StatusChange::Changed;
}

std::optional<vb::Currency> NoShowBalance(qint32 bookingId)
{
    if (bookedRow(bookingId)->eof())
        return std::nullopt;
    return imodEnrolments::GetBookingOwing(bookingId);
}

bool RecordNoShow(qint32 bookingId, qint32 studentId, const vb::Currency &clear,
                  const QString &programName)
{
    if (bookedRow(bookingId)->eof())
        return false;
    Global::DbTransaction transaction;
    if (clear != vb::Currency()) {
        const qint32 programId = imodPrograms::GetProgramIdForName(programName);
        const double rate = imodPrograms::GetProgramGstRate(programId);
        const QVariant zero = QVariant::fromValue(vb::Currency());
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Payments.* FROM Payments WHERE PaymentID = 0;"));
        rs->addNew();
        const QVariant values[] = {
            QVariant(), // the key
            bookingId,
            vb::Now(),
            zero,
            QString(),
            imodEnrolments::GetBookingStudentName(bookingId),
            QStringLiteral("Ovix"),
            vb::Date(),
            0,
            QStringLiteral("C"),
            QString(),
            QStringLiteral("Moved"),
            zero,
            imodPrograms::GetProgramRevenueAccount(programId),
            zero,
            zero,
            QString(),
            zero,
            imodPrograms::GetProgramTaxCode(programId),
            studentId,
            0,
            QVariant::fromValue(-clear),
            QVariant::fromValue(-clear * vb::Currency(rate)),
            0, // PassportFee
            0, // SessionNo
        };
        for (int position = 1; position < int(std::size(values)); ++position)
            rs->setValue(position, values[position]);
        rs->update();
        rs->close();
    }
    setStatus(bookingId, QStringLiteral("No Show"));
    transaction.commit();
    return true;
}

bool RemoveWaitingBooking(qint32 bookingId)
{
    Global::DbTransaction transaction;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Bookings.* FROM Bookings WHERE BookingID=%1;").arg(bookingId));
    if (rs->eof())
        return false;
    rs->moveNext();
    if (!rs->eof())
        return false;
    rs->close();
    execute(QStringLiteral("DELETE * FROM Bookings WHERE BookingID = %1;").arg(bookingId));
    transaction.commit();
    return true;
}

} // namespace imodStudents
