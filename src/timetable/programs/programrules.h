#pragma once

#include "platform/vb/currency.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The rules of the programs window that need no window: the checks and the
// writing of a Programs row, the amounts' recalculation and the two changes the
// window makes to all classes of a program.
namespace programrules {

// The charge modes in the order the window offers them.
const QStringList &ChargeModes();
inline const QString PaymentPlanMode = QStringLiteral("Payment Plan");
inline const QString AttendanceMode = QStringLiteral("Attendance");

// Program amounts as the window shows them: "$12.50", "-$3.00".
QString FormatProgramAmount(vb::Currency amount);
// Amounts in confirmation texts: "$1,234.50".
QString FormatConfirmAmount(vb::Currency amount);

// The program as the window holds it while editing. An invalid date and a
// negative day position stand for an empty field.
struct ProgramEntries
{
    QString name;
    bool inactive = false;
    QString fullCost;
    QString costPerSession;
    QDate startDate;
    QDate endDate;
    QDate feesDue;
    int defaultDay = -1; // the position of the pattern in the day list
    QString sessions;
    QString taxCode;
    QString revenueAccount;
    QString chargeMode;
    bool chargePerSession = false;
};

// The refusal of a save ("You must enter a program name" ...), or the empty
// text when the entries may be saved.
QString CheckProgramEntries(const ProgramEntries &entries);

// Adds the program (no id) or changes the row of the id, and gives its
// ProgramID. Raises the engine's or the runtime's error when the row cannot be
// written: an amount that is no amount (13), a number of sessions beyond the
// column, a program that no longer exists (3021). Nothing is written then.
qint32 SaveProgram(const ProgramEntries &entries, std::optional<qint32> programId);

// Sessions as the window counts them: the text read as a whole number, halves
// to even; nothing when it is no number or too large.
std::optional<int> SessionCount(const QString &text);
// The price of one session when the full cost is shared over the sessions;
// nothing when either text is no number or there are no sessions.
std::optional<vb::Currency> CostPerSessionFor(const QString &fullCost, const QString &sessions);
// The full cost of the sessions at the price of one; nothing when either text
// is no number.
std::optional<vb::Currency> FullCostFor(const QString &costPerSession, const QString &sessions);

// Sets the dates of every class of the program: a class of the pattern "Other"
// takes the dates given (an invalid date empties the column), every other class
// its pattern's first and last date within the program's stored dates (the zero
// date when the pattern runs on no weekday). All classes or none: a failure
// raises and leaves every class as it was. Gives the number of classes.
int FixAllClassDates(qint32 programId, const QDate &startDate, const QDate &endDate);

// Sets every class of the program to the charge mode, with cost 0 and
// per-session charging off. Raises on a failure; then no class has changed.
void ResetClassChargeMode(qint32 programId, const QString &mode);

} // namespace programrules
