#include "frmrestore.h"

#include "backup.h"
#include "core/errorinfo.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/vb/strings.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmRestore::frmRestore(QWidget *parent)
    : ui::Form(parent)
{
    setMdiChild(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setCaption(QStringLiteral("Restore Backup File"));

    auto *heading = ui::headingLabel(QStringLiteral("Restore Backup File"), this);

    cboType = new QComboBox(this);
    cboType->setObjectName(QStringLiteral("cboType"));
    flb = new QListWidget(this);
    flb->setObjectName(QStringLiteral("flb"));
    cmdOK = ui::namedButton(QStringLiteral("Restore"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(
        ui::wrappedLabel(QStringLiteral("If you have experienced problems with your data "
                                        "file, you might like to restore a backup."),
                         this));
    layout->addWidget(
        ui::wrappedLabel(QStringLiteral("Please select the type of backup and the backup "
                                        "file you wish to restore:"),
                         this));
    layout->addWidget(cboType);
    layout->addWidget(new QLabel(QStringLiteral("Which File Do You Want Restored?"), this));
    layout->addWidget(flb, 1);
    layout->addWidget(ui::wrappedLabel(
        QStringLiteral("Please note that you may overwrite any existing data in your data file."),
        this));
    layout->addLayout(buttons);

    connect(cboType, &QComboBox::activated, this, &frmRestore::cboType_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmRestore::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmRestore::cmdClose_Click);
    resize(440, 420);
}

void frmRestore::onLoad()
{
    cboType->clear();
    cboType->addItem(QStringLiteral("Backed-up on This Computer"));
    cboType->addItem(QStringLiteral("Backups before Data Maintenance"));
    cboType->setCurrentIndex(-1);
}

void frmRestore::cboType_Click()
{
    const int kind = cboType->currentIndex();
    if (kind != 0 && kind != 1)
        return;
    m_path = shell::RestoreFolder(kind);
    m_pattern = shell::RestorePattern(kind);
    refreshList();
}

void frmRestore::refreshList()
{
    flb->clear();
    // A folder that does not exist yet (no backup of the kind made) lists nothing.
    const QStringList names =
        QDir(m_path).entryList({m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    flb->addItems(names);
}

void frmRestore::cmdOK_Click()
{
    ui::Hourglass::show();
    QListWidgetItem *item = flb->currentItem();
    if (!item || !item->isSelected()) {
        ui::Hourglass::reset();
        return;
    }
    const QString backup = QDir(m_path).filePath(item->text());

    QString target;
    for (;;) {
        target = ui::Dialogs::saveFile(QStringLiteral("Save Data File As"),
                                       QStringLiteral("Ovix Data Files (*.mdb)|*.mdb"));
        if (target.isEmpty()) {
            ui::Hourglass::reset();
            return;
        }
        if (QFileInfo(target).suffix().isEmpty())
            target += QStringLiteral(".mdb");
        // The data file that is open is never written over.
        const QString open = shell::OpenDataFilePath();
        if (shell::IsSameFile(target, open) || shell::IsSameFile(target, backup)) {
            ui::Dialogs::msgBox(QStringLiteral("The file at ") + target +
                                    QStringLiteral(" is in use and cannot be replaced. Please "
                                                   "choose another file name."),
                                ui::vbExclamation, QStringLiteral("File In Use"));
            continue;
        }
        if (QFileInfo::exists(target) &&
            ui::Dialogs::msgBox(QStringLiteral("There is already a file at ") + target +
                                    QStringLiteral(". ") + vb::vbCrLf + vb::vbCrLf +
                                    QStringLiteral("Do you want to overwrite this file?"),
                                ui::vbYesNo + ui::vbExclamation,
                                QStringLiteral("Replace Existing File?")) != ui::vbYes)
            continue;
        break;
    }

    try {
        shell::CopyDataFile(backup, target);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Hourglass::reset();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when copying the data file - Err#") +
                                QString::number(e.number) + QStringLiteral(" (") + e.description +
                                QStringLiteral(")"),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    ui::Dialogs::msgBox(QStringLiteral("Copying complete"), ui::vbInformation,
                        QStringLiteral("Done"));
    unload(ui::CloseReason::Code);
    if (ui::Form *open = ui::Forms::find(QStringLiteral("frmOpen")))
        open->showForm();
    ui::Hourglass::reset();
}

void frmRestore::cmdClose_Click()
{
    unload(ui::CloseReason::Code);
}
