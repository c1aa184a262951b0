#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

class QComboBox;

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

// The box a list shows when it cannot be filled: its title, the sentence before the
// error and the one after.
struct ListErrorTexts
{
    QString title, first, last;
};

// Clears the list, adds "(All)" and the values of the statement's first column (a row
// without a value ends the adding), and selects "(All)". Each of the three steps that
// fails shows the list's box, and the next one runs.
void FillFilterList(QComboBox *list, const QString &sql, const ListErrorTexts &texts);

// The three class group lists: each cleared and given "(All)", then each filled from
// LevelListSql, then each set to "(All)". A failure of the first or second step shows
// "Error loading class group list" and the next step runs.
void FillLevelLists(const QList<QComboBox *> &lists);

// The active programs with their ProgramID as item data, the default program of the
// centre's settings selected. A default that is not among them: the first program is
// selected and becomes the default for this session only (the data file keeps its
// setting), after the box "Default Program Unavailable". Failures show "Error loading
// program list".
void FillProgramList(QComboBox *programs);

// Where a class search window of the design size goes without a stored place (twips):
// across the middle of the main window's working area of that size (twips), 500 twips
// higher, never at a negative place.
QPoint DefaultPlace(QSize area, QSize design);

// The class search window's stored place and size (twips), as the user left it; `place`
// where nothing is stored, and never smaller than the window's design size.
QRect StoredPlace(QPoint place, QSize design);

// Keeps the window's place and size (twips) for its next opening.
void SavePlace(const QRect &frame);

} // namespace classsearch
