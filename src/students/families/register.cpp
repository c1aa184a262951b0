#include "register.h"

#include "access/authorisation.h"
#include "frmaddtofamily.h"
#include "frmchangefamily.h"
#include "frmfamdetails.h"
#include "frmfamily.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

#include <QLineEdit>

namespace students {

void RegisterFamilyWindows()
{
    ui::RegisterWindow(QStringLiteral("frmFamDetails"),
                       [] { return ui::Forms::create<frmFamDetails>(); });
    ui::RegisterWindow(QStringLiteral("frmFamily"), [] { return ui::Forms::shared<frmFamily>(); });
    ui::RegisterWindow(QStringLiteral("frmChangeFamily"),
                       [] { return ui::Forms::shared<frmChangeFamily>(); });
    ui::RegisterWindow(QStringLiteral("frmAddToFamily"),
                       [] { return ui::Forms::shared<frmAddToFamily>(); });

    constexpr int ViewFamilies = 12;
    constexpr int AddEditFamilies = 13;
    using useraccess::AuthorisationRequest;
    using useraccess::PermissionCheck;
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Edit Family"), PermissionCheck::ByIndex, AddEditFamilies, false,
         useraccess::CallOpenRecordWindow(QStringLiteral("frmFamDetails"),
                                          QStringLiteral("Edit_Me"))});
    // The requester (a student or employee window) receives the new family.
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("New Family for Student"), PermissionCheck::ByIndex, AddEditFamilies,
         false, [](const AuthorisationRequest &r) {
             auto *family = ui::Forms::shared<frmFamily>();
             family->txtSID->setText(r.strExtraInfo);
             family->showForm();
             family->LoadUp(r.xf.data());
         }});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Family from Students"), PermissionCheck::ByIndex, ViewFamilies, false,
         [](const AuthorisationRequest &r) {
             auto *family = ui::Forms::create<frmFamDetails>();
             family->LoadUp(r.strExtraInfo.trimmed().toInt(), r.passwordWindow, r.userId);
             family->showForm();
         }});
}

} // namespace students
