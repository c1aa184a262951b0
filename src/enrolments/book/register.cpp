#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmattendancebook.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace enrolments {

void RegisterAttendanceBookWindow()
{
    ui::RegisterWindow(QStringLiteral("frmAttendanceBook"),
                       [] { return ui::Forms::shared<frmAttendanceBook>(); });
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Attendance Book"), useraccess::PermissionCheck::ByName,
         Global::PermissionIndex(QStringLiteral("AttendanceBook")), false,
         useraccess::ShowWindow(QStringLiteral("frmAttendanceBook"))});
}

} // namespace enrolments
