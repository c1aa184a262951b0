#include "register.h"

#include "frmempdetails.h"
#include "frmempqual.h"
#include "frmpromotestudent.h"

#include "access/authorisation.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace staff {

void RegisterEmployeeWindows()
{
    ui::RegisterWindow(QStringLiteral("frmEmpDetails"),
                       [] { return ui::Forms::create<frmEmpDetails>(); });
    ui::RegisterWindow(QStringLiteral("frmEmpQual"), [] { return ui::Forms::shared<frmEmpQual>(); });
    ui::RegisterWindow(QStringLiteral("frmPromoteStudent"),
                       [] { return ui::Forms::shared<frmPromoteStudent>(); });
    // Right 7 (adding and editing employees), lent through the authorisation window.
    useraccess::RegisterAuthorisedOperation({QStringLiteral("Promote Student"),
                                             useraccess::PermissionCheck::ByIndex, 7, false,
                                             useraccess::ShowWindow(QStringLiteral("frmPromoteStudent"))});
}

} // namespace staff
