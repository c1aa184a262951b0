#include "frmreassigninst.h"

#include "platform/ui/buttons.h"
#include "platform/ui/labels.h"
#include "reassignment.h"

#include "classes/classsearch.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/vb/convert.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void oopsBox(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
}

QFrame *line(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QComboBox *dropDownList(const char *name, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setMinimumWidth(240);
    return list;
}

} // namespace

frmReassignInst::frmReassignInst()
{
    setObjectName(QStringLiteral("frmReassignInst"));
    setCaption(QStringLiteral("Reassign Instructors"));

    Image1 = core::NewLogoLabel(this);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(QPixmap(QStringLiteral(":/shell/icons/users.png")));
    Image2->setAlignment(Qt::AlignTop | Qt::AlignRight);

    auto *intro = new QVBoxLayout;
    intro->addWidget(ui::headingLabel(QStringLiteral("Reassign Instructors"), this));
    auto *explanation = new QLabel(QStringLiteral("This screen will allow you to rollover one "
                                                  "instructors classes to another instructor."),
                                   this);
    explanation->setWordWrap(true);
    intro->addWidget(explanation);
    intro->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(intro, 1);
    top->addWidget(Image2, 0, Qt::AlignTop);

    cboCurrent = dropDownList("cboCurrent", this);
    cboNew = dropDownList("cboNew", this);
    cboProgram = dropDownList("cboProgram", this);
    cboDay = dropDownList("cboDay", this);
    for (QComboBox *list : {cboCurrent, cboNew, cboProgram})
        core::setListSorted(list, true);

    auto *choices = new QFormLayout;
    choices->addRow(line(this));
    choices->addRow(ui::sectionLabel(QStringLiteral("Instructors to Change"), this));
    choices->addRow(QStringLiteral("Current Instructor:"), cboCurrent);
    choices->addRow(QStringLiteral("New Instructor:"), cboNew);
    choices->addRow(line(this));
    choices->addRow(ui::sectionLabel(QStringLiteral("Classes to Change"), this));
    choices->addRow(QStringLiteral("Select Program:"), cboProgram);
    choices->addRow(QStringLiteral("Select Day:"), cboDay);

    cmdOK = ui::namedButton(QStringLiteral("Process"), QStringLiteral("cmdOK"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(choices);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(480, 340);

    connect(cmdOK, &QPushButton::clicked, this, &frmReassignInst::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmReassignInst::cmdClose_Click);
}

void frmReassignInst::onLoad()
{
    core::PlaceOnMainWindow(this);
    core::ShowClassSearchLogo(Image1);
    try {
        core::listAddItem(cboCurrent, reassignment::All);
        auto instructors = irecObjectCode::OpenRecordset(QStringLiteral(
            "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name] FROM "
            "Students INNER JOIN Instructors ON Students.StudentID = Instructors.StudentID WHERE "
            "Students.Inactive = 0;"));
        for (; !instructors->eof(); instructors->moveNext()) {
            const QString text = reassignment::InstructorText(
                instructors->value(1), instructors->value(2), vb::CLng(instructors->value(0)));
            core::listAddItem(cboNew, text);
            core::listAddItem(cboCurrent, text);
        }
        auto programs =
            irecObjectCode::OpenRecordset(QStringLiteral("SELECT Programs.* FROM Programs;"));
        for (; !programs->eof(); programs->moveNext())
            core::listAddItem(cboProgram, reassignment::ProgramText(programs->value(1),
                                                                    vb::CLng(programs->value(0))));
        imodGlobalSubs::FillDayCombo(cboDay, true, -1);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        oopsBox(QStringLiteral("The lists of instructors, programs and days could not be "
                            "filled.\r\nErr#%1 - %2.")
                 .arg(error.number)
                 .arg(error.description));
    }
}

qint32 frmReassignInst::InstructorID_From_NameID(const QString &InstructorString)
{
    return reassignment::InstructorIdForText(InstructorString);
}

qint32 frmReassignInst::ProgramID_From_NameID(const QString &text)
{
    return reassignment::ProgramIdForText(text);
}

QString frmReassignInst::Process_Days(const QString &Day)
{
    return reassignment::DayPattern(Day);
}

void frmReassignInst::cmdOK_Click()
{
    for (QComboBox *list : {cboCurrent, cboNew, cboProgram, cboDay}) {
        if (list->currentIndex() < 0) {
            oopsBox(QStringLiteral("You must complete all fields before this can be processed."));
            return;
        }
    }
    const reassignment::Choice choice{cboCurrent->currentText(), cboNew->currentText(),
                                      cboProgram->currentText(), cboDay->currentText()};
    QString refusal;
    {
        ui::Hourglass busy;
        try {
            refusal = reassignment::Reassign(choice);
        } catch (...) {
            const core::ErrorInfo error = core::currentError();
            ui::Hourglass::reset();
            oopsBox(QStringLiteral("The instructors could not be reassigned.\r\nErr#%1 - %2.\r\n"
                                "Nothing has been changed.")
                     .arg(error.number)
                     .arg(error.description));
            return;
        }
        if (refusal.isEmpty())
            classsearch::RefreshAfterChange();
    }
    if (!refusal.isEmpty()) {
        oopsBox(refusal);
        return;
    }
    ui::Dialogs::msgBox(
        QStringLiteral("All classes in program ") + choice.program + QStringLiteral(" on ") +
            choice.day + QStringLiteral(" were reassigned from ") + choice.current +
            QStringLiteral(" to ") + choice.replacement + QStringLiteral(" successfully!"),
        ui::vbOKOnly | ui::vbInformation, QStringLiteral("Yay!"));
}

void frmReassignInst::cmdClose_Click()
{
    unload();
}
