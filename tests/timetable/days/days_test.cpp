#include "timetable/fixture/timetablefixture.h"

#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "support/screenshot.h"
#include "timetable/days/frmdays.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <array>

namespace {

const QStringList standardOrder = {"Monday",    "Mon/Wed",  "Tuesday", "Tue/Thu",
                                   "Wednesday", "Thursday", "Friday",  "Saturday",
                                   "Sunday",    "Mon-Fri",  "Other"};

const QString specialMeaning =
    QStringLiteral("The setup of '%1' is invalid.\r\nThe day you are setting up has special "
                   "meaning to Ovix and must be set up correctly.");
const QString reviewSetup =
    QStringLiteral("The setup of '%1' is invalid.\r\nPlease review this setup and try again.");
const QString duplicateName =
    QStringLiteral("A day with that name already exists. Please enter a different day name.");

class DaysTest : public TimetableTest
{
protected:
    frmDays *open()
    {
        auto *w = ui::Forms::shared<frmDays>();
        w->showForm();
        return w;
    }
    static void select(frmDays *w, const QString &name)
    {
        const auto found = w->lst->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << qPrintable(name);
        w->lst->setCurrentItem(found.first());
    }
    static QStringList listed(frmDays *w)
    {
        QStringList out;
        for (int i = 0; i < w->lst->count(); ++i)
            out << w->lst->item(i)->text();
        return out;
    }
    // The weekday boxes, Monday first.
    static std::array<QCheckBox *, 7> boxes(frmDays *w)
    {
        return {w->chkMonday, w->chkTuesday,  w->chkWednesday, w->chkThursday,
                w->chkFriday, w->chkSaturday, w->chkSunday};
    }
    static void tick(frmDays *w, const QString &days)
    {
        const auto all = boxes(w);
        for (int d = 0; d < 7; ++d)
            all[d]->setChecked(days.contains(QString::number(d)));
    }
    // The stored flags of a pattern as "0101000" (Monday first); "" when missing.
    QString runs(const QString &name)
    {
        const QVariant v = value(QStringLiteral("SELECT CStr(RunMon) & CStr(RunTue) & CStr(RunWed) "
                                                "& CStr(RunThu) & CStr(RunFri) & CStr(RunSat) & "
                                                "CStr(RunSun) FROM Days WHERE DayName = '%1'")
                                     .arg(name));
        return v.toString();
    }
    int sequence(const QString &name)
    {
        return value(QStringLiteral("SELECT Sequence FROM Days WHERE DayName = '%1'").arg(name))
            .toInt();
    }
    QString warning() const
    {
        return script->shown().isEmpty() ? QString() : script->shown().last().text;
    }
};

TEST_F(DaysTest, OpensInBrowseWithTheFirstPatternShown)
{
    frmDays *w = open();
    EXPECT_EQ(listed(w), standardOrder);
    EXPECT_EQ(w->txtDayName->text(), "Monday");
    EXPECT_TRUE(w->chkMonday->isChecked());
    EXPECT_FALSE(w->chkWednesday->isChecked());
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->txtDayName->isReadOnly());
    EXPECT_FALSE(w->chkMonday->isEnabled());
    select(w, QStringLiteral("Mon/Wed"));
    EXPECT_EQ(w->txtDayName->text(), "Mon/Wed");
    EXPECT_TRUE(w->chkMonday->isChecked());
    EXPECT_TRUE(w->chkWednesday->isChecked());
    ovix::test::saveScreenshot(w, QStringLiteral("frmDays"));
    w->cmdEdit_Click();
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_FALSE(w->lst->isEnabled());
    EXPECT_FALSE(w->cmdNew->isEnabled());
    EXPECT_TRUE(w->cmdUp->isEnabled());
    EXPECT_FALSE(w->txtDayName->isReadOnly());
    ovix::test::saveScreenshot(w, QStringLiteral("frmDays-editing"));
    script->answer(ui::vbNo);
    EXPECT_TRUE(w->unload());
}

// Editing a stored pattern: the weekday names are reserved for the pattern that
// runs on that weekday alone, and names stay unique.
TEST_F(DaysTest, SaveChecksTheSetup)
{
    struct Case
    {
        const char *entry;
        const char *name;
        const char *ticks; // weekday numbers, Monday 0
        QString refusal;   // empty: saved
    };
    const Case cases[] = {
        {"Monday", "Monday", "0", {}},
        {"Monday", "Monday", "02", specialMeaning.arg("Monday")},
        {"Monday", "MONDAY", "02", reviewSetup.arg("MONDAY")},
        {"Monday", "monday", "02", reviewSetup.arg("monday")},
        {"Sunday", "Sunday", "", specialMeaning.arg("Sunday")},
        {"Saturday", "Saturday", "56", specialMeaning.arg("Saturday")},
        {"Other", "Other", "", {}},
        {"Mon-Fri", "Mon-Fri", "0123456", {}},
        {"Mon/Wed", "Monday", "0", duplicateName},
        {"Mon/Wed", "mon-fri", "02", duplicateName},
        {"Other", "", "", QStringLiteral("You must enter a day name.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 -> %2 (%3)").arg(c.entry, c.name, c.ticks).toStdString());
        script.reset();
        script = std::make_unique<ui::DialogScript>();
        frmDays *w = open();
        const QString before = runs(QLatin1String(c.entry));
        select(w, QLatin1String(c.entry));
        w->cmdEdit_Click();
        w->txtDayName->setText(QLatin1String(c.name));
        tick(w, QLatin1String(c.ticks));
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(w->cmdSave_Click());
            EXPECT_TRUE(script->shown().isEmpty()) << qPrintable(warning());
            EXPECT_FALSE(w->cmdSave->isEnabled());
            QString expected(7, QLatin1Char('0'));
            for (QChar d : QString::fromLatin1(c.ticks))
                expected[d.digitValue()] = QLatin1Char('1');
            EXPECT_EQ(runs(QLatin1String(c.name)), expected);
        } else {
            script->answer(ui::vbOK);
            EXPECT_FALSE(w->cmdSave_Click());
            ASSERT_EQ(script->shown().size(), 1);
            EXPECT_EQ(script->shown()[0].text, c.refusal);
            EXPECT_EQ(script->shown()[0].title, "Oops!");
            EXPECT_EQ(script->shown()[0].icon, ui::vbExclamation);
            // Still editing, with the entries; nothing stored changed.
            EXPECT_TRUE(w->cmdSave->isEnabled());
            EXPECT_EQ(w->txtDayName->text(), QLatin1String(c.name));
            EXPECT_EQ(runs(QLatin1String(c.entry)), before);
            script->answer(ui::vbNo);
        }
        EXPECT_TRUE(w->unload());
        flush();
    }
}

TEST_F(DaysTest, QuotesAreDroppedFromANewName)
{
    frmDays *w = open();
    w->cmdNew_Click();
    EXPECT_EQ(ui::tag(w->cmdSave), "Add");
    w->txtDayName->setText(QStringLiteral("Tom's \"Day\""));
    tick(w, QStringLiteral("5"));
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(runs(QStringLiteral("Toms Day")), "0000010");
    EXPECT_TRUE(listed(w).contains("Toms Day"));
    EXPECT_TRUE(ui::tag(w->cmdSave).isEmpty());

    // A name of quotes alone is no name.
    w->cmdNew_Click();
    w->txtDayName->setText(QStringLiteral("'\"'"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(warning(), "You must enter a day name.");
    EXPECT_EQ(count(QStringLiteral("SELECT DayName FROM Days")), 12);
    script->answer(ui::vbNo);
    EXPECT_TRUE(w->unload());
}

TEST_F(DaysTest, RenameKeepsThePatternsClasses)
{
    const qint32 term = addProgram(QStringLiteral("Term 1"));
    const qint32 used = addClass(term, QStringLiteral("Level 1"), QStringLiteral("Tue/Thu"));
    const qint32 other = addClass(term, QStringLiteral("Level 1"), QStringLiteral("Monday"));
    frmDays *w = open();

    select(w, QStringLiteral("Mon-Fri")); // no class uses it
    w->cmdEdit_Click();
    w->txtDayName->setText(QStringLiteral("Weekdays"));
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_FALSE(listed(w).contains("Mon-Fri"));
    EXPECT_EQ(listed(w).indexOf("Weekdays"), 9);
    EXPECT_EQ(runs(QStringLiteral("Weekdays")), "1111100");

    select(w, QStringLiteral("Tue/Thu"));
    w->cmdEdit_Click();
    w->txtDayName->setText(QStringLiteral("Tue & Thu"));
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(count(QStringLiteral("SELECT DayName FROM Days WHERE DayName = 'Tue/Thu'")), 0);
    EXPECT_EQ(
        value(QStringLiteral("SELECT [Day] FROM Classes WHERE ClassID = %1").arg(used)).toString(),
        "Tue & Thu");
    EXPECT_EQ(
        value(QStringLiteral("SELECT [Day] FROM Classes WHERE ClassID = %1").arg(other)).toString(),
        "Monday");
    EXPECT_TRUE(script->shown().isEmpty());
    EXPECT_TRUE(w->unload());
}

TEST_F(DaysTest, DeleteIsRefusedWhileClassesUseThePattern)
{
    const qint32 term = addProgram(QStringLiteral("Term 1"));
    addClass(term, QStringLiteral("Level 1"), QStringLiteral("Mon/Wed"));
    addClass(term, QStringLiteral("Level 2"), QStringLiteral("Mon/Wed"));
    frmDays *w = open();

    select(w, QStringLiteral("Mon/Wed"));
    script->answer(ui::vbOK);
    w->cmdDelete_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].text,
              "You cannot delete this day because there are 2 classes running on this day.");
    EXPECT_EQ(script->shown()[0].title, "Can't Delete");
    EXPECT_EQ(count(QStringLiteral("SELECT DayName FROM Days WHERE DayName = 'Mon/Wed'")), 1);

    select(w, QStringLiteral("Tue/Thu"));
    script->answer(ui::vbNo);
    w->cmdDelete_Click();
    EXPECT_EQ(script->shown().last().text, "Are you sure you wish to delete Tue/Thu?");
    EXPECT_EQ(script->shown().last().title, "Confirm Delete");
    EXPECT_EQ(count(QStringLiteral("SELECT DayName FROM Days WHERE DayName = 'Tue/Thu'")), 1);

    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT DayName FROM Days WHERE DayName = 'Tue/Thu'")), 0);
    EXPECT_FALSE(listed(w).contains("Tue/Thu"));
    EXPECT_EQ(w->lst->currentRow(), 0);
    EXPECT_EQ(script->shown().size(), 3);
    EXPECT_TRUE(w->unload());
}

// The arrows move the entry; the order is numbered 0, 1, 2 ... when the window
// closes, and the class search's day filter follows it.
TEST_F(DaysTest, TheOrderIsWrittenWhenTheWindowCloses)
{
    TimetableFakeWindow *main = loadClassSearch();
    QComboBox *cboDay = main->cboDay;
    frmDays *w = open();

    w->cmdUp_Click(); // first entry: nowhere to go
    select(w, QStringLiteral("Other"));
    w->cmdDown_Click(); // last entry: nowhere to go
    EXPECT_EQ(listed(w), standardOrder);
    for (int i = 0; i < 10; ++i)
        w->cmdUp_Click();
    select(w, QStringLiteral("Monday"));
    w->cmdDown_Click();
    QStringList expected = standardOrder;
    expected.move(10, 0);
    expected.move(1, 2);
    EXPECT_EQ(listed(w), expected);
    EXPECT_EQ(w->lst->currentItem()->text(), "Monday");
    EXPECT_EQ(sequence(QStringLiteral("Other")), 10) << "nothing is written before closing";

    EXPECT_TRUE(w->unload());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(sequence(expected[i]), i) << qPrintable(expected[i]);
    ASSERT_EQ(cboDay->count(), 12);
    EXPECT_EQ(cboDay->itemText(0), "(All)");
    EXPECT_EQ(cboDay->itemText(1), "Other");
    EXPECT_EQ(cboDay->currentIndex(), 0);
}

TEST_F(DaysTest, CancelAtTheClosingQuestionStillWritesTheOrder)
{
    frmDays *w = open();
    select(w, QStringLiteral("Other"));
    w->cmdEdit_Click();
    w->cmdUp_Click(); // available while editing too
    w->txtDayName->setText(QStringLiteral("Anything"));
    script->answer(ui::vbCancel);
    EXPECT_FALSE(w->unload());
    EXPECT_EQ(script->shown().last().text, "Do you want to save changes to this day?");
    EXPECT_EQ(script->shown().last().title, "Wait a minute");
    EXPECT_EQ(sequence(QStringLiteral("Other")), 9);
    EXPECT_EQ(sequence(QStringLiteral("Mon-Fri")), 10);
    // Still editing, with what was typed.
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_EQ(w->txtDayName->text(), "Anything");

    // Yes with a refused save keeps the window open as well.
    w->txtDayName->clear();
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(w->unload());
    EXPECT_EQ(script->shown().last().text, "You must enter a day name.");
    EXPECT_TRUE(w->isLoaded());
    EXPECT_TRUE(w->cmdSave->isEnabled());

    script->answer(ui::vbNo);
    EXPECT_TRUE(w->unload());
    EXPECT_EQ(count(QStringLiteral("SELECT DayName FROM Days WHERE DayName = 'Anything'")), 0);
}

TEST_F(DaysTest, ANewPatternTakesThePositionSelected)
{
    frmDays *w = open();
    w->lst->setCurrentRow(2);
    w->cmdNew_Click();
    w->txtDayName->setText(QStringLiteral("Fortnightly"));
    w->chkFriday->setChecked(true);
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(sequence(QStringLiteral("Fortnightly")), 2);
    EXPECT_EQ(sequence(QStringLiteral("Tuesday")), 2);

    // Moves not yet written are lost when a save reloads the list.
    select(w, QStringLiteral("Other"));
    w->cmdUp_Click();
    w->cmdEdit_Click();
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(listed(w).last(), "Other");

    // Closing numbers the patterns without gaps.
    EXPECT_TRUE(w->unload());
    EXPECT_EQ(count(QStringLiteral("SELECT DISTINCT Sequence FROM Days")), 12);
    EXPECT_EQ(value(QStringLiteral("SELECT Max(Sequence) FROM Days")).toInt(), 11);
}

} // namespace
