#pragma once

#include "statement.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <map>
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
    virtual void remove(qint64 index) = 0;
    // Adds a row that this recordset inserted. Gives its position, or nothing when the
    // position is not known yet (the row is then reached through added()).
    virtual std::optional<qint64> append(Row row) = 0;
    // A row appended without a position, by its rowid.
    virtual Row *added(qint64) { return nullptr; }
    // The position of an appended row, once the positions are known.
    virtual qint64 indexOfAdded(qint64) { return count() - 1; }
};

// Every row read at open.
class SnapshotRows : public RowSource
{
public:
    explicit SnapshotRows(std::vector<Row> rows)
        : m_rows(std::move(rows))
    {}
    qint64 count() override { return qint64(m_rows.size()); }
    Row &row(qint64 index) override { return m_rows[size_t(index)]; }
    void remove(qint64 index) override { m_rows.erase(m_rows.begin() + index); }
    std::optional<qint64> append(Row row) override
    {
        m_rows.push_back(std::move(row));
        return count() - 1;
    }

private:
    std::vector<Row> m_rows;
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
