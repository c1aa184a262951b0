#include "frmpastassessment.h"

#include "assessments/imodassessments.h"
#include "assessments/studentassessments.h"
#include "core/errorinfo.h"
#include "core/imodlanguage.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/windowregistry.h"
#include "students/imodstudents.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace imodAssessments;

namespace {
const QColor NotCompleted(255, 192, 192);
const QColor Completed(192, 255, 192);
} // namespace

frmPastAssessment::frmPastAssessment()
{
    setObjectName(QStringLiteral("frmPastAssessment"));
    setCaption(QStringLiteral("View Assessment"));

    Image1 = core::NewLogoLabel(this);
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    for (int i = 0; i <= 6; ++i) {
        QLineEdit *box = txtField.add(i, new QLineEdit(this));
        box->setReadOnly(true);
    }
    txtField[0]->hide();
    txtField[1]->hide();
    txtName->setReadOnly(true);
    txtComplete = new QLineEdit(this);
    txtComplete->setObjectName(QStringLiteral("txtComplete"));
    txtComplete->setReadOnly(true);
    lst = new QListWidget(this);
    lst->setObjectName(QStringLiteral("lst"));
    lst2 = new QListWidget(this);
    lst2->setObjectName(QStringLiteral("lst2"));
    shpWarning = new QFrame(this);
    shpWarning->setObjectName(QStringLiteral("shpWarning"));
    shpWarning->setAutoFillBackground(true);
    QPalette band = shpWarning->palette();
    band.setColor(QPalette::Window, QColor(255, 255, 192));
    shpWarning->setPalette(band);
    lblWarning = ui::wrappedLabel(QStringLiteral("This assessment is unfinalised. Please be aware "
                                                 "that this assessment may change."),
                                  shpWarning);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    auto *bandLayout = new QHBoxLayout(shpWarning);
    bandLayout->addWidget(lblWarning);
    shpWarning->hide();
    cmdOK = ui::namedButton(QStringLiteral("Close"), QStringLiteral("cmdOK"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);
    cmdDelete->setToolTip(QStringLiteral("Delete This Assessment"));

    auto *header = new QHBoxLayout;
    header->addWidget(ui::headingLabel(QStringLiteral("View Assessment"), this), 1);
    header->addWidget(Image1);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Student:"), txtName);
    fields->addRow(QStringLiteral("Date:"), txtField[2]);
    fields->addRow(QStringLiteral("Employee:"), txtField[3]);
    fields->addRow(QStringLiteral("Level:"), txtField[4]);
    fields->addRow(QStringLiteral("Notes:"), txtField[5]);
    fields->addRow(QStringLiteral("Expires:"), txtField[6]);
    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Achieved Competencies"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Not Yet Achieved"), this), 0, 1);
    lists->addWidget(lst, 1, 0);
    lists->addWidget(lst2, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdDelete);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(fields);
    all->addWidget(txtComplete);
    all->addLayout(lists, 1);
    all->addLayout(buttons);
    all->addWidget(shpWarning);
    resize(480, DesignedHeight);

    connect(cmdOK, &QPushButton::clicked, this, &frmPastAssessment::cmdOK_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmPastAssessment::cmdDelete_Click);
}

void frmPastAssessment::onLoad()
{
    // Every step passes over its own failure.
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    try {
        const QString word = imodLanguage::Translate(QStringLiteral("Finalise")).toLower();
        lblWarning->setText(
            lblWarning->text().replace(QStringLiteral("finalise"), word, Qt::CaseSensitive));
    } catch (...) {
    }
}

void frmPastAssessment::clear()
{
    txtName->clear();
    for (int i : txtField.indexes())
        txtField[i]->clear();
    txtComplete->clear();
    txtComplete->setPalette(QPalette());
    lst->clear();
    lst2->clear();
    m_instructorId = 0;
}

void frmPastAssessment::Load_Assessment(qint32 AssessmentID)
{
    clear();
    std::optional<PastAssessment> past;
    try {
        past = LoadPastAssessment(AssessmentID);
    } catch (...) {
    }
    bool unfinalised = false;
    if (past) {
        m_instructorId = past->instructorId;
        txtField[0]->setText(QString::number(past->assessmentId));
        txtField[1]->setText(QString::number(past->studentId));
        // Each box passes over its own failure and the next one is filled.
        auto fill = [](auto step) {
            try {
                step();
            } catch (...) {
            }
        };
        fill([&] { txtName->setText(imodStudents::GetStudentName(past->studentId)); });
        fill([&] { txtField[3]->setText(Global::GetInstructorName(past->instructorId)); });
        fill([&] { txtField[4]->setText(Global::GetLevelName(past->levelId)); });
        txtField[2]->setText(past->date);
        txtField[5]->setText(past->notes);
        txtField[6]->setText(past->expires);
        const bool notCompleted = !past->passLevel.isNull() && past->passLevel.toInt() == 0;
        txtComplete->setText(notCompleted
                                 ? QStringLiteral("This level has not been entirely completed.")
                                 : QStringLiteral("This level has been successfully completed!"));
        QPalette p = txtComplete->palette();
        p.setColor(QPalette::Base, notCompleted ? NotCompleted : Completed);
        txtComplete->setPalette(p);
        for (const Criterion &c : past->criteria)
            (c.attained ? lst : lst2)->addItem(c.text);
        unfinalised = past->processed == Assessed;
    }
    // The band below the details shows for an assessment not yet finalised; the
    // window is as tall as each assessment needs.
    shpWarning->setVisible(unfinalised);
    const int band = unfinalised ? shpWarning->sizeHint().height() : 0;
    frame()->resize(frame()->width(), frame()->height() - height() + DesignedHeight + band);
    resize(width(), DesignedHeight + band);
}

void frmPastAssessment::cmdOK_Click()
{
    unload(ui::CloseReason::Code);
}

void frmPastAssessment::cmdDelete_Click()
{
    if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to delete this assessment?"),
                            ui::vbYesNo | ui::vbQuestion,
                            QStringLiteral("Are you sure?")) != ui::vbYes)
        return;
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)),
                    QStringLiteral("Delete Past Assessment"), txtField[0]->text()});
    // The employee who made the assessment authorises its deletion with his own
    // password; the employee is told by his InstructorID, not by his name.
    QString userId;
    try {
        userId = InstructorUserId(m_instructorId);
    } catch (...) {
    }
    ui::callByName(password, QStringLiteral("PresetUser"), {userId});
}

void frmPastAssessment::DeleteAssessment()
{
    const QString student = txtField[1]->text();
    try {
        if (!imodAssessments::DeleteAssessment(txtField[0]->text().toInt())) {
            ui::Dialogs::msgBox(QStringLiteral("This assessment could not be deleted: it is no "
                                               "longer on file."),
                                ui::vbExclamation, QStringLiteral("Oops!"));
            return;
        }
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("This assessment could not be deleted. (Err#") +
                                QString::number(error.number) + QStringLiteral(" - ") +
                                error.description + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() == QStringLiteral("frmStudentDetails") && f->recordId() == student) {
            try {
                ui::callByName(f, QStringLiteral("Load_Assessment_History"));
            } catch (...) {
            }
        }
    }
    unload(ui::CloseReason::Code);
}
