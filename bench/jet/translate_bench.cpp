// The Jet-dialect translator: translating a typical statement (uncached, and from the cache)
// against preparing the translated text on SQLite; and the rewrites of the syntax tree (a
// truth-value subquery as EXISTS, HAVING conditions applied in WHERE) against the statement
// translated literally, on one term's 1,000 classes and a 500,000-row ledger. Ratios are printed at
// the end.
#include "platform/jet/sql/functions.h"
#include "platform/jet/sql/translator.h"
#include "report/ratioreporter.h"

#include <QHash>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int Classes = 1000;
constexpr int BookingsPerClass = 12;
constexpr int LedgerRows = 500000;
constexpr int Students = 20000;

const char *const Typical =
    "SELECT Bookings.BookingID, Bookings.StudentID, Bookings.ClassID, Bookings.Owing, "
    "Bookings.Status, "
    "Bookings.Notes, Classes.Day, Classes.Description AS ClassDescription, Classes.ProgramID, "
    "Classes.[Time], "
    "Students.[First Name] + ' ' + Students.[Last Name] AS Student, Students.[Parents Name], "
    "Programs.Program, "
    "Students.Notes FROM Classes, Bookings, Students, Programs WHERE Classes.ClassID = "
    "Bookings.ClassID AND "
    "Bookings.StudentID = Students.StudentID AND Classes.ProgramID = Programs.ProgramID AND "
    "((Bookings.Status = 'Confirmed') OR (Bookings.Status = 'Tentative')) AND "
    "Programs.Program='Term 1' "
    "ORDER BY Classes.Day, Classes.[Time], Students.[Last Name]";

const char *const TruthSubquery = "SELECT ProgramID, Program FROM Programs WHERE ProgramID In "
                                  "(SELECT Classes.ProgramID FROM Classes, Programs "
                                  "WHERE Classes.ProgramID = Programs.ProgramID AND (SELECT "
                                  "Tmp.ClassID FROM Bookings AS Tmp WHERE "
                                  "(SessionNo<>0) AND (Status='Catch Up') GROUP BY Tmp.ClassID "
                                  "HAVING Count(*)>0 AND Tmp.ClassID = "
                                  "Classes.ClassID)) ORDER BY Programs.StartDate";

// A statement query: the ledger rows of one account holder, its conditions written in HAVING.
const char *const HavingOnHolder =
    "SELECT Payments.Date, Payments.SID, Students.[First Name], Students.[Last Name], "
    "Students.Family, "
    "Payments.ChargeAmount, Payments.ChargeGST, Payments.Amount, Payments.GSTCollected, "
    "Payments.DiscountAmount, "
    "Payments.DiscountGST, Sum([ChargeAmount]-[Amount]-[DiscountAmount]-[DiscountGST]) AS Net, "
    "Payments.PaymentID, "
    "Payments.Notes FROM Payments LEFT JOIN Students ON Payments.SID = Students.StudentID GROUP BY "
    "Payments.Date, "
    "Payments.Notes, Payments.SID, Students.[First Name], Students.[Last Name], Students.Family, "
    "Payments.ChargeAmount, Payments.ChargeGST, Payments.Amount, Payments.GSTCollected, "
    "Payments.DiscountAmount, "
    "Payments.DiscountGST, Payments.PaymentID HAVING (((Payments.Date) Between #1/1/2026# And "
    "#12/31/2026#) AND "
    "((Students.Family)=0) AND ((Payments.SID)=1234)) ORDER BY Payments.[Date];";

void exec(sqlite3 *db, const QString &sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), message);
        std::abort();
    }
}

// The tables of the open file, read once from SQLite as the engine's catalog does.
class Catalog : public jet::Catalog
{
public:
    void load(sqlite3 *db, const QString &table)
    {
        std::vector<jet::Column> cols;
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, ("PRAGMA table_info(\"" + table + "\")").toUtf8().constData(), -1,
                           &st, nullptr);
        auto text = [&](int i) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
        };
        while (sqlite3_step(st) == SQLITE_ROW)
            cols.push_back(jet::columnFromDeclared(text(1), text(2), sqlite3_column_int(st, 3) != 0,
                                                   text(4), sqlite3_column_int(st, 5) != 0, true));
        sqlite3_finalize(st);
        m_tables.insert(table.toLower(), cols);
    }
    std::optional<std::vector<jet::Column>> columns(const QString &table) const override
    {
        const auto it = m_tables.constFind(table.toLower());
        if (it == m_tables.constEnd())
            return std::nullopt;
        return *it;
    }

private:
    QHash<QString, std::vector<jet::Column>> m_tables;
};

struct Fixture
{
    sqlite3 *db = nullptr;
    Catalog catalog;

    void ddl(const char *jet)
    {
        for (const QString &s : jet::sql::translate(QString::fromLatin1(jet), catalog).statements)
            exec(db, s);
    }

    Fixture()
    {
        sqlite3_open(":memory:", &db);
        jet::sql::registerFunctions(db);
        const char *tables[][2] = {
            {"Programs",
             "CREATE TABLE Programs (ProgramID COUNTER, Program NVARCHAR(50), StartDate DATE)"},
            {"Classes",
             "CREATE TABLE Classes (ClassID COUNTER, ProgramID INT, Description NVARCHAR(100), "
             "[Day] NVARCHAR(20), [Time] DATE)"},
            {"Students",
             "CREATE TABLE Students (StudentID COUNTER, [First Name] NVARCHAR(50), [Last Name] "
             "NVARCHAR(50), [Parents Name] NVARCHAR(100), Notes MEMO, Family INT DEFAULT 0)"},
            {"Bookings", "CREATE TABLE Bookings (BookingID COUNTER, StudentID INT, ClassID INT, "
                         "Status NVARCHAR(20), "
                         "SessionNo INT, Notes MEMO, Owing CURRENCY)"},
            {"Payments",
             "CREATE TABLE Payments (PaymentID COUNTER, BookingID INT, SID INT, [Date] DATE, "
             "ChargeAmount CURRENCY, ChargeGST CURRENCY, Amount CURRENCY, GSTCollected CURRENCY, "
             "DiscountAmount CURRENCY, DiscountGST CURRENCY, Notes MEMO)"},
        };
        for (const auto &t : tables) {
            ddl(t[1]);
            catalog.load(db, QString::fromLatin1(t[0]));
        }
        ddl("CREATE INDEX ClassID ON Bookings (ClassID)");
        ddl("CREATE INDEX SID ON Payments (SID)");
        exec(db, QStringLiteral("BEGIN"));
        exec(db, QStringLiteral(
                     "INSERT INTO Programs (Program, StartDate) VALUES ('Term 1', '2026-01-27'), "
                     "('Term 2', '2026-04-20')"));
        exec(db, QStringLiteral(
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                     "INSERT INTO Classes (ProgramID, Description, Day, Time) SELECT 1 + i % 2, "
                     "'Class ' || i, 'Monday', '1899-12-30 16:30:00' FROM n")
                     .arg(Classes));
        exec(db, QStringLiteral(
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                     "INSERT INTO Students ([First Name], [Last Name], Family) SELECT 'F' || i, "
                     "'L' || i, 0 FROM n")
                     .arg(Students));
        // Catch-up bookings in a few classes only.
        exec(db, QStringLiteral(
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                     "INSERT INTO Bookings (StudentID, ClassID, Status, SessionNo, Owing) SELECT "
                     "1 + i % %2, 1 + i % %3, CASE WHEN i % 97 = 0 THEN 'Catch Up' ELSE "
                     "'Confirmed' END, "
                     "CASE WHEN i % 97 = 0 THEN 2 ELSE 0 END, 0 FROM n")
                     .arg(Classes * BookingsPerClass)
                     .arg(Students)
                     .arg(Classes));
        exec(db,
             QStringLiteral(
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                 "INSERT INTO Payments (BookingID, SID, Date, ChargeAmount, ChargeGST, Amount, "
                 "GSTCollected, DiscountAmount, DiscountGST) SELECT 1 + i % %2, 1 + i % %3, "
                 "date('2026-01-01', '+' || (i % 365) || ' days'), 12.5, 0, 10.25, 0, 0, 0 FROM n")
                 .arg(LedgerRows)
                 .arg(Classes * BookingsPerClass)
                 .arg(Students));
        exec(db, QStringLiteral("COMMIT"));
        exec(db, QStringLiteral("ANALYZE"));
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void runAll(sqlite3 *db, const QString &sql, benchmark::State &state)
{
    const QByteArray text = sql.toUtf8();
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, text.constData(), -1, &st, nullptr);
        int rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            ++rows;
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(rows);
    }
}

void BM_Translate_uncached(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString sql = QString::fromLatin1(Typical);
    for (auto _ : state)
        benchmark::DoNotOptimize(jet::sql::translateUncached(sql, f.catalog));
}
BENCHMARK(BM_Translate_uncached)->Name("Translate/uncached")->Unit(benchmark::kMicrosecond);

void BM_Translate_cached(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString sql = QString::fromLatin1(Typical);
    for (auto _ : state)
        benchmark::DoNotOptimize(jet::sql::translate(sql, f.catalog));
}
BENCHMARK(BM_Translate_cached)->Name("Translate/cached")->Unit(benchmark::kMicrosecond);

// What SQLite itself spends on the translated text before it reads a row.
void BM_Translate_sqlitePrepare(benchmark::State &state)
{
    Fixture &f = fixture();
    const QByteArray text = jet::sql::translateUncached(QString::fromLatin1(Typical), f.catalog)
                                .statements.front()
                                .toUtf8();
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(f.db, text.constData(), -1, &st, nullptr);
        sqlite3_finalize(st);
    }
}
BENCHMARK(BM_Translate_sqlitePrepare)->Name("Translate/sqlite")->Unit(benchmark::kMicrosecond);

void rewriteBench(benchmark::State &state, const char *jet, bool rewrite)
{
    Fixture &f = fixture();
    jet::sql::TranslateOptions options;
    options.rewrite = rewrite;
    const QString sql = jet::sql::translateUncached(QString::fromLatin1(jet), f.catalog, options)
                            .statements.front();
    runAll(f.db, sql, state);
}

void BM_TruthSubquery_rewritten(benchmark::State &state)
{
    rewriteBench(state, TruthSubquery, true);
}
void BM_TruthSubquery_literal(benchmark::State &state)
{
    rewriteBench(state, TruthSubquery, false);
}
void BM_HavingOnHolder_rewritten(benchmark::State &state)
{
    rewriteBench(state, HavingOnHolder, true);
}
void BM_HavingOnHolder_literal(benchmark::State &state)
{
    rewriteBench(state, HavingOnHolder, false);
}
BENCHMARK(BM_TruthSubquery_rewritten)
    ->Name("TruthSubquery/rewritten")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TruthSubquery_literal)->Name("TruthSubquery/literal")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HavingOnHolder_rewritten)
    ->Name("HavingOnHolder/rewritten")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HavingOnHolder_literal)->Name("HavingOnHolder/literal")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    fixture();
    // Translating over SQLite's own prepare; a rewritten statement over the literal one.
    benchreport::RatioReporter reporter({{"Translate/uncached", "Translate/sqlite"},
                                         {"Translate/cached", "Translate/sqlite"},
                                         {"TruthSubquery/rewritten", "TruthSubquery/literal"},
                                         {"HavingOnHolder/rewritten", "HavingOnHolder/literal"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
