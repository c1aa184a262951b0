#include "connection.h"

#include "backup.h"
#include "sqliteerror.h"
#include "statement.h"

#include "platform/jet/sql/error.h"
#include "platform/jet/sql/functions.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace jet {

namespace {

// How long a statement waits for another connection (or workstation) to let go of the
// file before it fails as locked.
constexpr int BusyTimeoutMs = 5000;

bool isDefinition(sql::Translation::Kind kind)
{
    using K = sql::Translation::Kind;
    return kind == K::CreateTable || kind == K::DropTable || kind == K::AlterTable ||
           kind == K::CreateIndex || kind == K::DropIndex;
}

bool changesRows(sql::Translation::Kind kind)
{
    using K = sql::Translation::Kind;
    return kind == K::Insert || kind == K::Update || kind == K::Delete;
}

// Runs a statement of our own (no rows); failures throw.
void runSql(sqlite3 *db, const QString &sql)
{
    detail::Statement::cached(db, sql).run();
}

} // namespace

Connection::Connection(const QString &connectionString)
    : m_connectionString(connectionString)
{}

Connection::~Connection()
{
    close();
}

void Connection::setConnectionString(const QString &connectionString)
{
    if (isOpen())
        throw Error(err::OpenObject,
                    QStringLiteral("Operation is not allowed when the object is open."));
    m_connectionString = connectionString;
}

QString Connection::dataSource() const
{
    const QStringList parts = m_connectionString.split(QLatin1Char(';'));
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (part.left(eq).trimmed().compare(QLatin1String("Data Source"), Qt::CaseInsensitive) != 0)
            continue;
        QString value = part.mid(eq + 1).trimmed();
        if (value.size() >= 2 &&
            (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return {};
}

void Connection::open(const QString &connectionString)
{
    setConnectionString(connectionString);
    open();
}

void Connection::open()
{
    if (isOpen())
        throw Error(err::OpenObject,
                    QStringLiteral("Operation is not allowed when the object is open."));
    const QString path = dataSource();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        throw Error(err::Unspecified, QStringLiteral("Could not find file '%1'.").arg(path));

    // Only a file that begins with SQLite's header is a data file of this kind; SQLite
    // itself would take an empty file for a new database.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(err::Unspecified,
                    QStringLiteral("The database engine cannot open the file '%1'. You need "
                                   "permission to view its data.")
                        .arg(path));
    static const QByteArray header("SQLite format 3\0", 16);
    if (file.read(16) != header)
        throw Error(err::Unspecified, detail::unrecognisedFormat(path));
    file.close();

    sqlite3 *db = nullptr;
    // A connection belongs to one thread, so SQLite need not lock it on every call.
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        Error e = detail::sqliteError(rc, QString::fromUtf8(sqlite3_errmsg(db)), {}, path);
        sqlite3_close_v2(db);
        throw e;
    }
    try {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, BusyTimeoutMs);
        // The rollback journal: a file on a network share cannot use a write-ahead log.
        try {
            runSql(db, QStringLiteral("PRAGMA journal_mode = DELETE"));
        } catch (const Error &) {
            // Another connection holds the file in its journal mode; keep that one.
        }
        // Reads the schema now, so that a damaged file fails at open.
        runSql(db, QStringLiteral("SELECT count(*) FROM sqlite_schema"));
        sql::registerFunctions(db);
    } catch (const Error &e) {
        detail::forgetCachedStatements(db);
        sqlite3_close_v2(db);
        if (e.number() == err::Unspecified &&
            e.description().startsWith(QLatin1String("Unrecognized")))
            throw Error(err::Unspecified, detail::unrecognisedFormat(path));
        throw;
    }
    m_db = db;
    m_catalog.setDatabase(db);
    m_transactionLevel = 0;
}

void Connection::close()
{
    if (!m_db)
        return;
    if (m_transactionLevel > 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_transactionLevel = 0;
    m_catalog.setDatabase(nullptr);
    detail::forgetCachedStatements(m_db);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3 *Connection::openHandle() const
{
    if (!m_db)
        throw Error(err::ClosedObject,
                    QStringLiteral("Operation is not allowed when the object is closed."));
    return m_db;
}

const FileCatalog &Connection::catalog()
{
    openHandle();
    m_catalog.sync();
    return m_catalog;
}

sql::Translation Connection::translate(const QString &jetSql)
{
    const FileCatalog &c = catalog();
    try {
        return sql::translate(jetSql, c);
    } catch (const Error &e) {
        if (!e.statement().isEmpty())
            throw;
        throw Error(e.number(), e.description(), jetSql);
    }
}

sql::Translation Connection::translateShaped(const QString &jetSql)
{
    const FileCatalog &c = catalog();
    try {
        return sql::translateShaped(jetSql, c);
    } catch (const Error &e) {
        if (!e.statement().isEmpty())
            throw;
        throw Error(e.number(), e.description(), jetSql);
    }
}

void Connection::runTranslated(const sql::Translation &t, const QString &jetSql, qint64 *affected)
{
    sqlite3 *db = openHandle();
    // A statement written as several SQLite statements succeeds or fails as one.
    const bool several = t.statements.size() > 1;
    if (several)
        runSql(db, QStringLiteral("SAVEPOINT jet_statement"));
    try {
        for (const QString &sql : t.statements) {
            detail::Statement statement = detail::Statement::cached(db, sql, jetSql);
            statement.bind(t.parameters);
            statement.run();
            if (affected && changesRows(t.kind) && !statement.readOnly())
                *affected += sqlite3_changes64(db);
        }
    } catch (...) {
        if (several) {
            sqlite3_exec(db, "ROLLBACK TO jet_statement", nullptr, nullptr, nullptr);
            sqlite3_exec(db, "RELEASE jet_statement", nullptr, nullptr, nullptr);
        }
        if (isDefinition(t.kind))
            m_catalog.invalidate();
        throw;
    }
    if (several)
        runSql(db, QStringLiteral("RELEASE jet_statement"));
    if (isDefinition(t.kind))
        m_catalog.invalidate();
}

qint64 Connection::execute(const QString &jetSql)
{
    const sql::Translation t = translateShaped(jetSql);
    qint64 affected = 0;
    runTranslated(t, jetSql, &affected);
    return affected;
}

int Connection::beginTrans()
{
    sqlite3 *db = openHandle();
    const int level = m_transactionLevel + 1;
    // The first level takes the write lock at once, so that two workstations that both
    // change the file wait for each other instead of failing half way.
    runSql(db, level == 1 ? QStringLiteral("BEGIN IMMEDIATE")
                          : QStringLiteral("SAVEPOINT jet_level_%1").arg(level));
    if (level == 1)
        m_catalog.setWriteLocked(true);
    m_transactionLevel = level;
    return level;
}

void Connection::commitTrans()
{
    sqlite3 *db = openHandle();
    if (m_transactionLevel == 0)
        throw Error(err::NoTransaction, QStringLiteral("No transaction is active."));
    runSql(db, m_transactionLevel == 1
                   ? QStringLiteral("COMMIT")
                   : QStringLiteral("RELEASE jet_level_%1").arg(m_transactionLevel));
    if (m_transactionLevel == 1)
        m_catalog.setWriteLocked(false);
    --m_transactionLevel;
}

void Connection::rollbackTrans()
{
    sqlite3 *db = openHandle();
    if (m_transactionLevel == 0)
        throw Error(err::NoTransaction, QStringLiteral("No transaction is active."));
    if (m_transactionLevel == 1) {
        m_catalog.setWriteLocked(false);
        runSql(db, QStringLiteral("ROLLBACK"));
    } else {
        runSql(db, QStringLiteral("ROLLBACK TO jet_level_%1").arg(m_transactionLevel));
        runSql(db, QStringLiteral("RELEASE jet_level_%1").arg(m_transactionLevel));
    }
    --m_transactionLevel;
    m_catalog.invalidate();
}

void Connection::backupTo(const QString &path)
{
    detail::backupDatabase(openHandle(), path);
}

QStringList Connection::tables()
{
    return catalog().tables();
}

std::vector<Column> Connection::columns(const QString &table)
{
    auto result = catalog().columns(table);
    if (!result)
        throw detail::sqliteError(SQLITE_ERROR, QStringLiteral("no such table: ") + table);
    return *result;
}

bool Connection::tableExists(const QString &table)
{
    return catalog().tableName(table).has_value();
}

bool Connection::columnExists(const QString &table, const QString &column)
{
    const auto columns = catalog().columns(table);
    if (!columns)
        return false;
    for (const Column &c : *columns)
        if (c.name.compare(column, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int Connection::columnCount(const QString &jetSql)
{
    const sql::Translation t = translateShaped(jetSql);
    if (t.statements.empty())
        return 0;
    return detail::Statement(openHandle(), t.statements.back(), jetSql).columnCount();
}

void Connection::renameColumn(const QString &table, const QString &oldName, const QString &newName)
{
    const QString statement = QStringLiteral("rename %1.%2 to %3").arg(table, oldName, newName);
    if (!tableExists(table))
        throw detail::sqliteError(SQLITE_ERROR, QStringLiteral("no such table: ") + table,
                                  statement);
    if (!columnExists(table, oldName))
        throw Error(err::ItemNotFound,
                    QStringLiteral("Item cannot be found in the collection corresponding to the "
                                   "requested name or ordinal."),
                    statement);
    if (oldName.compare(newName, Qt::CaseInsensitive) != 0 && columnExists(table, newName))
        throw Error(err::ColumnExists,
                    QStringLiteral("Field '%1' already exists in table '%2'.").arg(newName, table),
                    statement);
    try {
        runSql(openHandle(), QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                                 .arg(detail::quoteName(table), detail::quoteName(oldName),
                                      detail::quoteName(newName)));
    } catch (const Error &e) {
        m_catalog.invalidate();
        throw Error(e.number(), e.description(), statement);
    }
    m_catalog.invalidate();
}

} // namespace jet
