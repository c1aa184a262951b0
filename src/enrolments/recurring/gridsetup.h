#pragma once

#include <QStringList>
#include <initializer_list>

namespace ui {
class FlexGrid;
}

namespace enrolments {

// Empties the grid down to its one heading row and gives it the headings and
// widths (twips; 0 hides a column), the heading cells centred.
void SetUpListGrid(ui::FlexGrid *grid, const QStringList &headings,
                   std::initializer_list<int> widths, int fixedCols = 0);
// Selects the first data row across all columns, when there is one.
void SelectFirstRow(ui::FlexGrid *grid);

} // namespace enrolments
