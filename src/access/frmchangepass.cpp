#include "frmchangepass.h"

#include "access/accounts.h"
#include "access/signin.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "core/workingwindow.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

namespace {

QString entryOf(const QString &userId, const QString &name)
{
    return useraccess::PasswordChangeEntry(userId, name);
}

QLineEdit *passwordBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(50);
    return box;
}

} // namespace

frmChangePass::frmChangePass()
{
    setObjectName(QStringLiteral("frmChangePass"));
    setCaption(QStringLiteral("Change Password"));
    Image1 = core::NewLogoLabel(this);
    auto *title = ui::headingLabel(QStringLiteral("Change Password"), this);
    cboUsername = new QComboBox(this);
    cboUsername->setObjectName(QStringLiteral("cboUsername"));
    cboUsername->setEditable(false);
    txtPassword = passwordBox(this, "txtPassword");
    txtNew1 = passwordBox(this, "txtNew1");
    txtNew2 = passwordBox(this, "txtNew2");
    cmdOK = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("User Name:"), cboUsername);
    fields->addRow(QStringLiteral("Current Password:"), txtPassword);
    fields->addRow(QStringLiteral("New Password:"), txtNew1);
    fields->addRow(QStringLiteral("New Password Again:"), txtNew2);
    auto *right = new QVBoxLayout;
    right->addWidget(title);
    right->addLayout(fields);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    resize(430, 210);

    connect(cmdOK, &QPushButton::clicked, this, &frmChangePass::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmChangePass::cmdClose_Click);
}

void frmChangePass::onLoad()
{
    core::ShowClassSearchLogo(Image1);
    try {
        FillUserCombo();
    } catch (const std::exception &) {
    }
    const int current =
        cboUsername->findText(entryOf(Global::CurrentUserId, Global::CurrentUserName));
    if (current >= 0)
        cboUsername->setCurrentIndex(current);
}

void frmChangePass::FillUserCombo()
{
    cboUsername->clear();
    jet::Recordset rs(Global::DbConnection(),
                      Global::AdaptSql(QStringLiteral("SELECT Users.* FROM Users;")));
    for (; !rs.eof(); rs.moveNext()) {
        const QString id = rs.value(0).toString();
        if (id.toLower() != QStringLiteral("i"))
            cboUsername->addItem(entryOf(id, rs.value(1).toString()));
    }
    if (cboUsername->count() > 0)
        cboUsername->setCurrentIndex(0);
}

void frmChangePass::cmdOK_Click()
{
    auto oops = [](const QString &text) {
        ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
    };
    if (txtNew2->text() != txtNew1->text()) {
        oops(QStringLiteral("The new passwords do not match. Please try again."));
        return;
    }
    if (txtNew1->text().isEmpty()) {
        oops(QStringLiteral("You cannot have a blank password."));
        return;
    }
    try {
        switch (useraccess::ChangeAccountPassword(cboUsername->currentText(), txtPassword->text(),
                                                  txtNew1->text())) {
        case useraccess::PasswordChangeResult::Changed: break;
        case useraccess::PasswordChangeResult::NotFound:
            oops(QStringLiteral("There was an error locating the User ID you selected."));
            return;
        case useraccess::PasswordChangeResult::WrongPassword:
            oops(QStringLiteral("The existing password you entered was incorrect. Please try "
                                "again."));
            return;
        }
    } catch (const std::exception &) {
        // The entries stay, so that the user can try again.
        ui::Dialogs::msgBox(QStringLiteral("The password could not be changed: ") +
                                core::currentError().description,
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    ui::Dialogs::msgBox(QStringLiteral("The password was successfully changed!"), ui::vbInformation,
                        QStringLiteral("All Done"));
    unload(ui::CloseReason::Code);
}

void frmChangePass::cmdClose_Click()
{
    unload(ui::CloseReason::Code);
}
