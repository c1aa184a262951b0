#include "receiptsfixture.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "core/globaldata.h"
#include "money/imodmoney.h"
#include "money/receipts.h"
#include "money/receipts/frmjournalreceipts.h"
#include "money/receipts/frmreceiptsummary.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "reports/frmrptreceipt.h"
#include "reports/receipt.h"
#include "support/screenshot.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

namespace {

// The authorisation window: keeps the request it was given.
class SummaryPasswordStandIn : public ui::Form
{
    Q_OBJECT
public:
    SummaryPasswordStandIn()
    {
        setObjectName(QStringLiteral("frmPassword"));
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadUp(ui::Form *xf, const QString &strMode, const QString &strExtraInfo)
    {
        requester = xf;
        mode = strMode;
        extra = strExtraInfo;
    }
    ui::Form *requester = nullptr;
    QString mode;
    QString extra = QStringLiteral("unset");
};

class SummaryWindow : public ReceiptsTest
{
protected:
    frmReceiptSummary *show(qint32 paymentId)
    {
        imodMoney::ShowReceiptSummary(paymentId);
        return qobject_cast<frmReceiptSummary *>(ui::Forms::find(QStringLiteral("frmReceiptSummary")));
    }
    // A receipt of three rows under one number.
    QList<qint32> threeRowReceipt()
    {
        QList<qint32> ids;
        for (const char *payer : {"Amy Ng", "Ben Ng", "Cy Ng"}) {
            PaymentRow row;
            row.receiptNo = QStringLiteral("300");
            row.payer = QString::fromLatin1(payer);
            ids << addPayment(row);
        }
        return ids;
    }
    QString authorisedByOfReversals()
    {
        return value(QStringLiteral("SELECT AuthorisedBy FROM Payments WHERE ReceiptNo = 'Reversal'"))
            .toString();
    }
};

TEST_F(SummaryWindow, ShowsTheRowAndItsTexts)
{
    PaymentRow row;
    row.discount = vb::Currency(5);
    row.discountTax = vb::Currency(0.5);
    auto *w = show(addPayment(row));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->caption(), "Receipt Summary");
    EXPECT_EQ(w->cmdDelPayment->text(), "Reverse Payment");
    EXPECT_EQ(w->cmdPrintReceipt->text(), "Print Receipt");
    EXPECT_EQ(w->cmdClose->text(), "OK");
    EXPECT_TRUE(w->cmdInstChange->text().contains(QStringLiteral(">Change...<")));
    // The change of method waits for its window; the receipt window is not registered here.
    EXPECT_FALSE(w->cmdInstChange->isEnabled());
    EXPECT_FALSE(w->cmdPrintReceipt->isEnabled());
    QStringList captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        captions << l->text();
    for (const char *caption : {"Payment #", "BKID", "Date/Time", "Method", "Payee", "Signed By",
                                "Notes:", "Receipt #", "Revenue", "Tax", "Total", "Amount",
                                "Discount:"})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(caption))) << caption;
    EXPECT_EQ(w->txtField[3]->property("text").toString(), "$50.00");
    EXPECT_EQ(w->txtDiscNet->text(), "$5.50");
    for (int hidden : {8, 13, 16})
        EXPECT_TRUE(w->txtField[hidden]->isHidden()) << hidden;
    EXPECT_TRUE(w->cmdDelPayment->isEnabled());
    ovix::test::saveScreenshot(w, QStringLiteral("frmReceiptSummary"));
}

TEST_F(SummaryWindow, ReverseIsOfferedUnlessTheMarkReadsOne)
{
    PaymentRow row;
    row.banked = 1;
    const qint32 reversed = addPayment(row);
    row.banked = 0;
    const qint32 open = addPayment(row);
    auto *w = show(reversed);
    EXPECT_FALSE(w->cmdDelPayment->isEnabled());
    show(open);
    EXPECT_TRUE(w->cmdDelPayment->isEnabled());
    const struct
    {
        const char *mark;
        bool enabled;
    } cases[] = {{"1", false}, {"", true}, {"0", true}, {"11", true}, {"1", false}};
    for (const auto &c : cases) {
        static_cast<QLineEdit *>(w->txtField[8])->setText(QString::fromLatin1(c.mark));
        EXPECT_EQ(w->cmdDelPayment->isEnabled(), c.enabled) << c.mark;
    }
}

TEST_F(SummaryWindow, TheReceiptWideQuestionDecidesWhatIsReversed)
{
    const struct
    {
        const char *name;
        int answer; // 0: no question
        int reversals;
    } cases[] = {{"No reverses the shown row", ui::vbNo, 1},
                 {"Yes reverses every row", ui::vbYes, 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("DELETE FROM Payments"));
        const QList<qint32> ids = threeRowReceipt();
        auto *w = show(ids[1]);
        script->answer(c.answer);
        w->DeletePayment(QStringLiteral("i"));
        EXPECT_EQ(script->shown().last().title, "Question!");
        EXPECT_EQ(script->shown().last().text, imodMoney::ReceiptWideQuestion(3));
        EXPECT_EQ(reversalRows(), c.reversals);
        EXPECT_EQ(banked(ids[1]), 1);
        EXPECT_FALSE(w->cmdDelPayment->isEnabled());
    }
}

TEST_F(SummaryWindow, NoQuestionForAMarkerAnEmptyNumberOrOneRow)
{
    for (const char *receiptNo : {"Charge", "Reversal", "", "77"}) {
        SCOPED_TRACE(receiptNo);
        exec(QStringLiteral("DELETE FROM Payments"));
        PaymentRow row;
        row.receiptNo = QString::fromLatin1(receiptNo);
        const qint32 shown = addPayment(row);
        if (row.receiptNo != QLatin1String("77"))
            addPayment(row); // two rows, but no number
        const int boxes = int(script->shown().size());
        show(shown)->DeletePayment(QStringLiteral("i"));
        EXPECT_EQ(script->shown().size(), boxes);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE ReceiptNo = 'Reversal' AND "
                                       "Amount < 0")),
                  1);
        EXPECT_EQ(banked(shown), 1);
    }
}

TEST_F(SummaryWindow, TheReversingUsersNameSignsTheReversal)
{
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], DeletePayments) VALUES ('BOB', "
                        "'Bob O''Hara', 1)"));
    const struct
    {
        const char *user;
        const char *name;
    } cases[] = {{"bob", "Bob O'Hara"}, {"NOBODY", ""}};
    for (const auto &c : cases) {
        exec(QStringLiteral("DELETE FROM Payments"));
        show(addPayment({}))->DeletePayment(QString::fromLatin1(c.user));
        EXPECT_EQ(authorisedByOfReversals(), QString::fromLatin1(c.name)) << c.user;
    }
}

TEST_F(SummaryWindow, AWholeReceiptAfterASingleReversalSkipsTheReversedRow)
{
    const QList<qint32> ids = threeRowReceipt();
    auto *w = show(ids[0]);
    script->answer(ui::vbNo);
    w->DeletePayment(QStringLiteral("i"));
    show(ids[2]);
    script->answer(ui::vbYes);
    w->DeletePayment(QStringLiteral("i"));
    EXPECT_EQ(reversalRows(), 3);
    for (qint32 id : ids)
        EXPECT_EQ(banked(id), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog WHERE Record = 'PID #%1'").arg(ids[0])), 1);
}

TEST_F(SummaryWindow, AVanishedRowIsReportedAndTheJournalReloads)
{
    const qint32 id = addPayment({});
    auto *w = show(id);
    exec(QStringLiteral("DELETE FROM Payments WHERE PaymentID = %1").arg(id));
    script->answer(ui::vbOK);
    w->DeletePayment(QStringLiteral("i"));
    EXPECT_EQ(script->shown().last().text, "There was an error reversing a payment.");
    EXPECT_EQ(script->shown().last().title, "Oops!");
    EXPECT_EQ(reversalRows(), 0);
    EXPECT_EQ(auditRows(), 1);
    // The journal was loaded, hidden, to take in the reversal.
    auto *journal = ui::Forms::find(QStringLiteral("frmJournalReceipts"));
    ASSERT_NE(journal, nullptr);
    EXPECT_FALSE(journal->isVisible());
}

TEST_F(SummaryWindow, TheJournalShowsTheReversalRowAfterAReversal)
{
    PaymentRow row;
    row.time = QDateTime::currentDateTime().addSecs(-60);
    const qint32 id = addPayment(row);
    auto *journal = ui::Forms::shared<frmJournalReceipts>();
    journal->showForm();
    ASSERT_EQ(journal->List1->count(), 1);
    show(id)->DeletePayment(QStringLiteral("i"));
    EXPECT_EQ(journal->List1->count(), 2);
    EXPECT_TRUE(journal->List1->item(1)->text().endsWith(QStringLiteral("Amy Ng (#%1)").arg(id + 1)));
}

TEST_F(SummaryWindow, TheButtonReversesWithTheRightOrAsksForApproval)
{
    ui::RegisterWindow(QStringLiteral("frmPassword"), [] { return new SummaryPasswordStandIn; });
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], DeletePayments) VALUES ('NORIGHT', "
                        "'No Right', 0)"));
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], DeletePayments) VALUES ('BOSS', "
                        "'The Boss', 1)"));
    Global::CurrentUserId = QStringLiteral("NORIGHT");
    Global::LoadCurrentUserRights();
    const qint32 id = addPayment({});
    auto *w = show(id);
    w->cmdDelPayment_Click();
    auto *password =
        qobject_cast<SummaryPasswordStandIn *>(ui::Forms::find(QStringLiteral("frmPassword")));
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->requester, w);
    EXPECT_EQ(password->mode, "Delete Payment");
    EXPECT_EQ(password->extra, "");
    EXPECT_EQ(reversalRows(), 0);

    // The approving user's ID reaches DeletePayment on the shared summary.
    useraccess::AuthorisationRequest request;
    request.xf = w;
    request.strMode = QStringLiteral("Delete Payment");
    request.userId = QStringLiteral("boss");
    EXPECT_TRUE(useraccess::RunAuthorisedOperation(request));
    EXPECT_EQ(authorisedByOfReversals(), "The Boss");

    // With the right, the signed-in user reverses at once.
    Global::CurrentUserId = QStringLiteral("BOSS");
    Global::LoadCurrentUserRights();
    PaymentRow other;
    other.receiptNo = QStringLiteral("102");
    show(addPayment(other))->cmdDelPayment_Click();
    EXPECT_EQ(reversalRows(), 2);
    Global::CurrentUserId = QStringLiteral("i");
    Global::LoadCurrentUserRights();
}

TEST_F(SummaryWindow, RegisteredByNameWithTheirOperations)
{
    for (const char *name : {"frmReceiptSummary", "frmJournalReceipts"}) {
        EXPECT_TRUE(ui::IsWindowRegistered(QString::fromLatin1(name))) << name;
        // One shared window each.
        EXPECT_EQ(ui::LoadWindowByName(QString::fromLatin1(name)),
                  ui::LoadWindowByName(QString::fromLatin1(name)));
    }
    const struct
    {
        const char *text;
        int index;
    } operations[] = {{"Delete Payment", 26}, {"Receipts Journal", 15}};
    for (const auto &o : operations) {
        const auto *op = useraccess::FindAuthorisedOperation(QString::fromLatin1(o.text));
        ASSERT_NE(op, nullptr) << o.text;
        EXPECT_EQ(op->index, o.index) << o.text;
    }
    useraccess::AuthorisationRequest request;
    request.strMode = QStringLiteral("Receipts Journal");
    request.userId = QStringLiteral("i");
    EXPECT_TRUE(useraccess::RunAuthorisedOperation(request));
    EXPECT_TRUE(ui::Forms::find(QStringLiteral("frmJournalReceipts"))->isVisible());
}

// --- Print Receipt.

class SummaryPrint : public SummaryWindow
{
protected:
    void SetUp() override
    {
        SummaryWindow::SetUp();
        mReports::RegisterReceiptForms();
    }
    QString label(ui::Form *receipt, const char *name)
    {
        QObject *o = receipt->findChild<QObject *>(QString::fromLatin1(name));
        return o ? o->property("text").toString() : QStringLiteral("<none>");
    }
};

TEST_F(SummaryPrint, ACopyNamesEveryRowOfTheReceipt)
{
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const QString odd = QStringLiteral("9'1\"");
    qint32 first = 0;
    for (double amount : {50.0, 30.0}) {
        PaymentRow row;
        row.receiptNo = odd;
        row.booking = addBooking(addClass(program), student);
        row.amount = vb::Currency(amount);
        row.tax = vb::Currency(amount / 11);
        const qint32 id = addPayment(row);
        if (!first)
            first = id;
    }
    auto *w = show(first);
    ASSERT_TRUE(w->cmdPrintReceipt->isEnabled());
    w->cmdPrintReceipt_Click();
    ui::Form *receipt = ui::Forms::find(QStringLiteral("frmRptReceipt"));
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(ui::tag(receipt), "Prerecorded");
    EXPECT_TRUE(receipt->isVisible());
    const QString date = w->txtField[2]->property("text").toString();
    const struct
    {
        const char *label;
        QString text;
    } labels[] = {
        {"lblHeading", "Cash"},
        {"lblMethod", "Cash"},
        {"txtReceivedFrom", "Amy Ng and Amy Ng"},
        {"lblFor", "For Learn to Swim and Learn to Swim Classes"},
        {"lblDate", date},
        {"lblReceiptNo", "Receipt #" + odd},
        {"lblAmount", "Amount Paid $80.00"},
        {"txtStaffName", "Office"},
        {"lblGST", "This includes $7.27 in tax"},
        {"lblOfficeDate", date},
        {"lblOfficeFor", "For Learn to Swim and Learn to Swim Classes"},
        {"lblOfficeAmount", "Amount Paid $80.00"},
        {"lblOfficeReceiptNo", "Receipt #" + odd},
        {"lblGST2", "This includes $7.27 in tax"},
    };
    for (const auto &l : labels)
        EXPECT_EQ(label(receipt, l.label), l.text) << l.label;
    for (const char *mark : {"imgDuplicate", "imgOfficeDuplicate"})
        EXPECT_FALSE(receipt->findChild<QWidget *>(QString::fromLatin1(mark))->isHidden()) << mark;
}

TEST_F(SummaryPrint, DatabaseErrorsOfThePrintAndTheDoubleClickAreReported)
{
    PaymentRow row;
    row.time = QDateTime::currentDateTime().addSecs(-60);
    auto *w = show(addPayment(row));
    auto *journal = ui::Forms::shared<frmJournalReceipts>();
    journal->showForm();
    journal->List1->setCurrentRow(0);
    runSqlite("ALTER TABLE Payments RENAME TO PaymentsGone");
    const struct
    {
        const char *what;
        std::function<void()> click;
        const char *text;
    } cases[] = {
        {"print", [w] { w->cmdPrintReceipt_Click(); },
         "An error occurred while printing the receipt. (Err#"},
        {"double click", [journal] { journal->List1_DblClick(); },
         "The payment could not be shown. (Err#"},
    };
    for (const auto &c : cases) {
        script->answer(ui::vbOK);
        c.click();
        ASSERT_FALSE(script->shown().isEmpty()) << c.what;
        EXPECT_EQ(script->shown().last().title, "Oops!") << c.what;
        EXPECT_TRUE(script->shown().last().text.startsWith(QString::fromLatin1(c.text)))
            << qPrintable(script->shown().last().text);
    }
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmRptReceipt")), nullptr);
    runSqlite("ALTER TABLE PaymentsGone RENAME TO Payments");
}

TEST_F(SummaryPrint, AReceiptNumberWithoutRowsPrintsNothing)
{
    PaymentRow row;
    row.receiptNo = QStringLiteral("55");
    const qint32 id = addPayment(row);
    auto *w = show(id);
    exec(QStringLiteral("UPDATE Payments SET ReceiptNo = '56'"));
    w->cmdPrintReceipt_Click();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmRptReceipt")), nullptr);
    EXPECT_TRUE(script->shown().isEmpty());
}

} // namespace

#include "summary_window_test.moc"
