#include "register.h"

#include "access/authorisation.h"
#include "frmviewclass.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace classes {

void RegisterClassViewWindow()
{
    ui::RegisterWindow(QStringLiteral("frmViewClass"),
                       [] { return ui::Forms::create<frmViewClass>(); });

    constexpr int EditClasses = 0;
    constexpr int AddClasses = 1;
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Add Class"), useraccess::PermissionCheck::ByIndex, AddClasses, false,
         [](const useraccess::AuthorisationRequest &) {
             auto *view = ui::Forms::create<frmViewClass>();
             view->setViewClassMode(QStringLiteral("Add"));
             view->showForm();
             view->LoadOps(0);
         }});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Edit Class"), useraccess::PermissionCheck::ByIndex, EditClasses, false,
         useraccess::CallOpenRecordWindow(QStringLiteral("frmViewClass"), QStringLiteral("Edit_Me"))});
}

} // namespace classes
