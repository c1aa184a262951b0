#include "classes.h"

#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "programs.h"

namespace imodClasses {

namespace {

QString classTable()
{
    return QStringLiteral("Classes");
}

QString classKey()
{
    return QStringLiteral("ClassID");
}

// The time of a class as its captions write it: "04:30 PM".
QString timeText(const QVariant &time)
{
    if (time.isNull())
        return {};
    return vb::Format(time, QStringLiteral("hh:mm AMPM"));
}

// Day, time and level of a row that holds them in the columns named.
QString shortCaption(jet::Recordset &rs)
{
    return vb::CStr(vb::Nz(rs.value(QStringLiteral("Day")))) + QLatin1Char(' ') +
           timeText(rs.value(QStringLiteral("Time"))) + QLatin1Char(' ') +
           vb::CStr(vb::Nz(rs.value(QStringLiteral("Description"))));
}

QString fullCaption(jet::Recordset &rs)
{
    return shortCaption(rs) + QStringLiteral(" (") +
           imodPrograms::GetProgramName(
               vb::CLng(vb::Nz(rs.value(QStringLiteral("ProgramID")), 0))) +
           QLatin1Char(')');
}

int rowCount(const QString &sql)
{
    auto rs = irecObjectCode::OpenRecordset(sql);
    return int(rs->recordCount());
}

const char *const Weekdays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                "Friday", "Saturday", "Sunday"};
const char *const RunFlags[] = {"RunMon", "RunTue", "RunWed", "RunThu",
                                "RunFri", "RunSat", "RunSun"};

// The first weekday (Monday first, or Sunday first going back) whose run flag is 1.
QString runWeekday(const QString &dayName, bool fromMonday)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT DayName, RunMon, RunTue, RunWed, RunThu, RunFri, RunSat, "
                                  "RunSun, Sequence FROM Days WHERE DayName = %1;")
                       .arg(Global::SqlText(dayName)));
    if (rs->eof())
        return {};
    for (int i = 0; i < 7; ++i) {
        const int day = fromMonday ? i : 6 - i;
        const QVariant flag = rs->value(QLatin1String(RunFlags[day]));
        if (!flag.isNull() && vb::IsNumeric(flag) && vb::CDbl(flag) == 1.0)
            return QLatin1String(Weekdays[day]);
    }
    return {};
}

} // namespace

qint32 GetClassProgramId(qint32 classId)
{
    try {
        return irecObjectCode::GetIntegerField(classTable(), classKey(), classId,
                                               QStringLiteral("ProgramID"));
    } catch (...) {
        return 0;
    }
}

QString GetClassDay(qint32 classId)
{
    try {
        return irecObjectCode::GetStringField(classTable(), classKey(), classId,
                                              QStringLiteral("[Day]"));
    } catch (...) {
        return {};
    }
}

qint32 GetClassPoolArea(qint32 classId)
{
    return irecObjectCode::GetIntegerField(classTable(), classKey(), classId,
                                           QStringLiteral("PoolArea"));
}

int GetClassMax(qint32 classId)
{
    return irecObjectCode::GetIntegerField(classTable(), classKey(), classId,
                                           QStringLiteral("[Max]"));
}

QString GetClassChargeMode(qint32 classId)
{
    return irecObjectCode::GetStringField(classTable(), classKey(), classId,
                                          QStringLiteral("AttendChargeOn"));
}

QString GetClassActivity(qint32 classId)
{
    return irecObjectCode::GetStringField(classTable(), classKey(), classId,
                                          QStringLiteral("ActivityName"));
}

QString GetClassCaption(qint32 classId)
{
    auto rs =
        irecObjectCode::OpenRecordset(QStringLiteral("SELECT Description, [Day], [Time] FROM Classes WHERE ClassID=%1;")
                 .arg(classId));
    return rs->eof() ? QString() : shortCaption(*rs);
}

QString GetClassFullCaption(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT Classes.ClassID, Classes.Description, Classes.[Day], "
                                  "Classes.[Time], Classes.ProgramID FROM Classes WHERE ClassID=%1")
                       .arg(classId));
    return rs->eof() ? QString() : fullCaption(*rs);
}

QString GetBookingClassCaption(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT Bookings.BookingID, Classes.Description, Classes.[Day], "
                                  "Classes.[Time], Classes.ProgramID FROM Bookings, Classes WHERE "
                                  "BookingID=%1 AND Bookings.ClassID = Classes.ClassID;")
                       .arg(bookingId));
    return rs->eof() ? QString() : fullCaption(*rs);
}

QString GetClassTimeText(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT [Time] FROM Classes WHERE ClassID=%1;").arg(classId));
    return rs->eof() ? QString() : timeText(rs->value(0));
}

QDateTime GetClassStartDate(qint32 classId)
{
    auto rs =
        irecObjectCode::OpenRecordset(QStringLiteral("SELECT StartDate FROM Classes WHERE ClassID = %1;").arg(classId));
    return rs->eof() ? vb::zeroDate() : vb::CDate(rs->value(0));
}

bool IsOneOffClass(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT StartDate, EndDate FROM Classes WHERE ClassID=%1;").arg(classId));
    if (rs->eof() || rs->value(0).isNull() || rs->value(1).isNull())
        return false;
    return vb::CDate(rs->value(0)) == vb::CDate(rs->value(1));
}

qint32 GetClassIdOfBooking(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT BookingID, ClassID FROM Bookings WHERE BookingID=%1;")
                       .arg(bookingId));
    return rs->eof() ? -1 : vb::CLng(rs->value(1));
}

int GetClassSpots(qint32 classId, int places)
{
    return places - rowCount(QStringLiteral("SELECT BookingID, [Status] FROM Bookings WHERE "
                                            "(ClassID=%1) AND (([Status] = 'Confirmed') OR "
                                            "([Status] = 'Tentative'));")
                                 .arg(classId));
}

int GetClassWaitingCount(qint32 classId)
{
    return rowCount(
        QStringLiteral("SELECT Bookings.* FROM Bookings WHERE ClassID=%1 AND Status='Waiting';")
            .arg(classId));
}

int GetClassEnrolledCount(qint32 classId)
{
    return rowCount(QStringLiteral("SELECT Bookings.* FROM Bookings WHERE ClassID=%1 AND "
                                   "(Status='Confirmed' OR Status='Tentative');")
                        .arg(classId));
}

QString GetClassInstructorNames(qint32 classId, bool emptyWhenUnknown)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT InstructorLink.InstructorID, Students.[First Name], "
                       "Students.[Last Name] FROM Students INNER JOIN (InstructorLink INNER JOIN "
                       "Instructors ON InstructorLink.InstructorID = Instructors.InstructorID) ON "
                       "Students.StudentID = Instructors.StudentID WHERE "
                       "(((InstructorLink.ClassID)=%1)) ORDER BY InstructorLink.InstructorID;")
            .arg(classId));
    QString names;
    for (; !rs->eof(); rs->moveNext())
        names += vb::CStr(vb::Nz(rs->value(1))) + QLatin1Char(' ') +
                 vb::CStr(vb::Nz(rs->value(2))) + QStringLiteral(" and ");
    if (emptyWhenUnknown && (names.isEmpty() || names.compare(QLatin1String("instructor tba and "),
                                                              Qt::CaseInsensitive) == 0))
        return {};
    if (!names.isEmpty())
        return names.left(names.size() - 5);
    return QStringLiteral("(none)");
}

QList<qint32> GetClassInstructorIds(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT InstructorID FROM InstructorLink WHERE "
                                  "(((ClassID)=%1)) ORDER BY InstructorID;")
                       .arg(classId));
    QList<qint32> ids;
    for (; !rs->eof(); rs->moveNext())
        ids << vb::CLng(rs->value(0));
    return ids;
}

qint32 ClassIdFromCaption(const QString &caption)
{
    const int p = caption.indexOf(QLatin1String("(CID#"));
    const QString digits = p < 0 ? QString() : caption.mid(p + 5, caption.size() - p - 6);
    bool ok = false;
    const qint32 id = digits.toInt(&ok);
    bool allDigits = !digits.isEmpty();
    for (QChar c : digits)
        allDigits = allDigits && c.isDigit();
    if (!ok || !allDigits)
        throw vb::Error(vb::err::TypeMismatch);
    return id;
}

QString GetFirstRunWeekday(const QString &dayName)
{
    return runWeekday(dayName, true);
}

QString GetLastRunWeekday(const QString &dayName)
{
    return runWeekday(dayName, false);
}

} // namespace imodClasses
