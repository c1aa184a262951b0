#include "timetable/fixture/timetablefixture.h"

#include "platform/ui/msgbox.h"

#include "access/authorisation.h"
#include "core/globaldata.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"
#include "shell/loginuser.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"
#include "timetable/rollover/frmprogcopy.h"
#include "timetable/rollover/frmreassigninst.h"
#include "timetable/rollover/register.h"

#include <QComboBox>
#include <QMap>
#include <QMdiArea>

class ReassignTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        ann = addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee"));
        bob = addInstructor(QStringLiteral("Bob"), QStringLiteral("Ray"));
        cat = addInstructor(QStringLiteral("Cat"), QStringLiteral("Fox"));
        addInstructor(QStringLiteral("Dan"), QStringLiteral("Gone"), 1);
        autumn = addProgram(QStringLiteral("Autumn"));
        winter =
            addProgram(QStringLiteral("Winter"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
        monday = addClass(autumn, QStringLiteral("Level 1"), QStringLiteral("Monday"));
        tuesday = addClass(autumn, QStringLiteral("Level 1"), QStringLiteral("Tuesday"));
        monWed = addClass(autumn, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed"));
        otherTerm = addClass(winter, QStringLiteral("Level 1"), QStringLiteral("Monday"));
        linkInstructor(monday, ann);
        linkInstructor(monday, cat);
        linkInstructor(tuesday, ann);
        linkInstructor(monWed, cat);
        linkInstructor(otherTerm, ann);
    }

    frmReassignInst *open()
    {
        auto *w = ui::Forms::shared<frmReassignInst>();
        w->showForm();
        return w;
    }
    static QString text(const char *first, qint32 id)
    {
        return QStringLiteral("%1 (EID#%2)").arg(QLatin1String(first)).arg(id);
    }
    static void pick(QComboBox *list, const QString &item)
    {
        const int i = list->findText(item, Qt::MatchExactly);
        ASSERT_GE(i, 0) << qPrintable(item);
        list->setCurrentIndex(i);
    }
    static QStringList items(QComboBox *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }
    // Every class's instructors, in InstructorLink order.
    QMap<qint32, QList<qint32>> links()
    {
        QMap<qint32, QList<qint32>> out;
        jet::Recordset rs(
            Global::DbConnection(),
            QStringLiteral("SELECT ClassID, InstructorID FROM InstructorLink ORDER BY "
                           "InstructorLinkID"));
        for (; !rs.eof(); rs.moveNext())
            out[rs.value(0).toInt()] << rs.value(1).toInt();
        return out;
    }

    qint32 ann = 0, bob = 0, cat = 0;
    qint32 autumn = 0, winter = 0;
    qint32 monday = 0, tuesday = 0, monWed = 0, otherTerm = 0;
};

TEST_F(ReassignTest, OffersActiveInstructorsAndEveryProgramWithNothingChosen)
{
    frmReassignInst *w = open();
    const QStringList active = {text("Ann Lee", ann), text("Bob Ray", bob), text("Cat Fox", cat)};
    EXPECT_EQ(items(w->cboCurrent), QStringList({"(All)"}) + active);
    EXPECT_EQ(items(w->cboNew), active);
    EXPECT_EQ(items(w->cboProgram), QStringList({QStringLiteral("Autumn (%1)").arg(autumn),
                                                 QStringLiteral("Winter (%1)").arg(winter)}));
    const QStringList days = items(w->cboDay);
    ASSERT_EQ(days.size(), 12);
    EXPECT_EQ(days.first(), "(All)");
    EXPECT_EQ(days[1], "Monday");
    for (QComboBox *list : {w->cboCurrent, w->cboNew, w->cboProgram, w->cboDay}) {
        EXPECT_EQ(list->currentIndex(), -1) << qPrintable(list->objectName());
        EXPECT_FALSE(list->isEditable());
    }
    ovix::test::saveScreenshot(w, QStringLiteral("frmReassignInst"));

    const QString incomplete = QStringLiteral("You must complete all fields before this can be "
                                              "processed.");
    pick(w->cboCurrent, text("Ann Lee", ann));
    pick(w->cboNew, text("Bob Ray", bob));
    pick(w->cboProgram, QStringLiteral("Autumn (%1)").arg(autumn));
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Oops!");
    EXPECT_EQ(script->shown()[0].text, incomplete);
    EXPECT_EQ(links()[monday], QList<qint32>({ann, cat}));
}

TEST_F(ReassignTest, PointsTheChosenLinksAtTheNewInstructor)
{
    const QMap<qint32, QList<qint32>> before = links();
    const struct
    {
        bool allInstructors;
        const char *day;
        QMap<qint32, QList<qint32>> changed; // the classes whose links change
    } cases[] = {
        {false, "Monday", {{monday, {bob, cat}}}},
        {false, "(All)", {{monday, {bob, cat}}, {tuesday, {bob}}}},
        {true, "Monday", {{monday, {bob, bob}}}},
        {true, "(All)", {{monday, {bob, bob}}, {tuesday, {bob}}, {monWed, {bob}}}},
        {false, "Friday", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.allInstructors ? "all " : "Ann ") + c.day);
        exec(QStringLiteral("DELETE FROM InstructorLink"));
        for (auto it = before.begin(); it != before.end(); ++it) {
            for (qint32 instructor : it.value())
                linkInstructor(it.key(), instructor);
        }
        TimetableFakeWindow *main = loadClassSearch();
        frmReassignInst *w = open();
        const QString current = c.allInstructors ? QStringLiteral("(All)") : text("Ann Lee", ann);
        const QString program = QStringLiteral("Autumn (%1)").arg(autumn);
        pick(w->cboCurrent, current);
        pick(w->cboNew, text("Bob Ray", bob));
        pick(w->cboProgram, program);
        pick(w->cboDay, QLatin1String(c.day));
        script->answer(ui::vbOK);
        w->cmdOK_Click();

        QMap<qint32, QList<qint32>> expected = before;
        for (auto it = c.changed.begin(); it != c.changed.end(); ++it)
            expected[it.key()] = it.value();
        EXPECT_EQ(links(), expected);
        ASSERT_FALSE(script->shown().isEmpty());
        EXPECT_EQ(script->shown().last().title, "Yay!");
        EXPECT_EQ(script->shown().last().icon, ui::vbInformation);
        EXPECT_EQ(script->shown().last().text, QStringLiteral("All classes in program ") + program +
                                                   " on " + QLatin1String(c.day) +
                                                   " were reassigned from " + current + " to " +
                                                   text("Bob Ray", bob) + " successfully!");
        EXPECT_TRUE(main->calls.isEmpty());
        EXPECT_TRUE(main->searched());
        EXPECT_TRUE(w->isLoaded()) << "the window stays open for another reassignment";
        main->unload();
        flush();
    }
}

// The class search has no program chosen, so its refresh fails: the links stay changed
// and the success is still reported.
TEST_F(ReassignTest, AFailedClassSearchRefreshLeavesTheReassignmentReported)
{
    TimetableFakeWindow *main = loadClassSearch();
    main->cboProgram->clear();
    frmReassignInst *w = open();
    pick(w->cboCurrent, text("Ann Lee", ann));
    pick(w->cboNew, text("Bob Ray", bob));
    pick(w->cboProgram, QStringLiteral("Autumn (%1)").arg(autumn));
    pick(w->cboDay, QStringLiteral("Tuesday"));
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(links()[tuesday], QList<qint32>({bob}));
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Yay!");
    EXPECT_FALSE(main->searched());
}

// A choice that another computer changed or deleted since the lists were filled
// is refused, and nothing is written: never every instructor, never instructor 0.
TEST_F(ReassignTest, RefusesChoicesThatNoLongerExist)
{
    const struct
    {
        const char *name;
        QString change;
        QString refused;
    } cases[] = {
        {"current instructor deleted",
         QStringLiteral("DELETE FROM Instructors WHERE InstructorID = %1").arg(ann),
         text("Ann Lee", ann)},
        {"new instructor renamed",
         QStringLiteral("UPDATE Students SET [Last Name] = 'Wray' WHERE StudentID = (SELECT "
                        "StudentID FROM Instructors WHERE InstructorID = %1)")
             .arg(bob),
         text("Bob Ray", bob)},
        {"program deleted", QStringLiteral("DELETE FROM Programs WHERE ProgramID = %1").arg(autumn),
         QStringLiteral("Autumn (%1)").arg(autumn)},
    };
    const QMap<qint32, QList<qint32>> before = links();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        frmReassignInst *w = open();
        pick(w->cboCurrent, text("Ann Lee", ann));
        pick(w->cboNew, text("Bob Ray", bob));
        pick(w->cboProgram, QStringLiteral("Autumn (%1)").arg(autumn));
        pick(w->cboDay, QStringLiteral("(All)"));
        Global::DbConnection().beginTrans();
        exec(c.change);
        script->answer(ui::vbOK);
        w->cmdOK_Click();
        EXPECT_EQ(links(), before);
        // The change stood for another computer's; the next case starts without it.
        Global::DbConnection().rollbackTrans();
        ASSERT_FALSE(script->shown().isEmpty());
        EXPECT_EQ(script->shown().last().title, "Oops!");
        EXPECT_EQ(script->shown().last().icon, ui::vbExclamation);
        EXPECT_TRUE(script->shown().last().text.contains("\"" + c.refused + "\" no longer exists"))
            << qPrintable(script->shown().last().text);
        w->unload();
        flush();
    }
}

TEST_F(ReassignTest, DatabaseFailureChangesNothing)
{
    const QByteArray trigger = "CREATE TRIGGER frozen BEFORE UPDATE ON InstructorLink WHEN "
                               "NEW.ClassID = " +
                               QByteArray::number(tuesday) +
                               " BEGIN SELECT RAISE(ABORT, 'links are frozen'); END;";
    runSqlite(trigger);
    const QMap<qint32, QList<qint32>> before = links();
    TimetableFakeWindow *main = loadClassSearch();
    frmReassignInst *w = open();
    pick(w->cboCurrent, QStringLiteral("(All)"));
    pick(w->cboNew, text("Bob Ray", bob));
    pick(w->cboProgram, QStringLiteral("Autumn (%1)").arg(autumn));
    pick(w->cboDay, QStringLiteral("(All)"));
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(links(), before);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Oops!");
    EXPECT_TRUE(
        script->shown()[0].text.startsWith("The instructors could not be reassigned.\r\nErr#"))
        << qPrintable(script->shown()[0].text);
    EXPECT_TRUE(main->calls.isEmpty());
    EXPECT_FALSE(main->searched());
}

TEST_F(ReassignTest, RegistersTheWindowsAndTheirApprovedOperations)
{
    shell::InstallAccess(); // the approved operations open windows through the registry
    timetable::RegisterRolloverWindows();
    EXPECT_TRUE(shell::IsWindowRegistered(QStringLiteral("frmProgCopy")));
    EXPECT_TRUE(shell::IsWindowRegistered(QStringLiteral("frmReassignInst")));
    const struct
    {
        const char *text;
        useraccess::PermissionCheck check;
        int index;
        const char *window;
    } cases[] = {
        {"Copy Program", useraccess::PermissionCheck::ByName, 62, "frmProgCopy"},
        {"Reassign Instructors", useraccess::PermissionCheck::ByIndex, 41, "frmReassignInst"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const useraccess::AuthorisedOperation *op =
            useraccess::FindAuthorisedOperation(QLatin1String(c.text));
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->check, c.check);
        EXPECT_EQ(op->index, c.index);
        useraccess::AuthorisationRequest request;
        request.strMode = QLatin1String(c.text);
        op->action(request);
        ui::Form *shown = ui::Forms::find(QLatin1String(c.window));
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible());
    }
}

// Both windows stand in the middle of the main window's area when they first show.
TEST_F(ReassignTest, WindowsOpenInTheMiddleOfTheMainWindow)
{
    QMdiArea area;
    area.resize(1200, 900);
    area.show();
    ui::MdiHost::setArea(&area);
    const QList<ui::Form *> windows = {ui::Forms::shared<frmProgCopy>(),
                                       ui::Forms::shared<frmReassignInst>()};
    for (ui::Form *w : windows) {
        SCOPED_TRACE(qPrintable(w->name()));
        w->showForm();
        const QWidget *frame = w->frame();
        ASSERT_NE(frame, w);
        EXPECT_EQ(frame->x(), (area.width() - frame->width()) / 2);
        EXPECT_EQ(frame->y(), (area.height() - frame->height()) / 2);
    }
    ui::Forms::unloadAll(ui::CloseReason::Code);
    ui::MdiHost::setArea(nullptr);
}
