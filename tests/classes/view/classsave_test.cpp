#include "classviewfixture.h"

#include "classes/view/classsave.h"
#include "core/sqlquote.h"
#include "platform/vb/convert.h"

#include <QDateTime>

using classsave::ClassEntries;

namespace {

ClassEntries validEntries(qint32 program)
{
    ClassEntries e;
    e.level = QStringLiteral("Level 3");
    e.programId = program;
    e.day = QStringLiteral("Mon/Wed");
    e.time = QStringLiteral("4:30 PM");
    e.max = QStringLiteral("8");
    e.cost = QStringLiteral("$1,250.50");
    e.startDate = QStringLiteral("2/02/2026");
    e.endDate = QStringLiteral("8/04/2026");
    e.chargeMode = QStringLiteral("Enrolment");
    e.poolArea = QStringLiteral("1");
    e.activity = QStringLiteral("Learn to Swim");
    e.duration = QStringLiteral("45");
    e.instructorText = QStringLiteral("Kim Ray");
    e.instructors = {1};
    return e;
}

} // namespace

class ClassSaveTest : public ClassViewTest
{
protected:
    void SetUp() override
    {
        ClassViewTest::SetUp();
        program = addProgram(QStringLiteral("Summer")); // Mon 2 Feb to Fri 10 Apr 2026
    }
    qint32 program = 0;
};

TEST_F(ClassSaveTest, ChecksRefuseInTheirOrder)
{
    const struct
    {
        const char *what;
        std::function<void(ClassEntries &)> change;
        const char *title;
        const char *start;
    } cases[] = {
        {"level", [](ClassEntries &e) { e.level.clear(); e.time.clear(); }, "Oops!",
         "You must enter a level name"},
        {"time", [](ClassEntries &e) { e.time.clear(); }, "Oops!", "You must enter a time"},
        {"instructor", [](ClassEntries &e) { e.instructorText.clear(); }, "No Instructor Selected",
         "You must choose an instructor for this class.\r\n\r\nIf there is no instructor"},
        {"no instructor number", [](ClassEntries &e) { e.instructors = {0, 0}; },
         "No Instructor Selected", "You must choose"},
        {"empty instructor list", [](ClassEntries &e) { e.instructors.clear(); },
         "No Instructor Selected", "You must choose"},
        {"31 February", [](ClassEntries &e) { e.startDate = QStringLiteral("31/02/2026"); },
         "Oops!", "The start date or end date you entered was invalid."},
        {"equal dates", [](ClassEntries &e) { e.endDate = QStringLiteral("02/02/2026"); },
         "Oops!", "The start date and end date must be different unless"},
        {"size", [](ClassEntries &e) { e.max = QStringLiteral("ten"); e.cost = QStringLiteral("x"); },
         "Oops!", "The maximum number of students must be a number"},
        {"price", [](ClassEntries &e) { e.cost = QStringLiteral("12a"); }, "Oops!",
         "The cost must be numeric"},
        {"duration", [](ClassEntries &e) { e.duration = QStringLiteral("half"); }, "Oops!",
         "The duration must be a number"},
    };
    for (const auto &c : cases) {
        ClassEntries e = validEntries(program);
        c.change(e);
        const auto r = classsave::CheckEntries(e);
        ASSERT_TRUE(r.has_value()) << c.what;
        EXPECT_EQ(r->title, QString::fromLatin1(c.title)) << c.what;
        EXPECT_TRUE(r->message.startsWith(QString::fromLatin1(c.start))) << c.what;
    }
    ClassEntries blank = validEntries(program);
    blank.duration.clear();
    EXPECT_FALSE(classsave::CheckEntries(blank).has_value()) << "an empty duration passes";
    ClassEntries oneOff = validEntries(0);
    oneOff.endDate = oneOff.startDate;
    EXPECT_FALSE(classsave::CheckEntries(oneOff).has_value());
    EXPECT_FALSE(classsave::CheckDatesDiffer(oneOff).has_value());
    ClassEntries same = validEntries(program);
    same.endDate = same.startDate;
    EXPECT_EQ(classsave::CheckDatesDiffer(same)->title, QStringLiteral("Fix the Dates"));
}

TEST_F(ClassSaveTest, DateFitProposesTheProgramsFirstAndLastClassDates)
{
    // Mon/Wed: first weekday Monday, last Wednesday.
    auto fit = classsave::CheckDateFit(program, QStringLiteral("Mon/Wed"),
                                       QStringLiteral("3/02/2026"), QStringLiteral("8/04/2026"));
    EXPECT_FALSE(fit.startFits);
    EXPECT_TRUE(fit.endFits);
    EXPECT_EQ(classsave::DateQuestion(fit, QStringLiteral("Mon/Wed"), QStringLiteral("Ovix")),
              QStringLiteral("The start date for the class does not fall on a Mon/Wed. Would you "
                             "like Ovix to change the start date to 2/02/2026?"));
    fit = classsave::CheckDateFit(program, QStringLiteral("Mon/Wed"), QStringLiteral("3/02/2026"),
                                  QStringLiteral("9/04/2026"));
    EXPECT_EQ(classsave::DateQuestion(fit, QStringLiteral("Mon/Wed"), QStringLiteral("Ovix")),
              QStringLiteral("The start date and end date you have chosen for the class do not "
                             "fall on a Mon/Wed. Would you like Ovix to change the start date to "
                             "2/02/2026 the end date to 8/04/2026?"));
    // A pattern that runs on no weekday asks nothing.
    fit = classsave::CheckDateFit(program, QStringLiteral("Other"), QStringLiteral("3/02/2026"),
                                  QStringLiteral("9/04/2026"));
    EXPECT_TRUE(classsave::DateQuestion(fit, QStringLiteral("Other"), QStringLiteral("Ovix")).isEmpty());
}

TEST_F(ClassSaveTest, PriceDifferenceOnTheSavedBasis)
{
    using vb::Currency;
    const struct
    {
        Currency before;
        int beforePer;
        Currency now;
        int nowPer;
        int sessions;
        Currency expected;
    } cases[] = {
        {Currency(100), 0, Currency(120), 0, 10, Currency(20)},
        {Currency(100), 0, Currency::fromRaw(845000), 0, 10, -Currency::fromRaw(155000)},
        {Currency(10), 1, Currency(100), 0, 10, Currency(0)},   // per session to enrolment
        {Currency(100), 0, Currency(12), 1, 10, Currency(2)},   // enrolment to per session
        {Currency(100), 0, Currency(12), 1, 0, Currency(-88)},  // no sessions: as it was
    };
    for (const auto &c : cases)
        EXPECT_EQ(classsave::PriceDifference(c.before, c.beforePer, c.now, c.nowPer, c.sessions),
                  c.expected)
            << c.before.toString().toStdString() << " -> " << c.now.toString().toStdString();
    EXPECT_EQ(classsave::PriceQuestion(Currency(20)),
              QStringLiteral("The cost of this class has increased by $20.00.\r\nDo you want to "
                             "charge all students enrolled an additional $20.00?"));
    EXPECT_EQ(classsave::PriceQuestion(-Currency::fromRaw(155000)),
              QStringLiteral("The cost of this class has decreased by $15.50.\r\nDo you want to "
                             "credit all students enrolled in this class $15.50?"));
    EXPECT_TRUE(classsave::PriceQuestion(Currency()).isEmpty());
}

TEST_F(ClassSaveTest, RowIsWrittenTypedWithItsLinks)
{
    ClassEntries e = validEntries(program);
    e.level = QStringLiteral("Tom's \"Sharks\"; #1 <b>");
    e.notes = QStringLiteral("Line 1\r\nIt's #2; <b>bold</b>");
    e.instructors = {5, 0, 9};
    const qint32 id = classsave::SaveClassRow(0, e);
    ASSERT_GT(id, 0);
    const QString where = QStringLiteral(" FROM Classes WHERE ClassID = %1").arg(id);
    EXPECT_EQ(value("SELECT Description" + where).toString(), e.level);
    EXPECT_EQ(value("SELECT Notes" + where).toString(), e.notes);
    EXPECT_EQ(value("SELECT ProgramID" + where).toInt(), program);
    EXPECT_EQ(vb::CDate(value("SELECT [Time]" + where)),
              QDateTime(QDate(1899, 12, 30), QTime(16, 30)));
    EXPECT_EQ(vb::CDate(value("SELECT StartDate" + where)).date(), QDate(2026, 2, 2));
    EXPECT_EQ(vb::CDate(value("SELECT EndDate" + where)).date(), QDate(2026, 4, 8));
    EXPECT_EQ(vb::CCur(value("SELECT Cost" + where)), vb::Currency::fromRaw(12505000));
    EXPECT_EQ(value("SELECT [Max]" + where).toInt(), 8);
    EXPECT_EQ(value("SELECT DurationMins" + where).toInt(), 45);
    EXPECT_EQ(value("SELECT PoolArea" + where).toInt(), 1);
    EXPECT_EQ(value("SELECT ChargePerSession" + where).toInt(), 0);
    EXPECT_EQ(value("SELECT ClassActive" + where).toInt(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1").arg(id)), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1 AND "
                                   "InstructorID IN (5, 9)").arg(id)), 2);

    // The same class again: one row, the links replaced.
    e.chargeMode = QStringLiteral("Attendance");
    e.instructors = {7};
    EXPECT_EQ(classsave::SaveClassRow(id, e), id);
    EXPECT_EQ(count("SELECT * FROM Classes WHERE ProgramID = " + QString::number(program)), 1);
    EXPECT_EQ(value("SELECT ChargePerSession" + where).toInt(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1").arg(id)), 1);

    classsave::SaveClassNotes(id, QStringLiteral("\"quoted\"; #3"));
    EXPECT_EQ(value("SELECT Notes" + where).toString(), QStringLiteral("\"quoted\"; #3"));
    EXPECT_THROW(classsave::SaveClassNotes(id + 100, QStringLiteral("x")), std::exception);
}

TEST_F(ClassSaveTest, FailedLinkWriteLeavesNeitherRowNorLinks)
{
    const qint32 c = addClass(program);
    linkInstructor(c, 3);
    block(QStringLiteral("InstructorLink"), QStringLiteral("INSERT"));
    ClassEntries e = validEntries(program);
    e.instructors = {5};
    EXPECT_THROW(classsave::SaveClassRow(0, e), classsave::InstructorLinksFailed);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);

    EXPECT_THROW(classsave::SaveClassRow(c, e), classsave::InstructorLinksFailed);
    EXPECT_EQ(value(QStringLiteral("SELECT Description FROM Classes WHERE ClassID = %1").arg(c))
                  .toString(),
              QStringLiteral("Level 1"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1").arg(c)), 1);
}
