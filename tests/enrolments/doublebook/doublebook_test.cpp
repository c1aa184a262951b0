#include "enrolments/doublebook/frmdoublebook.h"
#include "enrolments/doublebook/register.h"
#include "enrolments/fixture/enrolmentsfixture.h"

#include "access/authorisation.h"
#include "enrolments/enrolling.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace imodEnrolments;

namespace {

class DoubleBook : public AttendanceTest
{
protected:
    void SetUp() override
    {
        AttendanceTest::SetUp();
        addIncomeAccount();
        enrolments::RegisterDoubleBookWindow();
        program = addProgram(QStringLiteral("Term 1"));
        klass = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30);
        other = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Wednesday"), 9, 15);
        exec(QStringLiteral("UPDATE Classes SET StartDate = Date()"));
        student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        addBooking(addClass(addProgram(QStringLiteral("Term 0"))), student,
                   QStringLiteral("No Show"));
        addBooking(addClass(addProgram(QStringLiteral("Term 9"))), student);
        inClass = addBooking(klass, student);
        inOther = addBooking(other, student, QStringLiteral("Tentative"));
        addBooking(other, student, QStringLiteral("Cancelled"));
        adder = new RecordStandIn(QStringLiteral("frmAddBooking"));
        adder->load();
    }
    void TearDown() override
    {
        ui::RegisterWindow(QStringLiteral("frmDoubleBook"), {});
        ui::RegisterWindow(QStringLiteral("frmViewClass"), {});
        ui::RegisterProcedure(frmDoubleBook::MoveProcedure, {});
        AttendanceTest::TearDown();
    }

    // The window as the enrolment's refusal opens it.
    frmDoubleBook *refused(int errNum, int waitList = 0, int session = 0)
    {
        auto *w = ui::Forms::create<frmDoubleBook>();
        w->LoadMe(student, QStringLiteral("Amy Ng"), program, klass, waitList,
                  vb::Currency(100), errNum, session);
        w->showForm();
        return w;
    }
    // The window as the upgrade's refusal opens it, for a new waiting booking.
    frmDoubleBook *refusedUpgrade(int errNum)
    {
        waiting = addBooking(klass, student, QStringLiteral("Waiting"));
        auto *w = ui::Forms::create<frmDoubleBook>();
        w->LoadMeUWL(errNum, waiting, student, program, vb::Currency(100), 0);
        w->showForm();
        return w;
    }
    QString status(qint32 bookingId)
    {
        return value(QStringLiteral("SELECT Status FROM Bookings WHERE BookingID = %1")
                         .arg(bookingId))
            .toString();
    }
    int bookings() { return count(QStringLiteral("SELECT * FROM Bookings")); }

    qint32 program = 0, klass = 0, other = 0, student = 0, inClass = 0, inOther = 0,
           waiting = 0;
    QPointer<RecordStandIn> adder;
};

QStringList entries(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

TEST_F(DoubleBook, ShowsTheQuestionAndTheStudentsEnrolmentsInTheProgram)
{
    const struct
    {
        int errNum;
        const char *info;
    } cases[] = {
        {614, "This student is already enrolled in this class. What do you want to do about this?"},
        {615, "This student is already enrolled in one or more classes in this program.  What do "
              "you want to do about this?"},
        {0, "What do you want to do?"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.errNum);
        frmDoubleBook *w = refused(k.errNum);
        EXPECT_EQ(w->lblInfo->text(), QLatin1String(k.info));
        // Both of the program's enrolments, in the order of their texts, whatever the error.
        EXPECT_EQ(entries(w->lstClasses),
                  (QStringList{QStringLiteral("Monday 4:30 PM Level 1 (BKID#%1)").arg(inClass),
                               QStringLiteral("Wednesday 9:15 AM Level 2 (BKID#%1)").arg(inOther)}));
        if (k.errNum == 614)
            ovix::test::saveScreenshot(w, QStringLiteral("frmDoubleBook"));
        w->unload();
    }
    frmDoubleBook *w = refused(614);
    EXPECT_EQ(w->caption(), QStringLiteral("Double Booking Alert"));
    const QStringList texts = {w->Label2->text(), w->Label5->text(),  w->Label1->text(),
                               w->optStop->text(), w->optMove->text(), w->optIgnore->text(),
                               w->cmdOK->text(),   w->cmdCancel->text()};
    EXPECT_EQ(texts, (QStringList{"Double Booking", "Already Enrolled In",
                                  "What Do You Want To Do?",
                                  "Don't enrol the student in a new class",
                                  "Move the student from the class I select above to the new class",
                                  "Ignore this, this student can be enrolled more than once",
                                  "Continue", "Cancel"}));
    EXPECT_TRUE(w->optIgnore->isChecked());
    // Moving a booking comes with the moves: until then the option is disabled.
    EXPECT_FALSE(w->optMove->isEnabled());
}

TEST_F(DoubleBook, ContinueUntouchedEnrolsAnywayWithoutQuestions)
{
    const qint32 before = bookings();
    frmDoubleBook *w = refused(614);
    const QPointer<frmDoubleBook> watched = w;
    w->cmdOK->click();
    flush();
    ASSERT_EQ(bookings(), before + 1);
    const qint32 b = value(QStringLiteral("SELECT Max(BookingID) FROM Bookings")).toInt();
    EXPECT_EQ(status(b), QStringLiteral("Confirmed"));
    EXPECT_EQ(value(QStringLiteral("SELECT EnrolledByUserID FROM Bookings WHERE BookingID = %1")
                        .arg(b))
                  .toString(),
              QStringLiteral("I"));
    EXPECT_EQ(ledger(b), QStringList{QStringLiteral("100/10")});
    EXPECT_TRUE(script->shown().isEmpty()); // the no-show was not asked about
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(adder.isNull()); // the enrolment closed its caller
}

TEST_F(DoubleBook, ContinueUntouchedAfterARefusedUpgradeUpgradesWithoutChecks)
{
    auto *view = new ClassViewStandIn(klass);
    view->load();
    frmDoubleBook *w = refusedUpgrade(614);
    const QPointer<frmDoubleBook> watched = w;
    w->cmdOK->click();
    flush();
    EXPECT_EQ(status(waiting), QStringLiteral("Confirmed"));
    EXPECT_EQ(ledger(waiting), QStringList{QStringLiteral("100/10")});
    EXPECT_EQ(view->calls, (QStringList{"Load_Students", "Load_Waitlist"}));
    EXPECT_TRUE(view->isVisible()); // brought to the front
    EXPECT_TRUE(watched.isNull());
    EXPECT_FALSE(adder.isNull());
}

TEST_F(DoubleBook, StopAndCancelWriteNothing)
{
    const struct
    {
        const char *name;
        bool fromWaitList;
        bool stop;
        bool addBookingCloses;
    } cases[] = {
        {"stop a refused enrolment", false, true, true},
        {"stop a refused upgrade", true, true, false},
        {"cancel a refused enrolment", false, false, false},
        {"cancel a refused upgrade", true, false, false},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        if (!adder) {
            adder = new RecordStandIn(QStringLiteral("frmAddBooking"));
            adder->load();
        }
        frmDoubleBook *w = k.fromWaitList ? refusedUpgrade(615) : refused(615);
        const int before = bookings();
        const QPointer<frmDoubleBook> watched = w;
        if (k.stop) {
            w->optStop->click();
            w->cmdOK->click();
        } else {
            w->cmdCancel->click();
        }
        flush();
        EXPECT_TRUE(watched.isNull());
        EXPECT_EQ(adder.isNull(), k.addBookingCloses);
        EXPECT_EQ(bookings(), before);
        if (k.fromWaitList) {
            EXPECT_EQ(status(waiting), QStringLiteral("Waiting"));
        }
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 0);
    }
}

TEST_F(DoubleBook, MoveAsksForAClassThenHandsTheBookingToTheMove)
{
    QVariantList moved;
    ui::RegisterProcedure(frmDoubleBook::MoveProcedure, [&moved](const QVariantList &args) {
        moved = args;
        return QVariant();
    });
    frmDoubleBook *w = refusedUpgrade(615);
    ASSERT_TRUE(w->optMove->isEnabled());
    w->optMove->click();
    script->answer(ui::vbOK);
    w->cmdOK->click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("One more step"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("Please choose a class to move the student from."));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(moved.isEmpty());

    const QPointer<frmDoubleBook> watched = w;
    w->lstClasses->setCurrentRow(1);
    w->cmdOK->click();
    flush();
    ASSERT_EQ(moved.size(), 6);
    EXPECT_EQ(moved[0].toInt(), inOther);
    EXPECT_EQ(moved[1].toInt(), 0);
    EXPECT_EQ(moved[2].toInt(), klass);
    EXPECT_EQ(moved[3].value<vb::Currency>(), vb::Currency(100));
    EXPECT_EQ(moved[4].toString(), QStringLiteral("frmViewClass"));
    EXPECT_EQ(moved[5].toInt(), waiting);
    EXPECT_TRUE(watched.isNull());
}

TEST_F(DoubleBook, DoubleClickBringsTheOpenClassViewForwardOrOpensOne)
{
    int made = 0;
    ui::RegisterWindow(QStringLiteral("frmViewClass"), [&made] {
        ++made;
        return new ClassViewStandIn();
    });
    frmDoubleBook *w = refused(615);
    auto *open = new ClassViewStandIn(other);
    open->load();
    w->lstClasses->setCurrentRow(1); // Level 2, whose class view is open
    w->lstClasses_DblClick();
    EXPECT_EQ(made, 0);
    EXPECT_TRUE(open->isVisible());

    w->lstClasses->setCurrentRow(0); // Level 1: none open
    w->lstClasses_DblClick();
    EXPECT_EQ(made, 1);
    auto *opened = qobject_cast<ClassViewStandIn *>(
        ui::Forms::all().last());
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->calls, QStringList{QStringLiteral("LoadOps %1 Edit").arg(klass)});
}

TEST_F(DoubleBook, ARefusedEnrolmentOpensANewWindowEachTime)
{
    EnrolmentRequest r;
    r.caller = adder;
    r.studentId = student;
    r.studentName = QStringLiteral("Amy Ng");
    r.programId = program;
    r.classId = klass;
    r.price = vb::Currency(100);
    script->answer(ui::vbYes); // the no-show question
    BookNow(r);
    script->answer(ui::vbYes);
    BookNow(r);
    QList<frmDoubleBook *> windows;
    for (ui::Form *f : ui::Forms::all()) {
        if (auto *d = qobject_cast<frmDoubleBook *>(f))
            windows << d;
    }
    ASSERT_EQ(windows.size(), 2);
    EXPECT_TRUE(windows[0]->isVisible());
    EXPECT_EQ(windows[1]->lblInfo->text().left(40),
              QStringLiteral("This student is already enrolled in this"));
    EXPECT_FALSE(adder.isNull());
}

TEST_F(DoubleBook, TheOverfillOperationsRunForTheApprovingUser)
{
    for (const char *text : {"Overfill Class", "Upgrade and Overfill Class"}) {
        const useraccess::AuthorisedOperation *op =
            useraccess::FindAuthorisedOperation(QString::fromLatin1(text));
        ASSERT_NE(op, nullptr) << text;
        EXPECT_EQ(op->index, 27);
        EXPECT_TRUE(op->overfill);
    }
    adder->unload();
    flush();
    ui::RegisterWindow(QStringLiteral("frmAddBooking"),
                       [] { return new RecordStandIn(QStringLiteral("frmAddBooking")); });
    useraccess::AuthorisationRequest request;
    request.strMode = QStringLiteral("Overfill Class");
    request.strExtraInfo = QString::number(klass);
    request.userId = QStringLiteral("PAT");
    useraccess::FindAuthorisedOperation(request.strMode)->action(request);
    auto *opened = qobject_cast<RecordStandIn *>(ui::Forms::find(QStringLiteral("frmAddBooking")));
    ui::RegisterWindow(QStringLiteral("frmAddBooking"), {});
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->calls, QStringList{QStringLiteral("LoadUp 1 %1 0 PAT none").arg(klass)});

    const qint32 newcomer = addStudent(QStringLiteral("Bo"), QStringLiteral("Li"));
    const qint32 b = addBooking(klass, newcomer, QStringLiteral("Waiting"));
    request.strMode = QStringLiteral("Upgrade and Overfill Class");
    request.strExtraInfo = QString::number(b);
    useraccess::FindAuthorisedOperation(request.strMode)->action(request);
    EXPECT_EQ(status(b), QStringLiteral("Confirmed"));
    EXPECT_EQ(value(QStringLiteral("SELECT EnrolledByUserID FROM Bookings WHERE BookingID = %1")
                        .arg(b))
                  .toString(),
              QStringLiteral("PAT"));
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM DeleteLog WHERE Action = 'Overfill "
                                   "Class'"))
                  .toString(),
              QStringLiteral("PAT"));
}

} // namespace
