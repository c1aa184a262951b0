#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <exception>
#include <optional>

// The rules of the class search, without a window: the statement that selects the
// classes of a program for a set of filters, and the figures shown beside each class,
// read for the whole program in a few grouped statements instead of one look-up per
// class.
namespace classsearch {

inline const QString All = QStringLiteral("(All)");

// The filters, as the class search window and the move window pass them.
struct Filters
{
    qint32 program = 0;
    QString instructor = All; // "First Last" or "(All)"
    QString day = All;        // a day pattern or "(All)"
    QString level = All;      // a class group, or the beginning of its name, or "(All)"
    bool vacanciesOnly = false;
    QString timeMode;  // "(All)", "AM Only", "PM Only", "All Weekends", "All Weekdays",
                       // "AM + Weekdays", "PM + Weekends"; any other text: no restriction
    qint32 location = 0; // AreaID, 0 for any
    QString level2;      // further class groups, "(All)" or empty for none
    QString level3;
    QString activity = All;
};

// Text that the engine's Like matches only with itself: each of its wildcard
// characters (* ? # [ % _) is put between brackets, "Squad #2" -> "Squad [#]2".
// Wildcards wanted are added after, and the whole goes through Global::SqlText:
// SqlText(LikeLiteral(level) + "%") matches every text beginning with level.
QString LikeLiteral(const QString &text);

// The one-line summary of the filters: program name, day, instructor and level as
// passed, and "  {Vacancies} " with vacancies only. The count is added after the search.
QString Summary(const QString &programName, const Filters &filters);

// The condition on the class's level: the first level (every description that begins
// with it), or'ed with level 2 and level 3 when they are named; a first level of
// "(All)" gives way to a named level 2 or 3. Wrapped in brackets, a blank after.
QString LevelCondition(const Filters &filters);

// The condition on the time of day and the weekend (patterns named "Saturday" and
// "Sunday" alone are weekends); empty for no restriction.
QString TimeCondition(const QString &timeMode);

// The SELECT of the classes of the program that the filters let through: one-off
// classes (start date equal to end date) never, and only classes with at least one
// linked instructor whose "First Last" matches the instructor filter. Columns:
// ClassID, Description, ProgramID, Day, Time, Max, PoolArea, ActivityName. Every value
// is written as Like matches it literally (wildcards in names bracketed), without
// regard to case; the instructor condition is a correlated EXISTS on the class's own
// links.
QString SearchStatement(const Filters &filters);

// What the grid shows beside each class of one program, the same as the timetable's
// look-ups of one class give (imodClasses::GetClassSpots, GetClassWaitingCount,
// GetClassInstructorNames without blanking, imodGlobalSubs::GetDaySequence,
// Global::GetPoolAreaName), each read for the whole program once, when first asked.
// A read that fails raises its error again at every question that needs it, as each
// single look-up would.
class ProgramFigures
{
public:
    explicit ProgramFigures(qint32 programId);

    // The places given less the bookings "Confirmed" or "Tentative" (whatever their
    // session); negative when over-filled.
    int spots(qint32 classId, int places);
    // The bookings "Waiting".
    int waiting(qint32 classId);
    // "First Last" of each linked instructor in InstructorID order, joined by " and ";
    // "(none)" without one. A missing name part is empty.
    QString instructorNames(qint32 classId);
    // The Sequence of the day pattern of that name (any case); 0 when none.
    int daySequence(const QString &dayName);
    // The area's name; for an area that does not exist the name of the area with the
    // lowest AreaID.
    QString poolAreaName(qint32 areaId);

private:
    template <typename Read>
    void load(std::optional<std::exception_ptr> &state, Read read);

    qint32 m_program;
    std::optional<std::exception_ptr> m_bookingsRead, m_instructorsRead, m_daysRead,
        m_areasRead;
    QHash<qint32, int> m_taken;
    QHash<qint32, int> m_waiting;
    QHash<qint32, QString> m_instructors;
    // Held as read, converted when asked, so that a bad value fails where it is shown.
    QHash<QString, QVariant> m_sequences; // by the pattern's name with A-Z folded
    QHash<qint32, QVariant> m_areas;
};

} // namespace classsearch
