#include "frmrptreceipt.h"

#include "core/errorinfo.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/ui/printers.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QLineEdit *flatBox(QWidget *parent, const char *name)
{
    auto *box = named(new QLineEdit(parent), name);
    box->setFrame(false);
    box->setReadOnly(true);
    box->setStyleSheet(QStringLiteral("background: transparent;"));
    return box;
}

QLabel *duplicateMark(QWidget *parent, const char *name)
{
    auto *mark = named(new QLabel(QStringLiteral("DUPLICATE"), parent), name);
    mark->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold; border: 2px solid "
                                       "#C00000; padding: 2px;"));
    mark->hide();
    return mark;
}

} // namespace

frmRptReceipt::frmRptReceipt()
{
    setObjectName(QStringLiteral("frmRptReceipt"));
    setCaption(QStringLiteral("Receipt"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    lblHeading = named(ui::headingLabel(QString(), this), "lblHeading");
    txtReceivedFrom = flatBox(this, "txtReceivedFrom");
    lblFor = named(ui::wrappedLabel(QString(), this), "lblFor");
    lblDate = named(new QLabel(this), "lblDate");
    lblReceiptNo = flatBox(this, "lblReceiptNo");
    lblAmount = named(new QLabel(this), "lblAmount");
    lblMethod = named(new QLabel(this), "lblMethod");
    lblGST = named(new QLabel(this), "lblGST");
    txtStaffName = flatBox(this, "txtStaffName");
    lblBalance = named(new QLabel(this), "lblBalance");
    imgDuplicate = duplicateMark(this, "imgDuplicate");
    lblOfficeReceivedFrom = named(new QLabel(this), "lblOfficeReceivedFrom");
    lblOfficeFor = named(ui::wrappedLabel(QString(), this), "lblOfficeFor");
    lblOfficeDate = named(new QLabel(this), "lblOfficeDate");
    lblOfficeReceiptNo = named(new QLabel(this), "lblOfficeReceiptNo");
    lblOfficeAmount = named(new QLabel(this), "lblOfficeAmount");
    lblGST2 = named(new QLabel(this), "lblGST2");
    lblOfficeAuthBy = named(new QLabel(this), "lblOfficeAuthBy");
    imgOfficeDuplicate = duplicateMark(this, "imgOfficeDuplicate");
    cmdPrint = ui::namedButton(QStringLiteral("Print"), QStringLiteral("cmdPrint"), this);
    cmdClose = ui::namedButton(QStringLiteral("Close"), QStringLiteral("cmdClose"), this);

    auto *customer = new QGridLayout;
    int r = 0;
    const auto row = [&](const QString &caption, QWidget *value) {
        customer->addWidget(new QLabel(caption, this), r, 0);
        customer->addWidget(value, r++, 1);
    };
    customer->addWidget(lblHeading, r, 0, 1, 2);
    customer->addWidget(imgDuplicate, r++, 2, Qt::AlignRight);
    customer->addWidget(lblReceiptNo, r++, 0, 1, 3);
    customer->addWidget(lblDate, r++, 0, 1, 3);
    row(QStringLiteral("Received From:"), txtReceivedFrom);
    customer->addWidget(lblFor, r++, 0, 1, 3);
    customer->addWidget(lblAmount, r++, 0, 1, 3);
    row(QStringLiteral("Payment Method:"), lblMethod);
    customer->addWidget(lblGST, r++, 0, 1, 3);
    row(QStringLiteral("Received By:"), txtStaffName);
    customer->addWidget(lblBalance, r++, 0, 1, 3);

    auto *cut = new QFrame(this);
    cut->setFrameShape(QFrame::HLine);
    cut->setFrameShadow(QFrame::Plain);
    cut->setLineWidth(1);

    auto *office = new QGridLayout;
    int o = 0;
    office->addWidget(ui::sectionLabel(QStringLiteral("Office Copy"), this), o, 0);
    office->addWidget(imgOfficeDuplicate, o++, 1, Qt::AlignRight);
    for (QLabel *l : {lblOfficeReceiptNo, lblOfficeDate, lblOfficeReceivedFrom, lblOfficeFor,
                      lblOfficeAmount, lblGST2, lblOfficeAuthBy})
        office->addWidget(l, o++, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(customer);
    all->addWidget(cut);
    all->addLayout(office);
    all->addStretch(1);
    all->addLayout(buttons);
    resize(440, 520);

    connect(txtReceivedFrom, &QLineEdit::textChanged, lblOfficeReceivedFrom, &QLabel::setText);
    connect(txtStaffName, &QLineEdit::textChanged, lblOfficeAuthBy, &QLabel::setText);
    connect(lblReceiptNo, &QLineEdit::textChanged, lblOfficeReceiptNo, &QLabel::setText);
    connect(cmdPrint, &QPushButton::clicked, this, &frmRptReceipt::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { unload(); });
}

void frmRptReceipt::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
}

void frmRptReceipt::cmdPrint_Click()
{
    cmdPrint->hide();
    cmdClose->hide();
    try {
        ui::Printers::printWidget(this);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("%1 (Err#%2)").arg(e.description).arg(e.number),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
    cmdPrint->show();
    cmdClose->show();
}
