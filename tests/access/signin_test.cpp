#include "accessfixture.h"

#include "platform/ui/dialogs.h"

#include "access/frmlogin.h"
#include "access/frmnamebar.h"
#include "access/permissions.h"
#include "access/signin.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "platform/ui/forms.h"
#include "support/screenshot.h"

#include <QLabel>
#include <QLineEdit>
#include <stdexcept>

using useraccess::LoginUser;

namespace {

const QString invalidUser = QStringLiteral("Invalid Username");
const QString wrongPassword = QStringLiteral("Incorrect Password");

} // namespace

class SignInTest : public AccessTest
{
protected:
    // The log-in window as the failed sign-in left it: shown, with the ID kept.
    void expectBackAtLogin(const QString &typedId)
    {
        ui::Form *login = loaded(QStringLiteral("frmLogin"));
        ASSERT_NE(login, nullptr);
        EXPECT_TRUE(login->isVisible());
        EXPECT_EQ(login->findChild<QLineEdit *>(QStringLiteral("txtUserID"))->text(), typedId);
        EXPECT_TRUE(login->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->text().isEmpty());
        EXPECT_EQ(loaded(QStringLiteral("frmParent")), nullptr);
        EXPECT_EQ(loaded(QStringLiteral("frmLoadUp")), nullptr);
    }
    QString centreUser()
    {
        return value(QStringLiteral("SELECT UserID FROM CentreInfo")).toString();
    }
};

TEST_F(SignInTest, RightPasswordSignsInAndOpensTheMainWindow)
{
    exec(QStringLiteral("UPDATE CentreInfo SET UserID = 'someone'"));
    makers[QStringLiteral("frmLoadUp")]()->load();
    ASSERT_TRUE(LoginUser(QStringLiteral("ann"), QStringLiteral("Secret"), true));

    EXPECT_EQ(Global::CurrentUserId, "ANN");
    EXPECT_EQ(Global::CurrentUserName, "Ann Lee");
    EXPECT_EQ(Global::SignOutCaption, "Sign out");
    EXPECT_EQ(Global::CurrentUserRights().Permissions(0), 1);
    EXPECT_EQ(Global::CurrentUserRights().Permissions(17), 2);
    EXPECT_EQ(centreUser(), "ann");
    EXPECT_EQ(steps, QStringList({"Validating username and password...", "Logging in as Ann Lee...",
                                  "Checking User Access permissions...", "Finalising login...",
                                  "Loading User Interface..."}));
    ASSERT_NE(loaded(QStringLiteral("frmParent")), nullptr);
    EXPECT_TRUE(loaded(QStringLiteral("frmParent"))->isVisible());
    EXPECT_TRUE(loaded(QStringLiteral("Main"))->isVisible());
    EXPECT_EQ(loaded(QStringLiteral("frmLoadUp")), nullptr);
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(SignInTest, RefusedSignInsReturnToTheLogInWindow)
{
    struct Case
    {
        const char *id;
        const char *password;
        bool capsLock;
        const char *title;
        const char *text;
    } cases[] = {
        {"ann", "secret", false, "Incorrect Password", "The password you entered was incorrect."},
        {"ANN", "", false, "Incorrect Password", "The password you entered was incorrect."},
        {"ann", "SECRET", true, "Incorrect Password",
         "The password you entered was incorrect. Please check the password and try again.\r\n"
         "Ovix has detected that the Caps Lock is on which may be causing you to type your "
         "password incorrectly."},
        {"bob", "Secret", false, "Invalid Username", "The username could not be found."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id + std::string(" ") + c.password);
        useraccess::SetCapsLockProbe([&c] { return c.capsLock; });
        ui::DialogScript boxes;
        boxes.answer(ui::vbOK);
        EXPECT_FALSE(LoginUser(QString::fromLatin1(c.id), QString::fromLatin1(c.password), true));
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].title, c.title);
        EXPECT_EQ(boxes.shown()[0].text, c.text);
        EXPECT_EQ(boxes.shown()[0].icon, ui::vbCritical);
        EXPECT_TRUE(Global::CurrentUserId.isEmpty());
        expectBackAtLogin(QString::fromLatin1(c.id));
        EXPECT_NE(centreUser(), QString::fromLatin1(c.id));
    }
}

// A password never set lets in only an empty typed password; an empty one too.
TEST_F(SignInTest, NullPasswordMatchesOnlyAnEmptyPassword)
{
    exec(QStringLiteral("UPDATE Users SET Password = Null WHERE UserID = 'ANN'"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(LoginUser(QStringLiteral("ann"), QStringLiteral("anything"), true));
    EXPECT_EQ(script->shown().value(0).title, wrongPassword);
    EXPECT_TRUE(LoginUser(QStringLiteral("ann"), QString(), true));
    EXPECT_EQ(Global::CurrentUserId, "ANN");
}

TEST_F(SignInTest, UserIdWithAQuoteSignsIn)
{
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('O''BRIEN', '', "
                        "'pw')"));
    ASSERT_TRUE(LoginUser(QStringLiteral("o'brien"), QStringLiteral("pw"), true));
    EXPECT_EQ(Global::CurrentUserId, "O'BRIEN");
    EXPECT_EQ(Global::CurrentUserName, QString());
    EXPECT_TRUE(steps.contains(QStringLiteral("Logging in as ...")));
    EXPECT_EQ(centreUser(), "o'brien");
}

TEST_F(SignInTest, DefaultUserSignsInWithoutPasswordAndIsNotRecorded)
{
    exec(QStringLiteral("UPDATE CentreInfo SET UserID = 'ann'"));
    ASSERT_TRUE(LoginUser(QStringLiteral("I"), QString(), false));
    EXPECT_EQ(Global::CurrentUserId, "i");
    EXPECT_TRUE(steps.contains(QStringLiteral("Logging in as the default user...")));
    EXPECT_EQ(centreUser(), "ann");
    EXPECT_EQ(Global::CurrentUserRights().Permissions(19), 1);

    exec(QStringLiteral("DELETE FROM Users WHERE UserID = 'i'"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(LoginUser(QStringLiteral("i"), QString(), false));
    EXPECT_EQ(script->shown().value(0).title, invalidUser);
}

TEST_F(SignInTest, DisplayCalendarShowsTheAlertsFirst)
{
    Global::CentreSettings().setSettings(int(CentreSettingIds::DisplayCalendar), 1);
    ASSERT_TRUE(LoginUser(QStringLiteral("i"), QString(), false));
    EXPECT_TRUE(loaded(QStringLiteral("frmAlerts"))->isVisible());
    ASSERT_NE(loaded(QStringLiteral("Main")), nullptr);
    EXPECT_FALSE(loaded(QStringLiteral("Main"))->isVisible());
}

// A failure while finding the user never signs anyone in, whatever the answer;
// a failure after that asks, and Yes goes on while No returns to the log-in window.
TEST_F(SignInTest, FailedLookUpNeverSignsIn)
{
    exec(QStringLiteral("DROP TABLE Users"));
    script->answer(ui::vbYes);
    EXPECT_FALSE(LoginUser(QStringLiteral("ann"), QStringLiteral("Secret"), true));
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Login User Error");
    EXPECT_TRUE(script->shown()[0].text.startsWith("An error occurred when logging in the user. "));
    EXPECT_TRUE(script->shown()[0].text.endsWith("Do you want Ovix to continue loading?"));
    EXPECT_TRUE(Global::CurrentUserId.isEmpty());
    expectBackAtLogin(QStringLiteral("ann"));
}

// After the user is found, a failing step asks: Yes goes on, No returns to the
// log-in window.
TEST_F(SignInTest, ErrorQuestionAfterTheUserIsFound)
{
    makers[QStringLiteral("frmParent")] = []() -> ui::Form * {
        throw std::runtime_error("no main window");
    };
    script->answer(ui::vbYes);
    EXPECT_TRUE(LoginUser(QStringLiteral("ann"), QStringLiteral("Secret"), true));
    EXPECT_EQ(Global::CurrentUserId, "ANN");
    EXPECT_EQ(script->shown().value(0).title, "Login User Error");
    EXPECT_EQ(centreUser(), "ann");
    EXPECT_EQ(loaded(QStringLiteral("frmLoadUp")), nullptr);

    ui::Forms::unloadAll(ui::CloseReason::Code);
    flush();
    script->answer(ui::vbNo);
    EXPECT_FALSE(LoginUser(QStringLiteral("i"), QString(), false));
    EXPECT_TRUE(loaded(QStringLiteral("frmLogin"))->isVisible());
    EXPECT_EQ(loaded(QStringLiteral("Main")), nullptr);
}

TEST_F(SignInTest, LogInWindowButtons)
{
    Global::CentreSettings().setSettings(int(CentreSettingIds::UserID), QStringLiteral("ann"));
    auto *login = ui::Forms::shared<frmLogin>();
    login->showForm();
    ovix::test::saveScreenshot(login, QStringLiteral("frmLogin"));
    EXPECT_EQ(login->caption(), "Login");
    EXPECT_EQ(login->txtUserID->text(), "ann");

    login->txtUserID->clear();
    script->answer(ui::vbOK);
    login->cmdOK_Click();
    EXPECT_EQ(script->shown().value(0).text, "You must enter a User ID, or click Auto-Login");
    EXPECT_TRUE(login->isVisible());

    login->txtUserID->setText(QStringLiteral("ann"));
    login->txtPassword->setText(QStringLiteral("Secret"));
    login->cmdOK_Click();
    EXPECT_FALSE(login->isVisible());
    EXPECT_TRUE(login->txtPassword->text().isEmpty());
    EXPECT_EQ(Global::CurrentUserId, "ANN");

    useraccess::SignOut();
    EXPECT_EQ(loaded(QStringLiteral("frmParent")), nullptr);
    EXPECT_TRUE(login->isVisible());
    login->CoolButton1_Click();
    EXPECT_EQ(Global::CurrentUserId, "i");
    EXPECT_TRUE(loaded(QStringLiteral("frmParent"))->isVisible());
}

TEST_F(SignInTest, ExitReleasesTheWorkstationAndEndsThroughTheBackup)
{
    exec(QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES (%1, 1)")
             .arg(Global::SqlText(Global::GetWorkstationName())));
    ASSERT_TRUE(LoginUser(QStringLiteral("i"), QString(), false));
    auto *login = ui::Forms::shared<frmLogin>();
    login->showForm();
    login->cmdClose_Click();
    flush();
    EXPECT_EQ(value(QStringLiteral("SELECT InUse FROM Computers")).toInt(), 0);
    EXPECT_EQ(loaded(QStringLiteral("frmParent")), nullptr);
    EXPECT_EQ(loaded(QStringLiteral("frmLogin")), nullptr);
    auto *backup = qobject_cast<AccessFakeWindow *>(loaded(QStringLiteral("frmBackup")));
    ASSERT_NE(backup, nullptr);
    EXPECT_EQ(backup->onClose, 1);
}

TEST_F(SignInTest, NameBarShowsTheUserAndSignsOut)
{
    ASSERT_TRUE(LoginUser(QStringLiteral("ann"), QStringLiteral("Secret"), true));
    auto *bar = ui::Forms::shared<frmNameBar>();
    bar->Reload();
    EXPECT_EQ(bar->Label1->text(), "Ann Lee");
    EXPECT_EQ(bar->Label2->text(), "Sign out");
    EXPECT_GE(bar->width(), 50);

    bar->Label2_Click();
    flush();
    EXPECT_EQ(loaded(QStringLiteral("frmParent")), nullptr);
    EXPECT_TRUE(loaded(QStringLiteral("frmLogin"))->isVisible());
    EXPECT_EQ(Global::CurrentUserId, "ANN");
}
