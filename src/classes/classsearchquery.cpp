#include "classsearchquery.h"

#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "core/timetablelookups.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

namespace classsearch {

namespace {

const QString AnyText = QStringLiteral("%");

bool named(const QString &level)
{
    return level != All && !level.isEmpty();
}

// A filter as Like compares it: "%" for "(All)", else the value itself.
QString wholeValue(const QString &value)
{
    return value == All ? AnyText : LikeLiteral(value);
}

QString levelForm(const QString &pattern)
{
    return QStringLiteral("((Classes.Description) Like ") + Global::SqlText(pattern) +
           QLatin1Char(')');
}

const QString Weekend =
    QStringLiteral("(Classes.[Day] = 'Saturday') OR (Classes.[Day] = 'Sunday')");

// Text compared as the data file compares it with "=": letters A to Z without regard
// to case, every other character as it is.
QString equalityKey(const QString &text)
{
    QString key = text;
    for (QChar &c : key) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return key;
}

} // namespace

QString LikeLiteral(const QString &text)
{
    QString literal;
    literal.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '*':
        case '?':
        case '#':
        case '[':
        case '%':
        case '_': literal += QLatin1Char('[') + c + QLatin1Char(']'); break;
        default: literal += c;
        }
    }
    return literal;
}

QString Summary(const QString &programName, const Filters &filters)
{
    QString summary = QStringLiteral("Program: ") + programName + QStringLiteral("   Day: ") +
                      filters.day + QStringLiteral("  Instructor: ") + filters.instructor +
                      QStringLiteral("  Class Group: ") + filters.level;
    if (filters.vacanciesOnly)
        summary += QStringLiteral("  {Vacancies} ");
    return summary;
}

QString LevelCondition(const Filters &filters)
{
    const QString first =
        filters.level == All ? AnyText : LikeLiteral(filters.level) + AnyText;
    const QString everyLevel = levelForm(AnyText);
    QString condition = levelForm(first);
    for (const QString &other : {filters.level2, filters.level3}) {
        if (!named(other))
            continue;
        const QString form = levelForm(LikeLiteral(other) + AnyText);
        if (condition == everyLevel)
            condition = form;
        else
            condition += QStringLiteral(" OR ") + form;
    }
    return QLatin1Char('(') + condition + QStringLiteral(") ");
}

QString TimeCondition(const QString &timeMode)
{
    if (timeMode == QLatin1String("AM Only"))
        return QStringLiteral(" AND (Classes.[Time] < #12:00PM#) ");
    if (timeMode == QLatin1String("PM Only"))
        return QStringLiteral(" AND (Classes.[Time] >= #12:00PM#) ");
    if (timeMode == QLatin1String("All Weekends"))
        return QStringLiteral(" AND (") + Weekend + QStringLiteral(") ");
    if (timeMode == QLatin1String("All Weekdays"))
        return QStringLiteral(" AND (NOT (") + Weekend + QStringLiteral(")) ");
    if (timeMode == QLatin1String("AM + Weekdays"))
        return QStringLiteral(" AND ((Classes.[Time] < #12:00PM#) AND NOT (") + Weekend +
               QStringLiteral(")) ");
    if (timeMode == QLatin1String("PM + Weekends"))
        return QStringLiteral(" AND ((Classes.[Time] > #12:00PM#) OR ") + Weekend +
               QStringLiteral(") ");
    return {};
}

QString SearchStatement(const Filters &filters)
{
    const QString area = filters.location == 0
                             ? QString()
                             : QStringLiteral("And (Classes.PoolArea = ") +
                                   Global::SqlNumber(filters.location) + QLatin1Char(')');
    return QStringLiteral(
               "SELECT Classes.ClassID, Classes.Description, Classes.ProgramID, Classes.Day, "
               "Classes.Time, Classes.Max, Classes.PoolArea, Classes.ActivityName FROM Classes "
               "WHERE (") +
           LevelCondition(filters) + TimeCondition(filters.timeMode) + QLatin1Char(' ') + area +
           QStringLiteral("AND (Classes.ActivityName LIKE ") +
           Global::SqlText(wholeValue(filters.activity)) +
           QStringLiteral(") AND ((Classes.ProgramID)=") + Global::SqlNumber(filters.program) +
           QStringLiteral(") AND ((Classes.Day) Like ") + Global::SqlText(wholeValue(filters.day)) +
           QStringLiteral(
               ") AND ((Classes.StartDate)<>[Classes].[EndDate]) AND EXISTS (SELECT "
               "InstructorLink.ClassID FROM (InstructorLink INNER JOIN Instructors ON "
               "InstructorLink.InstructorID = Instructors.InstructorID) INNER JOIN Students ON "
               "Instructors.StudentID = Students.StudentID WHERE (InstructorLink.ClassID = "
               "Classes.ClassID) AND (((Students.[First Name]+\" \"+Students.[Last Name])) Like ") +
           Global::SqlText(wholeValue(filters.instructor)) + QStringLiteral(")));");
}

ProgramFigures::ProgramFigures(qint32 programId)
    : m_program(programId)
{
}

template <typename Read>
void ProgramFigures::load(std::optional<std::exception_ptr> &state, Read read)
{
    if (!state) {
        try {
            read();
            state = std::exception_ptr();
        } catch (...) {
            state = std::current_exception();
        }
    }
    if (*state)
        std::rethrow_exception(*state);
}

int ProgramFigures::spots(qint32 classId, int places)
{
    load(m_bookingsRead, [this] {
        const QString program = Global::SqlNumber(m_program);
        const auto count = [&](const QString &statuses, QHash<qint32, int> &into) {
            auto rs = irecObjectCode::OpenRecordset(
                QStringLiteral("SELECT Bookings.ClassID, Count(*) FROM Bookings INNER JOIN "
                               "Classes ON Bookings.ClassID = Classes.ClassID WHERE "
                               "(Classes.ProgramID = ") +
                program + QStringLiteral(") AND (") + statuses +
                QStringLiteral(") GROUP BY Bookings.ClassID;"));
            for (; !rs->eof(); rs->moveNext())
                into.insert(vb::CLng(rs->value(0)), vb::CLng(rs->value(1)));
        };
        count(QStringLiteral("(Bookings.[Status] = 'Confirmed') OR (Bookings.[Status] = "
                             "'Tentative')"),
              m_taken);
        count(QStringLiteral("Bookings.[Status] = 'Waiting'"), m_waiting);
    });
    return places - m_taken.value(classId);
}

int ProgramFigures::waiting(qint32 classId)
{
    spots(classId, 0); // the one read of the program's bookings
    return m_waiting.value(classId);
}

QString ProgramFigures::instructorNames(qint32 classId)
{
    load(m_instructorsRead, [this] {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral(
                "SELECT InstructorLink.ClassID, Students.[First Name], Students.[Last Name] "
                "FROM ((InstructorLink INNER JOIN Instructors ON InstructorLink.InstructorID = "
                "Instructors.InstructorID) INNER JOIN Students ON Instructors.StudentID = "
                "Students.StudentID) INNER JOIN Classes ON InstructorLink.ClassID = "
                "Classes.ClassID WHERE Classes.ProgramID = ") +
            Global::SqlNumber(m_program) +
            QStringLiteral(" ORDER BY InstructorLink.ClassID, InstructorLink.InstructorID;"));
        for (; !rs->eof(); rs->moveNext()) {
            QString &names = m_instructors[vb::CLng(rs->value(0))];
            if (!names.isEmpty())
                names += QStringLiteral(" and ");
            names += vb::CStr(vb::Nz(rs->value(1))) + QLatin1Char(' ') +
                     vb::CStr(vb::Nz(rs->value(2)));
        }
    });
    return m_instructors.value(classId, QStringLiteral("(none)"));
}

int ProgramFigures::daySequence(const QString &dayName)
{
    load(m_daysRead, [this] {
        auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT DayName, Sequence FROM "
                                                               "Days;"),
                                                false);
        for (; !rs->eof(); rs->moveNext()) {
            const QVariant name = rs->value(0);
            if (name.isNull())
                continue;
            const QString key = equalityKey(vb::CStr(name));
            if (!m_sequences.contains(key))
                m_sequences.insert(key, rs->value(1));
        }
    });
    const auto it = m_sequences.constFind(equalityKey(dayName));
    return it == m_sequences.constEnd() ? 0 : vb::CInt(it.value());
}

QString ProgramFigures::poolAreaName(qint32 areaId)
{
    load(m_areasRead, [this] {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT AreaID, AreaName FROM PoolAreas ORDER BY AreaID;"));
        for (; !rs->eof(); rs->moveNext()) {
            const QVariant id = rs->value(0);
            if (!id.isNull() && !m_areas.contains(vb::CLng(id)))
                m_areas.insert(vb::CLng(id), rs->value(1));
        }
    });
    const auto it = m_areas.constFind(areaId);
    // An area that does not exist is rare: the look-up of one area says what it shows.
    return it == m_areas.constEnd() ? Global::GetPoolAreaName(areaId) : vb::CStr(it.value());
}

} // namespace classsearch
