#include "frmloading.h"
#include "frmloadup.h"
#include "frmopen.h"
#include "frmsplash.h"
#include "frmworkstation.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "shell/startupwindows.h"

namespace shell {

void RegisterStartupWindows()
{
    RegisterWindow(QStringLiteral("frmSplash"), [] { return ui::Forms::shared<frmSplash>(); });
    RegisterWindow(QStringLiteral("frmOpen"), [] { return ui::Forms::shared<frmOpen>(); });
    RegisterWindow(QStringLiteral("frmLoadUp"), [] { return ui::Forms::shared<frmLoadUp>(); });
    RegisterWindow(QStringLiteral("frmLoading"), [] { return ui::Forms::shared<frmLoading>(); });
    RegisterWindow(QStringLiteral("frmWorkstation"),
                   [] { return ui::Forms::shared<frmWorkstation>(); });
}

} // namespace shell
