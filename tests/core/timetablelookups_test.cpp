#include "core/daypatterns.h"
#include "core/globaldata.h"
#include "core/timetablelookups.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/error.h"

#include <QComboBox>
#include <QLineEdit>

TEST(Weekdays, ConversionsBetweenNamesAndNumbers)
{
    const struct
    {
        int sundayFirst;
        const char *name;
        int mondayFirst;
    } days[] = {
        {1, "Sunday", 6},   {2, "Monday", 0}, {3, "Tuesday", 1},  {4, "Wednesday", 2},
        {5, "Thursday", 3}, {6, "Friday", 4}, {7, "Saturday", 5},
    };
    for (const auto &d : days) {
        EXPECT_EQ(Global::DayNameForNumber(d.sundayFirst), d.name);
        EXPECT_EQ(Global::DayNumberForName(d.name), d.mondayFirst) << d.name;
        EXPECT_EQ(Global::DaysSinceMonday(d.sundayFirst), d.mondayFirst) << d.sundayFirst;
    }
    EXPECT_EQ(Global::DayNameForNumber(0), "");
    EXPECT_EQ(Global::DayNameForNumber(8), "");
    EXPECT_EQ(Global::DayNumberForName("sunday"), 7); // exact case
    EXPECT_EQ(Global::DayNumberForName("Mon/Wed"), 7);
    EXPECT_EQ(Global::DaysSinceMonday(8), 7);
    EXPECT_EQ(Global::DaysSinceMonday(0), 0);
    EXPECT_EQ(Global::DaysSinceMonday(9), 0);
}

class DayPatterns : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        auto &db = Global::DbConnection();
        db.execute("CREATE TABLE Days (DayName NVARCHAR(50) PRIMARY KEY, RunMon INT DEFAULT 0, "
                   "RunTue INT DEFAULT 0, RunWed INT DEFAULT 0, RunThu INT DEFAULT 0, RunFri INT "
                   "DEFAULT 0, RunSat INT DEFAULT 0, RunSun INT DEFAULT 0, Sequence INT)");
        const char *rows[] = {
            "'Monday', 1, 0, 0, 0, 0, 0, 0, 0",  "'Mon/Wed', 1, 0, 1, 0, 0, 0, 0, 1",
            "'Tue/Thu', 0, 1, 0, 1, 0, 0, 0, 3", "'Mon-Fri', 1, 1, 1, 1, 1, 0, 0, 9",
            "'Other', 0, 0, 0, 0, 0, 0, 0, 10",  "'Kids'' Fri', 0, 0, 0, 0, 1, 0, Null, 11",
        };
        for (const char *row : rows)
            db.execute(QStringLiteral("INSERT INTO Days VALUES (%1)").arg(QLatin1String(row)));
    }
};

TEST_F(DayPatterns, CountRunDays)
{
    EXPECT_EQ(imodGlobalSubs::CountRunDays("Mon-Fri"), 5);
    EXPECT_EQ(imodGlobalSubs::CountRunDays("Other"), 0);
    EXPECT_EQ(imodGlobalSubs::CountRunDays("Fortnightly"), 0);
    EXPECT_EQ(imodGlobalSubs::CountRunDays("Kids' Fri"), 1); // quoted name, Null flag skipped
    Global::DbConnection().execute("DROP TABLE Days");
    EXPECT_EQ(imodGlobalSubs::CountRunDays("Mon-Fri"), 0); // never fails
}

TEST_F(DayPatterns, DaysToRunDay)
{
    const struct
    {
        const char *pattern;
        int start;
        int n;
        int days;
    } cases[] = {
        {"Tue/Thu", 3, 0, 0},     {"Tue/Thu", 3, 1, 2}, {"Tue/Thu", 3, 2, 7},
        {"Mon/Wed", 2, 1, 2},     {"Mon/Wed", 4, 1, 5}, {"Mon-Fri", 2, 1, 1},
        {"Monday", 2, 1, 7},      {"Mon-Fri", 6, 1, 3}, {"Monday", 1, 2, 8},
        {"Other", 2, 0, 0},       {"Other", 2, -1, 0},  {"Kids' Fri", 7, 1, 6},
        {"Fortnightly", 2, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imodGlobalSubs::DaysToRunDay(c.pattern, c.start, c.n), c.days)
            << c.pattern << " from " << c.start << " n " << c.n;
}

TEST_F(DayPatterns, DaysToRunDayFailsAtOnceWhereNoRunDayCanBeReached)
{
    try {
        imodGlobalSubs::DaysToRunDay("Other", 2, 1);
        FAIL() << "no error";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), vb::err::InvalidProcedureCall);
        EXPECT_EQ(e.description(), "The day pattern \"Other\" runs on no day of the week.");
    }
    try {
        imodGlobalSubs::DaysToRunDay("Fortnightly", 2, 1);
        FAIL() << "no error";
    } catch (const jet::Error &e) {
        EXPECT_EQ(e.number(), jet::err::NoCurrentRecord);
    }
}

TEST_F(DayPatterns, SequencesAndTheDayCombo)
{
    EXPECT_EQ(imodGlobalSubs::GetDayNameForSequence(3), "Tue/Thu");
    EXPECT_EQ(imodGlobalSubs::GetDayNameForSequence(2), "");
    EXPECT_EQ(imodGlobalSubs::GetDaySequence("Kids' Fri"), 11);
    EXPECT_EQ(imodGlobalSubs::GetDaySequence("Fortnightly"), 0);
    EXPECT_EQ(imodGlobalSubs::GetMaxDaySequence(), 11);

    QComboBox combo;
    combo.addItem("old");
    imodGlobalSubs::FillDayCombo(&combo, true, 0);
    ASSERT_EQ(combo.count(), 7);
    EXPECT_EQ(combo.itemText(0), "(All)");
    EXPECT_EQ(combo.itemText(1), "Monday");
    EXPECT_EQ(combo.itemText(6), "Kids' Fri");
    EXPECT_EQ(combo.currentIndex(), 0);
    imodGlobalSubs::FillDayCombo(&combo, false, -1);
    EXPECT_EQ(combo.count(), 6);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_THROW(imodGlobalSubs::FillDayCombo(&combo, false, 6), vb::Error);

    Global::DbConnection().execute("DELETE FROM Days");
    imodGlobalSubs::FillDayCombo(&combo, true, 0);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentText(), "(All)");
    EXPECT_THROW(imodGlobalSubs::GetMaxDaySequence(), vb::Error); // Null maximum
}

class TimetableLookups : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        auto &db = Global::DbConnection();
        db.execute("CREATE TABLE Students (StudentID COUNTER PRIMARY KEY, [First Name] "
                   "NVARCHAR(50), [Last Name] NVARCHAR(50), [Date of Birth] DATE, Address "
                   "NVARCHAR(50), City NVARCHAR(50), State NVARCHAR(50), Postcode NVARCHAR(5), "
                   "[Home Phone] NVARCHAR(50), [Work Phone] NVARCHAR(50), [Mobile Phone] "
                   "NVARCHAR(50), [Email Address] NVARCHAR(50), Notes NVARCHAR(255), Gender "
                   "NVARCHAR(10), Student NVARCHAR(1), Employee NVARCHAR(1), Vendor NVARCHAR(1), "
                   "Special NVARCHAR(1), InternalNotes NVARCHAR(255), StaffNotes NVARCHAR(255))");
        db.execute("CREATE TABLE Instructors (InstructorID INT PRIMARY KEY, StudentID INT, UserID "
                   "NVARCHAR(50))");
        db.execute("INSERT INTO Students ([First Name], [Last Name]) VALUES ('Sam', 'O''Neil')");
        db.execute("INSERT INTO Students ([First Name], [Last Name]) VALUES ('Sam', 'O''Neil')");
        db.execute("INSERT INTO Students ([First Name], [Last Name]) VALUES ('Kim', 'Lee')");
        db.execute("INSERT INTO Instructors VALUES (40000, 1, 'sam1')");
        db.execute("INSERT INTO Instructors VALUES (40001, 2, 'sam2')");
        db.execute("INSERT INTO Instructors VALUES (7, 3, Null)");
        db.execute("CREATE TABLE PoolAreas (AreaID COUNTER, AreaName NVARCHAR(50))");
        db.execute("INSERT INTO PoolAreas (AreaName) VALUES ('Main Pool')");
        db.execute("INSERT INTO PoolAreas (AreaName) VALUES ('Kids'' Pool')");
        db.execute("CREATE TABLE Activities (ActivityName NVARCHAR(50) PRIMARY KEY)");
        db.execute("INSERT INTO Activities VALUES ('Squad')");
        db.execute("INSERT INTO Activities VALUES ('Aqua''robics')");
        db.execute("CREATE TABLE ClassGroups (ClassGroupCode INT, Description NVARCHAR(50), "
                   "Inactive INT, MaxInClass INT)");
        db.execute("INSERT INTO ClassGroups VALUES (1, 'Seal''s Group', 0, 6)");
        db.execute("INSERT INTO ClassGroups VALUES (2, 'Dolphins', 0, Null)");
        db.execute("CREATE TABLE Levels (LevelID INT, Description NVARCHAR(50), Unit "
                   "NVARCHAR(20), Duration INT, Inactive INT)");
        db.execute("INSERT INTO Levels VALUES (1, 'Level 1', 'Forever', 0, 0)");
        db.execute("INSERT INTO Levels VALUES (2, 'Level 1', 'Forever', 0, 0)");
        db.execute("INSERT INTO Levels VALUES (2, 'Level 2', 'Forever', 0, 0)");
        db.execute("INSERT INTO Levels VALUES (3, 'Kids'' Level', 'Forever', 0, 1)");
    }
};

TEST_F(TimetableLookups, Instructors)
{
    EXPECT_EQ(Global::GetInstructorName(40001), "Sam O'Neil");
    EXPECT_EQ(Global::GetInstructorName(1), "");
    // Two of the same name: the id of the later, the user of the earlier.
    EXPECT_EQ(Global::GetInstructorIdForName("Sam O'Neil"), 40001);
    EXPECT_EQ(Global::GetInstructorUserId("Sam O'Neil"), "SAM1");
    EXPECT_EQ(Global::GetInstructorIdForName("sam o'neil"), 0);  // exact case
    EXPECT_EQ(Global::GetInstructorIdForName("Sam  O'Neil"), 0); // two blanks
    EXPECT_EQ(Global::GetInstructorUserId("Nobody"), "");
    EXPECT_THROW(Global::GetInstructorUserId("Kim Lee"), vb::Error); // Null UserID
    EXPECT_TRUE(Global::IsUserInstructor("sam2"));
    EXPECT_FALSE(Global::IsUserInstructor("o'neil"));
}

TEST_F(TimetableLookups, PoolAreasAndActivities)
{
    EXPECT_EQ(Global::GetPoolAreaName(2), "Kids' Pool");
    EXPECT_EQ(Global::GetPoolAreaId("Kids' Pool"), 2);
    EXPECT_EQ(Global::GetPoolAreaId("Spa"), 0);
    EXPECT_TRUE(Global::PoolAreaExists("Kids' Pool"));
    EXPECT_FALSE(Global::PoolAreaExists("Spa"));
    EXPECT_EQ(Global::CountPoolAreas(), 2);

    Global::DbConnection().execute("DELETE FROM PoolAreas WHERE AreaID = 1");
    Global::DbConnection().execute("INSERT INTO PoolAreas (AreaName) VALUES ('Spa')");
    // A deleted area: the area with the lowest AreaID stands in, its id in the box.
    QLineEdit box;
    EXPECT_EQ(Global::GetPoolAreaName(1), "Kids' Pool");
    EXPECT_EQ(Global::ShowPoolAreaName(1, &box), "Kids' Pool");
    EXPECT_EQ(box.text(), "2");
    EXPECT_EQ(Global::ShowPoolAreaName(3, &box), "Spa");
    EXPECT_EQ(box.text(), "2");
    Global::DbConnection().execute("DELETE FROM PoolAreas");
    EXPECT_THROW(Global::GetPoolAreaName(1), jet::Error);

    EXPECT_EQ(Global::GetDefaultActivity(), "Aqua'robics");
    EXPECT_TRUE(Global::ActivityExists("Aqua'robics"));
    EXPECT_FALSE(Global::ActivityExists("Diving"));
    EXPECT_EQ(Global::CountActivities(), 2);
}

TEST_F(TimetableLookups, ClassGroupsClassDatesAndLevels)
{
    EXPECT_EQ(Global::GetClassGroupMax("Seal's Group"), 6);
    EXPECT_EQ(Global::GetClassGroupMax("Whales"), 0);
    EXPECT_THROW(Global::GetClassGroupMax("Dolphins"), vb::Error);

    auto &db = Global::DbConnection();
    db.execute("CREATE TABLE Classes (ClassID COUNTER, Description NVARCHAR(50), ProgramID INT, "
               "InstructorID INT, [Day] NVARCHAR(50), [Time] DATE, [Max] INT, Cost CURRENCY, "
               "StartDate DATE, EndDate DATE)");
    db.execute("INSERT INTO Classes (Description, StartDate, EndDate) VALUES ('Dolphins', "
               "#2009-07-01#, #2009-09-23#)");
    EXPECT_EQ(Global::GetClassDatesText(1), "1/07/2009 to 23/09/2009");
    EXPECT_EQ(Global::GetClassDatesText(2), "");

    EXPECT_EQ(Global::GetLevelName(2), "Level 2");        // the last of the rows
    EXPECT_EQ(Global::GetLevelDescription(2), "Level 1"); // the first
    EXPECT_EQ(Global::GetLevelName(9), "");
    EXPECT_EQ(Global::GetLevelIdForName("Level 1"), 2);
    EXPECT_EQ(Global::GetLevelIdForName("Kids' Level"), 3);
    EXPECT_EQ(Global::GetLevelIdForName("level 2"), 0); // found by the database, not equal
}
