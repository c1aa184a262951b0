#include "accessfixture.h"

#include "platform/ui/dialogs.h"

#include "access/authorisation.h"
#include "access/frmpassword.h"
#include "access/permissions.h"
#include "access/signin.h"
#include "core/centresettings.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "core/passwords.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/forms.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

// A window that asks for approval; records the call-backs it receives.
class AccessRequester : public ui::Form
{
    Q_OBJECT
public:
    AccessRequester() { setObjectName(QStringLiteral("frmRequester")); }
    Q_INVOKABLE void MarkAsNoShow() { ++noShows; }
    int noShows = 0;
};

class PasswordTest : public AccessTest
{
protected:
    void SetUp() override
    {
        AccessTest::SetUp();
        Global::AuthoriseByBarcode = false;
        useraccess::RegisterAuthorisedOperation(
            {QStringLiteral("Test Edit"), useraccess::PermissionCheck::ByIndex, 0, false,
             [this](const useraccess::AuthorisationRequest &r) {
                 performed << r.strMode + QLatin1Char('|') + r.strExtraInfo + QLatin1Char('|') +
                                  r.userId;
             }});
        useraccess::RegisterAuthorisedOperation(
            {QStringLiteral("Test Overfill"), useraccess::PermissionCheck::ByIndex, 27, true,
             [this](const useraccess::AuthorisationRequest &r) { performed << r.strMode; }});
        requester = ui::Forms::create<AccessRequester>();
        requester->showForm();
    }
    void TearDown() override
    {
        useraccess::UnregisterAuthorisedOperation(QStringLiteral("Test Edit"));
        useraccess::UnregisterAuthorisedOperation(QStringLiteral("Test Overfill"));
        Global::AuthoriseByBarcode = false;
        AccessTest::TearDown();
    }
    // Shows the authorisation window with a request, as a requester does.
    frmPassword *request(const QString &mode, const QString &extra = {})
    {
        auto *w = ui::Forms::shared<frmPassword>();
        w->showForm();
        w->LoadUp(requester, mode, extra);
        return w;
    }
    frmPassword *approve(const QString &mode, const QString &user, const QString &password,
                         bool stay = false)
    {
        frmPassword *w = request(mode, QStringLiteral("42"));
        w->txtUserID->setText(user);
        w->txtPassword->setText(password);
        w->chkLogin->setChecked(stay);
        w->cmdOK_Click();
        flush();
        return w;
    }
    QStringList titles() const
    {
        QStringList out;
        for (const auto &box : script->shown())
            out << box.title;
        return out;
    }

    AccessRequester *requester = nullptr;
    QStringList performed;
};

TEST_F(PasswordTest, RightPasswordPerformsTheOperation)
{
    Global::CentreSettings().setSettings(int(CentreSettingIds::UserID), QStringLiteral("x"));
    auto *w = request(QStringLiteral("Test Edit"));
    EXPECT_EQ(w->caption(), "Authorisation Required");
    EXPECT_EQ(w->txtUserID->text(), "x");
    w->txtUserID->setText(QStringLiteral("ann"));
    ovix::test::saveScreenshot(w, QStringLiteral("frmPassword"));

    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("Secret"));
    EXPECT_EQ(performed, QStringList({"Test Edit|42|ann"}));
    EXPECT_EQ(loaded(QStringLiteral("frmPassword")), nullptr);
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM CentreInfo")).toString(), "ANN");
    EXPECT_EQ(Global::CentreSettings().Settings(int(CentreSettingIds::UserID)).toString(), "ann");
    EXPECT_TRUE(Global::CurrentUserId.isEmpty());
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(PasswordTest, WrongOrUnknownUserKeepsTheWindowAndWritesNothing)
{
    exec(QStringLiteral("UPDATE CentreInfo SET UserID = 'before'"));
    for (const char *user : {"ann", "nobody", ""}) {
        script->answer(ui::vbOK);
        frmPassword *w = approve(QStringLiteral("Test Edit"), QString::fromLatin1(user),
                                 QStringLiteral("secret"), true);
        EXPECT_EQ(script->shown().last().title, "Bad Luck!");
        EXPECT_EQ(loaded(QStringLiteral("frmPassword")), w);
        EXPECT_TRUE(w->txtPassword->text().isEmpty());
    }
    EXPECT_TRUE(performed.isEmpty());
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM CentreInfo")).toString(), "before");
    EXPECT_TRUE(Global::CurrentUserId.isEmpty());

    // A password never set matches only an empty one.
    exec(QStringLiteral("UPDATE Users SET Password = Null WHERE UserID = 'ANN'"));
    script->answer(ui::vbOK);
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("guess"));
    EXPECT_TRUE(performed.isEmpty());
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QString());
    EXPECT_EQ(performed.size(), 1);
}

TEST_F(PasswordTest, RefusedFlagAndUnknownOperation)
{
    exec(QStringLiteral("UPDATE Users SET EditClasses = 2, OverfillClasses = 2 WHERE UserID = "
                        "'ANN'"));
    script->answer(ui::vbOK);
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("Secret"));
    EXPECT_TRUE(performed.isEmpty());
    EXPECT_EQ(loaded(QStringLiteral("frmPassword")), nullptr);
    EXPECT_TRUE(titles().isEmpty()) << "a flag of 2 refuses without a message";

    // The over-fill operations grant on any value but 0 and explain a refusal.
    approve(QStringLiteral("Test Overfill"), QStringLiteral("ann"), QStringLiteral("Secret"));
    EXPECT_EQ(performed, QStringList({"Test Overfill"}));
    exec(QStringLiteral("UPDATE Users SET OverfillClasses = 0, EditClasses = 0 WHERE UserID = "
                        "'ANN'"));
    script->answer(ui::vbOK).answer(ui::vbOK).answer(ui::vbOK).answer(ui::vbOK);
    approve(QStringLiteral("Test Overfill"), QStringLiteral("ann"), QStringLiteral("Secret"));
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("Secret"));
    approve(QStringLiteral("Import from MYOB"), QStringLiteral("ann"), QStringLiteral("Secret"),
            true);
    EXPECT_EQ(titles(), QStringList({"Access Denied", "Sorry", "Access Denied",
                                     "Error Processing Password"}));
    EXPECT_EQ(script->shown().last().text, "Password login could not process Import from MYOB.");
    EXPECT_EQ(performed.size(), 1);
    // Staying signed in takes effect even when nothing is performed.
    EXPECT_EQ(Global::CurrentUserId, "ann");
}

TEST_F(PasswordTest, StayingSignedInTakesOverTheSession)
{
    Global::CurrentUserId = QStringLiteral("i");
    Global::LoadCurrentUserRights();
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("Secret"), true);
    EXPECT_EQ(performed.size(), 1);
    EXPECT_EQ(Global::CurrentUserId, "ann");
    EXPECT_EQ(Global::CurrentUserName, "Ann Lee");
    EXPECT_EQ(Global::SignOutCaption, "Sign out");
    EXPECT_EQ(Global::CurrentUserRights().Permissions(19), 0);
    EXPECT_EQ(Global::CurrentUserRights().Permissions(0), 1);
}

TEST_F(PasswordTest, BarcodeIdentifiesWithoutPassword)
{
    exec(QStringLiteral("INSERT INTO Students (StudentID, Barcode) VALUES (7, 'B-77')"));
    exec(QStringLiteral("INSERT INTO Instructors (StudentID, UserID) VALUES (7, 'ANN')"));
    exec(QStringLiteral("UPDATE CentreInfo SET UserID = 'before'"));
    auto *w = request(QStringLiteral("Test Edit"), QStringLiteral("5"));
    w->cmdSwitch_Click();
    EXPECT_TRUE(w->BarcodeMode);
    EXPECT_EQ(w->cmdSwitch->text(), "Scan Barcode");

    script->answer(ui::vbOK).answer(ui::vbOK);
    w->cmdOK_Click();
    w->txtBarcode->setText(QStringLiteral("B-99"));
    w->cmdOK_Click();
    EXPECT_EQ(titles(), QStringList({"Oops!", "Oops!"}));
    EXPECT_EQ(script->shown()[0].text, "You must enter a barcode.");
    EXPECT_EQ(script->shown()[1].text,
              "The barcode you entered could not be matched to a valid user.");
    EXPECT_TRUE(w->txtBarcode->text().isEmpty());

    w->chkLogin->setChecked(true);
    w->txtBarcode->setText(QStringLiteral("B-77"));
    w->cmdOK_Click();
    flush();
    EXPECT_EQ(performed, QStringList({"Test Edit|5|ANN"}));
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM CentreInfo")).toString(), "before");
    EXPECT_TRUE(Global::CurrentUserId.isEmpty());
    // The mode is offered again for the next request.
    EXPECT_TRUE(Global::AuthoriseByBarcode);
    EXPECT_TRUE(request(QStringLiteral("Test Edit"))->BarcodeMode);
}

TEST_F(PasswordTest, CancelKeepsTheWindowForTheNextRequest)
{
    frmPassword *w = request(QStringLiteral("Test Edit"));
    w->txtUserID->setText(QStringLiteral("ann"));
    w->txtPassword->setText(QStringLiteral("Sec"));
    w->cmdCancel_Click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(loaded(QStringLiteral("frmPassword")), w);
    EXPECT_TRUE(w->txtPassword->text().isEmpty());
    EXPECT_EQ(request(QStringLiteral("Other")), w);
    EXPECT_EQ(w->txtUserID->text(), "ann");
    // Only the latest request is performed.
    w->LoadUp(requester, QStringLiteral("Test Edit"), QStringLiteral("9"));
    w->txtPassword->setText(QStringLiteral("Secret"));
    w->cmdOK_Click();
    EXPECT_EQ(performed, QStringList({"Test Edit|9|ann"}));
}

TEST_F(PasswordTest, CallsTheRequesterBackByNameUnlessItClosed)
{
    exec(QStringLiteral("UPDATE Users SET MarkAsNoShow = 1 WHERE UserID = 'ANN'"));
    approve(QStringLiteral("Mark As No Show"), QStringLiteral("ann"), QStringLiteral("Secret"));
    EXPECT_EQ(requester->noShows, 1);

    frmPassword *w = request(QStringLiteral("Mark As No Show"));
    requester->unload(ui::CloseReason::Code);
    flush();
    w->txtUserID->setText(QStringLiteral("ann"));
    w->txtPassword->setText(QStringLiteral("Secret"));
    w->cmdOK_Click();
    flush();
    EXPECT_EQ(loaded(QStringLiteral("frmPassword")), nullptr);
    EXPECT_TRUE(script->shown().isEmpty());
}

// A deletion approved here is handed to the delete confirmation dialog.
TEST_F(PasswordTest, ApprovedDeletionGoesToTheConfirmation)
{
    exec(QStringLiteral("UPDATE Users SET DeleteStudents = 1 WHERE UserID = 'ANN'"));
    approve(QStringLiteral("Delete Student"), QStringLiteral("ann"), QStringLiteral("Secret"));
    auto *confirm = qobject_cast<frmConfirmDelete *>(loaded(QStringLiteral("frmConfirmDelete")));
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm->txtReason->text(), "Delete Student");
    EXPECT_EQ(confirm->txtInfoLine->text(), "42");
    EXPECT_EQ(confirm->txtUserID->text(), "ann");
    confirm->cmdCancel_Click();
}

// The main window hands its request over by name, as every requester may.
TEST_F(PasswordTest, RequestArrivesByName)
{
    auto *w = ui::Forms::shared<frmPassword>();
    w->showForm();
    ui::callByName(w, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(requester)),
                    QStringLiteral("Test Edit"), QString()});
    EXPECT_EQ(w->mode(), "Test Edit");
}

#include "password_test.moc"

// The authorisation checks through the one password check: a plain password from an
// older file is replaced by its hash at its first approval, which then approves.
TEST_F(PasswordTest, ApprovesWithHashedPasswords)
{
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("Secret"));
    const QString stored =
        value(QStringLiteral("SELECT Password FROM Users WHERE UserID = 'ANN'")).toString();
    EXPECT_TRUE(Global::IsPasswordHash(stored));
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("Secret"));
    EXPECT_EQ(performed.size(), 2);
    script->answer(ui::vbOK);
    approve(QStringLiteral("Test Edit"), QStringLiteral("ann"), QStringLiteral("secret"));
    EXPECT_EQ(performed.size(), 2);
    EXPECT_EQ(script->shown().last().title, "Bad Luck!");
}
