#include "classviewfixture.h"

#include "access/permissions.h"
#include "classes/view/changedialogs.h"
#include "classes/view/frmviewclass.h"
#include "classes/view/register.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/timetablelookups.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"
#include "timetable/classes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTime>

class ChangeDialogTest : public ClassViewTest
{
protected:
    void SetUp() override
    {
        ClassViewTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        classes::RegisterClassViewWindow();
        addIncomeAccount();
        program = addProgram(QStringLiteral("Summer"));
        kim = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *v = qobject_cast<frmViewClass *>(f))
                v->cmdSave->setEnabled(false);
        ui::RegisterWindow(QStringLiteral("frmViewClass"), {});
        ClassViewTest::TearDown();
    }
    frmViewClass *open(qint32 classId, bool oneOff = false)
    {
        auto *view = ui::Forms::create<frmViewClass>();
        view->showForm();
        view->setViewClassMode(QStringLiteral("Edit"));
        view->LoadOps(classId, oneOff);
        return view;
    }
    frmViewClass *editing(qint32 classId)
    {
        frmViewClass *v = open(classId);
        v->cmdEdit_Click();
        return v;
    }
    static void choose(QComboBox *list, const QString &text)
    {
        list->setCurrentIndex(list->findText(text));
    }
    qint32 program = 0, kim = 0;
};

TEST_F(ChangeDialogTest, ProgramDialogAsksBeforeOneOffAndSwitchesTheForm)
{
    addProgram(QStringLiteral("Winter"));
    const qint32 c = addClass(program);
    linkInstructor(c, kim);
    frmViewClass *v = editing(c);
    ASSERT_TRUE(v->cmdProgChange->isEnabled());

    // The present program saved: nothing changes.
    v->cmdProgChange_Click();
    auto *d = ui::Forms::shared<frmChangeProg>();
    EXPECT_EQ(d->lblCurrent->text(), QStringLiteral("Summer"));
    QComboBox *list = d->cboField[1];
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(list->itemText(list->count() - 1), QStringLiteral("One-off Enrolment"));
    d->cmdOK_Click(); // nothing chosen: stays
    EXPECT_TRUE(d->isLoaded());
    choose(list, QStringLiteral("Summer"));
    d->cmdOK_Click();
    EXPECT_FALSE(d->isLoaded());
    EXPECT_EQ(v->ClassProgram(), program);

    // One-off: No keeps the dialog, Yes turns the class view into the one-off form.
    v->cmdProgChange_Click();
    d = ui::Forms::shared<frmChangeProg>();
    choose(d->cboField[1], QStringLiteral("One-off Enrolment"));
    script->answer(ui::vbNo);
    d->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Change to One-Off Enrolment"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("Are you sure you want to change this class to a one-off enrolment?"));
    EXPECT_EQ(script->shown()[0].defaultButton, 2);
    EXPECT_TRUE(d->isLoaded());
    EXPECT_FALSE(v->OOE);
    script->answer(ui::vbYes);
    d->cmdOK_Click();
    EXPECT_FALSE(d->isLoaded());
    EXPECT_TRUE(v->OOE);
    EXPECT_EQ(v->ClassProgram(), 0);
    EXPECT_EQ(v->txtProgram->text(), QStringLiteral("One-off Enrolment"));
    EXPECT_FALSE(v->tabs->isTabEnabled(1));
    EXPECT_FALSE(v->tabs->isTabEnabled(2));
    EXPECT_TRUE(v->txtField[6]->isHidden());
    EXPECT_TRUE(v->txtField[5]->isReadOnly());
    EXPECT_EQ(v->txtField[9]->text(), v->txtField[8]->text());

    // Back to a program: the normal form again while editing.
    v->cmdProgChange_Click();
    d = ui::Forms::shared<frmChangeProg>();
    choose(d->cboField[1], QStringLiteral("Winter"));
    d->cmdOK_Click();
    EXPECT_FALSE(v->OOE);
    EXPECT_EQ(v->txtProgram->text(), QStringLiteral("Winter"));
    EXPECT_TRUE(v->tabs->isTabEnabled(1));
    EXPECT_FALSE(v->txtField[6]->isHidden());
    EXPECT_FALSE(v->txtField[5]->isReadOnly());
    EXPECT_TRUE(v->cmdInstChange->isEnabled());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes WHERE ProgramID = %1").arg(program)), 1)
        << "nothing is written before the class is saved";
}

TEST_F(ChangeDialogTest, InstructorRowsGrowAndCarryTheirOwnIds)
{
    // Two instructors of one name stay two.
    const qint32 twin = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
    const qint32 lee = addInstructor(QStringLiteral("Lee"), QStringLiteral("Fox"));
    const qint32 c = addClass(program);
    linkInstructor(c, twin);
    linkInstructor(c, lee);
    frmViewClass *v = editing(c);
    v->cmdInstChange_Click();
    frmChangeInst *d = nullptr;
    for (ui::Form *f : ui::Forms::all())
        if (auto *i = qobject_cast<frmChangeInst *>(f))
            d = i;
    ASSERT_TRUE(d);
    EXPECT_EQ(d->lblCurrent->text(), QStringLiteral("Kim Ray and Lee Fox"));
    ASSERT_EQ(d->rowCount(), 3);
    EXPECT_EQ(d->cboField[0]->property("Tag").toString(), QString::number(twin));
    EXPECT_EQ(d->cboField[1]->property("Tag").toString(), QString::number(lee));
    EXPECT_EQ(d->cboField[2]->currentText(), QString());
    EXPECT_EQ(d->lblField[2]->text(), QStringLiteral("Instructor 3:"));

    // A name in the last row opens a blank row below and the window grows; an earlier row adds none.
    const int before = d->height();
    d->cboField[2]->setCurrentIndex(d->cboField[2]->findText(QStringLiteral("Lee Fox")));
    d->cboField_Click(2);
    EXPECT_EQ(d->rowCount(), 4);
    EXPECT_EQ(d->lblField[3]->text(), QStringLiteral("Instructor 4:"));
    EXPECT_EQ(d->height(), before + ui::twipsToPixels(360));
    ovix::test::saveScreenshot(d, "change-instructor");
    d->cboField[1]->setCurrentIndex(0); // blank: takes Lee off in that row
    d->cboField_Click(1);
    EXPECT_EQ(d->rowCount(), 4);
    d->cmdOK_Click();
    EXPECT_EQ(v->classInstructors(), (QList<qint32>{twin, 0, lee, 0, 0}));
    EXPECT_EQ(v->txtInstructor->text(), QStringLiteral("Kim Ray and Lee Fox"));

    // Every row blank: the save of the class is refused.
    v->cmdInstChange_Click();
    d = nullptr;
    for (ui::Form *f : ui::Forms::all())
        if (auto *i = qobject_cast<frmChangeInst *>(f))
            d = i;
    ASSERT_TRUE(d);
    for (int i = 0; i < d->rowCount(); ++i) {
        d->cboField[i]->setCurrentIndex(0);
        d->cboField_Click(i);
    }
    d->cmdOK_Click();
    EXPECT_EQ(v->txtInstructor->text(), QString());
    script->answer(ui::vbOK);
    v->cmdSave_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("No Instructor Selected"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1").arg(c)), 2);

    // A class not yet saved.
    auto *fresh = ui::Forms::create<frmChangeInst>();
    fresh->LoadUp(v, 0);
    EXPECT_EQ(fresh->lblCurrent->text(), QStringLiteral("Instructor TBA"));
    EXPECT_EQ(fresh->rowCount(), 1);
    fresh->unload();
}

TEST_F(ChangeDialogTest, LocationAndActivityDialogKeepsToItsMode)
{
    exec(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Tom''s Pool')"));
    exec(QStringLiteral("INSERT INTO Activities (ActivityName) VALUES ('Diving')"));
    const qint32 c = addClass(program);
    linkInstructor(c, kim);
    frmViewClass *v = editing(c);
    ASSERT_TRUE(v->cmdPoolArea->isEnabled());
    ASSERT_TRUE(v->cmdActivity->isEnabled());
    const QString areaBefore = v->txtField[14]->text();

    v->cmdPoolArea_Click();
    auto *d = ui::Forms::shared<frmChangePArea>();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Change Location"));
    EXPECT_EQ(d->Label3->text(), QStringLiteral("Current Location:"));
    script->answer(ui::vbOK);
    d->cmdOK_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].text, QStringLiteral("You must select a valid Location to continue."));
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Oops!"));

    // Opened again for the activity while still open: only activities are offered.
    v->cmdActivity_Click();
    EXPECT_EQ(d->Label1->text(), QStringLiteral("New Activity:"));
    EXPECT_EQ(d->cboField[1]->findText(QStringLiteral("Main Pool")), -1);
    choose(d->cboField[1], QStringLiteral("Learn to Swim")); // the present one: as Cancel
    d->cmdOK_Click();
    EXPECT_FALSE(d->isLoaded());
    v->cmdActivity_Click();
    d = ui::Forms::shared<frmChangePArea>();
    choose(d->cboField[1], QStringLiteral("Diving"));
    d->cmdOK_Click();
    EXPECT_EQ(v->txtField[17]->text(), QStringLiteral("Diving"));
    EXPECT_EQ(v->txtField[14]->text(), areaBefore);

    v->cmdPoolArea_Click();
    d = ui::Forms::shared<frmChangePArea>();
    choose(d->cboField[1], QStringLiteral("Tom's Pool"));
    d->cboField_Click(d->cboField[1]->currentIndex());
    d->cmdOK_Click();
    EXPECT_EQ(v->lblPoolArea->text(), QStringLiteral("Tom's Pool"));
    EXPECT_EQ(v->txtField[14]->text(),
              value(QStringLiteral("SELECT AreaID FROM PoolAreas WHERE AreaName = 'Tom''s Pool'")).toString());
}

TEST_F(ChangeDialogTest, NewOneOffClassTakesTheOneOffFormAndSavesUnderProgramZero)
{
    auto *v = ui::Forms::create<frmViewClass>();
    v->setViewClassMode(QStringLiteral("Add"));
    v->showForm();
    v->LoadNewO(QStringLiteral("Kim Ray"), QDate(2026, 3, 10), QTime(18, 30), kim);
    EXPECT_TRUE(v->OOE);
    EXPECT_EQ(v->txtField[5]->text(), QStringLiteral("06:30 PM"));
    EXPECT_EQ(v->cboField[4]->currentText(), QStringLiteral("Tuesday"));
    EXPECT_EQ(v->txtField[8]->text(), QStringLiteral("10/03/2026"));
    EXPECT_EQ(v->txtField[9]->text(), QStringLiteral("10/03/2026"));
    EXPECT_EQ(v->txtField[7]->text(), QStringLiteral("0.00"));
    EXPECT_EQ(v->txtProgram->text(), QStringLiteral("One-off Enrolment"));
    EXPECT_EQ(v->ClassProgram(), 0);
    EXPECT_EQ(v->cboChargeOn->currentText(), QStringLiteral("Enrolment (discount absence)"));
    EXPECT_TRUE(v->chkActive->isChecked());
    EXPECT_FALSE(v->chkActive->isEnabled());
    EXPECT_TRUE(v->txtField[6]->isHidden());
    EXPECT_TRUE(v->lblField[6]->isHidden());
    EXPECT_FALSE(v->tabs->isTabEnabled(1));
    EXPECT_FALSE(v->tabs->isTabEnabled(2));
    EXPECT_FALSE(v->cmdInstChange->isEnabled());
    EXPECT_FALSE(v->btnCalCheck->isEnabled());
    EXPECT_EQ(v->classInstructors(), QList<qint32>{kim});

    v->cboField[1]->setEditText(QStringLiteral("Private"));
    v->cmdSave_Click();
    ASSERT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);
    const qint32 c = value(QStringLiteral("SELECT ClassID FROM Classes")).toInt();
    EXPECT_EQ(value(QStringLiteral("SELECT ProgramID FROM Classes")).toInt(), 0);
    EXPECT_TRUE(imodClasses::IsOneOffClass(c));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1 AND InstructorID = %2")
                        .arg(c)
                        .arg(kim)),
              1);

    // Opened again as a one-off class: the one-off form whatever was stored.
    exec(QStringLiteral("UPDATE Classes SET ClassActive = 0"));
    frmViewClass *again = open(c, true);
    EXPECT_TRUE(again->OOE);
    EXPECT_EQ(again->cboChargeOn->currentText(), QStringLiteral("Enrolment (discount absence)"));
    EXPECT_TRUE(again->chkActive->isChecked());
    EXPECT_FALSE(again->tabs->isTabEnabled(2));
    EXPECT_EQ(again->txtProgram->text(), QStringLiteral("One-off Enrolment"));
}
