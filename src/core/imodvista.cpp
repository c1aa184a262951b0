#include "imodvista.h"

#include "platform/os/folders.h"
#include "platform/vb/error.h"

#include <QDir>
#include <QStandardPaths>
#include <QWidget>

namespace imodVista {

int GetWindowsVersion()
{
    return 8;
}

QString GetSpecialFolder(int csidl, bool create)
{
    QStandardPaths::StandardLocation location;
    switch (csidl) {
    case CSIDL_DESKTOP: location = QStandardPaths::DesktopLocation; break;
    case CSIDL_PERSONAL: location = QStandardPaths::DocumentsLocation; break;
    case CSIDL_APPDATA:
    case CSIDL_LOCAL_APPDATA:
    case CSIDL_COMMON_APPDATA: location = QStandardPaths::GenericDataLocation; break;
    default: return {};
    }
    const QString path = QStandardPaths::writableLocation(location);
    if (path.isEmpty())
        return {};
    if (create && !QDir().mkpath(path))
        return {};
    return QDir::cleanPath(path) + QLatin1Char('/');
}

QString GetAppDataFolder()
{
    return os::Folders::appData();
}

int SafeSetFocus(QWidget *control)
{
    if (!control || !control->isVisible() || !control->isEnabled() ||
        control->focusPolicy() == Qt::NoFocus)
        return vb::err::InvalidProcedureCall;
    control->setFocus();
    return 0;
}

} // namespace imodVista
