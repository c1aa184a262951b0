#include "fixture/timetablefixture.h"

#include "core/listcontrol.h"
#include "platform/vb/datetime.h"
#include "timetable/programs.h"

#include <QComboBox>
#include <QListWidget>

using namespace imodPrograms;

namespace {
QDateTime day(int y, int m, int d)
{
    return vb::makeDateTime(y, m, d);
}
} // namespace

using ProgramLookups = TimetableTest;

TEST_F(ProgramLookups, AnswersForARowProgramZeroAndAMissingProgram)
{
    const qint32 id =
        addProgram(QStringLiteral("Term 1"), QStringLiteral("Attendance"), vb::Currency(150));
    EXPECT_EQ(GetProgramName(id), QStringLiteral("Term 1"));
    EXPECT_EQ(GetProgramNumSessions(id), 10);
    EXPECT_EQ(GetProgramChargeMode(id), QStringLiteral("Attendance"));
    EXPECT_EQ(GetProgramRevenueAccount(id), QStringLiteral("4-1000"));
    EXPECT_EQ(GetProgramTaxCode(id), QStringLiteral("GST"));
    EXPECT_DOUBLE_EQ(GetProgramGstRate(id), 0.1);
    EXPECT_EQ(GetProgramCost(id), vb::Currency(150));
    EXPECT_EQ(GetProgramCostPerSession(id), vb::Currency(15));
    EXPECT_EQ(IsProgramChargedPerSession(id), vb::Currency());
    EXPECT_EQ(GetProgramStartDate(id), day(2026, 2, 2));
    EXPECT_EQ(GetProgramEndDate(id), day(2026, 4, 10));
    EXPECT_EQ(GetProgramIdForName(QStringLiteral("term 1")), id); // the database ignores case
    EXPECT_EQ(GetProgramDefaultDay(QStringLiteral("Term 1")), QStringLiteral("0"));
    EXPECT_EQ(GetProgramDefaultDay(QStringLiteral("term 1")), QString()); // compared exactly

    // Program 0 (one-off classes) has no row; only its name and sessions are answered.
    for (qint32 missing : {0, 999}) {
        SCOPED_TRACE(missing);
        EXPECT_EQ(GetProgramChargeMode(missing), QStringLiteral("Enrolment"));
        EXPECT_EQ(GetProgramRevenueAccount(missing), QString());
        EXPECT_EQ(GetProgramTaxCode(missing), QString());
        EXPECT_DOUBLE_EQ(GetProgramGstRate(missing), 0.0);
        EXPECT_EQ(GetProgramCost(missing), vb::Currency());
        EXPECT_EQ(GetProgramStartDate(missing), vb::zeroDate());
        EXPECT_EQ(GetFirstClassDateInProgram(missing, QStringLiteral("Monday")), vb::zeroDate());
    }
    EXPECT_EQ(GetProgramName(0), QStringLiteral("One-Off Enrolments"));
    EXPECT_EQ(GetProgramNumSessions(0), 1);
    EXPECT_EQ(GetProgramName(999), QString());
    EXPECT_EQ(GetProgramNumSessions(999), 0);

    exec(QStringLiteral("UPDATE Programs SET AttendChargeOn = Null"));
    EXPECT_EQ(GetProgramChargeMode(id), QString());
}

TEST_F(ProgramLookups, CountsClassesAndBookingsOfEveryStatus)
{
    const qint32 id = addProgram(QStringLiteral("Term 1"));
    const qint32 a = addClass(id);
    addClass(id, QStringLiteral("Level 2"));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    for (const char *status : {"Confirmed", "Waiting", "Cancelled", "Moved"})
        addBooking(a, s, QString::fromLatin1(status));
    EXPECT_EQ(GetProgramNumClasses(id), 2);
    EXPECT_EQ(GetProgramNumEnrolments(id), 4);
    EXPECT_EQ(GetProgramNumClasses(999), 0);
    // One-off classes are filed under program 0 and are counted like any other.
    addClass(0);
    EXPECT_EQ(GetProgramNumClasses(0), 1);
}

TEST_F(ProgramLookups, FirstAndLastClassDatesFollowThePatternsRunWeekdays)
{
    const qint32 id = addProgram(QStringLiteral("Term 1"));
    auto setDates = [&](const QDateTime &start, const QDateTime &end) {
        exec(QStringLiteral(
                 "UPDATE Programs SET StartDate = #%1#, EndDate = #%2# WHERE ProgramID = %3")
                 .arg(start.date().toString(Qt::ISODate), end.date().toString(Qt::ISODate))
                 .arg(id));
    };
    const struct
    {
        QDateTime start, end;
        const char *pattern;
        QDateTime first, last;
    } cases[] = {
        // Starts on a Monday, ends on a Friday.
        {day(2026, 2, 2), day(2026, 4, 10), "Monday", day(2026, 2, 2), day(2026, 4, 6)},
        {day(2026, 2, 2), day(2026, 4, 10), "Mon/Wed", day(2026, 2, 2), day(2026, 4, 8)},
        // Starts on a Tuesday: Mon/Wed's first weekday is Monday, six days later.
        {day(2026, 2, 3), day(2026, 4, 7), "Mon/Wed", day(2026, 2, 9), day(2026, 4, 1)},
        {day(2026, 2, 2), day(2026, 4, 10), "Sunday", day(2026, 2, 8), day(2026, 4, 5)},
        {day(2026, 2, 2), day(2026, 4, 10), "Other", vb::zeroDate(), vb::zeroDate()},
        {day(2026, 2, 2), day(2026, 4, 10), "No such day", vb::zeroDate(), vb::zeroDate()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pattern);
        setDates(c.start, c.end);
        EXPECT_EQ(GetFirstClassDateInProgram(id, QString::fromLatin1(c.pattern)), c.first);
        EXPECT_EQ(GetLastClassDateInProgram(id, QString::fromLatin1(c.pattern)), c.last);
    }
    exec(QStringLiteral("UPDATE Programs SET StartDate = Null"));
    EXPECT_EQ(GetFirstClassDateInProgram(id, QStringLiteral("Monday")), vb::zeroDate());
}

TEST_F(ProgramLookups, FillsPickListsWithIdsAndSortsWhereTheListSorts)
{
    const qint32 b = addProgram(QStringLiteral("beta"));
    const qint32 a = addProgram(QStringLiteral("Alpha"));
    const qint32 old =
        addProgram(QStringLiteral("Old term"), QStringLiteral("Enrolment"), vb::Currency(1), 1);
    QListWidget list;
    core::setListSorted(&list, true);
    ASSERT_EQ(FillProgramCombo(&list, true), 0);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(core::listItemData(&list, 0), a);
    EXPECT_EQ(core::listItemData(&list, 1), b);
    EXPECT_EQ(core::listItemData(&list, 2), old);

    QComboBox combo;
    exec(QStringLiteral("INSERT INTO Programs (Program, Inactive) VALUES ('No flag', Null)"));
    ASSERT_EQ(FillProgramCombo(&combo, false), 0);
    EXPECT_EQ(combo.count(), 2); // the inactive one and the one without a flag are left out
    EXPECT_EQ(combo.currentIndex(), -1);
}

using ProgramDeletion = TimetableTest;

TEST_F(ProgramDeletion, DeletesThePaymentsBookingsClassesAndTheProgramOnly)
{
    const qint32 id = addProgram(QStringLiteral("Term 1"));
    const qint32 keep = addProgram(QStringLiteral("Term 2"));
    const qint32 c = addClass(id);
    const qint32 other = addClass(keep);
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = addBooking(c, s);
    const qint32 kept = addBooking(other, s);
    addAttend(b, 1, QStringLiteral("Attended"));
    linkInstructor(c, addInstructor(QStringLiteral("Tom"), QStringLiteral("Fin")));
    exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, ChargeAmount) VALUES (%1, %2, 10)")
             .arg(b)
             .arg(s));
    exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, ChargeAmount) VALUES (%1, %2, 10)")
             .arg(kept)
             .arg(s));

    auto *programs = new TimetableFakeWindow(QStringLiteral("frmPrograms"));
    programs->load();
    EXPECT_EQ(DeleteProgramCascade(id), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Programs")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 1);
    // Links, attendance marks and the audit trail are not touched.
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Attend")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog")), 0);
    EXPECT_EQ(programs->calls, QStringList{QStringLiteral("Load_Program_List")});

    // A program nobody has: nothing to delete, still 0, and the list still reloads.
    EXPECT_EQ(DeleteProgramCascade(12345), 0);
    EXPECT_EQ(programs->calls.size(), 2);
}

TEST_F(ProgramDeletion, AFailingStatementLeavesEveryRowInPlace)
{
    const qint32 id = addProgram(QStringLiteral("Term 1"));
    const qint32 c = addClass(id);
    const qint32 b = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    exec(QStringLiteral("INSERT INTO Payments (BookingID, ChargeAmount) VALUES (%1, 10)").arg(b));
    // The last statement fails: what the ones before it deleted comes back.
    block(QStringLiteral("Programs"), QStringLiteral("DELETE"));
    const int result = DeleteProgramCascade(id);
    EXPECT_NE(result, 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Programs")), 1);
}
