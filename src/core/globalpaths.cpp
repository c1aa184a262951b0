#include "globalpaths.h"

#include "core/imodvista.h"

namespace Global {

QString StripTrailingSlash(const QString &path)
{
    if (path.endsWith(QLatin1Char('/')))
        return path.left(path.size() - 1);
    return path;
}

QString GetParentFolder(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString DefaultBackupFolder()
{
    return StripTrailingSlash(imodVista::GetAppDataFolder()) + QStringLiteral("/Backups");
}

} // namespace Global
