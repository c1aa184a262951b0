#pragma once

#include "platform/jet/sql/translator.h"

#include <QString>
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace jet::detail {

// One prepared SQLite statement, finalised with the object. Failures throw jet::Error
// carrying `jetSql` (the text the program gave) as the statement.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql, const QString &jetSql = {});
    // The same, for a statement that runs often: it is taken from the connection's last
    // few statements when it is there, and kept there (reset) when the object goes.
    static Statement cached(sqlite3 *db, const QString &sql, const QString &jetSql = {});
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Parameters count from 1. A QVariant holds Null, an integer, a double, text or bytes.
    void bind(int index, const QVariant &value);
    // The values of a shaped statement (parameter ?N takes values[N - 1]); those the text does
    // not use are left out.
    void bind(const std::vector<sql::Parameter> &values);
    // Runs to the next row: true when there is one. The statement is reset when it
    // reaches its end, so it holds no lock afterwards.
    bool step();
    // Runs to the end, ignoring rows.
    void run();
    void reset();

    int columnCount() const;
    // The raw value of the current row: Null, qlonglong, double, QString or QByteArray.
    QVariant column(int index) const;
    qint64 columnInt(int index) const;
    QString columnName(int index) const;
    QString columnDeclaredType(int index) const;
    QString columnTable(int index) const;
    QString columnOrigin(int index) const;
    bool readOnly() const;

    sqlite3_stmt *handle() const { return m_stmt; }

private:
    Statement() = default;
    void release();

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_jetSql;
    QString m_cacheKey; // the SQL text when the statement goes back to the cache
};

// Finalises the statements kept for a connection; called before it closes.
void forgetCachedStatements(sqlite3 *db);

// Several reads that share one lock of the file: a transaction from construction to
// commit() (or to destruction, which rolls back), unless one is open already.
class ReadTransaction
{
public:
    explicit ReadTransaction(sqlite3 *db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;
    void commit();

private:
    sqlite3 *m_db;
    bool m_own;
};

// An identifier quoted for SQLite.
QString quoteName(const QString &name);

} // namespace jet::detail
