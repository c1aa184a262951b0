#include "timetable/fixture/timetablefixture.h"

#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "shell/frmreportviewer.h"
#include "support/screenshot.h"
#include "timetable/stats/frmnumberstats.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>

namespace {

class NumberStatsTest : public TimetableTest
{
protected:
    // Term 1 & Co: Level 1 with 3 enrolments on Monday, 2 on Wednesday and 1 on
    // Other, and more on Mon/Wed (counted in no column); Level 2 with
    // enrolments only on Mon/Wed and a waiting list on Saturday; Level "3" with
    // 1 on Sunday. Another program's Monday class and an inactive program.
    void SetUp() override
    {
        TimetableTest::SetUp();
        term = addProgram(QStringLiteral("Term 1 & Co"));
        empty = addProgram(QStringLiteral("Empty Term"));
        addProgram(QStringLiteral("Old Term"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
        const qint32 elsewhere = addProgram(QStringLiteral("Term 2"));

        const qint32 monday = addClass(term, QStringLiteral("Level 1"), QStringLiteral("Monday"));
        for (const char *status : {"Confirmed", "Tentative", "Confirmed", "Waiting", "Catch Up",
                                   "Moved", "Cancelled", "No Show"})
            book(monday, QLatin1String(status));
        const qint32 wednesday =
            addClass(term, QStringLiteral("Level 1"), QStringLiteral("Wednesday"));
        book(wednesday, QStringLiteral("Tentative"));
        book(wednesday, QStringLiteral("Tentative"));
        book(addClass(term, QStringLiteral("Level 1"), QStringLiteral("Other")),
             QStringLiteral("Confirmed"));
        const qint32 twice = addClass(term, QStringLiteral("Level 1"), QStringLiteral("Mon/Wed"));
        book(twice, QStringLiteral("Confirmed"));
        book(addClass(term, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed")),
             QStringLiteral("Confirmed"));
        book(addClass(term, QStringLiteral("Level 2"), QStringLiteral("Saturday")),
             QStringLiteral("Waiting"));
        book(addClass(term, QStringLiteral("Level \"3\""), QStringLiteral("Sunday")),
             QStringLiteral("Confirmed"));
        book(addClass(elsewhere, QStringLiteral("Level 1"), QStringLiteral("Monday")),
             QStringLiteral("Confirmed"));
    }

    void book(qint32 classId, const QString &status)
    {
        addBooking(classId, addStudent(QStringLiteral("Kim"), QStringLiteral("Ng")), status);
    }

    frmNumberStats *openFor(const QString &program)
    {
        auto *w = ui::Forms::shared<frmNumberStats>();
        w->showForm();
        const int index = w->cboProgram->findText(program);
        EXPECT_GE(index, 0) << qPrintable(program);
        w->cboProgram->setCurrentIndex(index);
        w->cboProgram_Click();
        return w;
    }

    static QStringList row(frmNumberStats *w, int r)
    {
        QStringList cells;
        for (int c = 0; c < w->grd->cols(); ++c)
            cells << w->grd->textMatrix(r, c);
        return cells;
    }

    qint32 term = 0;
    qint32 empty = 0;
};

TEST_F(NumberStatsTest, CountsEachLevelOnEachDay)
{
    auto *w = ui::Forms::shared<frmNumberStats>();
    w->showForm();
    QStringList programs;
    for (int i = 0; i < w->cboProgram->count(); ++i)
        programs << w->cboProgram->itemText(i);
    EXPECT_FALSE(programs.contains("Old Term"));
    EXPECT_TRUE(w->grd->isHidden());
    EXPECT_TRUE(w->Command1->isHidden());

    openFor(QStringLiteral("Term 1 & Co"));
    ASSERT_EQ(w->grd->rows(), 4);
    EXPECT_EQ(row(w, 0), QStringList({"Level", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun",
                                      "Other", "Total"}));
    // Levels in name order ('"' before '1').
    EXPECT_EQ(row(w, 1), QStringList({"Level \"3\"", "0", "0", "0", "0", "0", "0", "1", "0", "1"}));
    EXPECT_EQ(row(w, 2), QStringList({"Level 1", "3", "0", "2", "0", "0", "0", "0", "1", "6"}));
    EXPECT_EQ(row(w, 3), QStringList({"", "3", "0", "2", "0", "0", "0", "1", "1", "7"}));
    EXPECT_TRUE(w->grd->cellFontBold(2, 9));
    EXPECT_FALSE(w->grd->cellFontBold(2, 8));
    for (int c = 1; c <= 9; ++c)
        EXPECT_TRUE(w->grd->cellFontBold(3, c)) << c;
    EXPECT_FALSE(w->grd->isHidden());
    EXPECT_FALSE(w->Command1->isHidden());
    EXPECT_TRUE(w->fraWait->isHidden());
    EXPECT_TRUE(script->shown().isEmpty());
    ovix::test::saveScreenshot(w, QStringLiteral("frmNumberStats"));

    // A program without classes: the heading row and a totals row of zeros.
    openFor(QStringLiteral("Empty Term"));
    ASSERT_EQ(w->grd->rows(), 2);
    EXPECT_EQ(row(w, 1), QStringList({"", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(NumberStatsTest, AFailingCountShowsTheErrorAndNoGrid)
{
    frmNumberStats *w = openFor(QStringLiteral("Term 1 & Co"));
    exec(QStringLiteral("DROP TABLE Bookings"));
    script->answer(ui::vbOK);
    w->cboProgram_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        "An error occurred when counting the enrolments.\r\nErr#"))
        << qPrintable(script->shown()[0].text);
    EXPECT_EQ(script->shown()[0].icon, ui::vbExclamation);
    EXPECT_EQ(w->grd->rows(), 1);
    EXPECT_TRUE(w->grd->isHidden());
    EXPECT_TRUE(w->Command1->isHidden());
    EXPECT_TRUE(w->fraWait->isHidden());
}

TEST_F(NumberStatsTest, ViewOrPrintShowsTheGridInTheReportViewer)
{
    frmNumberStats *w = openFor(QStringLiteral("Term 1 & Co"));
    w->Command1_Click();
    auto *viewer = qobject_cast<frmReportViewer *>(ui::Forms::find("frmReportViewer"));
    ASSERT_NE(viewer, nullptr);
    QFile file(viewer->TempFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains("<title>Number Enrolled</title>"));
    // The program's name is the data file's text: escaped under the bold label.
    EXPECT_TRUE(html.contains("<b>Program: </b>Term 1 &amp; Co")) << qPrintable(html);
    EXPECT_TRUE(html.contains("Level &quot;3&quot;"));
    EXPECT_EQ(html.count("<tr>"), 4);
    EXPECT_TRUE(script->shown().isEmpty());
}

} // namespace
