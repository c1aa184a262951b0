#include "lookuprules.h"

#include "core/imodglobalsubs.h"
#include "core/sqlquote.h"
#include "platform/vb/convert.h"

namespace timetable::lookups {

namespace {

struct NameRule
{
    const char *noun; // as the messages name the record
    bool refuseDoubleQuote;
    bool refuseApostrophe;
};

NameRule ruleOf(Table table)
{
    switch (table) {
    case Table::ClassGroups: return {"a class group", true, false};
    case Table::PoolAreas: return {"a location", false, true};
    case Table::Activities: return {"an activity", true, true};
    case Table::Events: return {"an event", true, true};
    }
    return {"a record", true, true};
}

QString refusedCharacter(QChar c, const char *noun)
{
    // "an activity" -> "the activity name"
    const QString kind = QString::fromLatin1(noun).section(QLatin1Char(' '), 1);
    return QStringLiteral("You cannot have a ") + c + QStringLiteral(" character in the ") + kind +
           QStringLiteral(" name.");
}

} // namespace

QString NameRefusal(Table table, const QString &name)
{
    const NameRule rule = ruleOf(table);
    if (name.trimmed().isEmpty())
        return QStringLiteral("You must enter ") + QString::fromLatin1(rule.noun) +
               QStringLiteral(" name.");
    if (rule.refuseDoubleQuote && name.contains(QLatin1Char('"')))
        return refusedCharacter(QLatin1Char('"'), rule.noun);
    if (rule.refuseApostrophe && name.contains(QLatin1Char('\'')))
        return refusedCharacter(QLatin1Char('\''), rule.noun);
    return {};
}

QString MaxInClassRefusal(const QString &text)
{
    if (vb::IsNumeric(text))
        return {};
    return QStringLiteral(
        "You must enter a valid number for the maximum number of students in the class.");
}

int ClassesInArea(qint32 areaId)
{
    return imodGlobalSubs::CountRecords(
        QStringLiteral("SELECT Classes.* FROM Classes WHERE PoolArea=") +
        Global::SqlNumber(areaId) + QLatin1Char(';'));
}

int ClassesOfActivity(const QString &activityName)
{
    return imodGlobalSubs::CountRecords(
        QStringLiteral("SELECT Classes.* FROM Classes WHERE ActivityName=") +
        Global::SqlText(activityName) + QLatin1Char(';'));
}

} // namespace timetable::lookups
