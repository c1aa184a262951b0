#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmdays.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace timetable {

void RegisterDaysWindow()
{
    shell::RegisterWindow(QStringLiteral("frmDays"), [] { return ui::Forms::shared<frmDays>(); });
    useraccess::RegisterAuthorisedOperation({QStringLiteral("Days"),
                                             useraccess::PermissionCheck::ByName,
                                             Global::PermissionIndex(QStringLiteral("Days")), false,
                                             useraccess::ShowWindow(QStringLiteral("frmDays"))});
}

} // namespace timetable
