// The ledger's six balances for the account holder of the largest family, and the
// taking of a receipt number (one committed transaction), each through the module
// (…/engine) and as the very statements the engine ran, straight on SQLite's C API
// (…/sqlite). The statements are caught on the connection the first time a question
// is asked; the receipt number's SQLite figure is written out (see there).
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "money/imodmoney.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    qint32 holder = 0;
    qint32 booking = 0;
    qint32 program = 0;
    QDate asAt;

    Fixture()
    {
        const QString path = benchdata::OpenCopyAsProgram(dir.path());
        // The family whose members hold the most ledger rows.
        jet::Recordset family(Global::DbConnection(),
                              QStringLiteral("SELECT TOP 1 Students.Family FROM Students INNER "
                                             "JOIN Payments ON Students.StudentID = Payments.SID "
                                             "WHERE Students.Family > 0 GROUP BY Students.Family "
                                             "ORDER BY Count(*) DESC"));
        holder = family.value(0).toInt();
        jet::Recordset paid(
            Global::DbConnection(),
            QStringLiteral("SELECT TOP 1 Payments.BookingID FROM Payments INNER JOIN Students ON "
                           "Payments.SID = Students.StudentID WHERE Students.Family = %1 AND "
                           "Payments.BookingID > 0 GROUP BY Payments.BookingID ORDER BY Count(*) "
                           "DESC")
                .arg(holder));
        booking = paid.eof() ? 0 : paid.value(0).toInt();
        jet::Recordset last(Global::DbConnection(),
                            QStringLiteral("SELECT Max(ProgramID), Max([Date]) FROM Programs, "
                                           "Payments"));
        program = last.value(0).toInt();
        asAt = last.value(1).toDate();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The statements one call runs on the connection.
std::vector<std::string> statementsOf(const std::function<void()> &call)
{
    benchdata::StatementCatcher::Start();
    call();
    return benchdata::StatementCatcher::Stop();
}

void runEngine(benchmark::State &state, const std::function<void()> &call)
{
    fixture();
    for (auto _ : state)
        call();
}

void runSqlite(benchmark::State &state, const std::function<void()> &call)
{
    fixture();
    const std::vector<std::string> statements = statementsOf(call);
    sqlite3 *db = Global::DbConnection().handle();
    for (auto _ : state) {
        benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
    }
    state.counters["statements"] = double(statements.size());
}

#define MONEY_BENCH(name, call)                                                                   \
    void name##_engine(benchmark::State &state) { runEngine(state, [] { call; }); }               \
    BENCHMARK(name##_engine)->Name(#name "/engine")->Unit(benchmark::kMillisecond);               \
    void name##_sqlite(benchmark::State &state) { runSqlite(state, [] { call; }); }               \
    BENCHMARK(name##_sqlite)->Name(#name "/sqlite")->Unit(benchmark::kMillisecond);

MONEY_BENCH(PaidForBooking, benchmark::DoNotOptimize(imodMoney::GetPaidForBooking(
                                fixture().booking)))
MONEY_BENCH(PassportFeeTotals,
            benchmark::DoNotOptimize(imodMoney::GetPassportFeeTotals(fixture().holder)))
MONEY_BENCH(BalanceAsAt, benchmark::DoNotOptimize(imodMoney::GetBalanceAsAt(
                             fixture().holder, fixture().asAt, true)))
MONEY_BENCH(ProgramBalance, benchmark::DoNotOptimize(imodMoney::GetProgramBalance(
                                fixture().holder, fixture().program, QStringLiteral("<>"))))
MONEY_BENCH(TotalBalance,
            benchmark::DoNotOptimize(imodMoney::GetTotalBalance(fixture().holder, true)))
MONEY_BENCH(GstOwingAsAt, benchmark::DoNotOptimize(imodMoney::GetGstOwingAsAt(
                              fixture().holder, fixture().asAt, true)))
void TakeNextReceiptNo_engine(benchmark::State &state)
{
    runEngine(state, [] { benchmark::DoNotOptimize(imodMoney::TakeNextReceiptNo()); });
}
BENCHMARK(TakeNextReceiptNo_engine)->Name("TakeNextReceiptNo/engine")->Unit(benchmark::kMillisecond);

// The caught statements would change nothing when replayed (the engine's write names the
// number it read), so SQLite's own figure reads and raises the number in one committed
// transaction, as the engine does.
void TakeNextReceiptNo_sqlite(benchmark::State &state)
{
    fixture();
    sqlite3 *db = Global::DbConnection().handle();
    auto run = [db](const char *sql) {
        sqlite3_stmt *st = nullptr;
        qint64 value = 0;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            value = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        return value;
    };
    for (auto _ : state) {
        run("BEGIN IMMEDIATE");
        const qint64 number = run("SELECT NextReceiptNo FROM CentreInfo");
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "UPDATE CentreInfo SET NextReceiptNo = ?1", -1, &st, nullptr);
        sqlite3_bind_int64(st, 1, number + 1);
        sqlite3_step(st);
        sqlite3_finalize(st);
        run("COMMIT");
        benchmark::DoNotOptimize(number);
    }
}
BENCHMARK(TakeNextReceiptNo_sqlite)->Name("TakeNextReceiptNo/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
