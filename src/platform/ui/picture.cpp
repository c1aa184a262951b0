#include "picture.h"

#include "platform/vb/error.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace ui {

void LoadPicture(QLabel *box, const QString &path)
{
    if (!box)
        throw vb::Error(vb::err::ObjectVariableNotSet);
    if (!QFileInfo(path).isFile())
        throw vb::Error(vb::err::FileNotFound);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw vb::Error(481, QStringLiteral("Invalid picture"));
    box->setPixmap(QPixmap::fromImage(picture));
}

} // namespace ui
