#include "services.h"

#include "access/authorisation.h"
#include "access/frmcentreinfo.h"
#include "access/frmchangepass.h"
#include "access/frmdeclaration.h"
#include "access/frmlogin.h"
#include "access/frmnamebar.h"
#include "access/frmpassword.h"
#include "access/frmusers.h"
#include "platform/ui/forms.h"

namespace useraccess {

namespace {
Services &installed()
{
    static Services services;
    return services;
}
} // namespace

void Install(const Services &services)
{
    installed() = services;
    RegisterAccessOperations();
    if (!services.registerWindow)
        return;
    // The windows of this library, each one shared instance, opened by name.
    const std::pair<const char *, WindowMaker> windows[] = {
        {"frmLogin", &ui::Forms::shared<frmLogin>},
        {"frmNameBar", &ui::Forms::shared<frmNameBar>},
        {"frmPassword", &ui::Forms::shared<frmPassword>},
        {"frmUsers", &ui::Forms::shared<frmUsers>},
        {"frmChangePass", &ui::Forms::shared<frmChangePass>},
        {"frmCentreInfo", &ui::Forms::shared<frmCentreInfo>},
        {"frmDeclaration", &ui::Forms::shared<frmDeclaration>},
    };
    for (const auto &[name, maker] : windows)
        services.registerWindow(QString::fromLatin1(name), maker);
}

const Services &InstalledServices()
{
    return installed();
}

ui::Form *LoadWindow(const QString &name)
{
    if (installed().loadWindow)
        return installed().loadWindow(name);
    return ui::Forms::find(name);
}

} // namespace useraccess
