#pragma once

#include <QStringList>

// The filter lists of the class search window: the statements that fill them and
// the "Show Classes" choices, in list order.
namespace classsearch {

// Instructors by "First Last": students who are instructors, not inactive and
// linked to at least one class.
inline const QString InstructorListSql = QStringLiteral(
    "SELECT Students.[First Name] + ' ' + Students.[Last Name] As Expr1 FROM Students INNER "
    "JOIN Instructors ON Students.StudentID = Instructors.StudentID WHERE Students.Inactive = 0 "
    "AND InstructorID IN (SELECT InstructorID FROM InstructorLink);");
inline const QString PoolAreaListSql = QStringLiteral("SELECT PoolAreas.AreaName FROM PoolAreas;");
inline const QString ActivityListSql = QStringLiteral("SELECT ActivityName FROM Activities;");
// Active class groups with a description that some class (of any program) uses.
inline const QString LevelListSql = QStringLiteral(
    "SELECT Description FROM ClassGroups WHERE (Inactive = 0) AND (ClassGroups.Description <> "
    "'') AND (ClassGroups.Description IN (SELECT Classes.Description FROM Classes));");

// "(All)", "AM Only", "PM Only", "All Weekends", "All Weekdays", "AM + Weekdays",
// "PM + Weekends".
QStringList TimeModes();

} // namespace classsearch
