#include "frmpromotestudent.h"

#include "frmempdetails.h"

#include "core/errorinfo.h"
#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "staff/employees.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmPromoteStudent::frmPromoteStudent()
{
    setObjectName(QStringLiteral("frmPromoteStudent"));
    setCaption(QStringLiteral("Promote Student"));
    Image1 = core::NewLogoLabel(this);
    Label2 = ui::headingLabel(QStringLiteral("Promote Student to Employee Status"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label5 = new QLabel(QStringLiteral("Choose a Student from the list:"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    cbo = new ui::SimpleCombo(this);
    cbo->setObjectName(QStringLiteral("cbo"));
    lblStatus = new QLabel(QStringLiteral("Searching"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    cmdNext = ui::namedButton(QStringLiteral("Promote"), QStringLiteral("cmdNext"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(Label2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(Label5);
    layout->addWidget(cbo, 1);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons);
    resize(420, 460);

    connect(cmdNext, &QPushButton::clicked, this, &frmPromoteStudent::cmdNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPromoteStudent::cmdClose_Click);
    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this,
            &frmPromoteStudent::cmdNext_Click);
}

void frmPromoteStudent::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    Load_Students();
}

void frmPromoteStudent::onActivate()
{
    const QString typed = cbo->text();
    Load_Students();
    cbo->setText(typed);
}

void frmPromoteStudent::Load_Students()
{
    imodGlobalSubs::FillStudentList(
        cbo, false, lblStatus,
        QStringLiteral("SELECT Students.* FROM Students WHERE ((Student='Y') AND (NOT "
                       "(Employee='Y')));"));
}

void frmPromoteStudent::cmdNext_Click()
{
    std::optional<qint32> instructorId;
    try {
        instructorId = imodStaff::PromoteStudent(cbo->text());
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The student could not be promoted, so nothing was "
                                           "saved. (Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") +
                                e.description + QStringLiteral(")."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    if (!instructorId)
        return;
    auto *employee = ui::Forms::create<frmEmpDetails>();
    employee->LoadUp(*instructorId, QStringLiteral("Edit"), QString());
    employee->showForm();
    unload(ui::CloseReason::Code);
}

void frmPromoteStudent::cmdClose_Click()
{
    unload(ui::CloseReason::Code);
}
