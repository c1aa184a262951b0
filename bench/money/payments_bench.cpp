// The Receive Payments window on the big data file, each against the statements the
// engine ran, asked of SQLite directly: loading the window (every student in its pick
// list, the employees and payment methods), adding the largest family by its
// reference, and writing a payment of five rows under one receipt number.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "money/payments.h"
#include "money/receive/frmpayments.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    qint32 family = 0;
    QList<imodMoney::PaymentLine> lines;

    Fixture()
    {
        benchdata::OpenCopyAsProgram(dir.path());
        Global::LoadGlobalSettings();
        jet::Recordset biggest(Global::DbConnection(),
                               QStringLiteral("SELECT TOP 1 Family FROM Students WHERE Family > 0 "
                                              "GROUP BY Family ORDER BY Count(*) DESC"));
        family = biggest.value(0).toInt();
        jet::Recordset bookings(Global::DbConnection(),
                                QStringLiteral("SELECT TOP 5 BookingID, StudentID FROM Bookings "
                                               "ORDER BY BookingID DESC"));
        for (; !bookings.eof(); bookings.moveNext())
            lines.append({bookings.value(0).toInt(), bookings.value(1).toInt(),
                          QStringLiteral("Payer"), vb::Currency(),
                          vb::Currency(55)});
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

std::vector<std::string> statementsOf(const std::function<void()> &call)
{
    benchdata::StatementCatcher::Start();
    call();
    return benchdata::StatementCatcher::Stop();
}

void runSqlite(benchmark::State &state, const std::function<void()> &call)
{
    fixture();
    const std::vector<std::string> statements = statementsOf(call);
    sqlite3 *db = Global::DbConnection().handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
    state.counters["statements"] = double(statements.size());
}

void loadWindow()
{
    ui::Forms::shared<frmPayments>()->unload();
}

frmPayments *familyReady()
{
    frmPayments *w = ui::Forms::shared<frmPayments>();
    w->optInvRef->setChecked(true);
    w->grid->setRows(1);
    w->RowStudentIds = {0, 0};
    return w;
}

void addFamily(frmPayments *w)
{
    w->AddToList(QStringLiteral("F") + QString::number(fixture().family));
}

void writePayment()
{
    benchmark::DoNotOptimize(imodMoney::WritePayment({fixture().lines, QStringLiteral("Cash"),
                                                      QStringLiteral("Pat Kerr"),
                                                      QStringLiteral("Bench"),
                                                      QStringLiteral("Auto#")}));
}

void LoadWindow_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state)
        loadWindow();
}
BENCHMARK(LoadWindow_engine)->Name("LoadPaymentsWindow/engine")->Unit(benchmark::kMillisecond);
void LoadWindow_sqlite(benchmark::State &state) { runSqlite(state, loadWindow); }
BENCHMARK(LoadWindow_sqlite)->Name("LoadPaymentsWindow/sqlite")->Unit(benchmark::kMillisecond);

void AddFamily_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state) {
        state.PauseTiming();
        frmPayments *w = familyReady();
        state.ResumeTiming();
        addFamily(w);
    }
    state.counters["rows"] = double(ui::Forms::shared<frmPayments>()->grid->rows() - 1);
}
BENCHMARK(AddFamily_engine)->Name("AddFamily/engine")->Unit(benchmark::kMillisecond);
void AddFamily_sqlite(benchmark::State &state)
{
    fixture();
    frmPayments *w = familyReady();
    runSqlite(state, [w] { addFamily(w); });
}
BENCHMARK(AddFamily_sqlite)->Name("AddFamily/sqlite")->Unit(benchmark::kMillisecond);

void WritePayment_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state)
        writePayment();
}
BENCHMARK(WritePayment_engine)->Name("WriteFiveRowPayment/engine")->Unit(benchmark::kMillisecond);
void WritePayment_sqlite(benchmark::State &state) { runSqlite(state, writePayment); }
BENCHMARK(WritePayment_sqlite)->Name("WriteFiveRowPayment/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
