#include "frmassessf.h"

#include "assessments/imodassessments.h"
#include "assessments/programfinalise.h"
#include "core/errorinfo.h"
#include "core/imodlanguage.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "timetable/programs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmAssessF::frmAssessF()
{
    setObjectName(QStringLiteral("frmAssessF"));
    setCaption(QStringLiteral("Finalise & Cleanup Assessments"));

    Image1 = core::NewLogoLabel(this);
    Label2 = ui::headingLabel(QStringLiteral("Finalise & Cleanup"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    lblField.add(
        0, ui::sectionLabel(QStringLiteral("How do you want to handle unfinalised assessments?"),
                            this));
    lblField.add(1, new QLabel(QStringLiteral("Select Program:"), this));
    lblField.add(
        2, ui::sectionLabel(QStringLiteral("Which program would you like to finalise?"), this));
    lblField.add(
        3, ui::wrappedLabel(QStringLiteral("The finalisation process will clear information about "
                                           "unassessed students. Instructors will not be able to "
                                           "assess classes through the assessments centre for the "
                                           "program."),
                            this));
    cboProgram = new QComboBox(this);
    cboProgram->setObjectName(QStringLiteral("cboProgram"));
    core::setListSorted(cboProgram, true);
    optFinalise = new QRadioButton(QStringLiteral("Finalise these assessments"), this);
    optFinalise->setObjectName(QStringLiteral("optFinalise"));
    optFinalise->setChecked(true);
    optDelete = new QRadioButton(QStringLiteral("Delete them"), this);
    optDelete->setObjectName(QStringLiteral("optDelete"));
    optLeave = new QRadioButton(
        QStringLiteral("Leave them unfinalised (they can never be finalised)"), this);
    optLeave->setObjectName(QStringLiteral("optLeave"));
    cmdOK = ui::namedButton(QStringLiteral("Finalise Now"), QStringLiteral("cmdOK"), this);
    cmdCancel = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(Label2, 1);
    auto *program = new QHBoxLayout;
    program->addWidget(lblField[1]);
    program->addWidget(cboProgram, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(lblField[2]);
    all->addLayout(program);
    all->addWidget(lblField[3]);
    all->addWidget(lblField[0]);
    all->addWidget(optFinalise);
    all->addWidget(optDelete);
    all->addWidget(optLeave);
    all->addStretch(1);
    all->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmAssessF::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAssessF::cmdCancel_Click);
}

void frmAssessF::onLoad()
{
    core::PlaceOnMainWindow(this);
    LoadProgramList();
    // From here on a step that fails is passed over and the next one runs.
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    translateCaptions();
}

void frmAssessF::translateCaptions()
{
    QString W = QStringLiteral("Finalise");
    try {
        W = imodLanguage::Translate(W);
    } catch (...) {
    }
    const QString w = W.toLower();
    auto replaceIn = [](QWidget *control, const QString &from, const QString &to) {
        try {
            if (auto *label = qobject_cast<QLabel *>(control))
                label->setText(label->text().replace(from, to, Qt::CaseSensitive));
            else if (auto *option = qobject_cast<QRadioButton *>(control))
                option->setText(option->text().replace(from, to, Qt::CaseSensitive));
        } catch (...) {
        }
    };
    replaceIn(lblField[0], QStringLiteral("finalise"), w);
    replaceIn(lblField[2], QStringLiteral("finalise"), w);
    replaceIn(lblField[3], QStringLiteral("finalisation"),
              w.chopped(w.isEmpty() ? 0 : 1) + QStringLiteral("ation"));
    replaceIn(optFinalise, QStringLiteral("Finalise"), W);
    replaceIn(optLeave, QStringLiteral("finalise"), w);
    Label2->setText(W + QStringLiteral(" & Cleanup"));
    setCaption(Label2->text() + QStringLiteral(" Assessments"));
    cmdOK->setText(W + QStringLiteral(" Now"));
}

void frmAssessF::LoadProgramList()
{
    cboProgram->clear();
    try {
        for (const QString &name : imodAssessments::ProgramsToAssess())
            core::listAddItem(cboProgram, name);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The programs could not be read. (Err#") +
                                QString::number(error.number) + QStringLiteral(" - ") +
                                error.description + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
    if (cboProgram->count() > 0)
        cboProgram->setCurrentIndex(0);
}

void frmAssessF::cmdOK_Click()
{
    const QString name = cboProgram->currentText();
    if (name.isEmpty()) {
        ui::Dialogs::msgBox(QStringLiteral("You must select a program from the list."),
                            ui::vbExclamation, QStringLiteral("Oops! Forgetting something?"));
        return;
    }
    QString W = QStringLiteral("Finalise");
    try {
        W = imodLanguage::Translate(W);
    } catch (...) {
    }
    const QString w = W.toLower();
    const int answer = ui::Dialogs::msgBox(
        QStringLiteral("If you ") + w +
            QStringLiteral(" this program you will not be able to change any assessments made, "
                           "or make any new assessments using the assessment centre. Are you "
                           "sure you want to ") +
            w + QLatin1Char(' ') + name + QLatin1Char('?'),
        ui::vbYesNo | ui::vbQuestion, QStringLiteral("Are you sure?"));
    if (answer == ui::vbNo)
        return;

    const imodAssessments::FinaliseOption option =
        optFinalise->isChecked() ? imodAssessments::FinaliseOption::Finalise
        : optDelete->isChecked() ? imodAssessments::FinaliseOption::Delete
                                 : imodAssessments::FinaliseOption::Leave;
    try {
        ui::Hourglass hourglass;
        imodAssessments::FinaliseProgram(imodPrograms::GetProgramIdForName(name), option);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(name + QStringLiteral(" could not be ") + w +
                                QStringLiteral("d; no assessment was changed. (Err#") +
                                QString::number(error.number) + QStringLiteral(" - ") +
                                error.description + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    ui::Dialogs::msgBox(name + QStringLiteral(" has been ") + w + QStringLiteral("d."),
                        ui::vbInformation, QStringLiteral("Yay!"));
    unload(ui::CloseReason::Code);
}

void frmAssessF::cmdCancel_Click()
{
    unload(ui::CloseReason::Code);
}
