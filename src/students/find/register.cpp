#include "register.h"

#include "access/authorisation.h"
#include "frmfindstudent.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "students/details/frmstudentdetails.h"

namespace students {

void RegisterFindStudentWindow()
{
    using useraccess::AuthorisationRequest;
    using useraccess::PermissionCheck;
    ui::RegisterWindow(QStringLiteral("frmFindStudent"),
                       [] { return ui::Forms::shared<frmFindStudent>(); });

    // The searches another user approved: the window works for that user.
    const struct
    {
        const char *text;
        int right;
        int mode;
    } searches[] = {
        {"Search Students", 33, frmFindStudent::Students},
        {"Instructors", 6, frmFindStudent::Employees},
        {"Search Families", 12, frmFindStudent::Families},
    };
    for (const auto &s : searches) {
        const int mode = s.mode;
        useraccess::RegisterAuthorisedOperation(
            {QString::fromLatin1(s.text), PermissionCheck::ByIndex, s.right, false,
             [mode](const AuthorisationRequest &r) {
                 auto *find = ui::Forms::shared<frmFindStudent>();
                 find->showForm();
                 find->LoadUp(mode, r.userId);
             }});
    }

    // New employees and families, approved by another user, open the record
    // windows of their own subsystems when those are there.
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("New Employee"), PermissionCheck::ByIndex, 7, false,
         [](const AuthorisationRequest &r) {
             // The new employee's window works for the approving user.
             if (ui::Form *record = ui::CreateWindowByName(QStringLiteral("frmEmpDetails"))) {
                 ui::callByName(record, QStringLiteral("LoadUp"),
                                {0, QStringLiteral("Add"), r.userId});
                 record->showForm();
             }
         }});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("New Family"), PermissionCheck::ByIndex, 13, false,
         [](const AuthorisationRequest &r) {
             if (ui::Form *record = ui::CreateWindowByName(QStringLiteral("frmFamDetails"))) {
                 ui::callByName(record, QStringLiteral("LoadUp"),
                                {0, QVariant::fromValue(static_cast<QObject *>(r.xf.data())),
                                 r.userId});
                 record->showForm();
             }
         }});
}

} // namespace students
