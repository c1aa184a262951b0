#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/color.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/tag.h"
#include "platform/vb/error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

// A small editing window in the shape of the pool-areas window: the key shown
// read-only, the name editable (its tag in lower case), a check box shown only,
// and a Save button whose tag holds the window's state.
struct AreaWindow
{
    QWidget window;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QCheckBox *chkMain = new QCheckBox(&window);
    QPushButton *cmdSave = new QPushButton(&window);

    AreaWindow()
    {
        ui::setTag(txtField.add(0, new QLineEdit(&window)), QStringLiteral("AreaID/R"));
        ui::setTag(txtField.add(1, new QLineEdit(&window)), QStringLiteral(" areaname/e "));
        chkMain->setObjectName(QStringLiteral("chkMain"));
        ui::setTag(chkMain, QStringLiteral("Main/R"));
        cmdSave->setObjectName(QStringLiteral("cmdSave"));
        ui::setTag(cmdSave, QStringLiteral("Add"));
    }
};

} // namespace

class RecordHelpers : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        auto &db = Global::DbConnection();
        db.execute("CREATE TABLE PoolAreas (AreaID COUNTER, AreaName NVARCHAR(50), Main INT, "
                   "Depth DOUBLE)");
        db.execute("INSERT INTO PoolAreas (AreaName, Main, Depth) VALUES ('Main Pool', 1, 2.5)");
        db.execute("INSERT INTO PoolAreas (AreaName, Main, Depth) VALUES ('Toddlers'' Pool', 0, "
                   "3.5)");
        db.execute("INSERT INTO PoolAreas (AreaName, Main, Depth) VALUES ('', 0, Null)");
        db.execute("INSERT INTO PoolAreas (AreaName, Main, Depth) VALUES (Null, 0, 1)");
        db.execute("INSERT INTO PoolAreas (AreaName, Main, Depth) VALUES ('Spa', 0, 1)");
    }

    QString areaName(int id)
    {
        jet::Recordset rs(
            Global::DbConnection(),
            QStringLiteral("SELECT AreaName FROM PoolAreas WHERE AreaID = %1").arg(id));
        return rs.eof() ? QStringLiteral("<none>") : rs.value(0).toString();
    }
};

TEST_F(RecordHelpers, SavesEditableControlsIntoANewRowAndLeavesTheRestAlone)
{
    AreaWindow w;
    w.txtField[0]->setText("99");
    w.txtField[1]->setText("Learners' Pool");
    w.chkMain->setChecked(true);

    auto rs = irecObjectCode::OpenRecordset("SELECT * FROM PoolAreas");
    rs->addNew();
    EXPECT_EQ(irecObjectCode::SaveFormToRecord(&w.window, *rs), 0);
    EXPECT_EQ(irecObjectCode::SaveRecordset(*rs), 0);
    const int id = rs->value("AreaID").toInt();
    EXPECT_EQ(id, 6); // the key the database gave, not the text of the read-only box
    EXPECT_EQ(areaName(id), "Learners' Pool");
    jet::Recordset check(Global::DbConnection(), "SELECT Main FROM PoolAreas WHERE AreaID = 6");
    EXPECT_TRUE(check.value(0).isNull());
}

TEST_F(RecordHelpers, SavesIntoTheRowBeingEdited)
{
    AreaWindow w;
    w.txtField[1]->setText("Deep End");
    auto rs = irecObjectCode::OpenRecordset("SELECT * FROM PoolAreas WHERE AreaID = 2");
    ASSERT_EQ(irecObjectCode::SaveFormToRecord(&w.window, *rs), 0);
    ASSERT_EQ(irecObjectCode::SaveRecordset(*rs), 0);
    EXPECT_EQ(areaName(1), "Main Pool");
    EXPECT_EQ(areaName(2), "Deep End");
}

TEST_F(RecordHelpers, SaveResultCodes)
{
    { // A window bound read-only throughout copies nothing.
        QWidget window;
        ui::setTag(new QLineEdit(&window), "AreaName/R");
        auto rs = irecObjectCode::OpenRecordset("SELECT * FROM PoolAreas WHERE AreaID = 1");
        EXPECT_EQ(irecObjectCode::SaveFormToRecord(&window, *rs), 0);
        EXPECT_EQ(rs->editMode(), jet::EditMode::None);
    }
    { // "Add" is the state of a cmd button, but a tag without "/" elsewhere stops the copy.
        AreaWindow w;
        w.txtField[1]->setText("Changed");
        auto *state = new QLineEdit(&w.window);
        state->setObjectName("txtState");
        ui::setTag(state, "Add");
        auto rs = irecObjectCode::OpenRecordset("SELECT * FROM PoolAreas WHERE AreaID = 1");
        EXPECT_EQ(irecObjectCode::SaveFormToRecord(&w.window, *rs), 9);
        // What was copied before the failure stays pending for the caller to cancel.
        EXPECT_EQ(rs->value("AreaName").toString(), "Changed");
        rs->cancelUpdate();
        EXPECT_EQ(areaName(1), "Main Pool");
    }
    { // A column the row does not have: the engine's number.
        QWidget window;
        ui::setTag(new QLineEdit(&window), "NoSuchColumn/E");
        auto rs = irecObjectCode::OpenRecordset("SELECT * FROM PoolAreas WHERE AreaID = 1");
        EXPECT_EQ(irecObjectCode::SaveFormToRecord(&window, *rs), 3265);
    }
}

TEST_F(RecordHelpers, AnEngineErrorTooWideForTheResultIsNotReportedAsSuccess)
{
    // A row that another connection deleted cannot be written: the engine's number
    // does not fit the 16-bit result, so the caller gets an overflow, not a result
    // that it would read as success.
    auto rs = irecObjectCode::OpenRecordset("SELECT * FROM PoolAreas WHERE AreaID = 1");
    rs->setValue("AreaName", "Gone");
    jet::Connection other(QStringLiteral("Data Source=") + dataFile);
    other.open();
    other.execute("DELETE FROM PoolAreas WHERE AreaID = 1");
    try {
        irecObjectCode::SaveRecordset(*rs);
        FAIL() << "no error";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), vb::err::Overflow);
    }
}

TEST_F(RecordHelpers, EnableBoundControlsColoursEditableControlsOnly)
{
    AreaWindow w;
    for (QWidget *c : {static_cast<QWidget *>(w.txtField[0]), static_cast<QWidget *>(w.txtField[1]),
                       static_cast<QWidget *>(w.chkMain)})
        c->setEnabled(false);
    const QColor grey(0xC0, 0xC0, 0xC0);
    QPalette greyWindow = w.window.palette();
    greyWindow.setColor(QPalette::Base, grey);
    w.txtField[0]->setPalette(greyWindow);

    EXPECT_EQ(irecObjectCode::EnableBoundControls(&w.window, true, ""), 0);
    EXPECT_TRUE(w.txtField[1]->isEnabled());
    EXPECT_EQ(w.txtField[1]->palette().color(QPalette::Base), ui::fromVbColor(0x80000005));
    EXPECT_FALSE(w.txtField[0]->isEnabled()); // "/R": neither enabled nor recoloured
    EXPECT_EQ(w.txtField[0]->palette().color(QPalette::Base), grey);
    EXPECT_FALSE(w.chkMain->isEnabled());
    EXPECT_TRUE(w.cmdSave->isEnabled()); // not bound: its tag is not a binding

    // Disabling recolours every bound control and leaves Enabled as it is.
    EXPECT_EQ(irecObjectCode::EnableBoundControls(&w.window, false, "255"), 0);
    EXPECT_EQ(w.txtField[0]->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(w.txtField[1]->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_TRUE(w.txtField[1]->isEnabled());
    irecObjectCode::EnableBoundControls(&w.window, false, "");
    EXPECT_EQ(w.txtField[1]->palette().color(QPalette::Base),
              w.window.palette().color(QPalette::Window));
}

TEST_F(RecordHelpers, SingleFieldsByKey)
{
    ui::DialogScript script;
    EXPECT_EQ(irecObjectCode::GetIntegerField("PoolAreas", "AreaID", 1, "Depth"),
              2); // half to even
    EXPECT_EQ(irecObjectCode::GetIntegerField("PoolAreas", "AreaID", 2, "Depth"), 4);
    EXPECT_EQ(irecObjectCode::GetStringField("PoolAreas", "AreaID", 2, "AreaName"),
              "Toddlers' Pool");
    EXPECT_EQ(irecObjectCode::GetIntegerField("PoolAreas", "AreaID", 42, "Depth"), 0);
    EXPECT_EQ(irecObjectCode::GetStringField("PoolAreas", "AreaID", 42, "AreaName"), "");
    EXPECT_TRUE(script.shown().isEmpty()); // no row: no message

    script.answer(ui::vbOK).answer(ui::vbOK);
    EXPECT_EQ(irecObjectCode::GetIntegerField("PoolAreas", "AreaID", 3, "Depth"), 0); // Null
    EXPECT_EQ(irecObjectCode::GetStringField("PoolAreas", "AreaID", 1, "Nothing"), "");
    ASSERT_EQ(script.shown().size(), 2);
    EXPECT_EQ(script.shown()[0].title, "Unexpected Error");
    EXPECT_TRUE(script.shown()[0].text.startsWith(
        "There was an error when obtaining the value of the Integer Field from the PoolAreas "
        "Table.\r\nErr#94 - Invalid use of Null.\r\n"));
    EXPECT_TRUE(script.shown()[1].text.startsWith(
        "There was an error when obtaining the value of the String Field from the PoolAreas"));
    EXPECT_TRUE(script.shown()[1].text.endsWith("The operation may not complete as expected."));
}

TEST_F(RecordHelpers, LoadListFromSqlKeepsTheSelectionWhileItFits)
{
    const QString all = "SELECT AreaName FROM PoolAreas ORDER BY AreaID";
    for (QWidget *list :
         std::initializer_list<QWidget *>{new QListWidget, new QComboBox, new ui::SimpleCombo}) {
        std::unique_ptr<QWidget> owner(list);
        SCOPED_TRACE(list->metaObject()->className());
        irecObjectCode::LoadListFromSql(nullptr, list, all);
        ASSERT_EQ(core::listCount(list), 3); // the empty and the Null name are left out
        EXPECT_EQ(core::listIndex(list), 0);
        core::setListIndex(list, 1);
        irecObjectCode::LoadListFromSql(nullptr, list, all + " DESC");
        EXPECT_EQ(core::listIndex(list), 1);
        core::setListIndex(list, 2);
        irecObjectCode::LoadListFromSql(nullptr, list,
                                        "SELECT AreaName FROM PoolAreas WHERE AreaID < 3");
        EXPECT_EQ(core::listCount(list), 2);
        EXPECT_EQ(core::listIndex(list), 0); // the third is gone: the first
    }
}

TEST_F(RecordHelpers, LoadListFromSqlReportsAFailure)
{
    QListWidget list;
    list.addItem("kept?");
    ui::DialogScript script;
    script.answer(ui::vbOK);
    irecObjectCode::LoadListFromSql(nullptr, &list, "SELECT Nothing FROM Nowhere");
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Oops!");
    EXPECT_TRUE(
        script.shown()[0].text.startsWith("An error occurred while loading the list. (Err#"));
    EXPECT_EQ(list.count(), 0); // what it held when the failure came
}

TEST_F(RecordHelpers, FillListFromSqlAppendsOrReplacesAndPassesFailuresOn)
{
    QComboBox combo;
    combo.addItem("(All)");
    irecObjectCode::FillListFromSql(
        &combo, "SELECT AreaName FROM PoolAreas WHERE AreaID <= 3 ORDER BY AreaID", 1);
    EXPECT_EQ(combo.count(), 4); // the empty name too: no filtering
    EXPECT_EQ(combo.itemText(0), "(All)");
    EXPECT_EQ(combo.itemText(2), "Toddlers' Pool");
    irecObjectCode::FillListFromSql(&combo, "SELECT AreaName FROM PoolAreas WHERE AreaID = 5", 0);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_THROW(irecObjectCode::FillListFromSql(&combo, "SELECT AreaName FROM PoolAreas", 0),
                 vb::Error); // the Null name
}
