#include "frmdoublebook.h"

#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "enrolments/enrolling.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/windowregistry.h"
#include "timetable/classes.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

const QString frmDoubleBook::MoveProcedure = QStringLiteral("imodEnrolments::MoveBookingToClass");

namespace {

template <class W> W *doubleBookNamed(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The open window of that name whose txtField(0) holds the record.
ui::Form *doubleBookOpenWindow(const QString &name, qint32 recordId)
{
    return ui::Forms::findByRecord(name, QString::number(recordId));
}

} // namespace

frmDoubleBook::frmDoubleBook()
{
    setCaption(QStringLiteral("Double Booking Alert"));
    Label2 = doubleBookNamed(ui::headingLabel(QStringLiteral("Double Booking"), this), "Label2");
    lblInfo = doubleBookNamed(ui::wrappedLabel(QString(), this), "lblInfo");
    Label5 = doubleBookNamed(ui::sectionLabel(QStringLiteral("Already Enrolled In"), this),
                             "Label5");
    lstClasses = doubleBookNamed(new QListWidget(this), "lstClasses");
    core::setListSorted(lstClasses, true);
    Label1 = doubleBookNamed(ui::sectionLabel(QStringLiteral("What Do You Want To Do?"), this),
                             "Label1");
    optStop = doubleBookNamed(
        new QRadioButton(QStringLiteral("Don't enrol the student in a new class"), this),
        "optStop");
    optMove = doubleBookNamed(
        new QRadioButton(
            QStringLiteral("Move the student from the class I select above to the new class"),
            this),
        "optMove");
    optIgnore = doubleBookNamed(
        new QRadioButton(
            QStringLiteral("Ignore this, this student can be enrolled more than once"), this),
        "optIgnore");
    auto *options = new QButtonGroup(this);
    options->addButton(optStop);
    options->addButton(optMove);
    options->addButton(optIgnore);
    optIgnore->setChecked(true);
    cmdOK = ui::namedButton(QStringLiteral("Continue"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdCancel = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(lblInfo);
    layout->addWidget(Label5);
    layout->addWidget(lstClasses, 1);
    layout->addWidget(Label1);
    layout->addWidget(optStop);
    layout->addWidget(optMove);
    layout->addWidget(optIgnore);
    layout->addLayout(buttons);
    resize(460, 380);

    connect(cmdOK, &QPushButton::clicked, this, &frmDoubleBook::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDoubleBook::cmdCancel_Click);
    connect(lstClasses, &QListWidget::itemDoubleClicked, this,
            &frmDoubleBook::lstClasses_DblClick);
}

void frmDoubleBook::onLoad()
{
    // The move of a booking into another class comes with the moves.
    optMove->setEnabled(ui::IsProcedureRegistered(MoveProcedure));
    core::PlaceOnMainWindow(this);
}

void frmDoubleBook::LoadMe(qint32 StudentID, const QString &cboTXT, qint32 ProgramID,
                           qint32 ClassID, int WaitList, vb::Currency Cost, int ErrNum,
                           int intSession)
{
    m_studentId = StudentID;
    m_studentName = cboTXT;
    m_programId = ProgramID;
    m_classId = ClassID;
    m_waitList = WaitList;
    m_price = Cost;
    m_session = intSession;
    m_waitingBookingId = 0;
    m_fromWaitList = false;
    fill(ErrNum);
}

void frmDoubleBook::LoadMeUWL(int ErrNum, qint32 BookingID, qint32 StudentID, qint32 ProgramID,
                              vb::Currency Cost, int intSession)
{
    m_studentId = StudentID;
    m_waitingBookingId = BookingID;
    m_programId = ProgramID;
    m_price = Cost;
    m_session = intSession;
    m_classId = imodEnrolments::GetBookingClassID(BookingID);
    m_fromWaitList = true;
    fill(ErrNum);
}

void frmDoubleBook::fill(int errNum)
{
    switch (errNum) {
    case imodEnrolments::EnrolmentErrorCode::AlreadyInClass:
        lblInfo->setText(QStringLiteral("This student is already enrolled in this class. What do "
                                        "you want to do about this?"));
        break;
    case imodEnrolments::EnrolmentErrorCode::AlreadyInProgram:
        lblInfo->setText(QStringLiteral("This student is already enrolled in one or more classes "
                                        "in this program.  What do you want to do about this?"));
        break;
    default: lblInfo->setText(QStringLiteral("What do you want to do?"));
    }
    core::listClear(lstClasses);
    for (const auto &e : imodEnrolments::ListProgramEnrolments(m_studentId, m_programId))
        core::listAddItem(lstClasses, e.text);
}

void frmDoubleBook::bringAddBookingForward()
{
    if (ui::Form *addBooking = ui::Forms::find(QStringLiteral("frmAddBooking")))
        addBooking->showForm();
}

void frmDoubleBook::cmdOK_Click()
{
    if (optStop->isChecked()) {
        const bool fromWaitList = m_fromWaitList;
        unload();
        if (!fromWaitList)
            ui::Forms::unloadByName(QStringLiteral("frmAddBooking"));
        return;
    }
    if (optIgnore->isChecked()) {
        if (m_fromWaitList) {
            const qint32 classId = m_classId;
            imodEnrolments::UpgradeFromWaitList(m_waitingBookingId, -1, m_price,
                                                QStringLiteral("I"));
            unload();
            if (ui::Form *view = doubleBookOpenWindow(QStringLiteral("frmViewClass"), classId))
                view->showForm();
        } else {
            imodEnrolments::EnrolmentRequest request;
            request.caller = ui::Forms::find(QStringLiteral("frmAddBooking"));
            request.studentId = m_studentId;
            request.studentName = m_studentName;
            request.programId = m_programId;
            request.classId = m_classId;
            request.waitList = m_waitList;
            request.price = m_price;
            request.override = -1;
            request.session = m_session;
            request.userId = QStringLiteral("I");
            imodEnrolments::BookNow(request);
            unload();
            bringAddBookingForward();
        }
        return;
    }
    // Move (or no option chosen).
    const QString chosen = core::listText(lstClasses);
    if (core::listIndex(lstClasses) < 0) {
        ui::Dialogs::msgBox(QStringLiteral("Please choose a class to move the student from."),
                            ui::vbExclamation, QStringLiteral("One more step"));
        return;
    }
    for (const auto &e : imodEnrolments::ListProgramEnrolments(m_studentId, m_programId)) {
        if (e.text != chosen)
            continue;
        if (ui::IsProcedureRegistered(MoveProcedure))
            ui::CallProcedure(MoveProcedure, {e.bookingId, 0, m_classId,
                                              QVariant::fromValue(
                                                  imodClasses::GetClassPrice(m_classId)),
                                              QStringLiteral("frmViewClass"),
                                              m_waitingBookingId});
        break;
    }
    unload();
    bringAddBookingForward();
}

void frmDoubleBook::cmdCancel_Click()
{
    unload();
    bringAddBookingForward();
}

void frmDoubleBook::lstClasses_DblClick()
{
    static const QRegularExpression bookingNumber(QStringLiteral("BKID#(\\d+)\\)"));
    const QRegularExpressionMatch m = bookingNumber.match(core::listText(lstClasses));
    if (!m.hasMatch())
        return;
    const qint32 classId = imodEnrolments::GetBookingClassID(m.captured(1).toInt());
    if (ui::Form *view = doubleBookOpenWindow(QStringLiteral("frmViewClass"), classId)) {
        view->showForm();
        return;
    }
    ui::Form *view = ui::CreateWindowByName(QStringLiteral("frmViewClass"));
    if (!view)
        return;
    view->showForm();
    view->setProperty("ViewClassMode", QStringLiteral("Edit"));
    ui::callByName(view, QStringLiteral("LoadOps"), {classId});
}
