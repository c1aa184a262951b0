#include "daypatterns.h"

#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"

#include <array>

namespace Global {

namespace {
const std::array<QString, 7> dayNames = {QStringLiteral("Sunday"),   QStringLiteral("Monday"),
                                         QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
                                         QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                         QStringLiteral("Saturday")};
}

QString DayNameForNumber(int dayNumber)
{
    if (dayNumber < 1 || dayNumber > 7)
        return {};
    return dayNames[size_t(dayNumber - 1)];
}

int DayNumberForName(const QString &dayName)
{
    for (int number = 1; number <= 7; ++number) {
        if (dayNames[size_t(number - 1)] == dayName)
            return DaysSinceMonday(number);
    }
    return 7;
}

int DaysSinceMonday(int dayNumber)
{
    if (dayNumber == 1)
        return 6;
    if (dayNumber >= 2 && dayNumber <= 7)
        return dayNumber - 2;
    if (dayNumber == 8)
        return 7;
    return 0;
}

} // namespace Global

namespace imodGlobalSubs {

namespace {

QString patternSql(const QString &dayName)
{
    return QStringLiteral("SELECT DayName, RunMon, RunTue, RunWed, RunThu, RunFri,"
                          " RunSat, RunSun FROM Days WHERE DayName = ") +
           Global::SqlText(dayName) + QLatin1Char(';');
}

// The run flag of a Sunday-first weekday: "Run" and the first three letters of its name.
QString flagColumn(int dayNumber)
{
    return QStringLiteral("Run") + Global::DayNameForNumber(dayNumber).left(3);
}

bool flagSet(const QVariant &flag)
{
    return !flag.isNull() && vb::IsNumeric(flag) && vb::CDbl(flag) == 1;
}

} // namespace

void FillDayCombo(QWidget *list, bool addAll, int index)
{
    core::listClear(list);
    if (addAll)
        core::listAddItem(list, QStringLiteral("(All)"));
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT DayName FROM Days ORDER BY Sequence;"), false);
    while (!rs->eof()) {
        core::listAddItem(list, vb::CStr(rs->value(0)));
        rs->moveNext();
    }
    rs->close();
    if (core::listCount(list) > 0 && index >= 0)
        core::setListIndex(list, index);
}

QString GetDayNameForSequence(int sequence)
{
    auto rs =
        irecObjectCode::OpenRecordset(QStringLiteral("SELECT DayName FROM Days WHERE Sequence = ") +
                                          Global::SqlNumber(sequence) + QLatin1Char(';'),
                                      false);
    return rs->eof() ? QString() : vb::CStr(rs->value(0));
}

int GetDaySequence(const QString &dayName)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT DayName, Sequence FROM Days WHERE DayName = ") +
            Global::SqlText(dayName) + QLatin1Char(';'),
        false);
    return rs->eof() ? 0 : vb::CInt(rs->value(QStringLiteral("Sequence")));
}

int GetMaxDaySequence()
{
    auto rs =
        irecObjectCode::OpenRecordset(QStringLiteral("SELECT MAX(Sequence) FROM Days;"), false);
    return vb::CInt(rs->value(0));
}

int CountRunDays(const QString &dayName)
{
    int total = 0;
    try {
        auto rs = irecObjectCode::OpenRecordset(patternSql(dayName), false);
        if (rs->eof())
            return 0;
        for (int day = 2; day <= 8; ++day) { // Monday to Sunday
            try {
                total += vb::CInt(rs->value(flagColumn(day > 7 ? 1 : day)));
            } catch (...) {
                // A flag that cannot be added leaves the count as it was.
            }
        }
    } catch (...) {
        // A failed statement leaves the count as it was.
    }
    return total;
}

int DaysToRunDay(const QString &dayName, int startWeekday, int n)
{
    auto rs = irecObjectCode::OpenRecordset(patternSql(dayName), false);
    if (n <= 0)
        return 0;
    bool runs = false;
    for (int day = 1; day <= 7 && !runs; ++day)
        runs = flagSet(rs->value(flagColumn(day)));
    if (!runs) {
        throw vb::Error(
            vb::err::InvalidProcedureCall,
            QStringLiteral("The day pattern \"%1\" runs on no day of the week.").arg(dayName));
    }
    int count = 0;
    int weekday = startWeekday;
    while (n > 0) {
        weekday = weekday + 1 > 7 ? 1 : weekday + 1;
        ++count;
        if (flagSet(rs->value(flagColumn(weekday))))
            --n;
    }
    return count;
}

} // namespace imodGlobalSubs
