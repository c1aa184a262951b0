#include "accessfixture.h"

#include "platform/ui/dialogs.h"

#include "access/frmusers.h"
#include "access/permissions.h"
#include "access/signin.h"
#include "core/globaldata.h"
#include "core/passwords.h"
#include "platform/ui/forms.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

class UsersTest : public AccessTest
{
protected:
    frmUsers *open()
    {
        auto *w = ui::Forms::shared<frmUsers>();
        w->showForm();
        w->LoadUp(false, false, QString());
        return w;
    }
    static void select(frmUsers *w, const QString &text)
    {
        const auto found = w->lstUsers->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << qPrintable(text);
        w->lstUsers->setCurrentItem(found.first());
    }
    int flag(const char *user, const char *column)
    {
        return value(QStringLiteral("SELECT [%1] FROM Users WHERE UserID = '%2'")
                         .arg(QLatin1String(column), QLatin1String(user)))
            .toInt();
    }
    QStringList listed(frmUsers *w)
    {
        QStringList out;
        for (int i = 0; i < w->lstUsers->count(); ++i)
            out << w->lstUsers->item(i)->text();
        return out;
    }
};

TEST_F(UsersTest, ShowsAccountsAndTheirRights)
{
    exec(QStringLiteral("UPDATE Users SET [Name] = 'Default' WHERE UserID = 'i'"));
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('NN', Null, 'x')"));
    frmUsers *w = open();
    EXPECT_EQ(listed(w), QStringList({"Ann Lee", "Default", "NN"}));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->txtField[0]->isReadOnly());

    select(w, QStringLiteral("Ann Lee"));
    EXPECT_EQ(w->txtField[0]->text(), "ANN");
    EXPECT_TRUE(w->txtField[2]->text().isEmpty()) << "the stored password is never shown";
    EXPECT_TRUE(w->permissionBox(0)->isChecked());
    EXPECT_FALSE(w->permissionBox(17)->isChecked()) << "2 is not a granted flag";
    EXPECT_TRUE(w->permissionBox(72)->isChecked());
    EXPECT_EQ(w->permissionBox(16), nullptr);
    EXPECT_TRUE(w->shpWarning->isHidden());

    select(w, QStringLiteral("Default"));
    EXPECT_TRUE(w->txtField[2]->text().isEmpty());
    EXPECT_FALSE(w->txtField[2]->isEnabled());
    EXPECT_TRUE(w->lblWarning->text().startsWith("This is the default account."));
    EXPECT_FALSE(w->shpWarning->isHidden());
    ovix::test::saveScreenshot(w, QStringLiteral("frmUsers"));
    w->tabs->setCurrentIndex(1);
    ovix::test::saveScreenshot(w, QStringLiteral("frmUsers-rights"));
}

// A new account starts with no rights, whatever the account shown before had.
TEST_F(UsersTest, NewAccountStartsWithoutRightsAndIsStored)
{
    frmUsers *w = open();
    select(w, QStringLiteral("Ann Lee"));
    w->cmdNew_Click();
    EXPECT_FALSE(w->txtField[0]->isReadOnly());
    for (int i = 0; i < Global::PermissionCount; ++i) {
        if (QCheckBox *box = w->permissionBox(i)) {
            EXPECT_FALSE(box->isChecked()) << i;
        }
    }
    w->txtField[0]->setText(QStringLiteral("o'k"));
    w->txtField[1]->setText(QStringLiteral("Kim O'Hara"));
    w->txtField[2]->setText(QStringLiteral("pa'ss"));
    w->permissionBox(20)->setChecked(true);
    w->permissionBox(63)->setChecked(true);
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(value(QStringLiteral("SELECT [Name] FROM Users WHERE UserID = 'o''k'")).toString(),
              "Kim O'Hara");
    EXPECT_TRUE(Global::PasswordMatches(
        value(QStringLiteral("SELECT Password FROM Users WHERE UserID = 'o''k'")),
        QStringLiteral("pa'ss")));
    EXPECT_EQ(flag("o''k", "UserAccounts"), 1);
    EXPECT_EQ(flag("o''k", "Days"), 1);
    EXPECT_EQ(flag("o''k", "EditClasses"), 0);
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(listed(w).contains(QStringLiteral("Kim O'Hara")));
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(UsersTest, SaveChecksKeepTheEntries)
{
    struct Case
    {
        const char *id;
        const char *password;
        const char *title;
        const char *text;
    } cases[] = {
        {"", "pw", "Oops!", "You must enter a User ID."},
        {"BOB", "", "Sorry!",
         "This account has a zero-length password. You cannot have a blank password."},
        {"ann", "pw", "Oops!",
         "A User Account with this UserID already exists. Please correct this and try again."},
    };
    frmUsers *w = open();
    w->cmdNew_Click();
    for (const Case &c : cases) {
        w->txtField[0]->setText(QString::fromLatin1(c.id));
        w->txtField[1]->setText(QStringLiteral("Typed"));
        w->txtField[2]->setText(QString::fromLatin1(c.password));
        script->answer(ui::vbOK);
        EXPECT_FALSE(w->cmdSave_Click());
        EXPECT_EQ(script->shown().last().title, c.title);
        EXPECT_EQ(script->shown().last().text, c.text);
        EXPECT_TRUE(w->cmdSave->isEnabled());
        EXPECT_EQ(w->txtField[1]->text(), "Typed");
    }
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Users")).toInt(), 2);

    // Closing with Yes and a refused save keeps the window and the entries.
    w->txtField[0]->clear();
    script->answer(ui::vbYes).answer(ui::vbOK);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(loaded(QStringLiteral("frmUsers")), w);
    EXPECT_EQ(w->txtField[1]->text(), "Typed");
    script->answer(ui::vbCancel);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu));
    script->answer(ui::vbNo);
    EXPECT_TRUE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Users")).toInt(), 2);
}

// Editing keeps the flags without a box; the signed-in user's rights change only
// when the window closes.
TEST_F(UsersTest, EditingAnAccountAndReloadingRightsAtClose)
{
    exec(QStringLiteral("UPDATE Users SET ClearAccounts = 1, MarkAttendance = 5 WHERE UserID = "
                        "'ANN'"));
    Global::CurrentUserId = QStringLiteral("ANN");
    Global::LoadCurrentUserRights();
    frmUsers *w = open();
    select(w, QStringLiteral("Ann Lee"));
    w->cmdEdit_Click();
    EXPECT_TRUE(w->txtField[0]->isReadOnly());
    w->txtField[1]->setText(QStringLiteral("Ann Smith"));
    w->permissionBox(0)->setChecked(false);
    w->lblField_Click(11); // Setup: ticks the whole group
    EXPECT_TRUE(w->permissionBox(19)->isChecked());
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(flag("ANN", "EditClasses"), 0);
    EXPECT_EQ(flag("ANN", "CentreInfo"), 1);
    EXPECT_EQ(flag("ANN", "Days"), 1);
    EXPECT_EQ(flag("ANN", "ClearAccounts"), 1);
    EXPECT_EQ(flag("ANN", "MarkAttendance"), 5);
    EXPECT_EQ(value(QStringLiteral("SELECT [Name] FROM Users WHERE UserID = 'ANN'")).toString(),
              "Ann Smith");

    EXPECT_EQ(Global::CurrentUserRights().Permissions(0), 1);
    EXPECT_TRUE(w->unload(ui::CloseReason::ControlMenu));
    EXPECT_EQ(Global::CurrentUserRights().Permissions(0), 0);
    EXPECT_EQ(Global::CurrentUserRights().Permissions(19), 1);
}

TEST_F(UsersTest, HeadingsTickThenClearTheirGroup)
{
    frmUsers *w = open();
    select(w, QStringLiteral("Ann Lee"));
    w->lblField_Click(3); // Classes: EditClasses was ticked, the rest not
    for (int f : {0, 1, 2, 61})
        EXPECT_TRUE(w->permissionBox(f)->isChecked()) << f;
    w->lblField_Click(3);
    for (int f : {0, 1, 2, 61})
        EXPECT_FALSE(w->permissionBox(f)->isChecked()) << f;
    EXPECT_TRUE(w->permissionBox(72)->isChecked()) << "Discounts follows no heading";
    w->lblField_Click(0);
    EXPECT_EQ(w->txtField[0]->text(), "ANN");
}

TEST_F(UsersTest, DeletingAccounts)
{
    frmUsers *w = open();
    select(w, QStringLiteral("Default User"));
    script->answer(ui::vbOK);
    w->cmdDelete_Click();
    EXPECT_EQ(script->shown().last().title, "Hold it right there");

    select(w, QStringLiteral("Ann Lee"));
    script->answer(ui::vbNo);
    w->cmdDelete_Click();
    EXPECT_EQ(script->shown().last().title, "Confirm Delete");
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Users")).toInt(), 2);
    script->answer(ui::vbYes);
    w->cmdDelete_Click();
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Users")).toInt(), 1);
    EXPECT_EQ(listed(w), QStringList({"Default User"}));
}

TEST_F(UsersTest, OneAccountOrANewOneFromTheEmployeeWindow)
{
    auto *w = ui::Forms::shared<frmUsers>();
    w->showForm();
    w->LoadUp(false, true, QStringLiteral("ANN"));
    EXPECT_EQ(listed(w), QStringList({"Ann Lee"}));
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->txtField[0]->isReadOnly());
    w->LoadUp(true, true, QString());
    EXPECT_FALSE(w->txtField[0]->isReadOnly());
    EXPECT_TRUE(w->txtField[0]->text().isEmpty());
    w->txtField[0]->setText(QStringLiteral("NEW"));
    w->txtField[2]->setText(QStringLiteral("pw"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(listed(w).size(), 3) << "an empty filter lists every account";
}

// A display step that fails asks whether to go on; either way no box keeps a tick
// of the account shown before, and the answer Yes shows the remaining boxes.
TEST_F(UsersTest, FailingDisplayStepLeavesNoOtherAccountsTicks)
{
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password, Days) VALUES ('NUL', "
                        "'Null Flag', 'x', 1)"));
    exec(QStringLiteral("UPDATE Users SET EditClasses = Null WHERE UserID = 'NUL'"));
    frmUsers *w = open();
    for (int answer : {ui::vbYes, ui::vbNo}) {
        select(w, QStringLiteral("Ann Lee"));
        ASSERT_TRUE(w->permissionBox(72)->isChecked());
        script->answer(answer);
        select(w, QStringLiteral("Null Flag"));
        ASSERT_EQ(script->shown().last().title, "Error");
        EXPECT_EQ(script->shown().last().text,
                  "An error occurred when loading the user's permissions.\r\nErr#94 - Invalid use "
                  "of Null.\r\n\r\nWould you like to attempt to continue?");
        EXPECT_FALSE(w->permissionBox(72)->isChecked()) << answer;
        EXPECT_FALSE(w->permissionBox(0)->isChecked()) << answer;
        if (answer == ui::vbYes) {
            EXPECT_TRUE(w->permissionBox(63)->isChecked()) << "the steps after the failure run";
            EXPECT_EQ(w->txtField[0]->text(), "NUL");
        }
    }
    // Edit + Save then stores no ticks of another account.
    script->answer(ui::vbYes);
    select(w, QStringLiteral("Ann Lee"));
    script->answer(ui::vbYes);
    select(w, QStringLiteral("Null Flag"));
    w->cmdEdit_Click();
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(flag("NUL", "Discounts"), 0);
    EXPECT_EQ(flag("NUL", "Days"), 1);
}

// Loading the list shows its first account once: one question for one bad flag.
TEST_F(UsersTest, ListLoadShowsTheFirstAccountOnce)
{
    exec(QStringLiteral("UPDATE Users SET EditClasses = Null WHERE UserID = 'ANN'"));
    script->answer(ui::vbYes);
    frmUsers *w = open();
    EXPECT_EQ(w->lstUsers->currentItem()->text(), "Ann Lee");
    EXPECT_EQ(script->shown().size(), 1);
}

TEST_F(UsersTest, ListSortsWithoutRegardToCase)
{
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('ab', 'abe', 'x')"));
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('Zo', 'Zoe', 'x')"));
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('bo', 'bob', 'x')"));
    frmUsers *w = open();
    EXPECT_EQ(listed(w), QStringList({"abe", "Ann Lee", "bob", "Default User", "Zoe"}));
    EXPECT_EQ(w->txtField[0]->text(), "ab") << "the first entry in sorted order is shown";
}

// A database error's own number reaches the question.
TEST_F(UsersTest, DatabaseErrorShowsItsNumber)
{
    frmUsers *w = open();
    exec(QStringLiteral("DROP TABLE Users"));
    script->answer(ui::vbNo);
    w->lstUsers_Click();
    ASSERT_EQ(script->shown().size(), 1);
    const QString text = script->shown().last().text;
    EXPECT_TRUE(text.startsWith("An error occurred when loading the user's permissions.\r\nErr#-"))
        << qPrintable(text);
    EXPECT_FALSE(text.contains("Err#0 ")) << qPrintable(text);
}

TEST_F(UsersTest, GrowsWhileTheWarningShows)
{
    frmUsers *w = open();
    select(w, QStringLiteral("Ann Lee"));
    const int plain = w->height();
    select(w, QStringLiteral("Default User"));
    EXPECT_GT(w->height(), plain);
    select(w, QStringLiteral("Ann Lee"));
    EXPECT_EQ(w->height(), plain);
}
