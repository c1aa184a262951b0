#include "access/authorisation.h"
#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "staff/employee/frmempdetails.h"
#include "staff/employee/frmempqual.h"
#include "staff/employee/frmpromotestudent.h"
#include "staff/employee/register.h"
#include "students/find/frmfindstudent.h"
#include "students/find/register.h"
#include "students/utilities/frmduplicates.h"
#include "students/utilities/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

// Stands in for a window the employee window opens by name: records each call.
class EmpStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit EmpStandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
        for (const char *box : {"txtSID", "txtID", "txtTo", "txtToName"}) {
            auto *line = new QLineEdit(this);
            line->setObjectName(QLatin1String(box));
        }
    }
    Q_INVOKABLE void LoadUp(const QVariant &a) { record(QStringLiteral("LoadUp"), {a}); }
    Q_INVOKABLE void LoadUp(const QVariant &a, const QVariant &b, const QVariant &c)
    {
        record(QStringLiteral("LoadUp"), {a, b, c});
    }
    Q_INVOKABLE void Load_Up(const QVariant &a) { record(QStringLiteral("Load_Up"), {a}); }
    QString box(const char *name) const
    {
        return findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    QStringList calls;

private:
    void record(const QString &member, const QVariantList &args)
    {
        QStringList parts{member};
        for (const QVariant &v : args) {
            if (QObject *o = v.value<QObject *>())
                parts << o->objectName();
            else if (auto *f = v.value<ui::Form *>())
                parts << f->objectName();
            else
                parts << v.toString();
        }
        calls << parts.join(QLatin1Char('|'));
    }
};

namespace {

class EmpDetailsTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        script.reset();
        script = std::make_unique<ui::DialogScript>(ui::DialogScript::Mode::Record);
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        // "nobody" holds no right; "clerk" may add and edit employees only.
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('nobody', 'No Rights', '', 0)"));
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('clerk', 'Desk Clerk', '', 0)"));
        exec(QStringLiteral("UPDATE Users SET AddEditEmployees = 1 WHERE UserID = 'clerk'"));
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('Coach', 'Head Coach', '', 0)"));
        staff::RegisterEmployeeWindows();
        useraccess::RegisterAccessOperations();
        ivy = addInstructor(QStringLiteral("Ivy"), QStringLiteral("Coach"));
        ivyPerson = personOf(ivy);
        exec(QStringLiteral("UPDATE Students SET Student = 'N', Vendor = 'N', Special = 'N' WHERE "
                            "Student Is Null OR Vendor Is Null OR Special Is Null"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmEmpDetails *>(f))
                w->cmdSave->setEnabled(false);
        ui::Forms::unloadByName(QStringLiteral("frmEmpQual"));
        for (const char *name : {"frmPassword", "frmEmail", "frmFamily", "frmChangeFamily",
                                 "frmFamDetails", "frmUsers", "frmPhoto", "frmEmpDetails",
                                 "frmEmpQual", "frmFindStudent", "frmDuplicates"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        EXPECT_EQ(script->failures(), QStringList()) << "a box nobody answered";
        Global::CurrentUserId = QStringLiteral("i");
        TimetableTest::TearDown();
    }
    qint32 personOf(qint32 instructor)
    {
        return value(QStringLiteral("SELECT StudentID FROM Instructors WHERE InstructorID = %1")
                         .arg(instructor))
            .toInt();
    }
    // A stand-in (one shared instance) registered under the name.
    EmpStandIn *standIn(const QString &name)
    {
        auto holder = std::make_shared<QPointer<EmpStandIn>>();
        ui::RegisterWindow(name, [name, holder]() -> ui::Form * {
            if (!*holder) {
                *holder = new EmpStandIn(name);
                (*holder)->load();
            }
            return holder->data();
        });
        return static_cast<EmpStandIn *>(ui::LoadWindowByName(name));
    }
    frmEmpDetails *open(qint32 instructor, const QString &mode = QStringLiteral("Edit"),
                        const QString &user = {})
    {
        auto *w = ui::Forms::create<frmEmpDetails>();
        w->LoadUp(instructor, mode, user);
        return w;
    }
    QString column(const QString &col, qint32 id)
    {
        const QVariant v =
            value(QStringLiteral("SELECT [%1] FROM Students WHERE StudentID = %2").arg(col).arg(id));
        return v.isNull() ? QStringLiteral("<null>") : v.toString();
    }
    static bool locked(frmEmpDetails *w, int index)
    {
        if (auto *line = qobject_cast<QLineEdit *>(w->txtField[index]))
            return line->isReadOnly();
        return static_cast<QPlainTextEdit *>(w->txtField[index])->isReadOnly();
    }
    QStringList titles(qsizetype from = 0) const
    {
        QStringList t;
        for (qsizetype i = from; i < script->shown().size(); ++i)
            t << script->shown()[i].title;
        return t;
    }
    QString lastText() const { return script->shown().isEmpty() ? QString() : script->shown().last().text; }
    QList<frmEmpDetails *> windows() const
    {
        QList<frmEmpDetails *> all;
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmEmpDetails *>(f))
                all << w;
        return all;
    }
    static bool qualOpen()
    {
        for (ui::Form *f : ui::Forms::all())
            if (f->name() == QLatin1String("frmEmpQual"))
                return true;
        return false;
    }
    QStringList gridRow(ui::FlexGrid *g, int row) const
    {
        QStringList cells;
        for (int c = 0; c < g->cols(); ++c)
            cells << g->textMatrix(row, c);
        return cells;
    }

    qint32 ivy = 0;
    qint32 ivyPerson = 0;
};

} // namespace

TEST_F(EmpDetailsTest, ShowsItsTabsCaptionsAndGrids)
{
    frmEmpDetails *w = open(ivy);
    EXPECT_EQ(w->caption(), QStringLiteral("Employee Details"));
    QStringList tabs;
    for (int i = 0; i < w->SSTab1->count(); ++i)
        tabs << w->SSTab1->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Employee Details", "Address Details", "Notes and Alerts",
                                 "Qualifications", "User Account", "Statistics"}));
    QStringList captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        captions << l->text();
    for (const char *text :
         {"First Name:", "Last Name:", "Date of Birth:", "Address:", "City:", "State:",
          "Postcode:", "Home Phone:", "Work Phone:", "Mobile Phone:", "Email Address:",
          "Medical or Other Notes:", "Gender:", "Internal Notes for Students:",
          "Staff Notes (Employee Administrators Only):", "Employee ID:", "Person ID:",
          "Select a user account:", "Barcode:", "Family:", "Use an Existing Account",
          "If you have already set up a user account for this employee, select their account "
          "from the list.",
          "Create a New Account",
          "If you haven't already created an account for this employee, click the button to "
          "create an account.",
          "If you wish for this employee to have access to assessments or receiving payments, "
          "then they must have a user account.",
          "You do not have the appropriate access permissions to change user accounts. Click "
          "here to sign in with a different account."})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(text))) << text;
    EXPECT_EQ(w->lblField[9]->text(), QStringLiteral("Postcode:"));
    EXPECT_EQ(w->lblField[10]->text(), QStringLiteral("Mobile Phone:"));
    const struct
    {
        QWidget *widget;
        const char *text;
    } buttons[] = {{w->cmdEdit, "Edit"},
                   {w->cmdSave, "Save"},
                   {w->cmdDelete, "Delete"},
                   {w->btnLoadPic, "Import Image from File"},
                   {w->btnCopy, "Copy Image to Clipboard"},
                   {w->btnDelPic, "Delete Employee Image"},
                   {w->cmdUserEdit, "Create New User Account"},
                   {w->cmdUserPermissions, "Edit Permissions..."},
                   {w->cmdNewQualification, "New Qualification"},
                   {w->cmdBarcodeChange, "Change..."},
                   {w->chkInactive, "This person is inactive"}};
    for (const auto &b : buttons)
        EXPECT_EQ(b.widget->property("text").toString(), QString::fromLatin1(b.text));
    EXPECT_EQ(w->cmdAttachFamily->toolTip(), QStringLiteral("Create a New Family Contact Person"));
    EXPECT_EQ(w->cmdFamily->toolTip(), QStringLiteral("Open Family Contact Person's Information"));
    EXPECT_EQ(w->cmdEditFamily->toolTip(), QStringLiteral("Pick a new Family from the List"));
    EXPECT_EQ(w->cmdRemoveFamily->toolTip(), QStringLiteral("Remove Student From Family"));
    EXPECT_EQ(static_cast<QLineEdit *>(w->txtField[6])->maxLength(), 3);
    EXPECT_EQ(static_cast<QLineEdit *>(w->txtField[7])->maxLength(), 5);
    EXPECT_EQ(static_cast<QLineEdit *>(w->txtField[13])->maxLength(), 1);

    EXPECT_EQ(gridRow(w->grd3, 0),
              (QStringList{"ID", "Qualification", "Number", "Expires", "Authorised By", "Notes"}));
    const int widths[] = {500, 3350, 1000, 1000, 1600, 1400};
    for (int c = 0; c < 6; ++c) {
        EXPECT_NEAR(w->grd3->colWidth(c), widths[c], 15); // whole pixels of 15 twips
        EXPECT_EQ(w->grd3->cellAlignment(0, c), ui::flexAlignCenterCenter);
    }
    EXPECT_EQ(w->grd3->rows(), 1) << "no qualifications: the head row only";
    EXPECT_NEAR(w->grdStats->colWidth(0), 4000, 15);
    EXPECT_NEAR(w->grdStats->colWidth(1), 2000, 15);
    w->showForm();
    ovix::test::saveScreenshot(w, QStringLiteral("frmEmpDetails"));
    w->SSTab1->setCurrentIndex(4);
    ovix::test::saveScreenshot(w, QStringLiteral("frmEmpDetails-account"));
}

TEST_F(EmpDetailsTest, LoadsTheEmployeeInTheViewState)
{
    exec(QStringLiteral("UPDATE Students SET [Date of Birth] = #1990-03-05#, City = 'Town', "
                        "StaffNotes = 'Key holder', Inactive = 1, DetailsFormCompleted = "
                        "#2026-01-31# WHERE StudentID = %1")
             .arg(ivyPerson));
    // The account is stored in other letter case than its Users row.
    exec(QStringLiteral("UPDATE Instructors SET UserID = 'COACH' WHERE InstructorID = %1").arg(ivy));
    frmEmpDetails *w = open(ivy);
    EXPECT_EQ(w->lblEmpID->text(), QString::number(ivy));
    EXPECT_EQ(w->lblPersonID->text(), QString::number(ivyPerson));
    EXPECT_EQ(w->lblName->text(), QStringLiteral("Ivy Coach"));
    EXPECT_EQ(w->fieldText(3), QStringLiteral("05/03/1990"));
    EXPECT_EQ(w->fieldText(5), QStringLiteral("Town"));
    EXPECT_EQ(w->fieldText(20), QStringLiteral("Key holder"));
    EXPECT_TRUE(w->lblAge->text().startsWith(QStringLiteral("Age: ")));
    EXPECT_EQ(w->lblUpdated->text(), QStringLiteral("Details Last Updated: 31/01/2026"));
    EXPECT_TRUE(w->chkInactive->isChecked());
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("(none)"));
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("(individual)"));
    EXPECT_FALSE(w->cmdAttachFamily->isHidden());
    EXPECT_FALSE(w->cmdEditFamily->isHidden());
    EXPECT_TRUE(w->cmdFamily->isHidden());
    EXPECT_TRUE(w->cmdRemoveFamily->isHidden());
    EXPECT_EQ(w->picStudent->toolTip(), QStringLiteral("Photo of Ivy"));
    EXPECT_EQ(w->cboUserID[14]->currentText(), QStringLiteral("Coach - Head Coach"));
    EXPECT_EQ(w->chosenUserId(), QStringLiteral("Coach"));
    EXPECT_EQ(w->cboUserID[14]->itemText(0), QStringLiteral("(none)"));
    // The view state.
    EXPECT_TRUE(locked(w, 1));
    EXPECT_TRUE(locked(w, 20));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->cmdEdit->isEnabled());
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    EXPECT_FALSE(w->cboUserID[14]->isEnabled());
    EXPECT_TRUE(w->shpWarning->isHidden()) << "the signed-in user holds right 20";
    EXPECT_EQ(w->strMode(), QStringLiteral("Edit"));

    // A date of birth that is no date leaves the age empty; a missing employee
    // leaves the window empty.
    exec(QStringLiteral("UPDATE Students SET [Date of Birth] = Null WHERE StudentID = %1")
             .arg(ivyPerson));
    EXPECT_TRUE(open(ivy)->lblAge->text().isEmpty());
    frmEmpDetails *missing = open(ivy + 100);
    EXPECT_TRUE(missing->fieldText(1).isEmpty());
    EXPECT_EQ(missing->lblBarcode->text(), QStringLiteral("(none)"));
    EXPECT_EQ(missing->lblFamily->text(), QStringLiteral("(individual)"));
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(EmpDetailsTest, AddStartsEditingOnlyWithTheRight)
{
    script->answer(ui::vbOK);
    frmEmpDetails *w = open(0, QStringLiteral("Add"), QStringLiteral("nobody"));
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Access Denied")}) << "once";
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(locked(w, 1));
    EXPECT_FALSE(w->shpWarning->isHidden()) << "nobody lacks the account right";

    frmEmpDetails *added = open(0, QStringLiteral("Add"), QStringLiteral("clerk"));
    EXPECT_EQ(script->shown().size(), 1);
    EXPECT_TRUE(added->cmdSave->isEnabled());
    EXPECT_FALSE(locked(added, 1));
    EXPECT_FALSE(added->cmdEdit->isEnabled());
    EXPECT_FALSE(added->cmdDelete->isEnabled());
    EXPECT_EQ(added->lblFamily->text(), QStringLiteral("(individual)"));
    // Without the account right the account panel stays locked while editing.
    EXPECT_FALSE(added->shpWarning->isHidden());
    EXPECT_FALSE(added->cboUserID[14]->isEnabled());
    EXPECT_FALSE(added->cmdUserEdit->isEnabled());

    // The warning asks another user to sign in; the call back unlocks the panel.
    EmpStandIn *password = standIn(QStringLiteral("frmPassword"));
    script->answer(ui::vbOK);
    added->lblWarning_Click();
    EXPECT_EQ(password->calls,
              QStringList{QStringLiteral("LoadUp|frmEmpDetails|Edit Employee User Account|")});
    useraccess::RunAuthorisedOperation({added, QStringLiteral("Edit Employee User Account"),
                                        QString(), QStringLiteral("i"), nullptr});
    EXPECT_TRUE(added->shpWarning->isHidden());
    EXPECT_TRUE(added->cboUserID[14]->isEnabled());
    EXPECT_TRUE(added->cmdUserEdit->isEnabled());
    EXPECT_EQ(added->userId(), QStringLiteral("clerk"));

    // Edit of a loaded employee without the right: one refusal, nothing else.
    frmEmpDetails *viewer = open(ivy, QStringLiteral("Edit"), QStringLiteral("nobody"));
    const auto before = script->shown().size();
    script->answer(ui::vbOK);
    viewer->cmdEdit_Click();
    EXPECT_EQ(titles(before), QStringList{QStringLiteral("Access Denied")});
    EXPECT_FALSE(viewer->cmdSave->isEnabled());
}

TEST_F(EmpDetailsTest, SavesANewEmployeeAndThenUpdatesTheSameRows)
{
    frmEmpDetails *w = open(0, QStringLiteral("Add"));
    w->setFieldText(1, QStringLiteral("Ann"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Forgetting something")});
    EXPECT_EQ(lastText(),
              QStringLiteral("You must enter a first name and a last name for your employee"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 1);

    w->setFieldText(2, QStringLiteral("Lee"));
    w->setFieldText(8, QStringLiteral("9555"));
    w->cboUserID[14]->setCurrentIndex(w->cboUserID[14]->findText(QStringLiteral("Coach - Head Coach")));
    ASSERT_EQ(w->chosenUserId(), QStringLiteral("Coach"));
    ASSERT_TRUE(w->cmdSave_Click());
    const qint32 added = w->fieldText(0).toInt();
    const qint32 person = w->fieldText(21).toInt();
    EXPECT_GT(added, ivy);
    EXPECT_EQ(w->lblEmpID->text(), QString::number(added));
    EXPECT_EQ(w->lblPersonID->text(), QString::number(person));
    EXPECT_EQ(w->strMode(), QString());
    EXPECT_EQ(column(QStringLiteral("Employee"), person), QStringLiteral("Y"));
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM Instructors WHERE InstructorID = %1")
                        .arg(added))
                  .toString(),
              QStringLiteral("Coach"));
    EXPECT_EQ(value(QStringLiteral("SELECT Admin FROM Users WHERE UserID = 'Coach'")).toInt(), 1);
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(locked(w, 1));

    // Edit and save again: the same two rows.
    w->cmdEdit_Click();
    w->setFieldText(8, QString());
    w->setFieldText(2, QStringLiteral("Lee-Jones"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Students")), 2);
    EXPECT_EQ(column(QStringLiteral("Last Name"), person), QStringLiteral("Lee-Jones"));
    EXPECT_EQ(column(QStringLiteral("Home Phone"), person), QStringLiteral("9555"));
}

TEST_F(EmpDetailsTest, AFailedSaveSaysSoAndKeepsEditing)
{
    frmEmpDetails *w = open(ivy);
    w->cmdEdit_Click();
    w->setFieldText(2, QStringLiteral("Changed"));
    block(QStringLiteral("Students"), QStringLiteral("UPDATE"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Something went wrong")});
    EXPECT_TRUE(lastText().contains(QStringLiteral("(Err#"))) << lastText().toStdString();
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_EQ(w->fieldText(2), QStringLiteral("Changed"));
    EXPECT_EQ(column(QStringLiteral("Last Name"), ivyPerson), QStringLiteral("Coach"));
}

TEST_F(EmpDetailsTest, ClosingAsksOnlyWhileEditing)
{
    frmEmpDetails *viewing = open(ivy);
    EXPECT_TRUE(viewing->unload(ui::CloseReason::ControlMenu));
    EXPECT_TRUE(script->shown().isEmpty());

    frmEmpDetails *w = open(ivy);
    w->cmdEdit_Click();
    w->setFieldText(5, QStringLiteral("Newtown"));
    script->answer(ui::vbCancel);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_TRUE(w->cmdSave->isEnabled());
    script->answer(ui::vbYes);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu)) << "Yes saves and keeps the window";
    EXPECT_EQ(titles(), (QStringList{"Wait a minute", "Wait a minute"}));
    EXPECT_EQ(lastText(), QStringLiteral("Do you want to save changes to this employee information?"));
    EXPECT_EQ(script->shown().last().icon, ui::vbQuestion);
    EXPECT_EQ(column(QStringLiteral("City"), ivyPerson), QStringLiteral("Newtown"));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(windows().contains(w));

    w->cmdEdit_Click();
    w->setFieldText(5, QStringLiteral("Lost"));
    script->answer(ui::vbNo);
    EXPECT_TRUE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(column(QStringLiteral("City"), ivyPerson), QStringLiteral("Newtown"));
}

TEST_F(EmpDetailsTest, AnAccountListRefillKeepsTheLinkedAccount)
{
    exec(QStringLiteral("UPDATE Instructors SET UserID = 'Coach' WHERE InstructorID = %1").arg(ivy));
    frmEmpDetails *w = open(ivy);
    // Another account is saved in the accounts window meanwhile.
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                        "('aaron', 'Aaron', '', 0)"));
    w->Load_User_List();
    EXPECT_EQ(w->cboUserID[14]->count(), count(QStringLiteral("SELECT * FROM Users")) + 1);
    EXPECT_EQ(w->chosenUserId(), QStringLiteral("Coach"));
    w->cmdEdit_Click();
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM Instructors WHERE InstructorID = %1")
                        .arg(ivy))
                  .toString(),
              QStringLiteral("Coach"));

    // "(none)" unlinks and leaves every account as it was.
    exec(QStringLiteral("UPDATE Users SET Admin = 0"));
    w->cmdEdit_Click();
    w->cboUserID[14]->setCurrentIndex(0);
    EXPECT_FALSE(w->cmdUserPermissions->isEnabled());
    script->answer(ui::vbOK);
    w->cmdUserPermissions_Click();
    EXPECT_EQ(titles(), QStringList{QStringLiteral("No User")});
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM Instructors WHERE InstructorID = %1")
                        .arg(ivy))
                  .toString(),
              QString());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Users WHERE Admin <> 0")), 0);

    EmpStandIn *users = standIn(QStringLiteral("frmUsers"));
    w->cmdEdit_Click();
    w->cboUserID[14]->setCurrentIndex(w->cboUserID[14]->findText(QStringLiteral("Coach - Head Coach")));
    EXPECT_TRUE(w->cmdUserPermissions->isEnabled());
    w->cmdUserPermissions_Click();
    w->cmdUserEdit_Click();
    EXPECT_EQ(users->calls,
              (QStringList{"LoadUp|false|true|Coach", "LoadUp|true|true|"}));
}

TEST_F(EmpDetailsTest, DateOfBirthIsCheckedOnLeaving)
{
    frmEmpDetails *w = open(ivy);
    w->cmdEdit_Click();
    w->lblAge->setText(QStringLiteral("Age: 30"));
    w->setFieldText(3, QStringLiteral("31/02/2010"));
    script->answer(ui::vbNo);
    w->txtField_LostFocus(3);
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Oops!")});
    EXPECT_EQ(lastText(), QStringLiteral("The date you entered is not in a correct date format "
                                         "and cannot be accepted. Do you want to correct it?"));
    EXPECT_EQ(w->fieldText(3), QString());
    EXPECT_EQ(w->lblAge->text(), QStringLiteral("Age: 30")) << "left as it was";
    w->setFieldText(3, QStringLiteral("nonsense"));
    script->answer(ui::vbYes);
    w->txtField_LostFocus(3);
    EXPECT_EQ(w->fieldText(3), QStringLiteral("nonsense"));

    const QString today = vb::Format(vb::Date(), Global::DateFormat);
    w->setFieldText(3, today);
    w->txtField_LostFocus(3);
    EXPECT_EQ(w->lblAge->text(), QStringLiteral("(Age: 0m)"));
    w->setFieldText(3, QString());
    w->txtField_LostFocus(3);
    EXPECT_EQ(w->lblAge->text(), QString());
    EXPECT_EQ(script->shown().size(), 2);
}

TEST_F(EmpDetailsTest, BarcodesAreCheckedAndStoredUpperCase)
{
    const qint32 other = addStudent(QStringLiteral("Oz"), QStringLiteral("Other"));
    exec(QStringLiteral("UPDATE Students SET Barcode = 'TAKEN' WHERE StudentID = %1").arg(other));
    exec(QStringLiteral("UPDATE Students SET Barcode = 'MINE' WHERE StudentID = %1").arg(ivyPerson));
    frmEmpDetails *w = open(ivy);
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("MINE"));
    w->cmdEdit_Click();

    script->input(QStringLiteral("taken")).answer(ui::vbOK);
    w->cmdBarcodeChange_Click();
    EXPECT_EQ(titles(), (QStringList{"Change Barcode", "Cannot assign barcode"}));
    EXPECT_EQ(lastText(), QStringLiteral("The barcode you entered is already assigned to Oz Other."));
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("MINE"));

    script->input(QStringLiteral("mine"));
    w->cmdBarcodeChange_Click(); // its own barcode: no message
    EXPECT_EQ(script->shown().size(), 3);
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Scan New Barcode:"));

    script->input(QString()).answer(ui::vbNo);
    w->cmdBarcodeChange_Click();
    EXPECT_EQ(titles().last(), QStringLiteral("Remove barcode?"));
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("MINE"));
    script->input(QString()).answer(ui::vbYes);
    w->cmdBarcodeChange_Click();
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("(none)"));

    script->input(QStringLiteral("new 'b#2;"));
    w->cmdBarcodeChange_Click();
    EXPECT_EQ(w->lblBarcode->text(), QStringLiteral("NEW 'B#2;"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Barcode"), ivyPerson), QStringLiteral("NEW 'B#2;"));
}

TEST_F(EmpDetailsTest, DemotionRefusesLinkedEmployeesAndOtherwiseRemovesThem)
{
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 cls = addClass(program);
    linkInstructor(cls, ivy);
    frmEmpDetails *w = open(ivy);
    script->answer(ui::vbOK);
    w->cmdDelete_Click();
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Sorry, can't delete now")});
    EXPECT_EQ(lastText(), QStringLiteral("This employee has 1 classes assigned to them. You cannot "
                                         "remove the employee or the instructor information for "
                                         "the class will be lost."));
    exec(QStringLiteral("DELETE FROM InstructorLink"));
    exec(QStringLiteral("INSERT INTO Assessments (StudentID, ClassID, InstructorID) VALUES "
                        "(1, %1, %2)")
             .arg(cls)
             .arg(ivy));
    script->answer(ui::vbOK);
    w->DemoteInstructor();
    EXPECT_EQ(lastText(), QStringLiteral("This employee has 1 assessments linked to them. You "
                                         "cannot remove the employee or the instructor "
                                         "information for the class will be lost."));
    exec(QStringLiteral("DELETE FROM Assessments"));

    // No bookings: No keeps both rows, Yes removes them and closes the window.
    script->answer(ui::vbNo);
    w->DemoteInstructor();
    EXPECT_EQ(titles().last(), QStringLiteral("Are You Sure?"));
    EXPECT_EQ(lastText(), QStringLiteral("Are you sure you want to delete this employee? \n\nThis "
                                         "operation cannot be undone."));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 1);
    EXPECT_TRUE(windows().contains(w));
    script->answer(ui::vbYes);
    w->DemoteInstructor();
    flush();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Students")), 0);
    EXPECT_TRUE(windows().isEmpty());

    // Bookings: the employee becomes a student.
    const qint32 bo = addInstructor(QStringLiteral("Bo"), QStringLiteral("Oked"));
    const qint32 boPerson = personOf(bo);
    exec(QStringLiteral("UPDATE Students SET Student = 'N', Vendor = 'N' WHERE StudentID = %1")
             .arg(boPerson));
    for (int i = 0; i < 3; ++i)
        addBooking(cls, boPerson);
    frmEmpDetails *booked = open(bo);
    script->answer(ui::vbOK);
    booked->DemoteInstructor();
    EXPECT_EQ(titles().last(), QStringLiteral("Cannot Delete Employee"));
    EXPECT_EQ(lastText(), QStringLiteral("This employee has 3 bookings linked to them and so "
                                         "cannot be deleted. Instead, they will be changed to a "
                                         "Student."));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 0);
    EXPECT_EQ(column(QStringLiteral("Employee"), boPerson), QStringLiteral("N"));
    EXPECT_EQ(column(QStringLiteral("Student"), boPerson), QStringLiteral("Y"));

    // Without right 8: one refusal and nothing else.
    const qint32 kay = addInstructor(QStringLiteral("Kay"), QStringLiteral("Kept"));
    frmEmpDetails *refused = open(kay, QStringLiteral("Edit"), QStringLiteral("clerk"));
    const auto before = script->shown().size();
    script->answer(ui::vbOK);
    refused->cmdDelete_Click();
    EXPECT_EQ(titles(before), QStringList{QStringLiteral("Access Denied")});
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 1);

    // A failing delete says so and keeps the window.
    block(QStringLiteral("Students"), QStringLiteral("DELETE"));
    frmEmpDetails *failing = open(kay);
    script->answer(ui::vbYes).answer(ui::vbOK);
    failing->DemoteInstructor();
    EXPECT_TRUE(lastText().contains(QStringLiteral("could not be removed")));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 1);
    EXPECT_TRUE(windows().contains(failing));
}

TEST_F(EmpDetailsTest, FamilyButtonsLinkCopyAndRemove)
{
    const qint32 family = addStudent(QStringLiteral("Fay"), QStringLiteral("Home"));
    const qint32 member = addStudent(QStringLiteral("Kid"), QStringLiteral("Home"));
    exec(QStringLiteral("UPDATE Students SET Vendor = 'Y', Address = '1 Fam St', City = Null, "
                        "[Home Phone] = '9000' WHERE StudentID = %1")
             .arg(family));
    exec(QStringLiteral("UPDATE Students SET Family = %1 WHERE StudentID = %2").arg(family).arg(member));
    exec(QStringLiteral("UPDATE Students SET City = 'Own City' WHERE StudentID = %1").arg(ivyPerson));
    frmEmpDetails *w = open(ivy);
    w->cmdEdit_Click();

    EmpStandIn *chooser = standIn(QStringLiteral("frmChangeFamily"));
    w->cmdEditFamily_Click();
    EXPECT_EQ(chooser->calls, QStringList{QStringLiteral("Load_Up|frmEmpDetails")});
    script->answer(ui::vbYes);
    const QString text = QStringLiteral("Home, Fay (ID#%1)").arg(family);
    w->ChangeFamily(text);
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Load Data?")});
    EXPECT_EQ(w->lblFamily->text(), text);
    EXPECT_EQ(ui::tag(w->lblFamily), QString::number(family));
    EXPECT_FALSE(w->cmdFamily->isHidden());
    EXPECT_TRUE(w->cmdAttachFamily->isHidden());
    EXPECT_EQ(w->fieldText(4), QStringLiteral("1 Fam St"));
    EXPECT_EQ(w->fieldText(5), QStringLiteral("Own City")) << "an empty family city keeps the own";
    EXPECT_EQ(w->fieldText(8), QStringLiteral("9000"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), ivyPerson), QString::number(family));
    // The contact changed: the family and every member take the employee's details.
    EXPECT_EQ(column(QStringLiteral("City"), family), QStringLiteral("Own City"));
    EXPECT_EQ(column(QStringLiteral("City"), member), QStringLiteral("Own City"));

    // A save without a contact change touches no family row.
    exec(QStringLiteral("UPDATE Students SET City = 'Theirs' WHERE StudentID = %1").arg(member));
    w->cmdEdit_Click();
    w->setFieldText(2, QStringLiteral("Coach"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("City"), member), QStringLiteral("Theirs"));

    // Opening the family: the window's user needs right 12.
    EmpStandIn *details = standIn(QStringLiteral("frmFamDetails"));
    w->cmdFamily_Click();
    EXPECT_EQ(details->calls,
              QStringList{QStringLiteral("LoadUp|%1|frmEmpDetails|").arg(family)});
    EmpStandIn *password = standIn(QStringLiteral("frmPassword"));
    frmEmpDetails *clerks = open(ivy, QStringLiteral("Edit"), QStringLiteral("clerk"));
    script->answer(ui::vbOK);
    clerks->cmdFamily_Click();
    EXPECT_EQ(password->calls,
              QStringList{QStringLiteral("LoadUp|frmEmpDetails|Family from Students|%1").arg(family)});

    // Removing, and a new family being made ("NEWFAM") keep the stored Family.
    w->cmdEdit_Click();
    w->cmdRemoveFamily_Click();
    EXPECT_EQ(w->lblFamily->text(), QStringLiteral("(individual)"));
    EXPECT_FALSE(w->cmdAttachFamily->isHidden());
    EmpStandIn *newFamily = standIn(QStringLiteral("frmFamily"));
    w->cmdAttachFamily_Click();
    EXPECT_EQ(newFamily->calls, QStringList{QStringLiteral("LoadUp|frmEmpDetails")});
    EXPECT_EQ(newFamily->box("txtSID"), QString::number(ivyPerson));
    EXPECT_EQ(ui::tag(w->lblFamily), QStringLiteral("NEWFAM"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), ivyPerson), QString::number(family));
    w->cmdEdit_Click();
    w->cmdRemoveFamily_Click();
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(column(QStringLiteral("Family"), ivyPerson), QStringLiteral("0"));
}

TEST_F(EmpDetailsTest, EmailAndPhotoActions)
{
    frmEmpDetails *w = open(ivy);
    script->answer(ui::vbOK);
    w->imgEmail_Click();
    EXPECT_EQ(titles(), QStringList{QStringLiteral("No Email Address")});
    EXPECT_EQ(lastText(), QStringLiteral("You must set an email address before you can send an "
                                         "email to this person."));

    exec(QStringLiteral("UPDATE Students SET [Email Address] = 'ivy@pool.au' WHERE StudentID = %1")
             .arg(ivyPerson));
    frmEmpDetails *addressed = open(ivy);
    script->answer(ui::vbOK);
    addressed->imgEmail_Click(); // no e-mail window yet: says so, opens nothing
    EXPECT_EQ(lastText(), QStringLiteral("Sending email is not available yet."));
    EmpStandIn *mail = standIn(QStringLiteral("frmEmail"));
    addressed->imgEmail_Click();
    EXPECT_EQ(mail->box("txtTo"), QStringLiteral("ivy@pool.au"));
    EXPECT_EQ(mail->box("txtToName"), QStringLiteral("Ivy Coach"));
    EXPECT_EQ(mail->property("ToFriendly").toString(), QStringLiteral("Ivy Coach (ivy@pool.au)"));
    EXPECT_EQ(mail->property("strIDs").toString(), QString::number(ivyPerson));

    // Deleting a photograph that is not there reports the file system's error.
    script->answer(ui::vbOK);
    w->btnDelPic_Click();
    EXPECT_EQ(titles().last(), QStringLiteral("Oops! Error Deleting Image"));
    EXPECT_TRUE(lastText().endsWith(QStringLiteral("(#53)"))) << lastText().toStdString();

    EmpStandIn *photo = standIn(QStringLiteral("frmPhoto"));
    w->btnLoadPic_Click();
    EXPECT_EQ(photo->box("txtID"), QString::number(ivyPerson));
    EXPECT_EQ(ui::tag(photo), QStringLiteral("frmEmpDetails"));
}

TEST_F(EmpDetailsTest, QualificationsAreAddedEditedAndDeletedForEveryOpenWindow)
{
    frmEmpDetails *unsaved = open(0, QStringLiteral("Add"));
    script->answer(ui::vbOK);
    unsaved->cmdNewQualification_Click();
    EXPECT_EQ(titles(), QStringList{QStringLiteral("Save first please")});
    EXPECT_EQ(lastText(),
              QStringLiteral("You must save this employee before qualifications can be entered."));
    EXPECT_EQ(script->shown().last().icon, ui::vbInformation);
    EXPECT_FALSE(qualOpen());

    const qint32 bo = addInstructor(QStringLiteral("Bo"), QStringLiteral("Other"));
    frmEmpDetails *w = open(ivy);
    frmEmpDetails *second = open(ivy);
    frmEmpDetails *others = open(bo);
    w->cmdNewQualification_Click();
    auto *qual = qobject_cast<frmEmpQual *>(ui::LoadWindowByName(QStringLiteral("frmEmpQual")));
    ASSERT_NE(qual, nullptr);
    EXPECT_EQ(qual->caption(), QStringLiteral("Employee Qualification"));
    EXPECT_EQ(qual->lblName->text(), QStringLiteral("Ivy Coach"));
    EXPECT_EQ(qual->fieldText(1), QString::number(ivy));
    EXPECT_EQ(qual->chkInactive->text(), QStringLiteral("This Qualification is Renewed / Inactive"));
    ovix::test::saveScreenshot(qual, QStringLiteral("frmEmpQual"));

    // A bad expiry is refused and the window keeps what was typed.
    qual->setFieldText(2, QStringLiteral("Pool Lifeguard 'A' #1; <b>&"));
    qual->setFieldText(4, QStringLiteral("next year"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(qual->cmdOK_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM QualRec")), 0);
    EXPECT_EQ(qual->fieldText(2), QStringLiteral("Pool Lifeguard 'A' #1; <b>&"));
    qual->setFieldText(4, QString());
    qual->chkInactive->setChecked(true);
    ASSERT_TRUE(qual->cmdOK_Click());
    flush();
    const qint32 id = value(QStringLiteral("SELECT QualRecID FROM QualRec")).toInt();
    EXPECT_TRUE(value(QStringLiteral("SELECT Expires FROM QualRec")).isNull());
    EXPECT_EQ(value(QStringLiteral("SELECT Inactive FROM QualRec")).toInt(), 1);
    // Both windows of the employee list it at once; the other employee's lists none.
    for (frmEmpDetails *shown : {w, second}) {
        ASSERT_EQ(shown->grd3->rows(), 2);
        EXPECT_EQ(gridRow(shown->grd3, 1),
                  (QStringList{QString::number(id), "Pool Lifeguard 'A' #1; <b>&", "", "", "", ""}));
        EXPECT_EQ(shown->grd3->cellAlignment(1, 0), ui::flexAlignCenterCenter);
    }
    EXPECT_EQ(others->grd3->rows(), 1);

    // A double click on the head row opens nothing; on the row it opens the qualification.
    w->grd3->setGridRow(0);
    w->grd3_DblClick();
    EXPECT_FALSE(qualOpen());
    w->grd3->setGridRow(1);
    w->grd3_DblClick();
    qual = qobject_cast<frmEmpQual *>(ui::LoadWindowByName(QStringLiteral("frmEmpQual")));
    EXPECT_EQ(qual->fieldText(0), QString::number(id));
    EXPECT_EQ(qual->fieldText(2), QStringLiteral("Pool Lifeguard 'A' #1; <b>&"));
    EXPECT_TRUE(qual->chkInactive->isChecked());
    qual->setFieldText(4, QStringLiteral("31/12/2027"));
    // Closed by the close box: the question, and Yes saves.
    script->answer(ui::vbYes);
    EXPECT_TRUE(qual->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(titles().last(), QStringLiteral("Wait a minute"));
    EXPECT_EQ(lastText(), QStringLiteral("Do you want to save changes to this qualification?"));
    flush();
    EXPECT_EQ(value(QStringLiteral("SELECT Expires FROM QualRec")).toDateTime().date(),
              QDate(2027, 12, 31));
    EXPECT_EQ(w->grd3->textMatrix(1, 3).isEmpty(), false);

    // Delete: nothing for a new one; No keeps the row, Yes deletes it; lists reload.
    w->cmdNewQualification_Click();
    qual = qobject_cast<frmEmpQual *>(ui::LoadWindowByName(QStringLiteral("frmEmpQual")));
    const auto before = script->shown().size();
    qual->cmdDelete_Click();
    EXPECT_EQ(script->shown().size(), before);
    w->grd3->setGridRow(1);
    w->grd3_DblClick();
    script->answer(ui::vbNo);
    qual->cmdDelete_Click();
    EXPECT_EQ(titles().last(), QStringLiteral("Delete?"));
    EXPECT_EQ(script->shown().last().icon, ui::vbInformation);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM QualRec")), 1);
    EXPECT_TRUE(qual->isLoaded());
    script->answer(ui::vbYes);
    qual->cmdDelete_Click();
    flush();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM QualRec")), 0);
    EXPECT_EQ(w->grd3->rows(), 1);
    EXPECT_EQ(second->grd3->rows(), 1);
}

TEST_F(EmpDetailsTest, ThePersonSearchOpensAndAddsEmployees)
{
    students::RegisterFindStudentWindow();
    auto *find = static_cast<frmFindStudent *>(ui::LoadWindowByName(QStringLiteral("frmFindStudent")));
    find->LoadUp(2, QString());
    const auto found = find->cbo->listWidget()->findItems(QStringLiteral("Coach, Ivy"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    find->cbo->setListIndex(find->cbo->listWidget()->row(found.first()));
    find->cmdNext_Click();
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(windows()[0]->fieldText(0), QString::number(ivy));
    EXPECT_EQ(windows()[0]->lblName->text(), QStringLiteral("Ivy Coach"));

    find->cmdAddStudent_Click();
    ASSERT_EQ(windows().size(), 2);
    frmEmpDetails *added = windows()[1];
    EXPECT_EQ(added->strMode(), QStringLiteral("Add"));
    EXPECT_TRUE(added->cmdSave->isEnabled());
    added->setFieldText(1, QStringLiteral("Zed"));
    added->setFieldText(2, QStringLiteral("Aardvark"));
    ASSERT_TRUE(added->cmdSave_Click());
    // The save reloads the search's list.
    EXPECT_FALSE(find->cbo->listWidget()->findItems(QStringLiteral("Aardvark, Zed"), Qt::MatchExactly).isEmpty());

    // "New Employee" approved by another user: a new window working for that user.
    useraccess::RunAuthorisedOperation({find, QStringLiteral("New Employee"), QString(),
                                        QStringLiteral("clerk"), nullptr});
    ASSERT_EQ(windows().size(), 3);
    EXPECT_EQ(windows()[2]->userId(), QStringLiteral("clerk"));
    EXPECT_EQ(windows()[2]->strMode(), QStringLiteral("Add"));
    EXPECT_TRUE(windows()[2]->cmdSave->isEnabled());
    ui::Forms::unloadByName(QStringLiteral("frmFindStudent"));
}

TEST_F(EmpDetailsTest, TheDuplicatesWindowOpensAnEmployeeInTheEmployeeRecord)
{
    // Ivy, an employee who also swims, shares her name with another student.
    exec(QStringLiteral("UPDATE Students SET Student = 'Y', Employee = 'Y' WHERE StudentID = %1")
             .arg(ivyPerson));
    addStudent(QStringLiteral("Ivy"), QStringLiteral("Coach"));
    students::RegisterStudentUtilityWindows();
    auto *dups = static_cast<frmDuplicates *>(ui::LoadWindowByName(QStringLiteral("frmDuplicates")));
    const QString entry = QStringLiteral("Coach, Ivy (SID#%1)").arg(ivyPerson);
    const auto found = dups->cbo->listWidget()->findItems(entry, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    dups->cbo->setListIndex(dups->cbo->listWidget()->row(found.first()));
    dups->cbo_DblClick();
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(windows()[0]->fieldText(0), QString::number(ivy));
    EXPECT_EQ(windows()[0]->strMode(), QStringLiteral("Edit"));
    EXPECT_EQ(windows()[0]->lblName->text(), QStringLiteral("Ivy Coach"));
    ui::Forms::unloadByName(QStringLiteral("frmDuplicates"));
}

TEST_F(EmpDetailsTest, StatisticsTabShowsTheInstructorsFigures)
{
    const qint32 older = addProgram(QStringLiteral("Autumn"));
    const qint32 newer = addProgram(QStringLiteral("Winter"));
    exec(QStringLiteral("UPDATE Programs SET EndDate = #2026-03-31# WHERE ProgramID = %1").arg(older));
    exec(QStringLiteral("UPDATE Programs SET EndDate = #2026-07-31# WHERE ProgramID = %1").arg(newer));
    addProgram(QStringLiteral("Not taught"));
    const qint32 a = addClass(older, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30,
                              vb::Currency(100), 8);
    const qint32 b = addClass(newer, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30,
                              vb::Currency(100), 8);
    linkInstructor(a, ivy);
    linkInstructor(b, ivy);
    const qint32 kim = addStudent(QStringLiteral("Kim"), QStringLiteral("Ray"));
    addBooking(a, kim);
    addBooking(b, kim);
    addBooking(b, addStudent(QStringLiteral("Lou"), QStringLiteral("Ray")),
               QStringLiteral("Cancelled"));
    for (int level : {1, 1, 0})
        exec(QStringLiteral("INSERT INTO Assessments (ClassID, PassLevel) VALUES (%1, %2)")
                 .arg(a)
                 .arg(level));

    frmEmpDetails *w = open(ivy);
    EXPECT_EQ(w->lblStatTotal->text(), QStringLiteral("Ivy has taught 1 students in total."));
    EXPECT_EQ(w->lblStatFillRate->text(), QStringLiteral("Overall, Ivy's classes are 6% full."));
    EXPECT_EQ(w->lblPassRate->text(), QStringLiteral("Ivy has a student pass rate of 2/3   (67%)"));
    QStringList programs;
    for (int i = 0; i < w->cboProgram->count(); ++i)
        programs << w->cboProgram->itemText(i) + QLatin1Char('=') +
                        w->cboProgram->itemData(i).toString();
    EXPECT_EQ(programs, (QStringList{QStringLiteral("Winter=%1").arg(newer),
                                     QStringLiteral("Autumn=%1").arg(older)}));
    EXPECT_EQ(w->cboProgram->currentIndex(), -1);
    EXPECT_EQ(w->grdStats->rows(), 0);

    w->cboProgram->setCurrentIndex(1);
    ASSERT_EQ(w->grdStats->rows(), 6);
    EXPECT_EQ(gridRow(w->grdStats, 4), (QStringList{"Class % Full", "13%"}));
    EXPECT_EQ(gridRow(w->grdStats, 5), (QStringList{"Pass Rate", "2/3   (67%)"}));
    w->cboProgram->setCurrentIndex(-1);
    EXPECT_EQ(w->grdStats->rows(), 0);

    // Viewing only ("View") and a new employee keep the captions.
    for (const auto &[id, mode] : {std::pair{ivy, QStringLiteral("View")},
                                   std::pair{qint32(0), QStringLiteral("Add")}}) {
        frmEmpDetails *other = open(id, mode);
        EXPECT_EQ(other->lblStatTotal->text(),
                  QStringLiteral("Total Students taught (in all programs)"));
        EXPECT_EQ(other->lblPassRate->text(), QStringLiteral("Student Pass Rate %"));
        EXPECT_EQ(other->cboProgram->count(), mode == QLatin1String("Add") ? 0 : 2);
        other->cmdSave->setEnabled(false);
    }
}

TEST_F(EmpDetailsTest, StatisticsOfAnInstructorWithoutClasses)
{
    frmEmpDetails *w = open(ivy);
    EXPECT_EQ(w->lblStatTotal->text(), QStringLiteral("Ivy has taught 0 students in total."));
    EXPECT_EQ(w->lblStatFillRate->text(), QStringLiteral("Overall, Ivy's classes are 0% full."));
    EXPECT_EQ(w->lblPassRate->text(), QStringLiteral("Ivy has a student pass rate of 0/0"));
    EXPECT_EQ(w->cboProgram->count(), 0);
}

TEST_F(EmpDetailsTest, PromotingAStudentOpensTheNewEmployeeForEditing)
{
    const qint32 first = addStudent(QStringLiteral("Sam"), QStringLiteral("Lee"));
    const qint32 second = addStudent(QStringLiteral("Sam"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Student = 'Y', Employee = 'N' WHERE StudentID IN "
                        "(%1, %2)").arg(first).arg(second));
    auto *w = ui::Forms::shared<frmPromoteStudent>();
    w->showForm();
    EXPECT_EQ(w->caption(), QStringLiteral("Promote Student"));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("Promote Student to Employee Status"));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("Choose a Student from the list:"));
    EXPECT_EQ(w->cmdNext->text(), QStringLiteral("Promote"));
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("2 students on file"));

    const QString entry = QStringLiteral("Lee, Sam (SID#%1)").arg(second);
    for (const QString &inexact : {QStringLiteral("lee, sam (SID#%1)").arg(second),
                                   QStringLiteral("Lee, Sam"), entry + QLatin1Char(' ')}) {
        w->cbo->setText(inexact);
        w->cmdNext_Click();
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 1) << qPrintable(inexact);
    }
    EXPECT_TRUE(windows().isEmpty());

    w->cbo->setText(entry);
    w->cmdNext_Click();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmPromoteStudent")), nullptr);
    const qint32 made =
        value(QStringLiteral("SELECT InstructorID FROM Instructors WHERE StudentID = %1").arg(second))
            .toInt();
    ASSERT_GT(made, 0);
    EXPECT_EQ(column(QStringLiteral("Student"), second), QStringLiteral("Y"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors WHERE StudentID = %1").arg(first)), 0);
    ASSERT_EQ(windows().size(), 1);
    frmEmpDetails *employee = windows().first();
    EXPECT_EQ(employee->lngInstructorID(), made);
    EXPECT_EQ(employee->strMode(), QStringLiteral("Edit"));
    EXPECT_EQ(employee->fieldText(0), QString::number(made));
    EXPECT_EQ(employee->grd3->rows(), 1) << "no qualifications";
    EXPECT_EQ(employee->cboProgram->count(), 0);

    // Still listed until the employee is saved: a second promotion opens the same row.
    employee->cmdSave->setEnabled(false);
    employee->unload();
    w = ui::Forms::shared<frmPromoteStudent>();
    w->showForm();
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("2 students on file"));
    w->cbo->setText(entry);
    w->cmdNext_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors WHERE StudentID = %1").arg(second)), 1);
    EXPECT_EQ(windows().last()->lngInstructorID(), made);
}

TEST_F(EmpDetailsTest, APromotionThatFailsWritesNothing)
{
    // The promotion is lent through the authorisation window under right 7.
    const useraccess::AuthorisedOperation *lent =
        useraccess::FindAuthorisedOperation(QStringLiteral("Promote Student"));
    ASSERT_NE(lent, nullptr);
    EXPECT_EQ(lent->index, 7);

    const qint32 kim = addStudent(QStringLiteral("Kim"), QStringLiteral("Ray"));
    exec(QStringLiteral("UPDATE Students SET Student = 'N' WHERE StudentID = %1").arg(kim));
    block(QStringLiteral("Instructors"), QStringLiteral("INSERT"));
    auto *w = ui::Forms::shared<frmPromoteStudent>();
    w->showForm();
    w->cbo->setText(QStringLiteral("Ray, Kim (SID#%1)").arg(kim));
    script->answer(ui::vbOK);
    w->cmdNext_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    EXPECT_EQ(column(QStringLiteral("Student"), kim), QStringLiteral("N")) << "rolled back";
    EXPECT_TRUE(windows().isEmpty());
    w->unload();
}

#include "empdetails_test.moc"
