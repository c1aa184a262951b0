#pragma once

#include <QPointer>
#include <QString>
#include <QVariantList>
#include <functional>

namespace ui {
class Form;
}

// The operations the authorisation window carries out once another user has
// approved them. Each subsystem registers the operations of its own windows, so
// that the authorisation window knows none of them.
namespace useraccess {

// One approved request: the requesting window (null once it has closed), the
// operation text, the record it concerns and the approving user.
struct AuthorisationRequest
{
    QPointer<ui::Form> xf;
    QString strMode;
    QString strExtraInfo;
    QString userId;
    ui::Form *passwordWindow = nullptr;
};

enum class PermissionCheck { ByIndex, ByName, None };

struct AuthorisedOperation
{
    QString text;
    PermissionCheck check = PermissionCheck::ByIndex;
    int index = -1; // the permission flag (its column name is used for ByName)
    // Granted on any value but 0 (the over-fill operations, which also explain a
    // refusal); otherwise only on 1.
    bool overfill = false;
    std::function<void(const AuthorisationRequest &)> action;
};

// Registers an operation under its text (compared exactly); a later registration
// of the same text replaces it.
void RegisterAuthorisedOperation(AuthorisedOperation operation);
void UnregisterAuthorisedOperation(const QString &text);
const AuthorisedOperation *FindAuthorisedOperation(const QString &text);

// Checks the approving user's flag (showing "Access Denied" on refusal) and runs
// the operation when granted. Gives false, after the "Error Processing Password"
// warning, for a text that no operation has.
bool RunAuthorisedOperation(const AuthorisationRequest &request);

// Actions of the usual kinds.
// Shows the window of that name.
std::function<void(const AuthorisationRequest &)> ShowWindow(const QString &window);
// Shows the window, then calls its member with the arguments.
std::function<void(const AuthorisationRequest &)>
ShowWindowAndCall(const QString &window, const QString &member, QVariantList args = {});
// Calls a member of the requesting window; nothing when it has closed.
std::function<void(const AuthorisationRequest &)> CallRequester(const QString &member);
// Calls a member of the first open window of that name whose txtField(0) holds the
// record; nothing when there is none.
std::function<void(const AuthorisationRequest &)> CallOpenRecordWindow(const QString &window,
                                                                       const QString &member);

// The operations of the windows of the data layer and of this library.
void RegisterAccessOperations();

} // namespace useraccess
