#include "frmalerts.h"

#include "core/listcontrol.h"
#include "core/errorinfo.h"
#include "alerts.h"
#include "alertsreport.h"
#include "frmloading.h"
#include "frmreportviewer.h"
#include "platform/ui/windowregistry.h"

#include "core/centresettings.h"
#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/timer.h"
#include "platform/ui/twips.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"

#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <exception>

namespace {

const QColor backColour(214, 223, 247);

using ui::twipsToPixels;

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                   twipsToPixels(height));
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    QFont f(QStringLiteral("Tahoma"));
    f.setBold(true);
    l->setFont(f);
    return l;
}

// Whether cancellations or recurring charges are due (both counts are always taken).
bool RecurringTransactionsDue()
{
    const int cancellations = imodGlobalSubs::CountDueCancellations();
    const std::optional<int> charges = imodGlobalSubs::CountDueCharges();
    return cancellations > 0 || charges.value_or(0) > 0;
}

// Adds the entries to a sorted list (texts compared without regard to case).
void addSorted(QListWidget *list, const QStringList &entries)
{
    for (const QString &entry : entries)
        core::listAddItem(list, entry);
}

// The error being handled (call inside a catch block), a database error's number included.
QString errorText(const std::exception &, long *number)
{
    const core::ErrorInfo error = core::currentError();
    *number = error.number;
    return error.description;
}

} // namespace

frmAlerts::frmAlerts()
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, backColour);
    setPalette(pal);
    setFont(QFont(QStringLiteral("Tahoma")));
    setCaption(QStringLiteral("Things Coming Up..."));

    lblDate = new QLabel(this);
    lblDate->setObjectName(QStringLiteral("lblDate"));
    lblDate->setAlignment(Qt::AlignCenter);
    QFont big(QStringLiteral("Tahoma"), 14);
    big.setBold(true);
    lblDate->setFont(big);
    place(lblDate, 0, 0, 4815, 375);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    place(Picture1, 120, 480, 4455, 2875);
    Label1 = heading(QStringLiteral("BIRTHDAYS FAST APPROACHING"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 0, 0, 4455, 255);
    lstBirthdays = new QListWidget(Picture1);
    lstBirthdays->setObjectName(QStringLiteral("lstBirthdays"));
    core::setListSorted(lstBirthdays, true);
    place(lstBirthdays, 0, 240, 4455, 2595);

    Picture2 = new QFrame(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    place(Picture2, 120, 3480, 4455, 2445);
    Label2 = heading(QStringLiteral("OTHER ALERTS"), Picture2);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 0, 0, 4455, 255);
    lstAlerts = new QListWidget(Picture2);
    lstAlerts->setObjectName(QStringLiteral("lstAlerts"));
    core::setListSorted(lstAlerts, true);
    place(lstAlerts, 0, 240, 4455, 2205);

    opt7 = new QRadioButton(QStringLiteral("This Week"), this);
    opt7->setObjectName(QStringLiteral("opt7"));
    place(opt7, 360, 6000, 1215, 255);
    opt14 = new QRadioButton(QStringLiteral("Two Weeks"), this);
    opt14->setObjectName(QStringLiteral("opt14"));
    place(opt14, 1680, 6000, 1215, 255);
    optMonth = new QRadioButton(QStringLiteral("This Month"), this);
    optMonth->setObjectName(QStringLiteral("optMonth"));
    place(optMonth, 3120, 6000, 1215, 255);
    opt7->setChecked(true);

    cmdContinue = ui::namedButton(QStringLiteral("Continue Loading Ovix"),
                                  QStringLiteral("cmdContinue"), this);
    place(cmdContinue, 1440, 6480, 1935, 375);

    Command1 = new QToolButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("View or Print"));
    Command1->setIcon(QIcon(QStringLiteral(":/shell/icons/printer.png")));
    Command1->setAutoRaise(true);
    place(Command1, 4320, 75, 405, 315);
    Command1->setVisible(false);

    // Where the desktop's font is wider than the design's, captions still show whole.
    for (QWidget *w : {static_cast<QWidget *>(opt7), static_cast<QWidget *>(opt14),
                       static_cast<QWidget *>(optMonth), static_cast<QWidget *>(cmdContinue)}) {
        const int wanted = w->sizeHint().width();
        if (wanted > w->width())
            w->setGeometry(w->x() - (w == cmdContinue ? (wanted - w->width()) / 2 : 0), w->y(),
                           wanted, std::max(w->height(), w->sizeHint().height()));
    }

    for (QRadioButton *opt : {opt7, opt14, optMonth})
        connect(opt, &QRadioButton::clicked, this, [this] { RefreshAlerts(); });
    connect(Command1, &QToolButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdContinue, &QPushButton::clicked, this, [this] { cmdContinue_Click(); });
}

void frmAlerts::onLoad()
{
    try {
        lblDate->setText(
            vb::Format(QDateTime::currentDateTime(), QStringLiteral("ddd dd mmm yyyy")));
        RefreshAlerts();
        showForm();
        QWidget *f = frame();
        f->resize(twipsToPixels(5175), twipsToPixels(7410));
        if (QMdiArea *area = ui::MdiHost::area()) {
            const QSize inner = area->viewport()->size();
            f->move(std::max(0, (inner.width() - f->width()) / 2),
                    std::max(0, (inner.height() - f->height()) / 2));
        }
    } catch (const std::exception &e) {
        long number = 0;
        const QString description = errorText(e, &number);
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred when loading the Alerts Calendar screen.\r\n"
                           "Err#") +
                QString::number(number) + QStringLiteral(" - ") + description +
                QStringLiteral(".\r\n\r\nSome screen elements on this window may "
                               "not display correctly."),
            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Error loading alerts"));
    }
}

bool frmAlerts::periodChosen() const
{
    return opt7->isChecked() || opt14->isChecked() || optMonth->isChecked();
}

void frmAlerts::RefreshAlerts()
{
    lstBirthdays->clear();
    lstAlerts->clear();
    const QDate today = QDate::currentDate();
    if (opt7->isChecked())
        DaysAhead = qint16(alerts::DaysAhead(alerts::Period::ThisWeek, today));
    else if (opt14->isChecked())
        DaysAhead = qint16(alerts::DaysAhead(alerts::Period::TwoWeeks, today));
    else if (optMonth->isChecked())
        DaysAhead = qint16(alerts::DaysAhead(alerts::Period::ThisMonth, today));
    try {
        LoadBirthdays();
    } catch (const std::exception &) {
    }
    try {
        LoadOtherAlerts();
    } catch (const std::exception &) {
    }
}

void frmAlerts::LoadBirthdays()
{
    QStringList entries;
    try {
        alerts::LoadBirthdays(QDate::currentDate(), DaysAhead, entries);
    } catch (...) {
        addSorted(lstBirthdays, entries);
        throw;
    }
    addSorted(lstBirthdays, entries);
    if (lstBirthdays->count() > 0)
        Command1->setVisible(true);
    frame()->raise();
}

void frmAlerts::LoadOtherAlerts()
{
    QStringList entries;
    try {
        alerts::LoadOtherAlerts(QDate::currentDate(), DaysAhead, entries);
    } catch (...) {
        addSorted(lstAlerts, entries);
        throw;
    }
    addSorted(lstAlerts, entries);
    if (lstAlerts->count() > 0)
        Command1->setVisible(true);
}

void frmAlerts::Command1_Click()
{
    try {
        alerts::ReportInput input;
        for (int i = 0; i < lstBirthdays->count(); ++i)
            input.birthdays << lstBirthdays->item(i)->text();
        for (int i = 0; i < lstAlerts->count(); ++i)
            input.alerts << lstAlerts->item(i)->text();
        const QDate today = QDate::currentDate();
        input.periodChosen = periodChosen();
        int days = DaysAhead;
        if (opt7->isChecked())
            days = alerts::DaysAhead(alerts::Period::ThisWeek, today);
        else if (opt14->isChecked())
            days = alerts::DaysAhead(alerts::Period::TwoWeeks, today);
        else if (optMonth->isChecked())
            days = alerts::DaysAhead(alerts::Period::ThisMonth, today);
        input.from = today;
        input.to = today.addDays(days);
        input.dateFormat = Global::DateFormat;
        input.applicationName = Global::CentreSettings().ApplicationName();
        input.printedAt = QDateTime::currentDateTime();

        const QString path = Global::TempReportFile();
        alerts::WriteReport(path, input);
        auto *viewer = ui::Forms::shared<frmReportViewer>();
        viewer->SetTempFile(path);
        viewer->showForm();
    } catch (const std::exception &e) {
        long number = 0;
        const QString description = errorText(e, &number);
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred when exporting birthdays and alerts to a report.\r\n"
                           "Err#") +
                QString::number(number) + QStringLiteral(" - ") + description +
                QStringLiteral(".\r\nThe report could not be created."),
            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Error creating report"));
    }
}

void frmAlerts::resizeEvent(QResizeEvent *event)
{
    ui::Form::resizeEvent(event);
    const int w = width();
    lblDate->resize(w, lblDate->height());
    const int inner = std::max(0, w - twipsToPixels(390));
    for (QWidget *c : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2),
                       static_cast<QWidget *>(lstBirthdays), static_cast<QWidget *>(lstAlerts),
                       static_cast<QWidget *>(Picture1), static_cast<QWidget *>(Picture2)})
        c->resize(inner, c->height());
    // Only the widths follow the window; the print button stays where it is.
}

void frmAlerts::cmdContinue_Click()
{
    // Every step is tried, whatever became of the one before.
    try {
        unload();
    } catch (const std::exception &) {
    }
    try {
        if (ui::Form *main = shell::LoadWindowByName(QStringLiteral("Main"))) {
            main->showForm();
            core::PlaceOnMainWindow(main, 500);
        }
    } catch (const std::exception &) {
    }
    try {
        if (RecurringTransactionsDue()) {
            if (ui::Form *recurring = shell::LoadWindowByName(QStringLiteral("frmRecurring")))
                recurring->showForm();
        }
    } catch (const std::exception &) {
    }
    try {
        if (ui::Form *loading = shell::LoadWindowByName(QStringLiteral("frmLoading"))) {
            loading->showForm();
            if (auto *wait = qobject_cast<frmLoading *>(loading))
                wait->Timer1->setEnabled(true);
        }
    } catch (const std::exception &) {
    }
}
