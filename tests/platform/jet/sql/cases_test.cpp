// The translator's case files: cases/*.cases hold Jet statements with the SQLite text they become,
// the rows they give on the fixture file, or the error they raise. Format:
//
//   == name of the case
//   the Jet statement (one or more lines)
//   -- sqlite
//   the expected SQLite text, one statement a line
//   -- rows
//   1 | Smith | NULL
//   -- error -2147217900
//
// Every case runs on a fresh fixture file; a case without rows still runs, so the SQLite text is
// known to be valid.
#include "fixture.h"

#include "platform/jet/sql/error.h"
#include "platform/jet/sql/translator.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Case
{
    std::string name;
    QString file;
    int line = 0;
    QString jet;
    QStringList sqlite;
    bool hasSqlite = false;
    QStringList rows;
    bool hasRows = false;
    long error = 0;
};

std::vector<Case> loadCases()
{
    std::vector<Case> cases;
    const QDir dir(ovix::test::JetFixture::sourceFolder() + QStringLiteral("/cases"));
    const QStringList files = dir.entryList({QStringLiteral("*.cases")}, QDir::Files, QDir::Name);
    static const QRegularExpression notName(QStringLiteral("[^A-Za-z0-9]+"));
    for (const QString &fileName : files) {
        QFile f(dir.filePath(fileName));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        const QString group = QFileInfo(fileName).completeBaseName();
        enum { None, Jet, Sqlite, Rows } section = None;
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = lines[i];
            if (line.startsWith(QLatin1String("== "))) {
                Case c;
                QString name = group + QLatin1Char('_') + line.mid(3).trimmed();
                name.replace(notName, QStringLiteral("_"));
                while (name.endsWith(QLatin1Char('_')))
                    name.chop(1);
                c.name = name.toStdString();
                c.file = fileName;
                c.line = i + 1;
                cases.push_back(c);
                section = Jet;
                continue;
            }
            if (cases.empty() || line.startsWith(QLatin1Char('#')))
                continue;
            Case &c = cases.back();
            if (line.startsWith(QLatin1String("-- sqlite"))) {
                section = Sqlite;
                c.hasSqlite = true;
            } else if (line.startsWith(QLatin1String("-- rows"))) {
                section = Rows;
                c.hasRows = true;
            } else if (line.startsWith(QLatin1String("-- error"))) {
                section = None;
                c.error = line.mid(8).trimmed().toLong();
            } else if (section == Jet) {
                if (!line.trimmed().isEmpty())
                    c.jet += (c.jet.isEmpty() ? QString() : QStringLiteral("\n")) + line;
            } else if (section == Sqlite) {
                if (!line.trimmed().isEmpty())
                    c.sqlite << line.trimmed();
            } else if (section == Rows) {
                if (!line.trimmed().isEmpty())
                    c.rows << line.trimmed();
            }
        }
    }
    return cases;
}

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class JetCase : public ::testing::TestWithParam<Case>
{
};

TEST_P(JetCase, Translates)
{
    const Case &c = GetParam();
    SCOPED_TRACE((c.file + QLatin1Char(':') + QString::number(c.line)).toStdString());
    ovix::test::JetFixture fixture;
    if (c.error != 0) {
        try {
            const jet::sql::Translation t = jet::sql::translateUncached(c.jet, fixture);
            ADD_FAILURE() << "no error; translated to: "
                          << QStringList(t.statements.begin(), t.statements.end())
                                 .join(QLatin1Char('\n'))
                                 .toStdString();
        } catch (const jet::Error &e) {
            EXPECT_EQ(e.number(), c.error) << e.description().toStdString();
        }
        return;
    }
    jet::sql::Translation t;
    try {
        t = jet::sql::translateUncached(c.jet, fixture);
    } catch (const jet::Error &e) {
        FAIL() << e.number() << " " << e.description().toStdString();
    }
    const QStringList produced(t.statements.begin(), t.statements.end());
    if (c.hasSqlite) {
        EXPECT_EQ(produced.join(QLatin1Char('\n')).toStdString(),
                  c.sqlite.join(QLatin1Char('\n')).toStdString());
    }
    if (!fixture.hasFunctions() && produced.join(QString()).contains(QLatin1String("jet_"))) {
        GTEST_SKIP() << "the SQL functions are not registered yet";
    }
    std::vector<QStringList> rows;
    try {
        for (const QString &s : produced)
            rows = fixture.runSqlite(s);
    } catch (const jet::Error &e) {
        FAIL() << "SQLite refused: " << e.description().toStdString() << "\n"
               << e.statement().toStdString();
    }
    if (c.hasRows) {
        QStringList got;
        for (const QStringList &r : rows)
            got << r.join(QLatin1String(" | "));
        EXPECT_EQ(got.join(QLatin1Char('\n')).toStdString(),
                  c.rows.join(QLatin1Char('\n')).toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, JetCase, ::testing::ValuesIn(loadCases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return info.param.name;
                         });

} // namespace
