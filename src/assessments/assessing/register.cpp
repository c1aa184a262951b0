#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmassess.h"
#include "frmawardlevels.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace assessments {

void RegisterAssessmentWindows()
{
    ui::RegisterWindow(QStringLiteral("frmAssess"), [] { return ui::Forms::shared<frmAssess>(); });
    ui::RegisterWindow(QStringLiteral("frmAwardLevels"),
                       [] { return ui::Forms::shared<frmAwardLevels>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Award Levels"), useraccess::PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("AwardLevels")), false,
         useraccess::ShowWindow(QStringLiteral("frmAwardLevels"))});
}

} // namespace assessments
