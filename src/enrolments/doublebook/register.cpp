#include "register.h"

#include "access/authorisation.h"
#include "enrolments/enrolling.h"
#include "frmdoublebook.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace enrolments {

void RegisterDoubleBookWindow()
{
    ui::RegisterWindow(QStringLiteral("frmDoubleBook"),
                       [] { return ui::Forms::create<frmDoubleBook>(); });
    constexpr int overfillClasses = 27;
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Overfill Class"), useraccess::PermissionCheck::ByIndex, overfillClasses,
         true, [](const useraccess::AuthorisationRequest &request) {
             imodEnrolments::OpenAddBooking(request.userId, request.strExtraInfo.trimmed().toInt(),
                                            request.userId);
         }});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Upgrade and Overfill Class"), useraccess::PermissionCheck::ByIndex,
         overfillClasses, true, [](const useraccess::AuthorisationRequest &request) {
             imodEnrolments::OverfillFromWaitList(
                 request.userId, request.strExtraInfo.trimmed().toInt(), request.userId);
         }});
}

} // namespace enrolments
