#include "authorisation.h"

#include "access/permissions.h"
#include "access/services.h"
#include "core/frmconfirmdelete.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"

#include <QHash>
#include <exception>

namespace useraccess {

namespace {

QHash<QString, AuthorisedOperation> &operations()
{
    static QHash<QString, AuthorisedOperation> table;
    return table;
}

} // namespace

void RegisterAuthorisedOperation(AuthorisedOperation operation)
{
    const QString text = operation.text;
    operations().insert(text, std::move(operation));
}

void UnregisterAuthorisedOperation(const QString &text)
{
    operations().remove(text);
}

const AuthorisedOperation *FindAuthorisedOperation(const QString &text)
{
    auto it = operations().constFind(text);
    return it == operations().cend() ? nullptr : &it.value();
}

bool RunAuthorisedOperation(const AuthorisationRequest &request)
{
    const AuthorisedOperation *found = FindAuthorisedOperation(request.strMode);
    if (!found) {
        ui::Dialogs::msgBox(QStringLiteral("Password login could not process ") + request.strMode +
                                QStringLiteral("."),
                            ui::vbExclamation, QStringLiteral("Error Processing Password"));
        return false;
    }
    const AuthorisedOperation operation = *found; // an action may register others
    int flag = 1;
    if (operation.check == PermissionCheck::ByIndex)
        flag = Global::CheckPermission(request.userId, operation.index, false);
    else if (operation.check == PermissionCheck::ByName)
        flag = Global::CheckPermissionByName(
            request.userId, Global::PermissionNames().value(operation.index), false);
    const bool granted = operation.overfill ? flag != 0 : flag == 1;
    if (!granted) {
        if (operation.overfill)
            ui::Dialogs::msgBox(QStringLiteral("You do not have permission to overfill classes."),
                                ui::vbCritical, QStringLiteral("Sorry"));
        return true;
    }
    if (operation.action)
        operation.action(request);
    return true;
}

std::function<void(const AuthorisationRequest &)> ShowWindow(const QString &window)
{
    return [window](const AuthorisationRequest &) {
        if (ui::Form *f = LoadWindow(window))
            f->showForm();
    };
}

std::function<void(const AuthorisationRequest &)>
ShowWindowAndCall(const QString &window, const QString &member, QVariantList args)
{
    return [window, member, args](const AuthorisationRequest &) {
        if (ui::Form *f = LoadWindow(window)) {
            f->showForm();
            ui::callByName(f, member, args);
        }
    };
}

std::function<void(const AuthorisationRequest &)> CallRequester(const QString &member)
{
    return [member](const AuthorisationRequest &request) {
        // A requester closed while the approval was pending is left alone.
        if (request.xf && request.xf->isLoaded())
            ui::callByName(request.xf.data(), member);
    };
}

std::function<void(const AuthorisationRequest &)> CallOpenRecordWindow(const QString &window,
                                                                       const QString &member)
{
    return [window, member](const AuthorisationRequest &request) {
        if (ui::Form *f = ui::Forms::findByRecord(window, request.strExtraInfo))
            ui::callByName(f, member);
    };
}

void RegisterAccessOperations()
{
    auto index = [](const char *column) {
        return Global::PermissionIndex(QString::fromLatin1(column));
    };
    // Calls back to the requesting window.
    const struct
    {
        const char *text;
        const char *column;
        PermissionCheck check;
        const char *member;
    } callbacks[] = {
        {"Mark As No Show", "MarkAsNoShow", PermissionCheck::ByName, "MarkAsNoShow"},
        {"Move Booking", "MoveBooking", PermissionCheck::ByName, "PrepareToMove"},
        {"Delete Waiting List", "DeleteWaitList", PermissionCheck::ByName, "CancelWaitList"},
        {"Delete Catch Up", "DeleteCatchUp", PermissionCheck::ByName, "CancelCatchUp"},
        {"Edit Class Notes", "ClassNotes", PermissionCheck::ByName, "EditNotes"},
        {"Edit Employee User Account", "UserAccounts", PermissionCheck::ByIndex, "LoadTheUser"},
    };
    for (const auto &c : callbacks)
        RegisterAuthorisedOperation({QString::fromLatin1(c.text), c.check, index(c.column), false,
                                     CallRequester(QString::fromLatin1(c.member))});

    // The windows of this library.
    RegisterAuthorisedOperation(
        {QStringLiteral("User Accounts"), PermissionCheck::ByIndex, index("UserAccounts"), false,
         ShowWindowAndCall(QStringLiteral("frmUsers"), QStringLiteral("LoadUp"),
                           {false, false, QString()})});

    RegisterAuthorisedOperation({QStringLiteral("Centre Info"), PermissionCheck::ByIndex,
                                 index("CentreInfo"), false,
                                 ShowWindow(QStringLiteral("frmCentreInfo"))});

    // Deletions confirmed in the delete confirmation dialog.
    const struct
    {
        const char *text;
        const char *column;
        bool withRecord;
    } deletions[] = {
        {"Delete Booking", "DeleteBookings", true},
        {"Delete Water Test", "DeleteWaterTests", false},
        {"Delete Class", "DeleteClasses", true},
        {"Delete Student", "DeleteStudents", true},
        {"Delete Family", "DeleteFamily", true},
    };
    for (const auto &d : deletions) {
        const bool withRecord = d.withRecord;
        RegisterAuthorisedOperation(
            {QString::fromLatin1(d.text), PermissionCheck::ByIndex, index(d.column), false,
             [withRecord](const AuthorisationRequest &r) {
                 frmConfirmDelete::Request(r.strMode, withRecord ? r.strExtraInfo : QString(),
                                           r.userId);
             }});
    }
}

} // namespace useraccess
