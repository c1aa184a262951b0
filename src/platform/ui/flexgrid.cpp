#include "flexgrid.h"

#include "platform/vb/error.h"
#include "twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace ui {

namespace {

constexpr long SubscriptOutOfRange = 381;
constexpr long InvalidPropertyValue = 380;
constexpr long LastNonFixedRow = 30015;
// Item data beside Qt's own roles: a cell's own alignment, a row's merge flag (on
// its first cell, so that it moves with the row).
constexpr int CellAlignmentRole = Qt::UserRole + 40;
constexpr int MergeRowRole = Qt::UserRole + 41;

Qt::Alignment qtAlignment(int alignment, const QString &text)
{
    switch (alignment) {
    case flexAlignLeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case flexAlignLeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case flexAlignLeftBottom: return Qt::AlignLeft | Qt::AlignBottom;
    case flexAlignCenterTop: return Qt::AlignHCenter | Qt::AlignTop;
    case flexAlignCenterCenter: return Qt::AlignCenter;
    case flexAlignCenterBottom: return Qt::AlignHCenter | Qt::AlignBottom;
    case flexAlignRightTop: return Qt::AlignRight | Qt::AlignTop;
    case flexAlignRightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    case flexAlignRightBottom: return Qt::AlignRight | Qt::AlignBottom;
    default: {
        bool number = false;
        text.trimmed().toDouble(&number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    }
}

bool toNumber(const QString &text, double &value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok;
}

// Negative, zero or positive as a comes before, with or after b.
int compareKeys(const QString &a, const QString &b, int order)
{
    double x = 0, y = 0;
    switch (order) {
    case flexSortNumericAscending:
    case flexSortNumericDescending:
        toNumber(a, x);
        toNumber(b, y);
        return x < y ? -1 : (x > y ? 1 : 0);
    case flexSortStringNoCaseAscending:
    case flexSortStringNoCaseDescending: return a.compare(b, Qt::CaseInsensitive);
    case flexSortStringAscending:
    case flexSortStringDescending: return a.compare(b, Qt::CaseSensitive);
    default: {
        const bool nx = toNumber(a, x), ny = toNumber(b, y);
        if (nx && ny)
            return x < y ? -1 : (x > y ? 1 : 0);
        if (nx != ny)
            return nx ? -1 : 1; // numbers before text
        return a.compare(b, Qt::CaseInsensitive);
    }
    }
}

bool descending(int order)
{
    return order == flexSortGenericDescending || order == flexSortNumericDescending ||
           order == flexSortStringNoCaseDescending || order == flexSortStringDescending;
}

} // namespace

FlexGrid::FlexGrid(QWidget *parent)
    : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    restructure(2, 2, 1, 1);

    connect(this, &QTableWidget::cellClicked, this, &FlexGrid::click);
    connect(this, &QTableWidget::cellDoubleClicked, this, &FlexGrid::dblClick);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        m_mouseRow = 0;
        m_mouseCol = section + headerCols();
        emit click();
    });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        m_mouseRow = section + headerRows();
        m_mouseCol = 0;
        emit click();
    });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (m_syncing || row < 0 || col < 0)
            return;
        const int r = row + headerRows(), c = col + headerCols();
        const bool changed = r != m_row || c != m_col;
        m_row = m_rowSel = r;
        m_col = m_colSel = c;
        if (changed)
            emit rowColChange();
    });
    connect(this, &QTableWidget::itemSelectionChanged, this, [this] {
        if (m_syncing)
            return;
        syncFromTable();
        emit selChange();
    });
}

FlexGrid::~FlexGrid()
{
    delete m_corner;
}

int FlexGrid::rows() const
{
    return rowCount() + headerRows();
}

int FlexGrid::cols() const
{
    return columnCount() + headerCols();
}

void FlexGrid::setRows(int rows)
{
    if (rows < m_fixedRows)
        throw vb::Error(InvalidPropertyValue);
    const int old = rowCount();
    setRowCount(rows - headerRows());
    for (int tr = old; tr < rowCount(); ++tr) {
        if (headerCols())
            setVerticalHeaderItem(tr, new QTableWidgetItem);
    }
    // An empty grid keeps row 0 as its current row.
    m_row = std::max(0, std::min(m_row, this->rows() - 1));
    m_rowSel = std::max(0, std::min(m_rowSel, this->rows() - 1));
}

void FlexGrid::setCols(int cols)
{
    if (cols < m_fixedCols)
        throw vb::Error(InvalidPropertyValue);
    const int old = columnCount();
    setColumnCount(cols - headerCols());
    m_colAlign.resize(cols, flexAlignGeneral);
    for (int tc = old; tc < columnCount(); ++tc) {
        if (headerRows())
            setHorizontalHeaderItem(tc, new QTableWidgetItem);
    }
    m_col = std::min(m_col, this->cols() - 1);
    m_colSel = std::min(m_colSel, this->cols() - 1);
    if (columnCount() != old)
        applyMerges();
}

void FlexGrid::setFixedRows(int fixedRows)
{
    if (fixedRows < 0 || fixedRows > rows())
        throw vb::Error(InvalidPropertyValue);
    restructure(rows(), cols(), fixedRows, m_fixedCols);
}

void FlexGrid::setFixedCols(int fixedCols)
{
    if (fixedCols < 0 || fixedCols > cols())
        throw vb::Error(InvalidPropertyValue);
    restructure(rows(), cols(), m_fixedRows, fixedCols);
}

void FlexGrid::checkCell(int row, int col) const
{
    if (row < 0 || row >= rows() || col < 0 || col >= cols())
        throw vb::Error(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

QTableWidgetItem *FlexGrid::cell(int row, int col) const
{
    const int hr = headerRows(), hc = headerCols();
    if (row < hr && col < hc)
        return m_corner;
    if (row < hr)
        return horizontalHeaderItem(col - hc);
    if (col < hc)
        return verticalHeaderItem(row - hr);
    return item(row - hr, col - hc);
}

QTableWidgetItem *FlexGrid::makeCell(int row, int col)
{
    if (QTableWidgetItem *existing = cell(row, col))
        return existing;
    auto *made = new QTableWidgetItem;
    const int hr = headerRows(), hc = headerCols();
    if (row < hr && col < hc)
        m_corner = made;
    else if (row < hr)
        setHorizontalHeaderItem(col - hc, made);
    else if (col < hc)
        setVerticalHeaderItem(row - hr, made);
    else
        setItem(row - hr, col - hc, made);
    styleCell(made, row, col);
    return made;
}

void FlexGrid::styleCell(QTableWidgetItem *item, int row, int col)
{
    if (row < m_fixedRows || col < m_fixedCols) {
        item->setFlags(Qt::ItemIsEnabled);
        if (row >= headerRows() && col >= headerCols() && !item->data(Qt::BackgroundRole).isValid())
            item->setBackground(palette().button());
    } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(alignmentOf(row, col, item->text()));
    }
}

void FlexGrid::restructure(int newRows, int newCols, int fixedRows, int fixedCols)
{
    // Keep every cell and column width by its grid place while the header mapping changes.
    const int oldRows = m_corner || rowCount() || columnCount() ? rows() : 0;
    const int oldCols = oldRows ? cols() : 0;
    QVector<QVector<QTableWidgetItem *>> kept(oldRows, QVector<QTableWidgetItem *>(oldCols));
    QVector<int> widths(oldCols);
    for (int r = 0; r < oldRows; ++r) {
        for (int c = 0; c < oldCols; ++c) {
            if (QTableWidgetItem *it = cell(r, c))
                kept[r][c] = it->clone();
        }
    }
    for (int c = 0; c < oldCols; ++c)
        widths[c] = colWidth(c);

    m_syncing = true;
    QTableWidget::clear();
    delete m_corner;
    m_corner = nullptr;
    m_fixedRows = fixedRows;
    m_fixedCols = fixedCols;
    setRowCount(newRows - headerRows());
    setColumnCount(newCols - headerCols());
    m_colAlign.resize(newCols, flexAlignGeneral);
    horizontalHeader()->setVisible(headerRows() > 0);
    verticalHeader()->setVisible(headerCols() > 0);
    for (int c = 0; c < newCols; ++c) {
        if (headerRows())
            makeCell(0, c);
    }
    for (int r = 0; r < newRows; ++r) {
        if (headerCols())
            makeCell(r, 0);
    }
    for (int r = 0; r < oldRows; ++r) {
        for (int c = 0; c < oldCols; ++c) {
            QTableWidgetItem *it = kept[r][c];
            if (!it)
                continue;
            if (r < newRows && c < newCols) {
                QTableWidgetItem *target = makeCell(r, c);
                *target = *it;
                styleCell(target, r, c);
            }
            delete it;
        }
    }
    for (int c = 0; c < std::min(oldCols, newCols); ++c)
        setColWidth(c, widths[c]);
    applyMerges();
    m_syncing = false;

    m_row = m_rowSel = std::max(0, std::min(m_row, newRows - 1));
    m_col = m_colSel = std::max(0, std::min(m_col, newCols - 1));
}

QString FlexGrid::textMatrix(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem *it = cell(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    checkCell(row, col);
    QTableWidgetItem *it = makeCell(row, col);
    it->setText(text);
    if (row >= m_fixedRows && col >= m_fixedCols)
        it->setTextAlignment(alignmentOf(row, col, text));
}

Qt::Alignment FlexGrid::alignmentOf(int row, int col, const QString &text) const
{
    const QTableWidgetItem *it = cell(row, col);
    const QVariant own = it ? it->data(CellAlignmentRole) : QVariant();
    return qtAlignment(own.isValid() ? own.toInt() : m_colAlign.value(col, flexAlignGeneral), text);
}

void FlexGrid::setGridRow(int row)
{
    checkCell(row, 0);
    const bool changed = row != m_row;
    m_row = m_rowSel = row;
    applySelection();
    if (changed)
        emit rowColChange();
}

void FlexGrid::setGridCol(int col)
{
    checkCell(0, col);
    const bool changed = col != m_col;
    m_col = m_colSel = col;
    applySelection();
    if (changed)
        emit rowColChange();
}

void FlexGrid::setRowSel(int row)
{
    checkCell(row, 0);
    m_rowSel = row;
    applySelection();
    emit selChange();
}

void FlexGrid::setColSel(int col)
{
    checkCell(0, col);
    m_colSel = col;
    applySelection();
    emit selChange();
}

void FlexGrid::applySelection()
{
    const int hr = headerRows(), hc = headerCols();
    const int tr = m_row - hr, tc = m_col - hc;
    m_syncing = true;
    clearSelection();
    if (tr >= 0 && tc >= 0) {
        setCurrentCell(tr, tc, QItemSelectionModel::NoUpdate);
        const int sr = std::max(m_rowSel - hr, 0), sc = std::max(m_colSel - hc, 0);
        setRangeSelected(QTableWidgetSelectionRange(std::min(tr, sr), std::min(tc, sc),
                                                    std::max(tr, sr), std::max(tc, sc)),
                         true);
    }
    m_syncing = false;
}

void FlexGrid::syncFromTable()
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty())
        return;
    int top = ranges.first().topRow(), bottom = ranges.first().bottomRow();
    int left = ranges.first().leftColumn(), right = ranges.first().rightColumn();
    for (const auto &r : ranges) {
        top = std::min(top, r.topRow());
        bottom = std::max(bottom, r.bottomRow());
        left = std::min(left, r.leftColumn());
        right = std::max(right, r.rightColumn());
    }
    const int hr = headerRows(), hc = headerCols();
    m_rowSel = (m_row - hr == top ? bottom : top) + hr;
    m_colSel = (m_col - hc == left ? right : left) + hc;
}

QRect FlexGrid::cellRect(int row, int col) const
{
    checkCell(row, col);
    const int hr = headerRows(), hc = headerCols();
    const QRect area = viewport()->geometry();
    const QHeaderView *top = horizontalHeader();
    const QHeaderView *side = verticalHeader();
    int x, y, w, h;
    if (col < hc) {
        x = side->geometry().x();
        w = side->width();
    } else {
        x = area.x() + columnViewportPosition(col - hc);
        w = columnWidth(col - hc);
    }
    if (row < hr) {
        y = top->geometry().y();
        h = top->height();
    } else {
        y = area.y() + rowViewportPosition(row - hr);
        h = rowHeight(row - hr);
    }
    return {x, y, w, h};
}

int FlexGrid::colWidth(int col) const
{
    // A column has its width also while the grid has no rows.
    if (col < 0 || col >= cols())
        throw vb::Error(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    if (col < headerCols())
        return verticalHeader()->isHidden() ? 0 : pixelsToTwips(verticalHeader()->width());
    const int tc = col - headerCols();
    return isColumnHidden(tc) ? 0 : pixelsToTwips(columnWidth(tc));
}

void FlexGrid::setColWidth(int col, int twips)
{
    // A column has its width also while the grid has no rows.
    if (col < 0 || col >= cols())
        throw vb::Error(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    const int pixels = twipsToPixels(twips);
    if (col < headerCols()) {
        verticalHeader()->setVisible(pixels > 0);
        if (pixels > 0)
            verticalHeader()->setFixedWidth(pixels);
        return;
    }
    const int tc = col - headerCols();
    setColumnHidden(tc, pixels <= 0);
    if (pixels > 0)
        setColumnWidth(tc, pixels);
}

int FlexGrid::colAlignment(int col) const
{
    checkCell(0, col);
    return m_colAlign.value(col, flexAlignGeneral);
}

void FlexGrid::setColAlignment(int col, int alignment)
{
    checkCell(0, col);
    if (alignment < flexAlignLeftTop || alignment > flexAlignGeneral)
        throw vb::Error(InvalidPropertyValue);
    m_colAlign[col] = alignment;
    for (int r = m_fixedRows; r < rows(); ++r) {
        if (QTableWidgetItem *it = cell(r, col))
            it->setTextAlignment(alignmentOf(r, col, it->text()));
    }
}

int FlexGrid::cellAlignment(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem *it = cell(row, col);
    const QVariant own = it ? it->data(CellAlignmentRole) : QVariant();
    return own.isValid() ? own.toInt() : -1;
}

void FlexGrid::setCellAlignment(int row, int col, int alignment)
{
    checkCell(row, col);
    if (alignment < flexAlignLeftTop || alignment > flexAlignGeneral)
        throw vb::Error(InvalidPropertyValue);
    QTableWidgetItem *it = makeCell(row, col);
    it->setData(CellAlignmentRole, alignment);
    it->setTextAlignment(qtAlignment(alignment, it->text()));
}

int FlexGrid::rowHeightTwips(int row) const
{
    checkCell(row, 0);
    if (row < headerRows())
        return horizontalHeader()->isHidden() ? 0 : pixelsToTwips(horizontalHeader()->height());
    const int tr = row - headerRows();
    return isRowHidden(tr) ? 0 : pixelsToTwips(rowHeight(tr));
}

void FlexGrid::setRowHeightTwips(int row, int twips)
{
    checkCell(row, 0);
    const int pixels = twipsToPixels(twips);
    if (row < headerRows()) {
        horizontalHeader()->setVisible(pixels > 0);
        if (pixels > 0)
            horizontalHeader()->setFixedHeight(pixels);
        return;
    }
    const int tr = row - headerRows();
    setRowHidden(tr, pixels <= 0);
    if (pixels > 0)
        setRowHeight(tr, pixels);
}

bool FlexGrid::mergeRow(int row) const
{
    checkCell(row, 0);
    const QTableWidgetItem *it = cell(row, 0);
    return it && it->data(MergeRowRole).toBool();
}

void FlexGrid::setMergeRow(int row, bool merge)
{
    checkCell(row, 0);
    makeCell(row, 0)->setData(MergeRowRole, merge ? QVariant(true) : QVariant());
    const int tr = row - headerRows();
    if (tr >= 0 && headerCols() == 0 && columnCount() > 1)
        setSpan(tr, 0, 1, merge ? columnCount() : 1);
}

void FlexGrid::applyMerges()
{
    if (headerCols() != 0)
        return;
    for (int tr = 0; tr < rowCount(); ++tr) {
        const QTableWidgetItem *it = item(tr, 0);
        if (it && it->data(MergeRowRole).toBool() && columnCount() > 1)
            setSpan(tr, 0, 1, columnCount());
    }
}

void FlexGrid::setScrollBars(int setting)
{
    if (setting < 0 || setting > 3)
        throw vb::Error(InvalidPropertyValue);
    m_scrollBars = setting;
    setHorizontalScrollBarPolicy(setting & 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(setting & 2 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

QColor FlexGrid::cellBackColor(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem *it = cell(row, col);
    const QVariant v = it ? it->data(Qt::BackgroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : palette().base().color();
}

void FlexGrid::setCellBackColor(int row, int col, const QColor &color)
{
    checkCell(row, col);
    if (!color.isValid()) {
        if (QTableWidgetItem *it = cell(row, col))
            it->setData(Qt::BackgroundRole, QVariant());
        return;
    }
    makeCell(row, col)->setBackground(color);
}

bool FlexGrid::hasCellBackColor(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem *it = cell(row, col);
    return it && it->data(Qt::BackgroundRole).isValid();
}

QColor FlexGrid::backColorFixed() const
{
    return palette().button().color();
}

QColor FlexGrid::cellForeColor(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem *it = cell(row, col);
    const QVariant v = it ? it->data(Qt::ForegroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : palette().text().color();
}

void FlexGrid::setCellForeColor(int row, int col, const QColor &color)
{
    checkCell(row, col);
    makeCell(row, col)->setForeground(color);
}

bool FlexGrid::cellFontBold(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem *it = cell(row, col);
    return it && it->font().bold();
}

void FlexGrid::setCellFontBold(int row, int col, bool bold)
{
    checkCell(row, col);
    QTableWidgetItem *it = makeCell(row, col);
    QFont f = it->font();
    f.setBold(bold);
    it->setFont(f);
}

void FlexGrid::addItem(const QString &tabbedText, int beforeRow)
{
    const int at = beforeRow < 0 ? rows() : beforeRow;
    if (at < headerRows() || at > rows())
        throw vb::Error(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    insertRow(at - headerRows());
    if (headerCols())
        setVerticalHeaderItem(at - headerRows(), new QTableWidgetItem);
    const QStringList parts = tabbedText.split(QLatin1Char('\t'));
    for (int c = 0; c < parts.size() && c < cols(); ++c)
        setTextMatrix(at, c, parts.at(c));
}

void FlexGrid::removeItem(int row)
{
    checkCell(row, 0);
    if (row < headerRows())
        throw vb::Error(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    if (rows() - m_fixedRows <= 1 && row >= m_fixedRows)
        throw vb::Error(LastNonFixedRow, QStringLiteral("Cannot remove last non-fixed row"));
    removeRow(row - headerRows());
    m_row = std::min(m_row, rows() - 1);
    m_rowSel = std::min(m_rowSel, rows() - 1);
}

void FlexGrid::clearAll()
{
    clearSpans();
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < cols(); ++c) {
            QTableWidgetItem *it = cell(r, c);
            if (!it)
                continue;
            it->setText(QString());
            it->setData(Qt::BackgroundRole, QVariant());
            it->setData(Qt::ForegroundRole, QVariant());
            it->setData(Qt::FontRole, QVariant());
            it->setData(CellAlignmentRole, QVariant());
            it->setData(MergeRowRole, QVariant());
            styleCell(it, r, c);
        }
    }
}

int FlexGrid::topRow() const
{
    return std::max(verticalScrollBar()->value() + headerRows(), m_fixedRows);
}

void FlexGrid::setTopRow(int row)
{
    checkCell(row, 0);
    verticalScrollBar()->setValue(std::max(row - headerRows(), 0));
}

void FlexGrid::sort(int order)
{
    if (order == flexSortNone)
        return;
    const int hr = headerRows(), hc = headerCols();
    const int c1 = std::min(m_col, m_colSel), c2 = std::max(m_col, m_colSel);
    const int first = m_fixedRows - hr; // first table row below the fixed rows
    if (first >= rowCount())
        return;

    struct Line
    {
        QTableWidgetItem *header = nullptr;
        QVector<QTableWidgetItem *> items;
        QStringList keys;
    };
    QVector<Line> lines;
    for (int tr = first; tr < rowCount(); ++tr) {
        Line line;
        for (int c = c1; c <= c2; ++c)
            line.keys << textMatrix(tr + hr, c);
        line.header = hc ? takeVerticalHeaderItem(tr) : nullptr;
        for (int tc = 0; tc < columnCount(); ++tc)
            line.items << takeItem(tr, tc);
        lines << line;
    }
    const bool down = descending(order);
    std::stable_sort(lines.begin(), lines.end(), [order, down](const Line &a, const Line &b) {
        for (qsizetype k = 0; k < a.keys.size(); ++k) {
            const int cmp = compareKeys(a.keys.at(k), b.keys.at(k), order);
            if (cmp != 0)
                return down ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    for (int i = 0; i < lines.size(); ++i) {
        if (hc)
            setVerticalHeaderItem(first + i, lines[i].header);
        for (int tc = 0; tc < columnCount(); ++tc)
            setItem(first + i, tc, lines[i].items[tc]);
    }
}

QString FlexGrid::toHtml() const
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n");
    for (int r = 0; r < rows(); ++r) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < cols(); ++c) {
            if (colWidth(c) == 0)
                continue;
            const bool fixed = r < m_fixedRows;
            const QString tag = fixed ? QStringLiteral("th") : QStringLiteral("td");
            const QString text = textMatrix(r, c);
            QString attributes;
            if (!fixed && c >= m_fixedCols) {
                const Qt::Alignment a = qtAlignment(m_colAlign.value(c), text);
                if (a & Qt::AlignRight)
                    attributes = QStringLiteral(" align=\"right\"");
                else if (a & Qt::AlignHCenter)
                    attributes = QStringLiteral(" align=\"center\"");
            }
            html += QLatin1Char('<') + tag + attributes + QLatin1Char('>') +
                    (text.isEmpty() ? QStringLiteral("&nbsp;") : text.toHtmlEscaped()) +
                    QStringLiteral("</") + tag + QLatin1Char('>');
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    return html;
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    emit keyDown(event->key(), event->modifiers());
    if (!event->text().isEmpty())
        emit keyPress(event->text().at(0).unicode());
    QTableWidget::keyPressEvent(event);
}

void FlexGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    const int tr = rowAt(p.y()), tc = columnAt(p.x());
    m_mouseRow = tr < 0 ? -1 : tr + headerRows();
    m_mouseCol = tc < 0 ? -1 : tc + headerCols();
    QTableWidget::mousePressEvent(event);
}

} // namespace ui
