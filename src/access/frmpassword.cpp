#include "frmpassword.h"

#include "access/authorisation.h"
#include "access/frmnamebar.h"
#include "access/permissions.h"
#include "access/signin.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/passwords.h"
#include "core/imoddata.h"
#include "core/imodlanguage.h"
#include "core/imodvista.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "core/workingwindow.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

frmPassword::frmPassword()
{
    setObjectName(QStringLiteral("frmPassword"));
    setMdiChild(false);
    setCaption(QStringLiteral("Authorisation Required"));

    auto *heading = ui::headingLabel(QStringLiteral("Enter Password"), this);
    auto *subheading = new QLabel(QStringLiteral("Please Enter Your Login Information"), this);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    Image1 = core::NewLogoLabel(this);

    fraText = new QFrame(this);
    fraText->setObjectName(QStringLiteral("fraText"));
    auto *textInfo = new QLabel(
        QStringLiteral("The current user account does not have access to this function. Please "
                       "enter a valid User ID and password to continue."),
        fraText);
    textInfo->setWordWrap(true);
    txtUserID = new QLineEdit(fraText);
    txtUserID->setObjectName(QStringLiteral("txtUserID"));
    m_userIdPalette = txtUserID->palette();
    txtPassword = new QLineEdit(fraText);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    chkLogin =
        new QCheckBox(QStringLiteral("Sign in with these details for this session"), fraText);
    chkLogin->setObjectName(QStringLiteral("chkLogin"));
    auto *textForm = new QFormLayout;
    textForm->addRow(QStringLiteral("User ID:"), txtUserID);
    textForm->addRow(QStringLiteral("Password:"), txtPassword);
    auto *textLayout = new QVBoxLayout(fraText);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->addWidget(textInfo);
    textLayout->addLayout(textForm);
    textLayout->addWidget(chkLogin);

    fraBarcode = new QFrame(this);
    fraBarcode->setObjectName(QStringLiteral("fraBarcode"));
    auto *barcodeInfo = new QLabel(
        QStringLiteral("The current user account does not have access to this function. Please "
                       "scan your access card to continue."),
        fraBarcode);
    barcodeInfo->setWordWrap(true);
    txtBarcode = new QLineEdit(fraBarcode);
    txtBarcode->setObjectName(QStringLiteral("txtBarcode"));
    auto *barcodeForm = new QFormLayout;
    barcodeForm->addRow(QStringLiteral("Barcode:"), txtBarcode);
    auto *barcodeLayout = new QVBoxLayout(fraBarcode);
    barcodeLayout->setContentsMargins(0, 0, 0, 0);
    barcodeLayout->addWidget(barcodeInfo);
    barcodeLayout->addLayout(barcodeForm);
    barcodeLayout->addStretch(1);

    cmdOK = ui::namedButton(QStringLiteral("OK"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdCancel = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);
    cmdSwitch = ui::namedButton(QStringLiteral("Scan Barcode"), QStringLiteral("cmdSwitch"), this);

    auto *frames = new QWidget(this);
    m_frames = new QStackedLayout(frames);
    m_frames->addWidget(fraText);
    m_frames->addWidget(fraBarcode);

    auto *right = new QVBoxLayout;
    right->addWidget(heading);
    right->addWidget(subheading);
    right->addWidget(line);
    right->addWidget(frames);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSwitch);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    resize(460, 230);

    connect(cmdOK, &QPushButton::clicked, this, &frmPassword::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPassword::cmdCancel_Click);
    connect(cmdSwitch, &QPushButton::clicked, this, &frmPassword::cmdSwitch_Click);
}

void frmPassword::onLoad()
{
    core::ShowClassSearchLogo(Image1);
    if (ui::Form *parent = ui::Forms::find(QStringLiteral("frmParent")))
        move(parent->x() + (parent->width() - width()) / 2,
             parent->y() + (parent->height() - height()) / 2);
    txtUserID->setText(Global::CentreSettings().Settings(int(CentreSettingIds::UserID)).toString());
    BarcodeMode = Global::AuthoriseByBarcode;
    setCaption(imodLanguage::Translate(QStringLiteral("Authorisation")) +
               QStringLiteral(" Required"));
    ShowEntryMode();
}

void frmPassword::onActivate()
{
    ShowEntryMode();
}

bool frmPassword::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                raise();
        });
    return ui::Form::event(event);
}

void frmPassword::onUnload(ui::CloseReason reason, bool &cancel)
{
    if (!m_preset)
        Global::AuthoriseByBarcode = BarcodeMode;
    ui::Form::onUnload(reason, cancel);
}

void frmPassword::LoadUp(ui::Form *xf, const QString &strMode, const QString &strExtraInfo)
{
    clearPresetUser();
    m_xf = xf;
    m_mode = strMode;
    m_extra = strExtraInfo;
}

void frmPassword::PresetUser(const QString &userId)
{
    m_preset = true;
    txtUserID->setText(userId);
    txtUserID->setReadOnly(true);
    QPalette locked = m_userIdPalette;
    locked.setColor(QPalette::Base, palette().color(QPalette::Window));
    txtUserID->setPalette(locked);
    BarcodeMode = false;
    cmdSwitch->setEnabled(false);
    ShowEntryMode();
}

void frmPassword::clearPresetUser()
{
    if (!m_preset)
        return;
    m_preset = false;
    txtUserID->setReadOnly(false);
    txtUserID->setPalette(m_userIdPalette);
    try {
        txtUserID->setText(
            Global::CentreSettings().Settings(int(CentreSettingIds::UserID)).toString());
    } catch (const std::exception &) {
        txtUserID->clear();
    }
    BarcodeMode = Global::AuthoriseByBarcode;
    cmdSwitch->setEnabled(true);
    ShowEntryMode();
}

void frmPassword::ShowEntryMode()
{
    if (BarcodeMode) {
        m_frames->setCurrentWidget(fraBarcode);
        txtBarcode->clear();
        imodVista::SafeSetFocus(txtBarcode);
    } else {
        m_frames->setCurrentWidget(fraText);
        txtPassword->clear();
        imodVista::SafeSetFocus(txtUserID->text().isEmpty() ? txtUserID : txtPassword);
    }
}

void frmPassword::cmdSwitch_Click()
{
    BarcodeMode = !BarcodeMode;
    ShowEntryMode();
}

void frmPassword::cmdCancel_Click()
{
    hideForm();
    txtPassword->clear();
}

void frmPassword::cmdOK_Click()
{
    if (BarcodeMode) {
        if (txtBarcode->text().isEmpty()) {
            ui::Dialogs::msgBox(QStringLiteral("You must enter a barcode."), ui::vbExclamation,
                                QStringLiteral("Oops!"));
            return;
        }
        QString userId;
        try {
            userId = Global::GetUserIdForBarcode(txtBarcode->text());
        } catch (const std::exception &) {
            userId.clear();
        }
        if (userId.isEmpty()) {
            ui::Dialogs::msgBox(
                QStringLiteral("The barcode you entered could not be matched to a valid user."),
                ui::vbExclamation, QStringLiteral("Oops!"));
            txtBarcode->clear();
            return;
        }
        txtUserID->setText(userId);
    } else {
        const QString typed = txtUserID->text();
        bool found = false;
        QString name;
        QString foundId;
        QVariant stored;
        try {
            jet::Recordset rs(
                Global::DbConnection(),
                Global::AdaptSql(QStringLiteral("SELECT UserID, Users.Name, Password "
                                                "FROM Users WHERE UCase$(UserID) = ") +
                                 Global::SqlText(typed.toUpper()) + QStringLiteral(";")));
            if (!rs.eof()) {
                found = true;
                foundId = rs.value(0).toString();
                name = rs.value(1).toString();
                stored = rs.value(2);
            }
        } catch (const std::exception &) {
            found = false;
        }
        // A password never set matches only an empty one; an unknown user is
        // answered as a wrong password, and nothing is written.
        const QString password = txtPassword->text();
        const bool matches = found && Global::CheckUserPasswordValue(foundId, stored, password);
        if (!matches) {
            ui::Dialogs::msgBox(QStringLiteral("The password you entered was incorrect."),
                                ui::vbCritical, QStringLiteral("Bad Luck!"));
            txtPassword->clear();
            imodVista::SafeSetFocus(txtPassword);
            return;
        }
        imodData::ExecSQL(QStringLiteral("UPDATE CentreInfo SET UserID = ") +
                              Global::SqlText(typed.toUpper()) + QStringLiteral(";"),
                          false);
        Global::CentreSettings().setSettings(int(CentreSettingIds::UserID), typed);
        if (chkLogin->isChecked()) {
            Global::CurrentUserName = name;
            Global::SignOutCaption = QStringLiteral("Sign out");
            Global::CurrentUserId = typed;
            Global::AuthorisedUserId.clear();
            try {
                Global::CurrentUserRights().LoadPermissionsFromDb(Global::CurrentUserId);
            } catch (const std::exception &) {
            }
            if (auto *bar =
                    qobject_cast<frmNameBar *>(ui::Forms::find(QStringLiteral("frmNameBar"))))
                bar->Reload();
        }
    }

    useraccess::AuthorisationRequest request;
    request.xf = m_xf;
    request.strMode = m_mode;
    request.strExtraInfo = m_extra;
    request.userId = txtUserID->text();
    request.passwordWindow = this;
    try {
        useraccess::RunAuthorisedOperation(request);
    } catch (const std::exception &e) {
        ui::Dialogs::msgBox(QString::fromLocal8Bit(e.what()), ui::vbExclamation,
                            QStringLiteral("Error Processing Password"));
    }
    unload(ui::CloseReason::Code);
}
