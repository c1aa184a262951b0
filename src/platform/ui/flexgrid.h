#pragma once

#include <QColor>
#include <QTableWidget>
#include <QVector>

namespace ui {

// Column alignments and sort orders, numbered as the program gives them.
enum FlexAlignment : int {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3,
    flexAlignCenterCenter = 4,
    flexAlignCenterBottom = 5,
    flexAlignRightTop = 6,
    flexAlignRightCenter = 7,
    flexAlignRightBottom = 8,
    flexAlignGeneral = 9, // text left, numbers right
};

enum FlexSort : int {
    flexSortNone = 0,
    flexSortGenericAscending = 1,
    flexSortGenericDescending = 2,
    flexSortNumericAscending = 3,
    flexSortNumericDescending = 4,
    flexSortStringNoCaseAscending = 5,
    flexSortStringNoCaseDescending = 6,
    flexSortStringAscending = 7,
    flexSortStringDescending = 8,
};

// The program's grid on a QTableWidget. Rows and columns are counted as the
// program counts them: the fixed rows and columns are part of the grid, row 0 and
// column 0 being the first fixed ones. The first fixed row and column are kept as
// the table's headers (so they stay in view when the grid scrolls); further fixed
// rows are cells that cannot be selected. Row or column numbers outside the grid
// raise error 381. Sizes are in twips; a column width of 0 hides the column.
class FlexGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int fixedCols);

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);

    // The current cell and the far corner of the selected range.
    int gridRow() const { return m_row; }
    void setGridRow(int row);
    int gridCol() const { return m_col; }
    void setGridCol(int col);
    int rowSel() const { return m_rowSel; }
    void setRowSel(int row);
    int colSel() const { return m_colSel; }
    void setColSel(int col);
    // The text of the current cell.
    QString text() const { return textMatrix(m_row, m_col); }
    void setText(const QString &text) { setTextMatrix(m_row, m_col, text); }
    // The cell under the mouse at the last press.
    int mouseRow() const { return m_mouseRow; }
    int mouseCol() const { return m_mouseCol; }

    // Where a cell stands, in the grid's own coordinates (frame included): the
    // rectangle a box laid over the cell takes. Error 381 outside the grid.
    QRect cellRect(int row, int col) const;

    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);

    // A cell's own background colour; the base colour of the grid for a cell that
    // has none of its own. An invalid colour takes the cell's own colour away.
    QColor cellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor &color);
    // Whether the cell has a background colour of its own (painted), whatever it is.
    bool hasCellBackColor(int row, int col) const;
    // The background of the fixed cells, which the program also paints on cells of
    // ordinary rows that act as headings.
    QColor backColorFixed() const;
    // One cell's alignment (a FlexAlignment), over its column's; -1 when the cell
    // follows its column.
    int cellAlignment(int row, int col) const;
    void setCellAlignment(int row, int col, int alignment);

    // Row heights in twips; a height of 0 hides the row.
    int rowHeightTwips(int row) const;
    void setRowHeightTwips(int row, int twips);
    // A row flagged as merged shows its first cell across the whole width.
    bool mergeRow(int row) const;
    void setMergeRow(int row, bool merge);
    // The scroll bars: 0 none, 1 horizontal, 2 vertical, 3 both (as needed).
    int scrollBars() const { return m_scrollBars; }
    void setScrollBars(int setting);
    QColor cellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor &color);
    bool cellFontBold(int row, int col) const;
    void setCellFontBold(int row, int col, bool bold);

    // Adds a row, its cells' texts separated by tabs, at the end or before a row.
    void addItem(const QString &tabbedText, int beforeRow = -1);
    // Removes a row; the grid keeps at least one row below its fixed rows.
    void removeItem(int row);
    // Clears the text and formatting of every cell; the size stays.
    void clearAll();

    // The first non-fixed row in view.
    int topRow() const;
    void setTopRow(int row);

    // Sorts the rows below the fixed rows by the columns from the current column
    // to the selected one, in one of the FlexSort orders.
    void sort(int order);

    // The grid as an HTML table: fixed rows as header cells, hidden columns left
    // out, the text escaped.
    QString toHtml() const;

signals:
    void click();
    void dblClick();
    void rowColChange();
    void selChange();
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void keyPress(int character);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int headerRows() const { return m_fixedRows > 0 ? 1 : 0; }
    int headerCols() const { return m_fixedCols > 0 ? 1 : 0; }
    void checkCell(int row, int col) const;
    QTableWidgetItem *cell(int row, int col) const; // nullptr when not yet made
    QTableWidgetItem *makeCell(int row, int col);   // made on first use
    void styleCell(QTableWidgetItem *item, int row, int col);
    void restructure(int rows, int cols, int fixedRows, int fixedCols);
    void syncFromTable();
    void applySelection();
    void applyMerges();
    Qt::Alignment alignmentOf(int row, int col, const QString &text) const;

    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
    int m_mouseRow = 0;
    int m_mouseCol = 0;
    bool m_syncing = false;
    QVector<int> m_colAlign;
    int m_scrollBars = 3;
    QTableWidgetItem *m_corner = nullptr;
};

} // namespace ui
