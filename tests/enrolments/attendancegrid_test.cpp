#include "enrolments/fixture/enrolmentsfixture.h"

#include "core/centresettings.h"
#include "enrolments/attendance.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/tag.h"
#include "support/screenshot.h"
#include "datafile/templatedatafile.h"

using namespace imodEnrolments;
using AttendanceGrid = AttendanceTest;

namespace {

void charge(qint32 booking, const QString &charge, const QString &amount)
{
    ovix::test::Exec(QStringLiteral("INSERT INTO Payments (BookingID, ChargeAmount, Amount, "
                                    "DiscountAmount, DiscountGST, Type) VALUES (%1, %2, %3, 0, 0, "
                                    "'C')")
                         .arg(booking)
                         .arg(charge, amount));
}

} // namespace

TEST_F(AttendanceGrid, ShowsBookingsMarksPassportsAndOwing)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 amy = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 bo = addStudent(QStringLiteral("Bo"), QStringLiteral("Li"));
    const qint32 cy = addStudent(QStringLiteral("Cy"), QStringLiteral("Oz"));
    exec(QStringLiteral("UPDATE Students SET Issued = 1 WHERE StudentID = %1").arg(amy));
    exec(QStringLiteral("UPDATE Students SET Issued = 2 WHERE StudentID = %1").arg(bo));
    const qint32 a = addBooking(c, amy);
    const qint32 b = addBooking(c, bo, BookingStatus::CatchUp);
    exec(QStringLiteral("UPDATE Bookings SET SessionNo = 3 WHERE BookingID = %1").arg(b));
    const qint32 x = addBooking(c, cy, BookingStatus::Cancelled);
    addAttend(a, 1, AttendanceStatus::Attended);
    addAttend(a, 2, AttendanceStatus::DNA);
    addAttend(a, 2, AttendanceStatus::Sick); // a second row of a session: the first counts
    addAttend(a, 3, QStringLiteral("Late")); // a word outside the key
    addAttend(b, 5, AttendanceStatus::Absent);
    addAttend(x, 1, AttendanceStatus::Other);
    charge(a, QStringLiteral("100"), QStringLiteral("65.5"));
    charge(b, QStringLiteral("100"), QStringLiteral("120"));

    GridHostStandIn *host = openHost(c);
    ui::FlexGrid *g = host->agrd;
    ovix::test::saveScreenshot(host, "enrolments-attendance-grid");
    EXPECT_EQ(ui::tag(g), QStringLiteral("Loaded"));
    EXPECT_FALSE(g->isHidden());
    ASSERT_EQ(g->cols(), 14);
    ASSERT_EQ(g->rows(), 4) << "header, two bookings, the closing row";
    QStringList header;
    for (int col = 0; col < g->cols(); ++col) {
        header << g->textMatrix(0, col);
        EXPECT_EQ(cellState(host, 0, col), QStringLiteral("heading"));
    }
    EXPECT_EQ(header.join(QLatin1Char(',')), QStringLiteral("Name,BKID,1,2,3,4,5,6,7,8,9,10,PP,Owing"));
    EXPECT_NEAR(g->colWidth(1), 600, 15);
    EXPECT_NEAR(g->colWidth(2), 400, 15);
    EXPECT_NEAR(g->colWidth(12), 500, 15);
    EXPECT_NEAR(g->colWidth(13), 750, 15);

    const int ra = rowOf(g, a), rb = rowOf(g, b);
    EXPECT_EQ(g->textMatrix(ra, 0), QStringLiteral("Amy Ng"));
    EXPECT_EQ(cellState(host, ra, 2), QStringLiteral("shpAttended"));
    EXPECT_EQ(cellState(host, ra, 3), QStringLiteral("shpDNA"));
    EXPECT_EQ(cellState(host, ra, 4), QStringLiteral("none")) << "an unknown word";
    EXPECT_EQ(cellState(host, ra, 5), QStringLiteral("none"));
    EXPECT_EQ(g->textMatrix(ra, 12), QStringLiteral("In"));
    EXPECT_EQ(g->textMatrix(ra, 13), QStringLiteral("$34.50"));
    EXPECT_EQ(g->cellAlignment(ra, 13), ui::flexAlignCenterCenter);

    EXPECT_EQ(cellState(host, rb, 2), QStringLiteral("grey"));
    EXPECT_EQ(cellState(host, rb, 4), QStringLiteral("none")) << "the catch-up's own session";
    EXPECT_EQ(cellState(host, rb, 6), QStringLiteral("shpAbsent")) << "a mark over the grey";
    EXPECT_EQ(cellState(host, rb, 7), QStringLiteral("grey"));
    EXPECT_EQ(g->textMatrix(rb, 12), QStringLiteral("Out"));
    EXPECT_EQ(g->textMatrix(rb, 13), QStringLiteral("-$20.00"));

    EXPECT_EQ(g->rowHeightTwips(3), 0);
    for (int col = 0; col < g->cols(); ++col)
        EXPECT_EQ(cellState(host, 3, col), QStringLiteral("grey"));

    // Show All adds the cancelled booking: its letter over its mark's colour.
    LoadAttendanceGrid(c, g, host, 1, -1);
    ASSERT_EQ(g->rows(), 5);
    const int rx = rowOf(g, x);
    EXPECT_EQ(g->textMatrix(rx, 12), QStringLiteral("None"));
    EXPECT_EQ(g->textMatrix(rx, 13), QStringLiteral("$0.00"));
    for (int col = 2; col <= 11; ++col)
        EXPECT_EQ(g->textMatrix(rx, col), QStringLiteral("C"));
    EXPECT_EQ(cellState(host, rx, 2), QStringLiteral("shpCalled"));
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(AttendanceGrid, NameColumnTakesTheRestOfTheWidthDownToItsFloor)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 other = addClass(p, QStringLiteral("Squad"), QStringLiteral("Other"));
    const qint32 monWed = addClass(p, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed"));
    addBooking(other, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));

    GridHostStandIn *host = openHost(other);
    ui::FlexGrid *g = host->agrd;
    ASSERT_EQ(g->cols(), 4) << "no session columns";
    EXPECT_EQ(g->textMatrix(0, 2), QStringLiteral("PP"));
    EXPECT_EQ(g->textMatrix(0, 3), QStringLiteral("Owing"));
    EXPECT_NEAR(g->colWidth(0), 900 * 15 - 2250, 15);
    EXPECT_EQ(g->scrollBars(), 3);

    g->resize(400, 300); // 6000 twips: 20 sessions leave less than nothing
    LoadAttendanceGrid(monWed, g, host, 0, -1);
    EXPECT_EQ(g->cols(), 24);
    EXPECT_NEAR(g->colWidth(0), 1000, 15);
    EXPECT_EQ(g->scrollBars(), 1);
}

TEST_F(AttendanceGrid, AFailedLoadSaysWhichClassAndKeepsTheGridHidden)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    addAttend(addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"))), 1,
              AttendanceStatus::Attended);
    ui::Form keyless;
    ui::FlexGrid grid(&keyless);
    script->answer(ui::vbOK);
    LoadAttendanceGrid(c, &grid, &keyless, 0, -1);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown().first().title, QStringLiteral("Oops!"));
    EXPECT_EQ(script->shown().first().text,
              QStringLiteral("An error occurred when loading the attendance grid. \r\nErr#424 - "
                             "Object required.\r\nThe Monday 04:30 PM Level 1 class may not display "
                             "correctly."));
    EXPECT_TRUE(grid.isHidden());
    EXPECT_NE(ui::tag(&grid), QStringLiteral("Loaded"));

    LoadAttendanceGrid(0, &grid, &keyless, 0, -1);
    EXPECT_EQ(script->shown().size(), 1) << "class 0 loads nothing";

    script->answer(ui::vbOK);
    EXPECT_EQ(SetUpAttendanceGrid(&grid, -1, -10), 380);
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Set Up Error"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred when Setting Up Attendance Grid (Err#380 - ")));
}

TEST_F(AttendanceGrid, LabelsComeFromTheCentreAndAreEscapedForHtml)
{
    const qint32 b = addBooking(addClass(addProgram(QStringLiteral("Term 1"))),
                                addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    GlobalSettings &settings = Global::CentreSettings();
    settings.setSettings(int(CentreSettingIds::DNA), QStringLiteral("No Show"));
    settings.setSettings(int(CentreSettingIds::Contacted),
                         QStringLiteral("Rang <Mum> & \"Dad\" #1; O'K"));
    EXPECT_EQ(GetAttendanceLabel(AttendanceStatus::DNA), QStringLiteral("No Show"));
    EXPECT_EQ(GetAttendanceLabel(AttendanceStatus::Attended), QStringLiteral("Attended"));
    EXPECT_EQ(GetAttendanceLabel(QStringLiteral("Late")), QStringLiteral("Late"));

    EXPECT_EQ(GetSessionStatusHtml(b, 1), QStringLiteral("&nbsp;"));
    addAttend(b, 1, AttendanceStatus::Other);
    EXPECT_EQ(GetSessionStatusHtml(b, 1),
              QStringLiteral("Rang &lt;Mum&gt; &amp; &quot;Dad&quot; #1; O'K"));
}
