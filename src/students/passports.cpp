#include "passports.h"

#include "classes/classsearchquery.h"
#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "fieldvalues.h"

namespace imodStudents {

QStringList PassportStatusTexts()
{
    return {QStringLiteral("Not Issued"), QStringLiteral("Held at this Centre (In)"),
            QStringLiteral("Customer Has Passport (Out)")};
}

QStringList PassportProgramItems()
{
    QStringList items;
    auto rs = detail::open(QStringLiteral("SELECT Programs.* FROM Programs;"));
    for (; !rs->eof(); rs->moveNext())
        items << detail::text(rs->value(QStringLiteral("Program"))) + QStringLiteral(" (ID#") +
                     QString::number(detail::number(rs->value(QStringLiteral("ProgramID")))) +
                     QLatin1Char(')');
    return items;
}

QStringList PassportInstructorItems()
{
    QStringList items;
    auto rs = detail::open(QStringLiteral(
        "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name] FROM "
        "Students INNER JOIN Instructors ON Students.StudentID = Instructors.StudentID WHERE "
        "Students.Inactive = 0;"));
    for (; !rs->eof(); rs->moveNext())
        items << detail::text(rs->value(1)) + QLatin1Char(' ') + detail::text(rs->value(2)) +
                     QStringLiteral(" (EID#") + QString::number(detail::number(rs->value(0))) +
                     QLatin1Char(')');
    return items;
}

namespace {

// "(All)" or nothing matches everything; any other filter matches itself only.
QString passportLikePattern(const QString &filter)
{
    if (filter.isEmpty() || filter == QLatin1String("(All)") || filter == QLatin1String("%"))
        return Global::SqlText(QStringLiteral("%"));
    return Global::SqlText(classsearch::LikeLiteral(filter));
}

} // namespace

QString PassportSelectionSql(const PassportSelection &selection)
{
    const QString day = passportLikePattern(selection.day);
    return QStringLiteral(
               "SELECT DISTINCT Bookings.StudentID, Issued FROM Bookings, Students WHERE "
               "Students.Issued <> 0 AND Bookings.StudentID = Students.StudentID AND "
               "Bookings.ClassID IN (SELECT Classes.ClassID FROM Classes, Programs WHERE "
               "Classes.ProgramID = Programs.ProgramID AND ((Classes.ClassID) In (SELECT "
               "Classes.ClassID FROM ((Instructors INNER JOIN InstructorLink ON "
               "Instructors.InstructorID = InstructorLink.InstructorID) INNER JOIN Students ON "
               "Instructors.StudentID = Students.StudentID) INNER JOIN Classes ON "
               "InstructorLink.ClassID = Classes.ClassID WHERE (((([First Name]+\" \"+[Last "
               "Name])) Like ") +
           passportLikePattern(selection.instructor) +
           QStringLiteral(")))) AND ((Classes.[Day]) Like ") + day +
           QStringLiteral(") AND Programs.ProgramID=") + Global::SqlNumber(selection.programId) +
           QStringLiteral(" AND Classes.[Day] Like ") + day +
           // A class counts when it has a "Confirmed" or "Tentative" booking.
           QStringLiteral(" AND EXISTS (SELECT Tmp.BookingID FROM Bookings AS Tmp WHERE "
                          "Tmp.ClassID = Classes.ClassID AND (Tmp.Status='Tentative' OR "
                          "Tmp.Status='Confirmed')));");
}

QList<qint32> PassportStudents(const PassportSelection &selection)
{
    QList<qint32> ids;
    auto rs = detail::open(PassportSelectionSql(selection));
    for (; !rs->eof(); rs->moveNext())
        ids << detail::number(rs->value(0));
    return ids;
}

int SetPassportStatus(const QList<qint32> &studentIds, int status)
{
    Global::DbTransaction transaction;
    for (qint32 id : studentIds) {
        const qint64 changed = Global::DbConnection().execute(
            QStringLiteral("UPDATE Students SET Issued = ") + Global::SqlNumber(status) +
            QStringLiteral(" WHERE StudentID = ") + Global::SqlNumber(id));
        if (changed != 1)
            detail::noCurrentRecord();
    }
    transaction.commit();
    return int(studentIds.size());
}

} // namespace imodStudents
