#include "frmnewassessment.h"

#include "access/signin.h"
#include "assessments/imodassessments.h"
#include "assessments/studentassessments.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/listcontrol.h"
#include "core/listfillers.h"
#include "core/lookups.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace imodAssessments;

frmNewAssessment::frmNewAssessment()
{
    setObjectName(QStringLiteral("frmNewAssessment"));
    setCaption(QStringLiteral("New Assessment"));

    Image1 = core::NewLogoLabel(this);
    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    txtField.add(2, new QLineEdit(this));
    txtField.add(6, new QLineEdit(this));
    auto *notes = txtMemo.add(5, new QPlainTextEdit(this));
    notes->setTabChangesFocus(true);
    auto *employee = cboField.add(3, new QComboBox(this));
    core::setListSorted(employee, true);
    auto *level = cboField.add(4, new QComboBox(this));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    lst = new QListWidget(this);
    lst->setObjectName(QStringLiteral("lst"));
    core::setListSorted(lst, true);
    cmdOK = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), this);
    cmdOK->setToolTip(QStringLiteral("Save changes to student record"));

    auto *header = new QHBoxLayout;
    header->addWidget(ui::headingLabel(QStringLiteral("New Assessment"), this), 1);
    header->addWidget(Image1);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Student:"), lblName);
    fields->addRow(QStringLiteral("Date:"), txtField[2]);
    fields->addRow(QStringLiteral("Employee:"), employee);
    fields->addRow(QStringLiteral("Employee's Password:"), txtPassword);
    fields->addRow(QStringLiteral("Level:"), level);
    auto *more = new QFormLayout;
    more->addRow(QStringLiteral("Notes:"), notes);
    more->addRow(QStringLiteral("Expires:"), txtField[6]);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(fields);
    all->addWidget(
        new QLabel(QStringLiteral("Select the Competencies this Student has Attained"), this));
    all->addWidget(lst, 1);
    all->addLayout(more);
    all->addLayout(buttons);

    connect(employee, &QComboBox::activated, this, [this] { cboField_Click(3); });
    connect(level, &QComboBox::activated, this, [this] { cboField_Click(4); });
    connect(cmdOK, &QPushButton::clicked, this, &frmNewAssessment::cmdOK_Click);
}

void frmNewAssessment::onLoad()
{
    core::PlaceOnMainWindow(this);
    LoadEmployeeList();
    LoadLevelList();
    core::ShowClassSearchLogo(Image1);
}

void frmNewAssessment::LoadEmployeeList()
{
    QComboBox *list = cboField[3];
    list->clear();
    try {
        for (const Employee &e : SingleAssessmentEmployees())
            core::listAddItem(list, e.name, e.instructorId);
    } catch (...) {
        // The list stays as far as it was read.
    }
    list->setCurrentIndex(-1);
    // A named signed-in user assesses as himself and gives no password; the
    // built-in default user "i", or a user whose name the list does not hold,
    // chooses from the list and types the employee's password.
    const QString user = Global::CurrentUserId;
    if (user.isEmpty() || user.toLower() == QStringLiteral("i"))
        return;
    const int own = list->findText(Global::CurrentUserName, Qt::MatchExactly);
    if (own < 0)
        return;
    list->setCurrentIndex(own);
    cboField_Click(3);
    list->setEnabled(false);
    txtPassword->setReadOnly(true);
    QPalette p = txtPassword->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Window));
    txtPassword->setPalette(p);
}

void frmNewAssessment::LoadLevelList()
{
    cboField[4]->clear();
    try {
        imodGlobalSubs::FillLevelList(cboField[4]);
    } catch (...) {
        // The window opens with the levels read so far.
    }
    cboField[4]->setCurrentIndex(-1);
}

void frmNewAssessment::cboField_Click(int index)
{
    if (index == 3) {
        QComboBox *list = cboField[3];
        m_instructorId =
            list->currentIndex() < 0 ? 0 : core::listItemData(list, list->currentIndex());
        return;
    }
    if (index != 4)
        return;
    const QString text = cboField[4]->currentText();
    if (text.isEmpty()) {
        m_levelId = 0;
        return;
    }
    try {
        m_levelId = Global::GetLevelIdForName(text);
    } catch (...) {
        m_levelId = 0;
    }
    LoadCriteria();
}

void frmNewAssessment::LoadCriteria()
{
    lst->clear();
    try {
        for (const QString &name : LevelCriteria(m_levelId)) {
            // Placed by the list, which keeps its entries in alphabetical order.
            QListWidgetItem *item = lst->item(core::listAddItem(lst, name, 0));
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    } catch (...) {
        // The list keeps what was read.
    }
}

bool frmNewAssessment::save()
{
    auto oops = [](const QString &text, int icon) {
        ui::Dialogs::msgBox(text, icon, QStringLiteral("Oops!"));
    };
    if (m_instructorId == 0) {
        oops(QStringLiteral("Please select an employee."), ui::vbInformation);
        return false;
    }
    if (m_levelId == 0) {
        oops(QStringLiteral("Please select a level."), ui::vbInformation);
        return false;
    }
    try {
        if (!txtPassword->isReadOnly() &&
            !Global::CheckUserPassword(InstructorUserId(m_instructorId), txtPassword->text(), true))
            return false;

        SingleAssessment a;
        a.studentId = m_studentId;
        a.instructorId = m_instructorId;
        a.levelId = m_levelId;
        a.date = txtField[2]->text();
        a.notes = txtMemo[5]->toPlainText();
        a.expires = txtField[6]->text();
        QList<Criterion> criteria;
        for (int i = 0; i < lst->count(); ++i)
            criteria.append({lst->item(i)->text(), lst->item(i)->checkState() == Qt::Checked});
        switch (SaveSingleAssessment(a, criteria)) {
        case SingleSaveResult::BadDate:
            oops(QStringLiteral("The date you entered is not in a valid format. A valid date is "
                                "required before you proceed."),
                 ui::vbExclamation);
            return false;
        case SingleSaveResult::BadExpiry:
            oops(QStringLiteral("The expiry date you entered is not in a valid format"),
                 ui::vbExclamation);
            return false;
        case SingleSaveResult::Saved: break;
        }
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        oops(QStringLiteral("The assessment could not be saved; nothing was written. (Err#") +
                 QString::number(error.number) + QStringLiteral(" - ") + error.description +
                 QLatin1Char(')'),
             ui::vbExclamation);
        return false;
    }
    refreshStudentRecord();
    return true;
}

void frmNewAssessment::refreshStudentRecord()
{
    // The first record window of the student; one whose student is not saved yet
    // (no key) is not this student's.
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() != QStringLiteral("frmStudentDetails"))
            continue;
        bool isNumber = false;
        const qint32 id = f->recordId().trimmed().toInt(&isNumber);
        if (!isNumber || id != m_studentId)
            continue;
        try {
            ui::callByName(f, QStringLiteral("Load_Assessment_History"));
        } catch (...) {
        }
        return;
    }
}

void frmNewAssessment::cmdOK_Click()
{
    if (save())
        unload(ui::CloseReason::Code);
}

void frmNewAssessment::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || reason == ui::CloseReason::Code)
        return;
    const int answer =
        ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to this assessment?"),
                            ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel)
        cancel = true;
    else if (answer == ui::vbYes && !save())
        cancel = true;
}
