#include "accessfixture.h"

#include "core/passwords.h"

#include "platform/ui/dialogs.h"

#include "access/frmchangepass.h"
#include "access/signin.h"
#include "core/globaldata.h"
#include "platform/ui/forms.h"

#include <QComboBox>
#include <QLineEdit>

class ChangePassTest : public AccessTest
{
protected:
    frmChangePass *open()
    {
        auto *w = ui::Forms::shared<frmChangePass>();
        w->showForm();
        return w;
    }
    static void type(frmChangePass *w, const char *current, const char *new1, const char *new2)
    {
        w->txtPassword->setText(QString::fromLatin1(current));
        w->txtNew1->setText(QString::fromLatin1(new1));
        w->txtNew2->setText(QString::fromLatin1(new2));
    }
    QString passwordOf(const char *user)
    {
        return value(QStringLiteral("SELECT Password FROM Users WHERE UserID = '%1'")
                         .arg(QLatin1String(user)))
            .toString();
    }
};

TEST_F(ChangePassTest, ListsAccountsButTheDefaultAndPreselectsTheUser)
{
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('BOB', '', 'b')"));
    Global::CurrentUserId = QStringLiteral("BOB");
    Global::CurrentUserName.clear();
    frmChangePass *w = open();
    QStringList entries;
    for (int i = 0; i < w->cboUsername->count(); ++i)
        entries << w->cboUsername->itemText(i);
    entries.sort();
    EXPECT_EQ(entries, QStringList({"ANN - Ann Lee", "BOB - "}));
    EXPECT_EQ(w->cboUsername->currentText(), "BOB - ");
}

TEST_F(ChangePassTest, RefusalsKeepTheEntries)
{
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('NUL', 'N', Null)"));
    struct Case
    {
        const char *account;
        const char *current;
        const char *new1;
        const char *new2;
        const char *text;
    } cases[] = {
        {"ANN - Ann Lee", "Secret", "abc", "ABC",
         "The new passwords do not match. Please try again."},
        {"ANN - Ann Lee", "Secret", "", "", "You cannot have a blank password."},
        {"ANN - Ann Lee", "secret", "new", "new",
         "The existing password you entered was incorrect. Please try again."},
        {"NUL - N", "", "new", "new",
         "The existing password you entered was incorrect. Please try again."},
    };
    frmChangePass *w = open();
    for (const Case &c : cases) {
        w->cboUsername->setCurrentText(QString::fromLatin1(c.account));
        type(w, c.current, c.new1, c.new2);
        script->answer(ui::vbOK);
        w->cmdOK_Click();
        EXPECT_EQ(script->shown().last().text, c.text);
        EXPECT_EQ(script->shown().last().title, "Oops!");
        EXPECT_EQ(w->txtNew1->text(), c.new1);
        EXPECT_EQ(loaded(QStringLiteral("frmChangePass")), w);
    }
    EXPECT_EQ(passwordOf("ANN"), "Secret");
}

TEST_F(ChangePassTest, ChangesThePasswordOfTheChosenAccount)
{
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password) VALUES ('O''NE', 'Quote', "
                        "'q')"));
    frmChangePass *w = open();
    w->cboUsername->setCurrentText(QStringLiteral("O'NE - Quote"));
    type(w, "q", " it's new ", " it's new ");
    script->answer(ui::vbOK);
    w->cmdOK_Click();
    flush();
    EXPECT_EQ(script->shown().last().title, "All Done");
    EXPECT_TRUE(Global::PasswordMatches(passwordOf("O''NE"), QStringLiteral(" it's new ")));
    EXPECT_EQ(passwordOf("ANN"), "Secret");
    EXPECT_EQ(loaded(QStringLiteral("frmChangePass")), nullptr);
}
