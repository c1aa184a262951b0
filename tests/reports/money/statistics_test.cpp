#include "platform/ui/flexgrid.h"
#include "reports/money/imodstatistics.h"
#include "timetable/fixture/timetablefixture.h"

namespace {

class StatisticsTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        swim = addProgram(QStringLiteral("Swim Term 1"));
        coach = addInstructor(QStringLiteral("Ann"), QStringLiteral("Coach"));
    }
    qint32 classOf(qint32 program, int max)
    {
        const qint32 c = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16,
                                  30, vb::Currency(100), max);
        linkInstructor(c, coach);
        return c;
    }
    void assess(qint32 classId, int passLevel)
    {
        exec(QStringLiteral("INSERT INTO Assessments (ClassID, PassLevel) VALUES (%1, %2)")
                 .arg(classId)
                 .arg(passLevel));
    }
    QStringList gridRows(qint32 program)
    {
        ui::FlexGrid grid;
        grid.setFixedRows(0);
        grid.setFixedCols(0);
        grid.setCols(2);
        grid.setRows(3); // rows of an earlier program go
        imodStatistics::FillInstructorStats(program, QString::number(coach), &grid);
        QStringList rows;
        for (int r = 0; r < grid.rows(); ++r)
            rows << grid.textMatrix(r, 0) + QLatin1Char('=') + grid.textMatrix(r, 1);
        return rows;
    }
    qint32 swim = 0;
    qint32 coach = 0;
};

} // namespace

TEST_F(StatisticsTest, InstructorWithoutClasses)
{
    using namespace imodStatistics;
    EXPECT_EQ(CountStudentsTaught(coach, 0), 0);
    EXPECT_EQ(CountPlacesTaught(coach, 0), 0);
    EXPECT_EQ(CountPlacesTaught(coach, swim), 0);
    EXPECT_EQ(GetPercentFull(coach, 0), 0);
    EXPECT_EQ(GetOverallPassRate(coach, false), QStringLiteral("0/0"));
    EXPECT_EQ(GetOverallPassRate(coach, true), QStringLiteral("N/A"));
    EXPECT_EQ(gridRows(swim),
              (QStringList{"Total places (max enrolments possible)=0", "Total students taught=0",
                           "Vacant (Available) spaces=0", "Number of Classes=0", "Class % Full=-",
                           "Pass Rate=0/0"}));
}

TEST_F(StatisticsTest, StudentsCountOnceAndOnlyWhenConfirmedOrTentative)
{
    const qint32 a = classOf(swim, 8), b = classOf(swim, 0);
    const qint32 other = addClass(swim); // another instructor's class
    const qint32 kim = addStudent(QStringLiteral("Kim"), QStringLiteral("Ray"));
    addBooking(a, kim);
    addBooking(b, kim, QStringLiteral("Tentative"));
    for (const char *status : {"Waiting", "Catch Up", "Moved", "Cancelled", "No Show"})
        addBooking(a, addStudent(QString::fromLatin1(status), QStringLiteral("X")),
                   QString::fromLatin1(status));
    addBooking(other, addStudent(QStringLiteral("Elsewhere"), QStringLiteral("Y")));
    EXPECT_EQ(imodStatistics::CountStudentsTaught(coach, 0), 1);
    EXPECT_EQ(imodStatistics::CountStudentsTaught(coach, swim), 1);
    EXPECT_EQ(imodStatistics::CountPlacesTaught(coach, 0), 8);
    // 1 student in 8 places: 12.5 goes to the even 12.
    EXPECT_EQ(imodStatistics::GetPercentFull(coach, 0), 12);
    for (int i = 0; i < 2; ++i)
        addBooking(a, addStudent(QStringLiteral("More"), QString::number(i)));
    EXPECT_EQ(imodStatistics::GetPercentFull(coach, 0), 38); // 37.5
    EXPECT_EQ(imodStatistics::GetPercentFull(coach, swim), 38);
}

TEST_F(StatisticsTest, PassRateTexts)
{
    const struct
    {
        int passes, fails;
        const char *text;
    } cases[] = {{0, 0, "0/0"}, {7, 3, "7/10   (70%)"}, {2, 1, "2/3   (67%)"},
                 {1, 7, "1/8   (13%)"}, {0, 4, "0/4   (0%)"}};
    for (const auto &c : cases)
        EXPECT_EQ(imodStatistics::PassRateText(c.passes, c.fails), QString::fromLatin1(c.text))
            << c.text;

    const qint32 a = classOf(swim, 8);
    const qint32 b = classOf(addProgram(QStringLiteral("Swim Term 2")), 8);
    assess(a, 1);
    assess(a, 1);
    assess(b, 0);
    assess(a, 2); // neither passed nor failed
    assess(addClass(swim), 1); // another instructor's class
    EXPECT_EQ(imodStatistics::GetOverallPassRate(coach, false), QStringLiteral("2/3   (67%)"));
    EXPECT_EQ(imodStatistics::GetOverallPassRate(coach, true), QStringLiteral("67%"));
    EXPECT_EQ(imodStatistics::GetProgramPassRate(swim, coach), QStringLiteral("2/2   (100%)"));
}

TEST_F(StatisticsTest, GridOfOneProgram)
{
    const qint32 a = classOf(swim, 6), b = classOf(swim, 6);
    const qint32 term2 = addProgram(QStringLiteral("Swim Term 2"));
    classOf(term2, 20);
    for (int i = 0; i < 14; ++i)
        addBooking(i < 7 ? a : b, addStudent(QStringLiteral("S"), QString::number(i)));
    assess(a, 1);
    assess(b, 0);
    EXPECT_EQ(gridRows(swim),
              (QStringList{"Total places (max enrolments possible)=12",
                           "Total students taught=14",
                           "Number of spots over-capacity (over-full)=2", "Number of Classes=2",
                           "Class % Full=117%", "Pass Rate=1/2   (50%)"}));
    exec(QStringLiteral("UPDATE Classes SET [Max] = 8 WHERE ClassID = %1").arg(b));
    EXPECT_EQ(gridRows(swim)[2], QStringLiteral("Vacant (Available) spaces=0"));
    EXPECT_EQ(gridRows(term2)[2], QStringLiteral("Vacant (Available) spaces=20"));
    // No program: nothing matches.
    EXPECT_EQ(gridRows(0)[0], QStringLiteral("Total places (max enrolments possible)=0"));
}

TEST_F(StatisticsTest, ProgramWithoutClassSizesShowsDash)
{
    const qint32 a = classOf(swim, 0);
    addBooking(a, addStudent(QStringLiteral("Kim"), QStringLiteral("Ray")));
    const QStringList rows = gridRows(swim);
    EXPECT_EQ(rows[2], QStringLiteral("Number of spots over-capacity (over-full)=1"));
    EXPECT_EQ(rows[4], QStringLiteral("Class % Full=-"));
}
