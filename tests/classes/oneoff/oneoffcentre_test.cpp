#include "timetable/fixture/timetablefixture.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "classes/oneoff/frmoinst.h"
#include "classes/oneoff/frmooe.h"
#include "classes/oneoff/oneoffcentre.h"
#include "classes/oneoff/register.h"
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
#include "platform/vb/currency.h"
#include "shell/frmreportviewer.h"
#include "support/screenshot.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

class OneOffCentreTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        classes::RegisterClassViewWindow();
        classes::RegisterOneOffCentre();
        addIncomeAccount();
        program = addProgram(QStringLiteral("Summer"));
        kim = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
        ann = addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee"));
        exec(QStringLiteral("UPDATE Instructors SET ShowInOOE = 1"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *v = qobject_cast<frmViewClass *>(f))
                v->cmdSave->setEnabled(false);
        for (const char *name : {"frmViewClass", "frmOOE"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        TimetableTest::TearDown();
    }
    // A class of the instructor on that date (a one-off class) or over a span of dates.
    qint32 lesson(qint32 instructor, const QString &description, int hour, int minute,
                  const QString &duration, const QDate &from, const QDate &to,
                  const QString &day = QStringLiteral("Tuesday"))
    {
        const qint32 c = addClass(0, description, day, hour, minute);
        exec(QStringLiteral("UPDATE Classes SET DurationMins = %1, StartDate = #%2#, EndDate = #%3# "
                            "WHERE ClassID = %4")
                 .arg(duration, from.toString(Qt::ISODate), to.toString(Qt::ISODate))
                 .arg(c));
        linkInstructor(c, instructor);
        return c;
    }
    frmOOE *centre(const QDate &day)
    {
        auto *w = static_cast<frmOOE *>(ui::LoadWindowByName(QStringLiteral("frmOOE")));
        w->showForm();
        w->MonthView1_DateClick(day);
        return w;
    }
    static void choose(frmOOE *w, int row, int col)
    {
        w->grd->setGridRow(row);
        w->grd->setGridCol(col);
        w->grd_Click();
    }
    // Where the instructor's column shows the class: the slot rows.
    static QList<int> rowsOf(const QVector<QVector<oneoffcentre::SlotClass>> &grid, int col, qint32 c)
    {
        QList<int> rows;
        for (int s = 0; s < grid[col].size(); ++s)
            if (grid[col][s].classId == c)
                rows << s + 1;
        return rows;
    }
    const QDate tuesday{2026, 3, 10};
    qint32 program = 0, kim = 0, ann = 0;
};

TEST_F(OneOffCentreTest, SlotsFollowStartAndDuration)
{
    const struct
    {
        int hour, minute;
        const char *duration;
        QList<int> rows;
    } cases[] = {{6, 0, "30", {1}},    {6, 0, "45", {1, 2}}, {6, 15, "30", {2}},
                 {5, 45, "30", {1}},   {22, 45, "30", {}},   {6, 0, "NULL", {}},
                 {6, 0, "0", {}},      {22, 30, "30", {34}}};
    for (const auto &c : cases) {
        exec(QStringLiteral("DELETE FROM InstructorLink"));
        const qint32 id = lesson(kim, QStringLiteral("Case"), c.hour, c.minute,
                                 QString::fromLatin1(c.duration), tuesday, tuesday);
        const auto grid = oneoffcentre::DayClasses(tuesday, {kim});
        EXPECT_EQ(rowsOf(grid, 0, id), c.rows) << c.hour << ":" << c.minute << " for " << c.duration;
    }
    EXPECT_EQ(oneoffcentre::SlotText(oneoffcentre::SlotTime(1)), QStringLiteral("06:00 AM"));
    EXPECT_EQ(oneoffcentre::SlotText(oneoffcentre::SlotTime(14)), QStringLiteral("12:30 PM"));
    EXPECT_EQ(oneoffcentre::SlotText(oneoffcentre::SlotTime(34)), QStringLiteral("10:30 PM"));
}

TEST_F(OneOffCentreTest, DaysInstructorsAndOverlaps)
{
    // Recurring on Tuesdays from 3 to 31 March, taught by both; a one-off class of Kim's overlaps it.
    const qint32 weekly = lesson(kim, QStringLiteral("Weekly"), 9, 0, QStringLiteral("60"),
                                 QDate(2026, 3, 3), QDate(2026, 3, 31));
    linkInstructor(weekly, ann);
    const qint32 later = lesson(kim, QStringLiteral("Later"), 9, 30, QStringLiteral("30"), tuesday, tuesday);
    auto grid = oneoffcentre::DayClasses(tuesday, {kim, ann});
    EXPECT_EQ(rowsOf(grid, 0, weekly), (QList<int>{7, 8})) << "the lower ClassID keeps 09:30";
    EXPECT_EQ(rowsOf(grid, 0, later), QList<int>{});
    EXPECT_EQ(rowsOf(grid, 1, weekly), (QList<int>{7, 8}));
    EXPECT_FALSE(grid[1][6].oneOff);
    // A Wednesday within the dates, a Tuesday after them: nothing.
    for (const QDate &d : {QDate(2026, 3, 11), QDate(2026, 4, 7)})
        EXPECT_EQ(rowsOf(oneoffcentre::DayClasses(d, {kim, ann}), 0, weekly), QList<int>{}) << d.day();
    // The Tuesday of another week: the recurring class again.
    EXPECT_EQ(rowsOf(oneoffcentre::DayClasses(QDate(2026, 3, 17), {kim}), 0, weekly), (QList<int>{7, 8}));

    // Ann hidden: Kim's column only; nobody shown: the time column alone.
    exec(QStringLiteral("UPDATE Instructors SET ShowInOOE = 0 WHERE InstructorID = %1").arg(ann));
    frmOOE *w = centre(tuesday);
    ASSERT_EQ(w->grd->cols(), 2);
    EXPECT_EQ(w->grd->rows(), 35);
    EXPECT_EQ(w->grd->textMatrix(0, 1), QStringLiteral("Kim Ray"));
    EXPECT_EQ(w->grd->textMatrix(7, 1), QStringLiteral("Weekly (#%1)").arg(weekly));
    EXPECT_EQ(w->grd->cellBackColor(7, 1), QColor(57, 130, 247));
    exec(QStringLiteral("UPDATE Instructors SET ShowInOOE = 0"));
    w->Load_Instructors();
    EXPECT_EQ(w->grd->cols(), 1);
    EXPECT_EQ(w->grd->fixedCols(), 0);
    choose(w, 5, 0); // the time column chooses nothing
    EXPECT_TRUE(w->cmdNew->isHidden());
    w->unload();
}

TEST_F(OneOffCentreTest, NewOneOffClassIsSavedAndShownGrey)
{
    // A second instructor of Kim's name, not shown: the class still goes to Kim.
    const qint32 twin = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
    ASSERT_EQ(Global::GetInstructorIdForName(QStringLiteral("Kim Ray")), twin);
    exec(QStringLiteral("UPDATE Instructors SET ShowInOOE = 0 WHERE InstructorID = %1").arg(twin));
    frmOOE *w = centre(tuesday);
    ASSERT_EQ(w->columnInstructors(), (QList<qint32>{ann, kim}));
    EXPECT_EQ(w->lblDate->text(), QStringLiteral("10 Mar 2026"));
    choose(w, 26, 2); // 06:30 PM, Kim
    EXPECT_FALSE(w->cmdNew->isHidden());
    EXPECT_EQ(w->lblDetails[1]->text(), QStringLiteral("Click New to Begin."));
    w->Load_Instructors(); // a reload leaves the chosen slot
    w->cmdNew_Click();
    frmViewClass *v = nullptr;
    for (ui::Form *f : ui::Forms::all())
        if (auto *view = qobject_cast<frmViewClass *>(f))
            v = view;
    ASSERT_TRUE(v);
    EXPECT_EQ(v->txtField[5]->text(), QStringLiteral("06:30 PM"));
    EXPECT_EQ(v->cboField[4]->currentText(), QStringLiteral("Tuesday"));
    EXPECT_EQ(v->txtInstructor->text(), QStringLiteral("Kim Ray"));
    EXPECT_EQ(v->classInstructors(), QList<qint32>{kim});
    v->cboField[1]->setEditText(QStringLiteral("Private"));
    v->cmdSave_Click();
    const qint32 c = value(QStringLiteral("SELECT ClassID FROM Classes")).toInt();
    ASSERT_NE(c, 0);
    EXPECT_EQ(value(QStringLiteral("SELECT ProgramID FROM Classes")).toInt(), 0);
    // The save reloaded the centre.
    EXPECT_EQ(w->grd->textMatrix(26, 2), QStringLiteral("Private (#%1)").arg(c));
    EXPECT_EQ(w->grd->cellBackColor(26, 2), QColor(214, 215, 214));
    ovix::test::saveScreenshot(w, "oneoff-centre");

    // Chosen and opened: a further class view in the one-off form.
    choose(w, 26, 2);
    EXPECT_EQ(w->selectedClass(), c);
    EXPECT_EQ(w->lblDetails[0]->text(), QStringLiteral("Class: Private"));
    EXPECT_EQ(w->lblDetails[2]->text(), QStringLiteral("Time: 06:30 PM"));
    EXPECT_EQ(w->lblDetails[3]->text(), QStringLiteral("Instructor: Kim Ray"));
    EXPECT_EQ(w->lblDetails[4]->text(), QStringLiteral("This is a one-off class."));
    EXPECT_TRUE(w->cmdCancel->isEnabled());
    const int views = int(ui::Forms::all().size());
    w->cmdOpen_Click();
    frmViewClass *opened = qobject_cast<frmViewClass *>(ui::Forms::all().last());
    ASSERT_TRUE(opened);
    EXPECT_EQ(int(ui::Forms::all().size()), views + 1);
    EXPECT_TRUE(opened->OOE);
    EXPECT_EQ(opened->txtField[0]->text(), QString::number(c));
    EXPECT_FALSE(opened->tabs->isTabEnabled(1));
}

TEST_F(OneOffCentreTest, NewNeedsTheWeekdayAndDeleteNeedsNoActiveBookings)
{
    const QDate sunday(2026, 3, 8);
    exec(QStringLiteral("DELETE FROM Days WHERE DayName = 'Sunday'"));
    frmOOE *w = centre(sunday);
    choose(w, 1, 1);
    script->answer(ui::vbOK);
    w->cmdNew_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("No Sunday Set up"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("You do not have 'Sunday' as a day set up in the system.\r\nPlease add "
                             "Sunday to the list of Days on the Setup > Days screen."));
    for (ui::Form *f : ui::Forms::all())
        EXPECT_FALSE(qobject_cast<frmViewClass *>(f));

    const qint32 c = lesson(kim, QStringLiteral("Solo"), 7, 0, QStringLiteral("30"), tuesday, tuesday);
    const qint32 student = addStudent(QStringLiteral("Sam"), QStringLiteral("Hill"));
    const qint32 confirmed = addBooking(c, student, QStringLiteral("Confirmed"));
    addBooking(c, student, QStringLiteral("Waiting"));
    addBooking(c, student, QStringLiteral("Cancelled"));
    w->MonthView1_DateClick(tuesday);
    choose(w, 3, 2);
    ASSERT_EQ(w->selectedClass(), c);
    script->answer(ui::vbOK);
    w->cmdCancel_Click();
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown()[1].title, QStringLiteral("Sorry"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);

    exec(QStringLiteral("DELETE FROM Bookings WHERE BookingID = %1").arg(confirmed));
    w->cmdCancel_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink WHERE ClassID = %1").arg(c)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE ClassID = %1").arg(c)), 2);
    EXPECT_EQ(w->grd->textMatrix(3, 2), QString());

    // A recurring class cannot be deleted here.
    const qint32 weekly = lesson(kim, QStringLiteral("Weekly"), 7, 0, QStringLiteral("30"),
                                 QDate(2026, 3, 3), QDate(2026, 3, 31));
    w->Load_Instructors();
    choose(w, 3, 2);
    EXPECT_EQ(w->selectedClass(), weekly);
    EXPECT_FALSE(w->cmdCancel->isEnabled());
    w->cmdCancel_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);
}

TEST_F(OneOffCentreTest, ScheduleEscapesTheDatabaseText)
{
    lesson(kim, QStringLiteral("Tom's \"Sharks\"; #1 <b>"), 6, 0, QStringLiteral("30"), tuesday, tuesday);
    exec(QStringLiteral("UPDATE Students SET [Last Name] = 'R<a>y' WHERE [First Name] = 'Kim'"));
    frmOOE *w = centre(tuesday);
    w->cmdPrint_Click();
    QFile file(w->scheduleFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QStringList lines = html.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[2], QStringLiteral("<title>Day Schedule for 10-Mar-2026</title>"));
    EXPECT_EQ(lines[9], QStringLiteral("<tr>"));
    EXPECT_EQ(lines[10], QStringLiteral("<td bgcolor='#C0C0C0' align='center'>&nbsp;</td>"));
    EXPECT_TRUE(html.contains(QStringLiteral("<td bgcolor='#C0C0C0' align='center'>Kim R&lt;a&gt;y&nbsp;</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<td align='center'>Tom's &quot;Sharks&quot;; #1 &lt;b&gt;&nbsp;</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td align='center'>06:00 AM&nbsp;</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("(#")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</body>\r\n</html>\r\n")));
    auto *viewer = ui::Forms::shared<frmReportViewer>();
    EXPECT_EQ(viewer->TempFile(), QString()) << "the viewer does not delete the schedule";
    viewer->unload();
    EXPECT_TRUE(QFile::exists(w->scheduleFile()));
}

TEST_F(OneOffCentreTest, InstructorListSavesByIdAndRebuildsTheCentre)
{
    // Two instructors of one name stay two.
    const qint32 twin = addInstructor(QStringLiteral("Kim"), QStringLiteral("Ray"));
    exec(QStringLiteral("UPDATE Instructors SET ShowInOOE = 1"));
    frmOOE *w = centre(tuesday);
    EXPECT_EQ(w->grd->cols(), 4);
    w->cmdShowHide_Click();
    auto *list = ui::Forms::shared<frmOInst>();
    ASSERT_EQ(list->lstInstructors->count(), 3);
    for (int r = 0; r < 3; ++r) {
        QListWidgetItem *item = list->lstInstructors->item(r);
        if (item->data(Qt::UserRole).toInt() == twin || item->data(Qt::UserRole).toInt() == ann)
            item->setCheckState(Qt::Unchecked);
    }
    list->cmdSave_Click();
    EXPECT_EQ(value(QStringLiteral("SELECT ShowInOOE FROM Instructors WHERE InstructorID = %1").arg(kim)).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT ShowInOOE FROM Instructors WHERE InstructorID = %1").arg(twin)).toInt(), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT ShowInOOE FROM Instructors WHERE InstructorID = %1").arg(ann)).toInt(), 0);
    EXPECT_EQ(w->columnInstructors(), QList<qint32>{kim});
}

TEST_F(OneOffCentreTest, AuthorisedOperationsActOnTheCentre)
{
    const qint32 c = lesson(kim, QStringLiteral("Solo"), 7, 0, QStringLiteral("30"), tuesday, tuesday);
    frmOOE *w = centre(tuesday);
    choose(w, 3, 2);
    auto run = [&](const QString &text, const QString &extra = {}) {
        useraccess::AuthorisationRequest r;
        r.xf = w;
        r.strMode = text;
        r.strExtraInfo = extra;
        r.userId = QStringLiteral("i");
        return useraccess::RunAuthorisedOperation(r);
    };
    const int before = int(ui::Forms::all().size());
    EXPECT_TRUE(run(QStringLiteral("Open OO Class")));
    EXPECT_EQ(int(ui::Forms::all().size()), before + 1);
    choose(w, 5, 1);
    EXPECT_TRUE(run(QStringLiteral("New OO Class")));
    EXPECT_EQ(int(ui::Forms::all().size()), before + 2);
    EXPECT_TRUE(run(QStringLiteral("Delete OO Class"), QString::number(c)));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 0);
    EXPECT_EQ(w->grd->textMatrix(3, 2), QString());
    w->hideForm();
    EXPECT_TRUE(run(QStringLiteral("One-Off Enrolments")));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(OneOffCentreTest, DoubleClickAndResize)
{
    const qint32 c = lesson(kim, QStringLiteral("Solo"), 7, 0, QStringLiteral("30"), tuesday, tuesday);
    frmOOE *w = centre(tuesday);
    auto views = [] {
        int n = 0;
        for (ui::Form *f : ui::Forms::all())
            n += qobject_cast<frmViewClass *>(f) ? 1 : 0;
        return n;
    };
    // A free cell: as New; a class cell: as Open.
    w->grd->setGridRow(4);
    w->grd->setGridCol(1);
    w->grd_DblClick();
    EXPECT_EQ(views(), 1);
    w->grd->setGridRow(3);
    w->grd->setGridCol(2);
    w->grd_DblClick();
    EXPECT_EQ(views(), 2);
    EXPECT_EQ(w->selectedClass(), c);
    // A calendar click empties the panel and hides its buttons.
    w->MonthView1_DateClick(tuesday.addDays(7));
    EXPECT_TRUE(w->cmdOpen->isHidden());
    EXPECT_TRUE(w->cmdNew->isHidden());
    EXPECT_EQ(w->lblDetails[0]->text(), QString());
    EXPECT_EQ(w->MonthView1->selectedDate(), tuesday.addDays(7));

    // The right-hand panel is wider than designed by what the month needs.
    const int extra = w->Frame1->width() - ui::twipsToPixels(2685);
    EXPECT_GE(extra, 0);
    EXPECT_GE(w->MonthView1->width(), w->MonthView1->sizeHint().width()) << "no weekday cut off";
    w->resize(ui::twipsToPixels(12000), ui::twipsToPixels(7000));
    EXPECT_EQ(w->grd->width(), w->width() - ui::twipsToPixels(2925) - extra);
    EXPECT_EQ(w->grd->height(), w->height() - ui::twipsToPixels(1200));
    EXPECT_EQ(w->Frame1->x(), w->width() - ui::twipsToPixels(2700) - extra);
    EXPECT_EQ(w->cmdPrint->x() + w->cmdPrint->width() + ui::twipsToPixels(50), w->Frame1->x());
}
