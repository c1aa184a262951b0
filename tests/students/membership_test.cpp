#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/ui/msgbox.h"
#include "students/membership.h"
#include "timetable/fixture/timetablefixture.h"

#include <QDateTime>

namespace {

class MembershipTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    }
    qint32 addMembership(int type, int duration, const QString &start, const QString &visits,
                         const QString &barcode)
    {
        exec(QStringLiteral("INSERT INTO Membership (StudentID, MemType, Duration, StartDate, "
                            "VisitsUsed, Barcode) VALUES (%1, %2, %3, #%4#, %5, %6)")
                 .arg(student)
                 .arg(type)
                 .arg(duration)
                 .arg(start, visits, barcode));
        return value(QStringLiteral("SELECT MAX(MembershipID) FROM Membership")).toInt();
    }
    qint32 student = 0;
};

TEST_F(MembershipTest, AMissingKeyLeavesANewObjectAsItWasAndItSavesAsANewRow)
{
    Membership m;
    const QDateTime created = m.StartDate;
    m.LoadMembership(999);
    EXPECT_FALSE(m.Loaded);
    EXPECT_EQ(m.MembershipID, 0);
    EXPECT_EQ(m.MemType, 1);
    EXPECT_EQ(m.StartDate, created);
    EXPECT_TRUE(script->shown().isEmpty());

    // Never loaded or updated: nothing is written.
    EXPECT_FALSE(m.SaveMembership());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Membership")), 0);

    m.VisitsUsed = 7; // a new row starts with no visits whatever the object holds
    m.UpdateMembership(student, 10, 0, QDateTime(QDate(2026, 3, 1), QTime(0, 0)),
                       QStringLiteral("M-1"));
    ASSERT_TRUE(m.SaveMembership());
    EXPECT_GT(m.MembershipID, 0);
    EXPECT_EQ(m.VisitsUsed, 0);
    EXPECT_EQ(value(QStringLiteral("SELECT VisitsUsed FROM Membership WHERE MembershipID = %1")
                        .arg(m.MembershipID))
                  .toInt(),
              0);
    // A second save changes the same row.
    const qint32 key = m.MembershipID;
    m.duration = 12;
    ASSERT_TRUE(m.SaveMembership());
    EXPECT_EQ(m.MembershipID, key);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Membership")), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT Duration FROM Membership")).toInt(), 12);
}

TEST_F(MembershipTest, ANullBarcodeAndVisitCountLoadWithoutAWarning)
{
    const qint32 id = addMembership(1, 40000, QStringLiteral("2026-03-01"), QStringLiteral("Null"),
                                    QStringLiteral("Null"));
    Membership m;
    m.LoadMembership(id);
    EXPECT_TRUE(m.Loaded);
    EXPECT_EQ(m.MembershipID, id);
    EXPECT_EQ(m.StudentID, student);
    EXPECT_EQ(m.MemType, 1);
    EXPECT_EQ(m.duration, 40000); // beyond 16 bits
    EXPECT_EQ(m.StartDate.date(), QDate(2026, 3, 1));
    EXPECT_EQ(m.VisitsUsed, 0);
    EXPECT_EQ(m.Barcode, QString());
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(MembershipTest, SavingAStoredMembershipKeepsVisitsCountedElsewhere)
{
    const qint32 id = addMembership(0, 10, QStringLiteral("2026-03-01"), QStringLiteral("2"),
                                    QStringLiteral("'B'"));
    Membership m;
    m.LoadMembership(id);
    ASSERT_EQ(m.VisitsUsed, 2);

    // Another workstation counts three visits while the window is open.
    jet::Connection other(QStringLiteral("Data Source=") + dataFile);
    other.open();
    other.execute(
        QStringLiteral("UPDATE Membership SET VisitsUsed = 5 WHERE MembershipID = %1").arg(id));

    m.UpdateMembership(student, 20, 0, m.StartDate, QStringLiteral("B"));
    ASSERT_TRUE(m.SaveMembership());
    EXPECT_EQ(m.VisitsUsed, 5);
    EXPECT_EQ(value(QStringLiteral("SELECT VisitsUsed FROM Membership WHERE MembershipID = %1")
                        .arg(id))
                  .toInt(),
              5);
    EXPECT_EQ(value(QStringLiteral("SELECT Duration FROM Membership WHERE MembershipID = %1")
                        .arg(id))
                  .toInt(),
              20);
}

TEST_F(MembershipTest, SavingAMembershipDeletedMeanwhileSaysSoAndWritesNothing)
{
    const qint32 id = addMembership(0, 10, QStringLiteral("2026-03-01"), QStringLiteral("0"),
                                    QStringLiteral("''"));
    Membership m;
    m.LoadMembership(id);
    exec(QStringLiteral("DELETE FROM Membership WHERE MembershipID = %1").arg(id));
    m.duration = 11;
    script->answer(ui::vbOK);
    EXPECT_FALSE(m.SaveMembership());
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Oops!"));
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when saving the membership.\r\nErr #3021 - ")));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Membership")), 0);
    EXPECT_EQ(m.MembershipID, id);
}

TEST_F(MembershipTest, BarcodesAreStoredAsTyped)
{
    for (const QString &barcode :
         {QStringLiteral("O'Brien \"7\""), QStringLiteral("#12#"), QStringLiteral("a; DROP"),
          QStringLiteral("<b>&amp;</b>")}) {
        Membership m;
        m.UpdateMembership(student, 5, 0, QDateTime(QDate(2026, 1, 5), QTime(0, 0)), barcode);
        ASSERT_TRUE(m.SaveMembership()) << barcode.toStdString();
        Membership back;
        back.LoadMembership(m.MembershipID);
        EXPECT_EQ(back.Barcode, barcode);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Membership")), 4);
}

TEST_F(MembershipTest, TheListShowsEachTypeAndVisitsChangeWithinTheirBounds)
{
    const qint32 pass = addMembership(0, 10, QStringLiteral("2026-03-01"), QStringLiteral("10"),
                                      QStringLiteral("''"));
    addMembership(1, 30, QStringLiteral("2026-03-01"), QStringLiteral("Null"),
                  QStringLiteral("''"));
    addMembership(2, 0, QStringLiteral("2026-03-01"), QStringLiteral("0"), QStringLiteral("''"));
    const qint32 odd = addMembership(7, 0, QStringLiteral("2026-03-01"), QStringLiteral("0"),
                                     QStringLiteral("''"));
    exec(QStringLiteral("INSERT INTO Membership (StudentID, MemType, Duration, StartDate) VALUES "
                        "(%1, 0, 1, #2026-01-01#)")
             .arg(student + 1)); // someone else's

    ASSERT_TRUE(imodStudents::ChangeVisitsUsed(pass, 1)); // past the duration: no bound
    ASSERT_TRUE(imodStudents::ChangeVisitsUsed(odd, -1)); // never below 0
    EXPECT_FALSE(imodStudents::ChangeVisitsUsed(9999, 1));

    const auto rows = imodStudents::LoadMembershipList(student);
    ASSERT_EQ(rows.size(), 4);
    const QStringList expected[] = {
        {QStringLiteral("Multi-Visit Pass"), QStringLiteral("01-Mar-2026"),
         QStringLiteral("-1 visits left."), QStringLiteral("11")},
        {QStringLiteral("Time-Based"), QStringLiteral("01-Mar-2026"), QStringLiteral("31/03/2026"),
         QStringLiteral("0")},
        {QStringLiteral("Never Expires"), QStringLiteral("01-Mar-2026"),
         QStringLiteral("No Expiry Date"), QStringLiteral("0")},
        {QStringLiteral("Never Expires"), QStringLiteral("01-Mar-2026"),
         QStringLiteral("Expiry Unknown"), QStringLiteral("0")},
    };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ((QStringList{rows[i].type, rows[i].started, rows[i].expires, rows[i].visitsUsed}),
                  expected[i])
            << i;

    EXPECT_EQ(imodStudents::DeleteMembership(pass), 0);
    EXPECT_EQ(imodStudents::LoadMembershipList(student).size(), 3);
}

TEST(MembershipRules, ExpiryLineAndDuration)
{
    Global::DateFormat = QStringLiteral("dd/mm/yyyy");
    const struct
    {
        const char *type, *duration, *start, *expected;
    } cases[] = {
        {"Multi-Visit Pass", "10", "01/03/2026", "After 10 visits"},
        {"Multi-Visit Pass", "ten", "", "After ten visits"}, // as typed
        {"Time-Based", "30", "01/03/2026", "31/03/2026"},
        {"Time-Based", "30", "", "<Enter Start Date>"},
        {"Time-Based", "30", "soon", "#Err"},
        {"Time-Based", "many", "01/03/2026", "#Err"},
        {"Time-Based", "", "01/03/2026", "<Enter Duration>"},
        {"Never Expires", "Forever", "01/03/2026", "Never Expires"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imodStudents::MembershipExpiryText(QString::fromLatin1(c.type),
                                                     QString::fromLatin1(c.duration),
                                                     QString::fromLatin1(c.start)),
                  QString::fromLatin1(c.expected))
            << c.type << " " << c.duration << " " << c.start;

    using imodStudents::MembershipDuration;
    EXPECT_EQ(MembershipDuration(0, QStringLiteral("10")), 10);
    EXPECT_EQ(MembershipDuration(1, QStringLiteral("2.5")), 2);  // halves to even
    EXPECT_EQ(MembershipDuration(1, QStringLiteral("3.5")), 4);
    EXPECT_EQ(MembershipDuration(0, QStringLiteral("40000")), 40000);
    EXPECT_EQ(MembershipDuration(2, QStringLiteral("Forever")), 0);
    EXPECT_EQ(MembershipDuration(0, QString()), std::nullopt);
    EXPECT_EQ(MembershipDuration(0, QStringLiteral("ten")), std::nullopt);
    EXPECT_EQ(MembershipDuration(0, QStringLiteral("99999999999")), std::nullopt);
}

} // namespace
