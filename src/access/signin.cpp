#include "signin.h"

#include "core/errorinfo.h"
#include "access/frmlogin.h"
#include "access/permissions.h"
#include "access/services.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/passwords.h"
#include "core/imoddata.h"
#include "core/sqlquote.h"
#include "core/workingwindow.h"
#include "platform/jet/recordset.h"
#include "platform/os/capslock.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <exception>

namespace useraccess {

namespace {

std::function<bool()> &capsLockProbe()
{
    static std::function<bool()> probe;
    return probe;
}

void showStep(const QString &text)
{
    if (InstalledServices().showStep)
        InstalledServices().showStep(text);
}

void unloadProgress()
{
    if (InstalledServices().unloadProgress)
        InstalledServices().unloadProgress();
}

// The error question of the sign-in: true to go on with the next step.
bool continueAfter(const std::exception &)
{
    // Called inside a catch block.
    const core::ErrorInfo error = core::currentError();
    const long number = error.number;
    const QString description = error.description;
    const QString app = Global::CentreSettings().ShortAppName();
    const QString text =
        QStringLiteral("An error occurred when logging in the user. \r\nErr#") +
        QString::number(number) + QStringLiteral(" - ") + description + QStringLiteral("\r\n") +
        app +
        QStringLiteral(" can continue, however some items may not display correctly. If this "
                       "error occurs frequently, you should contact ") +
        app + QStringLiteral(" support.\r\n\r\nDo you want ") + app +
        QStringLiteral(" to continue loading?");
    return ui::Dialogs::msgBox(text, ui::vbYesNo | ui::vbQuestion,
                               QStringLiteral("Login User Error")) == ui::vbYes;
}

void backToLogin(const QString &userId)
{
    unloadProgress();
    ShowLoginWindow(userId);
}

// The main window with the class search, or the birthdays and alerts first when
// the centre wants them at sign-in.
void openUserInterface()
{
    if (ui::Form *parent = LoadWindow(QStringLiteral("frmParent")))
        parent->showForm();
    const bool alerts =
        Global::CentreSettings().Settings(int(CentreSettingIds::DisplayCalendar)).toInt() == 1;
    ui::Form *main = LoadWindow(QStringLiteral("Main"));
    ui::Form *alertsWindow = alerts ? LoadWindow(QStringLiteral("frmAlerts")) : nullptr;
    if (alertsWindow) {
        alertsWindow->showForm();
        return;
    }
    if (!main)
        return;
    // Centred over the main window, 500 twips above the middle: the size the
    // user left it at stays, the place does not.
    main->showForm();
    core::PlaceOnMainWindow(main, 500);
    if (main->metaObject()->indexOfMethod("CheckBeforeFill()") >= 0)
        ui::callByName(main, QStringLiteral("CheckBeforeFill"));
}

} // namespace

bool IsCapsLockOn()
{
    return capsLockProbe() ? capsLockProbe()() : os::isCapsLockOn();
}

void SetCapsLockProbe(std::function<bool()> probe)
{
    capsLockProbe() = std::move(probe);
}

void ShowLoginWindow(const QString &userId)
{
    ui::Form *login = LoadWindow(QStringLiteral("frmLogin"));
    if (!login)
        login = ui::Forms::shared<frmLogin>();
    login->showForm();
    auto *id = login->findChild<QLineEdit *>(QStringLiteral("txtUserID"));
    if (id && !userId.isEmpty())
        id->setText(userId);
    if (auto *password = login->findChild<QLineEdit *>(QStringLiteral("txtPassword"))) {
        password->clear();
        password->setFocus();
    }
}

void SignOut()
{
    Global::AuthorisedUserId.clear();
    ui::Forms::unloadByName(QStringLiteral("frmParent"), ui::CloseReason::Code);
    ShowLoginWindow();
}

bool LoginUser(const QString &userId, const QString &password, bool checkPassword)
{
    QCoreApplication::processEvents();

    // Finding the user and checking the password: nobody signs in when this fails.
    QString foundId;
    QString name;
    QVariant stored;
    bool found = false;
    try {
        showStep(QStringLiteral("Validating username and password..."));
        jet::Recordset rs(Global::DbConnection(),
                          Global::AdaptSql(QStringLiteral("SELECT UserID, [Name], Password FROM "
                                                          "Users WHERE UCase$(UserID) = ") +
                                           Global::SqlText(userId.toUpper()) +
                                           QStringLiteral(";")));
        for (; !rs.eof() && !found; rs.moveNext()) {
            if (rs.value(0).toString().toUpper() == userId.toUpper()) {
                found = true;
                foundId = rs.value(0).toString();
                name = rs.value(1).toString();
                stored = rs.value(2);
            }
        }
    } catch (const std::exception &e) {
        continueAfter(e);
        backToLogin(userId);
        return false;
    }
    if (!found) {
        ui::Dialogs::msgBox(QStringLiteral("The username could not be found."), ui::vbCritical,
                            QStringLiteral("Invalid Username"));
        backToLogin(userId);
        return false;
    }
    if (checkPassword) {
        // A password never set matches only an empty one; one kept as typed is
        // replaced by its hash here.
        const bool matches = Global::CheckUserPasswordValue(foundId, stored, password);
        if (!matches) {
            QString text = QStringLiteral("The password you entered was incorrect.");
            if (IsCapsLockOn())
                text = QStringLiteral("The password you entered was incorrect. Please check the "
                                      "password and try again.\r\n") +
                       Global::CentreSettings().ShortAppName() +
                       QStringLiteral(" has detected that the Caps Lock is on which may be "
                                      "causing you to type your password incorrectly.");
            ui::Dialogs::msgBox(text, ui::vbCritical, QStringLiteral("Incorrect Password"));
            backToLogin(userId);
            return false;
        }
    }

    const bool defaultUser = foundId.toLower() == QStringLiteral("i");
    const std::vector<std::function<void()>> steps = {
        [&] {
            Global::CurrentUserId = foundId;
            Global::AuthorisedUserId.clear();
            Global::CurrentUserName = name;
        },
        [&] {
            showStep(defaultUser ? QStringLiteral("Logging in as the default user...")
                                 : QStringLiteral("Logging in as ") + Global::CurrentUserName +
                                       QStringLiteral("..."));
            Global::SignOutCaption = QStringLiteral("Sign out");
        },
        [&] {
            showStep(QStringLiteral("Checking User Access permissions..."));
            Global::CurrentUserRights().LoadPermissionsFromDb(userId);
        },
        [&] {
            showStep(QStringLiteral("Finalising login..."));
            if (!defaultUser)
                imodData::ExecSQL(QStringLiteral("UPDATE CentreInfo SET UserID = ") +
                                      Global::SqlText(userId) + QStringLiteral(";"),
                                  false);
        },
        [&] {
            showStep(QStringLiteral("Loading User Interface..."));
            openUserInterface();
        },
    };
    for (const auto &step : steps) {
        try {
            step();
        } catch (const std::exception &e) {
            if (!continueAfter(e)) {
                backToLogin(userId);
                return false;
            }
        }
    }
    unloadProgress();
    ui::Hourglass::reset();
    return true;
}

} // namespace useraccess
