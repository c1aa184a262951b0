#include "fixture.h"

#include "platform/jet/sql/error.h"
#include "platform/jet/sql/functions.h"

#include <QFile>
#include <sqlite3.h>

namespace ovix::test {

QString JetFixture::sourceFolder()
{
    const QString env = qEnvironmentVariable("OVIXIAN_TEST_SOURCE");
    return env.isEmpty() ? QStringLiteral(OVIX_JETSQL_TEST_SOURCE) : env;
}

JetFixture::JetFixture()
{
    sqlite3_open(":memory:", &m_db);
    jet::sql::registerFunctions(m_db);
    m_hasFunctions = true;
    try {
        runSqlite(QStringLiteral("SELECT jet_concat('a', NULL)"));
    } catch (const jet::Error &) {
        m_hasFunctions = false;
    }
    QFile f(sourceFolder() + QStringLiteral("/cases/fixture.jet"));
    if (!f.open(QIODevice::ReadOnly))
        throw jet::Error(jet::err::Unspecified, QStringLiteral("cannot read ") + f.fileName());
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    QString statement;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        statement += line;
        if (statement.endsWith(QLatin1Char('\\'))) {
            statement.chop(1);
            continue;
        }
        run(statement);
        statement.clear();
    }
}

JetFixture::~JetFixture()
{
    sqlite3_close(m_db);
}

std::optional<std::vector<jet::Column>> JetFixture::columns(const QString &table) const
{
    sqlite3_stmt *st = nullptr;
    const QByteArray sql =
        "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE";
    sqlite3_prepare_v2(m_db, sql.constData(), -1, &st, nullptr);
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(st, 1, name.constData(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(st) != SQLITE_ROW) {
        sqlite3_finalize(st);
        return std::nullopt;
    }
    const bool autoincrement =
        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)))
            .contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    sqlite3_finalize(st);

    std::vector<jet::Column> cols;
    const QByteArray pragma = "PRAGMA table_info(\"" + name + "\")";
    sqlite3_prepare_v2(m_db, pragma.constData(), -1, &st, nullptr);
    auto text = [&](int i) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        cols.push_back(jet::columnFromDeclared(text(1), text(2), sqlite3_column_int(st, 3) != 0,
                                               text(4), sqlite3_column_int(st, 5) != 0,
                                               autoincrement));
    }
    sqlite3_finalize(st);
    return cols;
}

std::vector<QStringList> JetFixture::runSqlite(const QString &sql)
{
    std::vector<QStringList> rows;
    sqlite3_stmt *st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), -1, &st, nullptr) != SQLITE_OK) {
        throw jet::Error(jet::err::Unspecified, QString::fromUtf8(sqlite3_errmsg(m_db)), sql);
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            if (sqlite3_column_type(st, i) == SQLITE_NULL)
                row << QStringLiteral("NULL");
            else
                row << QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
        }
        rows.push_back(row);
    }
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(st);
        throw jet::Error(jet::err::Unspecified, message, sql);
    }
    sqlite3_finalize(st);
    return rows;
}

std::vector<QStringList> JetFixture::run(const QString &jetSql)
{
    const jet::sql::Translation t = jet::sql::translate(jetSql, *this);
    std::vector<QStringList> rows;
    for (const QString &s : t.statements)
        rows = runSqlite(s);
    return rows;
}

} // namespace ovix::test
