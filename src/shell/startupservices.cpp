#include "startupservices.h"

#include "core/centresettings.h"
#include "core/listfillers.h"
#include "core/lookups.h"
#include "core/upgrade.h"
#include "frmloadup.h"
#include "frmopen.h"
#include "platform/jet/connection.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "supportscript.h"
#include "platform/ui/windowregistry.h"

namespace shell {

namespace {
std::function<void()> &setupWizardHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

int VerifyOpenDataFile()
{
    imodData::SetVerifyCaption(&frmLoadUp::ShowStep);
    return imodData::VerifyDatabase();
}

bool IsProgramDataFile(jet::Connection &connection)
{
    return connection.tableExists(QStringLiteral("CentreInfo"));
}

QString WorkstationName()
{
    return Global::GetWorkstationName();
}

QString ScramblePassword(const QString &text, int direction)
{
    // The program's one fixed key, the one its support scripts use too.
    return imodGlobalSubs::ShiftString(text, direction > 0, SupportScriptKey);
}

void setSetupWizardHook(std::function<void()> hook)
{
    setupWizardHook() = std::move(hook);
}

void ShowSetupWizard()
{
    if (setupWizardHook()) {
        setupWizardHook()();
        return;
    }
    if (ui::Form *wizard = LoadWindowByName(QStringLiteral("frmSetupWiz"))) {
        wizard->showForm();
        return;
    }
    // Without the wizard the data-file window, which stays loaded, comes back.
    ui::Forms::shared<frmOpen>()->showForm();
}

void ShowLoginWindow()
{
    if (ui::Form *login = LoadWindowByName(QStringLiteral("frmLogin"))) {
        login->showForm();
        return;
    }
    ui::Dialogs::msgBox(Global::CentreSettings().ApplicationName() +
                            QStringLiteral(" cannot show its log-in window on this computer, so "
                                           "this data file cannot be signed in to."),
                        ui::vbExclamation, QStringLiteral("Log In"));
    ui::Forms::shared<frmOpen>()->showForm();
}

} // namespace shell
