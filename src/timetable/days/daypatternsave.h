#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The rules and statements of the day patterns editor: a pattern's name, its run
// weekdays (the Days columns RunMon ... RunSun, Monday first) and its place in
// the lists of days.
namespace daypatterns {

using RunDays = std::array<bool, 7>;

// The name without any double quote or apostrophe: Tom's Day -> Toms Day.
QString CleanDayName(const QString &name);

// A weekday name in any letter case ("Monday" ... "Sunday") runs on exactly that
// weekday and no other; any other name may run on any weekdays, none included.
bool IsValidDaySetup(const QString &name, const RunDays &runs);

// The refusal of an invalid setup: the weekday names as written have a special
// meaning to the program; the same names in other letter case are to be reviewed.
QString InvalidSetupMessage(const QString &name);

// Whether a pattern other than the one stored as `except` has the name (compared
// as the database compares text, without regard to case). Raises the engine's
// error when the read fails.
bool DayNameTaken(const QString &name, const QString &except);

// Adds a pattern, or writes over the one stored as `storedName` (a rename also
// moves the classes of that pattern to the new name), with its runs and its
// Sequence, in one transaction. Raises the engine's error, having changed
// nothing, when a statement fails or no pattern is stored as `storedName`.
void SaveDayPattern(bool adding, const QString &storedName, const QString &name,
                    const RunDays &runs, int sequence);

// Numbers the patterns 0, 1, 2 ... in the order given, in one transaction. A
// pattern that cannot be written is passed over; never raises.
void SaveDaySequence(const QStringList &names);

} // namespace daypatterns
