#pragma once

#include "platform/jet/sql/types.h"

#include <QHash>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

namespace jet {

namespace detail {
class Statement;
}

// The tables and columns of an open data file, read from SQLite's schema and kept
// until the structure changes (a DDL statement here, or a change by another
// connection, seen through the file's schema version).
class FileCatalog : public Catalog
{
public:
    explicit FileCatalog(sqlite3 *db = nullptr);
    ~FileCatalog() override;
    FileCatalog(const FileCatalog &) = delete;
    FileCatalog &operator=(const FileCatalog &) = delete;

    void setDatabase(sqlite3 *db);

    std::optional<std::vector<Column>> columns(const QString &table) const override;
    // The program's tables, in name order (SQLite's own tables left out).
    QStringList tables() const;
    // The table's name as the file spells it, or nothing when there is no such table.
    std::optional<QString> tableName(const QString &table) const;

    // Forgets everything read so far.
    void invalidate();
    // Forgets it (and the statements prepared on the file) when the file's structure changed
    // since it was read.
    void sync();
    // While the connection holds the file's write lock (from BeginTrans to the end of the
    // transaction), no other connection can change the structure: sync() then reads the
    // file's schema version once.
    void setWriteLocked(bool locked);

private:
    sqlite3 *m_db = nullptr;
    mutable QHash<QString, std::optional<std::vector<Column>>> m_columns; // by lower-case name
    mutable std::optional<QStringList> m_tables;
    qint64 m_schemaVersion = -1;
    bool m_writeLocked = false;
    bool m_checkedUnderLock = false;
    std::unique_ptr<detail::Statement> m_versionQuery;
};

} // namespace jet
