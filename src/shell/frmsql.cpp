#include "frmsql.h"

#include "core/errorinfo.h"
#include "platform/os/shell.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/tag.h"
#include "supportscript.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::function<void(const QString &)> &openExportHook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

void openExport(const QString &path)
{
    if (openExportHook())
        openExportHook()(path);
    else
        os::shellOpen(path);
}

// The password box before a script is chosen: read-only and tinted.
void setPassEditable(QLineEdit *box, bool editable)
{
    box->setReadOnly(!editable);
    box->setStyleSheet(editable ? QString() : QStringLiteral("background: #e4e4e4;"));
}

} // namespace

frmSQL::frmSQL(QWidget *parent)
    : ui::Form(parent)
{
    setCaption(QStringLiteral("Import SQL File"));

    auto *warning = new QLabel(QStringLiteral("WARNING! This utility will modify your data. Please "
                                              "do so only after instruction from support staff."),
                               this);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));

    txtFilePath = new QLineEdit(this);
    txtFilePath->setObjectName(QStringLiteral("txtFilePath"));
    txtFilePath->setReadOnly(true);
    btnFile = ui::namedButton(QStringLiteral("Find File"), QStringLiteral("btnFile"), this);
    auto *prompt = new QLabel(QStringLiteral("As a precaution to ensure that you load only valid "
                                             "data, please enter the password for this file:"),
                              this);
    prompt->setWordWrap(true);
    txtPass = new QLineEdit(this);
    txtPass->setObjectName(QStringLiteral("txtPass"));
    txtPass->setEchoMode(QLineEdit::Password);
    setPassEditable(txtPass, false);
    cmdNow = ui::namedButton(QStringLiteral("Import Now"), QStringLiteral("cmdNow"), this);
    cmdNow->setEnabled(false);
    cmdLater = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdLater"), this);

    auto *file = new QHBoxLayout;
    file->addWidget(txtFilePath, 1);
    file->addWidget(btnFile);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNow);
    buttons->addWidget(cmdLater);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(warning);
    layout->addLayout(file);
    layout->addWidget(prompt);
    layout->addWidget(txtPass);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btnFile, &QPushButton::clicked, this, &frmSQL::btnFile_Click);
    connect(txtPass, &QLineEdit::textChanged, this, &frmSQL::txtPass_Change);
    connect(cmdNow, &QPushButton::clicked, this, &frmSQL::cmdNow_Click);
    connect(cmdLater, &QPushButton::clicked, this, &frmSQL::cmdLater_Click);
    resize(440, 240);
}

void frmSQL::setOpenExportHook(std::function<void(const QString &)> hook)
{
    openExportHook() = std::move(hook);
}

void frmSQL::btnFile_Click()
{
    const QString path = ui::Dialogs::openFile(
        QStringLiteral("Open File From"), QStringLiteral("Ovix SQL Files (*.ovixsql)|*.ovixsql"));
    if (!QFileInfo(path).isFile())
        return;
    shell::SupportScript script;
    try {
        script = shell::ReadSupportScript(path);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(e.description + QStringLiteral(" (Err#") + QString::number(e.number) +
                                QStringLiteral(")"),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    txtFilePath->setText(path);
    m_statements = script.statements;
    m_haveScript = true;
    ui::setTag(txtPass, script.accessCode);
    setPassEditable(txtPass, true);
    txtPass_Change();
}

void frmSQL::txtPass_Change()
{
    cmdNow->setEnabled(m_haveScript &&
                       txtPass->text().compare(ui::tag(txtPass), Qt::CaseInsensitive) == 0);
}

void frmSQL::cmdNow_Click()
{
    ui::Hourglass::show();
    cmdNow->setEnabled(false);
    cmdLater->setEnabled(false);

    const QString exportFile = shell::SupportExportFile();
    const shell::SupportScriptResult result = shell::RunSupportScript(m_statements, exportFile);
    m_statements.clear();
    m_haveScript = false;
    ui::Hourglass::reset();

    const QString saved =
        QStringLiteral("The Output of SELECT statements was saved to ") + exportFile;
    const QString count = QStringLiteral("There were ") + QString::number(result.errors) +
                          QStringLiteral(" errors. Some rows may not have been imported");
    if (result.errors == 0 && result.selectOutput)
        ui::Dialogs::msgBox(QStringLiteral("The file was processed with no errors. ") + saved,
                            ui::vbInformation, QStringLiteral("Done"));
    else if (result.errors == 0)
        ui::Dialogs::msgBox(QStringLiteral("The file was processed with no errors."),
                            ui::vbInformation, QStringLiteral("Yay!"));
    else if (result.selectOutput)
        ui::Dialogs::msgBox(count + QStringLiteral(" and/or updated. ") + saved, ui::vbInformation,
                            QStringLiteral("Done"));
    else
        ui::Dialogs::msgBox(count + QStringLiteral("."), ui::vbExclamation,
                            QStringLiteral("Oops!"));

    if (result.selectOutput)
        openExport(exportFile);
    unload(ui::CloseReason::Code);
}

void frmSQL::cmdLater_Click()
{
    unload(ui::CloseReason::Code);
}
