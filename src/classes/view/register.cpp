#include "register.h"

#include "frmviewclass.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace classes {

void RegisterClassViewWindow()
{
    ui::RegisterWindow(QStringLiteral("frmViewClass"),
                       [] { return ui::Forms::create<frmViewClass>(); });
}

} // namespace classes
