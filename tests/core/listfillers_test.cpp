#include "core/globaldata.h"
#include "core/listfillers.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "support/tempdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>

TEST(StatusColours, EachStatusHasItsColour)
{
    const struct
    {
        const char *status;
        const char *colour;
    } cases[] = {
        {"Confirmed", "16777215"}, {"Moved", "8454016"}, {"Cancelled", "8421631"},
        {"No Show", "12583104"},   {"Waiting", "65535"}, {"Tentative", "16777088"},
        {"confirmed", "192"},      {"Catch Up", "192"},  {"", "192"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imodGlobalSubs::GetStatusColour(c.status), c.colour) << c.status;
}

TEST(ResultWords, AreReducedWithoutRegardToCase)
{
    EXPECT_EQ(imodGlobalSubs::NormaliseResultWord("competent"), "C");
    EXPECT_EQ(imodGlobalSubs::NormaliseResultWord("Achieved"), "Pass");
    EXPECT_EQ(imodGlobalSubs::NormaliseResultWord("Not Yet Competent"), "NYC");
    EXPECT_EQ(imodGlobalSubs::NormaliseResultWord("Competent."), "Competent.");
    EXPECT_EQ(imodGlobalSubs::NormaliseResultWord("Partly"), "Partly");
}

TEST(ShiftString, ScramblesAndUnscramblesWithTheSameKey)
{
    EXPECT_EQ(imodGlobalSubs::ShiftString("Secret", true, 0), "Secret");
    EXPECT_EQ(imodGlobalSubs::ShiftString("abc", true, 1), "`ab");
    EXPECT_EQ(imodGlobalSubs::ShiftString("abc", false, 1), "bcd");
    for (const QString &text : {QStringLiteral("Pa55word!"), QStringLiteral("O'Brien 2009"),
                                QStringLiteral("caf\u00e9 \u20ac5"), QString()}) {
        for (int key : {1, 7, 31}) {
            const QString scrambled = imodGlobalSubs::ShiftString(text, true, key);
            EXPECT_EQ(imodGlobalSubs::ShiftString(scrambled, false, key), text) << key;
            if (!text.isEmpty()) {
                EXPECT_NE(scrambled, text);
            }
        }
    }
    // A code pushed outside the code page fails rather than wrapping.
    EXPECT_THROW(imodGlobalSubs::ShiftString(QStringLiteral("\u00ff"), false, 1), vb::Error);
    EXPECT_THROW(imodGlobalSubs::ShiftString(QStringLiteral("\x01"), true, 2), vb::Error);
}

TEST(SmallHelpers, ListIndexesFilesAndLetters)
{
    QListWidget list;
    list.addItems({"a", "b"});
    list.setCurrentRow(1);
    EXPECT_EQ(imodGlobalSubs::SetListIndex(&list, 0), 0);
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(imodGlobalSubs::SetListIndex(&list, 2), 380);
    EXPECT_EQ(list.currentRow(), 0);
    QComboBox combo;
    combo.addItems({"a", "b"});
    EXPECT_EQ(imodGlobalSubs::SetComboIndex(&combo, -1), 0);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(imodGlobalSubs::SetComboIndex(&combo, -2), 380);

    ovix::test::TempDir dir;
    const QString file = dir.write("barlogo.bmp", "BM");
    EXPECT_EQ(imodGlobalSubs::CheckFileExists(file), 0);
    EXPECT_EQ(imodGlobalSubs::CheckFileExists(dir.file("parentback.bmp")), -1);
    EXPECT_EQ(imodGlobalSubs::CheckFileExists(dir.path()), -1); // a folder

    EXPECT_EQ(Global::ColumnNumberForLetter("c", 1), 3);
    EXPECT_EQ(Global::ColumnNumberForLetter("A", 1), 1);
    EXPECT_EQ(Global::ColumnNumberForLetter("Z", 1), 26);
    EXPECT_EQ(Global::ColumnNumberForLetter("A", 0), 0);
    for (const char *other : {"", "AB", "1", "?"})
        EXPECT_EQ(Global::ColumnNumberForLetter(other, 1), 0) << other;

    QCheckBox check;
    check.setTristate(true);
    check.setCheckState(Qt::PartiallyChecked);
    EXPECT_FALSE(Global::IsChecked(&check));
    check.setCheckState(Qt::Checked);
    EXPECT_TRUE(Global::IsChecked(&check));
}

TEST(SmallHelpers, MembershipStatusText)
{
    const QDateTime start = vb::makeDateTime(2009, 7, 1);
    EXPECT_EQ(Global::GetMembershipStatusText(0, start, 10, 3), "7 visits left.");
    EXPECT_EQ(Global::GetMembershipStatusText(1, start, 30, 0), "31/07/2009");
    EXPECT_EQ(Global::GetMembershipStatusText(2, start, 0, 0), "No Expiry Date");
    EXPECT_EQ(Global::GetMembershipStatusText(3, start, 0, 0), "Expiry Unknown");
}

TEST(SmallHelpers, PickerDateAndUnloadingByName)
{
    ui::DatePicker picker;
    picker.setValue(vb::makeDateTime(2009, 7, 1, 13, 45));
    EXPECT_EQ(imodGlobalSubs::GetPickerDate(&picker), vb::makeDateTime(2009, 7, 1));
    picker.setCheckBox(true);
    picker.setValue(QVariant());
    ui::DialogScript script;
    script.answer(ui::vbOK);
    EXPECT_EQ(imodGlobalSubs::GetPickerDate(&picker), vb::zeroDate());
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Date Error");
    EXPECT_TRUE(script.shown()[0].text.startsWith("An error occured in DTDate.\r\n"));

    auto *a = ui::Forms::create<ui::Form>();
    a->setObjectName("frmMoveStudent");
    auto *b = ui::Forms::create<ui::Form>();
    b->setObjectName("frmMoveStudent");
    auto *c = ui::Forms::create<ui::Form>();
    c->setObjectName("frmmovestudent");
    EXPECT_EQ(Global::UnloadFormsByName("frmMoveStudent"), 2);
    EXPECT_EQ(ui::Forms::find("frmMoveStudent"), nullptr);
    EXPECT_EQ(ui::Forms::find("frmmovestudent"), c);
    c->unload();
}

class ListFillers : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        auto &db = Global::DbConnection();
        db.execute("CREATE TABLE Students (StudentID COUNTER PRIMARY KEY, [First Name] "
                   "NVARCHAR(50), [Last Name] NVARCHAR(50), Student NVARCHAR(1), Vendor "
                   "NVARCHAR(1), Special NVARCHAR(1), Inactive INT DEFAULT 0)");
    }
    void addPerson(const char *first, const char *last, const char *student, const char *vendor,
                   const char *special = "N", int inactive = 0)
    {
        Global::DbConnection().execute(
            QStringLiteral("INSERT INTO Students ([First Name], [Last Name], Student, Vendor, "
                           "Special, Inactive) VALUES (%1, %2, '%3', '%4', '%5', %6)")
                .arg(QLatin1String(first), QLatin1String(last), QLatin1String(student),
                     QLatin1String(vendor), QLatin1String(special))
                .arg(inactive));
    }
};

TEST_F(ListFillers, StudentAndFamilyLists)
{
    addPerson("'Ann'", "'Lee'", "Y", "N");
    addPerson("'Bo'", "'O''Hara'", "Y", "N");
    addPerson("'Cy'", "'Gone'", "Y", "N", "N", 1);
    addPerson("'Di'", "'Special'", "Y", "N", "Y");
    addPerson("Null", "'Smith'", "N", "Y");

    QComboBox combo;
    QLabel count;
    imodGlobalSubs::FillStudentList(&combo, false, &count);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "Lee, Ann (SID#1)");
    EXPECT_EQ(combo.itemText(1), "O'Hara, Bo (SID#2)");
    EXPECT_EQ(count.text(), "2 students on file");
    imodGlobalSubs::FillStudentList(&combo, true, &count);
    EXPECT_EQ(combo.itemText(1), "Bo O'Hara (SID#2)");
    EXPECT_EQ(combo.currentIndex(), -1);

    // The text shown before is put back.
    combo.setCurrentIndex(1);
    imodGlobalSubs::FillStudentList(&combo, true, &count);
    EXPECT_EQ(combo.currentIndex(), 1);

    imodGlobalSubs::FillFamilyList(&combo, false, &count);
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.itemText(0), "Smith,  (ID#5)"); // a Null name adds nothing
    EXPECT_EQ(count.text(), "1 families on file");

    // The caller's own statement; a bad one leaves an empty list and a count of 0.
    imodGlobalSubs::FillStudentList(&combo, true, &count,
                                    "SELECT StudentID, [First Name], [Last Name] FROM Students "
                                    "WHERE Special = 'Y'");
    EXPECT_EQ(combo.itemText(0), "Di Special (SID#4)");
    imodGlobalSubs::FillStudentList(&combo, true, &count, "SELECT * FROM Nowhere");
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(count.text(), "0 students on file");
}

TEST_F(ListFillers, AStudentNoLongerListedLeavesTheOldIndexSelected)
{
    for (const char *name : {"'A'", "'B'", "'C'", "'D'", "'E'"})
        addPerson(name, "'X'", "Y", "N");
    QComboBox combo;
    QLabel count;
    imodGlobalSubs::FillStudentList(&combo, true, &count);
    combo.setCurrentIndex(3);
    Global::DbConnection().execute("UPDATE Students SET Inactive = 1 WHERE StudentID = 4");
    imodGlobalSubs::FillStudentList(&combo, true, &count);
    EXPECT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.currentText(), "E X (SID#5)");

    Global::DbConnection().execute("UPDATE Students SET Inactive = 1 WHERE StudentID > 1");
    imodGlobalSubs::FillStudentList(&combo, true, &count);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentIndex(), -1); // the list is now shorter: nothing
}

TEST_F(ListFillers, EmptyDataFileGivesAnEmptyList)
{
    QListWidget list;
    list.addItem("old");
    QLabel count;
    imodGlobalSubs::FillStudentList(&list, true, &count);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(count.text(), "0 students on file");
}

TEST_F(ListFillers, LevelListAppendsActiveLevels)
{
    auto &db = Global::DbConnection();
    db.execute("CREATE TABLE Levels (LevelID INT, Description NVARCHAR(50), Unit NVARCHAR(20), "
               "Duration INT, Inactive INT)");
    db.execute("INSERT INTO Levels VALUES (1, 'Level 1', 'Forever', 0, 0)");
    db.execute("INSERT INTO Levels VALUES (2, 'Old Level', 'Forever', 0, 1)");
    QListWidget list;
    list.addItem("(None)");
    imodGlobalSubs::FillLevelList(&list);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(1)->text(), "Level 1");
}

TEST_F(ListFillers, DueCancellationsAndCharges)
{
    auto &db = Global::DbConnection();
    db.execute("CREATE TABLE Bookings (BookingID COUNTER, StudentID INT, ClassID INT, Status "
               "NVARCHAR(20), CancelDate DATE)");
    const QDate today = vb::Date().date();
    const auto add = [&](const char *status, int days) {
        db.execute(QStringLiteral("INSERT INTO Bookings (Status, CancelDate) VALUES ('%1', #%2#)")
                       .arg(QLatin1String(status), today.addDays(days).toString("yyyy-MM-dd")));
    };
    add("Confirmed", -1);
    add("Confirmed", 0);
    add("Cancelled", -3);
    add("Moved", -3);
    add("Waiting", -30);
    EXPECT_EQ(imodGlobalSubs::CountDueCancellations(), 2);

    // No ChargeDate table yet: made, and nothing is due.
    ui::DialogScript script;
    EXPECT_EQ(imodGlobalSubs::CountDueCharges(), 0);
    EXPECT_TRUE(db.tableExists("ChargeDate"));
    db.execute(QStringLiteral("INSERT INTO ChargeDate (ProgramID, [Date], Amount, Run) VALUES "
                              "(1, #%1#, 10, 0)")
                   .arg(today.toString("yyyy-MM-dd")));
    db.execute(QStringLiteral("INSERT INTO ChargeDate (ProgramID, [Date], Amount, Run) VALUES "
                              "(1, #%1#, 10, 1)")
                   .arg(today.addDays(-7).toString("yyyy-MM-dd")));
    db.execute(QStringLiteral("INSERT INTO ChargeDate (ProgramID, [Date], Amount, Run) VALUES "
                              "(1, #%1#, 10, 0)")
                   .arg(today.addDays(1).toString("yyyy-MM-dd")));
    EXPECT_EQ(imodGlobalSubs::CountDueCharges(), 1);
    EXPECT_TRUE(script.shown().isEmpty());

    // Any other failure is reported and gives no value.
    db.execute("DROP TABLE ChargeDate");
    db.execute("CREATE TABLE ChargeDate (ChargeDateID COUNTER, [Date] DATE)");
    script.answer(ui::vbOK);
    EXPECT_EQ(imodGlobalSubs::CountDueCharges(), std::nullopt);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_TRUE(script.shown()[0].text.contains(" has encountered an error when searching for "
                                                "charges. (Err#"));
}
