#include "platform/ui/flexgrid.h"
#include "platform/vb/error.h"
#include "support/screenshot.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using ui::FlexGrid;

namespace {

// A grid of the given size whose cells hold "r,c".
void fill(FlexGrid &g, int rows, int cols)
{
    g.setRows(rows);
    g.setCols(cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

bool holdsFill(const FlexGrid &g, int rows, int cols)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (g.textMatrix(r, c) != QStringLiteral("%1,%2").arg(r).arg(c))
                return false;
    return true;
}

long errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const vb::Error &e) {
        return e.number();
    }
    return 0;
}

QStringList column(const FlexGrid &g, int col)
{
    QStringList out;
    for (int r = g.fixedRows(); r < g.rows(); ++r)
        out << g.textMatrix(r, col);
    return out;
}

} // namespace

TEST(FlexGrid, StartsAsTwoByTwoWithOneFixedRowAndColumn)
{
    FlexGrid g;
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.cols(), 2);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.gridRow(), 1);
    EXPECT_EQ(g.gridCol(), 1);
}

TEST(FlexGrid, CellsKeepTheirTextWhateverTheFixedRowsAndColumns)
{
    const struct
    {
        int fixedRows, fixedCols;
    } layouts[] = {{0, 0}, {1, 0}, {0, 1}, {2, 1}, {1, 2}, {3, 3}, {1, 1}};
    FlexGrid g;
    fill(g, 4, 5);
    for (const auto &l : layouts) {
        g.setFixedRows(l.fixedRows);
        g.setFixedCols(l.fixedCols);
        EXPECT_EQ(g.rows(), 4);
        EXPECT_EQ(g.cols(), 5);
        EXPECT_TRUE(holdsFill(g, 4, 5)) << l.fixedRows << "/" << l.fixedCols;
        // The first fixed row and column are the table's headers.
        EXPECT_EQ(g.rowCount(), 4 - (l.fixedRows > 0 ? 1 : 0));
        EXPECT_EQ(g.columnCount(), 5 - (l.fixedCols > 0 ? 1 : 0));
    }
    // Growing and shrinking keeps what stays inside.
    g.setRows(6);
    g.setCols(3);
    EXPECT_TRUE(holdsFill(g, 4, 3));
    EXPECT_EQ(g.textMatrix(5, 2), "");
    g.setRows(1);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_TRUE(holdsFill(g, 1, 3));
}

TEST(FlexGrid, PlacesOutsideTheGridRaiseErrors)
{
    FlexGrid g;
    fill(g, 3, 3);
    const struct
    {
        const char *what;
        std::function<void()> call;
        long error;
    } cases[] = {
        {"row past the end", [&] { g.textMatrix(3, 0); }, 381},
        {"negative column", [&] { g.setTextMatrix(0, -1, "x"); }, 381},
        {"current row", [&] { g.setGridRow(5); }, 381},
        {"column width", [&] { g.setColWidth(3, 100); }, 381},
        {"fewer rows than fixed", [&] { g.setRows(0); }, 380},
        {"more fixed rows than rows", [&] { g.setFixedRows(4); }, 380},
        {"add before a header row", [&] { g.addItem("a", 0); }, 381},
        {"alignment", [&] { g.setColAlignment(1, 10); }, 380},
    };
    for (const auto &c : cases)
        EXPECT_EQ(errorOf(c.call), c.error) << c.what;
}

TEST(FlexGrid, AddItemAndRemoveItem)
{
    FlexGrid g;
    g.setCols(3);
    g.setRows(1);
    g.addItem("Name\tAge\tLevel", 0 + 1); // appended below the fixed row
    g.addItem("Ann\t7");
    g.addItem("Bob\t9\tGold\textra");
    g.addItem("Cid\t8\tRed", 2);
    EXPECT_EQ(g.rows(), 5);
    EXPECT_EQ(column(g, 0), (QStringList{"Name", "Cid", "Ann", "Bob"}));
    EXPECT_EQ(g.textMatrix(2, 2), "Red");
    EXPECT_EQ(g.textMatrix(3, 2), "");

    g.removeItem(1);
    EXPECT_EQ(column(g, 0), (QStringList{"Cid", "Ann", "Bob"}));
    g.removeItem(3);
    g.removeItem(2);
    EXPECT_EQ(column(g, 0), QStringList{"Cid"});
    EXPECT_EQ(errorOf([&] { g.removeItem(1); }), 30015); // the last row below the fixed ones
    EXPECT_EQ(errorOf([&] { g.removeItem(0); }), 381);

    // With a fixed column the row's first cell is its header.
    FlexGrid h;
    h.setRows(1);
    h.addItem("1\tx");
    EXPECT_EQ(h.textMatrix(1, 0), "1");
    EXPECT_EQ(h.textMatrix(1, 1), "x");
}

TEST(FlexGrid, ColumnWidthsAreTwipsAndZeroHides)
{
    FlexGrid g;
    fill(g, 3, 4);
    const struct
    {
        int col, twips, reads;
    } cases[] = {
        {1, 1500, 1500}, {2, 0, 0}, {3, 1000, 1005}, {0, 0, 0}, {0, 600, 600}, {2, 900, 900},
    };
    for (const auto &c : cases) {
        g.setColWidth(c.col, c.twips);
        EXPECT_EQ(g.colWidth(c.col), c.reads) << c.col << " " << c.twips;
    }
    g.setColWidth(2, 0);
    EXPECT_TRUE(g.isColumnHidden(1));
    // Widths survive a change of the fixed columns.
    g.setFixedCols(0);
    EXPECT_EQ(g.colWidth(2), 0);
    EXPECT_EQ(g.colWidth(1), 1500);
    // An empty grid keeps and reports its widths; a column outside it is error 381.
    FlexGrid empty;
    empty.setFixedRows(0);
    empty.setFixedCols(0);
    empty.setRows(0);
    empty.setCols(2);
    empty.setColWidth(1, 2000);
    EXPECT_NEAR(empty.colWidth(1), 2000, 15); // whole pixels
    EXPECT_THROW(empty.colWidth(2), vb::Error);
}

TEST(FlexGrid, SortsTheRowsBelowTheFixedOnes)
{
    const QStringList values{"10", "9", "apple", "Banana", "", "100", "banana", "Apple"};
    const struct
    {
        int order;
        QStringList expected;
    } cases[] = {
        {ui::flexSortGenericAscending,
         {"9", "10", "100", "", "apple", "Apple", "Banana", "banana"}},
        {ui::flexSortGenericDescending,
         {"Banana", "banana", "apple", "Apple", "", "100", "10", "9"}},
        {ui::flexSortNumericAscending,
         {"apple", "Banana", "", "banana", "Apple", "9", "10", "100"}},
        {ui::flexSortStringNoCaseAscending,
         {"", "10", "100", "9", "apple", "Apple", "Banana", "banana"}},
        {ui::flexSortStringAscending, {"", "10", "100", "9", "Apple", "Banana", "apple", "banana"}},
        {ui::flexSortStringDescending,
         {"banana", "apple", "Banana", "Apple", "9", "100", "10", ""}},
    };
    for (const auto &c : cases) {
        FlexGrid g;
        g.setCols(3);
        g.setRows(1);
        g.setTextMatrix(0, 1, "Key");
        for (int i = 0; i < values.size(); ++i)
            g.addItem(QString::number(i) + "\t" + values[i] + "\trow" + QString::number(i));
        g.setGridCol(1);
        g.sort(c.order);
        EXPECT_EQ(column(g, 1), c.expected) << c.order;
        // Whole rows move, the fixed column with them; the fixed row stays.
        for (int r = 1; r < g.rows(); ++r)
            EXPECT_EQ("row" + g.textMatrix(r, 0), g.textMatrix(r, 2));
        EXPECT_EQ(g.textMatrix(0, 1), "Key");
    }
}

TEST(FlexGrid, SortsByTheColumnsFromTheCurrentToTheSelectedOne)
{
    FlexGrid g;
    g.setFixedCols(0);
    g.setCols(2);
    g.setRows(1);
    for (const char *line : {"b\t2", "a\t3", "b\t1", "a\t1"})
        g.addItem(line);
    g.setGridCol(0);
    g.setColSel(1);
    g.sort(ui::flexSortGenericAscending);
    EXPECT_EQ(column(g, 0) + column(g, 1), (QStringList{"a", "a", "b", "b", "1", "3", "1", "2"}));
}

TEST(FlexGrid, CurrentCellSelectionAndItsSignals)
{
    FlexGrid g;
    fill(g, 5, 4);
    QSignalSpy rowCol(&g, &FlexGrid::rowColChange);
    QSignalSpy sel(&g, &FlexGrid::selChange);
    g.setGridRow(3);
    g.setGridCol(2);
    EXPECT_EQ(rowCol.count(), 2);
    EXPECT_EQ(g.text(), "3,2");
    g.setRowSel(4);
    g.setColSel(3);
    EXPECT_EQ(sel.count(), 2);
    EXPECT_EQ(g.selectedRanges().size(), 1);
    EXPECT_EQ(g.selectedRanges().first().topRow(), 2); // table rows below the header
    EXPECT_EQ(g.selectedRanges().first().rowCount(), 2);
    g.setText("changed");
    EXPECT_EQ(g.textMatrix(3, 2), "changed");

    // A click by the user moves the current cell and tells where the mouse was.
    g.resize(400, 300);
    g.show();
    QSignalSpy clicks(&g, &FlexGrid::click);
    const QRect cell = g.visualItemRect(g.item(0, 0));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(g.mouseRow(), 1);
    EXPECT_EQ(g.mouseCol(), 1);
    EXPECT_EQ(g.gridRow(), 1);
    EXPECT_EQ(g.gridCol(), 1);
    EXPECT_EQ(g.rowSel(), 1);

    QSignalSpy keys(&g, &FlexGrid::keyPress);
    QTest::keyClick(&g, Qt::Key_A);
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys.first().first().toInt(), int('a'));
}

TEST(FlexGrid, CellColoursBoldAndClear)
{
    FlexGrid g;
    fill(g, 3, 3);
    g.setCellBackColor(1, 1, QColor(255, 128, 128));
    g.setCellForeColor(2, 2, Qt::blue);
    g.setCellFontBold(0, 1, true);
    g.setCellFontBold(2, 1, true);
    EXPECT_EQ(g.cellBackColor(1, 1), QColor(255, 128, 128));
    EXPECT_EQ(g.cellForeColor(2, 2), QColor(Qt::blue));
    EXPECT_TRUE(g.cellFontBold(0, 1));
    EXPECT_TRUE(g.cellFontBold(2, 1));
    EXPECT_FALSE(g.cellFontBold(2, 2));
    EXPECT_EQ(g.cellBackColor(2, 2), g.palette().base().color());
    ovix::test::saveScreenshot(&g, "ui-flexgrid");

    g.clearAll();
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.textMatrix(0, 1), "");
    EXPECT_EQ(g.textMatrix(2, 2), "");
    EXPECT_FALSE(g.cellFontBold(2, 1));
    EXPECT_EQ(g.cellBackColor(1, 1), g.palette().base().color());
}

TEST(FlexGrid, TopRowScrollsTheRowsBelowTheFixedOnes)
{
    FlexGrid g;
    fill(g, 60, 2);
    g.resize(200, 200);
    g.show();
    EXPECT_EQ(g.topRow(), 1);
    g.setTopRow(20);
    EXPECT_EQ(g.topRow(), 20);
}

TEST(FlexGrid, WritesItselfAsAnHtmlTable)
{
    FlexGrid g;
    g.setCols(4);
    g.setRows(1);
    g.setTextMatrix(0, 1, "Name");
    g.setTextMatrix(0, 2, "Secret");
    g.setTextMatrix(0, 3, "Owing");
    g.addItem("1\tTom & <Jerry>\tx\t12.50");
    g.addItem("2\t\"Q\"\ty\t");
    g.setColWidth(2, 0);
    g.setColAlignment(1, ui::flexAlignCenterCenter);

    const QString expected = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n"
                             "<tr><th>&nbsp;</th><th>Name</th><th>Owing</th></tr>\n"
                             "<tr><td>1</td><td align=\"center\">Tom &amp; &lt;Jerry&gt;</td>"
                             "<td align=\"right\">12.50</td></tr>\n"
                             "<tr><td>2</td><td align=\"center\">&quot;Q&quot;</td>"
                             "<td>&nbsp;</td></tr>\n"
                             "</table>\n";
    EXPECT_EQ(g.toHtml().toStdString(), expected.toStdString());
}

TEST(FlexGrid, TellsAPaintedCellFromOneWithoutAColourOfItsOwn)
{
    FlexGrid g;
    g.setFixedRows(0);
    g.setFixedCols(0);
    fill(g, 3, 3);
    // A cell painted in the base colour is still painted; an invalid colour unpaints it.
    g.setCellBackColor(1, 1, g.cellBackColor(0, 0));
    EXPECT_TRUE(g.hasCellBackColor(1, 1));
    EXPECT_FALSE(g.hasCellBackColor(0, 0));
    EXPECT_EQ(g.cellBackColor(0, 0), g.palette().base().color());
    g.setCellBackColor(1, 1, QColor());
    EXPECT_FALSE(g.hasCellBackColor(1, 1));
    g.setCellBackColor(2, 2, g.backColorFixed());
    EXPECT_EQ(g.cellBackColor(2, 2), g.palette().button().color());
}

TEST(FlexGrid, CellAlignmentOverridesItsColumnAndSurvivesNewText)
{
    FlexGrid g;
    fill(g, 3, 3);
    g.setColAlignment(2, ui::flexAlignLeftCenter);
    EXPECT_EQ(g.cellAlignment(1, 2), -1);
    g.setCellAlignment(1, 2, ui::flexAlignCenterCenter);
    g.setTextMatrix(1, 2, QStringLiteral("C"));
    g.setColAlignment(2, ui::flexAlignRightCenter);
    EXPECT_EQ(g.cellAlignment(1, 2), ui::flexAlignCenterCenter);
    EXPECT_EQ(g.item(0, 1)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(g.item(1, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(errorOf([&] { g.setCellAlignment(1, 1, 10); }), 380);
}

TEST(FlexGrid, RowHeightsMergedRowsAndScrollBars)
{
    FlexGrid g;
    g.setFixedRows(0);
    g.setFixedCols(0);
    fill(g, 4, 5);
    g.setRowHeightTwips(2, 0);
    EXPECT_TRUE(g.isRowHidden(2));
    EXPECT_EQ(g.rowHeightTwips(2), 0);
    g.setRowHeightTwips(2, 300);
    EXPECT_EQ(g.rowHeightTwips(2), 300);

    // The merge flag moves with its row and spans the row as the grid widens.
    g.setMergeRow(1, true);
    EXPECT_EQ(g.columnSpan(1, 0), 5);
    g.addItem(QStringLiteral("new"), 0);
    EXPECT_TRUE(g.mergeRow(2));
    EXPECT_FALSE(g.mergeRow(1));
    g.setCols(8);
    EXPECT_EQ(g.columnSpan(2, 0), 8);
    g.setMergeRow(2, false);
    EXPECT_EQ(g.columnSpan(2, 0), 1);

    g.setScrollBars(1);
    EXPECT_EQ(g.scrollBars(), 1);
    EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(g.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(errorOf([&] { g.setScrollBars(4); }), 380);
}
