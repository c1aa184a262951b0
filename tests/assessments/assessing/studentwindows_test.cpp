// Finalising a program, the single and past assessments of the student record,
// the assessment export window, and their registration by name.
#include "access/authorisation.h"
#include "access/frmpassword.h"
#include "access/permissions.h"
#include "access/signin.h"
#include "assessments/assessing/frmassessf.h"
#include "assessments/assessing/frmexportassessment.h"
#include "assessments/assessing/frmnewassessment.h"
#include "assessments/assessing/frmpastassessment.h"
#include "assessments/assessing/register.h"
#include "assessments/assessmentfixture.h"
#include "assessments/studentassessments.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/imodlanguage.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/details/frmstudentdetails.h"
#include "support/screenshot.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using imodAssessments::LoadPastAssessment;

namespace {

class StudentAssessmentWindows : public AssessmentTest
{
protected:
    void SetUp() override
    {
        AssessmentTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        assessments::RegisterAssessmentWindows();
        ui::RegisterWindow(QStringLiteral("frmPassword"),
                           [] { return ui::Forms::shared<frmPassword>(); });
        ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
        ben = addStudent(QStringLiteral("Ben"), QStringLiteral("Ng"));
        bob = addInstructor(QStringLiteral("Bob"), QStringLiteral("Ray"));
        cat = addInstructor(QStringLiteral("Cat"), QStringLiteral("Ng"));
        setUser(bob, QStringLiteral("BOB"), QStringLiteral("Bob Ray"), QStringLiteral("pw"));
        setUser(cat, QStringLiteral("CAT"), QStringLiteral("Cat Ng"), QStringLiteral("cw"));
        level = addLevel(QStringLiteral("Starfish"));
        addCriterion(level, QStringLiteral("Kick"));
        addCriterion(level, QStringLiteral("Float"));
        bare = addLevel(QStringLiteral("Bare"));
    }
    void TearDown() override
    {
        ui::RegisterWindow(QStringLiteral("frmPassword"), {});
        Global::CurrentUserName.clear();
        Global::AuthoriseByBarcode = false;
        AssessmentTest::TearDown();
    }
    void setUser(qint32 instructor, const QString &user, const QString &name,
                 const QString &password)
    {
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password]) VALUES (%1, %2, %3)")
                 .arg(Global::SqlText(user), Global::SqlText(name), Global::SqlText(password)));
        exec(QStringLiteral("UPDATE Instructors SET UserID = %1 WHERE InstructorID = %2")
                 .arg(Global::SqlText(user))
                 .arg(instructor));
    }
    void languageFile(const QString &lines)
    {
        dir.write(QStringLiteral("home/Language.ini"),
                  (QStringLiteral("[") + imodLanguage::GetUserLanguageId() + QStringLiteral("]\n") +
                   lines)
                      .toUtf8());
    }
    frmStudentDetails *record(qint32 studentId)
    {
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(studentId, nullptr, QString());
        w->showForm();
        return w;
    }
    const ui::ShownDialog &lastBox() { return script->shown().last(); }
    template <class T> T *find(const char *name)
    {
        return qobject_cast<T *>(ui::Forms::find(QString::fromLatin1(name)));
    }
    qint32 ann = 0, ben = 0, bob = 0, cat = 0, level = 0, bare = 0;
};

} // namespace

// --- Finalising a program.

class FinaliseWindow : public StudentAssessmentWindows
{
protected:
    void SetUp() override
    {
        StudentAssessmentWindows::SetUp();
        term = addProgram(QStringLiteral("Term 1"));
        cls = addClass(term);
        placed = addAssessment(ann, cls, level, 0);
        assessed = addAssessment(ben, cls, level, 1);
    }
    frmAssessF *open()
    {
        auto *w = ui::Forms::shared<frmAssessF>();
        w->showForm();
        return w;
    }
    QVariant state(qint32 id)
    {
        return value(
            QStringLiteral("SELECT Processed FROM Assessments WHERE AssessmentID = %1").arg(id));
    }
    qint32 term = 0, cls = 0, placed = 0, assessed = 0;
};

TEST_F(FinaliseWindow, FinalisesTheChosenProgramAfterTheQuestion)
{
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmAssessF")));
    const useraccess::AuthorisedOperation *op =
        useraccess::FindAuthorisedOperation(QStringLiteral("Finalise Assessments"));
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->index, 11);

    frmAssessF *w = open();
    EXPECT_EQ(w->caption(), QStringLiteral("Finalise & Cleanup Assessments"));
    const QStringList texts = {w->Label2->text(),      w->lblField[2]->text(),
                               w->lblField[1]->text(), w->lblField[3]->text(),
                               w->lblField[0]->text(), w->optFinalise->text(),
                               w->optDelete->text(),   w->optLeave->text(),
                               w->cmdOK->text(),       w->cmdCancel->text()};
    EXPECT_EQ(texts,
              (QStringList{"Finalise & Cleanup", "Which program would you like to finalise?",
                           "Select Program:",
                           "The finalisation process will clear information about unassessed "
                           "students. Instructors will not be able to assess classes through the "
                           "assessments centre for the program.",
                           "How do you want to handle unfinalised assessments?",
                           "Finalise these assessments", "Delete them",
                           "Leave them unfinalised (they can never be finalised)", "Finalise Now",
                           "Cancel"}));
    EXPECT_TRUE(w->optFinalise->isChecked());
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("Term 1"));
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("finalise-cleanup"));

    // No leaves the window and the rows as they were.
    script->answer(ui::vbNo);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text,
              QStringLiteral("If you finalise this program you will not be able to change any "
                             "assessments made, or make any new assessments using the assessment "
                             "centre. Are you sure you want to finalise Term 1?"));
    EXPECT_EQ(lastBox().title, QStringLiteral("Are you sure?"));
    EXPECT_EQ(lastBox().icon, ui::vbQuestion);
    EXPECT_TRUE(w->isLoaded());
    EXPECT_EQ(state(assessed), 1);

    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("Term 1 has been finalised."));
    EXPECT_EQ(lastBox().title, QStringLiteral("Yay!"));
    EXPECT_EQ(lastBox().icon, ui::vbInformation);
    EXPECT_FALSE(state(placed).isValid());
    EXPECT_EQ(state(assessed), 2);
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAssessF")), nullptr);
}

TEST_F(FinaliseWindow, TheWordOfTheLanguageFile)
{
    languageFile(QStringLiteral("Finalise=Finalize\n"));
    frmAssessF *w = open();
    EXPECT_EQ(w->caption(), QStringLiteral("Finalize & Cleanup Assessments"));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("Finalize & Cleanup"));
    EXPECT_EQ(w->lblField[2]->text(), QStringLiteral("Which program would you like to finalize?"));
    EXPECT_TRUE(w->lblField[3]->text().startsWith(QStringLiteral("The finalization process")));
    EXPECT_EQ(w->lblField[0]->text(),
              QStringLiteral("How do you want to handle unfinalized assessments?"));
    EXPECT_EQ(w->optFinalise->text(), QStringLiteral("Finalize these assessments"));
    EXPECT_EQ(w->optLeave->text(),
              QStringLiteral("Leave them unfinalized (they can never be finalized)"));
    EXPECT_EQ(w->cmdOK->text(), QStringLiteral("Finalize Now"));

    w->optLeave->setChecked(true);
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_TRUE(script->shown()[0].text.startsWith(QStringLiteral("If you finalize this program")));
    EXPECT_TRUE(script->shown()[0].text.endsWith(QStringLiteral("want to finalize Term 1?")));
    EXPECT_EQ(script->shown()[1].text, QStringLiteral("Term 1 has been finalized."));
    EXPECT_FALSE(state(placed).isValid());
    EXPECT_EQ(state(assessed), 1);
}

TEST_F(FinaliseWindow, NoProgramAndAFailedRun)
{
    // A failure says so, changes nothing and keeps the window.
    block(QStringLiteral("Assessments"), QStringLiteral("DELETE"));
    frmAssessF *w = open();
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_TRUE(lastBox().text.startsWith(
        QStringLiteral("Term 1 could not be finalised; no assessment was changed. (Err#")));
    EXPECT_EQ(lastBox().title, QStringLiteral("Oops!"));
    EXPECT_TRUE(w->isLoaded());
    EXPECT_EQ(state(placed), 0);
    EXPECT_EQ(state(assessed), 1);

    w->cboProgram->clear();
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("You must select a program from the list."));
    EXPECT_EQ(lastBox().title, QStringLiteral("Oops! Forgetting something?"));
    EXPECT_EQ(lastBox().icon, ui::vbExclamation);
}

TEST_F(FinaliseWindow, AProgramWithoutAssessmentsIsStillReportedFinalised)
{
    addProgram(QStringLiteral("Autumn"));
    frmAssessF *w = open();
    w->cboProgram->setCurrentIndex(w->cboProgram->findText(QStringLiteral("Autumn")));
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("Autumn has been finalised."));
    EXPECT_EQ(state(placed), 0);
    EXPECT_EQ(state(assessed), 1);
}

// --- The single assessment.

TEST_F(StudentAssessmentWindows, TheStudentRecordOpensTheNewAssessmentWhenRegistered)
{
    ui::RegisterWindow(QStringLiteral("frmNewAssessment"), {});
    EXPECT_FALSE(record(ann)->cmdNewAssessment->isEnabled());
    assessments::RegisterAssessmentWindows();
    frmStudentDetails *annsRecord = record(ann);
    ASSERT_TRUE(annsRecord->cmdNewAssessment->isEnabled());
    annsRecord->cmdNewAssessment_Click();
    auto *w = find<frmNewAssessment>("frmNewAssessment");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->caption(), QStringLiteral("New Assessment"));
    EXPECT_EQ(w->property("StudentID").toInt(), ann);
    EXPECT_EQ(w->lblName->text(), annsRecord->lblName->text());
    const QString today = vb::Format(vb::Date(), Global::DateFormat);
    EXPECT_EQ(w->txtField[2]->text(), today);
    EXPECT_EQ(w->cmdOK->toolTip(), QStringLiteral("Save changes to student record"));

    // Open already: the same window takes the other student, keeping its entries.
    w->cboField[4]->setCurrentIndex(w->cboField[4]->findText(QStringLiteral("Starfish")));
    w->cboField_Click(4);
    w->txtField[2]->setText(QStringLiteral("01/01/2026"));
    frmStudentDetails *bensRecord = record(ben);
    bensRecord->cmdNewAssessment_Click();
    EXPECT_EQ(find<frmNewAssessment>("frmNewAssessment"), w);
    EXPECT_EQ(w->StudentID(), ben);
    EXPECT_EQ(w->lblName->text(), bensRecord->lblName->text());
    EXPECT_EQ(w->txtField[2]->text(), today);
    EXPECT_EQ(w->LevelID(), level);
    EXPECT_EQ(items(w->lst), (QStringList{QStringLiteral("Float"), QStringLiteral("Kick")}));
}

TEST_F(StudentAssessmentWindows, SavingAsTheDefaultUserAsksThePassword)
{
    frmStudentDetails *first = record(ann);
    frmStudentDetails *second = record(ann);
    ASSERT_EQ(first->grd3->rows(), 1);
    first->cmdNewAssessment_Click();
    auto *w = find<frmNewAssessment>("frmNewAssessment");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->cboField[3]->isEnabled());
    EXPECT_FALSE(w->txtPassword->isReadOnly());
    EXPECT_EQ(w->cboField[3]->currentIndex(), -1);

    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("Please select an employee."));
    EXPECT_EQ(lastBox().icon, ui::vbInformation);
    w->cboField[3]->setCurrentIndex(w->cboField[3]->findText(QStringLiteral("Cat Ng")));
    w->cboField_Click(3);
    EXPECT_EQ(w->InstructorID(), cat);
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("Please select a level."));
    EXPECT_EQ(lastBox().title, QStringLiteral("Oops!"));

    w->cboField[4]->setCurrentIndex(w->cboField[4]->findText(QStringLiteral("Starfish")));
    w->cboField_Click(4);
    w->lst->item(0)->setCheckState(Qt::Checked); // Float; Kick stays unticked
    w->txtMemo[5]->setPlainText(QStringLiteral("Ann's \"kick\"; #2 <b>&"));
    w->txtField[6]->setText(QStringLiteral("soon"));
    w->txtPassword->setText(QStringLiteral("cw"));
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text,
              QStringLiteral("The expiry date you entered is not in a valid format"));
    w->txtField[6]->clear();
    w->txtPassword->setText(QStringLiteral("pw"));
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("The password that you entered was incorrect."));
    EXPECT_TRUE(w->isLoaded());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 0);
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("new-assessment"));

    // The right password: one finalised row, its criteria, and the first record
    // of the student reloads its history.
    second->grd3->setRows(1);
    const qsizetype boxes = script->shown().size();
    w->txtPassword->setText(QStringLiteral("cw"));
    w->cmdOK_Click();
    EXPECT_EQ(script->shown().size(), boxes);
    flush();
    EXPECT_EQ(find<frmNewAssessment>("frmNewAssessment"), nullptr);
    const qint32 id = value(QStringLiteral("SELECT AssessmentID FROM Assessments")).toInt();
    EXPECT_EQ(
        value(QStringLiteral("SELECT StudentID & '/' & InstructorID & '/' & LevelID & '/' & "
                             "Notes & '/' & IsNull(RenewalDate) & '/' & PassLevel & '/' & "
                             "Processed & '/' & IsNull(ClassID) FROM Assessments"))
            .toString(),
        QStringLiteral("%1/%2/%3/Ann's \"kick\"; #2 <b>&/-1/0/2/-1").arg(ann).arg(cat).arg(level));
    EXPECT_EQ(value(QStringLiteral("SELECT Format([Date], 'yyyy-mm-dd') FROM Assessments")),
              vb::Format(vb::Date(), QStringLiteral("yyyy-mm-dd")));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit WHERE AssessmentID = %1").arg(id)), 2);
    ASSERT_EQ(first->grd3->rows(), 2);
    EXPECT_EQ(first->grd3->textMatrix(1, 0), QString::number(id));
    EXPECT_EQ(second->grd3->rows(), 1);
}

TEST_F(StudentAssessmentWindows, ANamedUserAssessesAsHimself)
{
    const struct
    {
        const char *user, *name;
        bool fixed;
    } cases[] = {
        {"BOB", "Bob Ray", true},
        {"I", "Default", false},
        {"", "Bob Ray", false},
        {"ZED", "Zed Who", false}, // a named user the list does not hold
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user);
        Global::CurrentUserId = QString::fromLatin1(c.user);
        Global::CurrentUserName = QString::fromLatin1(c.name);
        auto *w = ui::Forms::shared<frmNewAssessment>();
        w->showForm();
        EXPECT_EQ(w->cboField[3]->isEnabled(), !c.fixed);
        EXPECT_EQ(w->txtPassword->isReadOnly(), c.fixed);
        EXPECT_EQ(w->InstructorID(), c.fixed ? bob : 0);
        if (c.fixed) {
            EXPECT_EQ(w->cboField[3]->currentText(), QStringLiteral("Bob Ray"));
            EXPECT_EQ(w->txtPassword->palette().color(QPalette::Base),
                      w->palette().color(QPalette::Window));
            // No password asked; a level without criteria passes.
            w->setStudentID(ann);
            w->cboField[4]->setCurrentIndex(w->cboField[4]->findText(QStringLiteral("Bare")));
            w->cboField_Click(4);
            EXPECT_EQ(w->lst->count(), 0);
            w->txtField[2]->setText(QStringLiteral("05/03/2026"));
            w->cmdOK_Click();
            EXPECT_TRUE(script->shown().isEmpty());
            EXPECT_EQ(value(QStringLiteral("SELECT InstructorID & '/' & PassLevel & '/' & "
                                           "Format([Date], 'yyyy-mm-dd') FROM Assessments")),
                      QStringLiteral("%1/1/2026-03-05").arg(bob));
            EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 0);
        } else {
            script->answer(ui::vbNo);
            EXPECT_TRUE(w->unload(ui::CloseReason::ControlMenu));
        }
        flush();
    }
}

TEST_F(StudentAssessmentWindows, ClosingTheNewAssessmentAsks)
{
    auto *w = ui::Forms::shared<frmNewAssessment>();
    w->showForm();
    w->setStudentID(ann);
    w->cboField[3]->setCurrentIndex(w->cboField[3]->findText(QStringLiteral("Bob Ray")));
    w->cboField_Click(3);

    // Yes with no level: the message, and the window stays.
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu));
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("Do you want to save changes to this assessment?"));
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Wait a minute"));
    EXPECT_EQ(script->shown()[0].buttons, ui::vbYesNoCancel);
    EXPECT_EQ(script->shown()[1].text, QStringLiteral("Please select a level."));
    script->answer(ui::vbCancel);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu));

    // Yes with everything given: saved, and the window closes.
    w->cboField[4]->setCurrentIndex(w->cboField[4]->findText(QStringLiteral("Starfish")));
    w->cboField_Click(4);
    w->txtPassword->setText(QStringLiteral("pw"));
    script->answer(ui::vbYes);
    EXPECT_TRUE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(value(QStringLiteral("SELECT PassLevel FROM Assessments")), 0);
}

// --- The past assessment.

class PastAssessmentWindow : public StudentAssessmentWindows
{
protected:
    frmPastAssessment *open(qint32 id)
    {
        auto *w = ui::Forms::shared<frmPastAssessment>();
        w->showForm();
        w->Load_Assessment(id);
        return w;
    }
    static QColor base(QLineEdit *box) { return box->palette().color(QPalette::Base); }
};

TEST_F(PastAssessmentWindow, ShowsTheAssessmentAndIsEmptiedForTheNext)
{
    exec(QStringLiteral("UPDATE Students SET [Last Name] = 'O''Neil' WHERE StudentID = %1")
             .arg(ann));
    const qint32 open1 = addAssessment(ann, 0, level, 1, QStringLiteral("2026-03-01"), 0, cat);
    exec(QStringLiteral("UPDATE Assessments SET Notes = 'Ann''s \"kick\"; #2 <b>&', RenewalDate = "
                        "#2027-03-01# WHERE AssessmentID = %1")
             .arg(open1));
    addCrit(open1, QStringLiteral("Kick"), 1);
    addCrit(open1, QStringLiteral("Float"), 0);
    const qint32 done = addAssessment(ben, 0, bare, 2, QString(), 1, bob);
    exec(QStringLiteral("UPDATE Assessments SET Notes = Null WHERE AssessmentID = %1").arg(done));
    addCrit(done, QStringLiteral("Dive"), 1);

    // Opened from the student record's history.
    frmStudentDetails *annsRecord = record(ann);
    ASSERT_EQ(annsRecord->grd3->rows(), 2);
    annsRecord->grd3->setGridRow(1);
    annsRecord->grd3_DblClick();
    auto *w = find<frmPastAssessment>("frmPastAssessment");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->caption(), QStringLiteral("View Assessment"));
    EXPECT_EQ(w->txtField[0]->text(), QString::number(open1));
    EXPECT_EQ(w->txtName->text(), QStringLiteral("Ann O'Neil"));
    EXPECT_EQ(w->txtField[3]->text(), QStringLiteral("Cat Ng"));
    EXPECT_EQ(w->txtField[4]->text(), QStringLiteral("Starfish"));
    EXPECT_EQ(w->txtField[5]->text(), QStringLiteral("Ann's \"kick\"; #2 <b>&"));
    EXPECT_FALSE(w->txtField[2]->text().isEmpty());
    EXPECT_FALSE(w->txtField[6]->text().isEmpty());
    EXPECT_EQ(w->txtComplete->text(),
              QStringLiteral("This level has not been entirely completed."));
    EXPECT_EQ(base(w->txtComplete), QColor(255, 192, 192));
    EXPECT_EQ(items(w->lst), QStringList{QStringLiteral("Kick")});
    EXPECT_EQ(items(w->lst2), QStringList{QStringLiteral("Float")});
    EXPECT_FALSE(w->shpWarning->isHidden());
    EXPECT_EQ(w->lblWarning->text(), QStringLiteral("This assessment is unfinalised. Please be "
                                                    "aware that this assessment may change."));
    const int tall = w->height();
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("view-assessment-unfinalised"));

    // A finalised one with empty fields: nothing of the first stays.
    w->Load_Assessment(done);
    EXPECT_EQ(w->txtName->text(), QStringLiteral("Ben Ng"));
    for (int i : {2, 5, 6})
        EXPECT_TRUE(w->txtField[i]->text().isEmpty()) << i;
    EXPECT_EQ(w->txtComplete->text(),
              QStringLiteral("This level has been successfully completed!"));
    EXPECT_EQ(base(w->txtComplete), QColor(192, 255, 192));
    EXPECT_EQ(items(w->lst), QStringList{QStringLiteral("Dive")});
    EXPECT_EQ(items(w->lst2), QStringList());
    EXPECT_TRUE(w->shpWarning->isHidden());
    EXPECT_LT(w->height(), tall);
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("view-assessment"));
    w->Load_Assessment(open1);
    EXPECT_EQ(w->height(), tall);

    // The warning in the word of the language file, in lower case.
    w->unload(ui::CloseReason::Code);
    flush();
    languageFile(QStringLiteral("Finalise=FINALIZE\n"));
    w = open(open1);
    EXPECT_EQ(w->lblWarning->text(), QStringLiteral("This assessment is unfinalized. Please be "
                                                    "aware that this assessment may change."));
}

TEST_F(PastAssessmentWindow, DeletingNeedsTheAssessingEmployeesPassword)
{
    // Two employees named Bob Ray: the one who made the assessment must approve.
    const qint32 twin = addInstructor(QStringLiteral("Bob"), QStringLiteral("Ray"));
    setUser(twin, QStringLiteral("BOB2"), QStringLiteral("Bob Ray"), QStringLiteral("twin"));
    const qint32 id = addAssessment(ann, 0, level, 2, QStringLiteral("2026-03-01"), 1, twin);
    addCrit(id, QStringLiteral("Kick"), 1);
    const qint32 bens = addAssessment(ben, 0, level, 2, QStringLiteral("2026-03-01"), 1, bob);
    frmStudentDetails *annsRecord = record(ann);
    frmStudentDetails *bensRecord = record(ben);
    ASSERT_EQ(annsRecord->grd3->rows(), 2);
    ASSERT_EQ(bensRecord->grd3->rows(), 2);
    bensRecord->grd3->setRows(1); // shows whether it reloads
    Global::AuthoriseByBarcode = true;

    frmPastAssessment *w = open(id);
    EXPECT_EQ(w->cmdDelete->toolTip(), QStringLiteral("Delete This Assessment"));
    script->answer(ui::vbNo);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("Are you sure you want to delete this assessment?"));
    EXPECT_EQ(lastBox().title, QStringLiteral("Are you sure?"));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmPassword")), nullptr);

    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    auto *password = find<frmPassword>("frmPassword");
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->mode(), QStringLiteral("Delete Past Assessment"));
    EXPECT_TRUE(password->hasPresetUser());
    EXPECT_EQ(password->txtUserID->text(), QStringLiteral("BOB2"));
    EXPECT_TRUE(password->txtUserID->isReadOnly());
    EXPECT_EQ(password->txtUserID->palette().color(QPalette::Base),
              password->palette().color(QPalette::Window));
    EXPECT_FALSE(password->BarcodeMode) << "the remembered barcode entry is not offered";
    EXPECT_FALSE(password->cmdSwitch->isEnabled());

    // The other Bob Ray's password does not do.
    password->txtPassword->setText(QStringLiteral("pw"));
    script->answer(ui::vbOK);
    password->cmdOK_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("The password you entered was incorrect."));
    EXPECT_TRUE(LoadPastAssessment(id).has_value());

    password->txtPassword->setText(QStringLiteral("twin"));
    password->cmdOK_Click();
    flush();
    EXPECT_FALSE(LoadPastAssessment(id).has_value());
    EXPECT_TRUE(LoadPastAssessment(bens).has_value());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit WHERE AssessmentID = %1").arg(id)), 1);
    EXPECT_EQ(annsRecord->grd3->rows(), 1);
    EXPECT_EQ(bensRecord->grd3->rows(), 1) << "another student's record is not reloaded";
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmPastAssessment")), nullptr);
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmPassword")), nullptr);
    EXPECT_TRUE(Global::AuthoriseByBarcode) << "the remembered entry is kept";

    // The next request of the authorisation window is an ordinary one.
    auto *next = ui::Forms::shared<frmPassword>();
    next->showForm();
    next->PresetUser(QStringLiteral("CAT"));
    next->LoadUp(nullptr, QStringLiteral("Award Levels"), QString());
    EXPECT_FALSE(next->hasPresetUser());
    EXPECT_FALSE(next->txtUserID->isReadOnly());
    EXPECT_TRUE(next->BarcodeMode);
    EXPECT_TRUE(next->cmdSwitch->isEnabled());
}

TEST_F(PastAssessmentWindow, AFailedDeleteSaysSoAndKeepsTheWindow)
{
    const qint32 id = addAssessment(ann, 0, level, 2, QStringLiteral("2026-03-01"), 1, bob);
    frmStudentDetails *annsRecord = record(ann);
    annsRecord->grd3->setRows(1);
    block(QStringLiteral("Assessments"), QStringLiteral("DELETE"));
    frmPastAssessment *w = open(id);
    script->answer(ui::vbOK);
    w->DeleteAssessment();
    EXPECT_TRUE(
        lastBox().text.startsWith(QStringLiteral("This assessment could not be deleted. (Err#")));
    EXPECT_TRUE(w->isLoaded());
    EXPECT_EQ(annsRecord->grd3->rows(), 1);
    EXPECT_TRUE(LoadPastAssessment(id).has_value());
}

// --- The assessment export.

TEST_F(StudentAssessmentWindows, TheExportWindowOnlyAnswersItsButton)
{
    Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
    auto *w = ui::Forms::shared<frmExportAssessment>();
    w->showForm();
    EXPECT_EQ(w->caption(), QStringLiteral("Export for Assessment"));
    EXPECT_FALSE(w->findChildren<QLabel *>().isEmpty());
    bool heading = false;
    for (QLabel *l : w->findChildren<QLabel *>())
        heading = heading || l->text() == QStringLiteral("Export for Assesssment");
    EXPECT_TRUE(heading);
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("export-for-assessment"));

    const QString file = dir.file(QStringLiteral("out.txt"));
    script->saveFile(QString()).saveFile(file).saveFile(QString());
    w->Command2_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Save File As"));
    EXPECT_EQ(script->shown().last().filter,
              QStringLiteral("Comma-separated Text File (*.TXT)|*.txt"));
    EXPECT_TRUE(w->txtSaveLocation->text().isEmpty());
    w->Command2_Click();
    EXPECT_EQ(w->txtSaveLocation->text(), file);
    w->Command2_Click();
    EXPECT_EQ(w->txtSaveLocation->text(), file) << "a cancel keeps the previous name";

    for (const QString &location : {file, QString()}) {
        w->txtSaveLocation->setText(location);
        script->answer(ui::vbOK);
        w->Command1_Click();
        EXPECT_EQ(lastBox().text, QStringLiteral("The SQL Statement specified for the export is "
                                                 "incorrect. Please contact Ovix support."));
        EXPECT_EQ(lastBox().title, QStringLiteral("Oops!"));
        EXPECT_EQ(lastBox().icon, ui::vbExclamation);
        EXPECT_TRUE(w->isLoaded());
    }
    EXPECT_FALSE(QFile::exists(file));
    w->Command3_Click();
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmExportAssessment")), nullptr);
}
