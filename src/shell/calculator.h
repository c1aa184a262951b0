#pragma once

#include <QString>

// The arithmetic of the adding machine: a whole-number running total, a pending
// operation and the number being keyed in, with the tape of what was done.
class Calculator
{
public:
    // Starts with a total, a pending operation ("", "+", "-", "/", "*" or any other
    // text, which leaves the total as it is) and the tape's first text.
    void Start(const QString &operation, qint32 total, const QString &tape);

    // Appends a digit or "." to the number being keyed in.
    void Key(QChar c);

    // An operation key ("+", "-", "/", "*", "Equals"): applies the pending operation
    // to the total with the number keyed in (0 when none), writes the number and the
    // key's caption on the tape, empties the entry and makes the key pending.
    // Results are rounded to a whole number, halves to the even neighbour. A division
    // by 0, a result beyond the 32-bit range or an entry that is not a number leaves
    // the total as it was and writes "Error" on the tape. Gives whether it applied.
    bool Operate(const QString &caption);

    qint32 Total() const { return m_total; }
    QString Entry() const { return m_entry; }
    QString Pending() const { return m_pending; }
    QString Tape() const { return m_tape; }

    // One step of the arithmetic; false when the result cannot be had (above).
    static bool Apply(const QString &operation, qint32 total, double entry, qint32 *result);

private:
    qint32 m_total = 0;
    QString m_pending;
    QString m_entry;
    QString m_tape;
};
