#include "accessfixture.h"

#include "platform/ui/dialogs.h"

#include "access/accounts.h"
#include "access/frmcentreinfo.h"
#include "access/frmchangepass.h"
#include "access/frmusers.h"
#include "access/signin.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/lookups.h"
#include "core/passwords.h"
#include "platform/ui/forms.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

// Passwords: what reaches the statement log and how they are stored and checked.
class AccountSecurityTest : public AccessTest
{
protected:
    void SetUp() override
    {
        AccessTest::SetUp();
        Global::CurrentUserId = QStringLiteral("ANN");
    }
    QString stored(const char *user)
    {
        return value(QStringLiteral("SELECT Password FROM Users WHERE UserID = '%1'")
                         .arg(QLatin1String(user)))
            .toString();
    }
    // Everything the statement log holds.
    QString log()
    {
        QString all;
        QDirIterator it(Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/Logs"),
                        QDir::Files);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly))
                all += QString::fromUtf8(f.readAll());
        }
        return all;
    }
    void selectUser(frmUsers *w, const QString &text)
    {
        const auto found = w->lstUsers->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        w->lstUsers->setCurrentItem(found.first());
    }
};

TEST_F(AccountSecurityTest, NoPasswordReachesTheStatementLog)
{
    // The log is written at all: a statement of another kind is there.
    exec(QStringLiteral("UPDATE CentreInfo SET UserID = 'logged'"));
    Global::AdaptSql(QStringLiteral("UPDATE CentreInfo SET ABN = 'marker';"));
    ASSERT_TRUE(log().contains(QStringLiteral("marker")));

    auto *users = ui::Forms::shared<frmUsers>();
    users->showForm();
    users->LoadUp(false, false, QString());
    users->cmdNew_Click();
    users->txtField[0]->setText(QStringLiteral("BOB"));
    users->txtField[1]->setText(QStringLiteral("Bob"));
    users->txtField[2]->setText(QStringLiteral("firstPW1"));
    ASSERT_TRUE(users->cmdSave_Click());

    selectUser(users, QStringLiteral("Bob"));
    users->cmdEdit_Click();
    users->txtField[2]->setText(QStringLiteral("secondPW2"));
    emit users->txtField[2]->textEdited(users->txtField[2]->text());
    ASSERT_TRUE(users->cmdSave_Click());
    users->unload(ui::CloseReason::Code);

    auto *change = ui::Forms::shared<frmChangePass>();
    change->showForm();
    change->cboUsername->setCurrentText(QStringLiteral("BOB - Bob"));
    change->txtPassword->setText(QStringLiteral("secondPW2"));
    change->txtNew1->setText(QStringLiteral("thirdPW3"));
    change->txtNew2->setText(QStringLiteral("thirdPW3"));
    script->answer(ui::vbOK);
    change->cmdOK_Click();
    flush();
    ASSERT_EQ(script->shown().last().title, "All Done");
    EXPECT_TRUE(Global::PasswordMatches(stored("BOB"), QStringLiteral("thirdPW3")));

    users = ui::Forms::shared<frmUsers>();
    users->showForm();
    users->LoadUp(false, false, QString());
    selectUser(users, QStringLiteral("Bob"));
    script->answer(ui::vbYes);
    users->cmdDelete_Click();
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Users WHERE UserID = 'BOB'")).toInt(), 0);

    // The e-mail account's password of the centre settings.
    auto *centre = ui::Forms::shared<frmCentreInfo>();
    centre->showForm();
    centre->texts.value(QStringLiteral("txtEmailPassword"))->setText(QStringLiteral("mailPW4"));
    centre->cmdOK_Click();
    EXPECT_EQ(Global::CentreSettings().Settings(int(CentreSettingIds::EmailPassword)).toString(),
              "mailPW4");

    const QString text = log();
    for (const char *secret : {"firstPW1", "secondPW2", "thirdPW3", "mailPW4", "pbkdf2"})
        EXPECT_FALSE(text.contains(QLatin1String(secret))) << secret;
}

// Every check of a typed password: a plain value from an older file works once
// and is replaced by its hash; a wrong one is refused and changes nothing.
TEST_F(AccountSecurityTest, PlainPasswordIsHashedAtItsFirstGoodCheck)
{
    struct Check
    {
        const char *name;
        std::function<bool(const QString &)> check;
    };
    const QList<Check> checks = {
        {"sign-in",
         [](const QString &pw) { return useraccess::LoginUser(QStringLiteral("ann"), pw, true); }},
        {"CheckUserPassword",
         [](const QString &pw) { return Global::CheckUserPassword(QStringLiteral("ANN"), pw, false); }},
    };
    for (const Check &c : checks) {
        exec(QStringLiteral("UPDATE Users SET Password = 'Secret' WHERE UserID = 'ANN'"));
        script->answer(ui::vbOK);
        EXPECT_FALSE(c.check(QStringLiteral("secret"))) << c.name;
        EXPECT_EQ(stored("ANN"), "Secret") << c.name;
        EXPECT_TRUE(c.check(QStringLiteral("Secret"))) << c.name;
        const QString hash = stored("ANN");
        EXPECT_TRUE(Global::IsPasswordHash(hash)) << c.name;
        EXPECT_TRUE(c.check(QStringLiteral("Secret"))) << c.name << " with the hash";
        EXPECT_EQ(stored("ANN"), hash) << c.name << ": a hash is kept as it is";
        script->answer(ui::vbOK);
        EXPECT_FALSE(c.check(QStringLiteral("Secret "))) << c.name;
        ui::Forms::unloadAll(ui::CloseReason::Code);
        flush();
    }
}

TEST_F(AccountSecurityTest, DefaultUserStaysWithoutPassword)
{
    ASSERT_TRUE(useraccess::LoginUser(QStringLiteral("i"), QString(), true));
    EXPECT_FALSE(Global::IsPasswordHash(stored("i")));
    EXPECT_TRUE(stored("i").isEmpty());
    ui::Forms::unloadAll(ui::CloseReason::Code);
    flush();

    // Saving the default account in the accounts window keeps it without one.
    auto *users = ui::Forms::shared<frmUsers>();
    users->showForm();
    users->LoadUp(false, false, QString());
    selectUser(users, QStringLiteral("Default User"));
    users->cmdEdit_Click();
    ASSERT_TRUE(users->cmdSave_Click());
    EXPECT_TRUE(stored("i").isEmpty());
}

// The accounts window never shows the stored password: an untouched box keeps
// it, a typed one replaces it, and only an account left without one is refused.
TEST_F(AccountSecurityTest, AccountsWindowKeepsOrReplacesThePassword)
{
    auto *w = ui::Forms::shared<frmUsers>();
    w->showForm();
    w->LoadUp(false, false, QString());
    selectUser(w, QStringLiteral("Ann Lee"));
    EXPECT_TRUE(w->txtField[2]->text().isEmpty());
    EXPECT_EQ(w->txtField[2]->placeholderText(), "(unchanged)");

    w->cmdEdit_Click();
    w->txtField[1]->setText(QStringLiteral("Ann Lee-Smith"));
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(stored("ANN"), "Secret") << "untouched: kept as stored";

    selectUser(w, QStringLiteral("Ann Lee-Smith"));
    w->cmdEdit_Click();
    w->txtField[2]->setText(QString());
    emit w->txtField[2]->textEdited(QString());
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(script->shown().last().title, "Sorry!");

    w->txtField[2]->setText(QStringLiteral("N3w"));
    emit w->txtField[2]->textEdited(w->txtField[2]->text());
    ASSERT_TRUE(w->cmdSave_Click());
    EXPECT_TRUE(Global::PasswordMatches(stored("ANN"), QStringLiteral("N3w")));
    EXPECT_FALSE(Global::PasswordMatches(stored("ANN"), QStringLiteral("Secret")));

    // An account stored without a password cannot be saved untouched.
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('NP', 'No Pass', "
                        "Null)"));
    w->LoadUp(false, false, QString());
    selectUser(w, QStringLiteral("No Pass"));
    EXPECT_TRUE(w->txtField[2]->placeholderText().isEmpty());
    w->cmdEdit_Click();
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(script->shown().last().title, "Sorry!");
    script->answer(ui::vbNo); // closing while editing asks
}
