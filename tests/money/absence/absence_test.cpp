#include "money/absence/frmabsentrec.h"
#include "money/absence/register.h"

#include "access/signin.h"
#include "core/globaldata.h"
#include "core/passwords.h"
#include "core/sqlquote.h"
#include "enrolments/enrolling.h"
#include "enrolments/fixture/enrolmentsfixture.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "support/screenshot.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

const QString trickyPassword = QStringLiteral("a'b\"c#;d");

class LateStarter : public AttendanceTest
{
protected:
    void SetUp() override
    {
        AttendanceTest::SetUp();
        addIncomeAccount();
        money::RegisterAbsenceDiscountWindow();
        addEmployee(QStringLiteral("Pat"), QStringLiteral("Kerr"), QStringLiteral("PAT"),
                    trickyPassword);
        addEmployee(QStringLiteral("Ann"), QStringLiteral("Bell"), QStringLiteral("ANN"),
                    QStringLiteral("pw"));
        addInstructor(QStringLiteral("No"), QStringLiteral("Account")); // no user: not listed
        program = addProgram(QStringLiteral("Term 1"));
        klass = addClass(program);
        // Two students of one name: the discount belongs to the booked one, the second.
        addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        booking = addBooking(klass, student);
    }
    void TearDown() override
    {
        ui::RegisterWindow(QStringLiteral("frmAbsentRec"), {});
        Global::CurrentUserName.clear();
        AttendanceTest::TearDown();
    }

    void addEmployee(const QString &first, const QString &last, const QString &user,
                     const QString &password)
    {
        const qint32 instructor = addInstructor(first, last);
        exec(QStringLiteral("UPDATE Instructors SET UserID = %1 WHERE InstructorID = %2")
                 .arg(Global::SqlText(user))
                 .arg(instructor));
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password]) VALUES (%1, %2, %3)")
                 .arg(Global::SqlText(user), Global::SqlText(first + QLatin1Char(' ') + last),
                      Global::SqlText(Global::HashPassword(password, 10))));
    }
    // Signs in as the user and opens the window on the booking, as its callers do.
    frmAbsentRec *open(const QString &userId = QStringLiteral("i"),
                       const QString &userName = QString())
    {
        Global::CurrentUserId = userId;
        Global::CurrentUserName = userName;
        auto *w = qobject_cast<frmAbsentRec *>(ui::LoadWindowByName(QStringLiteral("frmAbsentRec")));
        w->showForm();
        w->Init(booking);
        return w;
    }
    static QStringList items(QComboBox *box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    // The booking's ledger rows: "charge/tax account code SID".
    QStringList rows()
    {
        QStringList out;
        jet::Recordset rs(Global::DbConnection(),
                          QStringLiteral("SELECT ChargeAmount, ChargeGST, RevenueAccount, TaxCode, "
                                         "SID, Type FROM Payments WHERE BookingID = %1 ORDER BY "
                                         "PaymentID")
                              .arg(booking));
        for (; !rs.eof(); rs.moveNext())
            out << QStringLiteral("%1/%2 %3 %4 %5 %6")
                       .arg(vb::CCur(rs.value(0)).toString(), vb::CCur(rs.value(1)).toString(),
                            rs.value(2).toString(), rs.value(3).toString())
                       .arg(rs.value(4).toInt() == student ? QStringLiteral("booked")
                                                           : rs.value(4).toString(),
                            rs.value(5).toString());
        return out;
    }

    qint32 program = 0, klass = 0, student = 0, booking = 0;
};

TEST_F(LateStarter, TheSignedInStaffMemberAuthorisesWithoutAPassword)
{
    const struct
    {
        const char *user, *name;
        const char *chosen;
        bool locked;
    } cases[] = {
        {"i", "Pat Kerr", "(none)", false}, // the default user always gives a password
        {"PAT", "Pat Kerr", "Pat Kerr", true},
        {"SAM", "Sam Nobody", "(none)", false}, // not in the list: silently open
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.user);
        frmAbsentRec *w = open(QString::fromLatin1(k.user), QString::fromLatin1(k.name));
        EXPECT_EQ(items(w->cboAuthorisedBy), (QStringList{"(none)", "Ann Bell", "Pat Kerr"}));
        EXPECT_EQ(w->cboAuthorisedBy->currentText(), QLatin1String(k.chosen));
        EXPECT_EQ(w->cboAuthorisedBy->isEnabled(), !k.locked);
        EXPECT_EQ(w->txtPassword->isReadOnly(), k.locked);
        EXPECT_TRUE(script->shown().isEmpty());
        if (k.locked)
            ovix::test::saveScreenshot(w, QStringLiteral("frmAbsentRec"));
        w->unload();
        flush();
    }
    frmAbsentRec *w = open();
    EXPECT_EQ(w->caption(), QStringLiteral("Late Starter"));
    EXPECT_EQ(w->cmdOK->text(), QStringLiteral("Apply Discount"));
    EXPECT_EQ(w->cmdClose->text(), QStringLiteral("No Discount"));
    QStringList labels;
    for (QLabel *l : w->findChildren<QLabel *>())
        labels << l->text();
    for (const char *text :
         {"Late Starter", "Enter Number of Sessions Absent", "Number of sessions student missed:",
          "Discount Amount:", "Enter Employee Authorisation", "Authorised By:", "Password:"})
        EXPECT_TRUE(labels.contains(QLatin1String(text))) << text;
    EXPECT_EQ(w->lngStudentID, student);
    EXPECT_EQ(w->lngProgramID, program);
}

TEST_F(LateStarter, ApplyDiscountWritesOneChargeRowForTheBookedStudent)
{
    const struct
    {
        const char *amount;
        bool asked;
        int answer;
        QStringList rows;
    } cases[] = {
        {"$30.00", false, 0, {"-30/-3 4-1000 GST booked C"}},
        {"0", true, ui::vbYes, {"0/0 4-1000 GST booked C"}},
        {"-10", true, ui::vbYes, {"10/1 4-1000 GST booked C"}},
        {"-10", true, ui::vbNo, {}},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.amount);
        exec(QStringLiteral("DELETE FROM Payments"));
        frmAbsentRec *w = open(QStringLiteral("PAT"), QStringLiteral("Pat Kerr"));
        const QPointer<frmAbsentRec> watched = w;
        w->txtAmount->setText(QString::fromLatin1(k.amount));
        script.reset();
        script = std::make_unique<ui::DialogScript>();
        if (k.asked)
            script->answer(k.answer);
        w->cmdOK->click();
        flush();
        EXPECT_EQ(rows(), k.rows);
        EXPECT_EQ(script->shown().size(), k.asked ? 1 : 0);
        if (k.asked) {
            EXPECT_EQ(script->shown()[0].title, QStringLiteral("Just check this..."));
            EXPECT_EQ(script->shown()[0].text,
                      QStringLiteral("The amount you entered would result in an increase in "
                                     "fees, not a discount. Are you sure this is okay?"));
        }
        EXPECT_TRUE(watched.isNull()); // closed after the row, and after a No
    }
}

TEST_F(LateStarter, TheBookingsOpenWindowsFollowTheDiscount)
{
    auto *first = new RecordStandIn(QStringLiteral("frmBooking"), booking, QStringLiteral("$100.00"));
    auto *second = new RecordStandIn(QStringLiteral("frmBooking"), booking, QStringLiteral("$45.50"));
    auto *other = new RecordStandIn(QStringLiteral("frmBooking"), booking + 1, QStringLiteral("$100.00"));
    auto *view = new ClassViewStandIn(klass);
    auto *otherView = new ClassViewStandIn(klass + 1);
    for (ui::Form *f : std::initializer_list<ui::Form *>{first, second, other, view, otherView})
        f->load();
    frmAbsentRec *w = open(QStringLiteral("PAT"), QStringLiteral("Pat Kerr"));
    w->txtAmount->setText(QStringLiteral("$30.00"));
    w->cmdOK->click();
    EXPECT_EQ(first->field(3), QStringLiteral("$70.00"));
    EXPECT_EQ(second->field(3), QStringLiteral("$15.50"));
    EXPECT_EQ(other->field(3), QStringLiteral("$100.00"));
    // Every class view reloads its students, whatever class it shows.
    EXPECT_EQ(view->calls, QStringList{QStringLiteral("Load_Students")});
    EXPECT_EQ(otherView->calls, QStringList{QStringLiteral("Load_Students")});
}

TEST_F(LateStarter, TheChosenStaffMemberMustGiveTheirPassword)
{
    const struct
    {
        QString typed;
        bool written;
    } cases[] = {
        {QStringLiteral("wrong"), false},
        {QStringLiteral("x' OR '1'='1"), false},
        {QStringLiteral("#1#; DROP TABLE Payments;"), false},
        {trickyPassword, true},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.typed.toStdString());
        frmAbsentRec *w = open();
        const QPointer<frmAbsentRec> watched = w;
        w->cboAuthorisedBy->setCurrentIndex(w->cboAuthorisedBy->findText(QStringLiteral("Pat Kerr")));
        w->txtAmount->setText(QStringLiteral("30"));
        w->txtPassword->setText(k.typed);
        script.reset();
        script = std::make_unique<ui::DialogScript>();
        if (!k.written)
            script->answer(ui::vbOK);
        w->cmdOK->click();
        flush();
        EXPECT_EQ(rows().size(), k.written ? 1 : 0);
        EXPECT_EQ(watched.isNull(), k.written);
        if (!k.written) {
            ASSERT_EQ(script->shown().size(), 1);
            EXPECT_EQ(script->shown()[0].title, QStringLiteral("Oops!"));
            EXPECT_EQ(script->shown()[0].text,
                      QStringLiteral("The password that you entered was incorrect."));
        }
    }
}

TEST_F(LateStarter, MissingOrWrongInputWritesNothing)
{
    const struct
    {
        const char *amount;
        bool authoriser;
        const char *title;
        const char *text;
    } cases[] = {
        {"", true, "More information required",
         "Please enter an amount to discount and the authorising staff member or click 'No "
         "Discount'"},
        {"30", false, "Select a User", "Please select a username from the list."},
        {"thirty", true, "Something went wrong",
         "An error occurred when applying the discount.\r\nType mismatch (Err#13)"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.title);
        frmAbsentRec *w = open(k.authoriser ? QStringLiteral("PAT") : QStringLiteral("i"),
                               QStringLiteral("Pat Kerr"));
        w->txtAmount->setText(QString::fromLatin1(k.amount));
        script.reset();
        script = std::make_unique<ui::DialogScript>();
        script->answer(ui::vbOK);
        w->cmdOK->click();
        ASSERT_EQ(script->shown().size(), 1);
        EXPECT_EQ(script->shown()[0].title, QLatin1String(k.title));
        EXPECT_EQ(script->shown()[0].text, QLatin1String(k.text));
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(rows().isEmpty());
        w->cmdClose->click();
        flush();
    }
}

TEST_F(LateStarter, AFailureAfterTheRowLeavesNothingAndChangesNoWindow)
{
    auto *good = new RecordStandIn(QStringLiteral("frmBooking"), booking, QStringLiteral("$100.00"));
    auto *bad = new RecordStandIn(QStringLiteral("frmBooking"), booking, QStringLiteral("n/a"));
    good->load();
    bad->load();
    frmAbsentRec *w = open(QStringLiteral("PAT"), QStringLiteral("Pat Kerr"));
    w->txtAmount->setText(QStringLiteral("30"));
    script->answer(ui::vbOK);
    w->cmdOK->click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Something went wrong"));
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(good->field(3), QStringLiteral("$100.00"));
    EXPECT_TRUE(w->isVisible());

    // A row the ledger refuses: said by the ledger, the window stays for another try.
    bad->unload();
    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    script->answer(ui::vbOK);
    w->cmdOK->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Error in Adding Charge"));
    EXPECT_EQ(good->field(3), QStringLiteral("$100.00"));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(LateStarter, TheSessionsTypedWorkOutTheAmount)
{
    frmAbsentRec *w = open(QStringLiteral("PAT"), QStringLiteral("Pat Kerr"));
    QTest::keyClicks(w->txtSessionsMissed, QStringLiteral("3"));
    EXPECT_EQ(w->txtAmount->text(), QStringLiteral("$30.00")); // 100 over 10 sessions
    w->txtSessionsMissed->clear();
    QTest::keyClicks(w->txtSessionsMissed, QStringLiteral("0"));
    EXPECT_EQ(w->txtAmount->text(), QStringLiteral("$0.00"));
    w->txtSessionsMissed->clear();
    script->answer(ui::vbOK);
    QTest::keyClicks(w->txtSessionsMissed, QStringLiteral("x"));
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("Please enter an integer value for the number of sessions missed."));
    // A program charged per session: the sessions times its price per session.
    exec(QStringLiteral("UPDATE Programs SET ChargePerSession = 1, PricePerSession = 12.5"));
    w->txtSessionsMissed->clear();
    QTest::keyClicks(w->txtSessionsMissed, QStringLiteral("2"));
    EXPECT_EQ(w->txtAmount->text(), QStringLiteral("$25.00"));
}

TEST_F(LateStarter, EnrollingInAClassThatStartedYesterdayOpensTheWindow)
{
    exec(QStringLiteral("UPDATE Classes SET StartDate = Date() - 1"));
    const qint32 newcomer = addStudent(QStringLiteral("Bo"), QStringLiteral("Li"));
    imodEnrolments::EnrolmentRequest r;
    r.studentId = newcomer;
    r.studentName = QStringLiteral("Bo Li");
    r.programId = program;
    r.classId = klass;
    imodEnrolments::BookNow(r);
    auto *w = qobject_cast<frmAbsentRec *>(ui::Forms::find(QStringLiteral("frmAbsentRec")));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->lngBookingID,
              value(QStringLiteral("SELECT Max(BookingID) FROM Bookings")).toInt());
    EXPECT_EQ(w->lngStudentID, newcomer);
}

} // namespace
