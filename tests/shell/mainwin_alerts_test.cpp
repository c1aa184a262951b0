// The birthdays-and-alerts window, its entry texts and its report.
#include "mainwin_fixture.h"

#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/timer.h"
#include "shell/alerts.h"
#include "shell/alertsreport.h"
#include "shell/frmalerts.h"
#include "shell/frmloading.h"
#include "shell/frmparent.h"
#include "shell/frmreportviewer.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using ui::Forms;

TEST(MainWindowAlerts, EntryTexts)
{
    EXPECT_EQ(alerts::BirthdayEntry(0, "Ann", "Lee", 30),
              QStringLiteral(" Today! - Ann Lee   (Turning 30)"));
    EXPECT_EQ(alerts::BirthdayEntry(1, "Ann", "Lee", 7),
              QStringLiteral(" Tomorrow! - Ann Lee   (Turning 7)"));
    EXPECT_EQ(alerts::BirthdayEntry(5, "Ann", "Lee", 7),
              QStringLiteral("05 days away - Ann Lee   (Turning 7)"));
    EXPECT_EQ(alerts::BirthdayEntry(14, "Ann", "Lee", 7),
              QStringLiteral("14 days away - Ann Lee   (Turning 7)"));
    EXPECT_EQ(alerts::QualificationEntry(-12, "Bob Ray", "First Aid"),
              QStringLiteral("   Bob Ray's First Aid Qualification expired 12 days ago"));
    EXPECT_EQ(alerts::QualificationEntry(0, "Bob Ray", "CPR"),
              QStringLiteral("  Today! - Bob Ray's CPR Qualification expires"));
    EXPECT_EQ(alerts::QualificationEntry(1, "Bob Ray", "CPR"),
              QStringLiteral("  Tomorrow! - Bob Ray's CPR Qualification expires"));
    EXPECT_EQ(alerts::QualificationEntry(3, "Bob Ray", "CPR"),
              QStringLiteral("03 days away - Bob Ray's CPR Qualification expires"));
    EXPECT_EQ(alerts::EventEntry(0, "Gala"), QStringLiteral("  Today! - Gala"));
    EXPECT_EQ(alerts::EventEntry(1, "Gala"), QStringLiteral("  Tomorrow! - Gala"));
    EXPECT_EQ(alerts::EventEntry(104, "Gala"), QStringLiteral("104 days away - Gala"));
    EXPECT_EQ(alerts::RenewalEntry(5),
              QStringLiteral("Renewal Notices Need to Be Sent (5 needed)"));
}

TEST(MainWindowAlerts, PeriodsAndLeapDayBirthdays)
{
    using alerts::Period;
    struct Case
    {
        Period period;
        QDate today;
        int days;
    };
    const Case cases[] = {
        {Period::ThisWeek, {2026, 12, 30}, 7},   {Period::TwoWeeks, {2026, 12, 30}, 14},
        {Period::ThisMonth, {2026, 12, 16}, 15}, {Period::ThisMonth, {2027, 1, 31}, 0},
        {Period::ThisMonth, {2028, 2, 1}, 28},   {Period::ThisMonth, {2027, 4, 30}, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(alerts::DaysAhead(c.period, c.today), c.days) << qPrintable(c.today.toString());
    EXPECT_EQ(alerts::BirthdayThisYear({2008, 2, 29}, 2027), QDate(2027, 2, 28));
    EXPECT_EQ(alerts::BirthdayThisYear({2008, 2, 29}, 2028), QDate(2028, 2, 29));
    EXPECT_EQ(alerts::BirthdayThisYear({1990, 7, 4}, 2027), QDate(2027, 7, 4));
}

// Text from the data file is escaped in the report; empty lists say so.
TEST(MainWindowAlerts, ReportEscapesDatabaseText)
{
    alerts::ReportInput in;
    in.birthdays = {QStringLiteral(" Today! - <b>Tom</b> O'Neil & Co   (Turning 9)")};
    in.from = QDate(2026, 3, 2);
    in.to = QDate(2026, 3, 9);
    in.dateFormat = QStringLiteral("dd/mm/yyyy");
    in.applicationName = QStringLiteral("Ovixian <Pro>");
    in.printedAt = QDateTime(QDate(2026, 3, 2), QTime(14, 5));
    const QString html = alerts::BuildReport(in);
    EXPECT_TRUE(html.contains(
        QStringLiteral(" Today! - &lt;b&gt;Tom&lt;/b&gt; O'Neil &amp; Co   (Turning 9)<br>\r\n")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>Tom")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("<b>Viewing Birthdays Between 02/03/2026 And 09/03/2026</b>\r\n")));
    EXPECT_TRUE(html.contains(QStringLiteral("\r\nThere are no alerts.\r\n")));
    EXPECT_FALSE(html.contains(QStringLiteral("There are no birthdays.")));
    EXPECT_TRUE(html.contains(QStringLiteral("Printed by Ovixian &lt;Pro&gt; at ")));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<html>\r\n<head>\r\n")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</body>\r\n</html>\r\n")));

    in.birthdays.clear();
    in.periodChosen = false;
    const QString empty = alerts::BuildReport(in);
    EXPECT_TRUE(empty.contains(QStringLiteral("There are no birthdays.")));
    EXPECT_FALSE(empty.contains(QStringLiteral("Viewing Birthdays")));
}

namespace {

class AlertsWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        today = QDate::currentDate();
        addStudent("Ann", "Lee", today.addYears(-30));           // today
        addStudent("Ben", "Cho", today.addDays(5).addYears(-8)); // in five days
        addStudent("abe", "Zed", today.addDays(5).addYears(-7)); // sorts before "Ben"
        addStudent("Cal", "Dee", today.addDays(10).addYears(-6));
        addStudent("Dot", "Eve", QDate()); // no date of birth
        addStudent("Old", "Bday", today.addDays(-2).addYears(-40));
        addStudent("<b>Tom</b>", "O'Neil & Co", today.addDays(1).addYears(-9));

        exec("INSERT INTO Students ([First Name], [Last Name]) VALUES ('Bob', 'Ray')");
        exec("INSERT INTO Instructors (StudentID, UserID, ShowInOOE) SELECT StudentID, 'b', 1 "
             "FROM Students WHERE [First Name] = 'Bob'");
        addQualification("First Aid", today.addDays(-12), 0);
        addQualification("CPR", today.addDays(3), 0);
        addQualification("Old Award", today.addDays(-5), 1); // inactive
        addQualification("Pool Safety", today.addDays(40), 0);

        addEvent("Gala Day", today);
        addEvent("aqua Fun", today); // sorts before "Gala" without regard to case
        addEvent("Open Day", today.addDays(12));
        addEvent("Past Fete", today.addDays(-3));

        exec("INSERT INTO Levels (Description, DurationUnit, DurationValue, Inactive, Sequence, "
             "Stream) VALUES ('Bronze', 'Years', 1, 0, 1, 1)");
        for (int i = 0; i < 5; ++i)
            addAssessment(today.addDays(i % 3), 0);
        addAssessment(today.addDays(1), 1);  // notice sent
        addAssessment(today.addDays(30), 0); // beyond the period
    }

    void addStudent(const QString &first, const QString &last, const QDate &born)
    {
        exec(QStringLiteral("INSERT INTO Students ([First Name], [Last Name], [Date of Birth]) "
                            "VALUES (%1, %2, %3)")
                 .arg(Global::SqlText(first), Global::SqlText(last), Global::SqlDate(born)));
    }
    void addQualification(const QString &award, const QDate &expires, int inactive)
    {
        exec(QStringLiteral("INSERT INTO QualRec (InstructorID, Qualification, Expires, Inactive) "
                            "SELECT InstructorID, %1, %2, %3 FROM Instructors")
                 .arg(Global::SqlText(award), Global::SqlDate(expires), QString::number(inactive)));
    }
    void addEvent(const QString &name, const QDate &when)
    {
        exec(QStringLiteral("INSERT INTO Events (EventName, EventDate) VALUES (%1, %2)")
                 .arg(Global::SqlText(name), Global::SqlDate(when)));
    }
    void addAssessment(const QDate &renewal, int sent)
    {
        exec(QStringLiteral("INSERT INTO Assessments (StudentID, [Date], LevelID, RenewalDate, "
                            "RenewalNoticeSent) SELECT StudentID, %1, 1, %2, %3 FROM Students "
                            "WHERE [First Name] = 'Ann'")
                 .arg(Global::SqlDate(today), Global::SqlDate(renewal), QString::number(sent)));
    }

    static QStringList items(const QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    // The birthday entries of the fixture in the period, written out, in the order
    // of their texts without regard to case (a period that runs into next year
    // finds no birthdays there).
    QStringList expectedBirthdays(int days) const
    {
        struct Row
        {
            int offset;
            const char *entry;
        };
        const Row rows[] = {{0, " Today! - Ann Lee   (Turning 30)"},
                            {1, " Tomorrow! - <b>Tom</b> O'Neil & Co   (Turning 9)"},
                            {5, "05 days away - abe Zed   (Turning 7)"},
                            {5, "05 days away - Ben Cho   (Turning 8)"},
                            {10, "10 days away - Cal Dee   (Turning 6)"}};
        QStringList out;
        for (const Row &r : rows) {
            if (r.offset <= days && today.addDays(r.offset).year() == today.year())
                out << QString::fromUtf8(r.entry);
        }
        return out;
    }

    QDate today;
};

} // namespace

TEST_F(AlertsWindowTest, ListsThePeriodsBirthdaysAndAlerts)
{
    frmParent *main = showMain();
    auto *alertsWindow = Forms::shared<frmAlerts>();
    EXPECT_EQ(alertsWindow->caption(), QStringLiteral("Things Coming Up..."));
    EXPECT_TRUE(alertsWindow->opt7->isChecked());
    EXPECT_EQ(alertsWindow->DaysAhead, 7);
    EXPECT_TRUE(alertsWindow->isVisible());

    EXPECT_EQ(items(alertsWindow->lstBirthdays), expectedBirthdays(7));
    EXPECT_TRUE(items(alertsWindow->lstBirthdays)
                    .contains(QStringLiteral(" Today! - Ann Lee   (Turning 30)")));
    QStringList week = {
        QStringLiteral("   Bob Ray's First Aid Qualification expired 12 days ago"),
        QStringLiteral("  Today! - aqua Fun"),
        QStringLiteral("  Today! - Gala Day"),
        QStringLiteral("03 days away - Bob Ray's CPR Qualification expires"),
        QStringLiteral("Renewal Notices Need to Be Sent (5 needed)"),
    };
    EXPECT_EQ(items(alertsWindow->lstAlerts), week);
    EXPECT_TRUE(alertsWindow->Command1->isVisibleTo(alertsWindow));
    ovix::test::saveScreenshot(main, QStringLiteral("frmAlerts"));

    alertsWindow->opt14->click();
    EXPECT_EQ(alertsWindow->DaysAhead, 14);
    EXPECT_EQ(items(alertsWindow->lstBirthdays), expectedBirthdays(14));
    EXPECT_TRUE(items(alertsWindow->lstAlerts).contains(QStringLiteral("12 days away - Open Day")));

    alertsWindow->optMonth->click();
    const int month = alerts::DaysAhead(alerts::Period::ThisMonth, today);
    EXPECT_EQ(alertsWindow->DaysAhead, month);
    EXPECT_EQ(items(alertsWindow->lstBirthdays), expectedBirthdays(month));
    EXPECT_TRUE(
        items(alertsWindow->lstAlerts)
            .contains(QStringLiteral("   Bob Ray's First Aid Qualification expired 12 days ago")));
    for (const QString &entry : items(alertsWindow->lstAlerts)) {
        EXPECT_FALSE(entry.contains(QStringLiteral("Old Award")));
        EXPECT_FALSE(entry.contains(QStringLiteral("Past Fete")));
    }
    EXPECT_TRUE(script->shown().isEmpty());
}

// The report goes to a temporary file in the data folder that the viewer shows and
// deletes when it closes; the names in it are escaped.
TEST_F(AlertsWindowTest, ReportOpensInTheViewerAndGoesWithIt)
{
    showMain();
    auto *alertsWindow = Forms::shared<frmAlerts>();
    alertsWindow->Command1->click();
    auto *viewer = qobject_cast<frmReportViewer *>(Forms::find(QStringLiteral("frmReportViewer")));
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    const QString file = viewer->TempFile();
    EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(file).fileName().contains(
        QRegularExpression(QStringLiteral("^temp([a-z][0-9]){4}\\.htm$"))))
        << qPrintable(file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    f.close();
    EXPECT_TRUE(html.contains(QStringLiteral("Ann Lee   (Turning 30)<br>")));
    if (today.addDays(1).year() == today.year()) {
        EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;Tom&lt;/b&gt; O'Neil &amp; Co")));
    }
    EXPECT_FALSE(html.contains(QStringLiteral("<b>Tom")));
    viewer->unload();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(script->shown().isEmpty());
}

// Continue leaves the window and shows the class search; nothing is due, so the
// recurring-transactions window is not asked for.
TEST_F(AlertsWindowTest, ContinueShowsTheClassSearch)
{
    registerFake(QStringLiteral("Main"));
    registerFake(QStringLiteral("frmRecurring"));
    registered << QStringLiteral("frmLoading");
    shell::RegisterWindow(QStringLiteral("frmLoading"), [] { return Forms::shared<frmLoading>(); });
    showMain();
    auto *alertsWindow = Forms::shared<frmAlerts>();
    alertsWindow->cmdContinue->click();
    flush();
    EXPECT_EQ(Forms::find(QStringLiteral("frmAlerts")), nullptr);
    ASSERT_NE(Forms::find(QStringLiteral("Main")), nullptr);
    EXPECT_TRUE(Forms::find(QStringLiteral("Main"))->isVisible());
    EXPECT_EQ(Forms::find(QStringLiteral("frmRecurring")), nullptr);
    auto *loading = qobject_cast<frmLoading *>(Forms::find(QStringLiteral("frmLoading")));
    ASSERT_NE(loading, nullptr);
    EXPECT_TRUE(loading->Timer1->isEnabled());
    loading->Timer1->setEnabled(false);
}

// Empty lists keep the report button hidden.
TEST_F(MainWindowTest, AlertsWithNothingComingUp)
{
    showMain();
    auto *alertsWindow = Forms::shared<frmAlerts>();
    EXPECT_EQ(alertsWindow->lstBirthdays->count(), 0);
    EXPECT_EQ(alertsWindow->lstAlerts->count(), 0);
    EXPECT_FALSE(alertsWindow->Command1->isVisibleTo(alertsWindow));
}

// Resizing changes the widths only: the print button stays where it is.
TEST_F(AlertsWindowTest, ResizeChangesWidthsOnly)
{
    showMain();
    auto *alertsWindow = Forms::shared<frmAlerts>();
    const QPoint button = alertsWindow->Command1->pos();
    const int listWidth = alertsWindow->lstAlerts->width();
    alertsWindow->resize(alertsWindow->width() + 80, alertsWindow->height());
    EXPECT_EQ(alertsWindow->lstAlerts->width(), listWidth + 80);
    EXPECT_EQ(alertsWindow->Command1->pos(), button);
}
