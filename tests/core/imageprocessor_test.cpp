#include "core/imageprocessor.h"
#include "platform/vb/error.h"
#include "support/tempdir.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A logo of two halves, red and blue, written as a JPEG and read back as the
// program reads a logo file.
QPixmap jpegLogo(const ovix::test::TempDir &dir, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, QColor(220, 20, 20));
    painter.fillRect(width / 2, 0, width - width / 2, height, QColor(20, 20, 220));
    painter.end();
    const QString path = dir.file("barlogo.jpg");
    EXPECT_TRUE(image.save(path, "JPG", 95));
    QPixmap read;
    EXPECT_TRUE(read.load(path));
    return read;
}

bool near(QColor actual, QColor expected)
{
    return std::abs(actual.red() - expected.red()) < 40 &&
           std::abs(actual.green() - expected.green()) < 40 &&
           std::abs(actual.blue() - expected.blue()) < 40;
}

} // namespace

TEST(ImageProcessor, RescalesALogoFromAJpegFile)
{
    ovix::test::TempDir dir;
    QLabel box;
    box.setPixmap(jpegLogo(dir, 80, 40));
    ImageProcessor processor;
    processor.LoadImage(&box);

    const QPixmap small = processor.Resize(10, 30); // height first
    EXPECT_EQ(small.width(), 30);
    EXPECT_EQ(small.height(), 10);
    const QImage image = small.toImage();
    EXPECT_TRUE(near(image.pixelColor(3, 5), QColor(220, 20, 20)))
        << image.pixelColor(3, 5).name().toStdString();
    EXPECT_TRUE(near(image.pixelColor(26, 5), QColor(20, 20, 220)))
        << image.pixelColor(26, 5).name().toStdString();
    // Right way up: the top row of a picture whose top half is white stays white.
    QImage halves(40, 40, QImage::Format_RGB32);
    halves.fill(Qt::black);
    QPainter(&halves).fillRect(0, 0, 40, 20, Qt::white);
    box.setPixmap(QPixmap::fromImage(halves));
    processor.LoadImage(&box);
    const QImage scaled = processor.Resize(20, 20).toImage();
    EXPECT_TRUE(near(scaled.pixelColor(10, 1), Qt::white));
    EXPECT_TRUE(near(scaled.pixelColor(10, 18), Qt::black));
    // The loaded picture stays for further calls.
    EXPECT_EQ(processor.Resize(100, 50).size(), QSize(50, 100));
}

TEST(ImageProcessor, FailuresReachTheCaller)
{
    ImageProcessor processor;
    EXPECT_THROW(processor.Resize(10, 10), vb::Error); // nothing loaded
    QLabel empty;
    EXPECT_THROW(processor.LoadImage(&empty), vb::Error);
}

TEST(ImageProcessor, ResizePictureKeepsProportions)
{
    const struct
    {
        int boxWidth, boxHeight, spaceWidth, spaceHeight, width, height;
    } cases[] = {
        {300, 100, 150, 150, 150, 50},  {100, 300, 150, 150, 50, 150},
        {400, 300, 200, 100, 133, 100}, // width first, then the height still too tall
        {120, 80, 150, 150, 120, 80},   // fits already: its own size
        {301, 101, 150, 150, 150, 50},  // 50.33 rounds to 50
        {250, 100, 100, 100, 100, 40},
    };
    ImageProcessor processor;
    for (const auto &c : cases) {
        QLabel box;
        box.resize(c.boxWidth, c.boxHeight);
        int width = -1, height = -1;
        processor.ResizePicture(c.spaceWidth, c.spaceHeight, &box, width, height);
        EXPECT_EQ(width, c.width) << c.boxWidth << "x" << c.boxHeight;
        EXPECT_EQ(height, c.height) << c.boxWidth << "x" << c.boxHeight;
    }
    QLabel flat;
    flat.resize(0, 100);
    int width = 7, height = 9;
    processor.ResizePicture(150, 150, &flat, width, height);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 9);
}

TEST(ImageProcessor, GreyscaleTakesTheMeanOfTheColours)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(10, 20, 31));
    image.setPixel(1, 0, qRgb(1, 1, 2));
    QLabel source, target;
    source.setPixmap(QPixmap::fromImage(image));
    ImageProcessor().GenerateGreyscaleLogo(&source, &target);
    const QImage grey = target.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(grey.pixel(0, 0), qRgb(20, 20, 20));
    EXPECT_EQ(grey.pixel(1, 0), qRgb(1, 1, 1));
    EXPECT_EQ(source.pixmap().toImage().convertToFormat(QImage::Format_ARGB32).pixel(0, 0),
              qRgb(10, 20, 31)); // the source keeps its colours
}
