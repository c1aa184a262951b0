#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// How many students each level (class description) of a program has on each
// weekday: the program's bookings that take a place in a class (Confirmed or
// Tentative) counted by the class's description and day pattern.
namespace enrolmentnumbers {

// The days counted, in the grid's order: the seven weekday patterns and "Other".
// Classes on any other pattern ("Mon/Wed", "Mon-Fri" ...) are counted on none.
const QStringList &CountedDays();

struct LevelCounts
{
    QString level;
    std::array<qint32, 8> counts{}; // by CountedDays()
    qint32 total() const;
};

// The levels of the program's classes in name order, each with its counts; a
// level without any counted booking is left out. One statement reads the levels
// and one counts every level and day at once, matching names as the database
// does (without regard to case). Raises the engine's error when either fails.
QList<LevelCounts> CountEnrolments(qint32 programId);

} // namespace enrolmentnumbers
