#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmmain.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace classes {

void RegisterClassSearchWindow()
{
    using useraccess::PermissionCheck;
    ui::RegisterWindow(QStringLiteral("Main"), [] { return ui::Forms::shared<Main>(); });
    // The student search for the approving user.
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Search Students"), PermissionCheck::ByIndex, 33, false,
         [](const useraccess::AuthorisationRequest &request) {
             if (ui::Form *find = ui::LoadWindowByName(QStringLiteral("frmFindStudent"))) {
                 find->showForm();
                 ui::callByName(find, QStringLiteral("LoadUp"), {1, request.userId});
             }
         }});
    useraccess::RegisterAuthorisedOperation({QStringLiteral("Open OOE"), PermissionCheck::ByName,
                                             47, false,
                                             useraccess::ShowWindow(QStringLiteral("frmOOE"))});
    useraccess::RegisterAuthorisedOperation({QStringLiteral("DDForm"), PermissionCheck::ByIndex, 3,
                                             false,
                                             useraccess::ShowWindow(QStringLiteral("frmBarcode"))});
}

} // namespace classes
