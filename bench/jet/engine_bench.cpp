// The data engine against SQLite itself: each benchmark runs the same work once through
// the engine (…/engine) and once straight on SQLite's C API (…/sqlite); the ratios are
// printed at the end. The data files are generated in a temporary folder.
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/translator.h"
#include "report/ratioreporter.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int WideRows = 10000;
constexpr int LedgerRows = 500000;

// The 20 columns of the wide table: a key and the types a program table mixes.
const char *const WideColumns =
    "ID COUNTER, Surname TEXT(50), FirstName TEXT(50), Address TEXT(255), Suburb TEXT(50), "
    "Phone TEXT(20), Age INT, ClassID INT, FamilyID INT, Sessions INT, Fee CURRENCY, "
    "Balance CURRENCY, Paid CURRENCY, Born DATETIME, Enrolled DATETIME, LastSeen DATETIME, "
    "Score DOUBLE, Ratio DOUBLE, Active YESNO, Notes MEMO";
const char *const WideSelect =
    "SELECT ID, Surname, FirstName, Address, Suburb, Phone, Age, ClassID, FamilyID, Sessions, "
    "Fee, Balance, Paid, Born, Enrolled, LastSeen, Score, Ratio, Active, Notes FROM Wide";

void exec(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, message);
        std::abort();
    }
}

// One generated data file with the wide table and the ledger, made on first use.
struct Fixture
{
    QTemporaryDir dir;
    QString path;
    QString connectionString;

    Fixture()
    {
        path = dir.filePath(QStringLiteral("bench.mdb"));
        sqlite3 *raw = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &raw);
        exec(raw, "PRAGMA user_version = 1");
        sqlite3_close(raw);

        connectionString = QStringLiteral("Data Source=") + path;
        jet::Connection db(connectionString);
        db.open();
        db.execute(QStringLiteral("CREATE TABLE Wide (%1)").arg(QString::fromUtf8(WideColumns)));
        db.execute(
            QStringLiteral("CREATE TABLE Ledger (PaymentID COUNTER, BookingID INT, SID INT, "
                           "[Date] DATETIME, Amount CURRENCY, ChargeAmount CURRENCY, "
                           "[Type] TEXT(1), TaxCode TEXT(50), Notes TEXT(255), SessionNo INT)"));
        db.execute(QStringLiteral("CREATE INDEX LedgerSID ON Ledger (SID)"));

        sqlite3 *h = db.handle();
        exec(h, "BEGIN");
        sqlite3_stmt *wide = nullptr;
        sqlite3_prepare_v2(
            h,
            "INSERT INTO Wide (Surname, FirstName, Address, Suburb, Phone, Age, "
            "ClassID, FamilyID, Sessions, Fee, Balance, Paid, Born, Enrolled, "
            "LastSeen, Score, Ratio, Active, Notes) VALUES ('Surname' || ?1, "
            "'First' || ?1, ?1 || ' Long Street', 'Suburb', '0400 000 000', ?1 % 12, "
            "?1 % 300, ?1 / 3, 10, 12.5, ?1 * 0.25, 4.1, '2010-01-05', "
            "'2012-03-04 09:30:00', '2013-01-01', ?1 * 1.5, 0.5, -1, 'Notes')",
            -1, &wide, nullptr);
        for (int i = 1; i <= WideRows; ++i) {
            sqlite3_bind_int(wide, 1, i);
            sqlite3_step(wide);
            sqlite3_reset(wide);
        }
        sqlite3_finalize(wide);
        sqlite3_stmt *ledger = nullptr;
        sqlite3_prepare_v2(h,
                           "INSERT INTO Ledger (BookingID, SID, Date, Amount, ChargeAmount, Type, "
                           "TaxCode, Notes, SessionNo) VALUES (?1 / 4, ?1 % 5000, '2011-06-01', "
                           "15.25, 0, 'P', 'GST', 'Payment', 0)",
                           -1, &ledger, nullptr);
        for (int i = 1; i <= LedgerRows; ++i) {
            sqlite3_bind_int(ledger, 1, i);
            sqlite3_step(ledger);
            sqlite3_reset(ledger);
        }
        sqlite3_finalize(ledger);
        exec(h, "COMMIT");
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

sqlite3 *openRaw()
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(fixture().path).constData(), &db, SQLITE_OPEN_READWRITE,
                    nullptr);
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// Reads every column of the current row as a program would use it.
void readRow(sqlite3_stmt *st, int columns)
{
    for (int c = 0; c < columns; ++c) {
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(st, c)); break;
        case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(st, c)); break;
        case SQLITE_TEXT: benchmark::DoNotOptimize(sqlite3_column_text(st, c)); break;
        default: break;
        }
    }
}

// --- Opening and walking 10,000 rows of 20 columns --------------------------------------

void walkEngine(benchmark::State &state)
{
    jet::Connection db(fixture().connectionString);
    db.open();
    const QString sql = QString::fromUtf8(WideSelect);
    for (auto _ : state) {
        jet::Recordset rs(db, sql);
        const int fields = rs.fieldCount();
        for (; !rs.eof(); rs.moveNext())
            for (int i = 0; i < fields; ++i)
                benchmark::DoNotOptimize(rs.value(i));
    }
    state.SetItemsProcessed(state.iterations() * WideRows);
}
BENCHMARK(walkEngine)->Name("walk10000x20/engine")->Unit(benchmark::kMillisecond);

void walkSqlite(benchmark::State &state)
{
    sqlite3 *db = openRaw();
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, WideSelect, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            readRow(st, 20);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * WideRows);
}
BENCHMARK(walkSqlite)->Name("walk10000x20/sqlite")->Unit(benchmark::kMillisecond);

// --- A key lookup: one row by its key, every field read -----------------------------------
// Each lookup names another key in its text, as the program's statements do, so the
// translation is not served from the cache.

void lookupEngine(benchmark::State &state)
{
    jet::Connection db(fixture().connectionString);
    db.open();
    int key = 0;
    const quint64 parsed = jet::sql::parseCount();
    for (auto _ : state) {
        key = key % WideRows + 1;
        jet::Recordset rs(db, QStringLiteral("SELECT * FROM Wide WHERE ID = %1").arg(key));
        for (int i = 0; i < rs.fieldCount(); ++i)
            benchmark::DoNotOptimize(rs.value(i));
    }
    // A statement seen before with other values is not parsed again: one parse in all.
    state.counters["parses"] = double(jet::sql::parseCount() - parsed);
}
BENCHMARK(lookupEngine)->Name("keyLookup/engine")->Unit(benchmark::kMicrosecond);

void lookupSqlite(benchmark::State &state)
{
    sqlite3 *db = openRaw();
    int key = 0;
    for (auto _ : state) {
        key = key % WideRows + 1;
        const std::string sql = "SELECT * FROM Wide WHERE ID = " + std::to_string(key);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW)
            readRow(st, 20);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}
BENCHMARK(lookupSqlite)->Name("keyLookup/sqlite")->Unit(benchmark::kMicrosecond);

// --- Opening a plain-table recordset on the 500,000-row ledger and adding a row ----------
// Argument 0: each row committed on its own (the disk's sync included); 1: inside one open
// transaction (the engine's own cost).

void addRowEngine(benchmark::State &state)
{
    jet::Connection db(fixture().connectionString);
    db.open();
    if (state.range(0))
        db.beginTrans();
    for (auto _ : state) {
        jet::Recordset rs(db, QStringLiteral("SELECT Ledger.* FROM Ledger"));
        rs.addNew();
        rs.setValue(QStringLiteral("BookingID"), 7);
        rs.setValue(QStringLiteral("SID"), 42);
        rs.setValue(QStringLiteral("Amount"), 12.5);
        rs.setValue(QStringLiteral("Type"), QStringLiteral("P"));
        rs.update();
        benchmark::DoNotOptimize(rs.value(0));
    }
    if (state.range(0))
        db.rollbackTrans();
}
BENCHMARK(addRowEngine)->Name("ledgerAddRow/engine")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void addRowSqlite(benchmark::State &state)
{
    sqlite3 *db = openRaw();
    if (state.range(0))
        exec(db, "BEGIN");
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(
            db, "INSERT INTO Ledger (BookingID, SID, Amount, Type) VALUES (?1, ?2, ?3, ?4)", -1,
            &st, nullptr);
        sqlite3_bind_int(st, 1, 7);
        sqlite3_bind_int(st, 2, 42);
        sqlite3_bind_double(st, 3, 12.5);
        sqlite3_bind_text(st, 4, "P", 1, SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sqlite3_last_insert_rowid(db));
    }
    if (state.range(0))
        exec(db, "ROLLBACK");
    sqlite3_close(db);
}
BENCHMARK(addRowSqlite)->Name("ledgerAddRow/sqlite")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Prints the results as usual, then engine/sqlite for each pair.

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    fixture();
    benchreport::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
