#include "frmlogin.h"

#include "core/errorinfo.h"
#include "access/services.h"
#include "access/signin.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/vb/error.h"

#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

frmLogin::frmLogin()
{
    setObjectName(QStringLiteral("frmLogin"));
    setMdiChild(false);
    setCaption(QStringLiteral("Login"));

    auto *heading = ui::headingLabel(QStringLiteral("Login"), this);
    auto *text = new QLabel(QStringLiteral("Please Enter a Username and Password"), this);
    Image1 = core::NewLogoLabel(this);
    txtUserID = new QLineEdit(this);
    txtUserID->setObjectName(QStringLiteral("txtUserID"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = ui::namedButton(QStringLiteral("Login"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    CoolButton1 =
        ui::namedButton(QStringLiteral("Auto-Login"), QStringLiteral("CoolButton1"), this);
    cmdClose = ui::namedButton(QStringLiteral("Exit"), QStringLiteral("cmdClose"), this);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("User ID:"), txtUserID);
    fields->addRow(QStringLiteral("Password:"), txtPassword);
    auto *right = new QVBoxLayout;
    right->addWidget(heading);
    right->addWidget(text);
    right->addLayout(fields);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(CoolButton1);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    resize(420, 190);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(txtPassword, &QLineEdit::returnPressed, this, &frmLogin::cmdOK_Click);
    connect(CoolButton1, &QPushButton::clicked, this, &frmLogin::CoolButton1_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmLogin::cmdClose_Click);
}

void frmLogin::onLoad()
{
    const QString logo =
        Global::CentreSettings().DataFilesDirectory() + QStringLiteral("/barlogo.bmp");
    if (QFile::exists(logo))
        Image1->setPixmap(QPixmap(logo));
    Image1->setVisible(!Image1->pixmap().isNull());
    onActivate();
}

void frmLogin::onActivate()
{
    const QString last =
        Global::CentreSettings().Settings(int(CentreSettingIds::UserID)).toString();
    if (!last.isEmpty()) {
        txtUserID->setText(last);
        txtPassword->setFocus();
    }
}

void frmLogin::loginFailure(const std::exception &)
{
    // Called inside a catch block.
    const core::ErrorInfo error = core::currentError();
    const long number = error.number;
    const QString description = error.description;
    ui::Dialogs::msgBox(QStringLiteral("An error occurred when processing the login.\r\nErr#") +
                            QString::number(number) + QStringLiteral(" - ") + description +
                            QStringLiteral(".\r\nThe login process could not be completed."),
                        ui::vbExclamation, QStringLiteral("Login Failure"));
}

void frmLogin::cmdOK_Click()
{
    try {
        if (txtUserID->text().isEmpty()) {
            ui::Dialogs::msgBox(QStringLiteral("You must enter a User ID, or click Auto-Login"),
                                ui::vbExclamation, QStringLiteral("Oops!"));
            return;
        }
        const QString password = txtPassword->text();
        txtPassword->clear();
        hideForm();
        if (ui::Form *progress = useraccess::LoadWindow(QStringLiteral("frmLoadUp")))
            progress->showForm();
        useraccess::LoginUser(txtUserID->text(), password, true);
    } catch (const std::exception &e) {
        loginFailure(e);
    }
}

void frmLogin::CoolButton1_Click()
{
    try {
        hideForm();
        if (ui::Form *progress = useraccess::LoadWindow(QStringLiteral("frmLoadUp")))
            progress->showForm();
        useraccess::LoginUser(QStringLiteral("i"), QString(), false);
        txtPassword->clear();
    } catch (const std::exception &e) {
        loginFailure(e);
    }
}

void frmLogin::cmdClose_Click()
{
    imodData::ExecSQL(QStringLiteral("UPDATE Computers SET InUse = 0 WHERE Name = ") +
                          Global::SqlText(Global::GetWorkstationName()) + QStringLiteral(";"),
                      false);
    ui::Forms::unloadByName(QStringLiteral("frmParent"), ui::CloseReason::Code);
    unload(ui::CloseReason::Code);
    if (ui::Form *backup = useraccess::LoadWindow(QStringLiteral("frmBackup"))) {
        backup->showForm();
        if (backup->metaObject()->indexOfProperty("OnClose") >= 0)
            backup->setProperty("OnClose", 1);
        else
            ui::callByName(backup, QStringLiteral("setOnClose"), {1});
    }
}
