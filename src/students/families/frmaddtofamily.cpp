#include "frmaddtofamily.h"

#include "access/permissions.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "pickwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "students/families.h"
#include "students/imodstudents.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class F> void step(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void oops(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
}

const QString notFound = QStringLiteral(
    "The student you chose could not be found. It may have been deleted or renamed since the "
    "list was filled.");

} // namespace

frmAddToFamily::frmAddToFamily()
{
    setObjectName(QStringLiteral("frmAddToFamily"));
    setCaption(QStringLiteral("Add Student to Family"));
    const families::PickParts p =
        families::MakePickParts(this, QStringLiteral("Add Student to Family"),
                                QStringLiteral("Choose a Student from the list:"));
    Image1 = p.Image1;
    Label2 = p.Label2;
    Label5 = p.Label5;
    cbo = p.cbo;
    optLF = p.optLF;
    optFL = p.optFL;
    lblStatus = p.lblStatus;
    Label1 = ui::wrappedLabel(
        QStringLiteral("Simply locate the student you wish to add to this family from the list "
                       "below. If the student you wish to add doesn't appear in the list, click "
                       "New Student to create them."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    p.layout->insertWidget(1, Label1);
    cmdNext = ui::namedButton(QStringLiteral("Finish"), QStringLiteral("cmdNext"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);
    cmdAddStudent =
        ui::namedButton(QStringLiteral("New Student"), QStringLiteral("cmdAddStudent"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit Student"), QStringLiteral("cmdEdit"), this);
    cmdNext->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddStudent);
    buttons->addWidget(cmdEdit);
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    p.layout->addLayout(buttons);
    resize(440, 540);

    connect(optLF, &QRadioButton::clicked, this, &frmAddToFamily::Load_Students);
    connect(optFL, &QRadioButton::clicked, this, &frmAddToFamily::Load_Students);
    connect(cmdNext, &QPushButton::clicked, this, &frmAddToFamily::cmdNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmAddToFamily::cmdClose_Click);
    connect(cmdAddStudent, &QPushButton::clicked, this, &frmAddToFamily::cmdAddStudent_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmAddToFamily::cmdEdit_Click);
    connect(cbo->listWidget(), &QListWidget::itemDoubleClicked, this,
            &frmAddToFamily::cmdNext_Click);
}

void frmAddToFamily::onLoad()
{
    step([this] { core::PlaceOnMainWindow(this); });
    step([this] { core::ShowClassSearchLogo(Image1); });
    Load_Students();
}

void frmAddToFamily::LoadUp(qint32 FamID)
{
    m_famId = FamID;
}

void frmAddToFamily::Load_Students()
{
    imodGlobalSubs::FillStudentList(cbo, optFL->isChecked(), lblStatus);
    step([this] { cbo->listWidget()->setFocus(); });
}

QString frmAddToFamily::chosenText() const
{
    return families::ChosenItemText(cbo);
}

void frmAddToFamily::cmdNext_Click()
{
    const QString chosen = chosenText();
    if (chosen.isEmpty())
        return;
    ui::Form *familyWindow =
        ui::Forms::findByRecord(QStringLiteral("frmFamDetails"), QString::number(m_famId));
    try {
        const qint32 student = imodStudents::FindPersonByListText(chosen, optFL->isChecked());
        if (student == 0) {
            oops(QStringLiteral("An error has occurred."));
            return;
        }
        if (imodStudents::GetFamilyID(student) == 0 ||
            ui::Dialogs::msgBox(QStringLiteral("This student is already a member of another "
                                               "family. Do you want to move them into this "
                                               "family?"),
                                ui::vbQuestion | ui::vbYesNo,
                                QStringLiteral("Change Families")) == ui::vbYes)
            imodStudents::SetFamilyOfPerson(student, m_famId);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        oops(QStringLiteral("The student could not be added to the family. (Err#") +
             QString::number(e.number) + QStringLiteral(" - ") + e.description +
             QStringLiteral(")"));
        return;
    }
    QPointer<ui::Form> family = familyWindow;
    unload();
    if (family) {
        step([&] { ui::callByName(family, QStringLiteral("Load_Family_Members")); });
        family->showForm();
    }
}

void frmAddToFamily::requestAuthorisation(const QString &text)
{
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)), text, QString()});
}

void frmAddToFamily::cmdAddStudent_Click()
{
    try {
        if (Global::CurrentUserRights().Permissions(4) != 1) {
            requestAuthorisation(QStringLiteral("Add Student Bkg"));
            return;
        }
        if (ui::Form *record = ui::CreateWindowByName(QStringLiteral("frmStudentDetails"))) {
            ui::callByName(record, QStringLiteral("LoadUp"),
                           {0, QVariant::fromValue(static_cast<QObject *>(this)), QString()});
            record->showForm();
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        oops(QStringLiteral("The student record could not be opened. (Err#") +
             QString::number(e.number) + QStringLiteral(" - ") + e.description +
             QStringLiteral(")"));
    }
}

void frmAddToFamily::cmdEdit_Click()
{
    const QString chosen = chosenText();
    if (chosen.isEmpty())
        return;
    try {
        if (Global::CurrentUserRights().Permissions(3) != 1) {
            requestAuthorisation(QStringLiteral("Edit Student Bkg"));
            return;
        }
        const qint32 student = imodStudents::FindPersonByListText(chosen, optFL->isChecked());
        if (student == 0) {
            oops(notFound);
            return;
        }
        if (ui::Form *record = ui::CreateWindowByName(QStringLiteral("frmStudentDetails"))) {
            ui::callByName(record, QStringLiteral("LoadUp"),
                           {student, QVariant::fromValue(static_cast<QObject *>(this)), QString()});
            record->showForm();
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        oops(QStringLiteral("The student record could not be opened. (Err#") +
             QString::number(e.number) + QStringLiteral(" - ") + e.description +
             QStringLiteral(")"));
    }
}

void frmAddToFamily::cmdClose_Click()
{
    unload();
}
