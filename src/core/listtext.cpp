#include "listtext.h"

namespace core {

qint32 NumberAfterMarker(const QString &text, const QString &marker)
{
    const qsizetype at = text.lastIndexOf(marker);
    if (at < 0)
        return 0;
    const qsizetype from = at + marker.size();
    const qsizetype end = text.indexOf(QLatin1Char(')'), from);
    if (end < 0)
        return 0;
    bool ok = false;
    const qint32 n = text.mid(from, end - from).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

} // namespace core
