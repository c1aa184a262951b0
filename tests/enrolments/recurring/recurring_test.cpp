#include "duework.h"

#include "core/globaldata.h"
#include "enrolments/cancellation.h"
#include "enrolments/imodenrolments.h"
#include "enrolments/paymentplan.h"
#include "enrolments/recurring/frmrecurring.h"
#include "platform/jet/connection.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "support/screenshot.h"
#include "timetable/classes.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using imodEnrolments::GetBookingOwing;

namespace {

class DueWork : public DueWorkTest
{
protected:
    frmRecurring *open()
    {
        return qobject_cast<frmRecurring *>(ui::LoadWindowByName(QStringLiteral("frmRecurring")));
    }
    bool windowOpen() { return ui::Forms::find(QStringLiteral("frmRecurring")) != nullptr; }
    qint32 pending(const QDate &date, const QString &bookingStatus = QStringLiteral("Confirmed"))
    {
        const qint32 b = addBooking(classId, student, bookingStatus);
        exec(QStringLiteral("UPDATE Bookings SET CancelDate = #%1# WHERE BookingID = %2")
                 .arg(date.toString(Qt::ISODate))
                 .arg(b));
        return b;
    }
    int runFlag(qint32 chargeDateId)
    {
        return value(QStringLiteral("SELECT Run FROM ChargeDate WHERE ChargeDateID = %1")
                         .arg(chargeDateId))
            .toInt();
    }
    // Process Now, answering the success message.
    void processNow(frmRecurring *w)
    {
        script->answer(ui::vbOK);
        w->cmdNow->click();
        flush();
    }
    static QStringList column(ui::FlexGrid *grid, int col)
    {
        QStringList out;
        for (int r = 0; r < grid->rows(); ++r)
            out << grid->textMatrix(r, col);
        return out;
    }
};

} // namespace

TEST_F(DueWork, ListsBothKindsWithTheirHeadingsWidthsAndForms)
{
    const qint32 due = pending(today().addDays(-3));
    charge(due, vb::Currency(1250));
    pending(today()); // listed, not yet processed
    pending(today().addDays(1));
    exec(QStringLiteral("UPDATE Bookings SET Status = 'Moved' WHERE BookingID = %1")
             .arg(pending(today().addDays(-1))));
    addPlanRow(program, today().addDays(-2), vb::Currency(45.5));
    addPlanRow(program, today(), vb::Currency(10));
    addPlanRow(program, today().addDays(1), vb::Currency(99));
    addPlanRow(program, today().addDays(-9), vb::Currency(7), 1);

    frmRecurring *w = open();
    EXPECT_EQ(w->caption(), QStringLiteral("Process Recurring Transactions"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Ovix has detected that there are some recurring "
                                                "transactions that are due to be processed."));
    EXPECT_EQ(w->chkCancellation->text(), QStringLiteral("Adjust balances to $0.00"));
    EXPECT_FALSE(w->chkCancellation->isChecked());
    EXPECT_EQ(w->cmdNow->text(), QStringLiteral("Process Now"));
    EXPECT_EQ(w->cmdLater->text(), QStringLiteral("Process Later"));
    QStringList labels;
    for (const QLabel *l : w->findChildren<QLabel *>())
        labels << l->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("Cancellations")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Recurring Charges")));

    const QString day = [](const QDate &d) { return d.toString(QStringLiteral("dd-MMM-yyyy")); }(
        today().addDays(-3));
    ASSERT_EQ(w->grdCancel->rows(), 3);
    EXPECT_EQ(w->grdCancel->textMatrix(0, 1), QStringLiteral("Student"));
    EXPECT_EQ(w->grdCancel->textMatrix(1, 0), QString::number(due));
    EXPECT_EQ(w->grdCancel->textMatrix(1, 1), QStringLiteral("Ann Lee"));
    EXPECT_EQ(w->grdCancel->textMatrix(1, 2), imodClasses::GetBookingClassCaption(due));
    EXPECT_EQ(w->grdCancel->textMatrix(1, 3), QStringLiteral("$1,250.00"));
    EXPECT_EQ(w->grdCancel->textMatrix(1, 4), day);
    EXPECT_EQ(w->grdCancel->textMatrix(2, 4), today().toString(QStringLiteral("dd-MMM-yyyy")));
    const int cancelWidths[] = {0, 1800, 2500, 1000, 1200};
    for (int c = 0; c < 5; ++c)
        EXPECT_NEAR(w->grdCancel->colWidth(c), cancelWidths[c], 15) << c;
    EXPECT_EQ(column(w->grdCancel, 0).first(), QString());
    EXPECT_EQ(w->grdCancel->cellAlignment(0, 2), ui::flexAlignCenterCenter);
    EXPECT_EQ(w->grdCancel->gridRow(), 1);

    ASSERT_EQ(w->grdCharge->rows(), 3);
    EXPECT_EQ(column(w->grdCharge, 1),
              (QStringList{QStringLiteral("Program"), QStringLiteral("Summer"),
                           QStringLiteral("Summer")}));
    EXPECT_EQ(column(w->grdCharge, 0).mid(1),
              (QStringList{QString::number(program), QString::number(program)}));
    EXPECT_EQ(column(w->grdCharge, 2).mid(1),
              (QStringList{QStringLiteral("$45.50"), QStringLiteral("$10.00")}));
    EXPECT_EQ(column(w->grdCharge, 3).mid(1),
              (QStringList{today().addDays(-2).toString(QStringLiteral("dd-MMM-yyyy")),
                           today().toString(QStringLiteral("dd-MMM-yyyy"))}));
    const int chargeWidths[] = {0, 2500, 1000, 1200};
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(w->grdCharge->colWidth(c), chargeWidths[c], 15) << c;
    ovix::test::saveScreenshot(w, QStringLiteral("frmRecurring"));
}

TEST_F(DueWork, ProcessNowCancelsBeforeTodayAndChargesOnceThenCloses)
{
    const qint32 past = pending(today().addDays(-1));
    const qint32 onToday = pending(today());
    const qint32 waiting = pending(today().addDays(-2), QStringLiteral("Waiting"));
    const qint32 confirmed = addBooking(classId, student);
    const qint32 row = addPlanRow(program, today(), vb::Currency(30));

    processNow(open());
    EXPECT_EQ(boxes(), QStringList{QStringLiteral("Success!|Recurring transactions processed "
                                                  "successfully!")});
    EXPECT_EQ(script->shown().first().icon, ui::vbInformation);
    EXPECT_FALSE(windowOpen());
    EXPECT_EQ(status(past), QStringLiteral("Cancelled"));
    EXPECT_EQ(status(waiting), QStringLiteral("Cancelled"));
    EXPECT_EQ(status(onToday), QStringLiteral("Confirmed"));
    // The cancelled booking is not charged; today's pending one still is.
    EXPECT_TRUE(ledger(past).isEmpty());
    EXPECT_EQ(ledger(onToday), QStringList{QStringLiteral("Charge 30/3")});
    EXPECT_EQ(ledger(confirmed), QStringList{QStringLiteral("Charge 30/3")});
    EXPECT_EQ(runFlag(row), 1);

    // The next log-in finds the charge run: nothing is charged again.
    frmRecurring *again = open();
    EXPECT_EQ(again->grdCharge->rows(), 1);
    EXPECT_EQ(again->grdCancel->rows(), 2); // today's pending cancellation
    processNow(again);
    EXPECT_EQ(ledger(confirmed), QStringList{QStringLiteral("Charge 30/3")});
    EXPECT_EQ(status(onToday), QStringLiteral("Confirmed"));
}

TEST_F(DueWork, TheAdjustBoxClearsTheBalanceOfEachCancelledBooking)
{
    const struct
    {
        int owing;
        bool ticked;
        QStringList credit;
        const char *after;
    } cases[] = {
        {50, true, {QStringLiteral("Cancelled -50/-5")}, "0"},
        {50, false, {}, "50"},
        {-30, true, {QStringLiteral("Cancelled 30/3")}, "0"},
        {-30, false, {}, "-30"},
        {0, true, {}, "0"},
    };
    for (const auto &c : cases) {
        const qint32 b = pending(today().addDays(-5));
        QStringList rows;
        if (c.owing != 0) {
            charge(b, vb::Currency(c.owing));
            rows << QStringLiteral("Charge %1/%2").arg(c.owing).arg(c.owing / 10.0);
        }
        EXPECT_EQ(imodEnrolments::ProcessDueCancellations(today(), c.ticked), 1);
        EXPECT_EQ(status(b), QStringLiteral("Cancelled"));
        EXPECT_EQ(ledger(b), rows + c.credit) << c.owing << c.ticked;
        EXPECT_EQ(GetBookingOwing(b).toString(), QString::fromUtf8(c.after)) << c.owing;
    }
    // Through the window: the box decides.
    const qint32 b = pending(today().addDays(-5));
    charge(b, vb::Currency(50));
    frmRecurring *w = open();
    w->chkCancellation->setChecked(true);
    processNow(w);
    EXPECT_EQ(GetBookingOwing(b), vb::Currency());
}

TEST_F(DueWork, PlanRowsChargeEveryConfirmedAndTentativeBookingOfTheProgram)
{
    const qint32 planClass = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Tuesday"),
                                      16, 0, vb::Currency(100), 10, 0,
                                      QStringLiteral("Payment Plan"));
    const qint32 attendanceClass = addClass(program, QStringLiteral("Level 3"),
                                            QStringLiteral("Friday"), 16, 0, vb::Currency(100),
                                            10, 0, QStringLiteral("Attendance"));
    const qint32 confirmed = addBooking(planClass, student);
    const qint32 tentative = addBooking(attendanceClass, student, QStringLiteral("Tentative"));
    const qint32 waiting = addBooking(classId, student, QStringLiteral("Waiting"));
    const qint32 cancelled = addBooking(classId, student, QStringLiteral("Cancelled"));
    const qint32 otherProgram = addProgram(QStringLiteral("Winter"));
    const qint32 elsewhere = addBooking(addClass(otherProgram), student);
    const qint32 empty = addProgram(QStringLiteral("Empty"));
    const qint32 first = addPlanRow(program, today().addDays(-14), vb::Currency(20));
    const qint32 second = addPlanRow(program, today().addDays(-7), vb::Currency(20));
    const qint32 none = addPlanRow(empty, today().addDays(-7), vb::Currency(5));
    const qint32 later = addPlanRow(program, today().addDays(7), vb::Currency(20));

    processNow(open());
    const QStringList twice{QStringLiteral("Charge 20/2"), QStringLiteral("Charge 20/2")};
    EXPECT_EQ(ledger(confirmed), twice);
    EXPECT_EQ(ledger(tentative), twice);
    EXPECT_TRUE(ledger(waiting).isEmpty());
    EXPECT_TRUE(ledger(cancelled).isEmpty());
    EXPECT_TRUE(ledger(elsewhere).isEmpty());
    EXPECT_EQ(runFlag(first), 1);
    EXPECT_EQ(runFlag(second), 1);
    EXPECT_EQ(runFlag(none), 1);
    EXPECT_EQ(runFlag(later), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT TaxCode & '|' & RevenueAccount & '|' & ReceivedFrom "
                                   "FROM Payments WHERE BookingID = %1")
                        .arg(confirmed)),
              QStringLiteral("GST|4-1000|Ann Lee"));
}

TEST_F(DueWork, ProcessLaterChangesNothing)
{
    const qint32 b = pending(today().addDays(-1));
    const qint32 row = addPlanRow(program, today(), vb::Currency(30));
    addBooking(classId, student);
    frmRecurring *w = open();
    w->chkCancellation->setChecked(true);
    w->cmdLater->click();
    flush();
    EXPECT_FALSE(windowOpen());
    EXPECT_EQ(status(b), QStringLiteral("Confirmed"));
    EXPECT_EQ(runFlag(row), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 0);
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(DueWork, ARowRunByAnotherWorkstationIsNotChargedAgain)
{
    const qint32 b = addBooking(classId, student);
    const qint32 row = addPlanRow(program, today(), vb::Currency(30));
    frmRecurring *first = open();
    ASSERT_EQ(first->grdCharge->rows(), 2);

    // Another workstation, on its own connection, charges and marks the row meanwhile.
    {
        jet::Connection other(
            QStringLiteral("Provider=MICROSOFT.JET.OLEDB.4.0;Mode=ReadWrite|Share Deny None;"
                           "Data Source=") +
            dataFile);
        other.open();
        other.beginTrans();
        other.execute(QStringLiteral("INSERT INTO Payments (BookingID, SID, ChargeAmount, "
                                     "ReceiptNo) VALUES (%1, %2, 30, 'Charge')")
                          .arg(b)
                          .arg(student));
        other.execute(QStringLiteral("UPDATE ChargeDate SET Run = 1 WHERE ChargeDateID = %1")
                          .arg(row));
        other.commitTrans();
        other.close();
    }
    EXPECT_TRUE(first->ProcessCharges());
    EXPECT_EQ(ledger(b).size(), 1);
    // The same stale list processed twice charges once.
    exec(QStringLiteral("UPDATE ChargeDate SET Run = 0 WHERE ChargeDateID = %1").arg(row));
    exec(QStringLiteral("DELETE FROM Payments"));
    frmRecurring *w = open();
    EXPECT_TRUE(w->ProcessCharges());
    EXPECT_TRUE(w->ProcessCharges());
    EXPECT_EQ(ledger(b), QStringList{QStringLiteral("Charge 30/3")});
    // A row that fell due after the list was read waits for the next run.
    const qint32 late = addPlanRow(program, today(), vb::Currency(5));
    EXPECT_TRUE(w->ProcessCharges());
    EXPECT_EQ(runFlag(late), 0);
}

TEST_F(DueWork, AFailureMidwayLeavesTheRowDueWithNothingPosted)
{
    const qint32 a = addBooking(classId, student);
    const qint32 b = addBooking(classId, addStudent(QStringLiteral("Bo"), QStringLiteral("Ng")));
    const qint32 row = addPlanRow(program, today().addDays(-1), vb::Currency(30));
    runSqlite(QStringLiteral("CREATE TRIGGER FailSecond BEFORE INSERT ON Payments WHEN "
                             "NEW.BookingID = %1 BEGIN SELECT RAISE(ABORT, 'blocked'); END;")
                  .arg(b)
                  .toUtf8());
    frmRecurring *w = open();
    script->answer(ui::vbOK); // AddCharge's own report
    w->cmdNow->click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown().first().title, QStringLiteral("Error in Adding Charge"));
    EXPECT_TRUE(windowOpen());
    EXPECT_TRUE(ledger(a).isEmpty());
    EXPECT_EQ(runFlag(row), 0);
    EXPECT_EQ(w->grdCharge->rows(), 2);

    // An engine failure marking the row: reported, nothing kept, no success message.
    runSqlite("DROP TRIGGER FailSecond;");
    block(QStringLiteral("ChargeDate"), QStringLiteral("UPDATE"));
    const qint32 due = pending(today().addDays(-1));
    script->answer(ui::vbOK);
    w->cmdNow->click();
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    EXPECT_TRUE(script->shown().last().text.contains(QStringLiteral("Err#")));
    EXPECT_TRUE(ledger(a).isEmpty());
    EXPECT_EQ(runFlag(row), 0);
    // The cancellations ran first and each stands on its own.
    EXPECT_EQ(status(due), QStringLiteral("Cancelled"));
    EXPECT_TRUE(windowOpen());
}

TEST_F(DueWork, ACancellationThatFailsIsLeftPending)
{
    const qint32 b = pending(today().addDays(-1));
    charge(b, vb::Currency(50));
    block(QStringLiteral("Bookings"), QStringLiteral("UPDATE"));
    EXPECT_ANY_THROW(imodEnrolments::ProcessDueCancellations(today(), true));
    EXPECT_EQ(status(b), QStringLiteral("Confirmed"));
    EXPECT_EQ(ledger(b).size(), 1);
}
