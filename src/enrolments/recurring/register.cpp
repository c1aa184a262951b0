#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmcanceldialog.h"
#include "frmpayplan.h"
#include "frmrecurring.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace enrolments {

void RegisterRecurringWindows()
{
    ui::RegisterWindow(QStringLiteral("frmCancelDialog"),
                       [] { return ui::Forms::shared<frmCancelDialog>(); });
    ui::RegisterWindow(QStringLiteral("frmRecurring"),
                       [] { return ui::Forms::shared<frmRecurring>(); });
    ui::RegisterWindow(QStringLiteral("frmPayPlan"), [] { return ui::Forms::shared<frmPayPlan>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Cancel Booking"), useraccess::PermissionCheck::ByName,
         Global::PermissionIndex(QStringLiteral("CancelBooking")), false,
         [](const useraccess::AuthorisationRequest &request) {
             auto *dialog = ui::Forms::shared<frmCancelDialog>();
             dialog->LoadCancellation(request.strExtraInfo.trimmed().toInt(), request.xf.data());
         }});
}

} // namespace enrolments
