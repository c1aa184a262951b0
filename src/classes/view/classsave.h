#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Saving a class without a window: the checks of the entered details, the
// proposed first and last class dates of a day pattern, the writing of the class's
// row with its instructor links, and the price change its enrolled students may be
// charged. Values reach the data file typed, never as text in a statement.
namespace classsave {

// The class as the class view holds it while it is edited.
struct ClassEntries
{
    QString level, day, time, max, cost, startDate, endDate, chargeMode, poolArea, activity,
        duration, notes, instructorText;
    qint32 programId = 0;
    int waitingList = 0;
    int active = 1;
    QList<qint32> instructors;
};

// A refused save: its box title and message.
struct Refusal
{
    QString title;
    QString message;
};

// The first of the checks that refuses the entries, in the order the class view
// asks them: level, time, instructor (also when no instructor number is set),
// dates, equal dates outside program 0, size, price, and a duration that is
// given but no number. An empty duration passes (the caller then takes 30).
std::optional<Refusal> CheckEntries(const ClassEntries &e);
// The refusal of two equal date texts outside program 0 ("Fix the Dates").
std::optional<Refusal> CheckDatesDiffer(const ClassEntries &e);

// The dates of the day pattern the class's first and last class dates should
// fall on, and the program's first and last class dates for it.
struct DateFit
{
    bool startFits = true;
    bool endFits = true;
    QDateTime proposedStart, proposedEnd;
};
// Whether the dates fall on the pattern's first and last weekdays. A pattern that
// runs on no weekday asks for nothing: both fit.
DateFit CheckDateFit(qint32 programId, const QString &day, const QString &startDate,
                     const QString &endDate);
// The question for dates that do not fit; "" when both fit.
QString DateQuestion(const DateFit &fit, const QString &day, const QString &shortAppName);
// A date in the system's short form ("2/02/2026").
QString ShortDate(const QDateTime &date);

// The charge basis of a charge mode: 1 for "Attendance", else 0.
int ChargePerSessionOf(const QString &chargeMode);

// Writes the class's row (a new one when classId is 0) and replaces its
// instructor links (zero numbers skipped) in one transaction; gives the ClassID.
// Anything that fails undoes both and reaches the caller.
qint32 SaveClassRow(qint32 classId, const ClassEntries &e);
// Replaces the class's instructor links by the list, zero numbers skipped, in one
// transaction (joining one the caller holds).
void SaveInstructorLinks(qint32 classId, const QList<qint32> &instructors);
// The link step of SaveClassRow failed (with the error it raised); nothing was written.
struct InstructorLinksFailed
{
    int number = 0;
    QString description;
};

// Writes the notes of a stored class as a field value; vb::Error 3021 when the
// class has no row.
void SaveClassNotes(qint32 classId, const QString &notes);
// The Cost now stored for the class.
vb::Currency StoredCost(qint32 classId);

// The change of a class's price measured on the basis it is now saved on: the
// previous price is first brought to the new basis with the class's number of
// sessions (unchanged when that is 0).
vb::Currency PriceDifference(vb::Currency previous, int previousPerSession, vb::Currency now,
                             int nowPerSession, int sessions);
// The number of sessions of a class: its program's sessions times the weekdays its
// pattern runs on.
int ClassSessions(qint32 programId, const QString &day);
// The question of a price change, "" for none.
QString PriceQuestion(vb::Currency difference);
// "$1,234.50", "-$3.00".
QString MoneyText(vb::Currency amount);

} // namespace classsave
