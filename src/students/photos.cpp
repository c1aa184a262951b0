#include "photos.h"

#include "core/centresettings.h"
#include "core/imageprocessor.h"
#include "platform/vb/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace imodStudents {

namespace {

QString photoFolder()
{
    return Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/jpegs");
}

} // namespace

QString PersonPhotoFile(qint32 studentId)
{
    return photoFolder() + QLatin1Char('/') + QString::number(studentId) +
           QStringLiteral(".jpg");
}

void ImportPersonPhoto(const QString &source, qint32 studentId)
{
    const QString folder = photoFolder();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw vb::Error(vb::err::PathNotFound);
    ImageProcessor::WritePhotoJpeg(source, PersonPhotoFile(studentId));
}

void DeletePersonPhoto(qint32 studentId)
{
    const QString path = PersonPhotoFile(studentId);
    const QFileInfo file(path);
    if (!file.isFile())
        throw vb::Error(vb::err::FileNotFound);
    // A read-only file is not deleted unless forced (Linux would unlink it).
    if (!(QFile::permissions(path) & QFileDevice::WriteOwner))
        throw vb::Error(vb::err::PermissionDenied);
    if (!QFile::remove(path))
        throw vb::Error(vb::err::PermissionDenied);
}

} // namespace imodStudents
