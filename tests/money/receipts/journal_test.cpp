#include "receiptsfixture.h"

#include "core/centresettings.h"
#include "money/imodmoney.h"
#include "money/receipts.h"
#include "money/receipts/frmjournalreceipts.h"
#include "money/receipts/frmreceiptsummary.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "support/screenshot.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class Journal : public ReceiptsTest
{
protected:
    frmJournalReceipts *open()
    {
        auto *w = ui::Forms::shared<frmJournalReceipts>();
        w->showForm();
        return w;
    }
    static QString typed(const QDate &date) { return vb::Format(QDateTime(date, QTime()), Global::DateFormat); }
    static QStringList lines(QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

TEST_F(Journal, TheRangeTakesWholeDaysAndEveryPaymentRow)
{
    const QDate first(2026, 1, 1), last(2026, 1, 31);
    const struct
    {
        QDateTime time;
        const char *type;
        const char *receiptNo;
        bool listed;
    } rows[] = {
        {QDateTime(first, QTime(0, 0)), "P", "1", true},
        {QDateTime(last, QTime(23, 59, 59)), "P", "2", true},
        {QDateTime(last.addDays(1), QTime(0, 0)), "P", "3", false},
        {QDateTime(first.addDays(-1), QTime(23, 59)), "P", "4", false},
        {QDateTime(QDate(2026, 1, 10), QTime(9, 0)), "P", "Reversal", true},
        {QDateTime(QDate(2026, 1, 10), QTime(9, 0)), "C", "Charge", false},
    };
    QStringList expected;
    for (const auto &r : rows) {
        PaymentRow row;
        row.time = r.time;
        row.type = QString::fromLatin1(r.type);
        row.receiptNo = QString::fromLatin1(r.receiptNo);
        row.payer = QStringLiteral("Payer ") + row.receiptNo;
        const qint32 id = addPayment(row);
        if (r.listed)
            expected << vb::CStr(QVariant(r.time)) + QStringLiteral(" - ") + row.payer +
                            QStringLiteral(" (#%1)").arg(id);
    }
    auto *w = open();
    w->txtDateFrom->setText(typed(first));
    w->txtDateTo->setText(typed(last));
    w->cmdShow_Click();
    EXPECT_EQ(lines(w->List1), expected);
    EXPECT_EQ(w->lblStatus->text(), "3 payments matching the criteria were found");

    // From after to: nothing.
    w->txtDateFrom->setText(typed(last));
    w->txtDateTo->setText(typed(first));
    w->cmdShow_Click();
    EXPECT_EQ(w->List1->count(), 0);
    EXPECT_EQ(w->lblStatus->text(), "0 payments matching the criteria were found");
}

TEST_F(Journal, LoadsOnThisMonthAndRefusesDatesThatAreNone)
{
    PaymentRow today;
    today.time = QDateTime::currentDateTime().addSecs(-5);
    addPayment(today);
    auto *w = open();
    EXPECT_EQ(w->caption(), "Receipts Journal");
    const QDate now = QDate::currentDate();
    EXPECT_EQ(w->txtDateFrom->text(), typed(QDate(now.year(), now.month(), 1)));
    EXPECT_EQ(w->txtDateTo->text(), typed(now));
    EXPECT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->cmdShow->text(), "Display");
    EXPECT_EQ(w->Command1->text(), "View or Print");
    EXPECT_FALSE(w->Command1->isEnabled()); // until the report options window is registered
    QStringList captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        captions << l->text();
    for (const char *caption : {"Dated from:", "to", "Receipts Journal"})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(caption))) << caption;
    ovix::test::saveScreenshot(w, QStringLiteral("frmJournalReceipts"));

    const QString status = w->lblStatus->text();
    for (const char *bad : {"", "31/02/2026", "soon"}) {
        w->txtDateTo->setText(QString::fromLatin1(bad));
        script->answer(ui::vbOK);
        w->cmdShow_Click();
        EXPECT_EQ(script->shown().last().text, "The dates you entered are invalid.") << bad;
        EXPECT_EQ(script->shown().last().title, "Oops!");
        EXPECT_EQ(w->List1->count(), 0);
        EXPECT_EQ(w->lblStatus->text(), status);
    }
}

TEST_F(Journal, EachLineOpensItsOwnRow)
{
    PaymentRow row;
    row.time = QDateTime(QDate::currentDate(), QTime(0, 0, 1));
    const qint32 a = addPayment(row);
    row.receiptNo = QStringLiteral("102");
    const qint32 b = addPayment(row);
    auto *w = open();
    ASSERT_EQ(w->List1->count(), 2);
    // A double click on no line does nothing.
    w->List1->setCurrentRow(-1);
    w->List1_DblClick();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmReceiptSummary")), nullptr);
    for (int line : {1, 0}) {
        w->List1->setCurrentRow(line);
        w->List1_DblClick();
        auto *summary = qobject_cast<frmReceiptSummary *>(
            ui::Forms::find(QStringLiteral("frmReceiptSummary")));
        ASSERT_NE(summary, nullptr);
        EXPECT_EQ(summary->txtField[0]->property("text").toString(),
                  QString::number(line == 0 ? a : b));
        EXPECT_EQ(summary->txtField[11]->property("text").toString(), line == 0 ? "101" : "102");
    }
    // A line whose row is gone opens nothing new.
    exec(QStringLiteral("DELETE FROM Payments WHERE PaymentID = %1").arg(b));
    w->List1->setCurrentRow(1);
    w->List1_DblClick();
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(Journal, TheLineCarriesItsPaymentId)
{
    const struct
    {
        const char *line;
        qint32 id;
    } cases[] = {{"5/03/2026 10:15:00 AM - Amy (#12) Ng (#345)", 345},
                 {"5/03/2026 - Amy Ng (#)", 0},
                 {"", 0},
                 {"Amy Ng (#12) ", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(imodMoney::JournalLinePaymentId(QString::fromLatin1(c.line)), c.id) << c.line;
}

} // namespace
