#include "rowwriter.h"

#include "statement.h"

#include "platform/jet/sql/error.h"

#include <sqlite3.h>

namespace jet::detail {

namespace {

[[noreturn]] void conflict(const QString &statement)
{
    throw Error(err::WriteConflict,
                QStringLiteral("Row cannot be located for updating. Some values may have been "
                               "changed since it was last read."),
                statement);
}

[[noreturn]] void noKey(const QString &statement)
{
    throw Error(err::NotUpdatable,
                QStringLiteral("Insufficient key column information for updating or refreshing."),
                statement);
}

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Several statements of one write succeed or fail together.
class Savepoint
{
public:
    explicit Savepoint(sqlite3 *db)
        : m_db(db)
    {
        Statement::cached(db, QStringLiteral("SAVEPOINT jet_write")).run();
    }
    ~Savepoint()
    {
        if (!m_done) {
            sqlite3_exec(m_db, "ROLLBACK TO jet_write", nullptr, nullptr, nullptr);
            sqlite3_exec(m_db, "RELEASE jet_write", nullptr, nullptr, nullptr);
        }
    }
    void release()
    {
        Statement::cached(m_db, QStringLiteral("RELEASE jet_write")).run();
        m_done = true;
    }

private:
    sqlite3 *m_db;
    bool m_done = false;
};

} // namespace

RowWriter::RowWriter(sqlite3 *db, const FileCatalog &catalog,
                     const std::vector<sql::ResultColumn> &fields, QString table, bool hasRowid,
                     QString jetSql)
    : m_db(db)
    , m_catalog(catalog)
    , m_fields(fields)
    , m_table(std::move(table))
    , m_hasRowid(hasRowid)
    , m_jetSql(std::move(jetSql))
{}

std::vector<int> RowWriter::fieldsOf(const QString &table) const
{
    std::vector<int> result;
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (same(m_fields[i].baseTable, table) && !m_fields[i].baseColumn.isEmpty())
            result.push_back(int(i));
    return result;
}

QString RowWriter::realName(const QString &table) const
{
    return quoteName(m_catalog.tableName(table).value_or(table));
}

bool RowWriter::keyComplete(const QString &table) const
{
    const auto columns = m_catalog.columns(table);
    if (!columns)
        return false;
    bool any = false;
    for (const Column &c : *columns) {
        if (!c.primaryKey)
            continue;
        any = true;
        bool selected = false;
        for (int f : fieldsOf(table))
            selected = selected || same(m_fields[size_t(f)].baseColumn, c.name);
        if (!selected)
            return false;
    }
    return any;
}

std::optional<RowWriter::Locator> RowWriter::locate(const QString &table,
                                                    const std::vector<QVariant> &values,
                                                    const std::optional<qint64> &rowid) const
{
    Locator at;
    if (keyComplete(table)) {
        const auto columns = m_catalog.columns(table);
        for (const Column &c : *columns) {
            if (!c.primaryKey)
                continue;
            for (int f : fieldsOf(table)) {
                if (!same(m_fields[size_t(f)].baseColumn, c.name))
                    continue;
                at.where += (at.where.isEmpty() ? QString() : QStringLiteral(" AND ")) +
                            quoteName(c.name) + QStringLiteral(" IS ?");
                at.values.push_back(values[size_t(f)]);
                break;
            }
        }
        return at;
    }
    if (m_hasRowid && rowid && same(table, m_table)) {
        at.where = QStringLiteral("_rowid_ = ?");
        at.values.push_back(*rowid);
        return at;
    }
    return std::nullopt;
}

RowWriter::Locator RowWriter::unchanged(const QString &table, const Row &row) const
{
    if (row.gone)
        conflict(m_jetSql);
    auto at = locate(table, row.values, row.rowid);
    if (!at)
        noKey(m_jetSql);
    for (int f : fieldsOf(table)) {
        at->where += QStringLiteral(" AND ") + quoteName(m_fields[size_t(f)].baseColumn) +
                     QStringLiteral(" IS ? COLLATE BINARY");
        at->values.push_back(row.values[size_t(f)]);
    }
    return *at;
}

qint64 RowWriter::run(const QString &sql, const std::vector<QVariant> &values) const
{
    Statement statement = Statement::cached(m_db, sql, m_jetSql);
    for (size_t i = 0; i < values.size(); ++i)
        statement.bind(int(i) + 1, values[i]);
    statement.run();
    return sqlite3_changes64(m_db);
}

void RowWriter::reread(const QString &table, const Locator &at, Row &row) const
{
    const std::vector<int> fields = fieldsOf(table);
    QStringList columns;
    for (int f : fields)
        columns << quoteName(m_fields[size_t(f)].baseColumn);
    Statement statement =
        Statement::cached(m_db,
                          QStringLiteral("SELECT _rowid_, %1 FROM %2 WHERE %3")
                              .arg(columns.join(QLatin1String(", ")), realName(table), at.where),
                          m_jetSql);
    for (size_t i = 0; i < at.values.size(); ++i)
        statement.bind(int(i) + 1, at.values[i]);
    if (!statement.step())
        return;
    if (m_hasRowid && same(table, m_table))
        row.rowid = statement.columnInt(0);
    for (size_t i = 0; i < fields.size(); ++i)
        row.values[size_t(fields[i])] = statement.column(int(i) + 1);
    statement.reset();
}

void RowWriter::update(Row &row, const std::vector<std::optional<QVariant>> &assigned)
{
    QStringList tables;
    for (size_t i = 0; i < assigned.size(); ++i)
        if (assigned[i] && !tables.contains(m_fields[i].baseTable, Qt::CaseInsensitive))
            tables << m_fields[i].baseTable;
    if (tables.isEmpty())
        return;

    Savepoint savepoint(m_db);
    Row written = row;
    for (const QString &table : tables) {
        const Locator at = unchanged(table, row);
        QStringList sets;
        std::vector<QVariant> values;
        for (int f : fieldsOf(table)) {
            if (!assigned[size_t(f)])
                continue;
            sets << quoteName(m_fields[size_t(f)].baseColumn) + QStringLiteral(" = ?");
            values.push_back(*assigned[size_t(f)]);
            written.values[size_t(f)] = *assigned[size_t(f)];
        }
        values.insert(values.end(), at.values.begin(), at.values.end());
        if (run(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                    .arg(realName(table), sets.join(QLatin1String(", ")), at.where),
                values) == 0)
            conflict(m_jetSql);
        // Read back what the table holds now, found by the key as written.
        if (const auto now = locate(table, written.values, written.rowid))
            reread(table, *now, written);
    }
    savepoint.release();
    row = std::move(written);
}

Row RowWriter::insert(const std::vector<std::optional<QVariant>> &assigned)
{
    QStringList tables;
    for (size_t i = 0; i < assigned.size(); ++i)
        if (assigned[i] && !tables.contains(m_fields[i].baseTable, Qt::CaseInsensitive))
            tables << m_fields[i].baseTable;
    if (tables.isEmpty()) {
        QString table = m_table;
        for (size_t i = 0; table.isEmpty() && i < m_fields.size(); ++i)
            table = m_fields[i].baseTable;
        if (table.isEmpty())
            throw Error(err::NotUpdatable,
                        QStringLiteral("Cannot update. Database or object is read-only."),
                        m_jetSql);
        tables << table;
    }

    Row row;
    row.values.resize(m_fields.size());
    // One table: one statement that gives the row as stored, atomic on its own.
    if (tables.size() == 1) {
        insertReturning(tables.front(), assigned, row);
        return row;
    }
    Savepoint savepoint(m_db);
    for (const QString &table : tables) {
        QStringList columns;
        std::vector<QVariant> values;
        for (int f : fieldsOf(table)) {
            if (!assigned[size_t(f)])
                continue;
            columns << quoteName(m_fields[size_t(f)].baseColumn);
            values.push_back(*assigned[size_t(f)]);
        }
        const QString sql =
            columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(realName(table))
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(realName(table), columns.join(QLatin1String(", ")),
                                         QStringList(columns.size(), QStringLiteral("?"))
                                             .join(QLatin1String(", ")));
        run(sql, values);
        Locator at;
        at.where = QStringLiteral("_rowid_ = ?");
        at.values.push_back(qlonglong(sqlite3_last_insert_rowid(m_db)));
        reread(table, at, row);
        if (m_hasRowid && same(table, m_table))
            row.rowid = sqlite3_last_insert_rowid(m_db);
    }
    savepoint.release();
    return row;
}

void RowWriter::insertReturning(const QString &table,
                                const std::vector<std::optional<QVariant>> &assigned, Row &row) const
{
    const std::vector<int> fields = fieldsOf(table);
    QString columns;
    QString values;
    QString returned = QStringLiteral("_rowid_");
    columns.reserve(qsizetype(fields.size()) * 16);
    returned.reserve(qsizetype(fields.size()) * 16);
    std::vector<const QVariant *> bound;
    for (int f : fields) {
        const QString column = quoteName(m_fields[size_t(f)].baseColumn);
        returned += QLatin1String(", ");
        returned += column;
        if (!assigned[size_t(f)])
            continue;
        if (!bound.empty()) {
            columns += QLatin1String(", ");
            values += QLatin1String(", ");
        }
        columns += column;
        values += QLatin1Char('?');
        bound.push_back(&*assigned[size_t(f)]);
    }
    const QString name = realName(table);
    const QString insert = bound.empty()
                               ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(name)
                               : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                     .arg(name, columns, values);
    // Inside a transaction this connection holds the file's write lock, and a failure
    // after the insert undoes the transaction: the row is read back by its rowid, which
    // costs SQLite less than RETURNING's table of rows.
    const bool locked = !sqlite3_get_autocommit(m_db);
    Statement statement = Statement::cached(
        m_db, locked ? insert : insert + QStringLiteral(" RETURNING ") + returned, m_jetSql);
    for (size_t i = 0; i < bound.size(); ++i)
        statement.bind(int(i) + 1, *bound[i]);
    if (locked) {
        statement.run();
        statement = Statement::cached(
            m_db, QStringLiteral("SELECT %1 FROM %2 WHERE _rowid_ = ?1").arg(returned, name),
            m_jetSql);
        statement.bind(1, qlonglong(sqlite3_last_insert_rowid(m_db)));
    }
    if (!statement.step())
        return;
    if (m_hasRowid && same(table, m_table))
        row.rowid = statement.columnInt(0);
    for (size_t i = 0; i < fields.size(); ++i)
        row.values[size_t(fields[i])] = statement.column(int(i) + 1);
    statement.run();
}

void RowWriter::remove(const Row &row)
{
    // The table whose key the recordset selects: the query's own table first.
    QString target;
    if (!m_table.isEmpty() && (keyComplete(m_table) || (m_hasRowid && row.rowid)))
        target = m_table;
    for (size_t i = 0; target.isEmpty() && i < m_fields.size(); ++i)
        if (!m_fields[i].baseTable.isEmpty() && keyComplete(m_fields[i].baseTable))
            target = m_fields[i].baseTable;
    if (target.isEmpty())
        noKey(m_jetSql);

    const Locator at = unchanged(target, row);
    if (run(QStringLiteral("DELETE FROM %1 WHERE %2").arg(realName(target), at.where), at.values) ==
        0)
        conflict(m_jetSql);
}

} // namespace jet::detail
