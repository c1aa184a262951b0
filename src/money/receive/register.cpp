#include "register.h"

#include "frmpayments.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace money {

void RegisterPaymentsWindow()
{
    ui::RegisterWindow(QStringLiteral("frmPayments"),
                       [] { return ui::Forms::shared<frmPayments>(); });
}

} // namespace money
