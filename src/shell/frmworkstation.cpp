#include "frmworkstation.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalpaths.h"
#include "core/imodvista.h"
#include "datapathfile.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/vb/error.h"
#include "startupservices.h"

#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmWorkstation::frmWorkstation(QWidget *parent)
    : ui::Form(parent)
    , lblField(QStringLiteral("lblField"))
{
    setCaption(QStringLiteral("Workstation Settings (this computer only)"));
    Label2 = ui::headingLabel(QStringLiteral("Workstation Settings"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    lblField.add(
        0, new QLabel(QStringLiteral("The settings on this screen apply only to this computer."),
                      this));
    lblField.add(1, new QLabel(QStringLiteral("Customer ID:"), this));
    lblField.add(2, new QLabel(QStringLiteral("Password:"), this));
    Label5 = ui::sectionLabel(QStringLiteral("Ovix Mode"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    optSingle = new QRadioButton(
        QStringLiteral("I only use 1 data file and want Ovix to open this file every time I use "
                       "Ovix:"),
        this);
    optSingle->setObjectName(QStringLiteral("optSingle"));
    optMultiple = new QRadioButton(QStringLiteral("I use more than one data file and would like "
                                                  "to select the file I want when Ovix starts"),
                                   this);
    optMultiple->setObjectName(QStringLiteral("optMultiple"));
    txtPath = new QLineEdit(this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    cmdFind = ui::namedButton(QStringLiteral("Find..."), QStringLiteral("cmdFind"), this);
    Label3 = ui::sectionLabel(QStringLiteral("my-Ovix Information"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    txtUserID = new QLineEdit(this);
    txtUserID->setObjectName(QStringLiteral("txtUserID"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *pathRow = new QHBoxLayout;
    pathRow->setContentsMargins(24, 0, 0, 0);
    pathRow->addWidget(txtPath, 1);
    pathRow->addWidget(cmdFind);
    auto *login = new QFormLayout;
    login->addRow(lblField[1], txtUserID);
    login->addRow(lblField[2], txtPassword);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(Label2);
    layout->addWidget(lblField[0]);
    layout->addSpacing(8);
    layout->addWidget(Label5);
    layout->addWidget(optSingle);
    layout->addLayout(pathRow);
    layout->addWidget(optMultiple);
    layout->addSpacing(8);
    layout->addWidget(Label3);
    layout->addLayout(login);
    layout->addSpacing(12);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(optSingle, &QRadioButton::clicked, this, &frmWorkstation::optSingle_Click);
    connect(optMultiple, &QRadioButton::clicked, this, &frmWorkstation::optSingle_Click);
    connect(cmdFind, &QPushButton::clicked, this, &frmWorkstation::cmdFind_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmWorkstation::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmWorkstation::cmdClose_Click);
    optSingle_Click();
    resize(560, sizeHint().height());
}

void frmWorkstation::onLoad()
{
    if (!QFile::exists(shell::DataPathFile())) {
        ui::Dialogs::msgBox(QStringLiteral("The data path file does not exist at ") +
                                imodVista::GetAppDataFolder() + QStringLiteral("DataPath.txt."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    try {
        const QStringList lines = shell::ReadTextLines(shell::DataPathFile());
        if (lines.value(2) == QStringLiteral("N"))
            optSingle->setChecked(true);
        else
            optMultiple->setChecked(true);
        optSingle_Click();
        if (QFile::exists(shell::WorkstationLoginFile())) {
            const QStringList login = shell::ReadTextLines(shell::WorkstationLoginFile());
            if (login.size() > 0)
                txtUserID->setText(login.at(0));
            if (login.size() > 1)
                txtPassword->setText(shell::ScramblePassword(login.at(1), -1));
        }
    } catch (const vb::Error &e) {
        // A file that cannot be read leaves the window as far as it got.
        ui::Dialogs::msgBox(QStringLiteral("%1 (Err#%2)").arg(e.description()).arg(e.number()),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
    txtPath->setText(Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/") +
                     Global::CurrentDataFile);
}

void frmWorkstation::optSingle_Click()
{
    const bool single = optSingle->isChecked();
    cmdFind->setVisible(single);
    txtPath->setVisible(single);
}

void frmWorkstation::cmdFind_Click()
{
    const QString chosen = ui::Dialogs::openFile(QStringLiteral("Locate Data File"),
                                                 QStringLiteral("Ovix Data Files (*.MDB)|*.mdb"));
    if (!chosen.isEmpty())
        txtPath->setText(chosen);
}

void frmWorkstation::cmdOK_Click()
{
    const bool single = optSingle->isChecked();
    const QString path = txtPath->text();
    if (single && !QFileInfo(path).isFile()) {
        ui::Dialogs::msgBox(QStringLiteral("The database file you have chosen does not exist. It "
                                           "may have been moved or deleted. Please choose again."),
                            ui::vbExclamation, QStringLiteral("Hmmmm"));
        return;
    }
    try {
        if (single) {
            // A file in the application data folder is written as "%", which the
            // data-file window reads as that folder.
            QString folder = Global::GetParentFolder(path);
            if (folder == Global::StripTrailingSlash(imodVista::GetAppDataFolder()))
                folder = QStringLiteral("%");
            shell::WriteDataPath(folder, QFileInfo(path).fileName(), QStringLiteral("N"));
        } else {
            shell::WriteDataPath(QStringLiteral("%"), QStringLiteral("default.mdb"),
                                 QStringLiteral("Y"));
        }
        shell::WriteTextLinesAnew(
            shell::WorkstationLoginFile(),
            {txtUserID->text(), shell::ScramblePassword(txtPassword->text(), 1)});
    } catch (const vb::Error &e) {
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when saving the workstation "
                                           "settings.\r\n%1 (#%2)")
                                .arg(e.description())
                                .arg(e.number()),
                            ui::vbCritical, QStringLiteral("Oops!"));
        return;
    }
    unload();
}

void frmWorkstation::cmdClose_Click()
{
    unload();
}
