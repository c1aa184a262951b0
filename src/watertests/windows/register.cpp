#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmwatertestdetail.h"
#include "frmwatertesting.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace watertests {

void RegisterWaterTestWindows(GridPrinter printGrid)
{
    frmWaterTesting::SetGridPrinter(std::move(printGrid));
    ui::RegisterWindow(QStringLiteral("frmWaterTesting"),
                       [] { return ui::Forms::shared<frmWaterTesting>(); });
    ui::RegisterWindow(QStringLiteral("frmWaterTestDetail"),
                       [] { return ui::Forms::create<frmWaterTestDetail>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Water Testing"), useraccess::PermissionCheck::ByName,
         Global::PermissionIndex(QStringLiteral("WaterTestUtility")), false,
         useraccess::ShowWindow(QStringLiteral("frmWaterTesting"))});
}

} // namespace watertests
