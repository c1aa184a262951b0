#pragma once

#include <QString>

class QWidget;

// Weekdays are numbered two ways: Sunday-first numbers 1 (Sunday) to 7
// (Saturday), as vb::Weekday gives them, and Monday-first indexes 0 (Monday) to
// 6 (Sunday), with 7 for a text that is no weekday name. Names are the English
// ones, compared with exact case.
namespace Global {

// "Sunday" for 1 ... "Saturday" for 7; "" for any other number.
QString DayNameForNumber(int dayNumber);
// The Monday-first index of a weekday name ("Monday" 0 ... "Sunday" 6); 7 for any
// other text, a name in other case or a pattern name such as "Mon/Wed" included.
int DayNumberForName(const QString &dayName);
// The Monday-first index of a Sunday-first number (1 gives 6, 2 gives 0); 8
// gives 7; any other number 0.
int DaysSinceMonday(int dayNumber);

} // namespace Global

// The day patterns of the Days table: a DayName, the run flags RunMon ... RunSun
// (a flag counts when it holds 1) and the Sequence that orders every day list.
// These statements go to the database as they are, without Global::AdaptSql.
namespace imodGlobalSubs {

// Clears the list, adds "(All)" first when addAll is set, then every DayName in
// Sequence order, and selects the item at index when the list holds any and the
// index is not negative. An index past the last item raises vb::Error 380.
void FillDayCombo(QWidget *list, bool addAll, int index);

// The DayName of a Sequence; "" when none.
QString GetDayNameForSequence(int sequence);
// The Sequence of a DayName; 0 when none.
int GetDaySequence(const QString &dayName);
// The highest Sequence; raises vb::Error 94 when Days is empty.
int GetMaxDaySequence();

// The number of weekdays the pattern runs on: the sum of its flags (a Null flag
// is skipped); 0 for a pattern that does not exist. Never fails: a failed read
// leaves the count as it was.
int CountRunDays(const QString &dayName);

// The number of days from the start weekday (Sunday-first) to the n-th run day
// after it: "Tue/Thu" from Tuesday gives 0, 2, 7 for n 0, 1, 2. 0 when n is 0 or
// negative. For n above 0, a pattern that does not exist fails with the engine's
// "no current record" error, and a pattern that runs on no weekday ("Other")
// raises vb::Error 5 at once, since no run day can be reached.
int DaysToRunDay(const QString &dayName, int startWeekday, int n);

} // namespace imodGlobalSubs
