#include "rowsource.h"

#include "convert.h"
#include "statement.h"

#include "platform/jet/connection.h"

#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace jet::detail {

QVariant RowSource::value(qint64 index, int column, JetType type)
{
    return fromStorage(row(index).values[size_t(column)], type);
}

SnapshotRows::SnapshotRows(Statement &query, bool withRowid, int columns)
    : m_columns(columns)
{
    sqlite3_stmt *st = query.handle();
    const int offset = withRowid ? 1 : 0;
    size_t blockRows = 0;
    while (query.step()) {
        const size_t read = m_slots.size();
        if (m_rowsFree == 0) {
            blockRows = std::clamp<size_t>(read, 8, MaxRowsPerBlock);
            m_cells.push_back(
                std::make_unique_for_overwrite<Cell[]>(blockRows * size_t(columns)));
            m_rowsFree = blockRows;
        }
        Cell *cell = m_cells.back().get() + (blockRows - m_rowsFree) * size_t(columns);
        --m_rowsFree;
        m_rowCells.push_back(cell);
        if (withRowid)
            m_rowids.push_back(sqlite3_column_int64(st, 0));
        for (int c = offset; c < columns + offset; ++c, ++cell) {
            // One look-up of the column, then its value read through it.
            sqlite3_value *v = sqlite3_column_value(st, c);
            cell->type = sqlite3_value_type(v);
            cell->bytes = 0;
            switch (cell->type) {
            case SQLITE_INTEGER: cell->integer = sqlite3_value_int64(v); break;
            case SQLITE_FLOAT: cell->real = sqlite3_value_double(v); break;
            case SQLITE_TEXT: {
                const unsigned char *text = sqlite3_value_text(v);
                cell->bytes = quint32(sqlite3_value_bytes(v));
                cell->text = keep(text, cell->bytes);
                break;
            }
            case SQLITE_BLOB: {
                const void *data = sqlite3_value_blob(v);
                cell->bytes = quint32(sqlite3_value_bytes(v));
                cell->text = keep(data, cell->bytes);
                break;
            }
            default: cell->integer = 0; break;
            }
        }
        m_slots.push_back(Slot{qint32(read), nullptr});
    }
}

SnapshotRows::~SnapshotRows() = default;

const char *SnapshotRows::keep(const void *data, size_t bytes)
{
    static const char empty = 0;
    if (bytes == 0)
        return &empty; // empty text, not Null
    if (bytes > MaxTextBlock / 4) {
        // A long value gets a block of its own, before the current one.
        auto own = std::make_unique_for_overwrite<char[]>(bytes);
        std::memcpy(own.get(), data, bytes);
        const char *kept = own.get();
        m_text.insert(m_text.end() - (m_text.empty() ? 0 : 1), std::move(own));
        return kept;
    }
    if (bytes > m_textFree) {
        m_textBlock = std::clamp<size_t>(m_textBlock * 2, 1024, MaxTextBlock);
        while (m_textBlock < bytes)
            m_textBlock *= 2;
        m_text.push_back(std::make_unique_for_overwrite<char[]>(m_textBlock));
        m_textFree = m_textBlock;
    }
    char *at = m_text.back().get() + (m_textBlock - m_textFree);
    std::memcpy(at, data, bytes);
    m_textFree -= bytes;
    return at;
}

const SnapshotRows::Cell *SnapshotRows::cells(qint32 read) const
{
    return m_rowCells[size_t(read)];
}

QVariant SnapshotRows::raw(const Cell &cell)
{
    switch (cell.type) {
    case SQLITE_INTEGER: return QVariant(qlonglong(cell.integer));
    case SQLITE_FLOAT: return QVariant(cell.real);
    case SQLITE_TEXT: return QVariant(QString::fromUtf8(cell.text, cell.bytes));
    case SQLITE_BLOB: return QVariant(QByteArray(cell.text, cell.bytes));
    default: return QVariant();
    }
}

Row &SnapshotRows::row(qint64 index)
{
    Slot &slot = m_slots[size_t(index)];
    if (!slot.row) {
        auto row = std::make_unique<Row>();
        const Cell *first = cells(slot.read);
        row->values.reserve(size_t(m_columns));
        for (int c = 0; c < m_columns; ++c)
            row->values.push_back(raw(first[c]));
        if (!m_rowids.empty())
            row->rowid = m_rowids[size_t(slot.read)];
        slot.row = row.get();
        m_own.push_back(std::move(row));
    }
    return *slot.row;
}

QVariant SnapshotRows::value(qint64 index, int column, JetType type)
{
    const Slot &slot = m_slots[size_t(index)];
    if (slot.row)
        return fromStorage(slot.row->values[size_t(column)], type);
    const Cell &cell = cells(slot.read)[column];
    switch (cell.type) {
    case SQLITE_INTEGER: return fromStorageInteger(cell.integer, type);
    case SQLITE_FLOAT: return fromStorageReal(cell.real, type);
    case SQLITE_TEXT: return fromStorageText(cell.text, cell.bytes, type);
    case SQLITE_NULL: return {};
    default: return fromStorage(raw(cell), type);
    }
}

std::optional<qint64> SnapshotRows::append(Row row)
{
    auto own = std::make_unique<Row>(std::move(row));
    m_slots.push_back(Slot{-1, own.get()});
    m_own.push_back(std::move(own));
    return count() - 1;
}

TablePager::TablePager(Connection &connection, QString rowsSql, Statement rows, QString table,
                       int columnCount, QString jetSql, std::vector<sql::Parameter> parameters)
    : m_connection(connection)
    , m_rowsSql(std::move(rowsSql))
    , m_rowsQuery(std::move(rows))
    , m_table(std::move(table))
    , m_columnCount(columnCount)
    , m_jetSql(std::move(jetSql))
    , m_parameters(std::move(parameters))
{}

const std::vector<qint64> &TablePager::keys()
{
    if (!m_keys) {
        // Prepared again when the connection was closed and opened since.
        sqlite3 *db = m_connection.openHandle();
        if (!m_rowsQuery || sqlite3_db_handle(m_rowsQuery->handle()) != db) {
            m_rowsQuery.emplace(Statement::cached(db, m_rowsSql, m_jetSql));
            m_rowsQuery->bind(m_parameters);
        }
        std::vector<qint64> keys;
        std::vector<Row> first;
        while (m_rowsQuery->step()) {
            keys.push_back(m_rowsQuery->columnInt(0));
            if (first.size() < size_t(PageSize)) {
                Row row;
                row.rowid = keys.back();
                row.values.reserve(size_t(m_columnCount));
                for (int c = 1; c <= m_columnCount; ++c)
                    row.values.push_back(m_rowsQuery->column(c));
                first.push_back(std::move(row));
            }
        }
        m_rowsQuery.reset();
        // Rows this recordset added before: at their place when the query gives them,
        // else at the end, as a static recordset keeps its new rows.
        const size_t queried = keys.size();
        for (const Row &row : m_added)
            if (std::find(keys.begin(), keys.end(), *row.rowid) == keys.end())
                keys.push_back(*row.rowid);
        m_added.clear();
        m_keys = std::move(keys);
        if (queried == m_keys->size() || queried >= size_t(PageSize)) {
            m_pages[0] = std::move(first);
            m_pageOrder.push_back(0);
        }
    }
    return *m_keys;
}

qint64 TablePager::count()
{
    return qint64(keys().size());
}

std::vector<Row> &TablePager::page(qint64 pageNumber)
{
    if (auto it = m_pages.find(pageNumber); it != m_pages.end()) {
        std::erase(m_pageOrder, pageNumber);
        m_pageOrder.push_back(pageNumber);
        return it->second;
    }
    const std::vector<qint64> &all = keys();
    const size_t first = size_t(pageNumber) * PageSize;
    const size_t last = std::min(all.size(), first + PageSize);

    QString list;
    list.reserve(int(last - first) * 8);
    for (size_t i = first; i < last; ++i) {
        if (i > first)
            list += QLatin1Char(',');
        list += QString::number(all[i]);
    }
    QHash<qint64, Row> found;
    Statement query(
        m_connection.openHandle(),
        QStringLiteral("SELECT _rowid_, * FROM %1 WHERE _rowid_ IN (%2)").arg(m_table, list),
        m_jetSql);
    while (query.step()) {
        Row row;
        row.rowid = query.columnInt(0);
        row.values.reserve(size_t(m_columnCount));
        for (int c = 1; c <= m_columnCount; ++c)
            row.values.push_back(query.column(c));
        found.insert(*row.rowid, std::move(row));
    }
    std::vector<Row> rows;
    rows.reserve(last - first);
    for (size_t i = first; i < last; ++i) {
        auto it = found.find(all[i]);
        if (it != found.end()) {
            rows.push_back(std::move(*it));
        } else {
            // Deleted by someone else since the keys were read.
            Row gone;
            gone.rowid = all[i];
            gone.gone = true;
            gone.values.resize(size_t(m_columnCount));
            rows.push_back(std::move(gone));
        }
    }
    if (m_pageOrder.size() >= PagesKept) {
        m_pages.erase(m_pageOrder.front());
        m_pageOrder.erase(m_pageOrder.begin());
    }
    m_pageOrder.push_back(pageNumber);
    return m_pages[pageNumber] = std::move(rows);
}

Row &TablePager::row(qint64 index)
{
    return page(index / PageSize)[size_t(index % PageSize)];
}

void TablePager::remove(qint64 index)
{
    std::vector<qint64> &all = *m_keys;
    all.erase(all.begin() + index);
    m_pages.clear();
    m_pageOrder.clear();
}

std::optional<qint64> TablePager::append(Row row)
{
    if (!m_keys) {
        m_added.push_back(std::move(row));
        return std::nullopt;
    }
    m_keys->push_back(*row.rowid);
    const qint64 index = qint64(m_keys->size()) - 1;
    // Only the last page can hold the new row; read it again when it is next needed.
    m_pages.erase(index / PageSize);
    std::erase(m_pageOrder, index / PageSize);
    return index;
}

Row *TablePager::added(qint64 rowid)
{
    for (Row &row : m_added)
        if (row.rowid == rowid)
            return &row;
    return nullptr;
}

qint64 TablePager::indexOfAdded(qint64 rowid)
{
    const std::vector<qint64> &all = keys();
    const auto it = std::find(all.begin(), all.end(), rowid);
    return it == all.end() ? qint64(all.size()) : qint64(it - all.begin());
}

namespace {

// Where the keyword `word` stands at the top level of `sql` (outside quotes, brackets
// and parentheses), searching from `from`; -1 when it does not.
qsizetype topLevelKeyword(const QString &sql, QLatin1String word, qsizetype from)
{
    int depth = 0;
    const qsizetype n = sql.size();
    auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    for (qsizetype i = from; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
            c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            for (++i; i < n && sql.at(i) != close; ++i) {
            }
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (depth == 0 && (i == 0 || !isNameChar(sql.at(i - 1))) &&
                 QStringView(sql).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0 &&
                 (i + word.size() >= n || !isNameChar(sql.at(i + word.size()))))
            return i;
    }
    return -1;
}

// The position just after a leading SELECT, or -1.
qsizetype afterSelect(const QString &sql)
{
    qsizetype i = 0;
    while (i < sql.size() && sql.at(i).isSpace())
        ++i;
    if (QStringView(sql).mid(i, 6).compare(QLatin1String("SELECT"), Qt::CaseInsensitive) != 0)
        return -1;
    i += 6;
    if (i < sql.size() && !sql.at(i).isSpace())
        return -1;
    return i;
}

} // namespace

namespace {

std::optional<QString> makeRowsQuery(const QString &selectSql)
{
    const qsizetype start = afterSelect(selectSql);
    if (start < 0)
        return std::nullopt;
    const qsizetype from = topLevelKeyword(selectSql, QLatin1String("FROM"), start);
    if (from < 0)
        return std::nullopt;
    const QString list = selectSql.mid(start, from - start).trimmed();
    QString key;
    if (list == QLatin1String("*"))
        key = QStringLiteral("_rowid_");
    else if (list.endsWith(QLatin1String(".*")) && !list.contains(QLatin1Char(',')))
        key = list.left(list.size() - 1) + QStringLiteral("_rowid_");
    else
        return std::nullopt;
    return QStringLiteral("SELECT ") + key + QStringLiteral(", ") + list + QLatin1Char(' ') +
           selectSql.mid(from);
}

} // namespace

std::optional<QString> rowsQueryFor(const QString &selectSql)
{
    // A program opens the same few tables again and again: each text is read once.
    thread_local QHash<QString, std::optional<QString>> made;
    if (const auto it = made.constFind(selectSql); it != made.constEnd())
        return *it;
    if (made.size() >= 256)
        made.clear();
    return *made.insert(selectSql, makeRowsQuery(selectSql));
}

std::optional<QString> withRowid(const QString &selectSql)
{
    const qsizetype start = afterSelect(selectSql);
    if (start < 0)
        return std::nullopt;
    return selectSql.left(start) + QStringLiteral(" _rowid_ AS jet_rowid_,") + selectSql.mid(start);
}

} // namespace jet::detail
