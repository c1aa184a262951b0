#include "catalog.h"

#include "statement.h"

#include "platform/jet/sql/translator.h"

#include <sqlite3.h>

namespace jet {

FileCatalog::FileCatalog(sqlite3 *db)
    : m_db(db)
{}

void FileCatalog::setDatabase(sqlite3 *db)
{
    m_versionQuery.reset();
    m_db = db;
    m_schemaVersion = -1;
    m_writeLocked = false;
    invalidate();
}

void FileCatalog::setWriteLocked(bool locked)
{
    m_writeLocked = locked;
    m_checkedUnderLock = false;
}

FileCatalog::~FileCatalog() = default;

void FileCatalog::invalidate()
{
    m_columns.clear();
    m_tables.reset();
    m_checkedUnderLock = false;
    // Translations depend on the tables they name. (Nothing to forget when the file
    // closes: the next file clears them when it opens.)
    if (m_db)
        sql::clearTranslationCache();
}

void FileCatalog::sync()
{
    if (!m_db)
        return;
    // (SQLite may end a transaction of its own accord, after some failures: the lock is
    // then gone.)
    if (m_writeLocked && m_checkedUnderLock && !sqlite3_get_autocommit(m_db))
        return;
    // The schema version is the big-endian number at offset 40 of the file's header: read
    // there through SQLite's own handle of the file (a file of our own would drop SQLite's
    // locks when closed), it costs no statement and no lock before every statement.
    qint64 now = -1;
    unsigned char cookie[4];
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file) == SQLITE_OK &&
        file && file->pMethods &&
        file->pMethods->xRead(file, cookie, sizeof cookie, 40) == SQLITE_OK) {
        now = qint64(quint32(cookie[0]) << 24 | quint32(cookie[1]) << 16 |
                     quint32(cookie[2]) << 8 | quint32(cookie[3]));
    } else {
        if (!m_versionQuery)
            m_versionQuery =
                std::make_unique<detail::Statement>(m_db, QStringLiteral("PRAGMA schema_version"));
        now = m_versionQuery->step() ? m_versionQuery->columnInt(0) : -1;
        m_versionQuery->reset();
    }
    if (now != m_schemaVersion) {
        invalidate();
        // Statements prepared before another connection changed the structure describe
        // their columns as they were until they next run: prepared afresh.
        if (m_schemaVersion >= 0)
            detail::forgetCachedStatements(m_db);
        m_schemaVersion = now;
    }
    m_checkedUnderLock = m_writeLocked;
}

QStringList FileCatalog::tables() const
{
    if (!m_tables) {
        QStringList names;
        if (m_db) {
            detail::Statement list(
                m_db,
                QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name "
                               "NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name COLLATE NOCASE"));
            while (list.step())
                names << list.column(0).toString();
        }
        m_tables = names;
    }
    return *m_tables;
}

std::optional<QString> FileCatalog::tableName(const QString &table) const
{
    for (const QString &name : tables())
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            return name;
    return std::nullopt;
}

std::optional<std::vector<Column>> FileCatalog::columns(const QString &table) const
{
    const QString key = table.toLower();
    if (const auto it = m_columns.constFind(key); it != m_columns.constEnd())
        return *it;
    std::optional<std::vector<Column>> result;
    const auto name = m_db ? tableName(table) : std::nullopt;
    if (name) {
        // COUNTER is an INTEGER PRIMARY KEY of a table made with AUTOINCREMENT.
        detail::Statement definition(
            m_db,
            QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?1"));
        definition.bind(1, *name);
        const bool autoincrement =
            definition.step() && definition.column(0).toString().contains(
                                     QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
        definition.reset();

        detail::Statement info(m_db,
                               QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk "
                                              "FROM pragma_table_info(?1)"));
        info.bind(1, *name);
        std::vector<Column> columns;
        while (info.step())
            columns.push_back(columnFromDeclared(
                info.column(0).toString(), info.column(1).toString(), info.columnInt(2) != 0,
                info.column(3).toString(), info.columnInt(4) > 0, autoincrement));
        result = std::move(columns);
    }
    m_columns.insert(key, result);
    return result;
}

} // namespace jet
