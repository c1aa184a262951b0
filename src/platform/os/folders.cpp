#include "folders.h"

#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace os {

namespace {
constexpr long PathFileAccessError = 75;
}

QString Folders::appData()
{
    QString path = qEnvironmentVariable("OVIXIAN_HOME");
    if (path.isEmpty()) {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        path = QDir(base).filePath(QStringLiteral("Ovixian"));
    }
    path = QDir::cleanPath(QDir(path).absolutePath());
    if (!QDir().mkpath(path))
        throw vb::Error(PathFileAccessError);
    return path + QLatin1Char('/');
}

QString Folders::program()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

QString Folders::temp()
{
    return QDir::cleanPath(QDir::tempPath());
}

} // namespace os
