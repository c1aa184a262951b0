#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

// The rules of the water test edit window: its boxes, what they show of a stored
// test, the checks of a save and the writing of the row.
namespace watertests {

// One box of the edit window. index is the box's number (the ordinal of its
// column, but 16 for Temperature); name is what the messages call it.
struct EntryBox
{
    int index;
    const char *caption;
    const char *name;
    const char *column;
    bool numeric;
};
// The 16 boxes in the window's tab order (Date first).
const std::array<EntryBox, 16> &EntryBoxes();
// The texts of boxes 1 to 16 (element 0 unused).
using EntryTexts = std::array<QString, 17>;

// A new test: today in the user's date format and the time as "hh:mm AMPM".
EntryTexts BlankEntry(const QDateTime &now);
// The stored test's values as texts: the date in the user's date format, the time
// in the runtime's time form, numbers as their plain text; an empty (Null) column
// leaves its box empty, and so does a test that is no longer there.
EntryTexts LoadEntry(qint32 testId);
// Total minus free chlorine as "#0.0"; empty unless both are numbers.
QString OfferedDifference(const QString &freeText, const QString &totalText);

// A typed date (and time) read in the user's date pattern ("dd/mm/yyyy",
// "mm/dd/yyyy", "yyyy/mm/dd"), else in the runtime's date and time forms.
std::optional<QDateTime> ReadUserDate(const QString &text, const QString &pattern);

// The checks of a save, in order: Date and Time must read as dates, then every
// numeric box (an empty one is first set to "0", and stays so) must be a number.
// The message of the first refused box, or the empty text when all pass.
QString CheckEntry(EntryTexts &texts);

struct SaveOutcome
{
    bool saved = false;
    QString message; // the warning to show when not saved
};
// Writes checked texts into the test testId, or into a new row when it is 0: a
// non-empty box sets its column (dates and times as such, numbers as numbers;
// Temperature is a whole number), an empty one leaves it; Notes is always
// written; PoolArea is the area. A failed write changes nothing.
SaveOutcome SaveEntry(qint32 testId, qint16 poolArea, const EntryTexts &texts);

} // namespace watertests
