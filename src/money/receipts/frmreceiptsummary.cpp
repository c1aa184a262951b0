#include "frmreceiptsummary.h"

#include "access/permissions.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/imodvista.h"
#include "core/workingwindow.h"
#include "money/payments.h"
#include "money/receipts.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString ChangeMethodWindow = QStringLiteral("frmChangePM");
const QString JournalWindow = QStringLiteral("frmJournalReceipts");

// An "Oops!" box that names the error being handled.
void summaryReportError(const QString &what)
{
    const core::ErrorInfo error = core::currentError();
    ui::Dialogs::msgBox(what + QStringLiteral(" (Err#") + QString::number(error.number) +
                            QStringLiteral(" - ") + error.description + QLatin1Char(')'),
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

frmReceiptSummary::frmReceiptSummary()
{
    setObjectName(QStringLiteral("frmReceiptSummary"));
    setCaption(QStringLiteral("Receipt Summary"));

    Image1 = core::NewLogoLabel(this);
    auto *heading = ui::headingLabel(QStringLiteral("Receipt Summary"), this);
    for (int index : {0, 1, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 16, 17}) {
        auto *box = new QLineEdit(this);
        box->setReadOnly(true);
        txtField.add(index, box);
        connect(box, &QLineEdit::textChanged, this, &frmReceiptSummary::txtField_Change);
    }
    auto *notes = new QPlainTextEdit(this);
    notes->setReadOnly(true);
    notes->setMaximumHeight(70);
    txtField.add(10, notes);
    connect(notes, &QPlainTextEdit::textChanged, this, &frmReceiptSummary::txtField_Change);
    for (int hidden : {8, 13, 16})
        txtField[hidden]->hide();
    txtDiscNet = new QLineEdit(this);
    txtDiscNet->setObjectName(QStringLiteral("txtDiscNet"));
    txtDiscNet->setReadOnly(true);

    cmdInstChange = new QLabel(QStringLiteral("<a href=\"change\">Change...</a>"), this);
    cmdInstChange->setObjectName(QStringLiteral("cmdInstChange"));
    cmdInstChange->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    cmdInstChange->setEnabled(ui::IsWindowRegistered(ChangeMethodWindow));
    cmdDelPayment = ui::namedButton(QStringLiteral("Reverse Payment"),
                                    QStringLiteral("cmdDelPayment"), this);
    cmdPrintReceipt = ui::namedButton(QStringLiteral("Print Receipt"),
                                      QStringLiteral("cmdPrintReceipt"), this);
    cmdPrintReceipt->setEnabled(ui::IsWindowRegistered(imodMoney::ReceiptWindowName));
    cmdClose = ui::namedButton(QStringLiteral("OK"), QStringLiteral("cmdClose"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(heading, 1);
    auto *details = new QGridLayout;
    const struct
    {
        const char *caption;
        int index;
    } rows[] = {{"Payment #", 0}, {"Receipt #", 11}, {"BKID", 1},
                {"Date/Time", 2}, {"Payee", 5},      {"Signed By", 6}};
    int r = 0;
    for (const auto &row : rows) {
        details->addWidget(new QLabel(QString::fromLatin1(row.caption), this), r, 0);
        details->addWidget(txtField[row.index], r, 1, 1, 2);
        ++r;
    }
    details->addWidget(new QLabel(QStringLiteral("Method"), this), r, 0);
    details->addWidget(txtField[4], r, 1);
    details->addWidget(cmdInstChange, r, 2);
    ++r;
    auto *amounts = new QGridLayout;
    const char *columns[] = {"Revenue", "Tax", "Total"};
    for (int c = 0; c < 3; ++c)
        amounts->addWidget(new QLabel(QString::fromLatin1(columns[c]), this), 0, c + 1);
    amounts->addWidget(new QLabel(QStringLiteral("Amount"), this), 1, 0);
    amounts->addWidget(txtField[15], 1, 1);
    amounts->addWidget(txtField[14], 1, 2);
    amounts->addWidget(txtField[3], 1, 3);
    amounts->addWidget(new QLabel(QStringLiteral("Discount:"), this), 2, 0);
    amounts->addWidget(txtField[12], 2, 1);
    amounts->addWidget(txtField[17], 2, 2);
    amounts->addWidget(txtDiscNet, 2, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdDelPayment);
    buttons->addWidget(cmdPrintReceipt);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(details);
    all->addLayout(amounts);
    all->addWidget(new QLabel(QStringLiteral("Notes:"), this));
    all->addWidget(txtField[10]);
    all->addLayout(buttons);
    for (int hidden : {8, 13, 16})
        all->addWidget(txtField[hidden]);
    resize(460, 470);

    connect(cmdInstChange, &QLabel::linkActivated, this, &frmReceiptSummary::cmdInstChange_Click);
    connect(cmdDelPayment, &QPushButton::clicked, this, &frmReceiptSummary::cmdDelPayment_Click);
    connect(cmdPrintReceipt, &QPushButton::clicked, this,
            &frmReceiptSummary::cmdPrintReceipt_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmReceiptSummary::cmdClose_Click);
}

void frmReceiptSummary::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
}

QString frmReceiptSummary::fieldText(int index) const
{
    QWidget *box = txtField[index];
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        return plain->toPlainText();
    return box->property("text").toString();
}

void frmReceiptSummary::txtField_Change()
{
    cmdDelPayment->setEnabled(fieldText(8) != QLatin1String("1"));
}

void frmReceiptSummary::cmdDelPayment_Click()
{
    if (Global::CheckCurrentUserPermission(26) == 1) {
        DeletePayment(Global::CurrentUserId);
        return;
    }
    try {
        ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
        if (!password)
            return;
        password->showForm();
        ui::callByName(password, QStringLiteral("LoadUp"),
                       {QVariant::fromValue(static_cast<ui::Form *>(this)),
                        QStringLiteral("Delete Payment"), QString()});
    } catch (...) {
        summaryReportError(QStringLiteral("The authorisation window could not be opened."));
    }
}

void frmReceiptSummary::DeletePayment(const QString &UserID)
{
    try {
        const QString receiptNo = fieldText(11);
        const int rows = imodMoney::CountReceiptRows(receiptNo);
        QList<qint32> ids;
        if (imodMoney::OffersReceiptWideReversal(receiptNo, rows) &&
            ui::Dialogs::msgBox(imodMoney::ReceiptWideQuestion(rows), ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("Question!")) == ui::vbYes)
            ids = imodMoney::ReceiptPaymentIds(receiptNo);
        else
            ids = {vb::CLng(fieldText(0))};
        const QString name = Global::GetNameForUserID(UserID);
        for (qint32 id : std::as_const(ids))
            ReverseNow(id, name);
    } catch (...) {
        summaryReportError(QStringLiteral("An error occurred while reversing the payment."));
    }
    cmdDelPayment->setEnabled(false);
    // The journal takes in the reversal rows; loaded without showing when closed.
    try {
        if (ui::Form *journal = ui::LoadWindowByName(JournalWindow))
            ui::callByName(journal, QStringLiteral("cmdShow_Click"));
    } catch (...) {
    }
    imodVista::SafeSetFocus(this);
}

void frmReceiptSummary::ReverseNow(qint32 PaymentID, const QString &UserName)
{
    if (imodMoney::ReversePaymentRow(PaymentID, UserName) == imodMoney::ReversalResult::Missing)
        ui::Dialogs::msgBox(QStringLiteral("There was an error reversing a payment."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
}

void frmReceiptSummary::cmdPrintReceipt_Click()
{
    try {
        const imodMoney::ReceiptCopy copy = imodMoney::ReadReceiptCopy(fieldText(11));
        if (copy.rows == 0)
            return; // no row carries the number: nothing to print
        ui::Form *receipt = ui::LoadWindowByName(imodMoney::ReceiptWindowName);
        if (!receipt)
            return;
        for (const auto &[name, value] : imodMoney::ReceiptCopyLabels(
                 copy, fieldText(4), fieldText(2), fieldText(11), fieldText(6))) {
            if (QObject *label = receipt->findChild<QObject *>(name))
                label->setProperty("text", value);
        }
        for (const char *mark : {"imgDuplicate", "imgOfficeDuplicate"}) {
            if (auto *image = receipt->findChild<QWidget *>(QString::fromLatin1(mark)))
                image->setVisible(true);
        }
        ui::setTag(receipt, QStringLiteral("Prerecorded"));
        receipt->showForm();
        imodVista::SafeSetFocus(receipt);
    } catch (...) {
        summaryReportError(QStringLiteral("An error occurred while printing the receipt."));
    }
}

void frmReceiptSummary::cmdInstChange_Click()
{
    try {
        ui::Form *change = ui::LoadWindowByName(ChangeMethodWindow);
        if (!change)
            return;
        change->showForm();
        if (QObject *current = change->findChild<QObject *>(QStringLiteral("lblCurrent")))
            current->setProperty("text", fieldText(4));
        ui::setTag(change, fieldText(0));
    } catch (...) {
    }
}

void frmReceiptSummary::cmdClose_Click()
{
    unload();
}
