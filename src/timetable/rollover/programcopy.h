#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

// Copying one program (term) into a new one: the new Programs row, then every
// class of the old program with its instructors and, when asked, its students.
// The window frmProgCopy runs both steps in one transaction.
namespace programcopy {

// An amount as the copy window shows it: "$#####0.00;-$#####0.00" ("" for Null).
QString FormatAmount(const QVariant &amount);

// The new program's details as typed.
struct Entries
{
    QString name;
    QString startDate;
    QString endDate;
    QString sessions;
    QString cost;       // for the full program
    QString perSession; // cost per session
};

// The first refusal of the entries ("You must enter a program name." ...), or the
// empty text when they may be saved. Nothing is read or written.
QString CheckEntries(const Entries &entries);

// The three price boxes. Leaving one of them after an edit recomputes another:
// each step that cannot be done (zero sessions, a text that is no amount or
// number) leaves its box as it was, and both amounts are written in the amount
// form afterwards whenever they are amounts.
struct Prices
{
    QString cost;
    QString perSession;
    QString sessions;
};
// After the full cost: cost per session = full cost / sessions.
void FromFullCost(Prices &prices);
// After the cost per session: full cost = sessions x cost per session.
void FromPerSession(Prices &prices);
// After the number of sessions: the cost that the user cannot type is recomputed
// (per session when the program charges per session, else the full cost).
void FromSessions(Prices &prices, bool chargedPerSession);

// The new Programs row as written.
struct NewProgram
{
    qint32 programId = 0;
    QDateTime startDate;
    QDateTime endDate;
    vb::Currency cost;
    vb::Currency perSession;
};

// Adds the new program: the entries (dates read as dates, amounts as amounts,
// the number of sessions as a whole number), the rest from the source program,
// active, its assessment flags cleared and AmountOverdue the start date plus the
// centre's overdue days. Raises the error when the source program no longer
// exists, an entry cannot be converted or the row cannot be written.
NewProgram CreateProgram(qint32 sourceProgramId, const Entries &entries);

// Re-creates every class of the source program, inactive ones included, in the
// new program: every column as it is but the program, the dates (the new
// program's), the cost (the cost per session for a class charged by
// "Attendance", in any letter case; else the full cost) and the notes (none);
// then its instructors and, with copyStudents, its enrolled students (with
// copyWaiting its waiting list too), charged as new bookings. Gives the number of
// classes copied; raises the first error.
int CopyClasses(qint32 sourceProgramId, const NewProgram &program, bool copyStudents,
                bool copyWaiting);

} // namespace programcopy
