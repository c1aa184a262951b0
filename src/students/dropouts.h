#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Dropouts: the students booked ("Confirmed" or "Tentative") in one program and
// in no class of the next, their list document and their letter data file.
namespace imodStudents {

// The names of the programs whose Inactive is 0, in the table's order.
QStringList ActiveProgramNames();

// "Smith, Ann (SID123)": no "#" after SID.
QString DropoutItemText(const QString &lastName, const QString &firstName, qint32 studentId);
// One item per "Confirmed" or "Tentative" booking in a class of the first program
// (by name) whose student has no such booking in the second: a student booked in
// two classes of the first is listed twice. Unsorted; one statement.
QStringList ListDropouts(const QString &program1, const QString &program2);

// The document of the list: "Dropouts from <1> to <2>", the heading "Dropouts
// List", the programs and one line per item; names escaped.
QStringList DropoutDocumentLines(const QString &program1, const QString &program2,
                                 const QStringList &items, const QString &applicationName,
                                 const QDateTime &printedAt);

// The header line of the letter data file (19 merge field names).
QString DropoutCsvHeader();
// The data line of an item: the student's name, contact and address, the program
// they left (program2 is the one they are not in, program1 the one they were in)
// and the centre's name, phone and managers, each value written as CSV writes it;
// empty when the student's row no longer gives the item's text (renamed or gone).
QString DropoutCsvLine(const QString &item, const QString &program1, const QString &program2);
// Writes the header and a line per item into the file (replaced when there), UTF-8,
// each line ended by CR LF. A file that cannot be opened for writing raises
// vb::Error 70 (permission denied: open elsewhere, read-only) or 75; what was
// written before a failure stays.
void WriteDropoutDataFile(const QString &path, const QStringList &items,
                          const QString &program1, const QString &program2);

} // namespace imodStudents
