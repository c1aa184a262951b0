#include "timetable/fixture/timetablefixture.h"

#include "access/signin.h"
#include "core/globaldata.h"
#include "core/passwords.h"
#include "core/sqlquote.h"
#include "money/editors/frmdiscountpicklist.h"
#include "money/moneytables.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "standins.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

class PickListTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        addIncomeAccount();
        program = addProgram(QStringLiteral("Term 1"));
        classId = addClass(program);
        student = addStudent(QStringLiteral("Kim"), QStringLiteral("Day"));
        booking = addBooking(classId, student);
        addEmployee("Ann", "Lee", "ann", 1);
        addEmployee("Bob", "Ray", "bob", 0);
        exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account, Exclude) VALUES ('Ann "
                            "Lee', '1-2000', 0)"));
    }
    void TearDown() override
    {
        Global::CurrentUserId = QStringLiteral("i");
        Global::CurrentUserName.clear();
        TimetableTest::TearDown();
    }

    void addEmployee(const char *first, const char *last, const char *user, int receive)
    {
        const qint32 instructor =
            addInstructor(QString::fromLatin1(first), QString::fromLatin1(last));
        exec(QStringLiteral("UPDATE Instructors SET UserID = '%1' WHERE InstructorID = %2")
                 .arg(QLatin1String(user))
                 .arg(instructor));
        // A hash of few rounds keeps the password checks quick.
        exec(QStringLiteral("INSERT INTO Users (UserID, Name, [Password], ReceivePayments) "
                            "VALUES ('%1', '%2 %3', %4, %5)")
                 .arg(QLatin1String(user), QLatin1String(first), QLatin1String(last),
                      Global::SqlText(Global::HashPassword(QStringLiteral("pw"), 10)))
                 .arg(receive));
    }
    // A discount already granted on the booking.
    void granted(const char *amount, int session)
    {
        exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, DiscountAmount, "
                            "DiscountGST, SessionNo, Banked) VALUES (%1, %2, 'P', %3, 0, %4, 0)")
                 .arg(booking)
                 .arg(student)
                 .arg(QLatin1String(amount))
                 .arg(session));
    }
    frmDiscountPickList *open()
    {
        auto *w = ui::Forms::create<frmDiscountPickList>();
        w->Load(booking);
        w->showForm();
        return w;
    }
    static void pick(frmDiscountPickList *w, const QString &entry)
    {
        const auto items = w->lstDiscounts->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << qPrintable(entry);
        w->lstDiscounts->setCurrentItem(items.first());
    }
    static void type(QLineEdit *box, const QString &text)
    {
        box->setText(text);
        emit box->editingFinished();
    }
    static void approve(frmDiscountPickList *w, const char *name, const char *password)
    {
        w->cboAuthorisedBy->setCurrentText(QString::fromLatin1(name));
        w->txtPassword->setText(QString::fromLatin1(password));
    }
    int discountRows() { return count(QStringLiteral("SELECT * FROM Payments WHERE Type = 'P'")); }
    const ui::ShownDialog &lastBox() const { return script->shown().last(); }

    qint32 program = 0, classId = 0, student = 0, booking = 0;
};

TEST_F(PickListTest, OpensOnTheBooking)
{
    auto *w = open();
    EXPECT_EQ(w->caption(), "Apply Discount");
    EXPECT_EQ(w->lblStudentName->text(), "Kim Day");
    EXPECT_TRUE(w->lblBookingDetails->text().startsWith(QStringLiteral("Term 1 ")));
    ASSERT_EQ(w->lstDiscounts->count(), 7);
    EXPECT_EQ(w->lstDiscounts->currentRow(), 0);
    EXPECT_EQ(w->lstDiscounts->item(0)->text(), "Upfront payment of term (ID#1)");
    EXPECT_EQ(w->txtDetails->text(), "Upfront payment of term");
    EXPECT_EQ(w->txtAmount->text(), "$1.00");
    EXPECT_TRUE(w->chkPool->isChecked());
    EXPECT_EQ(w->lblTotal->text(), "$1.00");
    QStringList employees;
    for (int i = 0; i < w->cboAuthorisedBy->count(); ++i)
        employees << w->cboAuthorisedBy->itemText(i);
    EXPECT_EQ(employees, QStringList({"(none)", "Ann Lee", "Bob Ray"}));
    EXPECT_EQ(w->cboAuthorisedBy->currentText(), "(none)");
    EXPECT_TRUE(w->cboAuthorisedBy->isEnabled());
    EXPECT_TRUE(script->shown().isEmpty());
    ovix::test::saveScreenshot(w, QStringLiteral("frmDiscountPickList"));

    // A stored -4.00 shows as $4.00; a name with a quote is found.
    pick(w, QStringLiteral("Second/third night (ID#3)"));
    EXPECT_EQ(w->txtAmount->text(), "$4.00");
    exec(QStringLiteral("UPDATE Discounts SET DiscountName = 'Mum''s night', Amount = -2.5, "
                        "PoolDiscounts = 0 WHERE DiscountID = 5"));
    auto *again = open();
    pick(again, QStringLiteral("Mum's night (ID#5)"));
    EXPECT_EQ(again->txtDetails->text(), "Mum's night");
    EXPECT_EQ(again->txtAmount->text(), "$2.50");
    EXPECT_FALSE(again->chkPool->isChecked());

    // A discount deleted meanwhile leaves the window as it was.
    exec(QStringLiteral("DELETE FROM Discounts WHERE DiscountID = 4"));
    pick(again, QStringLiteral("Call sick discount (ID#4)"));
    EXPECT_EQ(again->txtDetails->text(), "Mum's night");
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(PickListTest, AFailingSelectionSaysSo)
{
    auto *w = open();
    runSqlite("ALTER TABLE Discounts RENAME TO Gone");
    script->answer(ui::vbOK);
    pick(w, QStringLiteral("4 week block (ID#2)"));
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(lastBox().title, "Oops!");
    EXPECT_EQ(w->txtDetails->text(), "Upfront payment of term");
    EXPECT_TRUE(w->isLoaded());
}

TEST_F(PickListTest, NoEmployeesToApprove)
{
    exec(QStringLiteral("UPDATE Instructors SET UserID = ''"));
    script->answer(ui::vbOK);
    auto *w = open();
    EXPECT_EQ(lastBox().title, "Cannot Process Payments");
    EXPECT_EQ(lastBox().text,
              "You cannot process payments because there are no employees able to process "
              "payments.\r\n\r\nPlease click Search > Employees from the menu bar and create an "
              "employee with a user account that can process payments.");
    EXPECT_EQ(lastBox().icon, ui::vbInformation);
    EXPECT_EQ(w->cboAuthorisedBy->count(), 1);
}

TEST_F(PickListTest, TotalsPoolOverWhatWasGranted)
{
    granted("3", 5);
    granted("0.5", 0);
    auto *w = open();
    EXPECT_EQ(w->lblTotal->text(), "$0.50") << "the first discount: 1.00 - 0.50";
    // Pooling stays ticked: the total waits for the next recalculation.
    pick(w, QStringLiteral("Second/third night (ID#3)"));
    EXPECT_EQ(w->lblTotal->text(), "$0.50");
    type(w->txtAmount, w->txtAmount->text());
    EXPECT_EQ(w->lblTotal->text(), "$3.50") << "the booking as a whole: 4.00 - 0.50";

    type(w->txtSession, QStringLiteral("5"));
    EXPECT_EQ(w->lblTotal->text(), "$1.00");
    granted("1", 5);
    type(w->txtSession, QStringLiteral("5"));
    EXPECT_EQ(w->lblTotal->text(), "$0.00") << "never below 0";

    w->chkPool->setChecked(false);
    EXPECT_EQ(w->lblTotal->text(), "$4.00");
    w->chkPool->setChecked(true);

    // Discount Program: the session box emptied and locked, the booking's discounts count.
    w->chkAllSessions->setChecked(true);
    EXPECT_EQ(w->txtSession->text(), "");
    EXPECT_TRUE(w->txtSession->isReadOnly());
    EXPECT_EQ(w->lblTotal->text(), "$3.50");
    w->chkAllSessions->setChecked(false);
    EXPECT_FALSE(w->txtSession->isReadOnly());

    // Letters: the amount keeps the total; the session counts as 0.
    script->answer(ui::vbOK);
    type(w->txtAmount, QStringLiteral("four"));
    EXPECT_EQ(lastBox().title, "Invalid Amount");
    EXPECT_EQ(lastBox().text, "The amount must be numeric.");
    EXPECT_EQ(w->lblTotal->text(), "$3.50");
    type(w->txtAmount, QStringLiteral("$6.00"));
    script->answer(ui::vbOK);
    type(w->txtSession, QStringLiteral("five"));
    EXPECT_EQ(lastBox().title, "Invalid Session Number");
    EXPECT_EQ(lastBox().text, "The session must be numeric.");
    EXPECT_EQ(w->lblTotal->text(), "$5.50");

    // Saving that session fails, says so, writes nothing and keeps the window.
    const int before = discountRows();
    approve(w, "Ann Lee", "pw");
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().title, "Save Error");
    EXPECT_TRUE(lastBox().text.startsWith(
        QStringLiteral("An error occurred when saving the discount.\r\n\r\nErr #")));
    EXPECT_EQ(discountRows(), before);
    EXPECT_TRUE(w->isLoaded());
}

TEST_F(PickListTest, WritesTheRowColumnByColumn)
{
    granted("4", 5);
    auto *w = open();
    pick(w, QStringLiteral("Second/third night (ID#3)"));
    type(w->txtSession, QStringLiteral("5"));
    ASSERT_EQ(w->lblTotal->text(), "$0.00");
    approve(w, "Ann Lee", "pw");
    w->cmdOK_Click();
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_FALSE(ui::Forms::all().contains(w)) << "the window closes";
    const QString row = QStringLiteral(" FROM Payments WHERE Notes = 'Second/third night'");
    ASSERT_EQ(count(QStringLiteral("SELECT *") + row), 1) << "a zero discount is still written";
    const struct
    {
        const char *column;
        QVariant expected;
    } columns[] = {
        {"BookingID", booking},
        {"Amount", 0},
        {"Method", "Second/third night"},
        {"ReceivedFrom", "Kim Day"},
        {"AuthorisedBy", "Ann Lee"},
        {"Banked", 0},
        {"Type", "P"},
        {"ReceiptNo", ""},
        {"DiscountAmount", 0},
        {"RevenueAccount", "4-1000"},
        {"GSTCollected", 0},
        {"RevenueAmount", 0},
        {"DepositAccount", "1-2000"},
        {"DiscountGST", 0},
        {"TaxCode", "GST"},
        {"SID", student},
        {"AttendanceID", 0},
        {"ChargeAmount", 0},
        {"ChargeGST", 0},
        {"PassportFee", 0},
        {"SessionNo", 5},
    };
    for (const auto &c : columns)
        EXPECT_EQ(value(QStringLiteral("SELECT ") + QLatin1String(c.column) + row).toString(),
                  c.expected.toString())
            << c.column;
    EXPECT_EQ(value(QStringLiteral("SELECT [Date]") + row).toDateTime().date(),
              QDate::currentDate());
    EXPECT_EQ(value(QStringLiteral("SELECT [Time]") + row).toDateTime().date(),
              QDate::currentDate());
}

TEST_F(PickListTest, BookingWideDiscountCountsAtOnce)
{
    exec(QStringLiteral("UPDATE Programs SET TaxCode = ''"));
    auto *w = open();
    pick(w, QStringLiteral("Second/third night (ID#3)"));
    type(w->txtAmount, w->txtAmount->text());
    approve(w, "Ann Lee", "pw");
    w->cmdOK_Click();
    EXPECT_EQ(value(QStringLiteral("SELECT SessionNo FROM Payments WHERE Type = 'P'")).toInt(), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT TaxCode FROM Payments WHERE Type = 'P'")).toString(),
              "FRE")
        << "the centre's default tax code";
    EXPECT_EQ(moneytables::GetBookingDiscounts(booking), vb::Currency(4));
    auto *next = open();
    pick(next, QStringLiteral("Second/third night (ID#3)"));
    type(next->txtAmount, next->txtAmount->text());
    EXPECT_EQ(next->lblTotal->text(), "$0.00");
}

TEST_F(PickListTest, ApprovalIsChecked)
{
    const struct
    {
        const char *name, *password, *title, *text;
        int icon;
    } refusals[] = {
        {"(none)", "", "Who was it?",
         "You have not chosen an authorising employee. Please select your name from the list.",
         ui::vbExclamation},
        {"Ann Lee", "wrong", "Access Denied",
         "The password you have entered is incorrect. Please try again.", ui::vbExclamation},
        {"Bob Ray", "pw", "Access Denied",
         "The employee does not have the appropriate permissions to receive payments. Please "
         "adjust their permissions from the Employee Details screen.",
         ui::vbCritical},
    };
    auto *w = open();
    for (const auto &r : refusals) {
        SCOPED_TRACE(r.name);
        approve(w, r.name, r.password);
        script->answer(ui::vbOK);
        w->cmdOK_Click();
        EXPECT_EQ(lastBox().title, r.title);
        EXPECT_EQ(lastBox().text, r.text);
        EXPECT_EQ(lastBox().icon, r.icon);
        EXPECT_EQ(discountRows(), 0);
        EXPECT_TRUE(w->isLoaded());
    }
    // Only the refused password is emptied; one box each (the password check is silent).
    EXPECT_EQ(script->shown().size(), 3);
    approve(w, "Ann Lee", "wrong");
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(w->txtPassword->text(), "");
}

TEST_F(PickListTest, SignedInEmployeeApprovesWithoutPassword)
{
    struct
    {
        const char *user, *name;
        bool writes;
    } cases[] = {{"ann", "Ann Lee", true}, {"bob", "Bob Ray", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user);
        Global::CurrentUserId = QString::fromLatin1(c.user);
        Global::CurrentUserName = QString::fromLatin1(c.name);
        auto *w = open();
        EXPECT_EQ(w->cboAuthorisedBy->currentText(), c.name);
        EXPECT_FALSE(w->cboAuthorisedBy->isEnabled());
        EXPECT_TRUE(w->txtPassword->isReadOnly());
        if (!c.writes)
            script->answer(ui::vbOK); // the right is still checked
        w->cmdOK_Click();
        EXPECT_EQ(discountRows(), 1);
        if (!c.writes) {
            EXPECT_EQ(lastBox().icon, ui::vbCritical);
            w->unload();
        }
    }
}

TEST_F(PickListTest, RefreshesTheWindowsOfTheBooking)
{
    const qint32 otherStudent = addStudent(QStringLiteral("Lou"), QStringLiteral("Ng"));
    BookingWindowStandIn *windows[] = {
        new BookingWindowStandIn(QStringLiteral("frmViewClass"), classId),
        new BookingWindowStandIn(QStringLiteral("frmViewClass"), classId + 1),
        new BookingWindowStandIn(QStringLiteral("frmStudentDetails"), student),
        new BookingWindowStandIn(QStringLiteral("frmStudentDetails"), otherStudent),
    };
    for (auto *f : windows)
        f->load();
    auto *w = open();
    approve(w, "Ann Lee", "pw");
    w->cmdOK_Click();
    EXPECT_EQ(windows[0]->calls, QStringList({"Load_Students"}));
    EXPECT_TRUE(windows[1]->calls.isEmpty());
    EXPECT_EQ(windows[2]->calls, QStringList({"Load_LTS_History"}));
    EXPECT_TRUE(windows[3]->calls.isEmpty());
}

} // namespace
