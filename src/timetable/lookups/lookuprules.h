#pragma once

#include <QString>

// The rules of the lookup editors that need no window: what a name may hold and
// how many classes still use a location or an activity.
namespace timetable::lookups {

enum class Table { ClassGroups, PoolAreas, Activities, Events };

// The warning that refuses a name at Save, or the empty text when the name may be
// saved. Every table refuses an empty (or all blank) name; the class groups,
// activities and events refuse the double-quote character; the locations,
// activities and events refuse the apostrophe; in that order.
QString NameRefusal(Table table, const QString &name);

// The warning that refuses a class group's Max in Class text (empty or not a
// number), or the empty text.
QString MaxInClassRefusal(const QString &text);

// The number of classes held at the location / of the activity; 0 when the count fails.
int ClassesInArea(qint32 areaId);
int ClassesOfActivity(const QString &activityName);

} // namespace timetable::lookups
