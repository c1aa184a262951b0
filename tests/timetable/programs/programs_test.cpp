#include "timetable/fixture/timetablefixture.h"

#include "access/authorisation.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "platform/vb/datetime.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"
#include "timetable/programs/frmprograms.h"
#include "timetable/programs/register.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

// Stands in for the payment plan window of the enrolments subsystem.
class FakePayPlan : public ui::Form
{
    Q_OBJECT
public:
    FakePayPlan() { setObjectName(QStringLiteral("frmPayPlan")); }
    Q_INVOKABLE void LoadProgram(int intPID) { programs << intPID; }
    QList<int> programs;
};

namespace {

QDate dateOf(const QVariant &v)
{
    return v.toDateTime().date();
}

} // namespace

class ProgramsTest : public TimetableTest
{
protected:
    void TearDown() override
    {
        shell::RegisterWindow(QStringLiteral("frmPayPlan"), {});
        TimetableTest::TearDown();
    }

    frmPrograms *open()
    {
        auto *w = ui::Forms::shared<frmPrograms>();
        w->showForm();
        return w;
    }
    static void select(frmPrograms *w, const QString &name)
    {
        const auto found = w->lstUsers->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << qPrintable(name);
        w->lstUsers->setCurrentItem(found.first());
    }
    static QStringList listed(frmPrograms *w)
    {
        QStringList out;
        for (int i = 0; i < w->lstUsers->count(); ++i)
            out << w->lstUsers->item(i)->text();
        return out;
    }
    QVariant column(qint32 programId, const char *name)
    {
        return value(QStringLiteral("SELECT [%1] FROM Programs WHERE ProgramID = %2")
                         .arg(QLatin1String(name))
                         .arg(programId));
    }
    QVariant classColumn(qint32 classId, const char *name)
    {
        return value(QStringLiteral("SELECT [%1] FROM Classes WHERE ClassID = %2")
                         .arg(QLatin1String(name))
                         .arg(classId));
    }
    // Makes every change of a class of that level fail from now on.
    void refuseClassUpdates(const char *level)
    {
        runSqlite("CREATE TRIGGER refuse BEFORE UPDATE ON Classes WHEN OLD.Description = '" +
                  QByteArray(level) + "' BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }
    QStringList titles() const
    {
        QStringList out;
        for (const ui::ShownDialog &d : script->shown())
            out << d.title;
        return out;
    }
};

TEST_F(ProgramsTest, ShowsNewEditsAndSavesPrograms)
{
    addIncomeAccount();
    addIncomeAccount(QStringLiteral("4-2000"));
    const qint32 autumn = addProgram(QStringLiteral("Autumn 2026"));
    exec(QStringLiteral("UPDATE Programs SET DefaultDay = '1' WHERE ProgramID = %1").arg(autumn));
    // An old row without dates, prices or codes.
    exec(QStringLiteral("INSERT INTO Programs (Program, Inactive) VALUES ('Bare', 0)"));
    addProgram(QStringLiteral("Old"), QStringLiteral("Enrolment"), vb::Currency(50), 1);

    frmPrograms *w = open();
    EXPECT_EQ(listed(w), QStringList({"Autumn 2026", "Bare"}));
    EXPECT_EQ(w->txtField[0]->text(), QString::number(autumn)) << "the first program shows";
    EXPECT_EQ(w->txtField[1]->text(), "Autumn 2026");
    EXPECT_EQ(w->txtField[3]->text(), "$100.00");
    EXPECT_EQ(w->txtField[15]->text(), "$10.00");
    EXPECT_EQ(w->txtField[8]->text(), "10");
    EXPECT_EQ(w->cboField[10]->currentText(), "GST");
    EXPECT_EQ(w->cboField[11]->currentText(), "4-1000");
    EXPECT_EQ(w->cboField[6]->currentText(), "Mon/Wed");
    EXPECT_EQ(w->cboField[14]->currentText(), "Enrolment");
    EXPECT_EQ(w->dtStartDate->value().toDate(), QDate(2026, 2, 2));
    EXPECT_EQ(w->dtEndDate->value().toDate(), QDate(2026, 4, 10));
    EXPECT_EQ(w->dtFeesDue->value().toDate(), QDate(2026, 2, 23));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->txtField[1]->isReadOnly());
    EXPECT_FALSE(w->cboField[14]->isEnabled());
    ovix::test::saveScreenshot(w, QStringLiteral("frmPrograms-details"));
    w->tabs->setCurrentIndex(1);
    ovix::test::saveScreenshot(w, QStringLiteral("frmPrograms-defaults"));

    // Nothing of the program shown before stays in the fields.
    select(w, QStringLiteral("Bare"));
    EXPECT_EQ(w->txtField[1]->text(), "Bare");
    for (int index : {3, 8, 15})
        EXPECT_TRUE(w->txtField[index]->text().isEmpty()) << index;
    for (int index : {6, 10, 11, 14})
        EXPECT_EQ(w->cboField[index]->currentIndex(), -1) << index;
    for (ui::DatePicker *p : {w->dtStartDate, w->dtEndDate, w->dtFeesDue})
        EXPECT_TRUE(p->value().isNull()) << qPrintable(p->objectName());

    w->Check1->setChecked(false);
    EXPECT_EQ(listed(w), QStringList({"Autumn 2026", "Bare", "Old"}));

    // A new program.
    w->cmdNew_Click();
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_FALSE(w->lstUsers->isEnabled());
    EXPECT_TRUE(w->txtField[0]->text().isEmpty());
    EXPECT_EQ(w->txtField[3]->text(), "$0.00");
    EXPECT_EQ(w->txtField[15]->text(), "$0.00");
    EXPECT_EQ(w->txtField[8]->text(), "0");
    EXPECT_FALSE(w->txtField[3]->isReadOnly());
    EXPECT_TRUE(w->txtField[15]->isReadOnly());
    w->txtField[1]->setText(QStringLiteral("Spring 2026"));
    w->txtField[8]->setText(QStringLiteral("8"));
    w->cboField[6]->setCurrentIndex(2);
    w->cboField[11]->setCurrentText(QStringLiteral("4-2000"));
    w->cboField[14]->setCurrentText(QStringLiteral("Attendance"));
    w->txtField[15]->setText(QStringLiteral("$30.00"));
    w->dtStartDate->setValue(QDate(2026, 9, 7));
    w->dtEndDate->setValue(QDate(2026, 11, 27));
    w->dtFeesDue->setValue(QDate(2026, 9, 21));
    w->chkInactive->setChecked(true);
    w->tabs->setCurrentIndex(0);
    ovix::test::saveScreenshot(w, QStringLiteral("frmPrograms-new-details"));
    w->tabs->setCurrentIndex(1);
    ovix::test::saveScreenshot(w, QStringLiteral("frmPrograms-new-defaults"));
    ASSERT_TRUE(w->cmdSave_Click());
    ASSERT_TRUE(script->shown().isEmpty());

    const qint32 spring = w->txtField[0]->text().toInt();
    EXPECT_GT(spring, autumn);
    EXPECT_EQ(column(spring, "Program").toString(), "Spring 2026");
    EXPECT_EQ(column(spring, "Inactive").toInt(), 1);
    EXPECT_EQ(column(spring, "DefaultCost").value<vb::Currency>(), vb::Currency(0));
    EXPECT_EQ(dateOf(column(spring, "StartDate")), QDate(2026, 9, 7));
    EXPECT_EQ(column(spring, "DefaultDay").toString(), "2") << "a position, not a name";
    EXPECT_EQ(dateOf(column(spring, "EndDate")), QDate(2026, 11, 27));
    EXPECT_EQ(column(spring, "Sessions").toInt(), 8);
    EXPECT_EQ(column(spring, "AssessGen").toInt(), 0);
    EXPECT_EQ(column(spring, "TaxCode").toString(), "GST");
    EXPECT_EQ(column(spring, "RevenueAccount").toString(), "4-2000");
    EXPECT_EQ(column(spring, "AssumeAttendance").toString(), "Attended");
    EXPECT_EQ(column(spring, "AssessFinalise").toInt(), 0);
    EXPECT_EQ(column(spring, "AttendChargeOn").toString(), "Attendance");
    EXPECT_EQ(column(spring, "PricePerSession").value<vb::Currency>(), vb::Currency(30));
    EXPECT_EQ(column(spring, "ChargePerSession").toInt(), 1);
    EXPECT_EQ(dateOf(column(spring, "AmountOverdue")), QDate(2026, 9, 21));
    EXPECT_TRUE(column(spring, "DefaultMax").isNull());
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->lstUsers->isEnabled());
    EXPECT_EQ(w->lstUsers->currentRow(), -1);
    EXPECT_TRUE(listed(w).contains(QStringLiteral("Spring 2026")));

    // Editing the program shown changes its row and leaves DefaultMax alone.
    select(w, QStringLiteral("Autumn 2026"));
    w->cmdEdit_Click();
    EXPECT_FALSE(w->chkPSession->isEnabled()) << "only an Attendance program may change it";
    w->tabs->setCurrentIndex(0);
    ovix::test::saveScreenshot(w, QStringLiteral("frmPrograms-edit-details"));
    w->tabs->setCurrentIndex(1);
    ovix::test::saveScreenshot(w, QStringLiteral("frmPrograms-edit-defaults"));
    w->txtField[1]->setText(QStringLiteral("Autumn Term"));
    w->txtField[3]->setText(QStringLiteral("$1,234.50"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(w->txtField[0]->text(), QString::number(autumn));
    EXPECT_EQ(column(autumn, "Program").toString(), "Autumn Term");
    EXPECT_EQ(column(autumn, "DefaultCost").value<vb::Currency>(), vb::Currency(1234.5));
    EXPECT_EQ(column(autumn, "DefaultDay").toString(), "1");
    EXPECT_EQ(column(autumn, "DefaultMax").toInt(), 10);
    EXPECT_EQ(count(QStringLiteral("SELECT ProgramID FROM Programs")), 4);
}

TEST_F(ProgramsTest, RefusedOrFailedSaveKeepsEditing)
{
    addIncomeAccount();
    const struct
    {
        const char *name;
        const char *sessions;
        const char *fullCost;
        const char *title;
        const char *text;
    } cases[] = {
        {"", "10", "$1.00", "Oops!", "You must enter a program name"},
        {"O'Brien Term", "10", "$1.00", "Oops!",
         "You cannot have a ' character in the Program name. Please correct this."},
        {"Term", "", "$1.00", "Oops!", "You must enter the number of sessions"},
        {"Term", "abc", "$1.00", "Oops!",
         "The number of sessions you have entered is not a number. Please correct this!"},
        {"Term", "10", "ten dollars", "Something went wrong",
         "Error #13 (Type mismatch) occurred when saving the program. It may not have been "
         "saved correctly."},
    };
    frmPrograms *w = open();
    w->cmdNew_Click();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        w->txtField[1]->setText(QString::fromUtf8(c.name));
        w->txtField[8]->setText(QString::fromUtf8(c.sessions));
        w->txtField[3]->setText(QString::fromUtf8(c.fullCost));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        ASSERT_FALSE(script->shown().isEmpty());
        EXPECT_EQ(script->shown().last().title, c.title);
        EXPECT_EQ(script->shown().last().text, c.text);
        EXPECT_TRUE(w->cmdSave->isEnabled());
        EXPECT_TRUE(w->boolNewProgram);
        EXPECT_EQ(w->txtField[1]->text(), QString::fromUtf8(c.name));
    }
    EXPECT_EQ(count(QStringLiteral("SELECT ProgramID FROM Programs")), 0);
    w->txtField[3]->setText(QStringLiteral("0"));
    EXPECT_TRUE(w->cmdSave_Click()) << "0 sessions are accepted";
}

TEST_F(ProgramsTest, NewWithoutIncomeAccountClosesTheWindow)
{
    addProgram(QStringLiteral("Autumn"));
    frmPrograms *w = open();
    script->answer(ui::vbOK);
    w->cmdNew_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Oops");
    EXPECT_EQ(script->shown()[0].text,
              "There are no income accounts. You must create an income-type account before you "
              "can create programs. The programs window will now close.");
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmPrograms")), nullptr);
}

TEST_F(ProgramsTest, ChargeModeDecidesWhichAmountIsOpen)
{
    addIncomeAccount();
    addProgram(QStringLiteral("Autumn"));
    const struct
    {
        const char *mode;
        bool perSession;
        bool amountsShown;
    } cases[] = {
        {"Attendance", true, true},
        {"Enrolment", false, true},
        {"Payment Plan", false, false},
        {"Enrolment (discount absence)", false, true},
    };
    frmPrograms *w = open();
    w->cmdEdit_Click();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        w->cboField[14]->setCurrentText(QString::fromUtf8(c.mode));
        EXPECT_EQ(w->chkPSession->isChecked(), c.perSession);
        EXPECT_FALSE(w->chkPSession->isEnabled());
        EXPECT_EQ(w->txtField[15]->isHidden(), !c.amountsShown);
        EXPECT_EQ(w->txtField[3]->isHidden(), !c.amountsShown);
        EXPECT_EQ(w->lblNotApplicable[0]->isHidden(), c.amountsShown);
        EXPECT_EQ(w->cmdPaymentPlan->isHidden(), c.amountsShown);
        EXPECT_EQ(w->cmdFixPrice->isEnabled(), c.amountsShown);
        if (c.amountsShown) {
            EXPECT_EQ(w->txtField[15]->isReadOnly(), !c.perSession);
            EXPECT_EQ(w->txtField[3]->isReadOnly(), c.perSession);
        }
    }
    ASSERT_TRUE(w->cmdSave_Click());
    w->cboField[14]->setCurrentText(QStringLiteral("Attendance")); // as a stored mode shows
    w->cmdEdit_Click();
    EXPECT_TRUE(w->chkPSession->isEnabled()) << "Edit of an Attendance program";
    w->chkPSession->setChecked(false);
    EXPECT_FALSE(w->txtField[3]->isReadOnly());
    EXPECT_TRUE(w->txtField[15]->isReadOnly());
    ASSERT_TRUE(w->cmdSave_Click());
}

TEST_F(ProgramsTest, LeavingAChangedBoxRecalculatesTheOtherAmount)
{
    addIncomeAccount();
    addProgram(QStringLiteral("Autumn"));
    const struct
    {
        const char *what;
        bool perSession;
        int box; // the box that is left
        const char *full, *each, *sessions;
        const char *wantFull, *wantEach;
    } cases[] = {
        {"full cost shared", false, 3, "100", "5", "10", "$100.00", "$10.00"},
        {"no sessions: only formatted", false, 3, "100", "5", "0", "$100.00", "$5.00"},
        {"session price times sessions", true, 15, "$0", "12.5", "8", "$100.00", "$12.50"},
        {"sessions share the full cost", false, 8, "$100.00", "$0.00", "4", "$100.00", "$25.00"},
        {"sessions times the session price", true, 8, "$0.00", "$12.50", "4", "$50.00", "$12.50"},
        {"text that is no amount", false, 3, "lots", "$5.00", "4", "lots", "$5.00"},
    };
    frmPrograms *w = open();
    w->cmdEdit_Click();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        w->cboField[14]->setCurrentText(
            QString::fromLatin1(c.perSession ? "Attendance" : "Enrolment"));
        w->txtField[3]->setText(QString::fromLatin1(c.full));
        w->txtField[15]->setText(QString::fromLatin1(c.each));
        w->txtField[8]->setText(QString::fromLatin1(c.sessions));
        for (int index : {3, 8, 15})
            ui::setTag(w->txtField[index], index == c.box ? "Changed" : "");
        w->txtField_LostFocus(c.box);
        EXPECT_EQ(w->txtField[3]->text(), c.wantFull);
        EXPECT_EQ(w->txtField[15]->text(), c.wantEach);
    }

    // A box left without a change, and a locked box whose text the window set,
    // recalculate nothing: $10.00 over 3 sessions stays $10.00, not 3 x $3.33.
    w->cboField[14]->setCurrentText(QStringLiteral("Enrolment"));
    w->txtField[8]->setText(QStringLiteral("3"));
    w->txtField[3]->setText(QStringLiteral("$10.00"));
    w->txtField_LostFocus(3);
    EXPECT_EQ(w->txtField[15]->text(), "$3.33");
    w->txtField_LostFocus(3);
    w->txtField_LostFocus(15);
    EXPECT_EQ(w->txtField[3]->text(), "$10.00");
    w->txtField[1]->setText(QStringLiteral("Autumn"));
    ASSERT_TRUE(w->cmdSave_Click());
}

TEST_F(ProgramsTest, DeleteAsksAccordingToClassesAndBookings)
{
    const struct
    {
        const char *what;
        int classes;
        bool bookings;
        QList<int> answers;
        QStringList titles;
        bool requested;
    } cases[] = {
        {"no classes", 0, false, {}, {}, true},
        {"classes, no bookings",
         2,
         false,
         {ui::vbYes, ui::vbYes},
         {"A very important question", "Confirm Delete"},
         true},
        {"classes, no bookings, No",
         2,
         false,
         {ui::vbYes, ui::vbNo},
         {"A very important question", "Confirm Delete"},
         false},
        {"first question No", 2, true, {ui::vbNo}, {"A very important question"}, false},
        {"bookings",
         1,
         true,
         {ui::vbYes, ui::vbYes},
         {"A very important question", "Are You Really Sure?"},
         true},
        {"bookings, No",
         1,
         true,
         {ui::vbYes, ui::vbNo, ui::vbOK},
         {"A very important question", "Are You Really Sure?", "Oops!"},
         false},
    };
    const qint32 student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const qint32 id = addProgram(QString::fromLatin1(c.what));
        for (int i = 0; i < c.classes; ++i) {
            const qint32 cls = addClass(id);
            if (c.bookings)
                addBooking(cls, student, QStringLiteral("Waiting")); // every status counts
        }
        frmPrograms *w = open();
        w->Load_Program_List();
        select(w, QString::fromLatin1(c.what));
        ui::DialogScript answers;
        for (int a : c.answers)
            answers.answer(a);
        w->cmdDelete_Click();
        QStringList shown;
        for (const ui::ShownDialog &d : answers.shown())
            shown << d.title;
        ASSERT_EQ(shown, c.titles);
        if (c.classes > 0) {
            EXPECT_EQ(answers.shown()[0].text,
                      QStringLiteral("This program is linked to %1 classes in Ovix. Are you sure "
                                     "you want to delete this program AND the linked classes?")
                          .arg(c.classes));
        }
        if (shown.contains(QStringLiteral("Are You Really Sure?"))) {
            EXPECT_TRUE(answers.shown()[1].text.startsWith(
                "There are 1 enrolments for this program.\r\n\r\nIf you delete"));
        }
        if (shown.contains(QStringLiteral("Oops!"))) {
            EXPECT_EQ(answers.shown().last().text, "The program was not be deleted.");
        }
        auto *confirm =
            static_cast<frmConfirmDelete *>(ui::Forms::find(QStringLiteral("frmConfirmDelete")));
        ASSERT_EQ(confirm != nullptr, c.requested);
        if (confirm) {
            EXPECT_EQ(confirm->txtReason->text(), "Delete Program");
            EXPECT_EQ(confirm->txtInfoLine->text(), QString::number(id));
            EXPECT_EQ(confirm->txtUserID->text(), "i");
            confirm->unload();
            flush();
        }
        EXPECT_EQ(
            count(QStringLiteral("SELECT ProgramID FROM Programs WHERE ProgramID = %1").arg(id)), 1)
            << "nothing is deleted before the confirmation";
    }
}

TEST_F(ProgramsTest, FixAllDatesFollowsEachClassPattern)
{
    exec(QStringLiteral("INSERT INTO Days (DayName, RunMon, RunTue, RunWed, RunThu, RunFri, "
                        "RunSat, RunSun, Sequence) VALUES ('Holiday', 0, 0, 0, 0, 0, 0, 0, 11)"));
    const qint32 id = addProgram(QStringLiteral("Autumn"));
    // From Tuesday 3 February to Friday 10 April.
    exec(QStringLiteral("UPDATE Programs SET StartDate = #2026-02-03# WHERE ProgramID = %1")
             .arg(id));
    const qint32 monWed = addClass(id, QStringLiteral("Level 1"), QStringLiteral("Mon/Wed"));
    const qint32 other = addClass(id, QStringLiteral("Level 2"), QStringLiteral("Other"));
    const qint32 holiday = addClass(id, QStringLiteral("Level 3"), QStringLiteral("Holiday"));
    const qint32 elsewhere = addClass(addProgram(QStringLiteral("Winter")));

    frmPrograms *w = open();
    select(w, QStringLiteral("Autumn"));
    // The pickers' dates count for "Other", saved or not.
    w->dtStartDate->setValue(QDate(2026, 2, 5));
    w->dtEndDate->setValue(QDate(2026, 3, 20));
    script->answer(ui::vbOK);
    w->cmdFixAllDates_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].text, "3 classes were updated.");
    EXPECT_EQ(script->shown()[0].title, "Success!");

    const struct
    {
        qint32 cls;
        QDate start, end;
    } expected[] = {
        {monWed, QDate(2026, 2, 9), QDate(2026, 4, 8)},
        {other, QDate(2026, 2, 5), QDate(2026, 3, 20)},
        {holiday, vb::zeroDate().date(), vb::zeroDate().date()},
        {elsewhere, QDate(2026, 2, 2), QDate(2026, 4, 6)},
    };
    for (const auto &e : expected) {
        EXPECT_EQ(dateOf(classColumn(e.cls, "StartDate")), e.start) << e.cls;
        EXPECT_EQ(dateOf(classColumn(e.cls, "EndDate")), e.end) << e.cls;
    }

    // A class that cannot be changed: none is, and no success is reported.
    exec(
        QStringLiteral("UPDATE Classes SET StartDate = #2026-01-01# WHERE ProgramID = %1").arg(id));
    refuseClassUpdates("Level 3");
    script->answer(ui::vbOK);
    w->cmdFixAllDates_Click();
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown()[1].title, "Oops!");
    EXPECT_TRUE(script->shown()[1].text.startsWith("Error #"))
        << qPrintable(script->shown()[1].text);
    EXPECT_EQ(count(QStringLiteral("SELECT ClassID FROM Classes WHERE StartDate = #2026-01-01#")),
              3);
}

TEST_F(ProgramsTest, ResetClassPricesPassesTheProgramPrice)
{
    addIncomeAccount();
    const qint32 student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const struct
    {
        const char *what;
        bool perSession;
        vb::Currency cost;   // the class's cost afterwards
        vb::Currency charge; // the enrolled student's charge
    } cases[] = {
        // Full price $120 for a $100 class: 20 more.
        {"full price, flag 0", false, vb::Currency(120), vb::Currency(20)},
        // $12 a session for ten Monday sessions: 12 - 100 a session, times 10.
        {"session price, flag 1", true, vb::Currency(12), vb::Currency(-880)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const qint32 id = addProgram(QString::fromLatin1(c.what));
        const qint32 cls = addClass(id);
        const qint32 booking = addBooking(cls, student);
        frmPrograms *w = open();
        w->Load_Program_List();
        select(w, QString::fromLatin1(c.what));
        w->txtField[3]->setText(QStringLiteral("$120.00"));
        w->txtField[15]->setText(QStringLiteral("$12.00"));
        w->chkPSession->setChecked(c.perSession);
        ui::DialogScript answers;
        answers.answer(ui::vbYes).answer(ui::vbOK);
        w->cmdFixPrice_Click();
        ASSERT_EQ(answers.shown().size(), 2);
        EXPECT_EQ(answers.shown()[0].text,
                  "This will reset the price of ALL classes in this program to the default price "
                  "of $120.00 for the program ($12.00 per session). \r\n\r\nAre you sure you want "
                  "to do this?");
        EXPECT_EQ(answers.shown()[1].text, "Price change successful.");
        EXPECT_EQ(classColumn(cls, "Cost").value<vb::Currency>(), c.cost);
        EXPECT_EQ(
            value(QStringLiteral("SELECT Sum(ChargeAmount) FROM Payments WHERE BookingID = %1")
                      .arg(booking))
                .value<vb::Currency>(),
            c.charge);
    }
}

TEST_F(ProgramsTest, ResetClassPricesRefusals)
{
    const qint32 id = addProgram(QStringLiteral("Autumn"));
    const qint32 cls =
        addClass(id, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30, vb::Currency(80));
    frmPrograms *w = open();

    w->txtField[3]->setText(QStringLiteral("lots"));
    script->answer(ui::vbOK);
    w->cmdFixPrice_Click();
    EXPECT_EQ(titles(), QStringList({"Invalid value"}));

    w->txtField[3]->setText(QStringLiteral("$100.00"));
    w->cboField[14]->setCurrentText(QStringLiteral("Payment Plan"));
    EXPECT_FALSE(w->cmdFixPrice->isEnabled());
    script->answer(ui::vbOK);
    w->cmdFixPrice_Click();
    EXPECT_EQ(titles(), QStringList({"Invalid value", "Option Unavailable"}));

    // A re-pricing that fails shows its own error, and no success.
    w->cboField[14]->setCurrentText(QStringLiteral("Enrolment"));
    refuseClassUpdates("Level 1");
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdFixPrice_Click();
    EXPECT_EQ(titles(), QStringList({"Invalid value", "Option Unavailable", "Question",
                                     "Price Reset Error"}));
    EXPECT_EQ(classColumn(cls, "Cost").value<vb::Currency>(), vb::Currency(80));
}

TEST_F(ProgramsTest, ResetClassChargeModeSetsEveryClassOfTheProgram)
{
    const qint32 id = addProgram(QStringLiteral("Autumn"));
    const qint32 classes[] = {
        addClass(id),
        addClass(id, QStringLiteral("Level 2"), QStringLiteral("Monday"), 17, 0, vb::Currency(12),
                 10, 1, QStringLiteral("Payment Plan")),
    };
    const qint32 elsewhere = addClass(addProgram(QStringLiteral("Winter")));
    frmPrograms *w = open();
    select(w, QStringLiteral("Autumn"));
    w->cboField[14]->setCurrentText(QStringLiteral("Attendance"));

    script->answer(ui::vbNo);
    w->cmdUpdateChargeMode_Click();
    EXPECT_EQ(script->shown()[0].text,
              "This will update ALL classes in the program to be charged by Attendance.\r\n\r\nAre "
              "you sure you want to do this?");
    EXPECT_EQ(classColumn(classes[0], "AttendChargeOn").toString(), "Enrolment");

    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdUpdateChargeMode_Click();
    EXPECT_EQ(script->shown().last().text, "Classes updated successfully.");
    for (qint32 cls : classes) {
        EXPECT_EQ(classColumn(cls, "AttendChargeOn").toString(), "Attendance");
        EXPECT_EQ(classColumn(cls, "Cost").value<vb::Currency>(), vb::Currency(0));
        EXPECT_EQ(classColumn(cls, "ChargePerSession").toInt(), 0);
    }
    EXPECT_EQ(classColumn(elsewhere, "AttendChargeOn").toString(), "Enrolment");

    // A failure changes no class and reports no success.
    refuseClassUpdates("Level 2");
    w->cboField[14]->setCurrentText(QStringLiteral("Enrolment"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdUpdateChargeMode_Click();
    EXPECT_EQ(script->shown().last().title, "Oops!");
    EXPECT_EQ(classColumn(classes[0], "AttendChargeOn").toString(), "Attendance");
}

TEST_F(ProgramsTest, ClosingWhileEditingAsksFirst)
{
    addIncomeAccount();
    const qint32 id = addProgram(QStringLiteral("Autumn"));
    TimetableFakeWindow *main = loadClassSearch();
    const struct
    {
        const char *what;
        int answer;
        const char *name;
        bool closes;
        const char *stored;
    } cases[] = {
        {"Yes with a refused save", ui::vbYes, "", false, "Autumn"},
        {"Cancel", ui::vbCancel, "Autumn Term", false, "Autumn"},
        {"No", ui::vbNo, "Autumn Term", true, "Autumn"},
        {"Yes", ui::vbYes, "Autumn Term", true, "Autumn Term"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        frmPrograms *w = open();
        w->cmdEdit_Click();
        w->txtField[1]->setText(QString::fromLatin1(c.name));
        ui::DialogScript answers;
        answers.answer(c.answer);
        if (!*c.name)
            answers.answer(ui::vbOK);
        main->calls.clear();
        EXPECT_EQ(w->unload(ui::CloseReason::ControlMenu), c.closes);
        flush();
        EXPECT_EQ(answers.shown()[0].title, "Wait a minute");
        EXPECT_EQ(answers.shown()[0].text, "Do you want to save changes to this program?");
        EXPECT_EQ(ui::Forms::find(QStringLiteral("frmPrograms")) != nullptr, !c.closes);
        EXPECT_EQ(column(id, "Program").toString(), c.stored);
        EXPECT_EQ(main->calls.contains(QStringLiteral("Load_Program_List")), c.closes);
        if (!c.closes) {
            EXPECT_TRUE(w->cmdSave->isEnabled());
            EXPECT_EQ(w->txtField[1]->text(), QString::fromLatin1(c.name));
            w->txtField[1]->setText(QStringLiteral("Autumn"));
            ASSERT_TRUE(w->cmdSave_Click());
            w->unload();
            flush();
        }
    }
}

TEST_F(ProgramsTest, RegistrationAndPaymentPlan)
{
    timetable::RegisterProgramWindows();
    EXPECT_TRUE(shell::IsWindowRegistered(QStringLiteral("frmPrograms")));
    const useraccess::AuthorisedOperation *op =
        useraccess::FindAuthorisedOperation(QStringLiteral("Programs"));
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->index, 21);
    EXPECT_EQ(op->check, useraccess::PermissionCheck::ByIndex);

    const qint32 id = addProgram(QStringLiteral("Autumn"), QStringLiteral("Payment Plan"));
    frmPrograms *w = open();
    EXPECT_FALSE(w->cmdPaymentPlan->isHidden());
    EXPECT_FALSE(w->cmdPaymentPlan->isEnabled()) << "no payment plan window in this program";
    w->unload();
    flush();

    shell::RegisterWindow(QStringLiteral("frmPayPlan"),
                          [] { return ui::Forms::shared<FakePayPlan>(); });
    w = open();
    EXPECT_TRUE(w->cmdPaymentPlan->isEnabled());
    w->cmdPaymentPlan_Click();
    auto *plan = static_cast<FakePayPlan *>(ui::Forms::find(QStringLiteral("frmPayPlan")));
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->programs, QList<int>({id}));

    w->txtField[0]->clear();
    script->answer(ui::vbOK);
    w->cmdPaymentPlan_Click();
    EXPECT_EQ(titles(), QStringList({"Not quite yet"}));
}

#include "programs_test.moc"
