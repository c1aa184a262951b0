#pragma once

#include <QString>
#include <functional>

namespace ui {
class FlexGrid;
}

namespace watertests {

// Prints a grid as a report page: the grid, its title and a sub-heading.
using GridPrinter =
    std::function<void(const ui::FlexGrid *grid, const QString &title, const QString &subHeading)>;

// Registers the water test list window "frmWaterTesting" (one shared window) and
// the edit window "frmWaterTestDetail" (a new one each time) by name, and the
// authorised operation "Water Testing" (the WaterTestUtility flag, checked by
// name). The list's "Print Records" prints through printGrid; without one the
// button stays disabled.
void RegisterWaterTestWindows(GridPrinter printGrid = {});

} // namespace watertests
