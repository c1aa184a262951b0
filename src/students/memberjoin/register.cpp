#include "register.h"

#include "frmmemberjoin.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace students {

void RegisterMemberJoinWindow()
{
    ui::RegisterWindow(QStringLiteral("frmMemberJoin"),
                       [] { return ui::Forms::shared<frmMemberJoin>(); });
}

} // namespace students
