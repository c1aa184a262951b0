// The move window, the pre-enrolment list window and the double-booking window's move.
#include "enrolments/doublebook/frmdoublebook.h"
#include "enrolments/doublebook/register.h"
#include "enrolments/move/frmmovestudent.h"
#include "enrolments/move/frmpreenrol.h"
#include "enrolments/move/register.h"
#include "enrolments/fixture/enrolmentsfixture.h"

#include "access/authorisation.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "enrolments/enrolling.h"
#include "enrolments/moving.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace imodEnrolments;

// Stands in for the student record: records LoadUp.
class StudentRecordStandIn : public ui::Form
{
    Q_OBJECT
public:
    StudentRecordStandIn()
    {
        setObjectName(QStringLiteral("frmStudentDetails"));
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadUp(qint32 studentId, QObject *xf, const QString &userId)
    {
        calls << QStringLiteral("LoadUp %1 %2 [%3]")
                     .arg(studentId)
                     .arg(xf ? xf->objectName() : QStringLiteral("none"), userId);
    }
    QStringList calls;
};

namespace {

class MoveWindows : public AttendanceTest
{
protected:
    void SetUp() override
    {
        AttendanceTest::SetUp();
        Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
        addIncomeAccount();
        enrolments::RegisterMoveWindows();
        for (const char *group : {"'Level 1', 0", "'Level 2', 0", "'Old Squad', 1"})
            exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive) VALUES (%1)")
                     .arg(QLatin1String(group)));
        program = addProgram(QStringLiteral("Term 1"));
        monday = addClass(program, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30);
        wednesday = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Wednesday"), 9,
                             15, vb::Currency(100), 1);
        kim = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
        linkInstructor(monday, kim);
        linkInstructor(wednesday, kim);
        student = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        other = addStudent(QStringLiteral("Bo"), QStringLiteral("O'Brien"));
        addBooking(wednesday, other); // full
        search = loadClassSearch();
    }
    void TearDown() override
    {
        for (const char *name : {"frmMoveStudent", "frmPreEnrol", "frmDoubleBook"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        ui::RegisterProcedure(MoveBookingProcedure, {});
        AttendanceTest::TearDown();
    }
    frmMoveStudent *mover()
    {
        return qobject_cast<frmMoveStudent *>(
            ui::LoadWindowByName(QStringLiteral("frmMoveStudent")));
    }
    static QStringList items(QComboBox *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }
    static QStringList classIds(ui::FlexGrid *grid)
    {
        QStringList out;
        for (int r = 1; r < grid->rows(); ++r)
            if (!grid->textMatrix(r, 0).isEmpty())
                out << grid->textMatrix(r, 0);
        return out;
    }
    int rowOfClass(ui::FlexGrid *grid, qint32 classId)
    {
        for (int r = 1; r < grid->rows(); ++r)
            if (grid->textMatrix(r, 0) == QString::number(classId))
                return r;
        return -1;
    }
    void rescript(ui::DialogScript::Mode mode = ui::DialogScript::Mode::Throw)
    {
        script.reset();
        script = std::make_unique<ui::DialogScript>(mode);
    }
    QString column(qint32 bookingId, const char *name)
    {
        return value(QStringLiteral("SELECT %1 FROM Bookings WHERE BookingID = %2")
                         .arg(QLatin1String(name))
                         .arg(bookingId))
            .toString();
    }
    qint32 newestBooking() { return value(QStringLiteral("SELECT Max(BookingID) FROM Bookings")).toInt(); }

    qint32 kim = 0, program = 0, monday = 0, wednesday = 0, student = 0, other = 0;
    TimetableFakeWindow *search = nullptr;
};

TEST_F(MoveWindows, TheMoveWindowShowsItsTextsAndPreselectsTheBooking)
{
    const qint32 booking = addBooking(monday, student);
    frmMoveStudent *w = mover();
    w->showForm();
    w->LoadUp(booking, vb::Currency(100), QStringLiteral("View Class"), monday,
              QStringLiteral("Term 1"), QStringLiteral("Level 1"));
    EXPECT_EQ(w->caption(), QStringLiteral("Move Student to Another Class"));
    const QStringList texts{w->findChild<QLabel *>(QStringLiteral("Label2"))->text(),
                            w->Label8->text(),  w->Label7->text(), w->Label1->text(),
                            w->Label3->text(),  w->Label5->text(), w->Label6->text(),
                            w->chkSpots->text(), w->lblSR->text(), w->cmdNext->text(),
                            w->cmdClose->text()};
    EXPECT_EQ(texts, (QStringList{"Move to Another Class", "Student:", "Search Criteria",
                                  "Select Program:", "Select Day:", "Select Class Group:",
                                  "Select Instructor:", "Only show classes with vacancies",
                                  "Search Results", "Finish", "Cancel"}));
    EXPECT_FALSE(w->chkSpots->isChecked());
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("Term 1"));
    EXPECT_EQ(w->cboDay->currentText(), QStringLiteral("(All)"));
    EXPECT_EQ(w->cboInstructor->currentText(), QStringLiteral("(All)"));
    EXPECT_EQ(w->cboLevel->currentText(), QStringLiteral("Level 1"));
    EXPECT_EQ(items(w->cboLevel), (QStringList{"(All)", "Level 1", "Level 2"}));
    EXPECT_TRUE(w->lblStudentName->text().startsWith(QStringLiteral("Amy Ng  (currently ")));
    EXPECT_EQ(classIds(w->grd), QStringList{QString::number(monday)});
    ovix::test::saveScreenshot(w, QStringLiteral("move-window"));
}

TEST_F(MoveWindows, MissingTextsBringInTheFullListsOnce)
{
    const qint32 closed = addProgram(QStringLiteral("Closed Term"), QStringLiteral("Enrolment"),
                                     vb::Currency(100), 1);
    const qint32 booking = addBooking(addClass(closed), student);
    frmMoveStudent *w = mover();
    w->LoadUp(booking, vb::Currency(100), QStringLiteral("View Class"), 0,
              QStringLiteral("Closed Term"), QStringLiteral("Level 1"));
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("Closed Term"));
    EXPECT_EQ(items(w->cboLevel), (QStringList{"(All)", "Level 1", "Level 2", "Old Squad"}));
    EXPECT_EQ(w->cboLevel->currentText(), QStringLiteral("Level 1"));

    // A level that is no class group: neither list ends selected, no search runs.
    w->LoadUp(booking, vb::Currency(100), QStringLiteral("View Class"), 0,
              QStringLiteral("Term 1"), QStringLiteral("Dolphins"));
    EXPECT_EQ(w->cboProgram->currentIndex(), -1);
    EXPECT_EQ(w->cboLevel->currentIndex(), -1);
    w->grd->setRows(1);
    w->chkSpots->click();
    EXPECT_EQ(w->grd->rows(), 1);
    w->cmdNext_Click(); // header row: nothing
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(MoveWindows, VacanciesOnlySearchesAtOnceAndFinishTakesTheOpenedEntry)
{
    const qint32 term2 = addProgram(QStringLiteral("Term 2"));
    AddToPreEnrolList(student, program, QStringLiteral("mornings"));
    AddToPreEnrolList(student, term2, QStringLiteral("any"));
    frmMoveStudent *w = mover();
    w->showForm();
    w->LoadPreEnrol(student, program, QStringLiteral("mornings"));
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("Term 1"));
    EXPECT_EQ(w->lblStudentName->text(),
              QStringLiteral("Amy Ng  (currently pre-enrolled for Term 1)"));
    for (QComboBox *list : {w->cboDay, w->cboInstructor, w->cboLevel})
        EXPECT_EQ(list->currentText(), QStringLiteral("(All)"));
    EXPECT_EQ(classIds(w->grd), (QStringList{QString::number(monday), QString::number(wednesday)}));

    w->chkSpots->click();
    EXPECT_EQ(classIds(w->grd), QStringList{QString::number(monday)});
    w->chkSpots->click();
    EXPECT_EQ(classIds(w->grd).size(), 2);

    // The header row current: nothing.
    w->grd->setGridRow(0);
    w->cmdNext_Click();
    EXPECT_TRUE(script->shown().isEmpty());

    // Another program chosen before Finish: the entry the window was opened for goes.
    const qint32 term2Class = addClass(term2, QStringLiteral("Level 1"), QStringLiteral("Friday"));
    linkInstructor(term2Class, kim);
    w->cboProgram->setCurrentIndex(w->cboProgram->findText(QStringLiteral("Term 2")));
    const QPointer<frmMoveStudent> watched = w;
    w->grd->setGridRow(rowOfClass(w->grd, term2Class));
    script->answer(ui::vbOK);
    w->cmdNext_Click();
    flush();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Success!"));
    EXPECT_EQ(column(newestBooking(), "ClassID").toInt(), term2Class);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM PreEnrol WHERE ProgramID = %1").arg(program)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM PreEnrol WHERE ProgramID = %1").arg(term2)), 1);
    EXPECT_TRUE(watched.isNull());
}

TEST_F(MoveWindows, TheDoubleBookingWindowMovesTheChosenBookingAndDropsTheWaitingOne)
{
    enrolments::RegisterDoubleBookWindow();
    const qint32 inMonday = addBooking(monday, student);
    const qint32 waiting = addBooking(wednesday, student, QStringLiteral("Waiting"));
    exec(QStringLiteral("UPDATE Classes SET [Max] = 5 WHERE ClassID = %1").arg(wednesday));
    auto *w = ui::Forms::create<frmDoubleBook>();
    w->LoadMeUWL(615, waiting, student, program, vb::Currency(100), 0);
    w->showForm();
    ASSERT_TRUE(w->optMove->isEnabled());
    w->optMove->click();
    script->answer(ui::vbOK);
    w->cmdOK->click(); // no class chosen
    EXPECT_EQ(script->shown().last().title, QStringLiteral("One more step"));
    EXPECT_TRUE(w->isVisible());

    w->lstClasses->setCurrentRow(0);
    script->answer(ui::vbOK);
    w->cmdOK->click();
    flush();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Success!"));
    EXPECT_EQ(column(inMonday, "Status"), QStringLiteral("Moved"));
    EXPECT_EQ(column(newestBooking(), "ClassID").toInt(), wednesday);
    EXPECT_EQ(column(newestBooking(), "Status"), QStringLiteral("Confirmed"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE BookingID = %1").arg(waiting)), 0);
}

TEST_F(MoveWindows, TheApprovalsResumeTheParkedMovesAndShowTheList)
{
    const qint32 booking = addBooking(monday, student);
    Global::PendingMoveBookingID = booking;
    Global::PendingMoveClassID = wednesday; // full: no question once approved
    Global::PendingMoveOpener = QStringLiteral("frmViewClass");
    Global::PendingMoveFlag = 0;
    useraccess::AuthorisationRequest request;
    request.userId = QStringLiteral("i");
    request.strMode = MoveToFullClassOperation;
    script->answer(ui::vbOK);
    EXPECT_TRUE(useraccess::RunAuthorisedOperation(request));
    EXPECT_EQ(column(booking, "Status"), QStringLiteral("Moved"));
    EXPECT_EQ(column(newestBooking(), "ClassID").toInt(), wednesday);

    AddToPreEnrolList(other, program, QStringLiteral("any"));
    Global::PendingPreEnrolStudentID = other;
    Global::PendingPreEnrolProgramID = program;
    Global::PendingPreEnrolNotes = QStringLiteral("any");
    request.strMode = PreEnrolIntoFullClassOperation;
    script->answer(ui::vbOK);
    EXPECT_TRUE(useraccess::RunAuthorisedOperation(request));
    EXPECT_EQ(column(newestBooking(), "StudentID").toInt(), other);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM PreEnrol")), 0);

    request.strMode = QStringLiteral("PreEnrolments");
    EXPECT_TRUE(useraccess::RunAuthorisedOperation(request));
    ui::Form *shown = ui::Forms::find(QStringLiteral("frmPreEnrol"));
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
}

// --- The list window -------------------------------------------------------------

class PreEnrolWindow : public MoveWindows
{
protected:
    frmPreEnrol *list()
    {
        auto *w = qobject_cast<frmPreEnrol *>(ui::LoadWindowByName(QStringLiteral("frmPreEnrol")));
        w->showForm();
        return w;
    }
    QStringList rowTexts(frmPreEnrol *w, int row)
    {
        QStringList out;
        for (int c = 0; c < w->grd->cols(); ++c)
            out << w->grd->textMatrix(row, c);
        return out;
    }
};

TEST_F(PreEnrolWindow, AnEmptyListShowsTheHeaderAndItsButtonsDoNothing)
{
    frmPreEnrol *w = list();
    EXPECT_EQ(w->caption(), QStringLiteral("Pre-Enrolments"));
    EXPECT_EQ(rowTexts(w, 0),
              (QStringList{"", "SID", "Name", "Preferences", "Date", "Level", "Result"}));
    EXPECT_EQ(w->grd->rows(), 1);
    EXPECT_EQ(w->grd->gridRow(), 0);
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("Term 1"));
    for (QPushButton *b : {w->cmdEdit, w->cmdDelete, w->cmdView, w->cmdMove})
        b->click();
    EXPECT_TRUE(script->shown().isEmpty()); // no box and no window
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmMoveStudent")), nullptr);
    EXPECT_FALSE(w->Frame1->isVisible());
}

TEST_F(PreEnrolWindow, SearchFindsQuotedNamesInItsColourAndKeepsPreferencesAsTyped)
{
    const QString typed = QStringLiteral("Sat #1; <b>am</b> & \"early\"");
    const qint32 quoted = addProgram(QStringLiteral("Kids' \"Fun\" Term"));
    AddToPreEnrolList(student, program, typed);
    AddToPreEnrolList(other, program, QStringLiteral("any"));
    AddToPreEnrolList(other, quoted, QStringLiteral("x"));
    frmPreEnrol *w = list();
    ASSERT_EQ(w->grd->rows(), 3);
    EXPECT_EQ(rowTexts(w, 1), (QStringList{"1", QString::number(student), "Amy Ng", typed, "-",
                                           "-", "-"}));
    EXPECT_EQ(w->grd->gridRow(), 1);

    w->txtSearch->setText(QStringLiteral("O'Bri"));
    w->cmdSearch->click();
    ASSERT_EQ(w->grd->rows(), 2);
    EXPECT_EQ(w->grd->textMatrix(1, 2), QStringLiteral("Bo O'Brien"));
    EXPECT_EQ(w->grd->cellBackColor(1, 3), frmPreEnrol::searchColour());
    w->cmdReset->click();
    EXPECT_EQ(w->grd->rows(), 3);
    EXPECT_TRUE(w->txtSearch->text().isEmpty());
    EXPECT_NE(w->grd->cellBackColor(1, 3), frmPreEnrol::searchColour());

    w->cboProgram->setCurrentIndex(w->cboProgram->findText(QStringLiteral("Kids' \"Fun\" Term")));
    ASSERT_EQ(w->grd->rows(), 2);
    EXPECT_EQ(w->grd->textMatrix(1, 1), QString::number(other));
    EXPECT_TRUE(script->shown().isEmpty()); // no SQL error
}

TEST_F(PreEnrolWindow, EditStripsQuotesAndCancelAsksWithNoAsTheDefault)
{
    AddToPreEnrolList(student, program, QStringLiteral("old"));
    frmPreEnrol *w = list();
    const auto stored = [this] {
        return value(QStringLiteral("SELECT Preferences FROM PreEnrol WHERE StudentID = %1")
                         .arg(student))
            .toString();
    };
    script->input(QStringLiteral("Tue \"pm\" Kid's"));
    w->cmdEdit->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Edit Preferences"));
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Enter Preferences:"));
    EXPECT_EQ(script->shown().last().initial, QStringLiteral("old"));
    EXPECT_EQ(stored(), QStringLiteral("Tue pm Kids"));
    EXPECT_EQ(w->grd->textMatrix(1, 3), QStringLiteral("Tue pm Kids"));
    script->input(QStringLiteral("\"'"));
    w->cmdEdit->click();
    EXPECT_EQ(stored(), QStringLiteral("Tue pm Kids"));

    script->answer(ui::vbNo);
    w->cmdDelete->click();
    const auto &asked = script->shown().last();
    EXPECT_EQ(asked.title, QStringLiteral("Are you Sure?"));
    EXPECT_EQ(asked.text,
              QStringLiteral("Are you sure you want to take Amy Ng off the pre-enrolment list?"));
    EXPECT_EQ(asked.defaultButton, 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM PreEnrol")), 1);
    script->answer(ui::vbYes);
    w->cmdDelete->click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM PreEnrol")), 0);
    EXPECT_EQ(w->grd->rows(), 1);
}

TEST_F(PreEnrolWindow, NarrowingSnapsBackAndOnlyTheNameColumnNarrows)
{
    frmPreEnrol *w = list();
    const int before = w->grd->colWidth(3);
    ovix::test::saveScreenshot(w, QStringLiteral("preenrol-window-wide"));
    w->resize(300, 500);
    w->Form_Resize();
    EXPECT_EQ(ui::pixelsToTwips(w->width()), 9270);
    EXPECT_EQ(w->grd->colWidth(2), ui::pixelsToTwips(ui::twipsToPixels(1825)));
    EXPECT_EQ(w->grd->colWidth(3), before);
    ovix::test::saveScreenshot(w, QStringLiteral("preenrol-window"));
}

TEST_F(PreEnrolWindow, TheDefaultProgramIsShownAndAddAndViewReachTheirWindows)
{
    const qint32 term2 = addProgram(QStringLiteral("Term 2"));
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName),
                                         QStringLiteral("Term 2"));
    AddToPreEnrolList(student, term2, QStringLiteral("x"));
    auto *adder = new RecordStandIn(QStringLiteral("frmAddBooking"));
    ui::RegisterWindow(QStringLiteral("frmAddBooking"), [adder] { return adder; });
    QList<QPointer<StudentRecordStandIn>> records;
    ui::RegisterWindow(QStringLiteral("frmStudentDetails"), [&records] {
        records << new StudentRecordStandIn;
        return records.last().data();
    });
    frmPreEnrol *w = list();
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName), QString());
    EXPECT_EQ(w->cboProgram->currentText(), QStringLiteral("Term 2"));
    EXPECT_EQ(w->grd->rows(), 2);

    w->cmdAdd->click();
    EXPECT_EQ(adder->calls, QStringList{QStringLiteral("LoadUp 4 0 %1  window").arg(term2)});
    w->cmdView->click();
    ASSERT_EQ(records.size(), 1);
    EXPECT_TRUE(records[0]->isVisible());
    EXPECT_EQ(records[0]->calls,
              QStringList{QStringLiteral("LoadUp %1 frmPreEnrol []").arg(student)});
    for (const char *name : {"frmAddBooking", "frmStudentDetails"})
        ui::RegisterWindow(QString::fromLatin1(name), {});
}

TEST_F(PreEnrolWindow, EnrolIntoClassOpensTheMoveWindowOnTheEntry)
{
    AddToPreEnrolList(student, program, QStringLiteral("mornings"));
    frmPreEnrol *w = list();
    w->cmdMove->click();
    auto *m = qobject_cast<frmMoveStudent *>(ui::Forms::find(QStringLiteral("frmMoveStudent")));
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->preEnrolMode());
    EXPECT_EQ(m->lblStudentName->text(),
              QStringLiteral("Amy Ng  (currently pre-enrolled for Term 1)"));
    m->grd->setGridRow(rowOfClass(m->grd, monday));
    script->answer(ui::vbOK);
    m->cmdNext_Click();
    flush();
    EXPECT_EQ(w->grd->rows(), 1); // reloaded without the entry
    EXPECT_EQ(column(newestBooking(), "Notes"), QStringLiteral("mornings"));
}

} // namespace

#include "move_windows_test.moc"
