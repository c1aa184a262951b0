#include "frmassess2.h"

#include "assessments/imodassessments.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/listcontrol.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "frmassess3.h"
#include "frmassessfs.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace imodAssessments;

namespace {

const QString All = QStringLiteral("(All)");

QString errorText(const core::ErrorInfo &error)
{
    return QStringLiteral(" (Err#") + QString::number(error.number) + QStringLiteral(" - ") +
           error.description + QLatin1Char(')');
}

// Reports a failure of a change made here; nothing of it was written.
void reportFailure(const QString &what)
{
    ui::Dialogs::msgBox(what + errorText(core::currentError()), ui::vbExclamation,
                        QStringLiteral("Oops!"));
}

qint32 classOf(const QComboBox *box)
{
    const int index = box->currentIndex();
    return index < 0 ? 0 : core::listItemData(const_cast<QComboBox *>(box), index);
}

QWidget *page(std::initializer_list<QWidget *> top, QWidget *list,
              std::initializer_list<QPushButton *> buttons)
{
    auto *w = new QWidget;
    auto *layout = new QVBoxLayout(w);
    auto *row = new QHBoxLayout;
    for (QWidget *t : top)
        row->addWidget(t);
    row->addStretch(1);
    layout->addLayout(row);
    auto *body = new QHBoxLayout;
    body->addWidget(list, 1);
    auto *column = new QVBoxLayout;
    for (QPushButton *b : buttons)
        column->addWidget(b);
    column->addStretch(1);
    body->addLayout(column);
    layout->addLayout(body, 1);
    return w;
}

} // namespace

frmAssess2::frmAssess2()
{
    setObjectName(QStringLiteral("frmAssess2"));
    setCaption(QStringLiteral("Assessing Students"));

    Image1 = core::NewLogoLabel(this);
    txtProgramID = new QLineEdit(this);
    txtProgramID->setObjectName(QStringLiteral("txtProgramID"));
    txtProgramID->hide();
    txtEmpID = new QLineEdit(this);
    txtEmpID->setObjectName(QStringLiteral("txtEmpID"));
    txtEmpID->hide();
    lblEmployee = new QLabel(this);
    lblEmployee->setObjectName(QStringLiteral("lblEmployee"));
    cboInstructor = new QComboBox(this);
    cboInstructor->setObjectName(QStringLiteral("cboInstructor"));
    core::setListSorted(cboInstructor, true);
    cboDay = new QComboBox(this);
    cboDay->setObjectName(QStringLiteral("cboDay"));

    cboClass = new QComboBox(this);
    cboClass->setObjectName(QStringLiteral("cboClass"));
    cboClass2 = new QComboBox(this);
    cboClass2->setObjectName(QStringLiteral("cboClass2"));
    for (QComboBox *box : {cboClass, cboClass2})
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lstStudents = new QListWidget(this);
    lstStudents->setObjectName(QStringLiteral("lstStudents"));
    core::setListSorted(lstStudents, true);
    lstStudents2 = new QListWidget(this);
    lstStudents2->setObjectName(QStringLiteral("lstStudents2"));
    core::setListSorted(lstStudents2, true);
    cmdAssess = ui::namedButton(QStringLiteral("Assess Student"), QStringLiteral("cmdAssess"), this);
    cmdAddStudent =
        ui::namedButton(QStringLiteral("Add Student"), QStringLiteral("cmdAddStudent"), this);
    cmdRemoveStudent =
        ui::namedButton(QStringLiteral("Remove Student"), QStringLiteral("cmdRemoveStudent"), this);
    cmdAssess2 =
        ui::namedButton(QStringLiteral("View Assessment"), QStringLiteral("cmdAssess2"), this);
    cmdDel = ui::namedButton(QStringLiteral("Delete Assessment"), QStringLiteral("cmdDel"), this);
    cmdFinalise = ui::namedButton(QStringLiteral("Finalise These Assessments"),
                                  QStringLiteral("cmdFinalise"), this);
    cmdOK = ui::namedButton(QStringLiteral("Close"), QStringLiteral("cmdOK"), this);

    tab = new QTabWidget(this);
    tab->setObjectName(QStringLiteral("tab"));
    auto *intro = new QWidget;
    auto *introLayout = new QVBoxLayout(intro);
    for (const char *line :
         {"The Assessing Students window allows you to easily input assessments for your students.",
          "There are 3 modes of assessment:",
          "- Unassessed:  these are students for which an assessment hasn't been entered.",
          "- Unfinalised:    these are assessments which are entered but may not be complete.",
          "- Finalised:       these are assessments which have been completed and cannot be "
          "changed.",
          "You can enter assessments for Unassessed Students and edit Unfinalised Assessments from "
          "this window. You can also finalise all of your assessments.",
          "It is important to note that Unfinalised Assessments still appear against the student's "
          "record, along with a note indicating that the assessment is unfinalised. So be careful "
          "to ensure that only accurate assessments are entered."})
        introLayout->addWidget(ui::wrappedLabel(QString::fromUtf8(line), intro));
    introLayout->addStretch(1);
    tab->addTab(intro, QStringLiteral("Introduction to Assessing"));
    tab->addTab(page({new QLabel(QStringLiteral("Select Class:"), this), cboClass}, lstStudents,
                     {cmdAssess, cmdAddStudent, cmdRemoveStudent}),
                QStringLiteral("Unassessed Students"));
    tab->addTab(page({new QLabel(QStringLiteral("Select Class:"), this), cboClass2}, lstStudents2,
                     {cmdAssess2, cmdDel, cmdFinalise}),
                QStringLiteral("Unfinalised Students"));

    auto *titles = new QVBoxLayout;
    titles->addWidget(ui::headingLabel(QStringLiteral("Assessing Students"), this));
    titles->addWidget(new QLabel(QStringLiteral("Global Assessment Details"), this));
    auto *filters = new QFormLayout;
    filters->addRow(QStringLiteral("Authorised By:"), lblEmployee);
    filters->addRow(QStringLiteral("Instructor:"), cboInstructor);
    filters->addRow(QStringLiteral("Show Day:"), cboDay);
    titles->addLayout(filters);
    auto *header = new QHBoxLayout;
    header->addLayout(titles, 1);
    header->addWidget(Image1, 0, Qt::AlignTop);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(tab, 1);
    all->addLayout(buttons);

    connect(cboInstructor, &QComboBox::activated, this, [this] { cboInstructor_Click(); });
    connect(cboDay, &QComboBox::activated, this, [this] { cboDay_Click(); });
    connect(cboClass, &QComboBox::activated, this, [this] { cboClass_Click(); });
    connect(cboClass2, &QComboBox::activated, this, [this] { cboClass2_Click(); });
    connect(lstStudents, &QListWidget::itemDoubleClicked, this, [this] { cmdAssess_Click(); });
    connect(lstStudents2, &QListWidget::itemDoubleClicked, this, [this] { cmdAssess2_Click(); });
    connect(cmdAssess, &QPushButton::clicked, this, &frmAssess2::cmdAssess_Click);
    connect(cmdAssess2, &QPushButton::clicked, this, &frmAssess2::cmdAssess2_Click);
    connect(cmdDel, &QPushButton::clicked, this, &frmAssess2::cmdDel_Click);
    connect(cmdFinalise, &QPushButton::clicked, this, &frmAssess2::cmdFinalise_Click);
    connect(cmdAddStudent, &QPushButton::clicked, this, &frmAssess2::cmdAddStudent_Click);
    connect(cmdRemoveStudent, &QPushButton::clicked, this, &frmAssess2::cmdRemoveStudent_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAssess2::cmdOK_Click);
}

void frmAssess2::onLoad()
{
    core::PlaceOnMainWindow(this);
    core::ShowClassSearchLogo(Image1);
}

void frmAssess2::LoadUp(qint32 intProgramID, qint32 intEmpID, const QString &strEmpName,
                        bool boolAssessAll)
{
    txtEmpID->setText(QString::number(intEmpID));
    lblEmployee->setText(strEmpName);
    m_programId = intProgramID;
    m_empId = intEmpID;
    m_empName = strEmpName;
    m_assessAll = boolAssessAll;
    LoadInstructorList();
    try {
        imodGlobalSubs::FillDayCombo(cboDay, true, 0);
    } catch (...) {
        reportFailure(QStringLiteral("The days could not be listed."));
    }
    LoadClassLists();
}

void frmAssess2::LoadInstructorList()
{
    cboInstructor->clear();
    if (m_assessAll) {
        core::listAddItem(cboInstructor, All);
        try {
            for (const QString &name : ProgramInstructorNames(m_programId))
                core::listAddItem(cboInstructor, name);
        } catch (...) {
            const core::ErrorInfo error = core::currentError();
            ui::Dialogs::msgBox(
                QStringLiteral("There was an error when loading the instructor lists.\r\nErr#") +
                    QString::number(error.number) + QStringLiteral(" - ") + error.description +
                    QStringLiteral(".\r\nThe instructors may not display correctly."),
                ui::vbExclamation, QStringLiteral("Error loading instructor list"));
        }
    } else {
        core::listAddItem(cboInstructor, m_empName);
    }
    if (cboInstructor->count() > 0)
        cboInstructor->setCurrentIndex(0);
}

void frmAssess2::LoadClassLists()
{
    ui::Hourglass hourglass;
    cboClass->clear();
    cboClass2->clear();
    const QString instructor = cboInstructor->currentText();
    qint32 instructorId = 0;
    if (!m_assessAll)
        instructorId = m_empId;
    else if (instructor != All)
        instructorId = Global::GetInstructorIdForName(instructor);
    const QString day = cboDay->currentText() == All ? QString() : cboDay->currentText();
    QList<ClassEntry> classes;
    try {
        // An employee of no instructor row (ID 0) has no class of his own.
        if (m_assessAll || m_empId != 0)
            classes = ClassList(m_programId, day, instructorId);
    } catch (...) {
        reportFailure(QStringLiteral("The classes could not be listed."));
    }
    for (const ClassEntry &c : classes) {
        core::listAddItem(cboClass, c.caption, c.classId);
        core::listAddItem(cboClass2, c.caption, c.classId);
    }
    if (cboClass->count() > 0) {
        cboClass->setCurrentIndex(0);
        cboClass2->setCurrentIndex(0);
    }
    // Without a class both lists are empty, so that nothing acts on a class no
    // longer shown.
    cboClass_Click();
    cboClass2_Click();
}

qint32 frmAssess2::chosenClass() const
{
    return classOf(cboClass);
}

void frmAssess2::cboClass_Click()
{
    lstStudents->clear();
    if (const qint32 cls = classOf(cboClass)) {
        try {
            for (const QString &entry : UnassessedStudents(cls))
                core::listAddItem(lstStudents, entry);
        } catch (...) {
            reportFailure(QStringLiteral("The unassessed students could not be listed."));
        }
    }
    if (cboClass2->currentIndex() != cboClass->currentIndex()) {
        cboClass2->setCurrentIndex(cboClass->currentIndex());
        cboClass2_Click();
    }
}

void frmAssess2::cboClass2_Click()
{
    lstStudents2->clear();
    if (const qint32 cls = classOf(cboClass2)) {
        try {
            for (const QString &entry : UnfinalisedAssessments(cls))
                core::listAddItem(lstStudents2, entry);
        } catch (...) {
            reportFailure(QStringLiteral("The unfinalised assessments could not be listed."));
        }
    }
    if (cboClass->currentIndex() != cboClass2->currentIndex()) {
        cboClass->setCurrentIndex(cboClass2->currentIndex());
        cboClass_Click();
    }
}

void frmAssess2::cboInstructor_Click()
{
    LoadClassLists();
}

void frmAssess2::cboDay_Click()
{
    LoadClassLists();
}

bool frmAssess2::canAssess()
{
    if (!AnyLevels()) {
        ui::Dialogs::msgBox(QStringLiteral("There are no Award Levels. You need to enter your Award "
                                           "Levels before you can assess students."),
                            ui::vbCritical, QStringLiteral("Big Problem"));
        return false;
    }
    if (!AnyCriteria()) {
        ui::Dialogs::msgBox(QStringLiteral("There are no criterion to assess students on. You need "
                                           "to enter competencies for Award Levels before you can "
                                           "assess students."),
                            ui::vbCritical, QStringLiteral("Big Problem"));
        return false;
    }
    return true;
}

void frmAssess2::openSheet(qint32 assessmentId, qint32 studentId)
{
    auto *sheet = ui::Forms::create<frmAssess3>();
    sheet->load();
    sheet->LoadAssessment(assessmentId, txtEmpID->text().toInt(), this, classOf(cboClass2),
                          studentId);
    if (sheet->isLoaded())
        sheet->showForm();
}

void frmAssess2::cmdAssess_Click()
{
    const QListWidgetItem *item = lstStudents->currentItem();
    if (!item || classOf(cboClass2) == 0)
        return;
    try {
        if (!canAssess())
            return;
        // A student placed for assessment carries his placement's number.
        const qint32 student =
            item->text().contains(QStringLiteral("(AID"))
                ? GetAssessmentStudentID(NumberAfterMarker(item->text(), QStringLiteral("(AID")))
                : NumberAfterMarker(item->text(), QStringLiteral("(SID"));
        if (student > 0)
            openSheet(0, student);
    } catch (...) {
        reportFailure(QStringLiteral("The assessment sheet could not be opened."));
    }
}

void frmAssess2::cmdAssess2_Click()
{
    const QListWidgetItem *item = lstStudents2->currentItem();
    if (!item || classOf(cboClass2) == 0)
        return;
    try {
        if (canAssess())
            openSheet(NumberAfterMarker(item->text(), QStringLiteral("(AID")), 0);
    } catch (...) {
        reportFailure(QStringLiteral("The assessment sheet could not be opened."));
    }
}

void frmAssess2::cmdDel_Click()
{
    const QListWidgetItem *item = lstStudents2->currentItem();
    if (!item)
        return;
    const QString entry = item->text();
    if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to delete the assessment for ") +
                                entry + QLatin1Char('?'),
                            ui::vbYesNo | ui::vbQuestion,
                            QStringLiteral("Just making sure...")) != ui::vbYes)
        return;
    try {
        if (!ResetAssessment(GetAssessmentIdFromListText(entry)))
            ui::Dialogs::msgBox(QStringLiteral("The assessment record could not be located. Delete "
                                               "operation failed."),
                                ui::vbCritical, QStringLiteral("Oops!"));
    } catch (...) {
        reportFailure(QStringLiteral("The assessment could not be deleted; nothing was changed."));
    }
    cboClass2_Click();
    cboClass_Click();
}

void frmAssess2::cmdFinalise_Click()
{
    const qint32 cls = classOf(cboClass2);
    if (cls == 0)
        return;
    if (ui::Dialogs::msgBox(
            QStringLiteral("Finalising These Assessments will permanently attach them to the student "
                           "records. You will not be able to edit these assessments after they have "
                           "been finalised. Are you sure you want to finalise these your "
                           "assessments?"),
            ui::vbYesNo | ui::vbQuestion, QStringLiteral("Careful...")) != ui::vbYes) {
        ui::Dialogs::msgBox(QStringLiteral("Your assessments were not finalised."),
                            ui::vbInformation, QStringLiteral("It's Okay"));
        return;
    }
    try {
        FinaliseClass(cls);
    } catch (...) {
        reportFailure(QStringLiteral("The assessments could not be finalised; nothing was "
                                     "changed."));
        cboClass2_Click();
        return;
    }
    cboClass2_Click();
    ui::Dialogs::msgBox(QStringLiteral("Finalisation operation complete."), ui::vbInformation,
                        QStringLiteral("All finished!"));
}

void frmAssess2::cmdAddStudent_Click()
{
    if (chosenClass() == 0)
        return;
    ui::Forms::shared<frmAssessFS>()->showForm();
}

void frmAssess2::cmdRemoveStudent_Click()
{
    const QListWidgetItem *item = lstStudents->currentItem();
    if (!item)
        return;
    const QString entry = item->text();
    if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to remove ") + entry +
                                QStringLiteral(" from this class for assessment purposes?"),
                            ui::vbYesNo | ui::vbQuestion,
                            QStringLiteral("Just making sure")) != ui::vbYes)
        return;
    if (!entry.contains(QStringLiteral("(AID"))) {
        ui::Dialogs::msgBox(QStringLiteral("This student cannot be removed from the class for "
                                           "assessment purposes because they are enrolled in the "
                                           "class."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    try {
        RemovePlacedStudent(NumberAfterMarker(entry, QStringLiteral("(AID")));
    } catch (...) {
        reportFailure(QStringLiteral("The student could not be removed; nothing was changed."));
    }
    cboClass_Click();
}

void frmAssess2::cmdOK_Click()
{
    unload(ui::CloseReason::Code);
}
