#include "classsearch.h"

#include "core/daypatterns.h"
#include "core/timetablelookups.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/twips.h"

#include <QComboBox>

namespace {

ui::Form *classSearch()
{
    return ui::Forms::find(QStringLiteral("Main"));
}

} // namespace

namespace Global {

void RefreshClassSearch()
{
    classsearch::CallMain(QStringLiteral("CheckBeforeFill"));
}

void SetupClassSearchGrid(ui::FlexGrid *grid, QWidget *window)
{
    static const char *const headings[] = {"ID",    "Activity",   "Location", "Day", "Time",
                                           "Level", "Instructor", "Spots",    "Wait"};
    // Shares of the window's width, in tenths of a per cent; hidden columns give theirs up.
    static const int shares[] = {50, 140, 140, 110, 90, 170, 200, 50, 50};
    const bool activities = Global::CountActivities() > 1;
    const bool areas = Global::CountPoolAreas() > 1;
    grid->setCols(9);
    if (grid->rows() < 1)
        grid->setRows(1);
    grid->setFixedRows(1);
    grid->setFixedCols(0);
    int total = 0;
    for (int c = 0; c < 9; ++c) {
        const bool shown = (c != 1 || activities) && (c != 2 || areas);
        if (shown)
            total += shares[c];
    }
    const int width = ui::pixelsToTwips(window ? window->width() : grid->width()) - 400;
    for (int c = 0; c < 9; ++c) {
        grid->setTextMatrix(0, c, QString::fromLatin1(headings[c]));
        const bool shown = (c != 1 || activities) && (c != 2 || areas);
        grid->setColWidth(c, shown ? qMax(300, width * shares[c] / total) : 0);
    }
}

} // namespace Global

namespace classsearch {

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
