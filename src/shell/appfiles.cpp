#include "appfiles.h"

#include "core/imodlanguage.h"
#include "core/imodvista.h"
#include "core/structure.h"
#include "sampledata/sampledata.h"

#include <QFile>
#include <QImage>
#include <QPainter>

namespace shell {

namespace {

const QString Declaration = QStringLiteral(
    "I declare that the details on this form are true and correct, that the student is in "
    "good health and able to take part in swimming lessons, and that I have told the centre of "
    "any medical condition that could affect the student in the water. I agree to the centre's "
    "terms of enrolment.\r\n");

// A logo picture: the centre's name space on white, framed, in colour or greys.
QImage logo(const QSize &size, bool colour, const QString &text)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = colour ? QColor(0x0b, 0x4f, 0x8a) : QColor(Qt::black);
    p.setPen(QPen(ink, 2));
    p.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
    QFont f = p.font();
    f.setPixelSize(size.height() / 3);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
    return image;
}

bool installPicture(const QString &path, const QImage &image)
{
    return QFile::exists(path) || image.save(path, "BMP");
}

} // namespace

const QStringList &SupportFileNames()
{
    static const QStringList names = {
        QStringLiteral("detailsdeclaration.txt"),
        QStringLiteral("barlogo.bmp"),
        QStringLiteral("bwlogo.bmp"),
        QStringLiteral("confslip.bmp"),
    };
    return names;
}

QStringList InstallApplicationFiles()
{
    QStringList failed;
    const QString folder = imodVista::GetAppDataFolder();
    if (imodStructure::InstallTemplate().isEmpty())
        failed << imodStructure::TemplateFileName;
    if (!QFile::exists(imodLanguage::LanguageFile()))
        failed << QStringLiteral("Language.ini");

    const QString declaration = folder + QStringLiteral("detailsdeclaration.txt");
    if (!QFile::exists(declaration)) {
        QFile file(declaration);
        if (!file.open(QIODevice::WriteOnly) || file.write(Declaration.toUtf8()) < 0)
            failed << QStringLiteral("detailsdeclaration.txt");
    }
    if (!installPicture(folder + QStringLiteral("barlogo.bmp"),
                        logo(QSize(600, 80), true, QStringLiteral("Swim School"))))
        failed << QStringLiteral("barlogo.bmp");
    if (!installPicture(folder + QStringLiteral("bwlogo.bmp"),
                        logo(QSize(300, 120), false, QStringLiteral("Swim School"))))
        failed << QStringLiteral("bwlogo.bmp");
    if (!installPicture(folder + QStringLiteral("confslip.bmp"),
                        logo(QSize(600, 120), false, QStringLiteral("Enrolment Confirmation"))))
        failed << QStringLiteral("confslip.bmp");
    if (SampleData::InstallSampleFile(folder).isEmpty())
        failed << QStringLiteral("sample.mdb");
    return failed;
}

} // namespace shell
