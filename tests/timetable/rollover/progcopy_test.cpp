#include "timetable/fixture/timetablefixture.h"

#include "platform/ui/msgbox.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/tag.h"
#include "platform/vb/datetime.h"
#include "platform/ui/windowregistry.h"
#include "shell/startupwindows.h"
#include "support/screenshot.h"
#include "timetable/rollover/frmprogcopy.h"
#include "timetable/rollover/programcopy.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

vb::Currency money(const QVariant &v)
{
    return v.value<vb::Currency>();
}

} // namespace

class ProgCopyTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        shell::RegisterStartupWindows(); // the loading window
        Global::CentreSettings().setSettings(int(CentreSettingIds::OverdueDays), 14);
        addIncomeAccount();
        source = addProgram(QStringLiteral("Autumn 2026"), QStringLiteral("Enrolment"),
                            vb::Currency(100));
    }

    frmProgCopy *open()
    {
        auto *w = ui::Forms::shared<frmProgCopy>();
        w->showForm();
        return w;
    }
    static void choose(frmProgCopy *w, qint32 programId)
    {
        for (int i = 0; i < w->cboProgram->count(); ++i) {
            if (core::listItemData(w->cboProgram, i) == programId) {
                w->cboProgram->setCurrentIndex(i);
                return;
            }
        }
        FAIL() << "program " << programId << " is not offered";
    }
    // The new program's details: name, start, end, weeks, full cost, cost per session.
    static void fill(frmProgCopy *w, const QString &name)
    {
        w->txtField[1]->setText(name);
        w->txtField[5]->setText(QStringLiteral("4/05/2026"));
        w->txtField[7]->setText(QStringLiteral("10/07/2026"));
        w->txtField[8]->setText(QStringLiteral("10"));
        w->txtField[3]->setText(QStringLiteral("$150.00"));
        w->txtField[15]->setText(QStringLiteral("$15.00"));
    }
    qint32 programNamed(const QString &name)
    {
        return value(QStringLiteral("SELECT ProgramID FROM Programs WHERE Program = %1")
                         .arg(Global::SqlText(name)))
            .toInt();
    }
    QList<qint32> classesOf(qint32 programId)
    {
        QList<qint32> ids;
        jet::Recordset rs(
            Global::DbConnection(),
            QStringLiteral("SELECT ClassID FROM Classes WHERE ProgramID = %1 ORDER BY "
                           "ClassID")
                .arg(programId));
        for (; !rs.eof(); rs.moveNext())
            ids << rs.value(0).toInt();
        return ids;
    }
    // Rows of every table the copy writes.
    QList<int> tableCounts()
    {
        QList<int> counts;
        for (const char *table : {"Programs", "Classes", "InstructorLink", "Bookings", "Payments"})
            counts << count(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
        return counts;
    }

    qint32 source = 0;
};

TEST_F(ProgCopyTest, CopiesProgramAndEveryClassWithoutStudents)
{
    TimetableFakeWindow *main = loadClassSearch();
    const qint32 full = addClass(source, QStringLiteral("Level 1"));
    const qint32 perSession = addClass(source, QStringLiteral("Level 2"), QStringLiteral("Tue/Thu"),
                                       17, 0, vb::Currency(10), 8, 1, QStringLiteral("attendance"));
    const qint32 inactive = addClass(source, QStringLiteral("Level 3"), QStringLiteral("Friday"));
    exec(QStringLiteral("UPDATE Classes SET ClassActive = 0 WHERE ClassID = %1").arg(inactive));
    const qint32 ann = addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 tba = addInstructor(QStringLiteral("Instructor"), QStringLiteral("TBA"));
    linkInstructor(full, ann);
    linkInstructor(full, tba);
    linkInstructor(perSession, ann);
    addBooking(full, addStudent(QStringLiteral("Sam"), QStringLiteral("Fish")));
    // Keys beyond 16 bits.
    exec(QStringLiteral("INSERT INTO Programs (ProgramID, Program, Inactive) VALUES (70000, "
                        "'Long ago', 1)"));

    frmProgCopy *w = open();
    choose(w, source);
    fill(w, QStringLiteral("Winter 2026"));
    ovix::test::saveScreenshot(w, QStringLiteral("frmProgCopy"));
    w->btnCal1_Click();
    ovix::test::saveScreenshot(w, QStringLiteral("frmProgCopy-calendar"));
    w->cal_Click(QDate(2026, 5, 4));
    EXPECT_EQ(w->txtField[5]->text(), "4/05/2026");
    EXPECT_TRUE(w->cal->isHidden());

    script->answer(ui::vbOK);
    w->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Yay!");
    EXPECT_EQ(script->shown()[0].icon, ui::vbInformation);
    EXPECT_EQ(script->shown()[0].text,
              "The Program has been copied and created successfully.\r\n\r\nWe recommend that you "
              "use the backup screen to compact and speed up your data file as a large amount of "
              "data has been copied. To do this, simply close Ovix and run the backup. Once this "
              "is complete, you can re-open your data file.");
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmProgCopy")), nullptr);
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmLoading")), nullptr);
    EXPECT_EQ(main->calls, QStringList({"Load_Program_List"}));
    EXPECT_TRUE(main->searched());

    const qint32 copy = programNamed(QStringLiteral("Winter 2026"));
    ASSERT_GT(copy, 70000);
    {
        jet::Recordset rs(Global::DbConnection(),
                          QStringLiteral("SELECT * FROM Programs WHERE ProgramID = %1").arg(copy));
        EXPECT_EQ(rs.value("Inactive").toInt(), 0);
        EXPECT_EQ(money(rs.value("DefaultCost")), vb::Currency(150));
        EXPECT_EQ(money(rs.value("PricePerSession")), vb::Currency(15));
        EXPECT_EQ(rs.value("StartDate").toDateTime(), vb::makeDateTime(2026, 5, 4));
        EXPECT_EQ(rs.value("EndDate").toDateTime(), vb::makeDateTime(2026, 7, 10));
        EXPECT_EQ(rs.value("AmountOverdue").toDateTime(), vb::makeDateTime(2026, 5, 18));
        EXPECT_EQ(rs.value("Sessions").toInt(), 10);
        EXPECT_EQ(rs.value("DefaultMax").toInt(), 10);
        EXPECT_EQ(rs.value("TaxCode").toString(), "GST");
        EXPECT_EQ(rs.value("RevenueAccount").toString(), "4-1000");
        EXPECT_EQ(rs.value("AssumeAttendance").toString(), "Attended");
        EXPECT_EQ(rs.value("AttendChargeOn").toString(), "Enrolment");
        EXPECT_EQ(rs.value("ChargePerSession").toInt(), 0);
        EXPECT_EQ(rs.value("AssessGen").toInt(), 0);
        EXPECT_EQ(rs.value("AssessFinalise").toInt(), 0);
    }

    const QList<qint32> olds = {full, perSession, inactive};
    const QList<qint32> news = classesOf(copy);
    ASSERT_EQ(news.size(), 3);
    const QStringList changed = {"ClassID", "ProgramID", "Cost", "StartDate", "EndDate", "Notes"};
    for (int i = 0; i < 3; ++i) {
        jet::Recordset was(Global::DbConnection(),
                           QStringLiteral("SELECT * FROM Classes WHERE ClassID = %1").arg(olds[i]));
        jet::Recordset now(Global::DbConnection(),
                           QStringLiteral("SELECT * FROM Classes WHERE ClassID = %1").arg(news[i]));
        for (int c = 0; c < was.fieldCount(); ++c) {
            if (!changed.contains(was.fieldName(c))) {
                EXPECT_EQ(now.value(c), was.value(c)) << qPrintable(was.fieldName(c));
            }
        }
        EXPECT_EQ(now.value("StartDate").toDateTime(), vb::makeDateTime(2026, 5, 4));
        EXPECT_EQ(now.value("EndDate").toDateTime(), vb::makeDateTime(2026, 7, 10));
        EXPECT_EQ(now.value("Notes").toString(), "");
        EXPECT_EQ(was.value("Notes").toString(), "Bring goggles");
        EXPECT_EQ(money(now.value("Cost")), vb::Currency(olds[i] == perSession ? 15 : 150))
            << "per session only for a class charged by attendance";
    }
    EXPECT_EQ(count(QStringLiteral("SELECT InstructorID FROM InstructorLink WHERE ClassID = %1")
                        .arg(news[0])),
              2);
    EXPECT_EQ(value(QStringLiteral("SELECT InstructorID FROM InstructorLink WHERE ClassID = %1")
                        .arg(news[1]))
                  .toInt(),
              ann);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1").arg(news[2])),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE ClassID IN (%1, %2, %3)")
                        .arg(news[0])
                        .arg(news[1])
                        .arg(news[2])),
              0);
}

TEST_F(ProgCopyTest, CopiesEnrolledStudentsAndWaitingListsWhenAsked)
{
    const qint32 cls = addClass(source);
    QList<qint32> students;
    const QStringList statuses = {"Confirmed", "Waiting", "Tentative", "Cancelled",
                                  "Confirmed", "Waiting", "Catch Up"};
    for (const QString &status : statuses) {
        students << addStudent(QStringLiteral("Kid"), status);
        addBooking(cls, students.last(), status);
    }
    const struct
    {
        bool students;
        bool waiting;
        QList<int> copied; // positions in `statuses`, in booking order
    } cases[] = {
        {false, true, {}},
        {true, false, {0, 2, 4}},
        {true, true, {0, 1, 2, 4, 5}},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(n);
        frmProgCopy *w = open();
        choose(w, source);
        fill(w, QStringLiteral("Copy %1").arg(++n));
        w->chkCopyStudents->setChecked(c.students);
        w->chkCopyStudents_Click();
        w->chkCopyWaitList->setChecked(c.waiting);
        script->answer(ui::vbOK);
        w->cmdOK_Click();
        EXPECT_EQ(script->shown().last().title, "Yay!");
        flush();

        const QList<qint32> news = classesOf(programNamed(QStringLiteral("Copy %1").arg(n)));
        ASSERT_EQ(news.size(), 1);
        QStringList expected, got;
        for (int i : c.copied)
            expected << QStringLiteral("%1 %2").arg(students[i]).arg(statuses[i]);
        jet::Recordset rs(Global::DbConnection(),
                          QStringLiteral("SELECT StudentID, Status, Owing, SessionNo FROM Bookings "
                                         "WHERE ClassID = %1 ORDER BY BookingID")
                              .arg(news[0]));
        for (; !rs.eof(); rs.moveNext()) {
            got << QStringLiteral("%1 %2").arg(rs.value(0).toInt()).arg(rs.value(1).toString());
            EXPECT_EQ(money(rs.value(2)), vb::Currency());
            EXPECT_EQ(rs.value(3).toInt(), 0);
        }
        EXPECT_EQ(got, expected);

        // Each enrolled copy is charged the new class's price once, with its tax.
        const QString charges =
            QStringLiteral("SELECT ChargeAmount, ChargeGST FROM Payments WHERE BookingID IN "
                           "(SELECT BookingID FROM Bookings WHERE ClassID = %1 AND Status <> "
                           "'Waiting')")
                .arg(news[0]);
        const int enrolled = c.students ? 3 : 0;
        EXPECT_EQ(count(charges), enrolled);
        jet::Recordset ledger(Global::DbConnection(), charges);
        for (; !ledger.eof(); ledger.moveNext()) {
            EXPECT_EQ(money(ledger.value(0)), vb::Currency(150));
            EXPECT_EQ(money(ledger.value(1)), vb::Currency(15));
        }
    }
}

// The class search has no program chosen, so its refresh fails: the copy is saved, reported
// once as done, and the window closes.
TEST_F(ProgCopyTest, AFailedClassSearchRefreshLeavesTheCopyDone)
{
    addClass(source, QStringLiteral("Level 1"));
    TimetableFakeWindow *main = loadClassSearch();
    main->cboProgram->clear();
    frmProgCopy *w = open();
    choose(w, source);
    fill(w, QStringLiteral("Winter 2026"));
    script->answer(ui::vbOK);
    EXPECT_NO_THROW(w->cmdOK_Click());
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Yay!");
    EXPECT_EQ(classesOf(programNamed(QStringLiteral("Winter 2026"))).size(), 1);
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmProgCopy")), nullptr);
    EXPECT_EQ(main->calls, QStringList({"Load_Program_List"}));
    EXPECT_FALSE(main->searched());
}

TEST_F(ProgCopyTest, RefusesEntriesBeforeAnythingIsWritten)
{
    const QString both = QStringLiteral("You must enter both a start date and an end date for the "
                                        "program");
    const QString format = QStringLiteral(
        "The program start date and program end date must be in the correct format.");
    const struct
    {
        int box;
        const char *text;
        QString message;
    } cases[] = {
        {1, "", QStringLiteral("You must enter a program name.")},
        {1, "  ", QStringLiteral("You must enter a program name.")},
        {1, "Kids' Term",
         QStringLiteral("You cannot have a ' character in the Program name. Please correct this.")},
        {1, "The \"Big\" Term",
         QStringLiteral(
             "You cannot have a \" character in the Program name. Please correct this.")},
        {5, "", both},
        {7, "", both},
        {8, "", QStringLiteral("You must enter the number of sessions")},
        {5, "next week", format},
        {7, "31/02/2026", format},
        {8, "ten",
         QStringLiteral("The number of sessions you have entered is not a number. Please correct "
                        "this!")},
    };
    addClass(source);
    const QList<int> before = tableCounts();
    frmProgCopy *w = open();
    choose(w, source);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        fill(w, QStringLiteral("Winter 2026"));
        w->txtField[c.box]->setText(QString::fromUtf8(c.text));
        script->answer(ui::vbOK);
        w->cmdOK_Click();
        ASSERT_FALSE(script->shown().isEmpty());
        EXPECT_EQ(script->shown().last().title, "Oops!");
        EXPECT_EQ(script->shown().last().icon, ui::vbExclamation);
        EXPECT_EQ(script->shown().last().text, c.message);
        EXPECT_EQ(w->txtField[c.box]->text(), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(script->shown().size(), int(std::size(cases)));
    EXPECT_EQ(tableCounts(), before);
    EXPECT_TRUE(w->isLoaded());
}

// A charge that cannot be written half-way through undoes the whole copy, and
// the window keeps its entries for another try.
TEST_F(ProgCopyTest, FailureHalfWayLeavesNothing)
{
    const qint32 first = addClass(source, QStringLiteral("Level 1"));
    const qint32 second = addClass(source, QStringLiteral("Level 2"));
    linkInstructor(first, addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee")));
    addBooking(first, addStudent(QStringLiteral("Sam"), QStringLiteral("Fish")));
    addBooking(second, addStudent(QStringLiteral("Kim"), QStringLiteral("Cod")));
    runSqlite("CREATE TRIGGER one_charge_only BEFORE INSERT ON Payments "
              "WHEN (SELECT Count(*) FROM Payments) >= 1 "
              "BEGIN SELECT RAISE(ABORT, 'ledger is full'); END;");
    TimetableFakeWindow *main = loadClassSearch();
    const QList<int> before = tableCounts();

    frmProgCopy *w = open();
    choose(w, source);
    fill(w, QStringLiteral("Winter 2026"));
    w->chkCopyStudents->setChecked(true);
    w->chkCopyStudents_Click();
    script->answer(ui::vbOK).answer(ui::vbOK);
    w->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 2) << "the ledger's own warning, then the copy's";
    EXPECT_EQ(script->shown()[1].title, "Oops!");
    EXPECT_TRUE(script->shown()[1].text.startsWith(
        "An error occurred when copying the classes and bookings.\r\nErr#"))
        << qPrintable(script->shown()[1].text);
    EXPECT_EQ(tableCounts(), before);
    EXPECT_TRUE(main->calls.isEmpty());
    EXPECT_FALSE(main->searched());
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmLoading")), nullptr);
    ASSERT_TRUE(w->isLoaded());
    EXPECT_EQ(w->txtField[1]->text(), "Winter 2026");
    EXPECT_TRUE(w->chkCopyStudents->isChecked());

    runSqlite("DROP TRIGGER one_charge_only;");
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(script->shown().last().title, "Yay!");
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Programs")), before[0] + 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), before[4] + 2);
}

TEST_F(ProgCopyTest, EntryThatIsNoAmountStopsTheProgramBeingCreated)
{
    addClass(source);
    const QList<int> before = tableCounts();
    frmProgCopy *w = open();
    choose(w, source);
    fill(w, QStringLiteral("Winter 2026"));
    w->txtField[3]->setText(QStringLiteral("lots"));
    script->answer(ui::vbOK).answer(ui::vbOK);
    w->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown()[0].text,
              "An error occurred when creating the new program.\r\nErr#13 - Type mismatch.\r\nThe "
              "copying process cannot continue.");
    EXPECT_EQ(script->shown()[1].text, "The program was not created.");
    EXPECT_EQ(tableCounts(), before);
    EXPECT_TRUE(w->isLoaded());
}

TEST_F(ProgCopyTest, PricesAreRecomputedFromTheBoxLeft)
{
    using programcopy::Prices;
    enum Left { FullCost, PerSession, Sessions, SessionsPerSession };
    const struct
    {
        Left left;
        Prices in;
        Prices out;
    } cases[] = {
        {FullCost, {"150", "1", "10"}, {"$150.00", "$15.00", "10"}},
        {FullCost, {"$100.00", "$1.00", "3"}, {"$100.00", "$33.33", "3"}},
        {FullCost, {"$100.00", "7", "0"}, {"$100.00", "$7.00", "0"}}, // no division by zero
        {FullCost, {"lots", "$7.00", "10"}, {"lots", "$7.00", "10"}}, // no amount
        {FullCost, {"-$50.00", "$7.00", "10"}, {"-$50.00", "-$5.00", "10"}},
        {PerSession, {"$1.00", "12.5", "8"}, {"$100.00", "$12.50", "8"}},
        {PerSession, {"$1.00", "$12.50", "many"}, {"$1.00", "$12.50", "many"}},
        {Sessions, {"$120.00", "$1.00", "12"}, {"$120.00", "$10.00", "12"}},
        {SessionsPerSession, {"$1.00", "$9.00", "5"}, {"$45.00", "$9.00", "5"}},
    };
    for (const auto &c : cases) {
        Prices p = c.in;
        switch (c.left) {
        case FullCost: programcopy::FromFullCost(p); break;
        case PerSession: programcopy::FromPerSession(p); break;
        case Sessions: programcopy::FromSessions(p, false); break;
        case SessionsPerSession: programcopy::FromSessions(p, true); break;
        }
        EXPECT_EQ(QStringList({p.cost, p.perSession, p.sessions}),
                  QStringList({c.out.cost, c.out.perSession, c.out.sessions}))
            << qPrintable(c.in.cost + " " + c.in.perSession + " " + c.in.sessions);
    }
}

// Only a box the user typed into recomputes when left; the box the program's
// charge mode leaves closed cannot be typed into.
TEST_F(ProgCopyTest, EditedPriceBoxRecomputesWhenLeft)
{
    exec(QStringLiteral("UPDATE Programs SET ChargePerSession = 1 WHERE ProgramID = %1")
             .arg(source));
    frmProgCopy *w = open();
    choose(w, source);
    EXPECT_TRUE(w->chkPSession->isChecked());
    EXPECT_FALSE(w->chkPSession->isEnabled());
    EXPECT_TRUE(w->txtField[3]->isReadOnly());
    EXPECT_FALSE(w->txtField[15]->isReadOnly());
    EXPECT_EQ(w->txtField[3]->text(), "$100.00");
    EXPECT_EQ(w->txtField[15]->text(), "$10.00");

    w->txtField[15]->setText(QStringLiteral("12"));
    w->txtField_LostFocus(15);
    EXPECT_EQ(w->txtField[3]->text(), "$100.00") << "not edited by the user";
    w->txtField_Change(15);
    w->txtField_LostFocus(15);
    EXPECT_EQ(w->txtField[3]->text(), "$120.00");
    EXPECT_EQ(w->txtField[15]->text(), "$12.00");
    EXPECT_EQ(ui::tag(w->txtField[15]), "");

    w->txtField_Change(3); // read-only: no mark
    EXPECT_EQ(ui::tag(w->txtField[3]), "");
    w->txtField[8]->setText(QStringLiteral("8"));
    w->txtField_Change(8);
    w->txtField_LostFocus(8);
    EXPECT_EQ(w->txtField[3]->text(), "$96.00");
}

// Choosing a program clears every box first: a Null column shows empty, never
// the previous program's value; until a program is chosen nothing can be typed.
TEST_F(ProgCopyTest, ChoosingAProgramClearsTheBoxesFirst)
{
    const qint32 bare = addProgram(QStringLiteral("Bare"));
    exec(QStringLiteral("UPDATE Programs SET StartDate = Null, EndDate = Null, Sessions = Null, "
                        "DefaultCost = Null WHERE ProgramID = %1")
             .arg(bare));
    addProgram(QStringLiteral("Old"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
    frmProgCopy *w = open();
    QStringList offered;
    for (int i = 0; i < w->cboProgram->count(); ++i)
        offered << w->cboProgram->itemText(i);
    EXPECT_EQ(offered, QStringList({"Autumn 2026", "Bare"})) << "active programs only";
    EXPECT_EQ(w->cboProgram->currentIndex(), -1);
    for (int i : {1, 5, 7, 8, 3, 15})
        EXPECT_TRUE(w->txtField[i]->isReadOnly()) << i;
    for (QWidget *c : std::initializer_list<QWidget *>{w->cmdOK, w->btnCal1, w->btnCal2,
                                                       w->chkCopyStudents, w->chkCopyWaitList})
        EXPECT_FALSE(c->isEnabled()) << qPrintable(c->objectName());

    choose(w, source);
    EXPECT_EQ(w->txtField[1]->text(), "Autumn 2026");
    EXPECT_EQ(w->txtField[5]->text(), "2/02/2026");
    EXPECT_EQ(w->txtField[7]->text(), "10/04/2026");
    EXPECT_EQ(w->txtField[8]->text(), "10");
    EXPECT_TRUE(w->cmdOK->isEnabled());
    EXPECT_FALSE(w->chkCopyWaitList->isEnabled());
    w->chkCopyStudents->setChecked(true);
    w->chkCopyStudents_Click();
    EXPECT_TRUE(w->chkCopyWaitList->isEnabled());

    // Its name went while the list was shown.
    exec(QStringLiteral("UPDATE Programs SET Program = Null WHERE ProgramID = %1").arg(bare));
    choose(w, bare);
    for (int i : {1, 5, 7, 8, 3})
        EXPECT_EQ(w->txtField[i]->text(), "") << i;
    EXPECT_EQ(w->txtField[15]->text(), "$10.00");
    EXPECT_FALSE(w->txtField[5]->isReadOnly());
    EXPECT_TRUE(script->shown().isEmpty());
}
