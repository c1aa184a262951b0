#include "classviewfixture.h"

#include "access/permissions.h"
#include "classes/view/frmviewclass.h"
#include "classes/view/register.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/timetablelookups.h"
#include "platform/vb/convert.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/colorsquare.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/tag.h"
#include "platform/ui/timer.h"
#include "platform/ui/windowregistry.h"
#include "reports/classreports.h"
#include "reports/frmrptconfslip.h"
#include "support/screenshot.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

// Stands in for the windows the class view opens by name: records each call.
class ClassEditStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit ClassEditStandIn(const QString &name) { setObjectName(name); setMdiChild(false); }
    Q_INVOKABLE void LoadUp(ui::Form *, const QString &mode, const QString &extra)
    {
        calls << QStringLiteral("LoadUp %1 %2").arg(mode, extra);
    }
    Q_INVOKABLE void LoadUp(qint32 id) { calls << QStringLiteral("LoadUp %1").arg(id); }
    QStringList calls;
};

namespace {

QStringList editTitles(const ui::DialogScript &script)
{
    QStringList out;
    for (const ui::ShownDialog &d : script.shown())
        out << d.title;
    return out;
}

} // namespace

class ClassEditTest : public ClassViewTest
{
protected:
    void SetUp() override
    {
        ClassViewTest::SetUp();
        Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        classes::RegisterClassViewWindow();
        addIncomeAccount();
        program = addProgram(QStringLiteral("Summer")); // 10 sessions, 2 Feb to 10 Apr 2026
        kim = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *v = qobject_cast<frmViewClass *>(f))
                v->cmdSave->setEnabled(false);
        for (const char *name : {"frmViewClass", "frmPassword", "frmBooking", "frmStudentDetails",
                                 "frmRptConfSlip"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        for (const QString &p : {mReports::ClassNotesReportName, mReports::AttendanceGridReportName})
            ui::RegisterProcedure(p, {});
        Global::CurrentUserId = QStringLiteral("i");
        Global::LoadCurrentUserRights();
        ClassViewTest::TearDown();
    }
    ClassEditStandIn *standIn(const QString &name)
    {
        auto holder = std::make_shared<QPointer<ClassEditStandIn>>();
        ui::RegisterWindow(name, [name, holder]() -> ui::Form * {
            if (!*holder) {
                *holder = new ClassEditStandIn(name);
                (*holder)->load();
            }
            return holder->data();
        });
        return static_cast<ClassEditStandIn *>(ui::LoadWindowByName(name));
    }
    frmViewClass *open(qint32 classId, const QString &mode = QStringLiteral("Edit"))
    {
        auto *view = qobject_cast<frmViewClass *>(ui::CreateWindowByName(QStringLiteral("frmViewClass")));
        view->showForm();
        view->setViewClassMode(mode);
        view->LoadOps(classId, false);
        return view;
    }
    // An "Enrolment" class on Mondays at $100 taught by Kim.
    qint32 mondayClass(const QString &mode = QStringLiteral("Enrolment"), int perSession = 0)
    {
        const qint32 c = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16,
                                  30, vb::Currency(100), 10, perSession, mode);
        linkInstructor(c, kim);
        return c;
    }
    void signInWithoutRights()
    {
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('nobody', 'No Rights', '', 0)"));
        Global::CurrentUserId = QStringLiteral("nobody");
        Global::LoadCurrentUserRights();
    }
    QString classValue(qint32 c, const QString &column)
    {
        return value(QStringLiteral("SELECT %1 FROM Classes WHERE ClassID = %2").arg(column).arg(c))
            .toString();
    }
    qint32 program = 0, kim = 0;
};

TEST_F(ClassEditTest, EditNeedsTheRightAndKeepsTheClassesProgram)
{
    const qint32 c = mondayClass();
    TimetableFakeWindow *search = loadClassSearch(); // showing program 0
    frmViewClass *v = open(c);
    EXPECT_TRUE(v->cmdEdit->isEnabled());
    v->cmdEdit_Click();
    EXPECT_TRUE(v->cmdSave->isEnabled());
    EXPECT_FALSE(v->cmdEdit->isEnabled());
    EXPECT_FALSE(v->txtField[7]->isReadOnly());
    EXPECT_FALSE(v->txtClassNotes->isReadOnly());
    EXPECT_FALSE(v->cmdNotesSave->isEnabled()) << "notes are saved with the class";
    EXPECT_FALSE(v->Command3->isEnabled());
    EXPECT_TRUE(v->cmdProgChange->isEnabled());
    EXPECT_EQ(v->ClassProgram(), program);
    EXPECT_EQ(v->txtProgram->text(), QStringLiteral("Summer"));
    Q_UNUSED(search);

    signInWithoutRights();
    ClassEditStandIn *password = standIn(QStringLiteral("frmPassword"));
    frmViewClass *refused = open(c);
    refused->cmdEdit_Click();
    EXPECT_FALSE(refused->cmdSave->isEnabled());
    EXPECT_EQ(password->calls, QStringList({QStringLiteral("LoadUp Edit Class %1").arg(c)}));
    // The approval calls Edit_Me back on the class's window; its notes need their own right.
    password->calls.clear();
    ui::callByName(refused, QStringLiteral("Edit_Me"));
    EXPECT_TRUE(refused->cmdSave->isEnabled());
    EXPECT_TRUE(refused->txtClassNotes->isReadOnly());
    EXPECT_EQ(password->calls, QStringList({QStringLiteral("LoadUp Edit Class Notes ")}));
}

TEST_F(ClassEditTest, NewClassTakesItsDefaultsFromTheSearchAndTheProgram)
{
    exec(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Deep End')"));
    const struct
    {
        const char *chargeMode;
        const char *caption;
        const char *price;
        bool priceShown;
    } cases[] = {{"Enrolment", "Program cost:", "200", true},
                 {"Enrolment (discount absence)", "Program cost:", "20", true},
                 {"Attendance", "Cost p/session:", "20", true},
                 {"Payment Plan", "The cost for this program will be", "20", false}};
    for (const auto &c : cases) {
        const QString name = QStringLiteral("Term ") + QString::fromLatin1(c.chargeMode);
        addProgram(name, QString::fromLatin1(c.chargeMode), vb::Currency(200));
        TimetableFakeWindow *search = loadClassSearch();
        search->cboProgram->addItem(name);
        search->cboProgram->setCurrentText(name);
        search->cboDay->addItem(QStringLiteral("Tuesday"));
        search->cboDay->setCurrentText(QStringLiteral("Tuesday"));
        search->cboPoolArea->addItem(QStringLiteral("Deep End"));
        search->cboPoolArea->setCurrentText(QStringLiteral("Deep End"));
        frmViewClass *v = open(0, QStringLiteral("Add"));
        EXPECT_TRUE(v->cmdSave->isEnabled()) << c.chargeMode;
        EXPECT_EQ(v->txtProgram->text(), name);
        EXPECT_EQ(v->txtField[6]->text(), QStringLiteral("0"));
        EXPECT_EQ(v->cboField[4]->currentText(), QStringLiteral("Tuesday"));
        EXPECT_EQ(v->txtDuration->text(), QStringLiteral("30"));
        EXPECT_EQ(v->cboChargeOn->currentText(), QString::fromLatin1(c.chargeMode));
        EXPECT_EQ(v->lblField[7]->text(), QString::fromLatin1(c.caption)) << c.chargeMode;
        EXPECT_EQ(v->txtField[7]->text(), QString::fromLatin1(c.price)) << c.chargeMode;
        EXPECT_EQ(!v->txtField[7]->isHidden(), c.priceShown) << c.chargeMode;
        EXPECT_EQ(v->lblPoolArea->text(), QStringLiteral("Deep End"));
        EXPECT_EQ(v->txtField[14]->text(), QString::number(Global::GetPoolAreaId(QStringLiteral("Deep End"))));
        EXPECT_EQ(v->lblActivity->text(), QStringLiteral("Learn to Swim"));
        EXPECT_EQ(v->txtInstructor->text(), Global::GetInstructorName(1));
        EXPECT_EQ(v->txtField[8]->text(), QStringLiteral("2/02/2026"));
        EXPECT_EQ(v->txtField[9]->text(), QStringLiteral("10/04/2026"));
        v->cmdSave->setEnabled(false);
        v->unload();
        search->unload();
    }
    EXPECT_TRUE(script->shown().isEmpty()) << editTitles(*script).join(", ").toStdString();
}

TEST_F(ClassEditTest, PriceConvertsOncePerKindAndDatesAreSet)
{
    const qint32 c = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30,
                              vb::Currency(150));
    linkInstructor(c, kim);
    frmViewClass *v = open(c);
    v->cmdEdit_Click();
    auto choose = [v](const char *mode) {
        v->cboChargeOn->setCurrentText(QString::fromLatin1(mode));
        v->cboChargeOn_Click();
        return v->txtField[7]->text() + QLatin1Char('|') + v->lblField[7]->text();
    };
    EXPECT_EQ(choose("Attendance"), QStringLiteral("$15.00|Cost p/session:"));
    EXPECT_EQ(choose("Attendance"), QStringLiteral("$15.00|Cost p/session:"));
    EXPECT_EQ(choose("Enrolment (discount absence)"), QStringLiteral("$150.00|Program cost:"));
    EXPECT_EQ(choose("Enrolment"), QStringLiteral("$150.00|Program cost:"));
    EXPECT_EQ(choose("Payment Plan"), QStringLiteral("0.00|The cost for this program will be"));
    EXPECT_TRUE(v->txtField[7]->isHidden());

    v->cboField[4]->setCurrentText(QStringLiteral("Other"));
    v->btnCalCheck_Click();
    EXPECT_EQ(v->txtField[8]->text() + " " + v->txtField[9]->text(),
              QStringLiteral("2/02/2026 10/04/2026"));
    v->cboField[4]->setCurrentText(QStringLiteral("Monday"));
    v->btnCalCheck_Click();
    EXPECT_EQ(v->txtField[8]->text() + " " + v->txtField[9]->text(),
              QStringLiteral("2/02/2026 6/04/2026"));

    // The calendar of the last date writes that date only, and goes away.
    v->btnCal2_Click();
    EXPECT_TRUE(v->cal->isVisible());
    EXPECT_EQ(ui::tag(v->cal), QStringLiteral("End Date"));
    v->cal_DateClick(QDate(2026, 3, 30));
    EXPECT_EQ(v->txtField[9]->text(), QStringLiteral("30/03/2026"));
    EXPECT_EQ(v->txtField[8]->text(), QStringLiteral("2/02/2026"));
    EXPECT_FALSE(v->cal->isVisible());
    v->btnCal1_Click();
    v->tabs->setCurrentIndex(4);
    EXPECT_FALSE(v->cal->isVisible());

    // A class group's size is proposed in edit mode.
    exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES ('Squad', 0, 12)"));
    v->cboField[1]->setEditText(QStringLiteral("Squad"));
    v->cboField_LostFocus(1);
    EXPECT_EQ(v->txtField[6]->text(), QStringLiteral("12"));
}

TEST_F(ClassEditTest, SaveRefusesAndAsksAboutDates)
{
    const qint32 c = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Mon/Wed"));
    linkInstructor(c, kim);
    frmViewClass *v = open(c);
    v->cmdEdit_Click();
    // Tuesday start, Wednesday end: only the start is asked about; No keeps it.
    v->txtField[8]->setText(QStringLiteral("3/02/2026"));
    v->txtField[9]->setText(QStringLiteral("8/04/2026"));
    v->txtDuration->clear();
    script->answer(ui::vbOK).answer(ui::vbNo);
    v->cmdSave_Click();
    EXPECT_EQ(editTitles(*script), QStringList({"Blank Duration", "Dates Need Adjustment"}));
    EXPECT_EQ(script->shown().value(1).text,
              QStringLiteral("The start date for the class does not fall on a Mon/Wed. Would you "
                             "like Ovix to change the start date to 2/02/2026?"));
    EXPECT_FALSE(v->cmdSave->isEnabled());
    EXPECT_EQ(vb::CDate(value(QStringLiteral("SELECT StartDate FROM Classes WHERE ClassID = %1").arg(c))).date(),
              QDate(2026, 2, 3));
    EXPECT_EQ(classValue(c, QStringLiteral("DurationMins")), QStringLiteral("30"));

    // Both dates off and Cancel: nothing saved, edit mode stays.
    v->cmdEdit_Click();
    v->txtField[8]->setText(QStringLiteral("4/02/2026"));
    v->txtField[9]->setText(QStringLiteral("9/04/2026"));
    v->cboField[1]->setEditText(QStringLiteral("Changed"));
    script->answer(ui::vbCancel);
    v->cmdSave_Click();
    EXPECT_TRUE(v->cmdSave->isEnabled());
    EXPECT_EQ(classValue(c, QStringLiteral("Description")), QStringLiteral("Level 1"));
    // Yes moves both.
    script->answer(ui::vbYes);
    v->cmdSave_Click();
    EXPECT_FALSE(v->cmdSave->isEnabled());
    EXPECT_EQ(v->txtField[8]->text() + " " + v->txtField[9]->text(),
              QStringLiteral("2/02/2026 8/04/2026"));
    EXPECT_EQ(script->pending(), 0);

    // A refused check shows its box only and keeps edit mode.
    v->cmdEdit_Click();
    v->txtField[5]->setText(QString());
    const int shown = int(script->shown().size());
    script->answer(ui::vbOK);
    v->cmdSave_Click();
    EXPECT_EQ(script->shown().size(), shown + 1);
    EXPECT_EQ(script->shown().last().text, QStringLiteral("You must enter a time for this class"));
    EXPECT_TRUE(v->cmdSave->isEnabled());
}

TEST_F(ClassEditTest, NewClassIsSavedOnceAndKeepsItsId)
{
    TimetableFakeWindow *search = loadClassSearch();
    search->cboProgram->addItem(QStringLiteral("Summer"));
    search->cboProgram->setCurrentText(QStringLiteral("Summer"));
    frmViewClass *v = open(0, QStringLiteral("Add"));
    v->cboField[1]->setEditText(QStringLiteral("Tom's \"Sharks\"; #1 <b>"));
    v->cboField[4]->setCurrentText(QStringLiteral("Monday"));
    v->txtField[5]->setText(QStringLiteral("16:30"));
    v->txtClassNotes->setPlainText(QStringLiteral("Line 1\nIt's #2; <b>x</b>"));
    // Notes of an unsaved class wait for the class.
    script->answer(ui::vbOK);
    v->cmdNotesSave_Click();
    EXPECT_EQ(editTitles(*script), QStringList({"I'm not ready yet"}));
    EXPECT_FALSE(v->txtClassNotes->isReadOnly());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 0);

    v->txtField[9]->setText(QStringLiteral("6/04/2026"));
    v->cmdSave_Click();
    EXPECT_EQ(script->pending(), 0);
    ASSERT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);
    const qint32 c = value(QStringLiteral("SELECT ClassID FROM Classes")).toInt();
    EXPECT_EQ(v->txtField[0]->text(), QString::number(c));
    EXPECT_EQ(v->viewClassMode(), QString());
    EXPECT_TRUE(v->cmdEdit->isEnabled());
    EXPECT_TRUE(v->txtClassNotes->isReadOnly());
    EXPECT_EQ(classValue(c, QStringLiteral("Description")), QStringLiteral("Tom's \"Sharks\"; #1 <b>"));
    EXPECT_EQ(classValue(c, QStringLiteral("Notes")), QStringLiteral("Line 1\nIt's #2; <b>x</b>"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1 AND InstructorID = 1").arg(c)), 1);
    EXPECT_EQ(classValue(c, QStringLiteral("ProgramID")).toInt(), program);

    // Edited again (with the right), saved again: the same row.
    v->cmdEdit_Click();
    v->txtField[6]->setText(QStringLiteral("6"));
    v->cmdSave_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);
    EXPECT_EQ(classValue(c, QStringLiteral("[Max]")), QStringLiteral("6"));
    ovix::test::saveScreenshot(v, QStringLiteral("frmViewClass-saved"));

    // Notes saved on their own, as typed; the document prints the stored notes, escaped.
    v->cmdNotesEdit_Click();
    v->txtClassNotes->setPlainText(QStringLiteral("\"Quoted\"\r\n<b>not bold</b> & #3;"));
    v->cmdNotesSave_Click();
    EXPECT_TRUE(v->txtClassNotes->isReadOnly());
    EXPECT_EQ(classValue(c, QStringLiteral("Notes")), QStringLiteral("\"Quoted\"\n<b>not bold</b> & #3;"));
    const QString html = mReports::ClassNotesHtml(c, QStringLiteral("Ovixian"), QDateTime::currentDateTime());
    EXPECT_TRUE(html.contains(QStringLiteral("&quot;Quoted&quot;<br>&lt;b&gt;not bold&lt;/b&gt; &amp; #3;")))
        << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("Tom&#x27;s &quot;Sharks&quot;; #1 &lt;b&gt;")) ||
                html.contains(QStringLiteral("Tom's &quot;Sharks&quot;; #1 &lt;b&gt;")))
        << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("04:30 PM")));
    EXPECT_TRUE(html.contains(QStringLiteral("Program: Summer")));

    // A class gone from the file: Save Notes says so and stays editable.
    exec(QStringLiteral("DELETE FROM Classes WHERE ClassID = %1").arg(c));
    v->cmdNotesEdit_Click();
    script->answer(ui::vbOK);
    v->cmdNotesSave_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    EXPECT_FALSE(v->txtClassNotes->isReadOnly());
}

TEST_F(ClassEditTest, PriceChangeChargesTheEnrolledStudents)
{
    const qint32 c = mondayClass();
    const qint32 s1 = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 s2 = addStudent(QStringLiteral("Bob"), QStringLiteral("May"));
    const qint32 s3 = addStudent(QStringLiteral("Cy"), QStringLiteral("Wu"));
    addBooking(c, s1, QStringLiteral("Confirmed"));
    addBooking(c, s2, QStringLiteral("Tentative"));
    addBooking(c, s3, QStringLiteral("Waiting"));
    auto rowsOf = [this](const char *amount) {
        return count(QStringLiteral("SELECT * FROM Payments WHERE ChargeAmount = %1").arg(QString::fromLatin1(amount)));
    };
    frmViewClass *v = open(c);
    v->cmdEdit_Click();
    v->txtField[7]->setText(QStringLiteral("$120.00"));
    script->answer(ui::vbYes);
    v->cmdSave_Click();
    EXPECT_EQ(editTitles(*script), QStringList({"Price Change"}));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The cost of this class has increased by $20.00.\r\nDo you want to "
                             "charge all students enrolled an additional $20.00?"));
    EXPECT_EQ(rowsOf("20"), 2);

    // Saved again unchanged: no question.
    v->cmdEdit_Click();
    v->cmdSave_Click();
    EXPECT_EQ(script->shown().size(), 1);

    // Down by $15.50, credited.
    v->cmdEdit_Click();
    v->txtField[7]->setText(QStringLiteral("104.50"));
    script->answer(ui::vbYes);
    v->cmdSave_Click();
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("The cost of this class has decreased by $15.50.")));
    EXPECT_EQ(rowsOf("-15.5"), 2);

    // Per session at $10.45 on ten Mondays is the same price: nothing asked.
    v->cmdEdit_Click();
    v->cboChargeOn->setCurrentText(QStringLiteral("Attendance"));
    v->cboChargeOn_Click();
    EXPECT_EQ(v->txtField[7]->text(), QStringLiteral("$10.45"));
    v->cmdSave_Click();
    EXPECT_EQ(script->shown().size(), 2);
    EXPECT_EQ(classValue(c, QStringLiteral("ChargePerSession")), QStringLiteral("1"));

    // A payment plan asks nothing; nor does a class without enrolments.
    v->cmdEdit_Click();
    v->cboChargeOn->setCurrentText(QStringLiteral("Payment Plan"));
    v->cboChargeOn_Click();
    v->cmdSave_Click();
    EXPECT_EQ(script->shown().size(), 2);
    const qint32 empty = mondayClass();
    frmViewClass *w = open(empty);
    w->cmdEdit_Click();
    w->txtField[7]->setText(QStringLiteral("300"));
    w->cmdSave_Click();
    EXPECT_EQ(script->shown().size(), 2);
    EXPECT_EQ(classValue(empty, QStringLiteral("Cost")).toDouble(), 300.0);
}

TEST_F(ClassEditTest, ClassWithoutInstructorLinksMustChooseOne)
{
    const qint32 c = addClass(program);
    frmViewClass *v = open(c);
    EXPECT_EQ(v->txtInstructor->text(), QStringLiteral("(none)"));
    v->cmdEdit_Click();
    script->answer(ui::vbOK);
    v->cmdSave_Click();
    EXPECT_EQ(editTitles(*script), QStringList({"No Instructor Selected"}));
    EXPECT_TRUE(v->cmdSave->isEnabled());
}

TEST_F(ClassEditTest, ClosingAsksInEditModeOnly)
{
    const qint32 c = mondayClass();
    frmViewClass *viewing = open(c);
    viewing->unload();
    EXPECT_TRUE(script->shown().isEmpty());

    const struct
    {
        int answer;
        bool valid;
        bool staysOpen;
        const char *savedLevel;
    } cases[] = {{ui::vbCancel, true, true, "Level 1"},
                 {ui::vbNo, true, false, "Level 1"},
                 {ui::vbYes, false, true, "Level 1"},
                 {ui::vbYes, true, false, "Saved"}};
    for (const auto &k : cases) {
        QPointer<frmViewClass> v = open(c);
        v->cmdEdit_Click();
        v->cboField[1]->setEditText(QStringLiteral("Saved"));
        if (!k.valid)
            v->txtField[6]->setText(QStringLiteral("many"));
        script->answer(k.answer);
        if (k.answer == ui::vbYes && !k.valid)
            script->answer(ui::vbOK);
        v->unload();
        flush();
        EXPECT_EQ(script->shown().value(int(script->shown().size()) - (k.answer == ui::vbYes && !k.valid ? 2 : 1)).text,
                  QStringLiteral("Do you want to save changes to Class #%1's data?").arg(c));
        EXPECT_EQ(!v.isNull(), k.staysOpen) << k.answer << k.valid;
        if (v) {
            EXPECT_EQ(v->cboField[1]->currentText(), QStringLiteral("Saved"));
            v->cmdSave->setEnabled(false);
            v->unload();
        }
        EXPECT_EQ(classValue(c, QStringLiteral("Description")), QString::fromLatin1(k.savedLevel));
    }
    EXPECT_EQ(script->pending(), 0);
}

TEST_F(ClassEditTest, TimerTabsAndBookingsOfTheFrame)
{
    const qint32 c = mondayClass();
    frmViewClass *v = open(c);
    EXPECT_EQ(v->Timer1->interval(), 60000);
    const qint32 s = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 b = addBooking(c, s);
    v->cmdEdit_Click();
    emit v->Timer1->timer();
    EXPECT_EQ(v->grd->rows(), 1) << "no reload in edit mode";
    v->cmdSave_Click();
    emit v->Timer1->timer();
    EXPECT_EQ(v->grd->rows(), 2);

    // The attendance grid is filled on its first showing only.
    v->tabs->setCurrentIndex(3);
    EXPECT_EQ(ui::tag(v->agrd), QStringLiteral("Loaded"));
    EXPECT_EQ(v->agrd->rows(), 3); // header, Ann, the hidden grey row
    EXPECT_FALSE(v->Shape1->isHidden());
    addBooking(c, addStudent(QStringLiteral("Bo"), QStringLiteral("Ng")));
    v->tabs->setCurrentIndex(1);
    EXPECT_TRUE(v->Shape1->isHidden());
    v->tabs->setCurrentIndex(3);
    EXPECT_EQ(v->agrd->rows(), 3);
    frmViewClass *fresh = open(0, QStringLiteral("Add"));
    fresh->tabs->setCurrentIndex(3);
    EXPECT_EQ(fresh->agrd->rows(), 1);
    EXPECT_NE(ui::tag(fresh->agrd), QStringLiteral("Loaded"));

    // Double clicks open a booking window per row, none on the header.
    ClassEditStandIn *booking = standIn(QStringLiteral("frmBooking"));
    v->grd->setGridRow(0);
    v->grd_DblClick();
    EXPECT_TRUE(booking->calls.isEmpty());
    v->grd->setGridRow(1);
    v->grd_DblClick();
    EXPECT_EQ(booking->calls, QStringList({QStringLiteral("LoadUp %1").arg(b)}));

    // Edit Student without the right goes to the authorisation window.
    signInWithoutRights();
    ClassEditStandIn *password = standIn(QStringLiteral("frmPassword"));
    v->grd->setRowSel(1);
    v->Command2_Click();
    EXPECT_EQ(password->calls, QStringList({QStringLiteral("LoadUp Class Edit Student %1").arg(s)}));

    // A time that is none asks; No clears it.
    v->txtField[5]->setText(QStringLiteral("abc"));
    script->answer(ui::vbNo);
    v->txtField_LostFocus(5);
    EXPECT_EQ(v->txtField[5]->text(), QString());
    v->txtField[5]->setText(QStringLiteral("4:30 PM"));
    v->txtField_LostFocus(5);
    EXPECT_EQ(script->pending(), 0);
    EXPECT_EQ(script->shown().size(), 1);
}

TEST_F(ClassEditTest, DetailsSlipTakesTheWindowsValues)
{
    mReports::RegisterClassReports();
    const qint32 c = mondayClass();
    const qint32 s = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 b = addBooking(c, s, QStringLiteral("Tentative"));
    const qint32 gone = addBooking(c, addStudent(QStringLiteral("Zed"), QStringLiteral("Zu")),
                                   QStringLiteral("No Show"));
    frmViewClass *v = open(c);
    v->Check1->setChecked(true);
    ASSERT_EQ(v->grd->rows(), 3);
    EXPECT_TRUE(v->cmdPrintConfirmation->isEnabled());
    EXPECT_TRUE(v->Command3->isEnabled());
    v->grd->setGridRow(1);
    v->grd->setRowSel(1);
    v->cmdPrintConfirmation_Click();
    auto *slip = qobject_cast<frmRptConfSlip *>(ui::Forms::find(QStringLiteral("frmRptConfSlip")));
    ASSERT_NE(slip, nullptr);
    EXPECT_EQ(slip->caption(), QStringLiteral("Confirmation Slip"));
    EXPECT_EQ(slip->lblAmountOwing->text(), QStringLiteral("Amount Owing:  ($100.00 for the program)"));
    EXPECT_EQ(slip->lblClass->text(), QStringLiteral("Class: Monday 4:30 PM Level 1"));
    EXPECT_EQ(slip->lblDates->text(), QStringLiteral("Dates: 2/02/2026 to 6/04/2026"));
    EXPECT_EQ(slip->lblBKID->text(), QStringLiteral("BKID: %1").arg(b));
    EXPECT_EQ(slip->lblName->text(), QStringLiteral("Name: Ann Lee"));
    EXPECT_EQ(slip->lblStatus->text(), QStringLiteral("Status: Tentative"));
    EXPECT_EQ(slip->lblInstructor->text(), QStringLiteral("Instructor: Kim Ray"));
    EXPECT_EQ(slip->lblProgram->text(), QStringLiteral("Program: Summer"));
    ovix::test::saveScreenshot(slip, QStringLiteral("frmRptConfSlip"));
    // A status shown in none of the key's colours.
    v->grd->setGridRow(2);
    v->grd->setRowSel(2);
    ASSERT_EQ(v->grd->textMatrix(2, 3), QStringLiteral("Zed Zu"));
    v->cmdPrintConfirmation_Click();
    EXPECT_EQ(slip->lblBKID->text(), QStringLiteral("BKID: %1").arg(gone));
    EXPECT_EQ(slip->lblStatus->text(), QStringLiteral("Status: Unknown"));
    // No row selected: nothing.
    v->grd->setGridRow(1);
    v->grd->setRowSel(0);
    v->cmdPrintConfirmation_Click();
    EXPECT_EQ(slip->lblBKID->text(), QStringLiteral("BKID: %1").arg(gone));

    const QString sheet =
        mReports::AttendanceGridHtml(c, QStringLiteral("Ovixian"), QDateTime::currentDateTime());
    EXPECT_TRUE(sheet.contains(QStringLiteral("<td>Ann Lee</td>")));
    EXPECT_FALSE(sheet.contains(QStringLiteral("Zed"))) << "only enrolled students";
    EXPECT_EQ(sheet.count(QStringLiteral("<td>&nbsp;&nbsp;&nbsp;</td>")), 15);
}

#include "frmviewclass_edit_test.moc"
