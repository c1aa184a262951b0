#include "register.h"

#include "frmempdetails.h"
#include "frmempqual.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace staff {

void RegisterEmployeeWindows()
{
    ui::RegisterWindow(QStringLiteral("frmEmpDetails"),
                       [] { return ui::Forms::create<frmEmpDetails>(); });
    ui::RegisterWindow(QStringLiteral("frmEmpQual"), [] { return ui::Forms::shared<frmEmpQual>(); });
}

} // namespace staff
