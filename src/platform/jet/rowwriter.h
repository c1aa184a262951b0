#pragma once

#include "rowsource.h"

#include "platform/jet/catalog.h"
#include "platform/jet/sql/translator.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

struct sqlite3;

namespace jet::detail {

// Writes a recordset's changes to the tables its fields come from. A row is found by
// its table's primary key or, for a table without one, by its rowid; every value the
// recordset read from that table must still be as it was read (optimistic locking),
// else the write fails with err::WriteConflict and changes nothing.
class RowWriter
{
public:
    // `fields` describe the recordset's columns; `table` is the one table of a query over
    // a single table (empty otherwise); rows carry rowids when `hasRowid`.
    RowWriter(sqlite3 *db, const FileCatalog &catalog, const std::vector<sql::ResultColumn> &fields,
              QString table, bool hasRowid, QString jetSql);

    // `assigned` holds the storage value of each field that was given one. The row's
    // values become what the tables now hold.
    void update(Row &row, const std::vector<std::optional<QVariant>> &assigned);
    // A new row with the assigned values; gives it as stored (a COUNTER holds its key).
    Row insert(const std::vector<std::optional<QVariant>> &assigned);
    // Deletes the row of the table whose key the recordset selects.
    void remove(const Row &row);

private:
    struct Locator
    {
        QString where;
        std::vector<QVariant> values;
    };
    std::vector<int> fieldsOf(const QString &table) const;
    // The condition that finds the row in `table` by key (with the key's values in
    // `values`), or nothing when the recordset lacks the key.
    std::optional<Locator> locate(const QString &table, const std::vector<QVariant> &values,
                                  const std::optional<qint64> &rowid) const;
    // locate() plus every value read from the table, as it was read.
    Locator unchanged(const QString &table, const Row &row) const;
    void reread(const QString &table, const Locator &at, Row &row) const;
    // Inserts the row of a write to one table and reads it back as stored.
    void insertReturning(const QString &table,
                         const std::vector<std::optional<QVariant>> &assigned, Row &row) const;
    bool keyComplete(const QString &table) const;
    QString realName(const QString &table) const;
    qint64 run(const QString &sql, const std::vector<QVariant> &values) const;

    sqlite3 *m_db;
    const FileCatalog &m_catalog;
    const std::vector<sql::ResultColumn> &m_fields;
    QString m_table;
    bool m_hasRowid;
    QString m_jetSql;
};

} // namespace jet::detail
