#include "frmphoto.h"

#include "core/errorinfo.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/picture.h"
#include "students/imodstudents.h"
#include "students/photos.h"
#include "platform/vb/error.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int InvalidPicture = 481;
const QSize previewSize(240, 240);

void oops(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
}

// The text of a window's txtField box of that index ("" when it has none).
QString fieldText(QObject *window, int index)
{
    for (QWidget *w : window->findChildren<QWidget *>(QStringLiteral("txtField"))) {
        if (ui::controlIndex(w) != index)
            continue;
        if (auto *line = qobject_cast<QLineEdit *>(w))
            return line->text();
        if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
            return plain->toPlainText();
    }
    return {};
}

} // namespace

frmPhoto::frmPhoto()
{
    setObjectName(QStringLiteral("frmPhoto"));
    setCaption(QStringLiteral("Import Student/Employee Photo"));

    Label2 = ui::headingLabel(QStringLiteral("Import Photo"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtFrom = new QLineEdit(this);
    txtFrom->setObjectName(QStringLiteral("txtFrom"));
    cmdChange = ui::namedButton(QStringLiteral("Change"), QStringLiteral("cmdChange"), this);
    lblCurrent = new QLabel(this);
    lblCurrent->setObjectName(QStringLiteral("lblCurrent"));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(previewSize);
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setAlignment(Qt::AlignCenter);
    cmdCapture = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdCapture"), this);
    cmdCapture->setEnabled(false);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);
    txtID = new QLineEdit(this);
    txtID->setObjectName(QStringLiteral("txtID"));
    txtID->hide();

    auto *grid = new QGridLayout;
    auto *from = new QLabel(QStringLiteral("From:"), this);
    from->setBuddy(txtFrom);
    grid->addWidget(from, 0, 0);
    grid->addWidget(txtFrom, 0, 1);
    grid->addWidget(cmdChange, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Student:"), this), 1, 0);
    grid->addWidget(lblCurrent, 1, 1, 1, 2);
    grid->addWidget(Picture1, 2, 1, 1, 1, Qt::AlignCenter);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCapture);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addWidget(Label2);
    all->addLayout(grid);
    all->addLayout(buttons);
    resize(480, 400);

    connect(txtID, &QLineEdit::textChanged, this, &frmPhoto::txtID_Change);
    connect(cmdChange, &QPushButton::clicked, this, &frmPhoto::cmdChange_Click);
    connect(cmdCapture, &QPushButton::clicked, this, [this] { cmdCapture_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &frmPhoto::cmdClose_Click);
}

void frmPhoto::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
}

void frmPhoto::txtID_Change()
{
    try {
        lblCurrent->setText(imodStudents::GetStudentName(txtID->text().trimmed().toInt()));
    } catch (...) {
    }
}

void frmPhoto::cmdChange_Click()
{
    try {
        QString path = ui::Dialogs::openFile(QStringLiteral("Locate Photo File"),
                                             QStringLiteral("JPEG Files (*.jpg)|*.jpg;*.jpeg"));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty() && !QFileInfo::exists(path))
            path += QStringLiteral(".jpg");
        txtFrom->setText(path);
        ui::LoadPicture(Picture1, path);
        const QPixmap picture = Picture1->pixmap();
        if (picture.width() > previewSize.width() || picture.height() > previewSize.height())
            Picture1->setPixmap(
                picture.scaled(previewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        cmdCapture->setEnabled(true);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (e.number == InvalidPicture)
            oops(QStringLiteral("This file is not a valid picture file. Please try again."));
        else
            oops(QStringLiteral("The following error occurred when loading the picture - ") +
                 e.description + QStringLiteral(" (Err #") + QString::number(e.number) +
                 QLatin1Char(')'));
    }
}

bool frmPhoto::cmdCapture_Click()
{
    const QString source = txtFrom->text();
    if (source.isEmpty())
        return false;
    if (!QFileInfo(source).isFile()) {
        oops(QStringLiteral("The file you specified could not be found"));
        return false;
    }
    const QString studentId = txtID->text().trimmed();
    // The first failure stops the import; the person's old photograph stays.
    try {
        bool isNumber = false;
        const qint32 id = studentId.toInt(&isNumber);
        if (!isNumber)
            throw vb::Error(vb::err::TypeMismatch);
        imodStudents::ImportPersonPhoto(source, id);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (e.number == InvalidPicture)
            oops(QStringLiteral("The file you specified is not a JPEG picture that can be read. "
                                "Please choose a JPEG file."));
        else
            oops(QStringLiteral("An error occurred when saving the image to disk. (Err#") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description +
                 QStringLiteral("). The image may not have saved correctly. "));
        return false;
    }
    showInRecordWindows(studentId, imodStudents::PersonPhotoFile(studentId.toInt()));
    unload();
    return true;
}

void frmPhoto::showInRecordWindows(const QString &studentId, const QString &photo)
{
    for (ui::Form *window : ui::Forms::all()) {
        const QString name = window->name();
        const bool person =
            ((name == QLatin1String("frmStudentDetails") || name == QLatin1String("frmFamDetails")) &&
             fieldText(window, 0) == studentId) ||
            (name == QLatin1String("frmEmpDetails") && fieldText(window, 21) == studentId);
        if (!person)
            continue;
        try {
            window->showForm();
            ui::LoadPicture(window->findChild<QLabel *>(QStringLiteral("picStudent")), photo);
        } catch (...) {
        }
    }
}

void frmPhoto::cmdClose_Click()
{
    unload();
}
