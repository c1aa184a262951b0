#include "frmprograms.h"

#include "platform/ui/buttons.h"
#include "platform/ui/labels.h"
#include "programrules.h"

#include "classes/classsearch.h"
#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/tag.h"
#include "platform/vb/convert.h"
#include "platform/ui/windowregistry.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

namespace {

const QString changedMark = QStringLiteral("Changed");
const QString blankLine = QStringLiteral("\r\n\r\n");

// The boxes whose change recalculates the amounts.
constexpr int FullCost = 3;
constexpr int CostPerSession = 15;
constexpr int Sessions = 8;
constexpr int ChargeModeList = 14;

// Open: unlocked on the window colour; locked: the button-face colour. A list
// cannot be locked, so a locked one is disabled.
void setOpen(QWidget *control, bool open)
{
    if (auto *box = qobject_cast<QLineEdit *>(control))
        box->setReadOnly(!open);
    else
        control->setEnabled(open);
    QPalette p = control->palette();
    p.setColor(QPalette::Base, ui::fromVbColor(open ? 0x80000005 : 0x8000000F));
    control->setPalette(p);
}

// Runs one step of filling the window; a step that fails leaves its field as it is.
void step(const std::function<void()> &fill)
{
    try {
        fill();
    } catch (...) {
    }
}

QDate pickerDate(const ui::DatePicker *picker)
{
    return picker->isEmpty() ? QDate() : picker->date();
}

void showClassesNotChanged()
{
    const core::ErrorInfo error = core::currentError();
    ui::Dialogs::msgBox(QStringLiteral("Error #") + QString::number(error.number) +
                            QStringLiteral(" (") + error.description +
                            QStringLiteral(") occurred when updating the classes of this "
                                           "program. No class was changed."),
                        ui::vbExclamation, QStringLiteral("Oops!"));
}

} // namespace

frmPrograms::frmPrograms()
{
    setObjectName(QStringLiteral("frmPrograms"));
    setCaption(QStringLiteral("Programs"));

    Image1 = core::NewLogoLabel(this);
    auto *title = ui::headingLabel(QStringLiteral("Programs"), this);

    auto button = [this](const char *name, const char *caption) {
        return ui::namedButton(QString::fromLatin1(caption), QString::fromLatin1(name), this);
    };
    cmdNew = button("cmdNew", "New");
    cmdDelete = button("cmdDelete", "Delete");
    cmdEdit = button("cmdEdit", "Edit");
    cmdSave = button("cmdSave", "Save");

    lstUsers = new QListWidget(this);
    lstUsers->setObjectName(QStringLiteral("lstUsers"));
    core::setListSorted(lstUsers, true);
    Check1 = new QCheckBox(QStringLiteral("Hide inactive"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);

    auto textBox = [this](int index, int maxLength = 0) {
        auto *box = txtField.add(index, new QLineEdit(this));
        if (maxLength > 0)
            box->setMaxLength(maxLength);
        return box;
    };
    auto list = [this](int index) {
        auto *combo = cboField.add(index, new QComboBox(this));
        combo->setEditable(false);
        return combo;
    };
    auto caption = [this](int index, const char *text) {
        return lblField.add(index, new QLabel(QString::fromLatin1(text), this));
    };
    auto picker = [this](const char *name) {
        auto *p = new ui::DatePicker(this);
        p->setObjectName(QString::fromLatin1(name));
        p->setCustomFormat(QStringLiteral("dd-MMM-yyyy"));
        p->setCheckBox(true); // a program without the date shows none
        return p;
    };

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));

    // Program Details.
    auto *details = new QWidget;
    auto *detailsForm = new QFormLayout(details);
    detailsForm->addRow(caption(0, "Program ID:"), textBox(0));
    detailsForm->addRow(caption(1, "Program:"), textBox(1, 50));
    chkInactive = new QCheckBox(QStringLiteral("This program is inactive"), this);
    chkInactive->setObjectName(QStringLiteral("chkInactive"));
    detailsForm->addRow(QString(), chkInactive);
    dtFeesDue = picker("dtFeesDue");
    detailsForm->addRow(caption(17, "Fees Due On:"), dtFeesDue);
    detailsForm->addRow(caption(10, "Tax Code:"), list(10));
    detailsForm->addRow(caption(11, "Revenue A/C:"), list(11));
    detailsForm->addRow(caption(6, "First Day to View:"), list(6));
    tabs->addTab(details, QStringLiteral("Program Details"));

    // Default Values for Classes.
    auto *defaults = new QWidget;
    auto *defaultsLayout = new QVBoxLayout(defaults);
    auto *note = new QLabel(QStringLiteral("These values will be used as default values for "
                                           "classes created in this program:"),
                            this);
    note->setWordWrap(true);
    defaultsLayout->addWidget(note);
    auto *datesForm = new QFormLayout;
    dtStartDate = picker("dtStartDate");
    dtEndDate = picker("dtEndDate");
    datesForm->addRow(caption(5, "Start Date:"), dtStartDate);
    datesForm->addRow(caption(7, "End Date:"), dtEndDate);
    datesForm->addRow(caption(8, "Number of weeks:"), textBox(Sessions));
    QLabel *maxLabel = caption(4, "Max students in class:");
    datesForm->addRow(maxLabel, textBox(4));
    maxLabel->hide();
    txtField[4]->hide();
    defaultsLayout->addLayout(datesForm);

    fraCost = new QGroupBox(QStringLiteral("Cost + Charges"), this);
    fraCost->setObjectName(QStringLiteral("fraCost"));
    auto *costGrid = new QGridLayout(fraCost);
    costGrid->addWidget(caption(ChargeModeList, "Costing Method is to charge upon"), 0, 0);
    costGrid->addWidget(list(ChargeModeList), 0, 1);
    chkPSession = new QCheckBox(QStringLiteral("Charge per session"), this);
    chkPSession->setObjectName(QStringLiteral("chkPSession"));
    costGrid->addWidget(chkPSession, 1, 1);
    const int amountBoxes[2] = {CostPerSession, FullCost};
    const char *amountCaptions[2] = {"Cost per session:", "Cost for Full Program:"};
    for (int i = 0; i < 2; ++i) {
        costGrid->addWidget(caption(amountBoxes[i], amountCaptions[i]), 2 + i, 0);
        auto *cell = new QHBoxLayout;
        cell->addWidget(textBox(amountBoxes[i]));
        lblNotApplicable[i] = new QLabel(QStringLiteral("not applicable"), this);
        lblNotApplicable[i]->setObjectName(QStringLiteral("lblNotApplicable"));
        lblNotApplicable[i]->hide();
        cell->addWidget(lblNotApplicable[i]);
        costGrid->addLayout(cell, 2 + i, 1);
    }
    cmdPaymentPlan = button("cmdPaymentPlan", "Edit Payment Plan");
    costGrid->addWidget(cmdPaymentPlan, 4, 1);
    costGrid->setColumnStretch(1, 1);
    defaultsLayout->addWidget(fraCost);

    cmdFixAllDates = button("cmdFixAllDates", "Fix All Dates in this Program");
    cmdFixPrice = button("cmdFixPrice", "Reset Class Prices");
    cmdUpdateChargeMode = button("cmdUpdateChargeMode", "Reset Class Charge Mode");
    auto *operations = new QHBoxLayout;
    for (QPushButton *b : {cmdFixAllDates, cmdFixPrice, cmdUpdateChargeMode})
        operations->addWidget(b);
    operations->addStretch(1);
    defaultsLayout->addLayout(operations);
    defaultsLayout->addStretch(1);
    tabs->addTab(defaults, QStringLiteral("Default Values for Classes"));

    // Arrangement: logo and heading, the toolbar, then the list beside the tabs.
    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(title, 1);
    auto *toolbar = new QHBoxLayout;
    for (QPushButton *b : {cmdNew, cmdDelete, cmdEdit, cmdSave})
        toolbar->addWidget(b);
    toolbar->addStretch(1);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(lstUsers, 1);
    listColumn->addWidget(Check1);
    auto *body = new QHBoxLayout;
    body->addLayout(listColumn, 2);
    body->addWidget(tabs, 5);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(toolbar);
    all->addLayout(body, 1);
    resize(760, 520);

    connect(cmdNew, &QPushButton::clicked, this, &frmPrograms::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmPrograms::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmPrograms::cmdDelete_Click);
    connect(cmdFixAllDates, &QPushButton::clicked, this, &frmPrograms::cmdFixAllDates_Click);
    connect(cmdFixPrice, &QPushButton::clicked, this, &frmPrograms::cmdFixPrice_Click);
    connect(cmdUpdateChargeMode, &QPushButton::clicked, this,
            &frmPrograms::cmdUpdateChargeMode_Click);
    connect(cmdPaymentPlan, &QPushButton::clicked, this, &frmPrograms::cmdPaymentPlan_Click);
    connect(lstUsers, &QListWidget::currentItemChanged, this, [this] { lstUsers_Click(); });
    connect(Check1, &QCheckBox::toggled, this, &frmPrograms::Load_Program_List);
    connect(cboField[ChargeModeList], &QComboBox::currentIndexChanged, this,
            [this] { cboField_Click(ChargeModeList); });
    connect(chkPSession, &QCheckBox::toggled, this, &frmPrograms::chkPSession_Click);
    for (int index : {FullCost, CostPerSession, Sessions}) {
        QLineEdit *box = txtField[index];
        connect(box, &QLineEdit::textChanged, box, [box] { ui::setTag(box, changedMark); });
        box->installEventFilter(this);
    }

    setViewing();
    cmdPaymentPlan->hide();
}

bool frmPrograms::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched->objectName() == txtField.name())
        txtField_LostFocus(ui::controlIndex(watched));
    return ui::Form::eventFilter(watched, event);
}

bool frmPrograms::isEditing() const
{
    return cmdSave->isEnabled();
}

void frmPrograms::onLoad()
{
    core::PlaceOnMainWindow(this);
    step([this] { core::ShowClassSearchLogo(Image1); });
    step([this] { Load_Program_List(); });
    step([this] { Load_Account_List(); });
    step([this] { Load_TaxCode_List(); });
    step([this] { imodGlobalSubs::FillDayCombo(cboField[6], false, 0); });
    step([this] {
        QComboBox *modes = cboField[ChargeModeList];
        modes->blockSignals(true);
        modes->clear();
        modes->addItems(programrules::ChargeModes());
        modes->setCurrentIndex(-1);
        modes->blockSignals(false);
    });
    if (lstUsers->count() > 0)
        lstUsers->setCurrentRow(0);
}

void frmPrograms::Load_Program_List()
{
    const QSignalBlocker quiet(lstUsers);
    imodPrograms::FillProgramCombo(lstUsers, !Check1->isChecked());
    lstUsers->setCurrentRow(-1);
}

void frmPrograms::Load_Account_List()
{
    QComboBox *accounts = cboField[11];
    accounts->clear();
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT Accounts.* FROM Accounts;"));
    for (; !rs->eof(); rs->moveNext()) {
        if (rs->value(2).toString() == QStringLiteral("Income"))
            accounts->addItem(vb::CStr(rs->value(0)));
    }
}

void frmPrograms::Load_TaxCode_List()
{
    irecObjectCode::FillListFromSql(cboField[10], QStringLiteral("SELECT TaxCode.* FROM TaxCode;"),
                                    0);
}

void frmPrograms::lstUsers_Click()
{
    const int row = lstUsers->currentRow();
    if (row < 0)
        return;
    showProgram(core::listItemData(lstUsers, row));
}

void frmPrograms::clearFields()
{
    for (int index : txtField.indexes())
        txtField[index]->clear();
    chkInactive->setChecked(false);
    chkPSession->setChecked(false);
    for (int index : {6, 10, 11})
        cboField[index]->setCurrentIndex(-1);
    selectChargeMode(-1);
    for (ui::DatePicker *p : {dtFeesDue, dtStartDate, dtEndDate})
        p->setValue(QVariant());
}

void frmPrograms::showProgram(qint32 programId)
{
    // Every field is emptied first: a column without a value shows nothing, never
    // what the program shown before had.
    clearFields();
    step([&] {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT * FROM Programs WHERE ProgramID = ") +
            QString::number(programId) + QStringLiteral(";"));
        if (rs->eof())
            return;
        step([&] { txtField[0]->setText(vb::CStr(rs->value(0))); });
        step([&] { txtField[1]->setText(vb::CStr(rs->value(1))); });
        for (int index : {FullCost, 4, Sessions})
            step([&] { txtField[index]->setText(vb::CStr(rs->value(index))); });
        step([&] { chkInactive->setChecked(vb::CInt(rs->value(2)) == 1); });
        step([&] {
            const int position = vb::CInt(rs->value(6));
            if (position >= 0 && position < cboField[6]->count())
                cboField[6]->setCurrentIndex(position);
        });
        for (int index : {10, 11, ChargeModeList}) {
            step([&] {
                const int found = cboField[index]->findText(
                    vb::CStr(rs->value(index)), Qt::MatchExactly | Qt::MatchCaseSensitive);
                if (found < 0)
                    return;
                if (index == ChargeModeList)
                    selectChargeMode(found);
                else
                    cboField[index]->setCurrentIndex(found);
            });
        }
        step([&] {
            txtField[CostPerSession]->setText(
                programrules::FormatProgramAmount(vb::CCur(rs->value(CostPerSession))));
        });
        reformat(FullCost);
        step([&] { chkPSession->setChecked(vb::CInt(rs->value(16)) == 1); });
        const std::pair<const char *, ui::DatePicker *> dates[] = {
            {"AmountOverdue", dtFeesDue}, {"StartDate", dtStartDate}, {"EndDate", dtEndDate}};
        for (const auto &[column, picker] : dates) {
            step([&] {
                const QVariant when = rs->value(QString::fromLatin1(column));
                if (!when.isNull())
                    picker->setValue(vb::CDate(when).date());
            });
        }
    });
    for (int index : {FullCost, CostPerSession, Sessions})
        ui::setTag(txtField[index], QString());
}

void frmPrograms::selectChargeMode(int index)
{
    {
        const QSignalBlocker quiet(cboField[ChargeModeList]);
        cboField[ChargeModeList]->setCurrentIndex(index);
    }
    cboField_Click(ChargeModeList);
}

void frmPrograms::cboField_Click(int index)
{
    if (index != ChargeModeList)
        return;
    const QString mode = cboField[ChargeModeList]->currentText();
    const bool plan = mode == programrules::PaymentPlanMode;
    cmdPaymentPlan->setVisible(plan);
    // The payment plan window may not be part of this program.
    cmdPaymentPlan->setEnabled(shell::IsWindowRegistered(QStringLiteral("frmPayPlan")));
    cmdFixPrice->setEnabled(!plan);
    txtField[CostPerSession]->setVisible(!plan);
    txtField[FullCost]->setVisible(!plan);
    for (QLabel *label : lblNotApplicable)
        label->setVisible(plan);
    if (!isEditing())
        return;
    chkPSession->setEnabled(false);
    if (mode == programrules::AttendanceMode) {
        chkPSession->setChecked(true);
        setOpen(txtField[FullCost], false);
        setOpen(txtField[CostPerSession], true);
    } else if (plan) {
        chkPSession->setChecked(false);
    } else if (programrules::ChargeModes().contains(mode)) {
        chkPSession->setChecked(false);
        setOpen(txtField[FullCost], true);
        setOpen(txtField[CostPerSession], false);
    }
}

void frmPrograms::chkPSession_Click()
{
    if (!isEditing())
        return;
    const bool perSession = chkPSession->isChecked();
    setOpen(txtField[CostPerSession], perSession);
    setOpen(txtField[FullCost], !perSession);
}

void frmPrograms::setBoxText(int index, const QString &text)
{
    if (txtField[index]->text() != text)
        txtField[index]->setText(text);
}

void frmPrograms::reformat(int index)
{
    if (const auto amount = vb::Currency::parse(txtField[index]->text()))
        setBoxText(index, programrules::FormatProgramAmount(*amount));
}

void frmPrograms::txtField_LostFocus(int index)
{
    if (index != FullCost && index != CostPerSession && index != Sessions)
        return;
    QLineEdit *box = txtField[index];
    // A box the user cannot type in recalculates nothing: the window's own
    // formatting must not turn a rounded session price back into the full cost.
    if (ui::tag(box) != changedMark || box->isReadOnly())
        return;
    const QString full = txtField[FullCost]->text();
    const QString each = txtField[CostPerSession]->text();
    const QString sessions = txtField[Sessions]->text();
    auto setAmount = [this](int target, const std::optional<vb::Currency> &amount) {
        if (amount)
            setBoxText(target, programrules::FormatProgramAmount(*amount));
    };
    if (index == FullCost) {
        setAmount(CostPerSession, programrules::CostPerSessionFor(full, sessions));
        ui::setTag(box, QString());
        reformat(CostPerSession);
        reformat(FullCost);
    } else if (index == CostPerSession) {
        setAmount(FullCost, programrules::FullCostFor(each, sessions));
        ui::setTag(box, QString());
        reformat(CostPerSession);
        reformat(FullCost);
    } else {
        if (chkPSession->isChecked())
            setAmount(FullCost, programrules::FullCostFor(each, sessions));
        else
            setAmount(CostPerSession, programrules::CostPerSessionFor(full, sessions));
        ui::setTag(box, QString());
    }
}

void frmPrograms::cmdNew_Click()
{
    boolNewProgram = true;
    lstUsers->setEnabled(false);
    txtField[0]->clear();
    for (int index : {1, FullCost, 4, Sessions}) {
        setOpen(txtField[index], true);
        txtField[index]->clear();
    }
    setOpen(cboField[6], true);
    core::setListIndex(cboField[6], cboField[6]->count() > 0 ? 0 : -1);
    setOpen(cboField[ChargeModeList], true);
    selectChargeMode(0);
    for (int index : {10, 11}) {
        setOpen(cboField[index], true);
        cboField[index]->setCurrentIndex(cboField[index]->count() > 0 ? 0 : -1);
    }
    if (cboField[10]->count() == 0 || cboField[11]->count() == 0) {
        ui::Dialogs::msgBox(
            QStringLiteral("There are no income accounts. You must create an income-type account "
                           "before you can create programs. The programs window will now close."),
            ui::vbExclamation, QStringLiteral("Oops"));
        unload(ui::CloseReason::Code);
        return;
    }
    for (ui::DatePicker *p : {dtFeesDue, dtStartDate, dtEndDate})
        p->setEnabled(true);
    chkPSession->setEnabled(false);
    chkPSession->setChecked(false);
    setOpen(txtField[CostPerSession], false);
    txtField[CostPerSession]->setText(QStringLiteral("$0.00"));
    txtField[FullCost]->setText(QStringLiteral("$0.00"));
    txtField[Sessions]->setText(QStringLiteral("0"));
    chkInactive->setEnabled(true);
    chkInactive->setChecked(false);
    cmdSave->setEnabled(true);
    for (QWidget *w : {cmdNew, cmdEdit, cmdDelete})
        w->setEnabled(false);
}

void frmPrograms::cmdEdit_Click()
{
    for (ui::DatePicker *p : {dtFeesDue, dtStartDate, dtEndDate})
        p->setEnabled(true);
    setOpen(txtField[1], true);
    setOpen(cboField[6], true);
    setOpen(txtField[Sessions], true);
    for (int index : {10, 11, ChargeModeList})
        setOpen(cboField[index], true);
    chkInactive->setEnabled(true);
    chkPSession->setEnabled(cboField[ChargeModeList]->currentText() ==
                            programrules::AttendanceMode);
    setOpen(chkPSession->isChecked() ? txtField[CostPerSession] : txtField[FullCost], true);
    cmdSave->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdEdit, cmdNew, cmdDelete, lstUsers})
        w->setEnabled(false);
}

programrules::ProgramEntries frmPrograms::entries() const
{
    programrules::ProgramEntries e;
    e.name = txtField[1]->text();
    e.inactive = chkInactive->isChecked();
    e.fullCost = txtField[FullCost]->text();
    e.costPerSession = txtField[CostPerSession]->text();
    e.startDate = pickerDate(dtStartDate);
    e.endDate = pickerDate(dtEndDate);
    e.feesDue = pickerDate(dtFeesDue);
    e.defaultDay = cboField[6]->currentIndex();
    e.sessions = txtField[Sessions]->text();
    e.taxCode = cboField[10]->currentText();
    e.revenueAccount = cboField[11]->currentText();
    e.chargeMode = cboField[ChargeModeList]->currentText();
    e.chargePerSession = chkPSession->isChecked();
    return e;
}

bool frmPrograms::cmdSave_Click()
{
    const programrules::ProgramEntries e = entries();
    const QString refusal = programrules::CheckProgramEntries(e);
    if (!refusal.isEmpty()) {
        ui::Dialogs::msgBox(refusal, ui::vbExclamation, QStringLiteral("Oops!"));
        return false;
    }
    try {
        std::optional<qint32> programId;
        if (!boolNewProgram)
            programId = vb::CLng(txtField[0]->text());
        const qint32 saved = programrules::SaveProgram(e, programId);
        boolNewProgram = false;
        txtField[0]->setText(QString::number(saved));
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("Error #") + QString::number(error.number) +
                                QStringLiteral(" (") + error.description +
                                QStringLiteral(") occurred when saving the program. It may not "
                                               "have been saved correctly."),
                            ui::vbCritical, QStringLiteral("Something went wrong"));
        return false;
    }
    setViewing();
    step([this] { Load_Program_List(); });
    return true;
}

void frmPrograms::setViewing()
{
    for (ui::DatePicker *p : {dtFeesDue, dtStartDate, dtEndDate})
        p->setEnabled(false);
    for (int index : {1, FullCost, 4, Sessions, CostPerSession})
        setOpen(txtField[index], false);
    setOpen(txtField[0], false);
    for (int index : {6, ChargeModeList, 10, 11})
        setOpen(cboField[index], false);
    chkPSession->setEnabled(false);
    chkInactive->setEnabled(false);
    cmdSave->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdEdit, cmdNew, cmdDelete, lstUsers})
        w->setEnabled(true);
}

std::optional<qint32> frmPrograms::shownProgramId() const
{
    bool ok = false;
    const qint32 id = txtField[0]->text().trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(id) : std::nullopt;
}

void frmPrograms::cmdDelete_Click()
{
    const auto id = shownProgramId();
    if (!id)
        return;
    const int classes = imodPrograms::GetProgramNumClasses(*id);
    if (classes > 0) {
        if (ui::Dialogs::msgBox(QStringLiteral("This program is linked to ") +
                                    QString::number(classes) + QStringLiteral(" classes in ") +
                                    Global::CentreSettings().ShortAppName() +
                                    QStringLiteral(". Are you sure you want to delete this "
                                                   "program AND the linked classes?"),
                                ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("A very important question")) != ui::vbYes)
            return;
        const int enrolments = imodPrograms::GetProgramNumEnrolments(*id);
        if (enrolments < 1) {
            if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you wish to delete this program?"),
                                    ui::vbYesNo | ui::vbQuestion,
                                    QStringLiteral("Confirm Delete")) != ui::vbYes)
                return;
        } else if (ui::Dialogs::msgBox(
                       QStringLiteral("There are ") + QString::number(enrolments) +
                           QStringLiteral(" enrolments for this program.") + blankLine +
                           QStringLiteral("If you delete the program, all associated classes, "
                                          "bookings and payments received will be deleted. This "
                                          "operation cannot be undone.") +
                           blankLine + QStringLiteral("Are you sure you want to proceed?"),
                       ui::vbYesNo | ui::vbExclamation,
                       QStringLiteral("Are You Really Sure?")) != ui::vbYes) {
            ui::Dialogs::msgBox(QStringLiteral("The program was not be deleted."),
                                ui::vbExclamation, QStringLiteral("Oops!"));
            return;
        }
    }
    frmConfirmDelete::Request(QStringLiteral("Delete Program"), QString::number(*id),
                              Global::CurrentUserId);
}

void frmPrograms::cmdFixAllDates_Click()
{
    const auto id = shownProgramId();
    if (!id)
        return;
    int updated = 0;
    try {
        updated =
            programrules::FixAllClassDates(*id, pickerDate(dtStartDate), pickerDate(dtEndDate));
    } catch (...) {
        showClassesNotChanged();
        return;
    }
    ui::Dialogs::msgBox(QString::number(updated) + QStringLiteral(" classes were updated."),
                        ui::vbInformation, QStringLiteral("Success!"));
}

void frmPrograms::cmdFixPrice_Click()
{
    const auto id = shownProgramId();
    if (!id)
        return;
    const auto fullCost = vb::Currency::parse(txtField[FullCost]->text());
    const auto costPerSession = vb::Currency::parse(txtField[CostPerSession]->text());
    if (!fullCost || !costPerSession) {
        ui::Dialogs::msgBox(QStringLiteral("Please check the values entered in class price."),
                            ui::vbExclamation, QStringLiteral("Invalid value"));
        return;
    }
    if (cboField[ChargeModeList]->currentText() == programrules::PaymentPlanMode) {
        ui::Dialogs::msgBox(QStringLiteral("You cannot update the price for a payment plan class."),
                            ui::vbExclamation, QStringLiteral("Option Unavailable"));
        return;
    }
    if (ui::Dialogs::msgBox(
            QStringLiteral("This will reset the price of ALL classes in this program to the "
                           "default price of ") +
                programrules::FormatConfirmAmount(*fullCost) +
                QStringLiteral(" for the program (") +
                programrules::FormatConfirmAmount(*costPerSession) +
                QStringLiteral(" per session). ") + blankLine +
                QStringLiteral("Are you sure you want to do this?"),
            ui::vbYesNo | ui::vbExclamation, QStringLiteral("Question")) != ui::vbYes)
        return;
    // The re-pricing shows its own message when it fails.
    const int done = chkPSession->isChecked()
                         ? imodClasses::ResetProgramClassPrices(*id, *costPerSession, 1)
                         : imodClasses::ResetProgramClassPrices(*id, *fullCost, 0);
    if (done == 1)
        ui::Dialogs::msgBox(QStringLiteral("Price change successful."), ui::vbInformation,
                            QStringLiteral("Success!"));
}

void frmPrograms::cmdUpdateChargeMode_Click()
{
    const auto id = shownProgramId();
    if (!id)
        return;
    const QString mode = cboField[ChargeModeList]->currentText();
    if (ui::Dialogs::msgBox(QStringLiteral("This will update ALL classes in the program to be "
                                           "charged by ") +
                                mode + QStringLiteral(".") + blankLine +
                                QStringLiteral("Are you sure you want to do this?"),
                            ui::vbYesNo | ui::vbExclamation,
                            QStringLiteral("Are You Sure?")) != ui::vbYes)
        return;
    try {
        programrules::ResetClassChargeMode(*id, mode);
    } catch (...) {
        showClassesNotChanged();
        return;
    }
    ui::Dialogs::msgBox(QStringLiteral("Classes updated successfully."), ui::vbInformation,
                        QStringLiteral("Success!"));
}

void frmPrograms::cmdPaymentPlan_Click()
{
    const auto id = shownProgramId();
    if (!id) {
        ui::Dialogs::msgBox(
            QStringLiteral("You must save this program before a payment plan can be created."),
            ui::vbExclamation, QStringLiteral("Not quite yet"));
        return;
    }
    if (ui::Form *plan = shell::LoadWindowByName(QStringLiteral("frmPayPlan")))
        ui::callByName(plan, QStringLiteral("LoadProgram"), {*id});
}

void frmPrograms::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || !isEditing())
        return;
    const int answer =
        ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to this program?"),
                            ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel)
        cancel = true;
    else if (answer == ui::vbYes && !cmdSave_Click())
        cancel = true; // a refused or failed save keeps the window and what was typed
}

void frmPrograms::onUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onUnload(reason, cancel);
    if (cancel)
        return;
    step([] { classsearch::CallMain(QStringLiteral("Load_Program_List")); });
}
