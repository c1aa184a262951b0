#pragma once

#include "statement.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace jet {
class Connection;
}

namespace jet::detail {

// One row of a recordset as stored: raw values, the row's identity when it was read
// (rowid), and whether the row was gone when its page was read.
struct Row
{
    std::vector<QVariant> values;
    std::optional<qint64> rowid;
    bool gone = false;
};

// Where a recordset's rows come from: a snapshot read whole, or a table read in pages.
class RowSource
{
public:
    virtual ~RowSource() = default;
    // The exact number of rows.
    virtual qint64 count() = 0;
    // The row at a position (0-based, below count()).
    virtual Row &row(qint64 index) = 0;
    // One value of the row at a position, as a recordset gives it (fromStorage()).
    virtual QVariant value(qint64 index, int column, JetType type);
    virtual void remove(qint64 index) = 0;
    // Adds a row that this recordset inserted. Gives its position, or nothing when the
    // position is not known yet (the row is then reached through added()).
    virtual std::optional<qint64> append(Row row) = 0;
    // A row appended without a position, by its rowid.
    virtual Row *added(qint64) { return nullptr; }
    // The position of an appended row, once the positions are known.
    virtual qint64 indexOfAdded(qint64) { return count() - 1; }
};

// Every row read at open. The rows are kept as SQLite gave them, one cell per value and
// their text in one buffer, and a value becomes a QVariant only when it is read: a walk
// over the rows allocates nothing per row. A row becomes a Row of its own when it is to
// be changed.
class SnapshotRows : public RowSource
{
public:
    // Steps `query` to its end; when `withRowid`, its column 0 is the rowid and the
    // `columns` values follow.
    SnapshotRows(Statement &query, bool withRowid, int columns);
    ~SnapshotRows() override;
    qint64 count() override { return qint64(m_slots.size()); }
    Row &row(qint64 index) override;
    QVariant value(qint64 index, int column, JetType type) override;
    void remove(qint64 index) override { m_slots.erase(m_slots.begin() + index); }
    std::optional<qint64> append(Row row) override;

private:
    struct Cell
    {
        union {
            qint64 integer;
            double real;
            const char *text; // text and bytes, in m_text
        };
        quint32 bytes;
        int type; // SQLite's fundamental type
    };
    // A position: a row as read (by its number), or a Row of its own.
    struct Slot
    {
        qint32 read;
        Row *row;
    };
    static QVariant raw(const Cell &cell);
    const Cell *cells(qint32 read) const;
    const char *keep(const void *data, size_t bytes);

    // The rows as read, m_columns cells a row, in blocks that grow with the rows (a short
    // result takes little memory); their text in blocks that grow likewise, up to
    // MaxTextBlock bytes (a longer value gets one of its own). Nothing read is moved.
    static constexpr size_t MaxRowsPerBlock = 256;
    static constexpr size_t MaxTextBlock = 64 * 1024;
    int m_columns;
    std::vector<std::unique_ptr<Cell[]>> m_cells;
    std::vector<Cell *> m_rowCells; // the first cell of each row as read
    size_t m_rowsFree = 0;          // rows free at the end of the last block of cells
    std::vector<qint64> m_rowids;
    std::vector<std::unique_ptr<char[]>> m_text;
    size_t m_textBlock = 0;         // the size of the last text block
    size_t m_textFree = 0;          // bytes free at its end
    std::vector<Slot> m_slots;
    std::vector<std::unique_ptr<Row>> m_own;
};

// The rows of one table, read on demand: when a position is first needed, the keys
// (rowids) of the query in its order, with the rows of the first page; then the other
// rows a page at a time by key. No statement stays open between calls, so nothing holds
// the file locked.
class TablePager : public RowSource
{
public:
    // `rows` (prepared from rowsQueryFor()) gives the rowid and the values of the query's
    // rows in its order; `table` is the quoted table name; the rows have `columnCount`
    // values (the table's columns in order).
    // `parameters` are the values `rows` was bound to.
    TablePager(Connection &connection, QString rowsSql, Statement rows, QString table,
               int columnCount, QString jetSql, std::vector<sql::Parameter> parameters);

    qint64 count() override;
    Row &row(qint64 index) override;
    void remove(qint64 index) override;
    std::optional<qint64> append(Row row) override;
    Row *added(qint64 rowid) override;
    qint64 indexOfAdded(qint64 rowid) override;

    static constexpr int PageSize = 200;
    static constexpr size_t PagesKept = 4;

private:
    const std::vector<qint64> &keys();
    std::vector<Row> &page(qint64 pageNumber);

    Connection &m_connection;
    QString m_rowsSql;
    std::optional<Statement> m_rowsQuery; // prepared at open, run when the keys are read
    QString m_table;
    int m_columnCount;
    QString m_jetSql;
    std::vector<sql::Parameter> m_parameters;
    std::optional<std::vector<qint64>> m_keys;
    std::vector<Row> m_added; // rows inserted before the keys were read
    std::map<qint64, std::vector<Row>> m_pages;
    std::vector<qint64> m_pageOrder; // least recently read first
};

// The statement that gives the rowid and the values of a plain-table query's rows,
// made from the query by putting the row identity before its "*" or "T.*"; nothing
// when the query does not have that shape.
std::optional<QString> rowsQueryFor(const QString &selectSql);
// The query with the row identity put first in its select list (as column 0), for a
// query over one table; nothing when the query does not start with SELECT.
std::optional<QString> withRowid(const QString &selectSql);

} // namespace jet::detail
