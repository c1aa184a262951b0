#include "gridsetup.h"

#include "platform/ui/flexgrid.h"

namespace enrolments {

void SetUpListGrid(ui::FlexGrid *grid, const QStringList &headings,
                   std::initializer_list<int> widths, int fixedCols)
{
    grid->setRows(1);
    grid->setCols(int(headings.size()));
    grid->setFixedRows(1);
    grid->setFixedCols(fixedCols);
    int col = 0;
    for (const int width : widths)
        grid->setColWidth(col++, width);
    for (col = 0; col < headings.size(); ++col) {
        grid->setTextMatrix(0, col, headings.at(col));
        grid->setCellAlignment(0, col, ui::flexAlignCenterCenter);
    }
}

void SelectFirstRow(ui::FlexGrid *grid)
{
    if (grid->rows() < 2)
        return;
    grid->setGridRow(1);
    grid->setGridCol(grid->fixedCols());
    grid->setRowSel(1);
    grid->setColSel(grid->cols() - 1);
}

} // namespace enrolments
