#include "alerts.h"

#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "core/timetablelookups.h"
#include "platform/jet/recordset.h"

namespace alerts {

namespace {

QString twoDigits(int d)
{
    return QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'));
}

QDate dateOf(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.canConvert<QDateTime>() && value.typeId() != QMetaType::QString)
        return value.toDateTime().date();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

} // namespace

int DaysAhead(Period period, const QDate &today)
{
    switch (period) {
    case Period::ThisWeek: return 7;
    case Period::TwoWeeks: return 14;
    case Period::ThisMonth: return today.daysInMonth() - today.day();
    }
    return 7;
}

QDate BirthdayThisYear(const QDate &birthDate, int year)
{
    int day = birthDate.day();
    if (birthDate.month() == 2 && day == 29 && !QDate::isLeapYear(year))
        day = 28;
    return QDate(year, birthDate.month(), day);
}

QString BirthdayEntry(int d, const QString &firstName, const QString &lastName, int age)
{
    QString lead;
    if (d == 0)
        lead = QStringLiteral(" Today! - ");
    else if (d == 1)
        lead = QStringLiteral(" Tomorrow! - ");
    else
        lead = twoDigits(d) + QStringLiteral(" days away - ");
    return lead + firstName + QLatin1Char(' ') + lastName + QStringLiteral("   (Turning ") +
           QString::number(age) + QLatin1Char(')');
}

QString QualificationEntry(int d, const QString &name, const QString &award)
{
    const QString what = name + QStringLiteral("'s ") + award;
    if (d == 0)
        return QStringLiteral("  Today! - ") + what + QStringLiteral(" Qualification expires");
    if (d == 1)
        return QStringLiteral("  Tomorrow! - ") + what + QStringLiteral(" Qualification expires");
    if (d < 0)
        return QStringLiteral("   ") + what + QStringLiteral(" Qualification expired ") +
               QString::number(-d) + QStringLiteral(" days ago");
    return twoDigits(d) + QStringLiteral(" days away - ") + what +
           QStringLiteral(" Qualification expires");
}

QString EventEntry(int d, const QString &eventName)
{
    if (d == 0)
        return QStringLiteral("  Today! - ") + eventName;
    if (d == 1)
        return QStringLiteral("  Tomorrow! - ") + eventName;
    return twoDigits(d) + QStringLiteral(" days away - ") + eventName;
}

QString RenewalEntry(qint64 count)
{
    return QStringLiteral("Renewal Notices Need to Be Sent (") + QString::number(count) +
           QStringLiteral(" needed)");
}

void LoadBirthdays(const QDate &today, int daysAhead, QStringList &out)
{
    jet::Recordset rs(Global::DbConnection(),
                      Global::AdaptSql(QStringLiteral(
                          "SELECT * FROM Students WHERE [Date of Birth] IS NOT NULL;")));
    while (!rs.eof()) {
        const QDate born = dateOf(rs.value(QStringLiteral("Date of Birth")));
        if (born.isValid()) {
            const QDate birthday = BirthdayThisYear(born, today.year());
            const qint64 d = today.daysTo(birthday);
            if (d >= 0 && d <= daysAhead)
                out << BirthdayEntry(int(d), rs.value(1).toString(), rs.value(2).toString(),
                                     today.year() - born.year());
        }
        rs.moveNext();
    }
    rs.close();
}

void LoadOtherAlerts(const QDate &today, int daysAhead, QStringList &out)
{
    jet::Recordset rs;
    rs.open(Global::AdaptSql(QStringLiteral("SELECT QualRec.* FROM QualRec WHERE Inactive = 0;")),
            Global::DbConnection());
    while (!rs.eof()) {
        const QDate expires = dateOf(rs.value(4));
        if (expires.isValid()) {
            const qint64 d = today.daysTo(expires);
            if (d <= daysAhead)
                out << QualificationEntry(int(d), Global::GetInstructorName(rs.value(1).toInt()),
                                          rs.value(2).toString());
        }
        rs.moveNext();
    }
    rs.close();

    // Events already past are not listed: the period starts today.
    rs.open(Global::AdaptSql(QStringLiteral("SELECT EventID, EventName, EventDate FROM Events;")),
            Global::DbConnection());
    while (!rs.eof()) {
        const QDate when = dateOf(rs.value(QStringLiteral("EventDate")));
        if (when.isValid()) {
            const qint64 d = today.daysTo(when);
            if (d >= 0 && d <= daysAhead)
                out << EventEntry(int(d), rs.value(QStringLiteral("EventName")).toString());
        }
        rs.moveNext();
    }
    rs.close();

    const QString renewals =
        QStringLiteral(
            "SELECT Assessments.[Date], Assessments.RenewalDate, Assessments.RenewalNoticeSent, "
            "Students.[First Name] + ' ' + Students.[Last Name] AS StudentName, Students.Address, "
            "Students.City + ' ' + Students.State + ' ' + Students.Postcode AS CSP, "
            "Students.[Home Phone], Students.[Work Phone], Students.[Mobile Phone], "
            "Levels.Description FROM Assessments, Students, Levels WHERE Assessments.StudentID = "
            "Students.StudentID AND Assessments.LevelID = Levels.LevelID AND "
            "(Assessments.RenewalNoticeSent < 1) AND ((Assessments.RenewalDate) Between ") +
        Global::SqlDate(today) + QStringLiteral(" And ") +
        Global::SqlDate(today.addDays(daysAhead)) + QStringLiteral(")");
    rs.open(Global::AdaptSql(renewals), Global::DbConnection());
    const qint64 count = rs.recordCount();
    rs.close();
    if (count > 0)
        out << RenewalEntry(count);
}

} // namespace alerts
