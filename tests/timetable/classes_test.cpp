#include "fixture/timetablefixture.h"

#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "timetable/classes.h"

using namespace imodClasses;

using ClassLookups = TimetableTest;

TEST_F(ClassLookups, CaptionsAndColumnsOfAClassAndOfAMissingOne)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    const qint32 c = addClass(p, QStringLiteral("Level 1"), QStringLiteral("Tue/Thu"), 9, 5);
    const qint32 late = addClass(p, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed"), 16, 30);
    const qint32 oneOff = addClass(0, QStringLiteral("Private"), QStringLiteral("Friday"), 12, 0);
    const qint32 b = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));

    EXPECT_EQ(GetClassCaption(late), QStringLiteral("Mon/Wed 04:30 PM Level 2"));
    EXPECT_EQ(GetClassFullCaption(c), QStringLiteral("Tue/Thu 09:05 AM Level 1 (Summer)"));
    EXPECT_EQ(GetClassFullCaption(oneOff),
              QStringLiteral("Friday 12:00 PM Private (One-Off Enrolments)"));
    EXPECT_EQ(GetBookingClassCaption(b), QStringLiteral("Tue/Thu 09:05 AM Level 1 (Summer)"));
    EXPECT_EQ(GetClassTimeText(late), QStringLiteral("04:30 PM"));
    EXPECT_EQ(GetClassProgramId(c), p);
    EXPECT_EQ(GetClassDay(c), QStringLiteral("Tue/Thu"));
    EXPECT_EQ(GetClassMax(c), 10);
    EXPECT_EQ(GetClassPoolArea(c), 1);
    EXPECT_EQ(GetClassChargeMode(c), QStringLiteral("Enrolment"));
    EXPECT_EQ(GetClassActivity(c), QStringLiteral("Learn to Swim"));
    EXPECT_EQ(GetClassStartDate(c), vb::makeDateTime(2026, 2, 2));
    EXPECT_EQ(GetClassIdOfBooking(b), c);
    EXPECT_FALSE(IsOneOffClass(c));
    exec(QStringLiteral("UPDATE Classes SET EndDate = StartDate WHERE ClassID = %1").arg(oneOff));
    EXPECT_TRUE(IsOneOffClass(oneOff));
    exec(QStringLiteral("UPDATE Classes SET EndDate = Null WHERE ClassID = %1").arg(oneOff));
    EXPECT_FALSE(IsOneOffClass(oneOff));

    const qint32 missing = 9999;
    EXPECT_EQ(GetClassCaption(missing), QString());
    EXPECT_EQ(GetClassFullCaption(missing), QString());
    EXPECT_EQ(GetClassTimeText(missing), QString());
    EXPECT_EQ(GetClassStartDate(missing), vb::zeroDate());
    EXPECT_FALSE(IsOneOffClass(missing));
    EXPECT_EQ(GetClassIdOfBooking(missing), -1);
    EXPECT_EQ(GetClassProgramId(missing), 0);
    EXPECT_EQ(GetClassSpots(missing, 7), 7);
    EXPECT_EQ(GetClassWaitingCount(missing), 0);
    // A booking whose class is gone has no caption either.
    exec(QStringLiteral("DELETE FROM Classes WHERE ClassID = %1").arg(c));
    EXPECT_EQ(GetBookingClassCaption(b), QString());
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(ClassLookups, OccupancyCountsConfirmedAndTentativeAndMayGoNegative)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    for (int i = 0; i < 8; ++i)
        addBooking(c, s, QStringLiteral("Confirmed"));
    for (const char *status :
         {"Tentative", "Tentative", "Waiting", "Catch Up", "Moved", "Cancelled", "No Show"})
        addBooking(c, s, QString::fromLatin1(status));
    EXPECT_EQ(GetClassSpots(c, 10), 0);
    EXPECT_EQ(GetClassWaitingCount(c), 1);
    EXPECT_EQ(GetClassEnrolledCount(c), 10);
    addBooking(c, s, QStringLiteral("Confirmed"));
    EXPECT_EQ(GetClassSpots(c, 10), -1);
}

TEST_F(ClassLookups, InstructorNamesInIdOrderAndThePlaceholder)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 none = addClass(p);
    const qint32 tbaOnly = addClass(p);
    const qint32 both = addClass(p);
    const qint32 tba = addInstructor(QStringLiteral("instructor"), QStringLiteral("tba"));
    const qint32 zoe = addInstructor(QStringLiteral("Zoe"), QStringLiteral("Adams"));
    const qint32 al = addInstructor(QStringLiteral("Al"), QStringLiteral("Brown"));
    linkInstructor(tbaOnly, tba);
    linkInstructor(both, al);
    linkInstructor(both, zoe);

    EXPECT_EQ(GetClassInstructorNames(none, false), QStringLiteral("(none)"));
    EXPECT_EQ(GetClassInstructorNames(none, true), QString());
    EXPECT_EQ(GetClassInstructorNames(tbaOnly, false), QStringLiteral("instructor tba"));
    EXPECT_EQ(GetClassInstructorNames(tbaOnly, true), QString());
    // Ascending InstructorID, not by name.
    EXPECT_EQ(GetClassInstructorNames(both, true), QStringLiteral("Zoe Adams and Al Brown"));
    EXPECT_EQ(GetClassInstructorIds(both), (QList<qint32>{zoe, al}));
    EXPECT_TRUE(GetClassInstructorIds(none).isEmpty());
}

TEST_F(ClassLookups, ClassIdFromCaptionReadsTheMarkerOnly)
{
    EXPECT_EQ(ClassIdFromCaption(QStringLiteral("Level 1 (CID#345)")), 345);
    // IDs above the 16-bit range are read whole.
    EXPECT_EQ(ClassIdFromCaption(QStringLiteral("Mon 04:30 PM Level 1 (CID#70000)")), 70000);
    for (const char *bad : {"Level 1 (cid#3)", "Level 1", "Level 1 (CID#)", "Level 1 (CID#1a)"}) {
        SCOPED_TRACE(bad);
        try {
            ClassIdFromCaption(QString::fromLatin1(bad));
            ADD_FAILURE() << "no error";
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), vb::err::TypeMismatch);
        }
    }
}

TEST_F(ClassLookups, RunWeekdaysTakeOnlyFlagsHoldingOne)
{
    exec(QStringLiteral("INSERT INTO Days VALUES ('Odd', 0, -1, 0, 1, 0, 0, 0, 11)"));
    const struct
    {
        const char *pattern, *first, *last;
    } cases[] = {
        {"Mon/Wed", "Monday", "Wednesday"},
        {"Monday", "Monday", "Monday"},
        {"Mon-Fri", "Monday", "Friday"},
        {"Odd", "Thursday", "Thursday"}, // -1 on Tuesday is not a run day
        {"Other", "", ""},
        {"Nowhere", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(GetFirstRunWeekday(QString::fromLatin1(c.pattern)), QString::fromLatin1(c.first));
        EXPECT_EQ(GetLastRunWeekday(QString::fromLatin1(c.pattern)), QString::fromLatin1(c.last));
    }
}
