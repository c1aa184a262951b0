#include "daypatternsave.h"

#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"

namespace daypatterns {

namespace {

const char *const weekdayNames[] = {"MONDAY", "TUESDAY",  "WEDNESDAY", "THURSDAY",
                                    "FRIDAY", "SATURDAY", "SUNDAY"};

const QString patternColumns = QStringLiteral(
    "SELECT DayName, RunMon, RunTue, RunWed, RunThu, RunFri, RunSat, RunSun, Sequence FROM Days");

} // namespace

QString CleanDayName(const QString &name)
{
    QString cleaned = name;
    cleaned.remove(QLatin1Char('"'));
    cleaned.remove(QLatin1Char('\''));
    return cleaned;
}

bool IsValidDaySetup(const QString &name, const RunDays &runs)
{
    const QString upper = name.toUpper();
    for (int day = 0; day < 7; ++day) {
        if (upper != QLatin1String(weekdayNames[day]))
            continue;
        for (int other = 0; other < 7; ++other) {
            if (runs[other] != (other == day))
                return false;
        }
        return true;
    }
    return true;
}

QString InvalidSetupMessage(const QString &name)
{
    const QString first =
        QStringLiteral("The setup of '") + name + QStringLiteral("' is invalid.\r\n");
    if (Global::DayNumberForName(name) < 7)
        return first + QStringLiteral("The day you are setting up has special meaning to ") +
               Global::CentreSettings().ShortAppName() +
               QStringLiteral(" and must be set up correctly.");
    return first + QStringLiteral("Please review this setup and try again.");
}

bool DayNameTaken(const QString &name, const QString &except)
{
    QString sql =
        QStringLiteral("SELECT DayName FROM Days WHERE DayName = ") + Global::SqlText(name);
    if (!except.isEmpty())
        sql += QStringLiteral(" AND DayName <> ") + Global::SqlText(except);
    jet::Recordset rs(Global::DbConnection(), Global::AdaptSql(sql + QStringLiteral(";")));
    return !rs.eof();
}

void SaveDayPattern(bool adding, const QString &storedName, const QString &name,
                    const RunDays &runs, int sequence)
{
    Global::DbTransaction transaction;
    {
        jet::Recordset rs(
            Global::DbConnection(),
            Global::AdaptSql(adding ? patternColumns + QStringLiteral(";")
                                    : patternColumns + QStringLiteral(" WHERE DayName = ") +
                                          Global::SqlText(storedName) + QStringLiteral(";")));
        if (adding)
            rs.addNew();
        else if (rs.eof())
            throw jet::Error(jet::err::NoCurrentRecord,
                             QStringLiteral("Either BOF or EOF is True, or the current record "
                                            "has been deleted. Requested operation requires a "
                                            "current record."));
        rs.setValue(0, name);
        for (int day = 0; day < 7; ++day)
            rs.setValue(1 + day, runs[day] ? 1 : 0);
        rs.setValue(8, sequence);
        rs.update();
    }
    // Classes name their pattern: a renamed pattern keeps its classes.
    if (!adding && storedName != name)
        Global::DbConnection().execute(Global::AdaptSql(
            QStringLiteral("UPDATE Classes SET [Day] = ") + Global::SqlText(name) +
            QStringLiteral(" WHERE [Day] = ") + Global::SqlText(storedName) + QStringLiteral(";")));
    transaction.commit();
}

void SaveDaySequence(const QStringList &names)
{
    try {
        Global::DbTransaction transaction;
        for (int position = 0; position < names.size(); ++position)
            imodData::ExecSQL(QStringLiteral("UPDATE Days SET Sequence = ") +
                                  Global::SqlNumber(position) +
                                  QStringLiteral(" WHERE DayName = ") +
                                  Global::SqlText(names.at(position)) + QStringLiteral(";"),
                              false);
        transaction.commit();
    } catch (...) {
        // The order is the user's convenience: a failure leaves the stored one.
    }
}

} // namespace daypatterns
