#include "register.h"

#include "frmabsentrec.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace money {

void RegisterAbsenceDiscountWindow()
{
    ui::RegisterWindow(QStringLiteral("frmAbsentRec"),
                       [] { return ui::Forms::shared<frmAbsentRec>(); });
}

} // namespace money
