#include "timetable/fixture/timetablefixture.h"

#include "access/authorisation.h"
#include "core/sqlquote.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "shell/loginuser.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"
#include "timetable/lookups/frmactivities.h"
#include "timetable/lookups/frmclassgroups.h"
#include "timetable/lookups/frmevents.h"
#include "timetable/lookups/frmpoolareas.h"
#include "timetable/lookups/register.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

// What the four editors share, and where each keeps its name.
struct EditorCase
{
    const char *window;
    LookupEditor *(*open)();
    QLineEdit *(*nameBox)(LookupEditor *);
    const char *kind;
    // A row of that name (%1, quoted), and the rows of a name.
    const char *insertSql;
    const char *whereName;
    // What the class search window is asked when the editor closes, and whether its
    // grid is laid out again and its search runs.
    QStringList refresh;
    bool searches;
};

template <class T> LookupEditor *openEditor()
{
    T *w = ui::Forms::shared<T>();
    w->showForm();
    return w;
}

const EditorCase editors[] = {
    {"frmClassGroups",
     openEditor<frmClassGroups>,
     [](LookupEditor *w) { return static_cast<frmClassGroups *>(w)->txtField[1]; },
     "class group",
     "INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES (%1, 0, 8)",
     "ClassGroups WHERE Description = %1",
     {"Load_Level_List"},
     false},
    {"frmPoolAreas",
     openEditor<frmPoolAreas>,
     [](LookupEditor *w) { return static_cast<frmPoolAreas *>(w)->txtField[1]; },
     "location",
     "INSERT INTO PoolAreas (AreaName) VALUES (%1)",
     "PoolAreas WHERE AreaName = %1",
     {},
     true},
    {"frmActivities",
     openEditor<frmActivities>,
     [](LookupEditor *w) { return static_cast<frmActivities *>(w)->txtActivityName; },
     "activity",
     "INSERT INTO Activities (ActivityName) VALUES (%1)",
     "Activities WHERE ActivityName = %1",
     {},
     true},
    {"frmEvents",
     openEditor<frmEvents>,
     [](LookupEditor *w) { return static_cast<frmEvents *>(w)->txtEventName; },
     "event",
     "INSERT INTO Events (EventName, EventDate) VALUES (%1, #2026-03-07#)",
     "Events WHERE EventName = %1",
     {},
     false},
};

void PrintTo(const EditorCase &e, std::ostream *os)
{
    *os << e.window;
}

QListWidget *listOf(LookupEditor *w)
{
    return w->findChild<QListWidget *>();
}

QStringList entries(LookupEditor *w)
{
    QStringList out;
    for (int i = 0; i < listOf(w)->count(); ++i)
        out << listOf(w)->item(i)->text();
    return out;
}

// Selects the entry that holds the text, as a click does.
void select(LookupEditor *w, const QString &text)
{
    QListWidget *list = listOf(w);
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().contains(text)) {
            list->setCurrentRow(i);
            return;
        }
    }
    ADD_FAILURE() << "no entry holds " << qPrintable(text);
}

// The entries a class group needs besides its name.
void fillOthers(LookupEditor *w)
{
    if (auto *groups = qobject_cast<frmClassGroups *>(w))
        groups->txtField[3]->setText(QStringLiteral("12"));
}

class LookupsTest : public TimetableTest
{
protected:
    void TearDown() override
    {
        // A window left editing is closed without saving.
        for (ui::Form *f : ui::Forms::all()) {
            if (auto *editor = qobject_cast<LookupEditor *>(f); editor && editor->isEditing())
                script->answer(ui::vbNo);
        }
        TimetableTest::TearDown();
    }

    int rows(const EditorCase &e, const QString &name)
    {
        return count(QStringLiteral("SELECT * FROM ") + rowsOf(e, name));
    }
    static QString rowsOf(const EditorCase &e, const QString &name)
    {
        return QString::fromLatin1(e.whereName).arg(Global::SqlText(name));
    }
    void insert(const char *insertSql, const QString &name)
    {
        exec(QString::fromLatin1(insertSql).arg(Global::SqlText(name)));
    }
    void addGroup(const char *name, int inactive, const char *max)
    {
        exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                            "(%1, %2, %3)")
                 .arg(Global::SqlText(QString::fromLatin1(name)))
                 .arg(inactive)
                 .arg(QLatin1String(max)));
    }
    const ui::ShownDialog &lastBox() const { return script->shown().last(); }
};

class EditorTest : public LookupsTest, public ::testing::WithParamInterface<EditorCase>
{
};

TEST_P(EditorTest, AddsAndRenames)
{
    const EditorCase &e = GetParam();
    LookupEditor *w = e.open();
    EXPECT_FALSE(w->isEditing());

    w->cmdNew_Click();
    EXPECT_TRUE(w->isAdding());
    EXPECT_FALSE(listOf(w)->isEnabled());
    EXPECT_FALSE(w->cmdNew->isEnabled());
    EXPECT_FALSE(e.nameBox(w)->isReadOnly());
    e.nameBox(w)->setText(QStringLiteral("Sharks & Rays"));
    fillOthers(w);
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(rows(e, QStringLiteral("Sharks & Rays")), 1);
    EXPECT_FALSE(w->isEditing());
    EXPECT_FALSE(w->isAdding());
    EXPECT_TRUE(e.nameBox(w)->isReadOnly());
    EXPECT_TRUE(listOf(w)->isEnabled());
    EXPECT_EQ(listOf(w)->currentRow(), 0) << "the reloaded list shows its first entry";

    select(w, QStringLiteral("Sharks & Rays"));
    EXPECT_EQ(e.nameBox(w)->text(), "Sharks & Rays");
    w->cmdEdit_Click();
    EXPECT_FALSE(w->isAdding());
    e.nameBox(w)->setText(QStringLiteral("Dolphins"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(rows(e, QStringLiteral("Sharks & Rays")), 0);
    EXPECT_EQ(rows(e, QStringLiteral("Dolphins")), 1);
    EXPECT_TRUE(entries(w).filter(QStringLiteral("Dolphins")).size() == 1)
        << qPrintable(entries(w).join(QLatin1Char('|')));
}

TEST_P(EditorTest, DeleteAsksFirst)
{
    const EditorCase &e = GetParam();
    insert(e.insertSql, QStringLiteral("Aardvarks"));
    insert(e.insertSql, QStringLiteral("Zebras"));
    LookupEditor *w = e.open();
    select(w, QStringLiteral("Zebras"));

    script->answer(ui::vbNo);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().title, "Confirm Delete");
    EXPECT_EQ(
        lastBox().text,
        QStringLiteral("Are you sure you wish to delete this %1?").arg(QLatin1String(e.kind)));
    EXPECT_EQ(lastBox().icon, ui::vbQuestion);
    EXPECT_EQ(rows(e, QStringLiteral("Zebras")), 1);
    EXPECT_EQ(listOf(w)->currentRow(), 0) << "No still reloads the list";

    select(w, QStringLiteral("Zebras"));
    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(rows(e, QStringLiteral("Zebras")), 0);
    EXPECT_EQ(rows(e, QStringLiteral("Aardvarks")), 1);
    EXPECT_TRUE(entries(w).filter(QStringLiteral("Zebras")).isEmpty());
}

// Names with quotes that a window accepts are found again by their entries.
TEST_P(EditorTest, NamesSurviveTheRowLookup)
{
    const EditorCase &e = GetParam();
    insert(e.insertSql, QStringLiteral("Lap"));
    insert(e.insertSql, QStringLiteral("Kids' \"Squad\""));
    LookupEditor *w = e.open();
    select(w, QStringLiteral("Kids'"));
    EXPECT_EQ(e.nameBox(w)->text(), "Kids' \"Squad\"");
    select(w, QStringLiteral("Lap"));
    EXPECT_EQ(e.nameBox(w)->text(), "Lap");
}

TEST_P(EditorTest, ClosingWhileEditingAsks)
{
    const EditorCase &e = GetParam();
    struct Case
    {
        int answer;
        const char *name;
        bool closes;
        bool saved;
    } cases[] = {
        {ui::vbYes, "", false, false}, // a refused save keeps the window
        {ui::vbCancel, "Otters", false, false},
        {ui::vbNo, "Otters", true, false},
        {ui::vbYes, "Otters", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        LookupEditor *w = e.open();
        w->cmdNew_Click();
        e.nameBox(w)->setText(QString::fromLatin1(c.name));
        fillOthers(w);
        script->answer(c.answer);
        if (!*c.name)
            script->answer(ui::vbOK); // the refusal
        EXPECT_EQ(w->unload(ui::CloseReason::ControlMenu), c.closes);
        const auto question = std::find_if(
            script->shown().cbegin(), script->shown().cend(),
            [](const ui::ShownDialog &b) { return b.title == QLatin1String("Wait a minute"); });
        ASSERT_NE(question, script->shown().cend());
        EXPECT_EQ(
            question->text,
            QStringLiteral("Do you want to save changes to this %1?").arg(QLatin1String(e.kind)));
        EXPECT_EQ(question->buttons, ui::vbYesNoCancel);
        EXPECT_EQ(rows(e, QStringLiteral("Otters")), c.saved ? 1 : 0);
        if (!c.closes) {
            EXPECT_TRUE(w->isEditing());
            EXPECT_TRUE(w->isAdding());
            EXPECT_EQ(e.nameBox(w)->text(), QString::fromLatin1(c.name));
            script->answer(ui::vbNo);
            ASSERT_TRUE(w->unload());
        }
        flush();
        exec(QStringLiteral("DELETE FROM ") + rowsOf(e, QStringLiteral("Otters")));
        script.reset();
        script = std::make_unique<ui::DialogScript>();
    }
}

TEST_P(EditorTest, ClosingRefreshesTheClassSearch)
{
    const EditorCase &e = GetParam();
    TimetableFakeWindow *main = loadClassSearch();
    LookupEditor *w = e.open();
    EXPECT_TRUE(main->calls.isEmpty());
    ASSERT_TRUE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(main->calls, e.refresh);
    EXPECT_EQ(main->searched(), e.searches);
    EXPECT_EQ(main->grd->cols(), e.searches ? 11 : 2) << "the grid is laid out again";
    EXPECT_TRUE(script->shown().isEmpty()) << "browse closes without a question";
}

INSTANTIATE_TEST_SUITE_P(Lookups, EditorTest, ::testing::ValuesIn(editors),
                         [](const auto &info) { return std::string(info.param.window); });

TEST_F(LookupsTest, SaveRefusesNamesAndKeepsTheEntries)
{
    struct Case
    {
        const char *window;
        const char *name;
        const char *max; // class groups only
        const char *message;
    } cases[] = {
        {"frmClassGroups", "", "10", "You must enter a class group name."},
        {"frmClassGroups", "   ", "10", "You must enter a class group name."},
        {"frmClassGroups", "Level \"3\"", "10",
         "You cannot have a \" character in the class group name."},
        {"frmClassGroups", "Level 3", "",
         "You must enter a valid number for the maximum number of students in the class."},
        {"frmClassGroups", "Level 3", "ten",
         "You must enter a valid number for the maximum number of students in the class."},
        {"frmPoolAreas", "", nullptr, "You must enter a location name."},
        {"frmPoolAreas", "Kids' Pool", nullptr,
         "You cannot have a ' character in the location name."},
        {"frmPoolAreas", "main pool", nullptr, "There is already a location with this name."},
        {"frmActivities", "", nullptr, "You must enter an activity name."},
        {"frmActivities", "Say \"hi\"", nullptr,
         "You cannot have a \" character in the activity name."},
        {"frmActivities", "Mums' Swim", nullptr,
         "You cannot have a ' character in the activity name."},
        {"frmActivities", "LEARN TO SWIM", nullptr, "There is already an activity with this name."},
        {"frmEvents", "", nullptr, "You must enter an event name."},
        {"frmEvents", "Gala \"A\"", nullptr, "You cannot have a \" character in the event name."},
        {"frmEvents", "Kids' Gala", nullptr, "You cannot have a ' character in the event name."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const EditorCase &e =
            *std::find_if(std::begin(editors), std::end(editors), [&](const EditorCase &x) {
                return QLatin1String(x.window) == QLatin1String(c.window);
            });
        LookupEditor *w = e.open();
        w->cmdNew_Click();
        e.nameBox(w)->setText(QString::fromLatin1(c.name));
        if (c.max)
            static_cast<frmClassGroups *>(w)->txtField[3]->setText(QString::fromLatin1(c.max));
        const int before = script->shown().size();
        const int stored = rows(e, QString::fromLatin1(c.name));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        ASSERT_EQ(script->shown().size(), before + 1);
        EXPECT_EQ(lastBox().text, QString::fromLatin1(c.message));
        EXPECT_EQ(lastBox().title, "Oops!");
        EXPECT_EQ(lastBox().icon, ui::vbExclamation);
        EXPECT_TRUE(w->isEditing());
        EXPECT_TRUE(w->isAdding());
        EXPECT_EQ(e.nameBox(w)->text(), QString::fromLatin1(c.name));
        EXPECT_EQ(rows(e, QString::fromLatin1(c.name)), stored);
        script->answer(ui::vbNo);
        ASSERT_TRUE(w->unload());
        flush();
    }
}

// Adding refuses a location's name that is taken; renaming onto it does not.
TEST_F(LookupsTest, PoolAreaRenameMayRepeatAName)
{
    exec(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Toddler Pool')"));
    const qint32 classId = addClass(addProgram(QStringLiteral("Term 1")));
    exec(QStringLiteral("UPDATE Classes SET PoolArea = 2 WHERE ClassID = %1").arg(classId));
    auto *w = static_cast<frmPoolAreas *>(openEditor<frmPoolAreas>());
    select(w, QStringLiteral("Toddler Pool"));
    EXPECT_EQ(w->txtField[0]->text(), "2");
    w->cmdEdit_Click();
    w->txtField[1]->setText(QStringLiteral("Main Pool"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM PoolAreas WHERE AreaName = 'Main Pool'")), 2);
    EXPECT_EQ(entries(w), QStringList({"Main Pool (ID#1)", "Main Pool (ID#2)"}));
    EXPECT_EQ(value(QStringLiteral("SELECT PoolArea FROM Classes")).toInt(), 2);
}

TEST_F(LookupsTest, ActivityRenameOntoATakenNameFailsWithTheSaveError)
{
    exec(QStringLiteral("INSERT INTO Activities (ActivityName) VALUES ('Diving')"));
    auto *w = static_cast<frmActivities *>(openEditor<frmActivities>());
    select(w, QStringLiteral("Diving"));
    EXPECT_EQ(w->CurrentActivityName, "Diving");
    w->cmdEdit_Click();
    w->txtActivityName->setText(QStringLiteral("Learn to Swim"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_TRUE(lastBox().text.startsWith("An unexpected error occurred ("));
    EXPECT_TRUE(lastBox().text.endsWith(") when saving the activity."));
    EXPECT_TRUE(w->isEditing());
    EXPECT_EQ(w->txtActivityName->text(), "Learn to Swim");
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Activities")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Activities WHERE ActivityName = 'Diving'")), 1);
}

// Renaming an activity leaves its classes with the name they carry.
TEST_F(LookupsTest, ActivityRenameKeepsTheClassesName)
{
    addClass(addProgram(QStringLiteral("Term 1")));
    auto *w = static_cast<frmActivities *>(openEditor<frmActivities>());
    select(w, QStringLiteral("Learn to Swim"));
    w->cmdEdit_Click();
    w->txtActivityName->setText(QStringLiteral("Swim School"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(entries(w), QStringList({"Swim School"}));
    EXPECT_EQ(value(QStringLiteral("SELECT ActivityName FROM Classes")).toString(),
              "Learn to Swim");
}

TEST_F(LookupsTest, DeleteRefusedWhileClassesUseTheRow)
{
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    for (int i = 0; i < 3; ++i)
        addClass(program); // at "Main Pool", of "Learn to Swim"
    struct Case
    {
        const char *window;
        const char *entry;
        const char *message;
        const char *countSql;
    } cases[] = {
        {"frmPoolAreas", "Main Pool",
         "There are 3 classes assigned to this location. You cannot delete it until these classes "
         "are reassigned to a new location.",
         "SELECT * FROM PoolAreas"},
        {"frmActivities", "Learn to Swim",
         "There are 3 classes assigned to this activity. You cannot delete it while these classes "
         "exist.",
         "SELECT * FROM Activities"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.window);
        LookupEditor *w = QLatin1String(c.window) == QLatin1String("frmPoolAreas")
                              ? openEditor<frmPoolAreas>()
                              : openEditor<frmActivities>();
        select(w, QString::fromLatin1(c.entry));
        script->answer(ui::vbOK);
        w->cmdDelete_Click();
        ASSERT_EQ(script->shown().size(), 1) << "refused without the question";
        EXPECT_EQ(lastBox().text, QString::fromLatin1(c.message));
        EXPECT_EQ(lastBox().title, "Oops!");
        EXPECT_EQ(count(QString::fromLatin1(c.countSql)), 1);
        script.reset();
        script = std::make_unique<ui::DialogScript>();
    }
}

TEST_F(LookupsTest, ClassGroupsHideInactive)
{
    addGroup("Level 1", 0, "8");
    addGroup("Level 2", 1, "6");
    addGroup("Level 3", 0, "4");
    auto *w = static_cast<frmClassGroups *>(openEditor<frmClassGroups>());
    EXPECT_TRUE(w->Check1->isChecked());
    EXPECT_EQ(entries(w), QStringList({"Level 1 (ID#1)", "Level 3 (ID#3)"}));
    w->Check1->setChecked(false);
    EXPECT_EQ(entries(w), QStringList({"Level 1 (ID#1)", "Level 2 (ID#2)", "Level 3 (ID#3)"}));
    select(w, QStringLiteral("Level 2"));
    EXPECT_TRUE(w->chkInactive->isChecked());
    EXPECT_EQ(w->txtField[3]->text(), "6");

    w->Check1->setChecked(true);
    select(w, QStringLiteral("Level 3"));
    w->cmdEdit_Click();
    EXPECT_FALSE(w->Check1->isEnabled());
    w->chkInactive->setChecked(true);
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(entries(w), QStringList({"Level 1 (ID#1)"}));
    EXPECT_EQ(w->txtField[0]->text(), "1") << "the first entry is shown instead";
    EXPECT_EQ(
        value(QStringLiteral("SELECT Inactive FROM ClassGroups WHERE ClassGroupCode = 3")).toInt(),
        1);
}

// Two groups may share a name; each entry shows its own row, and a Null column
// never shows (or saves) the value of the row shown before.
TEST_F(LookupsTest, ClassGroupsOfOneNameAndNullColumns)
{
    addGroup("Beginners", 0, "8");
    addGroup("Beginners", 1, "Null");
    auto *w = static_cast<frmClassGroups *>(openEditor<frmClassGroups>());
    w->Check1->setChecked(false);
    EXPECT_EQ(entries(w), QStringList({"Beginners (ID#1)", "Beginners (ID#2)"}));
    EXPECT_EQ(w->txtField[3]->text(), "8");
    select(w, QStringLiteral("(ID#2)"));
    EXPECT_EQ(w->txtField[0]->text(), "2");
    EXPECT_TRUE(w->txtField[3]->text().isEmpty());
}

// New keeps the Inactive tick; an empty table shows nothing, and Edit and Save or
// Delete there fail with the window's errors.
TEST_F(LookupsTest, ClassGroupsOnAnEmptyTable)
{
    auto *w = static_cast<frmClassGroups *>(openEditor<frmClassGroups>());
    EXPECT_EQ(listOf(w)->count(), 0);
    EXPECT_TRUE(w->txtField[0]->text().isEmpty());

    script->answer(ui::vbOK).answer(ui::vbOK);
    w->cmdDelete_Click();
    ASSERT_EQ(script->shown().size(), 1) << "nothing to delete: no question";
    EXPECT_TRUE(
        lastBox().text.startsWith("An error occurred when deleting the class group.\r\nErr#"));

    w->cmdEdit_Click();
    w->txtField[1]->setText(QStringLiteral("Level 1"));
    w->txtField[3]->setText(QStringLiteral("8"));
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_TRUE(lastBox().text.startsWith("An unexpected error occurred ("));
    EXPECT_TRUE(lastBox().text.endsWith(") when saving the class group."));
    EXPECT_TRUE(w->isEditing());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM ClassGroups")), 0);
}

TEST_F(LookupsTest, EventsAreWrittenAsDates)
{
    auto *w = static_cast<frmEvents *>(openEditor<frmEvents>());
    EXPECT_EQ(w->CurrentEventId, 0);
    EXPECT_FALSE(w->dtEventDate->isEnabled());
    // Edit with no event shown adds one.
    w->cmdEdit_Click();
    EXPECT_TRUE(w->dtEventDate->isEnabled());
    w->txtEventName->setText(QStringLiteral("Gala"));
    w->dtEventDate->setDate(QDate(2010, 3, 7));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(value(QStringLiteral("SELECT EventDate FROM Events WHERE EventName = 'Gala'"))
                  .toDateTime()
                  .date(),
              QDate(2010, 3, 7));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Events WHERE EventDate = #2010-03-07#")), 1);
    EXPECT_EQ(entries(w), QStringList({"7/03/2010 - Gala (ID#1)"}));
    EXPECT_EQ(w->CurrentEventId, 1);
    EXPECT_EQ(w->dtEventDate->date(), QDate(2010, 3, 7));

    w->cmdNew_Click();
    EXPECT_EQ(w->CurrentEventId, 0);
    EXPECT_EQ(w->dtEventDate->date(), QDate::currentDate());
    w->txtEventName->setText(QStringLiteral("Open Day"));
    w->dtEventDate->setDate(QDate(2009, 12, 25));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(entries(w), QStringList({"25/12/2009 - Open Day (ID#2)", "7/03/2010 - Gala (ID#1)"}));
}

TEST_F(LookupsTest, RegistersWindowsAndOperations)
{
    shell::InstallAccess();
    timetable::RegisterLookupEditors();
    struct Case
    {
        const char *operation;
        useraccess::PermissionCheck check;
        int flag;
        const char *window;
    } cases[] = {
        {"Class Groups", useraccess::PermissionCheck::ByIndex, 22, "frmClassGroups"},
        {"Pool Areas", useraccess::PermissionCheck::ByIndex, 44, "frmPoolAreas"},
        {"Activities", useraccess::PermissionCheck::ByName, 59, "frmActivities"},
        {"Events", useraccess::PermissionCheck::ByName, 70, "frmEvents"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.operation);
        const QString window = QString::fromLatin1(c.window);
        EXPECT_TRUE(shell::IsWindowRegistered(window));
        const useraccess::AuthorisedOperation *op =
            useraccess::FindAuthorisedOperation(QString::fromLatin1(c.operation));
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->check, c.check);
        EXPECT_EQ(op->index, c.flag);
        op->action({});
        ui::Form *shown = ui::Forms::find(window);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible());
    }
}

TEST_F(LookupsTest, Screenshots)
{
    addGroup("Level 1 - Starfish", 0, "8");
    addGroup("Level 2 - Seahorse", 0, "6");
    exec(QStringLiteral("INSERT INTO Events (EventName, EventDate) VALUES ('Club Gala', "
                        "#2026-03-07#)"));
    for (const EditorCase &e : editors) {
        LookupEditor *w = e.open();
        ovix::test::saveScreenshot(w, QString::fromLatin1(e.window));
        w->cmdEdit_Click();
        ovix::test::saveScreenshot(w, QString::fromLatin1(e.window) + QStringLiteral("-editing"));
    }
}

} // namespace
