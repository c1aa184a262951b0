#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmaccounts.h"
#include "frmdiscountpicklist.h"
#include "frmdiscounts.h"
#include "frmpaymentmethods.h"
#include "frmtaxcodes.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace money {

namespace {

template <class T>
void registerEditor(const char *window, const char *operation, const char *flag,
                    useraccess::PermissionCheck check)
{
    const QString name = QString::fromLatin1(window);
    ui::RegisterWindow(name, [] { return ui::Forms::shared<T>(); });
    useraccess::RegisterAuthorisedOperation({QString::fromLatin1(operation), check,
                                             Global::PermissionIndex(QString::fromLatin1(flag)),
                                             false, useraccess::ShowWindow(name)});
}

} // namespace

void RegisterMoneyWindows()
{
    using useraccess::PermissionCheck;
    registerEditor<frmTaxCodes>("frmTaxCodes", "Tax Codes", "TaxCodes", PermissionCheck::ByIndex);
    registerEditor<frmPaymentMethods>("frmPaymentMethods", "Payment Methods", "BankLink",
                                      PermissionCheck::ByIndex);
    registerEditor<frmDiscounts>("frmDiscounts", "Discounts", "Discounts",
                                 PermissionCheck::ByName);
    registerEditor<frmAccounts>("frmAccounts", "GL Accounts", "GLAccounts",
                                PermissionCheck::ByIndex);
    // A new window for each booking.
    ui::RegisterWindow(QStringLiteral("frmDiscountPickList"),
                       [] { return ui::Forms::create<frmDiscountPickList>(); });
}

} // namespace money
