// Enrolling, the waiting list's upgrade and over-fill, and deleting a booking.
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/sqlquote.h"
#include "enrolments/deletions.h"
#include "enrolments/enrolling.h"
#include "enrolments/imodenrolments.h"
#include "fixture/enrolmentsfixture.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"

#include <QLineEdit>
#include <QPointer>

using namespace imodEnrolments;

namespace {

class Enrolling : public AttendanceTest
{
protected:
    void SetUp() override
    {
        AttendanceTest::SetUp();
        addIncomeAccount();
        program = addProgram(QStringLiteral("Term 1"));
        klass = addClass(program);
        student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        startsOn(klass, QDate::currentDate());
        ui::RegisterWindow(QStringLiteral("frmDoubleBook"), [this] {
            auto *w = new RecordStandIn(QStringLiteral("frmDoubleBook"));
            doubleBooks << w;
            return w;
        });
        ui::RegisterWindow(QStringLiteral("frmAbsentRec"), [this] {
            lateStarter = new RecordStandIn(QStringLiteral("frmAbsentRec"));
            return lateStarter.data();
        });
        caller = new RecordStandIn(QStringLiteral("frmAddBooking"));
        caller->load();
        search = loadClassSearch();
        view = new ClassViewStandIn(klass);
        view->load();
    }
    void TearDown() override
    {
        ui::RegisterWindow(QStringLiteral("frmDoubleBook"), {});
        ui::RegisterWindow(QStringLiteral("frmAbsentRec"), {});
        AttendanceTest::TearDown();
    }

    void startsOn(qint32 classId, const QDate &date)
    {
        exec(QStringLiteral("UPDATE Classes SET StartDate = #%1# WHERE ClassID = %2")
                 .arg(date.toString(Qt::ISODate))
                 .arg(classId));
    }
    EnrolmentRequest request(int waitList = 0, int session = 0, int override = 0,
                             qint32 classId = 0)
    {
        EnrolmentRequest r;
        r.caller = caller;
        r.studentId = student;
        r.studentName = QStringLiteral("Amy Ng");
        r.programId = program;
        r.classId = classId ? classId : klass;
        r.waitList = waitList;
        r.price = vb::Currency(100);
        r.override = override;
        r.session = session;
        return r;
    }
    qint32 newestBooking()
    {
        return value(QStringLiteral("SELECT Max(BookingID) FROM Bookings")).toInt();
    }
    QString column(qint32 bookingId, const QString &name)
    {
        return value(QStringLiteral("SELECT %1 FROM Bookings WHERE BookingID = %2")
                         .arg(name)
                         .arg(bookingId))
            .toString();
    }
    // A ledger row of the booking's student; a negative amount is a credit.
    void paid(qint32 bookingId, vb::Currency amount)
    {
        exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Amount, ChargeAmount, "
                            "ChargeGST, DiscountAmount, DiscountGST, Type, [Date]) VALUES (%1, %2, "
                            "%3, 0, 0, 0, 0, 'P', #2026-12-01#)")
                 .arg(bookingId)
                 .arg(value(QStringLiteral("SELECT StudentID FROM Bookings WHERE BookingID = %1")
                                .arg(bookingId))
                          .toInt())
                 .arg(Global::SqlNumber(amount)));
    }
    // A fresh script of the dialogs (the old one goes first: one script at a time).
    void rescript()
    {
        script.reset();
        script = std::make_unique<ui::DialogScript>();
    }
    QStringList titles() const
    {
        QStringList out;
        for (const auto &d : script->shown())
            out << d.title;
        return out;
    }

    qint32 program = 0, klass = 0, student = 0;
    QPointer<RecordStandIn> caller;
    QList<QPointer<RecordStandIn>> doubleBooks;
    QPointer<RecordStandIn> lateStarter;
    TimetableFakeWindow *search = nullptr;
    QPointer<ClassViewStandIn> view;
};

TEST_F(Enrolling, BookNowMakesEachKindOfBookingAndReloadsWhatShowsIt)
{
    const struct
    {
        const char *name;
        int waitList, session, override;
        const char *status;
        int sessionNo;
        QStringList ledger;
        QStringList viewCalls;
        bool searched;
    } cases[] = {
        {"plain", 0, 0, 0, "Confirmed", 0, {"100/10"},
         {"Load_Students", "Load_Assessment_Grid"}, true},
        {"waiting list", 1, 0, 0, "Waiting", 0, {}, {"Load_Waitlist"}, true},
        {"catch-up", 0, 3, 0, "Catch Up", 3, {}, {"Load_CatchUp_Students"}, false},
        {"override", 0, 0, -1, "Confirmed", 0, {"100/10"},
         {"Load_Students", "Load_Assessment_Grid"}, true},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        const qint32 c = addClass(program, QString::fromLatin1(k.name));
        startsOn(c, QDate::currentDate());
        auto *v = new ClassViewStandIn(c);
        v->load();
        caller = new RecordStandIn(QStringLiteral("frmAddBooking"));
        caller->load();
        search->calls.clear();
        BookNow(request(k.waitList, k.session, k.override, c));
        flush();
        const qint32 b = newestBooking();
        EXPECT_EQ(value(QStringLiteral("SELECT ClassID FROM Bookings WHERE BookingID = %1")
                            .arg(b))
                      .toInt(),
                  c);
        EXPECT_EQ(column(b, QStringLiteral("Status")), QLatin1String(k.status));
        EXPECT_EQ(column(b, QStringLiteral("SessionNo")).toInt(), k.sessionNo);
        EXPECT_EQ(column(b, QStringLiteral("EnrolledByUserID")), QStringLiteral("i"));
        EXPECT_EQ(ledger(b), k.ledger);
        EXPECT_EQ(v->calls, k.viewCalls);
        EXPECT_EQ(search->calls.contains(QStringLiteral("CheckBeforeFill")), k.searched);
        EXPECT_TRUE(caller.isNull()); // the caller closed
        if (k.viewCalls.contains(QStringLiteral("Load_Students"))) {
            EXPECT_EQ(ui::tag(v->agrd), QStringLiteral("Loaded"));
        }
        // The other class's view was left alone.
        EXPECT_TRUE(view->calls.isEmpty());
        v->unload();
        // Next case: a new student, so that nothing refuses.
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(k.name));
    }
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_TRUE(doubleBooks.isEmpty());
    EXPECT_TRUE(lateStarter.isNull());
}

TEST_F(Enrolling, BookNowRecordsTheEnrollingUserAndTheDefaultStatus)
{
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultStatus),
                                         QStringLiteral("Tentative"));
    auto r = request();
    r.userId = QStringLiteral("PAT");
    BookNow(r);
    EXPECT_EQ(column(newestBooking(), QStringLiteral("Status")), QStringLiteral("Tentative"));
    EXPECT_EQ(column(newestBooking(), QStringLiteral("EnrolledByUserID")), QStringLiteral("PAT"));
}

TEST_F(Enrolling, BookNowAsksAboutNoShowsAndOverdueFees)
{
    // One no-show elsewhere, and 40.00 overdue on a booking of a program whose overdue
    // date has passed.
    const qint32 other = addClass(addProgram(QStringLiteral("Term 0")));
    addBooking(other, student, QStringLiteral("No Show"));
    const qint32 owing = addBooking(other, student, QStringLiteral("Cancelled"));
    paid(owing, vb::Currency(-40));
    const QString noShows = QStringLiteral(
        "This student [Amy Ng] has 1 No Show bookings recorded against their name. Are you sure "
        "you wish to allow this student to enrol?");
    const QString overdue = QStringLiteral(
        "This student [Amy Ng] has $40.00 in overdue fees recorded against their name. Are you "
        "sure you wish to allow this student to enrol?");
    const struct
    {
        const char *name;
        int session;
        QList<int> answers;
        QStringList asked;
        bool booked;
    } cases[] = {
        {"no to the no-shows", 0, {ui::vbNo}, {noShows}, false},
        {"no to the overdue fees", 0, {ui::vbYes, ui::vbNo}, {noShows, overdue}, false},
        {"a catch-up is asked only about fees", 2, {ui::vbNo}, {overdue}, false},
        {"yes to both", 0, {ui::vbYes, ui::vbYes}, {noShows, overdue}, true},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        rescript();
        for (int a : k.answers)
            script->answer(a);
        const qint32 before = newestBooking();
        BookNow(request(0, k.session));
        flush();
        QStringList asked;
        for (const auto &d : script->shown()) {
            asked << d.text;
            EXPECT_EQ(d.title, QStringLiteral("Please check this..."));
        }
        EXPECT_EQ(asked, k.asked);
        EXPECT_EQ(newestBooking() != before, k.booked);
        EXPECT_EQ(caller.isNull(), k.booked);
    }
    // With the override nothing is asked.
    caller = new RecordStandIn(QStringLiteral("frmAddBooking"));
    caller->load();
    rescript();
    BookNow(request(0, 0, -1));
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(Enrolling, BookNowRefusesDoubleEnrolments)
{
    const qint32 sameProgram = addClass(program, QStringLiteral("Level 2"));
    const struct
    {
        const char *name;
        const char *existingStatus;
        bool existingInThisClass;
        int waitList, session;
        int refusal; // 0: booked
    } cases[] = {
        {"waiting-list request, enrolled in the class", "Confirmed", true, 1, 0, 614},
        {"catch-up request, enrolled in the class", "Tentative", true, 0, 2, 614},
        {"only booking in another class of the program", "Confirmed", false, 0, 0, 615},
        {"waiting list, enrolled elsewhere in the program", "Confirmed", false, 1, 0, 0},
        {"catch-up, enrolled elsewhere in the program", "Tentative", false, 0, 4, 0},
        {"already waiting", "Waiting", true, 0, 0, 616},
        {"already waiting, asking for a catch-up", "Waiting", true, 0, 1, 0},
        {"cancelled elsewhere in the program", "Cancelled", false, 0, 0, 0},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(k.name));
        addBooking(k.existingInThisClass ? klass : sameProgram, student,
                   QString::fromLatin1(k.existingStatus));
        caller = new RecordStandIn(QStringLiteral("frmAddBooking"));
        caller->load();
        doubleBooks.clear();
        rescript();
        if (k.refusal == 616)
            script->answer(ui::vbOK);
        const qint32 before = newestBooking();
        BookNow(request(k.waitList, k.session));
        flush();
        EXPECT_EQ(newestBooking() != before, k.refusal == 0);
        EXPECT_EQ(caller.isNull(), k.refusal == 0);
        if (k.refusal == 614 || k.refusal == 615) {
            ASSERT_EQ(doubleBooks.size(), 1);
            EXPECT_EQ(doubleBooks[0]->calls,
                      QStringList{QStringLiteral("LoadMe %1 Amy Ng %2 %3 %4 100 %5 %6")
                                      .arg(student)
                                      .arg(program)
                                      .arg(klass)
                                      .arg(k.waitList)
                                      .arg(k.refusal)
                                      .arg(k.session)});
            EXPECT_TRUE(doubleBooks[0]->isVisible());
        } else {
            EXPECT_TRUE(doubleBooks.isEmpty());
        }
        if (k.refusal == 616) {
            ASSERT_EQ(script->shown().size(), 1);
            EXPECT_EQ(script->shown()[0].title, QStringLiteral("For Your Information"));
            EXPECT_EQ(script->shown()[0].text,
                      QStringLiteral("The student is already enrolled in this class on the "
                                     "waiting list."));
        }
        if (caller)
            caller->unload();
    }
}

TEST_F(Enrolling, ClassesChargedOtherwiseAreNotChargedButStillOfferTheLateStart)
{
    for (const char *mode : {"Attendance", "Payment Plan"}) {
        SCOPED_TRACE(mode);
        const qint32 c = addClass(program, QString::fromLatin1(mode), QStringLiteral("Tuesday"),
                                  9, 0, vb::Currency(100), 10, 0, QString::fromLatin1(mode));
        startsOn(c, QDate::currentDate().addDays(-7));
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(mode));
        BookNow(request(0, 0, 0, c));
        const qint32 b = newestBooking();
        EXPECT_EQ(column(b, QStringLiteral("ClassID")).toInt(), c);
        EXPECT_TRUE(ledger(b).isEmpty());
        ASSERT_FALSE(lateStarter.isNull());
        EXPECT_EQ(lateStarter->calls.last(), QStringLiteral("Init %1").arg(b));
        EXPECT_TRUE(lateStarter->isVisible());
    }
}

TEST_F(Enrolling, TheLateStartIsOfferedOnlyForAClassThatStartedOnAnEarlierDay)
{
    const struct
    {
        int daysAgo;
        int waitList;
        bool offered;
    } cases[] = {{0, 0, false}, {1, 0, true}, {-5, 0, false}, {30, 1, false}};
    for (const auto &k : cases) {
        SCOPED_TRACE(k.daysAgo);
        startsOn(klass, QDate::currentDate().addDays(-k.daysAgo));
        student = addStudent(QStringLiteral("Kid"), QString::number(k.daysAgo));
        if (lateStarter)
            lateStarter->unload();
        flush();
        BookNow(request(k.waitList));
        EXPECT_EQ(!lateStarter.isNull(), k.offered);
        if (k.offered) {
            EXPECT_EQ(lateStarter->calls,
                      QStringList{QStringLiteral("Init %1").arg(newestBooking())});
        }
    }
}

TEST_F(Enrolling, ACreditIsOfferedAfterTheBookingIsWritten)
{
    const struct
    {
        const char *name;
        vb::Currency credit;
        int answer;
        QStringList ledger;
        vb::Currency otherBookingNet;
    } cases[] = {
        {"credit 30, yes", vb::Currency(30), ui::vbYes, {"100/10", "-30/-3"}, vb::Currency(0)},
        {"credit 150, yes", vb::Currency(150), ui::vbYes, {"100/10", "-150/-15"},
         vb::Currency(0)},
        {"credit 30, no", vb::Currency(30), ui::vbNo, {"100/10"}, vb::Currency(-30)},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(k.name));
        const qint32 old = addBooking(klass, student, QStringLiteral("Cancelled"));
        paid(old, k.credit);
        rescript();
        script->answer(k.answer);
        BookNow(request());
        const qint32 b = newestBooking();
        ASSERT_EQ(script->shown().size(), 1);
        EXPECT_EQ(script->shown()[0].title, QStringLiteral("Use credit this term?"));
        EXPECT_EQ(ledger(b), k.ledger);
        EXPECT_EQ(GetBookingOwing(old), k.otherBookingNet);
        // Whatever the answer, the student's balance is the price less the credit.
        EXPECT_EQ(imodStudents::GetStudentBalance(student), vb::Currency(100) - k.credit);
    }
    // 150 of credit on a price of 100 leaves the new booking 50 in credit.
    EXPECT_EQ(GetBookingOwing(newestBooking() - 2), vb::Currency(-50));
}

TEST_F(Enrolling, ARowOrChargeThatCannotBeWrittenLeavesNothing)
{
    const struct
    {
        const char *table;
        QStringList titles;
    } cases[] = {
        {"Bookings", {"Add New Booking Error"}},
        {"Payments", {"Error in Adding Charge"}},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.table);
        block(QString::fromLatin1(k.table), QStringLiteral("INSERT"));
        rescript();
        script->answer(ui::vbOK);
        const int before = count(QStringLiteral("SELECT * FROM Bookings"));
        BookNow(request());
        flush();
        EXPECT_EQ(titles(), k.titles);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), before);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 0);
        EXPECT_FALSE(caller.isNull());
        EXPECT_TRUE(view->calls.isEmpty());
        EXPECT_TRUE(lateStarter.isNull());
        runSqlite("DROP TRIGGER Block" + QByteArray(k.table) + "INSERT;");
    }
}

TEST_F(Enrolling, ProgramCopyChargesCopiedBookingsWithoutAskingAboutCredit)
{
    const qint32 target = addClass(program, QStringLiteral("Level 2"));
    addBooking(klass, student);
    const qint32 old = addBooking(klass, student, QStringLiteral("Cancelled"));
    paid(old, vb::Currency(30));
    imodClasses::CopyClassBookings(klass, target, false);
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(ledger(newestBooking()), QStringList{QStringLiteral("100/10")});
    EXPECT_EQ(GetBookingOwing(old), vb::Currency(-30));
}

TEST_F(Enrolling, PreferencesAreStoredAsTypedWithTheTimeOfListing)
{
    const QStringList typed = {QStringLiteral("Mondays \"after\" 4 o'clock"),
                               QStringLiteral("#1 choice; then #2"),
                               QStringLiteral("<b>not</b> &amp; Tuesdays"), QString()};
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    for (const QString &text : typed) {
        SCOPED_TRACE(text.toStdString());
        const qint32 s = addStudent(QStringLiteral("Kid"), QStringLiteral("Pref"));
        EXPECT_EQ(AddToPreEnrolList(s, program, text), 0);
        EXPECT_EQ(vb::CStr(vb::Nz(value(QStringLiteral("SELECT Preferences FROM PreEnrol WHERE "
                                                       "StudentID = %1")
                                            .arg(s)))),
                  text);
        const QDateTime listed =
            value(QStringLiteral("SELECT ListedAt FROM PreEnrol WHERE StudentID = %1").arg(s))
                .toDateTime();
        EXPECT_GE(listed, before);
        EXPECT_LE(listed, QDateTime::currentDateTime().addSecs(1));
    }
    // A second listing of the same student in the program is refused with its number.
    const qint32 s = addStudent(QStringLiteral("Kid"), QStringLiteral("Twice"));
    ASSERT_EQ(AddToPreEnrolList(s, program, QStringLiteral("a")), 0);
    EXPECT_NE(AddToPreEnrolList(s, program, QStringLiteral("b")), 0);
}

TEST_F(Enrolling, OpenWindowsAreReloadedByRecord)
{
    auto *mine = new RecordStandIn(QStringLiteral("frmStudentDetails"), student);
    auto *other = new RecordStandIn(QStringLiteral("frmStudentDetails"), student + 1);
    mine->load();
    other->load();
    EXPECT_TRUE(RefreshStudentWindow(student));
    EXPECT_EQ(mine->calls, QStringList{QStringLiteral("Load_LTS_History")});
    EXPECT_TRUE(other->calls.isEmpty());

    // A second view of the same class is reloaded too; a view without the member fails.
    auto *second = new ClassViewStandIn(klass);
    second->load();
    EXPECT_TRUE(RefreshClassWindow(klass, -1, 0));
    EXPECT_EQ(view->calls, QStringList{QStringLiteral("Load_CatchUp_Students")});
    EXPECT_EQ(second->calls, QStringList{QStringLiteral("Load_CatchUp_Students")});
    auto *odd = new RecordStandIn(QStringLiteral("frmViewClass"), klass);
    odd->load();
    script->answer(ui::vbOK);
    EXPECT_FALSE(RefreshClassWindow(klass, 0, -1));
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Refresh Error"));
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when refreshing class details (Err#438 - ")));
}

TEST_F(Enrolling, OpenAddBookingShowsTheRegisteredWindow)
{
    caller->unload();
    flush();
    OpenAddBooking(QStringLiteral("PAT"), klass, QStringLiteral("I")); // nothing registered
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAddBooking")), nullptr);
    ui::RegisterWindow(QStringLiteral("frmAddBooking"),
                       [] { return new RecordStandIn(QStringLiteral("frmAddBooking")); });
    OpenAddBooking(QStringLiteral("PAT"), klass, QStringLiteral("I"));
    auto *w = qobject_cast<RecordStandIn *>(ui::Forms::find(QStringLiteral("frmAddBooking")));
    ui::RegisterWindow(QStringLiteral("frmAddBooking"), {});
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->calls, QStringList{QStringLiteral("LoadUp 1 %1 0 I none").arg(klass)});
}

// --- The waiting list ---------------------------------------------------------

TEST_F(Enrolling, UpgradeTakesAWaitingBookingIntoItsClass)
{
    const struct
    {
        const char *mode;
        QStringList ledger;
    } cases[] = {
        {"Enrolment", {"100/10"}},
        {"Attendance", {}},
        {"Payment Plan", {"100/10"}},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.mode);
        const qint32 c = addClass(program, QString::fromLatin1(k.mode), QStringLiteral("Friday"),
                                  9, 0, vb::Currency(100), 10, 0, QString::fromLatin1(k.mode));
        startsOn(c, QDate::currentDate().addDays(-3));
        auto *v = new ClassViewStandIn(c);
        v->load();
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(k.mode));
        const qint32 b = addBooking(c, student, QStringLiteral("Waiting"));
        exec(QStringLiteral("UPDATE Bookings SET EnrolledByUserID = 'SAM' WHERE BookingID = %1")
                 .arg(b));
        UpgradeFromWaitList(b, 0, vb::Currency(100), QString());
        EXPECT_EQ(column(b, QStringLiteral("Status")), QStringLiteral("Confirmed"));
        EXPECT_EQ(column(b, QStringLiteral("EnrolledByUserID")), QStringLiteral("SAM"));
        EXPECT_EQ(ledger(b), k.ledger);
        EXPECT_EQ(v->calls, (QStringList{QStringLiteral("Load_Students"),
                                         QStringLiteral("Load_Waitlist")}));
        ASSERT_FALSE(lateStarter.isNull());
        EXPECT_EQ(lateStarter->calls.last(), QStringLiteral("Init %1").arg(b));
        v->unload();
    }
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(Enrolling, UpgradeOfAStudentAlreadyEnrolledOpensTheDoubleBookingWindow)
{
    const qint32 other = addClass(program, QStringLiteral("Level 2"));
    const struct
    {
        const char *name;
        qint32 enrolledIn;
        int skipChecks;
        int refusal;
    } cases[] = {
        {"in the class", klass, 0, 614},
        {"elsewhere in the program (its only booking there)", other, 0, 615},
        {"checks skipped", klass, -1, 0},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(k.name));
        addBooking(k.enrolledIn, student);
        const qint32 b = addBooking(klass, student, QStringLiteral("Waiting"));
        doubleBooks.clear();
        UpgradeFromWaitList(b, k.skipChecks, vb::Currency(100), QStringLiteral("I"));
        EXPECT_EQ(column(b, QStringLiteral("Status")),
                  k.refusal ? QStringLiteral("Waiting") : QStringLiteral("Confirmed"));
        EXPECT_EQ(ledger(b).size(), k.refusal ? 0 : 1);
        if (k.refusal) {
            ASSERT_EQ(doubleBooks.size(), 1);
            EXPECT_EQ(doubleBooks[0]->calls,
                      QStringList{QStringLiteral("LoadMeUWL %1 %2 %3 %4 100 0")
                                      .arg(k.refusal)
                                      .arg(b)
                                      .arg(student)
                                      .arg(program)});
        } else {
            EXPECT_TRUE(doubleBooks.isEmpty());
            EXPECT_EQ(column(b, QStringLiteral("EnrolledByUserID")), QStringLiteral("I"));
        }
    }
}

TEST_F(Enrolling, UpgradeWhoseChargeFailsLeavesTheBookingWaiting)
{
    const qint32 b = addBooking(klass, student, QStringLiteral("Waiting"));
    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    script->answer(ui::vbOK);
    UpgradeFromWaitList(b, 0, vb::Currency(100), QStringLiteral("I"));
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Error in Adding Charge")});
    EXPECT_EQ(column(b, QStringLiteral("Status")), QStringLiteral("Waiting"));
    EXPECT_TRUE(view->calls.isEmpty());

    // A booking that is gone: said in the "Error" box, nothing written.
    rescript();
    script->answer(ui::vbOK);
    UpgradeFromWaitList(b + 100, -1, vb::Currency(100), QStringLiteral("I"));
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(script->shown()[0].text.endsWith(QStringLiteral(" (Err#3021)")));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 0);
}

TEST_F(Enrolling, OverfillWritesItsAuditRowFirstAndChargesTheClassPrice)
{
    const qint32 perSession = addClass(program, QStringLiteral("Level 3"), QStringLiteral("Monday"),
                                       17, 0, vb::Currency(100), 10, 1);
    const struct
    {
        const char *name;
        qint32 classId;
        bool alreadyEnrolled;
        QString enrollingUser;
        QStringList ledger;
        const char *status;
    } cases[] = {
        {"from the class view", klass, false, QStringLiteral("I"), {"100/10"}, "Confirmed"},
        {"after authorisation", klass, false, QStringLiteral("pat"), {"100/10"}, "Confirmed"},
        {"charged per session", perSession, false, QStringLiteral("I"), {"0/0"}, "Confirmed"},
        {"refused, the audit row stays", klass, true, QStringLiteral("I"), {}, "Waiting"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(k.name));
        if (k.alreadyEnrolled)
            addBooking(k.classId, student);
        const qint32 b = addBooking(k.classId, student, QStringLiteral("Waiting"));
        exec(QStringLiteral("DELETE FROM DeleteLog"));
        OverfillFromWaitList(QStringLiteral("pat"), b, k.enrollingUser);
        EXPECT_EQ(value(QStringLiteral("SELECT Count(*) FROM DeleteLog WHERE Record = %1 AND "
                                       "Action = 'Overfill Class' AND UserID = 'PAT'")
                            .arg(Global::SqlText(QStringLiteral("Class #%1").arg(k.classId))))
                      .toInt(),
                  1);
        EXPECT_EQ(column(b, QStringLiteral("Status")), QLatin1String(k.status));
        EXPECT_EQ(ledger(b), k.ledger);
        if (!k.alreadyEnrolled) {
            EXPECT_EQ(column(b, QStringLiteral("EnrolledByUserID")), k.enrollingUser);
        }
    }
}

// --- Deleting a booking -------------------------------------------------------

TEST_F(Enrolling, DeletingABookingBalancesItsLedgerAndLeavesAnAuditRow)
{
    const struct
    {
        const char *name;
        vb::Currency charged, paid;
        QString balancing;
    } cases[] = {
        {"owing 60", vb::Currency(100), vb::Currency(40), QStringLiteral("-60/-6")},
        {"no rows", vb::Currency(0), vb::Currency(0), QStringLiteral("0/0")},
        {"in credit by 20", vb::Currency(100), vb::Currency(120), QStringLiteral("20/2")},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        student = addStudent(QStringLiteral("Kid"), QString::fromLatin1(k.name));
        const qint32 b = addBooking(klass, student);
        if (k.charged != vb::Currency())
            exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Amount, ChargeAmount, "
                                "ChargeGST, DiscountAmount, DiscountGST, Type) VALUES (%1, %2, 0, "
                                "%3, 0, 0, 0, 'C')")
                     .arg(b)
                     .arg(student)
                     .arg(Global::SqlNumber(k.charged)));
        if (k.paid != vb::Currency())
            paid(b, k.paid);
        const QStringList before = ledger(b);
        auto *booking = new RecordStandIn(QStringLiteral("frmBooking"), b);
        auto *otherBooking = new RecordStandIn(QStringLiteral("frmBooking"), b + 1000);
        booking->load();
        otherBooking->load();
        const QPointer<RecordStandIn> watched = booking;
        const QPointer<RecordStandIn> otherWatched = otherBooking;
        view->calls.clear();
        exec(QStringLiteral("DELETE FROM DeleteLog"));

        EXPECT_EQ(DeleteBookingRecord(QStringLiteral("pat"), b), 0);
        flush();
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE BookingID = %1").arg(b)), 0);
        EXPECT_EQ(ledger(b), before + QStringList{k.balancing});
        EXPECT_EQ(GetBookingOwing(b), vb::Currency());
        EXPECT_EQ(value(QStringLiteral("SELECT Record & '|' & Action & '|' & UserID FROM "
                                       "DeleteLog"))
                      .toString(),
                  QStringLiteral("Kid %1 from Class #%2|Delete|PAT")
                      .arg(QString::fromLatin1(k.name))
                      .arg(klass));
        EXPECT_TRUE(watched.isNull());
        EXPECT_FALSE(otherWatched.isNull());
        EXPECT_EQ(view->calls, QStringList{QStringLiteral("Load_Students")});
        EXPECT_TRUE(search->searched());
        otherBooking->unload();
    }
}

TEST_F(Enrolling, AFailedDeletionWritesNothingAndSaysSo)
{
    enrolments::RegisterDeletions();
    const qint32 b = addBooking(klass, student);
    paid(b, vb::Currency(-50));
    auto *booking = new RecordStandIn(QStringLiteral("frmBooking"), b);
    booking->load();
    const QPointer<RecordStandIn> watched = booking;
    block(QStringLiteral("Bookings"), QStringLiteral("DELETE"));
    QString description;
    EXPECT_NE(DeleteBookingRecord(QStringLiteral("PAT"), b, &description), 0);
    EXPECT_FALSE(description.isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE BookingID = %1").arg(b)), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog")), 0);
    EXPECT_EQ(ledger(b).size(), 1);
    EXPECT_FALSE(watched.isNull());

    // Through the delete confirmation window, the failure is shown with its number.
    script->answer(ui::vbOK);
    ASSERT_TRUE(frmConfirmDelete::Request(QStringLiteral("Delete Booking"), QString::number(b),
                                          QStringLiteral("PAT")));
    auto *confirm = ui::Forms::shared<frmConfirmDelete>();
    confirm->txtField->setText(QStringLiteral("yes"));
    confirm->cmdOK_Click();
    flush();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Oops!"));
    EXPECT_TRUE(script->shown()[0].text.contains(QStringLiteral("(Err#")));
    EXPECT_FALSE(watched.isNull());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE BookingID = %1").arg(b)), 1);
    frmConfirmDelete::RegisterDeletion(QStringLiteral("Delete Booking"), {});
}

TEST_F(Enrolling, DeletingAMissingBookingWritesNothingAndClosesItsWindow)
{
    auto *booking = new RecordStandIn(QStringLiteral("frmBooking"), 4242);
    booking->load();
    const QPointer<RecordStandIn> watched = booking;
    EXPECT_EQ(DeleteBookingRecord(QStringLiteral("PAT"), 4242), 0);
    flush();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 0);
    EXPECT_TRUE(view->calls.isEmpty());
}

} // namespace
