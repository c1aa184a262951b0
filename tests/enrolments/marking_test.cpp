#include "enrolments/fixture/enrolmentsfixture.h"

#include "core/centresettings.h"
#include "enrolments/attendance.h"
#include "enrolments/imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/msgbox.h"

#include <QCheckBox>

using namespace imodEnrolments;
using Marking = AttendanceTest;

TEST_F(Marking, EachClickMovesTheMarkOneStepWithTheLedgerRowsOfTheChargeMode)
{
    const QStringList cycle = {"shpAttended", "shpDNA", "shpSick", "shpAbsent", "shpCalled", "none"};
    const QStringList words = {"Attended", "DNA", "Sick", "Absent", "Other", ""};
    const struct
    {
        const char *mode;
        QStringList ledger; // after each of the six clicks
    } cases[] = {
        {"Attendance", {"15/1.5", "", "", "", "", ""}},
        {"Enrolment (discount absence)", {"", "-15/-1.5", "-15/-1.5", "-15/-1.5", "", ""}},
        {"Enrolment", {"", "", "", "", "", ""}},
        {"Payment Plan", {"", "", "", "", "", ""}},
    };
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    for (const auto &k : cases) {
        const qint32 c = addClass(p, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30,
                                  vb::Currency(150), 10, 0, QLatin1String(k.mode));
        const qint32 b = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
        GridHostStandIn *host = openHost(c);
        for (int i = 0; i < 6; ++i) {
            click(host, rowOf(host->agrd, b), 5); // session 4
            const QString step = QStringLiteral("%1, click %2").arg(QLatin1String(k.mode)).arg(i + 1);
            EXPECT_EQ(cellState(host, rowOf(host->agrd, b), 5), cycle[i]) << step.toStdString();
            EXPECT_EQ(marks(b).join(QLatin1Char(',')),
                      words[i].isEmpty() ? QString() : QStringLiteral("4:") + words[i])
                << step.toStdString();
            EXPECT_EQ(ledger(b).join(QLatin1Char(',')), k.ledger[i]) << step.toStdString();
        }
        host->unload();
    }
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(Marking, AMissedSessionOfATwoDayClassIsCreditedOneSessionsCharge)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")), QStringLiteral("Level 1"),
                              QStringLiteral("Mon/Wed"), 16, 30, vb::Currency(200), 10, 0,
                              QStringLiteral("Enrolment (discount absence)"));
    const qint32 b = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    GridHostStandIn *host = openHost(c);
    click(host, 1, 3);
    click(host, 1, 3);
    EXPECT_EQ(ledger(b), QStringList{QStringLiteral("-10/-1")});
    const qint32 attendanceId = value(QStringLiteral("SELECT AttendanceID FROM Attend")).toInt();
    EXPECT_EQ(value(QStringLiteral("SELECT AttendanceID FROM Payments")).toInt(), attendanceId);
}

TEST_F(Marking, AHeaderClickMarksEveryUncolouredBookingOfTheSession)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")), QStringLiteral("Level 1"),
                              QStringLiteral("Monday"), 16, 30, vb::Currency(150), 10, 0,
                              QStringLiteral("Attendance"));
    const qint32 open = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    const qint32 marked = addBooking(c, addStudent(QStringLiteral("Bo"), QStringLiteral("Li")));
    addAttend(marked, 4, AttendanceStatus::DNA);
    const qint32 catchUp =
        addBooking(c, addStudent(QStringLiteral("Cy"), QStringLiteral("Oz")), BookingStatus::CatchUp);
    exec(QStringLiteral("UPDATE Bookings SET SessionNo = 2 WHERE BookingID = %1").arg(catchUp));
    const qint32 cancelled = addBooking(c, addStudent(QStringLiteral("Di"), QStringLiteral("Yu")),
                                        BookingStatus::Cancelled);
    GridHostStandIn *host = openHost(c);
    host->Check2->setChecked(true);
    LoadAttendanceGrid(c, host->agrd, host, 1, -1);

    click(host, 0, 1); // the header's BKID: nothing is marked
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Attend")), 1);
    click(host, 0, 5);
    EXPECT_EQ(marks(open), QStringList{QStringLiteral("4:Attended")});
    EXPECT_EQ(marks(cancelled), QStringList{QStringLiteral("4:Attended")});
    EXPECT_EQ(marks(marked), QStringList{QStringLiteral("4:DNA")});
    EXPECT_TRUE(marks(catchUp).isEmpty());
    EXPECT_EQ(ledger(open), QStringList{QStringLiteral("15/1.5")});
    EXPECT_EQ(ledger(cancelled), QStringList{QStringLiteral("15/1.5")});
    EXPECT_EQ(cellState(host, rowOf(host->agrd, open), 5), QStringLiteral("shpAttended"));
    EXPECT_EQ(host->agrd->textMatrix(rowOf(host->agrd, open), 13), QStringLiteral("$15.00"))
        << "the class view redraws the owing";
}

TEST_F(Marking, ClicksOutsideTheSessionsMarkNothing)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 b = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    const qint32 catchUp = addBooking(c, addStudent(QStringLiteral("Christopher"),
                                                    QStringLiteral("Oz")),
                                      BookingStatus::CatchUp);
    GridHostStandIn *host = openHost(c);
    const int rb = rowOf(host->agrd, b), rc = rowOf(host->agrd, catchUp);
    const struct
    {
        const char *what;
        int row, col;
        bool refreshed;
    } cases[] = {
        {"owing", rb, 13, false},          {"PP heading", 0, 12, false},
        {"grey cell", rc, 2, false},       {"long name", rc, 0, false},
        {"closing row", 3, 3, false},      {"short name", rb, 0, true},
        {"booking number", rb, 1, true},   {"header name", 0, 0, true},
    };
    for (const auto &k : cases) {
        host->calls.clear();
        click(host, k.row, k.col);
        EXPECT_EQ(host->calls.contains(QStringLiteral("Load_Students")), k.refreshed) << k.what;
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Attend")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Students WHERE Issued <> 0")), 0);
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(Marking, ThePassportCycleOffersItsFeeOnEveryIssue)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    addBooking(c, s);
    GridHostStandIn *host = openHost(c);
    const auto issued = [&] {
        return value(QStringLiteral("SELECT Issued FROM Students WHERE StudentID = %1").arg(s)).toInt();
    };

    // Without a fee nothing is asked.
    for (const char *code : {"In", "Out", "None"}) {
        click(host, 1, 12);
        EXPECT_EQ(host->agrd->textMatrix(1, 12), QLatin1String(code));
    }
    EXPECT_EQ(issued(), 0);
    EXPECT_TRUE(script->shown().isEmpty());

    GlobalSettings &settings = Global::CentreSettings();
    settings.setSettings(int(CentreSettingIds::JoiningFee), QVariant::fromValue(vb::Currency(10)));
    settings.setSettings(int(CentreSettingIds::JoiningFeeTaxCode), QStringLiteral("GST"));
    settings.setSettings(int(CentreSettingIds::JoiningFeeAccount), QStringLiteral("40010"));
    script->answer(ui::vbYes);
    click(host, 1, 12);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Charge Fee?"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("You have just issued a passport for this student. Would you like to "
                             "charge the $10.00 passport fee now?"));
    EXPECT_EQ(issued(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE BookingID = 0 AND ChargeAmount = "
                                   "10 AND ChargeGST = 0.9091 AND Notes = 'Passport Fee' AND "
                                   "RevenueAccount = '40010' AND TaxCode = 'GST' AND SID = %1")
                        .arg(s)),
              1);
    EXPECT_EQ(imodMoney::GetPassportFeeTotals(s), vb::Currency(10));

    click(host, 1, 12); // Out
    click(host, 1, 12); // None
    script->answer(ui::vbNo);
    click(host, 1, 12); // In again: asked again
    EXPECT_EQ(script->shown().size(), 2);
    EXPECT_EQ(imodMoney::GetPassportFeeTotals(s), vb::Currency(10));
}

TEST_F(Marking, AChargeThatCannotBeWrittenLeavesTheMarkAndTheCellAsTheyWere)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const auto classOf = [&](const QString &mode) {
        return addClass(p, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30,
                        vb::Currency(150), 10, 0, mode);
    };
    const qint32 perSession = classOf(QStringLiteral("Attendance"));
    const qint32 a = addBooking(perSession, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    const qint32 b = addBooking(perSession, addStudent(QStringLiteral("Bo"), QStringLiteral("Li")));
    const qint32 credit = classOf(QStringLiteral("Enrolment (discount absence)"));
    const qint32 d = addBooking(credit, addStudent(QStringLiteral("Di"), QStringLiteral("Yu")));
    GridHostStandIn *view = openHost(credit);
    click(view, 1, 2); // Attended, no ledger row
    GridHostStandIn *host = openHost(perSession);

    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    for (int i = 0; i < 4; ++i)
        script->answer(ui::vbOK);
    click(host, rowOf(host->agrd, a), 2);
    EXPECT_TRUE(marks(a).isEmpty());
    EXPECT_EQ(cellState(host, rowOf(host->agrd, a), 2), QStringLiteral("none"));
    click(host, 0, 3); // the header row: the whole column or nothing
    EXPECT_TRUE(marks(a).isEmpty());
    EXPECT_TRUE(marks(b).isEmpty());
    EXPECT_EQ(cellState(host, rowOf(host->agrd, a), 3), QStringLiteral("none"));
    EXPECT_EQ(cellState(host, rowOf(host->agrd, b), 3), QStringLiteral("none"));
    ASSERT_EQ(script->shown().size(), 4);
    EXPECT_EQ(script->shown().at(0).title, QStringLiteral("Error in Adding Charge"));
    EXPECT_EQ(script->shown().at(1).title, QStringLiteral("Marking Attendance"));
    EXPECT_TRUE(script->shown().at(1).text.startsWith(
        QStringLiteral("An error occurred when marking the attendance.\r\nPhase#4 / Err#")))
        << script->shown().at(1).text.toStdString();

    script->answer(ui::vbOK);
    script->answer(ui::vbOK);
    click(view, 1, 2); // Attended to DNA: the credit fails
    EXPECT_EQ(marks(d), QStringList{QStringLiteral("1:Attended")});
    EXPECT_EQ(cellState(view, 1, 2), QStringLiteral("shpAttended"));
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Unexpected error"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred in MarkAttendance.\r\nPhase#10/Err#")));
}

TEST_F(Marking, OnlyAClassViewReloadsAfterAMark)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")), QStringLiteral("Level 1"),
                              QStringLiteral("Monday"), 16, 30, vb::Currency(150), 10, 0,
                              QStringLiteral("Attendance"));
    const qint32 b = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    addBooking(c, addStudent(QStringLiteral("Bo"), QStringLiteral("Li")), BookingStatus::Moved);

    GridHostStandIn *book = openHost(c, QStringLiteral("frmAttendanceBook"));
    click(book, rowOf(book->agrd, b), 2);
    EXPECT_TRUE(book->calls.isEmpty());
    EXPECT_EQ(book->agrd->textMatrix(rowOf(book->agrd, b), 13), QStringLiteral("$0.00"))
        << "kept until the book is shown again";

    GridHostStandIn *view = openHost(c);
    view->Check2->setChecked(true);
    click(view, rowOf(view->agrd, b), 3);
    EXPECT_EQ(view->calls, QStringList{QStringLiteral("Load_Students")});
    EXPECT_EQ(view->agrd->rows(), 4) << "reloaded with Show All";
    EXPECT_EQ(view->agrd->textMatrix(rowOf(view->agrd, b), 13), QStringLiteral("$30.00"));
}
