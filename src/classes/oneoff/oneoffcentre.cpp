#include "oneoffcentre.h"

#include "core/daypatterns.h"
#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/imodglobalsubs.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"

#include <QHash>
#include <algorithm>

namespace oneoffcentre {

namespace {

const QString CentreInstructorSql = QStringLiteral(
    "SELECT [First Name], [Last Name], InstructorID, Instructors.StudentID, ShowInOOE FROM "
    "Instructors, Students WHERE Students.StudentID = Instructors.StudentID");

QList<CentreInstructor> readCentreInstructors(const QString &sql)
{
    QList<CentreInstructor> out;
    auto rs = irecObjectCode::OpenRecordset(sql);
    for (; !rs->eof(); rs->moveNext()) {
        CentreInstructor i;
        i.name = vb::CStr(rs->value(0)) + QLatin1Char(' ') + vb::CStr(rs->value(1));
        i.id = vb::CLng(rs->value(2));
        const QVariant show = rs->value(4);
        i.shown = !show.isNull() && vb::CLng(show) == 1;
        out << i;
    }
    return out;
}

int minutesOfDay(const QVariant &time)
{
    const QTime t = vb::CDate(time).time();
    return t.hour() * 60 + t.minute();
}

} // namespace

QTime SlotTime(int row)
{
    return QTime(6, 0).addSecs((row - 1) * 30 * 60);
}

QString SlotText(const QTime &time)
{
    return vb::Format(QDateTime(QDate(1899, 12, 30), time), QStringLiteral("hh:mm AMPM"));
}

QList<CentreInstructor> ShownInstructors()
{
    return readCentreInstructors(CentreInstructorSql +
                                 QStringLiteral(" AND Instructors.ShowInOOE=1 ORDER BY [First Name];"));
}

QList<CentreInstructor> AllInstructors()
{
    return readCentreInstructors(CentreInstructorSql + QStringLiteral(" ORDER BY [First Name];"));
}

void SaveShownInstructors(const QList<CentreInstructor> &instructors)
{
    Global::DbTransaction transaction;
    for (const CentreInstructor &i : instructors)
        Global::DbConnection().execute(Global::AdaptSql(
            QStringLiteral("UPDATE Instructors SET ShowInOOE = ") + Global::SqlNumber(i.shown ? 1 : 0) +
            QStringLiteral(" WHERE InstructorID = ") + Global::SqlNumber(i.id) + QLatin1Char(';')));
    transaction.commit();
}

QString SlotClass::cellText() const
{
    return description + QStringLiteral(" (#") + QString::number(classId) + QLatin1Char(')');
}

QVector<QVector<SlotClass>> DayClasses(const QDate &day, const QList<qint32> &instructorIds)
{
    QVector<QVector<SlotClass>> columns(instructorIds.size(), QVector<SlotClass>(SlotCount));
    if (instructorIds.isEmpty())
        return columns;
    QHash<qint32, int> columnOf;
    for (int c = 0; c < instructorIds.size(); ++c)
        columnOf.insert(instructorIds[c], c);
    // Sunday = 1, as the run flags of Days are named. The day's classes come by their end
    // date; the links of instructors without a column are passed over here.
    const QString weekday = Global::DayNameForNumber(day.dayOfWeek() % 7 + 1).left(3);
    const QString date = Global::SqlDate(day);
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT InstructorLink.InstructorID, Classes.ClassID, Classes.StartDate, "
                       "Classes.EndDate, Classes.Time, Classes.Description, Classes.DurationMins "
                       "FROM Classes INNER JOIN InstructorLink ON Classes.ClassID = "
                       "InstructorLink.ClassID WHERE Classes.StartDate <= ") +
        date + QStringLiteral(" AND Classes.EndDate >= ") + date +
        QStringLiteral(" AND Classes.Day IN (SELECT DayName FROM Days WHERE Run") + weekday +
        QStringLiteral(" = 1);"));
    for (; !rs->eof(); rs->moveNext()) {
        const QVariant time = rs->value(4), duration = rs->value(6);
        if (time.isNull() || duration.isNull())
            continue;
        const int start = minutesOfDay(time);
        const int last = start + vb::CLng(duration) - 1;
        const int column = columnOf.value(vb::CLng(rs->value(0)), -1);
        if (column < 0)
            continue;
        SlotClass cls;
        cls.classId = vb::CLng(rs->value(1));
        cls.description = vb::CStr(rs->value(5));
        cls.oneOff = vb::CDate(rs->value(2)) == vb::CDate(rs->value(3));
        for (int s = 0; s < SlotCount; ++s) {
            const QTime slot = SlotTime(s + 1);
            const int at = slot.hour() * 60 + slot.minute();
            // Of two classes in a slot the lower ClassID keeps it.
            SlotClass &cell = columns[column][s];
            if (start <= at && last > at && (cell.isEmpty() || cls.classId < cell.classId))
                cell = cls;
        }
    }
    return columns;
}

bool DayIsSetUp(const QString &dayName)
{
    return imodGlobalSubs::CountRecords(QStringLiteral("SELECT DayName FROM Days WHERE DayName = ") +
                                        Global::SqlText(dayName) + QLatin1Char(';')) > 0;
}

bool HasActiveBookings(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Bookings.* FROM Bookings WHERE ((ClassID=") + Global::SqlNumber(classId) +
        QStringLiteral(") AND ((Status='Confirmed') OR (Status='Tentative')));"));
    return !rs->eof();
}

QString ShortenedCellText(const QString &cellText)
{
    const int p = cellText.indexOf(QStringLiteral("(#")) + 1;
    return p >= 3 ? cellText.left(p - 2) : cellText;
}

QString ScheduleHtml(const QDate &date, const QList<QStringList> &grid, const QString &appName,
                     const QString &printedAt)
{
    const QString title = vb::Format(QDateTime(date, QTime()), QStringLiteral("dd-mmm-yyyy"));
    QStringList lines{QStringLiteral("<html>"), QStringLiteral("<head>"),
                      QStringLiteral("<title>Day Schedule for ") + title + QStringLiteral("</title>"),
                      QStringLiteral("</head>"), QStringLiteral("<body>"),
                      QStringLiteral("<font face='Arial'>"),
                      QStringLiteral("<font size='5'>Day Schedule for ") + title + QStringLiteral("</font>"),
                      QStringLiteral("<font size='2'><br><br>"),
                      QStringLiteral("<table border='1' width='100%' cellpadding='0' cellspacing='0' "
                                     "bordercolor='#000000'>")};
    for (int r = 0; r < grid.size(); ++r) {
        lines << QStringLiteral("<tr>");
        for (const QString &cell : grid[r]) {
            if (r == 0)
                lines << QStringLiteral("<td bgcolor='#C0C0C0' align='center'>") + cell.toHtmlEscaped() +
                             QStringLiteral("&nbsp;</td>");
            else
                lines << QStringLiteral("<td align='center'>") +
                             ShortenedCellText(cell).toHtmlEscaped() + QStringLiteral("&nbsp;</td>");
        }
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>")
          << QStringLiteral("</font><font size='1'>Printed by ") + appName.toHtmlEscaped() +
                 QStringLiteral(" at ") + printedAt + QStringLiteral(".</font></font>")
          << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace oneoffcentre
