#pragma once

#include <QString>

class QWidget;

namespace ui {
class FlexGrid;
}

// The class search results grid and the search that fills it. The grid has one header
// row and eleven columns: 0 ClassID (hidden), 1 Activity, 2 Location, 3 the day
// pattern's sequence (hidden sort key), 4 Day, 5 the time as "hh:nn" (hidden sort
// key), 6 Time ("hh:mm AMPM"), 7 Level, 8 Instructor, 9 Spots (free places), 10 Wait.
namespace Global {

// Fills the grid with the classes of the program that the filters let through (see
// classsearch::SearchStatement), sorted by day and time, and writes the summary of the
// filters and the number of classes into the window's label "Label4". Program 0
// searches nothing and leaves the grid hidden. With vacanciesOnly only classes with a
// free place are listed, and the whole grid is pale blue. A failure is shown ("Fill
// Grid Error") and the search goes on; the third failure of a call ends it.
void RunClassSearch(ui::FlexGrid *grid, QWidget *window, qint32 program,
                    const QString &instructor, const QString &day, const QString &level,
                    bool vacanciesOnly, const QString &timeMode, qint32 location,
                    const QString &level2, const QString &level3, const QString &activity);

// Runs the search at once on the loaded class search window "Main", with the filters
// its controls show (grd, cboProgram's selected entry, cboInstructor, cboDay,
// cboLevel, chkSpots, cboAMPM, cboPoolArea, cboLevel2, cboLevel3, cboActivity).
// Nothing when "Main" is not loaded. A control that cannot be read (no program
// selected, a control missing) raises to the caller, and no search runs.
void RefreshClassSearch();

// Gives the grid its one header row, eleven columns and their headings ("Activity"
// only when there is more than one activity, "Location" only with more than one pool
// area), sizes and centres them. Failures are shown and the set-up goes on.
void SetupClassSearchGrid(ui::FlexGrid *grid, QWidget *window);

// Shares the grid's width (less 1000 twips, at least 7685) among the shown columns;
// Spots and Wait are 500 twips wide. Failures are shown and the sizing goes on.
void ResizeClassSearchGrid(ui::FlexGrid *grid, QWidget *window);

} // namespace Global

namespace classsearch {

// Calls a member without arguments of the loaded class search window by name
// (Load_Program_List, Load_Level_List, ...); false when it is not loaded.
bool CallMain(const QString &member);

// Runs the class search with the filters the class search window's controls show (the
// controls named as on "Main": grd, cboProgram, cboInstructor, cboDay, cboLevel,
// chkSpots, cboAMPM, cboPoolArea, cboLevel2, cboLevel3, cboActivity). A control that
// cannot be read (no program selected, a control missing) raises, and no search runs.
void SearchWithFiltersOf(QWidget *window);

// Refills the class search window's day filter (its "cboDay") with "(All)" and
// the day patterns in their order and selects "(All)", which runs its search again.
void RefillDayFilter();

// Runs the class search again (Global::RefreshClassSearch) after a window has finished
// changing classes, bookings or instructors. The change is done and stays done: a refresh
// that cannot run (no program chosen on "Main") is let go without a word, and the class
// search shows the change at its next search.
void RefreshAfterChange();

// Lays out the loaded class search window's grid ("grd") and runs its search again.
void RefreshGridLayout();

} // namespace classsearch
