#include "frmpayments.h"

#include "access/signin.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/imodvista.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "money/payments.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/comboitemdata.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmcalc.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QColor WindowColour(0xD6, 0xDF, 0xF7);
const QColor InfoCellColour(0xEF, 0xEF, 0xFF);
const QColor EditCellColour(0xF7, 0xE7, 0xBD);
const QColor EditorColour(0xFF, 0xFF, 0x8C);
const QString None = QStringLiteral("(none)");
const QString AutoNumber = QStringLiteral("Auto#");

// The columns of the grid.
enum : int { ColBKID, ColSID, ColName, ColProgram, ColCaption, ColOwing, ColDiscount, ColPayNow };

template <class F> void step(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void setBackground(QWidget *box, const QColor &colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
}

// Sets a box's text only when it differs, so that a change event follows a change.
void setBoxText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

QLineEdit *lockedBox(QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setReadOnly(true);
    setBackground(box, WindowColour);
    return box;
}

} // namespace

frmPayments::frmPayments()
{
    setObjectName(QStringLiteral("frmPayments"));
    setCaption(QStringLiteral("Receive Payments"));
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, WindowColour);
    setPalette(windowPalette);

    const auto label = [this](int index, const QString &text) {
        return lblField.add(index, new QLabel(text, this));
    };
    const auto named = [](auto *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };

    Image1 = core::NewLogoLabel(this);
    Label2 = named(ui::headingLabel(QStringLiteral("Receive Payments"), this), "Label2");
    label(0, QStringLiteral("Receipt Number:"));
    txtField.add(11, lockedBox(this))->setText(AutoNumber);
    optLF = named(new QRadioButton(QStringLiteral("Smith, John"), this), "optLF");
    optFL = named(new QRadioButton(QStringLiteral("John Smith"), this), "optFL");
    optInvRef = named(new QRadioButton(QStringLiteral("Invoice Ref"), this), "optInvRef");
    optLF->setChecked(true);
    Label1 = named(ui::sectionLabel(QStringLiteral("Add a Student to This Payment"), this), "Label1");
    Label6 = named(new QLabel(QStringLiteral("Select Student:"), this), "Label6");
    cbo = named(new ui::SimpleCombo(this), "cbo");
    cmdAdd = ui::namedButton(QStringLiteral("Add Now"), QStringLiteral("cmdAdd"), this);
    Label4 = named(ui::sectionLabel(QStringLiteral("Bookings Included in this Payment"), this),
                   "Label4");
    grid = named(new ui::FlexGrid(this), "grid");
    chkHideB = named(new QCheckBox(QStringLiteral("Hide Bookings with $0.00 Balance"), this),
                     "chkHideB");
    chkHideB->setChecked(true);
    CoolButton1 = ui::namedButton(QStringLiteral("Pay All"), QStringLiteral("CoolButton1"), this);
    Label5 = named(ui::sectionLabel(QStringLiteral("Receipt Details"), this), "Label5");
    label(4, QStringLiteral("Payment Method:"));
    cboField.add(4, new QComboBox(this));
    label(7, QStringLiteral("Authorised By:"));
    cboField.add(6, new QComboBox(this));
    label(8, QStringLiteral("Password:"));
    txtPassword = named(new QLineEdit(this), "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    label(3, QStringLiteral("Notes:"));
    txtField.add(10, new QLineEdit(this))->setMaxLength(50);
    label(1, QStringLiteral("Balance before payment:"));
    txtOwing = named(lockedBox(this), "txtOwing");
    label(9, QStringLiteral("Discount Total in Grid:"));
    txtDiscount = named(lockedBox(this), "txtDiscount");
    QLabel *totalLabel = label(5, QStringLiteral("Total Amount Being Paid:"));
    QFont bold = totalLabel->font();
    bold.setBold(true);
    totalLabel->setFont(bold);
    txtField.add(3, lockedBox(this))->setFont(bold);
    label(2, QStringLiteral("Balance after payment:"));
    txtNewBalance = named(lockedBox(this), "txtNewBalance");
    cmdOK = ui::namedButton(QStringLiteral("Process"), QStringLiteral("cmdOK"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);
    Text1 = named(new QLineEdit(this), "Text1");
    setBackground(Text1, EditorColour);
    Text1->hide();

    // Top to bottom, left before right, as the controls stand in their order.
    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(Label2, 1);
    header->addWidget(lblField[0]);
    header->addWidget(txtField[11]);
    auto *forms = new QHBoxLayout;
    forms->addWidget(optLF);
    forms->addWidget(optFL);
    forms->addWidget(optInvRef);
    forms->addStretch(1);
    auto *pick = new QHBoxLayout;
    pick->addWidget(Label6);
    pick->addWidget(cbo, 1);
    pick->addWidget(cmdAdd, 0, Qt::AlignBottom);
    cbo->setFixedHeight(110);
    auto *gridButtons = new QHBoxLayout;
    gridButtons->addWidget(chkHideB);
    gridButtons->addStretch(1);
    gridButtons->addWidget(CoolButton1);
    auto *details = new QGridLayout;
    const auto row = [&](int r, int c, QWidget *caption, QWidget *box) {
        details->addWidget(caption, r, c * 2);
        details->addWidget(box, r, c * 2 + 1);
    };
    row(0, 0, lblField[4], cboField[4]);
    row(1, 0, lblField[7], cboField[6]);
    row(2, 0, lblField[8], txtPassword);
    row(3, 0, lblField[3], txtField[10]);
    row(0, 1, lblField[1], txtOwing);
    row(1, 1, lblField[9], txtDiscount);
    row(2, 1, lblField[5], txtField[3]);
    row(3, 1, lblField[2], txtNewBalance);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(forms);
    all->addWidget(Label1);
    all->addLayout(pick);
    all->addWidget(Label4);
    all->addWidget(grid, 1);
    all->addLayout(gridButtons);
    all->addWidget(Label5);
    all->addLayout(details);
    all->addLayout(buttons);
    resize(680, 640);

    connect(optLF, &QRadioButton::clicked, this, &frmPayments::Load_Students);
    connect(optFL, &QRadioButton::clicked, this, &frmPayments::Load_Students);
    connect(optInvRef, &QRadioButton::clicked, this, &frmPayments::Load_Students);
    connect(cmdAdd, &QPushButton::clicked, this, &frmPayments::cmdAdd_Click);
    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this, &frmPayments::cmdAdd_Click);
    for (int index : {4, 6})
        connect(cboField[index], &QComboBox::currentIndexChanged, this,
                &frmPayments::ReceiptBoxFollowsMethod);
    connect(cmdOK, &QPushButton::clicked, this, &frmPayments::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { unload(); });
    connect(CoolButton1, &QPushButton::clicked, this, &frmPayments::CoolButton1_Click);
    connect(grid, &ui::FlexGrid::click, this, &frmPayments::grid_Click);
    connect(grid, &ui::FlexGrid::keyDown, this, [this](int key) { grid_KeyDown(key); });
    for (QLineEdit *box : {txtOwing, txtDiscount, txtField[3]})
        connect(box, &QLineEdit::textChanged, this, &frmPayments::UpdateNewBalance);
    Text1->installEventFilter(this);
}

void frmPayments::onLoad()
{
    step([this] { core::PlaceOnMainWindow(this); });
    Form_Load();
}

void frmPayments::Form_Load()
{
    step([this] { core::ShowClassSearchLogo(Image1); });
    step([this] { RowStudentIds = {0, 0}; });
    step([this] { SetUpGrid(); });
    // A finished payment leaves the window empty for the next one.
    step([this] { cbo->setText(QString()); });
    step([this] { Load_Students(); });
    step([this] { LoadEmployees(); });
    step([this] { LoadPaymentMethods(); });
    step([this] {
        txtField[10]->clear();
        txtPassword->clear();
        txtDiscount->setText(QStringLiteral("0"));
        txtField[3]->setText(QStringLiteral("0"));
        txtOwing->setText(QStringLiteral("0"));
        txtNewBalance->setText(QStringLiteral("0"));
    });
}

void frmPayments::SetUpGrid()
{
    Text1->hide();
    grid->setFixedCols(0);
    grid->setCols(8);
    grid->setRows(1);
    grid->setFixedRows(1);
    static const struct
    {
        const char *header;
        int width;
    } columns[] = {{"BKID", 600},    {"SID", 600},          {"Name", 1800},
                   {"Program", 1200}, {"Day/Time/Level", 2100}, {"Owing", 1200},
                   {"Discount", 900}, {"Pay Now", 900}};
    for (int c = 0; c < 8; ++c) {
        grid->setTextMatrix(0, c, QString::fromLatin1(columns[c].header));
        grid->setColWidth(c, columns[c].width);
    }
}

void frmPayments::Load_Students()
{
    ui::Hourglass::show();
    const QString remembered = cbo->text();
    try {
        cbo->clear();
        const imodMoney::PayerListForm form = optInvRef->isChecked()
                                                  ? imodMoney::PayerListForm::InvoiceRef
                                                  : optFL->isChecked()
                                                        ? imodMoney::PayerListForm::FirstLast
                                                        : imodMoney::PayerListForm::LastFirst;
        QList<QPair<QString, long>> items;
        for (const auto &[text, id] : imodMoney::PayerPickList(form))
            items.append({text, long(id)});
        cbo->addItems(items);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Hourglass::reset();
        ui::Dialogs::msgBox(QStringLiteral("Load_Students Error: \r\n%1 (#%2)")
                                .arg(e.description)
                                .arg(e.number),
                            ui::vbCritical, QStringLiteral("Oops!"));
        return;
    }
    cbo->setText(remembered);
    ui::Hourglass::reset();
    if (!remembered.isEmpty())
        cmdAdd_Click();
}

void frmPayments::LoadEmployees()
{
    QComboBox *list = cboField[6];
    try {
        list->clear();
        list->setEnabled(true);
        txtPassword->setReadOnly(false);
        setBackground(txtPassword, QApplication::palette().color(QPalette::Base));
        list->addItem(None);
        const QList<imodMoney::PaymentEmployee> employees = imodMoney::PaymentEmployees();
        if (employees.isEmpty())
            ui::Dialogs::msgBox(
                QStringLiteral("You cannot process payments because there are no employees able "
                               "to process payments.\r\n\r\nPlease click Search > Employees from "
                               "the menu bar and create an employee with a user account that can "
                               "process payments."),
                ui::vbInformation, QStringLiteral("Cannot Process Payments"));
        EmployeeUserIds.clear();
        for (int i = 0; i < employees.size(); ++i) {
            list->addItem(employees[i].name, i);
            EmployeeUserIds.append(employees[i].userId);
        }
        list->setCurrentIndex(0);
        if (!Global::CurrentUserId.isEmpty()) {
            for (int i = 0; i < list->count(); ++i) {
                if (list->itemText(i) == Global::CurrentUserName) {
                    list->setCurrentIndex(i);
                    list->setEnabled(false);
                    txtPassword->setReadOnly(true);
                    setBackground(txtPassword, WindowColour);
                }
            }
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred when loading the list of employees:\r\n%1 - %2.")
                .arg(e.number)
                .arg(e.description),
            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

void frmPayments::LoadPaymentMethods()
{
    QComboBox *list = cboField[4];
    list->clear();
    core::setListSorted(list, true);
    core::listAddItem(list, None);
    for (const QString &name : imodMoney::PaymentMethodNames())
        core::listAddItem(list, name);
    list->setCurrentIndex(-1);
    list->setCurrentIndex(0);
}

void frmPayments::ReceiptBoxFollowsMethod()
{
    QLineEdit *box = txtField[11];
    if (cboField[4]->currentText() == QLatin1String("Receipt Book")) {
        box->setReadOnly(false);
        setBackground(box, QApplication::palette().color(QPalette::Base));
    } else {
        box->setText(AutoNumber);
        box->setReadOnly(true);
        setBackground(box, WindowColour);
    }
}

void frmPayments::cmdAdd_Click()
{
    if (!cbo->text().isEmpty() && cbo->listIndex() != -1)
        AddToList(cbo->text());
}

void frmPayments::AddToList(const QString &StringText)
{
    ui::Hourglass::show();
    if (optInvRef->isChecked()) {
        const int before = grid->rows();
        for (qint32 id : imodMoney::FamilyReferenceStudents(StringText.mid(1).toInt()))
            AddToList2(id, true);
        if (grid->rows() == before) {
            if (chkHideB->isChecked())
                ui::Dialogs::msgBox(QStringLiteral("There are no amounts outstanding for this "
                                                   "family."),
                                    ui::vbInformation, QStringLiteral("Zero Balance"));
            else
                ui::Dialogs::msgBox(QStringLiteral("This family has no charges to display."),
                                    ui::vbInformation, QStringLiteral("Nothing to Display"));
        }
    } else if (const qint32 id = imodMoney::StudentIdOfEntry(StringText); id != 0) {
        AddToList2(id, false);
    }
    ui::Hourglass::reset();
}

void frmPayments::AddToList2(qint32 intStudentID, bool boolSilent)
{
    ui::Hourglass::show();
    const vb::Currency before = imodMoney::AmountOrZero(txtOwing->text());
    const int rows = grid->rows();
    if (RowStudentIds.mid(0, rows).contains(intStudentID)) {
        ui::Dialogs::msgBox(QStringLiteral("This student is already loaded in the grid."),
                            ui::vbExclamation, QStringLiteral("You've already done that!"));
        ui::Hourglass::reset();
        return;
    }
    const imodMoney::PayerRows payer = imodMoney::ReadPayerRows(intStudentID, chkHideB->isChecked());
    for (const imodMoney::PayerRow &row : payer.rows) {
        grid->setRows(grid->rows() + 1);
        const int r = grid->rows() - 1;
        grid->setGridRow(r);
        while (RowStudentIds.size() < grid->rows())
            RowStudentIds.append(0);
        RowStudentIds[r] = intStudentID;
        SetCell(ColBKID, InfoCellColour, QString::number(row.bookingId));
        SetCell(ColSID, InfoCellColour, QString::number(row.studentId));
        SetCell(ColName, InfoCellColour, row.name);
        SetCell(ColProgram, InfoCellColour, row.program);
        SetCell(ColCaption, InfoCellColour, row.caption);
        SetCell(ColOwing, InfoCellColour, imodMoney::FormatBalance(row.owing));
        SetCell(ColDiscount, EditCellColour, QStringLiteral("$0.00"));
        SetCell(ColPayNow, row.balanceDifference ? InfoCellColour : EditCellColour,
                QStringLiteral("$0.00"));
    }
    if (grid->rows() == rows && !boolSilent) {
        if (chkHideB->isChecked())
            ui::Dialogs::msgBox(QStringLiteral("This student has no amounts outstanding."),
                                ui::vbInformation, QStringLiteral("Clear Balance"));
        else
            ui::Dialogs::msgBox(QStringLiteral("This student has no charges to display."),
                                ui::vbInformation, QStringLiteral("Nothing to Display"));
    }
    txtOwing->setText((before + payer.balance).toString());
    ui::Hourglass::reset();
}

void frmPayments::SetCell(int col, const QColor &colour, const QString &text)
{
    grid->setGridCol(col);
    grid->setCellBackColor(grid->gridRow(), col, colour);
    grid->setText(text);
}

// --- Allocating the payment.

void frmPayments::grid_Click()
{
    MouseRow = grid->mouseRow();
    MouseCol = grid->mouseCol();
    if ((MouseCol != ColDiscount && MouseCol != ColPayNow) || MouseRow < 1 ||
        grid->gridRow() < 1)
        return;
    EditRow = MouseRow;
    EditCol = MouseCol;
    QRect cell = grid->cellRect(EditRow, EditCol);
    cell.moveTopLeft(grid->mapTo(this, cell.topLeft()));
    Text1->setGeometry(cell);
    Text1->setText(grid->textMatrix(EditRow, EditCol));
    Text1->setSelection(0, int(Text1->text().size()));
    Text1->show();
    Text1->raise();
    imodVista::SafeSetFocus(Text1);
}

void frmPayments::grid_KeyDown(int key)
{
    if (key != Qt::Key_Delete)
        return;
    if ((MouseCol == ColDiscount || MouseCol == ColPayNow) && grid->gridRow() >= 1)
        grid->setText(QStringLiteral("0"));
}

bool frmPayments::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1) {
        if (event->type() == QEvent::KeyPress && Text1_KeyDown(static_cast<QKeyEvent *>(event)))
            return true;
        if (event->type() == QEvent::FocusOut)
            Text1_LostFocus();
    }
    return ui::Form::eventFilter(watched, event);
}

bool frmPayments::Text1_KeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Text1_LostFocus();
        return true;
    }
    if (!(event->modifiers() & Qt::KeypadModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Asterisk:
        OpenCalculator(QStringLiteral("*"));
        return true;
    case Qt::Key_Plus:
        OpenCalculator(QStringLiteral("+"));
        return true;
    case Qt::Key_Slash:
        OpenCalculator(QStringLiteral("/"));
        return true;
    case Qt::Key_Minus: {
        static const QStringList typesMinus = {QStringLiteral("-"), QString(),
                                               QStringLiteral("$0.00-"), QStringLiteral("$0.00")};
        if (typesMinus.contains(Text1->text()) || Text1->cursorPosition() == 0)
            return false;
        OpenCalculator(QStringLiteral("-"));
        return true;
    }
    default:
        return false;
    }
}

void frmPayments::OpenCalculator(const QString &operation)
{
    // A text that is no amount starts the calculator from 0.
    const int runTot = vb::CLng(QVariant::fromValue(imodMoney::AmountOrZero(Text1->text())));
    ui::Form *calc = ui::LoadWindowByName(QStringLiteral("frmCalc"));
    if (!calc)
        return;
    calc->showForm();
    ui::callByName(calc, QStringLiteral("LoadCalc"),
                   {QVariant::fromValue<QWidget *>(Text1), operation, runTot,
                    Text1->text() + QStringLiteral("\r\n") + operation + QStringLiteral("\r\n")});
}

void frmPayments::Text1_LostFocus()
{
    if (Global::CalculatorOpen || m_writingBack || !Text1->isVisible())
        return;
    m_writingBack = true;
    const auto guarded = [](auto &&f) {
        try {
            f();
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Dialogs::msgBox(QStringLiteral("%1 (Err#%2)").arg(e.description).arg(e.number),
                                ui::vbExclamation, QStringLiteral("Oops!"));
        }
    };
    vb::Currency amount;
    if (const std::optional<vb::Currency> typed = imodMoney::ReadAmount(Text1->text()))
        amount = *typed;
    else
        ui::Dialogs::msgBox(QStringLiteral("Please enter a valid numeric value in this field."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    guarded([&] {
        grid->setGridRow(EditRow);
        grid->setGridCol(EditCol);
        grid->setText(imodMoney::FormatAmount(amount));
    });
    guarded([&] {
        grid->setGridRow(MouseRow);
        grid->setGridCol(MouseCol);
    });
    guarded([&] { Text1->hide(); });
    guarded([&] { CalcAllocated(); });
    m_writingBack = false;
}

void frmPayments::CoolButton1_Click()
{
    for (int r = 1; r < grid->rows(); ++r)
        grid->setTextMatrix(
            r, ColPayNow,
            imodMoney::FormatAmount(imodMoney::AmountOrZero(grid->textMatrix(r, ColOwing))));
    CalcAllocated();
}

void frmPayments::CalcAllocated()
{
    const int row = grid->gridRow();
    const int col = grid->gridCol();
    vb::Currency discount, paid;
    for (int r = 1; r < grid->rows(); ++r) {
        discount += imodMoney::AmountOrZero(grid->textMatrix(r, ColDiscount));
        paid += imodMoney::AmountOrZero(grid->textMatrix(r, ColPayNow));
    }
    txtField[3]->setText(paid.toString());
    txtDiscount->setText(discount.toString());
    step([&] {
        grid->setGridRow(row);
        grid->setGridCol(col);
    });
    FormatTotals();
}

void frmPayments::UpdateNewBalance()
{
    step([this] {
        const vb::Currency owing = imodMoney::AmountOrZero(txtOwing->text());
        const vb::Currency paid = imodMoney::AmountOrZero(txtField[3]->text());
        const vb::Currency discount = imodMoney::AmountOrZero(txtDiscount->text());
        setBoxText(txtNewBalance, (owing - paid - discount).toString());
        FormatTotals();
    });
}

void frmPayments::FormatTotals()
{
    for (QLineEdit *box : {txtOwing, txtField[3], txtDiscount, txtNewBalance})
        setBoxText(box, imodMoney::FormatAmount(imodMoney::AmountOrZero(box->text())));
}

// --- Processing the payment.

void frmPayments::cmdOK_Click()
{
    ProcessPayment();
}

void frmPayments::ProcessPayment()
{
    try {
        imodMoney::PaymentRequest request;
        request.gridRows = grid->rows();
        request.method = cboField[4]->currentText();
        request.amountText = txtField[3]->text();
        request.employee = cboField[6]->currentText();
        const QVariant entry = cboField[6]->currentData();
        if (entry.isValid())
            request.employeeUserId = EmployeeUserIds.value(entry.toInt());
        request.passwordAsked = cboField[6]->isEnabled() && txtPassword->isEnabled() &&
                                !txtPassword->isReadOnly();
        request.password = txtPassword->text();
        switch (imodMoney::CheckPaymentRequest(request, AmountBeingPaid)) {
        case imodMoney::PaymentCheck::WrongPassword:
            txtPassword->clear();
            return;
        case imodMoney::PaymentCheck::Refused:
            return;
        case imodMoney::PaymentCheck::Passed:
            break;
        }
        QList<imodMoney::AllocationRow> rows;
        for (int r = 1; r < grid->rows(); ++r)
            rows.append({vb::CLng(grid->textMatrix(r, ColBKID)),
                         vb::CCur(grid->textMatrix(r, ColOwing)),
                         vb::CCur(grid->textMatrix(r, ColDiscount)),
                         vb::CCur(grid->textMatrix(r, ColPayNow))});
        if (!imodMoney::CheckAllocations(rows, cboField[6]->currentText()))
            return;
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Hourglass::reset();
        if (e.number == 13)
            ui::Dialogs::msgBox(QStringLiteral("An error has occurred when calculating your "
                                               "total. Please ensure that all monetary values are "
                                               "entered correctly."),
                                ui::vbExclamation, QStringLiteral("Oops!"));
        else
            ui::Dialogs::msgBox(QStringLiteral("An error occurred when pre-processing the payment. "
                                               "(Err#%1 - %2)")
                                    .arg(e.number)
                                    .arg(e.description),
                                ui::vbExclamation,
                                QStringLiteral("Oops, An Error Occurred While Processing Payment!"));
        return;
    }
    FinishPayment();
}

void frmPayments::FinishPayment()
{
    ui::Hourglass::show();
    try {
        const bool html = imodMoney::UsesHtmlReceipts();
        QList<imodMoney::PaymentLine> lines;
        for (int r = 1; r < grid->rows(); ++r)
            lines.append({vb::CLng(grid->textMatrix(r, ColBKID)),
                          vb::CLng(grid->textMatrix(r, ColSID)), grid->textMatrix(r, ColName),
                          vb::CCur(grid->textMatrix(r, ColDiscount)),
                          vb::CCur(grid->textMatrix(r, ColPayNow))});
        const QList<int> dropped = imodMoney::EmptyLinesToDrop(lines);
        for (auto i = dropped.crbegin(); i != dropped.crend(); ++i) {
            grid->removeItem(*i + 1);
            RowStudentIds.removeAt(*i + 1);
            lines.removeAt(*i);
        }
        const QString method = cboField[4]->currentText();
        const QString employee = cboField[6]->currentText();
        const imodMoney::WrittenPayment written = imodMoney::WritePayment(
            {lines, method, employee, txtField[10]->text(), txtField[11]->text()});

        imodMoney::OfferToConfirmBooking(written.lastBookingId);
        imodMoney::ReloadClassViews(written.lastBookingId);
        ui::Form *receipt = imodMoney::MakeReceipt(html, written, method, employee,
                                                   AmountBeingPaid, txtNewBalance->text());
        ui::Hourglass::reset();
        Form_Load();
        if (receipt) {
            receipt->showForm();
            imodVista::SafeSetFocus(receipt);
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Hourglass::reset();
        if (e.number == 13)
            ui::Dialogs::msgBox(QStringLiteral("An error has occurred when calculating your "
                                               "total. Please ensure that all monetary values are "
                                               "entered correctly."),
                                ui::vbExclamation, QStringLiteral("Oops!"));
        else
            ui::Dialogs::msgBox(QStringLiteral("An error occurred when processing and finalising "
                                               "the payment. (Err#%1 - %2)")
                                    .arg(e.number)
                                    .arg(e.description),
                                ui::vbExclamation,
                                QStringLiteral("Oops, An Error Occurred While Processing Payment!"));
    }
}
