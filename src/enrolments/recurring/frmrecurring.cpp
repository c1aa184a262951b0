#include "frmrecurring.h"

#include "core/errorinfo.h"
#include "core/workingwindow.h"
#include "enrolments/cancellation.h"
#include "enrolments/paymentplan.h"
#include "gridsetup.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "timetable/programs.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDate today()
{
    return vb::Date().date();
}

QString listDate(const QDate &date)
{
    return vb::Format(QDateTime(date, QTime(0, 0)), QStringLiteral("dd-mmm-yyyy"));
}

} // namespace

frmRecurring::frmRecurring()
{
    setObjectName(QStringLiteral("frmRecurring"));
    setCaption(QStringLiteral("Process Recurring Transactions"));

    Label1 = ui::wrappedLabel(QStringLiteral("Ovix has detected that there are some recurring "
                                             "transactions that are due to be processed."),
                              this);
    Label1->setObjectName(QStringLiteral("Label1"));
    const auto grid = [this](const char *name) {
        auto *g = new ui::FlexGrid(this);
        g->setObjectName(QLatin1String(name));
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return g;
    };
    grdCancel = grid("grdCancel");
    grdCharge = grid("grdCharge");
    chkCancellation = new QCheckBox(QStringLiteral("Adjust balances to $0.00"), this);
    chkCancellation->setObjectName(QStringLiteral("chkCancellation"));
    cmdNow = ui::namedButton(QStringLiteral("Process Now"), QStringLiteral("cmdNow"), this);
    cmdLater = ui::namedButton(QStringLiteral("Process Later"), QStringLiteral("cmdLater"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNow);
    buttons->addWidget(cmdLater);

    auto *all = new QVBoxLayout(this);
    all->addWidget(Label1);
    all->addWidget(ui::sectionLabel(QStringLiteral("Cancellations"), this));
    all->addWidget(grdCancel, 1);
    all->addWidget(chkCancellation);
    all->addWidget(ui::sectionLabel(QStringLiteral("Recurring Charges"), this));
    all->addWidget(grdCharge, 1);
    all->addLayout(buttons);
    resize(560, 480);

    connect(cmdNow, &QPushButton::clicked, this, &frmRecurring::cmdNow_Click);
    connect(cmdLater, &QPushButton::clicked, this, &frmRecurring::cmdLater_Click);
}

void frmRecurring::onLoad()
{
    core::PlaceOnMainWindow(this);
    // Each list on its own: a list that cannot be read is reported and left empty.
    try {
        LoadCancellations();
    } catch (...) {
        reportFailure(QStringLiteral("The due cancellations could not be listed."));
    }
    try {
        LoadCharges();
    } catch (...) {
        reportFailure(QStringLiteral("The due recurring charges could not be listed."));
    }
}

void frmRecurring::reportFailure(const QString &what)
{
    const core::ErrorInfo e = core::currentError();
    ui::Hourglass::reset();
    ui::Dialogs::msgBox(what + QStringLiteral("\r\nErr#") + QString::number(e.number) +
                            QStringLiteral(" - ") + e.description,
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

void frmRecurring::LoadCancellations()
{
    enrolments::SetUpListGrid(grdCancel,
                              {QString(), QStringLiteral("Student"), QStringLiteral("Class"),
                               QStringLiteral("Owing"), QStringLiteral("Cancel On")},
                              {0, 1800, 2500, 1000, 1200});
    for (const auto &due : imodEnrolments::ListDueCancellations(today())) {
        const int row = grdCancel->rows();
        grdCancel->setRows(row + 1);
        grdCancel->setTextMatrix(row, 0, QString::number(due.bookingId));
        grdCancel->setTextMatrix(row, 1, due.student);
        grdCancel->setTextMatrix(row, 2, due.classCaption);
        grdCancel->setTextMatrix(row, 3, imodEnrolments::MoneyText(due.owing));
        grdCancel->setTextMatrix(row, 4, listDate(due.cancelDate));
    }
    enrolments::SelectFirstRow(grdCancel);
}

void frmRecurring::LoadCharges()
{
    enrolments::SetUpListGrid(grdCharge,
                              {QString(), QStringLiteral("Program"), QStringLiteral("Amount"),
                               QStringLiteral("Charge On")},
                              {0, 2500, 1000, 1200});
    m_chargeDateIds.clear();
    for (const auto &due : imodEnrolments::ListDueCharges(today())) {
        const int row = grdCharge->rows();
        grdCharge->setRows(row + 1);
        grdCharge->setTextMatrix(row, 0, QString::number(due.programId));
        grdCharge->setTextMatrix(row, 1, imodPrograms::GetProgramName(due.programId));
        grdCharge->setTextMatrix(row, 2, imodEnrolments::MoneyText(due.amount));
        grdCharge->setTextMatrix(row, 3, listDate(due.date));
        m_chargeDateIds << due.chargeDateId;
    }
    enrolments::SelectFirstRow(grdCharge);
}

void frmRecurring::ProcessCancellations()
{
    imodEnrolments::ProcessDueCancellations(today(), chkCancellation->isChecked());
}

bool frmRecurring::ProcessCharges()
{
    for (int row = 1; row < grdCharge->rows() && row <= m_chargeDateIds.size(); ++row) {
        const qint32 programId = grdCharge->textMatrix(row, 0).toInt();
        const vb::Currency amount =
            imodEnrolments::ReadMoneyText(grdCharge->textMatrix(row, 2)).value_or(vb::Currency());
        if (imodEnrolments::ChargeDuePlanRow(m_chargeDateIds.at(row - 1), programId, amount) ==
            imodEnrolments::ChargeOutcome::Failed)
            return false;
    }
    return true;
}

void frmRecurring::cmdNow_Click()
{
    ui::Hourglass::show();
    bool done = false;
    try {
        ProcessCancellations();
        done = ProcessCharges();
    } catch (...) {
        reportFailure(QStringLiteral("The recurring transactions could not all be processed; "
                                     "what is left will be offered again."));
    }
    ui::Hourglass::reset();
    if (!done) {
        // Show what is still due.
        try {
            LoadCancellations();
            LoadCharges();
        } catch (...) {
        }
        return;
    }
    ui::Dialogs::msgBox(QStringLiteral("Recurring transactions processed successfully!"),
                        ui::vbInformation, QStringLiteral("Success!"));
    unload();
}

void frmRecurring::cmdLater_Click()
{
    unload();
}
