#include "maintenancewindows.h"

#include "frmbackup.h"
#include "frmrestore.h"
#include "frmsetupwiz.h"
#include "frmsql.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

#include <QCoreApplication>

namespace shell {

namespace {
std::function<void()> &endProgramHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void RegisterMaintenanceWindows()
{
    RegisterWindow(QStringLiteral("frmBackup"), [] { return ui::Forms::shared<frmBackup>(); });
    RegisterWindow(QStringLiteral("frmRestore"), [] { return ui::Forms::shared<frmRestore>(); });
    RegisterWindow(QStringLiteral("frmSetupWiz"), [] { return ui::Forms::shared<frmSetupWiz>(); });
    RegisterWindow(QStringLiteral("frmSQL"), [] { return ui::Forms::shared<frmSQL>(); });
}

void EndProgram()
{
    if (endProgramHook()) {
        endProgramHook()();
        return;
    }
    QCoreApplication::quit();
}

void setEndProgramHook(std::function<void()> hook)
{
    endProgramHook() = std::move(hook);
}

} // namespace shell
