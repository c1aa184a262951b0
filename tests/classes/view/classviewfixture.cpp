#include "classviewfixture.h"

#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"

namespace {
qint32 lastId(const QString &table, const QString &key)
{
    jet::Recordset rs(Global::DbConnection(),
                      QStringLiteral("SELECT Max(%1) FROM %2").arg(key, table));
    return rs.value(0).toInt();
}
} // namespace

qint32 ClassViewTest::addBookingRow(qint32 classId, qint32 studentId, const QString &status,
                                    int session, const QString &owing)
{
    exec(QStringLiteral("INSERT INTO Bookings (StudentID, ClassID, Owing, Status, SessionNo) "
                        "VALUES (%1, %2, %3, %4, %5)")
             .arg(studentId)
             .arg(classId)
             .arg(owing, Global::SqlText(status))
             .arg(session));
    return lastId(QStringLiteral("Bookings"), QStringLiteral("BookingID"));
}

void ClassViewTest::setBooking(qint32 bookingId, const QString &assignments)
{
    exec(QStringLiteral("UPDATE Bookings SET %1 WHERE BookingID = %2").arg(assignments).arg(bookingId));
}

void ClassViewTest::setStudent(qint32 studentId, const QString &assignments)
{
    exec(QStringLiteral("UPDATE Students SET %1 WHERE StudentID = %2").arg(assignments).arg(studentId));
}

void ClassViewTest::addLedgerRow(qint32 bookingId, const QString &charge, const QString &paid,
                                 const QString &discount, const QString &discountTax)
{
    exec(QStringLiteral("INSERT INTO Payments (BookingID, ChargeAmount, Amount, DiscountAmount, "
                        "DiscountGST, Type) VALUES (%1, %2, %3, %4, %5, 'C')")
             .arg(bookingId)
             .arg(charge, paid, discount, discountTax));
}

qint32 ClassViewTest::addLevel(const QString &description)
{
    exec(QStringLiteral("INSERT INTO Levels (Description, Inactive) VALUES (%1, 0)")
             .arg(Global::SqlText(description)));
    return lastId(QStringLiteral("Levels"), QStringLiteral("LevelID"));
}

qint32 ClassViewTest::addAssessment(qint32 studentId, qint32 levelId, const QDate &date,
                                    int processed, int passLevel, qint32 classId)
{
    exec(QStringLiteral("INSERT INTO Assessments (StudentID, [Date], InstructorID, LevelID, "
                        "PassLevel, Processed, ClassID) VALUES (%1, %2, 1, %3, %4, %5, %6)")
             .arg(studentId)
             .arg(date.isValid() ? Global::SqlDate(date) : QStringLiteral("Null"))
             .arg(levelId)
             .arg(passLevel)
             .arg(processed)
             .arg(classId));
    return lastId(QStringLiteral("Assessments"), QStringLiteral("AssessmentID"));
}
