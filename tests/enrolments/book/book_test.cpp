#include "enrolments/book/frmattendancebook.h"
#include "enrolments/book/register.h"
#include "enrolments/fixture/enrolmentsfixture.h"

#include "access/authorisation.h"
#include "core/centresettings.h"
#include "enrolments/attendance.h"
#include "enrolments/attendancebook.h"
#include "enrolments/attendancekey.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/colorsquare.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

using namespace imodEnrolments;

namespace {

QStringList items(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class AttendanceBook : public AttendanceTest
{
protected:
    frmAttendanceBook *openBook()
    {
        auto *book = ui::Forms::shared<frmAttendanceBook>();
        book->resize(1100, 600);
        return book;
    }
    void show(frmAttendanceBook *book, const QString &program, const QString &day = "(All)",
              const QString &instructor = "(All)")
    {
        book->cboProgram->setCurrentText(program);
        book->cboDay->setCurrentText(day);
        book->cboInstructor->setCurrentText(instructor);
        book->cmdShow_Click();
    }
    static void clickBook(frmAttendanceBook *book, int row, int col)
    {
        book->agrd->setGridRow(row);
        book->agrd->setGridCol(col);
        book->agrd_Click();
    }
    static int bookRow(frmAttendanceBook *book, qint32 bookingId)
    {
        return rowOf(book->agrd, bookingId);
    }
};

TEST_F(AttendanceBook, TextsListsAndRegistration)
{
    addProgram(QStringLiteral("Term 2"));
    addProgram(QStringLiteral("Term 1"));
    addProgram(QStringLiteral("Old Term"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
    addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee"));
    addInstructor(QStringLiteral("Gone"), QStringLiteral("Away"), 1);
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName),
                                         QStringLiteral("Term 2"));
    frmAttendanceBook *book = openBook();

    EXPECT_EQ(book->caption(), QStringLiteral("Attendance Book"));
    QStringList labels;
    for (const QLabel *label : book->findChildren<QLabel *>())
        labels << label->text();
    for (const char *text : {"Attendance Book", "Program:", "Day:", "Instructor:", "Attendance Key",
                             "Attended", "DNA", "Sick", "Absent", "Called", "No Record"})
        EXPECT_TRUE(labels.contains(QLatin1String(text))) << text;
    EXPECT_EQ(book->cmdShow->text(), QStringLiteral("Show"));
    const struct
    {
        const char *square;
        QColor colour;
    } squares[] = {{"shpAttended", QColor(0, 255, 0)},    {"shpDNA", QColor(255, 128, 128)},
                   {"shpSick", QColor(128, 255, 255)},    {"shpAbsent", QColor(255, 192, 128)},
                   {"shpCalled", QColor(0, 64, 64)},      {"shpNoRecord", QColor(255, 255, 255)}};
    for (const auto &k : squares)
        EXPECT_EQ(ui::squareFillColor(book, QLatin1String(k.square)), k.colour) << k.square;

    EXPECT_EQ(items(book->cboProgram), (QStringList{"Term 1", "Term 2"}));
    EXPECT_EQ(book->cboProgram->currentText(), QStringLiteral("Term 2"));
    EXPECT_EQ(items(book->cboInstructor), (QStringList{"(All)", "Ann Lee"}));
    EXPECT_EQ(items(book->cboDay).first(), QStringLiteral("(All)"));
    EXPECT_TRUE(items(book->cboDay).contains(QStringLiteral("Mon/Wed")));
    EXPECT_EQ(book->cboDay->currentIndex(), 0);
    EXPECT_TRUE(script->shown().isEmpty());

    enrolments::RegisterAttendanceBookWindow();
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmAttendanceBook")));
    ASSERT_NE(useraccess::FindAuthorisedOperation(QStringLiteral("Attendance Book")), nullptr);
    EXPECT_EQ(useraccess::FindAuthorisedOperation(QStringLiteral("Attendance Book"))->check,
              useraccess::PermissionCheck::ByName);
    ui::RegisterWindow(QStringLiteral("frmAttendanceBook"), {});
    useraccess::UnregisterAuthorisedOperation(QStringLiteral("Attendance Book"));
}

TEST_F(AttendanceBook, BlocksOfDifferentWidthsAreMarkedEachOnItsOwn)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"), QStringLiteral("Enrolment"));
    const qint32 ann = addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 bob = addInstructor(QStringLiteral("Bob"), QStringLiteral("Day"));
    const qint32 wide = addClass(p, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed"), 9, 0);
    const qint32 narrow = addClass(p, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30);
    const qint32 friday = addClass(p, QStringLiteral("Level 3"), QStringLiteral("Friday"), 10, 0);
    const qint32 untaught = addClass(p, QStringLiteral("Level 4"), QStringLiteral("Monday"));
    const qint32 oneOff = addClass(p, QStringLiteral("Level 5"), QStringLiteral("Monday"));
    exec(QStringLiteral("UPDATE Classes SET EndDate = StartDate WHERE ClassID = %1").arg(oneOff));
    linkInstructor(wide, ann);
    linkInstructor(wide, bob);
    linkInstructor(narrow, ann);
    linkInstructor(friday, bob);
    linkInstructor(oneOff, ann);
    Q_UNUSED(untaught);
    const qint32 w1 = addBooking(wide, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    const qint32 w2 = addBooking(wide, addStudent(QStringLiteral("Bo"), QStringLiteral("Li")));
    addBooking(wide, addStudent(QStringLiteral("Cy"), QStringLiteral("Oz")),
               BookingStatus::Cancelled);
    const qint32 n1 = addBooking(narrow, addStudent(QStringLiteral("Di"), QStringLiteral("Yu")));
    addBooking(friday, addStudent(QStringLiteral("Ed"), QStringLiteral("Wu")));

    frmAttendanceBook *book = openBook();
    show(book, QStringLiteral("Term 1"));
    ui::FlexGrid *g = book->agrd;
    ovix::test::saveScreenshot(book, "enrolments-attendance-book");
    // Friday, then Mon/Wed, then Monday: each block a caption, a header, its
    // bookings and a closing row.
    ASSERT_EQ(g->rows(), 4 + 5 + 4);
    EXPECT_FALSE(g->isHidden());
    EXPECT_EQ(g->cols(), 24) << "as wide as the widest block";
    const int wideCaption = 4, narrowCaption = 9;
    for (int row : {0, wideCaption, narrowCaption})
        EXPECT_TRUE(g->mergeRow(row)) << row;
    EXPECT_EQ(g->textMatrix(wideCaption, 0),
              QStringLiteral("Mon/Wed 09:00 AM Level 2 (Term 1)"));
    EXPECT_EQ(g->textMatrix(wideCaption + 1, 23), QStringLiteral("Owing"));
    EXPECT_EQ(g->textMatrix(narrowCaption + 1, 13), QStringLiteral("Owing"));
    EXPECT_EQ(bookRow(book, w1), wideCaption + 2);

    // The header of the narrow block marks only its own class.
    clickBook(book, narrowCaption + 1, 3);
    EXPECT_EQ(marks(n1), QStringList{QStringLiteral("2:Attended")});
    EXPECT_TRUE(marks(w1).isEmpty());
    EXPECT_TRUE(marks(w2).isEmpty());
    // The wide block's header marks its two enrolled bookings, in a late session.
    clickBook(book, wideCaption + 1, 21);
    EXPECT_EQ(marks(w1), QStringList{QStringLiteral("20:Attended")});
    EXPECT_EQ(marks(w2), QStringList{QStringLiteral("20:Attended")});
    EXPECT_EQ(marks(n1).size(), 1);

    // Right of the narrow block's "Owing" nothing is a cell of it; its own "PP" is.
    const int rn = bookRow(book, n1);
    clickBook(book, rn, 13);
    clickBook(book, rn, 20);
    EXPECT_EQ(marks(n1).size(), 1);
    clickBook(book, rn, 12);
    EXPECT_EQ(g->textMatrix(rn, 12), QStringLiteral("In"));
    clickBook(book, rn, 5);
    EXPECT_EQ(marks(n1), (QStringList{"2:Attended", "4:Attended"}));
    EXPECT_TRUE(script->shown().isEmpty());

    // Another program without classes: an empty grid whose clicks do nothing.
    addProgram(QStringLiteral("Term 2"));
    book->Load_Program_List();
    show(book, QStringLiteral("Term 2"));
    EXPECT_EQ(g->rows(), 0);
    book->agrd_Click();

    // Filters: a day, an instructor.
    show(book, QStringLiteral("Term 1"), QStringLiteral("Friday"));
    EXPECT_EQ(g->rows(), 4);
    show(book, QStringLiteral("Term 1"), QStringLiteral("(All)"), QStringLiteral("Ann Lee"));
    EXPECT_EQ(g->rows(), 9);
    EXPECT_TRUE(g->mergeRow(5));
}

TEST_F(AttendanceBook, QuotesAndWildcardsInTheFiltersAreTextAsTyped)
{
    const QString program = QStringLiteral("Term \"A\"; O'Neil #1 <b>");
    const qint32 p = addProgram(program);
    const qint32 plain = addProgram(QStringLiteral("Term B"));
    const qint32 odd = addInstructor(QStringLiteral("Zoe \"Z\""), QStringLiteral("O'Hara#;%"));
    const qint32 other = addInstructor(QStringLiteral("Zoe \"Z\""), QStringLiteral("O'Hara#;x"));
    const qint32 c = addClass(p, QStringLiteral("Squad <1>"), QStringLiteral("Monday"));
    const qint32 d = addClass(p, QStringLiteral("Squad 2"), QStringLiteral("Monday"), 9, 0);
    linkInstructor(c, odd);
    linkInstructor(d, other);
    linkInstructor(addClass(plain), odd);
    const qint32 b = addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("O'Ng")));

    frmAttendanceBook *book = openBook();
    show(book, program, QStringLiteral("Monday"), QStringLiteral("Zoe \"Z\" O'Hara#;%"));
    EXPECT_TRUE(script->shown().isEmpty());
    ASSERT_EQ(book->agrd->rows(), 4) << "only the class of that instructor, of that program";
    EXPECT_EQ(book->agrd->textMatrix(0, 0), QStringLiteral("Monday 04:30 PM Squad <1> (") +
                                                program + QLatin1Char(')'));
    EXPECT_EQ(book->agrd->textMatrix(2, 0), QStringLiteral("Amy O'Ng"));
    EXPECT_EQ(book->agrd->textMatrix(2, 1), QString::number(b));
}

TEST_F(AttendanceBook, FillingErrorsAreShownTwiceThenQuestioned)
{
    BookFillErrors errors;
    script->answer(ui::vbOK);
    script->answer(ui::vbOK);
    script->answer(ui::vbYes);
    script->answer(ui::vbNo);
    const core::ErrorInfo e{3021, QStringLiteral("No current record")};
    EXPECT_TRUE(errors.report(e));
    EXPECT_TRUE(errors.report(e));
    EXPECT_TRUE(errors.report(e));
    EXPECT_FALSE(errors.report(e));
    QStringList titles;
    for (const auto &box : script->shown())
        titles << box.title;
    EXPECT_EQ(titles, (QStringList{"Oops!", "Oops!", "Error", "Error"}));
    EXPECT_EQ(script->shown().first().text,
              QStringLiteral("An error occurred when filling the attendance grid.\r\nErr#3021 - No "
                             "current record."));
    EXPECT_EQ(script->shown().last().text,
              script->shown().first().text +
                  QStringLiteral("\r\n\r\nDo you want to continue loading the grid?"));
}

TEST_F(AttendanceBook, AFailedClassQueryIsShownAndTheBookStaysEmpty)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    linkInstructor(c, addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee")));
    frmAttendanceBook *book = openBook();
    runSqlite("ALTER TABLE InstructorLink RENAME TO InstructorLinks;");
    script->answer(ui::vbOK);
    show(book, QStringLiteral("Term 1"));
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown().first().title, QStringLiteral("Oops!"));
    EXPECT_EQ(book->agrd->rows(), 0);
    EXPECT_FALSE(book->agrd->isHidden());
}

TEST_F(AttendanceBook, ResizingGivesTheNameColumnWhatTheSessionsLeave)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 c = addClass(p);
    linkInstructor(c, addInstructor(QStringLiteral("Ann"), QStringLiteral("Lee")));
    addBooking(c, addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")));
    frmAttendanceBook *book = openBook();
    book->showForm();
    show(book, QStringLiteral("Term 1"));
    ui::FlexGrid *g = book->agrd;
    const auto expected = [g] { return g->width() * 15 - (g->cols() - 3) * 400 - 1900; };

    book->resize(1200, 600);
    QCoreApplication::processEvents();
    EXPECT_NEAR(g->colWidth(0), expected(), 15);
    EXPECT_EQ(g->scrollBars(), 3);
    book->resize(560, 600);
    QCoreApplication::processEvents();
    ASSERT_LT(expected(), 1000);
    EXPECT_NEAR(g->colWidth(0), 1000, 15);
    EXPECT_EQ(g->scrollBars(), 1);
}
