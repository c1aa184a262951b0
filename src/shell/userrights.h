#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The signed-in user's rights and the two permission checks, as far as the main
// window needs them. A right is one of the user's 73 permission flags: the Users
// column at position index + 4; 1 means allowed.
namespace Global {

// The index of a permission column of Users (imodStructure::UserPermissionColumns,
// without regard to case), -1 when none.
int PermissionIndex(const QString &column);

// The permission flags of one user, read from the data file once and then kept in memory.
class UserPermissions
{
public:
    // Reads the Users row of the user ID (compared upper-cased). A missing row or any
    // failure leaves no flags: every right is then refused.
    void LoadPermissionsFromDb(const QString &userId);
    void Clear();
    // The flag at index 0 to 72 as loaded; 0 for an index outside that range or when
    // nothing was loaded.
    int Permissions(int index) const;
    QString UserId() const { return m_userId; }
    bool IsLoaded() const { return m_loaded; }

private:
    QString m_userId;
    QVector<int> m_flags;
    bool m_loaded = false;
};

// The rights of the signed-in user. The sign-in loads them (LoadCurrentUserRights);
// when the user signed in without that step they are read at the first check.
UserPermissions &CurrentUserRights();
void LoadCurrentUserRights();

// The signed-in user's flag at the index, from memory (as loaded at sign-in).
int CheckCurrentUserPermission(int index);

// Reads the user's flag in the named Users column from the data file at every call.
// A name that is not one of the 73 permission columns, a missing user, a missing
// value or any failure gives 0. When the result is 0 and silent is false the
// "Access Denied" box is shown. Never throws.
int CheckPermissionByName(const QString &userId, const QString &column, bool silent);

} // namespace Global
