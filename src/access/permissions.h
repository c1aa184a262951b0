#pragma once

#include "core/csupercollection.h"

#include <QString>
#include <QStringList>
#include <memory>

// The users' permission flags. A user's row of Users holds 73 integer flags, the
// columns at position index + 4 (after UserID, Name, Password and Admin); the value
// 1 grants the operation, anything else (or no value) refuses it.
namespace Global {

constexpr int PermissionCount = 73;

// The Users column of each flag, in index order.
const QStringList &PermissionNames();

// The index of a permission column of Users (the name compared without regard to
// case), -1 when it is not one of the 73.
int PermissionIndex(const QString &column);

// The flags of one user, read from the data file and then kept in memory, keyed
// by column name in index order.
class UserPermissions
{
public:
    UserPermissions();

    // Reads the Users row of the user ID (compared upper-cased). A missing row or a
    // failing statement leaves no flags (every right refused) and is raised to the
    // caller.
    void LoadPermissionsFromDb(const QString &userId);
    void Clear();
    // The flag at index 0 to 72 as loaded; 0 for any other index, a missing value
    // or when nothing was loaded.
    int Permissions(int index) const;
    int Permissions(const QString &column) const;
    // Always 73, loaded or not.
    int Count() const { return PermissionCount; }
    // The index of a column name as stored (exact letter case), else -1.
    int GetFieldIdForKey(const QString &key) const;
    // The column name of an index, else the empty text.
    QString GetFieldKeyForId(int id) const;

    QString UserId() const { return m_userId; }
    bool IsLoaded() const { return m_loaded; }

private:
    QString m_userId;
    std::unique_ptr<CSuperCollection> m_flags;
    bool m_loaded = false;
};

// The rights of the signed-in user, loaded at sign-in.
UserPermissions &CurrentUserRights();
// Loads the rights of CurrentUserId; a failure leaves none.
void LoadCurrentUserRights();

// The signed-in user's flag at the index, from memory (reloaded first when the
// signed-in user changed since the last load).
int CheckCurrentUserPermission(int index);

// The user's flag at the index (0 to 72), read from the data file at every call.
// A missing user, a missing value or any failure gives 0; with 0 and silent false
// the "Access Denied" box is shown. Never throws.
int CheckPermission(const QString &userId, int index, bool silent);

// The same by Users column name. A name that is not one of the 73 flags never
// reaches the statement and gives 0.
int CheckPermissionByName(const QString &userId, const QString &column, bool silent);

// The Name of the user's Users row (the ID compared without regard to case), the
// empty text when there is none. Errors reach the caller.
QString GetNameForUserID(const QString &userId);

// The refusal box of the checks.
void ShowAccessDenied();

} // namespace Global
