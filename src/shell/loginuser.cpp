#include "loginuser.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "frmloadup.h"
#include "platform/jet/recordset.h"
#include "platform/os/capslock.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "startupservices.h"
#include "userrights.h"
#include "windowregistry.h"

namespace imodGlobalSubs {

bool LoginUser(const QString &userId, const QString &password, bool checkPassword)
{
    frmLoadUp::ShowStep(QStringLiteral("Validating username and password..."));
    jet::Recordset rs;
    irecObjectCode::PrepareRecordset(rs);
    rs.open(QStringLiteral("SELECT UserID, [Name], Password FROM Users WHERE UCase$(UserID) = ") +
                Global::SqlText(userId.toUpper()) + QStringLiteral(";"),
            Global::DbConnection());
    if (rs.eof()) {
        rs.close();
        ui::Dialogs::msgBox(QStringLiteral("The username could not be found."), ui::vbCritical,
                            QStringLiteral("Invalid Username"));
        shell::ShowLoginWindow();
        return false;
    }
    const QString foundId = rs.value(0).toString();
    const QString name = rs.value(1).toString();
    const QString stored = rs.value(2).toString();
    rs.close();
    if (checkPassword && password != stored) {
        QString text = QStringLiteral("The password you entered is incorrect.");
        if (os::isCapsLockOn())
            text += QStringLiteral("\r\n\r\nCaps Lock is on: passwords are case-sensitive.");
        ui::Dialogs::msgBox(text, ui::vbCritical, QStringLiteral("Incorrect Password"));
        shell::ShowLoginWindow();
        return false;
    }
    frmLoadUp::ShowStep(foundId.compare(QStringLiteral("i"), Qt::CaseInsensitive) == 0
                            ? QStringLiteral("Logging in as the default user...")
                            : QStringLiteral("Logging in as ") + name + QStringLiteral("..."));
    Global::CurrentUserId = foundId;
    Global::CurrentUserName = name;
    Global::LoadCurrentUserRights();
    imodData::ExecSQL(QStringLiteral("UPDATE CentreInfo SET UserID = ") + Global::SqlText(foundId),
                      false);

    // The main window, then the class search in it, or the alerts when the centre
    // wants them at sign-in.
    if (ui::Form *main = shell::LoadWindowByName(QStringLiteral("frmParent")))
        main->showForm();
    const bool alerts =
        Global::CentreSettings().Settings(int(CentreSettingIds::DisplayCalendar)).toInt() == 1;
    ui::Form *first = alerts ? shell::LoadWindowByName(QStringLiteral("frmAlerts")) : nullptr;
    if (!first)
        first = shell::LoadWindowByName(QStringLiteral("Main"));
    if (first)
        first->showForm();
    return true;
}

} // namespace imodGlobalSubs
