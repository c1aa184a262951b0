#include "imodini.h"

#include "platform/vb/error.h"

#include <QFile>
#include <QTextStream>

namespace imodINI {

QString ReadIniValue(const QString &filePath, const QString &section, const QString &key)
{
    QFile file(filePath);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw vb::Error(vb::err::PermissionDenied);

    const QString sectionLine = QLatin1Char('[') + section + QLatin1Char(']');
    const QString entryStart = key + QLatin1Char('=');
    QTextStream in(&file);
    bool inSection = false;
    QString line;
    while (in.readLineInto(&line)) {
        if (line.contains(QLatin1Char('['))) {
            inSection = line.compare(sectionLine, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && line.startsWith(entryStart, Qt::CaseInsensitive))
            return line.mid(entryStart.size());
    }
    return {};
}

} // namespace imodINI
