#include "frmopen.h"

#include "appfiles.h"
#include "core/centresettings.h"
#include "core/globalpaths.h"
#include "core/imodvista.h"
#include "dataloader.h"
#include "datapathfile.h"
#include "frmloadup.h"
#include "pagesetup.h"
#include "pictures.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/twips.h"
#include "platform/vb/error.h"
#include "startupstate.h"
#include "platform/ui/windowregistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString DataFileFilter = QStringLiteral("Ovix Data Files (*.MDB)|*.mdb");

QString &commandLineOverride()
{
    static QString text;
    return text;
}

// The application data folder without its trailing "/".
QString appFolder()
{
    return Global::StripTrailingSlash(imodVista::GetAppDataFolder());
}

void showError(const vb::Error &e)
{
    ui::Dialogs::msgBox(QStringLiteral("%1 (Err#%2)").arg(e.description()).arg(e.number()),
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

void NoShowCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    QCheckBox::mouseReleaseEvent(event);
    if (mouseUp && event->button() == Qt::LeftButton)
        mouseUp();
}

frmOpen::frmOpen(QWidget *parent)
    : ui::Form(parent)
{
    setMdiChild(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Image5 = new QLabel(this);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setGeometry(0, 0, 18, 0);
    Image5->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0b4f8a, stop:1 #4fb3e0);"));
    TreeImage = new QLabel(this);
    TreeImage->setObjectName(QStringLiteral("TreeImage"));
    TreeImage->setPixmap(shell::pictures::Welcome());
    Label1 = ui::headingLabel(QStringLiteral("Welcome..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    const auto button = [this](const char *name, const QString &caption) {
        auto *b = ui::namedButton(caption, QLatin1String(name), this);
        b->setMinimumHeight(32);
        return b;
    };
    cmdNew = button("cmdNew", QStringLiteral("&New Data File"));
    cmdOpen = button("cmdOpen", QStringLiteral("&Open Data File"));
    cmdPractice = button("cmdPractice", QStringLiteral("Use &Sample File"));
    cmdOptions = button("cmdOptions", QStringLiteral("Restore Backup"));
    cmdExit = button("cmdExit", QStringLiteral("&Exit"));
    chkNoShow = new NoShowCheckBox(QStringLiteral("Don't Show This Again"), this);
    chkNoShow->setObjectName(QStringLiteral("chkNoShow"));
    chkNoShow->mouseUp = [this] { chkNoShow_MouseUp(); };

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(Label1);
    buttons->addSpacing(8);
    for (QPushButton *b : {cmdNew, cmdOpen, cmdPractice, cmdOptions})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdExit);
    buttons->addSpacing(4);
    buttons->addWidget(chkNoShow);

    auto *layout = new QGridLayout(this);
    // The strip stands outside the layout along the left edge (see resizeEvent).
    layout->setContentsMargins(Image5->width() + 12, 12, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->addWidget(TreeImage, 0, 0, Qt::AlignTop);
    layout->addLayout(buttons, 0, 1);
    layout->setColumnStretch(1, 1);

    connect(cmdNew, &QPushButton::clicked, this, &frmOpen::CreateNewDataFile);
    connect(cmdOpen, &QPushButton::clicked, this, &frmOpen::OpenExistingDataFile);
    connect(cmdPractice, &QPushButton::clicked, this, &frmOpen::OpenSampleFile);
    connect(cmdOptions, &QPushButton::clicked, this, &frmOpen::cmdOptions_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmOpen::cmdExit_Click);
    resize(480, 300);
}

void frmOpen::setCommandLine(const QString &commandLine)
{
    commandLineOverride() = commandLine;
}

QString frmOpen::commandLine()
{
    if (!commandLineOverride().isNull())
        return commandLineOverride();
    return QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
}

void frmOpen::onLoad()
{
    setCaption(QStringLiteral("Welcome to ") + Global::CentreSettings().ApplicationName());
    LoadTreePicture();
    // The restore window is opened by name; without it the button has nothing to do.
    cmdOptions->setEnabled(shell::IsWindowRegistered(QStringLiteral("frmRestore")));

    shell::DataPathEntry entry;
    try {
        if (QFile::exists(shell::DataPathFile()))
            entry = shell::ReadDataPath();
    } catch (const vb::Error &e) {
        entry = {};
        ui::Dialogs::msgBox(QStringLiteral("%1 (Err#%2)").arg(e.description()).arg(e.number()),
                            ui::vbExclamation, QStringLiteral("Something went wrong..."));
    }

    const QString args = commandLine();
    if (args == QStringLiteral("\\w") || args == QStringLiteral("/w")) {
        showForm();
        return;
    }
    if (entry.showFlag == QStringLiteral("N")) {
        const QSignalBlocker quiet(chkNoShow);
        chkNoShow->setChecked(true);
        if (Global::DataFileLoaded) {
            showForm();
        } else {
            DataFileFolder = entry.folder;
            DataFileName = entry.fileName;
            LoadSelectedFile();
        }
        return;
    }
    showForm();
}

void frmOpen::resizeEvent(QResizeEvent *event)
{
    ui::Form::resizeEvent(event);
    Image5->setGeometry(0, 0, Image5->width(), qMax(0, height() - ui::twipsToPixels(120)));
}

void frmOpen::LoadTreePicture()
{
    const QString path = imodVista::GetAppDataFolder() + QStringLiteral("tree.jpg");
    QPixmap picture;
    if (QFile::exists(path) && picture.load(path))
        TreeImage->setPixmap(picture);
}

void frmOpen::LoadDataFile2(QString &AppString, QString &FileName)
{
    shell::LoadDataFile2(AppString, FileName, chkNoShow->isChecked(), boolKeepDataPath);
}

void frmOpen::LoadSelectedFile()
{
    ui::Forms::shared<frmLoadUp>()->showForm();
    LoadDataFile2(DataFileFolder, DataFileName);
}

void frmOpen::CreateNewDataFile()
{
    const QString folder = appFolder();
    const QString templateFile = folder + QStringLiteral("/new.md_");
    if (!QFile::exists(templateFile)) {
        ui::Dialogs::msgBox(QStringLiteral("The template for creating new files does not exist "
                                           "on this machine in '") +
                                templateFile + QStringLiteral("'"),
                            ui::vbExclamation, QStringLiteral("Problem"));
        return;
    }
    for (const QString &name : shell::SupportFileNames()) {
        if (!QFile::exists(folder + QLatin1Char('/') + name)) {
            ui::Dialogs::msgBox(
                QStringLiteral("One of the required template files is unavailable or does not "
                               "exist. The new file cannot be created (contact ") +
                    Global::CentreSettings().ShortAppName() +
                    QStringLiteral(" support for more information)"),
                ui::vbExclamation, QStringLiteral("A little problem"));
            return;
        }
    }
    const QString chosen = ui::Dialogs::saveFile(QStringLiteral("New Data File"), DataFileFilter);
    if (chosen.isEmpty())
        return;
    if (QFile::exists(chosen) &&
        ui::Dialogs::msgBox(QStringLiteral("A data file already exists at ") + chosen +
                                QStringLiteral(". Do you wish to overwrite it?"),
                            ui::vbYesNo + ui::vbQuestion, QStringLiteral("Oops!")) != ui::vbYes)
        return;
    const QString target = Global::GetParentFolder(chosen);
    try {
        // The copy replaces the old file only once it is complete.
        const QString partial = chosen + QStringLiteral(".partial");
        QFile::remove(partial);
        if (!QFile::copy(templateFile, partial))
            throw vb::Error(75, QStringLiteral("Path/File access error"));
        QFile(partial).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
        if ((QFile::exists(chosen) && !QFile::remove(chosen)) || !QFile::rename(partial, chosen)) {
            QFile::remove(partial);
            throw vb::Error(75, QStringLiteral("Path/File access error"));
        }
        for (const QString &name : shell::SupportFileNames()) {
            const QString copyName = name == QStringLiteral("detailsdeclaration.txt")
                                         ? QStringLiteral("DetailsDeclaration.txt")
                                         : name;
            const QString copy = target + QLatin1Char('/') + copyName;
            if (QFile::exists(copy))
                continue; // an existing file stays (error 58, passed over)
            if (!QFile::copy(folder + QLatin1Char('/') + name, copy))
                throw vb::Error(75, QStringLiteral("Path/File access error"));
        }
    } catch (const vb::Error &e) {
        showError(e);
        return;
    }
    DataFileFolder = target;
    DataFileName = QFileInfo(chosen).fileName();
    LoadSelectedFile();
}

void frmOpen::OpenExistingDataFile()
{
    const QString chosen =
        ui::Dialogs::openFile(QStringLiteral("Locate Data File"), DataFileFilter);
    if (chosen.isEmpty())
        return;
    boolKeepDataPath = true;
    if (!QFileInfo(chosen).isFile()) {
        ui::Dialogs::msgBox(Global::CentreSettings().ApplicationName() +
                                QStringLiteral(" cannot access the database at ") + chosen +
                                QStringLiteral(" - the file could not be found."),
                            ui::vbExclamation, QStringLiteral("Problem..."));
        return;
    }
    DataFileFolder = Global::GetParentFolder(chosen);
    DataFileName = QFileInfo(chosen).fileName();
    LoadSelectedFile();
}

void frmOpen::OpenSampleFile()
{
    const QString folder = appFolder();
    if (QFile::exists(folder + QStringLiteral("/sample.mdb"))) {
        DataFileFolder = folder;
        DataFileName = QStringLiteral("sample.mdb");
        LoadSelectedFile();
        return;
    }
    ui::Dialogs::msgBox(QStringLiteral("The sample data file does not exist on this computer. "
                                       "Please verify that a file exists at '") +
                            folder +
                            QStringLiteral("/sample.mdb' and that you have the appropriate "
                                           "permissions to access it."),
                        ui::vbExclamation, QStringLiteral("Problem"));
}

void frmOpen::cmdOptions_Click()
{
    if (ui::Form *restore = shell::LoadWindowByName(QStringLiteral("frmRestore")))
        restore->showForm();
}

void frmOpen::cmdExit_Click()
{
    imodGlobalSubs::RestorePageSetup();
    ui::Forms::unloadAll(ui::CloseReason::Code);
    QCoreApplication::quit();
}

void frmOpen::chkNoShow_MouseUp()
{
    if (!chkNoShow->isChecked())
        return;
    const QString shortName = Global::CentreSettings().ShortAppName();
    ui::Dialogs::msgBox(QStringLiteral("When you tick 'Don't show this again', ") + shortName +
                            QStringLiteral(" will load whatever file you open/create this time "
                                           "every time you run ") +
                            shortName + QStringLiteral("."),
                        ui::vbInformation, QStringLiteral("This is how it works..."));
}
