#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "enrolments/moving.h"
#include "frmmovestudent.h"
#include "frmpreenrol.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"

namespace enrolments {

void RegisterMoveWindows()
{
    ui::RegisterWindow(QStringLiteral("frmMoveStudent"),
                       [] { return ui::Forms::shared<frmMoveStudent>(); });
    ui::RegisterWindow(QStringLiteral("frmPreEnrol"),
                       [] { return ui::Forms::shared<frmPreEnrol>(); });
    ui::RegisterProcedure(imodEnrolments::MoveBookingProcedure, [](const QVariantList &args) {
        const auto arg = [&args](int i) { return i < args.size() ? args[i] : QVariant(); };
        imodEnrolments::MoveBookingToClass(vb::CLng(vb::Nz(arg(0), 0)), arg(1).toBool(),
                                           vb::CLng(vb::Nz(arg(2), 0)),
                                           arg(3).value<vb::Currency>(), arg(4).toString(),
                                           vb::CInt(vb::Nz(arg(5), 0)));
        return QVariant();
    });
    constexpr int overfillClasses = 27;
    useraccess::RegisterAuthorisedOperation(
        {imodEnrolments::MoveToFullClassOperation, useraccess::PermissionCheck::ByIndex,
         overfillClasses, true,
         [](const useraccess::AuthorisationRequest &) { imodEnrolments::ResumeMoveBooking(); }});
    useraccess::RegisterAuthorisedOperation(
        {imodEnrolments::PreEnrolIntoFullClassOperation, useraccess::PermissionCheck::ByIndex,
         overfillClasses, true,
         [](const useraccess::AuthorisationRequest &) { imodEnrolments::ResumePreEnrolMove(); }});
    useraccess::RegisterAuthorisedOperation({QStringLiteral("PreEnrolments"),
                                             useraccess::PermissionCheck::ByName,
                                             Global::PermissionIndex(QStringLiteral("PreEnrolments")),
                                             false,
                                             [](const useraccess::AuthorisationRequest &) {
                                                 if (ui::Form *list = ui::LoadWindowByName(
                                                         QStringLiteral("frmPreEnrol")))
                                                     list->showForm();
                                             }});
}

} // namespace enrolments
