#include "frmaccounts.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/imodvista.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "money/moneytables.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "platform/vb/convert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Shows a column's value in a bound control.
void accountsShowValue(QWidget *control, const QVariant &value)
{
    if (auto *check = qobject_cast<QCheckBox *>(control)) {
        check->setCheckState(Qt::CheckState(vb::CLng(value)));
        return;
    }
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentIndex(combo->findText(vb::CStr(value), Qt::MatchFixedString));
        return;
    }
    control->setProperty("text", vb::CStr(value));
}

void accountsWarn(const QString &text, int icon = ui::vbExclamation,
                  const QString &title = QStringLiteral("Oops!"))
{
    ui::Dialogs::msgBox(text, icon, title);
}

} // namespace

frmAccounts::frmAccounts()
{
    setObjectName(QStringLiteral("frmAccounts"));
    setCaption(QStringLiteral("General Ledger Accounts"));

    Image1 = core::NewLogoLabel(this);
    auto *heading = ui::headingLabel(QStringLiteral("General Ledger Accounts"), this);
    lstUsers = new QListWidget(this);
    lstUsers->setObjectName(QStringLiteral("lstUsers"));
    lstUsers->setMinimumWidth(240);

    const auto box = [this](int index, const char *tag, int length) {
        QLineEdit *b = txtField.add(index, new QLineEdit(this));
        ui::setTag(b, QString::fromLatin1(tag));
        b->setMaxLength(length);
        return b;
    };
    box(0, "AccountNo/E", 50);
    box(1, "Name/E", 255);
    cboType = new QComboBox(this);
    cboType->setObjectName(QStringLiteral("cboType"));
    ui::setTag(cboType, QStringLiteral("Type/E"));
    cboTaxCode = new QComboBox(this);
    cboTaxCode->setObjectName(QStringLiteral("cboTaxCode"));
    ui::setTag(cboTaxCode, QStringLiteral("TaxCode/E"));
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    chkAdmin = new QCheckBox(QStringLiteral("Include when Clearing Accounts?"), Frame1);
    chkAdmin->setObjectName(QStringLiteral("chkAdmin"));
    ui::setTag(chkAdmin, QStringLiteral("Bank/R"));
    (new QVBoxLayout(Frame1))->addWidget(chkAdmin);

    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(heading, 1);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Account ID:"), txtField[0]);
    fields->addRow(QStringLiteral("Name:"), txtField[1]);
    fields->addRow(QStringLiteral("Type:"), cboType);
    fields->addRow(QStringLiteral("Tax Code:"), cboTaxCode);
    fields->addRow(Frame1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdNew, cmdEdit, cmdSave, cmdDelete})
        buttons->addWidget(b);
    auto *right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch(1);
    right->addLayout(buttons);
    auto *body = new QHBoxLayout;
    body->addWidget(lstUsers, 1);
    body->addLayout(right, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(body, 1);
    resize(640, 360);

    connect(lstUsers, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lstUsers_Click();
    });
    connect(cboType, &QComboBox::currentTextChanged, this, &frmAccounts::cboType_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmAccounts::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmAccounts::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmAccounts::cmdDelete_Click);
}

void frmAccounts::onLoad()
{
    // Each step of the load goes on when one before it failed.
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    cboType->addItems(moneytables::AccountTypes());
    try {
        irecObjectCode::FillListFromSql(cboTaxCode, moneytables::AccountTaxCodesSql, 0);
    } catch (...) {
    }
    SetEditMode(false, false);
    cboType_Click();
    LoadAccountList();
}

void frmAccounts::LoadAccountList()
{
    // Nothing is selected until an entry is shown.
    cmdEdit->setEnabled(false);
    cmdDelete->setEnabled(false);
    lstUsers->blockSignals(true);
    core::listClear(lstUsers);
    lstUsers->blockSignals(false);
    irecObjectCode::LoadListFromSql(this, lstUsers, moneytables::AccountListSql);
    if (core::listCount(lstUsers) > 0 && core::listIndex(lstUsers) < 0)
        core::setListIndex(lstUsers, 0);
}

void frmAccounts::SetEditMode(bool editing, bool codeEditable)
{
    irecObjectCode::EnableBoundControls(this, editing, QString());
    txtField[0]->setReadOnly(!(editing && codeEditable));
    txtField[1]->setReadOnly(!editing);
    if (editing && !codeEditable) {
        // The code stays locked, in the window's own colour.
        QPalette locked = txtField[0]->palette();
        locked.setColor(QPalette::Base, palette().color(QPalette::Window));
        txtField[0]->setPalette(locked);
    }
    cboType->setEnabled(editing);
    cboTaxCode->setEnabled(editing);
    chkAdmin->setEnabled(editing);
    cmdSave->setEnabled(editing);
    for (QWidget *w : {static_cast<QWidget *>(cmdNew), static_cast<QWidget *>(cmdEdit),
                       static_cast<QWidget *>(cmdDelete), static_cast<QWidget *>(lstUsers)})
        w->setEnabled(!editing);
}

void frmAccounts::lstUsers_Click()
{
    const QString entry = core::listText(lstUsers);
    if (entry.isEmpty())
        return;
    ui::Hourglass hourglass;
    try {
        auto rs = irecObjectCode::OpenRecordset(moneytables::AccountRowOfEntrySql(entry));
        if (!rs->eof()) {
            // A control whose column is Null keeps what it showed.
            for (QWidget *control : findChildren<QWidget *>()) {
                const QString tag = ui::tag(control).trimmed();
                if (tag.isEmpty() || control->objectName().startsWith(QLatin1String("cmd")))
                    continue;
                const QVariant value = rs->value(tag.section(QLatin1Char('/'), 0, 0));
                if (!value.isNull())
                    accountsShowValue(control, value);
            }
        }
        rs->close();
    } catch (...) {
        accountsWarn(QStringLiteral("An error occurred when showing the account. (Err#") +
                     QString::number(core::currentError().number) + QLatin1Char(')'));
    }
    cmdDelete->setEnabled(true);
    cmdEdit->setEnabled(true);
}

void frmAccounts::cboType_Click()
{
    Frame1->setVisible(moneytables::IsClearingAccountType(cboType->currentText()));
}

void frmAccounts::cmdNew_Click()
{
    m_adding = true;
    txtField[0]->clear();
    txtField[1]->clear();
    cboType->setCurrentText(QStringLiteral("Asset"));
    if (cboTaxCode->count() > 0)
        cboTaxCode->setCurrentIndex(0);
    chkAdmin->setChecked(false);
    SetEditMode(true, true);
    imodVista::SafeSetFocus(txtField[0]);
}

void frmAccounts::cmdEdit_Click()
{
    m_adding = false;
    SetEditMode(true, false);
    imodVista::SafeSetFocus(txtField[1]);
}

bool frmAccounts::cmdSave_Click()
{
    const QString code = txtField[0]->text();
    if (code.isEmpty()) {
        imodVista::SafeSetFocus(txtField[0]);
        accountsWarn(QStringLiteral("You must enter an Account ID"));
        return false;
    }
    try {
        // The engine gives one number for a duplicate code, a duplicate name and a
        // lock: the code is looked up first.
        if (m_adding && moneytables::AccountExists(code)) {
            accountsWarn(QStringLiteral("An account with the Account Code you entered already "
                                        "exists. This account cannot be created."),
                         ui::vbCritical);
            return false;
        }
        std::unique_ptr<jet::Recordset> rs;
        if (m_adding) {
            rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT Accounts.* FROM Accounts;"));
            rs->addNew();
        } else {
            rs = irecObjectCode::OpenRecordset(moneytables::AccountRowSql(code));
        }
        irecObjectCode::EnableBoundControls(this, false, QString());
        const auto cancelPending = [&rs] {
            if (rs->editMode() != jet::EditMode::None)
                rs->cancelUpdate();
        };
        if (irecObjectCode::SaveFormToRecord(this, *rs) != 0) {
            cancelPending();
            accountsWarn(QStringLiteral("An error occurred when sending data to the data file."));
            rs->close();
            SetEditMode(true, m_adding);
            return false;
        }
        int saved = 0;
        try {
            saved = irecObjectCode::SaveRecordset(*rs);
        } catch (...) {
            saved = -1; // an engine number beyond 16 bits
        }
        if (saved != 0) {
            cancelPending();
            accountsWarn(QStringLiteral("An error occurred when saving the record."));
            rs->close();
            SetEditMode(true, m_adding);
            return false;
        }
        rs->close();
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        accountsWarn(QStringLiteral("An unexpected error occurred (") +
                         QString::number(error.number) +
                         QStringLiteral("). The General Ledger Accounts window will be closed."),
                     ui::vbCritical, QStringLiteral("Something went wrong"));
        SetEditMode(false, false);
        m_saveFailedBadly = true;
        if (!m_askingToClose)
            unload();
        return false;
    }
    SetEditMode(false, false);
    LoadAccountList();
    return true;
}

void frmAccounts::cmdDelete_Click()
{
    const QString code = txtField[0]->text();
    if (code == moneytables::ProtectedAccountCode) {
        accountsWarn(QStringLiteral("You cannot delete the GST Account"));
        return;
    }
    const QString app = Global::CentreSettings().ShortAppName();
    try {
        if (const int programs = moneytables::CountProgramsWithAccount(code); programs > 0) {
            accountsWarn(QStringLiteral("This account is linked to ") + QString::number(programs) +
                             QStringLiteral(" programs in ") + app +
                             QStringLiteral(". You cannot delete it without first reassigning "
                                            "different revenue accounts to these programs."),
                         ui::vbExclamation, QStringLiteral("Sorry"));
            return;
        }
        if (const int rows = moneytables::CountPaymentsWithAccount(code); rows > 0) {
            accountsWarn(QStringLiteral("This account is linked to ") + QString::number(rows) +
                             QStringLiteral(" payment/refund transactions in ") + app +
                             QStringLiteral(". You cannot delete it as these transaction records "
                                            "will be lost."),
                         ui::vbExclamation, QStringLiteral("Sorry"));
            return;
        }
        for (int (*clearCount)(const QString &) :
             {moneytables::CountClearListingsWithAccount, moneytables::CountClearDetailsWithAccount}) {
            const int n = clearCount(code);
            if (n > 0 &&
                ui::Dialogs::msgBox(
                    QStringLiteral("WARNING - this account is linked to ") + QString::number(n) +
                        QStringLiteral(" clear account operations in ") + app +
                        QStringLiteral(". Deleting it may have very serious implications "
                                       "including the loss of transactions. It is highly "
                                       "recommended that you do not delete this account. Are you "
                                       "completely sure you want to continue?"),
                    ui::vbYesNo | ui::vbExclamation,
                    QStringLiteral("This could be fatal...")) != ui::vbYes)
                return;
        }
        auto rs = irecObjectCode::OpenRecordset(moneytables::AccountRowSql(code));
        if (rs->eof())
            rs->deleteRecord(); // the account is gone: fails before anything is asked
        if (ui::Dialogs::msgBox(
                QStringLiteral("Are you sure you wish to delete this general ledger account?"),
                ui::vbYesNo | ui::vbQuestion, QStringLiteral("Confirm Delete")) == ui::vbYes) {
            rs->deleteRecord();
            cmdDelete->setEnabled(false);
            cmdEdit->setEnabled(false);
        }
        rs->close();
    } catch (...) {
        accountsWarn(QStringLiteral("An error occurred when deleting the account."));
        return;
    }
    LoadAccountList();
}

void frmAccounts::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || !cmdSave->isEnabled())
        return;
    const int answer = ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to Account ") +
                                               txtField[0]->text() +
                                               QStringLiteral("'s data?"),
                                           ui::vbYesNoCancel | ui::vbQuestion,
                                           QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel)
        cancel = true;
    if (answer != ui::vbYes)
        return;
    m_askingToClose = true;
    m_saveFailedBadly = false;
    const bool saved = cmdSave_Click();
    m_askingToClose = false;
    // A refused save keeps the window and what was typed; an unexpected error closes it.
    if (!saved && !m_saveFailedBadly)
        cancel = true;
}
