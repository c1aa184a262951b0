#pragma once

#include <QPixmap>
#include <QPointer>
#include <QSize>

class QLabel;
class QWidget;
struct FIBITMAP;

// Pictures in picture boxes (labels showing a picture): the centre's logo fitted
// into a space, rescaled through FreeImage with its bicubic filter, or greyed.
// Errors of the boxes or of the library raise vb::Error.
class ImageProcessor
{
public:
    ImageProcessor() = default;
    ~ImageProcessor();
    ImageProcessor(const ImageProcessor &) = delete;
    ImageProcessor &operator=(const ImageProcessor &) = delete;

    // Keeps the box and a FreeImage bitmap of its picture (freeing one kept
    // before). A box without a picture raises vb::Error 481.
    void LoadImage(QLabel *SourcePictureBox);

    // A copy of the loaded picture rescaled to the size (height first), with the
    // bicubic filter; the loaded bitmap stays for further calls. Without a loaded
    // picture raises vb::Error 91.
    QPixmap Resize(int HeightInPixels, int WidthInPixels);

    // The box's size fitted into the space with its proportions kept, each product
    // rounded half to even: a box of 300 by 100 in 150 by 150 gives 150 by 50. A box
    // whose inner size already fits gives its own size; a box of width or height 0
    // gives nothing back (the variables keep their values).
    void ResizePicture(int lngPicWidth, int lngPicHeight, QWidget *objPictureBox, int &lngNewWidth,
                       int &lngNewHeight);

    // Puts a grey copy of the source's picture into the target: every pixel gets
    // red, green and blue equal to their mean, rounded. The target is shown column
    // by column while the conversion runs.
    void GenerateGreyscaleLogo(QLabel *SourcePictureBox, QLabel *TargetPictureBox);

    // The size a person's photograph is written at: a picture wider than maxWidth
    // becomes maxWidth wide and maxWidth / (width / height) high, rounded half to
    // even (never below 1); a narrower one keeps its own size.
    static QSize PhotoSize(int width, int height, int maxWidth = 140);

    // Reads the source file as a JPEG and writes it to the target as a JPEG of the
    // highest quality, scaled to PhotoSize with the bilinear filter. The picture is
    // written beside the target first and replaces it only once it is whole, so a
    // failure leaves an existing target as it was. A source that is not a readable
    // JPEG raises vb::Error 481; a failed write raises vb::Error 75.
    static void WritePhotoJpeg(const QString &source, const QString &target, int maxWidth = 140);

private:
    void freeBitmap();

    QPointer<QLabel> m_source;
    FIBITMAP *m_bitmap = nullptr;
};
