#include "register.h"

#include "frmprogcopy.h"
#include "frmreassigninst.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace timetable {

void RegisterRolloverWindows()
{
    shell::RegisterWindow(QStringLiteral("frmProgCopy"),
                          [] { return ui::Forms::shared<frmProgCopy>(); });
    shell::RegisterWindow(QStringLiteral("frmReassignInst"),
                          [] { return ui::Forms::shared<frmReassignInst>(); });

    using useraccess::PermissionCheck;
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Copy Program"), PermissionCheck::ByName,
         Global::PermissionIndex(QStringLiteral("CopyProgram")), false,
         useraccess::ShowWindow(QStringLiteral("frmProgCopy"))});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Reassign Instructors"), PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("ReassignInstructors")), false,
         useraccess::ShowWindow(QStringLiteral("frmReassignInst"))});
}

} // namespace timetable
