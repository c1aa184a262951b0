#pragma once

#include "platform/vb/currency.h"

#include <QColor>
#include <QString>

class QWidget;
namespace ui {
class FlexGrid;
}

// Attendance: one Attend row per booking and marked session, shown as a grid of
// one row per booking and one column per session, and marked by clicks on it.
//
// The grid of a class of N sessions has N + 4 columns: "Name", "BKID", "1" ...
// "N", "PP" (the passport code) and "Owing". Its header is an ordinary row in the
// fixed-cell colour; a hidden light grey row closes each class's block. A session
// cell is painted in the colour of its mark, taken from the host window's key
// squares (shpAttended, shpDNA, shpSick, shpAbsent, shpCalled); an unmarked cell
// has no colour of its own; light grey is no session of the booking (a catch-up
// booking's other sessions). Bookings "No Show", "Cancelled" and "Moved" show
// "N", "C" or "M" in every session cell.
namespace imodEnrolments {

// The status words of Attend.Status, compared with case.
namespace AttendanceStatus {
inline const QString Attended = QStringLiteral("Attended");
inline const QString DNA = QStringLiteral("DNA"); // did not attend
inline const QString Sick = QStringLiteral("Sick");
inline const QString Absent = QStringLiteral("Absent");
inline const QString Other = QStringLiteral("Other"); // the key calls it "Called"
} // namespace AttendanceStatus

// The cells that are no session of their booking, and the closing rows.
inline const QColor NotASessionColor = QColor(224, 224, 224);

// Puts the header row of a grid of N sessions in place: with reset -1 the grid is
// emptied and the header is row 0, otherwise it is appended below what the grid
// holds (the grid then keeps its width when it is wider, so that blocks above
// keep all their columns). The grid stays hidden. Gives 0, or the number of the
// error that stopped it, which it has shown ("Set Up Error").
int SetUpAttendanceGrid(ui::FlexGrid *grid, int reset, int sessions);

// Fills the grid for one class: its bookings (with showAll 1 every booking, else
// only "Confirmed", "Tentative" and "Catch Up" ones) by first and last name, their
// marks, passport codes and amounts owing, then the hidden closing row; sets the
// grid's tag to "Loaded" and shows it. A ClassID below 1 leaves the grid alone.
// An error is shown ("Oops!") and ends the load, the rows so far kept, the grid hidden.
void LoadAttendanceGrid(qint32 classId, ui::FlexGrid *grid, QWidget *host, int showAll, int reset);

// The centre's label for an attendance status word; any other word unchanged.
QString GetAttendanceLabel(const QString &status);
// The label of the booking's mark in the session, escaped for HTML; "&nbsp;"
// when the session is not marked.
QString GetSessionStatusHtml(qint32 bookingId, int session);

// Acts on a click on the grid's current cell. The header row is the block's
// header row (0 in the class view). A session cell of a booking moves its mark
// one step round unmarked, "Attended", "DNA", "Sick", "Absent", "Other"; a
// header-row session cell marks every unmarked booking of the block "Attended";
// the "PP" cell moves the passport None, In, Out, offering the passport fee on
// the way to In. Classes charged by "Attendance" are charged each attended
// session; "Enrolment (discount absence)" classes are credited one session's
// charge for a "DNA", "Sick" or "Absent" mark. A mark and its ledger rows change
// together or not at all (a header-row click: the whole column); a failure leaves
// the marks and cells as they were. A host window named "frmViewClass" then
// reloads its students and the grid. Errors are shown ("Unexpected error").
void MarkGridAttendance(QWidget *host, ui::FlexGrid *grid, int headerRow);

// Adds an "Attended" mark for the booking's session, with its charge in an
// "Attendance" class, and paints the current row's cell in the column. Gives
// false, having shown why ("Marking Attendance") and written nothing, on a failure.
bool WriteAttendRow(qint32 bookingId, int session, ui::FlexGrid *grid, const QString &chargeMode,
                    qint32 programId, qint32 studentId, QWidget *host, int column,
                    vb::Currency sessionCharge);

} // namespace imodEnrolments
