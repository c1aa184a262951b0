#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QString>

class QWidget;

// Questions about one program (term) of the timetable. Nothing is kept between
// calls: each reads the Programs row afresh. For a program that does not exist
// the text answers are "", amounts and numbers 0 and dates the zero date
// (vb::zeroDate(), taken as no date), unless said otherwise. Program 0 stands for
// the one-off enrolment classes and has no row: only its name and its number of
// sessions are answered without reading the table.
//
// Unless said otherwise a failing statement, or a Null where a value is read,
// raises the engine's or the runtime's error to the caller.
namespace imodPrograms {

// The program's classes / the bookings of every status in its classes; -1 when
// the count cannot be read (never raises).
int GetProgramNumClasses(qint32 programId);
int GetProgramNumEnrolments(qint32 programId);

QString GetProgramRevenueAccount(qint32 programId);
// DefaultDay (a position in the day pattern list, as text) of the last row whose
// name equals the name exactly, case included; "" when none.
QString GetProgramDefaultDay(const QString &programName);
// AttendChargeOn as stored ("" when empty); "Enrolment" when there is no row.
QString GetProgramChargeMode(qint32 programId);
// ChargePerSession as an amount: 1 when the program charges per session.
vb::Currency IsProgramChargedPerSession(qint32 programId);
vb::Currency GetProgramCostPerSession(qint32 programId);
vb::Currency GetProgramCost(qint32 programId);
QDateTime GetProgramStartDate(qint32 programId);
QDateTime GetProgramEndDate(qint32 programId);
// The ProgramID of the first row of that name (compared as the database compares
// text, without regard to case); 0 when none.
qint32 GetProgramIdForName(const QString &programName);
// The rate of the program's tax code as a fraction (0.1 for 10 per cent); 0 when none.
double GetProgramGstRate(qint32 programId);
QString GetProgramTaxCode(qint32 programId);
// "One-Off Enrolments" for program 0.
QString GetProgramName(qint32 programId);
// 1 for program 0.
int GetProgramNumSessions(qint32 programId);

// The first date on or after the program's start date that falls on the day
// pattern's first run weekday (Monday to Sunday order); the zero date when the
// program or its start date is missing or the pattern runs on no weekday.
QDateTime GetFirstClassDateInProgram(qint32 programId, const QString &dayName);
// The mirror: the last date on or before the end date on the pattern's last run weekday.
QDateTime GetLastClassDateInProgram(qint32 programId, const QString &dayName);

// Deletes the program with its classes, their bookings and the bookings'
// payments, all in one transaction: either everything goes or nothing does.
// Every open programs window then reloads its list (Load_Program_List). Gives 0,
// or the error number of the statement that failed (-1 when it carries none);
// shows no message.
int DeleteProgramCascade(qint32 programId);

// Refills a list box or combo box with the program names (only the active ones
// unless includeInactive), each carrying its ProgramID as item data, in the
// order the database gives them (a sorted list sorts them). Gives 0, or the error
// number that stopped the fill (the items added so far stay); shows no message.
int FillProgramCombo(QWidget *list, bool includeInactive);

} // namespace imodPrograms
