#include "timetablelookups.h"

#include "core/fieldvalues.h"
#include "core/imodglobalsubs.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

#include <QLineEdit>

namespace Global {

namespace {

const QString instructorSql = QStringLiteral(
    "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name], "
    "Students.[Date of Birth], Students.Address, Students.City, Students.State, "
    "Students.Postcode, Students.[Home Phone], Students.[Work Phone], Students.[Mobile Phone], "
    "Students.[Email Address], Students.Notes, Students.Gender, Instructors.UserID, "
    "Students.Student, Students.Employee, Students.Vendor, Students.Special, "
    "Students.InternalNotes, Students.StaffNotes, Instructors.StudentID FROM Students INNER "
    "JOIN Instructors ON Students.StudentID = Instructors.StudentID;");

// Text joined as the program joins it: Null adds nothing.
using core::detail::text;

QString fullName(jet::Recordset &rs, int first, int last)
{
    return text(rs.value(first)) + QLatin1Char(' ') + text(rs.value(last));
}

bool hasRow(const QString &sql)
{
    auto rs = irecObjectCode::OpenRecordset(sql);
    return !rs->eof();
}

// Column 1 of the level rows whose column 0 is the LevelID: the first or the last.
QString levelDescription(qint32 levelId, bool last)
{
    auto rs =
        irecObjectCode::OpenRecordset(QStringLiteral("SELECT Levels.* FROM Levels WHERE LevelID=") +
                                      SqlNumber(levelId) + QLatin1Char(';'));
    QString result;
    for (; !rs->eof(); rs->moveNext()) {
        if (!rs->value(0).isNull() && vb::CLng(rs->value(0)) == levelId) {
            result = vb::CStr(rs->value(1));
            if (!last)
                break;
        }
    }
    return result;
}

} // namespace

QString GetInstructorName(qint32 instructorId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT [First Name], [Last Name] FROM Students INNER JOIN Instructors ON "
                       "Students.StudentID = Instructors.StudentID WHERE InstructorID = ") +
        SqlNumber(instructorId) + QLatin1Char(';'));
    return rs->eof() ? QString() : fullName(*rs, 0, 1);
}

qint32 GetInstructorIdForName(const QString &name)
{
    auto rs = irecObjectCode::OpenRecordset(instructorSql);
    qint32 result = 0;
    for (; !rs->eof(); rs->moveNext()) {
        if (fullName(*rs, 1, 2) == name)
            result = vb::CLng(rs->value(0));
    }
    return result;
}

QString GetInstructorUserId(const QString &name)
{
    auto rs = irecObjectCode::OpenRecordset(instructorSql);
    for (; !rs->eof(); rs->moveNext()) {
        if (fullName(*rs, 1, 2) == name)
            return vb::CStr(rs->value(14)).toUpper();
    }
    return {};
}

QStringList GetInstructorNamesWithUserId()
{
    auto rs = irecObjectCode::OpenRecordset(instructorSql);
    QStringList names;
    for (; !rs->eof(); rs->moveNext()) {
        if (!text(rs->value(14)).isEmpty())
            names << fullName(*rs, 1, 2);
    }
    return names;
}

bool IsUserInstructor(const QString &userId)
{
    return hasRow(QStringLiteral("SELECT Instructors.* FROM Instructors WHERE UserID=") +
                  SqlText(userId) + QLatin1Char(';'));
}

QString ShowPoolAreaName(qint32 areaId, QLineEdit *areaIdBox)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT AreaName FROM PoolAreas WHERE AreaID=") + SqlNumber(areaId) +
        QLatin1Char(';'));
    if (!rs->eof())
        return vb::CStr(rs->value(0));
    auto first =
        irecObjectCode::OpenRecordset(QStringLiteral("SELECT * FROM PoolAreas ORDER BY AreaID;"));
    const QString name = vb::CStr(first->value(QStringLiteral("AreaName")));
    if (areaIdBox)
        areaIdBox->setText(vb::CStr(first->value(QStringLiteral("AreaID"))));
    return name;
}

QString GetPoolAreaName(qint32 areaId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT PoolAreas.* FROM PoolAreas WHERE AreaID=") + SqlNumber(areaId) +
        QLatin1Char(';'));
    if (!rs->eof())
        return vb::CStr(rs->value(1));
    auto first = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT PoolAreas.* FROM PoolAreas ORDER BY AreaID;"));
    return vb::CStr(first->value(1));
}

qint32 GetPoolAreaId(const QString &areaName)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT AreaID FROM PoolAreas WHERE AreaName=") + SqlText(areaName) +
        QLatin1Char(';'));
    return rs->eof() ? 0 : vb::CLng(rs->value(0));
}

bool PoolAreaExists(const QString &areaName)
{
    return hasRow(QStringLiteral("SELECT AreaName FROM PoolAreas WHERE AreaName = ") +
                  SqlText(areaName) + QLatin1Char(';'));
}

int CountPoolAreas()
{
    return imodGlobalSubs::CountRecords(QStringLiteral("SELECT AreaID FROM PoolAreas;"));
}

QString GetDefaultActivity()
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT ActivityName FROM Activities ORDER BY ActivityName;"));
    return rs->eof() ? QString() : vb::CStr(rs->value(0));
}

bool ActivityExists(const QString &activityName)
{
    return hasRow(QStringLiteral("SELECT ActivityName FROM Activities WHERE ActivityName = ") +
                  SqlText(activityName) + QLatin1Char(';'));
}

int CountActivities()
{
    return imodGlobalSubs::CountRecords(QStringLiteral("SELECT ActivityName FROM Activities;"));
}

int GetClassGroupMax(const QString &description)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT MaxInClass FROM ClassGroups WHERE Description=") +
        SqlText(description) + QLatin1Char(';'));
    return rs->eof() ? 0 : vb::CInt(rs->value(0));
}

QString GetClassDatesText(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Classes.* FROM Classes WHERE ClassID=") + SqlNumber(classId) +
        QLatin1Char(';'));
    for (; !rs->eof(); rs->moveNext()) {
        if (!rs->value(0).isNull() && vb::CLng(rs->value(0)) == classId)
            return text(rs->value(8)) + QStringLiteral(" to ") + text(rs->value(9));
    }
    return {};
}

QString GetLevelName(qint32 levelId)
{
    return levelDescription(levelId, true);
}

QString GetLevelDescription(qint32 levelId)
{
    return levelDescription(levelId, false);
}

qint32 GetLevelIdForName(const QString &description)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Levels.* FROM Levels WHERE Description=") + SqlText(description) +
        QLatin1Char(';'));
    qint32 result = 0;
    for (; !rs->eof(); rs->moveNext()) {
        if (text(rs->value(1)) == description)
            result = vb::CLng(rs->value(0));
    }
    return result;
}

} // namespace Global
