#include "register.h"

#include "frmprograms.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace timetable {

void RegisterProgramWindows()
{
    shell::RegisterWindow(QStringLiteral("frmPrograms"),
                          [] { return ui::Forms::shared<frmPrograms>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Programs"), useraccess::PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("Programs")), false,
         useraccess::ShowWindow(QStringLiteral("frmPrograms"))});
}

} // namespace timetable
