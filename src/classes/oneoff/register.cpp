#include "register.h"

#include "access/authorisation.h"
#include "frmooe.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "timetable/classes.h"

namespace classes {

void RegisterOneOffCentre()
{
    using useraccess::PermissionCheck;
    ui::RegisterWindow(QStringLiteral("frmOOE"), [] { return ui::Forms::shared<frmOOE>(); });
    constexpr int ViewOOE = 47, AddEditOOE = 48, DeleteOOE = 49;
    // "Open OOE" of the class search shows the same window.
    useraccess::RegisterAuthorisedOperation({QStringLiteral("One-Off Enrolments"), PermissionCheck::ByName,
                                             ViewOOE, false,
                                             useraccess::ShowWindow(QStringLiteral("frmOOE"))});
    useraccess::RegisterAuthorisedOperation({QStringLiteral("New OO Class"), PermissionCheck::ByIndex,
                                             AddEditOOE, false,
                                             useraccess::CallRequester(QStringLiteral("CreateOOClass"))});
    useraccess::RegisterAuthorisedOperation({QStringLiteral("Open OO Class"), PermissionCheck::ByIndex,
                                             AddEditOOE, false,
                                             useraccess::CallRequester(QStringLiteral("OpenOOClass"))});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Delete OO Class"), PermissionCheck::ByIndex, DeleteOOE, false,
         [](const useraccess::AuthorisationRequest &request) {
             bool ok = false;
             const qint32 classId = request.strExtraInfo.toInt(&ok);
             if (!ok || classId == 0)
                 return;
             imodClasses::DeleteClassRecord(classId);
             if (ui::Form *centre = ui::Forms::find(QStringLiteral("frmOOE")))
                 if (auto *ooe = qobject_cast<frmOOE *>(centre))
                     ooe->Load_Instructors();
         }});
}

} // namespace classes
