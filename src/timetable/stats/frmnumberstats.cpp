#include "frmnumberstats.h"

#include "core/errorinfo.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "enrolmentnumbers.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "reports/gridreport.h"
#include "timetable/programs.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int TotalColumn = 9;

QString errorLine(const core::ErrorInfo &error)
{
    return QStringLiteral("\r\nErr#") + QString::number(error.number) + QStringLiteral(" - ") +
           error.description + QStringLiteral(".");
}

} // namespace

frmNumberStats::frmNumberStats()
{
    setObjectName(QStringLiteral("frmNumberStats"));
    setCaption(QStringLiteral("Enrolment Numbers per Level"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    Image1 = core::NewLogoLabel(this);
    auto *heading = ui::headingLabel(QStringLiteral("Statistics"), this);
    auto *subHeading = new QLabel(QStringLiteral("Students Enrolled in Each Level"), this);

    auto *programLabel = new QLabel(QStringLiteral("Select Program:"), this);
    cboProgram = new QComboBox(this);
    cboProgram->setObjectName(QStringLiteral("cboProgram"));
    cboProgram->setMinimumContentsLength(24);
    programLabel->setBuddy(cboProgram);

    grd = new ui::FlexGrid(this);
    grd->setObjectName(QStringLiteral("grd"));
    grd->hide();

    fraWait = new QFrame(this);
    fraWait->setObjectName(QStringLiteral("fraWait"));
    fraWait->setFrameShape(QFrame::StyledPanel);
    auto *waitText = new QLabel(QStringLiteral("Please Wait while the statistics are calculated... "
                                               "This may take a few minutes..."),
                                fraWait);
    waitText->setWordWrap(true);
    prg = new QProgressBar(fraWait);
    prg->setObjectName(QStringLiteral("prg"));
    auto *waitLayout = new QVBoxLayout(fraWait);
    waitLayout->addWidget(waitText);
    waitLayout->addWidget(prg);
    fraWait->hide();

    Command1 = ui::namedButton(QStringLiteral("View or Print"), QStringLiteral("Command1"), this);
    Command1->hide();

    auto *titles = new QVBoxLayout;
    titles->addWidget(heading);
    titles->addWidget(subHeading);
    titles->addStretch(1);
    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addLayout(titles, 1);

    auto *program = new QHBoxLayout;
    program->addWidget(programLabel);
    program->addWidget(cboProgram, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(program);
    all->addWidget(grd, 1);
    all->addWidget(fraWait);
    all->addLayout(buttons);

    connect(cboProgram, &QComboBox::activated, this, [this] { cboProgram_Click(); });
    connect(Command1, &QPushButton::clicked, this, &frmNumberStats::Command1_Click);
}

void frmNumberStats::onLoad()
{
    core::PlaceOnMainWindow(this);
    Load_Program_List();
    SetupGrid();
    core::ShowClassSearchLogo(Image1);
}

void frmNumberStats::Load_Program_List()
{
    imodPrograms::FillProgramCombo(cboProgram, false);
}

void frmNumberStats::SetupGrid()
{
    grd->setFixedCols(0);
    grd->setCols(TotalColumn + 1);
    grd->setRows(1);
    const QStringList headings = {"Level", "Mon", "Tue", "Wed",   "Thu",
                                  "Fri",   "Sat", "Sun", "Other", "Total"};
    for (int c = 0; c <= TotalColumn; ++c) {
        grd->setTextMatrix(0, c, headings.at(c));
        grd->setColWidth(c, c == 0 ? 2000 : 650);
        grd->setColAlignment(c, c == 0 ? ui::flexAlignLeftCenter : ui::flexAlignCenterCenter);
    }
}

void frmNumberStats::cboProgram_Click()
{
    grd->hide();
    fraWait->show();
    FillGrid();
}

void frmNumberStats::FillGrid()
{
    ui::Hourglass hourglass;
    grd->setRows(1);
    const int index = core::listIndex(cboProgram);
    if (index < 0) {
        fraWait->hide();
        return;
    }
    const qint32 programId = core::listItemData(cboProgram, index);
    fraWait->show();
    grd->hide();
    repaint();

    QList<enrolmentnumbers::LevelCounts> levels;
    try {
        levels = enrolmentnumbers::CountEnrolments(programId);
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        fraWait->hide();
        Command1->hide();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when counting the enrolments.") +
                                errorLine(error),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }

    prg->setMaximum(int(levels.size()) + 1);
    prg->setValue(1);
    std::array<qint32, TotalColumn> totals{};
    for (const enrolmentnumbers::LevelCounts &level : levels) {
        grd->addItem(QString());
        const int row = grd->rows() - 1;
        grd->setTextMatrix(row, 0, level.level);
        for (int day = 0; day < int(level.counts.size()); ++day) {
            grd->setTextMatrix(row, day + 1, QString::number(level.counts[day]));
            totals[day] += level.counts[day];
        }
        grd->setTextMatrix(row, TotalColumn, QString::number(level.total()));
        grd->setCellFontBold(row, TotalColumn, true);
        totals[TotalColumn - 1] += level.total();
        prg->setValue(prg->value() + 1);
    }
    grd->addItem(QString());
    const int last = grd->rows() - 1;
    for (int c = 1; c <= TotalColumn; ++c) {
        grd->setTextMatrix(last, c, QString::number(totals[c - 1]));
        grd->setCellFontBold(last, c, true);
    }

    grd->show();
    Command1->show();
    fraWait->hide();
}

void frmNumberStats::Command1_Click()
{
    try {
        Global::ShowGridAsHtmlReport(grd, QStringLiteral("Number Enrolled"),
                                     QStringLiteral("<b>Program: </b>") +
                                         cboProgram->currentText().toHtmlEscaped());
    } catch (...) {
        ui::Dialogs::msgBox(QStringLiteral("There was an error when exporting the grid to a "
                                           "report.") +
                                errorLine(core::currentError()),
                            ui::vbExclamation, QStringLiteral("Grid Export Error"));
    }
}
