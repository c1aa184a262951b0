#pragma once

#include <QString>
#include <QStringList>

class QLineEdit;

// Look-ups of the timetable's tables: instructors (Instructors joined to their
// person rows in Students), pool areas, activities, class groups, the dates of a
// class and award levels. Each reads through Global::AdaptSql and writes nothing.
// Values go into the statements through the quoting helpers, so names with quotes
// in them are found like any other. Names read back are compared exactly (case
// counts), even where the database selected the rows without regard to case.
// Failures of the engine reach the caller.
namespace Global {

// "First Last" of the instructor; "" when there is none.
QString GetInstructorName(qint32 instructorId);
// The instructor whose "First Last" equals the name; the last of several; 0 when none.
qint32 GetInstructorIdForName(const QString &fullName);
// The UserID, in upper case, of the first instructor of that name; "" when none.
// Raises vb::Error 94 when that instructor's UserID is Null.
QString GetInstructorUserId(const QString &fullName);
// "First Last" of every instructor whose UserID is not empty (the staff who may
// authorise), in the order the staff query gives them.
QStringList GetInstructorNamesWithUserId();
// Whether an instructor has the user ID.
bool IsUserInstructor(const QString &userId);

// The name of the area. When there is no such area: the name of the area with the
// lowest AreaID, whose AreaID is written into the text box. Both fail when
// PoolAreas has no row.
QString ShowPoolAreaName(qint32 areaId, QLineEdit *areaIdBox);
QString GetPoolAreaName(qint32 areaId);
// The AreaID of the first area of that name; 0 when none.
qint32 GetPoolAreaId(const QString &areaName);
bool PoolAreaExists(const QString &areaName);
int CountPoolAreas();

// The first activity in name order; "" when there is none.
QString GetDefaultActivity();
bool ActivityExists(const QString &activityName);
int CountActivities();

// The MaxInClass of the class group; 0 when none. Raises vb::Error 94 on a Null.
int GetClassGroupMax(const QString &description);

// "StartDate to EndDate" of the class, dates as the runtime writes them; "" when none.
QString GetClassDatesText(qint32 classId);

// The Description of the level: GetLevelName the last row with that LevelID,
// GetLevelDescription the first; "" when none.
QString GetLevelName(qint32 levelId);
QString GetLevelDescription(qint32 levelId);
// The LevelID of the last level whose Description equals the text exactly; 0 when none.
qint32 GetLevelIdForName(const QString &description);

} // namespace Global
