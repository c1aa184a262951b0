// The session calendar: session numbers to dates and dates to session and week numbers.
#include "imodenrolments.h"

#include "core/daypatterns.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "timetable/programs.h"

namespace imodEnrolments {

namespace {

// Sunday-to-Saturday weeks from the week holding one date to the week holding the other.
qint64 weeksBetween(const QDate &from, const QDate &to)
{
    const auto sunday = [](const QDate &d) { return d.addDays(-(d.dayOfWeek() % 7)); };
    return sunday(from).daysTo(sunday(to)) / 7;
}

struct ClassDays
{
    qint32 programId = 0;
    QString day;
    QVariant startDate;
};

ClassDays readClass(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Classes.* FROM Classes WHERE ClassID=%1;").arg(classId));
    return {vb::CLng(rs->value(QStringLiteral("ProgramID"))),
            vb::CStr(vb::Nz(rs->value(QStringLiteral("Day")))),
            rs->value(QStringLiteral("StartDate"))};
}

} // namespace

QDateTime GetSessionDate(qint32 classId, qint32 session)
{
    const ClassDays c = readClass(classId);
    const QDateTime first = imodPrograms::GetFirstClassDateInProgram(c.programId, c.day);
    const int runDays = imodGlobalSubs::CountRunDays(c.day);
    if (runDays == 0)
        return vb::zeroDate();
    const qint32 weeks = (session - 1) / runDays; // toward zero: session 0 is session 1
    const QDateTime weekStart = first.addDays(qint64(weeks) * 7);
    const int k = session - weeks * runDays - 1;
    return weekStart.addDays(imodGlobalSubs::DaysToRunDay(c.day, vb::Weekday(weekStart), k));
}

int GetSessionNumber(qint32 classId, const QDateTime &date)
{
    const ClassDays c = readClass(classId);
    const int runDays = imodGlobalSubs::CountRunDays(c.day);
    const QDate day = vb::DateValue(date).date();
    if (runDays > 1) {
        // Count run days from the first session, as the session dates are given.
        const QDate first = imodPrograms::GetFirstClassDateInProgram(c.programId, c.day).date();
        if (day < first)
            return 0;
        const qint64 weeks = first.daysTo(day) / 7;
        const QDate weekStart = first.addDays(weeks * 7);
        const qint64 offset = weekStart.daysTo(day);
        int before = offset > 0 ? 1 : 0; // the week's first run day is weekStart itself
        const int weekday = vb::Weekday(weekStart);
        for (int k = 1; k < runDays; ++k) {
            if (imodGlobalSubs::DaysToRunDay(c.day, weekday, k) < offset)
                ++before;
        }
        return int(weeks * runDays + before + 1);
    }

    const QDate programStart = vb::DateValue(imodPrograms::GetProgramStartDate(c.programId)).date();
    const int s = Global::DaysSinceMonday(vb::Weekday(programStart));
    const int v = Global::DayNumberForName(c.day);
    const QDate classStart = vb::DateValue(c.startDate).date();
    QDate reference;
    if (c.day == Global::DayNameForNumber(vb::Weekday(classStart)))
        reference = classStart;
    else
        reference = programStart.addDays(v - s + (v < s ? 7 : 0));
    return int(1 + weeksBetween(reference, day));
}

int GetProgramWeek(qint32 programId, const QDateTime &date)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT ProgramID, StartDate, [Sessions] FROM Programs WHERE ProgramID=%1;")
            .arg(programId));
    const QDate start = vb::DateValue(rs->value(1)).date();
    const qint64 week = weeksBetween(start, vb::DateValue(date).date());
    if (week < 0 || week > vb::CLng(vb::Nz(rs->value(2), 0)))
        return 0;
    return int(week);
}

int ListBookingsOnDate(qint32 studentId, const QDateTime &date, QWidget *list)
{
    core::listClear(list);
    const QDate day = vb::DateValue(date).date();
    const QString weekday = Global::DayNameForNumber(vb::Weekday(day));
    // The run flag of the weekday: "Run" and the first three letters of its name.
    const QString flag = QStringLiteral("Days.Run") + weekday.left(3);
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Bookings.BookingID, Classes.ProgramID, Classes.[Day], Classes.[Time], "
                       "Classes.Description FROM (Bookings INNER JOIN Classes ON Bookings.ClassID "
                       "= Classes.ClassID) LEFT JOIN Days ON Classes.[Day] = Days.DayName WHERE "
                       "(Bookings.StudentID = ") +
        Global::SqlNumber(studentId) + QStringLiteral(") AND ((") + flag +
        QStringLiteral(" = 1) OR (Classes.[Day] = ") + Global::SqlText(QStringLiteral("Other")) +
        QStringLiteral(")) AND (Classes.StartDate <= ") + Global::SqlDate(day) +
        QStringLiteral(") AND (Classes.EndDate >= ") + Global::SqlDate(day) +
        QStringLiteral(") ORDER BY Bookings.BookingID;"));
    for (; !rs->eof(); rs->moveNext()) {
        core::listAddItem(
            list, imodPrograms::GetProgramName(vb::CLng(rs->value(1))) + QStringLiteral(" - ") +
                      vb::CStr(vb::Nz(rs->value(2))) + QLatin1Char(' ') +
                      vb::Format(rs->value(3), QStringLiteral("hh:mm AMPM")) + QLatin1Char(' ') +
                      vb::CStr(vb::Nz(rs->value(4))) + QStringLiteral(" (BKID#") +
                      QString::number(vb::CLng(rs->value(0))) + QLatin1Char(')'));
    }
    return core::listCount(list);
}

} // namespace imodEnrolments
