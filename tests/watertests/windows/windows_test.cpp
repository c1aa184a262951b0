#include "watertests/watertestfixture.h"

#include "access/authorisation.h"
#include "access/frmpassword.h"
#include "access/permissions.h"
#include "core/frmconfirmdelete.h"
#include "core/listcontrol.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"
#include "watertests/testentry.h"
#include "watertests/testlist.h"
#include "watertests/windows/frmwatertestdetail.h"
#include "watertests/windows/frmwatertesting.h"
#include "watertests/windows/register.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class WaterTestWindowsTest : public WaterTestsTest
{
protected:
    void SetUp() override
    {
        WaterTestsTest::SetUp();
        watertests::SetClock([] { return vb::makeDateTime(2010, 6, 15, 14, 30); });
        watertests::RegisterWaterTestWindows(
            [this](const ui::FlexGrid *grid, const QString &title, const QString &sub) {
                printed << title << sub << grid->textMatrix(0, 1);
            });
        ui::RegisterWindow(QStringLiteral("frmPassword"),
                           [] { return ui::Forms::shared<frmPassword>(); });
        ovix::test::Exec(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Baby Pool')"));
        babyPool = value(QStringLiteral("SELECT AreaID FROM PoolAreas WHERE AreaName = 'Baby "
                                        "Pool'"))
                       .toInt();
        mainPool = value(QStringLiteral("SELECT AreaID FROM PoolAreas WHERE AreaName = 'Main "
                                        "Pool'"))
                       .toInt();
    }
    void TearDown() override
    {
        watertests::SetClock({});
        ui::RegisterWindow(QStringLiteral("frmPassword"), {});
        WaterTestsTest::TearDown();
    }

    frmWaterTesting *openList()
    {
        auto *w = static_cast<frmWaterTesting *>(
            ui::LoadWindowByName(QStringLiteral("frmWaterTesting")));
        w->showForm();
        return w;
    }
    static QStringList months(frmWaterTesting *w)
    {
        QStringList out;
        for (int i = 0; i < w->cboMonth->count(); ++i)
            out << w->cboMonth->itemText(i);
        return out;
    }
    static QStringList ids(frmWaterTesting *w)
    {
        QStringList out;
        for (int r = 1; r < w->grd->rows(); ++r)
            out << w->grd->textMatrix(r, 0);
        return out;
    }
    static void choose(QComboBox *list, const QString &text)
    {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << qPrintable(text);
        list->setCurrentIndex(i);
    }
    // The edit windows open now, newest last.
    static QList<frmWaterTestDetail *> editWindows()
    {
        QList<frmWaterTestDetail *> out;
        for (ui::Form *f : ui::Forms::all())
            if (auto *d = qobject_cast<frmWaterTestDetail *>(f); d && d->isLoaded())
                out << d;
        return out;
    }
    frmWaterTestDetail *newTest(frmWaterTesting *list)
    {
        list->cmdNew_Click();
        return editWindows().isEmpty() ? nullptr : editWindows().last();
    }
    QString lastMessage() const
    {
        return script->shown().isEmpty() ? QString() : script->shown().last().text;
    }
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    qint32 mainPool = 0;
    qint32 babyPool = 0;
    QStringList printed;
};

TEST_F(WaterTestWindowsTest, MonthListStartsOnTodaysMonth)
{
    Row r;
    r.date = day(2009, 3, 12);
    addTest(r);
    r.date = day(2010, 1, 20);
    addTest(r);
    auto *w = openList();
    EXPECT_EQ(w->windowTitle(), "Water Testing");
    EXPECT_EQ(w->Label2->text(), "Water Testing");
    EXPECT_EQ(w->Label1->text(), "Select Month:");
    EXPECT_EQ(w->Label9->text(), "Select Pool Area:");
    for (auto *b : {w->cmdNew, w->cmdEdit, w->cmdDelTest, w->Command3})
        EXPECT_TRUE(b->isEnabled());
    EXPECT_EQ(w->cmdDelTest->text(), "Delete");
    EXPECT_EQ(w->Command3->text(), "Print Records");
    EXPECT_EQ(months(w), (QStringList{"June 2010", "January 2010", "March 2009"}));
    EXPECT_EQ(w->cboMonth->currentIndex(), 0);
    EXPECT_EQ(w->cboPoolArea->count(), 2);
    EXPECT_EQ(w->cboPoolArea->itemText(0), "Baby Pool"); // sorted by name
    EXPECT_EQ(w->grd->rows(), 1);
    EXPECT_EQ(w->grd->cols(), 11);
    QStringList heads;
    for (int c = 0; c < 11; ++c)
        heads << w->grd->textMatrix(0, c);
    EXPECT_EQ(heads, (QStringList{"ID", "Date", "Time", "Temp", "pH", "Free", "Total", "Diff",
                                  "Alk", "Hard", "Notes"}));
    EXPECT_EQ(w->grd->colWidth(0), 0);
    EXPECT_NEAR(w->grd->colWidth(10), 1550, 15); // to the pixel
    // Nothing selected: Edit and Delete do nothing.
    w->cmdEdit_Click();
    w->cmdDelTest_Click();
    EXPECT_TRUE(editWindows().isEmpty());
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(WaterTestWindowsTest, AreaAndMonthChooseTheTests)
{
    Row r;
    r.area = mainPool;
    r.date = day(2010, 6, 2);
    const qint32 first = addTest(r);
    r.date = day(2010, 6, 30, 23, 0);
    r.temperature = QStringLiteral("Null");
    const qint32 second = addTest(r);
    r.area = babyPool;
    const qint32 baby = addTest(r);
    r.area = mainPool;
    r.date = day(2010, 5, 1);
    const qint32 may = addTest(r);

    auto *w = openList();
    EXPECT_EQ(months(w), (QStringList{"June 2010", "May 2010"}));
    choose(w->cboPoolArea, QStringLiteral("Main Pool"));
    EXPECT_EQ(ids(w), (QStringList{QString::number(first), QString::number(second)}));
    // The last test is selected across the row; its empty temperature shows empty.
    EXPECT_EQ(w->grd->gridRow(), 2);
    EXPECT_EQ(w->grd->gridCol(), 0);
    EXPECT_EQ(w->grd->colSel(), 10);
    EXPECT_EQ(w->grd->textMatrix(2, 3), "");
    EXPECT_EQ(w->grd->textMatrix(1, 3), "27");
    EXPECT_EQ(w->grd->textMatrix(1, 7), "0.3");
    EXPECT_EQ(w->grd->textMatrix(1, 10), "Clear");
    ovix::test::saveScreenshot(w, QStringLiteral("frmWaterTesting"));

    choose(w->cboPoolArea, QStringLiteral("Baby Pool"));
    EXPECT_EQ(w->cboMonth->currentText(), "June 2010");
    EXPECT_EQ(ids(w), QStringList{QString::number(baby)});
    choose(w->cboMonth, QStringLiteral("May 2010"));
    EXPECT_EQ(w->cboPoolArea->currentText(), "Baby Pool");
    EXPECT_TRUE(ids(w).isEmpty());
    choose(w->cboPoolArea, QStringLiteral("Main Pool"));
    EXPECT_EQ(ids(w), QStringList{QString::number(may)});

    // A double click opens the selected test.
    emit w->grd->dblClick();
    ASSERT_EQ(editWindows().size(), 1);
    EXPECT_EQ(editWindows().first()->lngTestID, may);
    EXPECT_EQ(editWindows().first()->intPoolArea, mainPool);

    w->Command3_Click();
    EXPECT_EQ(printed, (QStringList{"Water Testing", "Main Pool, May 2010", "Date"}));
}

TEST_F(WaterTestWindowsTest, NewTestSavedAtOnce)
{
    auto *list = openList();
    choose(list->cboPoolArea, QStringLiteral("Baby Pool"));
    auto *d = newTest(list);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Water Test Details");
    EXPECT_EQ(d->fieldText(1), "15/06/2010");
    EXPECT_EQ(d->fieldText(2), "02:30 PM");
    for (int i = 3; i <= 16; ++i)
        EXPECT_EQ(d->fieldText(i), "") << i;
    ovix::test::saveScreenshot(d, QStringLiteral("frmWaterTestDetail"));
    EXPECT_TRUE(d->cmdSave_Click());
    flush();
    EXPECT_TRUE(editWindows().isEmpty());
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(count(QStringLiteral("pH = 0 AND [Free] = 0 AND Total = 0 AND Comb = 0 AND "
                                   "Alkalinity = 0 AND Hardness = 0 AND AcidIn = 0 AND "
                                   "SaltCellChange = 0 AND SodiumHypo = 0 AND CalciumChloride = 0 "
                                   "AND Temperature = 0 AND Backwash Is Null AND [Name] Is Null "
                                   "AND Notes = ''")),
              1);
    EXPECT_EQ(value(QStringLiteral("SELECT PoolArea FROM WaterTesting")).toInt(), babyPool);
    EXPECT_EQ(value(QStringLiteral("SELECT [Date] FROM WaterTesting")).toDateTime(),
              day(2010, 6, 15));
    EXPECT_EQ(value(QStringLiteral("SELECT [Time] FROM WaterTesting")).toDateTime(),
              day(1899, 12, 30, 14, 30));
    // The list shows it at once.
    EXPECT_EQ(ids(list).size(), 1);
}

TEST_F(WaterTestWindowsTest, ChlorineDifferenceOfferedOnce)
{
    auto *d = newTest(openList());
    d->setFieldText(4, QStringLiteral("1.2"));
    d->setFieldText(5, QStringLiteral("1.5"));
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(d->txtField(6), &in);
    EXPECT_EQ(d->fieldText(6), "0.3");
    d->setFieldText(6, QStringLiteral("0.5"));
    d->txtField_GotFocus(6);
    EXPECT_EQ(d->fieldText(6), "0.5");
    d->setFieldText(6, QString());
    d->setFieldText(5, QStringLiteral("lots"));
    d->txtField_GotFocus(6);
    EXPECT_EQ(d->fieldText(6), "");
}

TEST_F(WaterTestWindowsTest, EachRefusedBoxInOrder)
{
    const struct
    {
        int box;
        const char *text;
        const char *message;
    } cases[] = {
        {1, "31/02/2010", "The Date you entered is not valid. Please correct this."},
        {2, "noon", "The Time you entered is not valid. Please correct this."},
        {3, "abc", "The pH value you entered is not numeric. Please check this and try again."},
        {4, "x", "The Free Chlorine value you entered is not numeric. Please check this and try "
                 "again."},
        {5, "x", "The Total Chlorine value you entered is not numeric. Please check this and try "
                 "again."},
        {6, "x", "The Chlorine Diff value you entered is not numeric. Please check this and try "
                 "again."},
        {7, "x", "The Alkalinity value you entered is not numeric. Please check this and try "
                 "again."},
        {8, "x", "The Hardness value you entered is not numeric. Please check this and try "
                 "again."},
        {10, "x", "The Acid Added value you entered is not numeric. Please check this and try "
                  "again."},
        {11, "x", "The Salt Cell Change value you entered is not numeric. Please check this and "
                  "try again."},
        {12, "x", "The Chlorine Added value you entered is not numeric. Please check this and try "
                  "again."},
        {13, "x", "The Bicarb Added value you entered is not numeric. Please check this and try "
                  "again."},
        {16, "x", "The Temperature value you entered is not numeric. Please check this and try "
                  "again."},
    };
    auto *list = openList();
    for (const auto &c : cases) {
        auto *d = newTest(list);
        d->setFieldText(c.box, QString::fromLatin1(c.text));
        script->answer(ui::vbOK);
        EXPECT_FALSE(d->cmdSave_Click());
        EXPECT_EQ(lastMessage(), QString::fromLatin1(c.message)) << c.box;
        EXPECT_EQ(script->shown().last().title, "Oops!");
        EXPECT_EQ(script->shown().last().icon, ui::vbExclamation);
        EXPECT_TRUE(d->isLoaded());
        EXPECT_EQ(d->fieldText(c.box), QString::fromLatin1(c.text));
        // Numeric boxes checked before the refused one now read 0; later ones are empty.
        if (c.box == 3) {
            EXPECT_EQ(d->fieldText(16), "");
        }
        if (c.box == 16) {
            EXPECT_EQ(d->fieldText(13), "0");
        }
        d->unload(ui::CloseReason::Code);
    }
    EXPECT_EQ(count(), 0);
}

TEST_F(WaterTestWindowsTest, EditKeepsEmptiedTextsButNotes)
{
    Row r;
    r.area = mainPool;
    r.date = day(2010, 6, 2);
    const qint32 id = addTest(r);
    auto *list = openList();
    choose(list->cboPoolArea, QStringLiteral("Main Pool"));
    list->cmdEdit_Click();
    ASSERT_EQ(editWindows().size(), 1);
    auto *d = editWindows().first();
    EXPECT_EQ(d->fieldText(1), "02/06/2010");
    EXPECT_EQ(d->fieldText(2), "9:05:00 AM");
    EXPECT_EQ(d->fieldText(14), "Sam");
    EXPECT_EQ(d->fieldText(16), "27");
    EXPECT_EQ(d->fieldText(15), "Clear");
    d->setFieldText(14, QString());
    d->setFieldText(15, QString());
    d->setFieldText(16, QStringLiteral("27.5"));
    d->setFieldText(3, QStringLiteral("7.6"));
    ASSERT_TRUE(d->cmdSave_Click());
    EXPECT_EQ(count(), 1);
    const QString where = QStringLiteral("TestID = %1 AND ").arg(id);
    EXPECT_EQ(count(where + QStringLiteral("[Name] = 'Sam' AND Notes = '' AND Temperature = 28 "
                                           "AND pH = 7.6 AND [Date] = #2010-06-02#")),
              1);
}

TEST_F(WaterTestWindowsTest, TextsStoredAsTyped)
{
    Global::DateFormat = QStringLiteral("mm/dd/yyyy");
    auto *d = newTest(openList());
    EXPECT_EQ(d->fieldText(1), "06/15/2010");
    d->setFieldText(1, QStringLiteral("3/4/2010"));
    const QString typed = QStringLiteral("O'Brien \"#1\"; <b>&amp;");
    for (int box : {9, 14, 15})
        d->setFieldText(box, typed);
    ASSERT_TRUE(d->cmdSave_Click());
    EXPECT_EQ(value(QStringLiteral("SELECT Backwash FROM WaterTesting")), typed);
    EXPECT_EQ(value(QStringLiteral("SELECT [Name] FROM WaterTesting")), typed);
    EXPECT_EQ(value(QStringLiteral("SELECT Notes FROM WaterTesting")), typed);
    EXPECT_EQ(value(QStringLiteral("SELECT [Date] FROM WaterTesting")).toDateTime(),
              day(2010, 3, 4));
}

TEST_F(WaterTestWindowsTest, ClosingAsksFirst)
{
    auto *list = openList();
    auto *d = newTest(list);
    d->setFieldText(3, QStringLiteral("7.2"));

    script->answer(ui::vbCancel);
    EXPECT_FALSE(d->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(lastMessage(), "Do you want to save changes to this water test?");
    EXPECT_EQ(script->shown().last().title, "Wait a minute");
    EXPECT_EQ(script->shown().last().buttons, ui::vbYesNoCancel);
    EXPECT_EQ(script->shown().last().icon, ui::vbQuestion);
    EXPECT_EQ(d->fieldText(3), "7.2");

    // Yes with an entry the save refuses: the window and the entries stay.
    d->setFieldText(4, QStringLiteral("lots"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(d->unload(ui::CloseReason::ControlMenu));
    EXPECT_TRUE(d->isLoaded());
    EXPECT_EQ(d->fieldText(4), "lots");
    EXPECT_EQ(count(), 0);

    script->answer(ui::vbNo);
    EXPECT_TRUE(d->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(count(), 0);

    // Yes with good entries saves and closes; the program's own close asks nothing.
    d = newTest(list);
    script->answer(ui::vbYes);
    EXPECT_TRUE(d->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(ids(list).size(), 1);
    d = newTest(list);
    const int shown = int(script->shown().size());
    EXPECT_TRUE(d->unload(ui::CloseReason::MdiForm));
    EXPECT_EQ(script->shown().size(), shown);
}

TEST_F(WaterTestWindowsTest, BlockedWriteKeepsTheWindow)
{
    Row r;
    r.area = mainPool;
    r.date = day(2010, 6, 2);
    addTest(r);
    block("INSERT");
    block("UPDATE");
    auto *list = openList();
    choose(list->cboPoolArea, QStringLiteral("Main Pool"));
    auto *d = newTest(list);
    script->answer(ui::vbOK);
    EXPECT_FALSE(d->cmdSave_Click());
    // The engine's error number does not fit the saving helper's 16 bits: Overflow.
    EXPECT_EQ(lastMessage(), "An unexpected error occurred (6) when saving the water test.");
    EXPECT_TRUE(d->isLoaded());
    EXPECT_EQ(count(), 1);
    d->unload(ui::CloseReason::Code);

    list->cmdEdit_Click();
    d = editWindows().last();
    d->setFieldText(3, QStringLiteral("6.9"));
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(d->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(d->fieldText(3), "6.9");
    EXPECT_DOUBLE_EQ(value(QStringLiteral("SELECT pH FROM WaterTesting")).toDouble(), 7.4);
}

TEST_F(WaterTestWindowsTest, DeletingTheTestSelectedAtDelete)
{
    Row r;
    r.area = mainPool;
    r.date = day(2010, 6, 2);
    const qint32 first = addTest(r);
    const qint32 second = addTest(r);
    auto *list = openList();
    choose(list->cboPoolArea, QStringLiteral("Main Pool"));
    list->grd->setGridRow(1);
    list->cmdDelTest_Click();
    auto *confirm = qobject_cast<frmConfirmDelete *>(ui::Forms::find("frmConfirmDelete"));
    ASSERT_TRUE(confirm);
    EXPECT_EQ(confirm->txtReason->text(), "Delete Water Test");
    EXPECT_EQ(confirm->txtUserID->text(), "i");
    // The selection moves while the confirmation waits.
    list->grd->setGridRow(2);
    confirm->txtField->setText(QStringLiteral("yes"));
    confirm->cmdOK_Click();
    EXPECT_EQ(count(QStringLiteral("TestID = %1").arg(first)), 0);
    EXPECT_EQ(count(QStringLiteral("TestID = %1").arg(second)), 1);
    EXPECT_EQ(ids(list), QStringList{QString::number(second)});
    // A confirmation with no Delete behind it deletes nothing.
    list->DeleteTest();
    EXPECT_EQ(count(), 1);
}

TEST_F(WaterTestWindowsTest, DeletingWithoutTheRightAsksForAuthorisation)
{
    Row r;
    r.area = mainPool;
    r.date = day(2010, 6, 2);
    addTest(r);
    Global::CurrentUserId = QStringLiteral("nobody");
    auto *list = openList();
    choose(list->cboPoolArea, QStringLiteral("Main Pool"));
    list->cmdDelTest_Click();
    EXPECT_FALSE(ui::Forms::find("frmConfirmDelete"));
    auto *password = qobject_cast<frmPassword *>(ui::Forms::find("frmPassword"));
    ASSERT_TRUE(password);
    EXPECT_EQ(password->mode(), "Delete Water Test");
    EXPECT_EQ(count(), 1);
}

TEST_F(WaterTestWindowsTest, RegisteredByName)
{
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmWaterTesting")));
    EXPECT_TRUE(ui::IsWindowRegistered(QStringLiteral("frmWaterTestDetail")));
    const auto *op = useraccess::FindAuthorisedOperation(QStringLiteral("Water Testing"));
    ASSERT_TRUE(op);
    EXPECT_EQ(op->check, useraccess::PermissionCheck::ByName);
    EXPECT_EQ(op->index, 69);
    // One shared list; a new edit window each time.
    EXPECT_EQ(ui::LoadWindowByName("frmWaterTesting"), ui::LoadWindowByName("frmWaterTesting"));
    EXPECT_NE(ui::CreateWindowByName("frmWaterTestDetail"),
              ui::CreateWindowByName("frmWaterTestDetail"));
}

TEST_F(WaterTestWindowsTest, EditWindowCaptionsAndLimits)
{
    auto *d = newTest(openList());
    QStringList captions;
    for (const auto &b : watertests::EntryBoxes())
        captions << d->lblField(b.index)->text();
    EXPECT_EQ(captions, (QStringList{"Date:", "Time:", "Temperature:", "pH:", "Free Chlorine:",
                                     "Total Chlorine:", "Chlorine Diff:", "Alkalinity:",
                                     "Hardness:", "Chlorine Added:", "Salt Cell Change:",
                                     "Acid Added:", "Bicarb Added:", "Backwashed:",
                                     "Testing Officer:", "Notes:"}));
    QStringList frames;
    for (auto *g : d->findChildren<QGroupBox *>())
        frames << g->title();
    EXPECT_EQ(frames, (QStringList{"Test Results", "Chemical Adjustments"}));
    EXPECT_EQ(d->findChildren<QPushButton *>().size(), 1); // Save only
    d->setFieldText(14, QString(60, QLatin1Char('a')));
    d->setFieldText(15, QString(60, QLatin1Char('b')));
    EXPECT_EQ(d->fieldText(14).size(), 50);
    EXPECT_EQ(d->fieldText(15).size(), 50);
}

} // namespace
