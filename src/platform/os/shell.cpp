#include "shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace os {

bool shellOpen(const QString &pathOrAddress)
{
    if (pathOrAddress.isEmpty())
        return false;
    const QUrl url = QFileInfo::exists(pathOrAddress)
                         ? QUrl::fromLocalFile(QFileInfo(pathOrAddress).absoluteFilePath())
                         : QUrl::fromUserInput(pathOrAddress);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace os
