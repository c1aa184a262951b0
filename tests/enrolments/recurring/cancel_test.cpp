#include "duework.h"

#include "access/authorisation.h"
#include "core/globaldata.h"
#include "enrolments/cancellation.h"
#include "enrolments/imodenrolments.h"
#include "enrolments/recurring/frmcanceldialog.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "support/screenshot.h"
#include "timetable/classes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using imodEnrolments::GetBookingOwing;

namespace {

class CancelDialog : public DueWorkTest
{
protected:
    void SetUp() override
    {
        DueWorkTest::SetUp();
        booking = addBooking(classId, student);
        charge(booking, vb::Currency(120));
        opener = new OpenerStandIn;
        opener->load();
    }
    frmCancelDialog *open(qint32 bookingId)
    {
        ui::Form *dialog = ui::LoadWindowByName(QStringLiteral("frmCancelDialog"));
        auto *cancel = qobject_cast<frmCancelDialog *>(dialog);
        cancel->LoadCancellation(bookingId, opener);
        return cancel;
    }
    bool dialogOpen() { return ui::Forms::find(QStringLiteral("frmCancelDialog")) != nullptr; }
    qint32 booking = 0;
    OpenerStandIn *opener = nullptr;
};

QStringList texts(QWidget *window)
{
    QStringList out;
    for (const QLabel *label : window->findChildren<QLabel *>())
        out << label->text();
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        out << button->text();
    return out;
}

} // namespace

TEST_F(CancelDialog, ShowsTheBookingWithItsTextsAndMoney)
{
    frmCancelDialog *w = open(booking);
    EXPECT_EQ(w->caption(), QStringLiteral("Cancellation Options"));
    const QStringList shown = texts(w);
    for (const char *text :
         {"Cancel Student", "Money Outstanding",
          "Do you want to adjust the student's balance to reflect this cancellation?",
          "Cancel the Student Immediately", "Notify of Cancellation on a Future Date",
          "Cancel On:", "Reason for Cancellation", "Current Balance:", "Enter Discount:",
          "New Balance:", "Process", "Clear Bal", "Don't Cancel"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(w->lblMessage->text().startsWith(
        QStringLiteral("You have chosen to cancel Ann Lee from ")));
    EXPECT_TRUE(w->lblMessage->text().endsWith(imodClasses::GetBookingClassCaption(booking)));
    EXPECT_EQ(w->lblBalance->text(), QStringLiteral("$120.00"));
    EXPECT_EQ(w->txtDiscount->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(w->lblNewBalance->text(), QStringLiteral("$120.00"));
    EXPECT_TRUE(w->optImmediate->isChecked());
    EXPECT_TRUE(w->txtDate->isHidden());
    EXPECT_TRUE(w->Label3->isHidden());
    EXPECT_EQ(w->txtReason->maxLength(), 255);
    w->optFuture->setChecked(true);
    EXPECT_FALSE(w->txtDate->isHidden());
    EXPECT_FALSE(w->Label3->isHidden());
    ovix::test::saveScreenshot(w, QStringLiteral("frmCancelDialog"));
    w->optImmediate->setChecked(true);
    EXPECT_TRUE(w->txtDate->isHidden());
}

TEST_F(CancelDialog, NewBalanceFollowsTheDiscountInEveryMoneyForm)
{
    charge(booking, vb::Currency(1114.50)); // owes 1,234.50
    frmCancelDialog *w = open(booking);
    EXPECT_EQ(w->lblBalance->text(), QStringLiteral("$1,234.50"));
    const struct
    {
        const char *typed, *newBalance, *afterLeaving;
    } cases[] = {
        {"$1,234.50", "$0.00", "$1,234.50"}, {"-$3.00", "$1,237.50", "-$3.00"},
        {"0", "$1,234.50", "$0.00"},         {"34.5", "$1,200.00", "$34.50"},
        {"abc", "#Err", "abc"},              {"", "#Err", ""},
    };
    for (const auto &c : cases) {
        w->txtDiscount->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(w->lblNewBalance->text(), QString::fromUtf8(c.newBalance)) << c.typed;
        w->txtDiscount_LostFocus();
        EXPECT_EQ(w->txtDiscount->text(), QString::fromUtf8(c.afterLeaving)) << c.typed;
    }
    w->lblBalance->setText(QStringLiteral("n/a"));
    w->txtDiscount->setText(QStringLiteral("1"));
    EXPECT_EQ(w->lblNewBalance->text(), QStringLiteral("#Err"));
}

TEST_F(CancelDialog, ProcessCancelsNowWithTheCreditTheDiscountAsks)
{
    const struct
    {
        const char *discount;
        bool clear;
        QStringList credit; // the rows after the charge of 120/12
        const char *owing;
    } cases[] = {
        {"$0.00", false, {}, "120"},
        {"0", false, {}, "120"},
        {"", true, {QStringLiteral("Cancelled -120/-12")}, "0"},
        {"-20", false, {QStringLiteral("Cancelled 20/2")}, "140"},
        {"$1,000.00", false, {QStringLiteral("Cancelled -1000/-100")}, "-880"},
    };
    for (const auto &c : cases) {
        const qint32 b = addBooking(classId, student);
        charge(b, vb::Currency(120));
        frmCancelDialog *w = open(b);
        w->txtDiscount->setText(QString::fromUtf8(c.discount));
        if (c.clear) {
            w->cmdClear->click();
            EXPECT_EQ(w->txtDiscount->text(), QStringLiteral("$120.00"));
            EXPECT_EQ(w->lblNewBalance->text(), QStringLiteral("$0.00"));
        }
        const int before = opener->finished;
        w->cmdNow->click();
        EXPECT_EQ(status(b), QStringLiteral("Cancelled")) << c.discount;
        EXPECT_EQ(ledger(b), QStringList{QStringLiteral("Charge 120/12")} + c.credit) << c.discount;
        EXPECT_EQ(GetBookingOwing(b).toString(), QString::fromUtf8(c.owing)) << c.discount;
        EXPECT_EQ(opener->finished, before + 1) << c.discount;
        EXPECT_FALSE(dialogOpen());
        flush();
    }
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(CancelDialog, TheCreditRowCarriesEveryColumn)
{
    const QDate day = QDate::currentDate();
    imodEnrolments::AddCancellationCredit(booking, student, program, vb::Currency(120));
    jet::Recordset rs(Global::DbConnection(),
                      QStringLiteral("SELECT Payments.* FROM Payments WHERE BookingID = %1 AND "
                                     "ReceiptNo = 'Cancelled'")
                          .arg(booking));
    ASSERT_FALSE(rs.eof());
    const QVariantList expected = {
        QVariant(), booking, QVariant(), 0, "", "Ann Lee", "Ovix", QVariant(), 0, "C", "",
        "Cancelled", 0, "4-1000", 0, 0, "", 0, "GST", student, 0, -120, -12, 0, 0};
    ASSERT_EQ(rs.fieldCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        if (!expected[i].isValid())
            continue;
        const QVariant got = rs.value(i);
        if (expected[i].typeId() == QMetaType::QString)
            EXPECT_EQ(vb::CStr(vb::Nz(got)), expected[i].toString()) << i;
        else
            EXPECT_EQ(vb::CCur(vb::Nz(got, 0)), vb::CCur(expected[i])) << i;
    }
    EXPECT_EQ(vb::CDate(rs.value(7)).date(), day);
    EXPECT_FALSE(rs.value(2).isNull());
}

TEST_F(CancelDialog, AOneOffClassTakesTheDefaultTaxCodeWithoutAccountOrTax)
{
    const qint32 oneOff = addClass(0);
    const qint32 b = addBooking(oneOff, student);
    frmCancelDialog *w = open(b);
    w->txtDiscount->setText(QStringLiteral("$50.00"));
    w->cmdNow->click();
    EXPECT_EQ(ledger(b), QStringList{QStringLiteral("Cancelled -50/0")});
    EXPECT_EQ(value(QStringLiteral("SELECT TaxCode FROM Payments WHERE BookingID = %1").arg(b)),
              QStringLiteral("FRE"));
    EXPECT_EQ(value(QStringLiteral("SELECT RevenueAccount FROM Payments WHERE BookingID = %1")
                        .arg(b))
                  .toString(),
              QString());
}

TEST_F(CancelDialog, AFutureDateKeepsTheStatusAndReplacesTheNotes)
{
    exec(QStringLiteral("UPDATE Bookings SET Notes = 'old notes', CancelReason = 'earlier' "
                        "WHERE BookingID = %1")
             .arg(booking));
    const qint32 second = addBooking(classId, student, QStringLiteral("Tentative"));
    const struct
    {
        qint32 booking;
        const char *date, *reason, *storedReason;
        QDate stored;
    } cases[] = {
        {booking, "05/03/2026", "Moving away", "Moving away", QDate(2026, 3, 5)},
        // Today and the past are accepted; an empty reason keeps the earlier one.
        {second, "1/1/2020", "", "", QDate(2020, 1, 1)},
    };
    for (const auto &c : cases) {
        const QString before = status(c.booking);
        frmCancelDialog *w = open(c.booking);
        w->optFuture->setChecked(true);
        w->txtDate->setText(QString::fromUtf8(c.date));
        w->txtReason->setText(QString::fromUtf8(c.reason));
        w->cmdNow->click();
        EXPECT_EQ(status(c.booking), before);
        EXPECT_EQ(vb::CDate(value(QStringLiteral("SELECT CancelDate FROM Bookings WHERE "
                                                 "BookingID = %1")
                                      .arg(c.booking)))
                      .date(),
                  c.stored);
        EXPECT_EQ(value(QStringLiteral("SELECT Notes FROM Bookings WHERE BookingID = %1")
                            .arg(c.booking)),
                  QStringLiteral("This booking will be cancelled on ") +
                      c.stored.toString(QStringLiteral("dd-MMM-yyyy")));
        flush();
    }
    EXPECT_EQ(value(QStringLiteral("SELECT CancelReason FROM Bookings WHERE BookingID = %1")
                        .arg(booking)),
              QStringLiteral("Moving away"));
    EXPECT_TRUE(value(QStringLiteral("SELECT CancelReason FROM Bookings WHERE BookingID = %1")
                          .arg(second))
                    .isNull());
    EXPECT_EQ(value(QStringLiteral("SELECT Notes FROM Bookings WHERE BookingID = %1").arg(booking)),
              QStringLiteral("This booking will be cancelled on 05-Mar-2026"));
    EXPECT_EQ(opener->finished, 2);
}

TEST_F(CancelDialog, ProcessRefusesAnInvalidDiscountOrDate)
{
    const struct
    {
        const char *discount, *date, *title, *text;
        int icon;
    } cases[] = {
        {"", "", "Not Valid", "The amount you entered is invalid.", ui::vbInformation},
        {"abc", "", "Not Valid", "The amount you entered is invalid.", ui::vbInformation},
        {"$0.00", "31/02/2026", "Oops!",
         "The date you entered is invalid. Please check and try again.", ui::vbExclamation},
        {"$0.00", "", "Oops!", "The date you entered is invalid. Please check and try again.",
         ui::vbExclamation},
    };
    frmCancelDialog *w = open(booking);
    w->optFuture->setChecked(true);
    for (const auto &c : cases) {
        script->answer(ui::vbOK);
        w->txtDiscount->setText(QString::fromUtf8(c.discount));
        w->txtDate->setText(QString::fromUtf8(c.date));
        w->cmdNow->click();
        ASSERT_FALSE(script->shown().isEmpty());
        EXPECT_EQ(script->shown().last().title, QString::fromUtf8(c.title));
        EXPECT_EQ(script->shown().last().text, QString::fromUtf8(c.text));
        EXPECT_EQ(script->shown().last().icon, c.icon);
        EXPECT_TRUE(dialogOpen());
        EXPECT_EQ(w->txtDate->text(), QString::fromUtf8(c.date));
    }
    // With the immediate option the date box is not looked at.
    w->optImmediate->setChecked(true);
    w->txtDiscount->setText(QStringLiteral("0"));
    w->cmdNow->click();
    EXPECT_EQ(status(booking), QStringLiteral("Cancelled"));
    EXPECT_EQ(opener->finished, 1);
    EXPECT_EQ(ledger(booking).size(), 1);
}

TEST_F(CancelDialog, ARecordedDateSelectsTheFutureOptionAndCancellingNowKeepsIt)
{
    exec(QStringLiteral("UPDATE Bookings SET CancelDate = #2026-03-05# WHERE BookingID = %1")
             .arg(booking));
    frmCancelDialog *w = open(booking);
    EXPECT_TRUE(w->optFuture->isChecked());
    EXPECT_EQ(w->txtDate->text(), QStringLiteral("5/03/2026"));
    EXPECT_FALSE(w->txtDate->isHidden());
    w->optImmediate->setChecked(true);
    w->cmdNow->click();
    EXPECT_EQ(status(booking), QStringLiteral("Cancelled"));
    EXPECT_EQ(vb::CDate(value(QStringLiteral("SELECT CancelDate FROM Bookings WHERE BookingID = %1")
                                  .arg(booking)))
                  .date(),
              QDate(2026, 3, 5));
}

TEST_F(CancelDialog, ASecondLoadRetargetsTheOpenDialog)
{
    const qint32 other = addBooking(classId, addStudent(QStringLiteral("Bo"), QStringLiteral("Ng")));
    frmCancelDialog *w = open(booking);
    w->txtReason->setText(QStringLiteral("kept"));
    w->txtDiscount->setText(QStringLiteral("5"));
    OpenerStandIn second(QStringLiteral("frmViewClass"));
    second.load();
    ui::Form *again = ui::LoadWindowByName(QStringLiteral("frmCancelDialog"));
    ASSERT_EQ(again, w);
    w->LoadCancellation(other, &second);
    EXPECT_EQ(w->bookingId(), other);
    EXPECT_TRUE(w->lblMessage->text().contains(QStringLiteral("Bo Ng")));
    EXPECT_EQ(w->lblBalance->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(w->txtDiscount->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(w->txtReason->text(), QStringLiteral("kept"));
    w->cmdNow->click();
    EXPECT_EQ(second.finished, 1);
    EXPECT_EQ(opener->finished, 0);
    EXPECT_EQ(status(other), QStringLiteral("Cancelled"));
    EXPECT_EQ(status(booking), QStringLiteral("Confirmed"));
    second.unload();
}

TEST_F(CancelDialog, AReasonIsStoredAsTyped)
{
    const QString reason = QStringLiteral("O'Brien said \"no\"; #1 <b>&amp;</b> -- ' OR 1=1");
    frmCancelDialog *w = open(booking);
    w->txtReason->setText(reason);
    w->cmdNow->click();
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(value(QStringLiteral("SELECT CancelReason FROM Bookings WHERE BookingID = %1")
                        .arg(booking)),
              reason);
}

TEST_F(CancelDialog, AFailingBookingWriteKeepsNothingAndTheDialogOpen)
{
    block(QStringLiteral("Bookings"), QStringLiteral("UPDATE"));
    frmCancelDialog *w = open(booking);
    w->cmdClear->click();
    script->answer(ui::vbOK);
    w->cmdNow->click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown().first().title, QStringLiteral("Oops!"));
    EXPECT_TRUE(script->shown().first().text.contains(QStringLiteral("Err#")));
    EXPECT_EQ(ledger(booking), QStringList{QStringLiteral("Charge 120/12")});
    EXPECT_EQ(status(booking), QStringLiteral("Confirmed"));
    EXPECT_TRUE(dialogOpen());
    EXPECT_EQ(opener->finished, 0);
    EXPECT_EQ(w->txtDiscount->text(), QStringLiteral("$120.00"));
}

TEST_F(CancelDialog, DontCancelClosesWithoutSaving)
{
    frmCancelDialog *w = open(booking);
    w->txtDiscount->setText(QStringLiteral("10"));
    w->cmdCancel->click();
    flush();
    EXPECT_FALSE(dialogOpen());
    EXPECT_EQ(status(booking), QStringLiteral("Confirmed"));
    EXPECT_EQ(ledger(booking).size(), 1);
    EXPECT_EQ(opener->finished, 0);
    // A fresh dialog starts on the immediate option with empty boxes.
    frmCancelDialog *fresh = open(booking);
    EXPECT_TRUE(fresh->optImmediate->isChecked());
    EXPECT_TRUE(fresh->txtReason->text().isEmpty());
}

TEST_F(CancelDialog, TheApprovedOperationOpensTheDialogForTheRequester)
{
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmCancelDialog")));
    const auto *operation = useraccess::FindAuthorisedOperation(QStringLiteral("Cancel Booking"));
    ASSERT_NE(operation, nullptr);
    useraccess::AuthorisationRequest request;
    request.xf = opener;
    request.strMode = QStringLiteral("Cancel Booking");
    request.strExtraInfo = QString::number(booking);
    request.userId = QStringLiteral("i");
    operation->action(request);
    auto *w = qobject_cast<frmCancelDialog *>(ui::Forms::find(QStringLiteral("frmCancelDialog")));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->bookingId(), booking);
    w->cmdNow->click();
    EXPECT_EQ(opener->finished, 1);
}
