#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmdropouts.h"
#include "frmduplicates.h"
#include "frmpassports.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace students {

void RegisterStudentUtilityWindows()
{
    ui::RegisterWindow(QStringLiteral("frmPassports"),
                       [] { return ui::Forms::shared<frmPassports>(); });
    ui::RegisterWindow(QStringLiteral("frmDropouts"), [] { return ui::Forms::shared<frmDropouts>(); });
    ui::RegisterWindow(QStringLiteral("frmDuplicates"),
                       [] { return ui::Forms::shared<frmDuplicates>(); });

    using useraccess::PermissionCheck;
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Issue Passports"), PermissionCheck::ByName,
         Global::PermissionIndex(QStringLiteral("IssuePassports")), false,
         useraccess::ShowWindow(QStringLiteral("frmPassports"))});
    useraccess::RegisterAuthorisedOperation({QStringLiteral("Dropouts"), PermissionCheck::ByIndex,
                                             35, false,
                                             useraccess::ShowWindow(QStringLiteral("frmDropouts"))});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Duplicates"), PermissionCheck::ByIndex, 36, false,
         useraccess::ShowWindow(QStringLiteral("frmDuplicates"))});
}

} // namespace students
