#pragma once

#include <QDateTime>
#include <QString>

// The class documents of the class view: its notes and its attendance sheet, each
// a page of HTML in a temporary report file shown in the report viewer. Every text
// from the data file is escaped.
namespace mReports {

// "Class Notes": the class's day, time and level, its instructors and program,
// then the notes as stored, each line break kept. A class whose program does not
// exist (a one-off class) gives the page without its class section.
QString ClassNotesHtml(qint32 classId, const QString &applicationName, const QDateTime &printedAt);
// "Class List with Attendance Grid": the class's level, day, time, instructors and
// program, then one row per "Confirmed" or "Tentative" booking with 15 empty boxes.
QString AttendanceGridHtml(qint32 classId, const QString &applicationName,
                           const QDateTime &printedAt);

// Write the page into a new temporary report file and show it in the report
// viewer, which deletes the file when it closes. A file that cannot be written
// raises vb::Error 75.
void ShowClassNotesReport(qint32 classId);
void ShowAttendanceGridReport(qint32 classId);

// The procedure names the class view calls them by.
inline const QString ClassNotesReportName = QStringLiteral("mReports::ShowClassNotesReport");
inline const QString AttendanceGridReportName =
    QStringLiteral("mReports::ShowAttendanceGridReport");

// Registers the two procedures (each taking the ClassID) and the confirmation
// slip window "frmRptConfSlip" (one shared window) by name.
void RegisterClassReports();

} // namespace mReports
