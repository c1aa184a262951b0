#include "frmassess3.h"

#include "assessments/imodassessments.h"
#include "core/errorinfo.h"
#include "core/listcontrol.h"
#include "core/listfillers.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "frmassess2.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "students/imodstudents.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace imodAssessments;

namespace {
constexpr int MaxComment = 180;
constexpr int MaxDate = 50;
} // namespace

frmAssess3::frmAssess3()
{
    setObjectName(QStringLiteral("frmAssess3"));
    setCaption(QStringLiteral("New Assessment"));

    Image1 = core::NewLogoLabel(this);
    txtAssessmentID = new QLineEdit(this);
    txtAssessmentID->setObjectName(QStringLiteral("txtAssessmentID"));
    txtEmpID = new QLineEdit(this);
    txtEmpID->setObjectName(QStringLiteral("txtEmpID"));
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setReadOnly(true);
    for (int i : {1, 2, 4, 6})
        txtField.add(i, new QLineEdit(this));
    for (QWidget *hidden : {static_cast<QWidget *>(txtAssessmentID), static_cast<QWidget *>(txtEmpID),
                            static_cast<QWidget *>(txtField[1]), static_cast<QWidget *>(txtField[4])})
        hidden->hide();
    txtField[2]->setMaxLength(MaxDate);
    txtField[6]->setMaxLength(MaxDate);
    for (int i : {5, 11}) {
        auto *memo = txtMemo.add(i, new QPlainTextEdit(this));
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setTabChangesFocus(true);
    }
    connect(txtMemo[11], &QPlainTextEdit::textChanged, this, [this] {
        QPlainTextEdit *comment = txtMemo[11];
        if (comment->toPlainText().size() > MaxComment)
            comment->setPlainText(comment->toPlainText().left(MaxComment));
    });
    auto *level = cboField.add(4, new QComboBox(this));
    core::setListSorted(level, true);
    lst = new QListWidget(this);
    lst->setObjectName(QStringLiteral("lst"));
    lst->installEventFilter(this);
    cmdOK = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), this);
    cmdOK->setToolTip(QStringLiteral("Save changes to student record"));

    auto *titles = new QVBoxLayout;
    titles->addWidget(ui::headingLabel(QStringLiteral("New Assessment"), this));
    titles->addWidget(new QLabel(QStringLiteral("Details of Assessment"), this));
    titles->addStretch(1);
    auto *header = new QHBoxLayout;
    header->addLayout(titles, 1);
    header->addWidget(Image1);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Student:"), txtName);
    fields->addRow(QStringLiteral("Date:"), txtField[2]);
    fields->addRow(QStringLiteral("Expires:"), txtField[6]);
    fields->addRow(QStringLiteral("Notes:"), txtMemo[5]);
    fields->addRow(QStringLiteral("Level:"), level);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(fields);
    all->addWidget(new QLabel(QStringLiteral("Select the Competencies this Student has Attained"),
                              this));
    all->addWidget(lst, 1);
    all->addWidget(new QLabel(QStringLiteral("Comment for Certificate:"), this));
    all->addWidget(txtMemo[11]);
    all->addLayout(buttons);

    connect(level, &QComboBox::activated, this, [this] { cboField_Click(4); });
    connect(txtField[4], &QLineEdit::textChanged, this, [this] { LoadCriteria(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmAssess3::cmdOK_Click);
}

void frmAssess3::onLoad()
{
    try {
        imodGlobalSubs::FillLevelList(cboField[4]);
    } catch (...) {
        // The sheet opens without levels to choose.
    }
    cboField[4]->setCurrentIndex(-1);
    core::PlaceOnMainWindow(this);
    core::ShowClassSearchLogo(Image1);
}

void frmAssess3::LoadAssessment(qint32 AssessmentID, qint32 intEmpID, frmAssess2 *xf,
                                qint32 intClassID, qint32 intSID)
{
    m_caller = xf;
    txtEmpID->setText(QString::number(intEmpID));
    m_classId = intClassID;
    try {
        if (AssessmentID == 0) {
            txtAssessmentID->setText(QStringLiteral("0"));
            if (intSID < 1) {
                unload(ui::CloseReason::Code);
                return;
            }
            txtField[1]->setText(QString::number(intSID));
            txtName->setText(imodStudents::GetStudentName(intSID));
            return;
        }
        txtAssessmentID->setText(QString::number(AssessmentID));
        const auto sheet = LoadSheet(AssessmentID);
        if (!sheet)
            return;
        txtField[1]->setText(QString::number(sheet->studentId));
        txtName->setText(imodStudents::GetStudentName(sheet->studentId));
        txtMemo[5]->setPlainText(sheet->notes);
        txtField[2]->setText(sheet->date);
        txtField[6]->setText(sheet->renewalDate);
        txtField[4]->setText(sheet->levelId ? QString::number(sheet->levelId) : QString());
        cboField[4]->setCurrentIndex(
            cboField[4]->findText(Global::GetLevelDescription(sheet->levelId), Qt::MatchExactly));
        txtMemo[11]->setPlainText(sheet->comment);
        const QList<Criterion> stored = SheetCriteria(AssessmentID);
        if (!stored.isEmpty()) {
            lst->clear();
            for (const Criterion &c : stored) {
                auto *item = new QListWidgetItem(c.text, lst);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(c.attained ? Qt::Checked : Qt::Unchecked);
            }
        }
    } catch (...) {
        // What could not be read stays empty.
    }
}

void frmAssess3::cboField_Click(int index)
{
    if (index != 4)
        return;
    const QString text = cboField[4]->currentText();
    txtField[4]->setText(text.isEmpty() ? QString()
                                        : QString::number(Global::GetLevelIdForName(text)));
}

void frmAssess3::LoadCriteria()
{
    lst->clear();
    const qint32 level = txtField[4]->text().toInt();
    if (level == 0)
        return;
    try {
        for (const QString &name : LevelCriteria(level)) {
            auto *item = new QListWidgetItem(name, lst);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    } catch (...) {
        // The list keeps what was read.
    }
}

bool frmAssess3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lst && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        if (QListWidgetItem *item = lst->currentItem())
            delete lst->takeItem(lst->row(item));
        return true;
    }
    return ui::Form::eventFilter(watched, event);
}

bool frmAssess3::save()
{
    Sheet sheet;
    sheet.assessmentId = txtAssessmentID->text().toInt();
    sheet.studentId = txtField[1]->text().toInt();
    sheet.instructorId = txtEmpID->text().toInt();
    sheet.classId = m_classId;
    sheet.levelId = txtField[4]->text().toInt();
    sheet.date = txtField[2]->text();
    sheet.renewalDate = txtField[6]->text();
    sheet.notes = txtMemo[5]->toPlainText();
    sheet.comment = txtMemo[11]->toPlainText();
    QList<Criterion> criteria;
    for (int i = 0; i < lst->count(); ++i)
        criteria.append({lst->item(i)->text(), lst->item(i)->checkState() == Qt::Checked});

    SheetSaveResult result;
    try {
        result = SaveSheet(sheet, criteria);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("The assessment could not be saved; nothing was written. "
                                           "(Err#") +
                                QString::number(error.number) + QStringLiteral(" - ") +
                                error.description + QLatin1Char(')'),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return false;
    }
    switch (result) {
    case SheetSaveResult::BadDate:
        ui::Dialogs::msgBox(QStringLiteral("The date you entered is not in a valid format. A valid "
                                           "date is required before you proceed."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return false;
    case SheetSaveResult::BadExpiry:
        ui::Dialogs::msgBox(QStringLiteral("The expiry date you entered is not in a valid format"),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return false;
    case SheetSaveResult::NoLevel:
        ui::Dialogs::msgBox(QStringLiteral("Please select a level."), ui::vbExclamation,
                            QStringLiteral("Oops!"));
        return false;
    case SheetSaveResult::Missing:
        ui::Dialogs::msgBox(QStringLiteral("This assessment has been deleted elsewhere since the "
                                           "sheet was opened; nothing was saved."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return false;
    case SheetSaveResult::Saved:
        break;
    }
    txtField[2]->setText(sheet.date);
    txtAssessmentID->setText(QString::number(sheet.assessmentId));
    return true;
}

void frmAssess3::refreshCaller()
{
    // The class window may have been closed while the sheet was open.
    if (!m_caller || !m_caller->isLoaded())
        return;
    m_caller->showForm();
    m_caller->cboClass_Click();
    m_caller->cboClass2_Click();
}

void frmAssess3::cmdOK_Click()
{
    if (!save())
        return;
    QPointer<frmAssess2> caller = m_caller;
    unload(ui::CloseReason::Code);
    m_caller = caller;
    refreshCaller();
}

void frmAssess3::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || reason == ui::CloseReason::Code)
        return;
    const int answer =
        ui::Dialogs::msgBox(QStringLiteral("Do you want to save this assessment?"),
                            ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
    if (answer == ui::vbCancel)
        cancel = true;
    else if (answer == ui::vbYes) {
        if (save())
            refreshCaller();
        else
            cancel = true;
    }
}
