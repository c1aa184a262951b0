#include "register.h"

#include "frmphoto.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace students {

void RegisterPhotoWindow()
{
    ui::RegisterWindow(QStringLiteral("frmPhoto"), [] { return ui::Forms::shared<frmPhoto>(); });
}

} // namespace students
