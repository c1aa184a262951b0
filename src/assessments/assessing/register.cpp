#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmassess.h"
#include "frmassessf.h"
#include "frmawardlevels.h"
#include "frmexportassessment.h"
#include "frmnewassessment.h"
#include "frmpastassessment.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace assessments {

void RegisterAssessmentWindows()
{
    ui::RegisterWindow(QStringLiteral("frmAssess"), [] { return ui::Forms::shared<frmAssess>(); });
    ui::RegisterWindow(QStringLiteral("frmAssessF"),
                       [] { return ui::Forms::shared<frmAssessF>(); });
    ui::RegisterWindow(QStringLiteral("frmAwardLevels"),
                       [] { return ui::Forms::shared<frmAwardLevels>(); });
    ui::RegisterWindow(QStringLiteral("frmNewAssessment"),
                       [] { return ui::Forms::shared<frmNewAssessment>(); });
    ui::RegisterWindow(QStringLiteral("frmPastAssessment"),
                       [] { return ui::Forms::shared<frmPastAssessment>(); });
    ui::RegisterWindow(QStringLiteral("frmExportAssessment"),
                       [] { return ui::Forms::shared<frmExportAssessment>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Award Levels"), useraccess::PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("AwardLevels")), false,
         useraccess::ShowWindow(QStringLiteral("frmAwardLevels"))});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Finalise Assessments"), useraccess::PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("FinaliseAssess")), false,
         useraccess::ShowWindow(QStringLiteral("frmAssessF"))});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Delete Past Assessment"), useraccess::PermissionCheck::None, -1, false,
         useraccess::CallOpenRecordWindow(QStringLiteral("frmPastAssessment"),
                                          QStringLiteral("DeleteAssessment"))});
}

} // namespace assessments
