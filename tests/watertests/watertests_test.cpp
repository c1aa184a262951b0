#include "watertestfixture.h"

#include "core/csupercollection.h"
#include "platform/vb/error.h"
#include "watertests/testentry.h"
#include "watertests/testlist.h"
#include "watertests/watertest.h"
#include "watertests/watertestfactory.h"

namespace {

long errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const vb::Error &e) {
        return e.number();
    } catch (...) {
        return -1;
    }
    return 0;
}

using RecordTest = WaterTestsTest;

TEST(WaterTestRecord, NamesOrdinalsAndCount)
{
    WaterTest t;
    EXPECT_EQ(t.Count(), 18);
    const struct
    {
        const char *key;
        int id;
    } keys[] = {{"TestID", 0}, {"Temperature", 17}, {"CalciumChloride", 13},
                {"testid", -1}, {"Bicarb", -1}};
    for (const auto &k : keys)
        EXPECT_EQ(t.GetFieldIdForKey(QString::fromLatin1(k.key)), k.id) << k.key;
    EXPECT_EQ(t.GetFieldKeyForId(13), "CalciumChloride");
    EXPECT_EQ(t.GetFieldKeyForId(18), "");
    EXPECT_EQ(t.GetFieldKeyForId(-1), "");
}

TEST(WaterTestRecord, NewRecordRefusesReadsAndWrites)
{
    WaterTest t;
    EXPECT_EQ(errorOf([&] { t.TestDate(); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorOf([&] { t.pH(); }), CSuperCollection::ErrKeyNotFound);
    EXPECT_EQ(errorOf([&] { t.setpH(7.4); }), 438);
    EXPECT_EQ(errorOf([&] { t.setFields(QStringLiteral("Notes"), QStringLiteral("x")); }), 438);
}

TEST_F(RecordTest, RecordOfARowWithEmptyColumns)
{
    Row r;
    r.date = day(2010, 1, 5);
    r.pH = QStringLiteral("Null");
    r.notes = QStringLiteral("Null");
    r.temperature = QStringLiteral("Null");
    const qint32 id = addTest(r);
    auto test = Global::WaterTests().LoadTestById(id);
    ASSERT_TRUE(test);
    EXPECT_EQ(test->TestID(), id);
    EXPECT_EQ(test->Notes(), "");
    EXPECT_EQ(test->Fields(QStringLiteral("Notes")), QVariant(QString()));
    EXPECT_EQ(errorOf([&] { test->pH(); }), vb::err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { test->Temperature(); }), vb::err::TypeMismatch);
    EXPECT_EQ(test->Fields(0), test->Fields(QStringLiteral("TestID")));
    EXPECT_EQ(test->Fields(17), test->Fields(QStringLiteral("Temperature")));
    EXPECT_EQ(test->TestDate(), "5/01/2010");
    EXPECT_EQ(test->TestTime(), "9:05:00 AM");
    EXPECT_DOUBLE_EQ(test->CombChlorine(), 0.3);
    EXPECT_EQ(test->PoolAreaID(), 1);
    EXPECT_EQ(test->Backwash(), "Yes");
    EXPECT_EQ(test->Name(), "Sam");

    test->setpH(7.4);
    EXPECT_DOUBLE_EQ(test->pH(), 7.4);
    EXPECT_EQ(test->Fields(3), QVariant(7.4));
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(test->Fields(i), test->Fields(test->GetFieldKeyForId(i))) << i;

    // Written back: the change is stored, and the empty columns stay empty.
    test->setName(QStringLiteral("O'Brien"));
    test->SaveTestToDb();
    EXPECT_DOUBLE_EQ(value(QStringLiteral("SELECT pH FROM WaterTesting")).toDouble(), 7.4);
    EXPECT_EQ(value(QStringLiteral("SELECT [Name] FROM WaterTesting")), "O'Brien");
    EXPECT_TRUE(value(QStringLiteral("SELECT Temperature FROM WaterTesting")).isNull());
}

TEST_F(RecordTest, LoadFromDatabaseKeepsNulls)
{
    Row r;
    r.date = day(2010, 1, 5);
    r.notes = QStringLiteral("Null");
    const qint32 id = addTest(r);
    WaterTest t;
    t.LoadTestFromDb(id);
    EXPECT_TRUE(t.Fields(QStringLiteral("Notes")).isNull());
    EXPECT_DOUBLE_EQ(t.pH(), 7.4);
    t.setTemperature(30);
    EXPECT_DOUBLE_EQ(t.Temperature(), 30);
    WaterTest missing;
    EXPECT_NE(errorOf([&] { missing.LoadTestFromDb(id + 1); }), 0);
    EXPECT_FALSE(Global::WaterTests().LoadTestById(id + 1));
}

using FactoryTest = WaterTestsTest;

TEST_F(FactoryTest, TestsOfAnAreaInAMonth)
{
    const auto add = [this](qint32 id, qint32 area, QDateTime date, const char *pH) {
        Row r;
        r.id = id;
        r.area = area;
        r.date = date;
        r.pH = QString::fromLatin1(pH);
        addTest(r);
    };
    add(5, 1, day(2010, 3, 31, 23, 30), "7.1"); // late on the month's last day
    add(9, 1, day(2010, 3, 1), "7.2");
    add(10, 2, day(2010, 3, 10), "7.9");        // another area
    add(11, 1, day(2010, 4, 1), "7.9");         // the next month
    add(12, 1, day(2010, 3, 15), "7.3");
    add(13, 1, QDateTime(), "7.9");             // no date

    auto tests = Global::WaterTests().LoadAllTestsInPoolAreaAndDateRange(1, 3, 2010);
    ASSERT_EQ(tests->Count(), 3);
    const char *keys[] = {"5", "9", "12"};
    const double pHs[] = {7.1, 7.2, 7.3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tests->Key(i), QString::fromLatin1(keys[i]));
        EXPECT_DOUBLE_EQ(WaterTestFactory::TestAt(*tests, i)->pH(), pHs[i]);
        EXPECT_EQ(CSuperCollection::objectOf(tests->Item(QString::fromLatin1(keys[i]))),
                  WaterTestFactory::TestAt(*tests, i));
    }
    EXPECT_EQ(Global::WaterTests().LoadAllTestsInPoolAreaAndDateRange(1, 2, 2010)->Count(), 0);
    EXPECT_EQ(Global::WaterTests().LoadAllTestsInPoolAreaAndDateRange(1, 13, 2010)->Count(), 0);
    EXPECT_EQ(Global::WaterTests().LoadAllTestsInPoolArea(1)->Count(), 5);
    auto all = Global::WaterTests().LoadAllTests();
    ASSERT_EQ(all->Count(), 6);
    EXPECT_EQ(all->Key(5), "13");
}

TEST_F(FactoryTest, MonthsNewestFirstWithoutUndatedTests)
{
    EXPECT_EQ(Global::WaterTests().GetListOfMonths()->Count(), 0);
    Row r;
    r.date = day(2009, 3, 12);
    addTest(r);
    r.date = day(2010, 1, 31, 22, 0);
    r.area = 2;
    addTest(r);
    addTest(r);
    r.date = QDateTime();
    addTest(r);
    auto months = Global::WaterTests().GetListOfMonths();
    ASSERT_EQ(months->Count(), 2);
    EXPECT_EQ(months->Item(0).toDateTime(), day(2010, 1, 1));
    EXPECT_EQ(months->Item(1).toDateTime(), day(2009, 3, 1));
}

TEST(WaterTestRules, MonthItemsPutTodaysMonthFirstWhenMissing)
{
    CSuperCollection months;
    months.setBaseIndex(0);
    months.Add(vb::makeDateTime(2010, 1, 1));
    months.Add(vb::makeDateTime(2009, 3, 1));
    auto items = watertests::MonthListItems(months, vb::makeDateTime(2010, 6, 15, 14, 30));
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].text, "June 2010");
    EXPECT_EQ(items[0].itemData, 1062010);
    EXPECT_EQ(items[1].text, "January 2010");
    EXPECT_EQ(items[2].text, "March 2009");
    EXPECT_EQ(items[2].itemData, 1032009);
    int month = 0, year = 0;
    ASSERT_TRUE(watertests::ReadMonthItem(items[2].itemData, month, year));
    EXPECT_EQ(month, 3);
    EXPECT_EQ(year, 2009);
    // Today's month already listed: once, in its place.
    items = watertests::MonthListItems(months, vb::makeDateTime(2010, 1, 20));
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].text, "January 2010");
}

TEST(WaterTestRules, TypedDatesReadInTheUsersPattern)
{
    const struct
    {
        const char *text;
        const char *pattern;
        QDateTime expected; // invalid: refused
    } cases[] = {
        {"3/4/2010", "dd/mm/yyyy", vb::makeDateTime(2010, 4, 3)},
        {"3/4/2010", "mm/dd/yyyy", vb::makeDateTime(2010, 3, 4)},
        {"2010/04/03", "yyyy/mm/dd", vb::makeDateTime(2010, 4, 3)},
        {"03-04-10", "dd/mm/yyyy", vb::makeDateTime(2010, 4, 3)},
        {"3/4/2010 2:30 PM", "dd/mm/yyyy", vb::makeDateTime(2010, 4, 3, 14, 30)},
        {"3 Apr 2010", "dd/mm/yyyy", vb::makeDateTime(2010, 4, 3)},
        {"02:30 PM", "mm/dd/yyyy", vb::makeDateTime(1899, 12, 30, 14, 30)},
        {"14:30", "dd/mm/yyyy", vb::makeDateTime(1899, 12, 30, 14, 30)},
        {"31/02/2010", "dd/mm/yyyy", QDateTime()},
        {"half past two", "dd/mm/yyyy", QDateTime()},
        {"", "dd/mm/yyyy", QDateTime()},
    };
    for (const auto &c : cases) {
        const auto read = watertests::ReadUserDate(QString::fromLatin1(c.text),
                                                   QString::fromLatin1(c.pattern));
        EXPECT_EQ(read.value_or(QDateTime()), c.expected) << c.text << " " << c.pattern;
    }
}

TEST_F(RecordTest, ListRowShowsEmptyMeasurementsAsEmptyCells)
{
    Row r;
    r.date = day(2010, 3, 31, 23, 30);
    r.temperature = QStringLiteral("Null");
    r.notes = QStringLiteral("'<b>&amp;'");
    const qint32 id = addTest(r);
    auto test = Global::WaterTests().LoadTestById(id);
    EXPECT_EQ(watertests::ListRowCells(*test),
              (QStringList{QString::number(id), "31/03/2010", "9:05 AM", "", "7.4", "1.2", "1.5",
                           "0.3", "100", "200", "<b>&amp;"}));
}

} // namespace
