#include "frmdeclaration.h"

#include "core/centresettings.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

frmDeclaration::frmDeclaration()
{
    setObjectName(QStringLiteral("frmDeclaration"));
    setCaption(QStringLiteral("Declaration"));
    txtDeclaration = new QPlainTextEdit(this);
    txtDeclaration->setObjectName(QStringLiteral("txtDeclaration"));
    cmdOK = ui::namedButton(QStringLiteral("OK"), QStringLiteral("cmdOK"), this);
    cmdCancel = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addWidget(txtDeclaration, 1);
    all->addLayout(buttons);
    resize(480, 320);
    connect(cmdOK, &QPushButton::clicked, this, &frmDeclaration::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDeclaration::cmdCancel_Click);
}

QString frmDeclaration::DeclarationPath()
{
    return Global::CentreSettings().DataFilesDirectory() +
           QStringLiteral("/DetailsDeclaration.txt");
}

void frmDeclaration::onLoad()
{
    QFile file(DeclarationPath());
    txtDeclaration->setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                                : QString());
}

void frmDeclaration::cmdOK_Click()
{
    // The old declaration is replaced only once the new one is completely written.
    QSaveFile file(DeclarationPath());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(txtDeclaration->toPlainText().toUtf8()) < 0 || !file.commit()) {
        ui::Dialogs::msgBox(QStringLiteral("The declaration could not be saved: ") +
                                file.errorString(),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    unload(ui::CloseReason::Code);
}

void frmDeclaration::cmdCancel_Click()
{
    unload(ui::CloseReason::Code);
}
