#pragma once

#include "platform/jet/sql/translator.h"

#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;

namespace ovix::test {

// The small data file the statement tests run on: an in-memory SQLite database whose tables and
// rows are made by the Jet statements of cases/fixture.jet, run through the translator. Its
// catalog reads the tables back from SQLite as the engine does (PRAGMA table_info).
class JetFixture : public jet::Catalog
{
public:
    JetFixture();
    ~JetFixture() override;
    JetFixture(const JetFixture &) = delete;
    JetFixture &operator=(const JetFixture &) = delete;

    std::optional<std::vector<jet::Column>> columns(const QString &table) const override;

    // Translates and runs a Jet statement; rows of the last SQLite statement, each value as text
    // ("NULL" for Null; numbers as SQLite gives them). Throws jet::Error on any failure.
    std::vector<QStringList> run(const QString &jetSql);
    // Runs SQLite text as it stands.
    std::vector<QStringList> runSqlite(const QString &sql);
    // Whether the SQL functions of the dialect are registered (runs that need them skip otherwise).
    bool hasFunctions() const { return m_hasFunctions; }

    static QString sourceFolder();

private:
    sqlite3 *m_db = nullptr;
    bool m_hasFunctions = false;
};

} // namespace ovix::test
