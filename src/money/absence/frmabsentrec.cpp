#include "frmabsentrec.h"

#include "access/signin.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/listcontrol.h"
#include "core/lookups.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "enrolments/cancellation.h"
#include "enrolments/imodenrolments.h"
#include "money/latestart.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "timetable/classes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString absentNoneEntry = QStringLiteral("(none)");

template <class W> W *absentNamed(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The open windows of that name whose txtField(0) holds the record.
QList<QPointer<ui::Form>> absentOpenWindows(const QString &name, const QString &recordId)
{
    QList<QPointer<ui::Form>> out;
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() == name && (recordId.isNull() || f->recordId().trimmed() == recordId))
            out << f;
    }
    return out;
}

// The box of a window's control array txtField at the index; nullptr when none.
QLineEdit *absentFieldBox(QWidget *window, int index)
{
    for (QLineEdit *box : window->findChildren<QLineEdit *>(QStringLiteral("txtField"))) {
        if (ui::controlIndex(box) == index)
            return box;
    }
    return nullptr;
}

} // namespace

frmAbsentRec::frmAbsentRec()
{
    setCaption(QStringLiteral("Late Starter"));
    Image1 = core::NewLogoLabel(this);
    Label1 = absentNamed(ui::headingLabel(QStringLiteral("Late Starter"), this), "Label1");
    Label2 = absentNamed(
        ui::wrappedLabel(
            QStringLiteral("This student is starting the program late. In order to ensure that "
                           "they are charged the correct amount, please enter in the box below "
                           "any lessons that this student has missed and the cost of these will "
                           "be deducted from the program's total price."),
            this),
        "Label2");
    txtSessionsMissed = absentNamed(new QLineEdit(this), "txtSessionsMissed");
    txtAmount = absentNamed(new QLineEdit(this), "txtAmount");
    cboAuthorisedBy = absentNamed(new QComboBox(this), "cboAuthorisedBy");
    core::setListSorted(cboAuthorisedBy, true);
    txtPassword = absentNamed(new QLineEdit(this), "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = ui::namedButton(QStringLiteral("Apply Discount"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdClose = ui::namedButton(QStringLiteral("No Discount"), QStringLiteral("cmdClose"), this);

    auto *fields = new QGridLayout;
    fields->addWidget(ui::sectionLabel(QStringLiteral("Enter Number of Sessions Absent"), this), 0,
                      0, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Number of sessions student missed:"), this), 1, 0);
    fields->addWidget(txtSessionsMissed, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Discount Amount:"), this), 2, 0);
    fields->addWidget(txtAmount, 2, 1);
    fields->addWidget(ui::sectionLabel(QStringLiteral("Enter Employee Authorisation"), this), 3, 0,
                      1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Authorised By:"), this), 4, 0);
    fields->addWidget(cboAuthorisedBy, 4, 1);
    fields->addWidget(new QLabel(QStringLiteral("Password:"), this), 5, 0);
    fields->addWidget(txtPassword, 5, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);

    auto *text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addWidget(Label2);
    text->addLayout(fields);
    text->addStretch();
    text->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    resize(520, 320);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbsentRec::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmAbsentRec::cmdClose_Click);
    connect(txtSessionsMissed, &QLineEdit::textEdited, this,
            &frmAbsentRec::txtSessionsMissed_Change);
}

void frmAbsentRec::onLoad()
{
    LoadAuthorisers();
    core::PlaceOnMainWindow(this);
    core::ShowClassSearchLogo(Image1);
}

void frmAbsentRec::Init(qint32 BookingID)
{
    lngBookingID = BookingID;
    // The row belongs to the booked student, whatever other student shares the name.
    lngStudentID = imodEnrolments::GetBookingStudentID(BookingID);
    lngProgramID = imodClasses::GetClassProgramId(imodEnrolments::GetBookingClassID(BookingID));
}

void frmAbsentRec::LoadAuthorisers()
{
    try {
        core::listClear(cboAuthorisedBy);
        core::listAddItem(cboAuthorisedBy, absentNoneEntry);
        for (const QString &name : Global::GetInstructorNamesWithUserId())
            core::listAddItem(cboAuthorisedBy, name);
        core::setListIndex(cboAuthorisedBy, 0);
        if (Global::CurrentUserId.toLower() == QLatin1String("i"))
            return;
        // The signed-in staff member authorises; one who is not in the list does not.
        const int own = cboAuthorisedBy->findText(Global::CurrentUserName, Qt::MatchExactly);
        if (own < 0)
            return;
        core::setListIndex(cboAuthorisedBy, own);
        cboAuthorisedBy->setEnabled(false);
        lockPassword();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred when loading the absence discount. (Err#%1).")
                .arg(e.number),
            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

void frmAbsentRec::lockPassword()
{
    txtPassword->setReadOnly(true);
    QPalette p = txtPassword->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Window));
    txtPassword->setPalette(p);
}

void frmAbsentRec::txtSessionsMissed_Change()
{
    const QString typed = txtSessionsMissed->text().trimmed();
    if (typed.isEmpty())
        return;
    bool whole = false;
    const int sessions = typed.toInt(&whole);
    if (!whole) {
        ui::Dialogs::msgBox(
            QStringLiteral("Please enter an integer value for the number of sessions missed."),
            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    try {
        const vb::Currency amount =
            sessions <= 0 ? vb::Currency() : imodMoney::SessionsMissedDiscount(lngProgramID, sessions);
        txtAmount->setText(
            vb::Format(QVariant::fromValue(amount), QStringLiteral("$#####0.00;-$#####0.00")));
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(e.description + QStringLiteral(" (Err#") + QString::number(e.number) +
                                QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
}

void frmAbsentRec::cmdOK_Click()
{
    if (txtAmount->text().isEmpty()) {
        ui::Dialogs::msgBox(QStringLiteral("Please enter an amount to discount and the authorising "
                                           "staff member or click 'No Discount'"),
                            ui::vbInformation, QStringLiteral("More information required"));
        return;
    }
    if (core::listText(cboAuthorisedBy) == absentNoneEntry) {
        ui::Dialogs::msgBox(QStringLiteral("Please select a username from the list."),
                            ui::vbInformation, QStringLiteral("Select a User"));
        return;
    }
    try {
        if (cboAuthorisedBy->isEnabled() && !txtPassword->isReadOnly()) {
            const QString userId = Global::GetInstructorUserId(core::listText(cboAuthorisedBy));
            if (!Global::CheckUserPassword(userId, txtPassword->text(), true))
                return;
        }
        const std::optional<vb::Currency> amount = imodEnrolments::ReadMoneyText(txtAmount->text());
        if (!amount)
            throw vb::Error(vb::err::TypeMismatch);
        if (*amount <= vb::Currency() &&
            ui::Dialogs::msgBox(QStringLiteral("The amount you entered would result in an "
                                               "increase in fees, not a discount. Are you sure "
                                               "this is okay?"),
                                ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("Just check this...")) != ui::vbYes) {
            unload();
            return;
        }

        // The row, and the owing each open window of the booking will show: a failure
        // in either leaves the ledger and the windows as they were.
        QList<QPair<QPointer<QLineEdit>, QString>> owingBoxes;
        {
            Global::DbTransaction transaction;
            if (!imodMoney::WriteLateStartDiscount(lngBookingID, lngStudentID, lngProgramID,
                                                   *amount))
                return;
            for (const QPointer<ui::Form> &booking :
                 absentOpenWindows(QStringLiteral("frmBooking"), QString::number(lngBookingID))) {
                QLineEdit *owing = booking ? absentFieldBox(booking, 3) : nullptr;
                if (!owing)
                    continue;
                const std::optional<vb::Currency> shown =
                    imodEnrolments::ReadMoneyText(owing->text());
                if (!shown)
                    throw vb::Error(vb::err::TypeMismatch);
                owingBoxes.append({owing, vb::Format(QVariant::fromValue(*shown - *amount),
                                                     QStringLiteral("$#####0.00;-$#####0.00"))});
            }
            transaction.commit();
        }
        for (const auto &[box, text] : owingBoxes) {
            if (box)
                box->setText(text);
        }
        for (const QPointer<ui::Form> &view : absentOpenWindows(QStringLiteral("frmViewClass"), {})) {
            if (view)
                ui::callByName(view, QStringLiteral("Load_Students"));
        }
        unload();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when applying the discount.\r\n") +
                                e.description + QStringLiteral(" (Err#") +
                                QString::number(e.number) + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Something went wrong"));
    }
}

void frmAbsentRec::cmdClose_Click()
{
    unload();
}
