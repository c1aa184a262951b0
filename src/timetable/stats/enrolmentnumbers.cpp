#include "enrolmentnumbers.h"

#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"

#include <QHash>
#include <numeric>

namespace enrolmentnumbers {

namespace {

// Text as the database matches it: only the letters A to Z ignore their case.
QString matchKey(const QString &text)
{
    QString key = text;
    for (QChar &c : key) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return key;
}

} // namespace

const QStringList &CountedDays()
{
    static const QStringList days = {QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                                     QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                     QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                                     QStringLiteral("Sunday"),    QStringLiteral("Other")};
    return days;
}

qint32 LevelCounts::total() const
{
    return std::accumulate(counts.begin(), counts.end(), qint32(0));
}

QList<LevelCounts> CountEnrolments(qint32 programId)
{
    QHash<QString, int> dayColumn;
    for (int i = 0; i < CountedDays().size(); ++i)
        dayColumn.insert(matchKey(CountedDays().at(i)), i);

    QHash<QString, std::array<qint32, 8>> byLevel;
    {
        jet::Recordset rs(
            Global::DbConnection(),
            Global::AdaptSql(
                QStringLiteral(
                    "SELECT Classes.Description, Classes.[Day], Count(Bookings.BookingID) "
                    "AS Enrolled FROM Bookings, Classes WHERE ((Bookings.ClassID = "
                    "Classes.ClassID) AND (Classes.ProgramID = ") +
                Global::SqlNumber(programId) +
                QStringLiteral(") AND ((Bookings.Status = 'Confirmed') OR (Bookings.Status = "
                               "'Tentative'))) GROUP BY Classes.Description, Classes.[Day];")));
        for (; !rs.eof(); rs.moveNext()) {
            const QVariant level = rs.value(0), day = rs.value(1);
            if (level.isNull() || day.isNull())
                continue;
            const auto column = dayColumn.constFind(matchKey(day.toString()));
            if (column == dayColumn.cend())
                continue;
            auto &counts = byLevel[matchKey(level.toString())];
            counts[column.value()] += rs.value(2).toInt();
        }
    }

    QList<LevelCounts> levels;
    jet::Recordset rs(Global::DbConnection(),
                      Global::AdaptSql(QStringLiteral("SELECT Description FROM Classes WHERE "
                                                      "ProgramID=") +
                                       Global::SqlNumber(programId) +
                                       QStringLiteral(" GROUP BY Description ORDER BY "
                                                      "Classes.Description;")));
    for (; !rs.eof(); rs.moveNext()) {
        const QVariant level = rs.value(0);
        if (level.isNull())
            continue;
        LevelCounts row;
        row.level = level.toString();
        row.counts = byLevel.value(matchKey(row.level));
        if (row.total() > 0)
            levels << row;
    }
    return levels;
}

} // namespace enrolmentnumbers
