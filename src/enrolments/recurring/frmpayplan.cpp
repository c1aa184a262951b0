#include "frmpayplan.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/workingwindow.h"
#include "enrolments/cancellation.h"
#include "enrolments/paymentplan.h"
#include "gridsetup.h"
#include "platform/ui/buttons.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/format.h"
#include "timetable/programs.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString Oops = QStringLiteral("Oops!");

enum Column { Number = 0, Id = 1, DateColumn = 2, Amount = 3, Executed = 4 };

} // namespace

frmPayPlan::frmPayPlan()
{
    setObjectName(QStringLiteral("frmPayPlan"));
    setCaption(QStringLiteral("Payment Plan"));

    lblProgram = ui::headingLabel(QString(), this);
    lblProgram->setObjectName(QStringLiteral("lblProgram"));
    lblIntro = ui::wrappedLabel(QString(), this);
    lblIntro->setObjectName(QStringLiteral("lblIntro"));
    grd = new ui::FlexGrid(this);
    grd->setObjectName(QStringLiteral("grd"));
    grd->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grd->setMinimumHeight(60);
    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);

    fraCharge = new QGroupBox(QStringLiteral("Charge Information"), this);
    fraCharge->setObjectName(QStringLiteral("fraCharge"));
    for (int i : {0, 2, 3}) {
        auto *box = txtField.add(i, new QLineEdit(fraCharge));
        box->setMaxLength(50);
    }
    btnCal = new QToolButton(fraCharge);
    btnCal->setObjectName(QStringLiteral("btnCal"));
    btnCal->setText(QStringLiteral("..."));
    auto *record = new QGridLayout(fraCharge);
    const auto row = [&](int r, const QString &text, QLineEdit *box) {
        auto *label = new QLabel(text, fraCharge);
        label->setBuddy(box);
        record->addWidget(label, r, 0);
        record->addWidget(box, r, 1);
    };
    row(0, QStringLiteral("Charge ID:"), txtField[0]);
    row(1, QStringLiteral("Date:"), txtField[2]);
    record->addWidget(btnCal, 1, 2);
    row(2, QStringLiteral("Amount:"), txtField[3]);
    record->setColumnStretch(1, 1);

    shpWarning = new QFrame(this);
    shpWarning->setObjectName(QStringLiteral("shpWarning"));
    shpWarning->setAutoFillBackground(true);
    QPalette highlight = shpWarning->palette();
    highlight.setColor(QPalette::Window, ui::fromVbColor(0x80FFFF));
    shpWarning->setPalette(highlight);
    lblWarning = new QLabel(
        QStringLiteral("This charge has already been executed and cannot be changed."), shpWarning);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    (new QHBoxLayout(shpWarning))->addWidget(lblWarning);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdNew);
    buttons->addWidget(cmdEdit);
    buttons->addWidget(cmdDelete);
    buttons->addStretch(1);

    auto *save = new QHBoxLayout;
    save->addStretch(1);
    save->addWidget(cmdSave);

    auto *all = new QVBoxLayout(this);
    all->addWidget(lblProgram);
    all->addWidget(lblIntro);
    all->addWidget(grd, 1);
    all->addLayout(buttons);
    all->addWidget(fraCharge);
    all->addWidget(shpWarning);
    all->addLayout(save);

    // The calendar floats over the window until a day is clicked away.
    cal = new QCalendarWidget(this);
    cal->setObjectName(QStringLiteral("cal"));
    cal->setAutoFillBackground(true);
    cal->hide();

    txtField[0]->setReadOnly(true);
    setLocked(txtField[0], true);
    showWarning(false);
    EnableFields(false);
    showRecordArea(false);
    resize(520, height());

    connect(cmdNew, &QPushButton::clicked, this, &frmPayPlan::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmPayPlan::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmPayPlan::cmdDelete_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmPayPlan::cmdSave_Click);
    connect(btnCal, &QToolButton::clicked, this, &frmPayPlan::btnCal_Click);
    connect(cal, &QCalendarWidget::clicked, this, &frmPayPlan::cal_Click);
}

void frmPayPlan::onLoad()
{
    core::PlaceOnMainWindow(this);
    lblIntro->setText(Global::CentreSettings().ShortAppName() +
                      QStringLiteral(" will charge enrolments in this program on the dates you "
                                     "enter on this screen."));
}

void frmPayPlan::setLocked(QLineEdit *box, bool locked)
{
    box->setReadOnly(locked);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base,
                     locked ? palette().color(QPalette::Window) : ui::fromVbColor(0x80000005));
    box->setPalette(colours);
}

void frmPayPlan::showRecordArea(bool shown)
{
    fraCharge->setVisible(shown);
    cmdSave->setVisible(shown);
    if (!shown)
        showWarning(false);
    const int pixels = ui::twipsToPixels(shown ? RecordHeight : ListHeight);
    setMinimumHeight(0);
    resize(width(), pixels);
}

void frmPayPlan::showWarning(bool shown)
{
    shpWarning->setVisible(shown);
    lblWarning->setVisible(shown);
}

void frmPayPlan::reportFailure()
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(QStringLiteral("Err#") + QString::number(e.number) +
                            QStringLiteral(" - ") + e.description,
                        ui::vbExclamation, Oops);
}

void frmPayPlan::LoadProgram(int intPID)
{
    m_programId = intPID;
    load();
    lblProgram->setText(imodPrograms::GetProgramName(m_programId));
    EnableFields(false);
    showRecordArea(false);
    try {
        LoadPlan();
    } catch (...) {
        reportFailure();
    }
    showForm();
}

void frmPayPlan::EnableFields(bool boolEnable)
{
    btnCal->setEnabled(boolEnable);
    cmdSave->setEnabled(boolEnable);
    cmdNew->setEnabled(!boolEnable);
    cmdEdit->setEnabled(!boolEnable);
    cmdDelete->setEnabled(!boolEnable);
    setLocked(txtField[2], !boolEnable);
    setLocked(txtField[3], !boolEnable);
}

void frmPayPlan::LoadPlan()
{
    enrolments::SetUpListGrid(grd,
                              {QString(), QString(), QStringLiteral("Date"),
                               QStringLiteral("Amount"), QStringLiteral("Executed")},
                              {800, 0, 2000, 2000, 2000}, 1);
    for (int col = Id; col <= Executed; ++col)
        grd->setColAlignment(col, ui::flexAlignCenterCenter);
    const auto plan = imodEnrolments::ReadPaymentPlan(m_programId);
    for (const auto &row : plan) {
        const int r = grd->rows();
        grd->setRows(r + 1);
        grd->setTextMatrix(r, Number, QString::number(r));
        grd->setTextMatrix(r, Id, QString::number(row.chargeDateId));
        grd->setTextMatrix(r, DateColumn,
                           vb::Format(QDateTime(row.date, QTime(0, 0)),
                                      QStringLiteral("dd-mmm-yyyy")));
        grd->setTextMatrix(r, Amount, imodEnrolments::MoneyText(row.amount));
        grd->setTextMatrix(r, Executed, row.run ? QStringLiteral("Yes") : QStringLiteral("No"));
    }
    enrolments::SelectFirstRow(grd);
}

bool frmPayPlan::selectedDataRow() const
{
    return grd->rows() > 1 && grd->gridRow() >= 1;
}

void frmPayPlan::cmdNew_Click()
{
    const int r = grd->rows();
    grd->setRows(r + 1);
    grd->setTextMatrix(r, Number, QString::number(r));
    grd->setTextMatrix(r, Id, QStringLiteral("(new)"));
    grd->setTextMatrix(r, DateColumn, QStringLiteral("(new)"));
    for (QLineEdit *box : txtField)
        box->clear();
    showWarning(false);
    EnableFields(true);
    showRecordArea(true);
}

void frmPayPlan::cmdEdit_Click()
{
    if (!selectedDataRow()) {
        ui::Dialogs::msgBox(QStringLiteral("Please select a row to edit."), ui::vbExclamation, Oops);
        return;
    }
    const int r = grd->gridRow();
    txtField[0]->setText(grd->textMatrix(r, Id));
    txtField[2]->setText(grd->textMatrix(r, DateColumn));
    txtField[3]->setText(grd->textMatrix(r, Amount));
    showRecordArea(true);
    if (grd->textMatrix(r, Executed) == QStringLiteral("Yes")) {
        showWarning(true);
        EnableFields(false);
    } else {
        showWarning(false);
        EnableFields(true);
    }
}

void frmPayPlan::cmdDelete_Click()
{
    if (!selectedDataRow()) {
        ui::Dialogs::msgBox(QStringLiteral("Please select a row to delete."), ui::vbExclamation,
                            Oops);
        return;
    }
    const int r = grd->gridRow();
    const QString executed =
        QStringLiteral("This charge has been executed and so it cannot be deleted.");
    if (grd->textMatrix(r, Executed) == QStringLiteral("Yes")) {
        ui::Dialogs::msgBox(executed, ui::vbExclamation, Oops);
        return;
    }
    bool ok = false;
    const qint32 id = grd->textMatrix(r, Id).toInt(&ok);
    if (!ok)
        return; // the "(new)" row exists only in the list
    try {
        if (imodEnrolments::DeletePlanRow(id) == imodEnrolments::PlanChange::Executed) {
            ui::Dialogs::msgBox(executed, ui::vbExclamation, Oops);
            LoadPlan();
            return;
        }
        ui::Dialogs::msgBox(QStringLiteral("Charge deleted successfully."), ui::vbInformation,
                            QStringLiteral("Success!"));
        LoadPlan();
    } catch (...) {
        reportFailure();
    }
}

void frmPayPlan::cmdSave_Click()
{
    const QString amountText = txtField[3]->text();
    const QString dateText = txtField[2]->text();
    const auto amount = imodEnrolments::ReadMoneyText(amountText);
    const QDate date = imodEnrolments::ReadDateText(dateText);
    if (amountText.isEmpty() || dateText.isEmpty() || !amount || !date.isValid()) {
        ui::Dialogs::msgBox(QStringLiteral("One or more of the values you entered are invalid. "
                                           "Please check them and try again."),
                            ui::vbExclamation, Oops);
        return;
    }
    bool hasId = false;
    const qint32 id = txtField[0]->text().toInt(&hasId);
    try {
        if (imodEnrolments::SavePlanRow(hasId ? id : 0, m_programId, date, *amount) ==
            imodEnrolments::PlanChange::Executed) {
            ui::Dialogs::msgBox(
                QStringLiteral("This charge has already been executed and cannot be changed."),
                ui::vbExclamation, Oops);
        }
        LoadPlan();
    } catch (...) {
        reportFailure();
        return;
    }
    EnableFields(false);
    showRecordArea(false);
}

void frmPayPlan::btnCal_Click()
{
    const QDate typed = imodEnrolments::ReadDateText(txtField[2]->text());
    cal->setSelectedDate(typed.isValid() ? typed : QDate::currentDate());
    cal->resize(cal->sizeHint());
    QPoint at = btnCal->mapTo(this, QPoint(btnCal->width(), btnCal->height()));
    at.setX(qBound(0, at.x() - cal->width(), qMax(0, width() - cal->width())));
    at.setY(qBound(0, at.y() - cal->height() - btnCal->height(), qMax(0, height() - cal->height())));
    cal->move(at);
    cal->show();
    cal->raise();
}

void frmPayPlan::cal_Click(const QDate &date)
{
    txtField[2]->setText(vb::Format(QDateTime(date, QTime(0, 0)), Global::DateFormat));
}

void frmPayPlan::mousePressEvent(QMouseEvent *event)
{
    cal->hide();
    ui::Form::mousePressEvent(event);
}
