#include "statement.h"

#include "sqliteerror.h"

#include <QHash>
#include <algorithm>
#include <list>
#include <sqlite3.h>
#include <unordered_map>

namespace jet::detail {

namespace {

// The last statements of each connection, most recently used first: enough for the
// shapes of a report's loop.
class StatementCache
{
public:
    static constexpr size_t Capacity = 256;

    sqlite3_stmt *take(const QString &sql)
    {
        const auto it = m_index.find(sql);
        if (it == m_index.end())
            return nullptr;
        sqlite3_stmt *stmt = it.value()->second;
        m_entries.erase(it.value());
        m_index.erase(it);
        return stmt;
    }

    void give(const QString &sql, sqlite3_stmt *stmt)
    {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        if (m_index.contains(sql)) {
            sqlite3_finalize(stmt);
            return;
        }
        m_entries.emplace_front(sql, stmt);
        m_index.insert(sql, m_entries.begin());
        if (m_entries.size() > Capacity) {
            m_index.remove(m_entries.back().first);
            sqlite3_finalize(m_entries.back().second);
            m_entries.pop_back();
        }
    }

    ~StatementCache()
    {
        for (auto &entry : m_entries)
            sqlite3_finalize(entry.second);
    }

private:
    std::list<std::pair<QString, sqlite3_stmt *>> m_entries;
    QHash<QString, std::list<std::pair<QString, sqlite3_stmt *>>::iterator> m_index;
};

// A connection is used by one thread; each thread keeps the caches of its connections.
// Never destroyed, so that a connection that closes at exit still finds it.
std::unordered_map<sqlite3 *, StatementCache> &caches()
{
    thread_local auto *all = new std::unordered_map<sqlite3 *, StatementCache>;
    return *all;
}

} // namespace

Statement Statement::cached(sqlite3 *db, const QString &sql, const QString &jetSql)
{
    if (sqlite3_stmt *stmt = caches()[db].take(sql)) {
        Statement statement;
        statement.m_db = db;
        statement.m_stmt = stmt;
        statement.m_jetSql = jetSql.isEmpty() ? sql : jetSql;
        statement.m_cacheKey = sql;
        return statement;
    }
    Statement statement(db, sql, jetSql);
    statement.m_cacheKey = sql;
    return statement;
}

void forgetCachedStatements(sqlite3 *db)
{
    caches().erase(db);
}

Statement::Statement(sqlite3 *db, const QString &sql, const QString &jetSql)
    : m_db(db)
    , m_jetSql(jetSql.isEmpty() ? sql : jetSql)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(db, rc, m_jetSql);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw e;
    }
}

Statement::~Statement()
{
    release();
}

void Statement::release()
{
    // Kept only while the connection is open (it forgets its cache when it closes).
    if (m_stmt && !m_cacheKey.isEmpty()) {
        auto &all = caches();
        if (const auto it = all.find(m_db); it != all.end()) {
            it->second.give(m_cacheKey, m_stmt);
            m_stmt = nullptr;
            return;
        }
    }
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db)
    , m_stmt(std::exchange(other.m_stmt, nullptr))
    , m_jetSql(std::move(other.m_jetSql))
    , m_cacheKey(std::move(other.m_cacheKey))
{}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        release();
        m_db = other.m_db;
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_jetSql = std::move(other.m_jetSql);
        m_cacheKey = std::move(other.m_cacheKey);
    }
    return *this;
}

void Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar: rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong()); break;
        case QMetaType::Double:
        case QMetaType::Float: rc = sqlite3_bind_double(m_stmt, index, value.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), quint64(bytes.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, text.constData(), quint64(text.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        throw sqliteError(m_db, rc, m_jetSql);
}

void Statement::bind(const std::vector<sql::Parameter> &values)
{
    const int count = std::min(int(values.size()), sqlite3_bind_parameter_count(m_stmt));
    for (int i = 0; i < count; ++i) {
        const sql::Parameter &p = values[size_t(i)];
        int rc = SQLITE_OK;
        switch (p.kind) {
        case sql::Parameter::Kind::Unused: continue;
        case sql::Parameter::Kind::Integer: rc = sqlite3_bind_int64(m_stmt, i + 1, p.integer); break;
        case sql::Parameter::Kind::Real: rc = sqlite3_bind_double(m_stmt, i + 1, p.real); break;
        case sql::Parameter::Kind::Text: {
            const QByteArray text = p.text.toUtf8();
            rc = sqlite3_bind_text64(m_stmt, i + 1, text.constData(), quint64(text.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
        if (rc != SQLITE_OK)
            throw sqliteError(m_db, rc, m_jetSql);
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(m_stmt);
        return false;
    }
    Error e = sqliteError(m_db, rc, m_jetSql);
    sqlite3_reset(m_stmt);
    throw e;
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QVariant Statement::column(int index) const
{
    switch (sqlite3_column_type(m_stmt, index)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(m_stmt, index)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, index));
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, index));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, index)));
    }
    case SQLITE_BLOB: {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, index));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, index)));
    }
    default: return QVariant();
    }
}

qint64 Statement::columnInt(int index) const
{
    return sqlite3_column_int64(m_stmt, index);
}

namespace {
QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}
} // namespace

QString Statement::columnName(int index) const
{
    return text(sqlite3_column_name(m_stmt, index));
}

QString Statement::columnDeclaredType(int index) const
{
    return text(sqlite3_column_decltype(m_stmt, index));
}

QString Statement::columnTable(int index) const
{
    return text(sqlite3_column_table_name(m_stmt, index));
}

QString Statement::columnOrigin(int index) const
{
    return text(sqlite3_column_origin_name(m_stmt, index));
}

bool Statement::readOnly() const
{
    return sqlite3_stmt_readonly(m_stmt) != 0;
}

ReadTransaction::ReadTransaction(sqlite3 *db)
    : m_db(db)
    , m_own(sqlite3_get_autocommit(db) != 0)
{
    if (m_own)
        Statement::cached(db, QStringLiteral("BEGIN")).run();
}

ReadTransaction::~ReadTransaction()
{
    if (m_own)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void ReadTransaction::commit()
{
    if (m_own) {
        m_own = false;
        Statement::cached(m_db, QStringLiteral("COMMIT")).run();
    }
}

QString quoteName(const QString &name)
{
    const qsizetype quotes = name.count(QLatin1Char('"'));
    QString quoted(name.size() + quotes + 2, Qt::Uninitialized);
    QChar *out = quoted.data();
    *out++ = QLatin1Char('"');
    for (const QChar c : name) {
        *out++ = c;
        if (c == QLatin1Char('"'))
            *out++ = c;
    }
    *out = QLatin1Char('"');
    return quoted;
}

} // namespace jet::detail
