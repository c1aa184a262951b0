#include "platform/vb/datetime.h"
#include "vbtest.h"

#include <gtest/gtest.h>

using vb::makeDateTime;

namespace {

QVariant d(int y, int m, int day, int h = 0, int n = 0, int s = 0)
{
    return QVariant(makeDateTime(y, m, day, h, n, s));
}

} // namespace

TEST(VbDateTime, SerialsCountFromTheZeroDate)
{
    const struct
    {
        QDateTime date;
        double serial;
    } cases[] = {
        {makeDateTime(1899, 12, 30), 0},        {makeDateTime(1899, 12, 31), 1},
        {makeDateTime(1900, 1, 1, 6), 2.25},    {makeDateTime(2010, 1, 5), 40183},
        {makeDateTime(1899, 12, 29, 6), -1.25}, {makeDateTime(1899, 12, 30, 12), 0.5},
        {makeDateTime(1800, 1, 1), -36522},     {makeDateTime(9999, 12, 31), 2958465},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(vb::toSerial(c.date), c.serial) << c.serial;
        EXPECT_EQ(vb::fromSerial(c.serial), c.date) << c.serial;
    }
    EXPECT_EQ(vb::fromSerial(-0.5), makeDateTime(1899, 12, 30, 12));
    EXPECT_EQ(vb::fromSerial(1.0 - 1e-9), makeDateTime(1899, 12, 31)); // rounds to the second
    EXPECT_EQ(raisedBy([] { vb::fromSerial(3e6); }), vb::err::Overflow);
    // A date of any time spec counts by its wall clock.
    EXPECT_DOUBLE_EQ(vb::toSerial(QDateTime(QDate(2010, 1, 5), QTime(12, 0), Qt::LocalTime)),
                     40183.5);
}

TEST(VbDateTime, StorageText)
{
    const struct
    {
        QDateTime date;
        const char *text;
    } cases[] = {
        {makeDateTime(2010, 1, 5), "2010-01-05"},
        {makeDateTime(2010, 1, 5, 16, 30), "2010-01-05 16:30:00"},
        {makeDateTime(1899, 12, 30, 9, 5, 7), "1899-12-30 09:05:07"},
        {makeDateTime(1899, 12, 30), "1899-12-30"},
        {makeDateTime(645, 3, 1), "0645-03-01"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(vb::storageText(c.date), QString::fromLatin1(c.text));
        EXPECT_EQ(vb::fromStorageText(QString::fromLatin1(c.text)), c.date) << c.text;
    }
    EXPECT_EQ(vb::fromStorageText(QStringLiteral("2010-01-05 16:30")),
              makeDateTime(2010, 1, 5, 16, 30));
    for (const char *bad :
         {"", "5/01/2010", "2010-02-30", "2010-01-05 24:00:00", "2010-1-5", "abcd-ef-gh"})
        EXPECT_FALSE(vb::fromStorageText(QString::fromLatin1(bad)).isValid()) << bad;
}

TEST(VbDateTime, ClockAndSerialConstruction)
{
    const QDateTime now = vb::Now();
    EXPECT_EQ(now.timeSpec(), Qt::UTC);
    const QDateTime local = QDateTime::currentDateTime();
    EXPECT_LE(std::abs(QDateTime(local.date(), local.time(), Qt::UTC).secsTo(now)), 2);
    EXPECT_EQ(vb::Date().time(), QTime(0, 0));
    EXPECT_EQ(vb::Time().date(), QDate(1899, 12, 30));

    EXPECT_EQ(vb::DateSerial(2010, 13, 1), makeDateTime(2011, 1, 1));
    EXPECT_EQ(vb::DateSerial(2010, 3, 0), makeDateTime(2010, 2, 28));
    EXPECT_EQ(vb::DateSerial(2010, 0, 1), makeDateTime(2009, 12, 1));
    EXPECT_EQ(vb::DateSerial(2010, -12, 1), makeDateTime(2008, 12, 1));
    EXPECT_EQ(vb::DateSerial(10, 1, 1), makeDateTime(2010, 1, 1));
    EXPECT_EQ(vb::DateSerial(45, 1, 1), makeDateTime(1945, 1, 1));
    EXPECT_EQ(vb::TimeSerial(16, 30, 0), makeDateTime(1899, 12, 30, 16, 30));
    EXPECT_EQ(vb::TimeSerial(0, 90, 0), makeDateTime(1899, 12, 30, 1, 30));
    EXPECT_EQ(vb::DateValue(QStringLiteral("5/01/2010 4:30 PM")), makeDateTime(2010, 1, 5));
    EXPECT_EQ(vb::TimeValue(QStringLiteral("5/01/2010 4:30 PM")),
              makeDateTime(1899, 12, 30, 16, 30));
}

TEST(VbDateTime, DateAddKeepsMonthEnds)
{
    const struct
    {
        const char *interval;
        double number;
        QVariant date;
        QDateTime expected;
    } cases[] = {
        {"m", 1, d(2010, 1, 31), makeDateTime(2010, 2, 28)},
        {"m", 1, d(2012, 1, 31), makeDateTime(2012, 2, 29)},
        {"m", -1, d(2010, 3, 31), makeDateTime(2010, 2, 28)},
        {"yyyy", 1, d(2012, 2, 29), makeDateTime(2013, 2, 28)},
        {"q", 1, d(2010, 11, 30, 9), makeDateTime(2011, 2, 28, 9)},
        {"d", 1, d(2010, 12, 31, 23, 59), makeDateTime(2011, 1, 1, 23, 59)},
        {"w", 7, d(2010, 1, 1), makeDateTime(2010, 1, 8)},
        {"ww", -2, d(2010, 1, 1), makeDateTime(2009, 12, 18)},
        {"y", 2.5, d(2010, 1, 1), makeDateTime(2010, 1, 3)}, // half to even
        {"d", 3.5, d(2010, 1, 1), makeDateTime(2010, 1, 5)},
        {"h", 25, d(2010, 1, 1, 1), makeDateTime(2010, 1, 2, 2)},
        {"n", -30, d(2010, 1, 1), makeDateTime(2009, 12, 31, 23, 30)},
        {"S", 90, d(1899, 12, 30), makeDateTime(1899, 12, 30, 0, 1, 30)},
        {"d", 1, QVariant(QStringLiteral("5/01/2010")), makeDateTime(2010, 1, 6)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::DateAdd(QString::fromLatin1(c.interval), c.number, c.date), c.expected)
            << c.interval << " " << c.number;
    EXPECT_EQ(raisedBy([] { vb::DateAdd(QStringLiteral("x"), 1, d(2010, 1, 1)); }),
              vb::err::InvalidProcedureCall);
    EXPECT_EQ(raisedBy([] { vb::DateAdd(QStringLiteral("yyyy"), 9000, d(2010, 1, 1)); }),
              vb::err::InvalidProcedureCall);
    EXPECT_EQ(raisedBy([] { vb::DateAdd(QStringLiteral("d"), 1, QVariant()); }),
              vb::err::InvalidUseOfNull);
}

TEST(VbDateTime, DateDiffCountsBoundariesCrossed)
{
    const struct
    {
        const char *interval;
        QVariant a;
        QVariant b;
        qint64 expected;
    } cases[] = {
        {"yyyy", d(2010, 12, 31), d(2011, 1, 1), 1},
        {"yyyy", d(2011, 1, 1), d(2010, 12, 31), -1},
        {"m", d(2010, 1, 31), d(2010, 2, 1), 1},
        {"m", d(2010, 1, 1), d(2010, 1, 31), 0},
        {"q", d(2010, 3, 31), d(2010, 4, 1), 1},
        {"d", d(2010, 1, 1, 23), d(2010, 1, 2, 1), 1},
        {"y", d(2010, 1, 1), d(2011, 1, 1), 365},
        {"d", d(2010, 1, 10), d(2010, 1, 1), -9},
        {"w", d(2010, 1, 1), d(2010, 1, 14), 1}, // whole weeks
        {"w", d(2010, 1, 1), d(2010, 1, 15), 2},
        {"ww", d(2010, 1, 2), d(2010, 1, 3), 1}, // Saturday to Sunday crosses a week
        {"ww", d(2010, 1, 3), d(2010, 1, 9), 0}, // Sunday to Saturday does not
        {"ww", d(2010, 1, 9), d(2010, 1, 2), -1},
        {"h", d(2010, 1, 1, 1, 59), d(2010, 1, 1, 2, 0), 1},
        {"n", d(2010, 1, 1, 0, 0, 59), d(2010, 1, 1, 0, 1, 0), 1},
        {"s", d(2010, 1, 1), d(2010, 1, 2), 86400},
        {"h", d(1899, 12, 29, 23, 30), d(1899, 12, 30, 0, 30), 1},
        {"d", QVariant(QStringLiteral("1/01/2010")), QVariant(QStringLiteral("2010-02-01")), 31},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::DateDiff(QString::fromLatin1(c.interval), c.a, c.b), c.expected)
            << c.interval;
    // Weeks starting on Monday: Sunday 3 Jan to Monday 4 Jan crosses one.
    EXPECT_EQ(vb::DateDiff(QStringLiteral("ww"), d(2010, 1, 3), d(2010, 1, 4), vb::vbMonday), 1);
    EXPECT_EQ(vb::DateDiff(QStringLiteral("ww"), d(2010, 1, 2), d(2010, 1, 3), vb::vbMonday), 0);
}

TEST(VbDateTime, PartsAndNames)
{
    const QVariant t = d(2010, 1, 5, 16, 30, 15); // a Tuesday
    const struct
    {
        const char *interval;
        int expected;
    } cases[] = {
        {"yyyy", 2010}, {"q", 1},  {"m", 1},  {"y", 5},  {"d", 5},
        {"w", 3},       {"ww", 2}, {"h", 16}, {"n", 30}, {"s", 15},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::DatePart(QString::fromLatin1(c.interval), t), c.expected) << c.interval;
    EXPECT_EQ(vb::DatePart(QStringLiteral("w"), t, vb::vbMonday), 2);
    EXPECT_EQ(vb::DatePart(QStringLiteral("ww"), d(2010, 1, 1)), 1);
    EXPECT_EQ(vb::DatePart(QStringLiteral("ww"), d(2010, 1, 3)), 2);
    EXPECT_EQ(vb::DatePart(QStringLiteral("ww"), d(2010, 1, 1), vb::vbMonday, vb::vbFirstFourDays),
              53);
    EXPECT_EQ(vb::DatePart(QStringLiteral("ww"), d(2010, 1, 4), vb::vbMonday, vb::vbFirstFourDays),
              1);
    EXPECT_EQ(vb::DatePart(QStringLiteral("ww"), d(2010, 1, 3), vb::vbSunday, vb::vbFirstFullWeek),
              1);
    EXPECT_EQ(vb::DatePart(QStringLiteral("ww"), d(2010, 1, 2), vb::vbSunday, vb::vbFirstFullWeek),
              52);

    EXPECT_EQ(vb::Year(t), 2010);
    EXPECT_EQ(vb::Month(t), 1);
    EXPECT_EQ(vb::Day(t), 5);
    EXPECT_EQ(vb::Hour(t), 16);
    EXPECT_EQ(vb::Minute(t), 30);
    EXPECT_EQ(vb::Second(t), 15);
    EXPECT_EQ(vb::Weekday(t), 3);
    EXPECT_EQ(vb::Weekday(d(2010, 1, 3)), 1); // Sunday
    EXPECT_EQ(vb::Weekday(t, vb::vbMonday), 2);
    EXPECT_EQ(vb::Weekday(t, vb::vbUseSystemDayOfWeek), 2);
    EXPECT_EQ(vb::Weekday(vb::zeroDate()), 7); // 30 December 1899 was a Saturday
    EXPECT_EQ(vb::Year(QStringLiteral("25/12/2009")), 2009);
    EXPECT_EQ(raisedBy([] { vb::Year(QVariant()); }), vb::err::InvalidUseOfNull);
    EXPECT_EQ(raisedBy([] { vb::Month(QStringLiteral("soon")); }), vb::err::TypeMismatch);

    EXPECT_EQ(vb::WeekdayName(1), QStringLiteral("Sunday"));
    EXPECT_EQ(vb::WeekdayName(7, true), QStringLiteral("Sat"));
    EXPECT_EQ(vb::WeekdayName(1, false, vb::vbMonday), QStringLiteral("Monday"));
    EXPECT_EQ(vb::MonthName(9), QStringLiteral("September"));
    EXPECT_EQ(vb::MonthName(12, true), QStringLiteral("Dec"));
    EXPECT_EQ(raisedBy([] { vb::MonthName(13); }), vb::err::InvalidProcedureCall);
    EXPECT_EQ(raisedBy([] { vb::WeekdayName(0); }), vb::err::InvalidProcedureCall);
}
