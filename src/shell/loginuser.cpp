#include "loginuser.h"

#include "access/authorisation.h"
#include "access/services.h"
#include "core/centresettings.h"
#include "frmbrowser.h"
#include "frmloadup.h"
#include "frmreportviewer.h"
#include "makerpages.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

#include <QComboBox>

namespace shell {

void InstallAccess()
{
    useraccess::Services services;
    services.loadWindow = [](const QString &name) { return LoadWindowByName(name); };
    services.registerWindow = [](const QString &name, useraccess::WindowMaker maker) {
        if (!IsWindowRegistered(name))
            RegisterWindow(name, std::move(maker));
    };
    services.showStep = [](const QString &text) { frmLoadUp::ShowStep(text); };
    services.unloadProgress = [] { ui::Forms::unloadByName(QStringLiteral("frmLoadUp")); };
    useraccess::Install(services);

    // The operations of the main window's own windows that another user may approve.
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Web Browser"), useraccess::PermissionCheck::ByIndex, 34, false,
         [](const useraccess::AuthorisationRequest &) {
             auto *browser = ui::Forms::shared<frmBrowser>();
             browser->showForm();
             const QString website = Global::CentreSettings()
                                         .Settings(int(CentreSettingIds::Website))
                                         .toString()
                                         .trimmed();
             browser->cboAddress->setEditText(website.isEmpty() ? MakerHomePage() : website);
             browser->Navigate(browser->cboAddress->currentText());
         }});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Report Viewer"), useraccess::PermissionCheck::ByIndex, 17, false,
         [](const useraccess::AuthorisationRequest &) {
             auto *viewer = ui::Forms::shared<frmReportViewer>();
             viewer->showForm();
             viewer->OpenMe();
         }});
}

} // namespace shell

namespace imodGlobalSubs {

bool LoginUser(const QString &userId, const QString &password, bool checkPassword)
{
    shell::InstallAccess();
    return useraccess::LoginUser(userId, password, checkPassword);
}

} // namespace imodGlobalSubs
