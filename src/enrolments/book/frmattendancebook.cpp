#include "frmattendancebook.h"

#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "enrolments/attendance.h"
#include "enrolments/attendancebook.h"
#include "enrolments/attendancekey.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString All = QStringLiteral("(All)");

// Runs one statement of a member whose errors are skipped.
template <typename F> void skippingErrors(F f)
{
    try {
        f();
    } catch (...) {
    }
}

QString errorLine(const core::ErrorInfo &e)
{
    return QStringLiteral("Err#") + QString::number(e.number) + QStringLiteral(" - ") +
           e.description + QLatin1Char('.');
}

} // namespace

frmAttendanceBook::frmAttendanceBook()
{
    setObjectName(QStringLiteral("frmAttendanceBook"));
    setCaption(QStringLiteral("Attendance Book"));

    auto *title = ui::headingLabel(QStringLiteral("Attendance Book"), this);
    const auto combo = [this](const char *name) {
        auto *box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        box->setMinimumContentsLength(16);
        return box;
    };
    cboProgram = combo("cboProgram");
    cboDay = combo("cboDay");
    cboInstructor = combo("cboInstructor");
    core::setListSorted(cboProgram, true);
    cmdShow = ui::namedButton(QStringLiteral("Show"), QStringLiteral("cmdShow"), this);
    agrd = new ui::FlexGrid(this);
    agrd->setObjectName(QStringLiteral("agrd"));
    agrd->setFixedRows(0);
    agrd->setFixedCols(0);
    agrd->setRows(0);
    key = new AttendanceKey(this);

    auto *filters = new QGridLayout;
    const auto labelled = [&](int column, const QString &text, QComboBox *box) {
        auto *label = new QLabel(text, this);
        label->setBuddy(box);
        filters->addWidget(label, 0, column);
        filters->addWidget(box, 1, column);
    };
    labelled(0, QStringLiteral("Program:"), cboProgram);
    labelled(1, QStringLiteral("Day:"), cboDay);
    labelled(2, QStringLiteral("Instructor:"), cboInstructor);
    filters->addWidget(cmdShow, 1, 3);
    filters->setColumnStretch(4, 1);

    auto *body = new QHBoxLayout;
    body->addWidget(agrd, 1);
    body->addWidget(key, 0, Qt::AlignTop);

    auto *all = new QVBoxLayout(this);
    all->addWidget(title);
    all->addLayout(filters);
    all->addLayout(body, 1);

    connect(cmdShow, &QPushButton::clicked, this, &frmAttendanceBook::cmdShow_Click);
    connect(agrd, &ui::FlexGrid::click, this, &frmAttendanceBook::agrd_Click);
}

void frmAttendanceBook::onLoad()
{
    core::PlaceOnMainWindow(this);
    // Each step has its own guard: loading goes on with the next.
    const auto step = [this](const auto &f) {
        try {
            f();
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Dialogs::msgBox(
                QStringLiteral("An error has occurred when loading the attendance book.\r\n") +
                    errorLine(e) + QStringLiteral("\r\n") +
                    Global::CentreSettings().ShortAppName() +
                    QStringLiteral(" will attempt to continue loading."),
                ui::vbExclamation, QStringLiteral("Load Up Error"));
        }
    };
    step([this] { Load_Program_List(); });
    step([this] { Load_Inst_List(); });
    step([this] { imodGlobalSubs::FillDayCombo(cboDay, true, 0); });
}

void frmAttendanceBook::Load_Program_List()
{
    skippingErrors([this] { core::listClear(cboProgram); });
    skippingErrors([this] {
        irecObjectCode::FillListFromSql(
            cboProgram, QStringLiteral("SELECT Program From Programs WHERE (((Programs.Inactive)=0));"),
            0);
    });
    skippingErrors([this] {
        if (core::listCount(cboProgram) > 0)
            core::setListIndex(cboProgram, 0);
    });
    skippingErrors([this] {
        core::setListText(cboProgram,
                          vb::CStr(vb::Nz(Global::CentreSettings().Settings(
                              int(CentreSettingIds::DefaultProgramName)))));
    });
}

void frmAttendanceBook::Load_Inst_List()
{
    skippingErrors([this] { core::listClear(cboInstructor); });
    skippingErrors([this] { core::listAddItem(cboInstructor, All); });
    skippingErrors([this] {
        irecObjectCode::FillListFromSql(
            cboInstructor,
            QStringLiteral("SELECT Students.[First Name] + \" \" + Students.[Last Name] As Expr1 "
                           "FROM Students INNER JOIN Instructors ON Students.StudentID = "
                           "Instructors.StudentID WHERE Students.Inactive = 0;"),
            1);
    });
    skippingErrors([this] { imodGlobalSubs::SetComboIndex(cboInstructor, 0); });
}

void frmAttendanceBook::cmdShow_Click()
{
    // The loading window shows while the book fills; its timer stays off.
    QPointer<ui::Form> loading = ui::LoadWindowByName(QStringLiteral("frmLoading"));
    if (loading)
        loading->showForm();
    ShowAttendanceBook();
    agrd->show();
    if (loading)
        loading->unload();
}

void frmAttendanceBook::ShowAttendanceBook()
{
    FillAttendanceBook(agrd, cboProgram->currentText(), cboInstructor->currentText(),
                       cboDay->currentText(), All, 0);
}

void frmAttendanceBook::FillAttendanceBook(ui::FlexGrid *grid, const QString &program,
                                           const QString &instructor, const QString &day,
                                           const QString &level, qint32 poolArea)
{
    ui::Hourglass::show();
    imodEnrolments::BookFillErrors errors;
    bool stopped = false;
    // Each statement has a guard: the filling goes on with the next unless the
    // user ends it.
    const auto step = [&](const auto &f) {
        if (stopped)
            return;
        try {
            f();
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Hourglass::reset();
            if (!errors.report(e)) {
                stopped = true;
                return;
            }
            ui::Hourglass::show();
        }
    };

    qint32 programId = 0;
    step([&] { programId = imodPrograms::GetProgramIdForName(program); });
    step([&] {
        grid->hide();
        grid->setCols(imodPrograms::GetProgramNumSessions(programId) + 4);
    });
    step([&] { grid->setRows(0); });
    QList<qint32> classes;
    step([&] {
        classes = imodEnrolments::AttendanceBookClasses(programId, instructor, day, level, poolArea);
    });
    for (const qint32 classId : classes) {
        if (stopped)
            break;
        step([&] {
            grid->setRows(grid->rows() + 1);
            const int row = grid->rows() - 1;
            grid->setGridRow(row);
            grid->setMergeRow(row, true);
            const QString caption = imodClasses::GetClassFullCaption(classId);
            for (int col = 0; col < grid->cols(); ++col) {
                grid->setTextMatrix(row, col, caption);
                grid->setCellBackColor(row, col, grid->backColorFixed());
            }
        });
        step([&] { imodEnrolments::LoadAttendanceGrid(classId, grid, this, 0, 0); });
    }
    if (stopped) {
        ui::Hourglass::reset();
        return;
    }
    step([&] {
        grid->show();
        if (grid->rows() > 1)
            grid->setRowSel(1);
    });
    ui::Hourglass::reset();
}

void frmAttendanceBook::agrd_Click()
{
    if (agrd->rows() == 0)
        return;
    const int clicked = agrd->gridRow();
    int caption = clicked;
    while (caption >= 0 && !agrd->mergeRow(caption))
        --caption;
    // Without a block above it the click has no class to mark.
    if (caption < 0 || caption + 1 >= agrd->rows())
        return;
    agrd->setGridRow(clicked);
    imodEnrolments::MarkGridAttendance(this, agrd, caption + 1);
}

void frmAttendanceBook::resizeEvent(QResizeEvent *event)
{
    ui::Form::resizeEvent(event);
    Form_Resize();
}

void frmAttendanceBook::Form_Resize()
{
    // The layout gives the grid its size; the name column takes what the sessions leave.
    skippingErrors([this] {
        if (ui::pixelsToTwips(height()) <= 2235 || agrd->cols() < 4)
            return;
        int width = ui::pixelsToTwips(agrd->width()) - (agrd->cols() - 3) * 400 - 1900;
        if (width < 1000) {
            width = 1000;
            agrd->setScrollBars(1);
        }
        agrd->setColWidth(0, width);
    });
}
