#include "frmcanceldialog.h"

#include "core/errorinfo.h"
#include "core/workingwindow.h"
#include "enrolments/cancellation.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/format.h"
#include "timetable/classes.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using imodEnrolments::MoneyText;
using imodEnrolments::ReadMoneyText;

frmCancelDialog::frmCancelDialog()
{
    setObjectName(QStringLiteral("frmCancelDialog"));
    setCaption(QStringLiteral("Cancellation Options"));

    const auto named = [this](auto *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    lblMessage = named(ui::wrappedLabel(QString(), this), "lblMessage");
    optImmediate =
        named(new QRadioButton(QStringLiteral("Cancel the Student Immediately"), this), "optImmediate");
    optFuture = named(new QRadioButton(QStringLiteral("Notify of Cancellation on a Future Date"), this),
                      "optFuture");
    Label3 = named(new QLabel(QStringLiteral("Cancel On:"), this), "Label3");
    txtDate = named(new QLineEdit(this), "txtDate");
    Label3->setBuddy(txtDate);
    txtReason = named(new QLineEdit(this), "txtReason");
    txtReason->setMaxLength(255);
    lblBalance = named(new QLabel(this), "lblBalance");
    txtDiscount = named(new QLineEdit(this), "txtDiscount");
    lblNewBalance = named(new QLabel(this), "lblNewBalance");
    cmdNow = ui::namedButton(QStringLiteral("Process"), QStringLiteral("cmdNow"), this);
    cmdClear = ui::namedButton(QStringLiteral("Clear Bal"), QStringLiteral("cmdClear"), this);
    cmdCancel = ui::namedButton(QStringLiteral("Don't Cancel"), QStringLiteral("cmdCancel"), this);

    auto *options = new QGridLayout;
    options->addWidget(optImmediate, 0, 0, 1, 2);
    options->addWidget(optFuture, 1, 0, 1, 2);
    options->addWidget(Label3, 2, 0);
    options->addWidget(txtDate, 2, 1);
    auto *reasonLabel = new QLabel(QStringLiteral("Reason for Cancellation"), this);
    reasonLabel->setBuddy(txtReason);
    options->addWidget(reasonLabel, 3, 0, 1, 2);
    options->addWidget(txtReason, 4, 0, 1, 2);

    auto *money = new QGridLayout;
    money->addWidget(ui::wrappedLabel(
                         QStringLiteral("Do you want to adjust the student's balance to reflect "
                                        "this cancellation?"),
                         this),
                     0, 0, 1, 3);
    money->addWidget(new QLabel(QStringLiteral("Current Balance:"), this), 1, 0);
    money->addWidget(lblBalance, 1, 1);
    auto *discountLabel = new QLabel(QStringLiteral("Enter Discount:"), this);
    discountLabel->setBuddy(txtDiscount);
    money->addWidget(discountLabel, 2, 0);
    money->addWidget(txtDiscount, 2, 1);
    money->addWidget(cmdClear, 2, 2);
    money->addWidget(new QLabel(QStringLiteral("New Balance:"), this), 3, 0);
    money->addWidget(lblNewBalance, 3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNow);
    buttons->addWidget(cmdCancel);

    auto *all = new QVBoxLayout(this);
    all->addWidget(lblMessage);
    all->addWidget(ui::sectionLabel(QStringLiteral("Cancel Student"), this));
    all->addLayout(options);
    all->addWidget(ui::sectionLabel(QStringLiteral("Money Outstanding"), this));
    all->addLayout(money);
    all->addStretch(1);
    all->addLayout(buttons);

    optImmediate->setChecked(true);
    Label3->hide();
    txtDate->hide();
    resize(420, 400);

    connect(optImmediate, &QRadioButton::toggled, this, &frmCancelDialog::optionChanged);
    connect(txtDiscount, &QLineEdit::textChanged, this, &frmCancelDialog::txtDiscount_Change);
    connect(cmdNow, &QPushButton::clicked, this, &frmCancelDialog::cmdNow_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmCancelDialog::cmdClear_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCancelDialog::cmdCancel_Click);
    txtDiscount->installEventFilter(this);
}

void frmCancelDialog::onLoad()
{
    core::PlaceOnMainWindow(this);
}

bool frmCancelDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtDiscount && event->type() == QEvent::FocusOut)
        txtDiscount_LostFocus();
    return ui::Form::eventFilter(watched, event);
}

void frmCancelDialog::LoadCancellation(int intBookingID, ui::Form *xf)
{
    m_bookingId = intBookingID;
    m_opener = xf;
    lblMessage->setText(QStringLiteral("You have chosen to cancel ") +
                        imodEnrolments::GetBookingStudentName(m_bookingId) +
                        QStringLiteral(" from ") +
                        imodClasses::GetBookingClassCaption(m_bookingId));
    lblBalance->setText(MoneyText(imodEnrolments::GetBookingOwing(m_bookingId)));
    txtDiscount->setText(QStringLiteral("$0.00"));
    lblNewBalance->setText(lblBalance->text());
    if (imodEnrolments::HasCancelDate(m_bookingId)) {
        txtDate->setText(
            vb::Format(imodEnrolments::GetCancelDate(m_bookingId), QStringLiteral("Short Date")));
        optFuture->setChecked(true);
        Label3->show();
        txtDate->show();
    }
    showForm();
}

void frmCancelDialog::optionChanged()
{
    const bool future = optFuture->isChecked();
    Label3->setVisible(future);
    txtDate->setVisible(future);
}

void frmCancelDialog::txtDiscount_Change()
{
    try {
        const auto balance = ReadMoneyText(lblBalance->text());
        const auto discount = ReadMoneyText(txtDiscount->text());
        if (balance && discount)
            lblNewBalance->setText(MoneyText(*balance - *discount));
        else
            lblNewBalance->setText(QStringLiteral("#Err"));
        if (balance)
            lblBalance->setText(MoneyText(*balance));
    } catch (...) {
        lblNewBalance->setText(QStringLiteral("#Err-Unknown"));
    }
}

void frmCancelDialog::txtDiscount_LostFocus()
{
    if (const auto discount = ReadMoneyText(txtDiscount->text()))
        txtDiscount->setText(MoneyText(*discount));
}

void frmCancelDialog::cmdClear_Click()
{
    txtDiscount->setText(lblBalance->text());
}

void frmCancelDialog::cmdCancel_Click()
{
    unload();
}

void frmCancelDialog::cmdNow_Click()
{
    const auto discount = ReadMoneyText(txtDiscount->text());
    if (!discount) {
        ui::Dialogs::msgBox(QStringLiteral("The amount you entered is invalid."),
                            ui::vbInformation, QStringLiteral("Not Valid"));
        return;
    }
    imodEnrolments::Cancellation cancellation;
    cancellation.bookingId = m_bookingId;
    cancellation.future = optFuture->isChecked();
    if (cancellation.future) {
        cancellation.cancelDate = imodEnrolments::ReadDateText(txtDate->text());
        if (!cancellation.cancelDate.isValid()) {
            ui::Dialogs::msgBox(
                QStringLiteral("The date you entered is invalid. Please check and try again."),
                ui::vbExclamation, QStringLiteral("Oops!"));
            return;
        }
    }
    cancellation.reason = txtReason->text();
    cancellation.discount = *discount;

    ui::Hourglass::show();
    try {
        imodEnrolments::SaveCancellation(cancellation);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Hourglass::reset();
        ui::Dialogs::msgBox(QStringLiteral("The cancellation could not be saved; nothing has been "
                                           "changed.\r\nErr#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description,
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    const QPointer<ui::Form> opener = m_opener;
    unload();
    ui::Hourglass::reset();
    if (opener) {
        try {
            ui::callByName(opener, QStringLiteral("FinishCancellation"));
        } catch (...) {
            // The cancellation is saved; an opener that cannot reload stays as it was.
        }
    }
}
