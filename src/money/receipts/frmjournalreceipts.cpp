#include "frmjournalreceipts.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "money/imodmoney.h"
#include "money/receipts.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString ReportOptionsWindow = QStringLiteral("frmReportOpt");

QString journalDateText(const QDate &date)
{
    return vb::Format(QDateTime(date, QTime()), Global::DateFormat);
}

} // namespace

frmJournalReceipts::frmJournalReceipts()
{
    setObjectName(QStringLiteral("frmJournalReceipts"));
    setCaption(QStringLiteral("Receipts Journal"));

    Image1 = core::NewLogoLabel(this);
    auto *heading = ui::headingLabel(QStringLiteral("Receipts Journal"), this);
    txtDateFrom = new QLineEdit(this);
    txtDateFrom->setObjectName(QStringLiteral("txtDateFrom"));
    txtDateTo = new QLineEdit(this);
    txtDateTo->setObjectName(QStringLiteral("txtDateTo"));
    cmdShow = ui::namedButton(QStringLiteral("Display"), QStringLiteral("cmdShow"), this);
    Command1 = ui::namedButton(QStringLiteral("View or Print"), QStringLiteral("Command1"), this);
    Command1->setEnabled(ui::IsWindowRegistered(ReportOptionsWindow));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(heading, 1);
    auto *range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("Dated from:"), this));
    range->addWidget(txtDateFrom);
    range->addWidget(new QLabel(QStringLiteral("to"), this));
    range->addWidget(txtDateTo);
    range->addWidget(cmdShow);
    range->addStretch(1);
    auto *footer = new QHBoxLayout;
    footer->addWidget(lblStatus, 1);
    footer->addWidget(Command1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(range);
    all->addWidget(List1, 1);
    all->addLayout(footer);
    resize(560, 480);

    connect(cmdShow, &QPushButton::clicked, this, &frmJournalReceipts::cmdShow_Click);
    connect(Command1, &QPushButton::clicked, this, &frmJournalReceipts::Command1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmJournalReceipts::List1_DblClick);
}

void frmJournalReceipts::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    const QDate today = QDate::currentDate();
    txtDateFrom->setText(journalDateText(QDate(today.year(), today.month(), 1)));
    txtDateTo->setText(journalDateText(today));
    cmdShow_Click();
}

void frmJournalReceipts::cmdShow_Click()
{
    const QDate from = imodStudents::ReadDateText(txtDateFrom->text());
    const QDate to = imodStudents::ReadDateText(txtDateTo->text());
    core::listClear(List1);
    if (!from.isValid() || !to.isValid()) {
        ui::Dialogs::msgBox(QStringLiteral("The dates you entered are invalid."), ui::vbExclamation,
                            QStringLiteral("Oops!"));
        return;
    }
    ui::Hourglass hourglass;
    try {
        const QList<imodMoney::JournalLine> lines = imodMoney::ReadJournal(from, to);
        QStringList texts;
        texts.reserve(lines.size());
        for (const auto &line : lines)
            texts << line.text;
        List1->addItems(texts);
        lblStatus->setText(imodMoney::JournalStatusText(int(lines.size())));
    } catch (...) {
        ui::Dialogs::msgBox(QStringLiteral("An error occurred (Error #") +
                                QString::number(core::currentError().number) + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Error"));
    }
}

void frmJournalReceipts::List1_DblClick()
{
    const qint32 id = imodMoney::JournalLinePaymentId(core::listText(List1));
    if (id == 0)
        return;
    try {
        imodMoney::ShowReceiptSummary(id);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The payment could not be shown. (Err#") +
                                QString::number(error.number) + QStringLiteral(" - ") +
                                error.description + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

void frmJournalReceipts::Command1_Click()
{
    try {
        ui::Form *options = ui::CreateWindowByName(ReportOptionsWindow);
        if (!options)
            return;
        ui::callByName(options, QStringLiteral("LoadReport"),
                       {QStringLiteral("Payment List"), true, false, false});
        const struct
        {
            const char *box;
            QLineEdit *from;
        } dates[] = {{"txtFrom", txtDateFrom}, {"txtTo", txtDateTo}};
        for (const auto &d : dates) {
            if (QObject *box = options->findChild<QObject *>(QString::fromLatin1(d.box)))
                box->setProperty(
                    "text", journalDateText(imodStudents::ReadDateText(d.from->text())));
        }
        options->showForm();
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The report could not be opened. (Err#") +
                                QString::number(error.number) + QStringLiteral(" - ") +
                                error.description + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}
