#include "frmassessfs.h"

#include "assessments/imodassessments.h"
#include "core/errorinfo.h"
#include "core/listcontrol.h"
#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "frmassess2.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/simplecombo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QListWidgetItem>
#include <QPushButton>
#include <QVBoxLayout>

frmAssessFS::frmAssessFS()
{
    setObjectName(QStringLiteral("frmAssessFS"));
    setCaption(QStringLiteral("Add Student to Assessment Class"));

    Image1 = core::NewLogoLabel(this);
    cbo = new ui::SimpleCombo(this);
    cbo->setObjectName(QStringLiteral("cbo"));
    lblStatus = new QLabel(QStringLiteral("Searching"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    cmdNext = ui::namedButton(QStringLiteral("Finish"), QStringLiteral("cmdNext"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(ui::headingLabel(QStringLiteral("Add Student to Assessment Class"), this), 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus, 1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(new QLabel(QStringLiteral("Choose a Student from the list:"), this));
    all->addWidget(cbo, 1);
    all->addLayout(buttons);

    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this, [this] { cmdNext_Click(); });
    connect(cmdNext, &QPushButton::clicked, this, &frmAssessFS::cmdNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmAssessFS::cmdClose_Click);
}

void frmAssessFS::onLoad()
{
    core::PlaceOnMainWindow(this);
    core::ShowClassSearchLogo(Image1);
    Load_Students();
}

void frmAssessFS::Load_Students()
{
    imodGlobalSubs::FillStudentList(cbo, false, lblStatus);
}

void frmAssessFS::cmdNext_Click()
{
    if (cbo->listIndex() < 0)
        return;
    // The class and the employee are those the class window shows now.
    auto *assess2 = qobject_cast<frmAssess2 *>(ui::Forms::find(QStringLiteral("frmAssess2")));
    const qint32 classId = assess2 ? assess2->chosenClass() : 0;
    if (classId == 0) {
        ui::Dialogs::msgBox(assess2 ? QStringLiteral("Please choose a class in the Assessing "
                                                     "Students window first. The student was not "
                                                     "added.")
                                    : QStringLiteral("The Assessing Students window has been "
                                                     "closed. The student was not added."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    try {
        const qint32 student = imodAssessments::StudentIdForEntry(cbo->text());
        if (student != 0) {
            const imodAssessments::PlacedStudent placed = imodAssessments::PlaceStudent(
                student, assess2->txtEmpID->text().toInt(), classId);
            core::listAddItem(assess2->lstStudents, imodAssessments::AssessmentListText(
                placed.firstName, placed.lastName, placed.assessmentId));
            ui::Dialogs::msgBox(placed.firstName + QLatin1Char(' ') + placed.lastName +
                                    QStringLiteral(" has been successfully added to this "
                                                   "assessment class"),
                                ui::vbInformation, QStringLiteral("Yay!"));
        }
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The student could not be added to the class (Err#") +
                                QString::number(error.number) + QStringLiteral(" - ") +
                                error.description + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    unload(ui::CloseReason::Code);
}

void frmAssessFS::cmdClose_Click()
{
    unload(ui::CloseReason::Code);
}
