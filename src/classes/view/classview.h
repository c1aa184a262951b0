#pragma once

#include "platform/vb/currency.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

// The rules of the class view, without a window: the class record, the three
// student lists (enrolments, waiting list, catch-ups) as grid lines, the
// assessment lines and the session count. Statements carry their values through
// the quoting helpers; engine failures reach the caller unless said otherwise.
namespace classview {

// --- The class record.

// The class's row with its program name and location name, as the class view shows it.
// Every column is the value as read (Null as a null QVariant).
struct ClassRow
{
    QVariant classId, description, programId, day, time, max, cost, startDate, endDate,
        waitingList, chargePerSession, attendChargeOn, poolArea, classActive, activityName,
        notes, durationMins, program, areaName;
};

QString ClassRecordSql(qint32 classId);
// The row; nothing when the class has none.
std::optional<ClassRow> ReadClassRecord(qint32 classId);

// The four ways a class charges, in list order.
QStringList ChargeModes();
// The active class groups' descriptions in the order read, empty ones left out.
// The statement goes to the engine without the statement adapter.
QStringList ActiveClassGroups();

// "Cost p/session:" for a per-session price (1), "Program cost:" for any other.
QString PriceCaption(const QVariant &chargePerSession);
// The class's sessions: the program's number of weeks times the weekdays the day
// pattern runs; 0 for program 0. Read with the look-ups the save also uses.
int SessionCount(qint32 programId, const QString &dayName);
// "20 sessions for this class." for 20; "" for none.
QString SessionsCaption(int sessions);
// "Viewing Class Details - Mon/Wed 4:30 PM Level 2".
QString ActiveCaption(const QString &day, const QString &time, const QString &level);

// --- The student lists.

// One booking with its student, as the three lists read it.
struct BookingLine
{
    QVariant bookingId, studentId, firstName, lastName, dateOfBirth, parentsName, classId, owing,
        homePhone, workPhone, mobilePhone, status, bookingNotes, studentNotes, cancelDate,
        sessionNo;
};

// One grid row: the ten cells, the colour of every cell (invalid: the grid's own),
// and the flag cell's colour when it differs (invalid: the row's).
struct GridLine
{
    QStringList cells;
    QColor rowColor;
    QColor flagColor;
};

// The columns centred in every data row.
inline const QList<int> CentredColumns{0, 1, 2, 4, 5, 6, 9};
// The red of a flag for a student's notes.
inline const QColor NotesRed = QColor(255, 0, 0);

// "$12.50", "-$3.00"; "" for Null.
QString OwingText(const QVariant &amount);
// The colour of a booking status (the booking status key carries the same).
QColor StatusColor(const QString &status);

// The class's bookings that are not catch-ups, with their net owing (Null
// without ledger rows), in the order the engine gives them.
QString StudentListSql(qint32 classId);
void ReadStudentList(qint32 classId, const std::function<void(const BookingLine &)> &row);
// Whether the enrolments list shows the booking: "Confirmed" and "Tentative"
// always, any other status but "Waiting" with "Show All".
bool ShownInStudentList(const QString &status, bool showAll);
// The enrolments list's line: cells in the status colour ("Cancelled" for a
// booking with a cancellation date), "N" for notes (red for the student's), "C"
// for a cancellation still pending.
GridLine StudentLine(const BookingLine &b, const QDate &today = {});

// The class's "Waiting" bookings, oldest first.
QString WaitingListSql(qint32 classId);
void ReadWaitingList(qint32 classId, const std::function<void(const BookingLine &)> &row);
// Every cell yellow; the booking's own Owing; "N" for booking notes only.
GridLine WaitingLine(const BookingLine &b, const QDate &today = {});

// The class's catch-up bookings (session number not 0), by session.
QString CatchUpSql(qint32 classId);
void ReadCatchUps(qint32 classId, const std::function<void(const BookingLine &)> &row);
// The session number in the age column, the owing given (an invalid one leaves the
// cell empty), "N" for notes (red for the student's); no colour by status.
GridLine CatchUpLine(const BookingLine &b, const QVariant &owing);

// --- The assessment grid.

// One enrolled booking's row: the name and its student's latest assessment.
struct AssessmentLine
{
    QString name;
    QString date = QStringLiteral("-");
    QString level = QStringLiteral("-");
    QString result = QStringLiteral("-");
};

// The class's "Confirmed" and "Tentative" bookings (not catch-ups) by first and
// last name, each with the latest assessment (state 1 or 2, by date, in any class)
// of its student, read for the whole class in two statements.
QList<AssessmentLine> ClassAssessments(qint32 classId);

} // namespace classview
