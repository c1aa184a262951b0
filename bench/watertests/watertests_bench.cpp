// The water test list on the big data file: the month list, one pool area's month
// and opening the window, each beside the same question asked of SQLite directly
// (…/engine over …/sqlite).
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/csupercollection.h"
#include "core/globaldata.h"
#include "core/upgrade.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "watertests/watertestfactory.h"
#include "watertests/windows/frmwatertesting.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    sqlite3 *raw = nullptr;
    QDate month; // the newest month of pool area 1
    QByteArray areaMonthSql;

    Fixture()
    {
        path = benchdata::OpenCopyAsProgram(dir.path());
        sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY,
                        nullptr);
        jet::Recordset last(Global::DbConnection(),
                            QStringLiteral("SELECT Max([Date]) FROM WaterTesting WHERE PoolArea "
                                           "= 1"));
        const QDate newest = last.value(0).toDateTime().date();
        month = QDate(newest.year(), newest.month(), 1);
        areaMonthSql = QStringLiteral("SELECT * FROM WaterTesting WHERE PoolArea = ?1 AND Date "
                                      ">= '%1' AND Date < '%2' ORDER BY TestID")
                           .arg(month.toString(Qt::ISODate),
                                month.addMonths(1).toString(Qt::ISODate))
                           .toUtf8();
    }
    ~Fixture() { sqlite3_close_v2(raw); }

    // Steps through every row of the statement; gives the number of rows.
    int rows(const char *sql, int area = 0)
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(raw, sql, -1, &st, nullptr);
        if (area)
            sqlite3_bind_int(st, 1, area);
        int n = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            ++n;
        }
        sqlite3_finalize(st);
        return n;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

const char *const monthsSql =
    "SELECT substr(Date, 1, 7) FROM WaterTesting WHERE Date IS NOT NULL GROUP BY 1 ORDER BY 1 "
    "DESC";

void MonthList_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state)
        state.counters["months"] = double(Global::WaterTests().GetListOfMonths()->Count());
}
BENCHMARK(MonthList_engine)->Name("MonthList/engine")->Unit(benchmark::kMillisecond);

void MonthList_sqlite(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        state.counters["months"] = double(f.rows(monthsSql));
}
BENCHMARK(MonthList_sqlite)->Name("MonthList/sqlite")->Unit(benchmark::kMillisecond);

void AreaMonth_engine(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        state.counters["tests"] = double(Global::WaterTests()
                                             .LoadAllTestsInPoolAreaAndDateRange(
                                                 1, qint16(f.month.month()), qint16(f.month.year()))
                                             ->Count());
}
BENCHMARK(AreaMonth_engine)->Name("AreaMonth/engine")->Unit(benchmark::kMillisecond);

void AreaMonth_sqlite(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        state.counters["tests"] = double(f.rows(f.areaMonthSql.constData(), 1));
}
BENCHMARK(AreaMonth_sqlite)->Name("AreaMonth/sqlite")->Unit(benchmark::kMillisecond);

// Opening the list: the pool areas, the month list and the first area's month.
void OpenWindow_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state) {
        auto *w = ui::Forms::create<frmWaterTesting>();
        w->unload(ui::CloseReason::Code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(OpenWindow_engine)->Name("OpenWindow/engine")->Unit(benchmark::kMillisecond);

void OpenWindow_sqlite(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        f.rows("SELECT AreaName FROM PoolAreas");
        f.rows(monthsSql);
        f.rows(f.areaMonthSql.constData(), 1);
    }
}
BENCHMARK(OpenWindow_sqlite)->Name("OpenWindow/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
