#include "frmbackup.h"

#include "backup.h"
#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/listfillers.h"
#include "core/lookups.h"
#include "frmloadup.h"
#include "frmopen.h"
#include "maintenancewindows.h"
#include "pagesetup.h"
#include "platform/jet/connection.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/vb/strings.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString dataFilePath()
{
    return Global::CentreSettings().DataFilesDirectory() + QLatin1Char('/') +
           Global::CurrentDataFile;
}

} // namespace

frmBackup::frmBackup(QWidget *parent)
    : ui::Form(parent)
{
    setMdiChild(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setCaption(QStringLiteral("Data Maintenance"));

    auto *heading = ui::headingLabel(QStringLiteral("Data Maintenance"), this);
    auto *intro = ui::wrappedLabel(
        QStringLiteral("We recommend you backup your data file regularly to minimise the impacts "
                       "of data loss. If your data file does become corrupt in some way, all your "
                       "data since your last backup will need to be re-entered manually."),
        this);

    auto *tasks =
        new QGroupBox(QStringLiteral("What maintenance tasks do you wish to perform?"), this);
    MaintenanceIntro = ui::wrappedLabel(QString(), tasks);
    MaintenanceIntro->setObjectName(QStringLiteral("MaintenanceIntro"));
    lst = new QListWidget(tasks);
    lst->setObjectName(QStringLiteral("lst"));
    auto *tasksLayout = new QVBoxLayout(tasks);
    tasksLayout->addWidget(MaintenanceIntro);
    tasksLayout->addWidget(lst);

    auto *copy = new QGroupBox(QStringLiteral("Do you want to backup your file?"), this);
    optBackup = new QRadioButton(QStringLiteral("Backup My Data File"), copy);
    optBackup->setObjectName(QStringLiteral("optBackup"));
    optNoBackup = new QRadioButton(QStringLiteral("Don't Backup My Data File"), copy);
    optNoBackup->setObjectName(QStringLiteral("optNoBackup"));
    optBackup->setChecked(true);
    lblBackupTarget = new QLabel(QStringLiteral("C:\\"), copy);
    lblBackupTarget->setObjectName(QStringLiteral("lblBackupTarget"));
    lblBackupTarget->setWordWrap(true);
    lblBackupTarget->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblChangeTarget = new QLabel(QStringLiteral("<a href=\"#\">Change...</a>"), copy);
    lblChangeTarget->setObjectName(QStringLiteral("lblChangeTarget"));
    lblChangeTarget->setCursor(Qt::PointingHandCursor);
    lblChangeTarget->installEventFilter(this);
    auto *target = new QHBoxLayout;
    target->addWidget(lblBackupTarget, 1);
    target->addWidget(lblChangeTarget, 0, Qt::AlignTop);
    auto *copyLayout = new QVBoxLayout(copy);
    copyLayout->addWidget(optBackup);
    copyLayout->addWidget(optNoBackup);
    copyLayout->addLayout(target);

    cmdOK = ui::namedButton(QStringLiteral("Run Now"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdClose = ui::namedButton(QStringLiteral("Don't Run"), QStringLiteral("cmdClose"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(intro);
    layout->addWidget(tasks);
    layout->addWidget(copy);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmBackup::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBackup::cmdClose_Click);
    resize(460, 460);
}

void frmBackup::onLoad()
{
    lblBackupTarget->setText(
        shell::BackupFileName(shell::BackupFolder(), QDateTime::currentDateTime()));

    lst->clear();
    for (const QString &task : {QStringLiteral("Perfom Data File Maintenance"),
                                QStringLiteral("Delete Report Temp Files")}) {
        auto *item = new QListWidgetItem(task, lst);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    imodGlobalSubs::SetListIndex(lst, 0);
    lst->setFixedHeight(lst->sizeHintForRow(0) * lst->count() + 2 * lst->frameWidth() + 4);
    MaintenanceIntro->setText(
        QStringLiteral("These options help to validate and correctly format your data and will "
                       "improve the performance of ") +
        Global::CentreSettings().ShortAppName() + QStringLiteral(" and your data file."));
}

bool frmBackup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblChangeTarget && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblChangeTarget_Click();
        return true;
    }
    return ui::Form::eventFilter(watched, event);
}

bool frmBackup::isTaskSelected(int index) const
{
    const QListWidgetItem *item = lst->item(index);
    return item && item->checkState() == Qt::Checked;
}

void frmBackup::lblChangeTarget_Click()
{
    for (;;) {
        const QString path = ui::Dialogs::saveFile(
            QStringLiteral("Where do you want to save your backup?"),
            QStringLiteral("Ovix Data Files (*.mdb)|*.mdb"), lblBackupTarget->text());
        if (path.isEmpty())
            return;
        if (QFileInfo::exists(path) &&
            ui::Dialogs::msgBox(QStringLiteral("There is already a file at ") + path +
                                    QStringLiteral(". ") + vb::vbCrLf + vb::vbCrLf +
                                    QStringLiteral("Do you want to overwrite this file?"),
                                ui::vbYesNo + ui::vbExclamation,
                                QStringLiteral("Replace Existing File?")) != ui::vbYes)
            continue;
        lblBackupTarget->setText(path);
        return;
    }
}

void frmBackup::cmdOK_Click()
{
    const int others = Global::CountConnectedUsers() - 1;
    if (others > 0) {
        const QString shortName = Global::CentreSettings().ShortAppName();
        if (ui::Dialogs::msgBox(
                QStringLiteral("There appears to be ") + QString::number(others) +
                    QStringLiteral(" other workstations connected to this database. Performing "
                                   "this operation may slow down their interaction with ") +
                    shortName +
                    QStringLiteral(" while you are backing up and verifying. Are you sure you "
                                   "want to continue?"),
                ui::vbYesNo + ui::vbQuestion, QStringLiteral("Just making sure...")) == ui::vbNo)
            return;
    }
    cmdOK->setEnabled(false);
    cmdClose->setEnabled(false);
    BackupNow();
}

void frmBackup::cmdClose_Click()
{
    FinishAndClose();
}

void frmBackup::BackupNow()
{
    ui::Hourglass::show();
    QCoreApplication::processEvents();

    const QString appName = Global::CentreSettings().ApplicationName();
    frmLoadUp *progress = ui::Forms::shared<frmLoadUp>();
    progress->LoadUp(QStringLiteral("Backing Up ") + appName, QStringLiteral("Backup & Verify"),
                     QStringLiteral("Please wait while ") + appName +
                         QStringLiteral(" performs the requested operations on your data file."));
    progress->showForm();

    // An existing file at the target stays until a complete copy replaces it.
    frmLoadUp::ShowStep(QStringLiteral("Preparing Data File..."));
    shell::WriteBackupMarker();

    if (isTaskSelected(0)) {
        frmLoadUp::ShowStep(QStringLiteral("Validating Database Tables..."));
        RunDataMaintenance();
    }
    if (isTaskSelected(1)) {
        frmLoadUp::ShowStep(QStringLiteral("Deleting Report Temporary Files..."));
        DeleteReportTempFiles();
    }
    if (optBackup->isChecked()) {
        frmLoadUp::ShowStep(QStringLiteral("Closing Data File..."));
        Global::DropDbConnection();
        frmLoadUp::ShowStep(QStringLiteral("Copying Data File to Backup Location..."));
        CopyDataFile(lblBackupTarget->text());
    }

    frmLoadUp::ShowStep(QStringLiteral("Cleaning Up..."));
    shell::DeleteBackupMarker();

    ui::Hourglass::reset();
    ui::Forms::unloadByName(QStringLiteral("frmLoadUp"));
    FinishAndClose();
}

void frmBackup::RunDataMaintenance()
{
    QString connectionString = Global::DbConnection().connectionString();
    if (connectionString.isEmpty())
        connectionString = QStringLiteral("Data Source=") + dataFilePath();
    const std::optional<shell::MaintenanceFailure> failure =
        shell::RunDataMaintenance(connectionString);
    if (!failure)
        return;
    ui::Dialogs::msgBox(QStringLiteral("An error occurred while validating ") + failure->stage +
                            QStringLiteral(".") + vb::vbCrLf + QStringLiteral("Err#") +
                            QString::number(failure->number) + QStringLiteral(" - ") +
                            failure->description + QStringLiteral(".") + vb::vbCrLf +
                            Global::CentreSettings().ShortAppName() +
                            QStringLiteral(" will continue but this phase of the backup process "
                                           "may not have completed successfully."),
                        ui::vbExclamation, failure->stage + QStringLiteral(" Validation Failed"));
}

void frmBackup::DeleteReportTempFiles()
{
    try {
        shell::DeleteReportTempFiles(Global::CentreSettings().DataFilesDirectory());
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred while deleting report temporary files. The backup "
                           "process will continue, but this part of the backup process may not "
                           "be complete. (Err#") +
                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                QStringLiteral(")."),
            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

bool frmBackup::CopyDataFile(const QString &target)
{
    for (;;) {
        try {
            shell::CopyDataFile(dataFilePath(), target);
            return true;
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            const int answer = ui::Dialogs::msgBox(
                QStringLiteral("There was an error while copying your data file from ") +
                    dataFilePath() + QStringLiteral(" to its backup location at ") + target +
                    QStringLiteral("\r") +
                    QStringLiteral("Copying of this file did not complete successfully.") + vb::vbCrLf +
                    e.description + vb::vbCrLf + vb::vbCrLf +
                    QStringLiteral("No backup was made. Do you want to try again?"),
                ui::vbRetryCancel + ui::vbExclamation,
                QStringLiteral("Backup failed - Error #") + QString::number(e.number));
            if (answer != ui::vbRetry)
                return false;
        }
    }
}

void frmBackup::FinishAndClose()
{
    shell::DeleteBackupMarker();
    if (OnClose == 1) {
        imodGlobalSubs::RestorePageSetup();
        shell::EndProgram();
        return;
    }
    unload(ui::CloseReason::Code);
    ui::Forms::shared<frmOpen>()->showForm();
}
