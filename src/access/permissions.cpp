#include "permissions.h"

#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "core/structure.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"

#include <exception>

namespace Global {

const QStringList &PermissionNames()
{
    return imodStructure::UserPermissionColumns();
}

int PermissionIndex(const QString &column)
{
    const QStringList &names = PermissionNames();
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(column.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

namespace {

// The user's row, the ID matched without regard to case.
QString userRowSql(const QString &columns, const QString &userId)
{
    return QStringLiteral("SELECT %1 FROM Users WHERE UCase$(UserID) = %2;")
        .arg(columns, SqlText(userId.toUpper()));
}

int flagOf(const QVariant &value)
{
    if (value.isNull())
        return 0;
    bool ok = false;
    const int flag = value.toInt(&ok);
    return ok ? flag : 0;
}

// One flag read from the data file; every failure gives 0.
int readFlag(const QString &userId, const QString &column, bool silent)
{
    int flag = 0;
    try {
        jet::Recordset rs(
            DbConnection(),
            AdaptSql(userRowSql(QLatin1Char('[') + column + QLatin1Char(']'), userId)));
        if (!rs.eof())
            flag = flagOf(rs.value(0));
    } catch (const std::exception &) {
        flag = 0;
    }
    if (flag == 0 && !silent)
        ShowAccessDenied();
    return flag;
}

} // namespace

void ShowAccessDenied()
{
    ui::Dialogs::msgBox(QStringLiteral("You do not have permission to access this feature."),
                        ui::vbOKOnly | ui::vbCritical, QStringLiteral("Access Denied"));
}

UserPermissions::UserPermissions()
    : m_flags(std::make_unique<CSuperCollection>())
{}

void UserPermissions::LoadPermissionsFromDb(const QString &userId)
{
    Clear();
    m_userId = userId;
    m_loaded = true;
    jet::Recordset rs(DbConnection(), AdaptSql(userRowSql(QStringLiteral("*"), userId)));
    if (rs.eof())
        throw std::runtime_error("No Users row for the user ID " + userId.toStdString() + ".");
    for (const QString &name : PermissionNames())
        m_flags->Add(flagOf(rs.value(name)), name);
}

void UserPermissions::Clear()
{
    m_userId.clear();
    m_flags = std::make_unique<CSuperCollection>();
    m_flags->setAllowItemAsignments(true);
    m_flags->setBaseIndex(0);
    m_loaded = false;
}

int UserPermissions::Permissions(int index) const
{
    if (index < 0 || index >= m_flags->Count())
        return 0;
    return m_flags->Item(index).toInt();
}

int UserPermissions::Permissions(const QString &column) const
{
    return Permissions(GetFieldIdForKey(column));
}

int UserPermissions::GetFieldIdForKey(const QString &key) const
{
    return int(PermissionNames().indexOf(key));
}

QString UserPermissions::GetFieldKeyForId(int id) const
{
    return PermissionNames().value(id);
}

UserPermissions &CurrentUserRights()
{
    static UserPermissions rights;
    return rights;
}

void LoadCurrentUserRights()
{
    try {
        CurrentUserRights().LoadPermissionsFromDb(CurrentUserId);
    } catch (const std::exception &) {
        // The rights stay as far as they were read: none for a missing user.
    }
}

int CheckCurrentUserPermission(int index)
{
    UserPermissions &rights = CurrentUserRights();
    if (!rights.IsLoaded() || rights.UserId().compare(CurrentUserId, Qt::CaseInsensitive) != 0)
        LoadCurrentUserRights();
    return rights.Permissions(index);
}

int CheckPermission(const QString &userId, int index, bool silent)
{
    if (index < 0 || index >= PermissionCount) {
        if (!silent)
            ShowAccessDenied();
        return 0;
    }
    return readFlag(userId, PermissionNames().at(index), silent);
}

int CheckPermissionByName(const QString &userId, const QString &column, bool silent)
{
    // Only one of the 73 names, as the structure spells it, goes into the statement.
    const int index = PermissionIndex(column);
    if (index < 0) {
        if (!silent)
            ShowAccessDenied();
        return 0;
    }
    return readFlag(userId, PermissionNames().at(index), silent);
}

QString GetNameForUserID(const QString &userId)
{
    jet::Recordset rs(DbConnection(),
                      AdaptSql(QStringLiteral("SELECT Users.* FROM Users WHERE UCase$(UserID) = ") +
                               SqlText(userId.toUpper()) + QStringLiteral(";")));
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.value(0).toString().toUpper() == userId.toUpper())
            return rs.value(1).toString();
    }
    return {};
}

} // namespace Global
