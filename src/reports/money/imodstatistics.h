#pragma once

#include <QString>

namespace ui {
class FlexGrid;
}

// Teaching figures of an instructor over the timetable, the bookings and the
// assessments. An instructor's classes are those linked to the InstructorID in
// InstructorLink; students taught are the distinct students with a "Confirmed"
// or "Tentative" booking in one of them. Nothing here writes; database and
// conversion errors reach the caller. Counts are 32-bit.
namespace imodStatistics {

// Program 0: all programs.
qint32 CountStudentsTaught(qint32 instructorId, qint32 programId);
// The sum of Max over the instructor's classes; 0 when there is none.
qint32 CountPlacesTaught(qint32 instructorId, qint32 programId);
// Students over places as a whole percentage (an exact half to the even
// neighbour); 0 when either is 0.
qint32 GetPercentFull(qint32 instructorId, qint32 programId);

// "passed/assessed   (NN%)", or "0/0" when nothing was assessed. A PassLevel of 1
// passes, 0 fails; other values count as neither.
QString PassRateText(qint32 passes, qint32 fails);
// The pass rate of the instructor's classes of one program.
QString GetProgramPassRate(qint32 programId, qint32 instructorId);
// Over all the instructor's classes; the short form is the percentage alone
// ("NN%", "N/A" without assessments).
QString GetOverallPassRate(qint32 instructorId, bool shortForm);

// Six label/value rows for the instructor's classes of one program: places,
// students, vacant or over-capacity spaces, classes, "Class % Full" and the pass
// rate. The grid is emptied first; a failure leaves the rows written so far.
void FillInstructorStats(qint32 programId, qint32 instructorId, ui::FlexGrid *grid);
// The instructor as a box holds it: decimal text (anything else is error 13).
void FillInstructorStats(qint32 programId, const QString &instructorId, ui::FlexGrid *grid);

} // namespace imodStatistics
