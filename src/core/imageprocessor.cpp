#include "imageprocessor.h"

#include "platform/ui/events.h"
#include "platform/vb/error.h"

#include <FreeImage.h>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr long InvalidPicture = 481;

// The picture as a 32-bit FreeImage bitmap (its rows run bottom-up; the bytes of a
// pixel are blue, green, red, alpha, as in QImage's ARGB32 on this byte order).
FIBITMAP *toBitmap(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    FIBITMAP *bitmap = FreeImage_Allocate(image.width(), image.height(), 32, FI_RGBA_RED_MASK,
                                          FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!bitmap)
        throw vb::Error(vb::err::OutOfMemory);
    const size_t rowBytes = size_t(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(FreeImage_GetScanLine(bitmap, image.height() - 1 - y), image.constScanLine(y),
                    rowBytes);
    return bitmap;
}

QImage toImage(FIBITMAP *bitmap)
{
    const int width = int(FreeImage_GetWidth(bitmap));
    const int height = int(FreeImage_GetHeight(bitmap));
    QImage image(width, height, QImage::Format_ARGB32);
    const size_t rowBytes = size_t(width) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), FreeImage_GetScanLine(bitmap, height - 1 - y), rowBytes);
    return image;
}

// A product rounded to the nearest whole number, halves to even, as the sizes are kept.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

ImageProcessor::~ImageProcessor()
{
    freeBitmap();
}

void ImageProcessor::freeBitmap()
{
    if (m_bitmap) {
        FreeImage_Unload(m_bitmap);
        m_bitmap = nullptr;
    }
}

void ImageProcessor::LoadImage(QLabel *SourcePictureBox)
{
    if (!SourcePictureBox)
        throw vb::Error(vb::err::ObjectVariableNotSet);
    const QPixmap picture = SourcePictureBox->pixmap();
    if (picture.isNull())
        throw vb::Error(InvalidPicture, QStringLiteral("Invalid picture"));
    freeBitmap();
    m_source = SourcePictureBox;
    m_bitmap = toBitmap(picture.toImage());
}

QPixmap ImageProcessor::Resize(int HeightInPixels, int WidthInPixels)
{
    if (!m_bitmap)
        throw vb::Error(vb::err::ObjectVariableNotSet);
    if (HeightInPixels <= 0 || WidthInPixels <= 0)
        throw vb::Error(vb::err::InvalidProcedureCall);
    FIBITMAP *scaled = FreeImage_Rescale(m_bitmap, WidthInPixels, HeightInPixels, FILTER_BICUBIC);
    if (!scaled)
        throw vb::Error(vb::err::OutOfMemory);
    const QImage image = toImage(scaled);
    FreeImage_Unload(scaled);
    return QPixmap::fromImage(image);
}

void ImageProcessor::ResizePicture(int lngPicWidth, int lngPicHeight, QWidget *objPictureBox,
                                   int &lngNewWidth, int &lngNewHeight)
{
    if (!objPictureBox)
        throw vb::Error(vb::err::ObjectVariableNotSet);
    int w = objPictureBox->width();
    int h = objPictureBox->height();
    if (w == 0 || h == 0)
        return;
    const QRect inner = objPictureBox->contentsRect();
    if (inner.width() <= lngPicWidth && inner.height() <= lngPicHeight) {
        lngNewWidth = w;
        lngNewHeight = h;
        return;
    }
    auto scale = [&](double ratio) {
        w = roundEven(w * ratio);
        h = roundEven(h * ratio);
    };
    scale(h < w ? double(lngPicWidth) / w : double(lngPicHeight) / h);
    // Each step brings one side exactly onto the space, so two steps at most are
    // needed; the bound only guards against a space that cannot be met.
    for (int step = 0; step < 8 && (w > lngPicWidth || h > lngPicHeight) && w > 0 && h > 0;
         ++step) {
        if (w > lngPicWidth)
            scale(double(lngPicWidth) / w);
        else
            scale(double(lngPicHeight) / h);
    }
    lngNewWidth = w;
    lngNewHeight = h;
}

void ImageProcessor::GenerateGreyscaleLogo(QLabel *SourcePictureBox, QLabel *TargetPictureBox)
{
    if (!SourcePictureBox || !TargetPictureBox)
        throw vb::Error(vb::err::ObjectVariableNotSet);
    QImage image = SourcePictureBox->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    TargetPictureBox->setPixmap(QPixmap::fromImage(image));
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QRgb pixel = image.pixel(x, y);
            const int grey = roundEven((qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3.0);
            image.setPixel(x, y, qRgba(grey, grey, grey, qAlpha(pixel)));
        }
        TargetPictureBox->setPixmap(QPixmap::fromImage(image));
        ui::doEvents();
    }
}

QSize ImageProcessor::PhotoSize(int width, int height, int maxWidth)
{
    if (width <= maxWidth || height <= 0)
        return {width, height};
    const int scaled = roundEven(maxWidth / (double(width) / double(height)));
    return {maxWidth, scaled < 1 ? 1 : scaled};
}

void ImageProcessor::WritePhotoJpeg(const QString &source, const QString &target, int maxWidth)
{
    struct Bitmap
    {
        FIBITMAP *b = nullptr;
        ~Bitmap()
        {
            if (b)
                FreeImage_Unload(b);
        }
    } picture, scaled;
    picture.b = FreeImage_Load(FIF_JPEG, QFile::encodeName(source).constData(), JPEG_DEFAULT);
    if (!picture.b)
        throw vb::Error(InvalidPicture, QStringLiteral("Invalid picture"));
    const int width = int(FreeImage_GetWidth(picture.b));
    const int height = int(FreeImage_GetHeight(picture.b));
    const QSize size = PhotoSize(width, height, maxWidth);
    FIBITMAP *toWrite = picture.b;
    if (size.width() != width || size.height() != height) {
        scaled.b = FreeImage_Rescale(picture.b, size.width(), size.height(), FILTER_BILINEAR);
        if (!scaled.b)
            throw vb::Error(vb::err::OutOfMemory);
        toWrite = scaled.b;
    }

    // Written whole beside the target, then renamed over it in one step.
    const QString partial = target + QStringLiteral(".part");
    const QByteArray partialName = QFile::encodeName(partial);
    auto fail = [&](const QString &what) {
        std::remove(partialName.constData());
        throw vb::Error(75, QStringLiteral("Path/File access error: ") + what);
    };
    std::remove(partialName.constData());
    if (!FreeImage_Save(FIF_JPEG, toWrite, partialName.constData(), JPEG_QUALITYSUPERB))
        fail(QStringLiteral("the picture could not be written to '%1'").arg(partial));
    if (std::rename(partialName.constData(), QFile::encodeName(target).constData()) != 0)
        fail(QStringLiteral("the picture could not be stored as '%1'").arg(target));
}
