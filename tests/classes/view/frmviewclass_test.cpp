#include "classviewfixture.h"

#include "classes/search/frmmain.h"
#include "classes/view/classview.h"
#include "classes/view/frmviewclass.h"
#include "classes/view/register.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/sqlquote.h"
#include "enrolments/attendancekey.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/colorsquare.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

QStringList row(ui::FlexGrid *g, int r, int from = 0, int to = 9)
{
    QStringList cells;
    for (int c = from; c <= to; ++c)
        cells << g->textMatrix(r, c);
    return cells;
}

QStringList titles(const ui::DialogScript &script)
{
    QStringList out;
    for (const ui::ShownDialog &d : script.shown())
        out << d.title;
    return out;
}

} // namespace

class ViewClassWindowTest : public ClassViewTest
{
protected:
    void SetUp() override
    {
        ClassViewTest::SetUp();
        Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
        classes::RegisterClassViewWindow();
        program = addProgram(QStringLiteral("Summer")); // 10 weeks
    }
    void TearDown() override
    {
        // Windows left in edit mode close without asking.
        for (ui::Form *f : ui::Forms::all())
            if (auto *v = qobject_cast<frmViewClass *>(f))
                v->cmdSave->setEnabled(false);
        ui::RegisterWindow(QStringLiteral("frmViewClass"), {});
        ClassViewTest::TearDown();
    }

    frmViewClass *open(qint32 classId, const QString &mode = QStringLiteral("Edit"), bool oo = false)
    {
        auto *view = qobject_cast<frmViewClass *>(ui::CreateWindowByName(QStringLiteral("frmViewClass")));
        view->showForm();
        view->setProperty("ViewClassMode", mode);
        ui::callByName(view, QStringLiteral("LoadOps"), {classId, oo});
        return view;
    }

    // A class on Mon/Wed at 4:30 PM, "Level 2", with two instructors and two students.
    qint32 fullClass()
    {
        const qint32 c = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed"), 16,
                                  30, vb::Currency(125), 10, 1, QStringLiteral("Attendance"));
        exec(QStringLiteral("UPDATE Classes SET WaitingList = 1, DurationMins = 45 WHERE ClassID = %1")
                 .arg(c));
        i1 = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
        i2 = addInstructor(QStringLiteral("Lou"), QStringLiteral("Tan"));
        linkInstructor(c, i2);
        linkInstructor(c, i1);
        return c;
    }

    qint32 program = 0, i1 = 0, i2 = 0;
};

TEST_F(ViewClassWindowTest, FullClassRowFillsEveryControlWithoutAWarning)
{
    const qint32 c = fullClass();
    frmViewClass *v = open(c);
    ovix::test::saveScreenshot(v, QStringLiteral("frmViewClass"));
    EXPECT_TRUE(script->shown().isEmpty()) << titles(*script).join(", ").toStdString();
    EXPECT_EQ(v->txtField[0]->text(), QString::number(c));
    EXPECT_EQ(v->cboField[1]->currentText(), QStringLiteral("Level 2"));
    EXPECT_EQ(v->ClassProgram(), program);
    EXPECT_EQ(v->cboField[4]->currentText(), QStringLiteral("Mon/Wed"));
    EXPECT_EQ(v->txtField[5]->text(), QStringLiteral("4:30 PM"));
    EXPECT_EQ(v->txtField[6]->text(), QStringLiteral("10"));
    EXPECT_EQ(v->txtField[7]->text(), QStringLiteral("$125.00"));
    EXPECT_EQ(v->loadedCost(), vb::Currency(125));
    EXPECT_EQ(v->txtField[8]->text(), QStringLiteral("2/02/2026"));
    EXPECT_EQ(v->lblDateFrom->text(), QStringLiteral("Mon 02 Feb 2026"));
    EXPECT_EQ(v->lblDateTo->text(), QStringLiteral("Mon 06 Apr 2026"));
    EXPECT_EQ(v->cboChargeOn->currentText(), QStringLiteral("Attendance"));
    EXPECT_EQ(v->txtField[14]->text(), QStringLiteral("1"));
    EXPECT_EQ(v->lblPoolArea->text(), QStringLiteral("Main Pool"));
    EXPECT_TRUE(v->chkActive->isChecked());
    EXPECT_EQ(v->lblActivity->text(), QStringLiteral("Learn to Swim"));
    EXPECT_EQ(v->txtInstructor->text(), QStringLiteral("Kim Ray and Lou Tan"));
    EXPECT_EQ(v->classInstructors(), (QList<qint32>{i1, i2}));
    EXPECT_EQ(v->txtProgram->text(), QStringLiteral("Summer"));
    EXPECT_EQ(v->lblField[7]->text(), QStringLiteral("Cost p/session:"));
    EXPECT_EQ(v->loadedChargePerSession(), 1);
    EXPECT_EQ(v->txtClassNotes->toPlainText(), QStringLiteral("Bring goggles"));
    EXPECT_EQ(v->txtDuration->text(), QStringLiteral("45"));
    EXPECT_TRUE(v->chkWaitingList->isChecked());
    EXPECT_EQ(v->lblSessions->text(), QStringLiteral("20 sessions for this class."));
    v->Form_Activate();
    EXPECT_EQ(v->caption(), QStringLiteral("Viewing Class Details - Mon/Wed 4:30 PM Level 2"));
    EXPECT_EQ(ui::Forms::findByRecord(QStringLiteral("frmViewClass"), QString::number(c)), v);

    // View mode: details locked in their colour, the editing controls disabled.
    EXPECT_TRUE(v->txtField[7]->isReadOnly());
    EXPECT_EQ(v->txtField[7]->palette().color(QPalette::Base), QColor(0xD6, 0xDF, 0xF7));
    for (QWidget *w : std::initializer_list<QWidget *>{v->cmdSave, v->btnCal1, v->btnCal2,
                                                       v->btnCalCheck, v->cmdProgChange,
                                                       v->cmdInstChange, v->cmdPoolArea,
                                                       v->cmdActivity, v->chkActive,
                                                       v->chkWaitingList})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(v->chkWaitingList->isVisible());
    EXPECT_FALSE(v->txtField[0]->isVisible());
}

TEST_F(ViewClassWindowTest, FixedTextsAndNamedControls)
{
    frmViewClass *v = open(0, QString());
    EXPECT_EQ(v->caption(), QStringLiteral("Viewing Class Details"));
    const QMap<int, QString> labels{{0, "Class ID:"},     {1, "Level/Name:"}, {2, "Program:"},
                                    {3, "Instructor(s):"}, {4, "Day & Time:"}, {5, "charged on"},
                                    {6, "Max Students:"},  {7, "Cost:"},       {8, "From:"},
                                    {9, "To:"},            {10, "Location:"},  {13, "Activity:"},
                                    {14, "Duration:"},     {15, "minutes"},
                                    {11, "Enter any notes regarding this class, skills taught each "
                                         "lesson, etc:"},
                                    {12, "The most recent assessments for these students are "
                                         "displayed below:"}};
    for (auto it = labels.begin(); it != labels.end(); ++it)
        EXPECT_EQ(v->lblField[it.key()]->text(), it.value()) << it.key();
    EXPECT_EQ(v->Label2->text(), QStringLiteral("Class Details"));
    EXPECT_EQ(v->Label5->text(), QStringLiteral("Dates & Other Settings"));
    QStringList tabs;
    for (int i = 0; i < v->tabs->count(); ++i)
        tabs << v->tabs->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Enrolments", "Waiting List", "Catch Ups", "Attendance", "Notes",
                                 "Assessments"}));
    EXPECT_EQ(v->tabs->currentIndex(), 0);
    QStringList modes;
    for (int i = 0; i < v->cboChargeOn->count(); ++i)
        modes << v->cboChargeOn->itemText(i);
    EXPECT_EQ(modes, QStringList({"Enrolment", "Attendance", "Enrolment (discount absence)",
                                  "Payment Plan"}));
    EXPECT_EQ(row(v->grd, 0), QStringList({"BKID", "STID", "Age", "Name", "Home Ph", "Work Ph",
                                           "Mobile Ph", "Parents", "Owing", ""}));
    EXPECT_EQ(v->cgrd->textMatrix(0, 2), QStringLiteral("Wk"));
    EXPECT_EQ(v->wgrd->textMatrix(0, 2), QStringLiteral("Age"));
    EXPECT_EQ(v->grd->colWidth(0), 0);
    EXPECT_NEAR(v->grd->colWidth(3), 2000, 15); // whole pixels
    EXPECT_EQ(row(v->grdAssess, 0, 0, 3),
              QStringList({"Name", "Assess Date", "Assessed At", "Achieved?"}));
    // The status key carries the row colours; the attendance key its marks.
    for (const char *status : {"Confirmed", "Tentative", "Moved", "Cancelled", "No Show"}) {
        const QString name = QStringLiteral("shp") + QString::fromLatin1(status).remove(' ');
        EXPECT_EQ(ui::squareFillColor(v, name), classview::StatusColor(QString::fromLatin1(status)))
            << status;
    }
    EXPECT_EQ(ui::squareFillColor(v, QStringLiteral("shpAttended")), QColor(0, 255, 0));
    EXPECT_EQ(v->Label13->text(), QStringLiteral("DNA"));
    // Operations of later work are there, disabled; Edit and Edit Notes work.
    EXPECT_TRUE(v->cmdEdit->isEnabled());
    EXPECT_TRUE(v->cmdNotesEdit->isEnabled());
    for (const char *name : {"cmdAddStudent", "cmdDiscount", "cmdReceivePayment", "cmdDelClass",
                             "cmdCancel", "cmdWLAdd", "cmdCUDel"}) {
        auto *b = v->findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_FALSE(b->isEnabled()) << name;
    }
}

TEST_F(ViewClassWindowTest, AttendanceKeyTakesTheCentresWords)
{
    Global::CentreSettings().setSettings(int(CentreSettingIds::Attended), QStringLiteral("Here"));
    Global::CentreSettings().setSettings(int(CentreSettingIds::Contacted), QStringLiteral("Rang"));
    Global::CentreSettings().setSettings(int(CentreSettingIds::DNA), QString());
    frmViewClass *v = open(0, QString());
    EXPECT_EQ(v->Label1->text(), QStringLiteral("Here"));
    EXPECT_EQ(v->Label18->text(), QStringLiteral("Rang"));
    EXPECT_EQ(v->Label13->text(), QStringLiteral("DNA"));
    EXPECT_EQ(v->findChild<QLabel *>(QStringLiteral("Label14"))->text(), QStringLiteral("Sick"));
}

struct MissingCase
{
    const char *column;
    const char *value;
    const char *title;
    const char *secondTitle = nullptr; // a missing location also leaves its name empty
};

class MissingColumnTest : public ViewClassWindowTest, public ::testing::WithParamInterface<MissingCase>
{};

TEST_P(MissingColumnTest, GivesItsOneWarningAndLoadingGoesOn)
{
    const qint32 c = fullClass();
    exec(QStringLiteral("UPDATE Classes SET %1 = %2 WHERE ClassID = %3")
             .arg(QString::fromLatin1(GetParam().column), QString::fromLatin1(GetParam().value))
             .arg(c));
    QStringList expected{QString::fromLatin1(GetParam().title)};
    if (GetParam().secondTitle)
        expected << QString::fromLatin1(GetParam().secondTitle);
    for (qsizetype i = 0; i < expected.size(); ++i)
        script->answer(ui::vbOK);
    frmViewClass *v = open(c);
    EXPECT_EQ(titles(*script), expected);
    EXPECT_EQ(script->shown().value(0).icon, ui::vbExclamation);
    EXPECT_TRUE(script->shown().value(0).text.endsWith(QStringLiteral(" in other areas of Ovix.")));
    // Whatever was missing, the students and the session count still load.
    EXPECT_EQ(v->txtField[0]->text(), QString::number(c));
    EXPECT_EQ(v->lblActivity->text(), QStringLiteral("Learn to Swim"));
}

INSTANTIATE_TEST_SUITE_P(
    Columns, MissingColumnTest,
    ::testing::Values(MissingCase{"Description", "''", "No Level"},
                      MissingCase{"ProgramID", "Null", "No Program"},
                      MissingCase{"[Day]", "Null", "No Day"},
                      MissingCase{"[Time]", "Null", "No Time"},
                      MissingCase{"Cost", "Null", "No Price"},
                      MissingCase{"StartDate", "Null", "No Date"},
                      MissingCase{"EndDate", "Null", "No Date"},
                      MissingCase{"PoolArea", "Null", "No Location", "No Location Name"},
                      MissingCase{"PoolArea", "99", "No Location Name"}),
    [](const auto &info) {
        std::string name;
        for (const char *ch = info.param.title; *ch; ++ch)
            if (*ch != ' ')
                name += *ch;
        return name + std::to_string(info.index);
    });

TEST_F(ViewClassWindowTest, WarningTextsAndWhatAMissingValueLeaves)
{
    const qint32 c = fullClass();
    exec(QStringLiteral("UPDATE Classes SET Description = Null, Cost = Null, StartDate = Null, "
                        "ProgramID = Null, ClassActive = Null, WaitingList = Null, AttendChargeOn "
                        "= Null WHERE ClassID = %1")
             .arg(c));
    for (int i = 0; i < 4; ++i)
        script->answer(ui::vbOK);
    frmViewClass *v = open(c);
    ASSERT_EQ(titles(*script), QStringList({"No Level", "No Program", "No Price", "No Date"}));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("The class you are loading has no level value set. Please edit this "
                             "class and enter a level/name to prevent errors when interacting with "
                             "this class in other areas of Ovix."));
    EXPECT_EQ(script->shown()[3].text,
              QStringLiteral("The class you are loading has no start date set. Please edit this "
                             "class and enter this date to prevent errors when interacting with "
                             "this class in other areas of Ovix."));
    EXPECT_EQ(v->ClassProgram(), 0);
    EXPECT_EQ(v->lblSessions->text(), QString());
    EXPECT_EQ(v->txtField[7]->text(), QString());
    EXPECT_EQ(v->loadedCost(), vb::Currency());
    EXPECT_EQ(v->cboChargeOn->currentText(), QStringLiteral("Enrolment"));
    EXPECT_TRUE(v->chkActive->isChecked()) << "an empty ClassActive allows bookings";
    EXPECT_FALSE(v->chkWaitingList->isChecked());
}

TEST_F(ViewClassWindowTest, DayOrChargeModeOutsideTheirListsIsReportedAndLoadingGoesOn)
{
    const qint32 c = fullClass();
    exec(QStringLiteral("UPDATE Classes SET [Day] = 'Fortnightly', AttendChargeOn = 'Barter' "
                        "WHERE ClassID = %1")
             .arg(c));
    script->answer(ui::vbOK).answer(ui::vbOK);
    frmViewClass *v = open(c);
    EXPECT_EQ(titles(*script),
              QStringList({"Error Loading Class Data", "Error Loading Class Data"}));
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when loading the class data.\r\nErr#")));
    EXPECT_TRUE(script->shown()[0].text.endsWith(
        QStringLiteral(".\r\nOvix will attempt to continue but the class may not display correctly.")));
    EXPECT_EQ(v->txtField[5]->text(), QStringLiteral("4:30 PM"));
    EXPECT_EQ(v->cboField[4]->currentText(), QStringLiteral("Monday")) << "the first pattern stays";
    EXPECT_EQ(v->txtDuration->text(), QStringLiteral("45"));
}

TEST_F(ViewClassWindowTest, ClassIdWithoutARowLeavesTheWindowAsLoaded)
{
    frmViewClass *v = open(4321);
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(v->txtField[0]->text(), QString());
    EXPECT_EQ(v->cboField[4]->currentIndex(), 0);
    EXPECT_EQ(v->ClassProgram(), 0);
    EXPECT_EQ(v->lblSessions->text(), QString());
    EXPECT_EQ(v->classInstructors(), QList<qint32>{1});
    EXPECT_EQ(v->grd->rows(), 1);
    EXPECT_EQ(v->wgrd->rows(), 1);
    EXPECT_EQ(v->cgrd->rows(), 1);
    EXPECT_EQ(v->grdAssess->rows(), 1);
}

TEST_F(ViewClassWindowTest, OnlyTheExactModesDoAnything)
{
    const qint32 c = fullClass();
    addBookingRow(c, addStudent(QStringLiteral("Ann"), QStringLiteral("Lee")),
                  QStringLiteral("Confirmed"));
    struct
    {
        const char *mode;
        bool read, active;
    } cases[] = {{"Edit", true, true}, {"edit", false, false}, {"Add", false, true},
                 {"View", false, false}};
    for (const auto &m : cases) {
        frmViewClass *v = open(m.mode == QLatin1String("Add") ? 0 : c, QString::fromLatin1(m.mode));
        SCOPED_TRACE(m.mode);
        EXPECT_EQ(v->txtField[0]->text(), m.read ? QString::number(c) : QString());
        EXPECT_EQ(v->grd->rows(), m.read ? 2 : 1);
        EXPECT_EQ(v->chkActive->isChecked(), m.active);
        EXPECT_EQ(v->viewClassMode(), QString::fromLatin1(m.mode));
        // A new class opens in edit mode; it closes here without its question.
        EXPECT_EQ(v->cmdSave->isEnabled(), m.mode == QLatin1String("Add"));
        v->cmdSave->setEnabled(false);
        v->unload();
    }
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(ViewClassWindowTest, OneOffOpeningLoadsOnlyTheStudents)
{
    const qint32 c = fullClass();
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    addBookingRow(c, ann, QStringLiteral("Confirmed"));
    addBookingRow(c, ann, QStringLiteral("Waiting"));
    addBookingRow(c, ann, QStringLiteral("Confirmed"), 2);
    frmViewClass *v = open(c, QStringLiteral("Edit"), true);
    EXPECT_TRUE(v->OOE);
    EXPECT_EQ(v->grd->rows(), 2);
    EXPECT_EQ(v->wgrd->rows(), 1);
    EXPECT_EQ(v->cgrd->textMatrix(1, 3), QString()) << "no catch-up read";
    EXPECT_EQ(v->grdAssess->textMatrix(1, 0), QString()) << "no assessment row read";

    frmViewClass *regular = open(c);
    EXPECT_FALSE(regular->OOE);
    EXPECT_EQ(regular->wgrd->rows(), 2);
    EXPECT_EQ(regular->cgrd->rows(), 2);
    EXPECT_EQ(regular->cgrd->textMatrix(1, 3), QStringLiteral("Ann Lee"));
    EXPECT_EQ(regular->grdAssess->textMatrix(1, 0), QStringLiteral("Ann Lee"));
}

TEST_F(ViewClassWindowTest, SessionLabelFollowsTheProgramAndPattern)
{
    const qint32 other = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Other"));
    frmViewClass *v = open(other);
    EXPECT_EQ(v->lblSessions->text(), QString());
    v->cboField[4]->setCurrentText(QStringLiteral("Mon/Wed"));
    ui::callByName(v, QStringLiteral("DisplayNumberOfSessions"));
    EXPECT_EQ(v->lblSessions->text(), QStringLiteral("20 sessions for this class."));
    v->setClassProgram(0);
    v->DisplayNumberOfSessions();
    EXPECT_EQ(v->lblSessions->text(), QString());
}

TEST_F(ViewClassWindowTest, ClassIdAbove32767)
{
    exec(QStringLiteral("INSERT INTO Classes (ClassID, Description, ProgramID, [Day], [Time], [Max], "
                        "Cost, StartDate, EndDate, PoolArea, ActivityName) VALUES (40000, 'Squad', "
                        "%1, 'Monday', #16:00#, 8, 90, #2026-02-02#, #2026-04-06#, 1, 'Learn to "
                        "Swim')")
             .arg(program));
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    addBookingRow(40000, ann, QStringLiteral("Confirmed"));
    addBookingRow(40000, ann, QStringLiteral("Waiting"));
    frmViewClass *v = open(40000);
    EXPECT_TRUE(script->shown().isEmpty()) << titles(*script).join(", ").toStdString();
    EXPECT_EQ(v->txtField[0]->text(), QStringLiteral("40000"));
    EXPECT_EQ(v->grd->textMatrix(1, 3), QStringLiteral("Ann Lee"));
    EXPECT_EQ(v->wgrd->rows(), 2);
    EXPECT_EQ(ui::Forms::findByRecord(QStringLiteral("frmViewClass"), QStringLiteral("40000")), v);
}

TEST_F(ViewClassWindowTest, OpenedFromTheClassSearchOnceThenBroughtForward)
{
    const qint32 c = fullClass();
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName),
                                         QStringLiteral("Summer"));
    Main *search = ui::Forms::shared<Main>();
    search->grd->setRows(2);
    search->grd->setTextMatrix(1, 0, QString::number(c));
    search->grd->setGridRow(1);
    search->grd->setRowSel(1);
    search->grd_DblClick();
    search->grd->setGridCol(5);
    search->grd_DblClick();
    QList<ui::Form *> views;
    for (ui::Form *f : ui::Forms::all())
        if (f->name() == QLatin1String("frmViewClass"))
            views << f;
    ASSERT_EQ(views.size(), 1);
    auto *v = qobject_cast<frmViewClass *>(views[0]);
    EXPECT_EQ(v->viewClassMode(), QStringLiteral("Edit"));
    EXPECT_EQ(v->txtField[0]->text(), QString::number(c));
    EXPECT_EQ(v->cboField[1]->currentText(), QStringLiteral("Level 2"));
    EXPECT_TRUE(script->shown().isEmpty()) << titles(*script).join(", ").toStdString();
}

TEST_F(ViewClassWindowTest, StoredTextsShowAsStored)
{
    const QString odd = QStringLiteral("O'Neil's \"#1\"; <b>Squad</b>");
    const qint32 c = fullClass();
    exec(QStringLiteral("UPDATE Classes SET Description = %1, Notes = %1 WHERE ClassID = %2")
             .arg(Global::SqlText(odd))
             .arg(c));
    exec(QStringLiteral("UPDATE PoolAreas SET AreaName = %1").arg(Global::SqlText(odd)));
    exec(QStringLiteral("UPDATE Programs SET Program = %1").arg(Global::SqlText(odd)));
    const qint32 s = addStudent(QStringLiteral("D'Arcy #2;"), QStringLiteral("<i>Lee</i>"));
    addBookingRow(c, s, QStringLiteral("Confirmed"));
    frmViewClass *v = open(c);
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_EQ(v->cboField[1]->currentText(), odd);
    EXPECT_EQ(v->txtClassNotes->toPlainText(), odd);
    EXPECT_EQ(v->lblPoolArea->text(), odd);
    EXPECT_EQ(v->lblPoolArea->textFormat(), Qt::PlainText);
    EXPECT_EQ(v->txtProgram->text(), odd);
    EXPECT_EQ(v->grd->textMatrix(1, 3), QStringLiteral("D'Arcy #2; <i>Lee</i>"));
    EXPECT_EQ(v->grdAssess->textMatrix(1, 0), QStringLiteral("D'Arcy #2; <i>Lee</i>"));
    v->Form_Activate();
    EXPECT_TRUE(v->caption().endsWith(odd));
}

TEST_F(ViewClassWindowTest, StudentListShowAllSortAndRememberedRow)
{
    const qint32 c = fullClass();
    auto book = [&](const char *first, const char *status) {
        return addBookingRow(c, addStudent(QString::fromLatin1(first), QStringLiteral("Test")),
                             QString::fromLatin1(status));
    };
    book("zoe", "Confirmed");
    const qint32 moved = book("Bea", "Moved");
    book("Cy", "Tentative");
    book("Al", "Waiting");
    book("Di", "Cancelled");
    frmViewClass *v = open(c);
    auto names = [v] {
        QStringList out;
        for (int r = 1; r < v->grd->rows(); ++r)
            out << v->grd->textMatrix(r, 3);
        return out;
    };
    EXPECT_EQ(names(), QStringList({"Cy Test", "zoe Test"}));
    EXPECT_TRUE(v->grd->isVisible());
    EXPECT_EQ(v->grd->cellBackColor(1, 0), QColor(128, 255, 255));
    EXPECT_EQ(v->grd->cellAlignment(1, 4), int(ui::flexAlignCenterCenter));

    v->Check1->setChecked(true); // Show All: never the waiting entry
    EXPECT_EQ(names(), QStringList({"Bea Test", "Cy Test", "Di Test", "zoe Test"}));
    EXPECT_EQ(v->grd->cellBackColor(1, 5), QColor(128, 255, 128));

    // The row index is kept, whichever booking it now holds ...
    v->grd->setGridRow(3);
    exec(QStringLiteral("DELETE FROM Bookings WHERE BookingID = %1").arg(moved));
    v->cmdRefS->click();
    EXPECT_EQ(v->grd->gridRow(), 3);
    EXPECT_EQ(v->grd->textMatrix(3, 3), QStringLiteral("zoe Test"));
    // ... but not past the end of a shorter list.
    v->Check1->setChecked(false);
    EXPECT_EQ(v->grd->rows(), 3);
    EXPECT_LT(v->grd->gridRow(), 3);
}

TEST_F(ViewClassWindowTest, WaitingListAndCatchUpsInTheirGrids)
{
    const qint32 c = fullClass();
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 bob = addStudent(QStringLiteral("Bob"), QStringLiteral("Ng"));
    const qint32 w1 = addBookingRow(c, bob, QStringLiteral("Waiting"));
    const qint32 w2 = addBookingRow(c, ann, QStringLiteral("Waiting"));
    const qint32 cu = addBookingRow(c, ann, QStringLiteral("Catch Up"), 3);
    addLedgerRow(cu, QStringLiteral("20"), QStringLiteral("5"));
    addBookingRow(c, bob, QStringLiteral("Catch Up"), 1);
    frmViewClass *v = open(c);
    EXPECT_EQ(v->wgrd->textMatrix(1, 0), QString::number(w1));
    EXPECT_EQ(v->wgrd->textMatrix(2, 0), QString::number(w2));
    EXPECT_EQ(v->wgrd->cellBackColor(2, 7), QColor(255, 255, 0));
    EXPECT_EQ(row(v->cgrd, 1, 2, 3), QStringList({"1", "Bob Ng"}));
    EXPECT_EQ(row(v->cgrd, 1, 8, 8), QStringList{"$0.00"});
    EXPECT_EQ(row(v->cgrd, 2, 8, 8), QStringList{"$15.00"});
    EXPECT_EQ(v->cgrd->gridRow(), 1);
    EXPECT_TRUE(v->cgrd->isVisible() || !v->tabs->widget(2)->isVisible());
    EXPECT_FALSE(v->cgrd->isHidden());

    exec(QStringLiteral("DELETE FROM Bookings WHERE BookingID = %1").arg(w1));
    v->cmdRefWL->click();
    EXPECT_EQ(v->wgrd->rows(), 2);
}

TEST_F(ViewClassWindowTest, ListsThatCannotBeReadEndVisible)
{
    const qint32 c = fullClass();
    addBookingRow(c, addStudent(QStringLiteral("Ann"), QStringLiteral("Lee")),
                  QStringLiteral("Confirmed"));
    frmViewClass *v = open(c);
    runSqlite("ALTER TABLE Students RENAME TO Pupils;");
    script->answer(ui::vbOK);
    v->Load_Students();
    EXPECT_EQ(titles(*script), QStringList{"Student Error"});
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when loading the students for this class.\r\nErr#")));
    EXPECT_TRUE(v->grd->isHidden()) << "hidden until a load succeeds";
    v->Load_Waitlist();
    v->Load_CatchUp_Students();
    v->Load_Assessment_Grid();
    EXPECT_EQ(script->shown().size(), 1) << "the other lists say nothing";
    for (ui::FlexGrid *g : {v->wgrd, v->cgrd, v->grdAssess}) {
        EXPECT_FALSE(g->isHidden()) << g->objectName().toStdString();
        EXPECT_EQ(g->rows(), 1);
    }
}

TEST_F(ViewClassWindowTest, AssessmentGridOfANewClassShowsOnlyTheHeadings)
{
    frmViewClass *v = open(0, QStringLiteral("Add"));
    v->Load_Assessment_Grid();
    EXPECT_EQ(v->grdAssess->rows(), 1);
    const qint32 c = fullClass();
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    addBookingRow(c, ann, QStringLiteral("Tentative"));
    addAssessment(ann, addLevel(QStringLiteral("Starfish")), QDate(2025, 12, 3), 2, 0);
    frmViewClass *saved = open(c);
    EXPECT_EQ(row(saved->grdAssess, 1, 0, 3),
              QStringList({"Ann Lee", "3/12/2025", "Starfish", "Not Yet Competent"}));
    EXPECT_EQ(saved->grdAssess->cellAlignment(1, 2), int(ui::flexAlignCenterCenter));
    EXPECT_FALSE(saved->grdAssess->isHidden());
}

TEST_F(ViewClassWindowTest, AttendanceTabLoadsAndMarksThroughTheClassView)
{
    const qint32 c = fullClass();
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 b = addBookingRow(c, ann, QStringLiteral("Confirmed"));
    frmViewClass *fresh = open(0, QStringLiteral("Add"));
    fresh->cmdRefA->click();
    EXPECT_EQ(fresh->agrd->rows(), 1) << "nothing without a ClassID";

    frmViewClass *v = open(c);
    v->cmdRefA->click();
    ASSERT_GT(v->agrd->rows(), 1);
    EXPECT_EQ(ui::tag(v->agrd), QStringLiteral("Loaded"));
    EXPECT_EQ(v->agrd->textMatrix(1, 0), QStringLiteral("Ann Lee"));
    // Session 1 of the booking: one click marks it attended (a class charged by attendance).
    EXPECT_EQ(v->grd->textMatrix(1, 8), QString()) << "no ledger rows yet";
    v->agrd->setGridRow(1);
    v->agrd->setGridCol(2);
    v->agrd_Click();
    EXPECT_EQ(value(QStringLiteral("SELECT Status FROM Attend WHERE BKID = %1").arg(b)).toString(),
              QStringLiteral("Attended"));
    EXPECT_EQ(v->grd->textMatrix(1, 8), QStringLiteral("$125.00")) << "the student list reloaded";
    EXPECT_TRUE(script->shown().isEmpty()) << titles(*script).join(", ").toStdString();
}

TEST_F(ViewClassWindowTest, ClassGroupListTakesTheActiveGroupsInTheirOrder)
{
    for (const char *values : {"'Squad', 0", "'Old', 1", "'', 0", "'Adults', 0"})
        exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                            "(%1, 8)")
                 .arg(QString::fromLatin1(values)));
    frmViewClass *v = open(0, QString());
    QStringList groups;
    for (int i = 0; i < v->cboField[1]->count(); ++i)
        groups << v->cboField[1]->itemText(i);
    EXPECT_EQ(groups, QStringList({"Squad", "Adults"}));

    runSqlite("ALTER TABLE ClassGroups RENAME TO Groups2;");
    script->answer(ui::vbOK);
    open(0, QString());
    ASSERT_EQ(titles(*script), QStringList{"Error loading class groups"});
    EXPECT_EQ(script->shown()[0].icon, ui::vbCritical);
    EXPECT_TRUE(script->shown()[0].text.endsWith(
        QStringLiteral("\r\nOvix will continue loading the class details but you may see a "
                       "limited range of class groups.")));
}
