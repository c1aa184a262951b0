#include "register.h"

#include "companyrights.h"
#include "frmcompanydetails.h"
#include "frmfindcompany.h"

#include "access/authorisation.h"
#include "access/signin.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace staff {

void RegisterCompanyWindows()
{
    ui::RegisterWindow(QStringLiteral("frmFindCompany"),
                       [] { return ui::Forms::shared<frmFindCompany>(); });
    ui::RegisterWindow(QStringLiteral("frmCompanyDetails"),
                       [] { return ui::Forms::shared<frmCompanyDetails>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Companies"), useraccess::PermissionCheck::ByIndex,
         staffcompanies::ViewCompaniesRight, false,
         [](const useraccess::AuthorisationRequest &request) {
             Global::AuthorisedUserId = request.userId;
             ui::Forms::shared<frmFindCompany>()->showForm();
         }});
}

} // namespace staff
