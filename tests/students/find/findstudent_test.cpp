#include "access/authorisation.h"
#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/ui/forms.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "students/details/frmstudentdetails.h"
#include "students/details/register.h"
#include "students/find/frmfindstudent.h"
#include "students/find/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

// Stands in for the employee, family and authorisation windows: records each LoadUp.
class RecordStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit RecordStandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadUp(const QVariant &first, const QVariant &second, const QString &third)
    {
        QString middle = second.toString();
        if (second.metaType().flags() & QMetaType::PointerToQObject) {
            if (auto *object = *static_cast<QObject *const *>(second.constData()))
                middle = object->objectName();
        }
        calls << QStringLiteral("%1|%2|%3").arg(first.toString(), middle, third);
    }
    QStringList calls;
};

// The authorisation window, as the requesters call it.
class PasswordStandIn : public RecordStandIn
{
    Q_OBJECT
public:
    using RecordStandIn::RecordStandIn;
    Q_INVOKABLE void LoadUp(ui::Form *xf, const QString &mode, const QString &extra)
    {
        calls << QStringLiteral("%1|%2|%3").arg(xf ? xf->objectName() : QString(), mode, extra);
    }
};

namespace {

class FindStudentTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('nobody', 'No Rights', '', 0)"));
        Global::LoadCurrentUserRights();
        students::RegisterStudentDetailsWindow();
        students::RegisterFindStudentWindow();
        ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Zeller"));
        bob = addStudent(QStringLiteral("Bob"), QStringLiteral("Young"));
        cy = addStudent(QStringLiteral("Cy"), QStringLiteral("Xavier"));
        settle();
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmStudentDetails *>(f))
                w->cmdSave->setEnabled(false);
        for (const char *name : {"frmPassword", "frmEmpDetails", "frmFamDetails"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        Global::CurrentUserId = QStringLiteral("i");
        TimetableTest::TearDown();
    }
    // A stand-in made anew for each opening (record windows) or shared (frmPassword).
    QList<RecordStandIn *> *standIns(const QString &name, bool shared = false)
    {
        auto made = std::make_shared<QList<RecordStandIn *>>();
        ui::RegisterWindow(name, [name, made, shared]() -> ui::Form * {
            if (shared && !made->isEmpty() && made->last())
                return made->last();
            auto *w = shared ? new PasswordStandIn(name) : new RecordStandIn(name);
            made->append(w);
            return w;
        });
        keep.push_back(made);
        return made.get();
    }
    frmFindStudent *find() { return static_cast<frmFindStudent *>(ui::LoadWindowByName("frmFindStudent")); }
    // Every person of the fixture a plain row of its kinds, as the record window saves them.
    void settle()
    {
        for (const char *column : {"Student", "Employee", "Vendor", "Special"})
            exec(QStringLiteral("UPDATE Students SET %1 = 'N' WHERE %1 Is Null").arg(column));
    }
    QStringList items(frmFindStudent *w)
    {
        QStringList all;
        for (int i = 0; i < w->cbo->count(); ++i)
            all << w->cbo->list(i);
        return all;
    }
    // Chooses the item of that text as a click in the list does.
    void choose(frmFindStudent *w, const QString &text)
    {
        const auto found = w->cbo->listWidget()->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        w->cbo->setListIndex(w->cbo->listWidget()->row(found.first()));
    }
    QList<frmStudentDetails *> records()
    {
        QList<frmStudentDetails *> all;
        for (ui::Form *f : ui::Forms::all())
            if (auto *r = qobject_cast<frmStudentDetails *>(f))
                all << r;
        return all;
    }
    void signInAs(const QString &user)
    {
        Global::CurrentUserId = user;
        Global::LoadCurrentUserRights();
    }
    qint32 ann = 0, bob = 0, cy = 0;
    std::vector<std::shared_ptr<QList<RecordStandIn *>>> keep;
};

} // namespace

TEST_F(FindStudentTest, EachModeSetsItsCaptionsAndListsItsKind)
{
    const qint32 emp = addStudent(QStringLiteral("Eve"), QStringLiteral("Desk"));
    exec(QStringLiteral("UPDATE Students SET Student = 'N', Employee = 'Y' WHERE StudentID = %1").arg(emp));
    const qint32 coach = addInstructor(QStringLiteral("Ivy"), QStringLiteral("Coach"));
    const qint32 fam = addStudent(QStringLiteral("Fay"), QStringLiteral("Home"));
    exec(QStringLiteral("UPDATE Students SET Student = 'N', Vendor = 'Y' WHERE StudentID = %1").arg(fam));
    const qint32 special = addStudent(QStringLiteral("Sys"), QStringLiteral("Special"));
    exec(QStringLiteral("UPDATE Students SET Special = 'Y' WHERE StudentID = %1").arg(special));
    exec(QStringLiteral("UPDATE Students SET Inactive = 1 WHERE StudentID = %1").arg(cy));
    settle();

    frmFindStudent *w = find();
    // Before any mode: the design-time texts and no list.
    EXPECT_EQ(w->caption(), QStringLiteral("Lookup Student Details"));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("Choose a Student from the list:"));
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("Searching"));
    EXPECT_EQ(w->optLF->text(), QStringLiteral("Smith, John"));
    EXPECT_EQ(w->optFL->text(), QStringLiteral("John Smith"));
    EXPECT_EQ(w->cmdNext->text(), QStringLiteral("Open"));
    EXPECT_EQ(w->cmdClose->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(w->optLF->isChecked());
    w->Load_Students();
    EXPECT_EQ(w->cbo->count(), 0);
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("Searching"));

    const struct
    {
        int mode;
        const char *caption, *prompt, *button, *status;
        QStringList list;
    } cases[] = {
        {1, "Search Students", "Choose a Student from the list:", "New Student", "3 students on file",
         {"Xavier, Cy", "Young, Bob", "Zeller, Ann"}},
        {2, "Search Employees", "Choose a Employee from the list:", "New Employee",
         "2 employees on file", {"Coach, Ivy", "Desk, Eve"}},
        {3, "Search Families", "Choose a Family from the list:", "New Family", "1 families on file",
         {"Home, Fay"}},
    };
    w->cbo->setText(QStringLiteral("typed"));
    for (const auto &c : cases) {
        w->LoadUp(c.mode, QString());
        EXPECT_EQ(w->caption(), QString::fromLatin1(c.caption));
        EXPECT_EQ(w->Label2->text(), QString::fromLatin1(c.caption));
        EXPECT_EQ(w->Label5->text(), QString::fromLatin1(c.prompt));
        EXPECT_EQ(w->cmdAddStudent->text(), QString::fromLatin1(c.button));
        EXPECT_EQ(w->lblStatus->text(), QString::fromLatin1(c.status));
        EXPECT_EQ(items(w), c.list) << c.caption;
        EXPECT_EQ(w->cbo->text(), QStringLiteral("typed")) << "the typed text stays";
    }
    ovix::test::saveScreenshot(w, QStringLiteral("frmFindStudent-families"));
    // Employees open with the InstructorID when they have one.
    w->LoadUp(2, QString());
    EXPECT_EQ(w->cbo->itemData(0), coach);
    EXPECT_EQ(w->cbo->itemData(1), emp);

    exec(QStringLiteral("DELETE FROM Students WHERE Vendor = 'Y'"));
    w->LoadUp(3, QString());
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("0 families on file"));
}

TEST_F(FindStudentTest, BothOrdersOpenTheSamePersonAndTheWindowsUser)
{
    frmFindStudent *w = find();
    w->LoadUp(1, QStringLiteral("nobody"));
    EXPECT_EQ(w->User(), QStringLiteral("nobody"));
    choose(w, QStringLiteral("Young, Bob"));
    w->cmdNext_Click();
    w->optFL->click();
    EXPECT_EQ(items(w), (QStringList{"Ann Zeller", "Bob Young", "Cy Xavier"}));
    choose(w, QStringLiteral("Bob Young"));
    w->cmdNext_Click();
    const auto opened = records();
    ASSERT_EQ(opened.size(), 2);
    for (frmStudentDetails *r : opened) {
        EXPECT_EQ(r->studentId(), bob);
        EXPECT_EQ(r->userId(), QStringLiteral("nobody"));
    }
    // Typed text that names nobody opens nothing.
    w->cbo->setText(QStringLiteral("Bob"));
    w->cmdNext_Click();
    EXPECT_EQ(records().size(), 2);
    // The class search's button passes no user: the signed-in one.
    w->LoadUp(1, QString());
    EXPECT_EQ(w->User(), QStringLiteral("i"));
}

TEST_F(FindStudentTest, ApprovedSearchesWorkForTheApprovingUser)
{
    for (const auto &[text, mode] :
         {std::pair{"Search Students", 1}, {"Instructors", 2}, {"Search Families", 3}}) {
        useraccess::AuthorisationRequest request;
        request.strMode = QString::fromLatin1(text);
        request.userId = QStringLiteral("i");
        const auto *op = useraccess::FindAuthorisedOperation(request.strMode);
        ASSERT_NE(op, nullptr) << text;
        op->action(request);
        EXPECT_EQ(find()->mode(), mode);
        EXPECT_EQ(find()->User(), QStringLiteral("i"));
        EXPECT_TRUE(find()->isVisible());
    }
    const struct
    {
        const char *text;
        int right;
    } rights[] = {{"Search Students", 33}, {"Instructors", 6}, {"Search Families", 12}};
    for (const auto &r : rights)
        EXPECT_EQ(useraccess::FindAuthorisedOperation(QString::fromLatin1(r.text))->index, r.right);
}

TEST_F(FindStudentTest, TheRememberedIndexComesBackFromOneOnly)
{
    frmFindStudent *w = find();
    w->LoadUp(1, QString());
    choose(w, QStringLiteral("Young, Bob")); // index 1
    exec(QStringLiteral("UPDATE Students SET [First Name] = 'Rob' WHERE StudentID = %1").arg(bob));
    w->Load_Students();
    // The text names nobody now: the item at index 1 is chosen, whoever stands there.
    EXPECT_EQ(w->cbo->text(), QStringLiteral("Young, Rob"));

    choose(w, QStringLiteral("Xavier, Cy")); // index 0
    exec(QStringLiteral("UPDATE Students SET [First Name] = 'Kay' WHERE StudentID = %1").arg(cy));
    w->Load_Students();
    EXPECT_EQ(w->cbo->text(), QStringLiteral("Xavier, Cy"));
    w->cmdNext_Click();
    EXPECT_TRUE(records().isEmpty()) << "index 0 is not brought back";
}

TEST_F(FindStudentTest, ASavedStudentJoinsTheOpenList)
{
    frmFindStudent *w = find();
    w->LoadUp(1, QString());
    w->cbo->setText(QStringLiteral("Wal"));
    auto *record = ui::Forms::create<frmStudentDetails>();
    record->LoadUp(0, w, QString());
    record->setFieldText(1, QStringLiteral("Wally"));
    record->setFieldText(2, QStringLiteral("Walker"));
    ASSERT_TRUE(record->cmdSave_Click());
    EXPECT_TRUE(items(w).contains(QStringLiteral("Walker, Wally")));
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("4 students on file"));
    EXPECT_EQ(w->cbo->text(), QStringLiteral("Wal"));
}

TEST_F(FindStudentTest, NewAndOpenPerModeWithAndWithoutTheRight)
{
    auto *employees = standIns(QStringLiteral("frmEmpDetails"));
    auto *families = standIns(QStringLiteral("frmFamDetails"));
    auto *password = standIns(QStringLiteral("frmPassword"), true);
    const qint32 fam = addStudent(QStringLiteral("Fay"), QStringLiteral("Home"));
    exec(QStringLiteral("UPDATE Students SET Student = 'N', Vendor = 'Y' WHERE StudentID = %1").arg(fam));
    const qint32 coach = addInstructor(QStringLiteral("Ivy"), QStringLiteral("Coach"));
    settle();

    frmFindStudent *w = find();
    w->LoadUp(2, QStringLiteral("nobody"));
    choose(w, QStringLiteral("Coach, Ivy"));
    w->cmdNext_Click();
    w->cmdAddStudent_Click();
    ASSERT_EQ(employees->size(), 2);
    EXPECT_EQ(employees->at(0)->calls, QStringList{QStringLiteral("%1|Edit|nobody").arg(coach)});
    EXPECT_EQ(employees->at(1)->calls, QStringList{QStringLiteral("0|Add|")});

    w->LoadUp(3, QStringLiteral("nobody"));
    choose(w, QStringLiteral("Home, Fay"));
    w->cmdNext_Click();
    w->cmdAddStudent_Click(); // the signed-in user holds the right
    ASSERT_EQ(families->size(), 2);
    EXPECT_EQ(families->at(0)->calls,
              QStringList{QStringLiteral("%1|frmFindStudent|nobody").arg(fam)});
    EXPECT_EQ(families->at(1)->calls, QStringList{QStringLiteral("0|frmFindStudent|nobody")});

    // Signed in without rights: the students' and employees' rights are the
    // signed-in user's, the families' right the window user's.
    signInAs(QStringLiteral("nobody"));
    const struct
    {
        int mode;
        const char *user;
        const char *asked; // "" when the record opens
    } cases[] = {
        {1, "i", "New Student"},
        {2, "i", "New Employee"},
        {3, "nobody", "New Family"},
        {3, "i", ""},
    };
    for (const auto &c : cases) {
        if (!password->isEmpty())
            password->last()->calls.clear();
        const qsizetype before = families->size() + records().size();
        w->LoadUp(c.mode, QString::fromLatin1(c.user));
        w->cmdAddStudent_Click();
        if (*c.asked) {
            ASSERT_FALSE(password->isEmpty());
            EXPECT_EQ(password->last()->calls,
                      QStringList{QStringLiteral("frmFindStudent|%1|").arg(c.asked)});
            EXPECT_EQ(families->size() + records().size(), before) << c.asked;
        } else {
            EXPECT_EQ(families->size(), 3);
        }
    }
    exec(QStringLiteral("UPDATE Users SET AddStudents = 1, EditStudents = 1 WHERE UserID = 'nobody'"));
    signInAs(QStringLiteral("nobody"));
    w->LoadUp(1, QString());
    w->cmdAddStudent_Click();
    ASSERT_EQ(records().size(), 1);
    EXPECT_EQ(records().first()->studentId(), 0);
    EXPECT_TRUE(records().first()->cmdSave->isEnabled()) << "a new record opens for editing";
}

TEST_F(FindStudentTest, EmployeeAndFamilyButtonsWaitForTheirWindows)
{
    frmFindStudent *w = find();
    w->LoadUp(2, QString());
    EXPECT_FALSE(w->cmdNext->isEnabled());
    EXPECT_FALSE(w->cmdAddStudent->isEnabled());
    w->LoadUp(1, QString());
    EXPECT_TRUE(w->cmdNext->isEnabled());
    EXPECT_TRUE(w->cmdAddStudent->isEnabled());
    standIns(QStringLiteral("frmFamDetails"));
    w->LoadUp(3, QString());
    EXPECT_TRUE(w->cmdNext->isEnabled());
}

#include "findstudent_test.moc"
