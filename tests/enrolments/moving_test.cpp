// Moving a booking into another class and booking a student off the pre-enrolment list.
#include "core/globaldata.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "platform/jet/recordset.h"
#include "access/permissions.h"
#include "enrolments/enrolling.h"
#include "enrolments/imodenrolments.h"
#include "enrolments/moving.h"
#include "fixture/enrolmentsfixture.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"

#include <QPointer>

using namespace imodEnrolments;

// Stands in for the authorisation window, the move window and the list window:
// records LoadUp and Load_PreEnrolments.
class MoveStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit MoveStandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadUp(ui::Form *xf, const QString &mode, const QString &extra)
    {
        calls << QStringLiteral("LoadUp %1 %2 [%3]")
                     .arg(xf ? xf->name() : QStringLiteral("none"), mode, extra);
    }
    Q_INVOKABLE void Load_PreEnrolments() { calls << QStringLiteral("Load_PreEnrolments"); }
    QStringList calls;
};

namespace {

class Moving : public AttendanceTest
{
protected:
    void SetUp() override
    {
        AttendanceTest::SetUp();
        Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
        addIncomeAccount();
        program = addProgram(QStringLiteral("Term 1"));
        student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        other = addStudent(QStringLiteral("Bo"), QStringLiteral("Li"));
        search = loadClassSearch();
        ui::RegisterWindow(QStringLiteral("frmPassword"), [this] {
            if (!password) {
                password = new MoveStandIn(QStringLiteral("frmPassword"));
                password->load();
            }
            return password.data();
        });
        mover = new MoveStandIn(QStringLiteral("frmMoveStudent"));
        mover->load();
        setCopyAttendance(0);
    }
    void TearDown() override
    {
        ui::RegisterWindow(QStringLiteral("frmPassword"), {});
        Global::CurrentUserId = QStringLiteral("i");
        Global::LoadCurrentUserRights();
        setCopyAttendance(0);
        AttendanceTest::TearDown();
    }
    static void setCopyAttendance(int on)
    {
        Global::CentreSettings().setSettings(int(CentreSettingIds::AllowOverfill), on);
    }
    qint32 priced(int cost, const QString &mode = QStringLiteral("Enrolment"), int perSession = 0,
                  int max = 10)
    {
        return addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30,
                        vb::Currency(cost), max, perSession, mode);
    }
    // A ledger row: a charge, a payment or a reversal of a payment.
    void ledgerRow(qint32 bookingId, int charge, int paid, const char *receipt)
    {
        exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Amount, ChargeAmount, ChargeGST, "
                            "DiscountAmount, DiscountGST, Type, ReceiptNo, [Date]) VALUES (%1, %2, "
                            "%3, %4, 0, 0, 0, 'P', '%5', #2026-12-01#)")
                 .arg(bookingId)
                 .arg(student)
                 .arg(paid)
                 .arg(charge)
                 .arg(QLatin1String(receipt)));
    }
    QString column(qint32 bookingId, const QString &name)
    {
        return value(QStringLiteral("SELECT %1 FROM Bookings WHERE BookingID = %2")
                         .arg(name)
                         .arg(bookingId))
            .toString();
    }
    qint32 newestBooking() { return value(QStringLiteral("SELECT Max(BookingID) FROM Bookings")).toInt(); }
    QStringList titles() const
    {
        QStringList out;
        for (const auto &d : script->shown())
            out << d.title;
        return out;
    }
    // Everything a move may change, to compare before and after.
    QString snapshot()
    {
        QStringList out;
        for (const char *sql :
             {"SELECT BookingID & ':' & StudentID & ':' & ClassID & ':' & [Status] FROM Bookings "
              "ORDER BY BookingID",
              "SELECT PaymentID & ':' & BookingID & ':' & ChargeAmount FROM Payments ORDER BY "
              "PaymentID",
              "SELECT AttendanceID & ':' & BKID FROM Attend ORDER BY AttendanceID",
              "SELECT StudentID & ':' & ProgramID FROM PreEnrol ORDER BY StudentID"}) {
            jet::Recordset rs(Global::DbConnection(), QString::fromLatin1(sql));
            for (; !rs.eof(); rs.moveNext())
                out << vb::CStr(rs.value(0));
            out << QStringLiteral("|");
        }
        return out.join(QLatin1Char(' '));
    }
    // A fresh script of the dialogs (the old one goes first: one script at a time).
    void rescript(ui::DialogScript::Mode mode = ui::DialogScript::Mode::Throw)
    {
        script.reset();
        script = std::make_unique<ui::DialogScript>(mode);
    }
    void signInWithoutRights()
    {
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('nobody', 'No Rights', '', 0)"));
        Global::CurrentUserId = QStringLiteral("nobody");
        Global::LoadCurrentUserRights();
    }
    void move(qint32 booking, qint32 target, const QString &opener = QStringLiteral("View Class"),
              int sixth = 0)
    {
        MoveBookingToClass(booking, false, target, vb::Currency(7), opener, sixth);
        flush();
    }

    qint32 program = 0, student = 0, other = 0;
    TimetableFakeWindow *search = nullptr;
    QPointer<MoveStandIn> password;
    QPointer<MoveStandIn> mover;
};

TEST_F(Moving, TheNewBookingTakesTheStatusTheLedgerAndAsSetTheAttendance)
{
    const struct
    {
        const char *status;
        int copyAttendance;
    } cases[] = {{"Tentative", 0}, {"Confirmed", 1}, {"Cancelled", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        setCopyAttendance(c.copyAttendance);
        const qint32 from = priced(120), to = priced(120);
        const qint32 old = addBooking(from, student, QString::fromLatin1(c.status));
        ledgerRow(old, 120, 0, "Charge");
        ledgerRow(old, 0, 50, "R1");
        ledgerRow(old, -50, 0, "Reversal");
        addAttend(old, 1, QStringLiteral("Attended"));
        addAttend(old, 2, QStringLiteral("DNA"));
        if (!mover) {
            mover = new MoveStandIn(QStringLiteral("frmMoveStudent"));
            mover->load();
        }
        script->answer(ui::vbOK);
        move(old, to);

        const qint32 moved = newestBooking();
        ASSERT_NE(moved, old);
        EXPECT_EQ(column(moved, "Status"), QString::fromLatin1(c.status));
        EXPECT_EQ(column(moved, "ClassID").toInt(), to);
        EXPECT_EQ(column(moved, "StudentID").toInt(), student);
        EXPECT_EQ(column(old, "Status"), QStringLiteral("Moved"));
        EXPECT_EQ(vb::CCur(value(QStringLiteral("SELECT Owing FROM Bookings WHERE BookingID = %1")
                                     .arg(old))),
                  vb::Currency());
        EXPECT_EQ(ledger(moved), (QStringList{"120/0", "0/0", "-50/0"}));
        EXPECT_TRUE(ledger(old).isEmpty());
        EXPECT_EQ(marks(moved).size(), c.copyAttendance ? 2 : 0);
        EXPECT_EQ(marks(old).size(), c.copyAttendance ? 0 : 2);
        ASSERT_EQ(script->shown().size(), 1);
        EXPECT_EQ(script->shown()[0].title, QStringLiteral("Success!"));
        EXPECT_EQ(script->shown()[0].text, QStringLiteral("Student has been successfully moved."));
        EXPECT_TRUE(mover.isNull()); // every move window closes
        rescript();
    }
}

TEST_F(Moving, ThePriceDifferenceIsChargedOnlyIntoAClassChargedOnEnrolment)
{
    const struct
    {
        const char *name;
        int fromCost, fromPerSession, toCost;
        const char *toMode;
        QStringList charged;
    } cases[] = {
        {"dearer", 120, 0, 150, "Enrolment", {"30/3"}},
        {"cheaper", 150, 0, 120, "Enrolment", {"-30/-3"}},
        {"equal", 120, 0, 120, "Enrolment", {}},
        {"by attendance", 120, 0, 150, "Attendance", {}},
        {"from per session", 120, 1, 150, "Enrolment", {"150/15"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const qint32 from = priced(c.fromCost, QStringLiteral("Enrolment"), c.fromPerSession);
        const qint32 to = priced(c.toCost, QString::fromLatin1(c.toMode));
        const qint32 old = addBooking(from, student);
        script->answer(ui::vbOK);
        move(old, to);
        EXPECT_EQ(ledger(newestBooking()), c.charged);
        rescript();
    }
}

TEST_F(Moving, TheOpenerChoosesWhatIsRefreshed)
{
    const qint32 from = priced(100), to = priced(100);
    auto *fromView = new ClassViewStandIn(from);
    auto *toView = new ClassViewStandIn(to);
    auto *record = new RecordStandIn(QStringLiteral("frmStudentDetails"), student);
    for (ui::Form *f : {static_cast<ui::Form *>(fromView), static_cast<ui::Form *>(toView),
                        static_cast<ui::Form *>(record)})
        f->load();
    const struct
    {
        const char *opener;
        bool views, records;
    } cases[] = {{"View Class", true, false}, {"View Students", false, true},
                 {"frmViewClass", false, false}};
    qint32 booking = addBooking(from, student);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.opener);
        fromView->calls.clear();
        toView->calls.clear();
        record->calls.clear();
        search->calls.clear();
        script->answer(ui::vbOK);
        move(booking, booking == 0 ? to : (column(booking, "ClassID").toInt() == from ? to : from),
             QString::fromLatin1(c.opener));
        booking = newestBooking();
        EXPECT_EQ(fromView->calls.contains(QStringLiteral("Load_Students")), c.views);
        EXPECT_EQ(toView->calls.contains(QStringLiteral("Load_Students")), c.views);
        EXPECT_EQ(record->calls.contains(QStringLiteral("Load_LTS_History")), c.records);
        EXPECT_EQ(search->calls, QStringList{QStringLiteral("CheckBeforeFill")});
        rescript();
    }
}

TEST_F(Moving, AFullClassAsksAndWithoutTheRightWaitsForAuthorisation)
{
    const qint32 from = priced(100), full = priced(100, QStringLiteral("Enrolment"), 0, 1);
    addBooking(full, other);
    const qint32 old = addBooking(from, student);
    const QString before = snapshot();

    // No: nothing changes, the move window stays.
    script->answer(ui::vbNo);
    move(old, full);
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Full Class")});
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("This class is full. Are you sure you want to over-fill this class?"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(mover.isNull());

    // Yes without the right: the authorisation window is asked, the move parked.
    signInWithoutRights();
    rescript();
    script->answer(ui::vbYes);
    MoveBookingToClass(old, false, full, vb::Currency(55), QStringLiteral("View Students"), 9);
    flush();
    ASSERT_FALSE(password.isNull());
    EXPECT_EQ(password->calls, QStringList{QStringLiteral("LoadUp none Move to Full Class []")});
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(mover.isNull());
    EXPECT_EQ(Global::PendingMoveBookingID, old);
    EXPECT_EQ(Global::PendingMoveClassID, full);
    EXPECT_EQ(Global::PendingMoveCost, vb::Currency(55));
    EXPECT_EQ(Global::PendingMoveOpener, QStringLiteral("View Students"));
    EXPECT_EQ(Global::PendingMoveFlag, 9);

    // Approved: the whole move without another question.
    rescript();
    script->answer(ui::vbOK);
    ResumeMoveBooking();
    flush();
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Success!")});
    EXPECT_EQ(column(newestBooking(), "ClassID").toInt(), full);
    EXPECT_EQ(column(old, "Status"), QStringLiteral("Moved"));
    EXPECT_TRUE(mover.isNull());

    // With the right: one question, then the move.
    Global::CurrentUserId = QStringLiteral("i");
    Global::LoadCurrentUserRights();
    const qint32 second = addBooking(from, other);
    rescript();
    script->answer(ui::vbYes).answer(ui::vbOK);
    move(second, full);
    EXPECT_EQ(titles(), (QStringList{"Full Class", "Success!"}));
    EXPECT_EQ(column(second, "Status"), QStringLiteral("Moved"));
}

TEST_F(Moving, TheNamedWaitingBookingOfTheStudentGoesWithItsAuditRow)
{
    const qint32 from = priced(100), to = priced(100);
    const qint32 old = addBooking(from, student);
    const qint32 waiting = addBooking(to, student, QStringLiteral("Waiting"));
    const qint32 othersWaiting = addBooking(to, other, QStringLiteral("Waiting"));
    script->answer(ui::vbOK);
    move(old, to, QStringLiteral("frmViewClass"), othersWaiting); // another student's: stays
    EXPECT_EQ(column(othersWaiting, "Status"), QStringLiteral("Waiting"));

    const qint32 again = addBooking(from, student);
    rescript();
    script->answer(ui::vbOK);
    move(again, to, QStringLiteral("frmViewClass"), waiting);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE BookingID = %1").arg(waiting)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog WHERE [Action] = 'Delete'")), 1);
    EXPECT_EQ(ledger(waiting), QStringList{QStringLiteral("0/0")}); // its balancing charge
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Success!")});
}

TEST_F(Moving, AFailureHalfWayLeavesEverythingAsItWas)
{
    setCopyAttendance(1);
    const qint32 from = priced(120), to = priced(150);
    const qint32 old = addBooking(from, student);
    ledgerRow(old, 120, 0, "Charge");
    addAttend(old, 1, QStringLiteral("Attended"));
    const QString before = snapshot();
    for (const char *table : {"Attend", "Bookings"}) {
        SCOPED_TRACE(table);
        runSqlite("DROP TRIGGER IF EXISTS BlockAttendUPDATE");
        block(QString::fromLatin1(table), QStringLiteral("UPDATE"));
        rescript();
        script->answer(ui::vbOK);
        move(old, to);
        EXPECT_EQ(snapshot(), before);
        ASSERT_EQ(titles(), QStringList{QStringLiteral("Oops!")});
        EXPECT_TRUE(script->shown()[0].text.startsWith(
            QStringLiteral("An error occurred when processing the move.\nErr#")));
        EXPECT_TRUE(script->shown()[0].text.endsWith(
            QStringLiteral(".\nThe move may not have been completed successfully.")));
        EXPECT_FALSE(mover.isNull());
    }
}

TEST_F(Moving, AMissingBookingIsReportedAndTheMoveWindowCloses)
{
    const qint32 to = priced(100);
    script->answer(ui::vbOK);
    move(4242, to);
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Oops!")});
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("The student's current booking could not be found."));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), 0);
    EXPECT_TRUE(mover.isNull());
}

// --- Off the pre-enrolment list -------------------------------------------------

class PreEnrolMoving : public Moving
{
protected:
    void SetUp() override
    {
        Moving::SetUp();
        list = new MoveStandIn(QStringLiteral("frmPreEnrol"));
        list->load();
        AddToPreEnrolList(student, program, QStringLiteral("Sat \"am\"; #1 <b>"));
    }
    void off(qint32 target, qint32 programId = 0)
    {
        MovePreEnrolToClass(student, programId ? programId : program, false, target,
                            QStringLiteral("Sat \"am\"; #1 <b>"), QStringLiteral("I"));
        flush();
    }
    int entries(qint32 programId)
    {
        return count(QStringLiteral("SELECT * FROM PreEnrol WHERE StudentID = %1 AND ProgramID = %2")
                         .arg(student)
                         .arg(programId));
    }
    QPointer<MoveStandIn> list;
};

TEST_F(PreEnrolMoving, TheStudentGetsATentativeBookingItsChargeAndLeavesTheList)
{
    const struct
    {
        const char *name;
        int cost, perSession;
        const char *mode;
        QStringList charged;
    } cases[] = {
        {"on enrolment", 120, 0, "Enrolment", {"120/12"}},
        {"by attendance", 120, 0, "Attendance", {}},
        {"priced per session", 120, 1, "Enrolment", {"0/0"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (entries(program) == 0)
            AddToPreEnrolList(student, program, QStringLiteral("x"));
        list->calls.clear();
        search->calls.clear();
        const qint32 target = priced(c.cost, QString::fromLatin1(c.mode), c.perSession);
        rescript();
        script->answer(ui::vbOK);
        off(target);
        const qint32 booking = newestBooking();
        EXPECT_EQ(column(booking, "ClassID").toInt(), target);
        EXPECT_EQ(column(booking, "Status"), QStringLiteral("Tentative"));
        EXPECT_EQ(column(booking, "Notes"), QStringLiteral("Sat \"am\"; #1 <b>"));
        EXPECT_EQ(column(booking, "EnrolledByUserID"), QStringLiteral("I"));
        EXPECT_EQ(ledger(booking), c.charged);
        EXPECT_EQ(entries(program), 0);
        EXPECT_EQ(list->calls, QStringList{QStringLiteral("Load_PreEnrolments")});
        EXPECT_EQ(search->calls, QStringList{QStringLiteral("CheckBeforeFill")});
        ASSERT_EQ(titles(), QStringList{QStringLiteral("Success!")});
        EXPECT_EQ(script->shown()[0].text,
                  QStringLiteral("Student has been successfully moved into the class."));
    }
}

TEST_F(PreEnrolMoving, AClassOfAnotherProgramChargesWithItsOwnProgramAndTakesTheGivenEntry)
{
    const qint32 taxFree = addProgram(QStringLiteral("Term 2"));
    exec(QStringLiteral("UPDATE Programs SET TaxCode = 'FRE' WHERE ProgramID = %1").arg(taxFree));
    AddToPreEnrolList(student, taxFree, QString());
    const qint32 target = addClass(taxFree, QStringLiteral("Level 1"), QStringLiteral("Monday"),
                                   16, 30, vb::Currency(120));
    script->answer(ui::vbOK);
    off(target, program);
    EXPECT_EQ(entries(program), 0);
    EXPECT_EQ(entries(taxFree), 1);
    EXPECT_EQ(ledger(newestBooking()), QStringList{QStringLiteral("120/0")});
}

TEST_F(PreEnrolMoving, AFullClassWaitsForTheListWindowsAuthorisation)
{
    const qint32 full = priced(100, QStringLiteral("Enrolment"), 0, 1);
    addBooking(full, other);
    signInWithoutRights();
    const QString before = snapshot();
    script->answer(ui::vbYes);
    off(full);
    ASSERT_FALSE(password.isNull());
    EXPECT_EQ(password->calls,
              QStringList{QStringLiteral("LoadUp frmPreEnrol PreEnrol into Full Class []")});
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(Global::PendingPreEnrolStudentID, student);
    EXPECT_EQ(Global::PendingPreEnrolProgramID, program);
    EXPECT_EQ(Global::PendingMoveClassID, full);

    rescript();
    script->answer(ui::vbOK);
    ResumePreEnrolMove();
    flush();
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Success!")});
    EXPECT_EQ(column(newestBooking(), "ClassID").toInt(), full);
    EXPECT_EQ(column(newestBooking(), "EnrolledByUserID"), QStringLiteral("I"));
    EXPECT_EQ(entries(program), 0);
}

TEST_F(PreEnrolMoving, AFailedChargeKeepsTheEntryAndAddsNoBooking)
{
    const qint32 target = priced(120);
    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    const QString before = snapshot();
    rescript(ui::DialogScript::Mode::Record);
    off(target);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(titles().last(), QStringLiteral("Oops!"));
    EXPECT_FALSE(mover.isNull());
}

} // namespace

#include "moving_test.moc"
