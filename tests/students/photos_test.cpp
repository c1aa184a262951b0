#include "core/centresettings.h"
#include "core/imageprocessor.h"
#include "platform/vb/error.h"
#include "students/photos.h"
#include "timetable/fixture/timetablefixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

class PhotoTest : public TimetableTest
{
protected:
    // A JPEG of that size in the temporary folder, filled with one colour.
    QString jpeg(int width, int height, QColor colour = Qt::blue,
                 const QString &name = QStringLiteral("source.jpg"))
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.path() + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(path, "JPEG"));
        return path;
    }
    static QSize sizeOf(const QString &path) { return QImageReader(path).size(); }
    static long errorOf(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const vb::Error &e) {
            return e.number();
        }
        return 0;
    }
};

TEST_F(PhotoTest, PicturesAreStoredAtMost140PixelsWide)
{
    const struct
    {
        int width, height, storedWidth, storedHeight;
    } cases[] = {
        {300, 400, 140, 187}, // 186.67
        {640, 480, 140, 105},
        {280, 5, 140, 2},     // 2.5 to the even 2
        {140, 90, 140, 90},   // never enlarged
        {60, 200, 60, 200},
        {1400, 3, 140, 1},    // never 0 high
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ImageProcessor::PhotoSize(c.width, c.height),
                  QSize(c.storedWidth, c.storedHeight));
        imodStudents::ImportPersonPhoto(jpeg(c.width, c.height), 7);
        EXPECT_EQ(sizeOf(imodStudents::PersonPhotoFile(7)), QSize(c.storedWidth, c.storedHeight))
            << c.width << "x" << c.height;
    }
}

TEST_F(PhotoTest, TheImportMakesTheFolderAndNamesTheFileByTheFullId)
{
    const QString folder = Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/jpegs");
    QDir(folder).removeRecursively();
    imodStudents::ImportPersonPhoto(jpeg(200, 100), 40000);
    EXPECT_EQ(imodStudents::PersonPhotoFile(40000), folder + QStringLiteral("/40000.jpg"));
    EXPECT_EQ(sizeOf(folder + QStringLiteral("/40000.jpg")), QSize(140, 70));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("40000.jpg")});
}

TEST_F(PhotoTest, AFailedImportKeepsTheOldPhotograph)
{
    imodStudents::ImportPersonPhoto(jpeg(100, 50, Qt::red), 3);
    const QString photo = imodStudents::PersonPhotoFile(3);
    const QByteArray old = [&] {
        QFile f(photo);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    auto unchanged = [&] {
        QFile f(photo);
        return f.open(QIODevice::ReadOnly) && f.readAll() == old;
    };

    // A picture that is not a JPEG, whatever its name.
    QImage png(50, 50, QImage::Format_RGB32);
    png.fill(Qt::green);
    const QString notJpeg = dir.path() + QStringLiteral("/picture.jpg");
    ASSERT_TRUE(png.save(notJpeg, "PNG"));
    EXPECT_EQ(errorOf([&] { imodStudents::ImportPersonPhoto(notJpeg, 3); }), 481);
    EXPECT_TRUE(unchanged());

    // A write that cannot be made: the partial file's place is taken by a folder.
    ASSERT_TRUE(QDir().mkpath(photo + QStringLiteral(".part/held")));
    EXPECT_EQ(errorOf([&] { imodStudents::ImportPersonPhoto(jpeg(60, 60), 3); }), 75);
    EXPECT_TRUE(unchanged());
    QDir(photo + QStringLiteral(".part")).removeRecursively();

    imodStudents::ImportPersonPhoto(jpeg(60, 60), 3);
    EXPECT_FALSE(unchanged());
    EXPECT_FALSE(QFileInfo::exists(photo + QStringLiteral(".part")));
}

TEST_F(PhotoTest, DeletingTwiceAndAReadOnlyPhotograph)
{
    imodStudents::ImportPersonPhoto(jpeg(50, 50), 5);
    const QString photo = imodStudents::PersonPhotoFile(5);
    EXPECT_EQ(errorOf([] { imodStudents::DeletePersonPhoto(5); }), 0);
    EXPECT_FALSE(QFileInfo::exists(photo));
    EXPECT_EQ(errorOf([] { imodStudents::DeletePersonPhoto(5); }), vb::err::FileNotFound);

    imodStudents::ImportPersonPhoto(jpeg(50, 50), 5);
    QFile::setPermissions(photo, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(errorOf([] { imodStudents::DeletePersonPhoto(5); }), vb::err::PermissionDenied);
    EXPECT_TRUE(QFileInfo::exists(photo));
    QFile::setPermissions(photo, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace
