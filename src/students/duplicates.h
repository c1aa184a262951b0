#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Duplicate names: the students whose first and last name another person row
// shares (students, families, employees and special rows all count; names compared
// without regard to case; a row missing either name never counts).
namespace imodStudents {

// The pick-list texts "Last, First (SID#n)" of those students, by last and first
// name; one statement.
QStringList ListDuplicates();

// The person a pick-list text names (read afresh) and the window that suits it.
struct DuplicatePerson
{
    enum Window { None, Employee, Family, Student };
    Window window = None;
    qint32 studentId = 0;
    qint32 instructorId = 0; // the Instructors row of an employee; 0 when it has none
};
// None when the text matches nobody any more. An employee opens in the employee
// window, one without an Instructors row as a student; else a family contact in
// the family window, anyone else as a student.
DuplicatePerson FindDuplicatePerson(const QString &listText);

// The document: "Duplicate Names", "As At " and the date, and the first item of
// each name part (the text before "(SID", compared exactly); items escaped.
QStringList DuplicateDocumentLines(const QStringList &items, const QString &dateText,
                                   const QString &applicationName, const QDateTime &printedAt);

} // namespace imodStudents
