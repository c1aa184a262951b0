#pragma once

#include <QString>

class QWidget;

namespace ui {
class FlexGrid;
}

// What other windows ask of the class search window "Main" after they change the
// timetable. Each call reaches the loaded window by name and does nothing while
// it is not loaded.
namespace Global {

// Runs the class search again with the filters chosen on it (its CheckBeforeFill).
void RefreshClassSearch();

// Lays out the class search result grid: the columns ID, Activity, Location, Day,
// Time, Level, Instructor, Spots and Wait, sized to the window; Activity shows only
// when more than one activity exists, Location only when more than one pool area does.
void SetupClassSearchGrid(ui::FlexGrid *grid, QWidget *window);

} // namespace Global

namespace classsearch {

// Calls a member without arguments of the loaded class search window by name
// (Load_Program_List, Load_Level_List, ...); false when it is not loaded.
bool CallMain(const QString &member);

// Refills the class search window's day filter (its "cboDay") with "(All)" and
// the day patterns in their order and selects "(All)", which runs its search again.
void RefillDayFilter();

// Lays out the loaded class search window's grid ("grd") and runs its search again.
void RefreshGridLayout();

} // namespace classsearch
