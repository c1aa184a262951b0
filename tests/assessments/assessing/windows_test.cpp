#include "assessments/assessing/frmassess.h"
#include "assessments/assessing/frmassess2.h"
#include "assessments/assessing/frmassess3.h"
#include "assessments/assessing/frmassessfs.h"
#include "assessments/assessing/frmawardlevels.h"
#include "assessments/assessing/register.h"
#include "assessments/assessmentfixture.h"
#include "assessments/imodassessments.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void choose(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    list->setCurrentItem(found.first());
}

} // namespace

// --- Award levels.

class AwardLevels : public AssessmentTest
{
protected:
    frmAwardLevels *open()
    {
        auto *w = ui::Forms::shared<frmAwardLevels>();
        w->showForm();
        return w;
    }
    const ui::ShownDialog &lastBox() { return script->shown().last(); }
};

TEST_F(AwardLevels, AnEmptyFileAndTheMenuEntry)
{
    assessments::RegisterAssessmentWindows();
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmAwardLevels")));
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmAssess")));

    frmAwardLevels *w = open();
    EXPECT_EQ(w->caption(), QStringLiteral("Award Levels"));
    EXPECT_EQ(w->lstLevels->count(), 0);
    EXPECT_EQ(w->lstCompetency->count(), 0);
    EXPECT_TRUE(w->Check1->isChecked());
    EXPECT_TRUE(w->txtField[0]->isHidden());
    EXPECT_TRUE(w->txtField[5]->isHidden());
    EXPECT_EQ(items(w->cboField[3]),
              (QStringList{QStringLiteral("Days"), QStringLiteral("Years"), QStringLiteral("Forever")}));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_FALSE(w->cmdAddC->isEnabled());
    w->cmdEdit_Click();
    EXPECT_TRUE(w->cmdAddC->isEnabled());
    script->answer(ui::vbOK);
    w->cmdAddC_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("You must save this level before adding a competency."));
    EXPECT_EQ(lastBox().title, QStringLiteral("Wait a minute..."));
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("award-levels-empty"));
}

TEST_F(AwardLevels, NewLevelsSavedReselectedAndRefused)
{
    addLevel(QStringLiteral("Old"), 1);
    frmAwardLevels *w = open();
    EXPECT_EQ(items(w->lstLevels), QStringList());
    w->Check1->click();
    EXPECT_EQ(items(w->lstLevels).size(), 1);
    w->Check1->click();

    w->cmdNew_Click();
    EXPECT_EQ(w->cboField[3]->currentText(), QStringLiteral("Forever"));
    EXPECT_TRUE(w->txtField[2]->isHidden());
    EXPECT_FALSE(w->cmdAddC->isEnabled());
    EXPECT_FALSE(w->lstLevels->isEnabled());
    EXPECT_TRUE(w->Check1->isEnabled());
    w->txtField[1]->setText(QStringLiteral("Star \"fish\"; #1 <b>&"));
    ASSERT_TRUE(w->cmdSave_Click());
    const qint32 id = w->txtField[0]->text().toInt();
    ASSERT_GT(id, 0);
    ASSERT_NE(w->lstLevels->currentItem(), nullptr);
    EXPECT_EQ(w->lstLevels->currentItem()->text(),
              QStringLiteral("Star \"fish\"; #1 <b>& (ID#%1)").arg(id));
    EXPECT_TRUE(value(QStringLiteral("SELECT DurationValue FROM Levels WHERE LevelID = %1").arg(id))
                    .isNull());
    EXPECT_FALSE(w->cmdSave->isEnabled());

    // A name another level has: the message, and the window stays in new mode.
    w->cmdNew_Click();
    w->txtField[1]->setText(QStringLiteral("old"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(lastBox().text, QStringLiteral("An award level with the name you entered already "
                                             "exists. This award level cannot be created."));
    EXPECT_EQ(lastBox().icon, ui::vbCritical);
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_EQ(w->txtField[1]->text(), QStringLiteral("old"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Levels")), 2);

    // Closing: Cancel keeps it; Yes with a refused save keeps it and its entries.
    script->answer(ui::vbCancel);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu));
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(w->txtField[1]->text(), QStringLiteral("old"));
    EXPECT_TRUE(w->cmdSave->isEnabled());
    script->answer(ui::vbNo);
    EXPECT_TRUE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Levels")), 2);
}

TEST_F(AwardLevels, EditingKeepsEmptiedBoxesAndDeleting)
{
    const qint32 id = addLevel(QStringLiteral("Starfish"));
    const qint32 s = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    frmAwardLevels *w = open();
    EXPECT_EQ(w->txtField[1]->text(), QStringLiteral("Starfish"));
    w->cmdEdit_Click();
    w->txtField[1]->clear();
    w->cboField[3]->setCurrentText(QStringLiteral("Years"));
    w->txtField[2]->setText(QStringLiteral("2"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(w->lstLevels->currentItem()->text(), QStringLiteral("Starfish (ID#%1)").arg(id));
    EXPECT_EQ(w->txtField[1]->text(), QStringLiteral("Starfish"));
    EXPECT_EQ(value(QStringLiteral("SELECT DurationUnit & DurationValue FROM Levels")),
              QStringLiteral("Years2"));

    for (int i = 0; i < 3; ++i)
        addAssessment(s, 0, id, 2);
    Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
    script->answer(ui::vbOK);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("This award level is linked to 3 assessments in Ovix. "
                                             "You cannot delete it or these assessment records "
                                             "will be lost."));
    EXPECT_EQ(lastBox().title, QStringLiteral("Sorry"));

    exec(QStringLiteral("DELETE FROM Assessments"));
    script->answer(ui::vbNo);
    w->cmdDelete_Click();
    EXPECT_EQ(lastBox().title, QStringLiteral("Just making sure..."));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Levels")), 1);
    EXPECT_TRUE(w->txtField[0]->text().isEmpty());
    EXPECT_TRUE(w->txtField[1]->text().isEmpty());
    EXPECT_EQ(w->lstLevels->currentItem(), nullptr);
    EXPECT_EQ(w->lstLevels->count(), 1);

    choose(w->lstLevels, QStringLiteral("Starfish (ID#%1)").arg(id));
    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Levels")), 0);
    EXPECT_EQ(w->lstLevels->count(), 0);
}

TEST_F(AwardLevels, Competencies)
{
    const qint32 id = addLevel(QStringLiteral("Starfish"));
    frmAwardLevels *w = open();
    w->cmdEdit_Click();
    const QString fifty(50, QLatin1Char('x')), fiftyOne(51, QLatin1Char('y'));
    script->input(fiftyOne).answer(ui::vbOK).input(fifty);
    w->cmdAddC_Click();
    ASSERT_EQ(script->shown().size(), 3);
    EXPECT_EQ(script->shown()[0].text, QStringLiteral("Enter the Criterion Name:"));
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("New Criterion"));
    EXPECT_EQ(script->shown()[1].text, QStringLiteral("You have entered 51 characters and this "
                                                      "field accepts a maximum of 50. Please try "
                                                      "again."));
    EXPECT_EQ(script->shown()[1].title, QStringLiteral("Too Big"));
    EXPECT_EQ(script->shown()[2].initial, fiftyOne);
    EXPECT_EQ(imodAssessments::LevelCriteria(id), QStringList{fifty});

    script->input(QStringLiteral("Kick")).input(QStringLiteral("Kick"));
    w->cmdAddC_Click();
    w->cmdAddC_Click();
    script->input(QString());
    w->cmdAddC_Click();
    EXPECT_EQ(items(w->lstCompetency), (QStringList{QStringLiteral("Kick"), QStringLiteral("Kick"), fifty}));
    w->lstCompetency->setCurrentRow(0);
    w->cmdDelC_Click();
    EXPECT_EQ(items(w->lstCompetency), (QStringList{QStringLiteral("Kick"), fifty}));
    EXPECT_EQ(imodAssessments::LevelCriteria(id), (QStringList{fifty, QStringLiteral("Kick")}));
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("award-levels"));
}

// --- Entering the class assessment.

class Assessing : public AssessmentTest
{
protected:
    void SetUp() override
    {
        AssessmentTest::SetUp();
        program = addProgram(QStringLiteral("Term 1"));
        bob = addInstructor(QStringLiteral("Bob"), QStringLiteral("Ray"));
        cat = addInstructor(QStringLiteral("Cat"), QStringLiteral("Ng"));
        setUser(bob, QStringLiteral("BOB"), QStringLiteral("pw"), 1);
        setUser(cat, QStringLiteral("CAT"), QStringLiteral("cw"), 0);
        monday = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30);
        tuesday = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Tuesday"), 9, 0);
        linkInstructor(monday, bob);
        linkInstructor(tuesday, cat);
        level = addLevel(QStringLiteral("Starfish"));
        addCriterion(level, QStringLiteral("Float"));
        addCriterion(level, QStringLiteral("Kick"));
    }
    void setUser(qint32 instructor, const QString &user, const QString &password, int assessAll)
    {
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], AssessAll) VALUES "
                            "(%1, %1, %2, %3)")
                 .arg(Global::SqlText(user), Global::SqlText(password))
                 .arg(assessAll));
        exec(QStringLiteral("UPDATE Instructors SET UserID = %1 WHERE InstructorID = %2")
                 .arg(Global::SqlText(user))
                 .arg(instructor));
    }
    frmAssess2 *classWindow(bool assessAll, qint32 employee = 0)
    {
        auto *w = ui::Forms::shared<frmAssess2>();
        w->load();
        w->txtProgramID->setText(QString::number(program));
        w->LoadUp(program, employee ? employee : bob, QStringLiteral("Bob Ray"), assessAll);
        w->showForm();
        return w;
    }
    qint32 program = 0, bob = 0, cat = 0, monday = 0, tuesday = 0, level = 0;
};

TEST_F(Assessing, TheEntryWindowChecksTheChosenEmployee)
{
    const qint32 twin = addInstructor(QStringLiteral("Bob"), QStringLiteral("Ray"));
    setUser(twin, QStringLiteral("BOB2"), QStringLiteral("twin"), 0);
    addInstructor(QStringLiteral("Old"), QStringLiteral("Timer"), 1);
    auto *w = ui::Forms::shared<frmAssess>();
    w->showForm();
    EXPECT_EQ(w->caption(), QStringLiteral("Load Assessments"));
    EXPECT_EQ(items(w->cboEmployee), (QStringList{QStringLiteral("(none)"), QStringLiteral("Bob Ray"),
                                                  QStringLiteral("Bob Ray"), QStringLiteral("Cat Ng")}));
    EXPECT_EQ(w->cboEmployee->currentText(), QStringLiteral("(none)"));
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("Term 1"));
    EXPECT_EQ(w->txtPassword->echoMode(), QLineEdit::Password);
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("load-assessments"));

    w->cmdOK_Click(); // "(none)": nothing
    EXPECT_TRUE(script->shown().isEmpty());

    // The twin of Bob Ray: his own password, his own right (none to assess all),
    // although the signed-in user holds every right.
    const int twinIndex = w->cboEmployee->findData(twin);
    ASSERT_GT(twinIndex, 0);
    w->cboEmployee->setCurrentIndex(twinIndex);
    w->txtPassword->setText(QStringLiteral("pw"));
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The username and password combination do not match."));
    EXPECT_EQ(script->shown().last().icon, ui::vbCritical);
    EXPECT_TRUE(w->isLoaded());

    w->txtPassword->setText(QStringLiteral("twin"));
    w->cmdOK_Click();
    auto *assess2 = qobject_cast<frmAssess2 *>(ui::Forms::find(QStringLiteral("frmAssess2")));
    ASSERT_NE(assess2, nullptr);
    EXPECT_EQ(assess2->txtEmpID->text(), QString::number(twin));
    EXPECT_EQ(assess2->txtProgramID->text(), QString::number(program));
    EXPECT_EQ(items(assess2->cboInstructor), QStringList{QStringLiteral("Bob Ray")});
    EXPECT_EQ(assess2->cboClass->count(), 0); // the twin teaches no class
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAssess")), nullptr);
}

TEST_F(Assessing, AnEmployeeWhoMayAssessEveryClass)
{
    auto *w = ui::Forms::shared<frmAssess>();
    w->showForm();
    w->cboEmployee->setCurrentIndex(w->cboEmployee->findData(bob));
    w->txtPassword->setText(QStringLiteral("pw"));
    w->cmdOK_Click();
    auto *assess2 = qobject_cast<frmAssess2 *>(ui::Forms::find(QStringLiteral("frmAssess2")));
    ASSERT_NE(assess2, nullptr);
    EXPECT_EQ(items(assess2->cboInstructor),
              (QStringList{QStringLiteral("(All)"), QStringLiteral("Bob Ray"), QStringLiteral("Cat Ng")}));
    EXPECT_EQ(assess2->cboClass->count(), 2);
}

TEST_F(Assessing, ClassListsByInstructorAndDay)
{
    frmAssess2 *w = classWindow(true);
    EXPECT_EQ(w->caption(), QStringLiteral("Assessing Students"));
    EXPECT_EQ(w->tab->tabText(1), QStringLiteral("Unassessed Students"));
    EXPECT_EQ(items(w->cboClass),
              (QStringList{QStringLiteral("Monday 04:30 PM Level 1 [Bob Ray]  (CID#%1)").arg(monday),
                           QStringLiteral("Tuesday 09:00 AM Level 2 [Cat Ng]  (CID#%1)").arg(tuesday)}));
    EXPECT_EQ(items(w->cboClass2), items(w->cboClass));
    EXPECT_EQ(w->cboDay->itemText(0), QStringLiteral("(All)"));

    w->cboInstructor->setCurrentText(QStringLiteral("Cat Ng"));
    w->cboInstructor_Click();
    EXPECT_EQ(w->cboClass->count(), 1);
    EXPECT_EQ(w->chosenClass(), tuesday);
    w->cboInstructor->setCurrentIndex(0);
    w->cboDay->setCurrentText(QStringLiteral("Monday"));
    w->cboDay_Click();
    EXPECT_EQ(w->chosenClass(), monday);
    EXPECT_EQ(w->cboClass->count(), 1);

    // An employee without the right sees only his own classes.
    w->LoadUp(program, cat, QStringLiteral("Cat Ng"), false);
    EXPECT_EQ(items(w->cboInstructor), QStringList{QStringLiteral("Cat Ng")});
    EXPECT_EQ(w->chosenClass(), tuesday);
    EXPECT_EQ(w->cboClass->count(), 1);
}

TEST_F(Assessing, AssessingAClassFromPlacingToFinalising)
{
    const qint32 amy = addStudent(QStringLiteral("Amy"), QStringLiteral("O'Neil"));
    const qint32 ben = addStudent(QStringLiteral("Ben"), QStringLiteral("Lee"));
    addBooking(monday, amy);
    addBooking(tuesday, ben);
    frmAssess2 *w = classWindow(true);
    EXPECT_EQ(items(w->lstStudents), QStringList{QStringLiteral("Amy O'Neil (SID%1)").arg(amy)});

    // Choosing the other class on the second tab moves the first tab too.
    w->cboClass2->setCurrentIndex(1);
    w->cboClass2_Click();
    EXPECT_EQ(w->cboClass->currentIndex(), 1);
    EXPECT_EQ(items(w->lstStudents), QStringList{QStringLiteral("Ben Lee (SID%1)").arg(ben)});
    w->cboClass->setCurrentIndex(0);
    w->cboClass_Click();
    EXPECT_EQ(w->cboClass2->currentIndex(), 0);

    // Place Ben in Monday's class twice: two rows, two entries.
    exec(QStringLiteral("UPDATE Students SET Special = 'N'"));
    for (int round = 0; round < 2; ++round) {
        w->cmdAddStudent_Click();
        auto *fs = qobject_cast<frmAssessFS *>(ui::Forms::find(QStringLiteral("frmAssessFS")));
        ASSERT_NE(fs, nullptr);
        EXPECT_TRUE(fs->lblStatus->text().endsWith(QStringLiteral(" students on file")));
        fs->cbo->setListIndex(fs->cbo->listWidget()
                                  ->row(fs->cbo->listWidget()
                                            ->findItems(QStringLiteral("Lee, Ben (SID#%1)").arg(ben),
                                                        Qt::MatchExactly)
                                            .first()));
        if (round == 1)
            ovix::test::saveScreenshot(fs->frame(), QStringLiteral("assess-add-student"));
        script->answer(ui::vbOK);
        fs->cmdNext_Click();
        EXPECT_EQ(script->shown().last().text,
                  QStringLiteral("Ben Lee has been successfully added to this assessment class"));
        EXPECT_EQ(script->shown().last().title, QStringLiteral("Yay!"));
        flush();
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments WHERE Processed = 0 AND ClassID = %1 "
                                   "AND InstructorID = %2 AND StudentID = %3")
                        .arg(monday)
                        .arg(bob)
                        .arg(ben)),
              2);
    const QStringList placed = items(w->lstStudents).filter(QStringLiteral("(AID"));
    ASSERT_EQ(placed.size(), 2);

    // Remove Student: refused for an enrolled student, done for a placement.
    choose(w->lstStudents, QStringLiteral("Amy O'Neil (SID%1)").arg(amy));
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdRemoveStudent_Click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("This student cannot be removed from the class for assessment "
                             "purposes because they are enrolled in the class."));
    choose(w->lstStudents, placed.first());
    script->answer(ui::vbYes);
    w->cmdRemoveStudent_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments WHERE Processed = 0")), 1);

    // Assess Amy on a sheet: the save refreshes both lists.
    choose(w->lstStudents, QStringLiteral("Amy O'Neil (SID%1)").arg(amy));
    w->cmdAssess_Click();
    auto *sheet = qobject_cast<frmAssess3 *>(ui::Forms::find(QStringLiteral("frmAssess3")));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->txtName->text(), QStringLiteral("Amy O'Neil"));
    sheet->cboField[4]->setCurrentText(QStringLiteral("Starfish"));
    sheet->cboField_Click(4);
    EXPECT_EQ(items(sheet->lst), (QStringList{QStringLiteral("Float"), QStringLiteral("Kick")}));
    sheet->lst->item(0)->setCheckState(Qt::Checked);
    sheet->txtMemo[5]->setPlainText(QStringLiteral("Amy's \"kick\"; #2 <b>&"));
    ovix::test::saveScreenshot(sheet->frame(), QStringLiteral("assessment-sheet"));
    sheet->cmdOK_Click();
    flush();
    const qint32 aid = value(QStringLiteral("SELECT AssessmentID FROM Assessments WHERE "
                                            "Processed = 1"))
                           .toInt();
    ASSERT_GT(aid, 0);
    const QString entry = QStringLiteral("Amy O'Neil (AID%1)").arg(aid);
    EXPECT_EQ(items(w->lstStudents2), QStringList{entry});
    EXPECT_EQ(items(w->lstStudents), QStringList());
    EXPECT_EQ(value(QStringLiteral("SELECT Notes & '/' & PassLevel FROM Assessments WHERE "
                                   "AssessmentID = %1")
                        .arg(aid)),
              QStringLiteral("Amy's \"kick\"; #2 <b>&/0"));
    w->tab->setCurrentIndex(2);
    ovix::test::saveScreenshot(w->frame(), QStringLiteral("assessing-students"));

    // Delete Assessment puts it back to state 0; Amy is unassessed again.
    choose(w->lstStudents2, entry);
    script->answer(ui::vbYes);
    w->cmdDel_Click();
    EXPECT_EQ(items(w->lstStudents2), QStringList());
    EXPECT_EQ(items(w->lstStudents), QStringList{QStringLiteral("Amy O'Neil (SID%1)").arg(amy)});
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 0);

    // Finalise: No changes nothing; Yes raises state 1 to 2.
    exec(QStringLiteral("UPDATE Assessments SET Processed = 1 WHERE AssessmentID = %1").arg(aid));
    script->answer(ui::vbNo).answer(ui::vbOK);
    w->cmdFinalise_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("It's Okay"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    w->cmdFinalise_Click();
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Finalisation operation complete."));
    EXPECT_EQ(value(QStringLiteral("SELECT Processed FROM Assessments WHERE AssessmentID = %1")
                        .arg(aid)),
              2);
}

TEST_F(Assessing, WithoutLevelsOrCriteriaNoSheetOpens)
{
    const qint32 amy = addStudent(QStringLiteral("Amy"), QStringLiteral("Lee"));
    addBooking(monday, amy);
    exec(QStringLiteral("DELETE FROM LevelCriterion"));
    frmAssess2 *w = classWindow(true);
    choose(w->lstStudents, QStringLiteral("Amy Lee (SID%1)").arg(amy));
    script->answer(ui::vbOK);
    w->cmdAssess_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Big Problem"));
    EXPECT_TRUE(script->shown().last().text.startsWith(QStringLiteral("There are no criterion")));
    exec(QStringLiteral("DELETE FROM Levels"));
    script->answer(ui::vbOK);
    w->cmdAssess_Click();
    EXPECT_TRUE(script->shown().last().text.startsWith(QStringLiteral("There are no Award Levels.")));
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAssess3")), nullptr);
}

TEST_F(Assessing, PlacingAfterTheClassWindowClosedWritesNothing)
{
    addStudent(QStringLiteral("Amy"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Special = 'N'"));
    frmAssess2 *w = classWindow(true);
    w->cmdAddStudent_Click();
    auto *fs = qobject_cast<frmAssessFS *>(ui::Forms::find(QStringLiteral("frmAssessFS")));
    ASSERT_NE(fs, nullptr);
    ASSERT_GT(fs->cbo->count(), 0);
    fs->cbo->setListIndex(0);
    w->unload(ui::CloseReason::Code);
    flush();
    script->answer(ui::vbOK);
    fs->cmdNext_Click();
    EXPECT_EQ(script->shown().last().text, QStringLiteral("The Assessing Students window has been "
                                                          "closed. The student was not added."));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 0);
}

TEST_F(Assessing, TheSheetOfAStoredAssessment)
{
    const qint32 amy = addStudent(QStringLiteral("Amy"), QStringLiteral("Lee"));
    addBooking(monday, amy);
    const qint32 aid = addAssessment(amy, monday, level, 1, QStringLiteral("2026-03-01"), 0, bob);
    addCrit(aid, QStringLiteral("Old criterion"), 1);
    addCrit(aid, QStringLiteral("Kick"), 0);
    frmAssess2 *w = classWindow(true);
    choose(w->lstStudents2, QStringLiteral("Amy Lee (AID%1)").arg(aid));
    w->cmdAssess2_Click();
    auto *sheet = qobject_cast<frmAssess3 *>(ui::Forms::find(QStringLiteral("frmAssess3")));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->caption(), QStringLiteral("New Assessment"));
    EXPECT_EQ(sheet->cboField[4]->currentText(), QStringLiteral("Starfish"));
    EXPECT_EQ(items(sheet->lst), (QStringList{QStringLiteral("Old criterion"), QStringLiteral("Kick")}));
    EXPECT_EQ(sheet->lst->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(sheet->lst->item(1)->checkState(), Qt::Unchecked);

    // The Delete key drops the current criterion: the rest are all attained.
    sheet->lst->setCurrentRow(1);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet->lst, &del);
    EXPECT_EQ(items(sheet->lst), QStringList{QStringLiteral("Old criterion")});

    // Closing: Yes with a bad date keeps the sheet; No writes nothing.
    sheet->txtField[2]->setText(QStringLiteral("not a date"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(sheet->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The date you entered is not in a valid format. A valid date is "
                             "required before you proceed."));
    script->answer(ui::vbNo);
    EXPECT_TRUE(sheet->unload(ui::CloseReason::ControlMenu));
    flush();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 2);

    // Saved after the class window closed: no call-back, the rows written.
    w->cmdAssess2_Click();
    sheet = qobject_cast<frmAssess3 *>(ui::Forms::find(QStringLiteral("frmAssess3")));
    ASSERT_NE(sheet, nullptr);
    sheet->lst->setCurrentRow(1);
    QCoreApplication::sendEvent(sheet->lst, &del);
    w->unload(ui::CloseReason::Code);
    flush();
    sheet->cmdOK_Click();
    flush();
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmAssess2")), nullptr);
    EXPECT_EQ(value(QStringLiteral("SELECT PassLevel & '/' & Processed FROM Assessments")),
              QStringLiteral("1/1"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM AssessCrit")), 1);
}

TEST_F(Assessing, ASheetWithoutALevelIsRefused)
{
    const qint32 amy = addStudent(QStringLiteral("Amy"), QStringLiteral("Lee"));
    addBooking(monday, amy);
    frmAssess2 *w = classWindow(true);
    choose(w->lstStudents, QStringLiteral("Amy Lee (SID%1)").arg(amy));
    w->cmdAssess_Click();
    auto *sheet = qobject_cast<frmAssess3 *>(ui::Forms::find(QStringLiteral("frmAssess3")));
    ASSERT_NE(sheet, nullptr);
    script->answer(ui::vbOK);
    sheet->cmdOK_Click();
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Please select a level."));
    EXPECT_TRUE(sheet->isLoaded());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Assessments")), 0);
}
