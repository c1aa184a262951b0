#include "classsearch.h"

#include "classsearchquery.h"
#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/timetablelookups.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "timetable/programs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int Columns = 11;
constexpr long ButtonFace = 0x8000000F;
constexpr long WindowBackground = 0x80000005;
const QColor PaleBlue(192, 192, 255);

ui::Form *classSearch()
{
    return ui::Forms::find(QStringLiteral("Main"));
}

// A control of the window by its name; a missing one fails as a late-bound member would.
template <typename T>
T *control(QWidget *window, const char *name)
{
    T *found = window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!found)
        throw vb::Error(vb::err::ObjectDoesNotSupport);
    return found;
}

QString errorLine(const core::ErrorInfo &error)
{
    return QStringLiteral("Err#") + QString::number(error.number) + QStringLiteral(" - ") +
           error.description + QLatin1Char('.');
}

// Runs the steps of one procedure, each on its own: a failing step is reported and the
// next one runs; after `limit` failures (0: never) the procedure ends.
class Steps
{
public:
    struct Stop
    {
    };

    Steps(QString title, QString sentence, QString tail, int limit)
        : m_title(std::move(title))
        , m_sentence(std::move(sentence))
        , m_tail(std::move(tail))
        , m_limit(limit)
    {
    }

    template <typename Step>
    bool operator()(Step step)
    {
        try {
            step();
            return true;
        } catch (const Stop &) {
            throw;
        } catch (...) {
            const core::ErrorInfo error = core::currentError();
            ui::Dialogs::msgBox(m_sentence + QStringLiteral("\r\n") + errorLine(error) +
                                    QStringLiteral("\r\n") + m_tail,
                                ui::vbExclamation, m_title);
            if (m_limit > 0 && ++m_failures >= m_limit)
                throw Stop();
            return false;
        }
    }

private:
    QString m_title, m_sentence, m_tail;
    int m_limit;
    int m_failures = 0;
};

Steps fillSteps()
{
    return Steps(QStringLiteral("Fill Grid Error"),
                 QStringLiteral("An error occurred while filling the results grid with classes."),
                 QStringLiteral("The results may not display correctly and/or some classes may "
                                "not be displayed"),
                 3);
}

Steps gridSteps(const QString &sentence)
{
    return Steps(QStringLiteral("Error Loading Class Search Results Grid"), sentence,
                 Global::CentreSettings().ShortAppName() +
                     QStringLiteral(" will attempt to continue but the class search screen may "
                                    "not display correctly."),
                 0);
}

// One row of the search statement, as read.
struct ClassRow
{
    QVariant classId, description, day, time, max, poolArea, activity;
};

void fillGrid(ui::FlexGrid *grid, QWidget *window, const classsearch::Filters &filters)
{
    Steps step = fillSteps();
    QLabel *summary = nullptr;
    step([&] { grid->setRows(1); });
    step([&] {
        summary = control<QLabel>(window, "Label4");
        summary->setText(
            classsearch::Summary(imodPrograms::GetProgramName(filters.program), filters));
    });
    step([&] { grid->hide(); });
    int areas = 0, activities = 0;
    step([&] {
        areas = Global::CountPoolAreas();
        activities = Global::CountActivities();
    });
    if (filters.program == 0)
        return;

    classsearch::ProgramFigures figures(filters.program);
    std::unique_ptr<jet::Recordset> rs;
    const auto rows = [&]() -> jet::Recordset & {
        if (!rs)
            throw vb::Error(vb::err::ObjectVariableNotSet);
        return *rs;
    };
    step([&] { rs = irecObjectCode::OpenRecordset(classsearch::SearchStatement(filters)); });
    int found = 0;
    for (;;) {
        bool atEnd = false;
        step([&] { atEnd = rows().eof(); });
        if (atEnd)
            break;
        ClassRow row;
        step([&] {
            jet::Recordset &r = rows();
            row = {r.value(0), r.value(1), r.value(3), r.value(4), r.value(5), r.value(6),
                   r.value(7)};
        });
        qint32 classId = 0;
        int spots = 0;
        step([&] {
            classId = vb::CLng(row.classId);
            spots = figures.spots(classId, vb::CInt(row.max));
        });
        if (!filters.vacanciesOnly || spots >= 1) {
            ++found;
            int r = 0;
            step([&] {
                grid->setRows(grid->rows() + 1);
                r = grid->rows() - 1;
            });
            const auto cell = [&](int col, const auto &text) {
                step([&] { grid->setTextMatrix(r, col, text()); });
            };
            cell(0, [&] { return vb::CStr(row.classId); });
            if (activities > 1)
                cell(1, [&] { return vb::CStr(row.activity); });
            if (areas > 1)
                cell(2, [&] { return figures.poolAreaName(vb::CLng(row.poolArea)); });
            step([&] { grid->setCellForeColor(r, 3, Qt::white); });
            cell(3, [&] { return QString::number(figures.daySequence(vb::CStr(row.day))); });
            cell(4, [&] { return vb::CStr(row.day); });
            cell(5, [&] { return vb::Format(row.time, QStringLiteral("hh:nn")); });
            cell(6, [&] { return vb::Format(row.time, QStringLiteral("hh:mm AMPM")); });
            cell(7, [&] { return vb::CStr(row.description); });
            cell(8, [&] { return figures.instructorNames(classId); });
            cell(9, [&] { return QString::number(spots); });
            cell(10, [&] { return QString::number(figures.waiting(classId)); });
        }
        step([&] { rows().moveNext(); });
    }

    step([&] {
        if (!summary)
            summary = control<QLabel>(window, "Label4");
        summary->setText(summary->text() + QStringLiteral(" [") + QString::number(found) +
                         QStringLiteral(" classes]"));
    });
    step([&] {
        const QColor header = filters.vacanciesOnly ? PaleBlue : ui::fromVbColor(ButtonFace);
        const QColor data = filters.vacanciesOnly ? PaleBlue : ui::fromVbColor(WindowBackground);
        for (int c = 0; c < grid->cols(); ++c)
            grid->setColAlignment(c, ui::flexAlignCenterCenter);
        for (int r = 0; r < grid->rows(); ++r) {
            for (int c = 0; c < grid->cols(); ++c)
                grid->setCellBackColor(r, c, r < grid->fixedRows() ? header : data);
        }
    });
    step([&] { grid->show(); });
    step([&] {
        grid->setGridCol(3);
        grid->setColSel(5);
        grid->sort(ui::flexSortGenericAscending);
    });
    step([&] {
        if (grid->rows() > 1) {
            grid->setGridRow(1);
            grid->setGridCol(0);
            grid->setRowSel(1);
            grid->setColSel(grid->cols() - 1);
        }
    });
}

} // namespace

namespace Global {

void RunClassSearch(ui::FlexGrid *grid, QWidget *window, qint32 program,
                    const QString &instructor, const QString &day, const QString &level,
                    bool vacanciesOnly, const QString &timeMode, qint32 location,
                    const QString &level2, const QString &level3, const QString &activity)
{
    ui::Hourglass hourglass;
    const classsearch::Filters filters{program,  instructor, day,    level,  vacanciesOnly,
                                       timeMode, location,   level2, level3, activity};
    try {
        fillGrid(grid, window, filters);
    } catch (const Steps::Stop &) {
        // The third failure ends the search where it stands.
    }
}

void RefreshClassSearch()
{
    if (ui::Form *main = classSearch())
        classsearch::SearchWithFiltersOf(main);
}

void SetupClassSearchGrid(ui::FlexGrid *grid, QWidget *window)
{
    Steps step = gridSteps(
        QStringLiteral("An error occurred when loading the results grid on the class search "
                       "screen."));
    step([&] {
        grid->setFixedCols(0);
        grid->setCols(Columns);
        if (grid->fixedRows() > 1)
            grid->setFixedRows(1);
        grid->setRows(1);
        grid->setFixedRows(1);
        grid->setGridRow(0);
    });
    step([&] {
        grid->setTextMatrix(0, 0, QStringLiteral("ID"));
        if (Global::CountActivities() > 1)
            grid->setTextMatrix(0, 1, QStringLiteral("Activity"));
        if (Global::CountPoolAreas() > 1)
            grid->setTextMatrix(0, 2, QStringLiteral("Location"));
        grid->setTextMatrix(0, 4, QStringLiteral("Day"));
        grid->setTextMatrix(0, 6, QStringLiteral("Time"));
        grid->setTextMatrix(0, 7, QStringLiteral("Level"));
        grid->setTextMatrix(0, 8, QStringLiteral("Instructor"));
        grid->setTextMatrix(0, 9, QStringLiteral("Spots"));
        grid->setTextMatrix(0, 10, QStringLiteral("Wait"));
    });
    ResizeClassSearchGrid(grid, window);
    step([&] {
        for (int c = 0; c < grid->cols(); ++c)
            grid->setColAlignment(c, ui::flexAlignCenterCenter);
    });
}

void ResizeClassSearchGrid(ui::FlexGrid *grid, QWidget *)
{
    Steps step = gridSteps(
        QStringLiteral("An error occurred when resizing results grid on the class search "
                       "screen."));
    const int activityCount = Global::CountActivities();
    const int areaCount = Global::CountPoolAreas();
    const bool activities = activityCount > 1;
    const bool areas = areaCount > 1;
    const bool justOne = activityCount == 1 && areaCount == 1;
    // Shares of the usable width; 500 and more are twips.
    double widths[Columns] = {0, 0, 0, 0, 0.17, 0, 0.14, 0.24, 0.22, 500, 500};
    if (activities && areas) {
        const double shares[] = {0, 0.16, 0.16, 0, 0.14, 0, 0.11, 0.19, 0.19};
        std::copy(std::begin(shares), std::end(shares), widths);
    } else if (justOne) {
        const double shares[] = {0, 0, 0, 0, 0.20, 0, 0.20, 0.29, 0.26};
        std::copy(std::begin(shares), std::end(shares), widths);
    } else {
        widths[1] = activities ? 0.17 : 0;
        widths[2] = activities ? 0 : 0.17;
    }
    double usable = 0;
    step([&] {
        usable = std::nearbyint(ui::pixelsToTwips(grid->width()) - 1000.0);
        if (usable < 7685)
            usable = 7685;
    });
    for (int c = 0; c < Columns; ++c) {
        step([&] {
            const double w = widths[c];
            grid->setColWidth(c, w >= 1 ? int(w) : int(std::nearbyint(usable * w)));
        });
    }
}

} // namespace Global

namespace classsearch {

void SearchWithFiltersOf(QWidget *window)
{
    auto *grid = control<ui::FlexGrid>(window, "grd");
    QWidget *programs = control<QWidget>(window, "cboProgram");
    const qint32 program = core::listItemData(programs, core::listIndex(programs));
    const auto text = [window](const char *name) {
        return core::listText(control<QWidget>(window, name));
    };
    const QString instructor = text("cboInstructor");
    const QString day = text("cboDay");
    const QString level = text("cboLevel");
    const bool vacanciesOnly =
        control<QCheckBox>(window, "chkSpots")->checkState() != Qt::Unchecked;
    const QString timeMode = text("cboAMPM");
    const qint32 location = Global::GetPoolAreaId(text("cboPoolArea"));
    const QString level2 = text("cboLevel2");
    const QString level3 = text("cboLevel3");
    const QString activity = text("cboActivity");
    Global::RunClassSearch(grid, window, program, instructor, day, level, vacanciesOnly, timeMode,
                           location, level2, level3, activity);
}

bool CallMain(const QString &member)
{
    ui::Form *main = classSearch();
    if (!main)
        return false;
    ui::callByName(main, member);
    return true;
}

void RefillDayFilter()
{
    ui::Form *main = classSearch();
    if (!main)
        return;
    if (auto *days = main->findChild<QComboBox *>(QStringLiteral("cboDay")))
        imodGlobalSubs::FillDayCombo(days, true, 0);
}

void RefreshAfterChange()
{
    try {
        Global::RefreshClassSearch();
    } catch (...) {
    }
}

void RefreshGridLayout()
{
    ui::Form *main = classSearch();
    if (!main)
        return;
    if (auto *grid = main->findChild<ui::FlexGrid *>(QStringLiteral("grd")))
        Global::SetupClassSearchGrid(grid, main);
    Global::RefreshClassSearch();
}

} // namespace classsearch
