#pragma once

#include <QString>
#include <QVariant>

// Handing the classes of one instructor (or of all) in one program, on one day
// pattern (or on all), over to another instructor: only the InstructorID of the
// matching InstructorLink rows changes. The lists of the reassignment window
// name instructors and programs by texts; the records are found again by
// comparing those whole texts, never by reading the number out of them.
namespace reassignment {

// "(All)": every instructor / every day pattern.
inline const QString All = QStringLiteral("(All)");

// "First Last (EID#12)"; a Null name part is empty.
QString InstructorText(const QVariant &firstName, const QVariant &lastName, qint32 instructorId);
// "Winter Term (7)".
QString ProgramText(const QVariant &name, qint32 programId);

// The instructor (active or not) / program whose text equals the text exactly;
// 0 when none does.
qint32 InstructorIdForText(const QString &text);
qint32 ProgramIdForText(const QString &text);
// What Classes.Day is compared with: "%" for "(All)" (Like: every class that has a
// day pattern), else the day pattern's name (equal, without regard to case).
QString DayPattern(const QString &dayText);

// The texts chosen in the window's lists.
struct Choice
{
    QString current; // an instructor's text or "(All)"
    QString replacement;
    QString program;
    QString day; // a day pattern or "(All)"
};

// Points the chosen instructor's links (every link for "(All)") in the classes of
// the program on the day pattern at the new instructor, in one transaction.
// Gives the empty text when done (also when no link matched), or the refusal
// when a chosen instructor or program no longer exists, and then writes nothing.
// A database failure raises and leaves every link as it was.
QString Reassign(const Choice &choice);

} // namespace reassignment
