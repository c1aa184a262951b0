#include "frmmovestudent.h"

#include "classes/classsearch.h"
#include "classes/searchlists.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "enrolments/imodenrolments.h"
#include "enrolments/moving.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/labels.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString moveAll = QStringLiteral("(All)");

template <class W> W *moveNamed(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QComboBox *moveDropDown(QWidget *parent, const char *name)
{
    auto *list = moveNamed(new QComboBox(parent), name);
    list->setEditable(false);
    list->setMinimumWidth(180);
    return list;
}

// Groups with a description; the active ones only unless all.
QString moveLevelSql(bool all)
{
    return all ? QStringLiteral("SELECT Description FROM ClassGroups WHERE Description <> '';")
               : QStringLiteral("SELECT Description FROM ClassGroups WHERE (Inactive = 0) AND "
                                "Description <> '';");
}

// Every instructor, inactive people included.
const QString moveInstructorSql = QStringLiteral(
    "SELECT Students.[First Name] & ' ' & Students.[Last Name] AS InstructorName FROM "
    "Instructors INNER JOIN Students ON Instructors.StudentID = Students.StudentID;");

} // namespace

frmMoveStudent::frmMoveStudent()
{
    setObjectName(QStringLiteral("frmMoveStudent"));
    setCaption(QStringLiteral("Move Student to Another Class"));
    Image1 = core::NewLogoLabel(this);
    auto *heading = ui::headingLabel(QStringLiteral("Move to Another Class"), this);
    heading->setObjectName(QStringLiteral("Label2"));
    Label8 = moveNamed(ui::sectionLabel(QStringLiteral("Student:"), this), "Label8");
    lblStudentName = moveNamed(new QLabel(QStringLiteral("Unknown"), this), "lblStudentName");
    Label7 = moveNamed(ui::sectionLabel(QStringLiteral("Search Criteria"), this), "Label7");
    Label1 = moveNamed(new QLabel(QStringLiteral("Select Program:"), this), "Label1");
    Label3 = moveNamed(new QLabel(QStringLiteral("Select Day:"), this), "Label3");
    Label5 = moveNamed(new QLabel(QStringLiteral("Select Class Group:"), this), "Label5");
    Label6 = moveNamed(new QLabel(QStringLiteral("Select Instructor:"), this), "Label6");
    cboProgram = moveDropDown(this, "cboProgram");
    cboDay = moveDropDown(this, "cboDay");
    cboLevel = moveDropDown(this, "cboLevel");
    cboInstructor = moveDropDown(this, "cboInstructor");
    chkSpots = moveNamed(new QCheckBox(QStringLiteral("Only show classes with vacancies"), this),
                         "chkSpots");
    lblSR = moveNamed(ui::sectionLabel(QStringLiteral("Search Results"), this), "lblSR");
    Label4 = moveNamed(ui::wrappedLabel(QString(), this), "Label4");
    grd = moveNamed(new ui::FlexGrid(this), "grd");
    cmdNext = ui::namedButton(QStringLiteral("Finish"), QStringLiteral("cmdNext"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);

    auto *top = new QHBoxLayout;
    auto *titles = new QVBoxLayout;
    titles->addWidget(heading);
    auto *studentLine = new QHBoxLayout;
    studentLine->addWidget(Label8);
    studentLine->addWidget(lblStudentName, 1);
    titles->addLayout(studentLine);
    top->addLayout(titles, 1);
    top->addWidget(Image1);
    auto *filters = new QGridLayout;
    filters->addWidget(Label1, 0, 0);
    filters->addWidget(cboProgram, 0, 1);
    filters->addWidget(Label3, 0, 2);
    filters->addWidget(cboDay, 0, 3);
    filters->addWidget(Label5, 1, 0);
    filters->addWidget(cboLevel, 1, 1);
    filters->addWidget(Label6, 1, 2);
    filters->addWidget(cboInstructor, 1, 3);
    filters->addWidget(chkSpots, 2, 1, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label7);
    layout->addLayout(filters);
    layout->addWidget(lblSR);
    layout->addWidget(Label4);
    layout->addWidget(grd, 1);
    layout->addLayout(buttons);
    resize(760, 560);

    for (QComboBox *list : {cboProgram, cboDay, cboLevel, cboInstructor})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { RunSearch(); });
    connect(chkSpots, &QCheckBox::clicked, this, [this] { RunSearch(); });
    connect(cmdNext, &QPushButton::clicked, this, &frmMoveStudent::cmdNext_Click);
    connect(grd, &ui::FlexGrid::dblClick, this, &frmMoveStudent::cmdNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmMoveStudent::cmdClose_Click);
}

void frmMoveStudent::onLoad()
{
    m_filling = true;
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    Global::SetupClassSearchGrid(grd, this);
    Load_Program_List(true);
    try {
        imodGlobalSubs::FillDayCombo(cboDay, true, 0);
    } catch (...) {
    }
    loadLevelList(false);
    classsearch::FillFilterList(
        cboInstructor, moveInstructorSql,
        {QStringLiteral("Oops!"), QStringLiteral("An error occurred when loading the list of instructors."),
         QStringLiteral("The list may not display correctly.")});
    m_filling = false;
}

void frmMoveStudent::Load_Program_List(bool boolHideInactive)
{
    const bool filling = m_filling;
    m_filling = true;
    try {
        const int err = imodPrograms::FillProgramCombo(cboProgram, !boolHideInactive);
        if (err != 0)
            throw vb::Error(err);
        core::setListIndex(cboProgram, -1);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when loading the list of programs.\r\n"
                                           "Err#") +
                                QString::number(e.number) + QStringLiteral(" - ") + e.description +
                                QStringLiteral(".\r\nThe list may not display correctly."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
    }
    m_filling = filling;
}

void frmMoveStudent::loadLevelList(bool all)
{
    classsearch::FillFilterList(
        cboLevel, moveLevelSql(all),
        {QStringLiteral("Oops!"),
         QStringLiteral("An error occurred when loading the list of class groups."),
         QStringLiteral("The list of class groups may not display correctly.")});
}

bool frmMoveStudent::selectText(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchFixedString);
    list->setCurrentIndex(index);
    return index >= 0;
}

void frmMoveStudent::LoadUp(qint32 intBKID, vb::Currency curCost, const QString &strCallFormName,
                            qint32 intCallClassID, const QString &strProgramName,
                            const QString &strLevel)
{
    m_preStudentId = 0;
    m_preProgramId = 0;
    m_bookingId = intBKID;
    m_cost = curCost;
    m_opener = strCallFormName;
    m_openerClassId = intCallClassID;

    // The first text missing from its list brings in the full lists, once.
    bool retried = false;
    auto select = [&](QComboBox *list, const QString &text) {
        if (selectText(list, text) || retried)
            return;
        retried = true;
        Load_Program_List(false);
        loadLevelList(true);
        const bool filling = m_filling;
        m_filling = true;
        cboLevel->setCurrentIndex(-1);
        m_filling = filling;
        selectText(list, text);
    };
    try {
        select(cboProgram, strProgramName);
    } catch (...) {
    }
    try {
        selectText(cboDay, moveAll);
        selectText(cboInstructor, moveAll);
    } catch (...) {
    }
    try {
        select(cboLevel, strLevel);
    } catch (...) {
    }
    try {
        lblStudentName->setText(
            imodEnrolments::GetBookingStudentName(intBKID) + QStringLiteral("  (currently ") +
            imodClasses::GetClassFullCaption(imodEnrolments::GetBookingClassID(intBKID)) +
            QLatin1Char(')'));
    } catch (...) {
    }
}

void frmMoveStudent::LoadPreEnrol(qint32 lngStudentID, qint32 lngProgramID,
                                  const QString &strNotes)
{
    QString program;
    try {
        program = imodPrograms::GetProgramName(lngProgramID);
        selectText(cboProgram, program);
    } catch (...) {
    }
    m_preStudentId = lngStudentID;
    m_preProgramId = lngProgramID;
    m_preferences = strNotes;
    m_bookingId = 0;
    m_cost = vb::Currency();
    m_opener = QStringLiteral("frmPreEnrol");
    m_openerClassId = 0;
    try {
        lblStudentName->setText(imodStudents::GetStudentName(lngStudentID) +
                                QStringLiteral("  (currently pre-enrolled for ") + program +
                                QLatin1Char(')'));
    } catch (...) {
    }
    for (QComboBox *list : {cboDay, cboInstructor, cboLevel}) {
        try {
            selectText(list, moveAll);
        } catch (...) {
        }
    }
}

void frmMoveStudent::RunSearch()
{
    if (m_filling)
        return;
    for (QComboBox *list : {cboProgram, cboDay, cboLevel, cboInstructor}) {
        if (list->currentText().isEmpty())
            return;
    }
    Global::RunClassSearch(grd, this, vb::CLng(cboProgram->currentData()),
                           cboInstructor->currentText(), cboDay->currentText(),
                           cboLevel->currentText(), chkSpots->isChecked(), QString(), 0, QString(),
                           QString(), moveAll);
}

void frmMoveStudent::cmdNext_Click()
{
    const int row = grd->gridRow();
    if (row <= 0 || row >= grd->rows())
        return;
    const qint32 classId = vb::CLng(vb::Val(grd->textMatrix(row, 0)));
    if (classId == 0)
        return;
    if (preEnrolMode()) {
        // The entry the window was opened for goes, whatever program the list shows now.
        imodEnrolments::MovePreEnrolToClass(m_preStudentId, m_preProgramId, false, classId,
                                            m_preferences, QStringLiteral("I"));
    } else {
        imodEnrolments::MoveBookingToClass(m_bookingId, false, classId, m_cost, m_opener, 0);
    }
}

void frmMoveStudent::cmdClose_Click()
{
    unload();
}
