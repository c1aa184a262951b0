#include "userrights.h"

#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "core/structure.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"

#include <exception>

namespace Global {

int PermissionIndex(const QString &column)
{
    const QStringList &names = imodStructure::UserPermissionColumns();
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(column.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

namespace {

QString userRowSql(const QString &columns, const QString &userId)
{
    return QStringLiteral("SELECT %1 FROM Users WHERE UCase$(UserID) = %2;")
        .arg(columns, SqlText(userId.toUpper()));
}

int flagOf(const QVariant &value)
{
    bool ok = false;
    const int flag = value.toInt(&ok);
    return ok ? flag : 0;
}

} // namespace

void UserPermissions::LoadPermissionsFromDb(const QString &userId)
{
    Clear();
    m_userId = userId;
    m_loaded = true;
    try {
        jet::Recordset rs(DbConnection(), AdaptSql(userRowSql(QStringLiteral("*"), userId)));
        if (rs.eof())
            return;
        QVector<int> flags(imodStructure::UserPermissionColumns().size(), 0);
        for (int i = 0; i < flags.size() && i + 4 < rs.fieldCount(); ++i)
            flags[i] = flagOf(rs.value(i + 4));
        m_flags = flags;
    } catch (const std::exception &) {
        m_flags.clear();
    }
}

void UserPermissions::Clear()
{
    m_userId.clear();
    m_flags.clear();
    m_loaded = false;
}

int UserPermissions::Permissions(int index) const
{
    if (index < 0 || index >= m_flags.size())
        return 0;
    return m_flags[index];
}

UserPermissions &CurrentUserRights()
{
    static UserPermissions rights;
    return rights;
}

void LoadCurrentUserRights()
{
    CurrentUserRights().LoadPermissionsFromDb(CurrentUserId);
}

int CheckCurrentUserPermission(int index)
{
    UserPermissions &rights = CurrentUserRights();
    if (!rights.IsLoaded() || rights.UserId().compare(CurrentUserId, Qt::CaseInsensitive) != 0)
        LoadCurrentUserRights();
    return rights.Permissions(index);
}

int CheckPermissionByName(const QString &userId, const QString &column, bool silent)
{
    int flag = 0;
    const int index = PermissionIndex(column);
    if (index >= 0) {
        try {
            const QString name = imodStructure::UserPermissionColumns().at(index);
            jet::Recordset rs(
                DbConnection(),
                AdaptSql(userRowSql(QLatin1Char('[') + name + QLatin1Char(']'), userId)));
            if (!rs.eof())
                flag = flagOf(rs.value(0));
        } catch (const std::exception &) {
            flag = 0;
        }
    }
    if (flag == 0 && !silent)
        ui::Dialogs::msgBox(QStringLiteral("You do not have permission to access this feature."),
                            ui::vbOKOnly | ui::vbCritical, QStringLiteral("Access Denied"));
    return flag;
}

} // namespace Global
