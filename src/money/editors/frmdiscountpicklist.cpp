#include "frmdiscountpicklist.h"

#include "access/permissions.h"
#include "access/signin.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/lookups.h"
#include "core/workingwindow.h"
#include "enrolments/imodenrolments.h"
#include "money/moneytables.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString noneEntry = QStringLiteral("(none)");

void warn(const QString &text, const QString &title, int icon = ui::vbExclamation)
{
    ui::Dialogs::msgBox(text, icon, title);
}

// Runs a step; a failure is shown in an "Oops!" box and the window goes on.
template <class F> void guarded(F step)
{
    try {
        step();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(e.description + QStringLiteral(" (Err#") + QString::number(e.number) +
                 QLatin1Char(')'),
             QStringLiteral("Oops!"));
    }
}

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmDiscountPickList::frmDiscountPickList()
{
    setObjectName(QStringLiteral("frmDiscountPickList"));
    setCaption(QStringLiteral("Apply Discount"));

    lblStudentName = named(new QLabel(QStringLiteral("<<Student Name>>"), this), "lblStudentName");
    lblBookingDetails =
        named(new QLabel(QStringLiteral("<<Booking Details>>"), this), "lblBookingDetails");
    lstDiscounts = named(new QListWidget(this), "lstDiscounts");
    txtDetails = named(new QLineEdit(this), "txtDetails");
    txtAmount = named(new QLineEdit(this), "txtAmount");
    chkPool = named(new QCheckBox(QStringLiteral("Calculate discount from base price"), this),
                    "chkPool");
    chkAllSessions = named(new QCheckBox(QStringLiteral("Discount Program"), this),
                           "chkAllSessions");
    txtSession = named(new QLineEdit(this), "txtSession");
    lblTotal = named(new QLabel(QStringLiteral("$0.00"), this), "lblTotal");
    cboAuthorisedBy = named(new QComboBox(this), "cboAuthorisedBy");
    txtPassword = named(new QLineEdit(this), "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = ui::namedButton(QStringLiteral("OK"), QStringLiteral("cmdOK"), this);
    cmdClose = ui::namedButton(QStringLiteral("Close"), QStringLiteral("cmdClose"), this);

    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("Name:"), lblStudentName);
    top->addRow(QStringLiteral("Details:"), lblBookingDetails);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Select Discount"), this));
    left->addWidget(lstDiscounts, 1);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Details:"), txtDetails);
    fields->addRow(QStringLiteral("Amount:"), txtAmount);
    fields->addRow(QStringLiteral("Pooling Mode:"), chkPool);
    fields->addRow(QString(), chkAllSessions);
    fields->addRow(QStringLiteral("Session #"), txtSession);
    fields->addRow(QStringLiteral("Total Discount:"), lblTotal);
    fields->addRow(QStringLiteral("Authorised By:"), cboAuthorisedBy);
    fields->addRow(QStringLiteral("Password:"), txtPassword);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(fields, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(body, 1);
    all->addLayout(buttons);
    resize(560, 360);

    connect(lstDiscounts, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lstDiscounts_Click();
    });
    connect(txtAmount, &QLineEdit::editingFinished, this, &frmDiscountPickList::CalculateTotal);
    connect(txtSession, &QLineEdit::editingFinished, this, &frmDiscountPickList::CalculateTotal);
    // A tick changed by the program recalculates as one by the user does.
    connect(chkPool, &QCheckBox::toggled, this, &frmDiscountPickList::CalculateTotal);
    connect(chkAllSessions, &QCheckBox::toggled, this, [this] {
        SetSessionBoxState();
        CalculateTotal();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmDiscountPickList::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDiscountPickList::cmdClose_Click);
}

void frmDiscountPickList::onLoad()
{
    core::PlaceOnMainWindow(this);
}

void frmDiscountPickList::Load(qint32 bookingId)
{
    m_booking = bookingId;
    guarded([this] {
        m_student = imodEnrolments::GetBookingStudentID(m_booking);
        m_class = imodEnrolments::GetBookingClassID(m_booking);
        m_program = imodClasses::GetClassProgramId(m_class);
    });
    // The lists, with the booking known: the first discount's total counts what
    // the booking was granted already.
    guarded([this] { LoadDiscountList(); });
    LoadEmployeeList();
    guarded([this] {
        lblStudentName->setText(imodStudents::GetStudentName(m_student));
        lblBookingDetails->setText(imodPrograms::GetProgramName(m_program) + QLatin1Char(' ') +
                                   imodClasses::GetClassFullCaption(m_class));
    });
}

void frmDiscountPickList::LoadDiscountList()
{
    irecObjectCode::FillListFromSql(lstDiscounts, moneytables::DiscountListSql, 0);
    if (core::listCount(lstDiscounts) > 0)
        core::setListIndex(lstDiscounts, 0);
}

void frmDiscountPickList::LoadEmployeeList()
{
    core::listClear(cboAuthorisedBy);
    m_userIds.clear();
    core::listAddItem(cboAuthorisedBy, noneEntry);
    try {
        const QList<moneytables::Approver> approvers = moneytables::LoadApprovers();
        if (approvers.isEmpty())
            warn(QStringLiteral("You cannot process payments because there are no employees able "
                                "to process payments.\r\n\r\nPlease click Search > Employees from "
                                "the menu bar and create an employee with a user account that "
                                "can process payments."),
                 QStringLiteral("Cannot Process Payments"), ui::vbInformation);
        for (const moneytables::Approver &a : approvers) {
            core::listAddItem(cboAuthorisedBy, a.name, qint32(m_userIds.size()));
            m_userIds << a.userId;
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("An error occurred when loading the list of employees:\r\n") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description +
                 QLatin1Char('.'),
             QStringLiteral("Oops!"));
    }
    core::setListIndex(cboAuthorisedBy, 0);
    if (Global::CurrentUserId.isEmpty())
        return;
    // The signed-in user approves: the box is fixed on their name, no password.
    for (int i = 0; i < core::listCount(cboAuthorisedBy); ++i) {
        if (core::listItem(cboAuthorisedBy, i) == Global::CurrentUserName) {
            core::setListIndex(cboAuthorisedBy, i);
            cboAuthorisedBy->setEnabled(false);
            lock(txtPassword, true);
        }
    }
}

void frmDiscountPickList::lock(QLineEdit *box, bool locked)
{
    box->setReadOnly(locked);
    QPalette p = box->palette();
    p.setColor(QPalette::Base,
               locked ? palette().color(QPalette::Window) : ui::fromVbColor(0x80000005));
    box->setPalette(p);
}

void frmDiscountPickList::lstDiscounts_Click()
{
    const QString entry = core::listText(lstDiscounts);
    if (entry.isEmpty())
        return;
    ui::Hourglass hourglass;
    guarded([&] {
        // A discount deleted or renamed meanwhile shows nothing new.
        const auto row = moneytables::FindDiscount(entry);
        if (!row)
            return;
        txtDetails->setText(row->name);
        txtAmount->setText(
            vb::Format(QVariant::fromValue(-row->amount), moneytables::AmountBoxFormat));
        chkPool->setChecked(row->pool != 0);
    });
}

void frmDiscountPickList::CalculateTotal()
{
    if (!vb::IsNumeric(txtAmount->text())) {
        warn(QStringLiteral("The amount must be numeric."), QStringLiteral("Invalid Amount"));
        return;
    }
    guarded([this] {
        const vb::Currency amount = vb::CCur(txtAmount->text());
        const bool pooling = chkPool->isChecked();
        const QString sessionText = txtSession->text();
        vb::Currency total;
        if (sessionText != QLatin1String("0") && !sessionText.isEmpty() &&
            !chkAllSessions->isChecked()) {
            int session = 0;
            if (vb::IsNumeric(sessionText))
                session = vb::CInt(sessionText);
            else
                warn(QStringLiteral("The session must be numeric."),
                     QStringLiteral("Invalid Session Number"));
            total = moneytables::DiscountTotal(
                amount, pooling ? moneytables::GetSessionDiscounts(m_booking, session) : vb::Currency(),
                pooling);
        } else {
            total = moneytables::DiscountTotal(
                amount, pooling ? moneytables::GetBookingDiscounts(m_booking) : vb::Currency(),
                pooling);
        }
        m_total = total;
        lblTotal->setText(vb::Format(QVariant::fromValue(total), moneytables::TotalFormat));
    });
}

void frmDiscountPickList::SetSessionBoxState()
{
    lock(txtSession, chkAllSessions->isChecked());
    txtSession->clear();
}

QString frmDiscountPickList::GetAuthorisingUser()
{
    if (cboAuthorisedBy->currentText() == noneEntry || cboAuthorisedBy->currentIndex() < 0) {
        warn(QStringLiteral("You have not chosen an authorising employee. Please select your name "
                            "from the list."),
             QStringLiteral("Who was it?"));
        return {};
    }
    const QString userId = m_userIds.value(
        core::listItemData(cboAuthorisedBy, cboAuthorisedBy->currentIndex()));
    if (cboAuthorisedBy->isEnabled() && !txtPassword->isReadOnly() &&
        !Global::CheckUserPassword(userId, txtPassword->text(), false)) {
        warn(QStringLiteral("The password you have entered is incorrect. Please try again."),
             QStringLiteral("Access Denied"));
        txtPassword->clear();
        return {};
    }
    if (Global::CheckPermissionByName(userId, QStringLiteral("ReceivePayments"), true) == 1)
        return userId;
    warn(QStringLiteral("The employee does not have the appropriate permissions to receive "
                        "payments. Please adjust their permissions from the Employee Details "
                        "screen."),
         QStringLiteral("Access Denied"), ui::vbCritical);
    return {};
}

void frmDiscountPickList::cmdOK_Click()
{
    if (GetAuthorisingUser().isEmpty())
        return;
    try {
        ui::Hourglass hourglass;
        moneytables::WriteDiscountRow({m_booking, m_student, m_program, txtDetails->text(),
                                       cboAuthorisedBy->currentText(), m_total,
                                       txtSession->text()});
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("An error occurred when saving the discount.\r\n\r\nErr #") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description,
             QStringLiteral("Save Error"));
        return;
    }
    RefreshBookingWindows();
    unload();
}

void frmDiscountPickList::RefreshBookingWindows()
{
    const QString classId = QString::number(m_class);
    const QString studentId = QString::number(m_student);
    for (ui::Form *f : ui::Forms::all()) {
        if (f == this)
            continue;
        const QString name = f->name();
        if (name == QLatin1String("frmViewClass") && f->recordId() == classId)
            guarded([f] { ui::callByName(f, QStringLiteral("Load_Students")); });
        else if (name == QLatin1String("frmStudentDetails") && f->recordId() == studentId)
            guarded([f] { ui::callByName(f, QStringLiteral("Load_LTS_History")); });
    }
}

void frmDiscountPickList::cmdClose_Click()
{
    unload();
}
