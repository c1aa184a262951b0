#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmnumberstats.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace timetable {

void RegisterNumberStatsWindow()
{
    shell::RegisterWindow(QStringLiteral("frmNumberStats"),
                          [] { return ui::Forms::shared<frmNumberStats>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Number Stats"), useraccess::PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("Numbers")), false,
         useraccess::ShowWindow(QStringLiteral("frmNumberStats"))});
}

} // namespace timetable
