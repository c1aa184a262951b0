#include "enrolments/imodenrolments.h"
#include "timetable/fixture/timetablefixture.h"

#include "platform/vb/datetime.h"

#include <QListWidget>

using namespace imodEnrolments;

namespace {

QDateTime day(int month, int d, int year = 2006)
{
    return vb::makeDateTime(year, month, d);
}

} // namespace

// A program starting on Tuesday 10 January 2006 with 10 sessions.
class SessionCalendar : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        program = addProgram(QStringLiteral("Term 1"));
        exec(QStringLiteral("UPDATE Programs SET StartDate = #2006-01-10#, EndDate = #2006-03-24# "
                            "WHERE ProgramID = %1")
                 .arg(program));
    }
    // A class of the pattern starting with the program (on a Tuesday).
    qint32 classOn(const QString &pattern, const QString &start = QStringLiteral("2006-01-10"))
    {
        const qint32 c = addClass(program, QStringLiteral("Level 1"), pattern);
        exec(QStringLiteral("UPDATE Classes SET StartDate = #%1# WHERE ClassID = %2")
                 .arg(start)
                 .arg(c));
        return c;
    }
    qint32 program = 0;
};

TEST_F(SessionCalendar, SessionDatesOfEachPattern)
{
    const qint32 monWed = classOn(QStringLiteral("Mon/Wed"));
    const qint32 monday = classOn(QStringLiteral("Monday"));
    const qint32 monFri = classOn(QStringLiteral("Mon-Fri"));
    const qint32 other = classOn(QStringLiteral("Other"));
    const qint32 unknown = classOn(QStringLiteral("Fortnightly"));
    const struct
    {
        qint32 classId;
        int session;
        QDateTime date;
    } cases[] = {
        {monWed, 1, day(1, 16)},  {monWed, 2, day(1, 18)},  {monWed, 3, day(1, 23)},
        {monWed, 4, day(1, 25)},  {monWed, 19, day(3, 20)}, {monWed, 20, day(3, 22)},
        {monWed, 0, day(1, 16)},  {monWed, 21, day(3, 27)}, {monday, 1, day(1, 16)},
        {monday, 10, day(3, 20)}, {monFri, 2, day(1, 17)},  {monFri, 3, day(1, 18)},
        {monFri, 6, day(1, 23)},  {other, 1, vb::zeroDate()}, {unknown, 3, vb::zeroDate()},
    };
    for (const auto &k : cases)
        EXPECT_EQ(GetSessionDate(k.classId, k.session), k.date)
            << "class " << k.classId << " session " << k.session;
}

TEST_F(SessionCalendar, SessionNumbersOfOneWeekdayCountSundayToSaturdayWeeks)
{
    const qint32 monday = classOn(QStringLiteral("Monday"), QStringLiteral("2006-01-16"));
    const qint32 thursday = classOn(QStringLiteral("Thursday"));
    const struct
    {
        qint32 classId;
        QDateTime date;
        int session;
    } cases[] = {
        {monday, day(1, 15), 1},   {monday, day(1, 21), 1},   {monday, day(1, 22), 2},
        {monday, day(1, 23), 2},   {monday, day(1, 14), 0},   {thursday, day(1, 12), 1},
        {thursday, day(1, 26), 3}, {thursday, day(1, 29), 4}, // the Sunday after session 3
    };
    for (const auto &k : cases)
        EXPECT_EQ(GetSessionNumber(k.classId, k.date), k.session)
            << "class " << k.classId << " on " << k.date.toString().toStdString();
}

TEST_F(SessionCalendar, SessionNumbersOfSeveralRunDaysFollowTheSessionDates)
{
    const qint32 monWed = classOn(QStringLiteral("Mon/Wed"));
    const struct
    {
        QDateTime date;
        int session;
    } cases[] = {
        {day(1, 13), 0}, // before the first session
        {day(1, 16), 1}, {day(1, 17), 2}, // a day that is no run day: the next session
        {day(1, 18), 2}, {day(1, 19), 3}, {day(1, 22), 3}, {day(1, 23), 3}, {day(3, 22), 20},
    };
    for (const auto &k : cases)
        EXPECT_EQ(GetSessionNumber(monWed, k.date), k.session) << k.date.toString().toStdString();

    const qint32 monFri = classOn(QStringLiteral("Mon-Fri"));
    for (const qint32 c : {monWed, monFri}) {
        for (int n = 1; n <= 20; ++n)
            EXPECT_EQ(GetSessionNumber(c, GetSessionDate(c, n)), n) << "class " << c << " " << n;
    }
}

TEST_F(SessionCalendar, ProgramWeeks)
{
    const struct
    {
        QDateTime date;
        int week;
    } cases[] = {
        {day(1, 14), 0}, {day(1, 15), 1}, {day(3, 19), 10}, {day(3, 26), 0}, {day(1, 1), 0},
    };
    for (const auto &k : cases)
        EXPECT_EQ(GetProgramWeek(program, k.date), k.week) << k.date.toString().toStdString();
}

TEST_F(SessionCalendar, BookingsOnADateFollowTheRunDaysOfTheirPatterns)
{
    // The fixture's classes run from Monday 2 February to Monday 6 April 2026.
    const qint32 p = addProgram(QStringLiteral("Term \"A\"; #1"));
    const qint32 student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 monday = addBooking(addClass(p, QStringLiteral("Level 2"), QStringLiteral("Monday")),
                                     student, QStringLiteral("Cancelled"));
    const qint32 monWed = addBooking(
        addClass(p, QStringLiteral("Level 3"), QStringLiteral("Mon/Wed"), 9, 0), student);
    const qint32 other = addBooking(addClass(p, QStringLiteral("Squad"), QStringLiteral("Other")),
                                    student, QStringLiteral("Waiting"));
    addBooking(addClass(p, QStringLiteral("Level 4"), QStringLiteral("Tuesday")), student);
    addBooking(addClass(p), addStudent(QStringLiteral("Bo"), QStringLiteral("Li")));

    QListWidget list;
    const QString term = QStringLiteral("Term \"A\"; #1 - ");
    EXPECT_EQ(ListBookingsOnDate(student, day(2, 9, 2026), &list), 3);
    EXPECT_EQ(list.item(0)->text(),
              term + QStringLiteral("Monday 04:30 PM Level 2 (BKID#%1)").arg(monday));
    EXPECT_EQ(list.item(1)->text(),
              term + QStringLiteral("Mon/Wed 09:00 AM Level 3 (BKID#%1)").arg(monWed));
    EXPECT_EQ(list.item(2)->text(),
              term + QStringLiteral("Other 04:30 PM Squad (BKID#%1)").arg(other));

    EXPECT_EQ(ListBookingsOnDate(student, day(2, 11, 2026), &list), 2) << "Wednesday";
    EXPECT_EQ(ListBookingsOnDate(student, day(4, 6, 2026), &list), 3) << "the classes' last day";
    EXPECT_EQ(ListBookingsOnDate(student, day(4, 13, 2026), &list), 0);
    EXPECT_EQ(list.count(), 0);
}
