#include "frmassess.h"

#include "access/permissions.h"
#include "assessments/imodassessments.h"
#include "core/listcontrol.h"
#include "core/lookups.h"
#include "core/workingwindow.h"
#include "frmassess2.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "timetable/programs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The employee's right to assess every class of a program.
constexpr int AssessAllRight = 50;
} // namespace

frmAssess::frmAssess()
{
    setObjectName(QStringLiteral("frmAssess"));
    setCaption(QStringLiteral("Load Assessments"));

    Image1 = core::NewLogoLabel(this);
    cboProgram = new QComboBox(this);
    cboProgram->setObjectName(QStringLiteral("cboProgram"));
    core::setListSorted(cboProgram, true);
    cboEmployee = new QComboBox(this);
    cboEmployee->setObjectName(QStringLiteral("cboEmployee"));
    core::setListSorted(cboEmployee, true);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = ui::namedButton(QStringLiteral("Load Now"), QStringLiteral("cmdOK"), this);
    cmdCancel = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(ui::headingLabel(QStringLiteral("Load Assessments"), this), 1);

    auto *program = new QFormLayout;
    program->addRow(QStringLiteral("Select Program:"), cboProgram);
    auto *login = new QFormLayout;
    login->addRow(QStringLiteral("Authorised By:"), cboEmployee);
    login->addRow(QStringLiteral("Password:"), txtPassword);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(ui::sectionLabel(QStringLiteral("Which program would you like to assess?"), this));
    all->addLayout(program);
    all->addWidget(ui::wrappedLabel(QStringLiteral("You must login to view your assessments. Please "
                                                   "enter your username and password below:"),
                                    this));
    all->addLayout(login);
    all->addStretch(1);
    all->addLayout(buttons);
    setTabOrder(cboProgram, cboEmployee);
    setTabOrder(cboEmployee, txtPassword);

    connect(cmdOK, &QPushButton::clicked, this, &frmAssess::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAssess::cmdCancel_Click);
}

void frmAssess::onLoad()
{
    LoadProgramList();
    LoadEmployeeList();
    core::PlaceOnMainWindow(this);
    core::ShowClassSearchLogo(Image1);
}

void frmAssess::LoadProgramList()
{
    cboProgram->clear();
    for (const QString &name : imodAssessments::ProgramsToAssess())
        core::listAddItem(cboProgram, name);
    if (cboProgram->count() > 0)
        cboProgram->setCurrentIndex(0);
}

void frmAssess::LoadEmployeeList()
{
    cboEmployee->clear();
    core::listAddItem(cboEmployee, QStringLiteral("(none)"), 0);
    for (const imodAssessments::Employee &e : imodAssessments::EmployeesToAssess())
        core::listAddItem(cboEmployee, e.name, e.instructorId);
    cboEmployee->setCurrentIndex(cboEmployee->findText(QStringLiteral("(none)")));
}

void frmAssess::cmdOK_Click()
{
    const int employee = cboEmployee->currentIndex();
    if (cboProgram->currentText().isEmpty() || employee < 0 ||
        cboEmployee->currentText() == QStringLiteral("(none)"))
        return;
    const qint32 instructorId = core::listItemData(cboEmployee, employee);
    const QString userId = imodAssessments::InstructorUserId(instructorId);
    if (!Global::CheckUserPassword(userId, txtPassword->text(), false)) {
        ui::Dialogs::msgBox(QStringLiteral("The username and password combination do not match."),
                            ui::vbCritical, QStringLiteral("Oops!"));
        return;
    }
    auto *assess2 = ui::Forms::shared<frmAssess2>();
    assess2->load();
    const qint32 programId = imodPrograms::GetProgramIdForName(cboProgram->currentText());
    assess2->txtProgramID->setText(QString::number(programId));
    const bool assessAll = Global::CheckPermission(userId, AssessAllRight, true) > 0;
    const QString name = cboEmployee->currentText();
    unload(ui::CloseReason::Code);
    assess2->LoadUp(programId, instructorId, name, assessAll);
    assess2->showForm();
}

void frmAssess::cmdCancel_Click()
{
    unload(ui::CloseReason::Code);
}
