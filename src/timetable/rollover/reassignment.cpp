#include "reassignment.h"

#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

namespace reassignment {

namespace {

QString text(const QVariant &value)
{
    return vb::CStr(vb::Nz(value));
}

QString vanished(const QString &what, const QString &listText)
{
    return QStringLiteral("The %1 \"%2\" no longer exists: it has been changed or deleted on "
                          "another computer since this window was opened. Nothing was "
                          "reassigned.\r\nPlease close this window and open it again.")
        .arg(what, listText);
}

} // namespace

QString InstructorText(const QVariant &firstName, const QVariant &lastName, qint32 instructorId)
{
    return text(firstName) + QLatin1Char(' ') + text(lastName) +
           QStringLiteral(" (EID#%1)").arg(instructorId);
}

QString ProgramText(const QVariant &name, qint32 programId)
{
    return text(name) + QStringLiteral(" (%1)").arg(programId);
}

qint32 InstructorIdForText(const QString &listText)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral(
        "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name] FROM "
        "Students INNER JOIN Instructors ON Students.StudentID = Instructors.StudentID;"));
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 id = vb::CLng(rs->value(0));
        if (InstructorText(rs->value(1), rs->value(2), id) == listText)
            return id;
    }
    return 0;
}

qint32 ProgramIdForText(const QString &listText)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT Programs.* FROM Programs;"));
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 id = vb::CLng(rs->value(0));
        if (ProgramText(rs->value(1), id) == listText)
            return id;
    }
    return 0;
}

QString DayPattern(const QString &dayText)
{
    return dayText == All ? QStringLiteral("%") : dayText;
}

QString Reassign(const Choice &choice)
{
    Global::DbTransaction transaction;
    qint32 currentId = 0;
    if (choice.current != All) {
        currentId = InstructorIdForText(choice.current);
        if (currentId == 0)
            return vanished(QStringLiteral("instructor"), choice.current);
    }
    const qint32 programId = ProgramIdForText(choice.program);
    if (programId == 0)
        return vanished(QStringLiteral("program"), choice.program);
    const qint32 newId = InstructorIdForText(choice.replacement);
    if (newId == 0)
        return vanished(QStringLiteral("instructor"), choice.replacement);

    QString sql =
        QStringLiteral("UPDATE InstructorLink SET InstructorLink.InstructorID = %1 WHERE ")
            .arg(newId);
    if (currentId != 0)
        sql += QStringLiteral("(InstructorLink.InstructorID = %1) AND ").arg(currentId);
    // A day pattern's name is compared as it stands, so that a name holding a
    // wildcard character matches only itself.
    const QString pattern = DayPattern(choice.day);
    const QString dayTest =
        choice.day == All ? QStringLiteral("Classes.Day Like ") : QStringLiteral("Classes.Day = ");
    sql += QStringLiteral("(InstructorLink.ClassID IN (SELECT ClassID FROM Classes WHERE "
                          "(Classes.ProgramID = %1) AND (%2%3)));")
               .arg(QString::number(programId), dayTest, Global::SqlText(pattern));
    Global::DbConnection().execute(Global::AdaptSql(sql));
    transaction.commit();
    return {};
}

} // namespace reassignment
