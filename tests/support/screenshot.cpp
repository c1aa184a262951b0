#include "screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace ovix::test {

bool saveScreenshot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("OVIXIAN_SCREENSHOTS");
    if (folder.isEmpty() || !window)
        return false;
    QDir().mkpath(folder);
    return window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")), "PNG");
}

} // namespace ovix::test
